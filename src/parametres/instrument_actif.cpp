#include "parametres/instrument_actif.h"

#include "acquisition/programme.h"
#include "acquisition/rapport.h"
#include "util/cp1252.h"

void actualise_multimetre(TProgramme& programme, TRapport* rapport) {
    TTableau_multimetres& tableau = programme.tableau;
    // The row first, so that a bad cell further on still leaves the table and the record agreed
    // on which instrument is active.
    programme.multimetre_actif.ligne =
        tableau.cherche_ligne_active(programme.multimetre_actif.ligne);
    tableau.ligne_active = programme.multimetre_actif.ligne;
    tableau.actualise_multimetre(programme.multimetre_actif, rapport);
}

void compose_config_com(TProgramme& programme, TRapport* rapport) {
    programme.tableau.ligne_active = programme.multimetre_actif.ligne;
    programme.config_com = programme.tableau.compose_config_com();
    if (rapport) {
        const QString texte = depuis_1252(programme.config_com);
        rapport->texte("Label_config", texte);
        rapport->texte("Form2.Label_config", texte);
    }
}

bool active_instrument(TProgramme& programme, int ligne, TRapport* rapport) {
    TTableau_multimetres& tableau = programme.tableau;
    if (ligne < 1 || ligne % 2 == 0 || ligne >= tableau.nb_lignes()) return false;
    const int c = tableau.colonne_par_titre(titre::actif);
    if (c < 0) return false;
    for (int r = 1; r < tableau.nb_lignes(); ++r)
        tableau.fixe_cellule(c, r, QByteArray());
    tableau.fixe_cellule(c, ligne, "x");
    programme.multimetre_actif.ligne = ligne;
    tableau.ligne_active = ligne;
    compose_config_com(programme, rapport);
    if (rapport)
        rapport->texte("Label_multimetre",
                       depuis_1252(tableau.lit_cellule_active(titre::multimetre, 0)));
    return true;
}
