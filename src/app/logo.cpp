#include "app/logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

QPixmap dessine_logo(int taille) {
    QPixmap pixmap(taille, taille);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double t = taille;

    // Round badge, water blue.
    QLinearGradient fond(0, 0, 0, t);
    fond.setColorAt(0, QColor(0, 128, 128));
    fond.setColorAt(1, QColor(0, 70, 110));
    p.setBrush(fond);
    p.setPen(QPen(QColor(255, 255, 255), t * 0.03));
    p.drawEllipse(QRectF(t * 0.03, t * 0.03, t * 0.94, t * 0.94));

    // Ground line and the borehole.
    p.setPen(QPen(QColor(210, 180, 120), t * 0.04));
    p.drawLine(QPointF(t * 0.12, t * 0.70), QPointF(t * 0.88, t * 0.70));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(t * 0.20, t * 0.70, t * 0.08, t * 0.20));

    // The breakthrough curve: a baseline, the injection, the peak and its tail.
    QPainterPath courbe;
    const int n = 60;
    for (int i = 0; i <= n; ++i) {
        const double x = 0.15 + 0.72 * i / n;
        const double u = (x - 0.30);
        const double y = u <= 0 ? 0 : std::exp(-std::pow(u - 0.12, 2) / (0.02 * u + 0.002));
        const QPointF point(t * x, t * (0.62 - 0.40 * y));
        if (i == 0)
            courbe.moveTo(point);
        else
            courbe.lineTo(point);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 90, 60), t * 0.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(courbe);

    // The t0 mark.
    p.setPen(QPen(QColor(255, 255, 255), t * 0.02, Qt::DashLine));
    p.drawLine(QPointF(t * 0.30, t * 0.22), QPointF(t * 0.30, t * 0.66));
    return pixmap;
}
