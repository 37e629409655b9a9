// The parameters window: its creation, its controls, the table grid, the options and the files
// it leaves behind.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

#include "app/fenetre_principale.h"
#include "outils_tests.h"
#include "parametres/fenetre/fenetre_parametres.h"
#include "parametres/fenetre/grille_multimetres.h"
#include "parametres/fenetre/outils_externes.h"
#include "parametres/fichiers_parametres.h"
#include "util/cp1252.h"
#include "util/texte.h"

namespace {

// Answers the message boxes and dialogs that the window opens, and remembers their texts.
class Repondeur : public QObject {
public:
    Repondeur() {
        connect(&minuterie, &QTimer::timeout, this, [this] { repond(); });
        minuterie.start(5);
    }
    QStringList textes;
    bool oui = true; // answer to the Yes/No questions
    QStringList questions;

private:
    void repond() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* boite = qobject_cast<QMessageBox*>(modal)) {
            const bool question = boite->button(QMessageBox::Yes) != nullptr;
            (question ? questions : textes).append(boite->text());
            if (question)
                boite->button(oui ? QMessageBox::Yes : QMessageBox::No)->click();
            else
                boite->accept();
        } else if (auto* dialogue = qobject_cast<QColorDialog*>(modal)) {
            dialogue->reject();
        }
    }
    QTimer minuterie;
};

QString texte_de(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    return QString();
}

// Keys typed one by one, as the keyboard sends them (press then release).
void tape_touches(QWidget* cible, const QString& touches) {
    for (const QChar car : touches) {
        QKeyEvent appui(QEvent::KeyPress, 0, Qt::NoModifier, QString(car));
        QApplication::sendEvent(cible, &appui);
        QKeyEvent relache(QEvent::KeyRelease, 0, Qt::NoModifier, QString(car));
        QApplication::sendEvent(cible, &relache);
    }
}

bool attend_fenetre_active(QWidget* fenetre) {
    QElapsedTimer chrono;
    chrono.start();
    while (!fenetre->isActiveWindow() && chrono.elapsed() < 3000)
        QApplication::processEvents();
    return fenetre->isActiveWindow();
}

QByteArray ligne_de(const QString& fichier, int n) {
    return lit_ligne(fichier, n);
}

class Form2 : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dossier.isValid());
        programme.dossier_reglages = dossier.path();
    }

    // The windows in the program's order; the settings and table files are those of `dossier`.
    void cree() {
        form1 = std::make_unique<TForm1>(programme);
        form2 = std::make_unique<TForm2>(programme, *form1);
        form1->relie_fenetres(form2.get(), nullptr);
    }
    void detruit() {
        form2.reset();
        form1.reset();
    }
    void TearDown() override { detruit(); }

    QString fichier_tableau() const { return chemin_fichier_tableau(programme); }
    QString fichier_prm() const { return dossier.filePath(QStringLiteral("Probelog.prm")); }
    void ecrit_prm(const QList<QPair<int, QByteArray>>& lignes) {
        for (const auto& l : lignes)
            ASSERT_TRUE(ecrit_ligne(l.second, fichier_prm(), l.first));
    }
    QByteArray cellule(const char* titre, int ligne) const {
        return programme.tableau.cellule(programme.tableau.colonne_par_titre(titre), ligne);
    }

    QTemporaryDir dossier;
    TProgramme programme;
    Repondeur repondeur;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
};

// ---- creation ----

