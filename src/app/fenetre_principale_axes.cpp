// The controls of the plot: axis fields, the list of proposed values, ZOOM, CONTRASTE, the second
// band, the integral bars and the colours.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <cmath>

#include "acquisition/decodeur.h"
#include "app/fenetre_principale.h"
#include "app/vue_image.h"
#include "parametres/fenetre/fenetre_parametres.h"
#include "parametres/fichiers_parametres.h"
#include "util/cp1252.h"
#include "util/regional.h"

namespace {

struct TChamp_axe {
    int grandeur;
    const char* colonne;
};

} // namespace

void TForm1::applique_axe(QLineEdit* champ) {
    if (!champ) return;
    const QString nom = champ->objectName();
    const TChamp_axe a = nom == QLatin1String("Edit_max_y1")          ? TChamp_axe{1, "max"}
                         : nom == QLatin1String("Edit_min_y1")        ? TChamp_axe{1, "min"}
                         : nom == QLatin1String("Edit_y1_graduation") ? TChamp_axe{1, "graduation"}
                         : nom == QLatin1String("Edit_max_y2")        ? TChamp_axe{2, "max"}
                         : nom == QLatin1String("Edit_min_y2")        ? TChamp_axe{2, "min"}
                                                                      : TChamp_axe{2, "graduation"};
    // 1. Cleaned as typed or pasted.
    QByteArray texte = vers_1252(champ->text());
    nettoie_saisie_nombre(texte);
    champ->setText(depuis_1252(texte));
    champ->setModified(false);
    // 2. The limit; an unreadable number leaves limits, table and plot as they were.
    double valeur = 0;
    try {
        valeur = en_reel(texte);
    } catch (const ErreurConversion& erreur) {
        QMessageBox::warning(this, QStringLiteral("Probelog"), erreur.message());
        return;
    }
    TMultimetre& m = programme.multimetre_actif;
    const QByteArray colonne(a.colonne);
    if (colonne == "max")
        m.y_max[a.grandeur] = valeur;
    else if (colonne == "min")
        m.y_min[a.grandeur] = valeur;
    else
        m.y_graduation[a.grandeur] = valeur;
    // 3. The instrument keeps it.
    programme.tableau.ecrit_cellule_active(texte, colonne, a.grandeur - 1);
    if (form2) form2->actualise_grille();
    // 4, 5.
    retrace_courbes();
    programme.tableau_modifie = true;
}

void TForm1::double_clic_champ_axe(QLineEdit* champ) {
    cible_liste = champ->objectName();
    if (ListBox1->isVisible()) {
        ListBox1->hide();
        return;
    }
    ListBox1->setGeometry(champ->x() + champ->width(), 216, 120, 450);
    ListBox1->show();
    ListBox1->raise();
    const TMultimetre& m = programme.multimetre_actif;
    const int q = (champ == Edit_max_y1 || champ == Edit_min_y1) ? 1 : 2;
    const double valeur = (champ == Edit_max_y1 || champ == Edit_max_y2) ? m.y_max[q] : m.y_min[q];
    propose_liste_val_grad(valeur, m.y_graduation[q]);
}

void TForm1::propose_liste_val_grad(double valeur, double graduation) {
    ListBox1->clear();
    for (int k = 10; k >= -10; --k)
        ListBox1->addItem(regional::format_general(valeur + k * graduation));
    ListBox1->repaint();
}

void TForm1::ListBox1DblClick() {
    ListBox1->hide();
    QListWidgetItem* choisi = ListBox1->currentItem();
    QLineEdit* champ = champ_axe(cible_liste);
    if (!champ || !choisi || !choisi->isSelected()) return;
    champ->setText(choisi->text());
    applique_axe(champ);
}

void TForm1::Button_zoomClick() {
    niveau_zoom_ = niveau_zoom_ + 1 > 2 ? 0 : niveau_zoom_ + 1;
    if (!est_nombre(vers_1252(Label_y1_max_lu->text())) ||
        !est_nombre(vers_1252(Label_y1_min_lu->text())))
        return;
    const double max_lu = programme.etat.max_lu1, min_lu = programme.etat.min_lu1;
    const double d = std::fabs(max_lu - min_lu);
    double haut = max_lu, bas = min_lu;
    if (niveau_zoom_ == 0) {
        haut = max_lu + 5 * d;
        bas = min_lu - 5 * d;
    } else if (niveau_zoom_ == 1) {
        haut = max_lu + d / 10;
        bas = min_lu - d / 10;
    }
    haut = arrondi_significatif(1, 2, haut);
    bas = arrondi_significatif(2, 2, bas);
    // The decimals of quantity 1 for the unit prefix seen first, as the decoder looks them up.
    const QByteArray decimales =
        cherche_decimales(programme.reglages.nb_decimale_1, programme.etat.prefixe_initial, "0");
    bool ok = false;
    const int d_entier = decimales.toInt(&ok);
    if (!ok || d_entier < 0 || d_entier > 30) {
        QMessageBox::warning(this, QStringLiteral("Probelog"),
                             QStringLiteral("'%1' n'est pas un nombre de décimales correct")
                                 .arg(depuis_1252(decimales)));
        return;
    }
    Edit_max_y1->setText(regional::format_fixe(haut, 8, d_entier));
    Edit_min_y1->setText(regional::format_fixe(bas, 8, d_entier));
    applique_axe(Edit_max_y1);
    applique_axe(Edit_min_y1);
}

