// Full redraw of the live plot at the size of a maximised main window, after a long
// acquisition: the redraw runs once per decoded point, so it must stay far below the time
// between two records.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <memory>

#include "trace/rendu_courbes.h"
#include "util/regional.h"

namespace {

constexpr int largeur = 1685;
constexpr int hauteur = 434;

// One acquisition of n points, t0 marked half-way, built once per size.
std::unique_ptr<TProgramme> acquisition(std::int32_t n) {
    auto p = std::make_unique<TProgramme>();
    p->tableau.remplit_exemple();
    p->tableau.actualise_multimetre(p->multimetre_actif);
    p->tableau.ecrit_cellule_active("10", "intervalle", 0);
    p->tableau.ecrit_cellule_active("10", "intervalle", 1);
    std::vector<TMesure> points(size_t(n) + 1);
    for (std::int32_t i = 1; i <= n; ++i) {
        const double x = double(i) / n;
        points[size_t(i)].grandeur1 =
            705 + 60 * std::exp(-std::pow((x - 0.6) / 0.1, 2)) + 3 * std::sin(i * 0.05);
        points[size_t(i)].grandeur2 = 14 + 2 * std::sin(x * 6);
    }
    p->stock.remplace(std::move(points), n);
    p->etat.premier_trace = 0;
    p->etat.dernier_trace = n;
    p->etat.indice_t0 = n / 2;
    p->etat.base = 705;
    TMultimetre& m = p->multimetre_actif;
    m.y_min[1] = 690;
    m.y_max[1] = 780;
    m.y_graduation[1] = 10;
    return p;
}

void redessine(benchmark::State& etat, bool deux_bandes) {
    const auto programme = acquisition(std::int32_t(etat.range(0)));
    TOptions_trace options;
    options.grandeur2 = deux_bandes;
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    for (auto _ : etat) {
        retrace_courbes(image, static_cast<const TProgramme&>(*programme), options);
        benchmark::DoNotOptimize(image.constBits());
    }
    etat.SetItemsProcessed(etat.iterations() * etat.range(0));
}

void BM_retrace_une_bande(benchmark::State& etat) {
    redessine(etat, false);
}
void BM_retrace_deux_bandes(benchmark::State& etat) {
    redessine(etat, true);
}

BENCHMARK(BM_retrace_une_bande)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_retrace_deux_bandes)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

// The renderer draws text: it needs a GUI application, without a display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    regional::initialise(QLocale(QStringLiteral("fr_FR")));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
