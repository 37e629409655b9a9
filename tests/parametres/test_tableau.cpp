#include <gtest/gtest.h>

#include <functional>

#include "acquisition/programme.h"
#include "acquisition/rapport_memoire.h"
#include "outils_tests.h"
#include "parametres/instrument_actif.h"
#include "parametres/tableau.h"
#include "util/cp1252.h"

namespace {

QByteArray b(const char* utf8) {
    return vers_1252(QString::fromUtf8(utf8));
}

// The 17 cells of a row as UTF-8 texts, to compare with readable expectations.
QStringList cellules(const TTableau_multimetres& t, int ligne) {
    QStringList l;
    for (int c = 0; c < TTableau_multimetres::nb_colonnes; ++c)
        l << depuis_1252(t.cellule(c, ligne));
    return l;
}

TTableau_multimetres tableau_exemple() {
    TTableau_multimetres t;
    t.remplit_exemple();
    return t;
}

} // namespace

TEST(Tableau, InitialisationDonneTitresEtNumeros) {
    TTableau_multimetres t;
    EXPECT_EQ(t.nb_lignes(), 11);
    EXPECT_EQ(cellules(t, 0),
              QStringList({"n", "actif", "multimètre", "COMx", "vitesse", "intervalle", "grandeur",
                           "max", "min", "graduation", "couleur", "épaisseur", "repère",
                           "séparateur", "occurence", "rep hms", "fin de bloc"}));
    for (int r = 1; r <= 10; ++r)
        EXPECT_EQ(t.cellule(0, r), r % 2 ? "1" : "2") << r;
    EXPECT_EQ(t.cellule(1, 1), "");
    EXPECT_EQ(TTableau_multimetres::largeur_colonne(12), 180);
    EXPECT_EQ(TTableau_multimetres::exemple_ligne1.size(), 74);
    EXPECT_EQ(TTableau_multimetres::exemple_ligne2.size(), 53);
}

TEST(Tableau, ExempleDonneLesCellulesAttendues) {
    const TTableau_multimetres t = tableau_exemple();
    EXPECT_EQ(cellules(t, 1),
              QStringList({"1", "x", "WTW3430", "COM7", "9600", "1", "conductivité", "750", "700",
                           "50", "0,100,255", "7", "Cond", "espace", "2", ":", ""}));
    EXPECT_EQ(cellules(t, 2), QStringList({"2", " ", " ", " ", " ", " ", "température", "30", "10",
                                           "5", "200,0,88", "5", "Cond", "espace", "4", ":", ""}));
    // Every other instrument slot gets the same example, unmarked.
    EXPECT_EQ(t.cellule(1, 9), " ");
    EXPECT_EQ(t.cellule(2, 9), "WTW3430");
    EXPECT_EQ(t.cellule(6, 10), b("température"));
}

TEST(Tableau, LectureDuTexteDeLigne) {
    struct Cas {
        const char* texte;
        QStringList attendues; // the first cells; the others must be empty
    };
    const Cas cas[] = {
        {"a,,b", {"a", " ", "b"}},
        {"  \"x,\"\"y\"\" z\"  , q", {"x,\"y\" z", "q"}},
        {"a b", {"a", "b"}},
        {"\"ab\"cd", {"ab", "cd"}},
        {"a,", {"a"}},
        {",a", {" ", "a"}},
        {"\"\",a", {" ", "a"}},
        {"\"\" \"\"", {" ", " "}},
        {"\"non fermé, jusqu'au bout", {"non fermé, jusqu'au bout"}},
        {"\ta\t,\t b ,\r\n", {"a", "b"}},
        {"a,\" \",c", {"a", " ", "c"}},
        {"", {}},
        {" , ", {" "}},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16",
          "17"}},
    };
    for (const Cas& c : cas) {
        TTableau_multimetres t;
        for (int col = 0; col < 17; ++col)
            t.fixe_cellule(col, 3, "ancien");
        t.lit_texte_ligne(3, b(c.texte));
        QStringList attendues = c.attendues;
        while (attendues.size() < 17)
            attendues << "";
        EXPECT_EQ(cellules(t, 3), attendues) << c.texte;
    }
    // A NUL byte ends the text.
    TTableau_multimetres t;
    t.lit_texte_ligne(1, QByteArray("a,b\0c,d", 7));
    EXPECT_EQ(t.cellule(1, 1), "b");
    EXPECT_EQ(t.cellule(2, 1), "");
    // A 100 000-character field is kept whole.
    t.lit_texte_ligne(1, "x," + QByteArray(100000, 'y') + ",z");
    EXPECT_EQ(t.cellule(1, 1).size(), 100000);
    EXPECT_EQ(t.cellule(2, 1), "z");
}

