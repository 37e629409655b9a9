#include "acquisition/mesures.h"

#include <utility>

void TStock_mesures::alloue_initial() {
    capacite_mesures = pas_croissance;
    mesures.assign(static_cast<size_t>(capacite_mesures), TMesure{});
    nb_mesures = 0;
}

void TStock_mesures::prepare_point_suivant() {
    if (nb_mesures + 1 >= capacite_mesures) {
        capacite_mesures += pas_croissance;
        mesures.resize(static_cast<size_t>(capacite_mesures), TMesure{});
    }
}

void TStock_mesures::remplace(std::vector<TMesure> points, std::int32_t nb_points) {
    mesures = std::move(points);
    nb_mesures = nb_points;
    capacite_mesures = nb_points + pas_croissance;
    mesures.resize(static_cast<size_t>(capacite_mesures), TMesure{});
}

void reinitialise_acquisition(TStock_mesures& stock, TEtat_acquisition& etat) {
    stock.nb_mesures = 0;
    etat.nb_lectures = 0;
    etat.compteur_demo = 0;
    etat.indice_t0 = indice_t0_non_marque;
    etat.min_lu1 = 1000000;
    etat.max_lu1 = 0;
    etat.min_lu2 = 1000000;
    etat.max_lu2 = 0;
    etat.arret = false;
    etat.premier_trace = 0;
    etat.dernier_trace = 0;
    etat.aire = 0;
    etat.base = 0;
    etat.nb_lignes_rejetees = 0;
}
