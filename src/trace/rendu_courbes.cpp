#include "trace/rendu_courbes.h"

#include <QFont>
#include <QFontMetrics>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "util/regional.h"

namespace {

constexpr int marge = 30;          // between a band's edges and its plotting area
constexpr int centre_valeurs = 15; // x of the value labels' centre
constexpr int decalage_temps = 15; // time labels below the plotting area
constexpr double max_graduations = 50;
constexpr TCouleur couleur_grille = rgb(192, 192, 192);
constexpr TCouleur couleur_barres = rgb(160, 250, 245);
constexpr double facteur_barre = 1.2;
constexpr int barre_min = 3;
constexpr int barre_max = 200;
constexpr int budget_defaut = 840;
// Far enough outside any surface to draw nothing there, small enough for int arithmetic:
// absurd limits or values must not overflow the pixel coordinates.
constexpr double limite_pixel = 1 << 22;
constexpr int rayon_max = 1000;

QColor en_qcolor(TCouleur c) {
    return QColor(rouge(c), vert(c), bleu(c));
}
QRgb en_qrgb(TCouleur c) {
    return qRgb(rouge(c), vert(c), bleu(c));
}

// The canvas' default font of the original surface was an 8-point sans-serif: 11 pixels.
const QFont& police_trace() {
    static const QFont police = [] {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setPixelSize(11);
        return f;
    }();
    return police;
}

int borne_pixel(double v) {
    return int(std::clamp(v, -limite_pixel, limite_pixel));
}

enum class TBande { entiere, haute, basse };

struct TGeometrie_bande {
    int T = 0; // top row
    int B = 0; // height
};

TGeometrie_bande geometrie(TBande bande, int H) {
    switch (bande) {
    case TBande::entiere:
        return {0, H};
    case TBande::haute:
        return {0, H / 2};
    case TBande::basse:
        return {H / 2, H / 2};
    }
    return {0, H};
}

// One point drawn: its index and the running value of its stride for each quantity
// (-infinity when the stride held no number).
struct TPoint_dessine {
    std::int32_t indice;
    double valeur[3];
};

// What the bands of one redraw share.
struct TContexte {
    QImage& image;
    const TProgramme& programme;
    const TOptions_trace& options;
    int W;
    int H;
    std::int32_t premier;
    std::int32_t dernier;
    double nb_indices; // dernier - premier + 1
    std::vector<TPoint_dessine> points;
    bool points_lus = false;

    int x_indice(std::int64_t i) const {
        if (nb_indices <= 0) return marge;
        return marge + borne_pixel(double(arrondi_pixel(double(W - 2 * marge) *
                                                        double(i - premier) / nb_indices)));
    }
};

// y of a value in a band; false when it has no place (NaN).
bool y_valeur(double v, const TGeometrie_bande& g, double mini, double maxi, int& y) {
    const double etendue = maxi - mini;
    if (etendue == 0) {
        y = 0; // equal limits put everything on the top edge
        return true;
    }
    const double r = std::nearbyint((v - mini) / etendue * double(g.B - 2 * marge));
    const double yy = double(g.T + g.B - marge) - r;
    if (std::isnan(yy)) return false;
    y = borne_pixel(yy);
    return true;
}

// The whole walk of the store, once per redraw, whatever the number of bands: the running
// maximum of each stride, started at the stride's first value so that negative values keep
// their place. Index 0 is not a point and indices past the store are not read.
template <bool deux_grandeurs> void lit_points(TContexte& c) {
    c.points_lus = true;
    c.points.clear();
    const TStock_mesures& stock = c.programme.stock;
    const std::int64_t debut = std::max<std::int64_t>(c.premier, 1);
    const std::int64_t fin =
        std::min<std::int64_t>(c.dernier, std::int64_t(stock.mesures.size()) - 1);
    if (fin < debut) return;
    const std::int64_t s = pas_points(c.W, c.premier, c.dernier, stock.nb_mesures);
    c.points.reserve(size_t((fin - debut) / s + 2));

    // First drawn index: the first i >= debut with (i - 1) mod s = 0.
    std::int64_t dessine = debut + (s - (debut - 1) % s) % s;
    const TMesure* m = stock.mesures.data() + debut;
    std::int64_t i = debut;
    constexpr double rien = -std::numeric_limits<double>::infinity();
    while (dessine <= fin) {
        double f1 = rien, f2 = rien;
        for (; i <= dessine; ++i, ++m) {
            const double v1 = m->grandeur1;
            f1 = v1 > f1 ? v1 : f1;
            if constexpr (deux_grandeurs) {
                const double v2 = m->grandeur2;
                f2 = v2 > f2 ? v2 : f2;
            }
        }
        c.points.push_back({std::int32_t(dessine), {0, f1, f2}});
        dessine += s;
    }
    // The indices after the last drawn one wait for the next stride: not drawn.
}

// Raw writes into the RGB32 scanlines, clipped to the surface.
class TPixels {
public:
    explicit TPixels(QImage& image)
        : bits(image.bits()), bpl(image.bytesPerLine()), W(image.width()), H(image.height()) {}

