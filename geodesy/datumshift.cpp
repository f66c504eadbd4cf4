#include "geodesy/datumshift.h"

#include "geodesy/transform.h"

#include <cmath>
#include <typeinfo>

namespace vexa {

namespace {

const double angleTolerance = 1e-12;
const double lengthTolerance = 1e-7;

bool isSmall(double value, double tolerance)
{
    return std::fabs(value) < tolerance;
}

} // namespace

bool CDatumShiftBursaWolfParams::isEqual(const CDatumShiftParams& other) const
{
    if (type != other.getType() || isDisabled != other.isDisabled || isForward != other.isForward)
        return false;
    const auto& o = dynamic_cast<const CDatumShiftBursaWolfParams&>(other);
    return isSmall(rx - o.rx, angleTolerance) && isSmall(ry - o.ry, angleTolerance)
           && isSmall(rz - o.rz, angleTolerance) && isSmall(m - o.m, angleTolerance)
           && isSmall(tx - o.tx, lengthTolerance) && isSmall(ty - o.ty, lengthTolerance)
           && isSmall(tz - o.tz, lengthTolerance);
}

bool CDatumShiftBursaWolfParams::isIdentity() const
{
    return isRotationFree() && isSmall(tx, lengthTolerance) && isSmall(ty, lengthTolerance)
           && isSmall(tz, lengthTolerance);
}

std::unique_ptr<CTransformAffine3D> CDatumShiftBursaWolfParams::createTransform() const
{
    return std::make_unique<CTransformAffine3D>(*this);
}

void CDatumShiftBursaWolfParams::setZero()
{
    tx = ty = tz = rx = ry = rz = m = 0.0;
}

bool CDatumShiftBursaWolfParams::isRotationFree() const
{
    return isSmall(rx, angleTolerance) && isSmall(ry, angleTolerance)
           && isSmall(rz, angleTolerance) && isSmall(m, angleTolerance);
}

void CDatumShiftBursaWolfParams::negateRotations()
{
    rx = -rx;
    ry = -ry;
    rz = -rz;
}

CDatumShift::CDatumShift(const CDatumShiftParams& params)
    : m_type(params.getType()), m_disabled(params.isDisabled), m_forward(params.isForward)
{
}

void CDatumShift::forwardShift(const CCoords& in, CCoords* out) const
{
    double point[3] = {in.first, in.second, in.third};
    forwardShift(point);
    *out = CCoords(point[0], point[1], point[2]);
}

void CDatumShift::reverseShift(const CCoords& in, CCoords* out) const
{
    double point[3] = {in.first, in.second, in.third};
    reverseShift(point);
    *out = CCoords(point[0], point[1], point[2]);
}

CDatumShiftBursaWolf::CDatumShiftBursaWolf(const CDatumShiftBursaWolfParams& params)
    : CDatumShift(params),
      m_tx(params.tx),
      m_ty(params.ty),
      m_tz(params.tz),
      m_rx(params.rx),
      m_ry(params.ry),
      m_rz(params.rz),
      m_s(params.m + 1.0),
      m_translationOnly(m_rx == 0.0 && m_ry == 0.0 && m_rz == 0.0 && m_s == 1.0)
{
}

bool CDatumShiftBursaWolf::isEqual(const CDatumShift& other) const
{
    if (getType() != other.getType())
        return false;
    const auto& o = dynamic_cast<const CDatumShiftBursaWolf&>(other);
    return m_rx == o.m_rx && m_ry == o.m_ry && m_rz == o.m_rz && m_s == o.m_s && m_tx == o.m_tx
           && m_ty == o.m_ty && m_tz == o.m_tz;
}

void CDatumShiftBursaWolf::forwardShift(double point[3]) const
{
    const double x = point[0];
    const double y = point[1];
    const double z = point[2];
    if (m_translationOnly) {
        point[0] = x + m_tx;
        point[1] = y + m_ty;
        point[2] = z + m_tz;
        return;
    }
    point[0] = m_tx + m_s * (x - m_rz * y + m_ry * z);
    point[1] = m_ty + m_s * (m_rz * x + y - m_rx * z);
    point[2] = m_tz + m_s * (-m_ry * x + m_rx * y + z);
}

void CDatumShiftBursaWolf::reverseShift(double point[3]) const
{
    const double dx = point[0] - m_tx;
    const double dy = point[1] - m_ty;
    const double dz = point[2] - m_tz;
    if (m_translationOnly) {
        point[0] = dx;
        point[1] = dy;
        point[2] = dz;
        return;
    }
    const double u = dx / m_s;
    const double v = dy / m_s;
    const double w = dz / m_s;
    point[0] = u + m_rz * v - m_ry * w;
    point[1] = -m_rz * u + v + m_rx * w;
    point[2] = m_ry * u - m_rx * v + w;
}

std::unique_ptr<CDatumShift> createDatumShift(const CDatumShiftParams& params)
{
    if (params.getType() != DatumShiftBursaWolf)
        return nullptr;
    return std::make_unique<CDatumShiftBursaWolf>(
        dynamic_cast<const CDatumShiftBursaWolfParams&>(params));
}

CCoordOperationDatumShift::CCoordOperationDatumShift(const CDatumShiftParams& params,
                                                     int direction)
    : CCoordOperationDatumShift(createDatumShift(params), direction)
{
}

CCoordOperationDatumShift::CCoordOperationDatumShift(std::unique_ptr<CDatumShift> shift,
                                                     int direction)
    : CCoordOperation(OperationDatumShift), m_shift(std::move(shift)), m_direction(direction)
{
}

bool CCoordOperationDatumShift::apply(CCoords* point, CAuxDataSet*)
{
    if (!m_shift || (m_direction != DirectionForward && m_direction != DirectionReverse))
        return false;
    if ((m_direction == DirectionForward) == m_shift->isForward())
        m_shift->forwardShift(*point, point);
    else
        m_shift->reverseShift(*point, point);
    return true;
}

} // namespace vexa
