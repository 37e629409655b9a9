#include "app/options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

TOptions analyse_options(const QStringList& arguments) {
    TOptions o;
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Probelog : acquisition d'un multimètre (conductivité, température, pH, oxygène) sur "
        "port série pour les essais de traçage."));
    const QCommandLineOption aide(
        {QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("aide")},
        QStringLiteral("Affiche cette aide."));
    const QCommandLineOption reglages(
        QStringLiteral("reglages"),
        QStringLiteral("Dossier du fichier de réglages Probelog.prm et du tableau des multimètres "
                       "(par défaut : le dossier du programme)."),
        QStringLiteral("DOSSIER"));
    const QCommandLineOption locale(
        QStringLiteral("locale"),
        QStringLiteral("Réglages régionaux (signe décimal, format de date courte), par exemple "
                       "fr_FR ou en_US, au lieu de ceux du système."),
        QStringLiteral("NOM"));
    const QCommandLineOption sans_fenetre(
        QStringLiteral("sans-fenetre"),
        QStringLiteral("Acquisition sans fenêtre (démonstration, relecture ou port série)."));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Sans fenêtre : source de démonstration rapide pendant N passages."),
        QStringLiteral("N"));
    const QCommandLineOption rejouer(
        QStringLiteral("rejouer"),
        QStringLiteral(
            "Sans fenêtre : rejoue le fichier d'acquisition automatique d'un multimètre."),
        QStringLiteral("FICHIER"));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Sans fenêtre : acquisition sur ce port série avec le multimètre actif."),
        QStringLiteral("NOM"));
    const QCommandLineOption t0(
        QStringLiteral("t0"),
        QStringLiteral("Sans fenêtre : marque t0 quand K points sont stockés."),
        QStringLiteral("K"));
    const QCommandLineOption points(
        QStringLiteral("points"),
        QStringLiteral("Sans fenêtre, port série : s'arrête après N points."), QStringLiteral("N"));
    const QCommandLineOption duree(
        QStringLiteral("duree"),
        QStringLiteral("Sans fenêtre, port série : s'arrête après ce nombre de secondes."),
        QStringLiteral("SECONDES"));
    const QCommandLineOption sortie(QStringLiteral("sortie"),
                                    QStringLiteral("Sans fenêtre : fichier d'enregistrement écrit "
                                                   "à la fin (sinon, le dossier de travail)."),
                                    QStringLiteral("FICHIER"));
    const QCommandLineOption image(QStringLiteral("image"),
                                   QStringLiteral("Sans fenêtre : image PNG du tracé à la fin."),
                                   QStringLiteral("FICHIER.png"));
    const QCommandLineOption taille(QStringLiteral("taille"),
                                    QStringLiteral("Taille de l'image, par défaut 1685x434."),
                                    QStringLiteral("LxH"));
    p.addOptions({aide, reglages, locale, sans_fenetre, demo, rejouer, port, t0, points, duree,
                  sortie, image, taille});

    // The help text names the program from the application object; the command line may be
    // checked before that object exists (to report a usage error without a display).
    if (QCoreApplication::instance()) o.texte_aide = p.helpText();
    // Qt's own heading words stay English; the help is in French.
    o.texte_aide.replace(QStringLiteral("Usage:"), QStringLiteral("Utilisation :"));
    o.texte_aide.replace(QStringLiteral("Options:"), QStringLiteral("Options :"));
    o.texte_aide.replace(QStringLiteral("[options]"), QStringLiteral("[options]"));

    if (!p.parse(arguments)) {
        o.erreur = p.errorText();
        if (o.erreur.startsWith(QStringLiteral("Unknown option")))
            o.erreur = QStringLiteral("option inconnue : ") +
                       p.unknownOptionNames().join(QStringLiteral(", "));
        else if (o.erreur.startsWith(QStringLiteral("Missing value")))
            o.erreur = QStringLiteral("valeur manquante après une option : ") +
                       o.erreur.section(QLatin1Char('\''), 1, 1);
        return o;
    }
    o.aide = p.isSet(aide);
    o.dossier_reglages = p.value(reglages);
    o.locale = p.value(locale);
    o.sans_fenetre = p.isSet(sans_fenetre);

    auto entier = [&](const QCommandLineOption& opt, const char* nom, int& valeur) {
        if (!p.isSet(opt)) return;
        bool ok = false;
        valeur = p.value(opt).toInt(&ok);
        if (!ok || valeur < 0)
            o.erreur = QStringLiteral("--%1 attend un nombre entier positif, pas « %2 »")
                           .arg(QLatin1String(nom), p.value(opt));
    };
    entier(demo, "demo", o.demo);
    entier(t0, "t0", o.t0);
    entier(points, "points", o.points);
    if (p.isSet(duree)) {
        bool ok = false;
        o.duree = p.value(duree).toDouble(&ok);
        if (!ok || o.duree < 0)
            o.erreur = QStringLiteral("--duree attend un nombre de secondes, pas « %1 »")
                           .arg(p.value(duree));
    }
    o.rejouer = p.value(rejouer);
    o.port = p.value(port);
    o.sortie = p.value(sortie);
    o.image = p.value(image);
    if (p.isSet(taille)) {
        const QRegularExpression forme(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
        const auto m = forme.match(p.value(taille));
        if (m.hasMatch() && m.captured(1).toInt() >= 50 && m.captured(2).toInt() >= 50) {
            o.largeur_image = m.captured(1).toInt();
            o.hauteur_image = m.captured(2).toInt();
        } else {
            o.erreur =
                QStringLiteral("--taille attend LARGEURxHAUTEUR (au moins 50x50), pas « %1 »")
                    .arg(p.value(taille));
        }
    }
    if (!p.positionalArguments().isEmpty() && o.erreur.isEmpty())
        o.erreur = QStringLiteral("argument inattendu : ") +
                   p.positionalArguments().join(QLatin1Char(' '));

    if (o.erreur.isEmpty() && o.sans_fenetre) {
        const int nb_modes = (o.demo >= 0) + !o.rejouer.isEmpty() + !o.port.isEmpty();
        if (nb_modes != 1)
            o.erreur = QStringLiteral(
                "--sans-fenetre demande un seul mode : --demo N, --rejouer FICHIER ou --port NOM");
    } else if (o.erreur.isEmpty() && (o.demo >= 0 || !o.rejouer.isEmpty() || !o.port.isEmpty() ||
                                      !o.sortie.isEmpty() || !o.image.isEmpty())) {
        o.erreur = QStringLiteral(
            "--demo, --rejouer, --port, --sortie et --image vont avec --sans-fenetre");
    }
    if (o.erreur.isEmpty() && !o.locale.isEmpty()) {
        const QLocale l(o.locale);
        if (l == QLocale::c() && o.locale != QStringLiteral("C"))
            o.erreur =
                QStringLiteral("--locale : réglages régionaux inconnus « %1 »").arg(o.locale);
    }
    return o;
}
