#include "acquisition/demo.h"

#include <cmath>

#include "acquisition/decodeur.h"
#include "util/cp1252.h"
#include "util/regional.h"

double conductivite_demo(const TEtat_acquisition& etat) {
    if (!etat.t0_marque()) return 600.3;
    const double k = etat.compteur_demo;
    const double base = (k - 140) / 4;
    return 600.3 + 200 * std::exp(-(base * base) / (60 * (1 + 0.05 * k)));
}

QString texte_demo(const TProgramme& programme) {
    const QByteArray decimales =
        cherche_decimales(programme.reglages.nb_decimale_1, programme.etat.prefixe_initial, "0");
    QString valeur = regional::format_fixe(conductivite_demo(programme.etat), 8, decimales.toInt());
    valeur.replace(QLatin1Char(','), QLatin1Char('.'));
    return QStringLiteral("26.09.2009 04:19:39| Multi 3430| No.sér.  14451527| | | TetraCon 925| "
                          "No.sér.  14440518| Cond ") +
           valeur +
           QStringLiteral(" µS/cm 22.9 °C| C = 0.475 1/cm, Tref25, nLF| | "
                          "_____________________________|");
}

void applique_demo(TProgramme& programme, TRapport& rapport) {
    TMultimetre& m = programme.multimetre_actif;
    programme.reglages.nom_multimetre = "DEMO";
    rapport.texte("Label_multimetre", QStringLiteral("DEMO"));
    m.grandeur[1] = vers_1252(QStringLiteral("conductivité"));
    m.repere[1] = "Cond";
    m.exclusion.clear();
    m.occurence[1] = 2;
    m.nb_hms[1] = 2;
    m.grandeur[2] = vers_1252(QStringLiteral("température"));
    m.repere[2] = "Cond";
    m.occurence[2] = 4;
    m.nb_hms[2] = 2;
}
