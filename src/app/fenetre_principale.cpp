#include "app/fenetre_principale.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include "app/logo.h"
#include "app/rapport_fenetres.h"
#include "app/vue_image.h"
#include "parametres/fenetre/fenetre_parametres.h"
#include "trace/rendu_courbes.h"
#include "util/cp1252.h"
#include "util/regional.h"

namespace {

const QString police_principale = QStringLiteral("MS Reference Sans Serif");

QFont police(int pixels, bool gras = false, bool italique = false) {
    QFont f(police_principale);
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
                  int h, int pixels = 13) {
    auto* e = cree<QLabel>(parent, nom, x, y, l, h);
    e->setText(texte);
    e->setFont(police(pixels));
    return e;
}

QColor en_qcolor(TCouleur c) {
    return QColor(rouge(c), vert(c), bleu(c));
}

TCouleur depuis_qcolor(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

// Minutes between two periodic saves; an empty or unreadable text gives 5. A decimal number of
// minutes is accepted (a short period for a check), never under 5 seconds.
int periode_sauvegarde_ms(const QByteArray& minutes) {
    double m = 5;
    try {
        if (!supprime_espaces(minutes).isEmpty()) m = en_reel(minutes);
    } catch (const ErreurConversion&) {
        m = 5;
    }
    if (!(m > 0)) m = 5;
    return int(std::clamp(m * 60000.0, 5000.0, 24.0 * 3600 * 1000));
}

} // namespace

TForm1::TForm1(TProgramme& p, QWidget* parent) : QWidget(parent), programme(p) {
    // The fonts of the Windows program are replaced by a close sans-serif of the system.
    QFont::insertSubstitutions(police_principale,
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"),
                                QStringLiteral("Liberation Sans")});
    setObjectName(QStringLiteral("Form1"));
    rapport_fenetres = std::make_unique<TRapport_fenetres>(this, [this] { retrace_courbes(); });

    // 1. The store is allocated by the shared record; nothing is resumed yet.
    programme.etat.reprise = false;
    if (programme.stock.capacite_mesures == 0) programme.stock.alloue_initial();
    // 2. Caption.
    premiere_activation = true;
    setWindowTitle(QStringLiteral("Probelog  ") + QLatin1String(version_programme));
    setWindowIcon(QIcon(dessine_logo(64)));
    resize(1696, 754);
    setAutoFillBackground(true);
    construit_controles();

    // 4. The acquisition reset.
    initialise_acquisition();

    // 5. The folder-check panel and the interval warning.
    Panel2->setFixedHeight(250);
    Label18->setText(QStringLiteral(" \n vérifier le \n répertoire \n\n et le nom \n"));
    Panel2->move(SpeedButton_choix_rep->geometry().right() + 1, Panel2->y());
    Label7->setText(QString());
    // 6. Display modes.
    mode_contraste_ = 0;
    niveau_zoom_ = 0;
    programme.etat.relecture = false;
}

TForm1::~TForm1() = default;

int TForm1::periode_sauvegarde() const {
    return periode_sauvegarde_ms(programme.reglages.sos_mn);
}

void TForm1::relie_fenetres(TForm2* parametres, TForm3* graphes) {
    form2 = parametres;
    form3 = graphes;
    rapport_fenetres->relie_parametres(parametres);
    // The quantity colours of display mode 0, as the parameters window made them active.
    couleur_normale[1] = programme.multimetre_actif.couleur[1];
    couleur_normale[2] = programme.multimetre_actif.couleur[2];
}

TRapport& TForm1::rapport() {
    return *rapport_fenetres;
}

QWidget* TForm1::fenetre_parametres() const {
    return form2;
}

const QImage& TForm1::image_courbes() const {
    return ImageA->image;
}

