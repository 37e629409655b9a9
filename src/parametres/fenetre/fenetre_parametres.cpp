#include "parametres/fenetre/fenetre_parametres.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSerialPortInfo>
#include <QToolButton>
#include <cmath>

#include "app/fenetre_principale.h"
#include "parametres/fenetre/grille_multimetres.h"
#include "parametres/fenetre/outils_externes.h"
#include "parametres/fichiers_parametres.h"
#include "parametres/instrument_actif.h"
#include "serie/ouverture_com.h"
#include "util/cp1252.h"
#include "util/journal.h"
#include "util/regional.h"
#include "util/texte.h"

namespace {

const QColor couleur_fenetre(205, 211, 235);
const QColor couleur_aide(251, 224, 206);
const QString ligne_journal_initiale =
    QStringLiteral(" lignes brutes récupérées sur la liaison RS232");
const QByteArray ligne_decodee_initiale = " listes d'enregistrements OK";

QFont police(int pixels, bool gras = false, bool italique = false,
             const QString& famille = QStringLiteral("MS Sans Serif")) {
    QFont f(famille);
    f.setPixelSize(pixels);
    f.setBold(gras);
    f.setItalic(italique);
    return f;
}

template <typename T> T* cree(QWidget* parent, const char* nom, int x, int y, int l, int h) {
    auto* w = new T(parent);
    w->setObjectName(QString::fromLatin1(nom));
    w->setGeometry(x, y, l, h);
    return w;
}

QLabel* etiquette(QWidget* parent, const char* nom, const QString& texte, int x, int y, int l,
                  int h = 16) {
    auto* w = cree<QLabel>(parent, nom, x, y, l, h);
    w->setText(texte);
    return w;
}

void couleur_texte(QWidget* w, const QColor& couleur) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, couleur);
    p.setColor(QPalette::ButtonText, couleur);
    w->setPalette(p);
}

void couleur_fond(QWidget* w, const QColor& couleur) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, couleur);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QByteArray en_1252(const QString& texte) {
    return vers_1252(texte);
}

} // namespace

// =============================================================================================
// Construction

TForm2::TForm2(TProgramme& p, TForm1& f1, QWidget* parent)
    : QWidget(parent), programme(p), form1(f1) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("P A R A M E T R E S"));
    setFont(police(11));
    resize(1451, 748);
    // The table's own messages ("La colonne <...> n'existe pas") reach the operator.
    if (!programme.tableau.signale)
        programme.tableau.signale = [this](const QString& t) { message(t); };
    construit_controles();
    relie_controles();
    FormCreate();
}

TForm2::~TForm2() {
    // The focus moves while the widgets go: the grid's focus follow-up must not run then.
    disconnect(suivi_focus);
    // FormDestroy: the end of the program always keeps the table and the settings.
    enregistre_tout();
}

