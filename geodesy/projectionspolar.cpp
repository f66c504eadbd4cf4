#include "geodesy/projectionspolar.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vexa {

namespace {

constexpr int kNorthPole = 1;
// Below this latitude (about 6 nm from the equator) the polyconic takes the equator's limit.
constexpr double kEquatorLatitude = 1e-15;
constexpr int kSouthPole = 2;

bool isPole(int pole)
{
    return pole == kNorthPole || pole == kSouthPole;
}

void requirePole(int pole, const char* method)
{
    if (!isPole(pole))
        throw std::logic_error(method);
}

// +1 for the north pole, -1 for the south pole.
double poleSign(int pole)
{
    return pole == kSouthPole ? -1.0 : 1.0;
}

// K of a scale factor k0 at the pole.
double poleScaleK(const CEllipsoidParams& ellipsoid, double k0)
{
    const double e = ellipsoid.getEccentricity();
    return std::sqrt(std::pow(1.0 + e, 1.0 + e) * std::pow(1.0 - e, 1.0 - e)) / (2.0 * ellipsoid.a * k0);
}

// Radius a * mF of the standard parallel.
double standardParallelRadius(const CEllipsoidParams& ellipsoid, double phiF)
{
    return ellipsoid.a * parallelRadiusFactor(phiF, ellipsoid.getEccentricitySquared());
}

// K that gives the standard parallel its true length.
double standardParallelK(const CEllipsoidParams& ellipsoid, double phiF, int pole)
{
    const double tF = isometricFactor(poleSign(pole) * phiF, ellipsoid.getEccentricity());
    return tF / standardParallelRadius(ellipsoid, phiF);
}

template<typename Params>
const Params& checkedPole(const Params& params, const char* method)
{
    requirePole(params.pole, method);
    return params;
}

// The north-pole projection gives north-pole numbers for any record; one meant for the south
// pole would give them for southern points.
const CMapProjectionPolarStereographicParams& northernOrigin(
    const CMapProjectionPolarStereographicParams& params)
{
    if (params.latitudeOfOrigin < 0.0)
        throw std::logic_error("TPolarStereographicMapProjection::TPolarStereographicMapProjection: "
                               "a southern latitude of origin; this projection is for the north "
                               "pole only");
    return params;
}

} // namespace

// Polar stereographic plane

CPolarStereographicPlane::CPolarStereographicPlane(const CEllipsoidParams& ellipsoid, double k,
                                                   double longitudeOfOrigin, double easting,
                                                   double northing)
    : m_e(ellipsoid.getEccentricity()),
      m_k(k),
      m_conformal(ellipsoid.getEccentricitySquared()),
      m_longitudeOfOrigin(longitudeOfOrigin),
      m_easting(easting),
      m_northing(northing)
{
}

void CPolarStereographicPlane::toProjected(CCoords* point, int pole) const
{
    const double sign = poleSign(pole);
    const double rho = isometricFactor(sign * point->first, m_e) / m_k;
    const double dLambda = point->second - m_longitudeOfOrigin;
    point->first = m_easting + rho * std::sin(dLambda);
    point->second = m_northing - sign * rho * std::cos(dLambda);
}

void CPolarStereographicPlane::toGeodetic(CCoords* point, int pole) const
{
    const double sign = poleSign(pole);
    const double dE = point->first - m_easting;
    const double dN = point->second - m_northing;
    const double rho = std::hypot(dE, dN);
    const double chi = sign * (kHalfPi - 2.0 * std::atan(rho * m_k));
    point->first = m_conformal.latitude(chi);
    // The pole itself takes the longitude of origin.
    point->second = rho == 0.0 ? m_longitudeOfOrigin
                               : m_longitudeOfOrigin + std::atan2(dE, -sign * dN);
    normalizeGeodetic(point);
}

// Polar stereographic, north pole

CMapProjectionPolarStereographic::CMapProjectionPolarStereographic(
    const CEllipsoidParams& ellipsoid, const CMapProjectionPolarStereographicParams& params)
    : CMapProjection(CMapProjectionPolarStereographicParams::typeCode),
      m_params(northernOrigin(params)),
      m_plane(ellipsoid, poleScaleK(ellipsoid, params.scaleFactor), params.longitudeOfOrigin,
              params.falseEasting, params.falseNorthing)
{
}

void CMapProjectionPolarStereographic::GeodeticToProjected(CCoords* point) const
{
    m_plane.toProjected(point, kNorthPole);
}

void CMapProjectionPolarStereographic::ProjectedToGeodetic(CCoords* point) const
{
    m_plane.toGeodetic(point, kNorthPole);
}

// Polar stereographic, variant with a scale factor at either pole

