#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include "app/fenetre_principale.h"
#include "outils_tests.h"
#include "parametres/fichiers_parametres.h"
#include "util/cp1252.h"

namespace {

// A main window on its own, with the example instrument active and the demonstration source
// running fast, saving into a temporary working folder.
class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(reglages.isValid() && travail.isValid());
        programme.dossier_reglages = reglages.path();
        charge_parametres(programme);
        programme.tableau.remplit_exemple();
        programme.tableau.actualise_multimetre(programme.multimetre_actif);
        programme.config_com = programme.tableau.compose_config_com();
        programme.reglages.mode_demo = true;
        programme.reglages.demo_rapide = true;
        programme.reglages.nom_blocnote = "";
        programme.reglages.repertoire_travail = avec_antislash(travail.path());
        form1 = std::make_unique<TForm1>(programme);
        form1->fin_programme = [this](int code) { code_de_fin = code; };
        // Editors and file viewers are not started from the tests.
        form1->ouverture_fichier = [this](const QString& chemin) {
            fichiers_ouverts.append(chemin);
        };
        form1->relie_fenetres(nullptr, nullptr);
        form1->applique_reglages();
        form1->actualise_affichage_multimetre();
        form1->resize(1696, 754);
    }

    // Runs the acquisition started by `depart` and calls `pendant` at every few milliseconds until
    // it returns true (then the acquisition must have been stopped by it) or 20 s pass.
    void pilote(const std::function<void()>& depart, const std::function<bool()>& pendant) {
        QTimer surveillant;
        QElapsedTimer chrono;
        chrono.start();
        bool fini = false;
        QObject::connect(&surveillant, &QTimer::timeout, [&] {
            if (fini) return;
            if (pendant() || chrono.elapsed() > 20000) {
                fini = true;
                programme.etat.arret = true;
            }
        });
        surveillant.start(5);
        depart();
        surveillant.stop();
        EXPECT_LT(chrono.elapsed(), 20000) << "l'acquisition ne s'est pas arrêtée";
    }

    QStringList fichiers(const QString& sous_dossier = QString()) const {
        return QDir(QDir(travail.path()).filePath(sous_dossier)).entryList(QDir::Files);
    }

    // Answers the next modal dialog with `reponse` once it shows, remembering its text.
    QString repond_a_la_boite(const std::function<void()>& action,
                              const std::function<void(QWidget*)>& reponse) {
        QString texte;
        QTimer attente;
        QObject::connect(&attente, &QTimer::timeout, [&] {
            QWidget* boite = QApplication::activeModalWidget();
            if (!boite) return;
            attente.stop();
            if (auto* m = qobject_cast<QMessageBox*>(boite)) texte = m->text();
            reponse(boite);
        });
        attente.start(20);
        action();
        attente.stop();
        return texte;
    }

    QTemporaryDir reglages, travail;
    QStringList fichiers_ouverts;
    int code_de_fin = -1;
    TProgramme programme;
    std::unique_ptr<TForm1> form1;
};

