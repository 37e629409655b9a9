#pragma once

#include <QChar>
#include <QDateTime>
#include <QLocale>
#include <QString>

// The PC's regional settings: the decimal sign and the short date format. They are read once at
// start-up (from the system, or from --locale) and never changed by the program; every
// number-to-text and text-to-number conversion of the program uses them.
namespace regional {

struct TRegional {
    char signe_decimal = ',';   // '.' or ','
    QString format_date_courte; // QDate format, e.g. "dd/MM/yyyy" or "M/d/yy"
};

// Reads the decimal sign and the short date format of a locale and makes them current.
void initialise(const QLocale& locale);
// Makes a remembered set current again (tests).
void fixe(const TRegional& valeurs);
const TRegional& courant();

inline char signe_decimal() {
    return courant().signe_decimal;
}

// The PC's date and time. The offset from UTC is looked up at most once a minute: the system's
// look-up reads the time-zone files, which at one point per call dominated the decoding.
QDateTime maintenant();

// "date heure" of a point: the short date, one space, hh:mm:ss.
QString texte_date_heure(const QDateTime& instant);
// Reads such a text back with the same settings; false when it is not one.
bool lit_date_heure(const QString& texte, QDateTime& instant);

// Fixed notation with the PC decimal sign, as printf("%<largeur>.<decimales>f").
QString format_fixe(double valeur, int largeur, int decimales);
// Shortest general form, up to 15 significant digits, PC decimal sign (numbers shown in edits).
QString format_general(double valeur);

} // namespace regional
