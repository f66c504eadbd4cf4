#ifndef VEXA_PROJECTIONSPOLAR_H
#define VEXA_PROJECTIONSPOLAR_H

#include "geodesy/mapprojection.h"
#include "geodesy/projectionsazimuthal.h"
#include "geodesy/projectionscylindrical.h"

namespace vexa {

// Polar stereographic plane about one pole: the polar radius is rho = t / K of the
// isometric quantity t. Poles: 1 north, 2 south.
class CPolarStereographicPlane
{
public:
    CPolarStereographicPlane(const CEllipsoidParams& ellipsoid, double k, double longitudeOfOrigin,
                             double easting, double northing);

    void toProjected(CCoords* point, int pole) const;
    void toGeodetic(CCoords* point, int pole) const;

private:
    double m_e;
    double m_k;
    CConformalLatitudeSeries m_conformal;
    double m_longitudeOfOrigin;
    double m_easting;
    double m_northing;
};

// Polar stereographic about the north pole with a scale factor at the pole; the latitude of
// origin is not used, but a southern one is refused at construction with std::logic_error.
class CMapProjectionPolarStereographic : public CMapProjection
{
public:
    CMapProjectionPolarStereographic(const CEllipsoidParams& ellipsoid,
                                     const CMapProjectionPolarStereographicParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CMapProjectionPolarStereographicParams m_params;
    CPolarStereographicPlane m_plane;
};

// Polar stereographic with a scale factor at the pole, either pole.
class CMapProjectionPolarStereographicBasic : public CMapProjection
{
public:
    CMapProjectionPolarStereographicBasic(const CEllipsoidParams& ellipsoid,
                                          const CMapProjectionPolarStereographicBasicParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    // Both throw std::logic_error for a pole flag other than 1 or 2.
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CMapProjectionPolarStereographicBasicParams m_params;
    CPolarStereographicPlane m_plane;
};

// Polar stereographic with a standard parallel; throws std::logic_error at construction
// for a pole flag other than 1 or 2.
class CMapProjectionPolarStereographicNaturalOrigin : public CMapProjection
{
public:
    CMapProjectionPolarStereographicNaturalOrigin(
        const CEllipsoidParams& ellipsoid,
        const CMapProjectionPolarStereographicNaturalOriginParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CMapProjectionPolarStereographicNaturalOriginParams m_params;
    CPolarStereographicPlane m_plane;
};

// Polar stereographic with a standard parallel and a false origin on it; throws
// std::logic_error at construction for a pole flag other than 1 or 2.
class CMapProjectionPolarStereographicFalseOrigin : public CMapProjection
{
public:
    CMapProjectionPolarStereographicFalseOrigin(
        const CEllipsoidParams& ellipsoid,
        const CMapProjectionPolarStereographicFalseOriginParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CMapProjectionPolarStereographicFalseOriginParams m_params;
    CPolarStereographicPlane m_plane;
};

// American polyconic with a scale factor on both offsets from the false origin.
class CMapProjectionPolyconic : public CMapProjection
{
public:
    CMapProjectionPolyconic(const CEllipsoidParams& ellipsoid,
                            const CMapProjectionPolyconicParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    // Meridian arc per unit of a, and its derivative.
    double arc(double phi) const;
    double arcDerivative(double phi) const;

    CMapProjectionPolyconicParams m_params;
    double m_a;
    double m_e2;
    CMeridianArcSeries m_meridian;
    double m_m0;
};

// Quasi-stereographic: a fifth-order double power series about the origin; the inverse is
// refined by Newton steps on the forward.
class CMapProjectionQuasiStereographic : public CMapProjection
{
public:
    CMapProjectionQuasiStereographic(const CEllipsoidParams& ellipsoid,
                                     const CMapProjectionQuasiStereographicParams& params);

    using CMapProjection::GeodeticToProjected;
    using CMapProjection::ProjectedToGeodetic;
    void ProjectedToGeodetic(CCoords* point) const override;
    void GeodeticToProjected(CCoords* point) const override;

private:
    CMapProjectionQuasiStereographicParams m_params;
    CDoublePowerSeries m_easting;   // of the latitude and longitude differences
    CDoublePowerSeries m_northing;  // of the latitude and longitude differences
    CDoublePowerSeries m_latitude;  // of y and x
    CDoublePowerSeries m_longitude; // of y and x
};

} // namespace vexa

#endif
