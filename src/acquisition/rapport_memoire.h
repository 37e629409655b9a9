#pragma once

#include <QHash>
#include <QStringList>
#include <functional>

#include "acquisition/rapport.h"
#include "util/journal.h"

// A report kept in memory: the latest text of every control, the journal, the messages.
// The command-line runner and the tests use it where the windows would show things.
class TRapport_memoire : public TRapport {
public:
    void texte(const char* objet, const QString& t) override {
        textes.insert(QString::fromLatin1(objet), t);
    }
    void visible(const char* objet, bool v) override {
        visibles.insert(QString::fromLatin1(objet), v);
    }
    void couleur_texte(const char* objet, TCouleur c) override {
        couleurs.insert(QString::fromLatin1(objet), c);
    }
    void actif(const char* objet, bool a) override { actifs.insert(QString::fromLatin1(objet), a); }
    void journal(const QString& ligne) override {
        le_journal.ecrit(ligne);
        tout_le_journal.append(ligne);
    }
    void ligne_decodee(const QByteArray&) override { ++nb_lignes_decodees; }
    void retrace() override { ++nb_retraces; }
    void traite_evenements() override {
        if (a_chaque_passage) a_chaque_passage();
    }
    void message(const QString& t) override { messages.append(t); }

    QString texte_de(const char* objet) const { return textes.value(QString::fromLatin1(objet)); }

    QHash<QString, QString> textes;
    QHash<QString, bool> visibles;
    QHash<QString, TCouleur> couleurs;
    QHash<QString, bool> actifs;
    TJournal le_journal;
    QStringList tout_le_journal; // every journal line (tests look back further than 100)
    QStringList messages;
    int nb_lignes_decodees = 0;
    int nb_retraces = 0;
    // Called at every pass of a loop (tests mark t0 or stop from here).
    std::function<void()> a_chaque_passage;
};
