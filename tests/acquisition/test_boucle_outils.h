#pragma once

#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>

#include "acquisition/programme.h"
#include "acquisition/rapport_memoire.h"
#include "acquisition/sources.h"
#include "util/cp1252.h"

// A report that keeps the decoded lines in order.
class Rapport_boucle : public TRapport_memoire {
public:
    void ligne_decodee(const QByteArray& ligne) override {
        TRapport_memoire::ligne_decodee(ligne);
        lignes.append(ligne);
    }
    bool journal_contient(const QString& ligne) const { return tout_le_journal.contains(ligne); }
    QList<QByteArray> lignes;
};

// Lines handed one by one; the source ends after the last one (with a reason when given).
class Source_liste : public TSource_lignes {
public:
    explicit Source_liste(QStringList lignes, QString raison = {})
        : lignes(std::move(lignes)), raison(std::move(raison)) {}
    bool ligne_suivante(QString& ligne) override {
        if (suivante >= lignes.size()) return false;
        ligne = lignes.at(suivante++);
        return true;
    }
    QString raison_fin() const override { return raison; }
    QStringList lignes;
    QString raison;
    int suivante = 0;
};

// What a minimal port would return for each piece of received text: all but the line end.
class Source_morceaux : public TSource_caracteres {
public:
    explicit Source_morceaux(QStringList morceaux, QString raison = {})
        : morceaux(std::move(morceaux)), raison(std::move(raison)) {}
    bool lit(QString& texte, int& nombre) override {
        if (suivant >= morceaux.size()) return false;
        const QString recu = morceaux.at(suivant++);
        nombre = int(recu.size());
        texte = nombre < 3 ? QString() : recu.left(nombre - 2);
        return true;
    }
    QString raison_fin() const override { return raison; }
    QStringList morceaux;
    QString raison;
    int suivant = 0;
};

// The example instrument of the table (a conductivity meter, fields by spaces), read with a
// clock that moves one second at each reading, no real waits.
class Boucle_essai : public ::testing::Test {
protected:
    void SetUp() override {
        programme.tableau.remplit_exemple();
        // One time of day per line: two ':' in the time marker.
        cellule("rep hms", "::");
        TReglages& r = programme.reglages;
        r.mode_demo = false;
        r.nom_multimetre = "WTW3430";
        r.signe_decimal_fichier = 1;
        r.nb_decimale_1 = "\xB5=0;m=3;k=1;F=3";
        programme.horloge = [this] {
            maintenant = maintenant.addSecs(1);
            return maintenant;
        };
        programme.attente = [this](int ms) { attentes.append(ms); };
    }
    void cellule(const char* titre, const QByteArray& texte, int decalage = 0) {
        programme.tableau.ecrit_cellule_active(texte, vers_1252(QString::fromUtf8(titre)),
                                               decalage);
    }
    double g1(int n) const { return programme.stock.point(n).grandeur1; }
    double g2(int n) const { return programme.stock.point(n).grandeur2; }
    std::int32_t nb_mesures() const { return programme.stock.nb_mesures; }

    TProgramme programme;
    Rapport_boucle rapport;
    QDateTime maintenant{QDate(2024, 5, 1), QTime(14, 0, 0)};
    QList<int> attentes;
};
