#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "outils_serie.h"
#include "outils_tests.h"
#include "parametres/fichiers_parametres.h"
#include "parametres/tableau.h"

namespace {

struct Resultat {
    int code = -1;
    QString sortie, erreurs;
    // The summary is five lines in this order; `quoi` names one of them.
    QString ligne(const char* quoi) const {
        static const QStringList ordre{
            QStringLiteral("points : "), QStringLiteral("lignes rejetées : "),
            QStringLiteral("fichier : "), QStringLiteral("Label_zero : "),
            QStringLiteral("Label_hauteur : ")};
        const qsizetype i = ordre.indexOf(QString::fromUtf8(quoi));
        const QStringList lignes = sortie.split(QLatin1Char('\n'));
        return (i >= 0 && i < lignes.size()) ? lignes[i] : QStringLiteral("<absent>");
    }
};

// The runner with its settings folder: a settings file (prefix "Forage1", decimals by prefix,
// file sign "virgule", the reading mode) and a table whose time marker takes one time of day.
class Execution : public ::testing::Test {
protected:
    void SetUp() override {
        ecrit_reglages(QString(), 0);
        TTableau_multimetres tableau;
        tableau.remplit_exemple();
        tableau.ecrit_cellule_active("::", "rep hms", 0);
        ASSERT_EQ(enregistre_tableau(tableau, dossier.filePath(QStringLiteral("probelog.ini")),
                                     TDemande()),
                  TEnregistrement::enregistre);
    }
    void ecrit_reglages(const QString& repertoire_travail, int lecture_csv) {
        QList<QByteArray> lignes(30);
        lignes[0] = QFile::encodeName(repertoire_travail);
        lignes[6] = "0";
        lignes[10] = QByteArray::number(lecture_csv);
        lignes[11] = "Forage1";
        lignes[19] = "\xB5=0;m=3;k=1;F=3";
        QByteArray contenu;
        for (const QByteArray& l : lignes)
            contenu += l + "\r\n";
        ASSERT_TRUE(ecrit_fichier(dossier.filePath(QStringLiteral("Probelog.prm")), contenu));
    }
    QProcess* prepare(QStringList arguments, const QString& locale = QStringLiteral("fr_FR")) {
        processus = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), maison.path()); // the documents folder of the run
        env.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));
        processus->setProcessEnvironment(env);
        processus->setProgram(chemin_binaire(QStringLiteral("probelog")));
        processus->setArguments(QStringList{QStringLiteral("--sans-fenetre"),
                                            QStringLiteral("--reglages"), dossier.path(),
                                            QStringLiteral("--locale"), locale} +
                                arguments);
        return processus.get();
    }
    Resultat termine() {
        Resultat r;
        EXPECT_TRUE(processus->waitForFinished(60000));
        r.code = processus->exitStatus() == QProcess::NormalExit ? processus->exitCode() : -1;
        r.sortie = QString::fromUtf8(processus->readAllStandardOutput());
        r.erreurs = QString::fromUtf8(processus->readAllStandardError());
        return r;
    }
    Resultat lance(QStringList arguments, const QString& locale = QStringLiteral("fr_FR")) {
        prepare(std::move(arguments), locale)->start();
        return termine();
    }
    QString chemin(const char* nom) const { return dossier.filePath(QString::fromUtf8(nom)); }
    static QList<QByteArray> lignes_crlf(const QByteArray& contenu) {
        QList<QByteArray> lignes = contenu.split('\n');
        for (int i = 0; i + 1 < lignes.size(); ++i)
            EXPECT_TRUE(lignes[i].endsWith('\r')) << i;
        EXPECT_TRUE(lignes.last().isEmpty()); // CR LF after the last line too
        lignes.removeLast();
        for (QByteArray& l : lignes)
            l.chop(1);
        return lignes;
    }

    QTemporaryDir dossier, maison;
    std::unique_ptr<QProcess> processus;
};

