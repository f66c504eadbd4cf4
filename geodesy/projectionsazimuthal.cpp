#include "geodesy/projectionsazimuthal.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

namespace vexa {

namespace {

constexpr int kMaxSeriesPower = 5;

// A point this far (as a cosine) behind the horizon of the orthographic view is still seen.
constexpr double kHorizonTolerance = 1e-10;

// The point with its first two components undefined as numbers: the step fails.
CCoords failed(const CCoords& point)
{
    return CCoords(std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::quiet_NaN(), point.third);
}

// A latitude this close to a pole is taken as the pole.
constexpr double kPoleTolerance = 1e-10;

int poleOf(double latitude)
{
    if (latitude > kHalfPi - kPoleTolerance)
        return 1;
    if (latitude < -kHalfPi + kPoleTolerance)
        return -1;
    return 0;
}

} // namespace

CDoublePowerSeries::CDoublePowerSeries(std::initializer_list<Term> terms) : m_terms(terms)
{
}

double CDoublePowerSeries::operator()(double u, double v) const
{
    double uPowers[kMaxSeriesPower + 1] = {1.0};
    double vPowers[kMaxSeriesPower + 1] = {1.0};
    for (int k = 1; k <= kMaxSeriesPower; ++k) {
        uPowers[k] = uPowers[k - 1] * u;
        vPowers[k] = vPowers[k - 1] * v;
    }
    double sum = 0.0;
    for (const Term& term : m_terms)
        sum += term.c * uPowers[term.i] * vPowers[term.j];
    return sum;
}

// Hatt

namespace {

struct CHattConstants
{
    double s, c, t, ep2, n0, m0;
};

CHattConstants hattConstants(const CEllipsoidParams& ellipsoid, double phi0)
{
    const double a = ellipsoid.a;
    const double b = ellipsoid.b;
    const double e2 = 1.0 - (b / a) * (b / a);
    CHattConstants k;
    k.s = std::sin(phi0);
    k.c = std::cos(phi0);
    k.t = std::tan(phi0);
    k.ep2 = (a * a - b * b) / (b * b);
    const double w = 1.0 - e2 * k.s * k.s;
    k.n0 = a / std::sqrt(w);
    k.m0 = a * (1.0 - e2) / std::pow(w, 1.5);
    return k;
}

// Terms in powers of (longitude difference, latitude difference).
CDoublePowerSeries hattEasting(const CHattConstants& k)
{
    const double s2 = k.s * k.s;
    return {{1, 0, k.n0 * k.c},
            {1, 1, -k.m0 * k.s},
            {1, 2, -k.m0 * k.c * (9.0 * k.ep2 * s2 + 2.0) / 6.0},
            {3, 0, -k.n0 * k.c * s2 / 6.0},
            {3, 1, -k.n0 * k.s * (1.0 - 2.0 * s2) / 6.0}};
}

CDoublePowerSeries hattNorthing(const CHattConstants& k)
{
    const double s2 = k.s * k.s;
    return {{0, 1, k.m0},
            {2, 0, k.n0 * k.c * k.s / 2.0},
            {0, 2, 3.0 * k.ep2 * k.m0 * k.m0 * k.c * k.s / (2.0 * k.n0)},
            {2, 1, (1.0 - 4.0 * s2 + k.ep2 * std::pow(k.c, 4)) * k.m0 / 6.0},
            {0, 3, k.m0 * (1.0 - 2.0 * s2) * k.ep2 / 2.0},
            {4, 0, k.n0 * k.s * k.c * (1.0 - 2.0 * s2) / 24.0},
            {2, 2, -k.n0 * k.s * k.c / 3.0}};
}

// Terms in powers of (x, y) from the false origin.
CDoublePowerSeries hattLongitude(const CHattConstants& k)
{
    const double t = k.t, t2 = t * t, n0 = k.n0;
    const double l = 1.0 / (n0 * k.c);
    return {{1, 0, l},
            {1, 1, l * t / n0},
            {3, 0, -l * t2 / (3.0 * n0 * n0)},
            {1, 2, l * (k.ep2 * k.c * k.c + 1.0 + 3.0 * t2) / (3.0 * n0 * n0)},
            {1, 3, l * (2.0 + 3.0 * t2) * t / (3.0 * n0 * n0 * n0)},
            {3, 1, -l * t * (1.0 + 3.0 * t2) / (3.0 * n0 * n0 * n0)}};
}

CDoublePowerSeries hattLatitude(const CHattConstants& k)
{
    const double s2 = k.s * k.s, t = k.t, t2 = t * t, ep2 = k.ep2;
    const double mn = k.m0 * k.n0;
    return {{0, 1, 1.0 / k.m0},
            {2, 0, -t / (2.0 * mn)},
            {0, 2, -3.0 * ep2 * (2.0 * k.s * k.c) / (4.0 * mn)},
            {2, 1, -(1.0 + 3.0 * t2 + (1.0 - 10.0 * s2) * ep2) / (6.0 * mn * k.n0)},
            {0, 3, -(1.0 - 2.0 * s2) * ep2 / (2.0 * mn * k.m0)},
            {4, 0, (1.0 + 3.0 * t2) * t / (24.0 * mn * mn)},
            {2, 2, -t * (2.0 + 3.0 * t2) / (6.0 * mn * mn)}};
}

} // namespace

CMapProjectionHatt::CMapProjectionHatt(const CEllipsoidParams& ellipsoid,
                                       const CMapProjectionHattParams& params)
    : CMapProjection(CMapProjectionHattParams::typeCode),
      m_params(params)
{
    const CHattConstants k = hattConstants(ellipsoid, params.latitudeOfOrigin);
    m_easting = hattEasting(k);
    m_northing = hattNorthing(k);
    m_longitude = hattLongitude(k);
    m_latitude = hattLatitude(k);
}

void CMapProjectionHatt::GeodeticToProjected(CCoords* point) const
{
    const double dPhi = point->first - m_params.latitudeOfOrigin;
    const double dLambda = longitudeDifference(point->second, m_params.longitudeOfOrigin);
    point->first = m_params.falseEasting + m_easting(dLambda, dPhi);
    point->second = m_params.falseNorthing + m_northing(dLambda, dPhi);
}

void CMapProjectionHatt::ProjectedToGeodetic(CCoords* point) const
{
    const CCoords projected = *point;
    const double x = point->first - m_params.falseEasting;
    const double y = point->second - m_params.falseNorthing;
    point->first = m_params.latitudeOfOrigin + m_latitude(x, y);
    point->second = m_params.longitudeOfOrigin + m_longitude(x, y);
    refineInverse(projected, point);
    normalizeGeodetic(point);
}

// Lambert azimuthal equal-area

CMapProjectionLambertAzimuthalEqualArea::CMapProjectionLambertAzimuthalEqualArea(
    const CEllipsoidParams& ellipsoid, const CMapProjectionLambertAzimuthalEqualAreaParams& params)
    : CMapProjection(CMapProjectionLambertAzimuthalEqualAreaParams::typeCode),
      m_params(params),
      m_authalic(ellipsoid.getEccentricitySquared()),
      m_a(ellipsoid.a),
      m_qP(m_authalic.qPole())
{
    const double e2 = ellipsoid.getEccentricitySquared();
    m_pole = poleOf(params.latitudeOfOrigin);
    m_sinBeta0 = m_authalic.q(params.latitudeOfOrigin) / m_qP;
    m_cosBeta0 = std::sqrt(1.0 - m_sinBeta0 * m_sinBeta0);
    m_rq = m_a * std::sqrt(m_qP / 2.0);
    const double sinPhi0 = std::sin(params.latitudeOfOrigin);
    m_d = m_a * (std::cos(params.latitudeOfOrigin) / std::sqrt(1.0 - e2 * sinPhi0 * sinPhi0))
          / (m_rq * m_cosBeta0);
}

void CMapProjectionLambertAzimuthalEqualArea::GeodeticToProjected(CCoords* point) const
{
    if (m_pole != 0) {
        polarToProjected(point);
        return;
    }
    const double sinBeta = m_authalic.q(point->first) / m_qP;
    const double cosBeta = std::sqrt(1.0 - sinBeta * sinBeta);
    const double dLambda = point->second - m_params.longitudeOfOrigin;
    const double b = m_rq
                     * std::sqrt(2.0 / (1.0 + m_sinBeta0 * sinBeta
                                        + m_cosBeta0 * cosBeta * std::cos(dLambda)));
    point->first = m_params.falseEasting + b * m_d * cosBeta * std::sin(dLambda);
    point->second = m_params.falseNorthing
                    + (b / m_d)
                          * (m_cosBeta0 * sinBeta - m_sinBeta0 * cosBeta * std::cos(dLambda));
}

void CMapProjectionLambertAzimuthalEqualArea::ProjectedToGeodetic(CCoords* point) const
{
    if (m_pole != 0) {
        polarToGeodetic(point);
        return;
    }
    const double x = (point->first - m_params.falseEasting) / m_d;
    const double y = m_d * (point->second - m_params.falseNorthing);
    const double rho = std::hypot(x, y);
    if (rho == 0.0) {
        point->first = m_params.latitudeOfOrigin;
        point->second = m_params.longitudeOfOrigin;
        return;
    }
    const double c = 2.0 * std::asin(std::min(1.0, rho / (2.0 * m_rq)));
    const double sinBeta = std::cos(c) * m_sinBeta0 + y * std::sin(c) * m_cosBeta0 / rho;
    point->first = m_authalic.latitude(m_qP * sinBeta);
    point->second = m_params.longitudeOfOrigin
                    + std::atan2(x * std::sin(c),
                                 m_cosBeta0 * rho * std::cos(c) - y * m_sinBeta0 * std::sin(c));
    normalizeGeodetic(point);
}

void CMapProjectionLambertAzimuthalEqualArea::polarToProjected(CCoords* point) const
{
    const double rho = m_a * std::sqrt(m_authalic.complement(m_pole * point->first));
    const double dLambda = point->second - m_params.longitudeOfOrigin;
    point->first = m_params.falseEasting + rho * std::sin(dLambda);
    point->second = m_params.falseNorthing - m_pole * rho * std::cos(dLambda);
}

void CMapProjectionLambertAzimuthalEqualArea::polarToGeodetic(CCoords* point) const
{
    const double dE = point->first - m_params.falseEasting;
    const double dN = point->second - m_params.falseNorthing;
    const double rho = std::hypot(dE, dN);
    const double complement = std::min(rho * rho / (m_a * m_a), 2.0 * m_qP);
    point->first = m_pole * m_authalic.latitudeFromComplement(complement);
    point->second = rho == 0.0 ? m_params.longitudeOfOrigin
                               : m_params.longitudeOfOrigin + std::atan2(dE, -m_pole * dN);
    normalizeGeodetic(point);
}

// New Zealand Map Grid

namespace {

constexpr double kDegreesPerRadian = 57.295779513082195;
constexpr double kNzmgLatitudeScale = 0.036; // degrees to units of 1e5 arc-seconds

using Complex = std::complex<double>;

constexpr double kNzmgA[] = {0.6399175073, -0.1358797613, 0.063294409, -0.02526853, 0.0117879,
                             -0.0055161,   0.0026906,     -0.001333,   0.00067,     -0.00034};
const Complex kNzmgB[] = {{0.7557853228, 0.0},          {0.249204646, 0.003371507},
                          {-0.001541739, 0.041058560},  {-0.10162907, 0.01727609},
                          {-0.26623489, -0.36249218},   {-0.6870983, -1.1651967}};
const Complex kNzmgC[] = {{1.3231270439, 0.0},          {-0.577245789, -0.007809598},
                          {0.508307513, -0.112208952},  {-0.15094762, 0.18200602},
                          {1.01418179, 1.64497696},     {1.9660549, 2.5127645}};
constexpr double kNzmgD[] = {1.5627014243, 0.5185406398, -0.03333098, -0.1052906, -0.0368594,
                             0.007317,     0.01220,      0.00394,     -0.0013};

// Sum of c[n-1] * x^n for n = 1..count by Horner's rule.
template<typename T, size_t count>
T powerSeries(const T (&c)[count], const T& x)
{
    T sum = c[count - 1];
    for (size_t n = count - 1; n > 0; --n)
        sum = sum * x + c[n - 1];
    return sum * x;
}

} // namespace

CMapProjectionNZMG::CMapProjectionNZMG(const CEllipsoidParams& ellipsoid,
                                       const CMapProjectionNZMGParams& params)
    : CMapProjection(CMapProjectionNZMGParams::typeCode),
      m_falseNorthing(params.falseNorthing),
      m_falseEasting(params.falseEasting),
      m_latitudeOfOriginDegrees(params.latitudeOfOrigin * kDegreesPerRadian),
      m_longitudeOfOrigin(params.longitudeOfOrigin),
      m_a(ellipsoid.a)
{
}

void CMapProjectionNZMG::GeodeticToProjected(CCoords* point) const
{
    const double dPhi = (point->first * kDegreesPerRadian - m_latitudeOfOriginDegrees)
                        * kNzmgLatitudeScale;
    const Complex zeta(powerSeries(kNzmgA, dPhi), longitudeDifference(point->second, m_longitudeOfOrigin));
    const Complex z = powerSeries(kNzmgB, zeta);
    point->first = m_falseEasting + m_a * z.imag();
    point->second = m_falseNorthing + m_a * z.real();
}

void CMapProjectionNZMG::ProjectedToGeodetic(CCoords* point) const
{
    const CCoords projected = *point;
    const Complex z((point->second - m_falseNorthing) / m_a, (point->first - m_falseEasting) / m_a);
    Complex zeta = powerSeries(kNzmgC, z);
    for (int refinement = 0; refinement < 2; ++refinement) {
        Complex numerator = z;
        Complex denominator = 0.0;
        Complex power = 1.0; // zeta^(n-1)
        for (int n = 1; n <= 6; ++n) {
            denominator += double(n) * kNzmgB[n - 1] * power;
            power *= zeta;
            numerator += double(n - 1) * kNzmgB[n - 1] * power;
        }
        zeta = numerator / denominator;
    }
    const double dPhi = powerSeries(kNzmgD, zeta.real()) / kNzmgLatitudeScale;
    point->first = (m_latitudeOfOriginDegrees + dPhi) / kDegreesPerRadian;
    point->second = m_longitudeOfOrigin + zeta.imag();
    refineInverse(projected, point);
    normalizeGeodetic(point);
}

// Oblique stereographic

namespace {

// (S1 * S2^e)^n of the conformal sphere: S1 = (1 + sin phi)/(1 - sin phi),
// S2 = (1 - e sin phi)/(1 + e sin phi); S1 * S2^e = 1/t^2.
double conformalPower(double phi, double e, double n)
{
    return std::pow(isometricFactor(phi, e), -2.0 * n);
}

} // namespace

CMapProjectionObliqueStereographic::CMapProjectionObliqueStereographic(
    const CEllipsoidParams& ellipsoid, const CMapProjectionObliqueStereographicParams& params)
    : CMapProjection(CMapProjectionObliqueStereographicParams::typeCode),
      m_longitudeOfOrigin(params.longitudeOfOrigin),
      m_falseEasting(params.falseEasting),
      m_falseNorthing(params.falseNorthing)
{
    const double a = ellipsoid.a;
    m_e2 = 1.0 - (ellipsoid.b / a) * (ellipsoid.b / a);
    m_e = std::sqrt(m_e2);
    const double phi0 = params.latitudeOfOrigin;
    const double sinPhi0 = std::sin(phi0);
    const double w = 1.0 - m_e2 * sinPhi0 * sinPhi0;
    const double rho0 = a * (1.0 - m_e2) / std::pow(w, 1.5);
    const double nu0 = a / std::sqrt(w);
    const double r = std::sqrt(rho0 * nu0);
    m_n = std::sqrt(1.0 + m_e2 * std::pow(std::cos(phi0), 4) / (1.0 - m_e2));
    const double w1 = conformalPower(phi0, m_e, m_n);
    const double sinChi = (w1 - 1.0) / (w1 + 1.0);
    const double c = (m_n + sinPhi0) * (1.0 - sinChi) / ((m_n - sinPhi0) * (1.0 + sinChi));
    m_logC = std::log(c);
    const double w2 = c * w1;
    m_chi0 = std::asin((w2 - 1.0) / (w2 + 1.0));
    m_sinChi0 = std::sin(m_chi0);
    m_cosChi0 = std::cos(m_chi0);
    m_twoRk0 = 2.0 * r * params.scaleFactor;
    m_g = m_twoRk0 * std::tan(kPi / 4.0 - m_chi0 / 2.0);
    m_h = 2.0 * m_twoRk0 * std::tan(m_chi0) + m_g;
}

void CMapProjectionObliqueStereographic::GeodeticToProjected(CCoords* point) const
{
    const double lambda = m_n * longitudeDifference(point->second, m_longitudeOfOrigin);
    // sin chi = (w - 1) / (w + 1) = tanh(ln(w) / 2) and cos chi = 1 / cosh(ln(w) / 2) with
    // w = c / t^(2n); at the north pole t = 0, ln(w) is infinite, sin chi 1 and cos chi 0.
    const double halfLogW = (m_logC - 2.0 * m_n * std::log(isometricFactor(point->first, m_e))) / 2.0;
    const double sinChi = std::tanh(halfLogW);
    const double cosChi = 1.0 / std::cosh(halfLogW);
    const double b = 1.0 + sinChi * m_sinChi0 + cosChi * m_cosChi0 * std::cos(lambda);
    point->first = m_falseEasting + m_twoRk0 * cosChi * std::sin(lambda) / b;
    point->second = m_falseNorthing
                    + m_twoRk0 * (sinChi * m_cosChi0 - cosChi * m_sinChi0 * std::cos(lambda)) / b;
}

void CMapProjectionObliqueStereographic::ProjectedToGeodetic(CCoords* point) const
{
    const double x = point->first - m_falseEasting;
    const double y = point->second - m_falseNorthing;
    const double i = std::atan2(x, m_h + y);
    const double j = std::atan2(x, m_g - y) - i;
    const double chi = m_chi0 + 2.0 * std::atan2(y - x * std::tan(j / 2.0), m_twoRk0);
    // ln((1 + sin chi) / (1 - sin chi)) = -2 ln tan(pi/4 - chi/2), without the cancellation
    // of 1 - sin chi near the north pole.
    const double tanHalfColatitude = std::fabs(std::tan(kPi / 4.0 - chi / 2.0));
    if (tanHalfColatitude == 0.0) {
        *point = CCoords(kHalfPi, m_longitudeOfOrigin, point->third);
        normalizeGeodetic(point);
        return;
    }
    const double psi = (-2.0 * std::log(tanHalfColatitude) - m_logC) / (2.0 * m_n);
    double phi = 2.0 * std::atan(std::exp(psi)) - kHalfPi;
    for (int step = 0; step < 100; ++step) {
        const double sinPhi = std::sin(phi);
        const double correction = (-std::log(isometricFactor(phi, m_e)) - psi) * std::cos(phi)
                                  * (1.0 - m_e2 * sinPhi * sinPhi) / (1.0 - m_e2);
        phi -= correction;
        if (std::fabs(correction) <= 1e-9)
            break;
    }
    point->first = phi;
    point->second = (j + 2.0 * i) / m_n + m_longitudeOfOrigin;
    normalizeGeodetic(point);
}

// Orthographic

CMapProjectionOrthographic::CMapProjectionOrthographic(const CEllipsoidParams& ellipsoid,
                                                       const CMapProjectionOrthographicParams& params)
    : CMapProjection(CMapProjectionOrthographicParams::typeCode),
      m_params(params),
      m_a(ellipsoid.a)
{
    m_e2 = 1.0 - (ellipsoid.b / m_a) * (ellipsoid.b / m_a);
    m_oneMinusE2 = 1.0 - m_e2;
    m_sinPhi0 = std::sin(params.latitudeOfOrigin);
    m_cosPhi0 = std::cos(params.latitudeOfOrigin);
    m_nu0 = m_a / std::sqrt(1.0 - m_e2 * m_sinPhi0 * m_sinPhi0);
}

CMapProjectionOrthographic::Evaluation
CMapProjectionOrthographic::evaluate(double phi, double lambda, bool derivatives) const
{
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double w = 1.0 - m_e2 * sinPhi * sinPhi;
    const double nu = m_a / std::sqrt(w);
    const double dLambda = lambda - m_params.longitudeOfOrigin;
    const double sinDLambda = std::sin(dLambda);
    const double cosDLambda = std::cos(dLambda);
    Evaluation result{};
    result.easting = m_params.falseEasting + nu * cosPhi * sinDLambda;
    result.northing = m_params.falseNorthing
                      + nu * (sinPhi * m_cosPhi0 - cosPhi * m_sinPhi0 * cosDLambda)
                      + m_e2 * (m_nu0 * m_sinPhi0 - nu * sinPhi) * m_cosPhi0;
    if (!derivatives)
        return result;
    const double rho = m_oneMinusE2 * nu / w;
    result.dEdPhi = -rho * sinPhi * sinDLambda;
    result.dEdLambda = nu * cosPhi * cosDLambda;
    result.dNdPhi = rho * (m_sinPhi0 * sinPhi * cosDLambda + m_cosPhi0 * cosPhi);
    result.dNdLambda = nu * m_sinPhi0 * cosPhi * sinDLambda;
    return result;
}

bool CMapProjectionOrthographic::isVisible(double phi, double lambda) const
{
    const double cosine = m_sinPhi0 * std::sin(phi)
                          + m_cosPhi0 * std::cos(phi) * std::cos(lambda - m_params.longitudeOfOrigin);
    return cosine >= -kHorizonTolerance;
}

void CMapProjectionOrthographic::GeodeticToProjected(CCoords* point) const
{
    if (!isVisible(point->first, point->second)) {
        *point = failed(*point);
        return;
    }
    const Evaluation result = evaluate(point->first, point->second, false);
    point->first = result.easting;
    point->second = result.northing;
}

// Inverse orthographic on the sphere of radius a: the start of the iteration. At a polar
// origin the iteration cannot start from the origin itself, where the Jacobian vanishes.
void CMapProjectionOrthographic::sphericalEstimate(double x, double y, double* phi,
                                                   double* lambda) const
{
    const double rho = std::hypot(x, y);
    const double sinC = std::min(1.0, rho / m_a);
    const double cosC = std::sqrt(1.0 - sinC * sinC);
    *phi = std::asin(cosC * m_sinPhi0 + y * sinC * m_cosPhi0 / rho);
    *lambda = m_params.longitudeOfOrigin
              + std::atan2(x * sinC, rho * cosC * m_cosPhi0 - y * sinC * m_sinPhi0);
}

void CMapProjectionOrthographic::ProjectedToGeodetic(CCoords* point) const
{
    const double easting = point->first;
    const double northing = point->second;
    const double x = easting - m_params.falseEasting;
    const double y = northing - m_params.falseNorthing;
    if (x == 0.0 && y == 0.0) {
        point->first = m_params.latitudeOfOrigin;
        point->second = m_params.longitudeOfOrigin;
        return;
    }
    double phi;
    double lambda;
    sphericalEstimate(x, y, &phi, &lambda);
    bool converged = false;
    for (int step = 0; step < m_maxIterations && !converged; ++step) {
        const Evaluation at = evaluate(phi, lambda, true);
        const double dE = easting - at.easting;
        const double dN = northing - at.northing;
        const double determinant = at.dEdPhi * at.dNdLambda - at.dEdLambda * at.dNdPhi;
        const double dPhi = (dE * at.dNdLambda - at.dEdLambda * dN) / determinant;
        const double dLambda = (at.dEdPhi * dN - dE * at.dNdPhi) / determinant;
        converged = std::fabs(dPhi) <= m_tolerance && std::fabs(dLambda) <= m_tolerance;
        if (!converged) {
            phi += dPhi;
            lambda += dLambda;
        }
    }
    // A point off the disc of the visible hemisphere has no latitude and longitude.
    if (!converged || !isVisible(phi, lambda)) {
        *point = failed(*point);
        return;
    }
    point->first = phi;
    point->second = lambda;
    normalizeGeodetic(point);
}

} // namespace vexa