TEST_F(Form1Test, FenetreAuDemarrage) {
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Probelog  4.11"));
    struct Cas {
        const char* nom;
        const char* texte;
        bool actif;
    } cas[] = {
        {"Button_test_com", "test COM", true},     {"Button_START", "Start (base)", true},
        {"Button_stop", "Stop + save", false},     {"Button_exit_", "exit + save", true},
        {"Button_parametres", "Paramètres", true}, {"Button_enreg_param", "save paramètres", true},
        {"Button1", "Graphiques associés", true}};
    for (const auto& c : cas) {
        auto* b = form1->findChild<QPushButton*>(QString::fromLatin1(c.nom));
        ASSERT_NE(b, nullptr) << c.nom;
        EXPECT_EQ(b->text(), QString::fromUtf8(c.texte)) << c.nom;
        EXPECT_EQ(b->isEnabled(), c.actif) << c.nom;
    }
    EXPECT_TRUE(form1->CheckBox_demo->isChecked());
    EXPECT_FALSE(form1->Panel_question->isVisibleTo(form1.get()));
    EXPECT_EQ(form1->Label20->text(),
              QStringLiteral("n   heurePC  durée traçage  G1  G2   multimètre          "));
    EXPECT_EQ(programme.etat.indice_t0, indice_t0_non_marque);
    EXPECT_EQ(programme.stock.capacite_mesures, 10000);
    // A working folder is set: no reminder. Without one, the reminder to check the folder and
    // the name stands beside the folder button.
    EXPECT_FALSE(form1->Panel2->isVisibleTo(form1.get()));
    programme.reglages.repertoire_travail.clear();
    form1->applique_reglages();
    EXPECT_TRUE(form1->Panel2->isVisibleTo(form1.get()));
    EXPECT_EQ(form1->Label18->text(),
              QStringLiteral(" \n vérifier le \n répertoire \n\n et le nom \n"));
    EXPECT_EQ(form1->Panel2->x(),
              form1->SpeedButton_choix_rep->x() + form1->SpeedButton_choix_rep->width());
    EXPECT_EQ(form1->Label11->toolTip(), QStringLiteral("fichier"));
}

TEST_F(Form1Test, PremiereActivationCompareLeSigneDecimalDesFichiers) {
    const struct {
        const char* locale;
        int signe_fichier;
        const char* question; // empty: none asked
        QMessageBox::StandardButton reponse;
        int signe_apres;
    } cas[] = {
        {"fr_FR", 0, "", QMessageBox::Yes, 0},
        {"en_US", 1, "", QMessageBox::Yes, 1},
        {"en_US", 0,
         " Le signe décimal du fichier de sortie (virgule)\n\n n'est pas en phase avec celui de "
         "l'ordinateur (point)\n\n mettre le fichier en phase avec l'ordinateur (.)    ?",
         QMessageBox::Yes, 1},
        {"fr_FR", 1,
         " Le signe décimal du fichier de sortie (point)\n\n n'est pas en phase avec celui de "
         "l'ordinateur (virgule)\n\n mettre le fichier en phase avec l'ordinateur (,)    ?",
         QMessageBox::No, 1},
    };
    for (const auto& c : cas) {
        Locale_temporaire locale(QLatin1String(c.locale));
        programme.reglages.signe_decimal_fichier = c.signe_fichier;
        // A new window: the check belongs to its first activation only.
        form1 = std::make_unique<TForm1>(programme);
        form1->relie_fenetres(nullptr, nullptr);
        const QString question = repond_a_la_boite(
            [&] {
                form1->show();
                QTest::qWait(150);
            },
            [&](QWidget* boite) {
                if (auto* m = qobject_cast<QMessageBox*>(boite)) m->button(c.reponse)->click();
            });
        EXPECT_EQ(question, QString::fromUtf8(c.question)) << c.locale << c.signe_fichier;
        EXPECT_EQ(programme.reglages.signe_decimal_fichier, c.signe_apres) << c.locale;
        // Later activations ask nothing.
        programme.reglages.signe_decimal_fichier = c.signe_fichier;
        form1->hide();
        const QString encore = repond_a_la_boite(
            [&] {
                form1->show();
                form1->activateWindow();
                QTest::qWait(50);
            },
            [](QWidget* boite) { boite->close(); });
        EXPECT_TRUE(encore.isEmpty()) << c.locale;
    }
}

TEST_F(Form1Test, RappelDuDossierCacheParLeChoixDuDossier) {
    programme.reglages.repertoire_travail.clear();
    form1->applique_reglages();
    form1->show();
    ASSERT_TRUE(form1->Panel2->isVisible());
    const QString avant = programme.reglages.repertoire_travail;
    // The folder dialog cancelled: the folder stays, the reminder goes all the same.
    repond_a_la_boite([&] { form1->SpeedButton_choix_rep->click(); },
                      [](QWidget* boite) { boite->close(); });
    EXPECT_FALSE(form1->Panel2->isVisible());
    EXPECT_EQ(programme.reglages.repertoire_travail, avant);
}

