// The operator's control of an acquisition: link test, baseline, t0, stop, exit, the question
// panel, the keys and the guided mouse pointer.

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <cmath>

#include "acquisition/lance_acquisition.h"
#include "app/fenetre_principale.h"
#include "app/vue_image.h"
#include "graphes/fenetre_graphes.h"
#include "parametres/fenetre/fenetre_parametres.h"
#include "parametres/fichiers_parametres.h"
#include "parametres/instrument_actif.h"
#include "serie/ouverture_com.h"
#include "util/cp1252.h"

namespace {
const QString ligne_test_com = QStringLiteral(" listes d'enregistrements OK");

void couleur_fond_panneau(QWidget* w, TCouleur c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(rouge(c), vert(c), bleu(c)));
    w->setPalette(p);
}
} // namespace

void TForm1::attend(int millisecondes) {
    // The window keeps living while the program waits.
    QElapsedTimer chrono;
    chrono.start();
    while (chrono.elapsed() < millisecondes) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(
            std::min<qint64>(10, std::max<qint64>(0, millisecondes - chrono.elapsed())));
    }
}

// ---- "test COM" ----
void TForm1::Button_test_comClick() {
    Label18->hide();
    if (Button_test_com->text() == QStringLiteral("test COM")) {
        Button_test_com->setText(QStringLiteral("stop COM"));
        Button_START->setEnabled(false);
        Button_stop->setEnabled(false);
        programme.etat.nb_lectures = 0;
        Panel_question->hide();
        programme.etat.arret = false;
        initialise_acquisition();
        // The record file of a link test begins with this line (main list only).
        programme.lignes.efface();
        rapport().lignes_effacees();
        programme.lignes.principales.append(vers_1252(ligne_test_com));
        Memo2->appendPlainText(ligne_test_com);
        purge_com(programme);
        ouvre_com_et_acquiert(programme, rapport());
    } else {
        Button_test_com->setText(QStringLiteral("test COM"));
        Button_START->setEnabled(true);
        Button_stop->setEnabled(true);
        ferme_com_acquisition(programme, rapport());
    }
    programme.etat.heure_depart = QDateTime::currentDateTime();
}

// ---- "Start (base)" ----
void TForm1::Button_STARTClick() {
    Panel2->hide();
    Panel_message->hide();
    Panel_question->hide();
    Label22->setText(QStringLiteral("-/-"));
    programme.etat.arret = false;
    if (!programme.etat.reprise) {
        programme.lignes.efface();
        rapport().lignes_effacees();
        initialise_acquisition();
    }
    purge_com(programme);
    Button_START->setText(QStringLiteral("Restart(base)"));
    Timer1->setInterval(periode_sauvegarde());
    if (programme.reglages.sauve_auto)
        Timer1->start();
    else
        Timer1->stop();
    if (!CheckBox_demo->isChecked()) CheckBox_demo->hide();
    Button_START->setEnabled(false);
    Button_stop->setEnabled(true);
    programme.enregistrement.dernier_fichier_auto.clear();
    programme.etat.heure_depart = QDateTime::currentDateTime();
    Button_go->setText(QStringLiteral("00:00:05"));
    _Button_go_tracage_Click_simule();
    ouvre_com_et_acquiert(programme, rapport());
}

void TForm1::_Button_go_tracage_Click_simule() {
    if (!CheckBox_demo->isChecked()) CheckBox_demo->hide();
    if (!programme.etat.reprise) {
        programme.stock.nb_mesures = 0;
        programme.lignes.efface();
        rapport().lignes_effacees();
    }
    Panel_question->show();
    Panel_question->raise();
    SpeedButton_question->hide();
    SpeedButton_annuler->hide();
    Button_go->show();
    Button_go->setFocus();
    programme.etat.heure_depart = QDateTime::currentDateTime();
    Label_mess->setText(
        QStringLiteral(
            "acquisition de la ligne de base\nattendre environ une minute ou n ~ 60\npuis [") +
        depuis_1252(programme.reglages.start_inject) +
        QStringLiteral("]  pour marquer le début du traçage"));
    Panel_question->resize(largeur_texte(Label_mess->text(), 641), Panel_question->height());
    prepare_question(Button_go);
}

