#ifndef VEXA_COORDS_H
#define VEXA_COORDS_H

#include <cfloat>

namespace vexa {

// Marks a coordinate component or a parameter that is not set.
constexpr double kUndefined = DBL_MAX;

inline bool isDefined(double value)
{
    return value < kUndefined;
}

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kHalfPi = kPi / 2.0;

// A point: latitude, longitude, height in a geodetic system; X, Y, Z otherwise.
struct CCoords
{
    CCoords() = default;
    CCoords(double first, double second, double third)
        : first(first), second(second), third(third) {}

    bool operator==(const CCoords& other) const
    {
        return first == other.first && second == other.second && third == other.third;
    }
    bool operator!=(const CCoords& other) const { return !(*this == other); }

    double first = kUndefined;
    double second = kUndefined;
    double third = kUndefined;
};

// Removes whole turns so that the angle lies in [-pi, pi].
void normalizeAngle(double& angle);
void normalizeLongitude(double& angle);
// normalizeAngle, then clamped to [-pi/2, pi/2].
void normalizeLatitudeClamp(double& angle);
// Reduced modulo a full turn, then clamped to the nearer pole on its side.
void normalizeLatitude(double& angle);
// True when the difference, reduced as a latitude or as a longitude, is below the tolerance.
bool isLatitudeNear(double first, double second, double tolerance);
bool isLongitudeNear(double first, double second, double tolerance);

class CPrimeMeridianParams
{
public:
    CPrimeMeridianParams() = default;
    explicit CPrimeMeridianParams(const double& longitude);

    void setLongitude(const double& longitude);
    double getLongitude() const { return m_longitude; }
    void setZero() { m_longitude = 0.0; }
    void clear() { m_longitude = kUndefined; }
    bool isValid() const { return isDefined(m_longitude); }
    bool isZero() const;
    bool isEqual(const CPrimeMeridianParams& other) const;

private:
    double m_longitude = kUndefined;
};

// A plane rotation with its sine and cosine; a zero angle leaves points untouched.
class CAngleRotation
{
public:
    explicit CAngleRotation(const double& angle);

    bool operator==(const CAngleRotation& other) const { return m_angle == other.m_angle; }
    bool isZero() const { return m_zero; }
    double getAngle() const { return m_angle; }

    void rotate(double& x, double& y) const;
    void rotateBack(double& x, double& y) const;
    void addToLongitude(CCoords& point) const;
    void subtractFromLongitude(CCoords& point) const;

private:
    double m_angle;
    double m_sin;
    double m_cos;
    bool m_zero;
};

} // namespace vexa

#endif