TEST(Tableau, EcritureDuTexteDeLigne) {
    const TTableau_multimetres t = tableau_exemple();
    EXPECT_EQ(t.texte_ligne(0),
              b("n,actif,multimètre,COMx,vitesse,intervalle,grandeur,max,min,graduation,couleur,"
                "épaisseur,repère,séparateur,occurence,\"rep hms\",\"fin de bloc\""));
    EXPECT_EQ(
        t.texte_ligne(1),
        b("1,x,WTW3430,COM7,9600,1,conductivité,750,700,50,\"0,100,255\",7,Cond,espace,2,:,"));
    EXPECT_EQ(t.texte_ligne(2), b("2,\" \",\" \",\" \",\" \",\" \",température,30,10,5,"
                                  "\"200,0,88\",5,Cond,espace,4,:,"));

    TTableau_multimetres u;
    u.fixe_cellule(1, 1, "a\"b");
    u.fixe_cellule(2, 1, "");
    u.fixe_cellule(3, 1, "x\ty");
    u.fixe_cellule(4, 1, b("µS/cm"));
    EXPECT_EQ(u.texte_ligne(1), b("1,\"a\"\"b\",,\"x\ty\",µS/cm,,,,,,,,,,,,"));
    EXPECT_EQ(u.texte_ligne(99), "");
}

TEST(Tableau, AllerRetourDuTexteDeLigne) {
    TTableau_multimetres t;
    const QList<QByteArray> difficiles = {" ",    "\"",     "\"\"",  ",",  "a,b",   " a ",
                                          "x\"y", b("é°µ"), "\x01z", "  ", "-{µS}", "Cond"};
    for (int c = 0; c < 17; ++c)
        t.fixe_cellule(c, 1, difficiles[c % difficiles.size()]);
    const QByteArray texte = t.texte_ligne(1);
    TTableau_multimetres u;
    u.lit_texte_ligne(1, texte);
    EXPECT_EQ(cellules(u, 1), cellules(t, 1)) << texte.constData();
    EXPECT_EQ(u.texte_ligne(1), texte);
}

TEST(Tableau, ColonneParTitre) {
    TTableau_multimetres t;
    QStringList messages;
    t.signale = [&](const QString& m) { messages << m; };
    EXPECT_EQ(t.colonne_par_titre("vitesse"), 4);
    EXPECT_EQ(t.colonne_par_titre("  rep hms "), 15);
    EXPECT_EQ(t.colonne_par_titre(titre::multimetre), 2);
    EXPECT_EQ(t.colonne_par_titre(titre::epaisseur), 11);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(t.colonne_par_titre("   "), -1);
    EXPECT_TRUE(messages.isEmpty()) << "an empty title is silent";
    EXPECT_EQ(t.colonne_par_titre("Vitesse"), -1);
    EXPECT_EQ(t.colonne_par_titre(b("épaisseurs")), -1);
    EXPECT_EQ(messages, QStringList({"La colonne <Vitesse> n'existe pas",
                                     "La colonne <épaisseurs> n'existe pas"}));
    // Several columns of the same title: the last one.
    t.fixe_cellule(16, 0, " vitesse");
    EXPECT_EQ(t.colonne_par_titre("vitesse"), 16);
}