void TForm2::construit_controles() {
    QFont police_fenetre = police(11);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Reference Sans Serif"),
                              QStringLiteral("DejaVu Sans"));

    // ---- serial link, top left ----
    Label8 = etiquette(this, "Label8", QStringLiteral("port série RS232"), 12, 4, 260, 32);
    Label8->setFont(police(24, false, false, QStringLiteral("Arial")));
    Button1 = cree<QPushButton>(this, "Button1", 12, 42, 96, 25);
    Button1->setText(QStringLiteral("liste COMx"));
    fixe_aide(Button1, QStringLiteral("permet de lister les COM1 à  10 et voir lesquelles sont "
                                      "disponibles"));
    Label_n = etiquette(this, "Label_n", QStringLiteral("n"), 120, 47, 60);
    Label4 = etiquette(this, "Label4", QStringLiteral("enreg.OK"), 180, 47, 60);
    couleur_texte(Label_n, Qt::red);
    couleur_texte(Label4, Qt::red);
    Label_nlecture = etiquette(this, "Label_nlecture", QStringLiteral("n"), 250, 47, 50);
    Label5 = etiquette(this, "Label5", QStringLiteral("lignes"), 300, 47, 50);
    Label_config =
        etiquette(this, "Label_config", QStringLiteral("configuration COMx  Bauds parité stop bit"),
                  12, 74, 340);
    Button_openCOM_read = cree<QPushButton>(this, "Button_openCOM_read", 12, 96, 96, 25);
    Button_openCOM_read->setText(QStringLiteral("Open COM"));
    Button_close_COM_ = cree<QPushButton>(this, "Button_close_COM_", 114, 96, 96, 25);
    Button_close_COM_->setText(QStringLiteral("Close COM"));
    CheckBox_demo = cree<QCheckBox>(this, "CheckBox_demo", 224, 96, 60, 25);
    CheckBox_demo->setText(QStringLiteral("démo"));
    CheckBox_demo->setChecked(true);
    CheckBox_demo_rapide = cree<QCheckBox>(this, "CheckBox_demo_rapide", 288, 96, 70, 25);
    CheckBox_demo_rapide->setText(QStringLiteral("rapide"));
    CheckBox_demo_rapide->setChecked(true);
    Label12 =
        etiquette(this, "Label12", QStringLiteral("y = A0.exp(-(t-t0)^2/(a.t+b)) "), 370, 101, 200);
    couleur_texte(Label12, QColor(0, 0, 128));

    Memo1 = cree<QPlainTextEdit>(this, "Memo1", 12, 128, 350, 150);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2 = cree<QPlainTextEdit>(this, "Memo2", 368, 128, 206, 150);
    Memo2->setReadOnly(true);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->setFont(police(7));
    Memo2->setToolTip(QStringLiteral("lignes décodées du multimètre"));

    GroupBox_lectureRS232 = cree<QGroupBox>(this, "GroupBox_lectureRS232", 12, 284, 350, 100);
    GroupBox_lectureRS232->setTitle(QStringLiteral("lecture RS232"));
    GroupBox_lectureRS232->setToolTip(QStringLiteral("en cas de pb, tester les 2 options  "));
    fixe_aide(GroupBox_lectureRS232,
              QStringLiteral("si pb COM, ne pas hésiter à finalement rebooter l'ordinateur!"));
    GroupBox_lectureRS232->setToolTip(QStringLiteral("en cas de pb, tester les 2 options  "));
    RadioButton_car_par_car =
        cree<QRadioButton>(GroupBox_lectureRS232, "RadioButton_car_par_car", 10, 20, 250, 20);
    RadioButton_car_par_car->setText(QStringLiteral("caractère par caractère"));
    fixe_aide(RadioButton_car_par_car,
              QStringLiteral("pour lecture car/car, la COLONNE [occurence] est inutilisée, mais "
                             "[rep hms] oui! (WTW340i DTR RTS)"));
    RadioButton_car_par_car->setToolTip(
        QStringLiteral("ici, COLONNE [occurence] inutile, mais [rep hms] oui! "));
    RadioButton_par_chaine_CSV =
        cree<QRadioButton>(GroupBox_lectureRS232, "RadioButton_par_chaine_CSV", 10, 42, 250, 20);
    RadioButton_par_chaine_CSV->setText(QStringLiteral("par chaîne de caractères et CSV"));
    fixe_aide(RadioButton_par_chaine_CSV,
              QStringLiteral("pour lecture par chaines complètes, COLONNES [occurence] et  [rep "
                             "hms] nécessaires"));
    RadioButton_par_chaine_CSV->setToolTip(
        QStringLiteral("ici, COLONNES [occurence] et  [rep hms] nécessaires     "));
    RadioButton_par_chaine_CSV->setChecked(true);
    CheckBox_DTR = cree<QCheckBox>(GroupBox_lectureRS232, "CheckBox_DTR", 10, 68, 60, 22);
    CheckBox_DTR->setText(QStringLiteral("DTR"));
    CheckBox_RTS = cree<QCheckBox>(GroupBox_lectureRS232, "CheckBox_RTS", 72, 68, 60, 22);
    CheckBox_RTS->setText(QStringLiteral("RTS"));
    fixe_aide(CheckBox_RTS, QStringLiteral("nécessaire pour les anciens 340i"));
    CheckBox_RTS->setToolTip(QString());
    const QString aide_timeouts =
        QStringLiteral("valeur à modifier en cas de bloquage (par chaîne de caractères)");
    Label3 = etiquette(GroupBox_lectureRS232, "Label3", QStringLiteral("TIMEOUTS"), 190, 71, 70);
    Label3->setToolTip(aide_timeouts);
    Edit_timeouts = cree<QLineEdit>(GroupBox_lectureRS232, "Edit_timeouts", 262, 67, 60, 22);
    Edit_timeouts->setText(QStringLiteral("500"));
    Edit_timeouts->setToolTip(aide_timeouts);

    CheckBox_lecture_sans_traitement =
        cree<QCheckBox>(this, "CheckBox_lecture_sans_traitement", 12, 390, 350, 22);
    CheckBox_lecture_sans_traitement->setText(
        QStringLiteral("lecture sans traitement (pour les tests)"));
    fixe_aide(CheckBox_lecture_sans_traitement,
              QStringLiteral("lire RS232 et aucun traitement suceptible de 'planter'  => tester la "
                             "communication   "));
    Label_ecran = etiquette(this, "Label_ecran", QStringLiteral("résolution écran"), 12, 416, 250);

    // ---- logo group, left of the tools ----
    GroupBox_logo = cree<QGroupBox>(this, "GroupBox_logo", 368, 284, 206, 148);
    auto* image_logo = cree<QLabel>(GroupBox_logo, "Image_logo", 8, 10, 64, 64);
    {
        // A borehole with a breakthrough curve: the same picture as the main window's corner.
        QPixmap logo(64, 64);
        logo.fill(QColor(235, 240, 250));
        QPainter peintre(&logo);
        peintre.setRenderHint(QPainter::Antialiasing);
        peintre.fillRect(26, 30, 12, 34, QColor(120, 100, 80));
        peintre.fillRect(29, 30, 6, 34, QColor(70, 130, 200));
        QPainterPath courbe;
        courbe.moveTo(2, 40);
        for (int x = 2; x <= 62; ++x) {
            const double t = (x - 2) / 60.0;
            courbe.lineTo(x, 40 - 34 * std::exp(-std::pow((t - 0.35) / 0.16, 2)));
        }
        peintre.setPen(QPen(QColor(0, 100, 255), 2));
        peintre.drawPath(courbe);
        peintre.end();
        image_logo->setPixmap(logo);
        image_logo->setScaledContents(true);
    }
    auto* fabricant =
        etiquette(GroupBox_logo, "Label_fabricant", QStringLiteral("Probelog"), 80, 14, 120, 24);
    fabricant->setFont(police(18, true, false, QStringLiteral("Arial")));
    couleur_texte(fabricant, QColor(0, 128, 128));
    auto* auteur = etiquette(GroupBox_logo, "Label_auteur",
                             QStringLiteral("acquisition de terrain\nconductivité, traçages\n"
                                            "version ") +
                                 QLatin1String(TForm1::version_programme),
                             80, 42, 124, 60);
    auteur->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auteur->setWordWrap(true);

    // ---- tools and files, middle ----
    const QString aide_outils =
        QStringLiteral("permet de lister les COM1 à 9 et voir lesquelles sont actives");
    Button3 = cree<QPushButton>(this, "Button3", 590, 10, 220, 25);
    Button3->setText(QStringLiteral("RS232_hercules_3-2-6.exe"));
    Button3->setToolTip(aide_outils);
    Button2 = cree<QPushButton>(this, "Button2", 590, 40, 220, 25);
    Button2->setText(QStringLiteral("Gestionnaire des périphériques"));
    Button2->setToolTip(aide_outils);
    Button4 = cree<QPushButton>(this, "Button4", 590, 70, 220, 25);
    Button4->setText(QStringLiteral("Gestionnaire des tâches"));
    Button4->setToolTip(aide_outils);
    SpeedButton_aide = cree<QToolButton>(this, "SpeedButton_aide", 826, 10, 40, 40);
    SpeedButton_aide->setText(QStringLiteral("?"));
    SpeedButton_aide->setFont(police(20, true));
    SpeedButton_aide->setToolTip(QStringLiteral("Aide"));

    const QString aide_blocnote = QStringLiteral("notepad.exe ou notepad++.exe");
    Label1 = etiquette(this, "Label1", QStringLiteral("blocnote"), 590, 108, 60);
    Edit_nom_blocnote = cree<QLineEdit>(this, "Edit_nom_blocnote", 652, 104, 158, 22);
    Edit_nom_blocnote->setText(QStringLiteral("notepad.exe"));
    fixe_aide(Label1, aide_blocnote);
    fixe_aide(Edit_nom_blocnote, aide_blocnote);
    CheckBox_save_sans_confirmation =
        cree<QCheckBox>(this, "CheckBox_save_sans_confirmation", 590, 132, 250, 22);
    CheckBox_save_sans_confirmation->setText(QStringLiteral("save sans confirmation"));
    CheckBox_save_sans_confirmation->setChecked(true);
    Label6 = etiquette(this, "Label6", QStringLiteral("Start Inject ou traçage => t0  ou ..."), 590,
                       160, 260);
    Edit_start_inject = cree<QLineEdit>(this, "Edit_start_inject", 590, 178, 220, 22);
    Edit_start_inject->setText(QStringLiteral("traçage => t0"));
    fixe_aide(Edit_start_inject,
              QStringLiteral("message affiché pour lancer le traçage proprement dit  "));
    const QString aide_decimales =
        QStringLiteral("nombre de décimales pour la grandeur1 Ex:µ=0;m=3;k=1;F=3   (F=> fichier "
                       "de sortie)  ");
    Label10 = etiquette(this, "Label10", QStringLiteral("nb de décimales"), 590, 210, 100);
    Edit_nb_decimale_1 = cree<QLineEdit>(this, "Edit_nb_decimale_1", 692, 206, 118, 22);
    Edit_nb_decimale_1->setText(QStringLiteral("µ=0;m=3;k=1;F=3"));
    fixe_aide(Label10, aide_decimales);
    fixe_aide(Edit_nb_decimale_1, aide_decimales);
    const QString aide_facteur =
        QStringLiteral("  facteur multiplicatif pour le calcul de l'aire   ");
    Label11 = etiquette(this, "Label11",
                        QStringLiteral("Aire : facteur multiplicatif (grandeur 1)"), 590, 238, 260);
    Label11->setToolTip(aide_facteur);
    Edit_facteur = cree<QLineEdit>(this, "Edit_facteur", 590, 256, 90, 22);
    Edit_facteur->setText(QStringLiteral("1.02"));
    Edit_facteur->setToolTip(aide_facteur);
    CheckBox_sauve_auto = cree<QCheckBox>(this, "CheckBox_sauve_auto", 590, 290, 230, 22);
    CheckBox_sauve_auto->setText(QStringLiteral("sauvegarde automatique (en  mn)"));
    Edit_sos_mn = cree<QLineEdit>(this, "Edit_sos_mn", 822, 290, 44, 22);
    Edit_sos_mn->setText(QStringLiteral("5"));
    // Their strip text names the auto-save folder of the moment (see texte_aide).
    fixe_aide(CheckBox_sauve_auto, QString());
    fixe_aide(Edit_sos_mn, QString());
    CheckBox_sauve_auto->setToolTip(QStringLiteral("Sauvegarde dans le sous-dossier"));
    Edit_sos_mn->setToolTip(QStringLiteral("Sauvegarde dans le sous-dossier"));

    // ---- three-probe meter, top right ----
    Panel_3sondes = cree<QFrame>(this, "Panel_3sondes", 878, 6, 318, 214);
    Panel_3sondes->setFrameShape(QFrame::Box);
    Panel_3sondes->setFrameShadow(QFrame::Sunken);
    Button5 = cree<QPushButton>(Panel_3sondes, "Button5", 8, 8, 300, 25);
    Button5->setText(QStringLiteral("Graphique 2,3 sondes sur WTW3430"));
    Button5->setFont(police(11, false, true));
    fixe_aide(Button5, QStringLiteral("Conductivité  Température  pH   Oxygène dissout"));
    CheckBox_ph_ox_3sondes =
        cree<QCheckBox>(Panel_3sondes, "CheckBox_ph_ox_3sondes", 8, 38, 284, 22);
    CheckBox_ph_ox_3sondes->setText(QStringLiteral("3 sondes : Cond, T°C, pH et Ox"));
    CheckBox_ph_ox_3sondes->setChecked(true);
    fixe_aide(CheckBox_ph_ox_3sondes,
              QStringLiteral("WTW3430 3 sondes : verte=haut gauche, jaune=haut droite, bleue= bas "
                             "milieu "));
    Label16 = etiquette(Panel_3sondes, "Label16", QStringLiteral("CSV =>"), 8, 68, 50);
    Label16->setFont(police(11, true));
    Label16->setToolTip(QStringLiteral("choix possible pour les 3 sondes "));
    Label13 = etiquette(Panel_3sondes, "Label13", QStringLiteral("pH"), 64, 68, 20);
    Edit_pH = cree<QLineEdit>(Panel_3sondes, "Edit_pH", 86, 64, 60, 22);
    Edit_pH->setText(QStringLiteral("pH"));
    fixe_aide(Edit_pH, QStringLiteral("repère pour le pH"));
    Label14 = etiquette(Panel_3sondes, "Label14", QStringLiteral("Ox"), 160, 68, 20);
    Edit_ox = cree<QLineEdit>(Panel_3sondes, "Edit_ox", 182, 64, 60, 22);
    Edit_ox->setText(QStringLiteral("Ox"));
    fixe_aide(Edit_ox, QStringLiteral("repère pour l'oxygène dissout "));
    Label15 = etiquette(Panel_3sondes, "Label15",
                        QStringLiteral("dernière grandeur affichée au bas de l'écran du WTW"), 8,
                        96, 306);
    fixe_aide(Label15, QStringLiteral("pour que les 4 grandeurs soient du même pas de temps "));
    ComboBox_cond_ph_ox = cree<QComboBox>(Panel_3sondes, "ComboBox_cond_ph_ox", 8, 114, 90, 22);
    ComboBox_cond_ph_ox->setEditable(true);
    ComboBox_cond_ph_ox->addItems(
        {QStringLiteral("Cond"), QStringLiteral("pH"), QStringLiteral("Ox")});
    ComboBox_cond_ph_ox->setCurrentIndex(0);
    Label20 =
        etiquette(Panel_3sondes, "Label20",
                  QStringLiteral("le multimètre de face : vert(Cond) = haut gauche,"), 8, 148, 284);
    Label18 =
        etiquette(Panel_3sondes, "Label18", QStringLiteral("jaune(pH) = haut droite"), 8, 166, 284);
    Label19 =
        etiquette(Panel_3sondes, "Label19", QStringLiteral("bleue(Ox) = bas milieu"), 8, 184, 284);
    for (QLabel* l : {Label20, Label18, Label19})
        couleur_texte(l, Qt::blue);

    // ---- display and file options, right ----
    Label2 = etiquette(this, "Label2", QStringLiteral("signe décimal du PC :"), 1204, 40, 236);
    RadioGroup_signe_decimal = cree<QGroupBox>(this, "RadioGroup_signe_decimal", 1204, 60, 240, 70);
    RadioGroup_signe_decimal->setTitle(QStringLiteral("signe décimal du fichier d'enregistrement"));
    RadioButton_virgule =
        cree<QRadioButton>(RadioGroup_signe_decimal, "RadioButton_virgule", 10, 20, 200, 20);
    RadioButton_virgule->setText(QStringLiteral("virgule"));
    RadioButton_point =
        cree<QRadioButton>(RadioGroup_signe_decimal, "RadioButton_point", 10, 42, 200, 20);
    RadioButton_point->setText(QStringLiteral("point"));
    RadioButton_virgule->setChecked(true);
    RadioGroup_souris = cree<QGroupBox>(this, "RadioGroup_souris", 1204, 140, 240, 92);
    RadioGroup_souris->setTitle(QStringLiteral("souris"));
    RadioButton_habituelle =
        cree<QRadioButton>(RadioGroup_souris, "RadioButton_habituelle", 10, 20, 200, 20);
    RadioButton_habituelle->setText(QStringLiteral("habituelle"));
    RadioButton_guidee =
        cree<QRadioButton>(RadioGroup_souris, "RadioButton_guidee", 10, 42, 200, 20);
    RadioButton_guidee->setText(QStringLiteral("guidée"));
    RadioButton_saut = cree<QRadioButton>(RadioGroup_souris, "RadioButton_saut", 10, 64, 200, 20);
    RadioButton_saut->setText(QStringLiteral("saut"));
    RadioButton_habituelle->setChecked(true);

    SpeedButton_question_close =
        cree<QToolButton>(this, "SpeedButton_question_close", 1405, 4, 40, 30);
    SpeedButton_question_close->setText(QStringLiteral("X "));
    SpeedButton_question_close->setFont(police(16, true));

    // ---- bottom: table buttons, help strip, the table ----
    Button_enreg_param = cree<QPushButton>(this, "Button_enreg_param", 12, 440, 130, 25);
    Button_enreg_param->setText(QStringLiteral("Enregistrer param."));
    Button_charger_param = cree<QPushButton>(this, "Button_charger_param", 150, 440, 130, 25);
    Button_charger_param->setText(QStringLiteral("Charger param."));
    Button_exemple = cree<QPushButton>(this, "Button_exemple", 288, 440, 130, 25);
    Button_exemple->setText(QStringLiteral("exemple param."));

    Panel_aide = etiquette(this, "Panel_aide", QStringLiteral("explications"), 8, 470, 1435, 24);
    Panel_aide->setFrameShape(QFrame::Panel);
    Panel_aide->setFrameShadow(QFrame::Raised);
    Panel_aide->setAlignment(Qt::AlignCenter);

    stringgrid1 = new TGrille(programme.tableau, this);
    stringgrid1->setObjectName(QStringLiteral("stringgrid1"));
    stringgrid1->setGeometry(8, 496, 1435, 248);

    Panel_choix = cree<QFrame>(this, "Panel_choix", 500, 300, 230, 92);
    Panel_choix->setFrameShape(QFrame::Panel);
    Panel_choix->setFrameShadow(QFrame::Raised);
    Panel_choix->setCursor(Qt::SizeAllCursor);
    Label_choix = etiquette(Panel_choix, "Label_choix", QStringLiteral("Choix"), 8, 6, 214);
    Label_choix->setFont(police(11, true));
    ComboBox1 = cree<QComboBox>(Panel_choix, "ComboBox1", 8, 28, 214, 24);
    ComboBox1->setEditable(true);
    ComboBox1->setCursor(Qt::ArrowCursor);
    Button_valider = cree<QPushButton>(Panel_choix, "Button_valider", 8, 58, 100, 25);
    Button_valider->setText(QStringLiteral("Valider"));
    Button_valider->setCursor(Qt::ArrowCursor);
    Button_annuler = cree<QPushButton>(Panel_choix, "Button_annuler", 122, 58, 100, 25);
    Button_annuler->setText(QStringLiteral("annuler"));
    Button_annuler->setCursor(Qt::ArrowCursor);
    Panel_choix->hide();
    Panel_choix->installEventFilter(this);

    (void)police_fenetre;
}

