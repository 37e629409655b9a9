#include <gtest/gtest.h>

#include <QSerialPort>

#include "acquisition/rapport_memoire.h"
#include "outils_serie.h"
#include "serie/ouverture_com.h"
#include "util/cp1252.h"

namespace {

// The example instrument on the program's end of the pseudo-terminal pair; the loop stops once
// `points_voulus` points are stored.
class Acquisition_pty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(paire.demarre()) << "socat";
        TTableau_multimetres& t = programme.tableau;
        t.remplit_exemple();
        t.actualise_multimetre(programme.multimetre_actif);
        t.ecrit_cellule_active(QFile::encodeName(paire.programme), "COMx", 0);
        t.ecrit_cellule_active("::", "rep hms", 0);
        programme.reglages.mode_demo = false;
        programme.reglages.nb_decimale_1 = "\xB5=0;m=3;k=1;F=3";
        programme.attente = [](int) {};
        rapport.a_chaque_passage = [this] {
            // The instrument starts once the loop reads: the opening purges what came before.
            if (!a_envoyer.isEmpty()) {
                paire.simule(a_envoyer, ensuite);
                a_envoyer.clear();
                chrono.start();
            }
            if (programme.stock.nb_mesures >= points_voulus) programme.etat.arret = true;
            // A record that never arrives fails the test instead of blocking it.
            if (chrono.isValid() && chrono.hasExpired(30000)) {
                ADD_FAILURE() << programme.stock.nb_mesures << " points after 30 s";
                programme.etat.arret = true;
            }
        };
    }
    void envoie_pendant_la_boucle(QList<QPair<int, QByteArray>> morceaux,
                                  std::function<void()> puis = {}) {
        a_envoyer = std::move(morceaux);
        ensuite = std::move(puis);
        chrono.invalidate();
    }
    double g1(int n) const { return programme.stock.point(n).grandeur1; }
    bool journal(const QString& ligne) const { return rapport.tout_le_journal.contains(ligne); }
    QString ouverture(const char* debut) const {
        return QString::fromLatin1(debut) + paire.programme +
               QStringLiteral(": bauds=9600 parity=N data=8 stop=1");
    }

    Paire_pty paire;
    TProgramme programme;
    TRapport_memoire rapport;
    int points_voulus = 3;
    QList<QPair<int, QByteArray>> a_envoyer; // by the instrument once the loop reads
    std::function<void()> ensuite;
    QElapsedTimer chrono;
};

QByteArray impression(int seconde, int cond) {
    return QStringLiteral("26.09.2009 04:19:%1\r\nMulti 3430\r\nNo.s\u00E9r.  14451527\r\n\r\n"
                          "TetraCon 925\r\nCond %2 \u00B5S/cm 22.9 \u00B0C\r\n"
                          "C = 0.475 1/cm, Tref25, nLF\r\n\r\n_____________________________\r\n")
        .arg(seconde, 2, 10, QLatin1Char('0'))
        .arg(cond)
        .toLatin1();
}

TEST_F(Acquisition_pty, LignesCsvEtLignesSimples) {
    programme.reglages.lecture_csv = 1;
    programme.tableau.ecrit_cellule_active("Temp", "rep\xE8re", 1);
    programme.tableau.ecrit_cellule_active("1", "occurence", 0);
    programme.tableau.ecrit_cellule_active("3", "occurence", 1);
    // Two ';' blocks of two lines, then plain lines closed by their time line.
    QList<QPair<int, QByteArray>> envois;
    for (int i = 0; i < 2; ++i)
        envois.append({50, QStringLiteral("26.09.2009 04:19:%1;\u00B0C;22.9;Temp\r\n"
                                          "26.09.2009 04:19:%1;%2;\u00B5S/cm;Cond\r\n")
                               .arg(40 + i)
                               .arg(1200 + i)
                               .toLatin1()});
    envois.append({50, "Cond777 \xe6S/cm 23.0 \xb0"
                       "C\r\nMulti 3430\r\n26.09.2009 04:19:42\r\n"});
    envoie_pendant_la_boucle(envois);
    EXPECT_TRUE(ouvre_com_et_acquiert(programme, rapport));
    ASSERT_EQ(programme.stock.nb_mesures, 3);
    EXPECT_DOUBLE_EQ(g1(1), 1200);
    EXPECT_DOUBLE_EQ(g1(2), 1201);
    EXPECT_DOUBLE_EQ(g1(3), 777);
    EXPECT_TRUE(journal(ouverture(" Open ") + QStringLiteral(" timeouts = 500")));
}

TEST_F(Acquisition_pty, CaractereParCaractereImpressionsFinissantParDesSoulignes) {
    programme.reglages.lecture_csv = 0;
    programme.reglages.prefixe = "Forage1";
    programme.reglages.nom_multimetre = "DEMO"; // left by an earlier demonstration
    envoie_pendant_la_boucle(
        {{100, impression(39, 512)}, {300, impression(40, 515)}, {300, impression(41, 530)}});
    EXPECT_TRUE(ouvre_com_et_acquiert(programme, rapport));
    ASSERT_EQ(programme.stock.nb_mesures, 3);
    EXPECT_DOUBLE_EQ(g1(1), 512);
    EXPECT_DOUBLE_EQ(g1(3), 530);
    EXPECT_TRUE(journal(ouverture(" _Open ")));
    EXPECT_TRUE(journal(QStringLiteral("_heure =<26.09.2009 04:19:40>")));
    // The header names the instrument the opening has just made active.
    EXPECT_TRUE(programme.lignes.principales.value(0).startsWith("Forage1-heure-WTW3430\tn\t"))
        << programme.lignes.principales.value(0).constData();
}