TEST_F(Form2, PremierDemarrageCreeLeTableauExempleEtRendLeMultimetreActif) {
    cree();
    const QString tableau = fichier_tableau();
    ASSERT_EQ(repondeur.textes.size(), 1);
    EXPECT_EQ(repondeur.textes[0], QStringLiteral("fichier de paramètrage <") +
                                       QDir::toNativeSeparators(tableau) +
                                       QStringLiteral(">  non trouvé ..."));
    EXPECT_EQ(ligne_de(tableau, 1), "17");
    EXPECT_EQ(ligne_de(tableau, 2), "11");
    EXPECT_EQ(
        ligne_de(tableau, 4),
        "1,x,WTW3430,COM7,9600,1,conductivit\xE9,750,700,50,\"0,100,255\",7,Cond,espace,2,:,");
    // No settings file at first start: only its first save makes it.
    EXPECT_FALSE(QFileInfo::exists(fichier_prm()));

    // The instrument was made active after the table was loaded, and before the port string.
    EXPECT_EQ(programme.multimetre_actif.ligne, 1);
    EXPECT_EQ(programme.multimetre_actif.grandeur[1], QByteArray("conductivit\xE9"));
    EXPECT_EQ(programme.multimetre_actif.unite[2], QByteArray("\xB0"
                                                              "C"));
    EXPECT_EQ(programme.config_com, QByteArray("COM7: bauds=9600 parity=N data=8 stop=1"));
    EXPECT_EQ(form2->Label_config->text(),
              QStringLiteral("COM7: bauds=9600 parity=N data=8 stop=1"));

    // The grid shows the table: 10 instrument rows under the titles, current cell "actif" of
    // the active row.
    EXPECT_EQ(form2->stringgrid1->model()->rowCount(), 10);
    EXPECT_EQ(form2->stringgrid1->model()->columnCount(), 16);
    EXPECT_EQ(form2->stringgrid1->colonne_courante(), 1);
    EXPECT_EQ(form2->stringgrid1->ligne_courante(), 1);
    EXPECT_EQ(form2->stringgrid1->model()->headerData(5, Qt::Horizontal).toString(),
              QStringLiteral("grandeur"));
    EXPECT_EQ(form2->stringgrid1->columnWidth(11), 180); // "repère"

    EXPECT_EQ(form2->Memo1->toPlainText(),
              QStringLiteral(" lignes brutes récupérées sur la liaison RS232"));
    EXPECT_EQ(form2->Memo2->toPlainText(), QStringLiteral(" listes d'enregistrements OK"));
    ASSERT_EQ(programme.lignes.parametres.size(), 1);
    EXPECT_EQ(programme.lignes.parametres[0], QByteArray(" listes d'enregistrements OK"));
    EXPECT_TRUE(form2->Label_ecran->text().startsWith(QStringLiteral("Résolution ")));
    EXPECT_EQ(form2->Label2->text(), QStringLiteral("signe décimal du PC : virgule"));
}

TEST_F(Form2, SigneDecimalDuPcEnPoint) {
    Locale_temporaire anglais(QStringLiteral("en_US"));
    cree();
    EXPECT_EQ(form2->Label2->text(), QStringLiteral("signe décimal du PC : point"));
}

TEST_F(Form2, ReglagesEnregistresSontAppliquesAuxControles) {
    // A table whose second instrument is active, and settings that differ from the form's.
    cree();
    programme.tableau.fixe_cellule(1, 1, "");
    programme.tableau.fixe_cellule(1, 3, "x");
    programme.tableau.fixe_cellule(programme.tableau.colonne_par_titre("COMx"), 3, "ttyUSB0");
    programme.tableau.fixe_cellule(programme.tableau.colonne_par_titre("vitesse"), 3, "19200");
    ASSERT_EQ(enregistre_tableau(programme.tableau, fichier_tableau(), {}),
              TEnregistrement::enregistre);
    detruit();
    ecrit_prm({{2, "false"},
               {6, "false"},
               {9, "12"},
               {11, "1"},
               {14, "true"},
               {17, "gedit"},
               {19, "false"},
               {21, "sel vers\xE9 !"},
               {22, "2.5"},
               {23, "true"},
               {24, "PH"},
               {26, "Ox"},
               {3, "2"},
               {7, "1"}});

    repondeur.textes.clear();
    cree();
    EXPECT_TRUE(repondeur.textes.isEmpty())
        << repondeur.textes.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(programme.multimetre_actif.ligne, 3);
    EXPECT_EQ(programme.config_com, QByteArray("ttyUSB0: bauds=19200 parity=N data=8 stop=1"));
    EXPECT_EQ(form2->stringgrid1->ligne_courante(), 3);

    EXPECT_FALSE(form2->CheckBox_demo->isChecked());
    // Out of the demonstration the main window names the active instrument.
    EXPECT_EQ(texte_de(form1->findChild<QLabel*>(QStringLiteral("Label_multimetre"))),
              QStringLiteral("WTW3430"));
    EXPECT_FALSE(form2->CheckBox_demo_rapide->isChecked());
    EXPECT_EQ(form2->Edit_sos_mn->text(), QStringLiteral("12"));
    EXPECT_TRUE(form2->RadioButton_par_chaine_CSV->isChecked());
    EXPECT_EQ(programme.reglages.lecture_csv, 1);
    EXPECT_FALSE(form2->Edit_timeouts->isHidden());
    EXPECT_TRUE(form2->CheckBox_DTR->isChecked());
    EXPECT_EQ(form2->Edit_nom_blocnote->text(), QStringLiteral("gedit"));
    EXPECT_FALSE(form2->CheckBox_save_sans_confirmation->isChecked());
    EXPECT_EQ(form2->Edit_start_inject->text(), QStringLiteral("sel versé !"));
    EXPECT_EQ(form2->Edit_facteur->text(), QStringLiteral("2.5"));
    EXPECT_DOUBLE_EQ(programme.etat.facteur_aire, 2.5);
    EXPECT_TRUE(form2->CheckBox_ph_ox_3sondes->isChecked());
    EXPECT_TRUE(form2->Button5->isEnabled());
    EXPECT_EQ(form2->Edit_pH->text(), QStringLiteral("PH"));
    EXPECT_EQ(form2->ComboBox_cond_ph_ox->currentText(), QStringLiteral("Ox"));
    EXPECT_TRUE(form2->RadioButton_saut->isChecked());
    EXPECT_TRUE(form2->RadioButton_point->isChecked());
}

