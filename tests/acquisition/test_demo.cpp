#include "test_boucle_outils.h"

#include <cmath>

#include "acquisition/boucle_caracteres.h"
#include "acquisition/demo.h"
#include "acquisition/lance_acquisition.h"
#include "outils_tests.h"

namespace {

TEST(Demo, CourbeDePassageApresT0) {
    TEtat_acquisition etat;
    etat.compteur_demo = 100;
    EXPECT_DOUBLE_EQ(conductivite_demo(etat), 600.3); // t0 not marked
    etat.indice_t0 = 0;
    const struct {
        int k;
        long valeur; // with 0 decimals
    } cas[] = {{1, 600}, {100, 752}, {140, 800}, {180, 770}, {300, 638}};
    for (const auto& c : cas) {
        etat.compteur_demo = c.k;
        EXPECT_EQ(std::lround(conductivite_demo(etat)), c.valeur) << c.k;
    }
}

TEST(Demo, EnregistrementSynthetiqueAvecLesDecimalesDuPrefixe) {
    for (const char* locale : {"fr_FR", "en_US"}) {
        Locale_temporaire regional{QString::fromLatin1(locale)};
        TProgramme programme;
        programme.reglages.nb_decimale_1 = "\xB5=0;m=3;k=1;F=3";
        const QString debut = QStringLiteral(
            "26.09.2009 04:19:39| Multi 3430| No.sér.  14451527| | | TetraCon 925| No.sér.  "
            "14440518| Cond ");
        const QString fin = QStringLiteral(
            " µS/cm 22.9 °C| C = 0.475 1/cm, Tref25, nLF| | _____________________________|");
        EXPECT_EQ(texte_demo(programme), debut + QStringLiteral("     600") + fin) << locale;
        programme.etat.prefixe_initial = "m";
        EXPECT_EQ(texte_demo(programme), debut + QStringLiteral(" 600.300") + fin) << locale;
    }
}

class Demo_essai : public Boucle_essai {
protected:
    void SetUp() override {
        Boucle_essai::SetUp();
        programme.reglages.mode_demo = true;
        programme.reglages.demo_rapide = true;
        programme.reglages.lecture_csv = 0;
    }
    // N passes, t0 marked as the t0 button does once K points are stored.
    void lance(int passages, int k) {
        int passage = 0;
        rapport.a_chaque_passage = [&] {
            if (!programme.etat.t0_marque() && programme.stock.nb_mesures >= k)
                marque_t0(programme);
            if (++passage > passages) programme.etat.arret = true;
        };
        TSource_muette muette;
        boucle_caracteres(programme, rapport, muette);
    }
};

TEST_F(Demo_essai, Demo400PassagesT0A100PointParPoint) {
    lance(400, 100);
    ASSERT_EQ(nb_mesures(), 400);
    EXPECT_EQ(programme.etat.indice_t0, 100);
    ASSERT_EQ(rapport.lignes.size(), 401);
    EXPECT_TRUE(rapport.lignes.at(0).startsWith("Forage1-heure-DEMO\tn\theure\theure-tra\xE7"
                                                "age\tconductivit\xE9[\xB5S/cm]\ttemp\xE9rature"));
    TEtat_acquisition courbe;
    courbe.indice_t0 = 0;
    for (int n = 1; n <= 400; ++n) {
        courbe.compteur_demo = n - 100;
        const double attendu = n <= 100 ? 600 : std::round(conductivite_demo(courbe));
        EXPECT_DOUBLE_EQ(g1(n), attendu) << "point " << n;
        EXPECT_DOUBLE_EQ(g2(n), 22.9) << "point " << n;
        const TMesure& p = programme.stock.point(n);
        EXPECT_TRUE(p.ph >= 7.1 && p.ph < 8.1 && p.ox >= 80 && p.ox < 100) << "point " << n;
        // Rows: the time part of column 1 counts one second a point; column 4 for the points
        // stored after t0 was marked (point 100 was written just before).
        const QList<QByteArray> colonnes = rapport.lignes.at(n).split('\t');
        EXPECT_TRUE(colonnes.at(0).endsWith(
            QTime(0, 0).addSecs(n).toString(QStringLiteral("hh:mm:ss")).toLatin1()))
            << colonnes.at(0).constData();
        EXPECT_EQ(colonnes.at(3).isEmpty(), n <= 100) << "point " << n;
    }
    EXPECT_DOUBLE_EQ(g1(200), 752);
    EXPECT_DOUBLE_EQ(g1(240), 800);
    EXPECT_DOUBLE_EQ(g1(280), 770);
    EXPECT_DOUBLE_EQ(g1(400), 638);
}

TEST_F(Demo_essai, LInstrumentActifEstRemplacePourLaDemo) {
    cellule("repère", "Temp-{xyz}");
    cellule("occurence", "7");
    programme.reglages.demo_rapide = false;
    lance(3, 1000);
    EXPECT_EQ(nb_mesures(), 3);
    EXPECT_EQ(rapport.texte_de("Label_multimetre"), QStringLiteral("DEMO"));
    const TMultimetre& m = programme.multimetre_actif;
    EXPECT_EQ(m.repere[1], QByteArray("Cond"));
    EXPECT_TRUE(m.exclusion.isEmpty());
    EXPECT_EQ(m.occurence[1], 2);
    EXPECT_EQ(m.occurence[2], 4);
    EXPECT_EQ(m.grandeur[2], QByteArray("temp\xE9rature"));
    // Without "rapide": about one record a second.
    EXPECT_EQ(attentes.count(960), 4);
    EXPECT_EQ(attentes.count(10), 4);
}

} // namespace
