#ifndef TESTS_GEODESY_PROJECTIONREFERENCE_H
#define TESTS_GEODESY_PROJECTIONREFERENCE_H

#include "geodesy/mapprojection.h"

#include <QMetaType>
#include <QString>

#include <memory>

Q_DECLARE_METATYPE(std::shared_ptr<vexa::CMapProjection>)

namespace projectionreference {

constexpr double kDegree = vexa::kPi / 180.0;

vexa::CEllipsoidParams ellipsoid(double a, double inverseFlattening);

// Builds through the factory, as the operations do.
std::shared_ptr<vexa::CMapProjection> make(const vexa::CEllipsoidParams& ellipsoid,
                                           const vexa::CMapProjectionParams& params);

// Checks a projection against a table of TESTDATA_DIR (lines: longitude and latitude in
// degrees, easting and northing): forward and inverse within 1 mm, forward then inverse
// back within 1e-9 rad. Returns one line per failure; empty when all points pass.
QString compareWithTable(const vexa::CMapProjection& projection, double a, const QString& fileName);

} // namespace projectionreference

#endif
