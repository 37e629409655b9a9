#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "acquisition/programme.h"
#include "outils_tests.h"
#include "parametres/fichiers_parametres.h"
#include "parametres/instrument_actif.h"
#include "util/cp1252.h"

namespace {

QByteArray b(const char* utf8) {
    return vers_1252(QString::fromUtf8(utf8));
}

QList<QByteArray> lignes_crlf(const QByteArray& contenu) {
    QList<QByteArray> l = contenu.split('\n');
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    for (QByteArray& x : l)
        x.chop(x.endsWith('\r') ? 1 : 0);
    return l;
}

// A settings folder of its own, the operator's answers queued, the messages kept.
class Fichiers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dossier.isValid());
        p.dossier_reglages = dossier.path();
    }
    QString chemin(const QString& nom) const { return dossier.filePath(nom); }
    QString prm() const { return chemin(QStringLiteral("Probelog.prm")); }
    QString ini() const { return chemin_fichier_tableau(p); }

    TDemande demande = [this](const QString& q) {
        questions << q;
        return reponses.isEmpty() ? true : reponses.takeFirst();
    };
    TSignale signale = [this](const QString& m) { messages << m; };

    QTemporaryDir dossier;
    TProgramme p;
    QStringList questions, messages;
    QList<bool> reponses;
};

// Settings lines as a file: line n gets textes[n-1].
QByteArray fichier_prm(const QList<QByteArray>& textes) {
    QByteArray f;
    for (const QByteArray& t : textes)
        f += t + "\r\n";
    return f;
}

} // namespace

TEST_F(Fichiers, NomsDesFichiers) {
    EXPECT_TRUE(ini().endsWith(QStringLiteral("tests_parametres.ini")));
    EXPECT_EQ(QFileInfo(ini()).absolutePath(), QDir(dossier.path()).absolutePath());
    EXPECT_TRUE(chemin_fichier_exemple().endsWith(QStringLiteral("tests_parametres.ini0")));
    EXPECT_EQ(chemin_fichier_parametres(p), "") << "no settings file before the first loading";
}

TEST_F(Fichiers, PremierDemarrageCreeLeTableauDExemple) {
    EXPECT_EQ(charge_tableau(p, ini(), {}, signale), TChargement::absent);
    EXPECT_EQ(messages, QStringList({"fichier de paramètrage <" + QDir::toNativeSeparators(ini()) +
                                     ">  non trouvé ..."}));
    EXPECT_TRUE(questions.isEmpty());
    const QList<QByteArray> l = lignes_crlf(lit_fichier(ini()));
    ASSERT_EQ(l.size(), 13);
    EXPECT_EQ(l[0], "17");
    EXPECT_EQ(l[1], "11");
    EXPECT_EQ(l[2], b("n,actif,multimètre,COMx,vitesse,intervalle,grandeur,max,min,graduation,"
                      "couleur,épaisseur,repère,séparateur,occurence,\"rep hms\",\"fin de bloc\""));
    EXPECT_EQ(l[3], b("1,x,WTW3430,COM7,9600,1,conductivité,750,700,50,\"0,100,255\",7,Cond,"
                      "espace,2,:,"));
    EXPECT_EQ(l[4], b("2,\" \",\" \",\" \",\" \",\" \",température,30,10,5,\"200,0,88\",5,Cond,"
                      "espace,4,:,"));
    EXPECT_TRUE(lit_fichier(ini()).endsWith("\r\n"));
    // The settings have not been loaded yet: their write creates nothing.
    EXPECT_FALSE(QFile::exists(prm()));
}