TEST_F(Execution, Demo400AvecT0A100SousLesDeuxReglagesRegionaux) {
    struct Cas {
        const char* locale;
        QString date;
        QChar signe; // PC decimal sign
    };
    const Cas cas[] = {{"fr_FR", QStringLiteral("dd/MM/yyyy"), QLatin1Char(',')},
                       {"en_US", QStringLiteral("M/d/yy"), QLatin1Char('.')}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.locale);
        const Resultat r =
            lance({QStringLiteral("--demo"), QStringLiteral("400"), QStringLiteral("--t0"),
                   QStringLiteral("100"), QStringLiteral("--sortie"), chemin("demo.txt")},
                  QString::fromLatin1(c.locale));
        ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
        EXPECT_EQ(r.ligne("points : "), QStringLiteral("400"));
        EXPECT_EQ(r.ligne("lignes rejetées : "), QStringLiteral("0"));
        EXPECT_EQ(r.ligne("fichier : "), QFileInfo(chemin("demo.txt")).absoluteFilePath());
        // The area of a one-second demonstration is the same on every run.
        EXPECT_EQ(r.ligne("Label_zero : "),
                  QStringLiteral("base =   600    dhMAX =   200    hMAX =   800    "
                                 "aire[µS/cm.s]x1.0001 = 12755") +
                      c.signe + QStringLiteral("02537 "));
        EXPECT_EQ(r.ligne("Label_hauteur : "),
                  QStringLiteral("(moy. des 60 der. val.) - base =     60") + c.signe +
                      QStringLiteral("8 "));

        const QList<QByteArray> lignes = lignes_crlf(lit_fichier(chemin("demo.txt")));
        ASSERT_EQ(lignes.size(), 401);
        EXPECT_EQ(lignes[0], QByteArray("Forage1-heure-DEMO\tn\theure\theure-tra\xE7"
                                        "age\tconductivit\xE9[\xB5S/cm]\ttemp\xE9rature"));
        // The curve at 100, 140, 180 and 300 passes after t0; file decimals 3, sign "virgule".
        const struct {
            int n;
            const char* valeur;
        } points[] = {{50, " 600,000"},
                      {200, " 752,000"},
                      {240, " 800,000"},
                      {280, " 770,000"},
                      {400, " 638,000"}};
        for (const auto& p : points) {
            const QList<QByteArray> colonnes = lignes[p.n].split('\t');
            ASSERT_EQ(colonnes.size(), 6) << p.n;
            EXPECT_EQ(colonnes[1], QByteArray::number(p.n));
            EXPECT_EQ(colonnes[4], QByteArray(p.valeur)) << p.n;
            EXPECT_EQ(colonnes[5], QByteArray("22,9"));
            EXPECT_EQ(colonnes[3].isEmpty(), p.n <= 100) << p.n;
            const QDate date = QDate::fromString(
                QString::fromLatin1(colonnes[0].left(colonnes[0].indexOf(' '))), c.date);
            EXPECT_TRUE(date.isValid()) << colonnes[0].constData();
        }
        // One second a point after t0 on the run's own clock.
        EXPECT_EQ(lignes[240].split('\t')[3], QByteArray("00:02:20"));
    }
}

TEST_F(Execution, SansSortieLeFichierVaDansLeDossierDeTravail) {
    QTemporaryDir travail;
    struct Cas {
        QString repertoire; // settings line 1
        QString attendu;    // folder of the record file
    };
    const Cas cas[] = {{travail.path() + QLatin1Char('/'), travail.path()},
                       {QString(), maison.path() + QStringLiteral("/Documents")},
                       {chemin("pas_un_dossier"), maison.path() + QStringLiteral("/Documents")}};
    for (const Cas& c : cas) {
        ecrit_reglages(c.repertoire, 0);
        const Resultat r = lance({QStringLiteral("--demo"), QStringLiteral("20")});
        ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
        const QFileInfo fichier(r.ligne("fichier : "));
        EXPECT_TRUE(fichier.exists()) << r.sortie.toStdString();
        EXPECT_EQ(QDir(fichier.absolutePath()).canonicalPath(), QDir(c.attendu).canonicalPath());
        EXPECT_TRUE(fichier.fileName().endsWith(QStringLiteral(" demo 20_enreg_0µS.txt")))
            << fichier.fileName().toStdString();
        EXPECT_EQ(lignes_crlf(lit_fichier(fichier.filePath())).size(), 21);
    }
}

TEST_F(Execution, RejoueLeFichierAutomatiqueDUnMultimetre) {
    // The instrument's log as a text list reads it, whatever its line ends.
    for (const QByteArray fin_de_ligne : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(QByteArray(fin_de_ligne).toPercentEncoding().constData());
        QByteArrayList journal = {"Multi 3430", "fichier auto", "", "entete"};
        for (int i = 0; i < 5; ++i)
            journal += {"Cond " + QByteArray::number(600 + i) + " \xB5S/cm 22.9 \xB0" + "C",
                        "26.09.2009 04:19:" + QByteArray::number(40 + i)};
        journal += {"Cond 1.2.3 \xB5S/cm 22.9 \xB0"
                    "C",
                    "26.09.2009 04:19:50"};
        ASSERT_TRUE(ecrit_fichier(chemin("auto.txt"), journal.join(fin_de_ligne) + fin_de_ligne));
        const Resultat r = lance({QStringLiteral("--rejouer"), chemin("auto.txt"),
                                  QStringLiteral("--sortie"), chemin("relu.txt")});
        ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
        EXPECT_EQ(r.ligne("points : "), QStringLiteral("5"));
        EXPECT_EQ(r.ligne("lignes rejetées : "), QStringLiteral("1"));
        const QList<QByteArray> lignes = lignes_crlf(lit_fichier(chemin("relu.txt")));
        ASSERT_EQ(lignes.size(), 6);
        EXPECT_EQ(lignes[5].split('\t')[4], QByteArray(" 604,000"));
        EXPECT_EQ(lignes[5].split('\t')[2], QByteArray("26.09.2009 04:19:44"));
    }
}