void TForm2::fixe_aide(QWidget* controle, const QString& texte) {
    aides.insert(controle, texte);
    if (!texte.isEmpty()) controle->setToolTip(texte);
    controle->setMouseTracking(true);
    controle->installEventFilter(this);
}

QString TForm2::texte_aide(QWidget* controle) const {
    if (controle == CheckBox_sauve_auto || controle == Edit_sos_mn) {
        QString dossier = programme.reglages.repertoire_travail;
        if (auto* repertoire = qobject_cast<QLineEdit*>(controle_form1("Edit_repertoire")))
            dossier = repertoire->text();
        return QStringLiteral("Sauvegarde dans le sous-dossier ") + dossier +
               QStringLiteral("sauvegarde_auto") + QDir::separator();
    }
    return aides.value(controle);
}

void TForm2::relie_controles() {
    TReglages& r = programme.reglages;
    // Every control keeps its value in the settings record the core reads.
    connect(CheckBox_demo, &QCheckBox::toggled, this, [this] { CheckBox_demoClick(); });
    connect(CheckBox_demo_rapide, &QCheckBox::toggled, this, [this, &r](bool b) {
        r.demo_rapide = b;
        CheckBox_demoClick();
    });
    connect(CheckBox_save_sans_confirmation, &QCheckBox::toggled, this, [this, &r](bool b) {
        r.save_sans_confirmation = b;
        CheckBox_demoClick();
    });
    connect(RadioButton_car_par_car, &QRadioButton::toggled, this, [this](bool coche) {
        if (coche) RadioButton_car_par_carClick();
    });
    connect(RadioButton_par_chaine_CSV, &QRadioButton::toggled, this, [this](bool coche) {
        if (coche) RadioButton_car_par_carClick();
    });
    connect(CheckBox_DTR, &QCheckBox::toggled, this, [&r](bool b) { r.dtr = b; });
    connect(CheckBox_RTS, &QCheckBox::toggled, this, [&r](bool b) { r.rts = b; });
    connect(CheckBox_lecture_sans_traitement, &QCheckBox::toggled, this,
            [&r](bool b) { r.lecture_sans_traitement = b; });
    connect(Edit_timeouts, &QLineEdit::textChanged, this,
            [&r](const QString& t) { r.timeouts = en_1252(t); });
    connect(Edit_nom_blocnote, &QLineEdit::textChanged, this,
            [&r](const QString& t) { r.nom_blocnote = en_1252(t); });
    connect(Edit_start_inject, &QLineEdit::textChanged, this,
            [&r](const QString& t) { r.start_inject = en_1252(t); });
    connect(Edit_nb_decimale_1, &QLineEdit::textChanged, this,
            [&r](const QString& t) { r.nb_decimale_1 = en_1252(t); });
    connect(Edit_facteur, &QLineEdit::textChanged, this, [this] { Edit_facteurChange(); });
    connect(CheckBox_sauve_auto, &QCheckBox::toggled, this, [&r](bool b) { r.sauve_auto = b; });
    connect(Edit_sos_mn, &QLineEdit::textChanged, this,
            [&r](const QString& t) { r.sos_mn = en_1252(t); });
    connect(CheckBox_ph_ox_3sondes, &QCheckBox::toggled, this,
            [this] { CheckBox_ph_ox_3sondesClick(); });
    connect(Edit_pH, &QLineEdit::textChanged, this,
            [&r](const QString& t) { r.texte_ph = en_1252(t); });
    connect(Edit_ox, &QLineEdit::textChanged, this,
            [&r](const QString& t) { r.texte_ox = en_1252(t); });
    connect(ComboBox_cond_ph_ox, &QComboBox::currentTextChanged, this,
            [&r](const QString& t) { r.cond_ph_ox = en_1252(t); });
    connect(RadioButton_virgule, &QRadioButton::toggled, this, [&r](bool b) {
        if (b) r.signe_decimal_fichier = 0;
    });
    connect(RadioButton_point, &QRadioButton::toggled, this, [&r](bool b) {
        if (b) r.signe_decimal_fichier = 1;
    });
    connect(RadioButton_habituelle, &QRadioButton::toggled, this, [&r](bool b) {
        if (b) r.souris = 0;
    });
    connect(RadioButton_guidee, &QRadioButton::toggled, this, [&r](bool b) {
        if (b) r.souris = 1;
    });
    connect(RadioButton_saut, &QRadioButton::toggled, this, [&r](bool b) {
        if (b) r.souris = 2;
    });

    connect(SpeedButton_question_close, &QToolButton::clicked, this,
            [this] { SpeedButton_question_closeClick(); });
    connect(SpeedButton_aide, &QToolButton::clicked, this, [this] { SpeedButton_aideClick(); });
    connect(Button_openCOM_read, &QPushButton::clicked, this,
            [this] { Button_openCOM_readClick(); });
    connect(Button_close_COM_, &QPushButton::clicked, this, [this] { Button_close_COM_Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button_enreg_param, &QPushButton::clicked, this, [this] { Button_enreg_paramClick(); });
    connect(Button_charger_param, &QPushButton::clicked, this,
            [this] { Button_charger_paramClick(); });
    connect(Button_exemple, &QPushButton::clicked, this, [this] { Button_exempleClick(); });
    connect(Button_valider, &QPushButton::clicked, this, [this] { Button_validerClick(); });
    connect(Button_annuler, &QPushButton::clicked, this, [this] { Button_annulerClick(); });

    Edit_timeouts->installEventFilter(this);

    // The table grid.
    TDelegue_grille* delegue = stringgrid1->delegue();
    delegue->filtre_touche = &TForm2::stringgrid1KeyPress;
    delegue->touche_entree = [this] { stringgrid1KeyDown_entree(); };
    delegue->double_clic = [this] { stringgrid1DblClick(); };
    stringgrid1->touche_entree = [this] { stringgrid1KeyDown_entree(); };
    connect(stringgrid1, &QTableView::doubleClicked, this, [this] { stringgrid1DblClick(); });
    for (QWidget* w : {static_cast<QWidget*>(stringgrid1->viewport()),
                       static_cast<QWidget*>(stringgrid1->horizontalHeader()),
                       static_cast<QWidget*>(stringgrid1->verticalHeader())})
        w->installEventFilter(this);
    // The grid and its cell editor form one control: focus moving between them is neither an
    // entry nor an exit.
    suivi_focus =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* nouveau) {
            const bool dedans =
                nouveau && (nouveau == stringgrid1 || stringgrid1->isAncestorOf(nouveau));
            if (dedans && !grille_a_le_focus) {
                grille_a_le_focus = true;
                stringgrid1Enter();
            } else if (!dedans && grille_a_le_focus) {
                grille_a_le_focus = false;
                stringgrid1Exit();
            }
        });
}

