#ifndef VEXA_PROJECTIONSAZIMUTHAL_H
#define VEXA_PROJECTIONSAZIMUTHAL_H

#include "geodesy/mapprojection.h"
#include "geodesy/projectionsconic.h"

#include <initializer_list>
#include <vector>

namespace vexa {

// A polynomial in two variables up to the fifth power of each: the sum of c * u^i * v^j.
class CDoublePowerSeries
{
public:
    struct Term
    {
        int i;
        int j;
        double c;
    };

    CDoublePowerSeries() = default;
    CDoublePowerSeries(std::initializer_list<Term> terms);

    double operator()(double u, double v) const;

private:
    std::vector<Term> m_terms;
};

// Hatt's azimuthal projection: a double power series about the origin; the inverse series
// is refined by Newton steps on the forward.
class CMapProjectionHatt : public CMapProjection
{
public:
    CMapProjectionHatt(const CEllipsoidParams& ellipsoid, const CMapProjectionHattParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CMapProjectionHattParams m_params;
    CDoublePowerSeries m_easting;   // of the longitude and latitude differences
    CDoublePowerSeries m_northing;  // of the longitude and latitude differences
    CDoublePowerSeries m_longitude; // of x and y
    CDoublePowerSeries m_latitude;  // of x and y
};

// Lambert azimuthal equal-area, oblique and polar aspects.
class CMapProjectionLambertAzimuthalEqualArea : public CMapProjection
{
public:
    CMapProjectionLambertAzimuthalEqualArea(const CEllipsoidParams& ellipsoid,
                                            const CMapProjectionLambertAzimuthalEqualAreaParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    void polarToGeodetic(CCoords* point) const;
    void polarToProjected(CCoords* point) const;

    CMapProjectionLambertAzimuthalEqualAreaParams m_params;
    CAuthalicLatitude m_authalic;
    double m_a;
    double m_qP;
    double m_sinBeta0;
    double m_cosBeta0;
    double m_rq;
    double m_d;
    int m_pole; // 1 north, -1 south, 0 oblique aspect
};

// New Zealand Map Grid: complex power series; the inverse is refined by Newton steps on
// the forward.
class CMapProjectionNZMG : public CMapProjection
{
public:
    CMapProjectionNZMG(const CEllipsoidParams& ellipsoid, const CMapProjectionNZMGParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    double m_falseNorthing;
    double m_falseEasting;
    double m_latitudeOfOriginDegrees;
    double m_longitudeOfOrigin;
    double m_a;
};

// Oblique stereographic through the conformal sphere.
class CMapProjectionObliqueStereographic : public CMapProjection
{
public:
    CMapProjectionObliqueStereographic(const CEllipsoidParams& ellipsoid,
                                       const CMapProjectionObliqueStereographicParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    double m_longitudeOfOrigin;
    double m_falseEasting;
    double m_falseNorthing;
    double m_e;
    double m_e2;
    double m_twoRk0;
    double m_n;
    double m_logC;
    double m_sinChi0;
    double m_cosChi0;
    double m_chi0;
    double m_g;
    double m_h;
};

// Orthographic on the ellipsoid; the inverse is solved by Newton's method. Points behind
// the horizon, and plane points off the visible disc, come out as NaN: the step fails.
class CMapProjectionOrthographic : public CMapProjection
{
public:
    CMapProjectionOrthographic(const CEllipsoidParams& ellipsoid,
                               const CMapProjectionOrthographicParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    struct Evaluation
    {
        double easting;
        double northing;
        double dEdPhi;
        double dEdLambda;
        double dNdPhi;
        double dNdLambda;
    };
    Evaluation evaluate(double phi, double lambda, bool derivatives) const;
    // The normal at the point faces the viewer (the side of the origin's normal).
    bool isVisible(double phi, double lambda) const;
    void sphericalEstimate(double x, double y, double* phi, double* lambda) const;

    CMapProjectionOrthographicParams m_params;
    double m_tolerance = 1e-12;
    int m_maxIterations = 100;
    double m_a;
    double m_e2;
    double m_oneMinusE2;
    double m_nu0;
    double m_sinPhi0;
    double m_cosPhi0;
};

} // namespace vexa

#endif
