#include "test_boucle_outils.h"

#include "acquisition/boucle_lignes.h"
#include "acquisition/lance_acquisition.h"

namespace {

const QString micro = QStringLiteral("\u00B5");

class Boucle_lignes_essai : public Boucle_essai {
protected:
    void SetUp() override {
        Boucle_essai::SetUp();
        programme.reglages.lecture_csv = 1;
    }
    // A record of the CSV instrument: temperature line, then the conductivity line that ends it.
    static QStringList bloc_csv(const QString& heure, const QString& cond, const QString& temp) {
        return {QStringLiteral("26.09.2009 %1;\u00B0C;%2;Temp").arg(heure, temp),
                QStringLiteral("26.09.2009 %1;%2;\u00B5S/cm;Cond").arg(heure, cond)};
    }
    void csv() {
        cellule("repère", "Temp", 1);
        cellule("occurence", "1", 0);
        cellule("occurence", "3", 1);
    }
    void lance(const QStringList& lignes) {
        Source_liste source(lignes);
        boucle_lignes(programme, rapport, source);
    }
};

TEST_F(Boucle_lignes_essai, CsvAssembleLeBlocEtReconstruitLaLigneDeGrandeurs) {
    csv();
    cellule("repère", "Ox", 1);
    lance({QStringLiteral("a;b"), QStringLiteral("1234;\u00B5S/cm;Cond")});
    EXPECT_TRUE(rapport.journal_contient(QStringLiteral("  ===>a;b;1234;") + micro +
                                         QStringLiteral("S/cm;Cond")));
    // t-2, t-pH and t-ox empty: three spaces follow.
    EXPECT_TRUE(rapport.journal_contient(QStringLiteral("      =>Cond1234 ") + micro +
                                         QStringLiteral("S/cm   ")));
    EXPECT_TRUE(programme.etat.bloc_en_cours.isEmpty());
    EXPECT_EQ(programme.etat.nb_lectures, 3); // two lines and one block
    EXPECT_EQ(rapport.texte_de("Form2.Label_nlecture"), QStringLiteral("3"));
}

TEST_F(Boucle_lignes_essai, CsvDecodeChaqueBlocEnUnPoint) {
    csv();
    QStringList lignes =
        bloc_csv(QStringLiteral("04:19:39"), QStringLiteral("1234"), QStringLiteral("22.9"));
    lignes += bloc_csv(QStringLiteral("04:19:40"), QStringLiteral("1240"), QStringLiteral("23.1"));
    lance(lignes);
    ASSERT_EQ(nb_mesures(), 2);
    EXPECT_DOUBLE_EQ(g1(1), 1234);
    EXPECT_DOUBLE_EQ(g2(1), 22.9);
    EXPECT_DOUBLE_EQ(g1(2), 1240);
    EXPECT_DOUBLE_EQ(g2(2), 23.1);
    // Column 3 of a row: the instrument's time of the block.
    ASSERT_EQ(rapport.lignes.size(), 3);
    EXPECT_EQ(rapport.lignes.at(2).split('\t').value(2), QByteArray("26.09.2009 04:19:40"));
}

TEST_F(Boucle_lignes_essai, CsvDatesDifferentesSignaleesApresTroisPoints) {
    csv();
    struct Cas {
        int points_avant;
        QStringList heures;
        bool signale;
    };
    const Cas cas[] = {
        {4, {"04:19:39", "04:19:40"}, true},
        {4, {"04:19:39", "04:19:39"}, false},
        {3, {"04:19:39", "04:19:40"}, false},
    };
    for (const Cas& c : cas) {
        programme.stock.nb_mesures = c.points_avant;
        programme.etat.bloc_en_cours.clear();
        rapport.visibles.clear();
        rapport.textes.clear();
        const QStringList lignes = {
            QStringLiteral("26.09.2009 %1;\u00B0C;22.9;Temp").arg(c.heures.at(0)),
            QStringLiteral("26.09.2009 %1;1234;\u00B5S/cm;Cond").arg(c.heures.at(1))};
        lance(lignes);
        EXPECT_EQ(rapport.visibles.value(QStringLiteral("Panel_message"), false), c.signale)
            << c.points_avant << " " << c.heures.join(' ').toStdString();
        if (c.signale) {
            const QString texte = rapport.texte_de("Label21");
            EXPECT_TRUE(texte.startsWith(QStringLiteral(
                "-> mesures à dates différentes (dt=1pas)  n =4\n\n26.09.2009 04:19:39 \n"
                "26.09.2009 04:19:40 \n\n\n")))
                << texte.toStdString();
            EXPECT_TRUE(texte.endsWith(QStringLiteral(
                " actuellement   => Cond parmi (pH, Ox, Cond) ....  click pour fermer cette "
                "fenêtre")));
        }
    }
}

TEST(Controle_dates_bloc, CompareLesTroisPremieresDates) {
    struct Cas {
        const char* bloc;
        int resultat;
        const char* dates;
    };
    const Cas cas[] = {
        {"26.09.2009 04:19:39;a;26.09.2009 04:19:39;b;26.09.2009 04:19:39", 3,
         "26.09.2009 04:19:39 \n26.09.2009 04:19:39 \n26.09.2009 04:19:39"},
        {"26.09.2009 04:19:39;26.09.2009 04:19:39;26.09.2009 04:19:40", 2, nullptr},
        {"26.09.2009 04:19:38;26.09.2009 04:19:39;26.09.2009 04:19:39", 1, nullptr},
        {"26.09.2009 04:19:37;26.09.2009 04:19:38;26.09.2009 04:19:39", 0, nullptr},
        {"26.09.2009 04:19:39;x;26.09.2009 04:19:39", 3, nullptr},
        {"26.09.2009 04:19:39;26.09.2009 04:19:40", 0, nullptr},
        {"pas de date", 3, " \n \n"},
        // A stamp at the very start still takes 19 characters from the first one.
        {"04:19:39;abcdefghijklmnop;04:19:40;04:19:41", 0,
         "04:19:39;abcdefghij \nghijklmnop;04:19:40 \n;04:19:41"},
    };
    for (const Cas& c : cas) {
        QString dates;
        EXPECT_EQ(controle_dates_bloc(QString::fromUtf8(c.bloc), dates), c.resultat) << c.bloc;
        if (c.dates) {
            EXPECT_EQ(dates, QString::fromUtf8(c.dates)) << c.bloc;
        }
    }
}

TEST_F(Boucle_lignes_essai, LignesSimplesFermeesParLaLigneDeLHeure) {
    lance({QStringLiteral("$Cond 512 \u00E6S/cm 22.9 \u00B0C"), QStringLiteral("Multi 3430"),
           QStringLiteral("TetraCon 925"), QStringLiteral("26.09.2009 04:19:39"),
           QStringLiteral("Cond 515 \u00B5S/cm 23.0 \u00B0C"), QStringLiteral(""),
           QStringLiteral("26.09.2009 04:19:40")});
    ASSERT_EQ(nb_mesures(), 2);
    EXPECT_DOUBLE_EQ(g1(1), 512); // '$' dropped, 'æ' (230) read as 'µ'
    EXPECT_DOUBLE_EQ(g2(1), 22.9);
    EXPECT_DOUBLE_EQ(g1(2), 515);
    EXPECT_EQ(programme.etat.prefixe_initial, QByteArray("\xB5"));
    EXPECT_EQ(rapport.lignes.at(1).split('\t').value(2), QByteArray("26.09.2009 04:19:39"));
    EXPECT_EQ(programme.etat.nb_lectures, 2);
    EXPECT_TRUE(programme.etat.bloc_en_cours.isEmpty());
}

TEST_F(Boucle_lignes_essai, TroisSondesSimplesAjoutePhEtOxygene) {
    programme.reglages.ph_ox_3sondes = true;
    lance({QStringLiteral("Cond 512 \u00B5S/cm 22.9 \u00B0C"), QStringLiteral("pH 7.12 22.8"),
           QStringLiteral("Ox 8.5 93.0"), QStringLiteral("26.09.2009 04:19:39")});
    ASSERT_EQ(nb_mesures(), 1);
    const QList<QByteArray> colonnes = rapport.lignes.at(1).split('\t');
    ASSERT_EQ(colonnes.size(), 8);
    EXPECT_DOUBLE_EQ(g1(1), 512);
}

TEST_F(Boucle_lignes_essai, RelectureDesLignes4A8JusquaFin) {
    QStringList memo3;
    for (int i = 0; i < 9; ++i)
        memo3.append(QStringLiteral("ligne %1").arg(i));
    memo3.append(QStringLiteral("fin"));
    programme.etat.relecture = true;
    programme.etat.ligne_relecture = 4;
    TSource_relecture source(memo3, programme.etat);
    boucle_lignes(programme, rapport, source);
    QStringList vues;
    for (const QString& l : rapport.tout_le_journal)
        if (l.startsWith(QStringLiteral("ligne "))) vues.append(l);
    EXPECT_EQ(vues, QStringList({"ligne 4", "ligne 5", "ligne 6", "ligne 7", "ligne 8"}));
    EXPECT_EQ(programme.etat.ligne_relecture, 10);
}

TEST_F(Boucle_lignes_essai, RejoueUnFichierAutomatiqueDepuisLaLigne4) {
    QStringList fichier = {QStringLiteral("en-tête 1"), QStringLiteral("en-tête 2"),
                           QStringLiteral("Cond 999 \u00B5S/cm 1.0 \u00B0C"),
                           QStringLiteral("26.09.2009 04:19:30")};
    for (int i = 0; i < 3; ++i) {
        fichier.append(QStringLiteral("Cond %1 \u00B5S/cm 22.9 \u00B0C").arg(600 + i));
        fichier.append(QStringLiteral("26.09.2009 04:19:%1").arg(40 + i));
    }
    programme.stock.nb_mesures = 7; // a previous acquisition
    // The decoded lines and the running values are hidden while the log is replayed.
    const QStringList caches = {"Memo2", "Label_val_grand1", "Label_val_grand2", "Label_zero",
                                "Label_hauteur"};
    QStringList visibles_pendant;
    rapport.a_chaque_passage = [&] {
        for (const QString& objet : caches)
            if (rapport.visibles.value(objet, true)) visibles_pendant.append(objet);
    };
    rejoue_lignes(programme, rapport, fichier);
    EXPECT_TRUE(visibles_pendant.isEmpty()) << visibles_pendant.join(' ').toStdString();
    for (const QString& objet : caches)
        EXPECT_TRUE(rapport.visibles.value(objet, false)) << objet.toStdString();
    EXPECT_TRUE(rapport.actifs.value(QStringLiteral("Button_stop"), false));
    ASSERT_EQ(nb_mesures(), 3);
    EXPECT_DOUBLE_EQ(g1(1), 600);
    EXPECT_DOUBLE_EQ(g1(3), 602);
    EXPECT_FALSE(programme.etat.relecture);
    EXPECT_EQ(rapport.texte_de("Label_n"), QStringLiteral("n = 3"));
    EXPECT_EQ(programme.lignes.principales.size(), 4); // header and three rows
}

TEST(Decompte_bouton_go, CompteCinqSecondesPuisTexteDInjection) {
    TProgramme programme;
    TRapport_memoire rapport;
    const QDate jour(2024, 5, 1);
    struct Cas {
        QDateTime depart, maintenant;
        const char* legende;
    };
    const Cas cas[] = {
        {QDateTime(jour, QTime(14, 0, 0)), QDateTime(jour, QTime(14, 0, 0, 300)), "00:00:05"},
        {QDateTime(jour, QTime(14, 0, 0)), QDateTime(jour, QTime(14, 0, 1)), "00:00:05"},
        {QDateTime(jour, QTime(14, 0, 0)), QDateTime(jour, QTime(14, 0, 4, 500)), "00:00:01"},
        {QDateTime(jour, QTime(14, 0, 0)), QDateTime(jour, QTime(14, 0, 5)), "00:00:01"},
        {QDateTime(jour, QTime(14, 0, 0)), QDateTime(jour, QTime(14, 0, 5, 1)), "traçage => t0"},
        // Across midnight the count goes on.
        {QDateTime(jour, QTime(23, 59, 58)), QDateTime(jour.addDays(1), QTime(0, 0, 1)),
         "00:00:03"},
        {QDateTime(jour, QTime(23, 59, 50)), QDateTime(jour.addDays(1), QTime(0, 0, 1)),
         "traçage => t0"},
        {QDateTime(), QDateTime(jour, QTime(14, 0, 0)), "traçage => t0"},
    };
    for (const Cas& c : cas) {
        programme.etat.heure_depart = c.depart;
        programme.horloge = [&] { return c.maintenant; };
        TDecompte_go decompte;
        decompte_bouton_go(programme, rapport, decompte);
        EXPECT_EQ(rapport.texte_de("Button_go"), QString::fromUtf8(c.legende))
            << c.maintenant.toString().toStdString();
    }
}

TEST_F(Boucle_lignes_essai, BlocSansFinCoupeEtLaBoucleContinue) {
    struct Cas {
        QString ligne_sans_fin; // never closes a block
        QStringList enregistrement;
    };
    const Cas cas[] = {
        {QStringLiteral("Multi 3430 sans heure"),
         {QStringLiteral("Cond 512 \u00B5S/cm 22.9 \u00B0C"),
          QStringLiteral("26.09.2009 04:19:39")}},
        {QStringLiteral("x;y;z"),
         bloc_csv(QStringLiteral("04:19:39"), QStringLiteral("1234"), QStringLiteral("22.9"))},
    };
    for (const Cas& c : cas) {
        TProgramme& p = programme;
        p.stock.nb_mesures = 0;
        p.etat.bloc_en_cours.clear();
        rapport.tout_le_journal.clear();
        if (c.ligne_sans_fin.contains(QLatin1Char(';'))) csv();
        QStringList lignes;
        for (int i = 0; i < 1200; ++i)
            lignes.append(c.ligne_sans_fin);
        lignes += c.enregistrement;
        // The block never exceeds its cap, whatever comes.
        int plus_long = 0;
        rapport.a_chaque_passage = [&] {
            plus_long = qMax(plus_long, int(p.etat.bloc_en_cours.count(QLatin1Char(';'))) + 1);
        };
        lance(lignes);
        rapport.a_chaque_passage = nullptr;
        const int nb_par_ligne = int(c.ligne_sans_fin.count(QLatin1Char(';'))) + 1;
        EXPECT_LE(plus_long, bloc_max_lignes * nb_par_ligne) << c.ligne_sans_fin.toStdString();
        EXPECT_EQ(rapport.tout_le_journal.filter(QStringLiteral(" bloc coupé : 500 lignes")).size(),
                  2)
            << c.ligne_sans_fin.toStdString();
        EXPECT_EQ(nb_mesures(), 1) << c.ligne_sans_fin.toStdString();
        EXPECT_DOUBLE_EQ(g1(1), c.ligne_sans_fin.contains(QLatin1Char(';')) ? 1234 : 512);
    }
}

TEST_F(Boucle_lignes_essai, LignesIllisiblesEntreDesEnregistrementsValides) {
    lance({QStringLiteral("Cond 512 \u00B5S/cm 22.9 \u00B0C"),
           QStringLiteral("26.09.2009 04:19:39"),
           QString::fromLatin1("\x01\x02\xff\xfe garbage \x7f"),
           QStringLiteral("Cond 1.2.3 \u00B5S/cm 22.9 \u00B0C"),
           QStringLiteral("26.09.2009 04:19:40"), QStringLiteral(":::;;;|||"),
           QStringLiteral("Cond 530 \u00B5S/cm 23.0 \u00B0C"),
           QStringLiteral("26.09.2009 04:19:41")});
    ASSERT_EQ(nb_mesures(), 2);
    EXPECT_DOUBLE_EQ(g1(1), 512);
    EXPECT_DOUBLE_EQ(g1(2), 530);
    EXPECT_EQ(programme.etat.nb_lignes_rejetees, 1);
    EXPECT_FALSE(rapport.tout_le_journal.filter(QStringLiteral("1.2.3")).isEmpty());
}

TEST_F(Boucle_lignes_essai, ArretEntreDeuxPassagesEtFinDeSourceSignalee) {
    Source_liste source(
        {QStringLiteral("Cond 512 \u00B5S/cm 22.9 \u00B0C"), QStringLiteral("26.09.2009 04:19:39")},
        QStringLiteral("liaison perdue"));
    boucle_lignes(programme, rapport, source);
    EXPECT_EQ(nb_mesures(), 1);
    EXPECT_EQ(rapport.messages, QStringList({"liaison perdue"}));
    EXPECT_TRUE(rapport.journal_contient(QStringLiteral("  liaison perdue")));

    // Stop pressed: the loop ends at the end of that pass.
    Source_liste sans_fin({});
    for (int i = 0; i < 100; ++i)
        sans_fin.lignes.append(QStringLiteral("x"));
    int passages = 0;
    rapport.a_chaque_passage = [&] {
        if (++passages == 3) programme.etat.arret = true;
    };
    boucle_lignes(programme, rapport, sans_fin);
    EXPECT_EQ(sans_fin.suivante, 3);
}

} // namespace
