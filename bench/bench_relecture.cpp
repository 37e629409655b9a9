// Replay of one day of an instrument's own log (one record a second, three lines a record)
// through the line loop and the decoder. Goal: under one second.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

#include "acquisition/boucle_lignes.h"
#include "acquisition/programme.h"
#include "acquisition/rapport.h"
#include "util/regional.h"

namespace {

QStringList journal_d_une_journee() {
    QStringList lignes = {QStringLiteral("Multi 3430"), QStringLiteral("fichier automatique"),
                          QString(), QStringLiteral("----")};
    lignes.reserve(4 + 3 * 86400);
    const QTime minuit(0, 0);
    for (int s = 0; s < 86400; ++s) {
        lignes.append(
            QStringLiteral("Cond %1 \u00B5S/cm %2 \u00B0C").arg(600 + (s % 400)).arg(22.9));
        lignes.append(QStringLiteral("TetraCon 925"));
        lignes.append(QStringLiteral("26.09.2009 ") +
                      minuit.addSecs(s).toString(QStringLiteral("hh:mm:ss")));
    }
    return lignes;
}

void BM_relecture_une_journee(benchmark::State& etat) {
    regional::initialise(QLocale(QStringLiteral("fr_FR")));
    const QStringList lignes = journal_d_une_journee();
    for (auto _ : etat) {
        TProgramme programme;
        programme.tableau.remplit_exemple();
        programme.tableau.ecrit_cellule_active("::", "rep hms", 0);
        programme.reglages.mode_demo = false;
        TRapport rapport;
        rejoue_lignes(programme, rapport, lignes);
        if (programme.stock.nb_mesures != 86400) etat.SkipWithError("points perdus");
        benchmark::DoNotOptimize(programme.stock.nb_mesures);
    }
    etat.SetItemsProcessed(etat.iterations() * 86400);
}
BENCHMARK(BM_relecture_une_journee)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