TEST_F(Form1Test, FenetreMaximaleSuitLaLargeurDeLEcran) {
    form1->show();
    // The outer width (frame included) is compared with the screen's.
    const int ecran = form1->screen()->geometry().width();
    const QMargins marges = form1->windowHandle()->frameMargins();
    const int cadre = marges.left() + marges.right();
    // The platform delivers the new size asynchronously.
    form1->resize(ecran - cadre, 600);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form1->frameGeometry().width() == ecran; }, 2000));
    QApplication::processEvents();
    EXPECT_TRUE(programme.reglages.fenetre_maximale)
        << form1->frameGeometry().width() << " " << ecran << " " << cadre;
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Probelog  4.11"));
    form1->resize(ecran - cadre - 1, 600);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form1->frameGeometry().width() == ecran - 1; }, 2000));
    QApplication::processEvents();
    EXPECT_FALSE(programme.reglages.fenetre_maximale);
}

TEST_F(Form1Test, LigneDeBaseT0PuisStopEnregistre) {
    form1->show();
    int indice_t0 = -1;
    pilote([&] { form1->Button_START->click(); },
           [&] {
               const int n = programme.stock.nb_mesures;
               if (indice_t0 < 0 && n >= 20) {
                   // The baseline phase shows the t0 button in the question panel.
                   EXPECT_TRUE(form1->Panel_question->isVisible());
                   EXPECT_TRUE(form1->Button_go->isVisible());
                   EXPECT_FALSE(form1->Button_START->isEnabled());
                   EXPECT_EQ(form1->Button_START->text(), QStringLiteral("Restart(base)"));
                   form1->Button_go->click();
                   indice_t0 = programme.etat.indice_t0;
               } else if (indice_t0 >= 0 && n >= indice_t0 + 40) {
                   form1->Button_stop->click();
                   return true;
               }
               return false;
           });
    EXPECT_GE(indice_t0, 20);
    EXPECT_TRUE(programme.etat.arret);
    EXPECT_TRUE(form1->Button_START->isEnabled());
    EXPECT_FALSE(form1->Button_stop->isEnabled());
    EXPECT_TRUE(form1->Label_zero->text().contains(QStringLiteral("dhMAX")));
    // One record file in the working folder: header and one row per point.
    const QStringList liste = fichiers();
    ASSERT_EQ(liste.size(), 1) << liste.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(liste[0].contains(QStringLiteral(" demo ")));
    EXPECT_TRUE(liste[0].endsWith(QStringLiteral("µS.txt")));
    const QByteArray contenu = lit_fichier(QDir(travail.path()).filePath(liste[0]));
    EXPECT_EQ(contenu.count("\r\n"), programme.stock.nb_mesures + 1);
    EXPECT_EQ(programme.enregistrement.nb_enreg_sauves, programme.stock.nb_mesures);
    EXPECT_TRUE(
        form1->Label_mess->text().contains(QStringLiteral(" enregistrements effectués dans \n")));
    EXPECT_EQ(form1->Label22->text(), liste[0]);
    // The save time carries the full path; the clipboard holds the whole decoded text.
    EXPECT_EQ(QDir::cleanPath(form1->Label11->toolTip()),
              QDir::cleanPath(QDir(travail.path()).filePath(liste[0])));
    EXPECT_EQ(QApplication::clipboard()->text(),
              depuis_1252(contenu).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_FALSE(form1->Panel2->isVisible());
}

TEST_F(Form1Test, StopSansConfirmationPuisAnnulerContinue) {
    programme.reglages.save_sans_confirmation = false;
    int etape = 0;
    int n_annule = 0;
    pilote([&] { form1->Button_START->click(); },
           [&] {
               const int n = programme.stock.nb_mesures;
               if (etape == 0 && n >= 5) {
                   form1->Button_stop->click();
                   EXPECT_EQ(form1->SpeedButton_question->text(), QStringLiteral("Stop + save"));
                   EXPECT_TRUE(form1->Panel_question->isVisibleTo(form1.get()));
                   form1->SpeedButton_annuler->click();
                   n_annule = n;
                   etape = 1;
               } else if (etape == 1 && n >= n_annule + 10) {
                   // Still acquiring, nothing written.
                   EXPECT_TRUE(fichiers().isEmpty());
                   form1->Button_stop->click();
                   form1->SpeedButton_question->click();
                   return true;
               }
               return false;
           });
    EXPECT_EQ(etape, 1);
    EXPECT_EQ(fichiers().size(), 1);
}

TEST_F(Form1Test, FermetureParLaBarreDeTitreAttendLaQuestion) {
    form1->show();
    QCloseEvent fermeture;
    QApplication::sendEvent(form1.get(), &fermeture);
    EXPECT_FALSE(fermeture.isAccepted());
    EXPECT_TRUE(form1->isVisible());
    EXPECT_TRUE(form1->Panel_question->isVisible());
    EXPECT_EQ(form1->SpeedButton_question->text(), QStringLiteral("exit"));
    EXPECT_EQ(form1->Panel_question->palette().color(QPalette::Window), QColor(192, 192, 192));
    // Esc keeps the program running.
    QTest::keyClick(form1.get(), Qt::Key_Escape);
    EXPECT_FALSE(form1->Panel_question->isVisible());
    EXPECT_FALSE(form1->sortie_demandee());
}

TEST_F(Form1Test, QuestionSansObjetFermeLePanneau) {
    form1->show();
    // "EXIT AUTO..." clicked again while the program ends, or the form's caption "question".
    for (const char* legende : {"EXIT AUTO...", "question"}) {
        form1->Button_exit_Click();
        ASSERT_TRUE(form1->Panel_question->isVisible());
        form1->SpeedButton_question->setText(QLatin1String(legende));
        form1->SpeedButton_question->click();
        EXPECT_FALSE(form1->Panel_question->isVisible()) << legende;
        EXPECT_EQ(form1->Panel_question->palette().color(QPalette::Window), QColor(85, 240, 182))
            << legende;
        EXPECT_FALSE(form1->sortie_demandee());
    }
}

TEST_F(Form1Test, EchapFermeLepanneauPuisProposeDAnnulerLesCouleurs) {
    form1->show();
    form1->Button_exit_Click();
    form1->SpeedButton_annuler_couleur->show();
    // One key release: the panel closes and the colour question is asked.
    const QString question =
        repond_a_la_boite([&] { QTest::keyClick(form1.get(), Qt::Key_Escape); },
                          [](QWidget* boite) {
                              if (auto* m = qobject_cast<QMessageBox*>(boite))
                                  m->button(QMessageBox::No)->click();
                          });
    EXPECT_EQ(question, QStringLiteral("annuler les couleurs ?"));
    EXPECT_FALSE(form1->Panel_question->isVisible());
    EXPECT_TRUE(form1->SpeedButton_annuler_couleur->isVisible());
}

TEST_F(Form1Test, ClicSurLePanneauDeMessageLeFerme) {
    form1->show();
    // On the message text and on the panel's own edge.
    form1->Panel_message->show();
    QTest::mouseClick(form1->Label21, Qt::LeftButton);
    EXPECT_FALSE(form1->Panel_message->isVisible());
    form1->Panel_message->show();
    QTest::mouseClick(
        form1->Panel_message, Qt::LeftButton, {},
        QPoint(form1->Panel_message->width() - 3, form1->Panel_message->height() - 2));
    EXPECT_FALSE(form1->Panel_message->isVisible());
}

TEST_F(Form1Test, SortieConfirmeeEnregistreLesLignesNonSauvees) {
    form1->show();
    pilote([&] { form1->Button_START->click(); },
           [&] {
               if (programme.stock.nb_mesures < 8) return false;
               // F12 asks, "exit" confirms: the acquisition ends and the lines are saved.
               QTest::keyClick(form1.get(), Qt::Key_F12);
               EXPECT_EQ(form1->SpeedButton_question->text(), QStringLiteral("exit"));
               form1->SpeedButton_question->click();
               return true;
           });
    EXPECT_TRUE(form1->sortie_demandee());
    EXPECT_EQ(code_de_fin, 0);
    EXPECT_EQ(form1->SpeedButton_question->text(), QStringLiteral("EXIT AUTO..."));
    ASSERT_EQ(fichiers().size(), 1);
    EXPECT_EQ(programme.enregistrement.nb_enreg_sauves, programme.lignes.parametres.size() - 1);
    // The settings file was written on the way out.
    EXPECT_TRUE(QFile::exists(QDir(reglages.path()).filePath(QStringLiteral("Probelog.prm"))));
}

TEST_F(Form1Test, SauvegardePeriodiqueUnSeulFichierParAcquisition) {
    programme.reglages.sauve_auto = true;
    programme.reglages.save_sans_confirmation = true;
    for (int acquisition = 1; acquisition <= 2; ++acquisition) {
        // File names carry the time to the second: the second acquisition starts in another one.
        if (acquisition == 2) QTest::qWait(1100);
        // A short period: several periodic saves during each acquisition.
        QTimer::singleShot(0, [this] { form1->Timer1->setInterval(40); });
        int sauvegardes = 0;
        QString precedent;
        pilote([&] { form1->Button_START->click(); },
               [&] {
                   if (!form1->Timer1->isActive()) return false;
                   const QString dernier = programme.enregistrement.dernier_fichier_auto;
                   if (dernier != precedent && !dernier.isEmpty()) {
                       ++sauvegardes;
                       precedent = dernier;
                   }
                   if (sauvegardes < 3) return false;
                   form1->Button_stop->click();
                   return true;
               });
        EXPECT_GE(sauvegardes, 3);
        EXPECT_FALSE(form1->Timer1->isActive());
        // One periodic file per acquisition: the latest of this one, the last of the previous.
        EXPECT_EQ(fichiers(QStringLiteral("sauvegarde_auto")).size(), acquisition)
            << fichiers(QStringLiteral("sauvegarde_auto")).join(QLatin1Char(',')).toStdString();
    }
}

TEST_F(Form1Test, SortieAvecUnTableauIllisibleEnregistreQuandMeme) {
    // A table that was edited into an unreadable number must not stop the exit from saving.
    programme.lignes.ajoute("entete");
    programme.lignes.ajoute("ligne 1");
    programme.stock.nb_mesures = 1;
    programme.tableau.ecrit_cellule_active("1.2.3", "max", 0);
    programme.tableau_modifie = true;
    form1->Button_exit_->click();
    form1->SpeedButton_question->click();
    EXPECT_TRUE(form1->sortie_demandee());
    EXPECT_EQ(code_de_fin, 0);
    EXPECT_EQ(fichiers().size(), 1);
}

TEST_F(Form1Test, ChampsDAxeFiltrentEtEcriventDansLeTableau) {
    form1->show();
    QLineEdit* max1 = form1->Edit_max_y1;
    max1->setFocus();
    max1->selectAll();
    for (const QString& touche :
         {QStringLiteral("\u00E9"), QStringLiteral("a"), QStringLiteral("5")}) {
        QKeyEvent appui(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, touche);
        QApplication::sendEvent(max1, &appui);
    }
    EXPECT_EQ(max1->text(), QStringLiteral("25"));
    // Pasted text is cleaned on Enter.
    max1->setText(QString::fromUtf8("1 2 0 0 \xC2\xB5S"));
    QTest::keyClick(max1, Qt::Key_Return);
    EXPECT_EQ(max1->text(), QStringLiteral("1200"));
    EXPECT_EQ(programme.multimetre_actif.y_max[1], 1200.0);
    EXPECT_EQ(programme.tableau.lit_cellule_active("max", 0), QByteArray("1200"));
    EXPECT_TRUE(programme.tableau_modifie);
    // A number that is not one leaves the limit as it was.
    max1->setText(QStringLiteral("1,2,3"));
    QTimer::singleShot(50, [] {
        if (QWidget* boite = QApplication::activeModalWidget()) boite->close();
    });
    form1->applique_axe(max1);
    EXPECT_EQ(programme.multimetre_actif.y_max[1], 1200.0);
}

TEST_F(Form1Test, ListeDesValeursProposees) {
    programme.multimetre_actif.y_max[1] = 750;
    programme.multimetre_actif.y_graduation[1] = 50;
    form1->show();
    QTest::mouseDClick(form1->Edit_max_y1, Qt::LeftButton);
    ASSERT_TRUE(form1->ListBox1->isVisible());
    ASSERT_EQ(form1->ListBox1->count(), 21);
    EXPECT_EQ(form1->ListBox1->item(0)->text(), QStringLiteral("1250"));
    EXPECT_EQ(form1->ListBox1->item(10)->text(), QStringLiteral("750"));
    EXPECT_EQ(form1->ListBox1->item(20)->text(), QStringLiteral("250"));
    // A second double click closes it without changing anything.
    QTest::mouseDClick(form1->Edit_max_y1, Qt::LeftButton);
    EXPECT_FALSE(form1->ListBox1->isVisible());
    EXPECT_EQ(programme.multimetre_actif.y_max[1], 750.0);
}

TEST_F(Form1Test, ZoomSurLesValeursLues) {
    form1->show();
    programme.etat.max_lu1 = 760;
    programme.etat.min_lu1 = 700;
    programme.etat.prefixe_initial = "\xB5";
    programme.reglages.nb_decimale_1 = "\xB5=0;m=3;k=1;F=3";
    form1->Label_y1_max_lu->setText(QStringLiteral(" 760,0"));
    form1->Label_y1_min_lu->setText(QStringLiteral(" 700,0"));
    const struct {
        const char* max;
        const char* min;
    } attendus[] = {{"770", "690"}, {"760", "700"}, {"1100", "400"}};
    for (const auto& a : attendus) {
        QTest::keyClick(form1.get(), Qt::Key_F4);
        EXPECT_EQ(form1->Edit_max_y1->text(), QLatin1String(a.max));
        EXPECT_EQ(form1->Edit_min_y1->text(), QLatin1String(a.min));
    }
    EXPECT_EQ(form1->niveau_zoom(), 0);
}

TEST_F(Form1Test, ContrasteRevientAuxCouleursNormales) {
    form1->show();
    const QColor normale = form1->palette().color(QPalette::Window);
    const TCouleur fond = programme.reglages.couleur_fond;
    QTest::keyClick(form1.get(), Qt::Key_F5);
    EXPECT_EQ(form1->mode_contraste(), 1);
    EXPECT_EQ(programme.reglages.couleur_fond, rgb(255, 255, 255));
    QTest::keyClick(form1.get(), Qt::Key_F5);
    EXPECT_EQ(programme.reglages.couleur_fond, rgb(0, 0, 0));
    EXPECT_EQ(form1->palette().color(QPalette::Window), QColor(0, 0, 0));
    QTest::keyClick(form1.get(), Qt::Key_F5);
    EXPECT_EQ(form1->mode_contraste(), 0);
    EXPECT_EQ(programme.reglages.couleur_fond, fond);
    EXPECT_EQ(form1->palette().color(QPalette::Window), normale);
}

} // namespace
