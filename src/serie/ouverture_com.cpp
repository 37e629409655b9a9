#include "serie/ouverture_com.h"

#include "parametres/instrument_actif.h"

#include <QSerialPortInfo>

#include "acquisition/lance_acquisition.h"
#include "serie/ports_serie.h"
#include "serie/sources_port.h"
#include "util/cp1252.h"
#include "util/texte.h"

namespace {

TPorts_serie& ports_de(TProgramme& programme) {
    if (!programme.ports) programme.ports = std::make_shared<TPorts_serie>();
    return *programme.ports;
}

// The port reads hand control to the user interface between two slices of their waits; the
// hook is removed when the acquisition ends, the report may not outlive it.
class TAttente_ports {
public:
    TAttente_ports(TPorts_serie& ports, TRapport& rapport) : ports(ports) {
        auto evenements = [&rapport] { rapport.traite_evenements(); };
        ports.ligne.port().pendant_attente = evenements;
        ports.min.port().pendant_attente = evenements;
    }
    ~TAttente_ports() {
        ports.ligne.port().pendant_attente = nullptr;
        ports.min.port().pendant_attente = nullptr;
    }

private:
    TPorts_serie& ports;
};

QString nom_du_port(const QByteArray& config) {
    const qsizetype deux_points = config.indexOf(':');
    return depuis_1252(deux_points < 0 ? config : config.left(deux_points)).trimmed();
}

// The operator hears why the port did not open; a port number that is not a number is told
// in the words of the number conversion.
void signale_echec(TRapport& rapport, const QByteArray& config, const QString& erreur) {
    if (erreur.contains(QStringLiteral("n'est pas une valeur")))
        rapport.message(erreur);
    else
        rapport.message(QStringLiteral("Impossible d'ouvrir le port <%1> : %2")
                            .arg(nom_du_port(config), erreur));
}

} // namespace

namespace {
bool ouvre_et_acquiert(TProgramme& programme, TRapport& rapport);
}

bool ouvre_com_et_acquiert(TProgramme& programme, TRapport& rapport) {
    try {
        return ouvre_et_acquiert(programme, rapport);
    } catch (const ErreurConversion& erreur) {
        // A number of the instrument description that cannot be read: the operator mends the
        // table; no acquisition runs on a half-read description.
        rapport.journal(QStringLiteral("  erreur : ") + erreur.message());
        rapport.message(erreur.message());
        return false;
    }
}

