#pragma once

#include "pointrow.h"
#include "passprogress.h"

#include "values/coordsysinfo.h"

#include <QString>

#include <memory>

class CCoordSysDetails;
class CGeoidList;

namespace vexa {
class CCoordOperator;
struct CCoords;
}

// The outcomes of the points of one recalculation.
struct CRecalculationStats {
    int withCoords = 0;
    int withoutCoords = 0;
    int wrongCoords = 0;
    int recalculated = 0;
    int failed = 0;
    // The run was stopped before its last row: the results are a part of the list.
    bool aborted = false;

    // The text of the statistics box.
    QString text() const;
};

// Carries point rows from one stored coordinate system into another: the texts are read in the
// source's units, transformed by one operator built for the pair and written in the target's.
class CRecalculation
{
public:
    CRecalculation();
    ~CRecalculation();

    // Builds the operator for the pair; false, with the reason for the user, when a system
    // cannot be used for a recalculation or the two cannot be chained.
    bool prepare(const CCoordSysDetails& source, const CCoordSysDetails& target, CGeoidList* geoids,
                 QString* reason = nullptr);

    // The row in the target system: the name and three result texts, or the name and three
    // empty texts when the row has no coordinates, they cannot be read, the point cannot be
    // transformed or its result cannot be written whole. Every row is counted in the statistics.
    CPointRow recalculate(const CPointRow& row);
    // Recalculates the rows in order until the progress asks to stop; a stop marks the
    // statistics aborted.
    CPointRows recalculate(const CPointRows& rows, const CPassProgress& progress = ignoreProgress);

    const CRecalculationStats& stats() const;

private:
    bool transform(const vexa::CCoords& point, CCoordStrings& result) const;

    CCoordSysInfo m_source;
    CCoordSysInfo m_target;
    std::shared_ptr<vexa::CCoordOperator> m_operator;
    CRecalculationStats m_stats;
};
