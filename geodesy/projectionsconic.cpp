#include "geodesy/projectionsconic.h"

#include <cmath>

namespace vexa {

namespace {

// Turn of the Belgian grid: 29.2985 arc-seconds.
constexpr double kBelgianTurn = 0.0001420431363598774;
constexpr int kLatitudeIterations = 1000;
constexpr double kLatitudeTolerance = 1e-10;
constexpr double kPoleCosine = 1e-12;
constexpr int kAuthalicSteps = 4;
constexpr double kAuthalicTolerance = 1e-15;
// Below this 1 - sin(phi) the latitude from the complement starts from its polar limit.
constexpr double kNearPole = 1e-4;

double signOf(double value)
{
    return value > 0.0 ? 1.0 : -1.0;
}

double lambertConeConstant(double phi1, double phi2, double e, double e2)
{
    if (phi1 == phi2)
        return std::sin(phi1);
    return (std::log(parallelRadiusFactor(phi1, e2)) - std::log(parallelRadiusFactor(phi2, e2)))
           / (std::log(isometricFactor(phi1, e)) - std::log(isometricFactor(phi2, e)));
}

} // namespace

double longitudeDifference(double longitude, double origin)
{
    double difference = longitude - origin;
    normalizeLongitude(difference);
    return difference;
}

void normalizeGeodetic(CCoords* point)
{
    normalizeLatitude(point->first);
    normalizeLongitude(point->second);
}

double parallelRadiusFactor(double phi, double e2)
{
    const double s = std::sin(phi);
    return std::cos(phi) / std::sqrt(1.0 - e2 * s * s);
}

double isometricFactor(double phi, double e)
{
    const double es = e * std::sin(phi);
    return std::tan(kPi / 4.0 - phi / 2.0) / std::pow((1.0 - es) / (1.0 + es), e / 2.0);
}

CThirdFlattening::CThirdFlattening(double e2)
    : n((1.0 - std::sqrt(1.0 - e2)) / (1.0 + std::sqrt(1.0 - e2))),
      n2(n * n),
      n3(n2 * n),
      n4(n2 * n2),
      n5(n4 * n),
      n6(n3 * n3)
{
}

CMeridianArcSeries::CMeridianArcSeries(double a, double e2)
{
    const CThirdFlattening powers(e2);
    const double n = powers.n, n2 = powers.n2, n3 = powers.n3;
    const double n4 = powers.n4, n5 = powers.n5, n6 = powers.n6;
    m_radius = a / (1.0 + n) * (1.0 + n2 / 4.0 + n4 / 64.0 + n6 / 256.0);
    m_toRectifying = {-3.0 * n / 2.0 + 9.0 * n3 / 16.0 - 3.0 * n5 / 32.0,
                      15.0 * n2 / 16.0 - 15.0 * n4 / 32.0 + 135.0 * n6 / 2048.0,
                      -35.0 * n3 / 48.0 + 105.0 * n5 / 256.0,
                      315.0 * n4 / 512.0 - 189.0 * n6 / 512.0,
                      -693.0 * n5 / 1280.0,
                      1001.0 * n6 / 2048.0};
    m_fromRectifying = {3.0 * n / 2.0 - 27.0 * n3 / 32.0 + 269.0 * n5 / 512.0,
                        21.0 * n2 / 16.0 - 55.0 * n4 / 32.0 + 6759.0 * n6 / 4096.0,
                        151.0 * n3 / 96.0 - 417.0 * n5 / 128.0,
                        1097.0 * n4 / 512.0 - 15543.0 * n6 / 2560.0,
                        8011.0 * n5 / 2560.0,
                        293393.0 * n6 / 61440.0};
}

double CMeridianArcSeries::arc(double phi) const
{
    const double twoPhi = 2.0 * phi;
    return m_radius * (phi + sineSeries(m_toRectifying, std::sin(twoPhi), std::cos(twoPhi)));
}

double CMeridianArcSeries::footpointLatitude(double arc) const
{
    const double mu = arc / m_radius;
    return mu + sineSeries(m_fromRectifying, std::sin(2.0 * mu), std::cos(2.0 * mu));
}

CConformalLatitudeSeries::CConformalLatitudeSeries(double e2)
{
    const CThirdFlattening powers(e2);
    const double n = powers.n, n2 = powers.n2, n3 = powers.n3;
    const double n4 = powers.n4, n5 = powers.n5, n6 = powers.n6;
    m_toConformal = sinePolynomial<6>({-2.0 * n + 2.0 * n2 / 3.0 + 4.0 * n3 / 3.0 - 82.0 * n4 / 45.0 + 32.0 * n5 / 45.0
                         + 4642.0 * n6 / 4725.0,
                     5.0 * n2 / 3.0 - 16.0 * n3 / 15.0 - 13.0 * n4 / 9.0 + 904.0 * n5 / 315.0
                         - 1522.0 * n6 / 945.0,
                     -26.0 * n3 / 15.0 + 34.0 * n4 / 21.0 + 8.0 * n5 / 5.0 - 12686.0 * n6 / 2835.0,
                     1237.0 * n4 / 630.0 - 12.0 * n5 / 5.0 - 24832.0 * n6 / 14175.0,
                     -734.0 * n5 / 315.0 + 109598.0 * n6 / 31185.0,
                     444337.0 * n6 / 155925.0});
    m_fromConformal = sinePolynomial<6>({2.0 * n - 2.0 * n2 / 3.0 - 2.0 * n3 + 116.0 * n4 / 45.0 + 26.0 * n5 / 45.0
                           - 2854.0 * n6 / 675.0,
                       7.0 * n2 / 3.0 - 8.0 * n3 / 5.0 - 227.0 * n4 / 45.0 + 2704.0 * n5 / 315.0
                           + 2323.0 * n6 / 945.0,
                       56.0 * n3 / 15.0 - 136.0 * n4 / 35.0 - 1262.0 * n5 / 105.0
                           + 73814.0 * n6 / 2835.0,
                       4279.0 * n4 / 630.0 - 332.0 * n5 / 35.0 - 399572.0 * n6 / 14175.0,
                       4174.0 * n5 / 315.0 - 144838.0 * n6 / 6237.0,
                       601676.0 * n6 / 22275.0});
}

double CConformalLatitudeSeries::latitude(double chi) const
{
    return chi + latitudeCorrection(std::sin(2.0 * chi), std::cos(2.0 * chi));
}

CAuthalicLatitude::CAuthalicLatitude(double e2)
    : m_e(std::sqrt(e2)),
      m_oneMinusE2(1.0 - e2),
      m_b2(e2 / 3.0 + 31.0 * e2 * e2 / 180.0 + 517.0 * e2 * e2 * e2 / 5040.0),
      m_b4(23.0 * e2 * e2 / 360.0 + 251.0 * e2 * e2 * e2 / 3780.0),
      m_b6(761.0 * e2 * e2 * e2 / 45360.0),
      m_qP(q(kPi / 2.0))
{
}

double CAuthalicLatitude::q(double phi) const
{
    const double s = std::sin(phi);
    const double es = m_e * s;
    const double atanhRatio = m_e > 0.0 ? std::atanh(es) / m_e : s;
    return m_oneMinusE2 * (s / (1.0 - es * es) + atanhRatio);
}

double CAuthalicLatitude::latitude(double q) const
{
    const double beta = std::asin(q / m_qP);
    const double phi = beta + m_b2 * std::sin(2.0 * beta) + m_b4 * std::sin(4.0 * beta)
                       + m_b6 * std::sin(6.0 * beta);
    return refine(q, phi);
}

double CAuthalicLatitude::refine(double q, double phi) const
{
    for (int step = 0; step < kAuthalicSteps; ++step) {
        const double cosPhi = std::cos(phi);
        if (cosPhi < kPoleCosine)
            return phi;
        const double es = m_e * std::sin(phi);
        const double w = 1.0 - es * es;
        const double correction = w * w / (2.0 * m_oneMinusE2 * cosPhi) * (q - this->q(phi));
        phi += correction;
        if (!(std::fabs(correction) > kAuthalicTolerance))
            break;
    }
    return phi;
}

double CAuthalicLatitude::complement(double phi) const
{
    const double e2 = 1.0 - m_oneMinusE2;
    const double s = std::sin(phi);
    const double half = std::sin((kHalfPi - phi) / 2.0);
    const double d = 2.0 * half * half; // 1 - s
    const double atanhTerm = m_e > 0.0 ? std::atanh(m_e * d / (1.0 - e2 * s)) / m_e : d;
    return d * (1.0 + e2 * s) / (1.0 - e2 * s * s) + m_oneMinusE2 * atanhTerm;
}

double CAuthalicLatitude::latitudeFromComplement(double g) const
{
    if (!(g > 0.0))
        return kHalfPi;
    // Near the pole the complement is 2 (1 - sin(phi)) / (1 - e^2) to first order.
    const double d = g * m_oneMinusE2 / 2.0;
    double phi = d < kNearPole ? kHalfPi - 2.0 * std::asin(std::sqrt(d / 2.0)) : latitude(m_qP - g);
    // Newton steps on the square root of the complement, nearly linear in the pole distance.
    const double root = std::sqrt(g);
    for (int step = 0; step < kAuthalicSteps; ++step) {
        const double current = complement(phi);
        if (!(current > 0.0))
            break;
        const double s = std::sin(phi);
        const double w = 1.0 - (1.0 - m_oneMinusE2) * s * s;
        const double slope = -m_oneMinusE2 * std::cos(phi) / (w * w * std::sqrt(current));
        const double correction = (root - std::sqrt(current)) / slope;
        phi += correction;
        if (!(std::fabs(correction) > kAuthalicTolerance))
            break;
    }
    return phi;
}

CMapProjectionAlbersEqualArea::CMapProjectionAlbersEqualArea(
    const CEllipsoidParams& ellipsoid, const CMapProjectionAlbersEqualAreaParams& params)
    : CMapProjection(CMapProjectionAlbersEqualAreaParams::typeCode),
      m_params(params),
      m_authalic(ellipsoid.getEccentricitySquared())
{
    const double e2 = ellipsoid.getEccentricitySquared();
    m_a2 = ellipsoid.a * ellipsoid.a;

    const double phi1 = params.latitudeOfFirstParallel;
    const double phi2 = params.latitudeOfSecondParallel;
    const double m1 = parallelRadiusFactor(phi1, e2);
    const double m2 = parallelRadiusFactor(phi2, e2);
    const double alpha1 = m_authalic.q(phi1);
    m_n = phi1 == phi2 ? std::sin(phi1) : (m1 * m1 - m2 * m2) / (m_authalic.q(phi2) - alpha1);
    m_c = m1 * m1 + m_n * alpha1;
    m_rho0 = ellipsoid.a * std::sqrt(m_c - m_n * m_authalic.q(params.latitudeOfFalseOrigin)) / m_n;
    m_n2 = m_n * m_n;
}

void CMapProjectionAlbersEqualArea::GeodeticToProjected(CCoords* point) const
{
    const double theta = m_n * longitudeDifference(point->second, m_params.longitudeOfFalseOrigin);
    const double rho = std::sqrt(m_a2 * (m_c - m_n * m_authalic.q(point->first))) / m_n;
    point->first = m_params.eastingAtFalseOrigin + rho * std::sin(theta);
    point->second = m_params.northingAtFalseOrigin + m_rho0 - rho * std::cos(theta);
}

void CMapProjectionAlbersEqualArea::ProjectedToGeodetic(CCoords* point) const
{
    const double x = point->first - m_params.eastingAtFalseOrigin;
    const double y = m_rho0 - (point->second - m_params.northingAtFalseOrigin);
    // On a southern cone (n < 0) the radii point the other way.
    const double sign = signOf(m_n);
    const double theta = std::atan2(sign * x, sign * y);
    const double rho2 = x * x + y * y;
    const double alphaPrime = (m_c - rho2 * m_n2 / m_a2) / m_n;
    point->first = m_authalic.latitude(alphaPrime);
    point->second = m_params.longitudeOfFalseOrigin + theta / m_n;
    normalizeGeodetic(point);
}

CMapProjectionEquidistantConic::CMapProjectionEquidistantConic(
    const CEllipsoidParams& ellipsoid, const CMapProjectionEquidistantConicParams& params)
    : CMapProjection(CMapProjectionEquidistantConicParams::typeCode),
      m_params(params),
      m_arc(ellipsoid.a, ellipsoid.getEccentricitySquared())
{
    const double e2 = ellipsoid.getEccentricitySquared();
    const double phi1 = params.latitudeOfFirstParallel;
    const double phi2 = params.latitudeOfSecondParallel;
    const double m1 = parallelRadiusFactor(phi1, e2);
    const double m2 = parallelRadiusFactor(phi2, e2);
    const double arc1 = m_arc.arc(phi1);
    m_n = phi1 == phi2 ? std::sin(phi1) : ellipsoid.a * (m1 - m2) / (m_arc.arc(phi2) - arc1);
    m_signN = signOf(m_n);
    m_ga = ellipsoid.a * m1 / m_n + arc1;
    m_rho0 = m_ga - m_arc.arc(params.latitudeOfOrigin);
}

void CMapProjectionEquidistantConic::GeodeticToProjected(CCoords* point) const
{
    const double theta = m_n * longitudeDifference(point->second, m_params.longitudeOfOrigin);
    const double rho = m_ga - m_arc.arc(point->first);
    point->first = m_params.falseEasting + rho * std::sin(theta);
    point->second = m_params.falseNorthing + m_rho0 - rho * std::cos(theta);
}

void CMapProjectionEquidistantConic::ProjectedToGeodetic(CCoords* point) const
{
    const double x = point->first - m_params.falseEasting;
    const double y = m_rho0 - (point->second - m_params.falseNorthing);
    const double theta = std::atan(x / y);
    const double rho = m_signN * std::sqrt(x * x + y * y);
    point->first = m_arc.footpointLatitude(m_ga - rho);
    point->second = m_params.longitudeOfOrigin + theta / m_n;
    normalizeGeodetic(point);
}

CLambertCone::CLambertCone(double e, double n, double aF, double rOrigin,
                           double longitudeOfOrigin, double easting, double northing,
                           double thetaOffset, double startLatitude)
    : m_e(e),
      m_halfE(e / 2.0),
      m_n(n),
      m_inverseN(1.0 / n),
      m_aF(aF),
      m_rOrigin(rOrigin),
      m_sign(signOf(n)),
      m_longitudeOfOrigin(longitudeOfOrigin),
      m_easting(easting),
      m_northing(northing),
      m_thetaOffset(thetaOffset),
      m_startLatitude(startLatitude)
{
}

void CLambertCone::toProjected(CCoords* point) const
{
    const double r = m_aF * std::pow(isometricFactor(point->first, m_e), m_n);
    const double theta = m_n * longitudeDifference(point->second, m_longitudeOfOrigin) - m_thetaOffset;
    point->first = m_easting + r * std::sin(theta);
    point->second = m_northing + m_rOrigin - r * std::cos(theta);
}

void CLambertCone::toGeodetic(CCoords* point) const
{
    const double x = point->first - m_easting;
    const double y = m_rOrigin - (point->second - m_northing);
    // On a southern cone (n < 0) the radii point the other way.
    const double r = m_sign * std::sqrt(x * x + y * y);
    const double t = std::pow(r / m_aF, m_inverseN);
    const double theta = std::atan2(m_sign * x, m_sign * y);

    double phi = m_startLatitude;
    for (int i = 0; i < kLatitudeIterations; ++i) {
        const double es = m_e * std::sin(phi);
        const double next = kHalfPi - 2.0 * std::atan(t * std::pow((1.0 - es) / (1.0 + es), m_halfE));
        const bool converged = std::fabs(next - phi) <= kLatitudeTolerance;
        phi = next;
        if (converged)
            break;
    }
    point->first = phi;
    point->second = (theta + m_thetaOffset) * m_inverseN + m_longitudeOfOrigin;
    normalizeGeodetic(point);
}

namespace {

CLambertCone makeCone1SP(const CEllipsoidParams& ellipsoid,
                         const CMapProjectionLambertConformalConic1SPParams& params)
{
    const double e2 = ellipsoid.getEccentricitySquared();
    const double e = std::sqrt(e2);
    const double phi0 = params.latitudeOfOrigin;
    const double n = std::sin(phi0);
    const double t0n = std::pow(isometricFactor(phi0, e), n);
    const double f = parallelRadiusFactor(phi0, e2) / (n * t0n);
    const double aFk0 = ellipsoid.a * f * params.scaleFactor;
    return CLambertCone(e, n, aFk0, aFk0 * t0n, params.longitudeOfOrigin, params.falseEasting,
                        params.falseNorthing, 0.0, phi0);
}

CLambertCone makeCone2SP(const CEllipsoidParams& ellipsoid,
                         const CMapProjectionLambertConformalConic2SPParams& params,
                         double thetaOffset)
{
    const double e2 = ellipsoid.getEccentricitySquared();
    const double e = std::sqrt(e2);
    const double phi1 = params.latitudeOfFirstParallel;
    const double phi2 = params.latitudeOfSecondParallel;
    const double n = lambertConeConstant(phi1, phi2, e, e2);
    const double f = parallelRadiusFactor(phi1, e2) / (n * std::pow(isometricFactor(phi1, e), n));
    const double aF = ellipsoid.a * f;
    const double rF = aF * std::pow(isometricFactor(params.latitudeOfFalseOrigin, e), n);
    return CLambertCone(e, n, aF, rF, params.longitudeOfFalseOrigin, params.eastingAtFalseOrigin,
                        params.northingAtFalseOrigin, thetaOffset, (phi1 + phi2) / 2.0);
}

} // namespace

CMapProjectionLambertConformalConic1SP::CMapProjectionLambertConformalConic1SP(
    const CEllipsoidParams& ellipsoid, const CMapProjectionLambertConformalConic1SPParams& params)
    : CMapProjection(CMapProjectionLambertConformalConic1SPParams::typeCode),
      m_cone(makeCone1SP(ellipsoid, params))
{
}

void CMapProjectionLambertConformalConic1SP::ProjectedToGeodetic(CCoords* point) const
{
    m_cone.toGeodetic(point);
}

void CMapProjectionLambertConformalConic1SP::GeodeticToProjected(CCoords* point) const
{
    m_cone.toProjected(point);
}

CMapProjectionLambertConformalConic2SP::CMapProjectionLambertConformalConic2SP(
    const CEllipsoidParams& ellipsoid, const CMapProjectionLambertConformalConic2SPParams& params)
    : CMapProjectionLambertConformalConic2SP(CMapProjectionLambertConformalConic2SPParams::typeCode,
                                             ellipsoid, params, 0.0)
{
}

CMapProjectionLambertConformalConic2SP::CMapProjectionLambertConformalConic2SP(
    int type, const CEllipsoidParams& ellipsoid,
    const CMapProjectionLambertConformalConic2SPParams& params, double thetaOffset)
    : CMapProjection(type), m_cone(makeCone2SP(ellipsoid, params, thetaOffset))
{
}

void CMapProjectionLambertConformalConic2SP::ProjectedToGeodetic(CCoords* point) const
{
    m_cone.toGeodetic(point);
}

void CMapProjectionLambertConformalConic2SP::GeodeticToProjected(CCoords* point) const
{
    m_cone.toProjected(point);
}

CMapProjectionLambertConformalConic2SPBelgium::CMapProjectionLambertConformalConic2SPBelgium(
    const CEllipsoidParams& ellipsoid,
    const CMapProjectionLambertConformalConic2SPBelgiumParams& params)
    : CMapProjectionLambertConformalConic2SP(CMapProjectionLambertConformalConic2SPBelgiumParams::typeCode,
                                             ellipsoid, params, kBelgianTurn)
{
}

} // namespace vexa