namespace {
bool ouvre_et_acquiert(TProgramme& programme, TRapport& rapport) {
    TEtat_acquisition& etat = programme.etat;
    const TReglages& reglages = programme.reglages;
    TPorts_serie& ports = ports_de(programme);
    TAttente_ports attente_ports(ports, rapport);

    etat.bloc_en_cours.clear();
    rapport.visible("SpeedButton_annuler_couleur", false);
    rapport.actif("Button_stop", true);
    // The active instrument as the table describes it now, shown in both windows.
    actualise_multimetre(programme, &rapport);
    // The header of the decoded lines names the instrument Label_multimetre now shows (not the
    // "DEMO" of an earlier demonstration, which the demonstration loop sets again itself).
    programme.reglages.nom_multimetre = programme.tableau.lit_cellule_active(titre::multimetre, 0);
    compose_config_com(programme, &rapport);
    const QString config = depuis_1252(programme.config_com);

    auto attente = [&](int ms) { attend(programme, rapport, ms); };

    if (reglages.lecture_csv != 0) {
        int timeouts_com = 0;
        try {
            timeouts_com = en_entier(reglages.timeouts);
        } catch (const ErreurConversion& erreur) {
            rapport.journal(QStringLiteral(" Open ") + config + QStringLiteral("  erreur"));
            rapport.message(erreur.message());
            return false;
        }
        bool ok = true;
        QString erreur;
        if (!reglages.mode_demo) {
            // The minimal port puts the settings into the port, then the line port takes it.
            ports.min.ouvre_com_min(programme.config_com);
            attente(1000);
            ports.min.ferme_com_min();
            attente(500);
            ok = ports.ligne.ouvre_com(programme.config_com);
            erreur = ports.ligne.port().erreur();
            if (ok) {
                attente(1000);
                ports.ligne.regle_tampons_com(2535);
                ports.ligne.purge_com();
            }
        }
        const QString ligne_journal = QStringLiteral(" Open ") + config +
                                      QStringLiteral(" timeouts = ") +
                                      QString::number(timeouts_com);
        if (!ok) {
            // Nothing would come: say so and start no acquisition.
            rapport.journal(ligne_journal + QStringLiteral("  erreur"));
            signale_echec(rapport, programme.config_com, erreur);
            return false;
        }
        ports.ligne.dtr_com(reglages.dtr);
        ports.ligne.rts_com(reglages.rts);
        rapport.journal(ligne_journal);
        ports.ligne.regle_timeouts_com(timeouts_com);

        TSource_port_lignes lignes(ports.ligne, attente, timeouts_com);
        TSource_muette muette;
        lance_acquisition(programme, rapport, lignes, muette);
        return true;
    }

    bool ok = true;
    if (!reglages.mode_demo) {
        ok = ports.min.ouvre_com_min(programme.config_com);
        if (ok) attente(1000);
    }
    if (ok) {
        rapport.journal(QStringLiteral(" _Open ") + config);
        TSource_port_caracteres caracteres(ports.min, attente);
        TSource_muette muette;
        lance_acquisition(programme, rapport, muette, caracteres);
    } else {
        rapport.journal(QStringLiteral(" _Open ") + config + QStringLiteral("  erreur"));
        signale_echec(rapport, programme.config_com, ports.min.erreur());
    }
    // During the acquisition the port kept the lines of its opening: RTS on, DTR off.
    ports.min.dtr_com_min(reglages.dtr);
    ports.min.rts_com_min(reglages.rts);
    return ok;
}
} // namespace

void ferme_com_acquisition(TProgramme& programme, TRapport& rapport) {
    rapport.journal(QStringLiteral(" Close"));
    rapport.journal(QString());
    programme.etat.arret = true;
    if (!programme.ports) return;
    if (programme.reglages.lecture_csv != 0) {
        programme.ports->ligne.dtr_com(false);
        programme.ports->ligne.ferme_com();
    } else {
        programme.ports->min.ferme_com_min();
    }
}

void liste_ports_com(TProgramme& programme, TRapport& rapport) {
    rapport.journal(QString());
    rapport.journal(QStringLiteral("--------------------------"));
    QStringList noms;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (!noms.contains(info.portName())) noms.append(info.portName());
#ifdef Q_OS_WIN
    for (int n = 1; n <= 9; ++n)
        if (!noms.contains(QStringLiteral("COM%1").arg(n)))
            noms.append(QStringLiteral("COM%1").arg(n));
#endif
    const QByteArray suite =
        ": bauds=" + programme.tableau.lit_cellule_active("vitesse", 0) + " parity=N data=8 stop=1";
    for (const QString& nom : noms) {
        const QByteArray config = vers_1252(nom) + suite;
        bool ok = false;
        if (!programme.reglages.mode_demo) {
            // A port of its own for each try, closed at once: the list holds no port, and the
            // port of a running acquisition is left alone (it shows as not available).
            TLiaison_serie essai;
            ok = essai.ouvre(config);
            essai.ferme();
        }
        rapport.journal(QStringLiteral("TEST Open ") + depuis_1252(config) +
                        (ok ? QStringLiteral(" disponible") : QStringLiteral(" non disponible")));
    }
}

void purge_com(TProgramme& programme) {
    if (programme.ports) programme.ports->ligne.purge_com();
}

void ferme_com(TProgramme& programme) {
    if (programme.ports) programme.ports->ligne.ferme_com();
}
