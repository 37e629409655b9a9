#include "parametres/fenetre/grille_multimetres.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "util/cp1252.h"
#include "util/texte.h"

namespace {

const QByteArray titre_actif = "actif";
const QByteArray titre_intervalle = "intervalle";
const QByteArray titre_couleur = "couleur";

const QColor couleur_titre_actif(233, 252, 252);
const QColor couleur_ligne_active(0, 255, 255);
const QColor couleur_ligne_inutile(192, 192, 192);

// Column widths in pixels, by title (the table finds its columns by title, never by place).
struct TLargeur {
    const char* titre;
    int largeur;
};
const TLargeur largeurs[] = {
    {"actif", 40},         {"multim\xE8tre", 80}, {"COMx", 60},         {"vitesse", 60},
    {"intervalle", 70},    {"grandeur", 150},     {"max", 60},          {"min", 60},
    {"graduation", 80},    {"couleur", 80},       {"\xE9paisseur", 80}, {"rep\xE8re", 180},
    {"s\xE9parateur", 90}, {"occurence", 80},     {"rep hms", 60},      {"fin de bloc", 80},
};

QFont police_grille() {
    QFont police(QStringLiteral("MS Reference Sans Serif"));
    police.setPixelSize(13);
    return police;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Shared helpers

TCouleur couleur_cellule(const QByteArray& texte) {
    const QByteArray t = supprime_espaces(texte);
    return rgb(extrait_entier(t, 1, ',', 0), extrait_entier(t, 2, ',', 0),
               extrait_entier(t, 3, ',', 0));
}

bool colonne_double_clic(const QByteArray& titre) {
    const QByteArray t = supprime_espaces(titre);
    return t == "actif" || t == "COMx" || t == "vitesse" || t == "couleur" || t == "s\xE9parateur";
}

QString explication_colonne(const QByteArray& titre) {
    const QString t = depuis_1252(supprime_espaces(titre));
    static const QHash<QString, QString> textes = {
        {QStringLiteral("n"),
         QStringLiteral(" deux grandeurs pour chaque description de multimètre, en 1 => "
                        "paramétrage communication 1 => repères dans les caractères reçus")},
        {QStringLiteral("actif"),
         QStringLiteral("double clik pour activer un seul des multimètre sur les lignes 1")},
        {QStringLiteral("multimètre"), QStringLiteral("nom du multimètre ou appareil")},
        {QStringLiteral("COMx"), QStringLiteral("double clik pour choisir parmi les COMx avec x<10 "
                                                "sinon changer ce n° voir dans l'aide")},
        {QStringLiteral("vitesse"), QStringLiteral("double clik pour choisir parmi les vitesses "
                                                   "possibles, celle réglée sur l'appareil")},
        {QStringLiteral("intervalle"),
         QStringLiteral("Intervalle supposé en secondes d'envoi des données du multimètre ( valeur "
                        "utilisée uniquement pour l'affichage )")},
        {QStringLiteral("grandeur"),
         QStringLiteral(
             "nom affiché de la grandeur ciblée 1 et 2 AVEC l'unité de base sans préfixe "
             "ex : Conductivité-{S/cm} ou température-{°F} (si inexistant alors S/cm ou "
             "°C)")},
        {QStringLiteral("max"), QStringLiteral("valeur maximum de l'axe des ordonnées ")},
        {QStringLiteral("min"), QStringLiteral("valeur minimum de l'axe des ordonnées ")},
        {QStringLiteral("graduation"),
         QStringLiteral("valeur de la graduation de l'axe des ordonnées")},
        {QStringLiteral("couleur"),
         QStringLiteral("double clik pour choisir la oouleur relative à la grandeur visualisée, le "
                        "résultat correspond au codage RVB, rouge, vert bleu , 3 valeur entre 0 et "
                        "255")},
        {QStringLiteral("épaisseur"),
         QStringLiteral("épaisseur du trait et des points sur le graphique")},
        {QStringLiteral("repère"),
         QStringLiteral(
             "chaine pour repérer la ligne contenant la grandeur ciblée à l'exclusion de "
             "{...} , ex :  Cond-{pH/Cond}")},
        {QStringLiteral("séparateur"),
         QStringLiteral(
             "double clik pour choisir le caractère pour repérer les différents  paquets "
             "de données sur la ligne (lecture RS232 par chaîne de caractères et CSV)")},
        {QStringLiteral("occurence"),
         QStringLiteral("occurence par rapport au [repère] pour repérer la grandeur ciblée séparée "
                        "par caractères séparateurs (que pour : lecture RS232 par chaîne de "
                        "caractères et CSV)")},
        {QStringLiteral("rep hms"),
         QStringLiteral(
             "caractères pour repérer la ligne contenant l'heure de la mesure du "
             "multimètre ( 2 sont recherchés [::] car 00:00:00 mais un seul est possible "
             "[:] 00:00)")},
        {QStringLiteral("fin de bloc"),
         QStringLiteral("chaine de caractères (sans espaces) pour repérer la fin de bloc de mesure "
                        "en ASCII , souvent ____  ou Multi")},
    };
    return textes.value(t, QStringLiteral("explications pour les colonnes"));
}

// ---------------------------------------------------------------------------------------------
// Model

TModele_grille::TModele_grille(TTableau_multimetres& t, QObject* parent)
    : QAbstractTableModel(parent), tableau(t) {}

int TModele_grille::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : qMax(0, tableau.nb_lignes() - 1);
}

int TModele_grille::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TTableau_multimetres::nb_colonnes - 1;
}

