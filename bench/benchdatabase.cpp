#include "benchdatabase.h"

#include "app/shippeddata.h"
#include "database/createdatabase.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

} // namespace

CBenchDatabase::CBenchDatabase()
{
    const QString path = m_folder.filePath(QStringLiteral("bench.db"));
    createDatabase(path, QStringLiteral("bench"), QString());
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    database.setDatabaseName(path);
    database.open();
    importWktFile(QStringLiteral(BENCH_DATA_DIR "/coordsys.wkt"));
}

bool CBenchDatabase::read(const QString& name, CCoordSysDetails& system)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("SELECT autokey FROM coordsys WHERE name=?;"));
    query.addBindValue(name);
    return query.exec() && query.next() && readCoordSysDetails(query.value(0).toInt(), system);
}

bool CBenchDatabase::readSystems(const QString& sourceName, const QString& targetName, CCoordSysDetails& source,
                                 CCoordSysDetails& target)
{
    if (read(sourceName, source) && read(targetName, target))
        return true;
    std::fprintf(stderr, "the systems are not stored\n");
    return false;
}

QString CBenchDatabase::folder() const
{
    return m_folder.path();
}

double secondsSince(CBenchClock::time_point start)
{
    return std::chrono::duration<double>(CBenchClock::now() - start).count();
}

std::vector<long> benchCounts(int argc, char** argv, const std::vector<long>& defaults)
{
    std::vector<long> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atol(argv[i]));
    return counts.empty() ? defaults : counts;
}

int coreCount()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

CChildRun runChild(std::size_t valueCount, const std::function<bool(double*)>& work)
{
    CChildRun run;
    run.values.assign(valueCount, 0.0);
    const auto size = static_cast<ssize_t>(valueCount * sizeof(double));
    int channel[2];
    if (pipe(channel) != 0)
        return run;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const bool ok = work(run.values.data());
        const ssize_t written = write(channel[1], run.values.data(), static_cast<std::size_t>(size));
        _exit(ok && written == size ? 0 : 1);
    }
    close(channel[1]);
    const bool read = ::read(channel[0], run.values.data(), static_cast<std::size_t>(size)) == size;
    close(channel[0]);
    run.ok = waitChild(child, run) && read;
    return run;
}

bool waitChild(pid_t child, CChildRun& run)
{
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