    void rectangle(int x0, int y0, int x1, int y1, QRgb c) {
        x0 = std::max(x0, 0);
        y0 = std::max(y0, 0);
        x1 = std::min(x1, W - 1);
        y1 = std::min(y1, H - 1);
        for (int y = y0; y <= y1; ++y)
            std::fill(ligne(y) + x0, ligne(y) + x1 + 1, c);
    }

    // Filled disc from a table of half-widths by row offset.
    void disque(int x, int y, const std::vector<int>& demi_largeurs, QRgb c) {
        const int r = int(demi_largeurs.size() / 2);
        for (int dy = -r; dy <= r; ++dy) {
            const int yy = y + dy;
            if (yy < 0 || yy >= H) continue;
            const int d = demi_largeurs[size_t(dy + r)];
            const int x0 = std::max(x - d, 0);
            const int x1 = std::min(x + d, W - 1);
            if (x0 <= x1) std::fill(ligne(yy) + x0, ligne(yy) + x1 + 1, c);
        }
    }

    // 1-pixel segment, both ends included (Bresenham).
    void segment(int x0, int y0, int x1, int y1, QRgb c) {
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            if (x0 >= 0 && x0 < W && y0 >= 0 && y0 < H) ligne(y0)[x0] = c;
            if (x0 == x1 && y0 == y1) break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }

private:
    QRgb* ligne(int y) { return reinterpret_cast<QRgb*>(bits + qsizetype(y) * bpl); }
    uchar* bits;
    qsizetype bpl;
    int W, H;
};

// Half-widths of a disc of radius r, row by row: the pixels within r + 1/2 of the centre.
std::vector<int> demi_largeurs_disque(int r) {
    std::vector<int> d(size_t(2 * r + 1));
    const std::int64_t seuil = std::int64_t(r) * r + r;
    for (int dy = -r; dy <= r; ++dy) {
        int w = 0;
        while (std::int64_t(w + 1) * (w + 1) + std::int64_t(dy) * dy <= seuil)
            ++w;
        d[size_t(dy + r)] = w;
    }
    return d;
}

QString deux_chiffres(std::int64_t n) {
    return (n < 10 ? QStringLiteral("0") : QString()) + QString::number(n);
}

// The graduation a band is drawn with: a step derived from the range replaces zero or less.
double graduation_bande(const TMultimetre& m, int q) {
    const double g = m.y_graduation[q];
    if (g <= 0) return pas_arrondi(std::trunc(m.y_max[q] - m.y_min[q]));
    return g;
}

// Seconds between two points of quantity q, from the active instrument's "intervalle" cell. A
// redraw runs inside the acquisition loop: a cell that is not a whole number ("0,5") must not
// abandon it, so such a cell is read as a real, and one that is no number at all gives 0.
double intervalle_cellule(const TTableau_multimetres& tableau, int q) {
    double intervalle = 0;
    try {
        intervalle = tableau.entier_cellule_active("intervalle", q - 1);
    } catch (const ErreurConversion&) {
        try {
            intervalle = en_reel(tableau.lit_cellule_active("intervalle", q - 1));
        } catch (const ErreurConversion&) {
            intervalle = 0;
        }
    }
    return std::isfinite(intervalle) ? intervalle : 0;
}

bool trop_de_graduations(double mini, double maxi, double g) {
    return std::nearbyint(std::fabs(maxi - mini) / g) > max_graduations;
}

// Quantity q in one band: background, time grid, value grid, then the points.
void trace_bande(TContexte& c, TBande bande, int q, double intervalle, double g) {
    const TMultimetre& m = c.programme.multimetre_actif;
    const TEtat_acquisition& etat = c.programme.etat;
    const double mini = m.y_min[q];
    const double maxi = m.y_max[q];
    const TGeometrie_bande geo = geometrie(bande, c.H);

    if (trop_de_graduations(mini, maxi, g)) {
        // Both bands go: a lower band that fails also blanks the upper one.
        c.image.fill(en_qrgb(c.options.couleur_fond));
        return;
    }

    {
        QPainter p(&c.image);
        p.setFont(police_trace());
        p.fillRect(QRect(0, geo.T, c.W, geo.B), en_qcolor(c.options.couleur_fond));
        const QPen grille(en_qcolor(couleur_grille), 1);
        const QPen texte(en_qcolor(m.couleur[1]));

        // Time grid: one tick every pas_temps indices, elapsed time under it.
        const std::int64_t p_t = pas_temps(c.dernier);
        std::int64_t i = c.premier;
        const std::int64_t reste = (i - 1) % p_t;
        if (reste != 0) i += reste > 0 ? p_t - reste : -reste;
        for (; i <= c.dernier; i += p_t) {
            const int x = c.x_indice(i);
            p.setPen(grille);
            p.drawLine(x, geo.T + marge, x, geo.T + geo.B - marge);
            p.setPen(texte);
            ecrit_aligne(p, x, geo.T + geo.B - decalage_temps,
                         texte_temps(std::int32_t(i), intervalle), 'c', 'L');
        }

        // Value grid from min up to max; a step lost in the rounding of huge limits must
        // not loop forever.
        int nb = 0;
        for (double v = mini; v <= maxi && nb <= max_graduations; v += g, ++nb) {
            int y;
            if (!y_valeur(v, geo, mini, maxi, y)) break;
            p.setPen(grille);
            p.drawLine(marge, y, c.W - marge, y);
            p.setPen(texte);
            ecrit_aligne(p, centre_valeurs, y + 5, texte_valeur(v, g), 'c', 'L');
            if (v + g == v) break;
        }
    }

    if (c.nb_indices <= 0) return;
    if (!c.points_lus) {
        if (c.options.grandeur2)
            lit_points<true>(c);
        else
            lit_points<false>(c);
    }
    if (c.points.empty()) return;

    TPixels pixels(c.image);
    const int rayon = std::min(std::abs(m.epaisseur[q]), rayon_max);
    const std::vector<int> disque = demi_largeurs_disque(rayon);
    const QRgb couleur = en_qrgb(m.couleur[q]);
    const QRgb couleur_base = en_qrgb(couleur_inverse(m.couleur[q]));
    const QRgb barre = en_qrgb(couleur_barres);
    const bool barres = c.options.integrale && q == 1 && bande != TBande::basse;
    const int largeur_barre = int(std::clamp<std::int64_t>(
        arrondi_pixel(double(c.W) * facteur_barre / c.nb_indices), barre_min, barre_max));
    int y_base = 0;
    const bool base_placee = barres && y_valeur(double(etat.base), geo, mini, maxi, y_base);

    bool precedent = false;
    int px = 0, py = 0;
    for (const TPoint_dessine& pt : c.points) {
        const double f = pt.valeur[q];
        if (f == -std::numeric_limits<double>::infinity()) continue; // a stride of NaN
        const int x = c.x_indice(pt.indice);
        int y;
        if (!y_valeur(f, geo, mini, maxi, y)) continue;
        const bool tracage = pt.indice >= etat.indice_t0;
        if (base_placee && tracage) {
            const int gauche = x - largeur_barre / 2;
            pixels.rectangle(gauche, std::min(y, y_base), gauche + largeur_barre - 1,
                             std::max(y, y_base), barre);
        }
        pixels.disque(x, y, disque, tracage ? couleur : couleur_base);
        if (pt.indice > 1 && pt.indice > c.premier && precedent && x >= px && y >= 0 && y <= c.H &&
            py >= 0 && py <= c.H)
            pixels.segment(px, py, x, y, couleur);
        precedent = true;
        px = x;
        py = y;
    }
}

} // namespace

