#include "acquisition/traceur.h"

#include <algorithm>

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

// A point's time as wall-clock seconds, read as regional::lit_date_heure reads it. The
// difference of two such times is the plain difference of the texts, as the area wants it,
// and no time zone is consulted on this per-point path.
bool lit_secondes(const TMesure& point, qint64& secondes) {
    const QString texte = depuis_1252(point.texte_heure()).trimmed();
    const qsizetype espace = texte.lastIndexOf(QLatin1Char(' '));
    if (espace < 0) return false;
    const QString& format = regional::courant().format_date_courte;
    QDate date = QDate::fromString(texte.left(espace).trimmed(), format);
    const QTime heure = QTime::fromString(texte.mid(espace + 1), QStringLiteral("h:m:s"));
    if (!date.isValid() || !heure.isValid()) return false;
    if (!format.contains(QStringLiteral("yyyy")) && date.year() < 1950) date = date.addYears(100);
    secondes = date.toJulianDay() * 86400 + heure.msecsSinceStartOfDay() / 1000;
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
