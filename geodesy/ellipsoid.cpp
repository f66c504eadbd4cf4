#include "geodesy/ellipsoid.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace vexa {

bool CEllipsoidParams::setAxes(const double& a, const double& b)
{
    this->a = a;
    this->b = b;
    return isValid();
}

bool CEllipsoidParams::setInverseFlattening(const double& a, const double& invf)
{
    return setAxes(a, semiMinorFromInverseFlattening(a, invf));
}

bool CEllipsoidParams::setEccentricity(const double& a, const double& e)
{
    return setAxes(a, semiMinorFromEccentricity(a, e));
}

bool CEllipsoidParams::setEccentricitySquared(const double& a, const double& e2)
{
    return setAxes(a, a * std::sqrt(1.0 - e2));
}

bool CEllipsoidParams::setSphere(const double& r)
{
    a = r;
    b = r;
    return r > 0.0;
}

void CEllipsoidParams::clear()
{
    a = 0.0;
    b = 0.0;
}

bool CEllipsoidParams::isValid() const
{
    return a > 0.0 && b > 0.0 && a >= b;
}

bool CEllipsoidParams::isEqual(const CEllipsoidParams& other) const
{
    return a == other.a && b == other.b;
}

bool CEllipsoidParams::isSphere() const
{
    return a == b && a > 0.0;
}

double CEllipsoidParams::getEccentricity() const
{
    return isValid() ? std::sqrt(a * a - b * b) / a : 0.0;
}

double CEllipsoidParams::getEccentricitySquared() const
{
    return isValid() ? 1.0 - (b / a) * (b / a) : 0.0;
}

double CEllipsoidParams::getInverseFlattening() const
{
    if (!isValid())
        return 0.0;
    if (a == b)
        return std::numeric_limits<double>::infinity();
    return a / (a - b);
}

double semiMinorFromEccentricity(double a, double e)
{
    return a * std::sqrt(1.0 - e * e);
}

double semiMinorFromInverseFlattening(double a, double invf)
{
    return (1.0 - 1.0 / invf) * a;
}

CEllipsoid::CEllipsoid(const CEllipsoidParams& params)
{
    setParams(params);
}

void CEllipsoid::setSphere(const double& r)
{
    setAxes(r, r);
}

void CEllipsoid::setAxes(const double& a, const double& b)
{
    m_a = a;
    m_b = b;
    init();
}

void CEllipsoid::setParams(const CEllipsoidParams& params)
{
    setAxes(params.a, params.b);
}

void CEllipsoid::getAxes(double& a, double& b) const
{
    a = m_a;
    b = m_b;
}

void CEllipsoid::getParams(CEllipsoidParams& params) const
{
    params.a = m_a;
    params.b = m_b;
}

void CEllipsoid::init()
{
    const double ratio = m_b / m_a;
    m_e2 = 1.0 - ratio * ratio;
    m_e4 = m_e2 * m_e2;
    m_e6 = m_e4 * m_e2;
    m_eSecond2 = 1.0 / (ratio * ratio) - 1.0;
    m_e = std::sqrt(m_e2);
    m_eSecond = std::sqrt(m_eSecond2);
    maxIterations = 1000;
    tolerance = 1e-12;
}

double CEllipsoid::getFlattening() const
{
    return (m_a - m_b) / m_a;
}

double CEllipsoid::getMeridianRadius(const double& latitude) const
{
    const double s = std::sin(latitude);
    return m_a * (1.0 - m_e2) / std::pow(1.0 - m_e2 * s * s, 1.5);
}

double CEllipsoid::getPrimeVerticalRadius(const double& latitude) const
{
    const double s = std::sin(latitude);
    return m_a / std::sqrt(1.0 - m_e2 * s * s);
}

double CEllipsoid::getParallelRadius(const double& latitude) const
{
    return getPrimeVerticalRadius(latitude) * std::cos(latitude);
}

void CEllipsoid::EllipsoidalToCartesian(double point[3]) const
{
    const double latitude = point[0];
    const double longitude = point[1];
    const double height = point[2];
    const double n = getPrimeVerticalRadius(latitude);
    const double r = (n + height) * std::cos(latitude);
    point[0] = r * std::cos(longitude);
    point[1] = r * std::sin(longitude);
    point[2] = (n * (1.0 - m_e2) + height) * std::sin(latitude);
}

void CEllipsoid::EllipsoidalToCartesian(const CCoords& in, CCoords* out) const
{
    double point[3] = {in.first, in.second, in.third};
    EllipsoidalToCartesian(point);
    *out = CCoords(point[0], point[1], point[2]);
}