void TForm1::construit_controles() {
    // Left column of buttons.
    Button_parametres = cree<QPushButton>(this, "Button_parametres", 8, 6, 125, 28);
    Button_parametres->setText(QStringLiteral("Paramètres"));
    Button_parametres->setFont(police(14, false, true));
    Button_enreg_param = cree<QPushButton>(this, "Button_enreg_param", 8, 38, 125, 28);
    Button_enreg_param->setText(QStringLiteral("save paramètres"));
    Button_enreg_param->setFont(police(14, false, true));
    Button_enreg_param->setToolTip(
        QStringLiteral("enregistre les modifications dans le fichier des paramètres"));
    Button_aide = cree<QPushButton>(this, "Button_aide", 8, 72, 36, 28);
    Button_aide->setText(QStringLiteral("?"));
    Button_aide->setFont(police(16, true));
    CheckBox_demo = cree<QCheckBox>(this, "CheckBox_demo", 54, 72, 80, 28);
    CheckBox_demo->setText(QStringLiteral("démo"));
    CheckBox_demo->setFont(police(15));
    CheckBox_demo->setToolTip(QStringLiteral("y = A0.exp(-(t-t0)^2/(a.t+b))"));
    CheckBox_demo->setChecked(true);

    const QString rouge_gras =
        QStringLiteral("QPushButton { color: rgb(200, 0, 0); font-weight: bold; }");
    Button_test_com = cree<QPushButton>(this, "Button_test_com", 8, 108, 125, 36);
    Button_test_com->setText(QStringLiteral("test COM"));
    Button_test_com->setFont(police(16));
    Button_test_com->setStyleSheet(rouge_gras);
    Button_test_com->setToolTip(QStringLiteral("bouton de test initial et d'arrêt du test  "));
    Button_START = cree<QPushButton>(this, "Button_START", 8, 150, 125, 36);
    Button_START->setText(QStringLiteral("Start (base)"));
    Button_START->setFont(police(16));
    Button_START->setStyleSheet(rouge_gras);
    Button_START->setToolTip(QStringLiteral("  acquisition de la ligne de base  "));
    Button_stop = cree<QPushButton>(this, "Button_stop", 8, 192, 125, 36);
    Button_stop->setText(QStringLiteral("Stop + save"));
    Button_stop->setFont(police(16));
    Button_stop->setToolTip(QStringLiteral("arrêt de l'acquisition et enregistrement"));
    Button_stop->setEnabled(false);
    Button_exit_ = cree<QPushButton>(this, "Button_exit_", 8, 234, 125, 36);
    Button_exit_->setText(QStringLiteral("exit + save"));
    Button_exit_->setFont(police(16));
    Button_exit_->setToolTip(QStringLiteral("sortie avec enregistrement (F12)"));
    Button_open_file = cree<QPushButton>(this, "Button_open_file", 138, 234, 60, 36);
    Button_open_file->setText(QStringLiteral("open"));
    Button_open_file->setFont(police(14));
    Button1 = cree<QPushButton>(this, "Button1", 8, 278, 125, 28);
    Button1->setText(QStringLiteral("Graphiques associés"));
    Button1->setFont(police(11));
    Button1->setToolTip(QStringLiteral("si 3 sondes connectées "));

    // Top row: instrument, working folder, prefix.
    Label_multimetre =
        etiquette(this, "Label_multimetre", QStringLiteral("DEMO"), 145, 2, 270, 36, 27);
    Label_multimetre->setFont(police(27, true));
    Edit_repertoire = cree<QLineEdit>(this, "Edit_repertoire", 420, 8, 400, 28);
    Edit_repertoire->setFont(police(13));
    // Where the files go while no working folder is chosen.
    Edit_repertoire->setPlaceholderText(QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    SpeedButton_choix_rep = cree<QToolButton>(this, "SpeedButton_choix_rep", 822, 8, 40, 28);
    SpeedButton_choix_rep->setText(QStringLiteral("./.."));
    Label16 = etiquette(this, "Label16", QStringLiteral("nom"), 872, 12, 40, 22, 14);
    Edit_Prefixe = cree<QLineEdit>(this, "Edit_Prefixe", 912, 4, 230, 34);
    Edit_Prefixe->setFont(police(20));
    Edit_Prefixe->setText(QStringLiteral("Forage1"));
    Edit_Prefixe->setToolTip(QStringLiteral("PEUT ÊTRE CHANGÉ EN COURS DE LECTURE  "));
    CheckBox_date_heure = cree<QCheckBox>(this, "CheckBox_date_heure", 1148, 8, 130, 28);
    CheckBox_date_heure->setText(QStringLiteral("+ date/heure"));
    CheckBox_date_heure->setFont(police(13));
    CheckBox_date_heure->setToolTip(QStringLiteral("date et heure en début de nom"));
    CheckBox_date_heure->setChecked(true);

    // Large values and tracer results.
    Label_grand1 =
        etiquette(this, "Label_grand1", QStringLiteral("grandeur 1"), 145, 44, 300, 22, 16);
    Label_val_grand1 =
        etiquette(this, "Label_val_grand1", QStringLiteral("----"), 145, 64, 330, 44, 33);
    Label_val_grand1->setFont(police(33, true));
    Label_multiple_initial =
        etiquette(this, "Label_multiple_initial", QString(), 480, 74, 70, 24, 16);
    Label_multiple_courant =
        etiquette(this, "Label_multiple_courant", QString(), 552, 74, 40, 24, 16);
    Label_grand2 =
        etiquette(this, "Label_grand2", QStringLiteral("grandeur 2"), 145, 110, 300, 22, 16);
    Label_val_grand2 =
        etiquette(this, "Label_val_grand2", QStringLiteral("----"), 145, 130, 330, 44, 33);
    Label_val_grand2->setFont(police(33, true));
    Label19 = etiquette(this, "Label19", QStringLiteral("heure PC"), 480, 120, 120, 20, 13);
    Label_heure = etiquette(this, "Label_heure", QString(), 480, 140, 210, 24, 15);
    Label15 = etiquette(this, "Label15", QStringLiteral("durée traçage"), 480, 166, 120, 20, 13);
    Label_tracage = etiquette(this, "Label_tracage", QStringLiteral("---"), 480, 184, 210, 26, 18);
    Label_zero = etiquette(this, "Label_zero", QStringLiteral("base = "), 205, 213, 1480, 30, 24);
    Label_zero->setToolTip(QStringLiteral(" avant le traçage, Hmax et pendant (Hmax-Hbase)  "));
    Label_hauteur = etiquette(this, "Label_hauteur", QString(), 205, 244, 900, 30, 24);
    Label_hauteur->setToolTip(
        QStringLiteral("moyenne des 60 dernières valeurs  - la ligne de base "));
    Label_n = etiquette(this, "Label_n", QStringLiteral("n = 0"), 205, 278, 260, 34, 27);
    Label_n->setFont(police(27, true));
    Label7 = etiquette(this, "Label7", QString(), 470, 278, 300, 20, 14);
    Label7->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    Label7->hide();
    Label_rejets = etiquette(this, "Label_rejets", QString(), 470, 298, 220, 18, 13);
    Label_rejets->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    Label_rejets->setToolTip(QStringLiteral("lignes du multimètre illisibles : voir le journal"));
    Label_rejets->hide();

    // Axis fields of both quantities.
    Label17 = etiquette(this, "Label17", QStringLiteral("max Y"), 700, 46, 80, 22, 14);
    Edit_max_y1 = cree<QLineEdit>(this, "Edit_max_y1", 782, 44, 90, 26);
    Edit_max_y1->setText(QStringLiteral("1000"));
    Edit_max_y1->setToolTip(QStringLiteral("double clik = liste de choix"));
    Label2 = etiquette(this, "Label2", QStringLiteral("min Y"), 700, 76, 80, 22, 14);
    Edit_min_y1 = cree<QLineEdit>(this, "Edit_min_y1", 782, 74, 90, 26);
    Edit_min_y1->setText(QStringLiteral("400"));
    Edit_min_y1->setToolTip(QStringLiteral("double clik = liste de choix"));
    Label_graduation_y1 =
        etiquette(this, "Label_graduation_y1", QStringLiteral("graduation"), 700, 106, 80, 22, 14);
    Edit_y1_graduation = cree<QLineEdit>(this, "Edit_y1_graduation", 782, 104, 90, 26);
    Edit_y1_graduation->setText(QStringLiteral("200"));
    Label1 = etiquette(this, "Label1", QStringLiteral("max Y"), 884, 46, 60, 22, 14);
    Edit_max_y2 = cree<QLineEdit>(this, "Edit_max_y2", 946, 44, 90, 26);
    Edit_max_y2->setText(QStringLiteral("1000"));
    Label3 = etiquette(this, "Label3", QStringLiteral("min Y"), 884, 76, 60, 22, 14);
    Edit_min_y2 = cree<QLineEdit>(this, "Edit_min_y2", 946, 74, 90, 26);
    Edit_min_y2->setText(QStringLiteral("400"));
    Label6 = etiquette(this, "Label6", QStringLiteral("graduation"), 884, 106, 60, 22, 14);
    Edit_y2_graduation = cree<QLineEdit>(this, "Edit_y2_graduation", 946, 104, 90, 26);
    Edit_y2_graduation->setText(QStringLiteral("200"));
    for (QLabel* l : {Label1, Label3, Label6})
        l->setStyleSheet(QStringLiteral("color: rgb(128, 0, 128);"));
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label3, Label6, Edit_max_y2,
                                                      Edit_min_y2, Edit_y2_graduation})
        w->hide();
    for (QLineEdit* e : {Edit_max_y1, Edit_min_y1, Edit_y1_graduation, Edit_max_y2, Edit_min_y2,
                         Edit_y2_graduation}) {
        e->setFont(police(14));
        e->installEventFilter(this);
    }
    Label_y1_max_lu =
        etiquette(this, "Label_y1_max_lu", QStringLiteral("max lu"), 1040, 46, 80, 20);
    Label_y1_min_lu =
        etiquette(this, "Label_y1_min_lu", QStringLiteral("min lu"), 1040, 76, 80, 20);
    Label_y2_max_lu =
        etiquette(this, "Label_y2_max_lu", QStringLiteral("max lu"), 1040, 46, 80, 20);
    Label_y2_min_lu =
        etiquette(this, "Label_y2_min_lu", QStringLiteral("min lu"), 1040, 76, 80, 20);
    for (QLabel* l : {Label_y1_max_lu, Label_y1_min_lu, Label_y2_max_lu, Label_y2_min_lu})
        l->hide();

    Button_zoom = cree<QPushButton>(this, "Button_zoom", 700, 138, 110, 30);
    Button_zoom->setText(QStringLiteral("ZOOM"));
    Button_zoom->setToolTip(QStringLiteral("   ZOOM de x1  x2  x3      "));
    Label10 = etiquette(this, "Label10", QStringLiteral("F4"), 816, 143, 30, 20, 14);
    Button_contraste = cree<QPushButton>(this, "Button_contraste", 700, 172, 110, 30);
    Button_contraste->setText(QStringLiteral("CONTRASTE"));
    Button_contraste->setToolTip(QStringLiteral("bascule entre 3 modes d'affichage"));
    Label12 = etiquette(this, "Label12", QStringLiteral("F5"), 816, 177, 30, 20, 14);
    CheckBox_y2 = cree<QCheckBox>(this, "CheckBox_y2", 860, 138, 170, 28);
    CheckBox_y2->setText(QStringLiteral("grandeur 2"));
    CheckBox_y2->setFont(police(14));
    CheckBox_y2->setToolTip(QStringLiteral("  affiche en plus le graphique de cette grandeur "));
    CheckBox_af_integrale = cree<QCheckBox>(this, "CheckBox_af_integrale", 860, 172, 170, 28);
    CheckBox_af_integrale->setText(QStringLiteral("intégrale"));
    CheckBox_af_integrale->setFont(police(14));
    CheckBox_af_integrale->setChecked(true);
    SpeedButton_annuler_couleur =
        cree<QToolButton>(this, "SpeedButton_annuler_couleur", 1036, 138, 110, 28);
    SpeedButton_annuler_couleur->setText(QStringLiteral("annuler couleurs"));
    SpeedButton_annuler_couleur->setToolTip(QStringLiteral(
        "au début, les couleurs de fonds peuvent être mofifiées par un double clik"));
    SpeedButton_annuler_couleur->hide();

    Label11 = etiquette(this, "Label11", QStringLiteral("dernière sauvegarde => "), 700, 298, 158,
                        18, 12);
    Label11->setToolTip(QStringLiteral("fichier"));
    Label22 = etiquette(this, "Label22", QStringLiteral("-/-"), 860, 298, 820, 18, 12);
    Label_n->raise();

    // Right: decoded lines and the hidden journal.
    Label20 = etiquette(this, "Label20",
                        QStringLiteral("n   heurePC  durée traçage  G1  G2   multimètre          "),
                        1150, 46, 520, 16, 11);
    Memo2 = cree<QPlainTextEdit>(this, "Memo2", 1150, 62, 526, 124);
    Memo2->setReadOnly(true);
    Memo2->setFont(police(9));
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->setToolTip(QStringLiteral("lignes décodées du multimètre"));
    Memo1 = cree<QPlainTextEdit>(this, "Memo1", 1150, 62, 526, 124);
    Memo1->setReadOnly(true);
    Memo1->hide();
    Label_config =
        etiquette(this, "Label_config", QStringLiteral("configuration COMx  Bauds parité stop bit"),
                  1150, 188, 520, 20, 12);

    Bevel1 = cree<QFrame>(this, "Bevel1", 1290, 2, 400, 40);
    Bevel1->setFrameShape(QFrame::StyledPanel);
    Image_logo = cree<QLabel>(this, "Image_logo", 1646, 4, 36, 36);
    Image_logo->setPixmap(dessine_logo(36));
    Label_auteur =
        etiquette(this, "Label_auteur", QStringLiteral("Probelog — essais de traçage en forage"),
                  1298, 12, 344, 20, 13);
    Label_auteur->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Panel2 = cree<QFrame>(this, "Panel2", 863, 40, 140, 250);
    Panel2->setAutoFillBackground(true);
    Panel2->setStyleSheet(QStringLiteral("QFrame#Panel2 { background: rgb(255, 255, 160); }"));
    Label18 = cree<QLabel>(Panel2, "Label18", 0, 0, 140, 250);
    Label18->setFont(police(16, true));
    // The reminder stands beside the folder button while no working folder is set (see
    // applique_reglages), until a folder is chosen or a run starts.
    Panel2->hide();

    construit_panneau_courbes();
    construit_panneau_question();

    ListBox1 = cree<QListWidget>(this, "ListBox1", 872, 216, 120, 450);
    ListBox1->setToolTip(QStringLiteral("double clik pour  valider"));
    ListBox1->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(90000);

    connecte_controles();
    // Every control of the window reports its released keys to the window (key preview).
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