TEST_F(Fichiers, SansFichierDeReglagesChaqueLigneASonDefaut) {
    p.etat.facteur_aire = 7;
    charge_parametres(p, signale);
    const TReglages& r = p.reglages;
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(r.fichier_parametres, "Probelog.prm");
    EXPECT_EQ(r.repertoire_travail, "");
    EXPECT_FALSE(r.mode_demo);
    EXPECT_EQ(r.souris, 0);
    EXPECT_EQ(r.couleur_fenetre, couleur_bouton_systeme());
    EXPECT_EQ(r.couleur_fond, rgb(255, 255, 255));
    EXPECT_EQ(r.signe_decimal_fichier, 0);
    EXPECT_EQ(r.lecture_csv, 0);
    EXPECT_EQ(r.sos_mn, "5");
    EXPECT_EQ(r.timeouts, "");
    EXPECT_EQ(r.prefixe, "vorur-1");
    EXPECT_TRUE(r.save_sans_confirmation);
    EXPECT_EQ(r.nb_decimale_1, "4");
    EXPECT_EQ(r.start_inject, b("sel versé !"));
    EXPECT_EQ(r.facteur, "1.0001");
    EXPECT_DOUBLE_EQ(p.etat.facteur_aire, 1.0001);
    EXPECT_FALSE(r.ph_ox_3sondes);
    EXPECT_EQ(r.texte_ph, "pH");
    EXPECT_EQ(r.texte_ox, "Ox");
    EXPECT_EQ(r.cond_ph_ox, "Cond");
    EXPECT_FALSE(r.fenetre_maximale);
    EXPECT_FALSE(QFile::exists(prm())) << "loading writes nothing";
}

TEST_F(Fichiers, ReglagesEnregistresPuisRelus) {
    charge_parametres(p);
    TReglages& r = p.reglages;
    r.repertoire_travail = QStringLiteral("/données/forage 3/");
    r.mode_demo = true;
    r.souris = 2;
    r.couleur_fenetre = rgb(1, 2, 3);
    r.couleur_fond = rgb(10, 20, 30);
    r.demo_rapide = true;
    r.signe_decimal_fichier = 1;
    r.sauve_auto = true;
    r.sos_mn = "12";
    r.timeouts = "800";
    r.lecture_csv = 1;
    r.prefixe = "Forage-2";
    r.fenetre_maximale = true;
    r.dtr = true;
    r.lecture_sans_traitement = true;
    r.nom_blocnote = "gedit";
    r.save_sans_confirmation = false;
    r.nb_decimale_1 = b("µ=0;m=3");
    r.start_inject = b("sel versé !!");
    r.facteur = "1,5";
    r.ph_ox_3sondes = true;
    r.texte_ph = "PH\r\nX"; // a line end would shift every following line
    r.cond_ph_ox = "Ox";
    ASSERT_TRUE(enregistre_parametres(p));

    const QList<QByteArray> l = lignes_crlf(lit_fichier(prm()));
    ASSERT_EQ(l.size(), 30);
    EXPECT_EQ(l[0], b("/données/forage 3/"));
    EXPECT_EQ(l[1], "true");
    EXPECT_EQ(l[2], "2");
    EXPECT_EQ(l[3], "1,2,3");
    EXPECT_EQ(l[4], "10,20,30");
    EXPECT_EQ(l[12], "true");
    EXPECT_EQ(l[17], "0");
    EXPECT_EQ(l[23], "PH  X");
    EXPECT_EQ(l[26], "");

    TProgramme q;
    q.dossier_reglages = p.dossier_reglages;
    charge_parametres(q);
    const TReglages& s = q.reglages;
    EXPECT_EQ(s.repertoire_travail, r.repertoire_travail);
    EXPECT_EQ(s.mode_demo, true);
    EXPECT_EQ(s.souris, 2);
    EXPECT_EQ(s.couleur_fenetre, rgb(1, 2, 3));
    EXPECT_EQ(s.couleur_fond, rgb(10, 20, 30));
    EXPECT_TRUE(s.demo_rapide);
    EXPECT_EQ(s.signe_decimal_fichier, 1);
    EXPECT_TRUE(s.sauve_auto);
    EXPECT_EQ(s.sos_mn, "12");
    EXPECT_EQ(s.timeouts, "800");
    EXPECT_EQ(s.lecture_csv, 1);
    EXPECT_EQ(s.prefixe, "Forage-2");
    EXPECT_TRUE(s.fenetre_maximale);
    EXPECT_TRUE(s.dtr);
    EXPECT_FALSE(s.rts);
    EXPECT_TRUE(s.lecture_sans_traitement);
    EXPECT_EQ(s.nom_blocnote, "gedit");
    EXPECT_FALSE(s.save_sans_confirmation);
    EXPECT_EQ(s.nb_decimale_1, b("µ=0;m=3"));
    EXPECT_EQ(s.start_inject, b("sel versé !!"));
    EXPECT_DOUBLE_EQ(q.etat.facteur_aire, 1.5);
    EXPECT_TRUE(s.ph_ox_3sondes);
    EXPECT_EQ(s.cond_ph_ox, "Ox");

    // A folder name beyond the code page survives (kept in UTF-8 on its line).
    p.reglages.repertoire_travail = QStringLiteral("/проба/");
    ASSERT_TRUE(enregistre_parametres(p));
    charge_parametres(q);
    EXPECT_EQ(q.reglages.repertoire_travail, QStringLiteral("/проба/"));
}

