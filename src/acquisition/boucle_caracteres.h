#pragma once

#include "acquisition/programme.h"
#include "acquisition/rapport.h"
#include "acquisition/sources.h"

// The character-stream loop ("caractère par caractère"): at each pass everything received since
// the previous one (or, in demonstration mode, the synthetic record) is split at its line ends
// into '|'-separated fields, from which the instrument's time and one line with quantity 1 (and
// pH and oxygen) are rebuilt for the character-mode decoder. Returns when etat.arret is set at
// the end of a pass, when a ';' is received (CSV output, which this mode cannot read) or when
// the source ends.
void boucle_caracteres(TProgramme& programme, TRapport& rapport, TSource_caracteres& source);
