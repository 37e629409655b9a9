#pragma once

#include <QString>
#include <QStringList>

// Outside programs started from the parameters window: a serial terminal, the system monitor,
// the list of serial ports, the help document. Programs are started directly, never through a
// shell. Each function returns the message to show to the operator, empty when all went well.

// Every space replaced by "%20" (a path given to a browser as a file:/// address).
QString espaces_en_pour_cent(const QString& texte);

// One way of starting a tool: the program (a name looked up in PATH, or a full path) and its
// arguments.
struct TCommande {
    QString programme;
    QStringList arguments;
};

// Starts the first command whose program exists; the working folder is `dossier` when not
// empty. `nom_outil` names the tool in the message when none could be started.
QString lance_premiere_commande(const QList<TCommande>& commandes, const QString& nom_outil,
                                const QString& dossier = QString());

// The serial terminal: beside the program on Windows; cutecom, gtkterm, or picocom in a
// terminal elsewhere (picocom gets the port and the speed of the active instrument).
QString lance_terminal_serie(const QString& port, const QString& vitesse);
// The system monitor (task manager on Windows).
QString lance_moniteur_systeme();
// The device manager on Windows; elsewhere the list of the serial ports, to show as a message.
QString lance_gestionnaire_peripheriques();
// The serial ports present, one per line, as the operator would type them in the table.
QString liste_ports_presents();

// The help document beside the program.
QString fichier_aide();
// Opens the help document: "<path> introuvable" when it is missing; the described viewers are
// tried first on Windows, otherwise the desktop's PDF viewer.
QString ouvre_aide(const QString& fichier);