void TForm1::Button_contrasteClick() {
    mode_contraste_ = mode_contraste_ + 1 > 2 ? 0 : mode_contraste_ + 1;
    programme.reglages.mode_contraste = mode_contraste_;
    TMultimetre& m = programme.multimetre_actif;
    const TCouleur blanc = rgb(255, 255, 255), noir = rgb(0, 0, 0);
    switch (mode_contraste_) {
    case 0:
        programme.reglages.couleur_fond = couleur_fond_normale;
        m.couleur[1] = couleur_normale[1];
        m.couleur[2] = couleur_normale[2];
        applique_couleur_fenetre(couleur_fenetre_normale);
        break;
    case 1:
        programme.reglages.couleur_fond = blanc;
        m.couleur[1] = m.couleur[2] = noir;
        applique_couleur_fenetre(blanc);
        break;
    default:
        programme.reglages.couleur_fond = noir;
        m.couleur[1] = m.couleur[2] = blanc;
        applique_couleur_fenetre(noir);
        break;
    }
    const TCouleur c1 = m.couleur[1], c2 = m.couleur[2];
    for (QWidget* w : std::initializer_list<QWidget*>{
             Label_grand1, Label_grandeur1, Label_val_grand1, Label_zero, Label_hauteur,
             CheckBox_af_integrale, Label_multiple_initial, Label_multiple_courant, Label15, Label7,
             Label_auteur, Label_y1_max_lu, Label_y1_min_lu, Label_mess})
        couleur_police(w, c1);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label_grand2, Label_grandeur2, Label_val_grand2})
        couleur_police(w, c2);
    const std::initializer_list<QWidget*> autres{Label_n,
                                                 Label16,
                                                 CheckBox_date_heure,
                                                 Label20,
                                                 Label2,
                                                 Label17,
                                                 Label_graduation_y1,
                                                 CheckBox_y2,
                                                 Label_config,
                                                 Label_heure,
                                                 Label19,
                                                 Label11,
                                                 Label15,
                                                 Label10,
                                                 Label12,
                                                 Label_tracage,
                                                 CheckBox_demo,
                                                 Label_multimetre,
                                                 Label22,
                                                 Label_rejets};
    QPalette pq = Panel_question->palette();
    if (mode_contraste_ == 0) {
        for (QWidget* w : autres)
            couleur_police(w, noir);
        couleur_police(CheckBox_y2, rgb(255, 0, 0));
        couleur_police(Label_multimetre, rgb(0, 128, 0));
        pq.setColor(QPalette::Window, QColor(85, 240, 182));
    } else {
        for (QWidget* w : autres)
            couleur_police(w, c1);
        const TCouleur f = programme.reglages.couleur_fond;
        pq.setColor(QPalette::Window, QColor(rouge(f), vert(f), bleu(f)));
    }
    Panel_question->setPalette(pq);
    retrace_courbes();
}

void TForm1::CheckBox_y2Click() {
    const bool deux = CheckBox_y2->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{
             Label1, Label3, Label6, Edit_max_y2, Edit_min_y2, Edit_y2_graduation, Label_grandeur2})
        w->setVisible(deux);
    retrace_courbes();
}

void TForm1::CheckBox_af_integraleClick() {
    Label_hauteur->setVisible(CheckBox_af_integrale->isChecked());
    retrace_courbes();
}

void TForm1::ImageADblClick() {
    static TCouleur derniere = rgb(255, 255, 255);
    if (programme.stock.nb_mesures == 0) derniere = programme.reglages.couleur_fond;
    TCouleur c = derniere;
    if (!choisit_couleur(c)) return;
    derniere = c;
    programme.reglages.couleur_fond = c;
    SpeedButton_annuler_couleur->setVisible(true);
    retrace_courbes();
}

void TForm1::SpeedButton_annuler_couleurClick() {
    if (QMessageBox::question(this, QStringLiteral("Probelog"),
                              QStringLiteral("annuler les couleurs ?")) != QMessageBox::Yes)
        return;
    applique_couleur_fenetre(lit_couleur_prm(programme, 4, couleur_bouton_systeme()));
    programme.reglages.couleur_fond = lit_couleur_prm(programme, 5, rgb(255, 255, 255));
    retrace_courbes();
}
