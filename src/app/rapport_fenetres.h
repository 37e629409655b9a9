#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "acquisition/rapport.h"

class QPlainTextEdit;

// The report shown in the windows: a control named "X" is the main window's, "Form2.X" the
// parameters window's. Journal lines go to both journal memos (emptied past 100 lines), decoded
// lines to both decoded-line memos.
class TRapport_fenetres : public TRapport {
public:
    TRapport_fenetres(QWidget* form1, std::function<void()> retrace);
    void relie_parametres(QWidget* form2);

    void texte(const char* objet, const QString& texte) override;
    void visible(const char* objet, bool visible) override;
    void couleur_texte(const char* objet, TCouleur couleur) override;
    void actif(const char* objet, bool actif) override;
    void ligne_decodee(const QByteArray& ligne) override;
    void lignes_effacees() override;
    void journal(const QString& ligne) override;
    void retrace() override;
    void traite_evenements() override;
    void message(const QString& texte) override;

    // The decoded-line memos show the latest lines only: the whole list is in the core and is
    // what the files are made of; a memo of millions of lines would slow the window down.
    static constexpr int nb_lignes_affichees = 3000;

private:
    QWidget* controle(const char* objet);
    std::array<QPlainTextEdit*, 2> memos(const char* principal, const char* parametres);

    QPointer<QWidget> form1;
    QPointer<QWidget> form2;
    std::function<void()> retrace_courbes;
    QHash<QByteArray, QPointer<QWidget>> controles;
};
