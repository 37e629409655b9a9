#include "util/texte.h"

#include "util/cp1252.h"
#include "util/regional.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QSaveFile>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

ErreurConversion::ErreurConversion(const QString& message)
    : std::runtime_error(message.toStdString()), texte(message) {}

namespace {

// ---- character access common to 8-bit and wide text ----
inline char16_t code(char c) {
    return static_cast<unsigned char>(c);
}
inline char16_t code(QChar c) {
    return c.unicode();
}
inline char16_t code(char16_t c) {
    return c;
}

inline bool est_chiffre(char16_t c) {
    return c >= '0' && c <= '9';
}

// Bounds [debut, fin) of the text without its leading and trailing spaces.
template <typename Car> void bornes_sans_espaces(const Car* t, qsizetype& debut, qsizetype& fin) {
    while (debut < fin && code(t[debut]) == ' ')
        ++debut;
    while (fin > debut && code(t[fin - 1]) == ' ')
        --fin;
}

// Field n when runs of separators count as one: the fields are then the non-empty runs of
// characters other than the separator. Returns false when there is no field n.
template <typename Car>
bool champ_sans_vides(const Car* t, qsizetype taille, int n, Car sep, qsizetype& debut,
                      qsizetype& fin) {
    if (n < 1) return false;
    int numero = 0;
    qsizetype i = 0;
    while (i < taille) {
        while (i < taille && t[i] == sep)
            ++i;
        if (i >= taille) break;
        const qsizetype d = i;
        while (i < taille && t[i] != sep)
            ++i;
        if (++numero == n) {
            debut = d;
            fin = i;
            return true;
        }
    }
    return false;
}

// Field n when every separator counts: one separator is supposed in front and one at the end
// unless the text already has them there.
template <typename Car>
bool champ_avec_vides(const Car* t, qsizetype taille, int n, Car sep, qsizetype& debut,
                      qsizetype& fin) {
    if (n < 1 || taille == 0) return false;
    qsizetype d = (t[0] == sep) ? 1 : 0;
    const qsizetype f = (t[taille - 1] == sep) ? taille - 1 : taille;
    if (f < d) return false; // the text is one separator: no field at all
    for (int numero = 1;; ++numero) {
        qsizetype i = d;
        while (i < f && t[i] != sep)
            ++i;
        if (numero == n) {
            debut = d;
            fin = i;
            return true;
        }
        if (i >= f) return false;
        d = i + 1;
    }
}

// ---- number reading ----
inline bool car_nombre(char16_t c, char16_t signe) {
    return c == '+' || c == '-' || est_chiffre(c) || c == 'E' || c == signe;
}

// Plain form: optional sign, digits, optional decimal sign and digits, optional 'E' with an
// optional sign and digits, nothing else. The mantissa needs a digit on one side of the sign
// (",5" and "5," are read as Delphi-era programs read them). When `normal` is given, it
// receives the number in the form std::from_chars reads ('.' as decimal sign, no '+').
template <typename Car>
bool forme_nombre(const Car* t, qsizetype taille, char16_t signe, std::string* normal,
                  long long* exposant_decimal) {
    qsizetype i = 0;
    if (normal) normal->clear();
    if (i < taille && (code(t[i]) == '+' || code(t[i]) == '-')) {
        if (normal && code(t[i]) == '-') normal->push_back('-');
        ++i;
    }
    qsizetype chiffres_entiers = 0, chiffres_decimaux = 0;
    long long entiers_significatifs = 0, zeros_decimaux = 0;
    bool significatif = false;
    while (i < taille && est_chiffre(code(t[i]))) {
        if (code(t[i]) != '0') significatif = true;
        if (significatif) ++entiers_significatifs;
        if (normal) normal->push_back(static_cast<char>(code(t[i])));
        ++i;
        ++chiffres_entiers;
    }
    if (i < taille && code(t[i]) == signe) {
        if (normal) normal->push_back('.');
        ++i;
        bool encore_zero = !significatif;
        while (i < taille && est_chiffre(code(t[i]))) {
            if (encore_zero && code(t[i]) == '0')
                ++zeros_decimaux;
            else
                encore_zero = false;
            if (normal) normal->push_back(static_cast<char>(code(t[i])));
            ++i;
            ++chiffres_decimaux;
        }
    }
    if (chiffres_entiers + chiffres_decimaux == 0) return false;
    long long exposant = 0;
    if (i < taille && code(t[i]) == 'E') {
        if (normal) normal->push_back('e');
        ++i;
        bool negatif = false;
        if (i < taille && (code(t[i]) == '+' || code(t[i]) == '-')) {
            negatif = code(t[i]) == '-';
            if (normal && negatif) normal->push_back('-');
            ++i;
        }
        const qsizetype debut = i;
        while (i < taille && est_chiffre(code(t[i]))) {
            // Saturated: beyond this the value is infinite or zero anyway.
            if (exposant < 1000000000LL) exposant = exposant * 10 + (code(t[i]) - '0');
            if (normal) normal->push_back(static_cast<char>(code(t[i])));
            ++i;
        }
        if (i == debut) return false;
        if (negatif) exposant = -exposant;
    }
    if (i != taille) return false;
    if (exposant_decimal) {
        // Decimal magnitude of the first significant digit, to tell an overflow from an
        // underflow when the value is out of range.
        *exposant_decimal =
            significatif ? entiers_significatifs + exposant : exposant - zeros_decimaux;
    }
    return true;
}

// The standard conversion of an already cleaned text; false when it is not a number.
template <typename Car>
bool convertit_reel(const Car* t, qsizetype taille, char16_t signe, double& valeur) {
    std::string normal;
    long long grandeur = 0;
    if (!forme_nombre(t, taille, signe, &normal, &grandeur)) return false;
    const char* debut = normal.data();
    const char* fin = debut + normal.size();
    const bool negatif = !normal.empty() && normal[0] == '-';
    double v = 0;
    const auto r = std::from_chars(debut, fin, v);
    if (r.ec == std::errc::result_out_of_range) {
        v = grandeur > 0 ? HUGE_VAL : 0.0;
        if (negatif) v = -v;
    } else if (r.ec != std::errc() || r.ptr != fin) {
        return false;
    }
    valeur = v;
    return true;
}

// Optional sign and decimal digits only, within the range of a 32-bit whole number.
template <typename Car> bool convertit_entier(const Car* t, qsizetype taille, int& valeur) {
    qsizetype i = 0;
    bool negatif = false;
    if (i < taille && (code(t[i]) == '+' || code(t[i]) == '-')) {
        negatif = code(t[i]) == '-';
        ++i;
    }
    if (i >= taille) return false;
    long long v = 0;
    for (; i < taille; ++i) {
        const char16_t c = code(t[i]);
        if (!est_chiffre(c)) return false;
        v = v * 10 + (c - '0');
        if (v > 2147483648LL) return false;
    }
    if (negatif) v = -v;
    if (v < INT_MIN || v > INT_MAX) return false;
    valeur = static_cast<int>(v);
    return true;
}

QString message_erreur(bool reel, const QString& nettoye) {
    return reel ? QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte")
                      .arg(nettoye)
                : QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(nettoye);
}

// The cleaning of garde_nombre into a buffer that does not allocate for short numbers.
// Wide characters are tested on their low byte; one above 0xFF that passes that test is kept
// as a character that is no number character, so it never reads as a digit.
template <typename Car>
void nettoie_dans(const Car* t, qsizetype taille, char signe, std::string& sortie) {
    sortie.clear();
    for (qsizetype i = 0; i < taille; ++i) {
        const char16_t complet = code(t[i]);
        char16_t c = complet & 0xFF;
        if (c == '.' || c == ',') {
            sortie.push_back(signe);
            continue;
        }
        if (!car_nombre(c, static_cast<unsigned char>(signe))) continue;
        sortie.push_back(complet > 0xFF ? '\x01' : static_cast<char>(c));
    }
}

QString nettoye_en_texte(const QByteArray& texte) {
    QByteArray copie = texte;
    garde_nombre(copie);
    return depuis_1252(copie);
}

QString nettoye_en_texte(const QString& texte) {
    QString copie = texte;
    garde_nombre_w(copie);
    return copie;
}

template <typename Texte> double en_reel_generique(const Texte& texte) {
    const char signe = regional::signe_decimal();
    std::string nettoye;
    nettoie_dans(texte.constData(), texte.size(), signe, nettoye);
    if (nettoye.empty() || !est_chiffre(static_cast<unsigned char>(nettoye.back()))) return 0;
    double valeur = 0;
    if (!convertit_reel(nettoye.data(), qsizetype(nettoye.size()),
                        static_cast<unsigned char>(signe), valeur))
        throw ErreurConversion(message_erreur(true, nettoye_en_texte(texte)));
    return valeur;
}

template <typename Texte> int en_entier_generique(const Texte& texte) {
    const char signe = regional::signe_decimal();
    std::string nettoye;
    nettoie_dans(texte.constData(), texte.size(), signe, nettoye);
    if (nettoye.empty() || !est_chiffre(static_cast<unsigned char>(nettoye.back()))) return 0;
    int valeur = 0;
    if (!convertit_entier(nettoye.data(), qsizetype(nettoye.size()), valeur))
        throw ErreurConversion(message_erreur(false, nettoye_en_texte(texte)));
    return valeur;
}

template <typename Car> bool est_nombre_generique(const Car* t, qsizetype taille) {
    qsizetype debut = 0, fin = taille;
    bornes_sans_espaces(t, debut, fin);
    if (debut < fin && code(t[debut]) == '<') ++debut;
    if (debut >= fin) return false;
    // Upper case and ',' as '.' on a copy; short numbers stay in the string's own buffer.
    std::u16string copie;
    copie.reserve(std::size_t(fin - debut));
    for (qsizetype i = debut; i < fin; ++i) {
        char16_t c = code(t[i]);
        if (c == 'e')
            c = 'E';
        else if (c == ',')
            c = '.';
        copie.push_back(c);
    }
    return forme_nombre(copie.data(), qsizetype(copie.size()), u'.', nullptr, nullptr);
}

// French keyboard top row, unshifted, to digits ('-' on the 6 key stays a minus sign).
char16_t touche_en_chiffre(char16_t c) {
    switch (c) {
    case 0x26:
        return '1';
    case 0xE9:
        return '2';
    case 0x22:
        return '3';
    case 0x27:
        return '4';
    case 0x28:
        return '5';
    case 0xE8:
        return '7';
    case 0x5F:
        return '8';
    case 0xE7:
        return '9';
    case 0xE0:
        return '0';
    default:
        return c;
    }
}

// The lines of a small text file, at most `maximum` of them, without their line ends. A file
// edited in a modern editor may come back as UTF-8: it is brought back to Windows-1252.
QList<QByteArray> lit_lignes(const QString& fichier, int maximum, bool& existe) {
    QList<QByteArray> lignes;
    existe = false;
    if (fichier.isEmpty()) return lignes;
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly)) return lignes;
    existe = true;
    QByteArray contenu = f.readAll();
    for (char c : contenu)
        if (static_cast<unsigned char>(c) >= 0x80) {
            contenu = vers_1252(depuis_fichier_texte(contenu));
            break;
        }
    qsizetype debut = 0;
    while (debut < contenu.size() && lignes.size() < maximum) {
        qsizetype fin = contenu.indexOf('\n', debut);
        const qsizetype suivant = (fin < 0) ? contenu.size() : fin + 1;
        if (fin < 0) fin = contenu.size();
        qsizetype fin_texte = fin;
        if (fin_texte > debut && contenu[fin_texte - 1] == '\r') --fin_texte;
        lignes.append(contenu.mid(debut, fin_texte - debut));
        debut = suivant;
    }
    return lignes;
}

} // namespace

