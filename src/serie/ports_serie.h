#pragma once

#include "serie/port_ligne.h"
#include "serie/port_min.h"

// The two port modules of the program, side by side; each holds at most one port.
struct TPorts_serie {
    TPort_ligne ligne;
    TPort_min min;
};
