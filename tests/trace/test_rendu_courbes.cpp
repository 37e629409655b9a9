#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <limits>
#include <vector>

#include "outils_tests.h"
#include "trace/rendu_courbes.h"

namespace {

constexpr QRgb blanc = qRgb(255, 255, 255);
constexpr QRgb gris_grille = qRgb(192, 192, 192);
constexpr QRgb couleur1 = qRgb(0, 100, 255);
constexpr QRgb inverse1 = qRgb(255, 155, 0); // baseline points of quantity 1
constexpr QRgb couleur2 = qRgb(200, 0, 88);
constexpr QRgb inverse2 = qRgb(55, 255, 167);
constexpr QRgb couleur_barre = qRgb(160, 250, 245);
constexpr double non_nombre = std::numeric_limits<double>::quiet_NaN();
constexpr double infini = std::numeric_limits<double>::infinity();

// A plot of 460 x 260 pixels: with indices 0..9, x(i) = 30 + 40 i, and with the limits 0..100,
// y(v) = 230 - 2 v in the whole band.
struct Trace {
    TProgramme programme;
    TOptions_trace options;
    QImage image;

    explicit Trace(int largeur = 460, int hauteur = 260)
        : image(largeur, hauteur, QImage::Format_RGB32) {
        image.fill(Qt::black); // whatever the redraw forgets shows
        TMultimetre& m = programme.multimetre_actif;
        for (int q = 1; q <= 2; ++q) {
            m.y_min[q] = 0;
            m.y_max[q] = 100;
            m.y_graduation[q] = 20;
            m.epaisseur[q] = 3;
        }
        m.couleur[1] = rgb(0, 100, 255);
        m.couleur[2] = rgb(200, 0, 88);
        options.integrale = false;
    }

    // Points 1..n; the plot spans indices 0..n as after an acquisition reset.
    void points(const std::vector<double>& g1, const std::vector<double>& g2 = {}) {
        std::vector<TMesure> v(g1.size() + 1);
        for (size_t i = 0; i < g1.size(); ++i) {
            v[i + 1].grandeur1 = g1[i];
            v[i + 1].grandeur2 = i < g2.size() ? g2[i] : 0;
        }
        programme.stock.remplace(std::move(v), std::int32_t(g1.size()));
        programme.etat.premier_trace = 0;
        programme.etat.dernier_trace = std::int32_t(g1.size());
    }

    void trace() { retrace_courbes(image, programme, options); }

    int x(int i) const {
        const auto& e = programme.etat;
        return 30 + int(std::nearbyint(double(image.width() - 60) * (i - e.premier_trace) /
                                       (e.dernier_trace - e.premier_trace + 1)));
    }
    int y(double v, int q = 1) const {
        const int H = image.height();
        const int T = options.grandeur2 && q == 2 ? H / 2 : 0;
        const int B = options.grandeur2 ? H / 2 : H;
        const TMultimetre& m = programme.multimetre_actif;
        return T + B - 30 -
               int(std::nearbyint((v - m.y_min[q]) / (m.y_max[q] - m.y_min[q]) * (B - 60)));
    }
    QRgb px(int x, int y) const { return image.pixel(x, y); }

    int compte(QRgb couleur, QRect zone = {}) const {
        if (zone.isNull()) zone = image.rect();
        zone &= image.rect();
        int n = 0;
        for (int yy = zone.top(); yy <= zone.bottom(); ++yy)
            for (int xx = zone.left(); xx <= zone.right(); ++xx)
                n += px(xx, yy) == couleur;
        return n;
    }
    // Longest horizontal run of grid colour in the whole surface.
    int plus_longue_ligne_grise() const {
        int meilleur = 0;
        for (int yy = 0; yy < image.height(); ++yy) {
            int n = 0;
            for (int xx = 0; xx < image.width(); ++xx) {
                n = px(xx, yy) == gris_grille ? n + 1 : 0;
                meilleur = std::max(meilleur, n);
            }
        }
        return meilleur;
    }
};

} // namespace

