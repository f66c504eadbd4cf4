#include "pointcheck.h"

#include <cmath>

namespace pointcheck {

bool isNear(const vexa::CCoords& actual, const vexa::CCoords& expected, double tolerance)
{
    return std::fabs(actual.first - expected.first) <= tolerance
           && std::fabs(actual.second - expected.second) <= tolerance
           && std::fabs(actual.third - expected.third) <= tolerance;
}

QByteArray difference(const vexa::CCoords& actual, const vexa::CCoords& expected)
{
    return QByteArray::number(actual.first - expected.first, 'g', 3) + ' '
           + QByteArray::number(actual.second - expected.second, 'g', 3) + ' '
           + QByteArray::number(actual.third - expected.third, 'g', 3);
}

vexa::CDatumShiftBursaWolfParams helmertParams(const QVector<double>& row)
{
    const double arcSecond = vexa::kPi / 648000.0;
    vexa::CDatumShiftBursaWolfParams params;
    params.tx = row[0];
    params.ty = row[1];
    params.tz = row[2];
    params.rx = row[3] * arcSecond;
    params.ry = row[4] * arcSecond;
    params.rz = row[5] * arcSecond;
    params.m = row[6] * 1e-6;
    return params;
}

} // namespace pointcheck