CMapProjectionPolarStereographicBasic::CMapProjectionPolarStereographicBasic(
    const CEllipsoidParams& ellipsoid, const CMapProjectionPolarStereographicBasicParams& params)
    : CMapProjection(CMapProjectionPolarStereographicBasicParams::typeCode),
      m_params(params),
      m_plane(ellipsoid, poleScaleK(ellipsoid, params.scaleFactor), params.longitudeOfOrigin,
              params.falseEasting, params.falseNorthing)
{
}

void CMapProjectionPolarStereographicBasic::GeodeticToProjected(CCoords* point) const
{
    requirePole(m_params.pole, "TPolarStereographicBasicMapProjection::GeodeticToProjected");
    m_plane.toProjected(point, m_params.pole);
}

void CMapProjectionPolarStereographicBasic::ProjectedToGeodetic(CCoords* point) const
{
    requirePole(m_params.pole, "TPolarStereographicBasicMapProjection::ProjectedToGeodetic");
    m_plane.toGeodetic(point, m_params.pole);
}

// Polar stereographic, variant with a standard parallel

CMapProjectionPolarStereographicNaturalOrigin::CMapProjectionPolarStereographicNaturalOrigin(
    const CEllipsoidParams& ellipsoid,
    const CMapProjectionPolarStereographicNaturalOriginParams& params)
    : CMapProjection(CMapProjectionPolarStereographicNaturalOriginParams::typeCode),
      m_params(checkedPole(params, "TPolarStereographicNaturalOriginMapProjection::"
                                   "TPolarStereographicNaturalOriginMapProjection")),
      m_plane(ellipsoid, standardParallelK(ellipsoid, params.latitudeOfStandardParallel, params.pole),
              params.longitudeOfOrigin, params.falseEasting, params.falseNorthing)
{
}

void CMapProjectionPolarStereographicNaturalOrigin::GeodeticToProjected(CCoords* point) const
{
    m_plane.toProjected(point, m_params.pole);
}

void CMapProjectionPolarStereographicNaturalOrigin::ProjectedToGeodetic(CCoords* point) const
{
    m_plane.toGeodetic(point, m_params.pole);
}

// Polar stereographic, variant with a standard parallel and a false origin

CMapProjectionPolarStereographicFalseOrigin::CMapProjectionPolarStereographicFalseOrigin(
    const CEllipsoidParams& ellipsoid, const CMapProjectionPolarStereographicFalseOriginParams& params)
    : CMapProjection(CMapProjectionPolarStereographicFalseOriginParams::typeCode),
      m_params(checkedPole(params, "TPolarStereographicFalseOriginMapProjection::"
                                   "TPolarStereographicFalseOriginMapProjection")),
      m_plane(ellipsoid, standardParallelK(ellipsoid, params.latitudeOfStandardParallel, params.pole),
              params.longitudeOfOrigin, params.eastingAtFalseOrigin,
              params.northingAtFalseOrigin
                  + poleSign(params.pole)
                        * standardParallelRadius(ellipsoid, params.latitudeOfStandardParallel))
{
}

void CMapProjectionPolarStereographicFalseOrigin::GeodeticToProjected(CCoords* point) const
{
    m_plane.toProjected(point, m_params.pole);
}

void CMapProjectionPolarStereographicFalseOrigin::ProjectedToGeodetic(CCoords* point) const
{
    m_plane.toGeodetic(point, m_params.pole);
}

// Polyconic

CMapProjectionPolyconic::CMapProjectionPolyconic(const CEllipsoidParams& ellipsoid,
                                                 const CMapProjectionPolyconicParams& params)
    : CMapProjection(CMapProjectionPolyconicParams::typeCode),
      m_params(params),
      m_a(ellipsoid.a),
      m_e2(ellipsoid.getEccentricitySquared()),
      m_meridian(m_a, m_e2),
      m_m0(arc(params.latitudeOfOrigin))
{
}

double CMapProjectionPolyconic::arc(double phi) const
{
    return m_meridian.arc(phi) / m_a;
}

double CMapProjectionPolyconic::arcDerivative(double phi) const
{
    const double sinPhi = std::sin(phi);
    const double w = 1.0 - m_e2 * sinPhi * sinPhi;
    return (1.0 - m_e2) / (w * std::sqrt(w));
}

void CMapProjectionPolyconic::GeodeticToProjected(CCoords* point) const
{
    const double phi = point->first;
    const double dLambda = longitudeDifference(point->second, m_params.longitudeOfOrigin);
    double x = m_a * dLambda;
    double y = -m_a * m_m0;
    if (std::fabs(phi) >= kEquatorLatitude) {
        const double sinPhi = std::sin(phi);
        const double nuCot = m_a / std::sqrt(1.0 - m_e2 * sinPhi * sinPhi) / std::tan(phi);
        const double l = dLambda * sinPhi;
        const double sinHalfL = std::sin(l / 2.0);
        x = nuCot * std::sin(l);
        y = m_a * (arc(phi) - m_m0) + nuCot * 2.0 * sinHalfL * sinHalfL;
    }
    point->first = m_params.falseEasting + m_params.scaleFactor * x;
    point->second = m_params.falseNorthing + m_params.scaleFactor * y;
}

