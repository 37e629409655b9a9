#include "serie/ouverture_com.h"

// Placeholder until the ports and loops are written.
bool ouvre_com_et_acquiert(TProgramme& programme, TRapport& rapport) {
    (void)programme;
    (void)rapport;
    return false;
}
void ferme_com_acquisition(TProgramme& programme, TRapport&) { programme.etat.arret = true; }
void liste_ports_com(TProgramme&, TRapport&) {}
void purge_com(TProgramme&) {}
