#pragma once

#include <gtest/gtest.h>

#include <QDateTime>

#include "acquisition/decodeur.h"
#include "acquisition/programme.h"
#include "acquisition/rapport_memoire.h"

// A report that also keeps the decoded lines in order and the last point handed to the charts.
class Rapport_essai : public TRapport_memoire {
public:
    void ligne_decodee(const QByteArray& ligne) override {
        TRapport_memoire::ligne_decodee(ligne);
        lignes.append(ligne);
    }
    void point_ajoute(std::int32_t n, const TMesure& point) override {
        dernier_n = n;
        dernier_point = point;
    }
    QList<QByteArray> lignes;
    std::int32_t dernier_n = -1;
    TMesure dernier_point{};
};

// A conductivity meter that writes "Cond 1234.6 µS/cm 22.9 °C", read with a clock the test
// moves by hand.
class Decodeur_essai : public ::testing::Test {
public:
    // "Cond <valeur> <unité> <température> °C" as the loops hand it over (wide text, µ U+00B5).
    static QString ligne(const char* valeur, const char* unite = "\xB5S/cm",
                         const char* temperature = "22.9") {
        return QStringLiteral("Cond %1 %2 %3 \u00B0C  ")
            .arg(QLatin1String(valeur), QString::fromLatin1(unite), QLatin1String(temperature));
    }

protected:
    void SetUp() override {
        TMultimetre& m = programme.multimetre_actif;
        m.repere[1] = m.repere[2] = "Cond";
        m.grandeur[1] = "conductivit\xE9";
        m.grandeur[2] = "temp\xE9rature";
        m.unite[1] = "S/cm";
        m.unite[2] = "\xB0"
                     "C";
        m.separateur[1] = m.separateur[2] = ' ';
        m.occurence[1] = 2;
        m.occurence[2] = 4;
        m.y_max[1] = 750, m.y_min[1] = 700, m.y_graduation[1] = 50;
        m.y_max[2] = 30, m.y_min[2] = 10, m.y_graduation[2] = 5;
        m.couleur[1] = rgb(0, 100, 255);
        TReglages& r = programme.reglages;
        r.mode_demo = false;
        r.prefixe = "Forage1";
        r.nom_multimetre = "Multi 3430";
        r.nb_decimale_1 = "\xB5=0;m=3;k=1;F=3";
        r.signe_decimal_fichier = 1;
        programme.horloge = [this] { return maintenant; };
        contexte.texte_heure = "26.09.2009 04:19:39";
    }

    bool decode(const QString& texte,
                TVariante_decodeur variante = TVariante_decodeur::caracteres) {
        return decode_enregistrement(programme, rapport, variante, texte, contexte);
    }
    // n points of the given value, `pas` seconds apart.
    void decode_serie(int n, const char* valeur, int pas = 1) {
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(decode(ligne(valeur)));
            maintenant = maintenant.addSecs(pas);
        }
    }
    QString texte(const char* objet) const { return rapport.texte_de(objet); }
    const TMesure& point(int n) const { return programme.stock.point(n); }

    TProgramme programme;
    Rapport_essai rapport;
    TContexte_decodage contexte;
    QDateTime maintenant{QDate(2024, 5, 1), QTime(14, 0, 0)};
};
