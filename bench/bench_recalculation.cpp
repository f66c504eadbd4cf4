// Points per second of the recalculation of rows in memory (texts read, transformed and
// written) on one thread and on every core, of filling a point panel, and of the panel's whole
// road: point lines loaded into a panel, recalculated and shown in the other.

#include "benchdatabase.h"

#include "app/framepanel.h"
#include "app/pointline.h"
#include "app/recalculation.h"
#include "records/coordsysdetails.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <thread>

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

// Zone 7 of Pulkovo 1942 to UTM zone 37N; false when the systems are not stored.
bool readSystems(CCoordSysDetails& source, CCoordSysDetails& target)
{
    database();
    return CBenchDatabase::read(QStringLiteral("Pulkovo 1942 / Gauss-Kruger zone 7"), source)
        && CBenchDatabase::read(QStringLiteral("WGS 84 / UTM zone 37N"), target);
}

int allCores()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// The argument is the number of threads.
void recalculationRoad(benchmark::State& state)
{
    CCoordSysDetails source;
    CCoordSysDetails target;
    if (!readSystems(source, target)) {
        state.SkipWithError("systems not stored");
        return;
    }
    const CPointRows rows = gaussKrugerRows();
    for (auto _ : state) {
        CRecalculation recalculation;
        recalculation.setThreadCount(static_cast<int>(state.range(0)));
        if (!recalculation.prepare(source, target, nullptr)) {
            state.SkipWithError("no operator");
            return;
        }
        benchmark::DoNotOptimize(recalculation.recalculate(rows));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(pointCount));
}
BENCHMARK(recalculationRoad)->Arg(1)->Arg(allCores())->Unit(benchmark::kMillisecond)->UseRealTime();

// The argument is the number of threads.
void panelRoad(benchmark::State& state)
{
    CCoordSysDetails source;
    CCoordSysDetails target;
    if (!readSystems(source, target)) {
        state.SkipWithError("systems not stored");
        return;
    }
    QStringList lines;
    for (const CPointRow& row : gaussKrugerRows())
        lines.append(joinPointLine({row.name, row.coord1, row.coord2, row.coord3}));
    FramePanel left(true);
    FramePanel right(false);
    for (auto _ : state) {
        left.setPoints(lines, QString());
        CRecalculation recalculation;
        recalculation.setThreadCount(static_cast<int>(state.range(0)));
        if (!recalculation.prepare(source, target, nullptr)) {
            state.SkipWithError("no operator");
            return;
        }
        right.setRows(recalculation.recalculate(left.getRows()), QString());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(pointCount));
}
BENCHMARK(panelRoad)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

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