// Fixed-point iteration: used only near the centre, where the closed form does not hold.
double CEllipsoid::latitudeOf(double p, double z) const
{
    double latitude = std::atan(z / p / (1.0 - m_e2));
    const bool nearEquator = p >= z;
    for (int count = 0;; ++count) {
        const double n = getPrimeVerticalRadius(latitude);
        const double next = nearEquator
            ? std::atan((z + m_e2 * n * std::sin(latitude)) / p)
            : std::atan(z / (p - m_e2 * n * std::cos(latitude)));
        const double change = std::fabs(next - latitude);
        latitude = next;
        if (count >= maxIterations || change <= tolerance) {
            if (!(change <= tolerance))
                throw std::runtime_error("CartesianToEllipsoidal");
            return latitude;
        }
    }
}

// Vermeille's closed form; NaN inside the evolute of the meridian ellipse, near the centre.
double CEllipsoid::closedFormLatitudeOf(double p, double z) const
{
    const double pa = p * p / (m_a * m_a);
    const double q = (1.0 - m_e2) * z * z / (m_a * m_a);
    const double r = (pa + q - m_e4) / 6.0;
    if (!(r > 0.0))
        return std::numeric_limits<double>::quiet_NaN();
    const double s = m_e4 * pa * q / (4.0 * r * r * r);
    const double t = std::cbrt(1.0 + s + std::sqrt(s * (2.0 + s)));
    const double u = r * (1.0 + t + 1.0 / t);
    const double v = std::sqrt(u * u + m_e4 * q);
    const double w = m_e2 * (u + v - q) / (2.0 * v);
    const double k = std::sqrt(u + v + w * w) - w;
    const double d = k * p / (k + m_e2);
    return 2.0 * std::atan2(z, d + std::hypot(d, z));
}

double CEllipsoid::heightOf(double p, double z, double latitude) const
{
    const double s = std::sin(latitude);
    return p * std::cos(latitude) + z * s - m_a * std::sqrt(1.0 - m_e2 * s * s);
}

void CEllipsoid::CartesianToEllipsoidal(double point[3]) const
{
    const double x = point[0];
    const double y = point[1];
    const double z = point[2];
    const double p = std::sqrt(x * x + y * y);
    if (p == 0.0 && z != 0.0) {
        point[0] = std::copysign(kHalfPi, z);
        point[1] = std::atan2(y, x);
        point[2] = std::fabs(z) - m_b;
        return;
    }
    double latitude = closedFormLatitudeOf(p, z);
    if (!std::isfinite(latitude))
        latitude = latitudeOf(p, z);
    point[0] = latitude;
    point[1] = std::atan2(y, x);
    point[2] = heightOf(p, z, latitude);
}

void CEllipsoid::CartesianToEllipsoidal(const CCoords& in, CCoords* out) const
{
    double point[3] = {in.first, in.second, in.third};
    CartesianToEllipsoidal(point);
    *out = CCoords(point[0], point[1], point[2]);
}

namespace {

bool convert(const CEllipsoid& ellipsoid, int direction, CCoords* point)
{
    if (direction == DirectionForward) {
        ellipsoid.CartesianToEllipsoidal(*point, point);
        return true;
    }
    if (direction == DirectionReverse) {
        ellipsoid.EllipsoidalToCartesian(*point, point);
        return true;
    }
    return false;
}

} // namespace

CCoordOperationEllipsoid::CCoordOperationEllipsoid(const CEllipsoidParams& params, int direction)
    : CCoordOperation(OperationEllipsoid), m_ellipsoid(params), m_direction(direction)
{
}

bool CCoordOperationEllipsoid::apply(CCoords* point, CAuxDataSet*)
{
    return convert(m_ellipsoid, m_direction, point);
}

CCoordOperationAuxdatasetGeocentricToGeodetic::CCoordOperationAuxdatasetGeocentricToGeodetic(
    const std::string& name, const CEllipsoidParams& params, int direction)
    : CCoordOperation(OperationAuxDatasetGeocentricToGeodetic),
      m_ellipsoid(params),
      m_direction(direction),
      m_name(name)
{
}

bool CCoordOperationAuxdatasetGeocentricToGeodetic::apply(CCoords* point, CAuxDataSet* aux)
{
    CCoords converted = *point;
    if (!convert(m_ellipsoid, m_direction, &converted))
        return false;
    aux->add(m_name, std::make_unique<CAuxDataCoords>(converted));
    return true;
}

} // namespace vexa
