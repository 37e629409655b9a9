#pragma once

#include <QString>

#include "acquisition/programme.h"
#include "acquisition/rapport.h"

// The demonstration source: a record in the layout of a WTW Multi 3430 print-out whose
// conductivity follows a breakthrough curve after t0, y = A0.exp(-(t-t0)^2/(a.t+b)).

// 600.3 until t0 is marked; then 600.3 + 200 exp(-((k - 140) / 4)^2 / (60 (1 + 0.05 k))) with
// k = etat.compteur_demo: the peak, 800.3, comes 140 passes after t0.
double conductivite_demo(const TEtat_acquisition& etat);

// The synthetic record for the current pass: the conductivity with the decimals of the initial
// unit prefix (default 0) and '.' as decimal sign. Its date and time never change.
QString texte_demo(const TProgramme& programme);

// For the run of a demonstration the active instrument reads the synthetic record:
// "conductivité" by its marker "Cond", field 2, and "température", field 4 (the table's
// separators, units, colours and axes are kept). Holds until the instrument is read again.
void applique_demo(TProgramme& programme, TRapport& rapport);
