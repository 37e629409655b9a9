// Record files from the main window: the save on demand with its report, the periodic save,
// the clipboard and the text editor.

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QToolButton>
#include <QUrl>

#include "acquisition/fichier_enregistrement.h"
#include "app/fenetre_principale.h"

namespace {
TExtremes_affiches extremes_de(const QLabel* max_lu, const QLabel* min_lu) {
    TExtremes_affiches e;
    e.max_lu = max_lu->text();
    e.min_lu = min_lu->text();
    return e;
}
} // namespace

QString TForm1::sauvegarde_lignes() {
    return sauvegarde(programme.enregistrement.sauvegarde_auto_en_cours);
}

QString TForm1::sauvegarde(bool periodique) {
    // The working folder: the one of the settings, else the user's documents folder, shown in
    // the folder field so the operator knows where the files go.
    QString& dossier = programme.reglages.repertoire_travail;
    if (dossier.trimmed().isEmpty() || !QDir(dossier).exists()) {
        dossier = avec_antislash(QDir::toNativeSeparators(
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
        QDir().mkpath(dossier);
        Edit_repertoire->setText(dossier);
    }
    const TResultat_sauvegarde r =
        periodique ? sauvegarde_periodique(programme, rapport(),
                                           extremes_de(Label_y1_max_lu, Label_y1_min_lu))
                   : ::sauvegarde_lignes(programme, rapport(),
                                         extremes_de(Label_y1_max_lu, Label_y1_min_lu));
    if (!r.erreur.isEmpty()) {
        // The lines stay counted as unsaved: the next save tries again.
        if (!periodique)
            QMessageBox::warning(this, QStringLiteral("Probelog"), r.erreur);
        else
            rapport().journal(r.erreur);
        return QString();
    }
    if (!r.ecrit()) return QString();
    // The full path of the latest file, for the operator who hovers over the save time.
    Label11->setToolTip(r.chemin);
    if (QClipboard* presse_papier = QApplication::clipboard())
        presse_papier->setText(r.texte_presse_papier);
    if (r.ouvrir_editeur) ouvre_dans_blocnote(r.dossier, r.nom_fichier);
    return r.chemin;
}

void TForm1::enregistrer_donnees() {
    const QString chemin = sauvegarde_lignes();
    SpeedButton_annuler->hide();
    if (chemin.isEmpty()) return;
    Label_mess->setText(texte_compte_rendu_sauvegarde(programme, chemin));
    Panel_question->resize(largeur_texte(Label_mess->text(), 641), Panel_question->height());
    Label_mess->resize(Panel_question->width() - 32, Label_mess->height());
    Label_mess->repaint();
    Panel_question->repaint();
}

void TForm1::Timer1Timer() {
    // Silent: a failure goes to the journal and the next period tries again.
    sauvegarde(true);
}

void TForm1::ouvre_dans_blocnote(const QString& dossier, const QString& nom) {
    const QString chemin = QDir(dossier).filePath(nom);
    if (ouverture_fichier) {
        ouverture_fichier(chemin);
        return;
    }
    const QString editeur = QString::fromLatin1(programme.reglages.nom_blocnote).trimmed();
    // The named editor, started without a shell; else the desktop's default application.
    if (!editeur.isEmpty() && QProcess::startDetached(editeur, {QDir::toNativeSeparators(chemin)}))
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
}