TEST(Tableau, RechercheDeLaLigneActive) {
    struct Cas {
        int nb_lignes;
        QList<int> marques;
        int precedente, attendue;
    };
    const Cas cas[] = {
        {11, {3, 7}, 1, 3}, // the first marked
        {11, {6}, 5, 5},    // a mark on a second row is never found
        {11, {}, 7, 7},     // no mark: the previous row stays
        {10, {9}, 1, 1},    // 10 rows: rows 1, 3, 5, 7 only
        {11, {9}, 1, 9},    {13, {11}, 1, 11}, {1, {}, 3, 3},
    };
    for (const Cas& c : cas) {
        TTableau_multimetres t;
        t.redimensionne(c.nb_lignes);
        for (int r : c.marques)
            t.fixe_cellule(1, r, " x ");
        EXPECT_EQ(t.cherche_ligne_active(c.precedente), c.attendue) << c.nb_lignes;
    }
}

TEST(Tableau, ActualiseMultimetreSurLExemple) {
    TProgramme p;
    p.tableau.remplit_exemple();
    p.multimetre_actif.ligne = 5;
    TRapport_memoire rapport;
    actualise_multimetre(p, &rapport);
    compose_config_com(p, &rapport);
    const TMultimetre& m = p.multimetre_actif;
    EXPECT_EQ(m.ligne, 1);
    EXPECT_EQ(p.tableau.ligne_active, 1);
    EXPECT_EQ(m.grandeur[1], b("conductivité"));
    EXPECT_EQ(m.grandeur[2], b("température"));
    EXPECT_EQ(m.unite[1], "S/cm");
    EXPECT_EQ(m.unite[2], b("°C"));
    EXPECT_EQ(m.y_max[1], 750);
    EXPECT_EQ(m.y_max[2], 30);
    EXPECT_EQ(m.y_min[1], 700);
    EXPECT_EQ(m.y_min[2], 10);
    EXPECT_EQ(m.y_graduation[1], 50);
    EXPECT_EQ(m.y_graduation[2], 5);
    EXPECT_EQ(m.couleur[1], rgb(0, 100, 255));
    EXPECT_EQ(m.couleur[2], rgb(200, 0, 88));
    EXPECT_EQ(m.epaisseur[1], 7);
    EXPECT_EQ(m.epaisseur[2], 5);
    EXPECT_EQ(m.repere[1], "Cond");
    EXPECT_EQ(m.repere[2], "Cond");
    EXPECT_EQ(m.exclusion, "");
    EXPECT_EQ(m.separateur[1], ' ');
    EXPECT_EQ(m.separateur[2], ' ');
    EXPECT_EQ(m.occurence[1], 2);
    EXPECT_EQ(m.occurence[2], 4);
    EXPECT_EQ(m.car_hms, QLatin1Char(':'));
    EXPECT_EQ(m.nb_hms[1], 1);
    EXPECT_EQ(m.nb_hms[2], 1);
    EXPECT_EQ(m.fin_de_bloc, "__");
    EXPECT_EQ(p.config_com, "COM7: bauds=9600 parity=N data=8 stop=1");
    EXPECT_EQ(rapport.texte_de("Label_config"), "COM7: bauds=9600 parity=N data=8 stop=1");
    EXPECT_EQ(rapport.texte_de("Form2.Label_config"), "COM7: bauds=9600 parity=N data=8 stop=1");
    EXPECT_EQ(rapport.texte_de("Label_multimetre"), "WTW3430");
    EXPECT_EQ(rapport.texte_de("Label_grandeur1"), "conductivité");
    EXPECT_EQ(rapport.texte_de("CheckBox_y2"), "température");
    EXPECT_EQ(rapport.texte_de("Edit_max_y1"), "750");
    EXPECT_EQ(rapport.texte_de("Edit_y2_graduation"), "5");
    EXPECT_EQ(rapport.couleurs.value("Label_val_grand2"), rgb(200, 0, 88));
    EXPECT_EQ(rapport.couleurs.value("Label_hauteur"), rgb(0, 100, 255));
}

