#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

#include "acquisition/programme.h"
#include "util/texte.h"

class QPainter;

// The live plot: quantity 1 (and quantity 2 in a second band) against the point index, redrawn
// whole from the store at every change. Draws on a QImage; the main window shows that image, the
// command-line runner saves it as PNG.

// What the main window's controls hold for the plot. The display modes (CONTRASTE) act through
// couleur_fond and multimetre_actif.couleur[1..2], which the window sets as the mode requires:
// the renderer draws with whatever colours it finds there.
struct TOptions_trace {
    bool grandeur2 = false;                     // CheckBox_y2 "grandeur 2": second band
    bool integrale = true;                      // CheckBox_af_integrale "intégrale"
    TCouleur couleur_fond = rgb(255, 255, 255); // plot background of the current mode
};

// What a redraw settled: the graduation each quantity was drawn with (index 1 and 2; 0 for a
// quantity not drawn). A graduation of zero or less in multimetre_actif is replaced by a step
// derived from the range, and that step is meant to be kept.
struct TBilan_trace {
    double graduation[3] = {0, 0, 0};
};

// Full redraw of the plot into `image` (its size is the size of the plot; converted to RGB32 when
// it has another format). Reads the store, premier_trace / dernier_trace, indice_t0, base, the
// axis limits, graduations, colours and point sizes of multimetre_actif and the "intervalle"
// cells of the active instrument (a cell that is not a whole number is read as a real, 0 when
// unreadable: a redraw never throws). Each drawn point shows the largest value of its stride,
// negative values included; NaN values are passed over. Nothing is kept between two calls.
TBilan_trace retrace_courbes(QImage& image, const TProgramme& programme,
                             const TOptions_trace& options);
// The same, keeping a derived graduation in programme.multimetre_actif.y_graduation: the call
// the main window makes.
void retrace_courbes(QImage& image, TProgramme& programme, const TOptions_trace& options);

// The plot drawn at the given size and saved as a PNG file (headless runner). False, with the
// reason in *erreur when given, when the size is not a drawable one or the file cannot be written.
bool enregistre_image_courbes(const TProgramme& programme, const TOptions_trace& options,
                              int largeur, int hauteur, const QString& chemin_png, QString* erreur);

// ---- the main window's resize handling ----
// The window calls calcule_disposition from its resize event, applies the result to its
// controls, resizes ImageA's bitmap (ajuste_surface with ImageA's new size), places the band
// titles with position_titres, redraws (retrace_courbes) and scrolls back to its left edge.
struct TMesures_fenetre {
    int largeur_fenetre = 0;
    int hauteur_fenetre = 0;
    int haut_panel1 = 0;          // Panel1 top
    int largeur_memo2 = 0;        // Memo2 width
    int gauche_edit_prefixe = 0;  // Edit_Prefixe left
    int largeur_edit_prefixe = 0; // Edit_Prefixe width
};

struct TDisposition_fenetre {
    int hauteur_panel1 = 0;        // window height - Panel1 top - 35
    bool memo2_visible = false;    // Memo2: while wider than 200 pixels
    bool entete_visible = false;   // Bevel1, the logo, the author's caption: window >= 1280
    bool options_visibles = false; // Label_config, CheckBox_date_heure, CheckBox_y2, Label11
    bool prefixe_visible = false;  // Edit_Prefixe and Label16 "nom": while they fit
};
TDisposition_fenetre calcule_disposition(const TMesures_fenetre& mesures);

// Band titles: Label_grandeur1 and Label_grandeur2 left, Label_grandeur2 top (the lower band).
struct TPosition_titres {
    int gauche = 0;
    int haut_grandeur2 = 0;
};
TPosition_titres position_titres(int largeur_image, int hauteur_image);

// Gives the bitmap the size of the control (RGB32); the content is kept when the size is right.
void ajuste_surface(QImage& image, int largeur, int hauteur);

// ---- pieces of the drawing, exposed for the tests ----
// Nearest whole number, an exact half going to the even one (842.5 -> 842).
std::int64_t arrondi_pixel(double valeur);
// Graduation derived from a whole range: 7 -> 1, 12 -> 2, 40 -> 5, 100 -> 20, 350 -> 50.
double pas_arrondi(double entier);
// Index spacing of the time ticks, from the last index drawn.
int pas_temps(std::int32_t dernier);
// Elapsed time of index i at `intervalle` seconds a point: 'mm:ss', or 'hh:mm:ss' from one hour
// on (whole seconds, the fraction dropped).
QString texte_temps(std::int32_t indice, double intervalle);
// Value label: "%5.0f " for a whole graduation, else "%5.<1..3>f " by the graduation.
QString texte_valeur(double valeur, double graduation);
// Points per band: about half the width, whatever the number of points; 1 at least.
std::int32_t pas_points(int largeur, std::int32_t premier, std::int32_t dernier,
                        std::int32_t nb_mesures);

// Text with a transparent background. horizontal 'c' centred on x, 'g' ends at x, any other
// letter starts at x; vertical 'L' baseline on y, 'h' bottom on y, any other letter top on y.
void ecrit_aligne(QPainter& peintre, int x, int y, const QString& texte, char horizontal,
                  char vertical);
