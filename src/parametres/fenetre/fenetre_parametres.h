#pragma once

#include <QHash>
#include <QWidget>

#include "acquisition/programme.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TForm1;
class TGrille;

// The parameters window: the serial link and its tools, the reading mode, the demonstration
// switches, the three-probe options, display and file options, and the instrument table.
// Created hidden after the main window; it loads the table and the settings when it is built
// and saves both when it is destroyed at the end of the program.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(TProgramme& programme, TForm1& form1, QWidget* parent = nullptr);
    ~TForm2() override; // FormDestroy: saves the table and the settings

    // The main window's "Paramètres": hides this window when shown, else shows it with focus.
    void bascule_visibilite();

    // Operations of the instrument table that change what the operator sees.
    // Rebuilds multimetre_actif from the marked instrument; false after a conversion error,
    // whose message was shown.
    bool actualise_multimetre();
    void compose_config_com();
    // The table was changed from outside the grid (the main window's axis fields).
    void actualise_grille();

    // The settings record (programme.reglages) into the controls of both windows, with the
    // effects of a change made by the operator.
    void applique_reglages();
    // Files: the table file, the example table beside it.
    QString fichier_tableau() const;
    QString fichier_exemple() const;
    void charge_parametres();
    void enregistre_tout();

    // Handlers other windows and the tests call.
    void CheckBox_demoClick();
    void RadioButton_car_par_carClick();
    void CheckBox_ph_ox_3sondesClick();
    void Edit_facteurChange();
    void SpeedButton_question_closeClick();
    void SpeedButton_aideClick();
    void Button_openCOM_readClick();
    void Button_close_COM_Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button_enreg_paramClick();
    void Button_charger_paramClick();
    void Button_exempleClick();
    void stringgrid1DblClick();
    void stringgrid1KeyDown_entree();
    void Button_validerClick();
    void Button_annulerClick();
    // "liste" of the choice panel: items separated by ',' , the first selected.
    void remplit_choix(const QString& liste);
    // Key of a number column of the grid (by index, as the table was designed): filtered.
    static QChar stringgrid1KeyPress(int colonne, QChar touche);

    // Journal and decoded lines of this window.
    void ecrit_journal(const QString& ligne);

    // Controls, named as the operator's manual and the tests know them.
    QToolButton* SpeedButton_question_close = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label_n = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label_nlecture = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label_config = nullptr;
    QPushButton* Button_openCOM_read = nullptr;
    QPushButton* Button_close_COM_ = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QCheckBox* CheckBox_demo = nullptr;
    QCheckBox* CheckBox_demo_rapide = nullptr;
    QLabel* Label12 = nullptr;
    QGroupBox* GroupBox_lectureRS232 = nullptr;
    QRadioButton* RadioButton_car_par_car = nullptr;
    QRadioButton* RadioButton_par_chaine_CSV = nullptr;
    QCheckBox* CheckBox_DTR = nullptr;
    QCheckBox* CheckBox_RTS = nullptr;
    QCheckBox* CheckBox_lecture_sans_traitement = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit_timeouts = nullptr;
    QLabel* Label_ecran = nullptr;
    QGroupBox* GroupBox_logo = nullptr;

    QPushButton* Button3 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button4 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit_nom_blocnote = nullptr;
    QCheckBox* CheckBox_save_sans_confirmation = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit_start_inject = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* Edit_nb_decimale_1 = nullptr;
    QLabel* Label11 = nullptr;
    QLineEdit* Edit_facteur = nullptr;
    QCheckBox* CheckBox_sauve_auto = nullptr;
    QLineEdit* Edit_sos_mn = nullptr;
    QToolButton* SpeedButton_aide = nullptr;

    QFrame* Panel_3sondes = nullptr;
    QPushButton* Button5 = nullptr;
    QCheckBox* CheckBox_ph_ox_3sondes = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label13 = nullptr;
    QLineEdit* Edit_pH = nullptr;
    QLabel* Label14 = nullptr;
    QLineEdit* Edit_ox = nullptr;
    QLabel* Label15 = nullptr;
    QComboBox* ComboBox_cond_ph_ox = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;

    QLabel* Label2 = nullptr;
    QGroupBox* RadioGroup_signe_decimal = nullptr;
    QRadioButton* RadioButton_virgule = nullptr;
    QRadioButton* RadioButton_point = nullptr;
    QGroupBox* RadioGroup_souris = nullptr;
    QRadioButton* RadioButton_habituelle = nullptr;
    QRadioButton* RadioButton_guidee = nullptr;
    QRadioButton* RadioButton_saut = nullptr;

    QPushButton* Button_enreg_param = nullptr;
    QPushButton* Button_charger_param = nullptr;
    QPushButton* Button_exemple = nullptr;
    QLabel* Panel_aide = nullptr;
    TGrille* stringgrid1 = nullptr;

    QFrame* Panel_choix = nullptr;
    QLabel* Label_choix = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button_valider = nullptr;
    QPushButton* Button_annuler = nullptr;

protected:
    void changeEvent(QEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void construit_controles();
    void relie_controles();
    void FormCreate();
    void FormActivate();
    void fixe_aide(QWidget* controle, const QString& texte);
    QString texte_aide(QWidget* controle) const;
    void stringgrid1Enter();
    void stringgrid1Exit();
    void place_panneau_choix();
    bool charge_tableau(const QString& fichier, bool demande);
    void message(const QString& texte);
    bool confirme(const QString& question);
    TRapport& rapport();
    QWidget* controle_form1(const char* nom) const;

    TProgramme& programme;
    TForm1& form1;
    QHash<QWidget*, QString> aides; // help strip texts of the controls marked for it
    QPoint prise_panneau;           // where Panel_choix was grabbed
    bool glisse_panneau = false;
    bool grille_a_le_focus = false;
    QMetaObject::Connection suivi_focus;
};
