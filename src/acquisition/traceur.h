#pragma once

#include "acquisition/programme.h"
#include "acquisition/rapport.h"

// Mean of quantity 1 over the latest min(k, nb_mesures) points; 0 without points.
double moyenne_dernieres(const TStock_mesures& stock, int k);

// Baseline, peak and area after point nb_mesures was stored (before max_lu1 takes it), and the
// texts of Label_zero and Label_hauteur.
void calcule_traceur(TProgramme& programme, TRapport& rapport);