// =============================================================================================
// Creation, activation, destruction

void TForm2::FormCreate() {
    // 1. Centred, in its colour.
    if (QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect zone = ecran->geometry();
        move(zone.x() + (zone.width() - width()) / 2, zone.y() + (zone.height() - height()) / 2);
    }
    couleur_fond(this, couleur_fenetre);
    setMouseTracking(true);

    // 2. The table and its file.
    programme.tableau.initialise_tableau();
    charge_tableau(fichier_tableau(), false);

    // 3. The demonstration state of the main window.
    if (auto* demo = qobject_cast<QCheckBox*>(controle_form1("CheckBox_demo")))
        programme.reglages.mode_demo = demo->isChecked();
    CheckBox_demo->setChecked(programme.reglages.mode_demo);

    // 4. The two lists of this window.
    Memo1->clear();
    Memo1->appendPlainText(ligne_journal_initiale);
    Memo2->clear();
    Memo2->appendPlainText(depuis_1252(ligne_decodee_initiale));
    programme.lignes.parametres.clear();
    programme.lignes.parametres.append(ligne_decodee_initiale);

    // 5. The marked instrument, then the plot. A bad number in the table is reported and the
    // creation goes on: stopping here would leave the settings unread, and the end of the
    // program would then write the form's values over the operator's settings.
    actualise_multimetre();
    form1.retrace_courbes();

    // 6. The help strip and the choice panel.
    couleur_fond(Panel_aide, couleur_aide);
    couleur_fond(Panel_choix, couleur_aide);

    // 7.
    Label2->setText(QStringLiteral("signe décimal du PC : ") + (regional::signe_decimal() == '.'
                                                                    ? QStringLiteral("point")
                                                                    : QStringLiteral("virgule")));

    // 8. The settings.
    charge_parametres();

    // 9. The grid edits in place, its editor follows the current cell.
    stringgrid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    stringgrid1->fixe_cellule_courante(1, programme.multimetre_actif.ligne);

    // 10, 11.
    compose_config_com();
    if (QScreen* ecran = QGuiApplication::primaryScreen())
        Label_ecran->setText(QStringLiteral("Résolution ") +
                             QString::number(ecran->geometry().width()) + QLatin1Char('x') +
                             QString::number(ecran->geometry().height()));
}