TEST(Tableau, ActualiseMultimetreCasParticuliers) {
    Locale_temporaire locale(QStringLiteral("fr_FR"));
    struct Cas {
        const char* titre;
        int rangee; // 1 first row, 2 second row
        const char* texte;
        std::function<void(const TMultimetre&, const TRapport_memoire&)> verifie;
    };
    const Cas cas[] = {
        {"grandeur", 1, "Conductivité-{µS/cm}",
         [](const TMultimetre& m, auto&) {
             EXPECT_EQ(m.grandeur[1], b("Conductivité"));
             EXPECT_EQ(m.unite[1], b("µS/cm"));
         }},
        {"grandeur", 1, "Conductivité", [](auto& m, auto&) { EXPECT_EQ(m.unite[1], "S/cm"); }},
        {"grandeur", 1, "conductivite", [](auto& m, auto&) { EXPECT_EQ(m.unite[1], ""); }},
        {"grandeur", 1, "température", [](auto& m, auto&) { EXPECT_EQ(m.unite[1], ""); }},
        {"grandeur", 2, "TempéRature", [](auto& m, auto&) { EXPECT_EQ(m.unite[2], b("°C")); }},
        {"grandeur", 2, "pH-{}", [](auto& m, auto&) { EXPECT_EQ(m.unite[2], ""); }},
        {"grandeur", 2, " T-{°F} ",
         [](auto& m, const TRapport_memoire& r) {
             EXPECT_EQ(m.grandeur[2], "T");
             EXPECT_EQ(m.unite[2], b("°F"));
             EXPECT_EQ(r.texte_de("Label_grandeur2"), "T-{°F}");
         }},
        {"repère", 1, "Cond-{pH/Cond}",
         [](auto& m, auto&) {
             EXPECT_EQ(m.repere[1], "Cond");
             EXPECT_EQ(m.exclusion, "pH/Cond");
         }},
        {"repère", 2, "Cond-{pH/Cond}",
         [](auto& m, auto&) {
             EXPECT_EQ(m.repere[2], "Cond");
             EXPECT_EQ(m.exclusion, "");
         }},
        {"séparateur", 1, "tabulation", [](auto& m, auto&) { EXPECT_EQ(m.separateur[1], '\t'); }},
        {"séparateur", 1, ";", [](auto& m, auto&) { EXPECT_EQ(m.separateur[1], ';'); }},
        {"séparateur", 2, "Tab", [](auto& m, auto&) { EXPECT_EQ(m.separateur[2], 'T'); }},
        {"séparateur", 2, "", [](auto& m, auto&) { EXPECT_EQ(m.separateur[2], ' '); }},
        {"séparateur", 1, "Espace", [](auto& m, auto&) { EXPECT_EQ(m.separateur[1], 'E'); }},
        {"rep hms", 1, "",
         [](auto& m, auto&) {
             EXPECT_EQ(m.car_hms, QLatin1Char(':'));
             EXPECT_EQ(m.nb_hms[1], 2);
         }},
        {"rep hms", 1, "::", [](auto& m, auto&) { EXPECT_EQ(m.nb_hms[1], 2); }},
        {"rep hms", 1, "h",
         [](auto& m, auto&) {
             EXPECT_EQ(m.car_hms, QLatin1Char('h'));
             EXPECT_EQ(m.nb_hms[1], 1);
         }},
        {"rep hms", 2, "h",
         [](auto& m, auto&) {
             EXPECT_EQ(m.car_hms, QLatin1Char(':')); // only the first row gives the character
             EXPECT_EQ(m.nb_hms[2], 1);
         }},
        {"couleur", 1, "0,100", [](auto& m, auto&) { EXPECT_EQ(m.couleur[1], rgb(0, 100, 0)); }},
        {"couleur", 1, "a,b,c", [](auto& m, auto&) { EXPECT_EQ(m.couleur[1], rgb(0, 0, 0)); }},
        {"couleur", 2, "256,10,10",
         [](auto& m, auto&) { EXPECT_EQ(m.couleur[2], rgb(0, 10, 10)); }},
        {"couleur", 2, "", [](auto& m, auto&) { EXPECT_EQ(m.couleur[2], rgb(0, 0, 0)); }},
        {"fin de bloc", 1, "", [](auto& m, auto&) { EXPECT_EQ(m.fin_de_bloc, "__"); }},
        {"fin de bloc", 1, "Multi", [](auto& m, auto&) { EXPECT_EQ(m.fin_de_bloc, "Multi"); }},
        {"max", 1, " 1 000.5 ",
         [](auto& m, const TRapport_memoire& r) {
             EXPECT_EQ(m.y_max[1], 1000.5);
             EXPECT_EQ(r.texte_de("Edit_max_y1"), "1000,5");
         }},
        {"max", 2, " 1 000.5 ",
         [](auto& m, const TRapport_memoire& r) {
             EXPECT_EQ(m.y_max[2], 1000.5);
             EXPECT_EQ(r.texte_de("Edit_max_y2"), "1 000.5");
         }},
        {"min", 1, "", [](auto& m, auto&) { EXPECT_EQ(m.y_min[1], 0); }},
        {"occurence", 2, "abc", [](auto& m, auto&) { EXPECT_EQ(m.occurence[2], 0); }},
        {"épaisseur", 1, " 12 ", [](auto& m, auto&) { EXPECT_EQ(m.epaisseur[1], 12); }},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.titre) + " / " + c.texte);
        TProgramme p;
        p.tableau.remplit_exemple();
        const int col = p.tableau.colonne_par_titre(b(c.titre));
        ASSERT_GE(col, 0);
        p.tableau.fixe_cellule(col, c.rangee, b(c.texte));
        TRapport_memoire rapport;
        actualise_multimetre(p, &rapport);
        c.verifie(p.multimetre_actif, rapport);
    }
}