void TForm1::construit_panneau_courbes() {
    Panel1 = cree<QFrame>(this, "Panel1", 0, 320, 1696, 754 - 320 - 35);
    Panel1->setFrameShape(QFrame::NoFrame);
    ImageA = cree<TVue_image>(Panel1, "ImageA", 0, 0, Panel1->width(), Panel1->height());
    Label_grandeur1 =
        etiquette(Panel1, "Label_grandeur1", QStringLiteral("grandeur 1"), 0, 2, 420, 24, 18);
    Label_grandeur2 =
        etiquette(Panel1, "Label_grandeur2", QStringLiteral("grandeur 2"), 0, 0, 420, 24, 18);
    Label_grandeur2->hide();
    for (QLabel* l : {Label_grandeur1, Label_grandeur2})
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    Panel_message = cree<QFrame>(Panel1, "Panel_message", 300, 40, 900, 120);
    Panel_message->setAutoFillBackground(true);
    Panel_message->setStyleSheet(
        QStringLiteral("QFrame#Panel_message { background: yellow; border: 1px solid gray; }"));
    Label21 = cree<QLabel>(Panel_message, "Label21", 8, 4, 884, 112);
    Label21->setFont(police(18));
    Label21->setWordWrap(true);
    Panel_message->hide();
    Memo3 = cree<QPlainTextEdit>(Panel1, "Memo3", 10, 10, 300, 100);
    Memo3->hide();
}

