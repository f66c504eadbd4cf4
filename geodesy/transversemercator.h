#ifndef VEXA_TRANSVERSEMERCATOR_H
#define VEXA_TRANSVERSEMERCATOR_H

#include "geodesy/ellipsoid.h"
#include "geodesy/mapprojection.h"
#include "geodesy/mapprojectionparams.h"
#include "geodesy/projectionsconic.h"

#include <array>

namespace vexa {

// Transverse Mercator of the ellipsoid about its central meridian by Kruger's series in the
// third flattening to n^6; plane coordinates in units of the rectifying radius.
class CKrugerSeries
{
public:
    explicit CKrugerSeries(const CEllipsoidParams& ellipsoid);

    // xi northward from the equator, eta eastward from the central meridian.
    void toPlane(double phi, double dLambda, double& xi, double& eta) const;
    void fromPlane(double xi, double eta, double& phi, double& dLambda) const;
    double rectifyingRadius() const { return m_radius; }

private:
    double m_radius;
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
    double m_lambda0;
    double m_k0;
    double m_falseEasting;
    double m_falseNorthing;
    CKrugerSeries m_series;
    double m_kRadius;
    double m_m0;
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
    double m_lambda0;
    double m_falseEasting;
    double m_falseNorthing;
    CKrugerSeries m_series;
    double m_kRadius;
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
