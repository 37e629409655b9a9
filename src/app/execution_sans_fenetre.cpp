#include "app/execution_sans_fenetre.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>
#include <csignal>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "acquisition/boucle_lignes.h"
#include "acquisition/fichier_enregistrement.h"
#include "acquisition/lance_acquisition.h"
#include "acquisition/rapport_memoire.h"
#include "parametres/fichiers_parametres.h"
#include "serie/ouverture_com.h"
#include "trace/rendu_courbes.h"
#include "util/cp1252.h"

namespace {

QTextStream& erreurs() {
    static QTextStream flux(stderr);
    return flux;
}

void dit_erreur(const QString& texte) {
    erreurs() << "probelog : " << texte << Qt::endl;
}

// ---- SIGINT / SIGTERM: stop the acquisition and save ----

volatile std::sig_atomic_t signal_recu = 0;
#ifdef Q_OS_UNIX
int tube_signal[2] = {-1, -1};
#endif

extern "C" void sur_signal(int) {
    signal_recu = 1;
#ifdef Q_OS_UNIX
    // Wakes the event loop; nothing else is safe in a signal handler.
    const char octet = 1;
    if (tube_signal[1] >= 0) (void)!::write(tube_signal[1], &octet, 1);
#endif
}

// Watches the two signals for the time of the run.
class TSurveillance_signaux {
public:
    TSurveillance_signaux() {
#ifdef Q_OS_UNIX
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, tube_signal) == 0) {
            notificateur = new QSocketNotifier(tube_signal[0], QSocketNotifier::Read);
            QObject::connect(notificateur, &QSocketNotifier::activated, [] {
                char octet;
                (void)!::read(tube_signal[0], &octet, 1);
            });
        }
#endif
        std::signal(SIGINT, sur_signal);
        std::signal(SIGTERM, sur_signal);
    }
    ~TSurveillance_signaux() {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
#ifdef Q_OS_UNIX
        delete notificateur;
        for (int& d : tube_signal) {
            if (d >= 0) ::close(d);
            d = -1;
        }
#endif
    }

private:
#ifdef Q_OS_UNIX
    QSocketNotifier* notificateur = nullptr;
#endif
};

// ---- the report of a run without window ----

// Keeps the texts like the windows would show them, tells the operator's messages on the error
// output, and decides at each pass whether the run has to stop.
class TRapport_execution : public TRapport_memoire {
public:
    TRapport_execution(TProgramme& programme, const TOptions& options)
        : programme(programme), options(options) {}

    void message(const QString& texte) override {
        TRapport_memoire::message(texte);
        dit_erreur(texte);
    }

    void traite_evenements() override {
        QCoreApplication::processEvents();
        TEtat_acquisition& etat = programme.etat;
        const std::int32_t n = programme.stock.nb_mesures;
        if (options.t0 >= 0 && !etat.t0_marque() && n >= options.t0) marque_t0(programme);
        if (signal_recu) arrete(QStringLiteral("interrompu"));
        if (options.points >= 0 && n >= options.points) arrete(QStringLiteral("points"));
        if (options.duree >= 0 && chrono.isValid() && chrono.elapsed() >= options.duree * 1000)
            arrete(QStringLiteral("durée"));
        if (options.demo >= 0) {
            // Without waits the demonstration loop comes here exactly once a pass: after pass N
            // the next pass stores nothing and the loop ends.
            if (++passages > options.demo) arrete(QStringLiteral("passages"));
            instant_simule = instant_simule.addSecs(1);
        }
    }

    void arrete(const QString& raison) {
        if (raison_arret.isEmpty()) raison_arret = raison;
        programme.etat.arret = true;
    }

    TProgramme& programme;
    const TOptions& options;
    QElapsedTimer chrono;
    int passages = 0;
    QDateTime instant_simule;
    QString raison_arret; // empty when the loop ended on its own
};

// Lines of a text file as a text list shows them: CR LF, LF or a lone CR end a line, no empty
// last line for the final line end.
bool lit_lignes_fichier(const QString& chemin, QStringList& lignes) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) return false;
    QString texte = depuis_fichier_texte(fichier.readAll());
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lignes = texte.split(QLatin1Char('\n'));
    if (!lignes.isEmpty() && lignes.last().isEmpty()) lignes.removeLast();
    return true;
}

// The decoded lines in the record-file form: Windows-1252, CR LF after every line, written
// whole or not at all.
bool ecrit_sortie(const QString& chemin, const QList<QByteArray>& lignes, QString& erreur) {
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly)) {
        erreur = fichier.errorString();
        return false;
    }
    for (const QByteArray& ligne : lignes) {
        fichier.write(ligne);
        fichier.write("\r\n", 2);
    }
    if (!fichier.commit()) {
        erreur = fichier.errorString();
        return false;
    }
    return true;
}

// The working folder of the settings, or the documents folder when it is empty or not a folder.
QString dossier_de_travail(const TReglages& reglages) {
    const QString dossier = reglages.repertoire_travail;
    if (!dossier.trimmed().isEmpty() && QFileInfo(dossier).isDir()) return dossier;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(documents);
    return avec_antislash(QDir::toNativeSeparators(documents));
}

} // namespace