void CMapProjectionPolyconic::ProjectedToGeodetic(CCoords* point) const
{
    const double ka = m_params.scaleFactor * m_a;
    const double x = (point->first - m_params.falseEasting) / ka;
    const double a = (point->second - m_params.falseNorthing) / ka + m_m0;
    if (std::fabs(a) < kEquatorLatitude) {
        point->first = 0.0;
        point->second = m_params.longitudeOfOrigin + x;
        normalizeLongitude(point->second);
        return;
    }
    double phi = a;
    for (int step = 0; step < 20; ++step) {
        const double sinPhi = std::sin(phi);
        const double cosPhi = std::cos(phi);
        const double m = arc(phi);
        const double mPrime = arcDerivative(phi);
        const double b = m * m + a * a + x * x;
        const double c = std::sqrt(1.0 - m_e2 * sinPhi * sinPhi) * std::tan(phi);
        const double correction
            = (b * c + 2.0 * m - 2.0 * a * (m * c + 1.0))
              / (2.0 * (a - m) * (mPrime * c - 1.0 / (sinPhi * cosPhi)) - 2.0 * mPrime
                 + m_e2 * sinPhi * cosPhi * (b - 2.0 * a * m) / c);
        phi += correction;
        if (std::fabs(correction) <= 1e-14)
            break;
    }
    const double sinPhi = std::sin(phi);
    const double c = std::sqrt(1.0 - m_e2 * sinPhi * sinPhi) * std::tan(phi);
    point->first = phi;
    point->second = m_params.longitudeOfOrigin + std::asin(std::clamp(c * x, -1.0, 1.0)) / sinPhi;
    normalizeGeodetic(point);
}

// Quasi-stereographic

