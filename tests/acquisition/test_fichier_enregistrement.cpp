#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "acquisition/fichier_enregistrement.h"
#include "acquisition/rapport_memoire.h"
#include "outils_tests.h"
#include "util/cp1252.h"

namespace {

const QByteArray entete = "Forage1-heure-Multi 3430\tn\theure\theure-tra\xE7"
                          "age\tconductivit\xE9[\xB5S/cm]\ttemp\xE9rature";

QByteArray rangee(int n) {
    return "01/05/2024 14:00:0" + QByteArray::number(n % 10) + '\t' + QByteArray::number(n) +
           "\t04:19:39\t\t 512.000\t22.9";
}

QStringList fichiers(const QString& dossier) {
    return QDir(dossier).entryList(QDir::Files, QDir::Name);
}

} // namespace

TEST(NomFichierEnregistrement, PrefixeDateNombreEtEcart) {
    const QDateTime maintenant(QDate(2024, 5, 1), QTime(14, 5, 30));
    struct Cas {
        const char* nom;
        bool demo;
        QByteArray prefixe;
        bool date_heure;
        int nb_mesures;
        const char* max_lu;
        const char* min_lu;
        QString attendu; // empty: no file
    } cas[] = {
        {"complet", false, "Forage1  ", true, 1250, " 618,4", " 300,0",
         QStringLiteral("2024-05-01 14H05'30 Forage1 1250_enreg_318µS.txt")},
        {"sans_date", false, "Forage1", false, 1250, " 618,4", " 300,0",
         QStringLiteral("Forage1 1250_enreg_318µS.txt")},
        {"demonstration", true, "Forage1", false, 12, "max lu", "min lu",
         QStringLiteral("demo 12_enreg_0µS.txt")},
        {"prefixe_vide_avec_date", false, "", true, 12, "max lu", "min lu",
         QStringLiteral("2024-05-01 14H05'30 12_enreg_0µS.txt")},
        {"prefixe_d_espaces_avec_date", false, "   ", true, 0, "max lu", "min lu",
         QStringLiteral("2024-05-01 14H05'30 0_enreg_0µS.txt")},
        {"prefixe_vide_sans_date", false, "", false, 12, "1", "0", QString()},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TReglages reglages;
        reglages.mode_demo = c.demo;
        reglages.prefixe = c.prefixe;
        reglages.date_heure_nom = c.date_heure;
        const QString prefixe = prefixe_fichier(reglages, maintenant);
        if (c.attendu.isEmpty()) {
            EXPECT_TRUE(prefixe.isEmpty());
            continue;
        }
        const TExtremes_affiches extremes{QString::fromLatin1(c.max_lu),
                                          QString::fromLatin1(c.min_lu)};
        EXPECT_EQ(nom_fichier_enregistrement(prefixe, c.nb_mesures, ecart_lu(extremes)), c.attendu);
    }
}

TEST(NomFichierEnregistrement, EcartArrondiAuPairLePlusProche) {
    struct Cas {
        const char* max_lu;
        const char* min_lu;
        qint64 attendu;
    } cas[] = {
        {"  2,5", "  0,0", 2},   {"  3,5", "  0,0", 4}, {"  0,0", "  2,5", -2},
        {"622,5", "100,0", 522}, {"2.5", "0", 2},       {"max lu", "  0,0", 0},
        {"  5,0", "min lu", 0},  {"<0,05", "0", 0},     {"", "", 0},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(ecart_lu({QString::fromLatin1(c.max_lu), QString::fromLatin1(c.min_lu)}),
                  c.attendu)
            << c.max_lu << " - " << c.min_lu;
}

class Sauvegarde : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dossier.isValid());
        programme.reglages.repertoire_travail = dossier.path() + QLatin1Char('/');
        programme.reglages.mode_demo = false;
        programme.horloge = [this] { return maintenant; };
        programme.lignes.ajoute(entete);
        ajoute_points(2);
    }
    void ajoute_points(int nb) {
        for (int i = 0; i < nb; ++i) {
            ++programme.stock.nb_mesures;
            programme.lignes.ajoute(rangee(programme.stock.nb_mesures));
        }
    }
    QString chemin(const QString& nom) const { return dossier.path() + QLatin1Char('/') + nom; }
    QString auto_dossier() const { return dossier.path() + QStringLiteral("/sauvegarde_auto"); }

    QTemporaryDir dossier;
    TProgramme programme;
    TRapport_memoire rapport;
    TExtremes_affiches extremes{QStringLiteral("512,0"), QStringLiteral("500,4")};
    QDateTime maintenant{QDate(2024, 5, 1), QTime(14, 5, 30)};
};