TEST(Tableau, NombreIllisibleArreteLaMiseAJourAuChampFautif) {
    TProgramme p;
    p.tableau.remplit_exemple();
    p.multimetre_actif.occurence[1] = 99;
    p.tableau.fixe_cellule(7, 3, "1.2.3"); // "max" of the marked instrument
    p.tableau.fixe_cellule(1, 1, "");
    p.tableau.fixe_cellule(1, 3, "x");
    EXPECT_THROW(actualise_multimetre(p), ErreurConversion);
    EXPECT_EQ(p.multimetre_actif.ligne, 3);
    EXPECT_EQ(p.tableau.ligne_active, 3);
    EXPECT_EQ(p.multimetre_actif.couleur[1], rgb(0, 100, 255)); // before the bad cell
    EXPECT_EQ(p.multimetre_actif.occurence[1], 99);             // after it: unchanged
}

TEST(Tableau, CellulesDeLInstrumentActif) {
    TProgramme p;
    p.tableau.remplit_exemple();
    p.tableau.fixe_cellule(3, 5, " COM3 ");
    p.tableau.fixe_cellule(4, 5, "19200");
    p.tableau.fixe_cellule(5, 6, " 12 ");
    ASSERT_TRUE(active_instrument(p, 5));
    EXPECT_EQ(p.tableau.lit_cellule_active("COMx", 0), "COM3");
    EXPECT_EQ(p.tableau.entier_cellule_active("intervalle", 1), 12);
    EXPECT_EQ(p.config_com, "COM3: bauds=19200 parity=N data=8 stop=1");
    p.tableau.ecrit_cellule_active("  42 ", "max", 1);
    EXPECT_EQ(p.tableau.cellule(7, 6), "42");
    EXPECT_EQ(p.tableau.lit_cellule_active("inconnue", 0), "");
    for (int r = 1; r < 11; ++r)
        EXPECT_EQ(p.tableau.cellule(1, r), r == 5 ? "x" : "") << r;
    actualise_multimetre(p);
    EXPECT_EQ(p.multimetre_actif.y_max[2], 42);

    // A second row or a row outside the table changes nothing.
    EXPECT_FALSE(active_instrument(p, 6));
    EXPECT_FALSE(active_instrument(p, 11));
    EXPECT_EQ(p.multimetre_actif.ligne, 5);

    // A table shrunk below the active row: empty cells, no fault.
    p.tableau.redimensionne(3);
    EXPECT_EQ(p.tableau.lit_cellule_active("COMx", 0), "");
    actualise_multimetre(p);
    EXPECT_EQ(p.multimetre_actif.fin_de_bloc, "__");
}