// ---- the pieces with their worked examples ----

TEST(RenduPieces, ArrondiAuPairPasArrondiPasTemps) {
    for (auto [v, attendu] : std::vector<std::pair<double, std::int64_t>>{
             {842.5, 842}, {843.5, 844}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3}})
        EXPECT_EQ(arrondi_pixel(v), attendu) << v;

    for (auto [a, attendu] : std::vector<std::pair<double, double>>{{7, 1},
                                                                    {12, 2},
                                                                    {40, 5},
                                                                    {100, 20},
                                                                    {350, 50},
                                                                    {999, 100},
                                                                    {1, 1},
                                                                    {0, 1},
                                                                    {-5, 1},
                                                                    {1e6, 200000},
                                                                    {infini, 1},
                                                                    {non_nombre, 1}})
        EXPECT_EQ(pas_arrondi(a), attendu) << a;

    for (auto [dernier, attendu] : std::vector<std::pair<int, int>>{{0, 1},
                                                                    {19, 1},
                                                                    {20, 5},
                                                                    {119, 5},
                                                                    {120, 60},
                                                                    {599, 60},
                                                                    {600, 300},
                                                                    {1799, 300},
                                                                    {1800, 900},
                                                                    {3599, 900},
                                                                    {3600, 1800},
                                                                    {7199, 1800},
                                                                    {7200, 3600},
                                                                    {14399, 3600},
                                                                    {14400, 7200},
                                                                    {1000000, 7200}})
        EXPECT_EQ(pas_temps(dernier), attendu) << dernier;
}

TEST(RenduPieces, EtiquettesDeTemps) {
    struct Cas {
        int indice;
        double intervalle;
        const char* attendu;
    } cas[] = {
        {16, 5, "01:15"},
        {746, 5, "01:02:05"},
        {3601, 10, "10:00:00"},
        {0, 10, "00:00"},
        {1, 10, "00:00"},
        {500, 0, "00:00"}, // empty interval cell
        {301, 10, "50:00"},
        {601, 10, "01:40:00"},
        {2000001, 3600, "2000000:00:00"}, // no overflow on long runs
    };
    for (const Cas& c : cas)
        EXPECT_EQ(texte_temps(c.indice, c.intervalle), QString::fromLatin1(c.attendu))
            << c.indice << " x " << c.intervalle;
}

TEST(RenduPieces, EtiquettesDeValeurSelonLaGraduation) {
    struct Cas {
        double valeur, graduation;
        const char* virgule;
        const char* point;
    } cas[] = {
        {1.5, 0.005, " 1,50 ", " 1.50 "}, {1.5, 0.0005, "1,500 ", "1.500 "},
        {1.5, 0.5, "  1,5 ", "  1.5 "},   {750, 5, "  750 ", "  750 "},
        {-20, 50, "  -20 ", "  -20 "},    {123456, 1000, "123456 ", "123456 "},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(texte_valeur(c.valeur, c.graduation), QString::fromLatin1(c.virgule))
            << c.graduation;
        Locale_temporaire en(QStringLiteral("en_US"));
        EXPECT_EQ(texte_valeur(c.valeur, c.graduation), QString::fromLatin1(c.point))
            << c.graduation;
    }
}

TEST(RenduPieces, PasDesPointsSelonLeBudget) {
    struct Cas {
        int largeur, premier, dernier, nb_mesures, attendu;
    } cas[] = {
        {1685, 0, 2000, 2000, 2}, // budget 842: every second point
        {1685, 0, 1000, 1000, 1}, {1685, 0, 1000000, 1000000, 1188},
        {1685, 0, 400, 2000, 1}, // the test is against nb_mesures, the stride on the range
        {1, 0, 2000, 2000, 2},   // a budget of 0 becomes 840
        {460, 0, 701, 701, 3},    {460, 10, 5, 701, 1}, // empty range
    };
    for (const Cas& c : cas)
        EXPECT_EQ(pas_points(c.largeur, c.premier, c.dernier, c.nb_mesures), c.attendu)
            << c.largeur << " " << c.dernier;
}