// ---- t0 ----
void TForm1::Button_goClick() {
    marque_t0(programme);
    Panel_question->hide();
    Button_stop->setEnabled(true);
    Button_stop->setFocus();
    const QPoint centre = Button_stop->mapToGlobal(Button_stop->rect().center());
    guide_souris(centre.x(), centre.y() + 20);
}

// ---- "Stop + save" ----
void TForm1::Button_stopClick() {
    if (programme.reglages.save_sans_confirmation) {
        programme.etat.arret = true;
        enregistrer_donnees();
        Button_START->setText(QStringLiteral("Restart(base)"));
        Button_START->setEnabled(true);
        Button_stop->setEnabled(false);
        Timer1->stop();
        Button_test_com->setText(QStringLiteral("test COM"));
    } else {
        CheckBox_demo->show();
        Panel_question->show();
        Panel_question->raise();
        SpeedButton_question->show();
        Button_go->hide();
        SpeedButton_question->setText(QStringLiteral("Stop + save"));
        Label_mess->setText(
            QStringLiteral("\nArrêter le stockage des données en mémoire puis les enregistrer\n"));
        Panel_question->resize(largeur_texte(Label_mess->text(), 641), Panel_question->height());
        prepare_question(SpeedButton_question);
    }
}

// ---- "exit + save", F12, the title bar's close ----
void TForm1::Button_exit_Click() {
    Panel_question->show();
    Panel_question->raise();
    SpeedButton_question->show();
    Button_go->hide();
    SpeedButton_question->setText(QStringLiteral("exit"));
    couleur_fond_panneau(Panel_question, rgb(192, 192, 192));
    Label_mess->setText(QString());
    Panel_question->resize(largeur_texte(QString(), 641), Panel_question->height());
    prepare_question(SpeedButton_question);
}

void TForm1::SpeedButton_questionClick() {
    const QString question = SpeedButton_question->text();
    if (question == QStringLiteral("Stop + save")) {
        programme.etat.arret = true;
        enregistrer_donnees();
        Button_START->setEnabled(true);
        Button_stop->setEnabled(false);
        Timer1->stop();
        const QPoint centre = Button_stop->mapToGlobal(Button_stop->rect().center());
        guide_souris(centre.x(), centre.y());
        Panel_question->hide();
    } else if (question == QStringLiteral("exit")) {
        SpeedButton_question->setText(QStringLiteral("EXIT AUTO..."));
        SpeedButton_question->setAutoRaise(true);
        SpeedButton_annuler->hide();
        Panel_question->repaint();
        programme.etat.arret = true;
        sortie_en_cours = true;
        ferme_com_acquisition(programme, rapport());
        enregistre_parametres(programme);
        if (programme.tableau_modifie) {
            // No question while the program ends on its own.
            enregistre_tableau(programme, chemin_fichier_tableau(programme), {},
                               signale_operateur());
            // An unreadable number of the table is reported; the decoded lines are saved all the
            // same.
            try {
                ::actualise_multimetre(programme, &rapport());
                actualise_affichage_multimetre();
            } catch (const ErreurConversion& erreur) {
                rapport().journal(erreur.message());
            }
        }
        const auto& lignes = programme.lignes.parametres;
        if (!lignes.isEmpty() && lignes.size() - 1 != programme.enregistrement.nb_enreg_sauves) {
            enregistrer_donnees();
            attend(programme.reglages.mode_demo ? 500 : 5000);
        }
        Panel_question->hide();
        termine_programme();
    } else {
        // A click on "EXIT AUTO..." while the program ends, or a stale question: just close.
        couleur_fond_panneau(Panel_question, couleur_panneau_question);
        Panel_question->hide();
    }
}

void TForm1::termine_programme() {
    fermeture_autorisee = true;
    if (fin_programme)
        fin_programme(0);
    else
        QApplication::exit(0);
}

void TForm1::SpeedButton_annulerClick() {
    Panel_question->hide();
    Label_mess->setText(QString());
    Panel_question->resize(641, Panel_question->height());
    couleur_fond_panneau(Panel_question, couleur_panneau_question);
}

void TForm1::SpeedButton_croix_closeClick() {
    Panel_question->hide();
    Label_mess->setText(QString());
    Panel_question->resize(641, Panel_question->height());
}

