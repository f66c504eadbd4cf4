#pragma once

#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <vector>

#include <sys/types.h>

class CCoordSysDetails;

// A database of the shipped coordinate systems in a temporary folder, open on the default
// connection.
class CBenchDatabase
{
public:
    CBenchDatabase();

    // The stored system of that name; false when there is none.
    static bool read(const QString& name, CCoordSysDetails& system);

    // Both systems; false, having said so on stderr, when either is not stored.
    static bool readSystems(const QString& sourceName, const QString& targetName, CCoordSysDetails& source,
                            CCoordSysDetails& target);

    QString folder() const;

private:
    QTemporaryDir m_folder;
};

using CBenchClock = std::chrono::steady_clock;

double secondsSince(CBenchClock::time_point start);

// The point counts given on the command line, or the defaults when none is.
std::vector<long> benchCounts(int argc, char** argv, const std::vector<long>& defaults);

// The cores of this machine, at least one.
int coreCount();

// What a child process gave.
struct CChildRun {
    bool ok = false;
    // What the child reported.
    std::vector<double> values;
    // User and system time of every thread.
    double cpuSeconds = 0.0;
    double peakMegabytes = 0.0;
};

// Runs work in a child process, which fills valueCount values and reports them through a pipe;
// the run is ok when work returned true and every value arrived.
CChildRun runChild(std::size_t valueCount, const std::function<bool(double*)>& work);

// Waits for the child and takes its time and peak memory; true when it exited with 0.
bool waitChild(pid_t child, CChildRun& run);