TEST(RenduFenetre, DispositionAuRedimensionnement) {
    struct Cas {
        TMesures_fenetre f;
        int panel;
        bool memo, entete, options, prefixe;
    } cas[] = {
        {{1685, 900, 300, 250, 1000, 200}, 565, true, true, true, true},
        {{1279, 700, 300, 200, 1000, 200}, 365, false, false, false, true},
        {{1280, 700, 300, 201, 1060, 200}, 365, true, true, true, false}, // 1280 = 1060+200+20
        {{1000, 300, 300, 0, 1100, 200}, -35, false, false, false, false},
    };
    for (const Cas& c : cas) {
        const TDisposition_fenetre d = calcule_disposition(c.f);
        EXPECT_EQ(d.hauteur_panel1, c.panel) << c.f.largeur_fenetre;
        EXPECT_EQ(d.memo2_visible, c.memo) << c.f.largeur_fenetre;
        EXPECT_EQ(d.entete_visible, c.entete) << c.f.largeur_fenetre;
        EXPECT_EQ(d.options_visibles, c.options) << c.f.largeur_fenetre;
        EXPECT_EQ(d.prefixe_visible, c.prefixe) << c.f.largeur_fenetre;
    }
    const TPosition_titres t = position_titres(1685, 435);
    EXPECT_EQ(t.gauche, 742);
    EXPECT_EQ(t.haut_grandeur2, 217);

    QImage image;
    ajuste_surface(image, 300, 200);
    EXPECT_EQ(image.size(), QSize(300, 200));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
}

// ---- the picture ----

TEST(Rendu, GrillesEtEtiquettes) {
    Trace t;
    t.points(std::vector<double>(9, 90));
    t.trace();
    // A time tick at every index (last < 20), index 0 included; background between them.
    EXPECT_EQ(t.px(t.x(0), 120), gris_grille);
    EXPECT_EQ(t.px(t.x(3), 120), gris_grille);
    EXPECT_EQ(t.px(t.x(0) + 20, 120), blanc);
    // The value grid every 20 from 0 to 100, from x = 30 to W - 30.
    for (int v : {0, 20, 40, 60, 80, 100})
        EXPECT_EQ(t.px(250, t.y(v)), gris_grille) << v;
    EXPECT_EQ(t.px(250, t.y(50)), blanc);
    EXPECT_EQ(t.px(t.image.width() - 20, t.y(40)), blanc);
    // Value labels in the left margin on their line, time labels under the area.
    EXPECT_LT(t.compte(blanc, QRect(0, t.y(40) - 8, 30, 12)), 30 * 12);
    EXPECT_EQ(t.compte(blanc, QRect(0, t.y(40) + 8, 30, 12)), 30 * 12); // between labels
    EXPECT_LT(t.compte(blanc, QRect(t.x(5) - 12, 260 - 25, 24, 12)), 24 * 12);
}

TEST(Rendu, GrilleDeTempsSelonLeDernierIndice) {
    for (auto [n, pas] : std::vector<std::pair<int, int>>{{19, 1}, {20, 5}, {130, 60}}) {
        Trace t;
        t.points(std::vector<double>(size_t(n), 90));
        t.trace();
        for (int i = 1; i <= n; ++i) {
            const bool tick = (i - 1) % pas == 0;
            // Between two value lines, away from the dots.
            EXPECT_EQ(t.px(t.x(i), t.y(50)) == gris_grille, tick) << n << " index " << i;
        }
    }
}