std::int64_t arrondi_pixel(double valeur) {
    const double r = std::nearbyint(valeur); // the default mode: half to even
    if (!(r > -9.0e18)) return std::numeric_limits<std::int64_t>::min() / 2;
    if (r > 9.0e18) return std::numeric_limits<std::int64_t>::max() / 2;
    return std::int64_t(r);
}

double pas_arrondi(double entier) {
    if (!(entier > 0) || !std::isfinite(entier)) return 1;
    double p = 1;
    while (p * 10 <= entier)
        p *= 10;
    const double c = entier < 2 * p ? 2 * p : entier < 5 * p ? 5 * p : 10 * p;
    const double r = std::floor(c / 10);
    return r == 0 ? 1 : r;
}

int pas_temps(std::int32_t dernier) {
    if (dernier < 20) return 1;
    if (dernier < 120) return 5;
    if (dernier < 600) return 60;
    if (dernier < 1800) return 300;
    if (dernier < 3600) return 900;
    if (dernier < 7200) return 1800;
    if (dernier < 14400) return 3600;
    return 7200;
}

QString texte_temps(std::int32_t indice, double intervalle) {
    double secondes = indice == 0 ? 0 : (double(indice) - 1) * intervalle;
    if (!std::isfinite(secondes)) secondes = 0;
    const auto t = std::int64_t(std::clamp(std::trunc(secondes), -9.0e18, 9.0e18));
    const std::int64_t h = t / 3600;
    const std::int64_t mn = (t % 3600) / 60;
    const std::int64_t s = t % 60;
    QString texte;
    if (h > 0) texte = deux_chiffres(h) + QLatin1Char(':');
    return texte + deux_chiffres(mn) + QLatin1Char(':') + deux_chiffres(s);
}

