#include "geodesy/geoid.h"

#include "geodesy/coordoperator.h"
#include "geodesy/coordsysparams.h"

#include <cfloat>
#include <cmath>
#include <stdexcept>
#include <string>

namespace vexa {

namespace {

const double settleTolerance = 0.001;
const int maxPasses = 100;
// Relative to a quarter turn: a latitude this close to 90 degrees is on the pole.
const double kPoleTolerance = 1e-12;

} // namespace

bool isGeoidHeight(double value, double heightScale)
{
    const double magnitude = std::fabs(value);
    return (value == 0.0 || magnitude >= double(FLT_MIN)) && magnitude * heightScale <= kMaxGeoidHeight;
}

CGeoidGridParams::CGeoidGridParams() : CGeoidParams(GeoidGrid)
{
    clear();
}

bool CGeoidGridParams::isEqual(const CGeoidParams& other) const
{
    if (getType() != other.getType())
        return false;
    const auto& that = dynamic_cast<const CGeoidGridParams&>(other);
    return grid.isEqual(that.grid) && gridSystem && that.gridSystem
           && gridSystem->isEqual(*that.gridSystem)
           && std::fabs(heightScale - that.heightScale) < 1e-10;
}

bool CGeoidGridParams::isValid() const
{
    return gridSystem && gridSystem->isValid() && heightScale > 0.0 && heightScale < kUndefined;
}

void CGeoidGridParams::clear()
{
    grid.clear();
    gridSystem.reset();
    heightScale = kUndefined;
    columnPeriod = 0.0;
    longitudeTurn = 0.0;
}

bool CGeoid::GeoidToEllipsoid(const CCoords& in, CCoords* out) const
{
    double point[3] = {in.first, in.second, in.third};
    const bool done = GeoidToEllipsoid(point);
    *out = CCoords(point[0], point[1], point[2]);
    return done;
}

bool CGeoid::EllipsoidToGeoid(const CCoords& in, CCoords* out) const
{
    double point[3] = {in.first, in.second, in.third};
    const bool done = EllipsoidToGeoid(point);
    *out = CCoords(point[0], point[1], point[2]);
    return done;
}

namespace {

const CGeoidGridParams& requireValid(const CGeoidGridParams& params)
{
    if (!params.isValid())
        throw std::runtime_error("CGeoidGrid: the geoid grid parameters are not valid");
    return params;
}

} // namespace

CGeoidGrid::CGeoidGrid(const CGeoidGridParams& params, const CCoordSysParams& pointSystem)
    : CGeoid(GeoidGrid),
      m_grid(requireValid(params).grid),
      m_heightScale(params.heightScale),
      m_columnPeriod(params.columnPeriod),
      m_longitudeTurn(params.longitudeTurn),
      m_toGrid(std::make_unique<CCoordOperator>(pointSystem, *params.gridSystem)),
      m_fromGrid(std::make_unique<CCoordOperator>(*params.gridSystem, pointSystem))
{
}

CGeoidGrid::~CGeoidGrid() = default;

bool CGeoidGrid::getUndulation(const double& x1, const double& x2, double* undulation) const
{
    const double column = turnedOntoGrid(periodicColumn(x1), x2);
    if (!m_grid.contains(column, x2))
        return acrossSeam(column, x2, undulation);
    return heightAt(column, x2, undulation);
}

// Interpolated from nodes that are all geoid heights: weights can hide a no-data marker inside
// a plausible value.
bool CGeoidGrid::heightAt(double x1, double x2, double* undulation) const
{
    const double scale = m_heightScale;
    return m_grid.interpolate(x1, x2, [scale](const double& node) { return isGeoidHeight(node, scale); },
                              undulation);
}

// The longitude brought into [min1, min1 + period) of a periodic grid.
double CGeoidGrid::periodicColumn(double x1) const
{
    if (!(m_columnPeriod > 0.0) || !std::isfinite(x1))
        return x1;
    const double offset = std::fmod(x1 - m_grid.getMin1(), m_columnPeriod);
    return m_grid.getMin1() + (offset < 0.0 ? offset + m_columnPeriod : offset);
}

// The longitude moved by whole turns onto the grid's columns, when a move puts it there.
double CGeoidGrid::turnedOntoGrid(double x1, double x2) const
{
    if (!(m_longitudeTurn > 0.0) || !std::isfinite(x1) || m_grid.contains(x1, x2))
        return x1;
    // Within a turn from min1 upward, or from min1 downward for a grid that runs westward.
    const double above = x1 - std::floor((x1 - m_grid.getMin1()) / m_longitudeTurn) * m_longitudeTurn;
    for (const double column : {above, above - m_longitudeTurn}) {
        if (m_grid.contains(column, x2))
            return column;
    }
    return x1;
}

// Between the last column and the first one shifted by the period, when the grid closes
// round the period (the gap is at most one cell).
bool CGeoidGrid::acrossSeam(double x1, double x2, double* undulation) const
{
    if (!(m_columnPeriod > 0.0) || m_grid.getColumnCount() < 2)
        return false;
    const double last = m_grid.getMin1() + (m_grid.getColumnCount() - 1) * m_grid.getStep1();
    const double gap = m_grid.getMin1() + m_columnPeriod - last;
    if (!(gap > 0.0) || gap > m_grid.getStep1() * (1.0 + 1e-9) || x1 <= last || !m_grid.contains(last, x2))
        return false;
    const double t = (x1 - last) / gap;
    double west = 0.0;
    double east = 0.0;
    if (!heightAt(last, x2, &west) || !heightAt(m_grid.getMin1(), x2, &east))
        return false;
    *undulation = (1.0 - t) * west + t * east;
    return true;
}

// A latitude of the grid's system at a pole, to a few micrometres.
bool CGeoidGrid::isPole(double latitude) const
{
    return m_longitudeTurn > 0.0 && std::fabs(latitude) >= m_longitudeTurn / 4.0 * (1.0 - kPoleTolerance);
}

// On a pole the step may give any longitude (a latitude a hair beyond 90 degrees comes back
// half a turn round); the pole keeps the point's own meridian, taken where the step puts it
// on the equator.
bool CGeoidGrid::undulationAt(const double point[3], CCoords* inGrid, double* undulation) const
{
    if (!m_toGrid->transform(CCoords(point[0], point[1], point[2]), inGrid))
        return false;
    if (isPole(inGrid->first)) {
        CCoords meridian;
        if (!m_toGrid->transform(CCoords(0.0, point[1], point[2]), &meridian))
            return false;
        inGrid->second = meridian.second;
    }
    return getUndulation(inGrid->second, inGrid->first, undulation);
}

bool CGeoidGrid::EllipsoidToGeoid(double point[3]) const
{
    CCoords inGrid;
    double undulation = 0.0;
    if (!undulationAt(point, &inGrid, &undulation))
        return false;
    point[2] = (inGrid.third - undulation) * m_heightScale;
    return true;
}

bool CGeoidGrid::GeoidToEllipsoid(double point[3]) const
{
    const double height = point[2];
    const double heightInGrid = height / m_heightScale;
    double previous = 0.0;
    for (int pass = 0; pass < maxPasses; ++pass) {
        CCoords inGrid;
        double undulation = 0.0;
        if (!undulationAt(point, &inGrid, &undulation))
            return false;
        inGrid.third = undulation + heightInGrid;
        CCoords back;
        if (!m_fromGrid->transform(inGrid, &back))
            return false;
        point[2] = back.third;
        const double change = back.third - height;
        if (std::fabs(previous - change) < settleTolerance)
            return true;
        previous = change;
    }
    throw std::runtime_error(
        "void CGeoidGrid::GeoidToEllipsoid(const CCoordSysParams*, double[3]) const");
}

std::unique_ptr<CGeoid> createGeoid(const CGeoidParams& params, const CCoordSysParams& pointSystem)
{
    if (params.getType() != GeoidGrid)
        return nullptr;
    return std::make_unique<CGeoidGrid>(dynamic_cast<const CGeoidGridParams&>(params),
                                        pointSystem);
}

namespace {

std::unique_ptr<CGeoid> requireGeoid(const CGeoidParams& params,
                                     const CCoordSysParams& pointSystem)
{
    std::unique_ptr<CGeoid> geoid = createGeoid(params, pointSystem);
    if (!geoid)
        throw std::runtime_error("CCoordOperationGeoid: unknown geoid type "
                                 + std::to_string(params.getType()));
    return geoid;
}

} // namespace

CCoordOperationGeoid::CCoordOperationGeoid(const CCoordSysParams& pointSystem,
                                           const CGeoidParams& params, int direction)
    : CCoordOperation(OperationGeoid), m_geoid(requireGeoid(params, pointSystem)),
      m_direction(direction)
{
}

bool CCoordOperationGeoid::apply(CCoords* point, CAuxDataSet*)
{
    if (m_direction == DirectionForward)
        return m_geoid->EllipsoidToGeoid(*point, point);
    if (m_direction == DirectionReverse)
        return m_geoid->GeoidToEllipsoid(*point, point);
    return false;
}

} // namespace vexa
