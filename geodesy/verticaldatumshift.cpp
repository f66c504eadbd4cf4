#include "geodesy/verticaldatumshift.h"

#include <cmath>

namespace vexa {

namespace {

constexpr double kAngleTolerance = 1e-12;
constexpr double kOffsetSlopeTolerance = 1e-9;
const char* const kPositionHeightPrefix = "verticaldatumshiftoffsetslope:height:";
const char* const kTargetPosition = "togeodeticcoords";
const char* const kSourcePosition = "fromgeodeticcoords";

bool near(double first, double second, double tolerance)
{
    return std::fabs(first - second) < tolerance;
}

// Shifts a recorded height at a position and makes it the point's height.
bool setShiftedHeight(const CVerticalDatumShift& shift, const CCoords& position, double height,
                      CCoords* point)
{
    CCoords shifted(position.first, position.second, height);
    if (!shift.apply(&shifted))
        return false;
    point->third = shifted.third;
    return true;
}

} // namespace

bool CVerticalDatumShiftParams::sameKind(const CVerticalDatumShiftParams& other) const
{
    return m_type == other.m_type && isForward == other.isForward;
}

bool CVerticalDatumShiftOffsetParams::isEqual(const CVerticalDatumShiftParams& other) const
{
    if (!sameKind(other))
        return false;
    const auto& that = dynamic_cast<const CVerticalDatumShiftOffsetParams&>(other);
    return near(offset, that.offset, kAngleTolerance);
}

bool CVerticalDatumShiftOffsetParams::isValid() const
{
    return isDefined(offset);
}

void CVerticalDatumShiftOffsetParams::clear()
{
    offset = kUndefined;
}

bool CVerticalDatumShiftOffsetParams::isIdentity() const
{
    return std::fabs(offset) < kAngleTolerance;
}

bool CVerticalDatumShiftOffsetSlopeParams::isEqual(const CVerticalDatumShiftParams& other) const
{
    if (!sameKind(other))
        return false;
    const auto& that = dynamic_cast<const CVerticalDatumShiftOffsetSlopeParams&>(other);
    return ellipsoid == that.ellipsoid && near(offset, that.offset, kOffsetSlopeTolerance)
        && near(slopeNorth, that.slopeNorth, kAngleTolerance)
        && near(slopeEast, that.slopeEast, kAngleTolerance)
        && near(lat0, that.lat0, kAngleTolerance) && near(lon0, that.lon0, kAngleTolerance);
}

bool CVerticalDatumShiftOffsetSlopeParams::isValid() const
{
    return isDefined(offset) && isDefined(slopeNorth) && isDefined(slopeEast) && isDefined(lat0)
        && isDefined(lon0);
}

void CVerticalDatumShiftOffsetSlopeParams::clear()
{
    offset = slopeNorth = slopeEast = kUndefined;
    lat0 = lon0 = kUndefined;
    ellipsoid.clear();
}

bool CVerticalDatumShiftOffsetSlopeParams::isIdentity() const
{
    return std::fabs(offset) < kOffsetSlopeTolerance && std::fabs(slopeNorth) < kAngleTolerance
        && std::fabs(slopeEast) < kAngleTolerance;
}

bool CVerticalDatumShiftGridParams::isEqual(const CVerticalDatumShiftParams& other) const
{
    if (!sameKind(other))
        return false;
    const auto& that = dynamic_cast<const CVerticalDatumShiftGridParams&>(other);
    return grid.isEqual(that.grid);
}

bool CVerticalDatumShiftGridParams::isValid() const
{
    return grid.getColumnCount() != 0 && grid.getRowCount() != 0;
}

void CVerticalDatumShiftGridParams::clear()
{
    grid.clear();
}

bool CVerticalDatumShift::apply(const CCoords& in, CCoords* out) const
{
    *out = in;
    return apply(out);
}

void CVerticalDatumShift::correct(CCoords* point, double correction) const
{
    if (m_addsCorrection)
        point->third += correction;
    else
        point->third -= correction;
}

CVerticalDatumShiftOffset::CVerticalDatumShiftOffset(const CVerticalDatumShiftOffsetParams& params)
    : CVerticalDatumShift(VerticalDatumShiftOffset, params.name, !params.isForward),
      m_offset(params.offset)
{
}

bool CVerticalDatumShiftOffset::isEqual(const CVerticalDatumShift& other) const
{
    if (getType() != other.getType())
        return false;
    const auto& that = dynamic_cast<const CVerticalDatumShiftOffset&>(other);
    return near(m_offset, that.m_offset, kAngleTolerance);
}

bool CVerticalDatumShiftOffset::apply(CCoords* point) const
{
    correct(point, m_offset);
    return true;
}

CVerticalDatumShiftOffsetSlope::CVerticalDatumShiftOffsetSlope(
    const CVerticalDatumShiftOffsetSlopeParams& params)
    : CVerticalDatumShift(VerticalDatumShiftOffsetSlope, params.name, !params.isForward),
      m_offset(params.offset), m_slopeNorth(params.slopeNorth), m_slopeEast(params.slopeEast),
      m_lat0(params.lat0), m_lon0(params.lon0)
{
    const CEllipsoid ellipsoid(params.ellipsoid);
    m_m0 = ellipsoid.getMeridianRadius(m_lat0);
    m_n0 = ellipsoid.getPrimeVerticalRadius(m_lat0);
}

bool CVerticalDatumShiftOffsetSlope::isEqual(const CVerticalDatumShift& other) const
{
    if (getType() != other.getType())
        return false;
    const auto& that = dynamic_cast<const CVerticalDatumShiftOffsetSlope&>(other);
    return near(m_offset, that.m_offset, kOffsetSlopeTolerance)
        && near(m_slopeNorth, that.m_slopeNorth, kAngleTolerance)
        && near(m_slopeEast, that.m_slopeEast, kAngleTolerance)
        && isLatitudeNear(m_lat0, that.m_lat0, kAngleTolerance)
        && isLongitudeNear(m_lon0, that.m_lon0, kAngleTolerance)
        && near(m_m0, that.m_m0, kOffsetSlopeTolerance)
        && near(m_n0, that.m_n0, kOffsetSlopeTolerance);
}

bool CVerticalDatumShiftOffsetSlope::apply(CCoords* point) const
{
    double dLat = point->first - m_lat0;
    normalizeLatitude(dLat);
    double dLon = point->second - m_lon0;
    normalizeLongitude(dLon);
    correct(point, m_offset + m_slopeNorth * m_m0 * dLat
                       + m_slopeEast * m_n0 * dLon * std::cos(point->first));
    return true;
}

CVerticalDatumShiftGrid::CVerticalDatumShiftGrid(const CVerticalDatumShiftGridParams& params)
    : CVerticalDatumShift(VerticalDatumShiftGrid, params.name, params.isForward),
      m_grid(params.grid)
{
}

bool CVerticalDatumShiftGrid::isEqual(const CVerticalDatumShift& other) const
{
    if (getType() != other.getType())
        return false;
    const auto& that = dynamic_cast<const CVerticalDatumShiftGrid&>(other);
    return m_grid.isEqual(that.m_grid);
}

bool CVerticalDatumShiftGrid::apply(CCoords* point) const
{
    const double longitude = point->second;
    const double latitude = point->first;
    if (!m_grid.contains(longitude, latitude))
        return false;
    correct(point, m_grid.interpolate(longitude, latitude));
    return true;
}

std::unique_ptr<CVerticalDatumShift>
createVerticalDatumShift(const CVerticalDatumShiftParams& params)
{
    switch (params.getType()) {
    case VerticalDatumShiftOffset:
        return std::make_unique<CVerticalDatumShiftOffset>(
            dynamic_cast<const CVerticalDatumShiftOffsetParams&>(params));
    case VerticalDatumShiftOffsetSlope:
        return std::make_unique<CVerticalDatumShiftOffsetSlope>(
            dynamic_cast<const CVerticalDatumShiftOffsetSlopeParams&>(params));
    case VerticalDatumShiftGrid:
        return std::make_unique<CVerticalDatumShiftGrid>(
            dynamic_cast<const CVerticalDatumShiftGridParams&>(params));
    default:
        return nullptr;
    }
}

CCoordOperationVerticalDatumShiftOffset::CCoordOperationVerticalDatumShiftOffset(
    std::unique_ptr<CVerticalDatumShift> shift, int direction)
    : CCoordOperation(OperationVerticalDatumShift), m_shift(std::move(shift)),
      m_direction(direction)
{
}

bool CCoordOperationVerticalDatumShiftOffset::apply(CCoords* point, CAuxDataSet* aux)
{
    const std::string& key = m_shift->getName();
    if (m_direction == DirectionReverse) {
        aux->add(key, std::make_unique<CAuxDataHeight>(point->third));
        return true;
    }
    if (m_direction != DirectionForward)
        return false;
    const CAuxDataHeight* recorded = aux->getHeight(key);
    if (!recorded)
        return false;
    return setShiftedHeight(*m_shift, *point, recorded->height, point);
}

CCoordOperationVerticalDatumShiftAtPosition::CCoordOperationVerticalDatumShiftAtPosition(
    std::unique_ptr<CVerticalDatumShift> shift, int direction)
    : CCoordOperation(OperationVerticalDatumShift), m_shift(std::move(shift)),
      m_direction(direction)
{
}

bool CCoordOperationVerticalDatumShiftAtPosition::apply(CCoords* point, CAuxDataSet* aux)
{
    const std::string heightKey = kPositionHeightPrefix + m_shift->getName();
    if (m_direction == DirectionReverse) {
        aux->add(heightKey, std::make_unique<CAuxDataHeight>(point->third));
        return true;
    }
    if (m_direction != DirectionForward)
        return false;
    const CAuxDataCoords* position =
        aux->getCoords(m_shift->addsCorrection() ? kTargetPosition : kSourcePosition);
    const CAuxDataHeight* recorded = aux->getHeight(heightKey);
    if (!position || !recorded)
        return false;
    return setShiftedHeight(*m_shift, position->coords, recorded->height, point);
}

} // namespace vexa
