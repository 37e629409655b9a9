#pragma once

#include <QString>

#include "acquisition/programme.h"
#include "acquisition/rapport.h"
#include "acquisition/sources.h"

// Runs the loop of the reading mode: the line loop when reglages.lecture_csv is not 0, the
// character loop otherwise (demonstration included). Returns when the loop ends.
void lance_acquisition(TProgramme& programme, TRapport& rapport, TSource_lignes& lignes,
                       TSource_caracteres& caracteres);

// Waits `millisecondes` while the user interface keeps processing its events, or through
// programme.attente when it is set.
void attend(TProgramme& programme, TRapport& rapport, int millisecondes);

// What a loop run remembers of the t0 button: the caption it last showed, and the start whose
// count is over (the clock is not read again until a new count starts).
struct TDecompte_go {
    QString legende;
    QDateTime depart_fini;
    QByteArray texte_injection;
};

// The t0 button during the first five seconds after heure_depart counts 00:00:05 down to
// 00:00:01, then shows the injection text. Full date-times are compared, so the count holds
// across midnight.
void decompte_bouton_go(const TProgramme& programme, TRapport& rapport, TDecompte_go& decompte);

// t0 marked by the operator: the following points are tracing points, the demonstration curve
// starts again from 0.
void marque_t0(TProgramme& programme);

// A text of the settings, read whether it came from a settings file (Windows-1252) or from the
// program itself.
QString texte_reglage(const QByteArray& texte);
