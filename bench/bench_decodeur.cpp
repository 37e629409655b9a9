// A day of records at one a second (86 400 lines) through the character decoder: store,
// decoded row, tracer computations, axes and labels. The report does nothing, so what is
// measured is the core alone.
#include <benchmark/benchmark.h>

#include <QLocale>
#include <QStringList>

#include "acquisition/decodeur.h"
#include "acquisition/programme.h"
#include "acquisition/rapport.h"
#include "util/regional.h"

namespace {

constexpr int nb_enregistrements = 86400;

QStringList lignes_du_jour() {
    QStringList lignes;
    lignes.reserve(nb_enregistrements);
    for (int i = 0; i < nb_enregistrements; ++i)
        lignes.append(QStringLiteral("Cond %1 \u00B5S/cm %2 \u00B0C  ")
                          .arg(600.3 + (i % 500) * 0.4, 0, 'f', 1)
                          .arg(20 + (i % 30) * 0.1, 0, 'f', 1));
    return lignes;
}

void prepare(TProgramme& programme, QDateTime& instant) {
    TMultimetre& m = programme.multimetre_actif;
    m.repere[1] = m.repere[2] = "Cond";
    m.grandeur[1] = "conductivit\xE9";
    m.grandeur[2] = "temp\xE9rature";
    m.unite[1] = "S/cm";
    m.unite[2] = "\xB0"
                 "C";
    m.occurence[1] = 2;
    m.occurence[2] = 4;
    m.y_max[1] = 750, m.y_min[1] = 700, m.y_graduation[1] = 50;
    m.y_max[2] = 30, m.y_min[2] = 10, m.y_graduation[2] = 5;
    programme.reglages.mode_demo = false;
    programme.reglages.nb_decimale_1 = "\xB5=0;m=3;k=1;F=3";
    programme.horloge = [&instant] {
        instant = instant.addSecs(1);
        return instant;
    };
}

void BM_decode_une_journee(benchmark::State& state, bool avec_t0) {
    const QStringList lignes = lignes_du_jour();
    for (auto _ : state) {
        state.PauseTiming();
        TProgramme programme;
        // The clock is read in UTC: moving a local time costs a time-zone lookup that is the
        // harness's, not the decoder's.
        QDateTime instant(QDate(2024, 5, 1), QTime(0, 0, 0), Qt::UTC);
        prepare(programme, instant);
        if (avec_t0) {
            // Half the day in tracing: the area reads two point times back at every point.
            programme.etat.indice_t0 = nb_enregistrements / 2;
            programme.etat.heure_t0 = instant.addSecs(nb_enregistrements / 2);
        }
        TRapport rapport;
        TContexte_decodage contexte{"26.09.2009 04:19:39", {}};
        state.ResumeTiming();
        for (const QString& ligne : lignes)
            decode_enregistrement(programme, rapport, TVariante_decodeur::caracteres, ligne,
                                  contexte);
        benchmark::DoNotOptimize(programme.stock.nb_mesures);
        if (programme.stock.nb_mesures != nb_enregistrements) state.SkipWithError("points perdus");
    }
    state.SetItemsProcessed(state.iterations() * nb_enregistrements);
}

} // namespace

BENCHMARK_CAPTURE(BM_decode_une_journee, ligne_de_base, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_decode_une_journee, demi_journee_de_tracage, true)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    regional::initialise(QLocale(QStringLiteral("fr_FR")));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