TEST_F(Form2, DemoEnregistreeNeChangePasLeModeDeLectureEnregistre) {
    // Ticking "démo" selects "caractère par caractère"; the saved mode, read later, wins.
    ecrit_prm({{2, "true"}, {11, "1"}});
    cree();
    EXPECT_TRUE(form2->CheckBox_demo->isChecked());
    EXPECT_EQ(texte_de(form1->findChild<QLabel*>(QStringLiteral("Label_multimetre"))),
              QStringLiteral("DEMO"));
    EXPECT_TRUE(form2->RadioButton_par_chaine_CSV->isChecked());
    EXPECT_EQ(programme.reglages.lecture_csv, 1);
}

// ---- controls ----

TEST_F(Form2, FenetreEtControlesPortentLeursTextes) {
    cree();
    EXPECT_EQ(form2->windowTitle(), QStringLiteral("P A R A M E T R E S"));
    EXPECT_EQ(form2->size(), QSize(1451, 748));
    EXPECT_EQ(form2->palette().color(QPalette::Window), QColor(205, 211, 235));
    EXPECT_FALSE(form2->isVisible());

    const struct {
        const char* nom;
        const char* texte;
    } controles[] = {
        {"SpeedButton_question_close", "X "},
        {"Label8", "port série RS232"},
        {"Button1", "liste COMx"},
        {"Label4", "enreg.OK"},
        {"Label5", "lignes"},
        {"Button_openCOM_read", "Open COM"},
        {"Button_close_COM_", "Close COM"},
        {"CheckBox_demo", "démo"},
        {"CheckBox_demo_rapide", "rapide"},
        {"Label12", "y = A0.exp(-(t-t0)^2/(a.t+b)) "},
        {"GroupBox_lectureRS232", "lecture RS232"},
        {"RadioButton_car_par_car", "caractère par caractère"},
        {"RadioButton_par_chaine_CSV", "par chaîne de caractères et CSV"},
        {"CheckBox_DTR", "DTR"},
        {"CheckBox_RTS", "RTS"},
        {"CheckBox_lecture_sans_traitement", "lecture sans traitement (pour les tests)"},
        {"Label3", "TIMEOUTS"},
        {"Button3", "RS232_hercules_3-2-6.exe"},
        {"Button2", "Gestionnaire des périphériques"},
        {"Button4", "Gestionnaire des tâches"},
        {"Label1", "blocnote"},
        {"CheckBox_save_sans_confirmation", "save sans confirmation"},
        {"Label6", "Start Inject ou traçage => t0  ou ..."},
        {"Label10", "nb de décimales"},
        {"Label11", "Aire : facteur multiplicatif (grandeur 1)"},
        {"CheckBox_sauve_auto", "sauvegarde automatique (en  mn)"},
        {"SpeedButton_aide", "?"},
        {"Button5", "Graphique 2,3 sondes sur WTW3430"},
        {"CheckBox_ph_ox_3sondes", "3 sondes : Cond, T°C, pH et Ox"},
        {"Label16", "CSV =>"},
        {"Label15", "dernière grandeur affichée au bas de l'écran du WTW"},
        {"Label20", "le multimètre de face : vert(Cond) = haut gauche,"},
        {"Label18", "jaune(pH) = haut droite"},
        {"Label19", "bleue(Ox) = bas milieu"},
        {"RadioGroup_signe_decimal", "signe décimal du fichier d'enregistrement"},
        {"RadioGroup_souris", "souris"},
        {"Button_enreg_param", "Enregistrer param."},
        {"Button_charger_param", "Charger param."},
        {"Button_exemple", "exemple param."},
        {"Panel_aide", "explications"},
        {"Label_choix", "Choix"},
        {"Button_valider", "Valider"},
        {"Button_annuler", "annuler"},
    };
    for (const auto& c : controles) {
        QWidget* w = form2->findChild<QWidget*>(QString::fromLatin1(c.nom));
        ASSERT_NE(w, nullptr) << c.nom;
        EXPECT_EQ(texte_de(w), QString::fromUtf8(c.texte)) << c.nom;
    }
    // Default texts of the fields the settings do not fill at first start.
    EXPECT_EQ(form2->Edit_nb_decimale_1->text(), QStringLiteral("4"));
    EXPECT_EQ(form2->Edit_timeouts->toolTip(),
              QStringLiteral("valeur à modifier en cas de bloquage (par chaîne de caractères)"));
    EXPECT_EQ(form2->Memo2->toolTip(), QStringLiteral("lignes décodées du multimètre"));
    EXPECT_EQ(form2->SpeedButton_aide->toolTip(), QStringLiteral("Aide"));
    EXPECT_TRUE(form2->Panel_choix->isHidden());
    for (const char* memo : {"Memo1", "Memo2"})
        EXPECT_NE(form2->findChild<QPlainTextEdit*>(QString::fromLatin1(memo)), nullptr);
}

