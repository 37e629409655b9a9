#include "app/vue_image.h"

#include <QPainter>

TVue_image::TVue_image(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    image = QImage(1, 1, QImage::Format_RGB32);
    image.fill(Qt::white);
}

void TVue_image::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image);
    // Past the bitmap (while a resize is under way) the widget stays clean.
    if (image.width() < width())
        p.fillRect(image.width(), 0, width() - image.width(), height(), Qt::white);
    if (image.height() < height())
        p.fillRect(0, image.height(), width(), height() - image.height(), Qt::white);
}

void TVue_image::resizeEvent(QResizeEvent*) {
    if (redimensionne) redimensionne();
}

void TVue_image::mouseDoubleClickEvent(QMouseEvent*) {
    if (double_clic) double_clic();
}