TEST_F(Fichiers, FichierDeReglagesEcritALaMain) {
    // Written by hand, short (12 lines), LF only, one line in UTF-8.
    ecrit_fichier(prm(), "/tmp/\ntrue\n7\n0,0,0\n300,0,0\n\n1\n\n\n\n3\nForage-é\n");
    charge_parametres(p, signale);
    const TReglages& r = p.reglages;
    EXPECT_EQ(r.repertoire_travail, "/tmp/");
    EXPECT_TRUE(r.mode_demo);
    EXPECT_EQ(r.souris, 2) << "an index beyond the choices takes the last one";
    EXPECT_EQ(r.couleur_fenetre, rgb(222, 222, 222));
    EXPECT_EQ(r.couleur_fond, rgb(44, 0, 0));
    EXPECT_EQ(r.signe_decimal_fichier, 1);
    EXPECT_EQ(r.lecture_csv, 3);
    EXPECT_EQ(r.prefixe, b("Forage-é"));
    // Lines past the end of the short file are empty, not its last line.
    EXPECT_FALSE(r.fenetre_maximale);
    EXPECT_TRUE(r.save_sans_confirmation);
    EXPECT_EQ(r.cond_ph_ox, "Cond");
    EXPECT_EQ(r.nom_blocnote, "");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Fichiers, ValeursIllisiblesSignaleesEtRemplacees) {
    QList<QByteArray> l(30);
    l[2] = "1.5";    // mouse item
    l[8] = "abc";    // auto-save minutes
    l[21] = "1,2,3"; // area factor
    ecrit_fichier(prm(), fichier_prm(l));
    p.etat.facteur_aire = 1.02;
    charge_parametres(p, signale);
    EXPECT_EQ(p.reglages.souris, 0);
    EXPECT_EQ(p.reglages.sos_mn, "5");
    EXPECT_DOUBLE_EQ(p.etat.facteur_aire, 1.02);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].contains("n'est pas une valeur entière correcte"))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[1].contains("n'est pas une valeur en virgule flottante correcte"));

    for (const char* minutes : {"", " ", "0", "-3", "2.5", "5 ", "99999999999"}) {
        l[8] = minutes;
        l[2] = "";
        l[21] = "";
        ecrit_fichier(prm(), fichier_prm(l));
        charge_parametres(p, signale);
        EXPECT_EQ(p.reglages.sos_mn, "5") << minutes;
    }
    l[8] = " +15";
    ecrit_fichier(prm(), fichier_prm(l));
    charge_parametres(p, signale);
    EXPECT_EQ(p.reglages.sos_mn, " +15");
}

