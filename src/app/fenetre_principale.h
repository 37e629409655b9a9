#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "acquisition/programme.h"
#include "acquisition/rapport.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolButton;
class QFrame;
class TForm2;
class TForm3;
class TVue_image;
class TRapport_fenetres;

// The main window: the run buttons, the large values, the tracer results and the live plot.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(TProgramme& programme, QWidget* parent = nullptr);
    ~TForm1() override;
    void relie_fenetres(TForm2* parametres, TForm3* graphes);

    static constexpr const char* version_programme = "4.11";

    // The report the core writes into: labels of both windows (a name "Form2.X" is the
    // parameters window's control X), the journal memos, the decoded-line memos, the redraw.
    TRapport& rapport();
    // Instrument name, quantity names, units, colours and axis fields from multimetre_actif.
    void actualise_affichage_multimetre();
    // Controls of the main window from programme.reglages (démo, prefix, colours).
    void applique_reglages();
    // Full redraw of the live plot.
    void retrace_courbes();

    // The acquisition reset with the main window's displays.
    void initialise_acquisition();

    // Run control (also used by tests).
    void Button_test_comClick();
    void Button_STARTClick();
    void Button_goClick();
    void Button_stopClick();
    void Button_exit_Click();
    void SpeedButton_questionClick();
    void SpeedButton_annulerClick();
    void SpeedButton_croix_closeClick();
    void CheckBox_demoClick();
    void _Button_go_tracage_Click_simule();

    // Axis controls and display modes.
    void applique_axe(QLineEdit* champ);
    void propose_liste_val_grad(double valeur, double graduation);
    void Button_zoomClick();
    void Button_contrasteClick();
    void SpeedButton_annuler_couleurClick();
    int mode_contraste() const { return mode_contraste_; }
    int niveau_zoom() const { return niveau_zoom_; }

    // Record files.
    QString sauvegarde_lignes();
    void enregistrer_donnees();
    void Timer1Timer();
    void ouvre_dans_blocnote(const QString& dossier, const QString& nom);

    // Replaces the end of the program after the exit question (tests).
    std::function<void(int code)> fin_programme;
    // Replaces the opening of saved files in the editor (tests).
    std::function<void(const QString& chemin)> ouverture_fichier;

    // The image of the plot as last drawn.
    const QImage& image_courbes() const;

    // Exit: the program ends with this status once the event loop returns (tests read it).
    bool sortie_demandee() const { return sortie_en_cours; }

    // The remembered normal colours of display mode 0.
    TCouleur couleur_fond_normale = rgb(255, 255, 255);
    TCouleur couleur_fenetre_normale = rgb(240, 240, 240);
    TCouleur couleur_normale[3] = {0, 0, 0};

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void construit_controles();
    void construit_panneau_question();
    void construit_panneau_courbes();
    void FormActivate();
    void FormResize();
    void prepare_question(QWidget* cible);
    void guide_souris(int x, int y);
    void attend(int millisecondes);
    void couleur_police(QWidget* controle, TCouleur couleur);
    void applique_couleur_fenetre(TCouleur couleur);
    void termine_programme();
    QLineEdit* champ_axe(const QString& nom) const;
    QWidget* fenetre_parametres() const;
    void touche_relachee(int touche, QLineEdit* champ);
    void double_clic_champ_axe(QLineEdit* champ);
    void ListBox1DblClick();
    void ImageADblClick();
    void Edit_repertoireKeyUp();
    void CheckBox_y2Click();
    void CheckBox_af_integraleClick();
    void connecte_controles();
    QString sauvegarde(bool periodique);
    std::function<bool(const QString&)> demande_operateur();
    std::function<void(const QString&)> signale_operateur();
    int periode_sauvegarde() const;
    bool choisit_couleur(TCouleur& couleur);

    TProgramme& programme;
    TForm2* form2 = nullptr;
    TForm3* form3 = nullptr;
    std::unique_ptr<TRapport_fenetres> rapport_fenetres;

    bool premiere_activation = true;
    int mode_contraste_ = 0;
    int niveau_zoom_ = 0;
    QString cible_liste;
    TCouleur couleur_panneau_question = rgb(85, 240, 182);
    TCouleur couleur_fenetre = rgb(240, 240, 240);
    bool sortie_en_cours = false;
    bool fermeture_autorisee = false;
    const QEvent* touche_vue_par_filtre = nullptr;

public:
    // Controls, named as the operator's manual and the tests know them.
    QPushButton* Button_parametres = nullptr;
    QPushButton* Button_enreg_param = nullptr;
    QPushButton* Button_aide = nullptr;
    QCheckBox* CheckBox_demo = nullptr;
    QPushButton* Button_test_com = nullptr;
    QPushButton* Button_START = nullptr;
    QPushButton* Button_stop = nullptr;
    QPushButton* Button_exit_ = nullptr;
    QPushButton* Button_open_file = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label_multimetre = nullptr;
    QLineEdit* Edit_repertoire = nullptr;
    QToolButton* SpeedButton_choix_rep = nullptr;
    QLabel* Label16 = nullptr;
    QLineEdit* Edit_Prefixe = nullptr;
    QCheckBox* CheckBox_date_heure = nullptr;
    QLabel* Label_grand1 = nullptr;
    QLabel* Label_val_grand1 = nullptr;
    QLabel* Label_multiple_initial = nullptr;
    QLabel* Label_multiple_courant = nullptr;
    QLabel* Label_grand2 = nullptr;
    QLabel* Label_val_grand2 = nullptr;
    QLabel* Label_heure = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label_tracage = nullptr;
    QLabel* Label_zero = nullptr;
    QLabel* Label_hauteur = nullptr;
    QLabel* Label_n = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label_rejets = nullptr;
    QLabel* Label_config = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label_graduation_y1 = nullptr;
    QLineEdit* Edit_max_y1 = nullptr;
    QLineEdit* Edit_min_y1 = nullptr;
    QLineEdit* Edit_y1_graduation = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit_max_y2 = nullptr;
    QLineEdit* Edit_min_y2 = nullptr;
    QLineEdit* Edit_y2_graduation = nullptr;
    QLabel* Label_y1_max_lu = nullptr;
    QLabel* Label_y1_min_lu = nullptr;
    QLabel* Label_y2_max_lu = nullptr;
    QLabel* Label_y2_min_lu = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* Button_zoom = nullptr;
    QLabel* Label10 = nullptr;
    QPushButton* Button_contraste = nullptr;
    QLabel* Label12 = nullptr;
    QCheckBox* CheckBox_y2 = nullptr;
    QCheckBox* CheckBox_af_integrale = nullptr;
    QToolButton* SpeedButton_annuler_couleur = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label22 = nullptr;
    QLabel* Label20 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QLabel* Image_logo = nullptr;
    QLabel* Label_auteur = nullptr;
    QFrame* Bevel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label18 = nullptr;

    QFrame* Panel_question = nullptr;
    QLabel* Label_mess = nullptr;
    QToolButton* SpeedButton_question = nullptr;
    QToolButton* SpeedButton_annuler = nullptr;
    QToolButton* SpeedButton_croix_close = nullptr;
    QPushButton* Button_go = nullptr;

    QFrame* Panel1 = nullptr;
    TVue_image* ImageA = nullptr;
    QLabel* Label_grandeur1 = nullptr;
    QLabel* Label_grandeur2 = nullptr;
    QFrame* Panel_message = nullptr;
    QLabel* Label21 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;

    QTimer* Timer1 = nullptr;
};
