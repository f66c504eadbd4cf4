// The whole road of a point file: N generated WGS 84 points read, recalculated into UTM zone 37N
// and written, on one thread, on four and on every core, with the time per point (elapsed, and
// of all threads together) and the peak memory of the run; beside it the same points through
// cs2cs when it is installed. Every run is a child process, so its peak memory is its own.
//
//     bench_pointfile [N ...]        (by default 10000 100000 1000000 5000000)

#include "benchdatabase.h"

#include "app/pointfilerecalculation.h"
#include "app/recalculation.h"
#include "records/coordsysdetails.h"

#include <QCoreApplication>
#include <QFile>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

void appendNumber(std::string& text, double value, int decimals)
{
    char buffer[32];
    text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr);
}

void appendPoint(std::string& text, const char* separator, double latitude, double longitude, double height)
{
    appendNumber(text, latitude, 9);
    text += separator;
    appendNumber(text, longitude, 9);
    text += separator;
    appendNumber(text, height, 3);
    text += '\n';
}

// The same points twice: "name; latitude; longitude; height" for the program and
// "latitude longitude height" for cs2cs.
bool writePointFiles(long count, const QString& pointPath, const QString& plainPath)
{
    QFile points(pointPath);
    QFile plain(plainPath);
    if (!points.open(QIODevice::WriteOnly) || !plain.open(QIODevice::WriteOnly))
        return false;
    std::string pointText;
    std::string plainText;
    unsigned long long seed = 88172645463325252ull;
    for (long i = 0; i < count; ++i) {
        double values[3];
        for (double& value : values) {
            seed ^= seed << 13;
            seed ^= seed >> 7;
            seed ^= seed << 17;
            value = static_cast<double>(seed % 1000000000ull) / 1e9;
        }
        const double latitude = 50.0 + 10.0 * values[0];
        const double longitude = 36.0 + 6.0 * values[1];
        const double height = 500.0 * values[2];
        pointText += 'P';
        pointText += std::to_string(i);
        pointText += "; ";
        appendPoint(pointText, "; ", latitude, longitude, height);
        appendPoint(plainText, " ", latitude, longitude, height);
        if (pointText.size() > (1u << 20) || i + 1 == count) {
            if (points.write(pointText.data(), qint64(pointText.size())) != qint64(pointText.size())
                || plain.write(plainText.data(), qint64(plainText.size())) != qint64(plainText.size()))
                return false;
            pointText.clear();
            plainText.clear();
        }
    }
    return true;
}

// Runs work in a child, which reports its own time as the run's one value.
CChildRun runTimed(const std::function<bool()>& work)
{
    return runChild(1, [&](double* seconds) {
        const CBenchClock::time_point start = CBenchClock::now();
        const bool ok = work();
        *seconds = secondsSince(start);
        return ok;
    });
}

// cs2cs on the plain file, its output to a file; timed from start to exit as the run's one value.
CChildRun runCs2cs(const QString& inputPath, const QString& outputPath)
{
    const std::string input = inputPath.toStdString();
    const std::string output = outputPath.toStdString();
    std::fflush(nullptr);
    const CBenchClock::time_point start = CBenchClock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int file = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (file < 0 || dup2(file, STDOUT_FILENO) < 0)
            _exit(127);
        execlp("cs2cs", "cs2cs", "-f", "%.3f", "EPSG:4326", "EPSG:32637", input.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    CChildRun run;
    run.ok = waitChild(child, run);
    run.values = {secondsSince(start)};
    return run;
}

bool hasCs2cs()
{
    return std::system("cs2cs >/dev/null 2>&1 </dev/null") != 127 * 256;
}

bool sameFiles(const QString& first, const QString& second)
{
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size())
        return false;
    while (!a.atEnd()) {
        if (a.read(1 << 20) != b.read(1 << 20))
            return false;
    }
    return true;
}

void printRun(long count, const char* road, int threads, const CChildRun& run, double cs2csNsPerPoint)
{
    if (!run.ok) {
        std::printf("%10ld  %-6s %8d  failed\n", count, road, threads);
        return;
    }
    const double ns = run.values[0] * 1e9 / static_cast<double>(count);
    const double cpuNs = run.cpuSeconds * 1e9 / static_cast<double>(count);
    std::printf("%10ld  %-6s %8d %12.0f %12.0f %10.1f", count, road, threads, ns, cpuNs, run.peakMegabytes);
    if (cs2csNsPerPoint > 0.0)
        std::printf(" %12.2f", cs2csNsPerPoint / ns);
    std::printf("\n");
}

// One thread, four when there are more cores, and every core.
std::vector<int> threadCounts(int cores)
{
    std::vector<int> counts{1};
    if (cores > 4)
        counts.push_back(4);
    if (cores > 1)
        counts.push_back(cores);
    return counts;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const std::vector<long> counts = benchCounts(argc, argv, {10000, 100000, 1000000, 5000000});

    const CBenchDatabase database;
    CCoordSysDetails source;
    CCoordSysDetails target;
    if (!CBenchDatabase::readSystems(QStringLiteral("WGS 84"), QStringLiteral("WGS 84 / UTM zone 37N"), source, target))
        return 1;
    const int cores = coreCount();
    const bool cs2cs = hasCs2cs();
    const QString folder = database.folder();
    const QString pointPath = folder + QStringLiteral("/points.txt");
    const QString plainPath = folder + QStringLiteral("/plain.txt");
    const QString serialPath = folder + QStringLiteral("/serial.txt");
    const QString parallelPath = folder + QStringLiteral("/parallel.txt");
    const QString cs2csPath = folder + QStringLiteral("/cs2cs.txt");

    std::printf("WGS 84 -> UTM zone 37N, %d cores%s\n", cores, cs2cs ? "" : ", cs2cs not installed");
    std::printf("%10s  %-6s %8s %12s %12s %10s %12s\n", "points", "road", "threads", "ns/point", "cpu ns/pt", "peak MB",
                "x cs2cs");
    for (const long count : counts) {
        if (!writePointFiles(count, pointPath, plainPath)) {
            std::fprintf(stderr, "cannot write the point files\n");
            return 1;
        }
        double cs2csNs = 0.0;
        if (cs2cs) {
            const CChildRun run = runCs2cs(plainPath, cs2csPath);
            if (run.ok)
                cs2csNs = run.values[0] * 1e9 / static_cast<double>(count);
            printRun(count, "cs2cs", 1, run, 0.0);
            QFile::remove(cs2csPath);
        }
        for (const int threads : threadCounts(cores)) {
            const QString outputPath = threads == 1 ? serialPath : parallelPath;
            const CChildRun run = runTimed([&] {
                CRecalculation recalculation;
                recalculation.setThreadCount(threads);
                return recalculation.prepare(source, target, nullptr)
                    && recalculatePointFile(recalculation, pointPath, outputPath)
                    && recalculation.stats().recalculated == count;
            });
            printRun(count, "vexa", threads, run, cs2csNs);
        }
        if (cores > 1 && !sameFiles(serialPath, parallelPath))
            std::printf("%10ld  the files of one thread and of every core differ\n", count);
        for (const QString& path : {pointPath, plainPath, serialPath, parallelPath})
            QFile::remove(path);
    }
    return 0;
}
