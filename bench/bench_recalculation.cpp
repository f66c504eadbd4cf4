// Points per second of the recalculation road without widgets (texts read, transformed and
// written) and of filling a point panel.

#include "app/framepanel.h"
#include "app/recalculation.h"
#include "app/shippeddata.h"
#include "database/createdatabase.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr int pointCount = 100000;

// A database of the shipped coordinate systems, open on the default connection.
class CBenchDatabase
{
public:
    CBenchDatabase()
    {
        const QString path = m_folder.filePath(QStringLiteral("bench.db"));
        createDatabase(path, QStringLiteral("bench"), QString());
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        database.setDatabaseName(path);
        database.open();
        importWktFile(QStringLiteral(BENCH_DATA_DIR "/coordsys.wkt"));
    }

    static bool read(const QString& name, CCoordSysDetails& system)
    {
        QSqlQuery query;
        query.prepare(QStringLiteral("SELECT autokey FROM coordsys WHERE name=?;"));
        query.addBindValue(name);
        return query.exec() && query.next() && readCoordSysDetails(query.value(0).toInt(), system);
    }

private:
    QTemporaryDir m_folder;
};

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
