#ifndef TESTS_GEODESY_COORDOPERATORFIXTURE_H
#define TESTS_GEODESY_COORDOPERATORFIXTURE_H

// Coordinate systems for operator tests and benchmarks; standard C++ only.

#include "geodesy/coordsysparams.h"
#include "geodesy/datumshift.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/mapprojectionparams.h"
#include "geodesy/topocentric.h"
#include "geodesy/transform.h"

#include <memory>

namespace coordoperatorfixture {

constexpr double degree = vexa::kPi / 180.0;

inline vexa::CEllipsoidParams ellipsoid(double a, double inverseFlattening)
{
    vexa::CEllipsoidParams params;
    params.setInverseFlattening(a, inverseFlattening);
    return params;
}

inline const vexa::CEllipsoidParams wgs84 = ellipsoid(6378137.0, 298.257223563);
inline const vexa::CEllipsoidParams krassowsky = ellipsoid(6378245.0, 298.3);
inline const vexa::CEllipsoidParams clarkeIgn(6378249.2, 6356515.0);
inline const double parisMeridian = (2.0 + 20.0 / 60.0 + 14.025 / 3600.0) * degree;

inline vexa::CCoordSysParams makeSystem(int kind, const vexa::CEllipsoidParams& axes,
                                        double meridian = 0.0)
{
    vexa::CCoordSysParams system;
    system.kind = kind;
    system.ellipsoid = std::make_shared<vexa::CEllipsoidParams>(axes);
    system.primeMeridian = std::make_shared<vexa::CPrimeMeridianParams>(meridian);
    return system;
}

// Seven parameters, forward; rotations in seconds of arc, scale difference in parts per million.
inline std::shared_ptr<vexa::CDatumShiftBursaWolfParams>
bursaWolf(double tx, double ty = 0.0, double tz = 0.0, double rx = 0.0, double ry = 0.0,
          double rz = 0.0, double ppm = 0.0)
{
    const double second = degree / 3600.0;
    auto params = std::make_shared<vexa::CDatumShiftBursaWolfParams>();
    params->tx = tx;
    params->ty = ty;
    params->tz = tz;
    params->rx = rx * second;
    params->ry = ry * second;
    params->rz = rz * second;
    params->m = ppm * 1e-6;
    params->isForward = true;
    return params;
}

inline vexa::CCoordSysParams withShift(vexa::CCoordSysParams system, double tx)
{
    system.datumShiftToWgs84 = bursaWolf(tx);
    return system;
}

inline std::shared_ptr<vexa::CMapProjectionParams>
transverseMercator(double centralMeridian, double scale, double falseEasting)
{
    auto params = std::make_shared<vexa::CMapProjectionTransverseMercatorParams>();
    params->centralMeridian = centralMeridian * degree;
    params->latitudeOfOrigin = 0.0;
    params->scaleFactor = scale;
    params->falseEasting = falseEasting;
    params->falseNorthing = 0.0;
    return params;
}

inline vexa::CCoordSysParams projected(const vexa::CEllipsoidParams& axes,
                                       std::shared_ptr<vexa::CMapProjectionParams> map,
                                       double meridian = 0.0)
{
    vexa::CCoordSysParams system = makeSystem(vexa::CoordSysProjected, axes, meridian);
    system.projection = std::move(map);
    return system;
}

// Origin in degrees; the y axis points north.
inline vexa::CCoordSysParams topocentric(const vexa::CEllipsoidParams& axes, double latitude,
                                         double longitude, double height, double meridian = 0.0)
{
    vexa::CCoordSysParams system = makeSystem(vexa::CoordSysTopocentric, axes, meridian);
    auto lsr = std::make_shared<vexa::CLSRParams>();
    lsr->origin = vexa::CCoords(latitude * degree, longitude * degree, height);
    lsr->azimuth = 0.0;
    system.localSystem = lsr;
    return system;
}

inline std::unique_ptr<vexa::CTransformParams> affine(double s1, double s2, double s3, double t1,
                                                      double t2, double t3)
{
    auto params = std::make_unique<vexa::CTransformAffine3DParams>();
    params->m11 = s1;
    params->m22 = s2;
    params->m33 = s3;
    params->m12 = params->m13 = params->m21 = params->m23 = params->m31 = params->m32 = 0.0;
    params->t1 = t1;
    params->t2 = t2;
    params->t3 = t3;
    return params;
}

inline std::shared_ptr<vexa::CTransformParamsSet>
transformSet(std::unique_ptr<vexa::CTransformParams> first,
             std::unique_ptr<vexa::CTransformParams> second = {})
{
    auto set = std::make_shared<vexa::CTransformParamsSet>();
    set->transforms.push_back(std::move(first));
    if (second)
        set->transforms.push_back(std::move(second));
    return set;
}

// Radians to degrees of a geodetic system, heights times heightFactor.
inline std::shared_ptr<vexa::CTransformParamsSet> inDegrees(double heightFactor = 1.0)
{
    return transformSet(affine(1.0 / degree, 1.0 / degree, heightFactor, 0.0, 0.0, 0.0));
}

// Systems of the reference tables (coordoperator_tables.sh).
inline vexa::CCoordSysParams wgs84Geodetic()
{
    return withShift(makeSystem(vexa::CoordSysGeodetic, wgs84), 0.0);
}

inline vexa::CCoordSysParams wgs84Geocentric()
{
    return withShift(makeSystem(vexa::CoordSysGeocentric, wgs84), 0.0);
}

inline vexa::CCoordSysParams utm37()
{
    return withShift(projected(wgs84, transverseMercator(39.0, 0.9996, 500000.0)), 0.0);
}

// Pulkovo 1942, Gauss-Kruger zone 7.
inline vexa::CCoordSysParams gaussKruger7()
{
    vexa::CCoordSysParams system =
        projected(krassowsky, transverseMercator(39.0, 1.0, 7500000.0));
    system.datumShiftToWgs84 = bursaWolf(23.57, -140.95, -79.8, 0.0, 0.35, 0.79, -0.22);
    return system;
}

// NTF (Paris), geodetic with longitudes from Paris.
inline vexa::CCoordSysParams ntfParis()
{
    vexa::CCoordSysParams system = makeSystem(vexa::CoordSysGeodetic, clarkeIgn, parisMeridian);
    system.datumShiftToWgs84 = bursaWolf(-168.0, -60.0, 320.0);
    return system;
}

// NTF (Paris), Lambert zone II.
inline vexa::CCoordSysParams lambertZone2()
{
    auto lcc = std::make_shared<vexa::CMapProjectionLambertConformalConic1SPParams>();
    lcc->latitudeOfOrigin = 46.8 * degree;
    lcc->longitudeOfOrigin = 0.0;
    lcc->scaleFactor = 0.99987742;
    lcc->falseEasting = 600000.0;
    lcc->falseNorthing = 2200000.0;
    vexa::CCoordSysParams system = ntfParis();
    system.kind = vexa::CoordSysProjected;
    system.projection = lcc;
    return system;
}

inline vexa::CCoordSysParams moscowTopocentric()
{
    return withShift(topocentric(wgs84, 55.75, 37.62, 150.0), 0.0);
}

} // namespace coordoperatorfixture

#endif