// ---------------------------------------------------------------- fields and characters

QByteArray extrait(const QByteArray& texte, int n, char separateur) {
    if (texte.isEmpty()) return QByteArrayLiteral("_extraitUTIL<>");
    qsizetype debut = 0, fin = 0;
    if (!champ_sans_vides(texte.constData(), texte.size(), n, separateur, debut, fin)) return {};
    bornes_sans_espaces(texte.constData(), debut, fin);
    return texte.mid(debut, fin - debut);
}

QString extrait_w(const QString& texte, int n, QChar separateur) {
    if (texte.isEmpty()) return {};
    qsizetype debut = 0, fin = 0;
    const bool trouve =
        (separateur == QLatin1Char(' '))
            ? champ_sans_vides(texte.constData(), texte.size(), n, separateur, debut, fin)
            : champ_avec_vides(texte.constData(), texte.size(), n, separateur, debut, fin);
    if (!trouve) return {};
    bornes_sans_espaces(texte.constData(), debut, fin);
    return texte.mid(debut, fin - debut);
}

int extrait_entier(const QByteArray& texte, int n, char separateur, int defaut) {
    const QByteArray champ = extrait(texte, n, separateur);
    qsizetype debut = 0;
    while (debut < champ.size() && champ[debut] == ' ')
        ++debut;
    int valeur = 0;
    if (!convertit_entier(champ.constData() + debut, champ.size() - debut, valeur)) return defaut;
    return valeur;
}