TEST_F(Acquisition_pty, CableArracheEnCoursDAcquisition) {
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        if (mode == 1) {
            ASSERT_TRUE(paire.demarre());
            programme.stock.nb_mesures = 0;
            programme.lignes.efface();
            rapport.messages.clear();
        }
        programme.reglages.lecture_csv = mode;
        points_voulus = 1000;
        QList<QPair<int, QByteArray>> envois;
        for (int i = 0; i < 3; ++i)
            envois.append({300, mode == 0 ? impression(39 + i, 500 + i)
                                          : "Cond " + QByteArray::number(500 + i) +
                                                " \xb5S/cm 22.9 \xb0"
                                                "C\r\n26.09.2009 04:19:" +
                                                QByteArray::number(39 + i) + "\r\n"});
        envois.append({300, ""});
        envoie_pendant_la_boucle(envois, [this] { paire.coupe(); });
        EXPECT_TRUE(ouvre_com_et_acquiert(programme, rapport));
        paire.arrete_simulateur();
        paire.coupe();
        // The loop ended by itself, the points are kept, the operator was told.
        EXPECT_EQ(programme.stock.nb_mesures, 3);
        EXPECT_EQ(programme.lignes.principales.size(), 4);
        ASSERT_EQ(rapport.messages.size(), 1);
        EXPECT_TRUE(
            rapport.messages.at(0).startsWith(QStringLiteral("liaison perdue avec le multimètre")))
            << rapport.messages.at(0).toStdString();
        EXPECT_TRUE(journal(QStringLiteral("  ") + rapport.messages.at(0)));
    }
}

TEST_F(Acquisition_pty, PortImpossibleAOuvrirDansLesDeuxModes) {
    programme.tableau.ecrit_cellule_active("/nulle/part/tty", "COMx", 0);
    bool boucle = false;
    rapport.a_chaque_passage = [&] { boucle = true; };
    for (int mode : {1, 0}) {
        programme.reglages.lecture_csv = mode;
        rapport.messages.clear();
        EXPECT_FALSE(ouvre_com_et_acquiert(programme, rapport));
        const QString config = QStringLiteral("/nulle/part/tty: bauds=9600 parity=N data=8 stop=1");
        EXPECT_TRUE(journal(
            mode ? QStringLiteral(" Open ") + config + QStringLiteral(" timeouts = 500  erreur")
                 : QStringLiteral(" _Open ") + config + QStringLiteral("  erreur")));
        ASSERT_EQ(rapport.messages.size(), 1);
        EXPECT_TRUE(rapport.messages.at(0).startsWith(
            QStringLiteral("Impossible d'ouvrir le port </nulle/part/tty>")));
    }
    EXPECT_FALSE(boucle);
    // A port number that is not a number is told in the words of the conversion.
    programme.tableau.ecrit_cellule_active("COMx", "COMx", 0);
    rapport.messages.clear();
    EXPECT_FALSE(ouvre_com_et_acquiert(programme, rapport));
    EXPECT_EQ(rapport.messages, QStringList({"'x' n'est pas une valeur entière correcte"}));
}

TEST_F(Acquisition_pty, CloseComPendantLaLectureArreteEtFermeLePort) {
    for (int mode : {1, 0}) {
        programme.reglages.lecture_csv = mode;
        int passages = 0;
        rapport.a_chaque_passage = [&] {
            if (++passages == 5) ferme_com_acquisition(programme, rapport);
        };
        EXPECT_TRUE(ouvre_com_et_acquiert(programme, rapport));
        EXPECT_TRUE(programme.etat.arret);
        EXPECT_TRUE(journal(QStringLiteral(" Close")));
    }
    // Closed: another program can take the port at once.
    QSerialPort autre(paire.programme);
    EXPECT_TRUE(autre.open(QIODevice::ReadWrite));
}

TEST_F(Acquisition_pty, ListeDesPorts) {
    programme.reglages.mode_demo = true;
    liste_ports_com(programme, rapport);
    ASSERT_GE(rapport.tout_le_journal.size(), 2);
    EXPECT_EQ(rapport.tout_le_journal.at(0), QString());
    EXPECT_EQ(rapport.tout_le_journal.at(1), QStringLiteral("--------------------------"));
    for (const QString& l : rapport.tout_le_journal.mid(2)) {
        EXPECT_TRUE(
            l.startsWith(QStringLiteral("TEST Open ")) &&
            l.endsWith(QStringLiteral(": bauds=9600 parity=N data=8 stop=1 non disponible")))
            << l.toStdString();
    }
}

} // namespace
