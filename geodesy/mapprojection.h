#ifndef VEXA_MAPPROJECTION_H
#define VEXA_MAPPROJECTION_H

#include "geodesy/coordoperation.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/mapprojectionparams.h"

#include <memory>
#include <string>

namespace vexa {

// A map projection; constants are computed once by the constructor of each subclass.
class CMapProjection
{
public:
    CMapProjection(const CMapProjection&) = default;
    CMapProjection& operator=(const CMapProjection&) = delete;
    virtual ~CMapProjection() = default;

    // Easting, northing -> latitude, longitude; the third component stays.
    virtual void ProjectedToGeodetic(CCoords* point) const = 0;
    // Latitude, longitude -> easting, northing; the third component stays.
    virtual void GeodeticToProjected(CCoords* point) const = 0;

    int getType() const { return m_type; }
    void ProjectedToGeodetic(const CCoords& in, CCoords* out) const;
    void GeodeticToProjected(const CCoords& in, CCoords* out) const;

protected:
    explicit CMapProjection(int type) : m_type(type) {}

    // Newton steps on the forward from an approximate inverse, so that the inverse undoes
    // the forward; the latitude and longitude of geodetic are refined in place.
    void refineInverse(const CCoords& projected, CCoords* geodetic) const;

private:
    int m_type;
};

// Builds the projection of the parameters' type code; null for a code it does not know.
// Throws std::bad_cast when the parameters' class does not belong to their code.
std::unique_ptr<CMapProjection> createMapProjection(const CEllipsoidParams& ellipsoid,
                                                    const CMapProjectionParams& params);

// Type 3: direction 1 projected to geodetic, 2 geodetic to projected.
class CCoordOperationMapProjection : public CCoordOperation
{
public:
    // Throws std::runtime_error when no projection is known for the parameters.
    CCoordOperationMapProjection(const CEllipsoidParams& ellipsoid,
                                 const CMapProjectionParams& params, int direction);

    // False for a plane point outside the projection's domain.
    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    bool projectedToGeodetic(CCoords* point) const;

    std::unique_ptr<CMapProjection> m_projection;
    int m_direction;
};

// Type 12: stores the converted copy of the point under a name (direction 1 geodetic to
// projected, 2 projected to geodetic); the point stays.
class CCoordOperationAuxdatasetGeodeticToMapProjection : public CCoordOperation
{
public:
    // Throws std::runtime_error when no projection is known for the parameters.
    CCoordOperationAuxdatasetGeodeticToMapProjection(const std::string& name,
                                                     const CEllipsoidParams& ellipsoid,
                                                     const CMapProjectionParams& params,
                                                     int direction);

    // False for a plane point outside the projection's domain.
    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    bool projectedToGeodetic(CCoords* point) const;

    std::unique_ptr<CMapProjection> m_projection;
    int m_direction;
    std::string m_name;
};

} // namespace vexa

#endif
