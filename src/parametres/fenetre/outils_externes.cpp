#include "parametres/fenetre/outils_externes.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <QUrl>

QString espaces_en_pour_cent(const QString& texte) {
    QString resultat = texte;
    resultat.replace(QLatin1Char(' '), QStringLiteral("%20"));
    return resultat;
}

namespace {

// Full path of a program: a path as given when it exists, else the name looked up in PATH.
QString trouve_programme(const QString& programme) {
    if (programme.contains(QLatin1Char('/')) || programme.contains(QLatin1Char('\\')))
        return QFileInfo(programme).isFile() ? programme : QString();
    return QStandardPaths::findExecutable(programme);
}

QString dossier_programme() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

// picocom and top need a terminal window of their own.
QList<TCommande> dans_un_terminal(const QString& programme, const QStringList& arguments) {
    QList<TCommande> commandes;
    for (const QString& terminal : {QStringLiteral("x-terminal-emulator"), QStringLiteral("xterm"),
                                    QStringLiteral("konsole")}) {
        if (!trouve_programme(programme).isEmpty())
            commandes.append({terminal, QStringList{QStringLiteral("-e"), programme} + arguments});
    }
    return commandes;
}

} // namespace

QString lance_premiere_commande(const QList<TCommande>& commandes, const QString& nom_outil,
                                const QString& dossier) {
    QStringList essayes;
    for (const TCommande& commande : commandes) {
        const QString chemin = trouve_programme(commande.programme);
        if (!essayes.contains(QFileInfo(commande.programme).fileName()))
            essayes.append(QFileInfo(commande.programme).fileName());
        if (chemin.isEmpty()) continue;
        if (QProcess::startDetached(chemin, commande.arguments, dossier)) return QString();
    }
    return nom_outil +
           QStringLiteral(" introuvable : aucun de ces programmes n'a pu être lancé (") +
           essayes.join(QStringLiteral(", ")) + QStringLiteral(").");
}

QString lance_terminal_serie(const QString& port, const QString& vitesse) {
#if defined(Q_OS_WIN)
    (void)port, (void)vitesse;
    const QString dossier = dossier_programme();
    return lance_premiere_commande({{dossier + QStringLiteral("\\RS232_hercules_3-2-6.exe"), {}}},
                                   QStringLiteral("Le terminal série"), dossier);
#else
    QList<TCommande> commandes = {{QStringLiteral("cutecom"), {}}, {QStringLiteral("gtkterm"), {}}};
    // The table may hold "ttyUSB0" as well as "/dev/ttyUSB0".
    QString peripherique = port;
    if (!peripherique.isEmpty() && !peripherique.startsWith(QLatin1Char('/')))
        peripherique = QStringLiteral("/dev/") + peripherique;
    QStringList arguments;
    if (!vitesse.isEmpty()) arguments << QStringLiteral("-b") << vitesse;
    if (!peripherique.isEmpty()) arguments << peripherique;
    commandes += dans_un_terminal(QStringLiteral("picocom"), arguments);
    if (commandes.size() == 2) commandes.append({QStringLiteral("picocom"), {}});
    return lance_premiere_commande(commandes, QStringLiteral("Le terminal série"));
#endif
}

QString lance_moniteur_systeme() {
#if defined(Q_OS_WIN)
    return lance_premiere_commande({{QStringLiteral("taskmgr.exe"), {}}},
                                   QStringLiteral("Le gestionnaire des tâches"));
#else
    QList<TCommande> commandes = {{QStringLiteral("gnome-system-monitor"), {}},
                                  {QStringLiteral("plasma-systemmonitor"), {}}};
    commandes += dans_un_terminal(QStringLiteral("top"), {});
    if (commandes.size() == 2) commandes.append({QStringLiteral("top"), {}});
    return lance_premiere_commande(commandes, QStringLiteral("Le moniteur système"));
#endif
}

QString liste_ports_presents() {
    QStringList lignes;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports) {
        QString ligne = port.portName();
        QStringList details;
        if (!port.description().isEmpty()) details << port.description();
        if (!port.manufacturer().isEmpty()) details << port.manufacturer();
        if (port.systemLocation() != port.portName()) details << port.systemLocation();
        if (!details.isEmpty())
            ligne += QStringLiteral("   (") + details.join(QStringLiteral(", ")) + QLatin1Char(')');
        lignes << ligne;
    }
    return lignes.join(QLatin1Char('\n'));
}

QString lance_gestionnaire_peripheriques() {
#if defined(Q_OS_WIN)
    return lance_premiere_commande({{QStringLiteral("mmc.exe"), {QStringLiteral("devmgmt.msc")}}},
                                   QStringLiteral("Le gestionnaire des périphériques"));
#else
    const QString ports = liste_ports_presents();
    if (ports.isEmpty())
        return QStringLiteral(
            "Aucun port série n'est présent sur cet ordinateur.\n\n"
            "Branchez le câble ou l'adaptateur USB-série, puis cliquez de nouveau.");
    return QStringLiteral("Ports série présents :\n\n") + ports +
           QStringLiteral("\n\nÉcrivez ce nom dans la colonne COMx du multimètre.");
#endif
}

QString fichier_aide() {
    return dossier_programme() + QDir::separator() + QStringLiteral("Probelog_help.pdf");
}

QString ouvre_aide(const QString& fichier) {
    if (!QFileInfo::exists(fichier))
        return QLatin1Char('<') + fichier + QStringLiteral("> introuvable");
#if defined(Q_OS_WIN)
    const QString dossier = dossier_programme();
    const QString visionneuse = QStringLiteral("C:\\LOGICIELS\\PDFX_Vwr_Port\\PDFXCview.exe");
    if (QFileInfo::exists(visionneuse)) {
        QProcess::startDetached(visionneuse, {fichier}, dossier);
        return QString();
    }
    if (QProcess::startDetached(QStringLiteral("Acrobat.exe"), {fichier}, dossier))
        return QString();
    if (QProcess::startDetached(QStringLiteral("firefox.exe"),
                                {QStringLiteral("file:///") + espaces_en_pour_cent(fichier)},
                                dossier))
        return QString();
    // Neither program is in the search path here; the viewer of the system remains.
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(fichier))) return QString();
    return QStringLiteral("Firefox et Acrobat introuvables");
#else
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(fichier))) return QString();
    return QStringLiteral("Aucun lecteur de PDF n'a pu ouvrir <") + fichier + QStringLiteral(">");
#endif
}