TEST_F(Sauvegarde, EcritLesLignesEn1252AvecCrLfEtNeRecommencePasSansNouveaute) {
    const TResultat_sauvegarde resultat = sauvegarde_lignes(programme, rapport, extremes);
    const QString nom = QStringLiteral("2024-05-01 14H05'30 Forage1 2_enreg_12µS.txt");
    ASSERT_EQ(resultat.chemin, chemin(nom));
    EXPECT_TRUE(resultat.erreur.isEmpty());
    EXPECT_EQ(lit_fichier(resultat.chemin),
              entete + "\r\n" + rangee(1) + "\r\n" + rangee(2) + "\r\n");
    EXPECT_EQ(programme.enregistrement.nb_enreg_sauves, 2);
    EXPECT_EQ(rapport.texte_de("Label22"), nom);
    EXPECT_EQ(rapport.texte_de("Label11"), QStringLiteral(" sauvegardé à 14H05"));
    EXPECT_EQ(resultat.nom_fichier, nom);
    EXPECT_EQ(resultat.dossier, QDir::toNativeSeparators(programme.reglages.repertoire_travail));
    EXPECT_TRUE(resultat.ouvrir_editeur);
    EXPECT_EQ(resultat.texte_presse_papier, depuis_1252(entete) + QLatin1Char('\n') +
                                                depuis_1252(rangee(1)) + QLatin1Char('\n') +
                                                depuis_1252(rangee(2)) + QLatin1Char('\n'));
    EXPECT_EQ(texte_compte_rendu_sauvegarde(programme, resultat.chemin),
              QStringLiteral("2 enregistrements effectués dans \n") + resultat.chemin +
                  QStringLiteral("\n  et dans le presse_papier"));

    // Nothing new: nothing written, nothing shown.
    rapport.textes.clear();
    const TResultat_sauvegarde rien = sauvegarde_lignes(programme, rapport, extremes);
    EXPECT_FALSE(rien.ecrit());
    EXPECT_TRUE(rien.erreur.isEmpty());
    EXPECT_TRUE(rapport.textes.isEmpty());
    EXPECT_EQ(fichiers(dossier.path()), QStringList{nom});

    // A new line with the same name replaces the file.
    programme.lignes.ajoute("fin");
    const TResultat_sauvegarde encore = sauvegarde_lignes(programme, rapport, extremes);
    ASSERT_EQ(encore.chemin, chemin(nom));
    EXPECT_TRUE(lit_fichier(encore.chemin).endsWith("\r\nfin\r\n"));
}

TEST_F(Sauvegarde, RienNEstEcritNiCompte) {
    struct Cas {
        const char* nom;
        void (*prepare)(TProgramme&);
    } cas[] = {
        {"prefixe_vide_sans_date",
         [](TProgramme& p) {
             p.reglages.prefixe = "  ";
             p.reglages.date_heure_nom = false;
         }},
        {"une_seule_ligne_apres_reinitialisation",
         [](TProgramme& p) {
             p.lignes.efface();
             p.lignes.ajoute(" listes d'enregistrements OK");
         }},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TProgramme p;
        p.reglages = programme.reglages;
        p.lignes = programme.lignes;
        c.prepare(p);
        const TResultat_sauvegarde resultat = sauvegarde_lignes(p, rapport, extremes);
        EXPECT_FALSE(resultat.ecrit());
        EXPECT_TRUE(resultat.erreur.isEmpty());
        EXPECT_EQ(p.enregistrement.nb_enreg_sauves, 0);
        EXPECT_TRUE(fichiers(dossier.path()).isEmpty());
    }
}

