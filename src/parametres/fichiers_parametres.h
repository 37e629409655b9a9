#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "util/texte.h"

struct TProgramme;
class TRapport;
class TTableau_multimetres;

// The two files that keep the parameters between runs, both in programme.dossier_reglages:
//  - the settings file "Probelog.prm": 30 numbered lines (Windows-1252, CR LF) read into
//    programme.reglages;
//  - the table file <program name>.ini: the column count, the row count, then one row text per
//    row of the instrument table, titles included.
// Every write goes through a temporary file renamed over the old one: a failed write leaves the
// previous file whole.
//
// The windows answer the questions and show the messages through two callbacks. An empty
// question callback means "no question asked" where the operation has one to skip (the
// automatic loading at start-up), and "No" for the near-empty table check of a save.

// A Yes/No question to the operator: true for Yes.
using TDemande = std::function<bool(const QString& question)>;
// A plain message to the operator (an OK box).
using TSignale = std::function<void(const QString& message)>;

// The largest table a file may give: the titles and 1000 instruments.
inline constexpr int nb_lignes_tableau_max = 2001;

// ---- where the files are ----
// Full path of the settings file; empty before the first charge_parametres.
QString chemin_fichier_parametres(const TProgramme& programme);
// <dossier>/<executable's base name>.ini ("probelog.ini"); the program's folder when the folder
// is empty.
QString chemin_fichier_tableau(const QString& dossier);
QString chemin_fichier_tableau(const TProgramme& programme);
// The example table beside the executable: <executable's folder>/<base name>.ini0.
QString chemin_fichier_exemple();

// ---- settings file ----
// Reads "Probelog.prm" into programme.reglages, each line with its default when missing or
// empty; line 1 (the working folder) is only read: checking it is the folder panel's work.
// Derived values follow as after a user's change: etat.facteur_aire from the area factor. An
// unreadable value is reported through `signale` and keeps its default; empty or invalid
// auto-save minutes become "5" silently.
void charge_parametres(TProgramme& programme, const TSignale& signale = {});
// Writes lines 1 to 26 (lines 4 and 5 only in contrast mode 0), keeps lines 27 to 30. Does
// nothing before the first charge_parametres. False when the file could not be written.
bool enregistre_parametres(const TProgramme& programme);
// A colour line 'r,g,b': exactly two commas, else the default; 0,0,0 gives grey (222,222,222);
// each component keeps its low 8 bits ('300,0,0' gives 44,0,0).
TCouleur lit_couleur_prm(const QByteArray& ligne, TCouleur defaut);
TCouleur lit_couleur_prm(const TProgramme& programme, int numero, TCouleur defaut);
// 'r,g,b' in decimal, no spaces.
QByteArray ecrit_couleur_prm(TCouleur couleur);
bool ecrit_couleur_prm(const TProgramme& programme, TCouleur couleur, int numero);
// The colour of buttons on this system (line 4's default).
TCouleur couleur_bouton_systeme();

// ---- table file ----
enum class TChargement {
    refuse,    // the operator declined: table unchanged
    charge,    // loaded (what was wrong in the file, if anything, has been reported)
    absent,    // no file: the example table was put in place and written to the path
    illisible, // not a table file: the example table was put in place, the file left alone
};
// Loads the table from a file. `demande` given: asks " écraser les PARAMETRES actuels avec ceux
// enregistrés ?" first. The table always ends with 17 columns and at least one instrument.
TChargement charge_tableau(TTableau_multimetres& tableau, const QString& fichier,
                           const TDemande& demande, const TSignale& signale);

enum class TEnregistrement { enregistre, refuse, echec };
// Writes the table file. When row 1 is nearly empty the operator is asked whether to go on.
TEnregistrement enregistre_tableau(const TTableau_multimetres& tableau, const QString& fichier,
                                   const TDemande& demande);

// ---- the same with the whole program ----
// charge_tableau; when the file was missing, the settings are also written (which does nothing
// before the first charge_parametres) and the table counts as saved.
TChargement charge_tableau(TProgramme& programme, const QString& fichier, const TDemande& demande,
                           const TSignale& signale);
// enregistre_tableau; tableau_modifie is cleared once the file is written. A failed write is
// reported and leaves tableau_modifie set.
TEnregistrement enregistre_tableau(TProgramme& programme, const QString& fichier,
                                   const TDemande& demande, const TSignale& signale);
// The table into its file, then actualise_multimetre, then the settings. A bad number in the
// table is reported and does not stop the settings from being written.
void enregistre_tout(TProgramme& programme, const TDemande& demande, const TSignale& signale,
                     TRapport* rapport = nullptr);

// The buttons of the parameters window.
// "Enregistrer param.": " enregistrer les PARAMETRES  ?", Yes: enregistre_tout.
void enregistre_param(TProgramme& programme, const TDemande& demande, const TSignale& signale,
                      TRapport* rapport = nullptr);
// "Charger param.": charge_tableau with its question, then actualise_multimetre and
// charge_parametres, which run even when the operator declined.
void charge_param(TProgramme& programme, const TDemande& demande, const TSignale& signale,
                  TRapport* rapport = nullptr);
// "exemple param.": " écraser les PARAMETRES avec l' exemple <path> ?", then the example file
// loaded as "Charger param." loads the table file; "fichier <path> introuvable ..." when it is
// missing. False when nothing was loaded (declined, or no example file): the settings were not
// read again either.
bool exemple_param(TProgramme& programme, const QString& fichier_exemple, const TDemande& demande,
                   const TSignale& signale, TRapport* rapport = nullptr);
