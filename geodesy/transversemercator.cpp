#include "geodesy/transversemercator.h"

#include <cmath>

namespace vexa {

namespace {

double evaluate(const CSinePolynomial& c, double s)
{
    return c[0] + s * (c[1] + s * (c[2] + s * c[3]));
}

// Sum of first * step^k * terms[k](s).
template <size_t N>
double series(const std::array<CSinePolynomial, N>& terms, double first, double step, double s)
{
    double power = first;
    double sum = 0.0;
    for (const CSinePolynomial& term : terms) {
        sum += power * evaluate(term, s);
        power *= step;
    }
    return sum;
}

void foldGeodetic(CCoords* point)
{
    normalizeLatitude(point->first);
    normalizeLongitude(point->second);
}

double reducedLongitude(double longitude, double lambda0)
{
    double difference = longitude - lambda0;
    normalizeLongitude(difference);
    return difference;
}

} // namespace

CMapProjectionTransverseMercator::CMapProjectionTransverseMercator(
    const CEllipsoidParams& ellipsoid, const CMapProjectionTransverseMercatorParams& params)
    : CMapProjection(CMapProjectionTransverseMercatorParams::typeCode),
      m_lambda0(params.centralMeridian),
      m_phi0(params.latitudeOfOrigin),
      m_k0(params.scaleFactor),
      m_falseEasting(params.falseEasting),
      m_falseNorthing(params.falseNorthing),
      m_a(ellipsoid.a),
      m_e2(ellipsoid.getEccentricitySquared()),
      m_eSecond2(m_e2 / (1.0 - m_e2)),
      m_meridian(m_a, m_e2),
      m_m0(m_meridian.arc(m_phi0)),
      m_aOneMinusE2(m_a * (1.0 - m_e2))
{
}

void CMapProjectionTransverseMercator::GeodeticToProjected(CCoords* point) const
{
    const double phi = point->first;
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    const double s2 = s * s;
    const double t = s2 / (1.0 - s2);
    const double cc = m_eSecond2 * c * c;
    const double a1 = reducedLongitude(point->second, m_lambda0) * c;
    const double a2 = a1 * a1;
    const double a3 = a2 * a1;
    const double a4 = a2 * a2;
    const double nu = m_a / std::sqrt(1.0 - m_e2 * s2);
    const double easting = a1 + (1.0 - t + cc) * a3 / 6.0
        + (5.0 - 18.0 * t + t * t + 72.0 * cc - 58.0 * m_eSecond2) * a4 * a1 / 120.0;
    const double northing = a2 / 2.0 + (5.0 - t + 9.0 * cc + 4.0 * cc * cc) * a4 / 24.0
        + (61.0 - 58.0 * t + t * t + 600.0 * cc - 330.0 * m_eSecond2) * a4 * a2 / 720.0;
    point->first = m_falseEasting + m_k0 * nu * easting;
    point->second =
        m_falseNorthing + m_k0 * (m_meridian.arc(phi) - m_m0 + nu * std::tan(phi) * northing);
}

void CMapProjectionTransverseMercator::ProjectedToGeodetic(CCoords* point) const
{
    const double m1 = m_m0 + (point->second - m_falseNorthing) / m_k0;
    const double phi1 = m_meridian.footpointLatitude(m1);
    const double s1 = std::sin(phi1);
    const double cos1 = std::cos(phi1);
    const double tan1 = std::tan(phi1);
    const double t1 = tan1 * tan1;
    const double c1 = m_eSecond2 * cos1 * cos1;
    const double w = 1.0 - m_e2 * s1 * s1;
    const double nu1 = m_a / std::sqrt(w);
    const double rho1 = m_aOneMinusE2 / std::pow(w, 1.5);
    const double d = (point->first - m_falseEasting) / (nu1 * m_k0);
    const double d2 = d * d;
    const double d4 = d2 * d2;
    const double latitudeTerms = d2 / 2.0
        - (5.0 + 3.0 * t1 + 10.0 * c1 - 4.0 * c1 * c1 - 9.0 * m_eSecond2) * d4 / 24.0
        + (61.0 + 90.0 * t1 + 298.0 * c1 + 45.0 * t1 * t1 - 252.0 * m_eSecond2 - 3.0 * c1 * c1)
            * d4 * d2 / 720.0;
    const double longitudeTerms = d - (1.0 + 2.0 * t1 + c1) * d2 * d / 6.0
        + (5.0 - 2.0 * c1 + 28.0 * t1 - 3.0 * c1 * c1 + 8.0 * m_eSecond2 + 24.0 * t1 * t1)
            * d4 * d / 120.0;
    point->first = phi1 - (nu1 * tan1 / rho1) * latitudeTerms;
    point->second = m_lambda0 + longitudeTerms / cos1;
    foldGeodetic(point);
}

CMapProjectionTransverseMercatorEquatorial::CMapProjectionTransverseMercatorEquatorial(
    const CEllipsoidParams& ellipsoid,
    const CMapProjectionTransverseMercatorEquatorialParams& params)
    : CMapProjection(CMapProjectionTransverseMercatorEquatorialParams::typeCode),
      m_lambda0(params.centralMeridian),
      m_k0(params.scaleFactor),
      m_falseEasting(params.falseEasting),
      m_falseNorthing(params.falseNorthing),
      m_a(ellipsoid.a),
      m_b(ellipsoid.b)
{
    const double ratio = m_b / m_a;
    m_e2 = 1.0 - ratio * ratio;
    m_e = std::sqrt(m_e2);
    m_e4 = m_e2 * m_e2;
    m_e6 = m_e4 * m_e2;
    m_e8 = m_e4 * m_e4;
    m_eSecond2 = 1.0 / (ratio * ratio) - 1.0;
    initForward();
    initInverse();
}

void CMapProjectionTransverseMercatorEquatorial::initForward()
{
    const double a = m_a;
    const double e2 = m_e2;
    const double e4 = m_e4;
    const double e6 = m_e6;
    const double e8 = m_e8;
    const double m = 1.0 - e2;
    const double m2 = m * m;
    m_ar = 1.0 + 3.0 * e2 / 4.0 + 45.0 * e4 / 64.0 + 175.0 * e6 / 256.0 + 11025.0 * e8 / 16384.0;
    const double br = 3.0 * e2 / 4.0 + 15.0 * e4 / 16.0 + 525.0 * e6 / 512.0 + 2205.0 * e8 / 2048.0;
    const double cr = 15.0 * e4 / 64.0 + 105.0 * e6 / 256.0 + 2205.0 * e8 / 4096.0;
    const double dr = 35.0 * e6 / 512.0 + 315.0 * e8 / 2048.0;
    m_b1 = (br - cr + dr) / 2.0;
    m_b2 = cr - 8.0 * dr / 3.0;
    m_b3 = 8.0 * dr / 3.0;

    const double r = (br * br - m_ar * cr) / (4.0 * m_ar * m_ar);
    const double p = (8.0 * m_ar * m_ar * dr - 18.0 * m_ar * br * cr + 9.0 * br * br * br)
        / (48.0 * m_ar * m_ar * m_ar);
    m_f3 = 16.0 * p;
    m_f2 = 4.0 * r + 16.0 * p;
    m_f1 = br * (8.0 * m_ar * m_ar + 2.0 * m_ar * cr - br * br) / (16.0 * m_ar * m_ar * m_ar)
        + 3.0 * p + 2.0 * r;

    m_easting = {{
        {a, a * e2 / 2.0, 3.0 * a * e4 / 8.0, 5.0 * a * e6 / 16.0},
        {a / (6.0 * m), -(4.0 - e2) * a / (12.0 * m), a * e4 / (16.0 * m), -a * e4 / (24.0 * m)},
        {(5.0 + 4.0 * e2 + 4.0 * e4) * a / (120.0 * m2),
         -(56.0 + 83.0 * e2 + 59.0 * e4) * a / (240.0 * m2),
         (4.0 + 16.0 * e2 + 9.0 * e4) * a / (20.0 * m2), -(24.0 * e2 + 11.0 * e4) * a / (48.0 * m2)},
        {(61.0 + 231.0 * e2) * a / (5040.0 * m), -(1324.0 + 5339.0 * e2) * a / (10080.0 * m),
         (22.0 + 95.0 * e2) * a / (84.0 * m), -(12.0 + 55.0 * e2) * a / (84.0 * m)},
    }};
    m_northing = {{
        {a / 4.0, a * e2 / 8.0, 3.0 * a * e4 / 32.0, 5.0 * a * e6 / 64.0},
        {(5.0 - e2) * a / (48.0 * m2), -(12.0 + 7.0 * e2 + e4) * a / (96.0 * m2),
         (16.0 * e2 + 5.0 * e4) * a / (128.0 * m2), -7.0 * a * e4 / (192.0 * m2)},
        {(61.0 + 270.0 * e2) * a / 1440.0, -(360.0 + 2219.0 * e2) * a / 2880.0,
         (2.0 + 23.0 * e2) * a / 24.0, -3.0 * a * e2 / 8.0},
        {277.0 * a / 16128.0, -1211.0 * a / 13440.0, 91.0 * a / 672.0, -a / 16.0},
    }};
}

void CMapProjectionTransverseMercatorEquatorial::initInverse()
{
    const double e2 = m_e2;
    const double e4 = m_e4;
    const double e6 = m_e6;
    const double m = 1.0 - e2;
    // The terms alternate in sign; the polynomials of q^3 and q^7 are negated here.
    m_longitude = {{
        {1.0, -e2 / 2.0, -e4 / 8.0, -e6 / 16.0},
        {-1.0 / (6.0 * m), -(2.0 - 9.0 * e2) / (12.0 * m), (4.0 * e2 - 39.0 * e4) / (48.0 * m),
         3.0 * e4 / (16.0 * m)},
        {(5.0 + 6.0 * e2 + 3.0 * e4) / 120.0, (192.0 - 240.0 * e2 - 123.0 * e4) / 1280.0,
         (32.0 - 1376.0 * e2 + 609.0 * e4) / 3840.0, -(e2 - 69.0 * e4) / 240.0},
        {-(61.0 + 46.0 * e2) / (5040.0 * m), -(958.0 - 1361.0 * e2) / (10080.0 * m),
         -(358.0 - 4395.0 * e2) / (10080.0 * m), (815.0 * e2 - 2.0) / (10080.0 * m)},
        {0.0038, 0.0524, (18270.0 - 113789.0 * e2) / 362880.0, (1636.0 - 72123.0 * e2) / 362880.0},
    }};
    // The terms of q^2 and q^6 enter with a minus sign and are negated here.
    m_latitude = {{
        {-1.0 / (4.0 * m), e2 / (2.0 * m), -e4 / (4.0 * m), 0.0},
        {(5.0 + 6.0 * e2 + 3.0 * e4) / 48.0, -(1.0 + 14.0 * e2 + 15.0 * e4) / 24.0,
         (8.0 * e2 + 31.0 * e4) / 24.0, -2.0 * e4 / 3.0},
        {-(61.0 + 107.0 * e2) / 1440.0, (16.0 + 333.0 * e2) / 720.0, -(2.0 + 87.0 * e2) / 120.0,
         17.0 * e2 / 90.0},
        {(277.0 - 1108.0 * e2) / 16128.0, -(29.0 - 116.0 * e2) / 4480.0,
         (41.0 - 164.0 * e2) / 3360.0, -(17.0 - 68.0 * e2) / 5040.0},
    }};
}

double CMapProjectionTransverseMercatorEquatorial::meridianArc(double latitude, double s,
                                                               double w) const
{
    return m_a * (1.0 - m_e2) * (m_ar * latitude - (m_b1 + m_b2 * s + m_b3 * s * s) * w);
}

void CMapProjectionTransverseMercatorEquatorial::GeodeticToProjected(CCoords* point) const
{
    const double phi = point->first;
    const double l = reducedLongitude(point->second, m_lambda0);
    const double sine = std::sin(phi);
    const double s = sine * sine;
    const double c = std::cos(phi);
    const double w = std::sin(2.0 * phi);
    const double l2 = l * l;
    const double easting = series(m_easting, l * c, l2, s);
    const double northing = meridianArc(phi, s, w) + series(m_northing, l2 * w, l2, s);
    point->first = m_falseEasting + m_k0 * easting;
    point->second = m_falseNorthing + m_k0 * northing;
}

void CMapProjectionTransverseMercatorEquatorial::ProjectedToGeodetic(CCoords* point) const
{
    const double mu = (point->second - m_falseNorthing) / (m_k0 * m_a * (1.0 - m_e2) * m_ar);
    const double sinMu = std::sin(mu);
    const double sinMu2 = sinMu * sinMu;
    const double phi1 = mu + (m_f1 - m_f2 * sinMu2 + m_f3 * sinMu2 * sinMu2) * std::sin(2.0 * mu);
    const double sine1 = std::sin(phi1);
    const double s1 = sine1 * sine1;
    const double w1 = std::sin(2.0 * phi1);
    const double q = (point->first - m_falseEasting) / (m_k0 * m_a * std::cos(phi1));
    const double q2 = q * q;
    point->first = phi1 + series(m_latitude, q2 * w1, q2, s1);
    point->second = m_lambda0 + series(m_longitude, q, q2, s1);
    foldGeodetic(point);
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
    point->first = m_falseEasting + m_radius * reducedLongitude(point->second, m_lambda0);
    point->second = m_falseNorthing + m_radius * std::log(std::tan(kPi / 4.0 + phi / 2.0));
}

void CMapProjectionSphericalMercator::ProjectedToGeodetic(CCoords* point) const
{
    const double easting = point->first;
    point->first = std::atan(std::sinh((point->second - m_falseNorthing) / m_radius));
    point->second = m_lambda0 + (easting - m_falseEasting) / m_radius;
    foldGeodetic(point);
}

} // namespace vexa