TEST_F(Form2, BandeAideSuitLaSouris) {
    cree();
    form2->show();
    auto survole = [](QWidget* w, QPoint p = QPoint(5, 5)) {
        QMouseEvent mouvement(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                              Qt::NoModifier);
        QApplication::sendEvent(w, &mouvement);
    };
    survole(form2->RadioButton_car_par_car);
    EXPECT_EQ(form2->Panel_aide->text(),
              QStringLiteral("pour lecture car/car, la COLONNE [occurence] est inutilisée, mais "
                             "[rep hms] oui! (WTW340i DTR RTS)"));
    survole(form2->Edit_sos_mn);
    EXPECT_TRUE(
        form2->Panel_aide->text().startsWith(QStringLiteral("Sauvegarde dans le sous-dossier ")));
    EXPECT_TRUE(
        form2->Panel_aide->text().endsWith(QStringLiteral("sauvegarde_auto") + QDir::separator()));

    // The background of the window empties the strip.
    survole(form2.get(), QPoint(1000, 400));
    EXPECT_EQ(form2->Panel_aide->text(), QString());

    // Over the grid: the explanation of the column under the pointer.
    QTableView* grille = form2->stringgrid1;
    const int x_max = grille->columnViewportPosition(6) + 5; // column "max"
    survole(grille->viewport(), QPoint(x_max, 5));
    EXPECT_EQ(form2->Panel_aide->text(), QStringLiteral("valeur maximum de l'axe des ordonnées "));
    survole(grille->verticalHeader(), QPoint(5, 5));
    EXPECT_TRUE(
        form2->Panel_aide->text().startsWith(QStringLiteral(" deux grandeurs pour chaque")));
    const int apres = grille->columnViewportPosition(15) + grille->columnWidth(15) + 5;
    if (apres < grille->viewport()->width()) {
        survole(grille->viewport(), QPoint(apres, 5));
        EXPECT_EQ(form2->Panel_aide->text(), QStringLiteral("explications pour les colonnes"));
    }
}

// ---- the grid ----

TEST_F(Form2, FiltreDesTouchesDansLesColonnesDeNombres) {
    // Number columns by place, as the table was designed: 4, 5, 7, 8, 9, 11.
    const struct {
        int colonne;
        QChar touche;
        QChar attendu;
    } cas[] = {
        {4, QChar(0xE9), QLatin1Char('2')},
        {7, QLatin1Char('a'), QChar()},
        {11, QLatin1Char(';'), QChar()},
        {8, QLatin1Char('-'), QLatin1Char('-')},
        {9, QLatin1Char('&'), QLatin1Char('1')},
        {5, QChar(8), QChar(8)},
        {6, QChar(0xE9), QChar(0xE9)},
        {12, QLatin1Char('a'), QLatin1Char('a')},
        {10, QLatin1Char('a'), QLatin1Char('a')},
    };
    for (const auto& c : cas)
        EXPECT_EQ(TForm2::stringgrid1KeyPress(c.colonne, c.touche), c.attendu) << c.colonne;

    // Typed into the cell editor: the cell follows what is kept.
    cree();
    TGrille* grille = form2->stringgrid1;
    auto tape = [&](const char* titre, int ligne, const QString& touches) {
        const int c = programme.tableau.colonne_par_titre(titre);
        grille->fixe_cellule_courante(c, ligne);
        grille->edit(grille->currentIndex());
        auto* editeur = qobject_cast<QLineEdit*>(grille->indexWidget(grille->currentIndex()));
        EXPECT_NE(editeur, nullptr);
        if (!editeur) return;
        editeur->clear();
        tape_touches(editeur, touches);
    };
    tape("max", 1, QStringLiteral("é&a1.5"));
    EXPECT_EQ(cellule("max", 1), QByteArray("211.5"));
    tape("rep\xE8re", 1, QStringLiteral("é&a"));
    EXPECT_EQ(cellule("rep\xE8re", 1), QByteArray("\xE9&a"));

    form2->Edit_timeouts->clear();
    tape_touches(form2->Edit_timeouts, QStringLiteral("a7é0"));
    EXPECT_EQ(form2->Edit_timeouts->text(), QStringLiteral("720"));
    EXPECT_EQ(programme.reglages.timeouts, QByteArray("720"));
}