void TForm1::construit_panneau_question() {
    Panel_question = cree<QFrame>(this, "Panel_question", 700, 40, 641, 170);
    Panel_question->setFrameShape(QFrame::Panel);
    Panel_question->setFrameShadow(QFrame::Raised);
    Panel_question->setAutoFillBackground(true);
    SpeedButton_question =
        cree<QToolButton>(Panel_question, "SpeedButton_question", 20, 18, 180, 36);
    SpeedButton_question->setText(QStringLiteral("question"));
    SpeedButton_question->setFont(police(18, true));
    SpeedButton_annuler =
        cree<QToolButton>(Panel_question, "SpeedButton_annuler", 214, 18, 120, 36);
    SpeedButton_annuler->setText(QStringLiteral("annuler"));
    SpeedButton_annuler->setFont(police(18));
    SpeedButton_croix_close =
        cree<QToolButton>(Panel_question, "SpeedButton_croix_close", 641 - 34, 4, 28, 24);
    SpeedButton_croix_close->setText(QStringLiteral("X"));
    Button_go = cree<QPushButton>(Panel_question, "Button_go", 20, 58, 340, 44);
    Button_go->setText(QStringLiteral("00:00:00"));
    Button_go->setFont(police(22, true));
    Button_go->setToolTip(
        QStringLiteral("message affiché pour lancer le traçage proprement dit  "));
    Label_mess = cree<QLabel>(Panel_question, "Label_mess", 16, 104, 641 - 32, 64);
    Label_mess->setFont(police(17));
    Label_mess->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Panel_question->hide();
}

