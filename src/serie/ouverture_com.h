#pragma once

#include "acquisition/programme.h"
#include "acquisition/rapport.h"

// The three actions of the parameters window on the instrument's port, usable without a window.

// "Open COM": loads the active instrument, opens its port in the reading mode of the settings
// (no port in demonstration mode) and runs the acquisition loop until etat.arret. Returns false
// when the port could not be opened (journaled with "  erreur"; no loop ran).
bool ouvre_com_et_acquiert(TProgramme& programme, TRapport& rapport);

// "Close COM": sets etat.arret (the running loop ends at its next pass) and closes the port.
void ferme_com_acquisition(TProgramme& programme, TRapport& rapport);

// "liste COMx": tries the ports present on this computer and journals which ones open; each
// port is closed after its try.
void liste_ports_com(TProgramme& programme, TRapport& rapport);

// Empties the port's buffers before a new acquisition (nothing when no port is open).
void purge_com(TProgramme& programme);

// Closes the line port (the exit sequence).
void ferme_com(TProgramme& programme);
