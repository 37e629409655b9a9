#pragma once

#include <QWidget>

#include "acquisition/programme.h"
#include "acquisition/rapport.h"

class TForm2;
class TForm3;

// The main window: the run buttons, the large values, the tracer results and the live plot.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(TProgramme& programme, QWidget* parent = nullptr);
    void relie_fenetres(TForm2* parametres, TForm3* graphes);

    // The report the core writes into: labels of both windows (a name "Form2.X" is the
    // parameters window's control X), the journal memos, the decoded-line memos, the redraw.
    TRapport& rapport();
    // Instrument name, quantity names, units, colours and axis fields from multimetre_actif.
    void actualise_affichage_multimetre();
    // Controls of the main window from programme.reglages (démo, prefix, colours).
    void applique_reglages();
    // Full redraw of the live plot.
    void retrace_courbes();

    static constexpr const char* version_programme = "4.11";

private:
    TProgramme& programme;
    TForm2* form2 = nullptr;
    TForm3* form3 = nullptr;
};
