#include <gtest/gtest.h>

#include <functional>

#include "outils_tests.h"
#include "test_decodeur_fixture.h"
#include "util/cp1252.h"

namespace {

QByteArray derniere_ligne(const TProgramme& programme) {
    return programme.lignes.principales.isEmpty() ? QByteArray()
                                                  : programme.lignes.principales.last();
}

QList<QByteArray> colonnes(const QByteArray& ligne) {
    return ligne.split('\t');
}

} // namespace

// ---- header line and record row, byte for byte ----

TEST_F(Decodeur_essai, EnteteEtLigneOctetParOctetSelonLaLocaleEtLeSigneDesFichiers) {
    const QByteArray entete = "Forage1-heure-Multi 3430\tn\theure\theure-tra\xE7"
                              "age\tconductivit\xE9[\xB5S/cm]\ttemp\xE9rature";
    struct Cas {
        const char* locale;
        int signe_fichier;
        QByteArray ligne;
        const char* valeur2;
    } cas[] = {
        {"fr_FR", 1, "01/05/2024 14:00:00\t1\t26.09.2009 04:19:39\t\t1234.600\t22.9",
         " 22,9 \xB0"
         "C"},
        {"fr_FR", 0, "01/05/2024 14:00:00\t1\t26.09.2009 04:19:39\t\t1234,600\t22,9",
         " 22,9 \xB0"
         "C"},
        {"en_US", 1, "5/1/24 14:00:00\t1\t26.09.2009 04:19:39\t\t1234.600\t22.9",
         " 22.9 \xB0"
         "C"},
        {"en_US", 0, "5/1/24 14:00:00\t1\t26.09.2009 04:19:39\t\t1234,600\t22,9",
         " 22.9 \xB0"
         "C"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.locale) + " signe " + std::to_string(c.signe_fichier));
        Locale_temporaire locale(QString::fromLatin1(c.locale));
        TProgramme neuf;
        neuf.multimetre_actif = programme.multimetre_actif;
        neuf.reglages = programme.reglages;
        neuf.reglages.signe_decimal_fichier = c.signe_fichier;
        neuf.horloge = programme.horloge;
        Rapport_essai r;
        TContexte_decodage ctx{"26.09.2009 04:19:39", {}};

        ASSERT_TRUE(
            decode_enregistrement(neuf, r, TVariante_decodeur::caracteres, ligne("1234.6"), ctx));
        const QList<QByteArray> attendu{entete, c.ligne};
        EXPECT_EQ(neuf.lignes.principales, attendu);
        EXPECT_EQ(neuf.lignes.parametres, attendu);
        EXPECT_EQ(r.lignes, attendu);
        EXPECT_EQ(r.texte_de("Label_val_grand1"), QStringLiteral("1235 µS/cm"));
        EXPECT_EQ(r.texte_de("Label_val_grand2"), QString::fromLatin1(c.valeur2));
        EXPECT_EQ(r.texte_de("Label_heure"), depuis_1252(c.ligne.left(c.ligne.indexOf('\t'))));
    }
}