TEST_F(Form2, DoubleClicSurActifActiveLaPremiereLigneSeulement) {
    cree();
    TGrille* grille = form2->stringgrid1;
    const int actif = programme.tableau.colonne_par_titre("actif");
    grille->fixe_cellule_courante(actif, 6);
    form2->stringgrid1DblClick();
    EXPECT_EQ(form2->Label_choix->text(), QStringLiteral("choix actif"));
    EXPECT_EQ(cellule("actif", 1), QByteArray("x"));
    EXPECT_EQ(programme.multimetre_actif.ligne, 1);

    programme.tableau.fixe_cellule(programme.tableau.colonne_par_titre("COMx"), 5, "COM3");
    grille->fixe_cellule_courante(actif, 5);
    form2->stringgrid1DblClick();
    for (int r = 1; r <= 10; ++r)
        EXPECT_EQ(cellule("actif", r), r == 5 ? QByteArray("x") : QByteArray()) << r;
    EXPECT_EQ(programme.multimetre_actif.ligne, 5);
    EXPECT_EQ(form2->Label_config->text(),
              QStringLiteral("COM3: bauds=9600 parity=N data=8 stop=1"));
    EXPECT_TRUE(form2->actualise_multimetre());
    EXPECT_EQ(programme.multimetre_actif.ligne, 5);
}

TEST_F(Form2, PanneauDeChoixEcritLaCelluleEtLaConfiguration) {
    cree();
    TGrille* grille = form2->stringgrid1;
    grille->fixe_cellule_courante(programme.tableau.colonne_par_titre("vitesse"), 1);
    form2->stringgrid1DblClick();
    EXPECT_FALSE(form2->Panel_choix->isHidden());
    EXPECT_EQ(form2->Label_choix->text(), QStringLiteral("choix vitesse"));
    ASSERT_EQ(form2->ComboBox1->count(), 8);
    EXPECT_EQ(form2->ComboBox1->currentText(), QStringLiteral("1200"));
    form2->ComboBox1->setCurrentIndex(7);
    form2->Button_valider->click();
    EXPECT_TRUE(form2->Panel_choix->isHidden());
    EXPECT_EQ(cellule("vitesse", 1), QByteArray("115200"));
    EXPECT_EQ(programme.config_com, QByteArray("COM7: bauds=115200 parity=N data=8 stop=1"));

    // "annuler" leaves the cell alone; the separator is offered on a second row too.
    grille->fixe_cellule_courante(programme.tableau.colonne_par_titre("s\xE9parateur"), 2);
    form2->stringgrid1DblClick();
    EXPECT_EQ(form2->ComboBox1->count(), 4);
    form2->ComboBox1->setCurrentIndex(1);
    form2->Button_annuler->click();
    EXPECT_TRUE(form2->Panel_choix->isHidden());
    EXPECT_EQ(cellule("s\xE9parateur", 2), QByteArray("espace"));

    // No panel for "COMx" on a second row.
    grille->fixe_cellule_courante(programme.tableau.colonne_par_titre("COMx"), 2);
    form2->stringgrid1DblClick();
    EXPECT_TRUE(form2->Panel_choix->isHidden());
}

