#ifndef TESTS_GEODESY_POINTCHECK_H
#define TESTS_GEODESY_POINTCHECK_H

#include "geodesy/coords.h"
#include "geodesy/datumshift.h"

#include <QByteArray>
#include <QVector>

namespace pointcheck {

// Every component of actual within tolerance of expected.
bool isNear(const vexa::CCoords& actual, const vexa::CCoords& expected, double tolerance);
// The three differences actual - expected, for a failure message.
QByteArray difference(const vexa::CCoords& actual, const vexa::CCoords& expected);

// The shift of a row of "datumshift_helmert.txt": tx ty tz (m), rx ry rz
// (arc-seconds), s (ppm) in the first seven columns.
vexa::CDatumShiftBursaWolfParams helmertParams(const QVector<double>& row);

} // namespace pointcheck

#endif
