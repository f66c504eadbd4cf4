#include "geodesy/projectionscylindrical.h"

#include <cmath>

namespace vexa {

namespace {

constexpr int kKrovakIterations = 30;
constexpr double kKrovakTolerance = 1e-10;

double rootOrZero(double value)
{
    return value < 0.0 ? 0.0 : std::sqrt(value);
}

// The angle less the origin, within half a turn of it.
double angleFrom(double angle, double origin)
{
    double difference = angle - origin;
    normalizeAngle(difference);
    return difference;
}

double square(double x)
{
    return x * x;
}

double signOfLatitude(double phi)
{
    if (phi > 0.0)
        return 1.0;
    return phi < 0.0 ? -1.0 : 0.0;
}

// ((1 + e sin(phi)) / (1 - e sin(phi)))^power
double eccentricityRatio(double phi, double e, double power)
{
    const double es = e * std::sin(phi);
    return std::pow((1.0 + es) / (1.0 - es), power);
}

} // namespace

CMapProjectionCassiniSoldner::CMapProjectionCassiniSoldner(
    const CEllipsoidParams& ellipsoid, const CMapProjectionCassiniSoldnerParams& params)
    : CMapProjection(CMapProjectionCassiniSoldnerParams::typeCode),
      m_params(params),
      m_a(ellipsoid.a),
      m_e2(ellipsoid.getEccentricitySquared()),
      m_secondE2(m_e2 / (1.0 - m_e2)),
      m_arc(ellipsoid.a, m_e2),
      m_arc0(m_arc.arc(params.latitudeOfOrigin))
{
}

void CMapProjectionCassiniSoldner::GeodeticToProjected(CCoords* point) const
{
    const double phi = point->first;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double tanPhi = std::tan(phi);
    const double a1 = longitudeDifference(point->second, m_params.longitudeOfOrigin) * cosPhi;
    const double a2 = a1 * a1;
    const double t = tanPhi * tanPhi;
    const double c = m_secondE2 * cosPhi * cosPhi;
    const double nu = m_a / std::sqrt(1.0 - m_e2 * sinPhi * sinPhi);
    point->first = m_params.falseEasting
                   + nu * a1 * (1.0 - t * a2 / 6.0 - (8.0 - t + 8.0 * c) * t * a2 * a2 / 120.0);
    point->second = m_params.falseNorthing + m_arc.arc(phi) - m_arc0
                    + nu * tanPhi * a2 * (0.5 + (5.0 - t + 6.0 * c) * a2 / 24.0);
}

void CMapProjectionCassiniSoldner::ProjectedToGeodetic(CCoords* point) const
{
    const CCoords projected = *point;
    const double phi1 = m_arc.footpointLatitude(m_arc0 + point->second - m_params.falseNorthing);
    const double sinPhi1 = std::sin(phi1);
    const double tanPhi1 = std::tan(phi1);
    const double w = 1.0 - m_e2 * sinPhi1 * sinPhi1;
    const double nu1 = m_a / std::sqrt(w);
    const double rho1 = nu1 * (1.0 - m_e2) / w;
    const double t1 = tanPhi1 * tanPhi1;
    const double d = (point->first - m_params.falseEasting) / nu1;
    const double d2 = d * d;
    point->first = phi1 - (nu1 * tanPhi1 / rho1) * d2 * (0.5 - (1.0 + 3.0 * t1) * d2 / 24.0);
    point->second = m_params.longitudeOfOrigin
                    + d * (1.0 - t1 * d2 / 3.0 + (1.0 + 3.0 * t1) * t1 * d2 * d2 / 15.0)
                          / std::cos(phi1);
    refineInverse(projected, point);
    normalizeGeodetic(point);
}

CMapProjectionMercator2SP::CMapProjectionMercator2SP(const CEllipsoidParams& ellipsoid,
                                                     const CMapProjectionMercator2SPParams& params)
    : CMapProjectionMercator2SP(CMapProjectionMercator2SPParams::typeCode, ellipsoid,
                                parallelRadiusFactor(params.latitudeOfFirstParallel,
                                                     ellipsoid.getEccentricitySquared()),
                                params.longitudeOfOrigin, params.falseEasting, params.falseNorthing)
{
}

CMapProjectionMercator2SP::CMapProjectionMercator2SP(int type, const CEllipsoidParams& ellipsoid,
                                                     double scaleFactor, double longitudeOfOrigin,
                                                     double falseEasting, double falseNorthing)
    : CMapProjection(type),
      m_e(std::sqrt(ellipsoid.getEccentricitySquared())),
      m_series(ellipsoid.getEccentricitySquared()),
      m_ak0(ellipsoid.a * scaleFactor),
      m_longitudeOfOrigin(longitudeOfOrigin),
      m_falseEasting(falseEasting),
      m_falseNorthing(falseNorthing)
{
}

void CMapProjectionMercator2SP::GeodeticToProjected(CCoords* point) const
{
    const double northing = -m_ak0 * std::log(isometricFactor(point->first, m_e));
    point->first = m_falseEasting + m_ak0 * longitudeDifference(point->second, m_longitudeOfOrigin);
    point->second = m_falseNorthing + northing;
}

void CMapProjectionMercator2SP::ProjectedToGeodetic(CCoords* point) const
{
    const double t = std::exp(-(point->second - m_falseNorthing) / m_ak0);
    const double longitude = (point->first - m_falseEasting) / m_ak0 + m_longitudeOfOrigin;
    point->first = m_series.latitude(kHalfPi - 2.0 * std::atan(t));
    point->second = longitude;
    normalizeGeodetic(point);
}

CMapProjectionMercator1SP::CMapProjectionMercator1SP(const CEllipsoidParams& ellipsoid,
                                                     const CMapProjectionMercator1SPParams& params)
    : CMapProjectionMercator2SP(CMapProjectionMercator1SPParams::typeCode, ellipsoid,
                                params.scaleFactor, params.longitudeOfOrigin, params.falseEasting,
                                params.falseNorthing)
{
}

CHotineCylinder::CHotineCylinder(const CEllipsoidParams& ellipsoid, double latitudeOfCentre,
                                 double longitudeOfCentre, double azimuth,
                                 double rectifiedGridAngle, double scaleFactor, double easting,
                                 double northing)
    : m_e(std::sqrt(ellipsoid.getEccentricitySquared())),
      m_series(ellipsoid.getEccentricitySquared()),
      m_longitudeOfCentre(longitudeOfCentre),
      m_sinGammaC(std::sin(rectifiedGridAngle)),
      m_cosGammaC(std::cos(rectifiedGridAngle)),
      m_easting(easting),
      m_northing(northing)
{
    const double e2 = m_e * m_e;
    const double sinPhiC = std::sin(latitudeOfCentre);
    const double cosPhiC = std::cos(latitudeOfCentre);
    const double w = 1.0 - e2 * sinPhiC * sinPhiC;
    const double signPhiC = signOfLatitude(latitudeOfCentre);
    m_b = std::sqrt(1.0 + e2 * std::pow(cosPhiC, 4.0) / (1.0 - e2));
    m_aOverB = ellipsoid.a * scaleFactor * std::sqrt(1.0 - e2) / w;
    const double d = m_b * std::sqrt(1.0 - e2) / (cosPhiC * std::sqrt(w));
    const double root = rootOrZero(d * d - 1.0);
    const double f = d + signPhiC * root;
    m_h = f * std::pow(isometricFactor(latitudeOfCentre, m_e), m_b);
    const double g = (f - 1.0 / f) / 2.0;
    const double sinAzimuth = std::sin(azimuth);
    const double cosAzimuth = std::fabs(std::cos(azimuth));
    const double gamma0 = std::asin(sinAzimuth / d);
    m_sinGamma0 = std::sin(gamma0);
    m_cosGamma0 = std::cos(gamma0);
    m_northPoleV = -std::atanh(m_sinGamma0);
    // B (lambdaC - lambda0) has the sine G tan(gamma0) and the cosine |cos(alpha)| / cos(gamma0);
    // the arcsine of the sine alone loses half the digits near a right azimuth.
    m_centreTurn = std::atan2(g * sinAzimuth / d, cosAzimuth);
    // sign(phiC) atan(sqrt(D^2 - 1) / |cos(alpha)|): a quarter turn at a right azimuth.
    m_centreU = signPhiC * std::atan2(root, cosAzimuth);
}

double CHotineCylinder::centreOffset() const
{
    return m_aOverB * m_centreU;
}

void CHotineCylinder::toSkew(const CCoords& geodetic, double& u, double& v) const
{
    // At a pole Q is infinite or zero: U = +-sin(gamma0), and u is a quarter turn of the cylinder.
    if (std::fabs(geodetic.first) >= kHalfPi) {
        const double sign = geodetic.first > 0.0 ? 1.0 : -1.0;
        v = sign * m_aOverB * m_northPoleV;
        u = sign * m_aOverB * kHalfPi;
        return;
    }
    const double q = m_h / std::pow(isometricFactor(geodetic.first, m_e), m_b);
    const double s = (q - 1.0 / q) / 2.0;
    const double t = (q + 1.0 / q) / 2.0;
    // Longitudes are taken from the centre's meridian, so the seam lies opposite the centre.
    const double bLambda
        = m_b * longitudeDifference(geodetic.second, m_longitudeOfCentre) + m_centreTurn;
    const double vv = std::sin(bLambda);
    const double uu = (s * m_sinGamma0 - vv * m_cosGamma0) / t;
    v = m_aOverB * std::log((1.0 - uu) / (1.0 + uu)) / 2.0;
    // The turn round the cylinder, taken within half a turn of the centre's so that u runs on
    // through the centre at any azimuth.
    const double turn = std::atan2(s * m_cosGamma0 + vv * m_sinGamma0, std::cos(bLambda));
    u = m_aOverB * (m_centreU + angleFrom(turn, m_centreU));
}

// (1 - U') / (1 + U'): 0 at the north pole, infinite at the south pole. Near a pole U' comes
// to 1 or -1, so both are taken as sums of squares there; when gamma0 is a right angle the
// poles lie at infinite v and U' itself serves.
double CHotineCylinder::poleRatio(double ub, double vb) const
{
    if (!std::isfinite(m_northPoleV)) {
        const double uu = (std::sin(ub) * m_cosGamma0 - std::sinh(vb) * m_sinGamma0) / std::cosh(vb);
        return (1.0 - uu) / (1.0 + uu);
    }
    const double toNorth
        = square(std::sinh((vb - m_northPoleV) / 2.0)) + square(std::sin(kPi / 4.0 - ub / 2.0));
    const double toSouth
        = square(std::sinh((vb + m_northPoleV) / 2.0)) + square(std::sin(kPi / 4.0 + ub / 2.0));
    return toNorth / toSouth;
}

void CHotineCylinder::fromSkew(double u, double v, CCoords* point) const
{
    const double vb = v / m_aOverB;
    const double ub = u / m_aOverB;
    const double q = std::exp(-vb);
    const double s = (q - 1.0 / q) / 2.0;
    const double vv = std::sin(ub);
    const double tPrime = std::pow(m_h * std::sqrt(poleRatio(ub, vb)), 1.0 / m_b);
    point->first = m_series.latitude(kHalfPi - 2.0 * std::atan(tPrime));
    const double turn = -std::atan2(s * m_cosGamma0 - vv * m_sinGamma0, std::cos(ub));
    point->second = m_longitudeOfCentre + angleFrom(turn, m_centreTurn) / m_b;
    normalizeGeodetic(point);
}

void CHotineCylinder::toGrid(double u, double v, CCoords* point) const
{
    point->first = v * m_cosGammaC + u * m_sinGammaC + m_easting;
    point->second = u * m_cosGammaC - v * m_sinGammaC + m_northing;
}

void CHotineCylinder::fromGrid(const CCoords& point, double& u, double& v) const
{
    const double x = point.first - m_easting;
    const double y = point.second - m_northing;
    v = x * m_cosGammaC - y * m_sinGammaC;
    u = y * m_cosGammaC + x * m_sinGammaC;
}

CMapProjectionHotineObliqueMercator::CMapProjectionHotineObliqueMercator(
    const CEllipsoidParams& ellipsoid, const CMapProjectionHotineObliqueMercatorParams& params)
    : CMapProjection(CMapProjectionHotineObliqueMercatorParams::typeCode),
      m_cylinder(ellipsoid, params.latitudeOfCentre, params.longitudeOfCentre, params.azimuth,
                 params.rectifiedGridAngle, params.scaleFactor, params.falseEasting,
                 params.falseNorthing)
{
}

void CMapProjectionHotineObliqueMercator::GeodeticToProjected(CCoords* point) const
{
    double u = 0.0;
    double v = 0.0;
    m_cylinder.toSkew(*point, u, v);
    m_cylinder.toGrid(u, v, point);
}

void CMapProjectionHotineObliqueMercator::ProjectedToGeodetic(CCoords* point) const
{
    double u = 0.0;
    double v = 0.0;
    m_cylinder.fromGrid(*point, u, v);
    m_cylinder.fromSkew(u, v, point);
}

CMapProjectionObliqueMercator::CMapProjectionObliqueMercator(
    const CEllipsoidParams& ellipsoid, const CMapProjectionObliqueMercatorParams& params)
    : CMapProjection(CMapProjectionObliqueMercatorParams::typeCode),
      m_cylinder(ellipsoid, params.latitudeOfCentre, params.longitudeOfCentre, params.azimuth,
                 params.rectifiedGridAngle, params.scaleFactor, params.eastingAtCentre,
                 params.northingAtCentre),
      m_shift(m_cylinder.centreOffset())
{
}

void CMapProjectionObliqueMercator::GeodeticToProjected(CCoords* point) const
{
    double u = 0.0;
    double v = 0.0;
    m_cylinder.toSkew(*point, u, v);
    m_cylinder.toGrid(u - m_shift, v, point);
}

void CMapProjectionObliqueMercator::ProjectedToGeodetic(CCoords* point) const
{
    double u = 0.0;
    double v = 0.0;
    m_cylinder.fromGrid(*point, u, v);
    m_cylinder.fromSkew(u + m_shift, v, point);
}

CMapProjectionKrovak::CMapProjectionKrovak(const CEllipsoidParams& ellipsoid,
                                           const CMapProjectionKrovakParams& params)
    : CMapProjection(CMapProjectionKrovakParams::typeCode),
      m_params(params),
      m_e(std::sqrt(ellipsoid.getEccentricitySquared())),
      m_n(std::sin(params.latitudeOfPseudoStandardParallel)),
      m_tanPseudoParallel(std::tan(params.latitudeOfPseudoStandardParallel / 2.0 + kPi / 4.0)),
      m_sinAlpha(std::sin(params.coLatitudeOfConeAxis)),
      m_cosAlpha(std::cos(params.coLatitudeOfConeAxis))
{
    const double e2 = m_e * m_e;
    const double phiC = params.latitudeOfCentre;
    const double sinPhiC = std::sin(phiC);
    const double a = ellipsoid.a * std::sqrt(1.0 - e2) / (1.0 - e2 * sinPhiC * sinPhiC);
    m_b = std::sqrt(1.0 + e2 * std::pow(std::cos(phiC), 4.0) / (1.0 - e2));
    const double gamma0 = std::asin(sinPhiC / m_b);
    m_t0 = std::tan(kPi / 4.0 + gamma0 / 2.0)
           * std::pow(eccentricityRatio(phiC, m_e, m_e / 2.0) / std::tan(kPi / 4.0 + phiC / 2.0),
                      m_b);
    m_r0 = params.scaleFactor * a / std::tan(params.latitudeOfPseudoStandardParallel);
}

void CMapProjectionKrovak::GeodeticToProjected(CCoords* point) const
{
    const double phi = point->first;
    const double u = 2.0
                     * (std::atan(m_t0 * std::pow(std::tan(phi / 2.0 + kPi / 4.0), m_b)
                                  / eccentricityRatio(phi, m_e, m_e * m_b / 2.0))
                        - kPi / 4.0);
    const double v = -m_b * longitudeDifference(point->second, m_params.longitudeOfOrigin);
    const double t = std::asin(m_cosAlpha * std::sin(u) + m_sinAlpha * std::cos(u) * std::cos(v));
    const double d = std::asin(std::cos(u) * std::sin(v) / std::cos(t));
    const double theta = m_n * d;
    const double r = m_r0 * std::pow(m_tanPseudoParallel / std::tan(t / 2.0 + kPi / 4.0), m_n);
    point->first = -(r * std::sin(theta) + m_params.falseEasting);
    point->second = -(r * std::cos(theta) + m_params.falseNorthing);
}

void CMapProjectionKrovak::ProjectedToGeodetic(CCoords* point) const
{
    const double yp = -point->first - m_params.falseEasting;
    const double xp = -point->second - m_params.falseNorthing;
    const double r = std::sqrt(xp * xp + yp * yp);
    const double d = std::atan2(yp, xp) / m_n;
    const double t = 2.0 * (std::atan(std::pow(m_r0 / r, 1.0 / m_n) * m_tanPseudoParallel) - kPi / 4.0);
    const double u = std::asin(m_cosAlpha * std::sin(t) - m_sinAlpha * std::cos(t) * std::cos(d));
    const double v = std::asin(std::cos(t) * std::sin(d) / std::cos(u));
    const double factor = std::pow(std::tan(u / 2.0 + kPi / 4.0) / m_t0, 1.0 / m_b);

    double phi = u;
    for (int i = 0; i < kKrovakIterations; ++i) {
        const double next = 2.0 * (std::atan(factor * eccentricityRatio(phi, m_e, m_e / 2.0)) - kPi / 4.0);
        const bool converged = std::fabs(next - phi) < kKrovakTolerance;
        phi = next;
        if (converged)
            break;
    }
    point->first = phi;
    point->second = m_params.longitudeOfOrigin - v / m_b;
    normalizeGeodetic(point);
}

} // namespace vexa
