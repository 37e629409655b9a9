#include "acquisition/traceur.h"

#include <QByteArrayView>
#include <algorithm>
#include <cstring>

#include "util/cp1252.h"
#include "util/regional.h"
#include "util/texte.h"

namespace {

// The number of decimals of the labels; the decoder only stores plain counts, anything else
// shows with none rather than failing.
int decimales(const QByteArray& nb_decimales) {
    bool lu = false;
    const int d = nb_decimales.toInt(&lu);
    return lu && d >= 0 ? d : 0;
}

// The day of a date text in the short date format, as regional::lit_date_heure reads it.
bool lit_jour(const QString& texte_date, qint64& jour) {
    const QString& format = regional::courant().format_date_courte;
    QDate date = QDate::fromString(texte_date.trimmed(), format);
    if (!date.isValid()) return false;
    if (!format.contains(QStringLiteral("yyyy")) && date.year() < 1950) date = date.addYears(100);
    jour = date.toJulianDay();
    return true;
}

// Reading a date in a format costs more than all the rest of the area, and consecutive points
// share their date: the latest reading is kept, keyed by the text and the format. A memo of a
// pure reading, on the program's one thread.
bool lit_jour_memorise(const char* debut, qsizetype taille, qint64& jour) {
    struct TMemo {
        bool rempli = false;
        QByteArray texte;
        QString format;
        qint64 jour = 0;
        bool valide = false;
    };
    thread_local TMemo memo;
    const QByteArrayView texte(debut, taille);
    const QString& format = regional::courant().format_date_courte;
    if (!memo.rempli || memo.texte != texte || memo.format != format) {
        memo.rempli = true;
        memo.texte = texte.toByteArray();
        memo.format = format;
        memo.valide = lit_jour(depuis_1252(memo.texte), memo.jour);
    }
    jour = memo.jour;
    return memo.valide;
}

bool deux_chiffres(const char* t, int maximum, int& valeur) {
    if (t[0] < '0' || t[0] > '9' || t[1] < '0' || t[1] > '9') return false;
    valeur = (t[0] - '0') * 10 + (t[1] - '0');
    return valeur <= maximum;
}

// A point's time as wall-clock seconds, read as regional::lit_date_heure reads it. The
// difference of two such times is the plain difference of the texts, as the area wants it,
// and no time zone is consulted on this per-point path.
bool lit_secondes(const TMesure& point, qint64& secondes) {
    // The times this program writes end in " hh:mm:ss": read without a text conversion.
    const char* t = point.heure;
    const qsizetype taille = qsizetype(strnlen(t, TMesure::taille_heure));
    int h = 0, m = 0, s = 0;
    if (taille >= 9) {
        const char* fin = t + taille - 9;
        if (fin[0] == ' ' && fin[3] == ':' && fin[6] == ':' && deux_chiffres(fin + 1, 23, h) &&
            deux_chiffres(fin + 4, 59, m) && deux_chiffres(fin + 7, 59, s)) {
            qint64 jour = 0;
            if (!lit_jour_memorise(t, taille - 9, jour)) return false;
            secondes = jour * 86400 + h * 3600 + m * 60 + s;
            return true;
        }
    }
    const QString texte = depuis_1252(point.texte_heure()).trimmed();
    const qsizetype espace = texte.lastIndexOf(QLatin1Char(' '));
    if (espace < 0) return false;
    const QTime heure = QTime::fromString(texte.mid(espace + 1), QStringLiteral("h:m:s"));
    qint64 jour = 0;
    if (!heure.isValid() || !lit_jour(texte.left(espace), jour)) return false;
    secondes = jour * 86400 + heure.msecsSinceStartOfDay() / 1000;
    return true;
}

// Time step in days between point n and its predecessor. A tracing point without a predecessor
// (t0 marked before the first point), or a time that cannot be read (a file written under
// other regional settings), adds nothing to the area.
long double pas_de_temps(const TStock_mesures& stock, std::int32_t n) {
    if (n <= 1) return 0;
    const TMesure& courant = stock.point(n);
    const TMesure& precedent = stock.point(n - 1);
    if (courant.heure[0] == 0 || precedent.heure[0] == 0) return 0;
    qint64 s_courant = 0, s_precedent = 0;
    if (!lit_secondes(courant, s_courant) || !lit_secondes(precedent, s_precedent)) return 0;
    return (s_courant - s_precedent) / 86400.0L;
}

} // namespace

double moyenne_dernieres(const TStock_mesures& stock, int k) {
    const std::int32_t nb = std::min<std::int32_t>(k, stock.nb_mesures);
    if (nb <= 0) return 0;
    double somme = 0;
    for (std::int32_t i = stock.nb_mesures; i > stock.nb_mesures - nb; --i)
        somme += stock.point(i).grandeur1;
    return somme / nb;
}

void calcule_traceur(TProgramme& programme, TRapport& rapport) {
    TEtat_acquisition& etat = programme.etat;
    const TStock_mesures& stock = programme.stock;
    const std::int32_t n = stock.nb_mesures;
    const int d = decimales(etat.nb_decimales);
    const auto F = [d](long double x) {
        return regional::format_fixe(double(x), 5, d) + QLatin1Char(' ');
    };

    if (!etat.est_point_tracage(n)) {
        etat.base = moyenne_dernieres(stock, 100);
        etat.aire = 0;
        rapport.texte("Label_zero", QStringLiteral("base = ") + F(etat.base) +
                                        QStringLiteral("   Hmax = ") + F(etat.max_lu1));
    } else {
        // The constant is 36000, not 86400: the area unit of the field sheets.
        etat.aire += (stock.point(n).grandeur1 - etat.base) * pas_de_temps(stock, n) *
                     etat.facteur_aire * 36000;
        rapport.texte("Label_zero",
                      QStringLiteral("base = ") + F(etat.base) + QStringLiteral("   dhMAX = ") +
                          F(etat.max_lu1 - etat.base) + QStringLiteral("   hMAX = ") +
                          F(etat.max_lu1) + QStringLiteral("   aire[") +
                          depuis_1252(etat.prefixe_initial + programme.multimetre_actif.unite[1]) +
                          QStringLiteral(".s]x") +
                          depuis_1252(supprime_espaces(programme.reglages.facteur)) +
                          QStringLiteral(" = ") + regional::format_fixe(double(etat.aire), 8, 5) +
                          QLatin1Char(' '));
    }
    rapport.texte("Label_hauteur", QStringLiteral("(moy. des 60 der. val.) - base = ") +
                                       regional::format_fixe(
                                           double(moyenne_dernieres(stock, 60) - etat.base), 8, 1) +
                                       QLatin1Char(' '));
}
