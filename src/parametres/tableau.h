#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "parametres/multimetre.h"

class TRapport;

// Column titles as the table holds them (Windows-1252 bytes), for the callers that look a
// column up by its title.
namespace titre {
inline const QByteArray n = QByteArray("n");
inline const QByteArray actif = QByteArray("actif");
inline const QByteArray multimetre = QByteArray("multim\xE8tre");
inline const QByteArray comx = QByteArray("COMx");
inline const QByteArray vitesse = QByteArray("vitesse");
inline const QByteArray intervalle = QByteArray("intervalle");
inline const QByteArray grandeur = QByteArray("grandeur");
inline const QByteArray maximum = QByteArray("max");
inline const QByteArray minimum = QByteArray("min");
inline const QByteArray graduation = QByteArray("graduation");
inline const QByteArray couleur = QByteArray("couleur");
inline const QByteArray epaisseur = QByteArray("\xE9paisseur");
inline const QByteArray repere = QByteArray("rep\xE8re");
inline const QByteArray separateur = QByteArray("s\xE9parateur");
inline const QByteArray occurence = QByteArray("occurence");
inline const QByteArray rep_hms = QByteArray("rep hms");
inline const QByteArray fin_de_bloc = QByteArray("fin de bloc");
} // namespace titre

// The instrument description table: 17 columns, row 0 the titles, column 0 the quantity
// number; instrument k on rows 2k-1 (communication settings and quantity 1) and 2k (quantity 2).
// Cells are 8-bit (Windows-1252) texts. The grid of the parameters window shows and edits it.
class TTableau_multimetres {
public:
    static constexpr int nb_colonnes = 17;
    static constexpr int nb_lignes_defaut = 11;

    TTableau_multimetres(); // initialise_tableau

    // Gives 11 rows, the titles, "1"/"2" in column "n".
    void initialise_tableau();
    // Width in pixels of a column in the grid (60 for an unknown index).
    static int largeur_colonne(int colonne);
    int nb_lignes() const { return int(cellules.size()); }
    // Changes the row count (loading a file); at least 1 row (the titles) is kept.
    void redimensionne(int nb_lignes);

    const QByteArray& cellule(int colonne, int ligne) const;
    void fixe_cellule(int colonne, int ligne, const QByteArray& texte);

    // Row text <-> cells (the table file's form: comma-separated, quoted when needed).
    void lit_texte_ligne(int ligne, const QByteArray& texte);
    QByteArray texte_ligne(int ligne) const;

    // The example rows proposed by default (without their first two columns).
    static const QByteArray exemple_ligne1;
    static const QByteArray exemple_ligne2;
    // Example text of row i: "1,x," / "1, ," / "2, ," followed by exemple_ligne1 or 2.
    static QByteArray texte_exemple(int ligne);
    void remplit_exemple();

    // Column by its trimmed title, -1 when none. A title that matches no column is reported
    // through `signale` ("La colonne <titre> n'existe pas"); an empty title is silent.
    int colonne_par_titre(const QByteArray& titre) const;

    // Cells of the active instrument (row `ligne_active` + decalage), trimmed.
    QByteArray lit_cellule_active(const QByteArray& titre, int decalage) const;
    int entier_cellule_active(const QByteArray& titre, int decalage) const;
    void ecrit_cellule_active(const QByteArray& texte, const QByteArray& titre, int decalage);

    // First row r = 1, 3, 5, ... (r <= row count - 2) whose trimmed "actif" is "x"; the
    // previous row when none is marked.
    int cherche_ligne_active(int ligne_precedente) const;
    // Builds the record of the marked instrument (keeps multimetre.ligne when no mark). When a
    // report is given, the main window's labels and axis fields are refreshed through it.
    // A number cell that cannot be read throws ErreurConversion: the fields before it are
    // already rebuilt, those after it keep their values.
    void actualise_multimetre(TMultimetre& multimetre, TRapport* rapport = nullptr) const;
    // "COM7: bauds=9600 parity=N data=8 stop=1" from the active instrument.
    QByteArray compose_config_com() const;

    int ligne_active = 1;                        // follows multimetre_actif.ligne
    std::function<void(const QString&)> signale; // plain messages to the operator

private:
    QList<QList<QByteArray>> cellules; // [ligne][colonne]
};
