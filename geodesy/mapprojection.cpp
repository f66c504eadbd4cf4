#include "geodesy/mapprojection.h"

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

std::unique_ptr<CMapProjection> createMapProjection(const CEllipsoidParams& ellipsoid,
                                                    const CMapProjectionParams& params)
{
    (void)ellipsoid;
    switch (params.getType()) {
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
    if (m_direction == DirectionForward) {
        m_projection->ProjectedToGeodetic(point);
        return true;
    }
    if (m_direction == DirectionReverse) {
        m_projection->GeodeticToProjected(point);
        return true;
    }
    return false;
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