QVariant TModele_grille::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return depuis_1252(tableau.cellule(index.column() + 1, index.row() + 1));
}

bool TModele_grille::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const QByteArray texte = vers_1252(value.toString());
    if (texte == tableau.cellule(index.column() + 1, index.row() + 1)) return true;
    tableau.fixe_cellule(index.column() + 1, index.row() + 1, texte);
    emit dataChanged(index, index);
    // The mark "x" colours its whole row and the row's number.
    if (index.column() + 1 == tableau.colonne_par_titre(titre_actif)) {
        emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, index.row(), index.row());
    }
    return true;
}

QVariant TModele_grille::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) return depuis_1252(tableau.cellule(section + 1, 0));
    return depuis_1252(tableau.cellule(0, section + 1));
}

Qt::ItemFlags TModele_grille::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TModele_grille::ecrit(int colonne, int ligne, const QByteArray& texte) {
    if (colonne <= 0 || ligne <= 0) {
        tableau.fixe_cellule(colonne, ligne, texte);
        emit headerDataChanged(colonne <= 0 ? Qt::Vertical : Qt::Horizontal, 0,
                               colonne <= 0 ? rowCount() - 1 : columnCount() - 1);
        return;
    }
    setData(index(ligne - 1, colonne - 1), depuis_1252(texte), Qt::EditRole);
}

void TModele_grille::tableau_recharge() {
    beginResetModel();
    endResetModel();
}

void TModele_grille::cellules_changees() {
    if (rowCount() == 0) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

// ---------------------------------------------------------------------------------------------
// Cell drawing and editing

TDelegue_grille::TDelegue_grille(TTableau_multimetres& t, QObject* parent)
    : QStyledItemDelegate(parent), tableau(t) {}

void TDelegue_grille::paint(QPainter* peintre, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyledItemDelegate::paint(peintre, option, index);
    const int c = index.column() + 1;
    const int r = index.row() + 1;
    const int col_actif = tableau.colonne_par_titre(titre_actif);
    const int col_intervalle = tableau.colonne_par_titre(titre_intervalle);
    const QRect cadre = option.rect;
    peintre->save();
    if (c == tableau.colonne_par_titre(titre_couleur)) {
        const TCouleur couleur = couleur_cellule(tableau.cellule(c, r));
        peintre->fillRect(cadre, QColor(rouge(couleur), vert(couleur), bleu(couleur)));
    } else if (r % 2 == 0 && c >= col_actif && c <= col_intervalle) {
        peintre->fillRect(cadre, couleur_ligne_inutile);
    } else if (col_actif >= 0 && tableau.cellule(col_actif, r) == "x") {
        peintre->fillRect(cadre, couleur_ligne_active);
        peintre->setPen(QColor(0, 0, 255));
        peintre->drawText(cadre.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                          depuis_1252(tableau.cellule(c, r)));
    }
    peintre->restore();
}

QWidget* TDelegue_grille::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    QWidget* editeur = QStyledItemDelegate::createEditor(parent, option, index);
    editeur->setProperty("colonne_tableau", index.column() + 1);
    // The cell follows the typing, as the table's own cells do: the decoder and the files
    // always see what is on screen.
    if (auto* ligne = qobject_cast<QLineEdit*>(editeur)) {
        ligne->setFrame(false);
        auto* delegue = const_cast<TDelegue_grille*>(this);
        connect(ligne, &QLineEdit::textEdited, delegue,
                [delegue, ligne] { emit delegue->commitData(ligne); });
    }
    return editeur;
}

void TDelegue_grille::setEditorData(QWidget* editeur, const QModelIndex& index) const {
    // Rewriting the same text would move the cursor to the end while the operator types.
    if (auto* ligne = qobject_cast<QLineEdit*>(editeur))
        if (ligne->text() == index.data(Qt::EditRole).toString()) return;
    QStyledItemDelegate::setEditorData(editeur, index);
}