void TForm1::initialise_acquisition() {
    // 1. Counters and t0.
    reinitialise_acquisition(programme.stock, programme.etat);
    // 2. Axis limits from the fields.
    auto lit = [&](QLineEdit* e) {
        try {
            return en_reel(vers_1252(e->text()));
        } catch (const ErreurConversion&) {
            return 0.0;
        }
    };
    programme.multimetre_actif.y_max[1] = lit(Edit_max_y1);
    programme.multimetre_actif.y_min[1] = lit(Edit_min_y1);
    programme.multimetre_actif.y_max[2] = lit(Edit_max_y2);
    programme.multimetre_actif.y_min[2] = lit(Edit_min_y2);
    // 3. The working folder.
    Edit_repertoire->setText(programme.reglages.repertoire_travail);
    Edit_repertoire->setToolTip(QStringLiteral("   ") + programme.reglages.repertoire_travail +
                                QStringLiteral("    "));
    // 4. Graduation of quantity 1.
    programme.multimetre_actif.y_graduation[1] = 100;
    // 5. The memos of this window.
    Memo1->clear();
    Memo2->clear();
    programme.lignes.principales.clear();
    // 6. The active instrument's row.
    programme.multimetre_actif.ligne = 1;
    programme.tableau.ligne_active = 1;
    // 7. The plot shows the background only.
    ImageA->image.fill(en_qcolor(programme.reglages.couleur_fond));
    ImageA->update();
    // 8. The question panel's normal colour.
    couleur_panneau_question = rgb(85, 240, 182);
    QPalette pq = Panel_question->palette();
    pq.setColor(QPalette::Window, en_qcolor(couleur_panneau_question));
    Panel_question->setPalette(pq);
    // 9. Nothing saved, table as on disk.
    programme.tableau_modifie = false;
    programme.enregistrement.nb_enreg_sauves = 0;
    // 11. Widths follow the window.
    Memo1->resize(width() - Memo1->x() - 20, Memo1->height());
    Memo2->resize(width() - Memo2->x() - 20, Memo2->height());
    Panel1->resize(width() - 2 * Panel1->x() - 15, Panel1->height());
    // 14. Periodic save state and the window colour of display mode 0.
    programme.enregistrement.sauvegarde_auto_en_cours = false;
    couleur_fenetre_normale = couleur_fenetre;
    Label_rejets->hide();
}

