#ifndef VEXA_TRANSVERSEMERCATOR_H
#define VEXA_TRANSVERSEMERCATOR_H

#include "geodesy/ellipsoid.h"
#include "geodesy/mapprojection.h"
#include "geodesy/mapprojectionparams.h"
#include "geodesy/projectionsconic.h"

#include <array>

namespace vexa {

// Transverse Mercator of the ellipsoid about its central meridian by Kruger's series in the
// third flattening to n^6, scaled and shifted to its grid; northingAtEquator is the northing
// of the equator on the central meridian.
class CKrugerSeries
{
public:
    CKrugerSeries(const CEllipsoidParams& ellipsoid, double centralMeridian, double scaleFactor,
                  double falseEasting, double northingAtEquator);

    void toGeodetic(CCoords* point) const;
    void toProjected(CCoords* point) const;

private:
    // xi northward from the equator, eta eastward from the central meridian, in units of
    // the rectifying radius.
    void toPlane(double phi, double dLambda, double& xi, double& eta) const;
    void fromPlane(double xi, double eta, double& phi, double& dLambda) const;

    double m_centralMeridian;
    double m_falseEasting;
    double m_northingAtEquator;
    double m_kRadius;
    double m_inverseKRadius;
    // The forward and inverse series, in powers of cos 2z as sinePolynomial gives them.
    std::array<double, 6> m_alpha;
    std::array<double, 6> m_beta;
    CConformalLatitudeSeries m_conformal;
};

// Transverse Mercator with a latitude of origin.
class CMapProjectionTransverseMercator : public CMapProjection
{
public:
    CMapProjectionTransverseMercator(const CEllipsoidParams& ellipsoid,
                                     const CMapProjectionTransverseMercatorParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CKrugerSeries m_series;
};

// Gauss-Kruger projection with the origin on the equator.
class CMapProjectionTransverseMercatorEquatorial : public CMapProjection
{
public:
    CMapProjectionTransverseMercatorEquatorial(
        const CEllipsoidParams& ellipsoid,
        const CMapProjectionTransverseMercatorEquatorialParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CKrugerSeries m_series;
};

// Normal Mercator on a sphere of radius k0 * a.
class CMapProjectionSphericalMercator : public CMapProjection
{
public:
    CMapProjectionSphericalMercator(const CEllipsoidParams& ellipsoid,
                                    const CMapProjectionSphericalMercatorParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    double m_lambda0;
    double m_falseEasting;
    double m_falseNorthing;
    double m_radius;
};

} // namespace vexa

#endif