bool TDelegue_grille::eventFilter(QObject* objet, QEvent* evenement) {
    auto* editeur = qobject_cast<QWidget*>(objet);
    if (editeur && evenement->type() == QEvent::KeyPress) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
            if (touche_entree) touche_entree();
        } else if (filtre_touche && touche->text().size() == 1) {
            const QChar car = touche->text().at(0);
            // Only typed characters go through the filter: Enter, Esc and Tab keep their
            // meaning in the editor.
            if (car.unicode() >= 32 || car.unicode() == 8) {
                const QChar garde =
                    filtre_touche(editeur->property("colonne_tableau").toInt(), car);
                if (garde.isNull()) return true;
                if (garde != car) {
                    QKeyEvent remplacee(QEvent::KeyPress, 0, Qt::NoModifier, QString(garde));
                    QCoreApplication::sendEvent(editeur, &remplacee);
                    return true;
                }
            }
        }
    } else if (editeur && evenement->type() == QEvent::MouseButtonDblClick) {
        if (double_clic) double_clic();
    }
    return QStyledItemDelegate::eventFilter(objet, evenement);
}

// ---------------------------------------------------------------------------------------------
// Headers

TEntete_grille::TEntete_grille(Qt::Orientation orientation, TTableau_multimetres& t,
                               QWidget* parent)
    : QHeaderView(orientation, parent), tableau(t) {}

void TEntete_grille::paintSection(QPainter* peintre, const QRect& rect, int section) const {
    // The style leaves its own clipping on the painter: our drawing needs it back.
    peintre->save();
    QHeaderView::paintSection(peintre, rect, section);
    peintre->restore();
    peintre->save();
    if (orientation() == Qt::Horizontal) {
        const QByteArray titre = tableau.cellule(section + 1, 0);
        if (colonne_double_clic(titre)) {
            peintre->fillRect(rect, couleur_titre_actif);
            QFont gras = font();
            gras.setBold(true);
            peintre->setFont(gras);
            peintre->setPen(QColor(0, 0, 255));
            peintre->drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                              depuis_1252(titre));
        }
    } else {
        const int r = section + 1;
        const int col_actif = tableau.colonne_par_titre(titre_actif);
        if (col_actif >= 0 && tableau.cellule(col_actif, r) == "x") {
            peintre->fillRect(rect, couleur_ligne_active);
            peintre->setPen(QColor(0, 0, 255));
            peintre->drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                              depuis_1252(tableau.cellule(0, r)));
        }
    }
    peintre->restore();
}

// ---------------------------------------------------------------------------------------------
// Grid

TGrille::TGrille(TTableau_multimetres& tableau, QWidget* parent)
    : QTableView(parent), modele_(new TModele_grille(tableau, this)),
      delegue_(new TDelegue_grille(tableau, this)) {
    setHorizontalHeader(new TEntete_grille(Qt::Horizontal, tableau, this));
    setVerticalHeader(new TEntete_grille(Qt::Vertical, tableau, this));
    setModel(modele_);
    setItemDelegate(delegue_);
    setFont(police_grille());
    horizontalHeader()->setFont(police_grille());
    verticalHeader()->setFont(police_grille());
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);
    viewport()->setMouseTracking(true);
    horizontalHeader()->setMouseTracking(true);
    verticalHeader()->setMouseTracking(true);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    applique_largeurs();
}

void TGrille::applique_largeurs() {
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setDefaultSectionSize(60);
    horizontalHeader()->setFixedHeight(22);
    verticalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setDefaultSectionSize(22);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(20);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    for (const TLargeur& l : largeurs) {
        const int c = modele_->tableau.colonne_par_titre(l.titre);
        if (c >= 1) setColumnWidth(c - 1, l.largeur);
    }
}

int TGrille::colonne_courante() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() + 1 : -1;
}

int TGrille::ligne_courante() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : -1;
}

void TGrille::fixe_cellule_courante(int colonne, int ligne) {
    const QModelIndex i = modele_->index(ligne - 1, colonne - 1);
    if (i.isValid()) setCurrentIndex(i);
}

int TGrille::colonne_sous(const QPoint& point) const {
    const QPoint dans_vue = viewport()->mapFrom(this, point);
    if (viewport()->rect().contains(dans_vue)) {
        const int c = columnAt(dans_vue.x());
        return c < 0 ? -1 : c + 1;
    }
    const QPoint dans_entete = horizontalHeader()->mapFrom(this, point);
    if (horizontalHeader()->rect().contains(dans_entete)) {
        const int c = horizontalHeader()->logicalIndexAt(dans_entete);
        return c < 0 ? -1 : c + 1;
    }
    if (verticalHeader()->rect().contains(verticalHeader()->mapFrom(this, point))) return 0;
    return -1;
}

void TGrille::keyPressEvent(QKeyEvent* evenement) {
    if ((evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter) && touche_entree)
        touche_entree();
    QTableView::keyPressEvent(evenement);
}