TEST_F(Decodeur_essai, PointStockeEtLibellesDuPoint) {
    ASSERT_TRUE(decode(ligne("1234.6")));
    EXPECT_EQ(programme.stock.nb_mesures, 1);
    EXPECT_DOUBLE_EQ(point(1).grandeur1, 1234.6);
    EXPECT_DOUBLE_EQ(point(1).grandeur2, 22.9);
    EXPECT_EQ(point(1).texte_heure(), QByteArray("01/05/2024 14:00:00"));
    EXPECT_EQ(rapport.dernier_n, 1);
    EXPECT_DOUBLE_EQ(rapport.dernier_point.grandeur1, 1234.6);
    EXPECT_EQ(programme.etat.dernier_trace, 1);
    EXPECT_EQ(rapport.nb_retraces, 1);
    EXPECT_EQ(programme.etat.nb_decimales, QByteArray("0"));
    EXPECT_EQ(programme.etat.prefixe_initial, QByteArray("\xB5"));
    EXPECT_EQ(texte("Label_n"), QStringLiteral("n = 1"));
    EXPECT_EQ(texte("Form2.Label_n"), QStringLiteral("1"));
    EXPECT_EQ(texte("Label_multiple_initial"), QStringLiteral("[µ]°"));
    EXPECT_EQ(texte("Label_grandeur1"), QStringLiteral("conductivité"));
    EXPECT_EQ(texte("Label_grandeur2"), QStringLiteral("température"));
    EXPECT_EQ(texte("Label_tracage"), QStringLiteral("---"));
    EXPECT_EQ(rapport.couleurs.value(QStringLiteral("Label_tracage")), rgb(0, 100, 255));
    EXPECT_EQ(rapport.couleurs.value(QStringLiteral("Label15")), rgb(0, 100, 255));
    // The header is written once, with point 1 only.
    ASSERT_TRUE(decode(ligne("1234.6")));
    EXPECT_EQ(programme.lignes.principales.size(), 3);
    EXPECT_TRUE(programme.lignes.principales[2].startsWith("01/05/2024 14:00:00\t2\t"));
}

TEST_F(Decodeur_essai, ExtremesLusEtLibelleDeBaseEnRetardDUnPoint) {
    ASSERT_TRUE(decode(ligne("600")));
    ASSERT_TRUE(decode(ligne("650", "\xB5S/cm", "18.5")));
    EXPECT_EQ(texte("Label_y1_max_lu"), QStringLiteral("650,0"));
    EXPECT_EQ(texte("Label_y1_min_lu"), QStringLiteral("600,0"));
    EXPECT_EQ(texte("Label_y2_max_lu"), QStringLiteral(" 22,9"));
    EXPECT_EQ(texte("Label_y2_min_lu"), QStringLiteral(" 18,5"));
    // Label_zero shows the maximum as it was before this point.
    EXPECT_EQ(texte("Label_zero"), QStringLiteral("base =   625    Hmax =   600 "));
}

// ---- unit prefixes and decimals ----

TEST_F(Decodeur_essai, ChangementDeGammeRameneALUniteDesPremiersPoints) {
    struct Cas {
        const char* unite_initiale;
        const char* valeur_initiale;
        const char* unite_point4;
        const char* valeur_point4;
        double attendu;
        QByteArray colonne5;
    } cas[] = {
        {"\xB5S/cm", "500", "mS/cm", "1.2345", 1234.5, "1234.500"},
        {"mS/cm", "1.5", "\xB5S/cm", "800", 0.8, "   0.800"},
        {"\xB5S/cm", "500", "\xB5S/cm", "800", 800, " 800.000"},
        {"mS/cm", "1.5", "mS/cm", "1.6", 1.6, "   1.600"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.unite_initiale) + " -> " + c.unite_point4);
        TProgramme neuf;
        neuf.multimetre_actif = programme.multimetre_actif;
        neuf.reglages = programme.reglages;
        Rapport_essai r;
        TContexte_decodage ctx{"04:19:39", {}};
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(decode_enregistrement(neuf, r, TVariante_decodeur::caracteres,
                                              ligne(c.valeur_initiale, c.unite_initiale), ctx));
        ASSERT_TRUE(decode_enregistrement(neuf, r, TVariante_decodeur::caracteres,
                                          ligne(c.valeur_point4, c.unite_point4), ctx));
        EXPECT_DOUBLE_EQ(neuf.stock.point(4).grandeur1, c.attendu);
        EXPECT_EQ(colonnes(derniere_ligne(neuf)).value(4), c.colonne5);
        EXPECT_EQ(neuf.etat.prefixe_initial, QByteArray(c.unite_initiale).left(1));
        EXPECT_EQ(r.texte_de("Label_multiple_courant"),
                  QString::fromLatin1(QByteArray(c.unite_point4).left(1)));
    }
}

