#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>

// Text and number utilities shared by the whole program.
//   8-bit text (Windows-1252 bytes: instrument output, settings, record files) is QByteArray;
//   wide text (the decoding of instrument lines) is QString.
// Positions and field numbers count from 1. Every utility accepts texts of any length,
// binary bytes and 0x00 included.

// A number text that ends in a digit but is still not a number. The message is the one the
// operator sees: "'%s' n'est pas une valeur en virgule flottante correcte" (reals) or
// "'%s' n'est pas une valeur entière correcte" (whole numbers), %s the cleaned text.
class ErreurConversion : public std::runtime_error {
public:
    explicit ErreurConversion(const QString& message);
    const QString& message() const { return texte; }

private:
    QString texte;
};

// ---- fields and characters ----
// Field n by separator: runs of separators count as one, a leading/trailing separator is
// invisible, fields are trimmed of spaces. Empty text -> "_extraitUTIL<>"; no such field or
// n = 0 -> "".
QByteArray extrait(const QByteArray& texte, int n, char separateur);
// The same on wide text, except that runs are reduced only for the space, and an empty text
// gives "".
QString extrait_w(const QString& texte, int n, QChar separateur);
// Field n read as a whole number (spaces, optional sign, digits, nothing after), else defaut.
int extrait_entier(const QByteArray& texte, int n, char separateur, int defaut);
int compte_car(char c, const QByteArray& texte);
int compte_car_w(QChar c, const QString& texte);
void remplace_car(char ancien, char nouveau, QByteArray& texte);
void remplace_car_w(QChar ancien, QChar nouveau, QString& texte);
void supprime_car_w(QChar c, QString& texte);
// Keeps the characters whose (unsigned) code is at least code_min; callers pass 17 / 30.
QByteArray garde_car_min(unsigned char code_min, const QByteArray& texte);
QString garde_car_min_w(char16_t code_min, const QString& texte);
// Keeps only space, '-', '.', '/', '0'..'9' and ':'.
void garde_heure(QByteArray& texte);
// Keeps only '+', ',', '-', '.', '0'..'9' and 'E'.
void garde_car_nombre(QByteArray& texte);
// 'Cond-{µS/cm}' -> 'Cond' and 'µS/cm'; without "-{": the whole text and "".
void coupe_accolade(const QByteArray& texte, QByteArray& avant, QByteArray& dedans);
// Position (from 1) of the second ':' of the first hh:mm:ss found, 0 when none.
int position_hms_w(const QString& texte);
bool contient_hms_w(const QString& texte);

// ---- trimming and paths ----
QByteArray supprime_espaces_fin(const QByteArray& texte);
// Never removes the last character: spaces only keep one space.
QByteArray supprime_espaces_debut(const QByteArray& texte);
QByteArray supprime_espaces(const QByteArray& texte);
QString supprime_espaces(const QString& texte);
// Appends the native separator to a non-empty folder path that lacks it.
QString avec_antislash(const QString& dossier);

// ---- numbers (PC decimal sign of regional.h) ----
void car_signe_decimal(char& c);
// Every '.' and ',' becomes the PC decimal sign, then everything but number characters
// ('+', '-', '0'..'9', 'E', PC decimal sign) is dropped.
void garde_nombre(QByteArray& texte);
void garde_nombre_w(QString& texte);
// garde_nombre on a copy; empty or not ending in a digit -> 0; else the standard conversion,
// which throws ErreurConversion ('1,2,3', '1-2').
double en_reel(const QByteArray& texte);
double en_reel(const QString& texte);
int en_entier(const QByteArray& texte);
int en_entier(const QString& texte);
// Plain number check independent of the PC sign ('<0,05', ' 3.5 ', '1.5e3' are numbers).
bool est_nombre(const QByteArray& texte);
bool est_nombre(const QString& texte);
void nettoie_saisie_nombre(QByteArray& texte);
double maxi(double a, double b);
double mini(double a, double b);
// Rounded to `chiffres` significant digits, upwards when direction = 1, downwards otherwise.
double arrondi_significatif(int direction, int chiffres, double x);
// A tenth of (maximum - minimum) rounded up to one significant digit; 0 -> the tenth; 0 -> 1.
double pas_graduation(double minimum, double maximum);

// ---- keys, colours, text on screen, booleans ----
// French keyboard top row to digits, then only backspace, tab, ',', '-', '.', '0'..'9' pass;
// any other key gives QChar(0), which cancels it.
QChar filtre_touche_chiffre(QChar touche);

// Colours as the settings and the table store them: red + 256 x green + 65536 x blue.
using TCouleur = std::uint32_t;
constexpr TCouleur rgb(int r, int g, int b) {
    return TCouleur(r & 255) | (TCouleur(g & 255) << 8) | (TCouleur(b & 255) << 16);
}
constexpr int rouge(TCouleur c) {
    return int(c & 255);
}
constexpr int vert(TCouleur c) {
    return int((c >> 8) & 255);
}
constexpr int bleu(TCouleur c) {
    return int((c >> 16) & 255);
}
// (255-r, 255-g, 255-b); black and white both give mid-grey.
TCouleur couleur_inverse(TCouleur couleur);

// 13 pixels per character of the longest line (lines cut at '\n', trimmed, empty ones
// ignored), or the minimum when larger.
int largeur_texte(const QString& texte, int minimum);
QByteArray bool_en_texte(bool valeur);
bool texte_en_bool(const QByteArray& texte);

// ---- line files ----
// Line n (from 1) of a file (full path, Windows-1252, CR LF or LF): missing file, empty file or
// a line past the end of the file -> "" (a short settings file must not feed its last line
// into the settings that follow).
QByteArray lit_ligne(const QString& fichier, int n);
// lit_ligne, or the default when that gives "".
QByteArray lit_ligne_defaut(const QString& fichier, int n, const QByteArray& defaut);
// Keeps a file of exactly 30 lines (CR LF), value in line n (1..30), written through a
// temporary file renamed over the old one. False when it could not be written or n is out of
// range.
bool ecrit_ligne(const QByteArray& valeur, const QString& fichier, int n);
