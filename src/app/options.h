#pragma once

#include <QString>
#include <QStringList>

// The command line of probelog.
struct TOptions {
    QString dossier_reglages;  // --reglages: folder of Probelog.prm and of the table file
    QString locale;            // --locale: regional settings instead of the system's
    bool sans_fenetre = false; // --sans-fenetre: the command-line runner

    // Runner.
    int demo = -1;                                 // --demo N: passes of the demonstration source
    QString rejouer;                               // --rejouer FICHIER
    QString port;                                  // --port NOM
    int t0 = -1;                                   // --t0 K
    int points = -1;                               // --points N
    double duree = -1;                             // --duree SECONDES
    QString sortie;                                // --sortie FICHIER
    QString image;                                 // --image FICHIER.png
    int largeur_image = 1685, hauteur_image = 434; // --taille LxH

    QString erreur; // usage error, in French, empty when the line is sound
    bool aide = false;
    QString texte_aide;
};

TOptions analyse_options(const QStringList& arguments);