TEST_F(Execution, CodesDeSortie) {
    struct Cas {
        QStringList arguments;
        int code;
        const char* message;
    };
    const Cas cas[] = {
        {{}, 2, "un seul mode"},
        {{"--demo", "x"}, 2, "--demo attend un nombre entier positif"},
        {{"--demo", "3", "--port", "/dev/null"}, 2, "un seul mode"},
        {{"--rejouer", "/nulle/part.txt"}, 1, "impossible d'ouvrir le fichier /nulle/part.txt"},
        {{"--port", "/nulle/part/tty"}, 1, "Impossible d'ouvrir le port </nulle/part/tty>"},
        {{"--demo", "3", "--sortie", "/nulle/part/sortie.txt"},
         1,
         "impossible d'écrire le fichier /nulle/part/sortie.txt"},
    };
    for (const Cas& c : cas) {
        const Resultat r = lance(c.arguments);
        EXPECT_EQ(r.code, c.code) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(r.erreurs.contains(QString::fromUtf8(c.message))) << r.erreurs.toStdString();
    }
}

QByteArray impression(int i) {
    return "26.09.2009 04:19:" + QByteArray::number(10 + i) +
           "\r\nMulti 3430\r\nTetraCon 925\r\nCond " + QByteArray::number(500 + i) +
           " \xB5S/cm 22.9 \xB0"
           "C\r\nC = 0.475 1/cm, Tref25, nLF\r\n\r\n"
           "_____________________________\r\n";
}

class Execution_port : public Execution {
protected:
    void SetUp() override {
        Execution::SetUp();
        ASSERT_TRUE(paire.demarre()) << "socat";
    }
    // `n` records 300 ms apart, the first one once the port had time to open.
    void envoie(int n, std::function<void()> ensuite = {}) {
        QList<QPair<int, QByteArray>> envois;
        for (int i = 0; i < n; ++i)
            envois.append({i == 0 ? 2500 : 300, impression(i)});
        paire.simule(envois, std::move(ensuite));
    }
    QStringList arguments(QStringList suite) const {
        return QStringList{QStringLiteral("--port"), paire.programme, QStringLiteral("--sortie"),
                           chemin("port.txt")} +
               suite;
    }
    int points_du_fichier() { return int(lignes_crlf(lit_fichier(chemin("port.txt"))).size()) - 1; }
    Paire_pty paire;
};

TEST_F(Execution_port, SArreteApresNPoints) {
    envoie(6);
    const Resultat r = lance(arguments({QStringLiteral("--points"), QStringLiteral("3"),
                                        QStringLiteral("--t0"), QStringLiteral("1")}));
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.ligne("points : "), QStringLiteral("3"));
    EXPECT_EQ(points_du_fichier(), 3);
}

TEST_F(Execution_port, SigtermArreteEtEnregistre) {
    QProcess* p = prepare(arguments({}));
    envoie(3, [p] {
        QThread::msleep(500);
        ::kill(pid_t(p->processId()), SIGTERM);
    });
    p->start();
    const Resultat r = termine();
    ASSERT_EQ(r.code, 0) << r.erreurs.toStdString();
    EXPECT_EQ(r.ligne("points : "), QStringLiteral("3"));
    EXPECT_EQ(points_du_fichier(), 3);
}

TEST_F(Execution_port, CableArracheLesPointsSontEnregistres) {
    envoie(3, [this] {
        QThread::msleep(500);
        paire.coupe();
    });
    const Resultat r = lance(arguments({}));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.erreurs.contains(QStringLiteral("liaison perdue avec le multimètre")))
        << r.erreurs.toStdString();
    EXPECT_EQ(r.ligne("points : "), QStringLiteral("3"));
    EXPECT_EQ(points_du_fichier(), 3);
}

} // namespace