TEST_F(Form2, ChoixDuPortOffreLesPortsPresents) {
    cree();
    QStringList attendus;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        attendus << port.portName();
#if defined(Q_OS_WIN)
    for (int i = 1; i <= 9; ++i)
        if (!attendus.contains(QStringLiteral("COM%1").arg(i)))
            attendus << QStringLiteral("COM%1").arg(i);
#endif
    const int comx = programme.tableau.colonne_par_titre("COMx");
    form2->stringgrid1->fixe_cellule_courante(comx, 1);
    form2->stringgrid1DblClick();
    EXPECT_FALSE(form2->Panel_choix->isHidden());
    QStringList offerts;
    for (int i = 0; i < form2->ComboBox1->count(); ++i)
        offerts << form2->ComboBox1->itemText(i);
    EXPECT_EQ(offerts, attendus);

    // A computer without any serial port: an empty choice, not a placeholder that "Valider"
    // would write into the cell.
    form2->remplit_choix(QString());
    EXPECT_EQ(form2->ComboBox1->count(), 0);
    form2->Button_valider->click();
    EXPECT_TRUE(form2->Panel_choix->isHidden());
    EXPECT_EQ(cellule("COMx", 1), QByteArray("COM7"));
}

TEST_F(Form2, CouleurAnnuleeEcritLaCouleurNormalisee) {
    cree();
    const struct {
        const char* avant;
        const char* apres;
    } cas[] = {{"300,0,0", "44,0,0"},
               {"0, 100,255", "0,100,255"},
               {"0,100", "0,100,0"},
               {"a,b,c", "0,0,0"}};
    const int c = programme.tableau.colonne_par_titre("couleur");
    for (const auto& k : cas) {
        form2->stringgrid1->modele()->ecrit(c, 2, k.avant);
        form2->stringgrid1->fixe_cellule_courante(c, 2);
        form2->stringgrid1DblClick(); // the dialog is cancelled
        EXPECT_EQ(cellule("couleur", 2), QByteArray(k.apres)) << k.avant;
    }
}

TEST_F(Form2, DessinDesCellulesEtDesTitres) {
    cree();
    form2->show();
    TGrille* grille = form2->stringgrid1;
    const QImage image = grille->grab().toImage();
    const int x0 = grille->verticalHeader()->width() + grille->frameWidth();
    const int y0 = grille->horizontalHeader()->height() + grille->frameWidth();
    // Centre of a title, of a cell (table column c, row r).
    auto titre = [&](int c) {
        return image.pixelColor(x0 + grille->columnViewportPosition(c - 1) + 4,
                                grille->frameWidth() + 3);
    };
    auto case_ = [&](int c, int r) {
        return image.pixelColor(x0 + grille->columnViewportPosition(c - 1) +
                                    grille->columnWidth(c - 1) - 4,
                                y0 + grille->rowViewportPosition(r - 1) + 4);
    };
    auto col = [&](const char* t) { return programme.tableau.colonne_par_titre(t); };
    const QColor pale(233, 252, 252), aqua(0, 255, 255), gris(192, 192, 192);
    for (const char* t : {"actif", "COMx", "vitesse", "couleur", "s\xE9parateur"})
        EXPECT_EQ(titre(col(t)), pale) << t;
    EXPECT_NE(titre(col("grandeur")), pale);
    EXPECT_EQ(case_(col("couleur"), 1), QColor(0, 100, 255));
    EXPECT_EQ(case_(col("couleur"), 2), QColor(200, 0, 88));
    EXPECT_EQ(case_(col("vitesse"), 2), gris);
    EXPECT_EQ(case_(col("max"), 1), aqua);
    EXPECT_NE(case_(col("max"), 3), aqua);
    EXPECT_EQ(image.pixelColor(grille->frameWidth() + 2, y0 + 4), aqua); // number of the active row
}

TEST_F(Form2, GrilleQuiPrendLeFocusMarqueLeTableauModifie) {
    cree();
    form2->show();
    form2->activateWindow();
    ASSERT_TRUE(attend_fenetre_active(form2.get()));
    form2->Edit_pH->setFocus();
    programme.tableau_modifie = false;
    form2->stringgrid1->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(programme.tableau_modifie);

    // Leaving the grid applies what was typed.
    programme.tableau.fixe_cellule(programme.tableau.colonne_par_titre("max"), 1, "900");
    form2->Edit_pH->setFocus();
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(programme.multimetre_actif.y_max[1], 900);
}

// ---- options ----

TEST_F(Form2, ModeDeLectureMontreOuCacheLeDelai) {
    cree();
    form2->RadioButton_par_chaine_CSV->click();
    EXPECT_EQ(programme.reglages.lecture_csv, 1);
    EXPECT_FALSE(form2->Edit_timeouts->isHidden());
    EXPECT_FALSE(form2->Label3->isHidden());
    form2->RadioButton_car_par_car->click();
    EXPECT_EQ(programme.reglages.lecture_csv, 0);
    EXPECT_TRUE(form2->Edit_timeouts->isHidden());
    EXPECT_TRUE(form2->Label3->isHidden());
}