TEST(CouleursPrm, LectureDUneLigne) {
    const TCouleur defaut = rgb(9, 9, 9);
    const struct {
        const char* ligne;
        TCouleur attendue;
    } cas[] = {
        {"0,0,0", rgb(222, 222, 222)},
        {"10,20", defaut},
        {"1,2,3,4", defaut},
        {"300,0,0", rgb(44, 0, 0)},
        {"", defaut},
        {"12,34,56", rgb(12, 34, 56)},
        {"a,b,c", rgb(222, 222, 222)},
        {" 255 , 255 , 255", rgb(255, 255, 255)},
    };
    for (const auto& c : cas)
        EXPECT_EQ(lit_couleur_prm(QByteArray(c.ligne), defaut), c.attendue) << c.ligne;
    EXPECT_EQ(ecrit_couleur_prm(rgb(0, 100, 255)), "0,100,255");
}

TEST_F(Fichiers, ModeContrasteNeSauvePasSesCouleurs) {
    QList<QByteArray> l(30);
    l[3] = "1,2,3";
    l[4] = "4,5,6";
    l[26] = "garde 27";
    l[29] = b("garde 30 é");
    ecrit_fichier(prm(), fichier_prm(l));
    charge_parametres(p);
    p.reglages.mode_contraste = 1;
    p.reglages.couleur_fenetre = rgb(0, 0, 0);
    p.reglages.couleur_fond = rgb(0, 0, 0);
    ASSERT_TRUE(enregistre_parametres(p));
    const QList<QByteArray> e = lignes_crlf(lit_fichier(prm()));
    ASSERT_EQ(e.size(), 30);
    EXPECT_EQ(e[3], "1,2,3");
    EXPECT_EQ(e[4], "4,5,6");
    EXPECT_EQ(e[17], "1");
    EXPECT_EQ(e[26], "garde 27");
    EXPECT_EQ(e[29], b("garde 30 é"));

    charge_parametres(p);
    EXPECT_EQ(p.reglages.mode_contraste, 0);
    EXPECT_EQ(p.reglages.couleur_fenetre, rgb(1, 2, 3));
    EXPECT_EQ(p.reglages.couleur_fond, rgb(4, 5, 6));

    ASSERT_TRUE(ecrit_couleur_prm(p, rgb(7, 8, 9), 5));
    EXPECT_EQ(lit_couleur_prm(p, 5, 0), rgb(7, 8, 9));
    EXPECT_EQ(lignes_crlf(lit_fichier(prm())).size(), 30);
}

TEST_F(Fichiers, TableauEnregistrePuisRecharge) {
    TTableau_multimetres& t = p.tableau;
    t.remplit_exemple();
    t.fixe_cellule(2, 3, "WTW 340i");
    t.fixe_cellule(12, 3, "Cond-{\"pH\"}");
    t.fixe_cellule(13, 4, ";");
    t.fixe_cellule(16, 3, "____");
    p.tableau_modifie = true;
    ASSERT_EQ(enregistre_tableau(p, ini(), demande, signale), TEnregistrement::enregistre);
    EXPECT_FALSE(p.tableau_modifie);
    EXPECT_TRUE(questions.isEmpty());

    TTableau_multimetres u;
    EXPECT_EQ(charge_tableau(u, ini(), {}, signale), TChargement::charge);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    ASSERT_EQ(u.nb_lignes(), t.nb_lignes());
    for (int r = 0; r < t.nb_lignes(); ++r)
        for (int c = 0; c < 17; ++c)
            EXPECT_EQ(u.cellule(c, r), t.cellule(c, r)) << r << "," << c;
}

