#pragma once

#include <QByteArray>
#include <QString>

#include "util/texte.h"

// What the operator set in the parameters window and a few controls of the main window: the
// plain record that the acquisition core reads (the windows keep it up to date when a control
// changes) and that the settings file "Probelog.prm" keeps between runs.
struct TReglages {
    QString repertoire_travail; // line 1, ends with the separator when set
    bool mode_demo = true;      // "démo" (checked in the form)
    int souris = 0;             // 0 habituelle, 1 guidée, 2 saut
    TCouleur couleur_fenetre = rgb(240, 240, 240);
    TCouleur couleur_fond = rgb(255, 255, 255); // plot background
    bool demo_rapide = false;                   // "rapide"
    int signe_decimal_fichier = 0;              // 0 "virgule", 1 "point"
    bool sauve_auto = false;                    // "sauvegarde automatique (en  mn)"
    QByteArray sos_mn = "5";                    // minutes between auto-saves
    QByteArray timeouts = "500";                // line-mode read time-out (ms)
    int lecture_csv = 0;                        // 0 caractère par caractère, 1 par chaîne et CSV
    QByteArray prefixe = "Forage1";             // Edit_Prefixe
    bool date_heure_nom = true;                 // "+ date/heure" in front of file names
    bool fenetre_maximale = false;
    bool dtr = false;
    bool rts = false;
    bool lecture_sans_traitement = false;
    QByteArray nom_blocnote = "notepad.exe";
    int mode_contraste = 0;
    bool save_sans_confirmation = true;
    QByteArray nb_decimale_1 = "\xB5=0;m=3;k=1;F=3"; // decimals by unit prefix, F = files
    QByteArray start_inject = "tra\xE7"
                              "age => t0";
    QByteArray facteur = "1.02"; // area multiplier (text of Edit_facteur)
    bool ph_ox_3sondes = false;  // "3 sondes : Cond, T°C, pH et Ox"
    QByteArray texte_ph = "pH";
    QByteArray texte_ox = "Ox";
    QByteArray cond_ph_ox = "Cond"; // last quantity shown on the instrument
    QByteArray nom_multimetre;      // caption of Label_multimetre
    // "Probelog.prm" once the settings have been loaded; empty before, when the settings are
    // neither written nor read (a missing table file at start-up must not create them).
    QString fichier_parametres;
};