TEST(Rendu, PointsAvantEtApresT0EtBarresIntegrales) {
    Trace t;
    t.points(std::vector<double>(9, 50));
    t.programme.etat.base = 20;
    t.programme.etat.indice_t0 = 5;
    t.options.integrale = true;
    t.trace();
    const int y = t.y(50);
    for (int i = 1; i <= 9; ++i) {
        // Off the segment through the centres; the disc has radius 3.
        EXPECT_EQ(t.px(t.x(i), y - 3), i >= 5 ? couleur1 : inverse1) << i;
        EXPECT_NE(t.px(t.x(i), y - 4), i >= 5 ? couleur1 : inverse1) << i;
        EXPECT_EQ(t.px(t.x(i) + 2, y - 2), i >= 5 ? couleur1 : inverse1) << i;
        EXPECT_NE(t.px(t.x(i) + 3, y - 2), i >= 5 ? couleur1 : inverse1) << i;
    }
    // Segments join the centres in the quantity's colour.
    EXPECT_EQ(t.px(t.x(2) + 20, y), couleur1);
    // Bars from the point down to the baseline, from t0 on; width round(460 x 1.2 / 10) = 55.
    const int y_base = t.y(20);
    EXPECT_EQ(t.px(t.x(7), (y + y_base) / 2), couleur_barre);
    EXPECT_EQ(t.px(t.x(7) + 27, (y + y_base) / 2), couleur_barre);
    EXPECT_EQ(t.px(t.x(7), y_base), couleur_barre);
    EXPECT_NE(t.px(t.x(7), y_base + 2), couleur_barre);
    EXPECT_NE(t.px(t.x(3), (y + y_base) / 2), couleur_barre); // before t0

    // Unchecked: no bar.
    t.options.integrale = false;
    t.trace();
    EXPECT_EQ(t.compte(couleur_barre), 0);

    // t0 not marked: every dot is a baseline dot and no bar shows, even when checked.
    t.options.integrale = true;
    t.programme.etat.indice_t0 = indice_t0_non_marque;
    t.trace();
    EXPECT_EQ(t.compte(couleur_barre), 0);
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(t.px(t.x(i), y - 3), inverse1) << i;
}

TEST(Rendu, DeuxBandesBarresSeulementPourLaGrandeur1) {
    Trace t(460, 520);
    t.options.grandeur2 = true;
    t.options.integrale = true;
    t.programme.multimetre_actif.y_min[2] = 10;
    t.programme.multimetre_actif.y_max[2] = 30;
    t.programme.multimetre_actif.y_graduation[2] = 5;
    t.points(std::vector<double>(9, 60), std::vector<double>(9, 25));
    t.programme.etat.indice_t0 = 3;
    t.trace();
    EXPECT_EQ(t.px(t.x(2), t.y(60) - 3), inverse1);
    EXPECT_EQ(t.px(t.x(6), t.y(60) - 3), couleur1);
    EXPECT_EQ(t.px(t.x(2), t.y(25, 2) - 3), inverse2);
    EXPECT_EQ(t.px(t.x(6), t.y(25, 2) - 3), couleur2);
    EXPECT_GT(t.compte(couleur_barre, QRect(0, 0, 460, 260)), 0);
    EXPECT_EQ(t.compte(couleur_barre, QRect(0, 260, 460, 260)), 0);
    // Each band has its own value grid: 10..30 by 5 in the lower one.
    EXPECT_EQ(t.px(250, t.y(15, 2)), gris_grille);
}

TEST(Rendu, ValeursNegativesALeurPlaceEtMaximumDeChaquePas) {
    struct Cas {
        const char* nom;
        int nb;
        std::vector<double> motif; // repeated
        double attendu;            // value shown by every drawn point
    } cas[] = {
        {"pas 1", 9, {-50}, -50},
        {"pas 3, negatifs", 701, {-80, -20, -60}, -20},
        {"pas 3, mixtes", 701, {-80, 40, -60}, 40},
    };
    for (const Cas& c : cas) {
        Trace t;
        t.programme.multimetre_actif.y_min[1] = -100;
        t.programme.multimetre_actif.y_graduation[1] = 50;
        std::vector<double> g(size_t(c.nb));
        // Strides end on indices 1, 4, 7, ...: stride k covers the three indices before it.
        for (size_t i = 0; i < g.size(); ++i)
            g[i] = c.motif[(i + 1) % c.motif.size()];
        t.points(g);
        t.trace();
        const int s = pas_points(460, 0, c.nb, c.nb);
        int dessines = 0;
        for (int i = 1 + s; i <= c.nb; i += s) {
            EXPECT_EQ(t.px(t.x(i), t.y(c.attendu) - 3), inverse1) << c.nom << " index " << i;
            ++dessines;
        }
        EXPECT_GT(dessines, 0) << c.nom;
        EXPECT_NE(t.px(t.x(1 + s), t.y(0) - 3), inverse1) << c.nom; // not at 0
    }
}