int execute_sans_fenetre(TProgramme& programme, const TOptions& options) {
    TRapport_execution rapport(programme, options);
    const auto signale = [](const QString& texte) { dit_erreur(texte); };

    // The settings and the instrument table, as the parameters window loads them.
    charge_parametres(programme, signale);
    charge_tableau(programme, chemin_fichier_tableau(programme), TDemande(), signale);
    try {
        programme.tableau.actualise_multimetre(programme.multimetre_actif);
    } catch (const ErreurConversion& erreur) {
        dit_erreur(QStringLiteral("tableau des multimètres : ") + erreur.message());
        return 1;
    }
    TReglages& reglages = programme.reglages;
    reglages.nom_multimetre = programme.tableau.lit_cellule_active("multim\xE8tre", 0);

    QStringList lignes_relues;
    if (!options.rejouer.isEmpty() && !lit_lignes_fichier(options.rejouer, lignes_relues)) {
        dit_erreur(QStringLiteral("impossible d'ouvrir le fichier %1").arg(options.rejouer));
        return 1;
    }

    // A new acquisition, as "Start (base)" begins one.
    reinitialise_acquisition(programme.stock, programme.etat);
    programme.lignes.efface();
    programme.enregistrement = TEtat_enregistrement();

    TSurveillance_signaux signaux;
    bool fin_anormale = false;
    if (options.demo >= 0) {
        // The demonstration as fast as it goes; its clock moves one second a pass, so that the
        // times, the tracing column and the area read as a one-second instrument.
        reglages.mode_demo = true;
        reglages.demo_rapide = true;
        reglages.lecture_csv = 0;
        rapport.instant_simule = QDateTime::currentDateTime();
        programme.horloge = [&rapport] { return rapport.instant_simule; };
        programme.attente = [](int) {};
        programme.etat.heure_depart = programme.horloge();
        ouvre_com_et_acquiert(programme, rapport);
    } else if (!options.rejouer.isEmpty()) {
        reglages.mode_demo = false;
        programme.attente = [](int) {};
        try {
            rejoue_lignes(programme, rapport, lignes_relues);
        } catch (const ErreurConversion& erreur) {
            dit_erreur(QStringLiteral("tableau des multimètres : ") + erreur.message());
            return 1;
        }
    } else {
        reglages.mode_demo = false;
        programme.tableau.ecrit_cellule_active(vers_1252(options.port), "COMx", 0);
        programme.etat.heure_depart = programme.horloge();
        rapport.chrono.start();
        if (!ouvre_com_et_acquiert(programme, rapport)) return 1;
        // The loop only ends by itself when the port was lost or the instrument sends what this
        // reading mode cannot read.
        fin_anormale = rapport.raison_arret.isEmpty();
        ferme_com_acquisition(programme, rapport);
    }

    // Save, then tell what was done.
    QString chemin;
    if (!options.sortie.isEmpty()) {
        QString erreur;
        if (!ecrit_sortie(options.sortie, programme.lignes.principales, erreur)) {
            dit_erreur(QStringLiteral("impossible d'écrire le fichier %1 : %2")
                           .arg(options.sortie, erreur));
            return 1;
        }
        chemin = QFileInfo(options.sortie).absoluteFilePath();
    } else if (!programme.lignes.principales.isEmpty()) {
        reglages.repertoire_travail = dossier_de_travail(reglages);
        TExtremes_affiches extremes;
        if (rapport.textes.contains(QStringLiteral("Label_y1_max_lu")))
            extremes.max_lu = rapport.texte_de("Label_y1_max_lu");
        if (rapport.textes.contains(QStringLiteral("Label_y1_min_lu")))
            extremes.min_lu = rapport.texte_de("Label_y1_min_lu");
        const TResultat_sauvegarde resultat = sauvegarde_lignes(programme, rapport, extremes);
        if (!resultat.erreur.isEmpty()) {
            dit_erreur(resultat.erreur);
            return 1;
        }
        chemin = resultat.chemin;
    }
    if (!options.image.isEmpty()) {
        programme.etat.premier_trace = 1;
        programme.etat.dernier_trace = programme.stock.nb_mesures;
        TOptions_trace trace;
        trace.couleur_fond = reglages.couleur_fond;
        QString erreur;
        if (!enregistre_image_courbes(programme, trace, options.largeur_image,
                                      options.hauteur_image, options.image, &erreur)) {
            dit_erreur(
                QStringLiteral("impossible d'écrire l'image %1 : %2").arg(options.image, erreur));
            return 1;
        }
    }

    QTextStream sortie(stdout);
    // One value per line, nothing else on standard output, so scripts can read it: the points,
    // the rejected lines, the file written, the baseline/peak/area text, the height text.
    sortie << programme.stock.nb_mesures << '\n'
           << programme.etat.nb_lignes_rejetees << '\n'
           << chemin << '\n'
           << rapport.texte_de("Label_zero") << '\n'
           << rapport.texte_de("Label_hauteur") << Qt::endl;
    if (fin_anormale) {
        dit_erreur(QStringLiteral("acquisition interrompue avant la fin demandée ; les mesures "
                                  "reçues sont enregistrées"));
        return 1;
    }
    return 0;
}
