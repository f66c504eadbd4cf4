#include "geodesy/transversemercator.h"

#include <cmath>

namespace vexa {

namespace {

// Sum of c[j - 1] sin(2 j z) for z = x + i y by Clenshaw's recurrence in complex numbers,
// from sin 2x, cos 2x, sinh 2y and cosh 2y; the real and imaginary parts.
template <size_t N>
void complexSineSeries(const std::array<double, N>& c, double sin2x, double cos2x, double sinh2y,
                       double cosh2y, double& re, double& im)
{
    // 2 cos 2z
    const double ar = 2.0 * cos2x * cosh2y;
    const double ai = -2.0 * sin2x * sinh2y;
    double sumRe = 0.0;
    double sumIm = 0.0;
    double nextRe = 0.0;
    double nextIm = 0.0;
    for (size_t j = N; j > 0; --j) {
        // Grouped so that only the products and one sum wait for the previous step.
        const double currentRe = (c[j - 1] - nextRe) + (ar * sumRe - ai * sumIm);
        const double currentIm = (ar * sumIm + ai * sumRe) - nextIm;
        nextRe = sumRe;
        nextIm = sumIm;
        sumRe = currentRe;
        sumIm = currentIm;
    }
    // sin 2z
    const double sr = sin2x * cosh2y;
    const double si = cos2x * sinh2y;
    re = sr * sumRe - si * sumIm;
    im = sr * sumIm + si * sumRe;
}

// sin and cos of a small angle by their Taylor series, exact in double precision for
// angles up to 0.05 rad.
void smallSineCosine(double x, double& sine, double& cosine)
{
    const double x2 = x * x;
    sine = x * (1.0 + x2 * (-1.0 / 6.0 + x2 * (1.0 / 120.0 + x2 * (-1.0 / 5040.0 + x2 / 362880.0))));
    cosine = 1.0 + x2 * (-0.5 + x2 * (1.0 / 24.0 + x2 * (-1.0 / 720.0 + x2 / 40320.0)));
}

// sinh and cosh of a small argument, as above.
void smallSinhCosh(double x, double& sinh, double& cosh)
{
    const double x2 = x * x;
    sinh = x * (1.0 + x2 * (1.0 / 6.0 + x2 * (1.0 / 120.0 + x2 * (1.0 / 5040.0 + x2 / 362880.0))));
    cosh = 1.0 + x2 * (0.5 + x2 * (1.0 / 24.0 + x2 * (1.0 / 720.0 + x2 / 40320.0)));
}

} // namespace

CKrugerSeries::CKrugerSeries(const CEllipsoidParams& ellipsoid, double centralMeridian,
                             double scaleFactor, double falseEasting, double northingAtEquator)
    : m_centralMeridian(centralMeridian),
      m_falseEasting(falseEasting),
      m_northingAtEquator(northingAtEquator),
      m_kRadius(scaleFactor
                * CMeridianArcSeries(ellipsoid.a, ellipsoid.getEccentricitySquared()).rectifyingRadius()),
      m_conformal(ellipsoid.getEccentricitySquared())
{
    const double e2 = ellipsoid.getEccentricitySquared();
    const CThirdFlattening powers(e2);
    const double n = powers.n, n2 = powers.n2, n3 = powers.n3;
    const double n4 = powers.n4, n5 = powers.n5, n6 = powers.n6;
    m_alpha = {n / 2.0 - 2.0 * n2 / 3.0 + 5.0 * n3 / 16.0 + 41.0 * n4 / 180.0 - 127.0 * n5 / 288.0
                   + 7891.0 * n6 / 37800.0,
               13.0 * n2 / 48.0 - 3.0 * n3 / 5.0 + 557.0 * n4 / 1440.0 + 281.0 * n5 / 630.0
                   - 1983433.0 * n6 / 1935360.0,
               61.0 * n3 / 240.0 - 103.0 * n4 / 140.0 + 15061.0 * n5 / 26880.0
                   + 167603.0 * n6 / 181440.0,
               49561.0 * n4 / 161280.0 - 179.0 * n5 / 168.0 + 6601661.0 * n6 / 7257600.0,
               34729.0 * n5 / 80640.0 - 3418889.0 * n6 / 1995840.0,
               212378941.0 * n6 / 319334400.0};
    m_beta = {n / 2.0 - 2.0 * n2 / 3.0 + 37.0 * n3 / 96.0 - n4 / 360.0 - 81.0 * n5 / 512.0
                  + 96199.0 * n6 / 604800.0,
              n2 / 48.0 + n3 / 15.0 - 437.0 * n4 / 1440.0 + 46.0 * n5 / 105.0
                  - 1118711.0 * n6 / 3870720.0,
              17.0 * n3 / 480.0 - 37.0 * n4 / 840.0 - 209.0 * n5 / 4480.0 + 5569.0 * n6 / 90720.0,
              4397.0 * n4 / 161280.0 - 11.0 * n5 / 504.0 - 830251.0 * n6 / 7257600.0,
              4583.0 * n5 / 161280.0 - 108847.0 * n6 / 3991680.0,
              20648693.0 * n6 / 638668800.0};
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

    const double u = cosChi * std::cos(dLambda);
    const double r2 = sinChi * sinChi + u * u;
    const double inverseR2 = 1.0 / r2;
    const double xiPrime = u > 0.0 ? std::atan(sinChi / u) : std::atan2(sinChi, u);
    const double sinhEta = cosChi * std::sin(dLambda) * std::sqrt(inverseR2);
    const double coshEta = std::sqrt(1.0 + sinhEta * sinhEta);
    const double etaPrime = std::log(sinhEta + coshEta);

    double re = 0.0;
    double im = 0.0;
    complexSineSeries(m_alpha, 2.0 * sinChi * u * inverseR2, (u * u - sinChi * sinChi) * inverseR2,
                      2.0 * sinhEta * coshEta, 1.0 + 2.0 * sinhEta * sinhEta, re, im);
    xi = xiPrime + re;
    eta = etaPrime + im;
}

void CKrugerSeries::fromPlane(double xi, double eta, double& phi, double& dLambda) const
{
    const double sinXi = std::sin(xi);
    const double cosXi = std::cos(xi);
    const double expEta = std::exp(eta);
    const double inverseExpEta = 1.0 / expEta;
    const double sinhEta = 0.5 * (expEta - inverseExpEta);
    const double coshEta = 0.5 * (expEta + inverseExpEta);
    double re = 0.0;
    double im = 0.0;
    complexSineSeries(m_beta, 2.0 * sinXi * cosXi, cosXi * cosXi - sinXi * sinXi,
                      2.0 * sinhEta * coshEta, coshEta * coshEta + sinhEta * sinhEta, re, im);
    // xi' = xi - re and eta' = eta - im by the sum formulas of the small corrections.
    double sinRe = 0.0;
    double cosRe = 0.0;
    smallSineCosine(re, sinRe, cosRe);
    const double sinXiPrime = sinXi * cosRe - cosXi * sinRe;
    const double cosXiPrime = cosXi * cosRe + sinXi * sinRe;
    double sinhIm = 0.0;
    double coshIm = 0.0;
    smallSinhCosh(im, sinhIm, coshIm);
    const double sinhEtaPrime = sinhEta * coshIm - coshEta * sinhIm;
    dLambda = cosXiPrime > 0.0 ? std::atan(sinhEtaPrime / cosXiPrime)
                               : std::atan2(sinhEtaPrime, cosXiPrime);
    // The conformal latitude has tangent sinXiPrime / r.
    const double r2 = sinhEtaPrime * sinhEtaPrime + cosXiPrime * cosXiPrime;
    const double r = std::sqrt(r2);
    const double inverseQ = 1.0 / (sinXiPrime * sinXiPrime + r2);
    const double chi = std::atan(sinXiPrime / r);
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
    const double xi = (point->second - m_northingAtEquator) / m_kRadius;
    const double eta = (point->first - m_falseEasting) / m_kRadius;
    double dLambda = 0.0;
    fromPlane(xi, eta, point->first, dLambda);
    point->second = m_centralMeridian + dLambda;
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