TEST(Rendu, LeDernierPointAttendLaFinDeSonPas) {
    Trace t;
    std::vector<double> g(701, 10);
    g.back() = 90; // index 701: (701 - 1) mod 3 = 1, not drawn yet
    t.points(g);
    t.trace();
    EXPECT_EQ(t.compte(inverse1, QRect(0, t.y(90) - 4, 460, 9)), 0);
    g.push_back(10);
    g.push_back(10); // index 703 closes the stride: its maximum is 90
    t.points(g);
    t.trace();
    EXPECT_EQ(t.px(t.x(703), t.y(90) - 3), inverse1);
}

TEST(Rendu, SegmentOmisQuandUneExtremiteSortDeLaSurface) {
    Trace t;
    t.points({50, 50, 300, 50, 50, -300, 50, 50, 50});
    t.trace();
    const int y = t.y(50);
    const int milieu = (t.x(1) + t.x(2)) / 2;
    EXPECT_EQ(t.px(milieu, y), couleur1);
    // From point 2 up to point 3 (above the surface) and back: nothing drawn.
    EXPECT_EQ(t.compte(couleur1, QRect(t.x(2) + 4, 0, t.x(4) - t.x(2) - 8, y - 4)), 0);
    // Point 6 below the surface.
    EXPECT_EQ(t.compte(couleur1, QRect(t.x(5) + 4, y + 4, t.x(7) - t.x(5) - 8, 260)), 0);
    EXPECT_EQ(t.px((t.x(7) + t.x(8)) / 2, y), couleur1);
}

TEST(Rendu, PlusDeCinquanteGraduationsLaisseLaSurfaceVide) {
    const int surface = 460 * 520;
    { // one band: limits 0..1000 by 10
        Trace t(460, 520);
        t.programme.multimetre_actif.y_max[1] = 1000;
        t.programme.multimetre_actif.y_graduation[1] = 10;
        t.points(std::vector<double>(9, 500));
        t.trace();
        EXPECT_EQ(t.compte(blanc), surface);
    }
    { // quantity 2 too fine: the upper band goes too
        Trace t(460, 520);
        t.options.grandeur2 = true;
        t.programme.multimetre_actif.y_graduation[2] = 1;
        t.points(std::vector<double>(9, 50), std::vector<double>(9, 50));
        t.trace();
        EXPECT_EQ(t.compte(blanc), surface);
    }
    { // quantity 1 too fine: only the upper band is blank
        Trace t(460, 520);
        t.options.grandeur2 = true;
        t.programme.multimetre_actif.y_graduation[1] = 1;
        t.points(std::vector<double>(9, 50), std::vector<double>(9, 50));
        t.trace();
        EXPECT_EQ(t.compte(blanc, QRect(0, 0, 460, 260)), 460 * 260);
        EXPECT_GT(t.compte(couleur2, QRect(0, 260, 460, 260)), 0);
    }
}

TEST(Rendu, GraduationNulleRemplaceeEtGardee) {
    Trace t;
    t.programme.multimetre_actif.y_max[1] = 350;
    t.programme.multimetre_actif.y_graduation[1] = 0;
    t.points(std::vector<double>(9, 100));
    const TProgramme& lecture = t.programme;
    EXPECT_EQ(retrace_courbes(t.image, lecture, t.options).graduation[1], 50);
    EXPECT_EQ(t.programme.multimetre_actif.y_graduation[1], 0); // the const call keeps nothing
    t.trace();
    EXPECT_EQ(t.programme.multimetre_actif.y_graduation[1], 50);
    EXPECT_EQ(t.px(250, t.y(50)), gris_grille);
    EXPECT_EQ(t.px(250, t.y(150)), gris_grille);
}

