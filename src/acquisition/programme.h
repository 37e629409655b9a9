#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

#include "acquisition/mesures.h"
#include "parametres/multimetre.h"
#include "parametres/reglages.h"
#include "parametres/tableau.h"
#include "util/regional.h"

// The decoded lines: the list that record files are made of (the main window's) and its mirror
// in the parameters window. They differ only by their first line after a link test.
struct TLignes_decodees {
    QList<QByteArray> principales;
    QList<QByteArray> parametres;

    void ajoute(const QByteArray& ligne) {
        principales.append(ligne);
        parametres.append(ligne);
    }
    void efface() {
        principales.clear();
        parametres.clear();
    }
};

// Where the record files stand: what was saved last and the periodic file of this acquisition.
struct TEtat_enregistrement {
    int nb_enreg_sauves = 0; // record rows written by the latest save
    bool sauvegarde_auto_en_cours = false;
    QString dernier_fichier_auto;
};

// The two serial port modules (serie/ports_serie.h).
struct TPorts_serie;

// Everything an acquisition shares, owned by one object and handed by reference to the windows,
// the command-line runner and the core. Each test builds a fresh one.
struct TProgramme {
    TStock_mesures stock;
    TEtat_acquisition etat;
    TMultimetre multimetre_actif;
    TTableau_multimetres tableau;
    TReglages reglages;
    TLignes_decodees lignes;
    TEtat_enregistrement enregistrement;
    bool tableau_modifie = false;
    QByteArray config_com;
    QString dossier_reglages; // folder of "Probelog.prm" and of the table file

    // The clock the decoder reads; tests replace it to get exact time steps.
    std::function<QDateTime()> horloge = [] { return regional::maintenant(); };

    // Waits of the acquisition loops and of the port opening, in milliseconds. Empty: real waits
    // that keep the user interface alive. Tests and the runner replace them.
    std::function<void(int millisecondes)> attente;

    // The port modules, created at the first opening; they live as long as the program.
    std::shared_ptr<TPorts_serie> ports;

    TProgramme() { stock.alloue_initial(); }
};
