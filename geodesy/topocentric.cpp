#include "geodesy/topocentric.h"

#include "geodesy/transform.h"

#include <cmath>

namespace vexa {

namespace {

void writeAffine(const double matrix[9], double t1, double t2, double t3,
                 CTransformAffine3DParams* out)
{
    out->m11 = matrix[0];
    out->m12 = matrix[1];
    out->m13 = matrix[2];
    out->m21 = matrix[3];
    out->m22 = matrix[4];
    out->m23 = matrix[5];
    out->m31 = matrix[6];
    out->m32 = matrix[7];
    out->m33 = matrix[8];
    out->t1 = t1;
    out->t2 = t2;
    out->t3 = t3;
}

} // namespace

bool CLSRParams::isEqual(const CLSRParams& other) const
{
    return origin == other.origin && azimuth == other.azimuth;
}

bool CLSRParams::isValid() const
{
    return isDefined(origin.first) && isDefined(origin.second) && isDefined(origin.third)
           && isDefined(azimuth);
}

void CLSRParams::clear()
{
    origin = CCoords();
    azimuth = kUndefined;
}

CLsrFrame::CLsrFrame(const CEllipsoidParams& ellipsoid, const CLSRParams& lsr)
{
    const CEllipsoid geometry(ellipsoid);
    const double phi = lsr.origin.first;
    const double lambda = lsr.origin.second;
    const double h = lsr.origin.third;
    const double e2 = geometry.getEccentricitySquared();
    const double N = geometry.getPrimeVerticalRadius(phi);
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double sinLambda = std::sin(lambda);
    const double cosLambda = std::cos(lambda);

    X0 = (N + h) * cosPhi * cosLambda;
    Y0 = (N + h) * cosPhi * sinLambda;
    Z0 = (N + h) * sinPhi - N * e2 * sinPhi;

    const double s = std::sin(-lsr.azimuth);
    const double c = std::cos(lsr.azimuth);
    M[0] = -sinPhi * cosLambda * s - sinLambda * c;
    M[1] = -sinPhi * cosLambda * c + sinLambda * s;
    M[2] = cosPhi * cosLambda;
    M[3] = -sinPhi * sinLambda * s + cosLambda * c;
    M[4] = -sinPhi * sinLambda * c - cosLambda * s;
    M[5] = cosPhi * sinLambda;
    M[6] = cosPhi * s;
    M[7] = cosPhi * c;
    M[8] = sinPhi;

    t1 = s * N * e2 * sinPhi * cosPhi;
    t2 = c * N * e2 * sinPhi * cosPhi;
    t3 = N * e2 * sinPhi * sinPhi - N - h;
}

void CLsrFrame::localToGeocentric(const CCoords& in, CCoords* out) const
{
    *out = CCoords(M[0] * in.first + M[1] * in.second + M[2] * in.third + X0,
                   M[3] * in.first + M[4] * in.second + M[5] * in.third + Y0,
                   M[6] * in.first + M[7] * in.second + M[8] * in.third + Z0);
}

void CLsrFrame::geocentricToLocal(const CCoords& in, CCoords* out) const
{
    *out = CCoords(M[0] * in.first + M[3] * in.second + M[6] * in.third + t1,
                   M[1] * in.first + M[4] * in.second + M[7] * in.third + t2,
                   M[2] * in.first + M[5] * in.second + M[8] * in.third + t3);
}

void CLsrFrame::getLocalToGeocentricParams(CTransformAffine3DParams* out) const
{
    writeAffine(M, X0, Y0, Z0, out);
}

void CLsrFrame::getGeocentricToLocalParams(CTransformAffine3DParams* out) const
{
    const double transposed[9] = {M[0], M[3], M[6], M[1], M[4], M[7], M[2], M[5], M[8]};
    writeAffine(transposed, t1, t2, t3, out);
}

CCoordOperationGeocentricToLsr::CCoordOperationGeocentricToLsr(const CEllipsoidParams& ellipsoid,
                                                               const CLSRParams& lsr,
                                                               int direction)
    : CCoordOperation(OperationGeocentricToLsr),
      m_frame(std::make_unique<CLsrFrame>(ellipsoid, lsr)),
      m_direction(direction)
{
}

bool CCoordOperationGeocentricToLsr::apply(CCoords* point, CAuxDataSet*)
{
    const CCoords copy = *point;
    if (m_direction == DirectionForward) {
        m_frame->geocentricToLocal(copy, point);
        return true;
    }
    if (m_direction == DirectionReverse) {
        m_frame->localToGeocentric(copy, point);
        return true;
    }
    return false;
}

CCoordOperationAuxdatasetLsrToGeodetic::CCoordOperationAuxdatasetLsrToGeodetic(
    const std::string& name, const CEllipsoidParams& ellipsoid, const CLSRParams& lsr,
    int direction)
    : CCoordOperation(OperationAuxDatasetLsrToGeodetic),
      m_ellipsoid(ellipsoid),
      m_direction(direction),
      m_name(name),
      m_frame(std::make_unique<CLsrFrame>(ellipsoid, lsr))
{
}

bool CCoordOperationAuxdatasetLsrToGeodetic::apply(CCoords* point, CAuxDataSet* aux)
{
    CCoords result;
    if (m_direction == DirectionForward) {
        m_frame->localToGeocentric(*point, &result);
        m_ellipsoid.CartesianToEllipsoidal(result, &result);
    } else if (m_direction == DirectionReverse) {
        CCoords geocentric;
        m_ellipsoid.EllipsoidalToCartesian(*point, &geocentric);
        m_frame->geocentricToLocal(geocentric, &result);
    } else {
        return false;
    }
    aux->add(m_name, std::make_unique<CAuxDataCoords>(result));
    return true;
}

} // namespace vexa
