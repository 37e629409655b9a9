#pragma once

#include <QByteArray>

struct TProgramme;
class TRapport;

// The active instrument of the whole program, rebuilt from the instrument table.

// Rebuilds programme.multimetre_actif from the marked instrument and keeps the table's active
// row in step with it; refreshes the main window's labels and axis fields through the report
// when one is given. A number cell that cannot be read throws ErreurConversion (the row is
// already found, the fields before the bad cell are rebuilt).
void actualise_multimetre(TProgramme& programme, TRapport* rapport = nullptr);

// programme.config_com := "<COMx>: bauds=<vitesse> parity=N data=8 stop=1" of the active
// instrument; the text goes to Label_config of both windows.
void compose_config_com(TProgramme& programme, TRapport* rapport = nullptr);

// Marks instrument row `ligne` active (an odd row with its second row): every "actif" cell is
// emptied, the row gets "x", the active row follows, config_com is rebuilt and
// Label_multimetre shows the instrument's name. False (nothing changed) for a second row or a
// row outside the table. multimetre_actif itself waits for the next actualise_multimetre.
bool active_instrument(TProgramme& programme, int ligne, TRapport* rapport = nullptr);
