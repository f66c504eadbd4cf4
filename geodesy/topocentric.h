#ifndef VEXA_TOPOCENTRIC_H
#define VEXA_TOPOCENTRIC_H

#include "geodesy/coordoperation.h"
#include "geodesy/ellipsoid.h"

#include <memory>
#include <string>

namespace vexa {

class CTransformAffine3DParams;

// Origin (latitude, longitude in radians, ellipsoidal height) and the azimuth of
// the local y axis, clockwise from north, of a topocentric system.
class CLSRParams
{
public:
    bool isEqual(const CLSRParams& other) const;
    bool isValid() const;
    void clear();

    CCoords origin;
    double azimuth = kUndefined;
};

// Right-handed local frame: z up along the ellipsoid normal at the origin, y at
// the azimuth. The columns of M are the local axes in geocentric coordinates.
struct CLsrFrame
{
    CLsrFrame(const CEllipsoidParams& ellipsoid, const CLSRParams& lsr);

    void localToGeocentric(const CCoords& in, CCoords* out) const;
    void geocentricToLocal(const CCoords& in, CCoords* out) const;
    void getLocalToGeocentricParams(CTransformAffine3DParams* out) const;
    void getGeocentricToLocalParams(CTransformAffine3DParams* out) const;

    double X0;
    double Y0;
    double Z0;
    double t1;
    double t2;
    double t3;
    double M[9];
};

// Type 4: direction 1 geocentric to topocentric, 2 topocentric to geocentric.
class CCoordOperationGeocentricToLsr : public CCoordOperation
{
public:
    CCoordOperationGeocentricToLsr(const CEllipsoidParams& ellipsoid, const CLSRParams& lsr,
                                   int direction);

    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    std::unique_ptr<CLsrFrame> m_frame;
    int m_direction;
};

// Type 13: stores under a name the geodetic position of a topocentric point
// (direction 1) or the topocentric position of a geodetic point (direction 2);
// the point stays.
class CCoordOperationAuxdatasetLsrToGeodetic : public CCoordOperation
{
public:
    CCoordOperationAuxdatasetLsrToGeodetic(const std::string& name,
                                           const CEllipsoidParams& ellipsoid,
                                           const CLSRParams& lsr, int direction);

    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    CEllipsoid m_ellipsoid;
    int m_direction;
    std::string m_name;
    std::unique_ptr<CLsrFrame> m_frame;
};

} // namespace vexa

#endif