void TForm2::FormActivate() {
    if (auto* demo = qobject_cast<QCheckBox*>(controle_form1("CheckBox_demo")))
        CheckBox_demo->setChecked(demo->isChecked());
}

void TForm2::changeEvent(QEvent* evenement) {
    QWidget::changeEvent(evenement);
    if (evenement->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TForm2::resizeEvent(QResizeEvent* evenement) {
    QWidget::resizeEvent(evenement);
    // The strip follows the width, the table both width and height.
    if (Panel_aide) Panel_aide->resize(width() - 16, Panel_aide->height());
    if (stringgrid1) stringgrid1->resize(width() - 16, qMax(60, height() - stringgrid1->y() - 4));
}

void TForm2::bascule_visibilite() {
    if (isVisible()) {
        hide();
        return;
    }
    show();
    raise();
    activateWindow();
    setFocus();
}

void TForm2::SpeedButton_question_closeClick() {
    actualise_multimetre();
    hide();
    form1.show();
    form1.raise();
    form1.activateWindow();
}

// =============================================================================================
// Messages

TRapport& TForm2::rapport() {
    return form1.rapport();
}

QWidget* TForm2::controle_form1(const char* nom) const {
    return form1.findChild<QWidget*>(QString::fromLatin1(nom));
}

void TForm2::message(const QString& texte) {
    QMessageBox::information(isVisible() ? static_cast<QWidget*>(this) : nullptr,
                             QStringLiteral("Probelog"), texte);
}

bool TForm2::confirme(const QString& question) {
    return QMessageBox::question(isVisible() ? static_cast<QWidget*>(this) : nullptr,
                                 QStringLiteral("Confirmation"), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TForm2::ecrit_journal(const QString& ligne) {
    if (Memo1->blockCount() > TJournal::nb_max_lignes) Memo1->clear();
    Memo1->appendPlainText(ligne);
}

// =============================================================================================
// The instrument table

bool TForm2::actualise_multimetre() {
    try {
        ::actualise_multimetre(programme, &rapport());
    } catch (const ErreurConversion& erreur) {
        stringgrid1->viewport()->update();
        message(erreur.message());
        return false;
    }
    form1.actualise_affichage_multimetre();
    stringgrid1->viewport()->update();
    stringgrid1->verticalHeader()->viewport()->update();
    return true;
}

void TForm2::compose_config_com() {
    ::compose_config_com(programme, &rapport());
    Label_config->setText(depuis_1252(programme.config_com));
}

void TForm2::actualise_grille() {
    stringgrid1->modele()->cellules_changees();
}

QChar TForm2::stringgrid1KeyPress(int colonne, QChar touche) {
    // "vitesse", "intervalle", "max", "min", "graduation", "épaisseur": numbers only.
    switch (colonne) {
    case 4:
    case 5:
    case 7:
    case 8:
    case 9:
    case 11:
        return filtre_touche_chiffre(touche);
    default:
        return touche;
    }
}

void TForm2::stringgrid1KeyDown_entree() {
    actualise_multimetre();
}

void TForm2::stringgrid1Enter() {
    programme.tableau_modifie = true;
}

void TForm2::stringgrid1Exit() {
    actualise_multimetre();
}

void TForm2::remplit_choix(const QString& liste) {
    ComboBox1->clear();
    // No port present gives an empty list: nothing to offer, rather than the placeholder that
    // extrait gives for an empty text.
    if (liste.isEmpty()) return;
    const QByteArray texte = en_1252(liste);
    const int n = compte_car(',', texte) + 1;
    for (int i = 1; i <= n; ++i)
        ComboBox1->addItem(depuis_1252(extrait(texte, i, ',')));
    ComboBox1->setCurrentIndex(0);
}

void TForm2::place_panneau_choix() {
    // Beside the cell being chosen, inside the window.
    const QModelIndex courant = stringgrid1->currentIndex();
    QPoint coin =
        stringgrid1->viewport()->mapTo(this, stringgrid1->visualRect(courant).bottomLeft());
    coin.ry() -= Panel_choix->height() + 30;
    coin.setX(qBound(0, coin.x(), width() - Panel_choix->width()));
    coin.setY(qBound(0, coin.y(), height() - Panel_choix->height()));
    Panel_choix->move(coin);
    Panel_choix->show();
    Panel_choix->raise();
}

void TForm2::stringgrid1DblClick() {
    const int c = stringgrid1->colonne_courante();
    const int r = stringgrid1->ligne_courante();
    if (c < 1 || r < 1) return;
    TTableau_multimetres& tableau = programme.tableau;
    const QByteArray titre = supprime_espaces(tableau.cellule(c, 0));
    Label_choix->setText(QStringLiteral("choix ") + depuis_1252(titre));
    const bool premiere_ligne = r % 2 == 1;

    if (titre == titre::actif && premiere_ligne) {
        if (active_instrument(programme, r, &rapport())) {
            stringgrid1->modele()->cellules_changees();
            Label_config->setText(depuis_1252(programme.config_com));
        }
    } else if (titre == titre::comx && premiere_ligne) {
        QStringList ports;
        for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
            ports << port.portName();
#if defined(Q_OS_WIN)
        for (int i = 1; i <= 9; ++i)
            if (!ports.contains(QStringLiteral("COM%1").arg(i)))
                ports << QStringLiteral("COM%1").arg(i);
#endif
        place_panneau_choix();
        remplit_choix(ports.join(QLatin1Char(',')));
        compose_config_com();
    } else if (titre == titre::vitesse && premiere_ligne) {
        place_panneau_choix();
        remplit_choix(QStringLiteral("1200,2400,4800,9600,19200,38400,57600,115200"));
        compose_config_com();
    } else if (titre == titre::separateur) {
        place_panneau_choix();
        remplit_choix(QStringLiteral("espace,tabulation,#,|"));
        compose_config_com();
    } else if (titre == titre::couleur) {
        const TCouleur avant = couleur_cellule(tableau.cellule(c, r));
        const QColor initiale(rouge(avant), vert(avant), bleu(avant));
        QColorDialog ColorDialog1(initiale, this);
        ColorDialog1.setObjectName(QStringLiteral("ColorDialog1"));
        // A cancelled dialog still writes the cell back, in its clean form.
        const QColor choisie =
            ColorDialog1.exec() == QDialog::Accepted ? ColorDialog1.selectedColor() : initiale;
        stringgrid1->modele()->ecrit(c, r,
                                     QByteArray::number(choisie.red()) + ',' +
                                         QByteArray::number(choisie.green()) + ',' +
                                         QByteArray::number(choisie.blue()));
    }
    stringgrid1->viewport()->update();
    stringgrid1->verticalHeader()->viewport()->update();
}

void TForm2::Button_validerClick() {
    const QString choix = ComboBox1->currentText();
    if (!choix.isEmpty()) {
        const int c = stringgrid1->colonne_courante();
        const int r = stringgrid1->ligne_courante();
        if (c >= 1 && r >= 1) {
            stringgrid1->modele()->ecrit(c, r, en_1252(choix));
            const QByteArray titre = supprime_espaces(programme.tableau.cellule(c, 0));
            if (titre == titre::comx || titre == titre::vitesse) compose_config_com();
        }
    }
    Panel_choix->hide();
}

void TForm2::Button_annulerClick() {
    Panel_choix->hide();
}

// =============================================================================================
// Options

void TForm2::CheckBox_demoClick() {
    programme.reglages.mode_demo = CheckBox_demo->isChecked();
    // The main window's box runs its own handling when its state changes.
    if (auto* demo = qobject_cast<QCheckBox*>(controle_form1("CheckBox_demo")))
        demo->setChecked(programme.reglages.mode_demo);
    if (programme.reglages.mode_demo) RadioButton_car_par_car->setChecked(true);
}

void TForm2::RadioButton_car_par_carClick() {
    if (RadioButton_car_par_car->isChecked())
        programme.reglages.lecture_csv = 0;
    else if (RadioButton_par_chaine_CSV->isChecked())
        programme.reglages.lecture_csv = 1;
    const bool par_chaine = programme.reglages.lecture_csv != 0;
    Edit_timeouts->setVisible(par_chaine);
    Label3->setVisible(par_chaine);
}

void TForm2::Edit_facteurChange() {
    programme.reglages.facteur = en_1252(Edit_facteur->text());
    QByteArray texte = programme.reglages.facteur;
    garde_nombre(texte);
    try {
        programme.etat.facteur_aire = en_reel(texte);
    } catch (const ErreurConversion& erreur) {
        // Typing goes on; the factor keeps its last readable value and the strip says why.
        Panel_aide->setText(erreur.message());
    }
}

void TForm2::CheckBox_ph_ox_3sondesClick() {
    const bool coche = CheckBox_ph_ox_3sondes->isChecked();
    programme.reglages.ph_ox_3sondes = coche;
    Button5->setEnabled(coche);
    if (QWidget* graphiques = controle_form1("Button1")) graphiques->setEnabled(coche);
}

void TForm2::Button5Click() {
    for (QWidget* fenetre : QApplication::topLevelWidgets())
        if (fenetre->objectName() == QLatin1String("Form3")) {
            fenetre->show();
            fenetre->raise();
            fenetre->activateWindow();
            fenetre->setFocus();
        }
}

// =============================================================================================
// Settings and table files

QString TForm2::fichier_tableau() const {
    return chemin_fichier_tableau(programme);
}

QString TForm2::fichier_exemple() const {
    return chemin_fichier_exemple();
}

bool TForm2::charge_tableau(const QString& fichier, bool demande) {
    TDemande question;
    if (demande) question = [this](const QString& q) { return confirme(q); };
    const TChargement resultat =
        ::charge_tableau(programme, fichier, question, [this](const QString& t) { message(t); });
    stringgrid1->modele()->tableau_recharge();
    stringgrid1->applique_largeurs();
    return resultat != TChargement::refuse;
}

void TForm2::applique_reglages() {
    // Handlers that run while the controls are set write into the record: work from a copy, in
    // the order of the settings file, so each control ends with its own saved value.
    const TReglages r = programme.reglages;
    form1.applique_reglages();
    programme.reglages = r;
    // Only the demonstration renames the instrument: otherwise the main window keeps the name
    // of the active instrument, which the main window's own settings do not hold.
    if (!r.mode_demo)
        rapport().texte("Label_multimetre",
                        depuis_1252(programme.tableau.lit_cellule_active(titre::multimetre, 0)));
    CheckBox_demo->setChecked(r.mode_demo);
    (r.souris == 2   ? RadioButton_saut
     : r.souris == 1 ? RadioButton_guidee
                     : RadioButton_habituelle)
        ->setChecked(true);
    CheckBox_demo_rapide->setChecked(r.demo_rapide);
    (r.signe_decimal_fichier == 1 ? RadioButton_point : RadioButton_virgule)->setChecked(true);
    CheckBox_sauve_auto->setChecked(r.sauve_auto);
    Edit_sos_mn->setText(depuis_1252(r.sos_mn));
    Edit_timeouts->setText(depuis_1252(r.timeouts));
    programme.reglages.lecture_csv = r.lecture_csv;
    CheckBox_DTR->setChecked(r.dtr);
    CheckBox_RTS->setChecked(r.rts);
    CheckBox_lecture_sans_traitement->setChecked(r.lecture_sans_traitement);
    Edit_nom_blocnote->setText(depuis_1252(r.nom_blocnote));
    CheckBox_save_sans_confirmation->setChecked(r.save_sans_confirmation);
    Edit_nb_decimale_1->setText(depuis_1252(r.nb_decimale_1));
    Edit_start_inject->setText(depuis_1252(r.start_inject));
    Edit_facteur->setText(depuis_1252(r.facteur));
    CheckBox_ph_ox_3sondes->setChecked(r.ph_ox_3sondes);
    Edit_pH->setText(depuis_1252(r.texte_ph));
    Edit_ox->setText(depuis_1252(r.texte_ox));
    ComboBox_cond_ph_ox->setCurrentText(depuis_1252(r.cond_ph_ox));
    // The reading mode is the saved one even when a demonstration switch above moved the
    // buttons; a value other than 0 and 1 leaves both buttons as they are.
    programme.reglages.lecture_csv = r.lecture_csv;
    if (r.lecture_csv == 0)
        RadioButton_car_par_car->setChecked(true);
    else if (r.lecture_csv == 1)
        RadioButton_par_chaine_CSV->setChecked(true);
    Edit_timeouts->setVisible(r.lecture_csv != 0);
    Label3->setVisible(r.lecture_csv != 0);
    // Handlers that only run on a change: the derived values follow the controls in any case.
    Edit_facteurChange();
    CheckBox_ph_ox_3sondesClick();
}

void TForm2::charge_parametres() {
    ::charge_parametres(programme, [this](const QString& t) { message(t); });
    applique_reglages();
}

void TForm2::enregistre_tout() {
    ::enregistre_tout(
        programme, [this](const QString& q) { return confirme(q); },
        [this](const QString& t) { message(t); }, &rapport());
}

void TForm2::Button_enreg_paramClick() {
    enregistre_param(
        programme, [this](const QString& q) { return confirme(q); },
        [this](const QString& t) { message(t); }, &rapport());
    stringgrid1->viewport()->update();
}

void TForm2::Button_charger_paramClick() {
    charge_param(
        programme, [this](const QString& q) { return confirme(q); },
        [this](const QString& t) { message(t); }, &rapport());
    stringgrid1->modele()->tableau_recharge();
    stringgrid1->applique_largeurs();
    form1.actualise_affichage_multimetre();
    applique_reglages();
}

void TForm2::Button_exempleClick() {
    // Declined or without its file, nothing was loaded: the controls stay as they are (applying
    // the settings again would also end a contrast mode and take its colours as the normal ones).
    if (!exemple_param(
            programme, fichier_exemple(), [this](const QString& q) { return confirme(q); },
            [this](const QString& t) { message(t); }, &rapport()))
        return;
    stringgrid1->modele()->tableau_recharge();
    stringgrid1->applique_largeurs();
    form1.actualise_affichage_multimetre();
    applique_reglages();
}

// =============================================================================================
// Serial port and outside tools

void TForm2::Button_openCOM_readClick() {
    ouvre_com_et_acquiert(programme, rapport());
}

void TForm2::Button_close_COM_Click() {
    ferme_com_acquisition(programme, rapport());
}

void TForm2::Button1Click() {
    liste_ports_com(programme, rapport());
}

void TForm2::Button3Click() {
    const QString port = depuis_1252(programme.tableau.lit_cellule_active(titre::comx, 0));
    const QString vitesse = depuis_1252(programme.tableau.lit_cellule_active(titre::vitesse, 0));
    const QString erreur = lance_terminal_serie(port, vitesse);
    if (!erreur.isEmpty()) message(erreur);
}

void TForm2::Button2Click() {
    const QString texte = lance_gestionnaire_peripheriques();
    if (!texte.isEmpty()) message(texte);
}

void TForm2::Button4Click() {
    const QString erreur = lance_moniteur_systeme();
    if (!erreur.isEmpty()) message(erreur);
}

void TForm2::SpeedButton_aideClick() {
    const QString erreur = ouvre_aide(fichier_aide());
    if (!erreur.isEmpty()) message(erreur);
}

// =============================================================================================
// Mouse, keys and the help strip

void TForm2::mouseMoveEvent(QMouseEvent* evenement) {
    // Only the bare background of the window empties the strip.
    if (!childAt(evenement->position().toPoint())) Panel_aide->clear();
    QWidget::mouseMoveEvent(evenement);
}

bool TForm2::eventFilter(QObject* objet, QEvent* evenement) {
    auto* w = qobject_cast<QWidget*>(objet);
    const QEvent::Type type = evenement->type();

    if (w == Edit_timeouts && type == QEvent::KeyPress) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->text().size() == 1 &&
            (touche->text().at(0).unicode() >= 32 || touche->text().at(0).unicode() == 8)) {
            const QChar car = touche->text().at(0);
            const QChar garde = filtre_touche_chiffre(car);
            if (garde.isNull()) return true;
            if (garde != car) {
                Edit_timeouts->insert(QString(garde));
                return true;
            }
        }
        return false;
    }

    if (w && stringgrid1 &&
        (w == stringgrid1->viewport() || w == stringgrid1->horizontalHeader() ||
         w == stringgrid1->verticalHeader()) &&
        type == QEvent::MouseMove) {
        const QPoint point =
            w->mapTo(stringgrid1, static_cast<QMouseEvent*>(evenement)->position().toPoint());
        const int c = stringgrid1->colonne_sous(point);
        Panel_aide->setText(c < 0 ? QStringLiteral("explications pour les colonnes")
                                  : explication_colonne(programme.tableau.cellule(c, 0)));
        return false;
    }

    if (w == Panel_choix && (type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                             type == QEvent::MouseButtonRelease)) {
        // The choice panel can be dragged out of the way of the cells.
        auto* souris = static_cast<QMouseEvent*>(evenement);
        if (type == QEvent::MouseButtonPress && souris->button() == Qt::LeftButton) {
            glisse_panneau = true;
            prise_panneau = souris->position().toPoint();
            return true;
        }
        if (type == QEvent::MouseMove && glisse_panneau) {
            Panel_choix->move(
                Panel_choix->mapToParent(souris->position().toPoint() - prise_panneau));
            return true;
        }
        if (type == QEvent::MouseButtonRelease) glisse_panneau = false;
        return false;
    }

    if (w && aides.contains(w) && (type == QEvent::Enter || type == QEvent::MouseMove)) {
        Panel_aide->setText(texte_aide(w));
        // A plain move stops here: the group around the control has its own text.
        return type == QEvent::MouseMove &&
               static_cast<QMouseEvent*>(evenement)->buttons() == Qt::NoButton;
    }
    return QWidget::eventFilter(objet, evenement);
}