TEST(Decimales, RechercheParPrefixeAvecRepliSurLeDefaut) {
    struct Cas {
        QByteArray table;
        QByteArray cle;
        QByteArray defaut;
        QByteArray attendu;
    } cas[] = {
        {"\xB5=0;m=3;k=1;F=3", "\xB5", "0", "0"},
        {"\xB5=0;m=3;k=1;F=3", "m", "0", "3"},
        {"\xB5=0;m=3;k=1;F=3", "K", "0", "1"},
        {"\xB5=0;m=3;k=1;F=3", "F", "4", "3"},
        {"\xB5=0;m=3;k=1", "F", "4", "4"},    // missing key: field 1, not a number
        {"\xB5=0;m=3;k=1;F=3", "", "0", "0"}, // no prefix seen
        {"\xB5=1.5;F=x", "\xB5", "0", "0"},   // not a count: the format would be invalid
        {"\xB5=-2;F=3", "\xB5", "7", "7"},
        {"\xB5=1E3;F=3", "\xB5", "7", "7"},
        {"", "F", "4", "4"},
        {TReglages().nb_decimale_1, "m", "0", "3"}, // the table as the settings hold it
        {TReglages().nb_decimale_1, "F", "4", "3"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(cherche_decimales(c.table, c.cle, c.defaut), c.attendu)
            << c.table.toStdString() << " / " << c.cle.toStdString();
}

TEST_F(Decodeur_essai, TableDeDecimalesInvalideDonneLesDecimalesParDefautSansRejet) {
    programme.reglages.nb_decimale_1 = "\xB5=x;F=1.5";
    ASSERT_TRUE(decode(ligne("1234.6")));
    EXPECT_EQ(colonnes(derniere_ligne(programme)).value(4), QByteArray("1234.6000"));
    EXPECT_EQ(programme.etat.nb_decimales, QByteArray("0"));
    EXPECT_EQ(texte("Label_val_grand1"), QStringLiteral("1235 µS/cm"));
    EXPECT_EQ(programme.etat.nb_lignes_rejetees, 0);
}

// ---- lines that are not taken ----

struct Cas_ignore {
    const char* nom;
    std::function<void(TProgramme&, TContexte_decodage&)> prepare;
    QString ligne;
};

void PrintTo(const Cas_ignore& cas, std::ostream* sortie) {
    *sortie << cas.nom;
}

class Ligne_ignoree : public Decodeur_essai, public ::testing::WithParamInterface<Cas_ignore> {};

TEST_P(Ligne_ignoree, RienNEstStockeNiSignale) {
    GetParam().prepare(programme, contexte);
    EXPECT_FALSE(decode(GetParam().ligne));
    EXPECT_EQ(programme.stock.nb_mesures, 0);
    EXPECT_TRUE(programme.lignes.principales.isEmpty());
    EXPECT_EQ(programme.etat.nb_lignes_rejetees, 0);
    EXPECT_TRUE(rapport.tout_le_journal.isEmpty());
    EXPECT_EQ(rapport.nb_retraces, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Decodeur, Ligne_ignoree,
    ::testing::Values(
        Cas_ignore{
            "lecture_sans_traitement",
            [](TProgramme& p, TContexte_decodage&) { p.reglages.lecture_sans_traitement = true; },
            Decodeur_essai::ligne("512")},
        Cas_ignore{"avant_la_premiere_heure",
                   [](TProgramme&, TContexte_decodage& c) { c.texte_heure.clear(); },
                   Decodeur_essai::ligne("512")},
        Cas_ignore{"exclusion",
                   [](TProgramme& p, TContexte_decodage&) { p.multimetre_actif.exclusion = "Cal"; },
                   QStringLiteral("Cond 512 \u00B5S/cm 22.9 Cal")},
        Cas_ignore{"repere_vide",
                   [](TProgramme& p, TContexte_decodage&) { p.multimetre_actif.repere[1].clear(); },
                   Decodeur_essai::ligne("512")},
        Cas_ignore{"sans_repere", [](TProgramme&, TContexte_decodage&) {},
                   QStringLiteral("cond 512 \u00B5S/cm")},
        Cas_ignore{"ligne_vide", [](TProgramme&, TContexte_decodage&) {}, QString()}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(Decodeur_essai, LigneDHeureDevientLHeureDuMultimetre) {
    contexte.texte_heure.clear();
    EXPECT_FALSE(decode(QStringLiteral("t=04:19:40h")));
    EXPECT_EQ(contexte.texte_heure, QByteArray("t=04:19:40h"));
    ASSERT_TRUE(decode(ligne("512")));
    // Cleaned to the characters of a time.
    EXPECT_EQ(colonnes(derniere_ligne(programme)).value(2), QByteArray("04:19:40"));
    EXPECT_EQ(contexte.texte_heure, QByteArray("04:19:40"));
}

TEST_F(Decodeur_essai, ChampsManquantsDonnentZero) {
    ASSERT_TRUE(decode(QStringLiteral("Cond")));
    EXPECT_EQ(point(1).grandeur1, 0);
    EXPECT_EQ(point(1).grandeur2, 0);
    ASSERT_TRUE(decode(QStringLiteral("Cond 12")));
    EXPECT_EQ(point(2).grandeur1, 12);
    EXPECT_EQ(derniere_ligne(programme),
              QByteArray("01/05/2024 14:00:00\t2\t26.09.2009 04:19:39\t\t  12.000\t"));
}

// ---- rejected lines: the acquisition goes on, nothing is half stored ----

struct Cas_rejet {
    const char* nom;
    QString ligne;
    bool trois_sondes;
    const char* texte_fautif; // as the message shows it (PC sign ',')
};

void PrintTo(const Cas_rejet& cas, std::ostream* sortie) {
    *sortie << cas.nom;
}

class Ligne_rejetee : public Decodeur_essai, public ::testing::WithParamInterface<Cas_rejet> {};

TEST_P(Ligne_rejetee, RefuseeAvantQueLIndiceNAvanceEtLAcquisitionContinue) {
    programme.reglages.ph_ox_3sondes = GetParam().trois_sondes;
    ASSERT_TRUE(decode(ligne("500")));
    const QList<QByteArray> lignes_avant = programme.lignes.principales;

    EXPECT_FALSE(decode(GetParam().ligne));
    EXPECT_EQ(programme.stock.nb_mesures, 1);
    EXPECT_EQ(programme.lignes.principales, lignes_avant);
    EXPECT_EQ(programme.etat.nb_lignes_rejetees, 1);
    EXPECT_EQ(texte("Label_rejets"), QStringLiteral("lignes rejetées : 1"));
    ASSERT_GE(rapport.tout_le_journal.size(), 2);
    EXPECT_EQ(rapport.tout_le_journal[0], QStringLiteral("ligne rejetée : ") + GetParam().ligne);
    if (GetParam().texte_fautif) {
        EXPECT_EQ(rapport.tout_le_journal[1],
                  QStringLiteral("  '%1' n'est pas une valeur en virgule flottante correcte")
                      .arg(QString::fromLatin1(GetParam().texte_fautif)));
    }
    EXPECT_EQ(texte("Label_n"), QStringLiteral("n = 1"));
    EXPECT_EQ(rapport.nb_retraces, 1);

    // The next good line takes the next index.
    ASSERT_TRUE(decode(ligne("520")));
    EXPECT_EQ(programme.stock.nb_mesures, 2);
    EXPECT_EQ(point(2).grandeur1, 520);
    EXPECT_EQ(colonnes(derniere_ligne(programme)).value(1), QByteArray("2"));
}

INSTANTIATE_TEST_SUITE_P(
    Decodeur, Ligne_rejetee,
    ::testing::Values(
        Cas_rejet{"valeur1_a_deux_points", Decodeur_essai::ligne("1.2.3"), false, "1,2,3"},
        Cas_rejet{"valeur2_a_deux_signes", Decodeur_essai::ligne("512", "\xB5S/cm", "1-2"), false,
                  "1-2"},
        Cas_rejet{"octets_binaires",
                  QStringLiteral("Cond ") + QChar(0) + QChar(0xFFFF) + QStringLiteral("12-3") +
                      QChar(7) + QStringLiteral(" \u00B5S/cm 22.9"),
                  false, "12-3"},
        Cas_rejet{"depassement_du_reel", Decodeur_essai::ligne("1E999"), false, nullptr},
        Cas_rejet{"ph_illisible",
                  QStringLiteral("Cond 512 \u00B5S/cm 22.9 \u00B0C pH 7.1.2 Ox 95 %"), true,
                  "7,1,2"}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(Decodeur_essai, ValeurEnormeNeBloquePasLeSuiviDesAxes) {
    ASSERT_TRUE(decode(ligne("1E300")));
    EXPECT_GE(programme.multimetre_actif.y_max[1], 1e300);
    ASSERT_TRUE(decode(ligne("-1E300", "\xB5S/cm", "-1E300")));
    EXPECT_LE(programme.multimetre_actif.y_min[1], -1e300);
    EXPECT_LE(programme.multimetre_actif.y_min[2], -1e300);
}

// ---- point index: replacement in line mode, growth, labels ----

TEST_F(Decodeur_essai, LigneAvecSonHeureRemplaceLeDernierPointEnModeLignes) {
    const QString avec_heure = QStringLiteral("Cond 600 \u00B5S/cm 20 \u00B0C 12:00:01");
    struct Cas {
        TVariante_decodeur variante;
        int nb_attendu;
        int nb_lignes; // a row per call; point 1 written again brings its header again
    } cas[] = {{TVariante_decodeur::lignes, 1, 4}, {TVariante_decodeur::caracteres, 2, 3}};
    for (const Cas& c : cas) {
        TProgramme neuf;
        neuf.multimetre_actif = programme.multimetre_actif;
        neuf.reglages = programme.reglages;
        Rapport_essai r;
        TContexte_decodage ctx{"04:19:39", {}};
        ASSERT_TRUE(decode_enregistrement(neuf, r, c.variante, ligne("500"), ctx));
        ASSERT_TRUE(decode_enregistrement(neuf, r, c.variante, avec_heure, ctx));
        EXPECT_EQ(neuf.stock.nb_mesures, c.nb_attendu);
        EXPECT_EQ(neuf.stock.point(c.nb_attendu).grandeur1, 600);
        EXPECT_EQ(colonnes(derniere_ligne(neuf)).value(1), QByteArray::number(c.nb_attendu));
        EXPECT_EQ(neuf.lignes.principales.size(), c.nb_lignes);
    }
}

TEST_F(Decodeur_essai, CroissanceDuStockSansPerteDePoint) {
    programme.stock.nb_mesures = 9999;
    programme.stock.point(9999).grandeur1 = 42;
    ASSERT_TRUE(decode(ligne("512")));
    EXPECT_EQ(programme.stock.capacite_mesures, 20000);
    EXPECT_EQ(programme.stock.mesures.size(), 20000u);
    EXPECT_EQ(programme.stock.nb_mesures, 10000);
    EXPECT_EQ(point(9999).grandeur1, 42);
    EXPECT_EQ(point(10000).grandeur1, 512);
    EXPECT_EQ(texte("Label_n"), QStringLiteral("n = 10 000"));
    EXPECT_EQ(texte("Form2.Label_n"), QStringLiteral("10 000"));
    ASSERT_TRUE(decode(ligne("513")));
    EXPECT_EQ(point(10001).grandeur1, 513);
    EXPECT_EQ(texte("Label_n"), QStringLiteral("n = 10 001"));
}

TEST_F(Decodeur_essai, RelectureEnModeLignesRafraichitTousLesDixPoints) {
    programme.etat.relecture = true;
    for (int i = 1; i <= 9; ++i)
        ASSERT_TRUE(decode(ligne("500"), TVariante_decodeur::lignes));
    EXPECT_FALSE(rapport.textes.contains(QStringLiteral("Label_n")));
    ASSERT_TRUE(decode(ligne("500"), TVariante_decodeur::lignes));
    EXPECT_EQ(texte("Label_n"), QStringLiteral("n = 10"));
    EXPECT_EQ(rapport.nb_retraces, 0);
    EXPECT_EQ(programme.etat.dernier_trace, 10);
    // The character decoder refreshes every point whatever the replay flag.
    ASSERT_TRUE(decode(ligne("500")));
    EXPECT_EQ(texte("Label_n"), QStringLiteral("n = 11"));
    EXPECT_EQ(rapport.nb_retraces, 1);
}

// ---- tracing time column ----

TEST_F(Decodeur_essai, ColonneHeureTracageDepuisT0) {
    programme.etat.indice_t0 = 2;
    programme.etat.heure_t0 = maintenant;
    ASSERT_TRUE(decode(ligne("500")));
    EXPECT_TRUE(derniere_ligne(programme).contains("26.09.2009 04:19:39\t\t 500.000"));
    EXPECT_EQ(texte("Label_tracage"), QStringLiteral("---"));
    struct Cas {
        qint64 secondes_depuis_t0;
        const char* heure_pc;
        const char* attendu;
    } cas[] = {{0, "01/05/2024 14:00:00", "00:00:00"},
               {3725, "01/05/2024 15:02:05", "01:02:05"},
               {25 * 3600, "02/05/2024 15:00:00", "01:00:00"}};
    for (const Cas& c : cas) {
        maintenant = programme.etat.heure_t0.addSecs(c.secondes_depuis_t0);
        ASSERT_TRUE(decode(ligne("500")));
        EXPECT_EQ(colonnes(derniere_ligne(programme)).value(0), QByteArray(c.heure_pc));
        EXPECT_EQ(texte("Label_heure"), QString::fromLatin1(c.heure_pc));
        EXPECT_EQ(colonnes(derniere_ligne(programme)).value(3), QByteArray(c.attendu));
        EXPECT_EQ(texte("Label_tracage"), QString::fromLatin1(c.attendu));
    }
}

TEST_F(Decodeur_essai, T0NonMarqueResteLigneDeBaseAuDelaDe32000Points) {
    programme.stock.remplace(std::vector<TMesure>(40000), 39999);
    ASSERT_TRUE(decode(ligne("500")));
    EXPECT_EQ(programme.stock.nb_mesures, 40000);
    EXPECT_EQ(colonnes(derniere_ligne(programme)).value(3), QByteArray());
    // t0 pressed before any point: every point is a tracing point.
    TProgramme neuf;
    neuf.multimetre_actif = programme.multimetre_actif;
    neuf.reglages = programme.reglages;
    neuf.horloge = programme.horloge;
    neuf.etat.indice_t0 = 0;
    neuf.etat.heure_t0 = maintenant.addSecs(-5);
    Rapport_essai r;
    ASSERT_TRUE(
        decode_enregistrement(neuf, r, TVariante_decodeur::caracteres, ligne("500"), contexte));
    EXPECT_EQ(colonnes(neuf.lignes.principales.last()).value(3), QByteArray("00:00:05"));
}

// ---- three probes ----

TEST_F(Decodeur_essai, TroisSondesAjoutentPhEtOxygene) {
    const QString ligne_3s = QStringLiteral("Cond 512 \u00B5S/cm 22.9 \u00B0C pH 7.12 Ox 95.3 %");
    struct Cas {
        bool trois_sondes;
        int signe;
        QByteArray fin_entete;
        QByteArray fin_ligne;
        double ph, ox;
    } cas[] = {
        {false, 1, "temp\xE9rature", "\t 512.000\t22.9", 0, 0},
        {true, 1, "temp\xE9rature\tpH\tOx_%", "\t 512.000\t22.9\t7.12\t95.3", 7.12, 95.3},
        {true, 0, "temp\xE9rature\tpH\tOx_%", "\t 512,000\t22,9\t7,12\t95,3", 7.12, 95.3},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.fin_ligne.toStdString());
        TProgramme neuf;
        neuf.multimetre_actif = programme.multimetre_actif;
        neuf.reglages = programme.reglages;
        neuf.reglages.ph_ox_3sondes = c.trois_sondes;
        neuf.reglages.signe_decimal_fichier = c.signe;
        Rapport_essai r;
        TContexte_decodage ctx{"04:19:39", {}};
        ASSERT_TRUE(decode_enregistrement(neuf, r, TVariante_decodeur::caracteres, ligne_3s, ctx));
        EXPECT_TRUE(neuf.lignes.principales[0].endsWith(c.fin_entete));
        EXPECT_TRUE(neuf.lignes.principales[1].endsWith(c.fin_ligne));
        EXPECT_EQ(colonnes(neuf.lignes.principales[1]).size(), c.trois_sondes ? 8 : 6);
        EXPECT_DOUBLE_EQ(neuf.stock.point(1).ph, c.ph);
        EXPECT_DOUBLE_EQ(neuf.stock.point(1).ox, c.ox);
    }
}

// ---- demonstration ----

TEST_F(Decodeur_essai, DemonstrationCompteUneSecondeParPointEtTireePhOx) {
    programme.reglages.mode_demo = true;
    programme.stock.nb_mesures = 64;
    ASSERT_TRUE(decode(ligne("600")));
    EXPECT_EQ(colonnes(derniere_ligne(programme)).value(0), QByteArray("01/05/2024 00:01:05"));
    EXPECT_EQ(point(65).texte_heure(), QByteArray("01/05/2024 14:00:00"));
    EXPECT_GE(point(65).ph, 7.1);
    EXPECT_LE(point(65).ph, 8.09 + 1e-9);
    EXPECT_GE(point(65).ox, 80.0);
    EXPECT_LE(point(65).ox, 99.99 + 1e-9);
    // The line decoder has no demonstration touches.
    ASSERT_TRUE(decode(ligne("600"), TVariante_decodeur::lignes));
    EXPECT_EQ(colonnes(derniere_ligne(programme)).value(0), QByteArray("01/05/2024 14:00:00"));
    EXPECT_EQ(point(66).ph, 0);
}

// ---- interval check at point 12 ----

TEST_F(Decodeur_essai, ControleDesIntervallesAuPoint12) {
    struct Cas {
        const char* nom;
        TVariante_decodeur variante;
        bool demo;
        int secondes_2_a_12;
        QByteArray intervalle;
        const char* label7; // nullptr: not shown
    } cas[] = {
        {"trop_rapide", TVariante_decodeur::caracteres, false, 2, "1",
         "? rapport des intervalles   5"},
        {"trop_lent", TVariante_decodeur::lignes, false, 50, "1", "? rapport des intervalles   5"},
        {"conforme", TVariante_decodeur::lignes, false, 10, "1", nullptr},
        {"limite", TVariante_decodeur::lignes, false, 12, "1", nullptr},
        {"intervalle_0_vaut_1", TVariante_decodeur::lignes, false, 10, "0", nullptr},
        {"intervalle_illisible_vaut_1", TVariante_decodeur::lignes, false, 2, "1.2.3",
         "? rapport des intervalles   5"},
        {"demonstration", TVariante_decodeur::caracteres, true, 2, "1", nullptr},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TProgramme neuf;
        neuf.multimetre_actif = programme.multimetre_actif;
        neuf.reglages = programme.reglages;
        neuf.reglages.mode_demo = c.demo;
        neuf.tableau.fixe_cellule(neuf.tableau.colonne_par_titre("intervalle"), 1, c.intervalle);
        QDateTime horloge = maintenant;
        neuf.horloge = [&horloge] { return horloge; };
        Rapport_essai r;
        TContexte_decodage ctx{"04:19:39", {}};
        for (int n = 1; n <= 12; ++n) {
            if (n == 12) horloge = maintenant.addSecs(c.secondes_2_a_12);
            ASSERT_TRUE(decode_enregistrement(neuf, r, c.variante, ligne("500"), ctx));
        }
        EXPECT_EQ(ctx.heure_point2, maintenant);
        if (c.label7) {
            EXPECT_TRUE(r.visibles.value(QStringLiteral("Label7")));
            EXPECT_EQ(r.texte_de("Label7"), QString::fromLatin1(c.label7));
        } else {
            EXPECT_FALSE(r.visibles.contains(QStringLiteral("Label7")));
        }
    }
}

// ---- axes follow the values ----

TEST_F(Decodeur_essai, LesAxesSuiventLesValeurs) {
    struct Cas {
        const char* valeur1;
        const char* valeur2;
        double y_max1, y_min1, graduation1;
        double y_max2, y_min2, graduation2;
        const char* edit; // one edit box that must show its new limit
        const char* texte_edit;
    } cas[] = {
        // 700..750 by 50: 1234.6 climbs by 60 to 1240, rounded up to 1300.
        {"1234.6", "22.9", 1300, 700, 60, 30, 10, 5, "Edit_max_y1", "1300"},
        // 650 steps down by 10 from 750.
        {"650", "22.9", 750, 650, 10, 30, 10, 5, "Edit_min_y1", "650"},
        // Graduation 1000 first (980.1 rounded up), 10 700 rounded up to 11 000, then the
        // graduation of the new limits: 2000 (1030 rounded up).
        {"10501", "22.9", 11000, 700, 2000, 30, 10, 5, "Edit_y1_graduation", "2000"},
        // 45 > 30: graduation 4, then 10 + 9 x 4 = 46.
        {"720", "45", 750, 700, 5, 46, 10, 4, "Edit_max_y2", "46"},
        // -2.5 < 10: graduation 4 (3.25 rounded up), then 30 - 9 x 4 = -6.
        {"720", "-2.5", 750, 700, 5, 30, -6, 4, "Edit_min_y2", "-6"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.valeur1) + " / " + c.valeur2);
        TProgramme neuf;
        neuf.multimetre_actif = programme.multimetre_actif;
        neuf.reglages = programme.reglages;
        Rapport_essai r;
        TContexte_decodage ctx{"04:19:39", {}};
        ASSERT_TRUE(decode_enregistrement(neuf, r, TVariante_decodeur::caracteres,
                                          ligne(c.valeur1, "\xB5S/cm", c.valeur2), ctx));
        const TMultimetre& m = neuf.multimetre_actif;
        EXPECT_DOUBLE_EQ(m.y_max[1], c.y_max1);
        EXPECT_DOUBLE_EQ(m.y_min[1], c.y_min1);
        EXPECT_DOUBLE_EQ(m.y_graduation[1], c.graduation1);
        EXPECT_DOUBLE_EQ(m.y_max[2], c.y_max2);
        EXPECT_DOUBLE_EQ(m.y_min[2], c.y_min2);
        EXPECT_DOUBLE_EQ(m.y_graduation[2], c.graduation2);
        EXPECT_EQ(r.texte_de(c.edit), QString::fromLatin1(c.texte_edit));
    }
}
