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

inline const vexa::CEllipsoidParams kWgs84 = ellipsoid(6378137.0, 298.257223563);
inline const vexa::CEllipsoidParams kGrs80 = ellipsoid(6378137.0, 298.257222101);
inline const vexa::CEllipsoidParams kKrassowsky = ellipsoid(6378245.0, 298.3);
inline const vexa::CEllipsoidParams kInternational = ellipsoid(6378388.0, 297.0);
inline const vexa::CEllipsoidParams kBessel = ellipsoid(6377397.155, 299.1528128);

// A geodetic point from degrees.
vexa::CCoords geodetic(double latitude, double longitude);

// Builds through the factory, as the operations do.
std::shared_ptr<vexa::CMapProjection> make(const vexa::CEllipsoidParams& ellipsoid,
                                           const vexa::CMapProjectionParams& params);

// The failures of one point, a line each (empty when it passes): forward and inverse within
// the tolerance, the inverse's latitude and longitude within their ranges, forward then
// inverse back within the round-trip tolerance (metres on the ellipsoid of semi-major axis a).
QString checkPoint(const vexa::CMapProjection& projection, double a, const vexa::CCoords& geodetic,
                   const vexa::CCoords& projected, double tolerance, double roundTripTolerance);

// Columns of a reference-table test: projection, type, a (semi-major axis), table.
void addTableColumns();
// Checks the current row: the factory built the projection of the type, and it agrees with
// the table of TESTDATA_DIR (lines: longitude and latitude in degrees, easting, northing) at
// every point, as checkPoint.
void checkTableRow(double tolerance = 1e-3, double roundTripTolerance = 1e-5);

} // namespace projectionreference

#endif
