#ifndef VEXA_PROJECTIONSCONIC_H
#define VEXA_PROJECTIONSCONIC_H

#include "geodesy/mapprojection.h"

#include <array>
#include <cstddef>

namespace vexa {

// longitude - origin wrapped into [-pi, pi], as every forward step takes it.
double longitudeDifference(double longitude, double origin);
// Latitude reduced into [-pi/2, pi/2] and longitude into [-pi, pi], as every inverse ends.
void normalizeGeodetic(CCoords* point);
// m(phi) = cos(phi) / sqrt(1 - e^2 sin^2(phi)).
double parallelRadiusFactor(double phi, double e2);
// t(phi) = tan(pi/4 - phi/2) / ((1 - e sin(phi)) / (1 + e sin(phi)))^(e/2).
double isometricFactor(double phi, double e);

// Sum of c[j - 1] sin(2 j x) for j = 1..N by Clenshaw's recurrence, from sin 2x and cos 2x.
template <size_t N>
double sineSeries(const std::array<double, N>& c, double sin2x, double cos2x)
{
    const double twoCos = 2.0 * cos2x;
    double next = 0.0;
    double sum = 0.0;
    for (size_t j = N; j > 0; --j) {
        // Grouped so that only one product and one sum wait for the previous step.
        const double current = (c[j - 1] - next) + twoCos * sum;
        next = sum;
        sum = current;
    }
    return sin2x * sum;
}

// The coefficients d of the same sum written as sin 2x * sum of d[k] cos^k 2x, since
// sin 2jx = sin 2x U_(j-1)(cos 2x) with U the Chebyshev polynomials of the second kind.
template <size_t N>
std::array<double, N> sinePolynomial(const std::array<double, N>& c)
{
    std::array<double, N> d{};
    std::array<double, N> previous{};
    std::array<double, N> current{};
    current[0] = 1.0;
    for (size_t j = 0; j < N; ++j) {
        std::array<double, N> next{};
        for (size_t k = 0; k < N; ++k) {
            d[k] += c[j] * current[k];
            next[k] = (k > 0 ? 2.0 * current[k - 1] : 0.0) - previous[k];
        }
        previous = current;
        current = next;
    }
    return d;
}

// sum of d[k] y^k for k = 0..5 by Estrin's scheme, which keeps the chain of dependent
// operations short.
inline double polynomial5(const std::array<double, 6>& d, double y)
{
    const double y2 = y * y;
    return (d[0] + d[1] * y) + y2 * ((d[2] + d[3] * y) + y2 * (d[4] + d[5] * y));
}

// Powers of the third flattening n = (a - b) / (a + b) of an ellipsoid of squared
// eccentricity e2, for the series in n.
struct CThirdFlattening
{
    explicit CThirdFlattening(double e2);

    double n;
    double n2;
    double n3;
    double n4;
    double n5;
    double n6;
};

// Meridian arc length from the equator, and the footpoint latitude of an arc length, by
// series in the third flattening to n^6 through the rectifying latitude.
class CMeridianArcSeries
{
public:
    CMeridianArcSeries(double a, double e2);

    double arc(double phi) const;
    double footpointLatitude(double arc) const;
    // The arc of one radian of rectifying latitude.
    double rectifyingRadius() const { return m_radius; }

private:
    double m_radius;
    std::array<double, 6> m_toRectifying;
    std::array<double, 6> m_fromRectifying;
};

// Conformal latitude from geodetic latitude and back, by series in the third flattening
// to n^6.
class CConformalLatitudeSeries
{
public:
    explicit CConformalLatitudeSeries(double e2);

    double latitude(double chi) const;
    // phi - chi from sin 2chi and cos 2chi.
    double latitudeCorrection(double sin2chi, double cos2chi) const
    {
        return sin2chi * polynomial5(m_fromConformal, cos2chi);
    }
    // chi - phi from sin 2phi and cos 2phi.
    double conformalCorrection(double sin2phi, double cos2phi) const
    {
        return sin2phi * polynomial5(m_toConformal, cos2phi);
    }

private:
    // Both in powers of cos 2x, as sinePolynomial gives them.
    std::array<double, 6> m_toConformal;
    std::array<double, 6> m_fromConformal;
};

// Authalic latitude of an ellipsoid of squared eccentricity e2.
class CAuthalicLatitude
{
public:
    explicit CAuthalicLatitude(double e2);

