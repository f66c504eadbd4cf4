// Points per second of the recalculation road without widgets (texts read, transformed and
// written) and of filling a point panel.

#include "benchdatabase.h"

#include "app/framepanel.h"
#include "app/recalculation.h"
#include "records/coordsysdetails.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr int pointCount = 100000;

CBenchDatabase& database()
{
    static CBenchDatabase instance;
    return instance;
}

// Points of Gauss-Kruger zone 7 on a 1 km grid around Moscow.
CPointRows gaussKrugerRows()
{
    CPointRows rows;
    rows.reserve(pointCount);
    for (int i = 0; i < pointCount; ++i) {
        rows.append({QStringLiteral("P%1").arg(i), QString::number(6100000 + (i / 400) * 1000.0, 'f', 3),
                     QString::number(7300000 + (i % 400) * 1000.0, 'f', 3), QStringLiteral("150.25")});
    }
    return rows;
}

void recalculationRoad(benchmark::State& state)
{
    database();
    CCoordSysDetails source;
    CCoordSysDetails target;
    if (!CBenchDatabase::read(QStringLiteral("Pulkovo 1942 / Gauss-Kruger zone 7"), source)
        || !CBenchDatabase::read(QStringLiteral("WGS 84 / UTM zone 37N"), target)) {
        state.SkipWithError("systems not stored");
        return;
    }
    const CPointRows rows = gaussKrugerRows();
    for (auto _ : state) {
        CRecalculation recalculation;
        if (!recalculation.prepare(source, target, nullptr)) {
            state.SkipWithError("no operator");
            return;
        }
        benchmark::DoNotOptimize(recalculation.recalculate(rows));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(pointCount));
}
BENCHMARK(recalculationRoad)->Unit(benchmark::kMillisecond);

void fillPanel(benchmark::State& state)
{
    const CPointRows rows = gaussKrugerRows();
    FramePanel panel(true);
    for (auto _ : state)
        panel.setRows(rows, QString());
    state.SetItemsProcessed(state.iterations() * std::int64_t(pointCount));
}
BENCHMARK(fillPanel)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