TEST_F(Form2, DemoCocheeChoisitLeCaractereParCaractereEtSuitLaFenetrePrincipale) {
    cree();
    auto* demo_principale = form1->findChild<QCheckBox*>(QStringLiteral("CheckBox_demo"));
    ASSERT_NE(demo_principale, nullptr);
    form2->CheckBox_demo->setChecked(false);
    form2->RadioButton_par_chaine_CSV->click();
    EXPECT_FALSE(demo_principale->isChecked());

    form2->CheckBox_demo->click();
    EXPECT_TRUE(programme.reglages.mode_demo);
    EXPECT_TRUE(demo_principale->isChecked());
    EXPECT_TRUE(form2->RadioButton_car_par_car->isChecked());
    EXPECT_TRUE(form2->Edit_timeouts->isHidden());

    form2->RadioButton_par_chaine_CSV->click();
    form2->CheckBox_demo->click();
    EXPECT_FALSE(programme.reglages.mode_demo);
    EXPECT_FALSE(demo_principale->isChecked());
    EXPECT_TRUE(form2->RadioButton_par_chaine_CSV->isChecked());

    // "rapide" and "save sans confirmation" copy the state too.
    {
        const QSignalBlocker silence(demo_principale);
        demo_principale->setChecked(true);
    }
    form2->CheckBox_demo_rapide->click();
    EXPECT_FALSE(demo_principale->isChecked());
    EXPECT_FALSE(programme.reglages.mode_demo);
}

TEST_F(Form2, FacteurDAireSuitLeChamp) {
    cree();
    const struct {
        const char* texte;
        double facteur;
    } cas[] = {{"2,5", 2.5}, {"1.0001", 1.0001}, {" 3 ", 3}, {"", 0}, {"abc", 0}, {"1.", 0}};
    for (const auto& c : cas) {
        form2->Edit_facteur->setText(QString::fromLatin1(c.texte));
        EXPECT_DOUBLE_EQ(programme.etat.facteur_aire, c.facteur) << c.texte;
        EXPECT_EQ(programme.reglages.facteur, QByteArray(c.texte));
    }
    // A text that is no number keeps the last factor and says why in the strip.
    form2->Edit_facteur->setText(QStringLiteral("1.5"));
    form2->Edit_facteur->setText(QStringLiteral("1.5.2"));
    EXPECT_DOUBLE_EQ(programme.etat.facteur_aire, 1.5);
    EXPECT_TRUE(form2->Panel_aide->text().contains(
        QStringLiteral("n'est pas une valeur en virgule flottante correcte")));
}

TEST_F(Form2, TroisSondesActiveLesBoutonsDesGraphiques) {
    cree();
    QWidget* graphiques = form1->findChild<QWidget*>(QStringLiteral("Button1"));
    for (bool coche : {true, false, true}) {
        form2->CheckBox_ph_ox_3sondes->setChecked(coche);
        EXPECT_EQ(form2->Button5->isEnabled(), coche);
        if (graphiques) {
            EXPECT_EQ(graphiques->isEnabled(), coche);
        }
        EXPECT_EQ(programme.reglages.ph_ox_3sondes, coche);
    }
}

TEST_F(Form2, BoutonParametresMontreEtCacheLaFenetre) {
    cree();
    form2->bascule_visibilite();
    EXPECT_TRUE(form2->isVisible());
    form2->bascule_visibilite();
    EXPECT_FALSE(form2->isVisible());
    form2->bascule_visibilite();
    form2->SpeedButton_question_close->click();
    EXPECT_FALSE(form2->isVisible());
    EXPECT_TRUE(form1->isVisible());
}

// ---- files ----

TEST_F(Form2, DestructionEnregistreTableauEtReglages) {
    cree();
    form2->Edit_facteur->setText(QStringLiteral("3.5"));
    form2->CheckBox_DTR->setChecked(true);
    form2->RadioButton_par_chaine_CSV->click();
    form2->stringgrid1->modele()->ecrit(programme.tableau.colonne_par_titre("multim\xE8tre"), 1,
                                        "WTW 340i");
    detruit();
    EXPECT_EQ(ligne_de(fichier_prm(), 22), "3.5");
    EXPECT_EQ(ligne_de(fichier_prm(), 14), "true");
    EXPECT_EQ(ligne_de(fichier_prm(), 11), "1");
    EXPECT_TRUE(ligne_de(fichier_tableau(), 4).startsWith("1,x,\"WTW 340i\",COM7,"));
}

