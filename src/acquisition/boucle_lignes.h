#pragma once

#include <QString>
#include <QStringList>

#include "acquisition/programme.h"
#include "acquisition/rapport.h"
#include "acquisition/sources.h"

// The line acquisition loop ("par chaîne de caractères et CSV"): assembles the lines of one
// record into a block (etat.bloc_en_cours), rebuilds a time line and a group line from it and
// hands them to the line-mode decoder. Each pass first lets the user interface process its
// events. Returns when etat.arret is set at the end of a pass or when the source ends.
void boucle_lignes(TProgramme& programme, TRapport& rapport, TSource_lignes& source);

// A block whose end never comes is not kept growing: beyond this many lines or characters it is
// dropped (and journaled) and assembly starts again from the line that overflowed it.
constexpr int bloc_max_lignes = 500;
constexpr int bloc_max_caracteres = 65536;

// The first three date-time stamps of a block: 3 when they are equal (or when a block holds
// two equal stamps and no third, no stamp at all included), 2 when only the first two are
// equal, 1 when only the last two are, else 0. `dates` gets the three stamps, one a line.
int controle_dates_bloc(const QString& bloc, QString& dates);

// Replays an instrument's own log through the line loop: its lines from index 4 on, the line
// "fin" being added at the end; the points and decoded lines are those of the replay.
void rejoue_lignes(TProgramme& programme, TRapport& rapport, QStringList lignes);

// "12 345": digits in groups of three separated by a space.
QString nombre_groupe(std::int32_t n);
