#ifndef VEXA_TRANSVERSEMERCATOR_H
#define VEXA_TRANSVERSEMERCATOR_H

#include "geodesy/ellipsoid.h"
#include "geodesy/mapprojection.h"
#include "geodesy/mapprojectionparams.h"
#include "geodesy/projectionsconic.h"

#include <array>

namespace vexa {

// Transverse Mercator by the series in powers of the longitude difference.
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
    double m_phi0;
    double m_k0;
    double m_falseEasting;
    double m_falseNorthing;
    double m_a;
    double m_e2;
    double m_eSecond2;
    CMeridianArcSeries m_meridian;
    double m_m0;
    double m_aOneMinusE2;
};

// Cubic in S = sin^2 of a latitude: c[0] + c[1] S + c[2] S^2 + c[3] S^3.
using CSinePolynomial = std::array<double, 4>;

// High-order Gauss-Kruger series with the origin on the equator.
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
    void initForward();
    void initInverse();
    double meridianArc(double latitude, double s, double w) const;

    double m_lambda0;
    double m_k0;
    double m_falseEasting;
    double m_falseNorthing;
    double m_a;
    double m_b;
    double m_e;
    double m_e2;
    double m_e4;
    double m_e6;
    double m_e8;
    double m_eSecond2;
    // Meridian arc and footpoint latitude.
    double m_ar;
    double m_b1;
    double m_b2;
    double m_b3;
    double m_f1;
    double m_f2;
    double m_f3;
    // Forward: easting terms of l, l^3, l^5, l^7; northing terms of l^2 .. l^8.
    std::array<CSinePolynomial, 4> m_easting;
    std::array<CSinePolynomial, 4> m_northing;
    // Inverse: longitude terms of q, q^3 .. q^9; latitude terms of q^2 .. q^8.
    std::array<CSinePolynomial, 5> m_longitude;
    std::array<CSinePolynomial, 4> m_latitude;
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