TEST_F(Fichiers, FichierEcritALaMain) {
    // 13 rows (a sixth instrument), 16 columns, rows that hold nothing but their number.
    const QByteArray contenu =
        b("16\r\n13\r\ntitres ignorés\r\n"
          "1,x\r\n"
          "2, ,,,,,,,,,,,,,,,\r\n"
          "1,,Ponsel,COM2,2400,1,pH,14,0,1,\"0,0,0\",3,pH,;,2,::\r\n"
          "2\r\n"
          "1\r\n2\r\n1\r\n2\r\n1\r\n2\r\n"
          "1,,LF325,/dev/ttyUSB0,9600,2,cond,1,0,1,\"1,2,3\",1,C,espace,1,:,fin\r\n"
          "2,,,,,,T,1,0,1,\"3,2,1\",1,C,espace,3,:\r\n");
    ecrit_fichier(ini(), contenu);
    EXPECT_EQ(charge_tableau(p.tableau, ini(), {}, signale), TChargement::charge);
    EXPECT_EQ(messages,
              QStringList({"le nombre de colonnes a changé de 16  à  17 il faudra réenregistrer"}));
    const TTableau_multimetres& t = p.tableau;
    ASSERT_EQ(t.nb_lignes(), 13);
    EXPECT_EQ(t.cellule(2, 0), b("multimètre")) << "the titles are never loaded";
    EXPECT_EQ(t.texte_ligne(1), "1,x,,,,,,,,,,,,,,,");
    TTableau_multimetres exemple;
    exemple.remplit_exemple();
    EXPECT_EQ(t.texte_ligne(2), exemple.texte_ligne(2));
    EXPECT_EQ(t.cellule(2, 3), "Ponsel");
    EXPECT_EQ(t.cellule(13, 3), ";");
    EXPECT_EQ(t.cellule(2, 5), "WTW3430") << "a row holding only its number gets the example";
    EXPECT_EQ(t.cellule(2, 11), "LF325");
    EXPECT_EQ(t.cellule(3, 11), "/dev/ttyUSB0");
    EXPECT_EQ(t.cellule(16, 11), "fin");
    EXPECT_EQ(t.cellule(6, 12), "T");

    // The next save writes 17 columns.
    ASSERT_EQ(enregistre_tableau(p.tableau, ini(), {}), TEnregistrement::enregistre);
    EXPECT_TRUE(lit_fichier(ini()).startsWith("17\r\n13\r\n"));

    // Instrument 6 made active: rows 11 and 12.
    ASSERT_TRUE(active_instrument(p, 11));
    actualise_multimetre(p);
    EXPECT_EQ(p.multimetre_actif.grandeur[2], "T");
    EXPECT_EQ(p.multimetre_actif.occurence[2], 3);
    EXPECT_EQ(p.config_com, "/dev/ttyUSB0: bauds=9600 parity=N data=8 stop=1");
}