void TForm1::prepare_question(QWidget* cible) {
    for (QToolButton* b : {SpeedButton_question, SpeedButton_annuler}) {
        const QColor texte = palette().color(QPalette::WindowText);
        couleur_police(b, rgb(texte.red(), texte.green(), texte.blue()));
        QFont f = b->font();
        f.setBold(false);
        f.setItalic(false);
        f.setUnderline(false);
        b->setFont(f);
    }
    SpeedButton_annuler->setVisible(!Button_go->isVisible());
    Panel_question->resize(largeur_texte(Label_mess->text(), 641), Panel_question->height());
    Label_mess->resize(Panel_question->width() - 32, Label_mess->height());
    SpeedButton_croix_close->move(Panel_question->width() - 34, SpeedButton_croix_close->y());
    Panel_question->repaint();
    const QPoint centre = cible->mapToGlobal(QPoint(cible->width() / 2, 0));
    const QPoint panneau = Panel_question->mapToGlobal(QPoint(0, 0));
    const int y = panneau.y() + (cible == Button_go ? 90 : 35);
    guide_souris(centre.x(), y);
}

void TForm1::guide_souris(int x, int y) {
    switch (programme.reglages.souris) {
    case 2: // "saut"
        QCursor::setPos(x, y);
        break;
    case 1: { // "guidée": one pixel at a time along the longer axis, stopping one step short
        const QPoint depart = QCursor::pos();
        const int dx = x - depart.x(), dy = y - depart.y();
        const int pas = std::max(std::abs(dx), std::abs(dy));
        for (int k = 1; k < pas; ++k) {
            const double f = double(k) / pas;
            QCursor::setPos(depart.x() + int(std::lround(dx * f)),
                            depart.y() + int(std::lround(dy * f)));
            attend(1);
        }
        break;
    }
    default: // "habituelle"
        break;
    }
}

// ---- keys: the window previews every released key ----
void TForm1::touche_relachee(int touche, QLineEdit* champ) {
    if (touche == Qt::Key_Escape) {
        if (Panel_question->isVisible()) Panel_question->hide();
        if (programme.stock.nb_mesures == 0 && SpeedButton_annuler_couleur->isVisible())
            SpeedButton_annuler_couleurClick();
        if (ListBox1->isVisible()) ListBox1->hide();
    }
    if (touche == Qt::Key_F4) Button_zoomClick();
    if (touche == Qt::Key_F5) Button_contrasteClick();
    if (touche == Qt::Key_F12) Button_exit_Click();
    const bool entree = touche == Qt::Key_Return || touche == Qt::Key_Enter;
    // Then the field's own handler.
    if (entree && champ) {
        if (champ_axe(champ->objectName()) == champ)
            applique_axe(champ);
        else if (champ == Edit_repertoire)
            Edit_repertoireKeyUp();
    }
}

void TForm1::CheckBox_demoClick() {
    programme.reglages.mode_demo = CheckBox_demo->isChecked();
    if (form2 && form2->CheckBox_demo &&
        form2->CheckBox_demo->isChecked() != CheckBox_demo->isChecked())
        form2->CheckBox_demo->click();
    Label_multimetre->setText(
        programme.reglages.mode_demo
            ? QStringLiteral("DEMO")
            : depuis_1252(programme.tableau.lit_cellule_active("multim\xE8tre", 0)));
}

void TForm1::Edit_repertoireKeyUp() {
    if (programme.stock.nb_mesures != 0) {
        Panel_question->hide();
        return;
    }
    const QString dossier = avec_antislash(Edit_repertoire->text());
    Edit_repertoire->setText(dossier);
    if (dossier.isEmpty()) return;
    if (QDir(dossier).exists()) {
        Panel_question->hide();
        programme.reglages.repertoire_travail = dossier;
        return;
    }
    const QString question = QStringLiteral(" Le dossier  <") + dossier +
                             QStringLiteral(">    \n\n   n'existe pas, le créer ?,");
    if (QMessageBox::question(this, QStringLiteral("Probelog"), question) != QMessageBox::Yes)
        return;
    if (!QDir().mkpath(dossier)) {
        QMessageBox::warning(this, QStringLiteral("Probelog"),
                             QStringLiteral("Impossible de créer ") + dossier);
        return;
    }
    programme.reglages.repertoire_travail = dossier;
}

