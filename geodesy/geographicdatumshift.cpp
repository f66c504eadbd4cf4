#include "geodesy/geographicdatumshift.h"

#include <cmath>

namespace vexa {

namespace {

constexpr double kAngleTolerance = 1e-12;
constexpr double kLengthTolerance = 1e-7;
constexpr double kArcSecond = 4.84813681109536e-06;

bool nearLength(double first, double second)
{
    return std::fabs(first - second) < kLengthTolerance;
}

bool nearRatio(double first, double second)
{
    return std::fabs(first - second) < kAngleTolerance;
}

bool allDefined(std::initializer_list<double> values)
{
    for (double value : values) {
        if (!isDefined(value))
            return false;
    }
    return true;
}

double flatteningOf(const CEllipsoidParams& ellipsoid)
{
    return 1.0 / ellipsoid.getInverseFlattening();
}

using ShiftSlot = bool (CGeographicDatumShift::*)(double*) const;

constexpr ShiftSlot kForwardSlot = &CGeographicDatumShift::forwardShift;
constexpr ShiftSlot kReverseSlot = &CGeographicDatumShift::reverseShift;

// Runs one slot of a shift on a point; the point stays when the shift fails.
bool shiftPoint(const CGeographicDatumShift& shift, ShiftSlot slot, CCoords* point)
{
    double values[3] = {point->first, point->second, point->third};
    if (!(shift.*slot)(values))
        return false;
    *point = CCoords(values[0], values[1], values[2]);
    return true;
}

using GridSlot = bool (CNTv2GridFile::*)(double&, double&) const;

bool shiftThroughGrid(const CNTv2GridFile& gridFile, GridSlot slot, double point[3])
{
    const double unit = gridFile.angleUnit();
    double latitude = point[0] / unit;
    double longitude = point[1] / unit;
    if (!(gridFile.*slot)(latitude, longitude))
        return false;
    point[0] = latitude * unit;
    point[1] = longitude * unit;
    return true;
}

} // namespace

bool CGeographicDatumShiftParams::sameKind(const CGeographicDatumShiftParams& other) const
{
    return m_type == other.m_type && isForward == other.isForward;
}

bool CGeographicDatumShiftOffset2DParams::isEqual(const CGeographicDatumShiftParams& other) const
{
    if (!sameKind(other))
        return false;
    const auto& that = dynamic_cast<const CGeographicDatumShiftOffset2DParams&>(other);
    return isLatitudeNear(dLat, that.dLat, kAngleTolerance)
        && isLongitudeNear(dLon, that.dLon, kAngleTolerance);
}

bool CGeographicDatumShiftOffset2DParams::isValid() const
{
    return allDefined({dLat, dLon});
}

void CGeographicDatumShiftOffset2DParams::clear()
{
    dLat = kUndefined;
    dLon = kUndefined;
}

bool CGeographicDatumShiftOffset2DParams::isIdentity() const
{
    return std::fabs(dLat) < kAngleTolerance && std::fabs(dLon) < kAngleTolerance;
}

bool CGeographicDatumShiftOffset3DParams::isEqual(const CGeographicDatumShiftParams& other) const
{
    if (!sameKind(other))
        return false;
    const auto& that = dynamic_cast<const CGeographicDatumShiftOffset3DParams&>(other);
    return isLatitudeNear(dLat, that.dLat, kAngleTolerance)
        && isLongitudeNear(dLon, that.dLon, kAngleTolerance) && nearLength(dH, that.dH);
}

bool CGeographicDatumShiftOffset3DParams::isValid() const
{
    return allDefined({dLat, dLon, dH});
}

void CGeographicDatumShiftOffset3DParams::clear()
{
    dLat = kUndefined;
    dLon = kUndefined;
    dH = kUndefined;
}

bool CGeographicDatumShiftOffset3DParams::isIdentity() const
{
    return std::fabs(dLat) < kAngleTolerance && std::fabs(dLon) < kAngleTolerance
        && std::fabs(dH) < kLengthTolerance;
}

bool CGeographicDatumShiftAbridgedMolodenskyParams::isEqual(
    const CGeographicDatumShiftParams& other) const
{
    if (!sameKind(other))
        return false;
    const auto& that = dynamic_cast<const CGeographicDatumShiftAbridgedMolodenskyParams&>(other);
    return nearLength(tx, that.tx) && nearLength(ty, that.ty) && nearLength(tz, that.tz);
}

bool CGeographicDatumShiftAbridgedMolodenskyParams::isValid() const
{
    return allDefined({tx, ty, tz});
}

void CGeographicDatumShiftAbridgedMolodenskyParams::clear()
{
    tx = kUndefined;
    ty = kUndefined;
    tz = kUndefined;
}

bool CGeographicDatumShiftAbridgedMolodenskyParams::isIdentity() const
{
    return nearLength(tx, 0.0) && nearLength(ty, 0.0) && nearLength(tz, 0.0);
}

bool CGeographicDatumShiftStandardMolodenskyParams::isEqual(
    const CGeographicDatumShiftParams& other) const
{
    if (!sameKind(other))
        return false;
    const auto& that = dynamic_cast<const CGeographicDatumShiftStandardMolodenskyParams&>(other);
    return nearRatio(rx, that.rx) && nearRatio(ry, that.ry) && nearRatio(rz, that.rz)
        && nearRatio(m, that.m) && nearLength(tx, that.tx) && nearLength(ty, that.ty)
        && nearLength(tz, that.tz);
}

bool CGeographicDatumShiftStandardMolodenskyParams::isValid() const
{
    return CGeographicDatumShiftParams::isValid() && allDefined({tx, ty, tz, rx, ry, rz, m});
}

void CGeographicDatumShiftStandardMolodenskyParams::clear()
{
    CGeographicDatumShiftParams::clear();
    tx = ty = tz = kUndefined;
    rx = ry = rz = kUndefined;
    m = kUndefined;
}

bool CGeographicDatumShiftStandardMolodenskyParams::isIdentity() const
{
    return isRotationFree() && nearLength(tx, 0.0) && nearLength(ty, 0.0) && nearLength(tz, 0.0);
}

bool CGeographicDatumShiftStandardMolodenskyParams::isRotationFree() const
{
    return nearRatio(rx, 0.0) && nearRatio(ry, 0.0) && nearRatio(rz, 0.0) && nearRatio(m, 0.0);
}

void CGeographicDatumShiftStandardMolodenskyParams::negateRotations()
{
    rx = -rx;
    ry = -ry;
    rz = -rz;
}

bool CGeographicDatumShiftNTv2Params::isEqual(const CGeographicDatumShiftParams& other) const
{
    if (!sameKind(other))
        return false;
    (void)dynamic_cast<const CGeographicDatumShiftNTv2Params&>(other);
    return false;
}

bool CGeographicDatumShiftNTv2Params::isValid() const
{
    return CGeographicDatumShiftParams::isValid() && gridFile.isValid();
}

void CGeographicDatumShiftNTv2Params::clear()
{
    CGeographicDatumShiftParams::clear();
    gridFile.clear();
}

bool CGeographicDatumShift::forwardShift(const CCoords& in, CCoords* out) const
{
    *out = in;
    return shiftPoint(*this, kForwardSlot, out);
}

bool CGeographicDatumShift::reverseShift(const CCoords& in, CCoords* out) const
{
    *out = in;
    return shiftPoint(*this, kReverseSlot, out);
}

CGeographicDatumShiftOffset2D::CGeographicDatumShiftOffset2D(
    const CGeographicDatumShiftOffset2DParams& params)
    : CGeographicDatumShift(GeographicDatumShiftOffset2D), m_dLat(params.dLat), m_dLon(params.dLon)
{
}

bool CGeographicDatumShiftOffset2D::isEqual(const CGeographicDatumShift& other) const
{
    if (getType() != other.getType())
        return false;
    const auto& that = dynamic_cast<const CGeographicDatumShiftOffset2D&>(other);
    return isLatitudeNear(m_dLat, that.m_dLat, kAngleTolerance)
        && isLongitudeNear(m_dLon, that.m_dLon, kAngleTolerance);
}

bool CGeographicDatumShiftOffset2D::forwardShift(double point[3]) const
{
    point[0] -= m_dLat;
    point[1] -= m_dLon;
    return true;
}

bool CGeographicDatumShiftOffset2D::reverseShift(double point[3]) const
{
    point[0] += m_dLat;
    point[1] += m_dLon;
    return true;
}

CGeographicDatumShiftOffset3D::CGeographicDatumShiftOffset3D(
    const CGeographicDatumShiftOffset3DParams& params)
    : CGeographicDatumShift(GeographicDatumShiftOffset3D), m_dLat(params.dLat),
      m_dLon(params.dLon), m_dH(params.dH)
{
}

bool CGeographicDatumShiftOffset3D::isEqual(const CGeographicDatumShift& other) const
{
    if (getType() != other.getType())
        return false;
    const auto& that = dynamic_cast<const CGeographicDatumShiftOffset3D&>(other);
    return isLatitudeNear(m_dLat, that.m_dLat, kAngleTolerance)
        && isLongitudeNear(m_dLon, that.m_dLon, kAngleTolerance) && nearLength(m_dH, that.m_dH);
}

bool CGeographicDatumShiftOffset3D::forwardShift(double point[3]) const
{
    point[0] -= m_dLat;
    point[1] -= m_dLon;
    point[2] -= m_dH;
    return true;
}

bool CGeographicDatumShiftOffset3D::reverseShift(double point[3]) const
{
    point[0] += m_dLat;
    point[1] += m_dLon;
    point[2] += m_dH;
    return true;
}

CGeographicDatumShiftAbridgedMolodensky::CGeographicDatumShiftAbridgedMolodensky(
    const CGeographicDatumShiftAbridgedMolodenskyParams& params, const CEllipsoidParams& source,
    const CEllipsoidParams& target)
    : CGeographicDatumShift(GeographicDatumShiftAbridgedMolodensky), m_tx(params.tx),
      m_ty(params.ty), m_tz(params.tz), m_source(source), m_da(target.a - source.a),
      m_df(flatteningOf(target) - flatteningOf(source)),
      m_flatteningTerm(source.a * m_df + m_da * flatteningOf(source))
{
}

bool CGeographicDatumShiftAbridgedMolodensky::isEqual(const CGeographicDatumShift& other) const
{
    if (getType() != other.getType())
        return false;
    const auto& that = dynamic_cast<const CGeographicDatumShiftAbridgedMolodensky&>(other);
    return nearLength(m_tx, that.m_tx) && nearLength(m_ty, that.m_ty)
        && nearLength(m_tz, that.m_tz) && nearLength(m_da, that.m_da)
        && nearLength(m_df, that.m_df);
}

void CGeographicDatumShiftAbridgedMolodensky::deltas(const double point[3], double delta[3]) const
{
    const double sinPhi = std::sin(point[0]);
    const double cosPhi = std::cos(point[0]);
    const double sinLambda = std::sin(point[1]);
    const double cosLambda = std::cos(point[1]);
    const double m = m_source.getMeridianRadius(point[0]);
    const double n = m_source.getPrimeVerticalRadius(point[0]);

    delta[0] = (-m_tx * sinPhi * cosLambda - m_ty * sinPhi * sinLambda + m_tz * cosPhi
                + 2.0 * sinPhi * cosPhi * m_flatteningTerm)
        / (m * m_sinOneSecond) * kArcSecond;
    delta[1] = (-m_tx * sinLambda + m_ty * cosLambda) / (n * cosPhi * m_sinOneSecond) * kArcSecond;
    delta[2] = m_tx * cosPhi * cosLambda + m_ty * cosPhi * sinLambda + m_tz * sinPhi
        + m_flatteningTerm * sinPhi * sinPhi - m_da;
}

bool CGeographicDatumShiftAbridgedMolodensky::forwardShift(double point[3]) const
{
    shiftAtPoint(point, 1.0);
    return true;
}

bool CGeographicDatumShiftAbridgedMolodensky::reverseShift(double point[3]) const
{
    shiftAtPoint(point, -1.0);
    return true;
}

void CGeographicDatumShiftAbridgedMolodensky::shiftAtPoint(double point[3], double sign) const
{
    double delta[3];
    deltas(point, delta);
    for (int k = 0; k < 3; ++k)
        point[k] += sign * delta[k];
}

CGeographicDatumShiftStandardMolodensky::CGeographicDatumShiftStandardMolodensky(
    const CGeographicDatumShiftStandardMolodenskyParams& params, const CEllipsoidParams& source,
    const CEllipsoidParams& target)
    : CGeographicDatumShift(GeographicDatumShiftStandardMolodensky), m_tx(params.tx),
      m_ty(params.ty), m_tz(params.tz), m_rx(params.rx), m_ry(params.ry), m_rz(params.rz),
      m_m(params.m), m_da(target.a - source.a),
      m_de2(target.getEccentricitySquared() - source.getEccentricitySquared()),
      m_aMean((source.a + target.a) / 2.0),
      m_e2Mean((source.getEccentricitySquared() + target.getEccentricitySquared()) / 2.0)
{
    CEllipsoidParams mean;
    mean.setEccentricitySquared(m_aMean, m_e2Mean);
    m_mean.setParams(mean);
}

bool CGeographicDatumShiftStandardMolodensky::isEqual(const CGeographicDatumShift& other) const
{
    if (getType() != other.getType())
        return false;
    const auto& that = dynamic_cast<const CGeographicDatumShiftStandardMolodensky&>(other);
    return nearLength(m_tx, that.m_tx) && nearLength(m_ty, that.m_ty)
        && nearLength(m_tz, that.m_tz) && nearRatio(m_rx, that.m_rx)
        && nearRatio(m_ry, that.m_ry) && nearRatio(m_rz, that.m_rz) && nearRatio(m_m, that.m_m)
        && nearLength(m_da, that.m_da) && nearRatio(m_de2, that.m_de2);
}

void CGeographicDatumShiftStandardMolodensky::deltas(const double point[3], double delta[3]) const
{
    const double phi = point[0];
    const double h = point[2];
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double sinLambda = std::sin(point[1]);
    const double cosLambda = std::cos(point[1]);
    const double m = m_mean.getMeridianRadius(phi);
    const double n = m_mean.getPrimeVerticalRadius(phi);
    const double e2 = m_e2Mean;
    const double w = n / m_aMean;
    const double radial = m_tx * cosLambda + m_ty * sinLambda;

    delta[0] = (m_tz * cosPhi - radial * sinPhi + e2 * w * sinPhi * cosPhi * m_da
                + 0.5 * (w * w + 1.0) * n * sinPhi * cosPhi * m_de2)
            / (m + h)
        + (1.0 + e2 * (cosPhi * cosPhi - sinPhi * sinPhi)) * (m_ry * cosLambda - m_rx * sinLambda)
        - e2 * m_m * sinPhi * cosPhi;
    delta[1] = (m_ty * cosLambda - m_tx * sinLambda) / ((n + h) * cosPhi)
        + (1.0 - e2) * std::tan(phi) * (m_rx * cosLambda + m_ry * sinLambda) - m_rz;
    delta[2] = radial * cosPhi + m_tz * sinPhi + 0.5 * n * sinPhi * sinPhi * m_de2 - m_da / w
        - e2 * n * sinPhi * cosPhi * (m_rx * sinLambda - m_ry * cosLambda)
        + (m_aMean / w + h) * m_m;
}

void CGeographicDatumShiftStandardMolodensky::shiftByMidpoint(double point[3], double sign) const
{
    double first[3];
    deltas(point, first);
    double midpoint[3];
    for (int k = 0; k < 3; ++k)
        midpoint[k] = point[k] + sign * first[k] / 2.0;
    double second[3];
    deltas(midpoint, second);
    for (int k = 0; k < 3; ++k)
        point[k] += sign * second[k];
}

bool CGeographicDatumShiftStandardMolodensky::forwardShift(double point[3]) const
{
    shiftByMidpoint(point, 1.0);
    return true;
}

bool CGeographicDatumShiftStandardMolodensky::reverseShift(double point[3]) const
{
    shiftByMidpoint(point, -1.0);
    return true;
}

CGeographicDatumShiftNTv2::CGeographicDatumShiftNTv2(const CGeographicDatumShiftNTv2Params& params)
    : CGeographicDatumShift(GeographicDatumShiftNTv2), m_gridFile(params.gridFile)
{
}

bool CGeographicDatumShiftNTv2::isEqual(const CGeographicDatumShift& other) const
{
    if (getType() != other.getType())
        return false;
    (void)dynamic_cast<const CGeographicDatumShiftNTv2&>(other);
    return false;
}

bool CGeographicDatumShiftNTv2::forwardShift(double point[3]) const
{
    return shiftThroughGrid(m_gridFile, &CNTv2GridFile::forward, point);
}

bool CGeographicDatumShiftNTv2::reverseShift(double point[3]) const
{
    return shiftThroughGrid(m_gridFile, &CNTv2GridFile::reverse, point);
}

std::unique_ptr<CGeographicDatumShift> createGeographicDatumShift(
    const CGeographicDatumShiftParams& params, const CEllipsoidParams& source,
    const CGeographicDatumShiftParams& /*counterpart*/, const CEllipsoidParams& target)
{
    switch (params.getType()) {
    case GeographicDatumShiftOffset2D:
        return std::make_unique<CGeographicDatumShiftOffset2D>(
            dynamic_cast<const CGeographicDatumShiftOffset2DParams&>(params));
    case GeographicDatumShiftOffset3D:
        return std::make_unique<CGeographicDatumShiftOffset3D>(
            dynamic_cast<const CGeographicDatumShiftOffset3DParams&>(params));
    case GeographicDatumShiftAbridgedMolodensky:
        return std::make_unique<CGeographicDatumShiftAbridgedMolodensky>(
            dynamic_cast<const CGeographicDatumShiftAbridgedMolodenskyParams&>(params), source,
            target);
    case GeographicDatumShiftStandardMolodensky:
        return std::make_unique<CGeographicDatumShiftStandardMolodensky>(
            dynamic_cast<const CGeographicDatumShiftStandardMolodenskyParams&>(params), source,
            target);
    case GeographicDatumShiftNTv2:
        return std::make_unique<CGeographicDatumShiftNTv2>(
            dynamic_cast<const CGeographicDatumShiftNTv2Params&>(params));
    default:
        return nullptr;
    }
}

CCoordOperationGeographicDatumShift::CCoordOperationGeographicDatumShift(
    std::unique_ptr<CGeographicDatumShift> shift, int direction)
    : CCoordOperation(OperationGeographicDatumShift), m_shift(std::move(shift)),
      m_direction(direction)
{
}

bool CCoordOperationGeographicDatumShift::apply(CCoords* point, CAuxDataSet*)
{
    if (m_direction == DirectionForward)
        return shiftPoint(*m_shift, kForwardSlot, point);
    if (m_direction == DirectionReverse)
        return shiftPoint(*m_shift, kReverseSlot, point);
    return false;
}

} // namespace vexa
