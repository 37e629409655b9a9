#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

// One measurement point. Kept compact (the time text inline, no allocation): a multi-day
// acquisition holds millions of them.
struct TMesure {
    static constexpr int taille_heure = 80;
    char heure[taille_heure]; // PC date and time, Windows-1252, not terminated when 80 long
    double grandeur1;
    double grandeur2;
    double ph;
    double ox;

    QByteArray texte_heure() const {
        return QByteArray(heure, static_cast<qsizetype>(strnlen(heure, taille_heure)));
    }
    // A longer text is cut to 80 characters.
    void fixe_heure(const QByteArray& texte) {
        std::memset(heure, 0, taille_heure);
        std::memcpy(heure, texte.constData(), std::min<size_t>(texte.size(), taille_heure));
    }
};

// "t0 not marked": an index that no acquisition reaches (the store is indexed by int32).
constexpr std::int32_t indice_t0_non_marque = std::numeric_limits<std::int32_t>::max();

// The growing array of points, indexed from 1 (index 0 is not a point).
struct TStock_mesures {
    static constexpr std::int32_t pas_croissance = 10000;

    std::vector<TMesure> mesures;
    std::int32_t nb_mesures = 0;
    std::int32_t capacite_mesures = 0;

    // Start-up: 10000 zeroed points.
    void alloue_initial();
    // Grows by 10000 when nb_mesures + 1 >= capacite_mesures; never shrinks.
    void prepare_point_suivant();
    // Replaces the whole content (loading a file): capacity = points + 10000.
    void remplace(std::vector<TMesure> points_indices_1_a_n, std::int32_t nb_points);

    TMesure& point(std::int32_t n) { return mesures[static_cast<size_t>(n)]; }
    const TMesure& point(std::int32_t n) const { return mesures[static_cast<size_t>(n)]; }
};

// Flags, times and running results shared by the acquisition, the windows and the plot.
struct TEtat_acquisition {
    bool arret = false;
    QDateTime heure_depart; // time of the start of the countdown
    QDateTime heure_t0;     // PC date and time of the t0 button
    std::int32_t indice_t0 = indice_t0_non_marque;
    std::int32_t compteur_demo = 0;
    std::int32_t nb_lectures = 0;
    bool reprise = false;   // a record file was loaded: continue it
    bool relecture = false; // an instrument log is being replayed
    std::int32_t ligne_relecture = 0;
    QString bloc_en_cours;
    std::int32_t premier_trace = 0;
    std::int32_t dernier_trace = 0;

    long double base = 0;
    long double aire = 0;
    double facteur_aire = 1.02;
    double max_lu1 = 0, min_lu1 = 1000000;
    double max_lu2 = 0, min_lu2 = 1000000;
    QByteArray prefixe_initial;
    QByteArray prefixe_courant;
    QByteArray nb_decimales = "1";

    // Lines that could not be decoded (a bad number): rejected, journaled and counted.
    std::int32_t nb_lignes_rejetees = 0;

    bool t0_marque() const { return indice_t0 != indice_t0_non_marque; }
    bool est_point_tracage(std::int32_t n) const { return n >= indice_t0; }
};

// The acquisition reset of the store and the state (the windows add their own displays):
// nb_mesures, counters, t0 not marked, extremes, base and area; the allocation, heure_t0 and
// reprise are kept.
void reinitialise_acquisition(TStock_mesures& stock, TEtat_acquisition& etat);
