#include "geodesy/mapprojection.h"

#include "geodesy/projectionsazimuthal.h"
#include "geodesy/projectionsconic.h"
#include "geodesy/projectionscylindrical.h"
#include "geodesy/projectionspolar.h"
#include "geodesy/projectionswidezone.h"
#include "geodesy/transversemercator.h"

#include <cmath>
#include <stdexcept>

namespace vexa {

void CMapProjection::ProjectedToGeodetic(const CCoords& in, CCoords* out) const
{
    *out = in;
    ProjectedToGeodetic(out);
}

void CMapProjection::GeodeticToProjected(const CCoords& in, CCoords* out) const
{
    *out = in;
    GeodeticToProjected(out);
}

namespace {

constexpr int kRefinementSteps = 8;
// Step of the difference quotients and the correction that ends the refinement, in radians.
constexpr double kDerivativeStep = 1e-8;
constexpr double kRefinementTolerance = 1e-13;

} // namespace

void CMapProjection::refineInverse(const CCoords& projected, CCoords* geodetic) const
{
    for (int step = 0; step < kRefinementSteps; ++step) {
        CCoords at;
        CCoords north;
        CCoords east;
        GeodeticToProjected(*geodetic, &at);
        GeodeticToProjected(CCoords(geodetic->first + kDerivativeStep, geodetic->second, 0.0), &north);
        GeodeticToProjected(CCoords(geodetic->first, geodetic->second + kDerivativeStep, 0.0), &east);
        const double dEdPhi = (north.first - at.first) / kDerivativeStep;
        const double dNdPhi = (north.second - at.second) / kDerivativeStep;
        const double dEdLambda = (east.first - at.first) / kDerivativeStep;
        const double dNdLambda = (east.second - at.second) / kDerivativeStep;
        const double dE = projected.first - at.first;
        const double dN = projected.second - at.second;
        const double determinant = dEdPhi * dNdLambda - dEdLambda * dNdPhi;
        const double dPhi = (dE * dNdLambda - dEdLambda * dN) / determinant;
        const double dLambda = (dEdPhi * dN - dE * dNdPhi) / determinant;
        geodetic->first += dPhi;
        geodetic->second += dLambda;
        if (!(std::fabs(dPhi) > kRefinementTolerance || std::fabs(dLambda) > kRefinementTolerance))
            return;
    }
}

namespace {

// Throws std::bad_cast when the parameters are not of the projection's class.
template <class Projection, class Params>
std::unique_ptr<CMapProjection> build(const CEllipsoidParams& ellipsoid,
                                      const CMapProjectionParams& params)
{
    return std::make_unique<Projection>(ellipsoid, dynamic_cast<const Params&>(params));
}

} // namespace

std::unique_ptr<CMapProjection> createMapProjection(const CEllipsoidParams& ellipsoid,
                                                    const CMapProjectionParams& params)
{
    switch (params.getType()) {
    case CMapProjectionTransverseMercatorParams::typeCode:
        return build<CMapProjectionTransverseMercator, CMapProjectionTransverseMercatorParams>(
            ellipsoid, params);
    case CMapProjectionObliqueMercatorParams::typeCode:
        return build<CMapProjectionObliqueMercator, CMapProjectionObliqueMercatorParams>(ellipsoid, params);
    case CMapProjectionHotineObliqueMercatorParams::typeCode:
        return build<CMapProjectionHotineObliqueMercator, CMapProjectionHotineObliqueMercatorParams>(
            ellipsoid, params);
    case CMapProjectionAlbersEqualAreaParams::typeCode:
        return build<CMapProjectionAlbersEqualArea, CMapProjectionAlbersEqualAreaParams>(ellipsoid, params);
    case CMapProjectionLambertConformalConic2SPParams::typeCode:
        return build<CMapProjectionLambertConformalConic2SP, CMapProjectionLambertConformalConic2SPParams>(
            ellipsoid, params);
    case CMapProjectionLambertConformalConic1SPParams::typeCode:
        return build<CMapProjectionLambertConformalConic1SP, CMapProjectionLambertConformalConic1SPParams>(
            ellipsoid, params);
    case CMapProjectionCassiniSoldnerParams::typeCode:
        return build<CMapProjectionCassiniSoldner, CMapProjectionCassiniSoldnerParams>(ellipsoid, params);
    case CMapProjectionMercator2SPParams::typeCode:
        return build<CMapProjectionMercator2SP, CMapProjectionMercator2SPParams>(ellipsoid, params);
    case CMapProjectionMercator1SPParams::typeCode:
        return build<CMapProjectionMercator1SP, CMapProjectionMercator1SPParams>(ellipsoid, params);
    case CMapProjectionGaussBoagaParams::typeCode:
        return build<CMapProjectionGaussBoaga, CMapProjectionGaussBoagaParams>(ellipsoid, params);
    case CMapProjectionKrovakParams::typeCode:
        return build<CMapProjectionKrovak, CMapProjectionKrovakParams>(ellipsoid, params);
    case CMapProjectionEquidistantConicParams::typeCode:
        return build<CMapProjectionEquidistantConic, CMapProjectionEquidistantConicParams>(ellipsoid, params);
    case CMapProjectionGaussKrugerWideZoneParams::typeCode:
        return build<CMapProjectionGaussKrugerWideZone, CMapProjectionGaussKrugerWideZoneParams>(
            ellipsoid, params);
    case CMapProjectionTransverseMercatorEquatorialParams::typeCode:
        return build<CMapProjectionTransverseMercatorEquatorial,
                     CMapProjectionTransverseMercatorEquatorialParams>(ellipsoid, params);
    case CMapProjectionLambertConformalConic2SPBelgiumParams::typeCode:
        return build<CMapProjectionLambertConformalConic2SPBelgium,
                     CMapProjectionLambertConformalConic2SPBelgiumParams>(ellipsoid, params);
    case CMapProjectionSphericalMercatorParams::typeCode:
        return build<CMapProjectionSphericalMercator, CMapProjectionSphericalMercatorParams>(ellipsoid,
                                                                                            params);
    case CMapProjectionNZMGParams::typeCode:
        return build<CMapProjectionNZMG, CMapProjectionNZMGParams>(ellipsoid, params);
    case CMapProjectionObliqueStereographicParams::typeCode:
        return build<CMapProjectionObliqueStereographic, CMapProjectionObliqueStereographicParams>(
            ellipsoid, params);
    case CMapProjectionPolarStereographicParams::typeCode:
        return build<CMapProjectionPolarStereographic, CMapProjectionPolarStereographicParams>(
            ellipsoid, params);
    case CMapProjectionQuasiStereographicParams::typeCode:
        return build<CMapProjectionQuasiStereographic, CMapProjectionQuasiStereographicParams>(
            ellipsoid, params);
    case CMapProjectionPolyconicParams::typeCode:
        return build<CMapProjectionPolyconic, CMapProjectionPolyconicParams>(ellipsoid, params);
    case CMapProjectionHattParams::typeCode:
        return build<CMapProjectionHatt, CMapProjectionHattParams>(ellipsoid, params);
    case CMapProjectionPolarStereographicBasicParams::typeCode:
        return build<CMapProjectionPolarStereographicBasic, CMapProjectionPolarStereographicBasicParams>(
            ellipsoid, params);
    case CMapProjectionPolarStereographicNaturalOriginParams::typeCode:
        return build<CMapProjectionPolarStereographicNaturalOrigin,
                     CMapProjectionPolarStereographicNaturalOriginParams>(ellipsoid, params);
    case CMapProjectionPolarStereographicFalseOriginParams::typeCode:
        return build<CMapProjectionPolarStereographicFalseOrigin,
                     CMapProjectionPolarStereographicFalseOriginParams>(ellipsoid, params);
    case CMapProjectionLambertAzimuthalEqualAreaParams::typeCode:
        return build<CMapProjectionLambertAzimuthalEqualArea,
                     CMapProjectionLambertAzimuthalEqualAreaParams>(ellipsoid, params);
    case CMapProjectionOrthographicParams::typeCode:
        return build<CMapProjectionOrthographic, CMapProjectionOrthographicParams>(ellipsoid, params);
    default:
        return nullptr;
    }
}

namespace {

std::unique_ptr<CMapProjection> requireProjection(const CEllipsoidParams& ellipsoid,
                                                  const CMapProjectionParams& params,
                                                  const char* method)
{
    std::unique_ptr<CMapProjection> projection = createMapProjection(ellipsoid, params);
    if (!projection)
        throw std::runtime_error(std::string(method) + ": unknown map projection type "
                                 + std::to_string(params.getType()));
    return projection;
}

} // namespace

CCoordOperationMapProjection::CCoordOperationMapProjection(const CEllipsoidParams& ellipsoid,
                                                           const CMapProjectionParams& params,
                                                           int direction)
    : CCoordOperation(OperationMapProjection),
      m_projection(requireProjection(ellipsoid, params, "CCoordOperationMapProjection")),
      m_direction(direction)
{
}

bool CCoordOperationMapProjection::apply(CCoords* point, CAuxDataSet*)
{
    if (m_direction == DirectionForward)
        return projectedToGeodetic(point);
    if (m_direction == DirectionReverse) {
        m_projection->GeodeticToProjected(point);
        return true;
    }
    return false;
}

// Far outside a projection's domain an inverse gives a position that does not project back to
// the point (a latitude of -90 degrees for any northing beyond the pole, say): that point fails.
bool CCoordOperationMapProjection::projectedToGeodetic(CCoords* point) const
{
    constexpr double tolerance = 0.1; // metres
    const CCoords plane = *point;
    m_projection->ProjectedToGeodetic(point);
    if (!std::isfinite(point->first) || !std::isfinite(point->second) || std::fabs(point->first) > kHalfPi)
        return false;
    CCoords back;
    m_projection->GeodeticToProjected(*point, &back);
    return std::fabs(back.first - plane.first) <= tolerance && std::fabs(back.second - plane.second) <= tolerance;
}

CCoordOperationAuxdatasetGeodeticToMapProjection::CCoordOperationAuxdatasetGeodeticToMapProjection(
    const std::string& name, const CEllipsoidParams& ellipsoid, const CMapProjectionParams& params,
    int direction)
    : CCoordOperation(OperationAuxDatasetGeodeticToMapProjection),
      m_projection(requireProjection(ellipsoid, params,
                                     "CCoordOperationAuxdatasetGeodeticToMapProjection")),
      m_direction(direction),
      m_name(name)
{
}

bool CCoordOperationAuxdatasetGeodeticToMapProjection::apply(CCoords* point, CAuxDataSet* aux)
{
    CCoords converted = *point;
    if (m_direction == DirectionForward)
        m_projection->GeodeticToProjected(&converted);
    else if (m_direction == DirectionReverse)
        m_projection->ProjectedToGeodetic(&converted);
    else
        return false;
    aux->add(m_name, std::make_unique<CAuxDataCoords>(converted));
    return true;
}

} // namespace vexa