TEST_F(Fichiers, FichiersAbimes) {
    const QByteArray en_tete = "17\r\n";
    const QByteArray titres = "n\r\n";
    QByteArray binaire;
    for (int i = 0; i < 3000; ++i)
        binaire += char((i * 7919) % 256);
    const struct {
        const char* nom;
        QByteArray contenu;
        TChargement resultat;
        int nb_lignes;
        const char* message; // a part of the message
    } cas[] = {
        {"vide", "", TChargement::illisible, 11, "n'est pas un tableau de multimètres"},
        {"binaire", binaire, TChargement::illisible, 11, "n'est pas un tableau"},
        {"texte", "bonjour\r\n", TChargement::illisible, 11, "« bonjour »"},
        {"zéro ligne", en_tete + "0\r\n" + titres + "1,x,A\r\n2,,B\r\n", TChargement::charge, 3,
         "le nombre de lignes du tableau (« 0 ») est incorrect"},
        {"moins un", en_tete + "-1\r\n", TChargement::charge, 3, "(« -1 »)"},
        {"milliard", en_tete + "1000000000\r\n" + titres + "1,x,A\r\n2\r\n1\r\n2\r\n1\r\n",
         TChargement::charge, 6, "6 lignes sont chargées"},
        {"pas un nombre", en_tete + "onze\r\n", TChargement::charge, 3, "(« onze »)"},
        {"tronqué", en_tete + "11\r\n" + titres + "1,x,A,COM", TChargement::charge, 11,
         "s'arrête après 2 lignes du tableau sur 11"},
        {"guillemet non fermé", en_tete + "3\r\n" + titres + "1,x,\"A,B\r\n2,\"\r\n",
         TChargement::charge, 3, nullptr},
        {"colonnes absurdes", "-5\r\n3\r\n" + titres + "1,x\r\n2,y\r\n", TChargement::charge, 3,
         "le nombre de colonnes a changé de -5  à  17"},
        {"ligne énorme",
         en_tete + "3\r\n" + titres + "1,x," + QByteArray(100000, 'z') + "\r\n2\r\n",
         TChargement::charge, 3, nullptr},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        messages.clear();
        ecrit_fichier(ini(), c.contenu);
        TTableau_multimetres t;
        EXPECT_EQ(charge_tableau(t, ini(), {}, signale), c.resultat);
        EXPECT_EQ(t.nb_lignes(), c.nb_lignes);
        if (c.message) {
            ASSERT_FALSE(messages.isEmpty());
            EXPECT_TRUE(messages.join('|').contains(QString::fromUtf8(c.message)))
                << messages.join('|').toStdString();
        } else {
            EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
        }
        // Always an instrument to work with; the marked one when the file had one.
        EXPECT_EQ(t.cherche_ligne_active(1), 1);
        EXPECT_EQ(t.cellule(1, 1), "x");
        EXPECT_EQ(t.cellule(2, 0), b("multimètre"));
        if (c.resultat == TChargement::illisible) {
            EXPECT_EQ(t.cellule(2, 1), "WTW3430");
            EXPECT_EQ(lit_fichier(ini()), c.contenu) << "the file is left alone";
            if (!c.contenu.isEmpty()) {
                EXPECT_EQ(lit_fichier(ini() + ".illisible"), c.contenu);
            }
        }
    }
    // The unclosed quote runs to the end of its line only.
    ecrit_fichier(ini(), en_tete + "3\r\n" + titres + "1,x,\"A,B\r\n2,\"\r\n");
    TTableau_multimetres t;
    charge_tableau(t, ini(), {}, signale);
    EXPECT_EQ(t.cellule(2, 1), "A,B");
    EXPECT_EQ(t.cellule(0, 2), "2");
}

TEST_F(Fichiers, LigneUnQuasiVideDemandeConfirmation) {
    ecrit_fichier(ini(), "ancien");
    charge_parametres(p);
    TTableau_multimetres& t = p.tableau;
    for (int c = 1; c < 17; ++c)
        t.fixe_cellule(c, 1, "");
    p.tableau_modifie = true;
    reponses = {true, false}; // Yes to " enregistrer les PARAMETRES  ?", No to the near-empty row
    enregistre_param(p, demande, signale);
    EXPECT_EQ(questions,
              QStringList({" enregistrer les PARAMETRES  ?",
                           "la ligne 1 du tableau est quasi vide, risque d'écraser des valeurs "
                           "antérieures \n         continuer ?"}));
    EXPECT_EQ(lit_fichier(ini()), "ancien");
    EXPECT_TRUE(p.tableau_modifie);
    EXPECT_TRUE(QFile::exists(prm())) << "the settings are still written";

    // Without anyone to ask (the end of the program), the near-empty row is not written.
    EXPECT_EQ(enregistre_tableau(p, ini(), {}, signale), TEnregistrement::refuse);
    EXPECT_EQ(lit_fichier(ini()), "ancien");
    reponses = {true};
    EXPECT_EQ(enregistre_tableau(p, ini(), demande, signale), TEnregistrement::enregistre);
    EXPECT_TRUE(lit_fichier(ini()).startsWith("17\r\n11\r\n"));
}

TEST_F(Fichiers, ChargerParamRefuseRelitQuandMemeLesReglages) {
    TTableau_multimetres t;
    t.remplit_exemple();
    t.fixe_cellule(2, 1, "AUTRE");
    enregistre_tableau(t, ini(), {});
    QList<QByteArray> l(30);
    l[11] = "Puits-4";
    ecrit_fichier(prm(), fichier_prm(l));

    p.tableau.remplit_exemple();
    reponses = {false};
    charge_param(p, demande, signale);
    EXPECT_EQ(questions, QStringList({" écraser les PARAMETRES actuels avec ceux enregistrés ?"}));
    EXPECT_EQ(p.tableau.cellule(2, 1), "WTW3430");
    EXPECT_EQ(p.reglages.prefixe, "Puits-4");

    reponses = {true};
    charge_param(p, demande, signale);
    EXPECT_EQ(p.tableau.cellule(2, 1), "AUTRE");
}

