#include "geodesy/coords.h"

#include <cmath>

namespace vexa {

void normalizeAngle(double& angle)
{
    if (angle > kPi) {
        double r = angle - kTwoPi * std::floor(angle / kTwoPi);
        if (r > kPi)
            r -= kTwoPi;
        angle = r;
    } else if (angle < -kPi) {
        double r = angle + kTwoPi * std::floor(-angle / kTwoPi);
        if (r < -kPi)
            r += kTwoPi;
        angle = r;
    }
}

void normalizeLongitude(double& angle)
{
    normalizeAngle(angle);
}

void normalizeLatitudeClamp(double& angle)
{
    normalizeAngle(angle);
    if (angle < -kHalfPi)
        angle = -kHalfPi;
    else if (angle > kHalfPi)
        angle = kHalfPi;
}

void normalizeLatitude(double& angle)
{
    double r = angle;
    if (angle > kHalfPi) {
        r = angle - kTwoPi * std::floor(angle / kTwoPi);
        if (r > kHalfPi)
            r -= kTwoPi;
    } else if (angle < -kHalfPi) {
        r = angle + kTwoPi * std::floor(-angle / kTwoPi);
        if (r < -kHalfPi)
            r += kTwoPi;
    }
    if (r > kHalfPi)
        r = r > kPi ? -kHalfPi : kHalfPi;
    else if (r < -kHalfPi)
        r = r < -kPi ? kHalfPi : -kHalfPi;
    angle = r;
}

bool isLatitudeNear(double first, double second, double tolerance)
{
    double difference = first - second;
    normalizeLatitude(difference);
    return std::fabs(difference) < tolerance;
}

bool isLongitudeNear(double first, double second, double tolerance)
{
    double difference = first - second;
    normalizeLongitude(difference);
    return std::fabs(difference) < tolerance;
}

CPrimeMeridianParams::CPrimeMeridianParams(const double& longitude)
{
    setLongitude(longitude);
}

void CPrimeMeridianParams::setLongitude(const double& longitude)
{
    m_longitude = longitude;
    normalizeAngle(m_longitude);
}

bool CPrimeMeridianParams::isZero() const
{
    return std::fabs(m_longitude) < 1e-12;
}

bool CPrimeMeridianParams::isEqual(const CPrimeMeridianParams& other) const
{
    double difference = m_longitude - other.m_longitude;
    normalizeAngle(difference);
    return std::fabs(difference) < 1e-12;
}

CAngleRotation::CAngleRotation(const double& angle)
    : m_angle(angle), m_sin(std::sin(angle)), m_cos(std::cos(angle)), m_zero(angle == 0.0)
{
}

void CAngleRotation::rotate(double& x, double& y) const
{
    if (m_zero)
        return;
    const double rx = x * m_cos - y * m_sin;
    y = x * m_sin + y * m_cos;
    x = rx;
}

void CAngleRotation::rotateBack(double& x, double& y) const
{
    if (m_zero)
        return;
    const double rx = x * m_cos + y * m_sin;
    y = y * m_cos - x * m_sin;
    x = rx;
}

void CAngleRotation::addToLongitude(CCoords& point) const
{
    if (!m_zero)
        point.second += m_angle;
}

void CAngleRotation::subtractFromLongitude(CCoords& point) const
{
    if (!m_zero)
        point.second -= m_angle;
}

} // namespace vexa
