#ifndef VEXA_PROJECTIONSCONIC_H
#define VEXA_PROJECTIONSCONIC_H

#include "geodesy/mapprojection.h"

namespace vexa {

// Latitude reduced into [-pi/2, pi/2] and longitude into [-pi, pi], as every inverse ends.
void normalizeGeodetic(CCoords* point);
// m(phi) = cos(phi) / sqrt(1 - e^2 sin^2(phi)).
double parallelRadiusFactor(double phi, double e2);
// t(phi) = tan(pi/4 - phi/2) / ((1 - e sin(phi)) / (1 + e sin(phi)))^(e/2).
double isometricFactor(double phi, double e);

// Meridian arc length from the equator, and the footpoint latitude of an arc length, by
// series in the eccentricity.
class CMeridianArcSeries
{
public:
    CMeridianArcSeries(double a, double e2);

    double arc(double phi) const;
    double footpointLatitude(double arc) const;

private:
    double m_c0;
    double m_c2;
    double m_c4;
    double m_c6;
    double m_f2;
    double m_f4;
    double m_f6;
    double m_f8;
};

// Authalic latitude of an ellipsoid of squared eccentricity e2.
class CAuthalicLatitude
{
public:
    explicit CAuthalicLatitude(double e2);

    // q of a latitude; the sphere gives its limit 2 sin(phi).
    double q(double phi) const;
    double qPole() const { return m_qP; }
    // Latitude of a q: the series in the authalic latitude asin(q / qPole), then one Newton
    // step, since the series alone misses by up to 2.5e-10 rad.
    double latitude(double q) const;

private:
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