void TForm1::applique_couleur_fenetre(TCouleur couleur) {
    couleur_fenetre = couleur;
    QPalette p = palette();
    p.setColor(QPalette::Window, en_qcolor(couleur));
    setPalette(p);
}

void TForm1::couleur_police(QWidget* controle, TCouleur couleur) {
    if (!controle) return;
    QPalette p = controle->palette();
    p.setColor(QPalette::WindowText, en_qcolor(couleur));
    p.setColor(QPalette::ButtonText, en_qcolor(couleur));
    controle->setPalette(p);
}

void TForm1::applique_reglages() {
    const TReglages& r = programme.reglages;
    CheckBox_demo->setChecked(r.mode_demo);
    Label_multimetre->setText(r.mode_demo ? QStringLiteral("DEMO") : depuis_1252(r.nom_multimetre));
    Edit_Prefixe->setText(depuis_1252(r.prefixe));
    CheckBox_date_heure->setChecked(r.date_heure_nom);
    Edit_repertoire->setText(r.repertoire_travail);
    Panel2->setVisible(r.repertoire_travail.trimmed().isEmpty() ||
                       !QDir(r.repertoire_travail).exists());
    applique_couleur_fenetre(r.couleur_fenetre);
    couleur_fenetre_normale = r.couleur_fenetre;
    couleur_fond_normale = r.couleur_fond;
    mode_contraste_ = 0;
    Timer1->setInterval(periode_sauvegarde_ms(r.sos_mn));
    retrace_courbes();
}

void TForm1::actualise_affichage_multimetre() {
    const TMultimetre& m = programme.multimetre_actif;
    const TTableau_multimetres& t = programme.tableau;
    const TCouleur c1 = m.couleur[1], c2 = m.couleur[2];
    if (!programme.reglages.mode_demo)
        Label_multimetre->setText(depuis_1252(t.lit_cellule_active("multim\xE8tre", 0)));
    else
        Label_multimetre->setText(QStringLiteral("DEMO"));
    Label_grandeur1->setText(depuis_1252(m.grandeur[1]));
    couleur_police(Label_grandeur1, c1);
    Label_grand1->setText(depuis_1252(m.grandeur[1]));
    Label_grand2->setText(depuis_1252(m.grandeur[2]));
    QByteArray max1 = t.lit_cellule_active("max", 0), min1 = t.lit_cellule_active("min", 0);
    garde_nombre(max1);
    garde_nombre(min1);
    Edit_max_y1->setText(depuis_1252(max1));
    Edit_min_y1->setText(depuis_1252(min1));
    Edit_y1_graduation->setText(depuis_1252(t.lit_cellule_active("graduation", 0)));
    for (QWidget* w : std::initializer_list<QWidget*>{
             Label_grand1, Label_hauteur, Label_zero, CheckBox_af_integrale, Label_val_grand1,
             Label_multiple_initial, Label_multiple_courant})
        couleur_police(w, c1);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label_grand2, Label_grandeur2, Label_val_grand2})
        couleur_police(w, c2);
    Label_grandeur2->setText(depuis_1252(t.lit_cellule_active("grandeur", 1)));
    Label_grandeur2->setVisible(CheckBox_y2->isChecked());
    Edit_max_y2->setText(depuis_1252(t.lit_cellule_active("max", 1)));
    Edit_min_y2->setText(depuis_1252(t.lit_cellule_active("min", 1)));
    Edit_y2_graduation->setText(depuis_1252(t.lit_cellule_active("graduation", 1)));
    couleur_police(CheckBox_y2, c2);
    CheckBox_y2->setText(depuis_1252(m.grandeur[2]).isEmpty() ? QStringLiteral("grandeur 2")
                                                              : depuis_1252(m.grandeur[2]));
    Label_config->setText(depuis_1252(programme.config_com));
}

void TForm1::retrace_courbes() {
    if (!ImageA || ImageA->size().isEmpty()) return;
    ajuste_surface(ImageA->image, ImageA->width(), ImageA->height());
    TOptions_trace options;
    options.grandeur2 = CheckBox_y2->isChecked();
    options.integrale = CheckBox_af_integrale->isChecked();
    options.couleur_fond = programme.reglages.couleur_fond;
    ::retrace_courbes(ImageA->image, programme, options);
    ImageA->update();
}

// ---- activation, resize, close, keys, double click ----

void TForm1::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (premiere_activation) QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TForm1::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && !premiere_activation)
        FormActivate();
}