void TForm1::connecte_controles() {
    connect(Button_test_com, &QPushButton::clicked, this, [this] { Button_test_comClick(); });
    connect(Button_START, &QPushButton::clicked, this, [this] { Button_STARTClick(); });
    connect(Button_go, &QPushButton::clicked, this, [this] { Button_goClick(); });
    connect(Button_stop, &QPushButton::clicked, this, [this] { Button_stopClick(); });
    connect(Button_exit_, &QPushButton::clicked, this, [this] { Button_exit_Click(); });
    connect(SpeedButton_question, &QToolButton::clicked, this,
            [this] { SpeedButton_questionClick(); });
    connect(SpeedButton_annuler, &QToolButton::clicked, this,
            [this] { SpeedButton_annulerClick(); });
    connect(SpeedButton_croix_close, &QToolButton::clicked, this,
            [this] { SpeedButton_croix_closeClick(); });
    // The parameters window sets this box from code too: the handler follows every change.
    connect(CheckBox_demo, &QCheckBox::toggled, this, [this] { CheckBox_demoClick(); });
    connect(Button_zoom, &QPushButton::clicked, this, [this] { Button_zoomClick(); });
    connect(Button_contraste, &QPushButton::clicked, this, [this] { Button_contrasteClick(); });
    connect(CheckBox_y2, &QCheckBox::clicked, this, [this] { CheckBox_y2Click(); });
    connect(CheckBox_af_integrale, &QCheckBox::clicked, this,
            [this] { CheckBox_af_integraleClick(); });
    connect(SpeedButton_annuler_couleur, &QToolButton::clicked, this,
            [this] { SpeedButton_annuler_couleurClick(); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ListBox1DblClick(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    ImageA->double_clic = [this] { ImageADblClick(); };
    ImageA->redimensionne = [this] { retrace_courbes(); };
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (QWidget* f3 = form3) {
            f3->show();
            f3->raise();
            f3->activateWindow();
        }
    });
    connect(Button_parametres, &QPushButton::clicked, this, [this] {
        if (form2) form2->bascule_visibilite();
    });
    connect(Button_enreg_param, &QPushButton::clicked, this, [this] {
        enregistre_tout(programme, demande_operateur(), signale_operateur(), &rapport());
        actualise_affichage_multimetre();
        if (programme.reglages.mode_demo) Label_multimetre->setText(QStringLiteral("DEMO"));
    });
    connect(Button_aide, &QPushButton::clicked, this, [this] {
        if (form2) form2->SpeedButton_aideClick();
    });
    // The working folder: chosen in the system's folder dialog, created when needed.
    connect(SpeedButton_choix_rep, &QToolButton::clicked, this, [this] {
        const QString depart = Edit_repertoire->text().trimmed().isEmpty()
                                   ? Edit_repertoire->placeholderText()
                                   : Edit_repertoire->text().trimmed();
        const QString choisi = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Dossier des enregistrements"), depart);
        // Chosen or cancelled, the folder has been looked at: the reminder goes.
        Panel2->hide();
        if (choisi.isEmpty()) return;
        programme.reglages.repertoire_travail = avec_antislash(QDir::toNativeSeparators(choisi));
        Edit_repertoire->setText(programme.reglages.repertoire_travail);
        Edit_repertoire->setToolTip(QStringLiteral("   ") + programme.reglages.repertoire_travail +
                                    QStringLiteral("    "));
    });
    // Reopening a record file comes with the file panel; until then the button says so.
    Button_open_file->setEnabled(false);
    Button_open_file->setToolTip(
        QStringLiteral("relecture d'un fichier enregistré : prochaine version"));
    // Edits that the core reads, kept in the settings record as the operator types.
    connect(Edit_Prefixe, &QLineEdit::textChanged, this,
            [this](const QString& t) { programme.reglages.prefixe = vers_1252(t); });
    connect(CheckBox_date_heure, &QCheckBox::toggled, this,
            [this](bool c) { programme.reglages.date_heure_nom = c; });
    Panel_message->installEventFilter(this);
}

TDemande TForm1::demande_operateur() {
    return [this](const QString& question) {
        return QMessageBox::question(this, QStringLiteral("Probelog"), question) ==
               QMessageBox::Yes;
    };
}

TSignale TForm1::signale_operateur() {
    return [this](const QString& message) {
        QMessageBox::information(this, QStringLiteral("Probelog"), message);
    };
}
