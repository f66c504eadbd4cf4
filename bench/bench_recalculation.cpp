// The panels' road as a user meets it: a file of N points of Gauss-Kruger zone 7 loaded into the
// left panel, recalculated into UTM zone 37N in the right panel on every core, and the right
// panel saved to a file, each step through the code the panels run and timed on its own; with
// the peak memory of the run. Every size runs in a child process, so its peak memory is its own.
//
//     bench_recalculation [N ...]        (by default 10000 100000 1000000)

#include "benchdatabase.h"

#include "app/framepanel.h"
#include "app/pointline.h"
#include "app/recalculation.h"
#include "app/textfiles.h"
#include "records/coordsysdetails.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <vector>

namespace {

// Load, recalculate, save.
constexpr std::size_t stepCount = 3;

// Points on a 1 km grid around Moscow, as the panel saves them.
bool writePointFile(long count, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text;
    for (long i = 0; i < count; ++i) {
        const QStringList cells{QStringLiteral("P%1").arg(i), QString::number(6100000 + (i / 400) * 1000.0, 'f', 3),
                                QString::number(7300000 + (i % 400) * 1000.0, 'f', 3), QStringLiteral("150.25")};
        text += joinPointLine(cells).toUtf8() + '\n';
        if (text.size() > (1 << 20) || i + 1 == count) {
            if (file.write(text) != text.size())
                return false;
            text.clear();
        }
    }
    return true;
}

// The steps as FramePanel's load and save and the main window's recalculation run them, without
// their dialogs, with the seconds of each step; false when a step fails or a point is not
// recalculated.
bool runRoad(const CCoordSysDetails& source, const CCoordSysDetails& target, long count, const QString& pointPath,
             const QString& savedPath, double* seconds)
{
    FramePanel left(true);
    FramePanel right(false);
    CBenchClock::time_point start = CBenchClock::now();
    QString text;
    if (!readTextFile(pointPath, text))
        return false;
    left.setPoints(textLines(text), QString());
    text.clear();
    seconds[0] = secondsSince(start);

    start = CBenchClock::now();
    CRecalculation recalculation;
    if (!recalculation.prepare(source, target, nullptr))
        return false;
    right.setRows(recalculation.recalculate(left.getRows()), QString());
    seconds[1] = secondsSince(start);

    start = CBenchClock::now();
    const QStringList lines = right.getPoints(true);
    if (!writeTextFile(savedPath, lines.join(QLatin1Char('\n')) + QLatin1Char('\n')))
        return false;
    seconds[2] = secondsSince(start);
    return recalculation.stats().recalculated == count;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::vector<long> counts = benchCounts(argc, argv, {10000, 100000, 1000000});

    const CBenchDatabase database;
    CCoordSysDetails source;
    CCoordSysDetails target;
    if (!CBenchDatabase::readSystems(QStringLiteral("Pulkovo 1942 / Gauss-Kruger zone 7"),
                                     QStringLiteral("WGS 84 / UTM zone 37N"), source, target))
        return 1;
    const QString pointPath = database.folder() + QStringLiteral("/points.txt");
    const QString savedPath = database.folder() + QStringLiteral("/saved.txt");
    const int cores = coreCount();

    std::printf("Pulkovo 1942 / Gauss-Kruger zone 7 -> WGS 84 / UTM zone 37N, panels' road, %d cores\n", cores);
    std::printf("%10s %10s %10s %10s %10s %10s %12s\n", "points", "load ms", "recalc ms", "save ms", "total ms",
                "peak MB", "total ns/pt");
    for (const long count : counts) {
        if (count <= 0 || !writePointFile(count, pointPath)) {
            std::fprintf(stderr, "cannot write the point file of %ld points\n", count);
            return 1;
        }
        const CChildRun run = runChild(stepCount, [&](double* seconds) {
            return runRoad(source, target, count, pointPath, savedPath, seconds);
        });
        if (!run.ok) {
            std::printf("%10ld  failed\n", count);
        } else {
            const std::vector<double>& seconds = run.values;
            const double total = seconds[0] + seconds[1] + seconds[2];
            std::printf("%10ld %10.0f %10.0f %10.0f %10.0f %10.1f %12.0f\n", count, seconds[0] * 1e3, seconds[1] * 1e3,
                        seconds[2] * 1e3, total * 1e3, run.peakMegabytes, total * 1e9 / static_cast<double>(count));
        }
        QFile::remove(pointPath);
        QFile::remove(savedPath);
    }
    return 0;
}