TEST_F(Form2, ChargerParamRelitLesReglagesMemeApresNon) {
    cree();
    form2->Edit_facteur->setText(QStringLiteral("9"));
    form2->Button_enreg_param->click(); // answered Yes
    ASSERT_EQ(repondeur.questions, QStringList{QStringLiteral(" enregistrer les PARAMETRES  ?")});
    EXPECT_EQ(ligne_de(fichier_prm(), 22), "9");

    ecrit_prm({{22, "4.25"}});
    repondeur.oui = false;
    form2->Button_charger_param->click();
    ASSERT_FALSE(repondeur.questions.isEmpty());
    EXPECT_EQ(repondeur.questions.last(),
              QStringLiteral(" écraser les PARAMETRES actuels avec ceux enregistrés ?"));
    EXPECT_EQ(form2->Edit_facteur->text(), QStringLiteral("4.25"));
    EXPECT_DOUBLE_EQ(programme.etat.facteur_aire, 4.25);
}

TEST_F(Form2, ExempleAbsentEstSignale) {
    cree();
    repondeur.textes.clear();
    form2->Button_exemple->click();
    const QString exemple = chemin_fichier_exemple();
    ASSERT_FALSE(repondeur.questions.isEmpty());
    EXPECT_EQ(repondeur.questions.last(),
              QStringLiteral(" écraser les PARAMETRES avec l' exemple ") +
                  QDir::toNativeSeparators(exemple) + QStringLiteral(" ?"));
    if (!QFileInfo::exists(exemple)) {
        ASSERT_EQ(repondeur.textes.size(), 1);
        EXPECT_EQ(repondeur.textes[0], QStringLiteral("fichier <") +
                                           QDir::toNativeSeparators(exemple) +
                                           QStringLiteral("> introuvable ..."));
    }
}

TEST_F(Form2, ExempleNonChargeNeToucheNiAuxReglagesNiAuContraste) {
    ecrit_prm({{1, dossier.path().toUtf8()}, {5, "10,20,30"}});
    cree();
    form1->Button_contrasteClick();
    ASSERT_EQ(form1->mode_contraste(), 1);

    // Declined, or accepted with no example file: nothing is loaded, nothing is re-applied.
    for (const bool oui : {false, true}) {
        if (oui && QFileInfo::exists(chemin_fichier_exemple())) continue;
        repondeur.oui = oui;
        form2->Button_exemple->click();
        EXPECT_EQ(form1->mode_contraste(), 1) << oui;
    }
    // The normal colours are still those of the settings once the contrast modes come round.
    form1->Button_contrasteClick();
    form1->Button_contrasteClick();
    EXPECT_EQ(form1->mode_contraste(), 0);
    EXPECT_EQ(programme.reglages.couleur_fond, rgb(10, 20, 30));
}

// ---- outside tools ----

TEST(Form2_outils, EspacesEnPourCent) {
    EXPECT_EQ(espaces_en_pour_cent(QStringLiteral("C:\\Mes essais\\Probelog_help.pdf")),
              QStringLiteral("C:\\Mes%20essais\\Probelog_help.pdf"));
    EXPECT_EQ(espaces_en_pour_cent(QStringLiteral("  ")), QStringLiteral("%20%20"));
    EXPECT_EQ(espaces_en_pour_cent(QString()), QString());
}

TEST(Form2_outils, OutilAbsentEstSignaleEnUnMessage) {
    const QByteArray chemin = qgetenv("PATH");
    QTemporaryDir vide;
    qputenv("PATH", QFile::encodeName(vide.path()));
    const QString message =
        lance_premiere_commande({{QStringLiteral("outil-absent-1"), {}},
                                 {QStringLiteral("outil-absent-2"), {QStringLiteral("-e")}}},
                                QStringLiteral("Le terminal série"));
    const QString moniteur = lance_moniteur_systeme();
    qputenv("PATH", chemin);
    EXPECT_EQ(message,
              QStringLiteral("Le terminal série introuvable : aucun de ces programmes n'a pu "
                             "être lancé (outil-absent-1, outil-absent-2)."));
    EXPECT_TRUE(moniteur.contains(QStringLiteral("introuvable"))) << moniteur.toStdString();
}

TEST(Form2_outils, AideAbsenteEstSignalee) {
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("Probelog_help.pdf"));
    EXPECT_EQ(ouvre_aide(fichier), QLatin1Char('<') + fichier + QStringLiteral("> introuvable"));
}

} // namespace