TEST_F(Fichiers, ExempleParam) {
    const QString absent = chemin("rien.ini0");
    EXPECT_FALSE(exemple_param(p, absent, demande, signale));
    EXPECT_EQ(questions, QStringList({" écraser les PARAMETRES avec l' exemple " +
                                      QDir::toNativeSeparators(absent) + " ?"}));
    EXPECT_EQ(messages,
              QStringList({"fichier <" + QDir::toNativeSeparators(absent) + "> introuvable ..."}));

    questions.clear();
    messages.clear();
    reponses = {false};
    EXPECT_FALSE(exemple_param(p, chemin_source("doc/probelog.ini0"), demande, signale));
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(p.tableau.cellule(2, 3), "") << "declined: nothing loaded";

    questions.clear();
    EXPECT_TRUE(exemple_param(p, chemin_source("doc/probelog.ini0"), demande, signale));
    EXPECT_EQ(questions.size(), 2) << "the example is loaded with the loading's own question";
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(p.multimetre_actif.ligne, 1);
    EXPECT_EQ(p.config_com, "") << "the port configuration waits for compose_config_com";
}

TEST_F(Fichiers, LeFichierDExempleFourni) {
    const QString exemple = chemin_source("doc/probelog.ini0");
    const QByteArray octets = lit_fichier(exemple);
    TTableau_multimetres& t = p.tableau;
    ASSERT_EQ(charge_tableau(t, exemple, {}, signale), TChargement::charge);
    EXPECT_TRUE(messages.isEmpty());
    // Its first instrument is the program's own example, marked active.
    TTableau_multimetres e;
    e.remplit_exemple();
    EXPECT_EQ(t.texte_ligne(1), e.texte_ligne(1));
    EXPECT_EQ(t.texte_ligne(2), e.texte_ligne(2));
    // Every instrument reads without a conversion error; each slot's first row is a first row.
    for (int r = 1; r + 1 < t.nb_lignes(); r += 2) {
        ASSERT_TRUE(active_instrument(p, r));
        ASSERT_NO_THROW(actualise_multimetre(p)) << r;
        EXPECT_EQ(p.multimetre_actif.ligne, r);
        EXPECT_FALSE(p.multimetre_actif.repere[1].isEmpty()) << r;
        EXPECT_GT(p.multimetre_actif.y_max[1], p.multimetre_actif.y_min[1]) << r;
    }
    // Written in the program's own format: loading and saving gives the same bytes back.
    TTableau_multimetres u;
    charge_tableau(u, exemple, {}, signale);
    ASSERT_EQ(enregistre_tableau(u, ini(), {}), TEnregistrement::enregistre);
    EXPECT_EQ(lit_fichier(ini()), octets);
}

TEST_F(Fichiers, EnregistrementImpossibleSignale) {
    ecrit_fichier(chemin("pas_un_dossier"), "x");
    const QString impossible = chemin("pas_un_dossier/t.ini");
    p.tableau.remplit_exemple();
    p.tableau_modifie = true;
    EXPECT_EQ(enregistre_tableau(p, impossible, {}, signale), TEnregistrement::echec);
    EXPECT_TRUE(p.tableau_modifie);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("n'a pas pu être enregistré"));
}

TEST_F(Fichiers, EnregistreToutContinueApresUnNombreIllisible) {
    charge_parametres(p);
    p.tableau.remplit_exemple();
    p.tableau.fixe_cellule(7, 1, "1-2");
    enregistre_tout(p, demande, signale);
    EXPECT_TRUE(QFile::exists(ini()));
    EXPECT_TRUE(QFile::exists(prm()));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("n'est pas une valeur en virgule flottante correcte"));
}