QString texte_valeur(double valeur, double graduation) {
    int decimales = 0;
    if (!(std::isfinite(graduation) && graduation == std::trunc(graduation))) {
        if (graduation - 0.001 < 0.00001)
            decimales = 3;
        else if (graduation - 0.01 < 0.0001)
            decimales = 2;
        else
            decimales = 1;
    }
    return regional::format_fixe(valeur, 5, decimales) + QLatin1Char(' ');
}

std::int32_t pas_points(int largeur, std::int32_t premier, std::int32_t dernier,
                        std::int32_t nb_mesures) {
    std::int64_t budget = arrondi_pixel(double(largeur) / 2);
    if (budget == 0) budget = budget_defaut;
    std::int64_t s = 1;
    if (budget < nb_mesures)
        s = arrondi_pixel((double(dernier) - double(premier) + 1) / double(budget));
    return std::int32_t(std::clamp<std::int64_t>(s, 1, std::numeric_limits<std::int32_t>::max()));
}

void ecrit_aligne(QPainter& peintre, int x, int y, const QString& texte, char horizontal,
                  char vertical) {
    const QFontMetrics fm(peintre.font());
    const int largeur = fm.horizontalAdvance(texte);
    int gauche = x;
    if (horizontal == 'c')
        gauche = x - largeur / 2;
    else if (horizontal == 'g')
        gauche = x - largeur;
    int ligne_de_base = y + fm.ascent();
    if (vertical == 'L')
        ligne_de_base = y;
    else if (vertical == 'h')
        ligne_de_base = y - fm.descent();
    peintre.drawText(QPoint(gauche, ligne_de_base), texte);
}

