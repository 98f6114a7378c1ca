// One click of each time calculator at its worst case: earnings that never pass the price, so
// the search counts all 100,000 games before it gives up. Goal: median under 2 ms, so a click
// never stalls a frame.
#include "calc/TimeCalc.h"

#include <QLocale>
#include <benchmark/benchmark.h>

namespace {

void BM_BasicWorstCase(benchmark::State& state) {
    const zv::BasicInputs inputs{QStringLiteral("2147483647"), QStringLiteral("52.5"),
                                 QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")};
    const QLocale locale = QLocale::c();
    for (auto _ : state) {
        const auto results = zv::CalculateBasic(inputs, locale);
        if (!results || results->RequiredGames != 0)
            state.SkipWithError("the search did not run to its end");
        benchmark::DoNotOptimize(results);
    }
}

void BM_AdvancedWorstCase(benchmark::State& state) {
    const zv::AdvancedInputs inputs{
        QStringLiteral("2.147.483.647"), QStringLiteral("0"),  QStringLiteral("52,5"),
        QStringLiteral("100"),           QStringLiteral("50"), QStringLiteral("10"),
        QStringLiteral("1.000"),         QStringLiteral("3"),  QStringLiteral("-1")};
    const QLocale locale(QLocale::German, QLocale::Germany);
    for (auto _ : state) {
        const auto results = zv::CalculateAdvanced(inputs, locale);
        if (!results || results->RequiredGames != 0)
            state.SkipWithError("the search did not run to its end");
        benchmark::DoNotOptimize(results);
    }
}

BENCHMARK(BM_BasicWorstCase)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_AdvancedWorstCase)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

} // namespace

BENCHMARK_MAIN();