    // q of a latitude; the sphere gives its limit 2 sin(phi).
    double q(double phi) const;
    double qPole() const { return m_qP; }
    // Latitude of a q: the series in the authalic latitude asin(q / qPole), then Newton
    // steps, since the series alone misses by up to 2.5e-10 rad.
    double latitude(double q) const;
    // qPole - q(phi), without the cancellation of the difference near the north pole.
    double complement(double phi) const;
    // The latitude whose complement is g, 0 <= g <= 2 qPole.
    double latitudeFromComplement(double g) const;

private:
    double refine(double q, double phi) const;

    double m_e;
    double m_oneMinusE2;
    double m_b2;
    double m_b4;
    double m_b6;
    double m_qP;
};

// Albers equal-area conic.
class CMapProjectionAlbersEqualArea : public CMapProjection
{
public:
    CMapProjectionAlbersEqualArea(const CEllipsoidParams& ellipsoid,
                                  const CMapProjectionAlbersEqualAreaParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CMapProjectionAlbersEqualAreaParams m_params;
    CAuthalicLatitude m_authalic;
    double m_a2;
    double m_n;
    double m_c;
    double m_rho0;
    double m_n2;
};

// Equidistant conic with two standard parallels.
class CMapProjectionEquidistantConic : public CMapProjection
{
public:
    CMapProjectionEquidistantConic(const CEllipsoidParams& ellipsoid,
                                   const CMapProjectionEquidistantConicParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CMapProjectionEquidistantConicParams m_params;
    CMeridianArcSeries m_arc;
    double m_n;
    double m_signN;
    double m_ga;
    double m_rho0;
};

// The cone of a Lambert conformal conic: forward and inverse about its false origin.
class CLambertCone
{
public:
    // rOrigin is the radius at the latitude of the origin; thetaOffset turns the grid
    // about the apex; iteration of the inverse latitude starts at startLatitude.
    CLambertCone(double e, double n, double aF, double rOrigin, double longitudeOfOrigin,
                 double easting, double northing, double thetaOffset, double startLatitude);

    void toGeodetic(CCoords* point) const;
    void toProjected(CCoords* point) const;

private:
    double m_e;
    double m_halfE;
    double m_n;
    double m_inverseN;
    double m_aF;
    double m_rOrigin;
    double m_sign;
    double m_longitudeOfOrigin;
    double m_easting;
    double m_northing;
    double m_thetaOffset;
    double m_startLatitude;
};

// Lambert conformal conic with one standard parallel.
class CMapProjectionLambertConformalConic1SP : public CMapProjection
{
public:
    CMapProjectionLambertConformalConic1SP(const CEllipsoidParams& ellipsoid,
                                           const CMapProjectionLambertConformalConic1SPParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CLambertCone m_cone;
};

// Lambert conformal conic with two standard parallels.
class CMapProjectionLambertConformalConic2SP : public CMapProjection
{
public:
    CMapProjectionLambertConformalConic2SP(const CEllipsoidParams& ellipsoid,
                                           const CMapProjectionLambertConformalConic2SPParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

protected:
    CMapProjectionLambertConformalConic2SP(int type, const CEllipsoidParams& ellipsoid,
                                           const CMapProjectionLambertConformalConic2SPParams& params,
                                           double thetaOffset);

private:
    CLambertCone m_cone;
};

// The Belgian variant: the grid is turned by 29.2985 arc-seconds about the apex.
class CMapProjectionLambertConformalConic2SPBelgium : public CMapProjectionLambertConformalConic2SP
{
public:
    CMapProjectionLambertConformalConic2SPBelgium(
        const CEllipsoidParams& ellipsoid,
        const CMapProjectionLambertConformalConic2SPBelgiumParams& params);
};

} // namespace vexa

#endif
