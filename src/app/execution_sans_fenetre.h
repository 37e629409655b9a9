#pragma once

#include "acquisition/programme.h"
#include "app/options.h"

// The command-line runner: the same core as the windows, no window. Returns the exit status:
// 0 run ended normally, 1 could not run (port, input or output file), 2 usage error.
int execute_sans_fenetre(TProgramme& programme, const TOptions& options);