int compte_car(char c, const QByteArray& texte) {
    return int(texte.count(c));
}

int compte_car_w(QChar c, const QString& texte) {
    return int(texte.count(c));
}

void remplace_car(char ancien, char nouveau, QByteArray& texte) {
    if (texte.contains(ancien)) texte.replace(ancien, nouveau);
}

void remplace_car_w(QChar ancien, QChar nouveau, QString& texte) {
    if (texte.contains(ancien)) texte.replace(ancien, nouveau);
}

void supprime_car_w(QChar c, QString& texte) {
    if (texte.contains(c)) texte.remove(c);
}

QByteArray garde_car_min(unsigned char code_min, const QByteArray& texte) {
    QByteArray resultat;
    resultat.reserve(texte.size());
    for (char c : texte)
        if (static_cast<unsigned char>(c) >= code_min) resultat.append(c);
    return resultat;
}

QString garde_car_min_w(char16_t code_min, const QString& texte) {
    QString resultat;
    resultat.reserve(texte.size());
    for (QChar c : texte)
        if (c.unicode() >= code_min) resultat.append(c);
    return resultat;
}

namespace {
template <typename Garde> void garde_si(QByteArray& texte, Garde garde) {
    qsizetype j = 0;
    const qsizetype taille = texte.size();
    for (qsizetype i = 0; i < taille; ++i) {
        const char c = texte.at(i);
        if (garde(static_cast<unsigned char>(c))) {
            if (j != i) texte[j] = c;
            ++j;
        }
    }
    if (j != taille) texte.truncate(j);
}
} // namespace

