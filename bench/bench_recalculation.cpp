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

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Load, recalculate, save.
using CStepSeconds = std::array<double, 3>;

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

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The steps as FramePanel's load and save and the main window's recalculation run them, without
// their dialogs; false when a step fails or a point is not recalculated.
bool runRoad(const CCoordSysDetails& source, const CCoordSysDetails& target, long count, const QString& pointPath,
             const QString& savedPath, CStepSeconds& seconds)
{
    FramePanel left(true);
    FramePanel right(false);
    Clock::time_point start = Clock::now();
    QString text;
    if (!readTextFile(pointPath, text))
        return false;
    left.setPoints(textLines(text), QString());
    text.clear();
    seconds[0] = secondsSince(start);

    start = Clock::now();
    CRecalculation recalculation;
    if (!recalculation.prepare(source, target, nullptr))
        return false;
    right.setRows(recalculation.recalculate(left.getRows()), QString());
    seconds[1] = secondsSince(start);

    start = Clock::now();
    const QStringList lines = right.getPoints(true);
    if (!writeTextFile(savedPath, lines.join(QLatin1Char('\n')) + QLatin1Char('\n')))
        return false;
    seconds[2] = secondsSince(start);
    return recalculation.stats().recalculated == count;
}

// Runs the road in a child, which reports its step times through a pipe; the peak memory in
// megabytes, or a negative number when the run failed.
double runChild(const CCoordSysDetails& source, const CCoordSysDetails& target, long count, const QString& pointPath,
                const QString& savedPath, CStepSeconds& seconds)
{
    int channel[2];
    if (pipe(channel) != 0)
        return -1.0;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        CStepSeconds measured{};
        const bool ok = runRoad(source, target, count, pointPath, savedPath, measured);
        const ssize_t written = write(channel[1], measured.data(), sizeof measured);
        _exit(ok && written == sizeof measured ? 0 : 1);
    }
    close(channel[1]);
    const bool read = ::read(channel[0], seconds.data(), sizeof seconds) == sizeof seconds;
    close(channel[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1.0;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::vector<long> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atol(argv[i]));
    if (counts.empty())
        counts = {10000, 100000, 1000000};

    const CBenchDatabase database;
    CCoordSysDetails source;
    CCoordSysDetails target;
    if (!CBenchDatabase::read(QStringLiteral("Pulkovo 1942 / Gauss-Kruger zone 7"), source)
        || !CBenchDatabase::read(QStringLiteral("WGS 84 / UTM zone 37N"), target)) {
        std::fprintf(stderr, "the systems are not stored\n");
        return 1;
    }
    const QString pointPath = database.folder() + QStringLiteral("/points.txt");
    const QString savedPath = database.folder() + QStringLiteral("/saved.txt");
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));

    std::printf("Pulkovo 1942 / Gauss-Kruger zone 7 -> WGS 84 / UTM zone 37N, panels' road, %d cores\n", cores);
    std::printf("%10s %10s %10s %10s %10s %10s %12s\n", "points", "load ms", "recalc ms", "save ms", "total ms",
                "peak MB", "total ns/pt");
    for (const long count : counts) {
        if (count <= 0 || !writePointFile(count, pointPath)) {
            std::fprintf(stderr, "cannot write the point file of %ld points\n", count);
            return 1;
        }
        CStepSeconds seconds{};
        const double peak = runChild(source, target, count, pointPath, savedPath, seconds);
        if (peak < 0.0) {
            std::printf("%10ld  failed\n", count);
        } else {
            const double total = seconds[0] + seconds[1] + seconds[2];
            std::printf("%10ld %10.0f %10.0f %10.0f %10.0f %10.1f %12.0f\n", count, seconds[0] * 1e3, seconds[1] * 1e3,
                        seconds[2] * 1e3, total * 1e3, peak, total * 1e9 / static_cast<double>(count));
        }
        QFile::remove(pointPath);
        QFile::remove(savedPath);
    }
    return 0;
}
