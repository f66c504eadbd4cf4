#include "geodesy/projectionswidezone.h"

#include "geodesy/projectionsconic.h"

#include <cmath>

namespace vexa {

namespace {

constexpr int kSphereIterations = 10;

// h1 sin(2x) cosh(2y) + h2 sin(4x) cosh(4y) + h3 sin(6x) cosh(6y)
double sinCoshSeries(double x, double y, double h1, double h2, double h3)
{
    return h1 * std::sin(2.0 * x) * std::cosh(2.0 * y) + h2 * std::sin(4.0 * x) * std::cosh(4.0 * y)
           + h3 * std::sin(6.0 * x) * std::cosh(6.0 * y);
}

// h1 cos(2x) sinh(2y) + h2 cos(4x) sinh(4y) + h3 cos(6x) sinh(6y)
double cosSinhSeries(double x, double y, double h1, double h2, double h3)
{
    return h1 * std::cos(2.0 * x) * std::sinh(2.0 * y) + h2 * std::cos(4.0 * x) * std::sinh(4.0 * y)
           + h3 * std::cos(6.0 * x) * std::sinh(6.0 * y);
}

} // namespace

CProjectionOntoSphereMollweide::CProjectionOntoSphereMollweide(const double& a, const double& b,
                                                               const double& originLatitude,
                                                               const double& accuracy)
{
    const double ratio = b / a;
    m_e2 = 1.0 - ratio * ratio;
    m_e = std::sqrt(m_e2);
    const double e4 = m_e2 * m_e2;
    const double e6 = e4 * m_e2;
    m_halfE = m_e / 2.0;
    m_accuracy = accuracy > 0.0 ? accuracy : e4 * e6;
    m_twoE2 = 2.0 * m_e2;
    m_tolerance = (1.0 - m_twoE2) * m_accuracy / m_twoE2;
    m_p2 = -(m_e2 / 2.0 + 5.0 * e4 / 24.0 + e6 / 12.0);
    m_p4 = 5.0 * e4 / 48.0 + 57.0 * e6 / 720.0;
    m_p6 = -e6 / 40.0;
    m_q2 = m_e2 / 2.0 + 5.0 * e4 / 24.0 + 7.0 * e6 / 96.0;
    m_q4 = 7.0 * e4 / 48.0 + 93.0 * e6 / 720.0;
    m_q6 = 9.0 * e6 / 160.0;

    double chi0 = 0.0;
    sphereLatitude(originLatitude, chi0);
    const double sinPhi0 = std::sin(originLatitude);
    m_k0s = std::cos(originLatitude) / (std::cos(chi0) * std::sqrt(1.0 - m_e2 * sinPhi0 * sinPhi0));
    m_radius = a * m_k0s;
    m_originScaleTerm = 1.0 + m_e2 * sinPhi0 * sinPhi0 / 2.0;
}

void CProjectionOntoSphereMollweide::sphereLatitude(const double& phi, double& chi) const
{
    const double es = m_e * std::sin(phi);
    chi = 2.0 * std::atan(std::tan(kPi / 4.0 + phi / 2.0) * std::pow((1.0 - es) / (1.0 + es), m_halfE))
          - kHalfPi;
}

int CProjectionOntoSphereMollweide::geodeticLatitude(const double& chi, double& phi) const
{
    const double tangent = std::tan(kPi / 4.0 + chi / 2.0);
    double current = chi;
    int iterations = 0;
    while (iterations < kSphereIterations) {
        const double es = m_e * std::sin(current);
        const double next = 2.0 * std::atan(tangent * std::pow((1.0 + es) / (1.0 - es), m_halfE)) - kHalfPi;
        ++iterations;
        const bool converged = std::fabs(next - current) < m_tolerance;
        current = next;
        if (converged)
            break;
    }
    phi = current;
    return iterations;
}

void CProjectionOntoSphereMollweide::geodeticToSphere(const double& phi, const double& lambda,
                                                      double& chi, double& sphereLongitude) const
{
    sphereLatitude(phi, chi);
    sphereLongitude = lambda;
}

void CProjectionOntoSphereMollweide::sphereToGeodetic(const double& chi, const double& sphereLongitude,
                                                      double& phi, double& lambda) const
{
    geodeticLatitude(chi, phi);
    lambda = sphereLongitude;
}

unsigned CProjectionOntoSphereMollweide::iterationCount() const
{
    return static_cast<unsigned>(
        std::floor(std::log(2.0 * m_accuracy / m_e2) / std::log(m_twoE2) + 1.0));
}

void CProjectionOntoSphereMollweide::geodeticToSphereBySeries(const double& phi, const double& lambda,
                                                              double& chi,
                                                              double& sphereLongitude) const
{
    chi = phi + m_p2 * std::sin(2.0 * phi) + m_p4 * std::sin(4.0 * phi) + m_p6 * std::sin(6.0 * phi);
    sphereLongitude = lambda;
}

void CProjectionOntoSphereMollweide::sphereToGeodeticBySeries(const double& chi,
                                                              const double& sphereLongitude,
                                                              double& phi, double& lambda) const
{
    phi = chi + m_q2 * std::sin(2.0 * chi) + m_q4 * std::sin(4.0 * chi) + m_q6 * std::sin(6.0 * chi);
    lambda = sphereLongitude;
}

double CProjectionOntoSphereMollweide::scaleFactor(const double& phi) const
{
    double chi = 0.0;
    sphereLatitude(phi, chi);
    const double sinPhi = std::sin(phi);
    return m_k0s * std::cos(chi) * std::sqrt(1.0 - m_e2 * sinPhi * sinPhi) / std::cos(phi);
}

double CProjectionOntoSphereMollweide::approximateScaleFactor(const double& phi) const
{
    const double sinPhi = std::sin(phi);
    return (1.0 + m_e2 * sinPhi * sinPhi / 2.0) / m_originScaleTerm;
}

CKrugerTransverseMercator::CKrugerTransverseMercator(const CEllipsoidParams& ellipsoid,
                                                     double centralMeridian, double scaleFactor,
                                                     double falseEasting, double falseNorthing)
    : m_centralMeridian(centralMeridian),
      m_scaleFactor(scaleFactor),
      m_falseEasting(falseEasting),
      m_falseNorthing(falseNorthing),
      m_sphere(std::make_shared<const CProjectionOntoSphereMollweide>(ellipsoid.a, ellipsoid.b, 0.0, 0.0))
{
    const double n = (ellipsoid.a - ellipsoid.b) / (ellipsoid.a + ellipsoid.b);
    const double n2 = n * n;
    const double n3 = n2 * n;
    m_rectifyingRadius = ellipsoid.a / (1.0 + n) * (1.0 + n2 / 4.0);
    m_h1 = n / 2.0 - 2.0 * n2 / 3.0 + 5.0 * n3 / 16.0;
    m_h2 = 13.0 * n2 / 48.0 - 3.0 * n3 / 5.0;
    m_h3 = 61.0 * n3 / 240.0;
    m_inverseH1 = n / 2.0 - 2.0 * n2 / 3.0 + 37.0 * n3 / 96.0;
    m_inverseH2 = n2 / 48.0 + n3 / 15.0;
    m_inverseH3 = 17.0 * n3 / 480.0;
}

void CKrugerTransverseMercator::toProjected(CCoords* point) const
{
    double dLambda = longitudeDifference(point->second, m_centralMeridian);
    double chi = 0.0;
    m_sphere->geodeticToSphere(point->first, dLambda, chi, dLambda);

    const double xi = std::atan(std::tan(chi) / std::cos(dLambda));
    const double eta = std::atanh(std::cos(chi) * std::sin(dLambda));
    const double northing = m_rectifyingRadius
                            * (xi + sinCoshSeries(xi, eta, m_h1, m_h2, m_h3));
    const double easting = m_rectifyingRadius
                           * (eta + cosSinhSeries(xi, eta, m_h1, m_h2, m_h3));
    point->first = m_falseEasting + m_scaleFactor * easting;
    point->second = m_falseNorthing + m_scaleFactor * northing;
}

void CKrugerTransverseMercator::toGeodetic(CCoords* point) const
{
    const double scale = m_scaleFactor * m_rectifyingRadius;
    const double xi = (point->second - m_falseNorthing) / scale;
    const double eta = (point->first - m_falseEasting) / scale;
    const double xiPrime
        = xi - sinCoshSeries(xi, eta, m_inverseH1, m_inverseH2, m_inverseH3);
    const double etaPrime
        = eta - cosSinhSeries(xi, eta, m_inverseH1, m_inverseH2, m_inverseH3);
    const double chi = std::asin(std::sin(xiPrime) / std::cosh(etaPrime));
    double dLambda = std::atan(std::sinh(etaPrime) / std::cos(xiPrime));
    m_sphere->sphereToGeodetic(chi, dLambda, point->first, dLambda);
    point->second = m_centralMeridian + dLambda;
    normalizeGeodetic(point);
}

CMapProjectionGaussKrugerWideZone::CMapProjectionGaussKrugerWideZone(
    const CEllipsoidParams& ellipsoid, const CMapProjectionGaussKrugerWideZoneParams& params)
    : CMapProjection(CMapProjectionGaussKrugerWideZoneParams::typeCode),
      m_series(ellipsoid, params.centralMeridian, params.scaleFactor, params.falseEasting,
               params.falseNorthing)
{
}

void CMapProjectionGaussKrugerWideZone::GeodeticToProjected(CCoords* point) const
{
    m_series.toProjected(point);
}

void CMapProjectionGaussKrugerWideZone::ProjectedToGeodetic(CCoords* point) const
{
    m_series.toGeodetic(point);
}

CMapProjectionGaussBoaga::CMapProjectionGaussBoaga(const CEllipsoidParams& ellipsoid,
                                                   const CMapProjectionGaussBoagaParams& params)
    : CMapProjection(CMapProjectionGaussBoagaParams::typeCode),
      m_transverse(ellipsoid, params.centralMeridian, params.scaleFactor, params.falseEasting,
                   params.falseNorthing)
{
}

void CMapProjectionGaussBoaga::GeodeticToProjected(CCoords* point) const
{
    m_transverse.toProjected(point);
}

void CMapProjectionGaussBoaga::ProjectedToGeodetic(CCoords* point) const
{
    const CCoords projected = *point;
    m_transverse.toGeodetic(point);
    refineInverse(projected, point);
    normalizeGeodetic(point);
}

} // namespace vexa