TEST(Rendu, LimitesAbsurdesDonnentUneImageSensee) {
    struct Cas {
        const char* nom;
        double mini, maxi, graduation;
        std::vector<double> valeurs;
    } cas[] = {
        {"min > max", 100, 0, 20, {20, 20, 20}},
        {"min = max", 50, 50, 20, {20, 80, 50}},
        {"graduation negative", 0, 100, -5, {20, 50}},
        {"enormes", -1e300, 1e300, 1e299, {1e299, -1e299, 0}},
        {"pas perdu dans l'arrondi", 1e20, 1e20, 1, {1e20}},
        {"valeurs enormes", 0, 100, 20, {1e300, -1e300, 50, 50}},
        {"min NaN", non_nombre, 100, 20, {20}},
        {"graduation NaN", 0, 100, non_nombre, {20}},
        {"max infini", 0, infini, 20, {20}},
        {"valeurs NaN", 0, 100, 20, {non_nombre, 50, non_nombre, 50}},
    };
    for (const Cas& c : cas) {
        Trace t;
        t.options.integrale = true;
        t.programme.etat.indice_t0 = 0;
        TMultimetre& m = t.programme.multimetre_actif;
        m.y_min[1] = c.mini;
        m.y_max[1] = c.maxi;
        m.y_graduation[1] = c.graduation;
        t.points(c.valeurs);
        t.trace();                                      // returns, whatever the limits
        EXPECT_EQ(t.compte(qRgb(0, 0, 0)), 0) << c.nom; // the background covered everything
    }

    // Upside down: points where the mapping puts them, no value grid.
    Trace t;
    t.programme.multimetre_actif.y_min[1] = 100;
    t.programme.multimetre_actif.y_max[1] = 0;
    t.points({20, 20, 20});
    t.trace();
    EXPECT_EQ(t.px(t.x(2), t.y(20) - 3), inverse1);
    EXPECT_EQ(t.y(20), 70);
    EXPECT_LT(t.plus_longue_ligne_grise(), 10);

    // Equal limits: everything on the top edge.
    Trace egales;
    egales.programme.multimetre_actif.y_min[1] = 50;
    egales.programme.multimetre_actif.y_max[1] = 50;
    egales.points({20, 80, 50});
    egales.trace();
    EXPECT_EQ(egales.px(egales.x(2), 3), inverse1);
    EXPECT_EQ(egales.px(egales.x(2), 0), couleur1); // the segments run along the edge
    EXPECT_EQ(egales.px(420, 0), gris_grille);

    // A stride of NaN alone is not drawn; the numbers around it are.
    Trace trous;
    trous.points({50, non_nombre, 50});
    trous.trace();
    EXPECT_EQ(trous.px(trous.x(1), trous.y(50) - 3), inverse1);
    EXPECT_NE(trous.px(trous.x(2), trous.y(50) - 3), inverse1);
    EXPECT_EQ(trous.px(trous.x(3), trous.y(50) - 3), inverse1);
}

TEST(Rendu, SurfacesEtPlagesDegenerees) {
    for (QSize taille : {QSize(1, 1), QSize(30, 30), QSize(60, 61), QSize(2, 2000)}) {
        Trace t(taille.width(), taille.height());
        t.points({10, 20, 30});
        t.trace();
        EXPECT_EQ(t.compte(qRgb(0, 0, 0)), 0) << taille.width() << "x" << taille.height();
    }
    QImage vide;
    Trace t;
    t.points({10});
    retrace_courbes(vide, t.programme, t.options);
    EXPECT_TRUE(vide.isNull());

    // Range past the store, empty range: nothing read outside the points, background + grid.
    Trace hors;
    hors.points({10, 20});
    hors.programme.etat.dernier_trace = 50000;
    hors.trace();
    Trace vide_plage;
    vide_plage.points({10, 20});
    vide_plage.programme.etat.premier_trace = 5;
    vide_plage.programme.etat.dernier_trace = 2;
    vide_plage.trace();
    EXPECT_EQ(vide_plage.compte(inverse1), 0);
    EXPECT_EQ(vide_plage.px(250, vide_plage.y(40)), gris_grille);
}