void TForm1::FormActivate() {
    const QRect ecran = screen() ? screen()->availableGeometry() : QRect(0, 0, 1920, 1080);
    // 1. Maximised when it was at the last run.
    if (premiere_activation && programme.reglages.fenetre_maximale) showMaximized();
    // 2.
    CheckBox_demo->setVisible(true);
    // 3. At least the screen width less 300 pixels, centred.
    if (!isMaximized()) {
        if (width() < ecran.width() - 300) resize(ecran.width() - 300, height());
        move(ecran.x() + (ecran.width() - frameGeometry().width()) / 2,
             ecran.y() + (ecran.height() - frameGeometry().height()) / 2);
    }
    // 4. First activation: the record files' decimal sign against the PC's.
    if (premiere_activation) {
        const int signe_fichier = programme.reglages.signe_decimal_fichier;
        const char signe_pc = regional::signe_decimal();
        if ((signe_fichier == 0 && signe_pc == '.') || (signe_fichier == 1 && signe_pc == ',')) {
            const QString actuel =
                signe_fichier == 0 ? QStringLiteral("virgule") : QStringLiteral("point");
            const QString autre =
                signe_fichier == 0 ? QStringLiteral("point") : QStringLiteral("virgule");
            const QString question =
                QStringLiteral(" Le signe décimal du fichier de sortie (") + actuel +
                QStringLiteral(")\n\n n'est pas en phase avec celui de l'ordinateur (") + autre +
                QStringLiteral(")\n\n mettre le fichier en phase avec l'ordinateur (") +
                QLatin1Char(signe_pc) + QStringLiteral(")    ?");
            if (QMessageBox::question(this, QStringLiteral("Probelog"), question) ==
                QMessageBox::Yes) {
                programme.reglages.signe_decimal_fichier = 1 - signe_fichier;
                // The parameters window's radio group shows the new sign.
                QWidget* f2 = fenetre_parametres();
                if (QWidget* groupe =
                        f2 ? f2->findChild<QWidget*>(QStringLiteral("RadioGroup_signe_decimal"))
                           : nullptr) {
                    const auto boutons = groupe->findChildren<QRadioButton*>();
                    if (boutons.size() > programme.reglages.signe_decimal_fichier)
                        boutons[programme.reglages.signe_decimal_fichier]->setChecked(true);
                }
            } else if (QLabel* l = fenetre_parametres() ? fenetre_parametres()->findChild<QLabel*>(
                                                              QStringLiteral("Label2"))
                                                        : nullptr) {
                l->setStyleSheet(QStringLiteral("color: red;"));
            }
        }
    }
    premiere_activation = false;
}

void TForm1::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // Remembered for the next run: maximised when as wide as the screen.
    const QRect ecran = screen() ? screen()->geometry() : QRect(0, 0, 1920, 1080);
    // Measured with the frame, as the window's outer width; the frame's margins come from the
    // platform window (the frame geometry may lag behind during a resize).
    const QMargins cadre = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    programme.reglages.fenetre_maximale =
        e->size().width() + cadre.left() + cadre.right() >= ecran.width();
    setWindowTitle(QStringLiteral("Probelog  ") + QLatin1String(version_programme));
    FormResize();
}

void TForm1::FormResize() {
    if (!Panel1) return;
    // 1. The plot panel down to the bottom edge.
    // The plot runs to the bottom edge of the window (the 35 pixels of the Windows frame and
    // title bar are outside the client area here).
    Panel1->setGeometry(Panel1->x(), Panel1->y(), std::max(50, width() - 2 * Panel1->x()),
                        std::max(50, height() - Panel1->y()));
    ImageA->setGeometry(0, 0, Panel1->width(), Panel1->height());
    Memo1->resize(std::max(0, width() - Memo1->x() - 20), Memo1->height());
    Memo2->resize(std::max(0, width() - Memo2->x() - 20), Memo2->height());
    Label20->resize(Memo2->width(), Label20->height());
    // 2. Visibility of the upper controls.
    TMesures_fenetre mesures;
    mesures.largeur_fenetre = width();
    mesures.hauteur_fenetre = height();
    mesures.haut_panel1 = Panel1->y();
    mesures.largeur_memo2 = Memo2->width();
    mesures.gauche_edit_prefixe = Edit_Prefixe->x();
    mesures.largeur_edit_prefixe = Edit_Prefixe->width();
    const TDisposition_fenetre d = calcule_disposition(mesures);
    Memo2->setVisible(d.memo2_visible);
    Label20->setVisible(d.memo2_visible);
    for (QWidget* w : std::initializer_list<QWidget*>{Bevel1, Image_logo, Label_auteur})
        w->setVisible(d.entete_visible);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label_config, CheckBox_date_heure, CheckBox_y2, Label11})
        w->setVisible(d.options_visibles);
    Edit_Prefixe->setVisible(d.prefixe_visible);
    Label16->setVisible(d.prefixe_visible);
    Bevel1->move(width() - Bevel1->width() - 6, Bevel1->y());
    Image_logo->move(width() - Image_logo->width() - 10, Image_logo->y());
    Label_auteur->move(Image_logo->x() - Label_auteur->width() - 8, Label_auteur->y());
    // 4. The band titles.
    const TPosition_titres titres = position_titres(ImageA->width(), ImageA->height());
    Label_grandeur1->move(titres.gauche, Label_grandeur1->y());
    Label_grandeur2->move(titres.gauche, titres.haut_grandeur2);
    // 3 and 5. The bitmap follows the control; redraw.
    retrace_courbes();
}

