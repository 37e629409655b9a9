#include "app/rapport_fenetres.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>

#include "util/cp1252.h"
#include "util/journal.h"

TRapport_fenetres::TRapport_fenetres(QWidget* f1, std::function<void()> retrace)
    : form1(f1), retrace_courbes(std::move(retrace)) {}

void TRapport_fenetres::relie_parametres(QWidget* f2) {
    form2 = f2;
    controles.clear();
}

QWidget* TRapport_fenetres::controle(const char* objet) {
    const QByteArray nom(objet);
    auto trouve = controles.constFind(nom);
    if (trouve != controles.cend() && !trouve.value().isNull()) return trouve.value();
    QWidget* fenetre = form1;
    QByteArray simple = nom;
    if (nom.startsWith("Form2.")) {
        fenetre = form2;
        simple = nom.mid(6);
    }
    QWidget* w = fenetre ? fenetre->findChild<QWidget*>(QString::fromLatin1(simple)) : nullptr;
    if (w) controles.insert(nom, w);
    return w;
}

void TRapport_fenetres::texte(const char* objet, const QString& t) {
    QWidget* w = controle(objet);
    if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(t);
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(t);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(t);
    else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
        m->setPlainText(t);
}

void TRapport_fenetres::visible(const char* objet, bool v) {
    if (QWidget* w = controle(objet)) w->setVisible(v);
}

void TRapport_fenetres::actif(const char* objet, bool a) {
    if (QWidget* w = controle(objet)) w->setEnabled(a);
}

void TRapport_fenetres::couleur_texte(const char* objet, TCouleur c) {
    if (QWidget* w = controle(objet)) {
        QPalette p = w->palette();
        const QColor couleur(rouge(c), vert(c), bleu(c));
        p.setColor(QPalette::WindowText, couleur);
        p.setColor(QPalette::ButtonText, couleur);
        p.setColor(QPalette::Text, couleur);
        w->setPalette(p);
    }
}

std::array<QPlainTextEdit*, 2> TRapport_fenetres::memos(const char* principal,
                                                        const char* parametres) {
    // Looked up through the cache of controls: the decoded lines arrive at every point.
    return {qobject_cast<QPlainTextEdit*>(controle(principal)),
            qobject_cast<QPlainTextEdit*>(controle(parametres))};
}

void TRapport_fenetres::ligne_decodee(const QByteArray& ligne) {
    const QString texte = depuis_1252(ligne);
    for (QPlainTextEdit* m : memos("Memo2", "Form2.Memo2"))
        if (m) {
            if (m->maximumBlockCount() != nb_lignes_affichees)
                m->setMaximumBlockCount(nb_lignes_affichees);
            m->appendPlainText(texte);
        }
}

void TRapport_fenetres::lignes_effacees() {
    for (QPlainTextEdit* m : memos("Memo2", "Form2.Memo2"))
        if (m) m->clear();
}

void TRapport_fenetres::journal(const QString& ligne) {
    for (QPlainTextEdit* m : memos("Memo1", "Form2.Memo1"))
        if (m) {
            if (m->blockCount() > TJournal::nb_max_lignes) m->clear();
            m->appendPlainText(ligne);
        }
}

void TRapport_fenetres::retrace() {
    if (retrace_courbes) retrace_courbes();
}

void TRapport_fenetres::traite_evenements() {
    QApplication::processEvents();
}

void TRapport_fenetres::message(const QString& texte) {
    QMessageBox::information(form1, QStringLiteral("Probelog"), texte);
}