TEST(Rendu, IntervalleIllisibleNInterromptPasLeTrace) {
    // The redraw runs inside the acquisition loop: a bad cell must not throw out of it.
    for (const char* cellule : {"0,5", "0.5", "1,2,3", "abc", "", "1E999"}) {
        Trace t;
        t.programme.tableau.ecrit_cellule_active(cellule, "intervalle", 0);
        ASSERT_EQ(t.programme.tableau.lit_cellule_active("intervalle", 0), QByteArray(cellule));
        t.points(std::vector<double>(9, 50));
        EXPECT_NO_THROW(t.trace()) << cellule;
        EXPECT_EQ(t.px(t.x(4), t.y(50) - 3), inverse1) << cellule;
    }
}

TEST(Rendu, ImagePngPourLExecutionSansFenetre) {
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    Trace t;
    t.points({10, 30, 60, 40});
    const QString chemin = dossier.filePath(QStringLiteral("courbes.png"));
    QString erreur;
    ASSERT_TRUE(enregistre_image_courbes(t.programme, t.options, 640, 300, chemin, &erreur))
        << erreur.toStdString();
    QImage relue(chemin);
    ASSERT_EQ(relue.size(), QSize(640, 300));
    QImage attendue(640, 300, QImage::Format_RGB32);
    retrace_courbes(attendue, static_cast<const TProgramme&>(t.programme), t.options);
    EXPECT_EQ(relue.convertToFormat(QImage::Format_RGB32), attendue);

    EXPECT_FALSE(enregistre_image_courbes(t.programme, t.options, 0, 300, chemin, &erreur));
    EXPECT_EQ(erreur, QStringLiteral("Taille d'image incorrecte : 0 x 300"));
    const QString impossible = dossier.filePath(QStringLiteral("absent/courbes.png"));
    EXPECT_FALSE(enregistre_image_courbes(t.programme, t.options, 640, 300, impossible, &erreur));
    EXPECT_EQ(erreur, QStringLiteral("Impossible de créer le fichier ") + impossible);
    EXPECT_FALSE(QFile::exists(impossible));
}

TEST(RenduPieces, EcritAligneSelonLesCodes) {
    // Ink box of "88" (no descender) written at (100, 50) with each pair of codes.
    struct Cas {
        char h, v;
        bool gauche_de_x, droite_de_x, au_dessus_de_y, au_dessous_de_y;
    } cas[] = {
        {'c', 'L', true, true, true, false},  {'g', 'L', true, false, true, false},
        {'d', 'L', false, true, true, false}, {'x', 'h', false, true, true, false},
        {'d', 'b', false, true, false, true}, {'c', 'z', true, true, false, true},
    };
    for (const Cas& c : cas) {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPixelSize(11);
            p.setFont(f);
            p.setPen(Qt::black);
            ecrit_aligne(p, 100, 50, QStringLiteral("88"), c.h, c.v);
        }
        QRect encre;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != blanc) encre |= QRect(x, y, 1, 1);
        ASSERT_FALSE(encre.isNull()) << c.h << c.v;
        EXPECT_EQ(encre.left() < 100, c.gauche_de_x) << c.h << c.v;
        EXPECT_EQ(encre.right() > 100, c.droite_de_x) << c.h << c.v;
        EXPECT_EQ(encre.top() < 50, c.au_dessus_de_y) << c.h << c.v;
        EXPECT_EQ(encre.bottom() > 50, c.au_dessous_de_y) << c.h << c.v;
        if (c.v == 'h') {
            EXPECT_LT(encre.bottom(), 48) << "bottom on y, baseline above it";
        }
    }
}
