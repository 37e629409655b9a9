#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "acquisition/programme.h"
#include "acquisition/rapport.h"

// The record files: the main list of decoded lines written as Windows-1252 text, CR LF after
// every line, named from the prefix, the date, the number of points and the range read.

// Captions of the two "read extremes" labels of quantity 1 (Label_y1_max_lu, Label_y1_min_lu):
// "max lu" / "min lu" until a point is decoded, then the values.
struct TExtremes_affiches {
    QString max_lu = QStringLiteral("max lu");
    QString min_lu = QStringLiteral("min lu");
};

// What one save did. The window puts `texte_presse_papier` on the clipboard after every save
// that wrote a file and opens `chemin` in the editor when `ouvrir_editeur` is set.
struct TResultat_sauvegarde {
    QString chemin;      // path written; empty when nothing was written
    QString dossier;     // folder of the file (native separators)
    QString nom_fichier; // the name shown in Label22
    QString erreur;      // message for the operator when the save failed
    QString texte_presse_papier;
    bool ouvrir_editeur = false;

    bool ecrit() const { return !chemin.isEmpty(); }
};

// The prefix of the names: the prefix text without trailing spaces ("demo" in demonstration
// mode), preceded by the date and time "yyyy-MM-dd hh'H'mm''ss" when asked. Empty: no file.
QString prefixe_fichier(const TReglages& reglages, const QDateTime& maintenant);
// Range of quantity 1 read so far, from the two captions, rounded half to even; 0 when either
// is not a number.
qint64 ecart_lu(const TExtremes_affiches& extremes);
// P + " " + N + "_enreg_" + D + "µS.txt".
QString nom_fichier_enregistrement(const QString& prefixe, std::int32_t nb_mesures, qint64 ecart);
// The folder of saves on demand, or its "sauvegarde_auto" subfolder (native separators, no
// trailing separator for the subfolder).
QString dossier_enregistrement(const QString& repertoire_travail, bool sauvegarde_auto);

// One save of the main list of decoded lines. Nothing is written when no line was added since
// the previous save, or when the prefix is empty. The count of saved rows
// (enregistrement.nb_enreg_sauves) changes only once the file is completely written, so a
// failed save is tried again by the next one. A periodic save (sauvegarde_auto_en_cours)
// writes into "sauvegarde_auto" and keeps only the latest periodic file of the acquisition.
// Label22 and Label11 get their texts through the report.
TResultat_sauvegarde sauvegarde_lignes(TProgramme& programme, TRapport& rapport,
                                       const TExtremes_affiches& extremes);

// The periodic save (Timer1): the flag is set only for the time of the save.
TResultat_sauvegarde sauvegarde_periodique(TProgramme& programme, TRapport& rapport,
                                           const TExtremes_affiches& extremes);

// Report of a save on demand for Label_mess: "<rows> enregistrements effectués dans \n<path>\n
//   et dans le presse_papier".
QString texte_compte_rendu_sauvegarde(const TProgramme& programme, const QString& chemin);

// Whole text of the main list, as the clipboard receives it.
QString texte_lignes(const TLignes_decodees& lignes);
