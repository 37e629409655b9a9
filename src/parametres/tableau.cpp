#include "parametres/tableau.h"

// Placeholder until the table model is written.
TTableau_multimetres::TTableau_multimetres() { initialise_tableau(); }

void TTableau_multimetres::initialise_tableau() {
    cellules = QList<QList<QByteArray>>(nb_lignes_defaut, QList<QByteArray>(nb_colonnes));
}
