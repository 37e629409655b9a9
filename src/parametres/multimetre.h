#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

#include "util/texte.h"

// The active instrument, parsed from the two rows of the marked instrument of the table.
// Arrays are indexed by the quantity number, 1 or 2 (index 0 unused).
struct TMultimetre {
    int ligne = 1; // table row of the instrument's first row
    TCouleur couleur[3] = {0, 0, 0};
    int epaisseur[3] = {0, 0, 0};
    QByteArray repere[3];
    QByteArray exclusion;
    QByteArray grandeur[3];
    QByteArray unite[3];
    double y_max[3] = {0, 0, 0};
    double y_min[3] = {0, 0, 0};
    double y_graduation[3] = {0, 0, 0};
    char separateur[3] = {' ', ' ', ' '};
    int occurence[3] = {0, 0, 0};
    QChar car_hms = QLatin1Char(':');
    int nb_hms[3] = {2, 2, 2};
    QByteArray fin_de_bloc = "__";
};
