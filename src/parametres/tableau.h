#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "parametres/multimetre.h"

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

    // Builds the record of the marked instrument (keeps multimetre.ligne when no mark).
    void actualise_multimetre(TMultimetre& multimetre) const;
    // "COM7: bauds=9600 parity=N data=8 stop=1" from the active instrument.
    QByteArray compose_config_com() const;

    int ligne_active = 1;                 // follows multimetre_actif.ligne
    std::function<void(const QString&)> signale; // plain messages to the operator

private:
    QList<QList<QByteArray>> cellules;    // [ligne][colonne]
};