void garde_heure(QByteArray& texte) {
    garde_si(texte, [](unsigned char c) {
        return c == ' ' || c == '-' || c == '.' || c == '/' || est_chiffre(c) || c == ':';
    });
}

void garde_car_nombre(QByteArray& texte) {
    garde_si(texte, [](unsigned char c) {
        return c == '+' || c == ',' || c == '-' || c == '.' || est_chiffre(c) || c == 'E';
    });
}

void coupe_accolade(const QByteArray& texte, QByteArray& avant, QByteArray& dedans) {
    const qsizetype p = texte.indexOf("-{");
    if (p < 0) {
        avant = texte;
        dedans.clear();
        return;
    }
    // What follows "-{" without the text's last character, the closing '}'.
    const qsizetype longueur = texte.size() - (p + 2) - 1;
    const QByteArray a = texte.left(p);
    dedans = longueur > 0 ? texte.mid(p + 2, longueur) : QByteArray();
    avant = a;
}

int position_hms_w(const QString& texte) {
    const qsizetype taille = texte.size();
    const QChar* t = texte.constData();
    for (qsizetype i = 0; i + 3 < taille; ++i)
        if (t[i] == QLatin1Char(':') && t[i + 3] == QLatin1Char(':'))
            return i + 4 > INT_MAX ? INT_MAX : int(i + 4);
    return 0;
}

bool contient_hms_w(const QString& texte) {
    return position_hms_w(texte) != 0;
}

// ---------------------------------------------------------------- trimming and paths

QByteArray supprime_espaces_fin(const QByteArray& texte) {
    qsizetype fin = texte.size();
    while (fin > 0 && texte[fin - 1] == ' ')
        --fin;
    return fin == texte.size() ? texte : texte.left(fin);
}

