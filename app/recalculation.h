#pragma once

#include "pointrow.h"
#include "passprogress.h"

#include "geodesy/coordsysparams.h"
#include "values/coordsysinfo.h"

#include <QString>

#include <memory>
#include <string_view>

class CCoordSysDetails;
class CGeoidList;

namespace vexa {
class CCoordOperator;
struct CCoords;
}

// What became of one row.
enum class CRowOutcome {
    WithoutCoords,
    WrongCoords,
    Failed,
    Recalculated
};

// The outcomes of the points of one recalculation.
struct CRecalculationStats {
    int withCoords = 0;
    int withoutCoords = 0;
    int wrongCoords = 0;
    int recalculated = 0;
    int failed = 0;
    // The run was stopped before its last row: the results are a part of the list.
    bool aborted = false;

    void count(CRowOutcome outcome);
    CRecalculationStats& operator+=(const CRecalculationStats& other);
    bool operator==(const CRecalculationStats& other) const;

    // The text of the statistics box.
    QString text() const;
};

// One thread's share of a recalculation: it owns its operator, so several workers run at once.
class CRecalculationWorker
{
public:
    CRecalculationWorker(const CCoordSysInfo& source, const CCoordSysInfo& target,
                         std::shared_ptr<vexa::CCoordOperator> coordOperator);

    // The trimmed coordinate texts of a row; the result texts are written into result, which
    // keeps its buffers from row to row. The result texts are empty unless the row is
    // recalculated.
    CRowOutcome recalculate(std::string_view text1, std::string_view text2, std::string_view text3,
                            CCoordStrings& result);
    // The row in the target system: the trimmed name and three result texts, or three empty
    // texts; the outcome is counted in stats.
    CPointRow recalculate(const CPointRow& row, CRecalculationStats& stats);

private:
    bool transform(const vexa::CCoords& point, CCoordStrings& result);

    const CCoordComponents m_source;
    const CCoordComponents m_target;
    std::shared_ptr<vexa::CCoordOperator> m_operator;
    CCoordStrings m_texts;
};

// Carries point rows from one stored coordinate system into another: the texts are read in the
// source's units, transformed by one operator built for the pair and written in the target's.
// Large lists are split into chunks recalculated on every core, one operator per thread.
class CRecalculation
{
public:
    CRecalculation();
    ~CRecalculation();

    // Builds the operator for the pair; false, with the reason for the user, when a system
    // cannot be used for a recalculation or the two cannot be chained.
    bool prepare(const CCoordSysDetails& source, const CCoordSysDetails& target, CGeoidList* geoids,
                 QString* reason = nullptr);

    // Threads used for large lists: all cores unless set.
    int threadCount() const;
    void setThreadCount(int count);

    // A worker with its own operator for the prepared pair; null when there is none. It reads the
    // recalculation's systems, so it lives no longer than the recalculation.
    std::unique_ptr<CRecalculationWorker> createWorker() const;

    // The row in the target system: the name and three result texts, or the name and three
    // empty texts when the row has no coordinates, they cannot be read, the point cannot be
    // transformed or its result cannot be written whole. Every row is counted in the statistics.
    CPointRow recalculate(const CPointRow& row);
    // Recalculates the rows, the results in their order. A short list goes row by row, the
    // progress asked before each; a large one goes in chunks on the threads, the progress told
    // of the rows done in order every few milliseconds. A stop keeps the rows done in order
    // so far and marks the statistics aborted.
    CPointRows recalculate(const CPointRows& rows, const CPassProgress& progress = ignoreProgress);

    const CRecalculationStats& stats() const;
    // Counts the outcomes of rows recalculated by workers.
    void addStats(const CRecalculationStats& stats);

private:
    CPointRows recalculateSerially(const CPointRows& rows, const CPassProgress& progress);
    CPointRows recalculateInParallel(const CPointRows& rows, const CPassProgress& progress);

    CCoordSysInfo m_source;
    CCoordSysInfo m_target;
    vexa::CCoordSysParams m_from;
    vexa::CCoordSysParams m_to;
    std::unique_ptr<CRecalculationWorker> m_worker;
    CRecalculationStats m_stats;
    int m_threadCount;
};
