#include <gtest/gtest.h>

#include "acquisition/traceur.h"
#include "outils_tests.h"
#include "test_decodeur_fixture.h"

namespace {
// One tracing point with a 10 s step and an excess of 100: 100 x (10 / 86400) x 36000.
constexpr double apport_10s = 100.0 * 10.0 / 86400.0 * 36000.0; // 416.67
} // namespace

TEST(MoyenneDernieres, SurLesKDerniersPointsOuTousSIlEnManque) {
    TStock_mesures stock;
    stock.alloue_initial();
    for (int i = 1; i <= 150; ++i)
        stock.point(i).grandeur1 = i;
    struct Cas {
        int nb_points;
        int k;
        double attendu;
    } cas[] = {{150, 100, 100.5}, {150, 60, 120.5}, {3, 100, 2}, {0, 100, 0}, {150, 0, 0}};
    for (const Cas& c : cas) {
        stock.nb_mesures = c.nb_points;
        EXPECT_DOUBLE_EQ(moyenne_dernieres(stock, c.k), c.attendu)
            << c.nb_points << " points, k = " << c.k;
    }
}

class Traceur : public Decodeur_essai {
protected:
    void SetUp() override {
        Decodeur_essai::SetUp();
        programme.etat.facteur_aire = 1;
        programme.reglages.facteur = " 1 ";
    }
    // Marks t0 before the next point, as the t0 button does.
    void marque_t0() {
        programme.etat.indice_t0 = programme.stock.nb_mesures + 1;
        programme.etat.heure_t0 = maintenant;
    }
    double aire() const { return double(programme.etat.aire); }
};

TEST_F(Traceur, AireParPasDeDixSecondesEtLibelles) {
    decode_serie(3, "100", 10);
    EXPECT_EQ(aire(), 0);
    EXPECT_DOUBLE_EQ(double(programme.etat.base), 100);
    marque_t0();
    for (int i = 1; i <= 3; ++i) {
        ASSERT_TRUE(decode(ligne("200")));
        EXPECT_NEAR(aire(), i * apport_10s, 1e-9) << "point de traçage " << i;
        maintenant = maintenant.addSecs(10);
    }
    EXPECT_NEAR(apport_10s, 416.67, 0.005);
    EXPECT_DOUBLE_EQ(double(programme.etat.base), 100); // frozen at t0
    EXPECT_EQ(texte("Label_zero"), QStringLiteral("base =   100    dhMAX =   100    hMAX =   200  "
                                                  "  aire[µS/cm.s]x1 = 1250,00000 "));
    EXPECT_EQ(texte("Label_hauteur"), QStringLiteral("(moy. des 60 der. val.) - base =     50,0 "));
}

TEST_F(Traceur, LibelleDeBaseSelonLesDecimalesEtLaLocale) {
    programme.reglages.nb_decimale_1 = "\xB5=2;F=3";
    Locale_temporaire en(QStringLiteral("en_US"));
    ASSERT_TRUE(decode(ligne("600.5")));
    ASSERT_TRUE(decode(ligne("601.5")));
    EXPECT_EQ(texte("Label_zero"), QStringLiteral("base = 601.00    Hmax = 600.50 "));
    EXPECT_EQ(texte("Label_hauteur"), QStringLiteral("(moy. des 60 der. val.) - base =      0.0 "));
}

TEST_F(Traceur, ContributionsDesPointsDeTracage) {
    struct Cas {
        const char* nom;
        int pas_secondes;
        const char* valeur;
        double apport;
    } cas[] = {
        {"meme_seconde", 0, "200", 0},
        {"sous_la_base", 10, "50", -apport_10s / 2},
        {"une_minute", 60, "200", 6 * apport_10s},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        programme = TProgramme();
        SetUp();
        decode_serie(2, "100", 10);
        marque_t0();
        ASSERT_TRUE(decode(ligne("100")));
        const double avant = aire();
        maintenant = maintenant.addSecs(c.pas_secondes);
        ASSERT_TRUE(decode(ligne(c.valeur)));
        EXPECT_NEAR(aire() - avant, c.apport, 1e-9);
    }
}

TEST_F(Traceur, T0AvantLePremierPointDonneUnPasNul) {
    programme.etat.indice_t0 = 0;
    programme.etat.heure_t0 = maintenant;
    ASSERT_TRUE(decode(ligne("200")));
    EXPECT_EQ(aire(), 0);
    maintenant = maintenant.addSecs(10);
    ASSERT_TRUE(decode(ligne("200")));
    // No baseline was measured: the excess is the whole value.
    EXPECT_NEAR(aire(), 2 * apport_10s, 1e-9);
}

TEST_F(Traceur, HeureIllisibleOuVideDonneUnPasNul) {
    struct Cas {
        const char* nom;
        const char* locale;
        QByteArray heure_precedente;
        QByteArray heure_courante;
        double apport;
    } cas[] = {
        {"lisible", "fr_FR", "01/05/2024 14:00:00", "01/05/2024 14:00:10", apport_10s},
        {"passage_de_minuit", "fr_FR", "01/05/2024 23:59:55", "02/05/2024 00:00:05", apport_10s},
        {"heures_sur_un_chiffre", "fr_FR", "01/05/2024 14:00:00", " 01/05/2024 14:0:10 ",
         apport_10s},
        {"precedente_vide", "fr_FR", "", "01/05/2024 14:00:10", 0},
        {"precedente_illisible", "fr_FR", "5/1/24 2:00:00 PM", "01/05/2024 14:00:10", 0},
        {"courante_illisible", "fr_FR", "01/05/2024 14:00:00", "pas une date", 0},
        {"date_illisible", "fr_FR", "01/05/2024 14:00:00", "32/05/2024 14:00:10", 0},
        {"heure_hors_limites", "fr_FR", "01/05/2024 14:00:00", "01/05/2024 24:00:10", 0},
        {"heure_sans_date", "fr_FR", "01/05/2024 14:00:00", " 14:00:10", 0},
        // The same texts under other regional settings than those that wrote them.
        {"autre_format_de_date", "en_US", "01/05/2024 14:00:00", "01/05/2024 14:00:10", 0},
        {"format_de_date_a_deux_chiffres", "en_US", "5/1/24 14:00:00", "5/1/24 14:00:10",
         apport_10s},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Locale_temporaire locale(QString::fromLatin1(c.locale));
        TProgramme p;
        p.etat.facteur_aire = 1;
        p.etat.indice_t0 = 1;
        p.etat.base = 100;
        p.etat.nb_decimales = "0";
        p.stock.nb_mesures = 2;
        p.stock.point(1).fixe_heure(c.heure_precedente);
        p.stock.point(2).fixe_heure(c.heure_courante);
        p.stock.point(2).grandeur1 = 200;
        Rapport_essai r;
        EXPECT_NO_THROW(calcule_traceur(p, r));
        EXPECT_NEAR(double(p.etat.aire), c.apport, 1e-9);
        EXPECT_TRUE(r.texte_de("Label_zero").startsWith(QStringLiteral("base =   100    dhMAX")));
    }
}
