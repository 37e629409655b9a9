#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <QTextStream>
#include <clocale>
#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

#include "acquisition/programme.h"
#include "app/execution_sans_fenetre.h"
#include "app/fenetre_principale.h"
#include "app/options.h"
#include "graphes/fenetre_graphes.h"
#include "parametres/fenetre/fenetre_parametres.h"
#include "util/regional.h"

namespace {

bool demande(const char* option, int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], option) == 0) return true;
    return false;
}

// The folder of the settings and table files: --reglages, else the program's folder, else (an
// installed program whose folder cannot be written) the user's configuration folder.
QString dossier_des_reglages(const TOptions& options) {
    if (!options.dossier_reglages.isEmpty()) return QDir(options.dossier_reglages).absolutePath();
    const QString dossier_programme = QCoreApplication::applicationDirPath();
    if (QFileInfo(dossier_programme).isWritable()) return dossier_programme;
    const QString utilisateur = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(utilisateur);
    return utilisateur;
}

} // namespace

int main(int argc, char** argv) {
    // A usage error is reported first, whatever the display.
    {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        const TOptions premier_examen = analyse_options(arguments);
        if (!premier_examen.erreur.isEmpty() && !premier_examen.aide) {
            QTextStream(stderr) << "probelog : " << premier_examen.erreur << "\n"
                                << "  probelog --help donne la liste des options.\n";
            return 2;
        }
    }
    const bool sans_fenetre = demande("--sans-fenetre", argc, argv);
    const bool aide =
        demande("--help", argc, argv) || demande("-h", argc, argv) || demande("--aide", argc, argv);
#if defined(Q_OS_LINUX)
    // The runner needs no display; the windows need one, and Qt would abort without it.
    if ((sans_fenetre || aide) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!sans_fenetre && !aide && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        QTextStream(stderr) << "probelog : aucun écran (DISPLAY n'est pas défini).\n"
                               "  Pour voir la fenêtre sans écran : xvfb-run -a ./build/probelog\n"
                               "  Pour une démonstration sans fenêtre : ./build/probelog "
                               "--sans-fenetre --demo 400 --t0 100\n";
        return 1;
    }
#endif
#if defined(Q_OS_UNIX)
    // Qt wants a private runtime folder and complains on standard error when there is none
    // (a session without a desktop, a service, a test run).
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dossier =
            QDir::temp().filePath(QStringLiteral("probelog-runtime-%1").arg(getuid()));
        if (QDir().mkpath(dossier)) {
            QFile::setPermissions(dossier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dossier));
        }
    }
#endif
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Probelog"));
    // printf-style number formatting always writes '.', the PC decimal sign is applied after.
    std::setlocale(LC_NUMERIC, "C");

    const TOptions options = analyse_options(QApplication::arguments());
    if (options.aide) {
        QTextStream(stdout) << options.texte_aide;
        return 0;
    }
    if (!options.erreur.isEmpty()) {
        QTextStream(stderr) << "probelog : " << options.erreur << "\n"
                            << "  probelog --help donne la liste des options.\n";
        return 2;
    }
    regional::initialise(options.locale.isEmpty() ? QLocale::system() : QLocale(options.locale));

    TProgramme programme;
    programme.dossier_reglages = dossier_des_reglages(options);

    if (options.sans_fenetre) return execute_sans_fenetre(programme, options);

    // A first start (no settings yet) or a computer without any serial port runs the
    // demonstration: there is no instrument to read.
    const bool premier_demarrage = !QFileInfo::exists(
        QDir(programme.dossier_reglages).filePath(QStringLiteral("Probelog.prm")));

    // The three windows, in this order: the main window, the parameters, the charts.
    TForm1 form1(programme);
    TForm2 form2(programme, form1);
    TForm3 form3(programme);
    form1.relie_fenetres(&form2, &form3);
    if ((premier_demarrage || QSerialPortInfo::availablePorts().isEmpty()) &&
        !programme.reglages.mode_demo)
        form1.CheckBox_demo->click();
    form1.show();
    return QApplication::exec();
}