void TForm1::closeEvent(QCloseEvent* e) {
    // The title bar's close asks the exit question and waits for the answer: closing at once
    // would lose the decoded lines not yet saved.
    if (fermeture_autorisee) {
        e->accept();
        return;
    }
    e->ignore();
    Button_exit_Click();
}

void TForm1::keyReleaseEvent(QKeyEvent* e) {
    // A key released in a control was seen by the filter already and comes here again as it
    // climbs to the window: handled once.
    if (e != touche_vue_par_filtre && !e->isAutoRepeat()) touche_relachee(e->key(), nullptr);
    touche_vue_par_filtre = nullptr;
    QWidget::keyReleaseEvent(e);
}

bool TForm1::eventFilter(QObject* objet, QEvent* e) {
    // Key preview: every released key goes through the window's key handler first.
    if (e->type() == QEvent::KeyRelease) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (!k->isAutoRepeat() && k != touche_vue_par_filtre) {
            touche_vue_par_filtre = k;
            touche_relachee(k->key(), qobject_cast<QLineEdit*>(objet));
        }
    } else if (e->type() == QEvent::KeyPress) {
        auto* champ = qobject_cast<QLineEdit*>(objet);
        if (champ && champ_axe(champ->objectName()) == champ) {
            auto* k = static_cast<QKeyEvent*>(e);
            const QString t = k->text();
            if (t.size() == 1 && t[0].unicode() >= 32 && !(k->modifiers() & Qt::ControlModifier)) {
                const QChar filtre = filtre_touche_chiffre(t[0]);
                if (filtre.isNull()) return true;
                if (filtre != t[0]) {
                    champ->insert(QString(filtre));
                    return true;
                }
            }
        }
    } else if (e->type() == QEvent::FocusOut) {
        if (auto* champ = qobject_cast<QLineEdit*>(objet);
            champ && champ_axe(champ->objectName()) == champ && champ->isModified()) {
            applique_axe(champ);
        }
    } else if (e->type() == QEvent::MouseButtonRelease &&
               (objet == Panel_message || objet == Label21)) {
        // The warning says "click pour fermer cette fenêtre": a click anywhere on it closes it.
        Panel_message->hide();
        return true;
    } else if (e->type() == QEvent::MouseButtonDblClick) {
        auto* champ = qobject_cast<QLineEdit*>(objet);
        if (champ && (champ == Edit_max_y1 || champ == Edit_min_y1 || champ == Edit_max_y2 ||
                      champ == Edit_min_y2)) {
            double_clic_champ_axe(champ);
            return true;
        }
    }
    return QWidget::eventFilter(objet, e);
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* e) {
    QWidget::mouseDoubleClickEvent(e);
    // Only before the first point: the window's colour.
    if (programme.stock.nb_mesures != 0) return;
    TCouleur c = couleur_fenetre;
    if (choisit_couleur(c)) {
        applique_couleur_fenetre(c);
        SpeedButton_annuler_couleur->setVisible(true);
    }
}

bool TForm1::choisit_couleur(TCouleur& couleur) {
    QColorDialog dialogue(en_qcolor(couleur), this);
    // The nine custom colours offered by the dialog.
    const char* personnalisees[] = {"D0E8E8", "D7FFD7", "FF0000", "00FF00", "0000FF",
                                    "E8D0E8", "E8E8D0", "FFD7D7", "D7D7FF"};
    for (int i = 0; i < 9; ++i) {
        // Written blue, green, red: "FF0000" is pure blue.
        const uint v = QByteArray(personnalisees[i]).toUInt(nullptr, 16);
        QColorDialog::setCustomColor(
            i, QColor(int(v & 255), int((v >> 8) & 255), int((v >> 16) & 255)));
    }
    if (dialogue.exec() != QDialog::Accepted) return false;
    couleur = depuis_qcolor(dialogue.selectedColor());
    return true;
}

QLineEdit* TForm1::champ_axe(const QString& nom) const {
    for (QLineEdit* e : {Edit_max_y1, Edit_min_y1, Edit_y1_graduation, Edit_max_y2, Edit_min_y2,
                         Edit_y2_graduation})
        if (e && e->objectName() == nom) return e;
    return nullptr;
}
