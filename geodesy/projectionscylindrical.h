#ifndef VEXA_PROJECTIONSCYLINDRICAL_H
#define VEXA_PROJECTIONSCYLINDRICAL_H

#include "geodesy/mapprojection.h"
#include "geodesy/projectionsconic.h"

namespace vexa {

// Cassini-Soldner; the inverse series is refined by Newton steps on the forward.
class CMapProjectionCassiniSoldner : public CMapProjection
{
public:
    CMapProjectionCassiniSoldner(const CEllipsoidParams& ellipsoid,
                                 const CMapProjectionCassiniSoldnerParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CMapProjectionCassiniSoldnerParams m_params;
    double m_a;
    double m_e2;
    double m_secondE2;
    CMeridianArcSeries m_arc;
    double m_arc0;
};

// Mercator with a standard parallel.
class CMapProjectionMercator2SP : public CMapProjection
{
public:
    CMapProjectionMercator2SP(const CEllipsoidParams& ellipsoid,
                              const CMapProjectionMercator2SPParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

protected:
    CMapProjectionMercator2SP(int type, const CEllipsoidParams& ellipsoid, double scaleFactor,
                              double longitudeOfOrigin, double falseEasting, double falseNorthing);

private:
    double m_e;
    CConformalLatitudeSeries m_series;
    double m_ak0;
    double m_longitudeOfOrigin;
    double m_falseEasting;
    double m_falseNorthing;
};

// Mercator with a scale factor at the equator.
class CMapProjectionMercator1SP : public CMapProjectionMercator2SP
{
public:
    CMapProjectionMercator1SP(const CEllipsoidParams& ellipsoid,
                              const CMapProjectionMercator1SPParams& params);
};

// The oblique cylinder of the Hotine oblique Mercator: skew coordinates u, v measured from
// the natural origin, and the grid that they are turned into.
class CHotineCylinder
{
public:
    CHotineCylinder(const CEllipsoidParams& ellipsoid, double latitudeOfCentre,
                    double longitudeOfCentre, double azimuth, double rectifiedGridAngle,
                    double scaleFactor, double easting, double northing);

    void toSkew(const CCoords& geodetic, double& u, double& v) const;
    void fromSkew(double u, double v, CCoords* point) const;
    void toGrid(double u, double v, CCoords* point) const;
    void fromGrid(const CCoords& point, double& u, double& v) const;

    // Distance u of the projection centre from the natural origin.
    double centreOffset() const;

private:
    // (1 - U') / (1 + U') of the skew coordinates u / (A/B), v / (A/B).
    double poleRatio(double ub, double vb) const;

    double m_e;
    CConformalLatitudeSeries m_series;
    double m_b;
    double m_aOverB;
    double m_h;
    double m_sinGamma0;
    double m_cosGamma0;
    // v of the north pole in units of A/B; the south pole's is its negative.
    double m_northPoleV;
    double m_longitudeOfCentre;
    // B (lambdaC - lambda0): the centre's turn from the natural origin about the cylinder's axis.
    double m_centreTurn;
    // u / (A/B) of the centre.
    double m_centreU;
    double m_sinGammaC;
    double m_cosGammaC;
    double m_easting;
    double m_northing;
};

// Hotine oblique Mercator, false origin at the natural origin (variant A).
class CMapProjectionHotineObliqueMercator : public CMapProjection
{
public:
    CMapProjectionHotineObliqueMercator(const CEllipsoidParams& ellipsoid,
                                        const CMapProjectionHotineObliqueMercatorParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CHotineCylinder m_cylinder;
};

// Oblique Mercator, false origin at the projection centre (Hotine variant B).
class CMapProjectionObliqueMercator : public CMapProjection
{
public:
    CMapProjectionObliqueMercator(const CEllipsoidParams& ellipsoid,
                                  const CMapProjectionObliqueMercatorParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CHotineCylinder m_cylinder;
    double m_shift;
};

// Krovak oblique conformal conic, north-orientated axes.
class CMapProjectionKrovak : public CMapProjection
{
public:
    CMapProjectionKrovak(const CEllipsoidParams& ellipsoid, const CMapProjectionKrovakParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CMapProjectionKrovakParams m_params;
    double m_e;
    double m_b;
    double m_t0;
    double m_n;
    double m_r0;
    double m_tanPseudoParallel;
    double m_sinAlpha;
    double m_cosAlpha;
};

} // namespace vexa

#endif