TBilan_trace retrace_courbes(QImage& image, const TProgramme& programme,
                             const TOptions_trace& options) {
    const TMultimetre& m = programme.multimetre_actif;
    TBilan_trace bilan;
    bilan.graduation[1] = graduation_bande(m, 1);
    if (options.grandeur2) bilan.graduation[2] = graduation_bande(m, 2);
    if (image.isNull()) return bilan;
    if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);

    TContexte c{image,
                programme,
                options,
                image.width(),
                image.height(),
                programme.etat.premier_trace,
                programme.etat.dernier_trace,
                double(programme.etat.dernier_trace) - double(programme.etat.premier_trace) + 1,
                {},
                false};
    const double intervalle1 = intervalle_cellule(programme.tableau, 1);
    if (options.grandeur2) {
        const double intervalle2 = intervalle_cellule(programme.tableau, 2);
        trace_bande(c, TBande::haute, 1, intervalle1, bilan.graduation[1]);
        trace_bande(c, TBande::basse, 2, intervalle2, bilan.graduation[2]);
    } else {
        trace_bande(c, TBande::entiere, 1, intervalle1, bilan.graduation[1]);
    }
    return bilan;
}

void retrace_courbes(QImage& image, TProgramme& programme, const TOptions_trace& options) {
    const TBilan_trace bilan =
        retrace_courbes(image, static_cast<const TProgramme&>(programme), options);
    TMultimetre& m = programme.multimetre_actif;
    for (int q = 1; q <= 2; ++q)
        if (m.y_graduation[q] <= 0 && bilan.graduation[q] > 0)
            m.y_graduation[q] = bilan.graduation[q];
}

bool enregistre_image_courbes(const TProgramme& programme, const TOptions_trace& options,
                              int largeur, int hauteur, const QString& chemin_png,
                              QString* erreur) {
    constexpr int cote_max = 16384;
    if (largeur < 1 || hauteur < 1 || largeur > cote_max || hauteur > cote_max) {
        if (erreur)
            *erreur =
                QStringLiteral("Taille d'image incorrecte : %1 x %2").arg(largeur).arg(hauteur);
        return false;
    }
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    image.fill(en_qrgb(options.couleur_fond));
    retrace_courbes(image, programme, options);

    // Written beside and renamed over: an interrupted save never leaves half a picture.
    QSaveFile fichier(chemin_png);
    bool ok = fichier.open(QIODevice::WriteOnly);
    if (ok) {
        QImageWriter ecrivain(&fichier, "png");
        ok = ecrivain.write(image);
        ok = ok && fichier.commit();
        if (!ok) fichier.cancelWriting();
    }
    if (!ok && erreur)
        *erreur = QStringLiteral("Impossible de créer le fichier %1").arg(chemin_png);
    return ok;
}

TDisposition_fenetre calcule_disposition(const TMesures_fenetre& f) {
    TDisposition_fenetre d;
    d.hauteur_panel1 = f.hauteur_fenetre - f.haut_panel1 - 35;
    d.memo2_visible = f.largeur_memo2 > 200;
    d.entete_visible = f.largeur_fenetre >= 1280;
    d.options_visibles = f.largeur_fenetre >= 1280;
    d.prefixe_visible = f.gauche_edit_prefixe + f.largeur_edit_prefixe + 20 < f.largeur_fenetre;
    return d;
}

TPosition_titres position_titres(int largeur_image, int hauteur_image) {
    return {largeur_image / 2 - 100, hauteur_image / 2};
}

void ajuste_surface(QImage& image, int largeur, int hauteur) {
    largeur = std::max(largeur, 0);
    hauteur = std::max(hauteur, 0);
    if (image.width() == largeur && image.height() == hauteur &&
        image.format() == QImage::Format_RGB32)
        return;
    image = QImage(largeur, hauteur, QImage::Format_RGB32);
    image.fill(Qt::white); // a new bitmap is white until the redraw covers it
}
