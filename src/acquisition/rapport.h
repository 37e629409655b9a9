#pragma once

#include <QByteArray>
#include <QString>

#include "acquisition/mesures.h"
#include "util/texte.h"

// What the acquisition core tells the outside world. The windows show it; the command-line
// runner and the tests record it. Controls are named by their object names ("Label_n",
// "Edit_max_y1", ...); a name of the parameters window is written "Form2.Label_n".
class TRapport {
public:
    virtual ~TRapport() = default;

    virtual void texte(const char* objet, const QString& texte) { (void)objet, (void)texte; }
    virtual void visible(const char* objet, bool visible) { (void)objet, (void)visible; }
    virtual void couleur_texte(const char* objet, TCouleur couleur) { (void)objet, (void)couleur; }
    virtual void actif(const char* objet, bool actif) { (void)objet, (void)actif; }

    // A decoded line was appended to the lists (header or record row).
    virtual void ligne_decodee(const QByteArray& ligne) { (void)ligne; }
    // The decoded lines were cleared.
    virtual void lignes_effacees() {}
    // A raw line for the journal.
    virtual void journal(const QString& ligne) { (void)ligne; }
    // Point n was stored (the four-chart view takes it).
    virtual void point_ajoute(std::int32_t n, const TMesure& point) { (void)n, (void)point; }
    // The plot must be redrawn whole.
    virtual void retrace() {}
    // Lets the user interface process its pending events (nothing outside the windows).
    virtual void traite_evenements() {}
    // A plain message for the operator (an OK message box in the windows).
    virtual void message(const QString& texte) { (void)texte; }
};