TEST_F(Sauvegarde, SauvegardePeriodiqueNeGardeQueLeDernierFichierDeLAcquisition) {
    QString chemin_precedent;
    for (int i = 0; i < 3; ++i) {
        const TResultat_sauvegarde resultat = sauvegarde_periodique(programme, rapport, extremes);
        ASSERT_TRUE(resultat.ecrit()) << resultat.erreur.toStdString();
        EXPECT_FALSE(resultat.ouvrir_editeur);
        EXPECT_FALSE(programme.enregistrement.sauvegarde_auto_en_cours);
        EXPECT_TRUE(resultat.chemin.startsWith(auto_dossier() + QLatin1Char('/')));
        EXPECT_EQ(programme.enregistrement.dernier_fichier_auto, resultat.chemin);
        EXPECT_NE(resultat.chemin, chemin_precedent);
        chemin_precedent = resultat.chemin;
        ajoute_points(1);
        maintenant = maintenant.addSecs(300);
    }
    EXPECT_EQ(fichiers(auto_dossier()).size(), 1);
    EXPECT_TRUE(fichiers(dossier.path()).isEmpty());

    // A new acquisition ("Start (base)") starts its own periodic file; the old one stays.
    reinitialise_acquisition(programme.stock, programme.etat);
    programme.enregistrement = TEtat_enregistrement();
    programme.lignes.efface();
    programme.lignes.ajoute(entete);
    ajoute_points(1);
    ASSERT_TRUE(sauvegarde_periodique(programme, rapport, extremes).ecrit());
    EXPECT_EQ(fichiers(auto_dossier()).size(), 2);
}

TEST_F(Sauvegarde, EchecDEcritureNonCompteEtRetenteEnsuite) {
    // A folder standing where the file should go: the file cannot be created.
    const QString nom = QStringLiteral("2024-05-01 14H05'30 Forage1 2_enreg_12µS.txt");
    ASSERT_TRUE(QDir(dossier.path()).mkdir(nom));
    const TResultat_sauvegarde echec = sauvegarde_lignes(programme, rapport, extremes);
    EXPECT_FALSE(echec.ecrit());
    EXPECT_EQ(echec.erreur, QStringLiteral("Impossible de créer le fichier ") + chemin(nom));
    EXPECT_EQ(programme.enregistrement.nb_enreg_sauves, 0);
    EXPECT_EQ(rapport.texte_de("Label22"), nom);
    EXPECT_FALSE(rapport.textes.contains(QStringLiteral("Label11")));

    // The exit compares the count with the lines: the lines are still to be saved, and are.
    ASSERT_TRUE(QDir(dossier.path()).rmdir(nom));
    const TResultat_sauvegarde reprise = sauvegarde_lignes(programme, rapport, extremes);
    ASSERT_TRUE(reprise.ecrit()) << reprise.erreur.toStdString();
    EXPECT_EQ(programme.enregistrement.nb_enreg_sauves, 2);
    EXPECT_EQ(lit_fichier(reprise.chemin).count("\r\n"), 3);
}

TEST_F(Sauvegarde, DossierImpossibleACreer) {
    struct Cas {
        const char* nom;
        QString repertoire;
        bool periodique;
        QString dossier_signale;
    } cas[] = {
        {"parent_absent", dossier.path() + QStringLiteral("/absent/"), true,
         dossier.path() + QStringLiteral("/absent/sauvegarde_auto")},
        {"fichier_a_la_place", dossier.path() + QStringLiteral("/fichier/"), false,
         dossier.path() + QStringLiteral("/fichier/")},
    };
    ASSERT_TRUE(ecrit_fichier(dossier.path() + QStringLiteral("/fichier"), "x"));
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        programme.reglages.repertoire_travail = c.repertoire;
        const TResultat_sauvegarde resultat =
            c.periodique ? sauvegarde_periodique(programme, rapport, extremes)
                         : sauvegarde_lignes(programme, rapport, extremes);
        EXPECT_FALSE(resultat.ecrit());
        EXPECT_EQ(resultat.erreur,
                  QStringLiteral("Impossible de créer <") + c.dossier_signale + QLatin1Char('>'));
        EXPECT_EQ(programme.enregistrement.nb_enreg_sauves, 0);
        EXPECT_FALSE(programme.enregistrement.sauvegarde_auto_en_cours);
    }
}

TEST_F(Sauvegarde, DossierDeTravailManquantCreeSurUnNiveau) {
    programme.reglages.repertoire_travail = dossier.path() + QStringLiteral("/neuf/");
    const TResultat_sauvegarde resultat = sauvegarde_lignes(programme, rapport, extremes);
    ASSERT_TRUE(resultat.ecrit()) << resultat.erreur.toStdString();
    EXPECT_EQ(fichiers(dossier.path() + QStringLiteral("/neuf")).size(), 1);
}
