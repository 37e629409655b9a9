#include "util/regional.h"

#include <cstdio>

namespace regional {

namespace {
TRegional valeurs_courantes{',', QStringLiteral("dd/MM/yyyy")};

// printf writes the C library's decimal point, which a process locale may have changed: any
// '.' or ',' it wrote is the decimal point (no grouping is asked for).
QString remplace_point(QString texte) {
    const QLatin1Char signe(valeurs_courantes.signe_decimal);
    for (QChar& c : texte)
        if (c == QLatin1Char('.') || c == QLatin1Char(',')) c = signe;
    return texte;
}
} // namespace

QDateTime maintenant() {
    static qint64 prochain_controle = 0;
    static int decalage = 0;
    const QDateTime utc = QDateTime::currentDateTimeUtc();
    const qint64 ms = utc.toMSecsSinceEpoch();
    if (ms >= prochain_controle || ms < prochain_controle - 60000) {
        decalage = QDateTime::currentDateTime().offsetFromUtc();
        prochain_controle = ms + 60000;
    }
    return utc.toOffsetFromUtc(decalage);
}

void initialise(const QLocale& locale) {
    const QString signe = locale.decimalPoint();
    valeurs_courantes.signe_decimal = (signe == QStringLiteral(",")) ? ',' : '.';
    valeurs_courantes.format_date_courte = locale.dateFormat(QLocale::ShortFormat);
}

void fixe(const TRegional& valeurs) {
    valeurs_courantes = valeurs;
}

const TRegional& courant() {
    return valeurs_courantes;
}

QString texte_date_heure(const QDateTime& instant) {
    return instant.date().toString(valeurs_courantes.format_date_courte) + QLatin1Char(' ') +
           instant.time().toString(QStringLiteral("hh:mm:ss"));
}

bool lit_date_heure(const QString& texte, QDateTime& instant) {
    const QString t = texte.trimmed();
    const qsizetype espace = t.lastIndexOf(QLatin1Char(' '));
    if (espace < 0) return false;
    QDate date = QDate::fromString(t.left(espace).trimmed(), valeurs_courantes.format_date_courte);
    const QTime heure = QTime::fromString(t.mid(espace + 1), QStringLiteral("h:m:s"));
    if (!date.isValid() || !heure.isValid()) return false;
    // A two-digit year reads as 19xx; the instruments of this program never dated before 1950.
    if (!valeurs_courantes.format_date_courte.contains(QStringLiteral("yyyy")) &&
        date.year() < 1950)
        date = date.addYears(100);
    instant = QDateTime(date, heure);
    return true;
}

QString format_fixe(double valeur, int largeur, int decimales) {
    char tampon[512];
    if (decimales < 0) decimales = 0;
    if (decimales > 30) decimales = 30;
    std::snprintf(tampon, sizeof tampon, "%*.*f", largeur, decimales, valeur);
    return remplace_point(QString::fromLatin1(tampon));
}

QString format_general(double valeur) {
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.15g", valeur);
    return remplace_point(QString::fromLatin1(tampon));
}

} // namespace regional
