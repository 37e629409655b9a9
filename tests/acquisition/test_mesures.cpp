#include <gtest/gtest.h>

#include "acquisition/mesures.h"

TEST(Stock_mesures, CroissanceParPasDeDixMilleSansPerte) {
    TStock_mesures stock;
    stock.alloue_initial();
    ASSERT_EQ(stock.capacite_mesures, 10000);
    ASSERT_EQ(stock.mesures.size(), 10000u);
    // Points 1 to 9 999 fit; with 9 999 held, storing the next one first grows the store to 20 000.
    for (int n = 1; n <= 10001; ++n) {
        stock.prepare_point_suivant();
        stock.nb_mesures = n;
        stock.point(n).grandeur1 = n;
        ASSERT_GT(stock.capacite_mesures, stock.nb_mesures);
        ASSERT_EQ(stock.mesures.size(), size_t(stock.capacite_mesures));
        if (n == 9999) {
            EXPECT_EQ(stock.capacite_mesures, 10000);
        }
        if (n == 10000) {
            EXPECT_EQ(stock.capacite_mesures, 20000);
        }
    }
    for (int n : {1, 9998, 9999, 10000, 10001})
        EXPECT_EQ(stock.point(n).grandeur1, n);
    // New elements are zeroed.
    EXPECT_EQ(stock.point(10002).grandeur1, 0);
    EXPECT_TRUE(stock.point(10002).texte_heure().isEmpty());
}

TEST(Stock_mesures, RemplacementGardeUneMargeDeDixMille) {
    TStock_mesures stock;
    stock.alloue_initial();
    std::vector<TMesure> points(25001, TMesure{});
    points[25000].grandeur1 = 42;
    stock.remplace(std::move(points), 25000);
    EXPECT_EQ(stock.nb_mesures, 25000);
    EXPECT_EQ(stock.capacite_mesures, 35000);
    EXPECT_EQ(stock.point(25000).grandeur1, 42);
    // Continuing after a loaded file never resizes below the points held.
    for (int n = 25001; n <= 35001; ++n) {
        stock.prepare_point_suivant();
        stock.nb_mesures = n;
    }
    EXPECT_GT(stock.capacite_mesures, stock.nb_mesures);
    EXPECT_EQ(stock.point(25000).grandeur1, 42);
}

TEST(Stock_mesures, PointCompactEtHeureCoupeeA80Caracteres) {
    // A million points must stay under 150 MB.
    EXPECT_LE(sizeof(TMesure) * 1000000, 150u * 1000 * 1000);
    TMesure m{};
    m.fixe_heure(QByteArray(200, 'x'));
    EXPECT_EQ(m.texte_heure(), QByteArray(80, 'x'));
    m.fixe_heure("26/09/2009 04:19:39");
    EXPECT_EQ(m.texte_heure(), QByteArray("26/09/2009 04:19:39"));
    m.fixe_heure(QByteArray("a\0b", 3));
    EXPECT_EQ(m.texte_heure(), QByteArray("a"));
}

TEST(Etat_acquisition, ReinitialisationGardeAllocationHeureT0EtReprise) {
    TStock_mesures stock;
    stock.alloue_initial();
    for (int n = 1; n <= 15000; ++n)
        stock.prepare_point_suivant(), stock.nb_mesures = n;
    TEtat_acquisition etat;
    etat.indice_t0 = 120;
    etat.heure_t0 = QDateTime(QDate(2024, 5, 1), QTime(14, 5, 30));
    etat.reprise = true;
    etat.base = 12;
    etat.aire = 3;
    etat.max_lu1 = 900;
    etat.min_lu2 = 3;
    etat.compteur_demo = 7;
    etat.nb_lectures = 99;
    etat.arret = true;
    etat.nb_lignes_rejetees = 4;
    reinitialise_acquisition(stock, etat);
    EXPECT_EQ(stock.nb_mesures, 0);
    EXPECT_EQ(stock.capacite_mesures, 20000);
    EXPECT_FALSE(etat.t0_marque());
    EXPECT_EQ(etat.heure_t0, QDateTime(QDate(2024, 5, 1), QTime(14, 5, 30)));
    EXPECT_TRUE(etat.reprise);
    EXPECT_EQ(etat.base, 0);
    EXPECT_EQ(etat.aire, 0);
    EXPECT_EQ(etat.max_lu1, 0);
    EXPECT_EQ(etat.min_lu1, 1000000);
    EXPECT_EQ(etat.min_lu2, 1000000);
    EXPECT_EQ(etat.compteur_demo, 0);
    EXPECT_EQ(etat.nb_lectures, 0);
    EXPECT_FALSE(etat.arret);
    EXPECT_EQ(etat.nb_lignes_rejetees, 0);
}

TEST(Etat_acquisition, LongueLigneDeBaseResteLigneDeBase) {
    // A baseline of a day and more at one record a second is never taken for tracing points.
    TEtat_acquisition etat;
    for (int n : {1, 31999, 32000, 100000, 5000000})
        EXPECT_FALSE(etat.est_point_tracage(n)) << n;
    etat.indice_t0 = 0; // t0 marked before the first point: every point is a tracing point
    EXPECT_TRUE(etat.est_point_tracage(1));
    etat.indice_t0 = 3;
    EXPECT_FALSE(etat.est_point_tracage(2));
    EXPECT_TRUE(etat.est_point_tracage(3));
}
