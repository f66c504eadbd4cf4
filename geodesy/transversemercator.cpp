#include "geodesy/transversemercator.h"

#include <cmath>

namespace vexa {

namespace {

// Sum of c[j - 1] sin(2 j z) for z = x + i y, from sin 2x, cos 2x, sinh 2y and cosh 2y and
// the coefficients d = sinePolynomial(c): sin 2z times the polynomial d in w = cos 2z,
// evaluated in complex numbers by Estrin's scheme; the real and imaginary parts.
void complexSineSeries(const std::array<double, 6>& d, double sin2x, double cos2x, double sinh2y,
                       double cosh2y, double& re, double& im)
{
    const double wr = cos2x * cosh2y;
    const double wi = -sin2x * sinh2y;
    const double w2r = wr * wr - wi * wi;
    const double w2i = 2.0 * wr * wi;
    // d[2k] + d[2k + 1] w
    const double p0r = d[0] + d[1] * wr;
    const double p0i = d[1] * wi;
    const double p1r = d[2] + d[3] * wr;
    const double p1i = d[3] * wi;
    const double p2r = d[4] + d[5] * wr;
    const double p2i = d[5] * wi;
    // p1 + w^2 p2, then p0 + w^2 (p1 + w^2 p2)
    const double qr = p1r + (w2r * p2r - w2i * p2i);
    const double qi = p1i + (w2r * p2i + w2i * p2r);
    const double sumRe = p0r + (w2r * qr - w2i * qi);
    const double sumIm = p0i + (w2r * qi + w2i * qr);
    // sin 2z
    const double sr = sin2x * cosh2y;
    const double si = cos2x * sinh2y;
    re = sr * sumRe - si * sumIm;
    im = sr * sumIm + si * sumRe;
}

// Largest argument of taylorPair.
constexpr double kSmallAngle = 0.25;

// sin x and cos x from s = -x^2, or sinh x and cosh x from s = x^2, by their Taylor series,
// exact in double precision for |x| <= kSmallAngle.
void taylorPair(double x, double s, double& odd, double& even)
{
    const double s2 = s * s;
    const double s4 = s2 * s2;
    // Multiplications by the reciprocal factorials: a division by a constant stays a division.
    odd = x * ((1.0 + s * (1.0 / 6.0)) + s2 * (1.0 / 120.0 + s * (1.0 / 5040.0))
               + s4 * ((1.0 / 362880.0 + s * (1.0 / 39916800.0)) + s2 * (1.0 / 6227020800.0)));
    even = (1.0 + s * 0.5) + s2 * (1.0 / 24.0 + s * (1.0 / 720.0))
           + s4 * ((1.0 / 40320.0 + s * (1.0 / 3628800.0)) + s2 * (1.0 / 479001600.0));
}

// Largest argument of smallArctangent.
constexpr double kSmallTangent = 0.1;

// atan x for |x| <= kSmallTangent by its Taylor series, exact in double precision.
double smallArctangent(double x)
{
    const double y = -x * x;
    const double y2 = y * y;
    const double y4 = y2 * y2;
    return x * (((1.0 + y * (1.0 / 3.0)) + y2 * (1.0 / 5.0 + y * (1.0 / 7.0)))
                + y4 * ((1.0 / 9.0 + y * (1.0 / 11.0)) + y2 * (1.0 / 13.0 + y * (1.0 / 15.0))));
}

double arctangent(double x)
{
    return std::fabs(x) <= kSmallTangent ? smallArctangent(x) : std::atan(x);
}

} // namespace

CKrugerSeries::CKrugerSeries(const CEllipsoidParams& ellipsoid, double centralMeridian,
                             double scaleFactor, double falseEasting, double northingAtEquator)
    : m_centralMeridian(centralMeridian),
      m_falseEasting(falseEasting),
      m_northingAtEquator(northingAtEquator),
      m_kRadius(scaleFactor
                * CMeridianArcSeries(ellipsoid.a, ellipsoid.getEccentricitySquared()).rectifyingRadius()),
      m_inverseKRadius(1.0 / m_kRadius),
      m_conformal(ellipsoid.getEccentricitySquared())
{
    const double e2 = ellipsoid.getEccentricitySquared();
    const CThirdFlattening powers(e2);
    const double n = powers.n, n2 = powers.n2, n3 = powers.n3;
    const double n4 = powers.n4, n5 = powers.n5, n6 = powers.n6;
    m_alpha = sinePolynomial<6>({n / 2.0 - 2.0 * n2 / 3.0 + 5.0 * n3 / 16.0 + 41.0 * n4 / 180.0 - 127.0 * n5 / 288.0
                   + 7891.0 * n6 / 37800.0,
               13.0 * n2 / 48.0 - 3.0 * n3 / 5.0 + 557.0 * n4 / 1440.0 + 281.0 * n5 / 630.0
                   - 1983433.0 * n6 / 1935360.0,
               61.0 * n3 / 240.0 - 103.0 * n4 / 140.0 + 15061.0 * n5 / 26880.0
                   + 167603.0 * n6 / 181440.0,
               49561.0 * n4 / 161280.0 - 179.0 * n5 / 168.0 + 6601661.0 * n6 / 7257600.0,
               34729.0 * n5 / 80640.0 - 3418889.0 * n6 / 1995840.0,
               212378941.0 * n6 / 319334400.0});
    m_beta = sinePolynomial<6>({n / 2.0 - 2.0 * n2 / 3.0 + 37.0 * n3 / 96.0 - n4 / 360.0 - 81.0 * n5 / 512.0
                  + 96199.0 * n6 / 604800.0,
              n2 / 48.0 + n3 / 15.0 - 437.0 * n4 / 1440.0 + 46.0 * n5 / 105.0
                  - 1118711.0 * n6 / 3870720.0,
              17.0 * n3 / 480.0 - 37.0 * n4 / 840.0 - 209.0 * n5 / 4480.0 + 5569.0 * n6 / 90720.0,
              4397.0 * n4 / 161280.0 - 11.0 * n5 / 504.0 - 830251.0 * n6 / 7257600.0,
              4583.0 * n5 / 161280.0 - 108847.0 * n6 / 3991680.0,
              20648693.0 * n6 / 638668800.0});
}

void CKrugerSeries::toPlane(double phi, double dLambda, double& xi, double& eta) const
{
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    // The conformal latitude chi = phi + delta; only the ratio of sinChi to cosChi matters
    // below, so both are taken divided by cos(delta).
    const double delta = m_conformal.conformalCorrection(2.0 * s * c, c * c - s * s);
    const double delta2 = delta * delta;
    const double tanDelta = delta * (1.0 + delta2 * (1.0 / 3.0 + delta2 * (2.0 / 15.0 + delta2 * (17.0 / 315.0))));
    const double sinChi = s + c * tanDelta;
    const double cosChi = c - s * tanDelta;
    // 1 / cos(delta)
    const double secDelta = std::sqrt(1.0 + tanDelta * tanDelta);

    double sinLambda = 0.0;
    double cosLambda = 0.0;
    if (std::fabs(dLambda) <= kSmallAngle) {
        taylorPair(dLambda, -dLambda * dLambda, sinLambda, cosLambda);
    } else {
        sinLambda = std::sin(dLambda);
        cosLambda = std::cos(dLambda);
    }
    const double u = cosChi * cosLambda;
    const double r2 = sinChi * sinChi + u * u;
    const double inverseR2 = 1.0 / r2;
    const double inverseR = std::sqrt(inverseR2);
    const double sinhEta = cosChi * sinLambda * inverseR;
    const double coshEta = secDelta * inverseR;

    double re = 0.0;
    double im = 0.0;
    complexSineSeries(m_alpha, 2.0 * sinChi * u * inverseR2, (u * u - sinChi * sinChi) * inverseR2,
                      2.0 * sinhEta * coshEta, 1.0 + 2.0 * sinhEta * sinhEta, re, im);

    // xi' = chi + epsilon, epsilon small within the usual zones; 1 - cos(dLambda) is taken
    // as sin^2(dLambda) / (1 + cos(dLambda)), without cancellation.
    const double tanEpsilon =
        sinChi * cosChi * sinLambda * sinLambda
        / ((1.0 + cosLambda) * (cosChi * cosChi * cosLambda + sinChi * sinChi));
    const double xiPrime = u > 0.0 && std::fabs(tanEpsilon) <= kSmallTangent
                               ? (phi + delta) + smallArctangent(tanEpsilon)
                               : std::atan2(sinChi, u);
    xi = xiPrime + re;
    eta = std::log(sinhEta + coshEta) + im;
}

void CKrugerSeries::fromPlane(double xi, double eta, double& phi, double& dLambda) const
{
    const double sinXi = std::sin(xi);
    const double cosXi = std::cos(xi);
    double sinhEta = 0.0;
    double coshEta = 0.0;
    if (std::fabs(eta) <= kSmallAngle) {
        taylorPair(eta, eta * eta, sinhEta, coshEta);
    } else {
        const double expEta = std::exp(eta);
        const double inverseExpEta = 1.0 / expEta;
        sinhEta = 0.5 * (expEta - inverseExpEta);
        coshEta = 0.5 * (expEta + inverseExpEta);
    }
    double re = 0.0;
    double im = 0.0;
    complexSineSeries(m_beta, 2.0 * sinXi * cosXi, cosXi * cosXi - sinXi * sinXi,
                      2.0 * sinhEta * coshEta, coshEta * coshEta + sinhEta * sinhEta, re, im);
    // xi' = xi - re and eta' = eta - im by the sum formulas of the small corrections.
    double sinRe = 0.0;
    double cosRe = 0.0;
    taylorPair(re, -re * re, sinRe, cosRe);
    const double sinXiPrime = sinXi * cosRe - cosXi * sinRe;
    const double cosXiPrime = cosXi * cosRe + sinXi * sinRe;
    double sinhIm = 0.0;
    double coshIm = 0.0;
    taylorPair(im, im * im, sinhIm, coshIm);
    const double sinhEtaPrime = sinhEta * coshIm - coshEta * sinhIm;
    dLambda = cosXiPrime > 0.0 ? arctangent(sinhEtaPrime / cosXiPrime)
                               : std::atan2(sinhEtaPrime, cosXiPrime);
    // The conformal latitude chi = xi' - epsilon has tangent sinXiPrime / r.
    const double sinhEta2 = sinhEtaPrime * sinhEtaPrime;
    const double r2 = sinhEta2 + cosXiPrime * cosXiPrime;
    const double r = std::sqrt(r2);
    const double inverseQ = 1.0 / (sinXiPrime * sinXiPrime + r2);
    const double tanEpsilon = sinXiPrime * sinhEta2
                              / ((r + cosXiPrime) * (cosXiPrime * r + sinXiPrime * sinXiPrime));
    const double chi = cosXiPrime > 0.0 && std::fabs(tanEpsilon) <= kSmallTangent
                           ? (xi - re) - smallArctangent(tanEpsilon)
                           : std::atan(sinXiPrime / r);
    phi = chi + m_conformal.latitudeCorrection(2.0 * sinXiPrime * r * inverseQ,
                                               (r2 - sinXiPrime * sinXiPrime) * inverseQ);
}

void CKrugerSeries::toProjected(CCoords* point) const
{
    double xi = 0.0;
    double eta = 0.0;
    toPlane(point->first, longitudeDifference(point->second, m_centralMeridian), xi, eta);
    point->first = m_falseEasting + m_kRadius * eta;
    point->second = m_northingAtEquator + m_kRadius * xi;
}

void CKrugerSeries::toGeodetic(CCoords* point) const
{
    const double xi = (point->second - m_northingAtEquator) * m_inverseKRadius;
    const double eta = (point->first - m_falseEasting) * m_inverseKRadius;
    double dLambda = 0.0;
    fromPlane(xi, eta, point->first, dLambda);
    point->second = m_centralMeridian + dLambda;
    if (std::fabs(point->first) > kHalfPi || std::fabs(point->second) > kPi)
        normalizeGeodetic(point);
}

CMapProjectionTransverseMercator::CMapProjectionTransverseMercator(
    const CEllipsoidParams& ellipsoid, const CMapProjectionTransverseMercatorParams& params)
    : CMapProjection(CMapProjectionTransverseMercatorParams::typeCode),
      m_series(ellipsoid, params.centralMeridian, params.scaleFactor, params.falseEasting,
               params.falseNorthing
                   - params.scaleFactor
                         * CMeridianArcSeries(ellipsoid.a, ellipsoid.getEccentricitySquared())
                               .arc(params.latitudeOfOrigin))
{
}

void CMapProjectionTransverseMercator::GeodeticToProjected(CCoords* point) const
{
    m_series.toProjected(point);
}

void CMapProjectionTransverseMercator::ProjectedToGeodetic(CCoords* point) const
{
    m_series.toGeodetic(point);
}

CMapProjectionTransverseMercatorEquatorial::CMapProjectionTransverseMercatorEquatorial(
    const CEllipsoidParams& ellipsoid,
    const CMapProjectionTransverseMercatorEquatorialParams& params)
    : CMapProjection(CMapProjectionTransverseMercatorEquatorialParams::typeCode),
      m_series(ellipsoid, params.centralMeridian, params.scaleFactor, params.falseEasting,
               params.falseNorthing)
{
}

void CMapProjectionTransverseMercatorEquatorial::GeodeticToProjected(CCoords* point) const
{
    m_series.toProjected(point);
}

void CMapProjectionTransverseMercatorEquatorial::ProjectedToGeodetic(CCoords* point) const
{
    m_series.toGeodetic(point);
}

CMapProjectionSphericalMercator::CMapProjectionSphericalMercator(
    const CEllipsoidParams& ellipsoid, const CMapProjectionSphericalMercatorParams& params)
    : CMapProjection(CMapProjectionSphericalMercatorParams::typeCode),
      m_lambda0(params.longitudeOfOrigin),
      m_falseEasting(params.falseEasting),
      m_falseNorthing(params.falseNorthing),
      m_radius(ellipsoid.isValid() ? params.scaleFactor * ellipsoid.a : params.scaleFactor)
{
}

void CMapProjectionSphericalMercator::GeodeticToProjected(CCoords* point) const
{
    const double phi = point->first;
    point->first = m_falseEasting + m_radius * longitudeDifference(point->second, m_lambda0);
    point->second = m_falseNorthing + m_radius * std::log(std::tan(kPi / 4.0 + phi / 2.0));
}

void CMapProjectionSphericalMercator::ProjectedToGeodetic(CCoords* point) const
{
    const double easting = point->first;
    point->first = std::atan(std::sinh((point->second - m_falseNorthing) / m_radius));
    point->second = m_lambda0 + (easting - m_falseEasting) / m_radius;
    normalizeGeodetic(point);
}

} // namespace vexa