QByteArray supprime_espaces_debut(const QByteArray& texte) {
    qsizetype debut = 0;
    while (debut + 1 < texte.size() && texte[debut] == ' ')
        ++debut;
    return debut == 0 ? texte : texte.mid(debut);
}

QByteArray supprime_espaces(const QByteArray& texte) {
    qsizetype debut = 0, fin = texte.size();
    bornes_sans_espaces(texte.constData(), debut, fin);
    return (debut == 0 && fin == texte.size()) ? texte : texte.mid(debut, fin - debut);
}

QString supprime_espaces(const QString& texte) {
    qsizetype debut = 0, fin = texte.size();
    bornes_sans_espaces(texte.constData(), debut, fin);
    return (debut == 0 && fin == texte.size()) ? texte : texte.mid(debut, fin - debut);
}

QString avec_antislash(const QString& dossier) {
    if (dossier.isEmpty()) return dossier;
    const QChar dernier = dossier.back();
    if (dernier == QLatin1Char('/') || dernier == QLatin1Char('\\')) return dossier;
    return dossier + QDir::separator();
}

// ---------------------------------------------------------------- numbers

void car_signe_decimal(char& c) {
    if (c == '.' || c == ',') c = regional::signe_decimal();
}

void garde_nombre(QByteArray& texte) {
    const char signe = regional::signe_decimal();
    const unsigned char s = static_cast<unsigned char>(signe);
    qsizetype j = 0;
    const qsizetype taille = texte.size();
    for (qsizetype i = 0; i < taille; ++i) {
        char c = texte.at(i);
        if (c == '.' || c == ',') c = signe;
        if (!car_nombre(static_cast<unsigned char>(c), s)) continue;
        if (j != i || texte.at(j) != c) texte[j] = c;
        ++j;
    }
    if (j != taille) texte.truncate(j);
}

void garde_nombre_w(QString& texte) {
    const char16_t signe = static_cast<unsigned char>(regional::signe_decimal());
    qsizetype j = 0;
    const qsizetype taille = texte.size();
    for (qsizetype i = 0; i < taille; ++i) {
        QChar c = texte.at(i);
        // Wide characters are tested on their low byte, as the 8-bit sets they are checked
        // against.
        const char16_t bas = c.unicode() & 0xFF;
        if (bas == '.' || bas == ',')
            c = QChar(signe);
        else if (!car_nombre(bas, signe))
            continue;
        if (j != i || texte.at(j) != c) texte[j] = c;
        ++j;
    }
    if (j != taille) texte.truncate(j);
}

double en_reel(const QByteArray& texte) {
    return en_reel_generique(texte);
}
double en_reel(const QString& texte) {
    return en_reel_generique(texte);
}
int en_entier(const QByteArray& texte) {
    return en_entier_generique(texte);
}
int en_entier(const QString& texte) {
    return en_entier_generique(texte);
}

bool est_nombre(const QByteArray& texte) {
    return est_nombre_generique(texte.constData(), texte.size());
}

bool est_nombre(const QString& texte) {
    return est_nombre_generique(texte.constData(), texte.size());
}

void nettoie_saisie_nombre(QByteArray& texte) {
    for (char& c : texte)
        c = static_cast<char>(touche_en_chiffre(static_cast<unsigned char>(c)));
    garde_car_nombre(texte);
    garde_nombre(texte);
}

double maxi(double a, double b) {
    return a > b ? a : b;
}
double mini(double a, double b) {
    return b < a ? b : a;
}