namespace {

struct CQuasiConstants
{
    double c, t, t2, t4, n, e2, e4, e6;
};

CQuasiConstants quasiConstants(const CEllipsoidParams& ellipsoid, double phi0)
{
    const double a = ellipsoid.a;
    const double b = ellipsoid.b;
    CQuasiConstants k;
    k.c = std::cos(phi0);
    k.t = std::tan(phi0);
    k.t2 = k.t * k.t;
    k.t4 = k.t2 * k.t2;
    k.e2 = (a * a - b * b) / (b * b) * k.c * k.c; // eta squared
    k.e4 = k.e2 * k.e2;
    k.e6 = k.e4 * k.e2;
    k.n = a * a / (b * std::sqrt(1.0 + k.e2));
    return k;
}

// Terms in powers of (latitude difference, longitude difference).
CDoublePowerSeries quasiNorthing(const CQuasiConstants& k)
{
    const double n = k.n, c2 = k.c * k.c, c4 = c2 * c2, t = k.t, t2 = k.t2, e2 = k.e2, e4 = k.e4;
    return {{1, 0, n * (1.0 - e2 + e4 - k.e6)},
            {2, 0, 3.0 * n * t * (e2 - 2.0 * e4) / 2.0},
            {0, 2, n * c2 * t / 2.0},
            {3, 0, n * (1.0 + 4.0 * e2 - 6.0 * t2 * e2 - 9.0 * e4 + 42.0 * t2 * e4) / 12.0},
            {1, 2, n * c2 * (1.0 - 2.0 * t2 + 2.0 * t2 * e2 - 6.0 * t2 * e4) / 4.0},
            {4, 0, -n * t * e2 / 8.0},
            {2, 2, -n * c2 * t * (3.0 + 2.0 * e2 + 6.0 * t2 * e2) / 8.0},
            {0, 4, n * c4 * t * (2.0 - t2 + 6.0 * e2) / 24.0},
            {5, 0, n / 120.0},
            {3, 2, -n * c2 * (1.0 + t2) / 24.0},
            {1, 4, n * c4 * (2.0 - 11.0 * t2 + 2.0 * k.t4) / 48.0}};
}

CDoublePowerSeries quasiEasting(const CQuasiConstants& k)
{
    const double nc = k.n * k.c, c2 = k.c * k.c, t = k.t, t2 = k.t2, e2 = k.e2, e4 = k.e4;
    return {{0, 1, nc},
            {1, 1, -nc * t * (1.0 - e2 + e4)},
            {2, 1, nc * (e2 - 1.0 - 6.0 * t2 * e2 - e4 + 12.0 * t2 * e4) / 4.0},
            {0, 3, nc * c2 * (1.0 - 2.0 * t2 + e2) / 12.0},
            {3, 1, -nc * t * (1.0 + 5.0 * e2 - 6.0 * t2 * e2) / 12.0},
            {1, 3, -nc * c2 * t * (2.0 - t2 + 4.0 * e2 + t2 * e2) / 6.0},
            {4, 1, -nc / 24.0},
            {2, 3, nc * c2 * (7.0 * t2 - 2.0) / 24.0},
            {0, 5, nc * c2 * c2 * (2.0 - 11.0 * t2 + 2.0 * k.t4) / 240.0}};
}

// Terms in powers of (y, x) from the false origin, divided by the scale factor.
CDoublePowerSeries quasiLatitude(const CQuasiConstants& k)
{
    const double n = k.n, n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n;
    const double t = k.t, t2 = k.t2, t4 = k.t4, e2 = k.e2, e4 = k.e4;
    return {{1, 0, (1.0 + e2) / n},
            {2, 0, -3.0 * t * (e2 + e4) / (2.0 * n2)},
            {0, 2, -t * (1.0 + e2) / (2.0 * n2)},
            {3, 0, (-1.0 - 8.0 * e2 + 6.0 * t2 * e2 - 13.0 * e4 + 36.0 * t2 * e4) / (12.0 * n3)},
            {1, 2, (-1.0 - 2.0 * t2 - 2.0 * e2 + 4.0 * t2 * e2 - e4 + 6.0 * t2 * e4) / (4.0 * n3)},
            {4, 0, 3.0 * t * e2 / (4.0 * n4)},
            {2, 2, t * (8.0 * e2 - 1.0 - 2.0 * t2 + t2 * e2) / (4.0 * n4)},
            {0, 4, t * (3.0 + 3.0 * t2 + 2.0 * e2 - 6.0 * t2 * e2) / (24.0 * n4)},
            {5, 0, 1.0 / (80.0 * n5)},
            {3, 2, (-3.0 * t2 - 4.0 * t4) / (8.0 * n5)},
            {1, 4, (1.0 + 6.0 * t2 + 6.0 * t4) / (16.0 * n5)}};
}

CDoublePowerSeries quasiLongitude(const CQuasiConstants& k)
{
    const double cn = k.c * k.n, n = k.n, n2 = n * n, n3 = n2 * n, n4 = n3 * n;
    const double t = k.t, t2 = k.t2, t4 = k.t4, e2 = k.e2;
    const double p = 1.0 + 12.0 * t2 + 16.0 * t4;
    return {{0, 1, 1.0 / cn},
            {1, 1, t / (cn * n)},
            {2, 1, (1.0 + 4.0 * t2 + e2) / (4.0 * cn * n2)},
            {0, 3, (-1.0 - 4.0 * t2 - e2) / (12.0 * cn * n2)},
            {3, 1, t * (3.0 + 6.0 * t2 - e2) / (6.0 * cn * n3)},
            {1, 3, t * (e2 - 3.0 - 6.0 * t2) / (6.0 * cn * n3)},
            {4, 1, p / (16.0 * cn * n4)},
            {2, 3, -p / (8.0 * cn * n4)},
            {0, 5, p / (80.0 * cn * n4)}};
}

} // namespace

CMapProjectionQuasiStereographic::CMapProjectionQuasiStereographic(
    const CEllipsoidParams& ellipsoid, const CMapProjectionQuasiStereographicParams& params)
    : CMapProjection(CMapProjectionQuasiStereographicParams::typeCode),
      m_params(params)
{
    const CQuasiConstants k = quasiConstants(ellipsoid, params.latitudeOfOrigin);
    m_easting = quasiEasting(k);
    m_northing = quasiNorthing(k);
    m_latitude = quasiLatitude(k);
    m_longitude = quasiLongitude(k);
}

void CMapProjectionQuasiStereographic::GeodeticToProjected(CCoords* point) const
{
    const double b = point->first - m_params.latitudeOfOrigin;
    const double l = longitudeDifference(point->second, m_params.longitudeOfOrigin);
    point->first = m_params.falseEasting + m_params.scaleFactor * m_easting(b, l);
    point->second = m_params.falseNorthing + m_params.scaleFactor * m_northing(b, l);
}

void CMapProjectionQuasiStereographic::ProjectedToGeodetic(CCoords* point) const
{
    const CCoords projected = *point;
    const double x = (point->first - m_params.falseEasting) / m_params.scaleFactor;
    const double y = (point->second - m_params.falseNorthing) / m_params.scaleFactor;
    point->first = m_params.latitudeOfOrigin + m_latitude(y, x);
    point->second = m_params.longitudeOfOrigin + m_longitude(y, x);
    refineInverse(projected, point);
    normalizeGeodetic(point);
}

} // namespace vexa
