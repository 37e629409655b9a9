#pragma once

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

#include "parametres/tableau.h"

// The instrument table as the operator sees it. Row 0 (the titles) is the horizontal header and
// column 0 (the quantity number) the vertical header, so they stay in place when the grid
// scrolls; the cells below show and edit the table model itself, nothing is copied.
//
// Model index (row, column) is table cell (column + 1, row + 1).

class TModele_grille : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TModele_grille(TTableau_multimetres& tableau, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Writes one cell (table coordinates) and lets the views and an open editor follow.
    void ecrit(int colonne, int ligne, const QByteArray& texte);
    // After a table file was loaded (the row count may have changed).
    void tableau_recharge();
    // After cells were written behind the model's back (axis fields of the main window).
    void cellules_changees();

    TTableau_multimetres& tableau;
};

// Cell drawing: colour cells, the grey unused cells of second rows, the active row in aqua.
class TDelegue_grille : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TDelegue_grille(TTableau_multimetres& tableau, QObject* parent = nullptr);

    void paint(QPainter* peintre, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editeur, const QModelIndex& index) const override;

    // Set by the window: a key typed in a cell (returns the key to use, QChar(0) to drop it),
    // Enter, a double click inside the cell editor.
    std::function<QChar(int colonne, QChar touche)> filtre_touche;
    std::function<void()> touche_entree;
    std::function<void()> double_clic;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    TTableau_multimetres& tableau;
};

// Headers drawn like the fixed cells: titles of the columns that react to a double click in
// bold blue on a pale background, the number of the active row in aqua.
class TEntete_grille : public QHeaderView {
    Q_OBJECT
public:
    TEntete_grille(Qt::Orientation orientation, TTableau_multimetres& tableau,
                   QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* peintre, const QRect& rect, int section) const override;

private:
    TTableau_multimetres& tableau;
};

class TGrille : public QTableView {
    Q_OBJECT
public:
    TGrille(TTableau_multimetres& tableau, QWidget* parent = nullptr);

    TModele_grille* modele() const { return modele_; }
    TDelegue_grille* delegue() const { return delegue_; }
    // Table coordinates of the current cell (column, row), (-1, -1) when none.
    int colonne_courante() const;
    int ligne_courante() const;
    void fixe_cellule_courante(int colonne, int ligne);
    // Table column under a point of the viewport or a header, -1 outside the columns.
    int colonne_sous(const QPoint& point_fenetre) const;

    // Widths of the column table, row height 22, 17 columns.
    void applique_largeurs();

    std::function<void()> touche_entree;

protected:
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    TModele_grille* modele_;
    TDelegue_grille* delegue_;
};

// Explanation of a column shown in the help strip ("explications pour les colonnes" elsewhere).
QString explication_colonne(const QByteArray& titre);
// Titles of the columns that react to a double click.
bool colonne_double_clic(const QByteArray& titre);
// "r,g,b" of a colour cell read as the table reads it (missing or unreadable parts are 0).
TCouleur couleur_cellule(const QByteArray& texte);