double arrondi_significatif(int direction, int chiffres, double x) {
    if (!std::isfinite(x)) return x;
    // The mantissa carries 15 digits: more cannot be asked, fewer than one means one.
    if (chiffres < 1) chiffres = 1;
    if (chiffres > 15) chiffres = 15;
    // Scientific writing with 15 significant digits, e.g. 1.23450000000000E+003.
    char ecrit[64];
    std::snprintf(ecrit, sizeof ecrit, "%.14E", x);
    const char* e = std::strchr(ecrit, 'E');
    if (!e) return x;
    const double mantisse = en_reel(QByteArray(ecrit, int(e - ecrit)));
    const int exposant = en_entier(QByteArray(e + 1));
    // The mantissa times 10^14 is a whole number of 15 digits; rounding it in whole numbers
    // keeps representation noise (1.1 x 10 = 11.000000000000002) from moving the result.
    const long long m = std::llround(mantisse * 1e14);
    long long diviseur = 1;
    for (int i = chiffres; i < 15; ++i)
        diviseur *= 10;
    long long q = m / diviseur;
    const long long reste = m % diviseur;
    if (reste != 0) {
        if (direction == 1 && reste > 0)
            ++q;
        else if (direction != 1 && reste < 0)
            --q;
    }
    // q x 10^(exposant - (chiffres - 1)) read back from its decimal writing, so that the
    // result is the double nearest to it (3 x 10^-1 gives 0.3, not 0.30000000000000004).
    const int puissance = exposant - (chiffres - 1);
    char nombre[48];
    const int longueur = std::snprintf(nombre, sizeof nombre, "%lldE%d", q, puissance);
    double resultat = 0;
    const auto r = std::from_chars(nombre, nombre + longueur, resultat);
    if (r.ec == std::errc::result_out_of_range)
        resultat = std::copysign(puissance > 0 ? HUGE_VAL : 0.0, double(q));
    return resultat;
}

double pas_graduation(double minimum, double maximum) {
    const double d = (maximum - minimum) / 10;
    double s = arrondi_significatif(1, 1, d);
    if (s == 0) s = d;
    if (s == 0) s = 1;
    return s;
}

// ---------------------------------------------------------------- keys, colours, text

QChar filtre_touche_chiffre(QChar touche) {
    const char16_t c = touche_en_chiffre(touche.unicode());
    if (c == 8 || c == 9 || c == ',' || c == '-' || c == '.' || est_chiffre(c)) return QChar(c);
    return QChar(0);
}

TCouleur couleur_inverse(TCouleur couleur) {
    const TCouleur c = couleur & 0xFFFFFF;
    // Black and white have no useful opposite on the plot: both become mid-grey.
    if (c == rgb(0, 0, 0) || c == rgb(255, 255, 255)) return rgb(128, 128, 128);
    return rgb(255 - rouge(c), 255 - vert(c), 255 - bleu(c));
}

int largeur_texte(const QString& texte, int minimum) {
    const QChar* t = texte.constData();
    const qsizetype taille = texte.size();
    qsizetype plus_longue = 0;
    qsizetype i = 0;
    while (i < taille) {
        qsizetype fin = i;
        while (fin < taille && t[fin] != QLatin1Char('\n'))
            ++fin;
        qsizetype debut = i;
        qsizetype f = fin;
        bornes_sans_espaces(t, debut, f);
        if (f - debut > plus_longue) plus_longue = f - debut;
        i = fin + 1;
    }
    const long long largeur = 13LL * plus_longue;
    if (largeur < minimum) return minimum;
    return largeur > INT_MAX ? INT_MAX : int(largeur);
}

QByteArray bool_en_texte(bool valeur) {
    return valeur ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

bool texte_en_bool(const QByteArray& texte) {
    return texte == "true";
}

// ---------------------------------------------------------------- line files

QByteArray lit_ligne(const QString& fichier, int n) {
    if (n < 1) return {};
    bool existe = false;
    const QList<QByteArray> lignes = lit_lignes(fichier, n, existe);
    return lignes.size() >= n ? lignes[n - 1] : QByteArray();
}

QByteArray lit_ligne_defaut(const QString& fichier, int n, const QByteArray& defaut) {
    const QByteArray ligne = lit_ligne(fichier, n);
    return ligne.isEmpty() ? defaut : ligne;
}

bool ecrit_ligne(const QByteArray& valeur, const QString& fichier, int n) {
    constexpr int nb_lignes = 30;
    if (n < 1 || n > nb_lignes || fichier.isEmpty()) return false;
    bool existe = false;
    QList<QByteArray> lignes = lit_lignes(fichier, nb_lignes, existe);
    while (lignes.size() < nb_lignes)
        lignes.append(QByteArray());
    // A line end inside the value would shift every line after it.
    QByteArray v = valeur;
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    lignes[n - 1] = v;
    QByteArray contenu;
    for (const QByteArray& l : lignes) {
        contenu += l;
        contenu += "\r\n";
    }
    QSaveFile f(fichier);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(contenu) != contenu.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}
