#ifndef VEXA_GEOID_H
#define VEXA_GEOID_H

#include "geodesy/coordoperation.h"
#include "geodesy/grid.h"

#include <memory>

namespace vexa {

class CCoordOperator;
class CCoordSysParams;

enum GeoidType
{
    GeoidNone = 0,
    GeoidGrid = 1
};

class CGeoidParams
{
public:
    CGeoidParams() = default;
    explicit CGeoidParams(int type) : m_type(type) {}
    CGeoidParams(const CGeoidParams&) = default;
    CGeoidParams& operator=(const CGeoidParams&) = default;
    virtual ~CGeoidParams() = default;

    virtual bool isEqual(const CGeoidParams& other) const = 0;
    virtual bool isValid() const { return m_type != GeoidNone; }
    virtual void clear() { m_type = GeoidNone; }

    bool operator!=(const CGeoidParams& other) const { return !isEqual(other); }
    int getType() const { return m_type; }

private:
    int m_type = GeoidNone;
};

// Largest geoid height, in metres, up or down.
const double kMaxGeoidHeight = 1000.0;

// True when a grid value is a geoid height: a finite number whose height in metres (value times
// heightScale) lies within kMaxGeoidHeight, and not a number too small for a 4-byte float to hold
// whole, as values of the other byte order read.
bool isGeoidHeight(double value, double heightScale);

// Undulations on a grid laid out in a coordinate system of its own: first axis
// longitude, second axis latitude. heightScale turns the grid's height unit into
// the point's.
class CGeoidGridParams : public CGeoidParams
{
public:
    CGeoidGridParams();
    CGeoidGridParams(const CGeoidGridParams&) = default;
    CGeoidGridParams& operator=(const CGeoidGridParams&) = default;

    // Never true: two grid systems never compare equal. Throws std::bad_cast when the
    // types agree but the other is of another class.
    bool isEqual(const CGeoidParams& other) const override;
    // The grid itself is not tested.
    bool isValid() const override;
    // The type stays.
    void clear() override;

    C2DGrid<double> grid;
    std::shared_ptr<CCoordSysParams> gridSystem;
    double heightScale = kUndefined;
    // The first axis repeats after this span (360 for a global grid in degrees); 0 when it
    // does not.
    double columnPeriod = 0.0;
    // A full turn of longitude in the units of the first axis when that axis is a longitude
    // (360 in degrees); 0 when it is not.
    double longitudeTurn = 0.0;
};

// Turns heights above the geoid into ellipsoidal heights and back; latitude and
// longitude stay. A conversion returns false when the point lies outside the geoid.
class CGeoid
{
public:
    CGeoid(const CGeoid&) = delete;
    CGeoid& operator=(const CGeoid&) = delete;
    virtual ~CGeoid() = default;

    virtual bool GeoidToEllipsoid(double point[3]) const = 0;
    virtual bool EllipsoidToGeoid(double point[3]) const = 0;

    int getType() const { return m_type; }
    bool GeoidToEllipsoid(const CCoords& in, CCoords* out) const;
    bool EllipsoidToGeoid(const CCoords& in, CCoords* out) const;

protected:
    explicit CGeoid(int type) : m_type(type) {}

private:
    int m_type;
};

class CGeoidGrid : public CGeoid
{
public:
    // Throws std::runtime_error when the params are not valid or the operators between the
    // point's system and the grid's system cannot be built.
    CGeoidGrid(const CGeoidGridParams& params, const CCoordSysParams& pointSystem);
    ~CGeoidGrid() override;

    using CGeoid::EllipsoidToGeoid;
    using CGeoid::GeoidToEllipsoid;
    // Iterates until the height settles within 0.001; throws std::runtime_error when it does
    // not settle in 100 passes.
    bool GeoidToEllipsoid(double point[3]) const override;
    bool EllipsoidToGeoid(double point[3]) const override;

    // Bilinear undulation at (longitude, latitude) of the grid's system; false outside the grid
    // and when a node it takes is not a geoid height (isGeoidHeight). A periodic grid takes the
    // longitude by its period and bridges the gap between its last and first column; a longitude
    // off the grid by whole turns is turned onto it.
    bool getUndulation(const double& x1, const double& x2, double* undulation) const;

private:
    bool undulationAt(const double point[3], CCoords* inGrid, double* undulation) const;
    bool isPole(double latitude) const;
    double periodicColumn(double x1) const;
    double turnedOntoGrid(double x1, double x2) const;
    bool acrossSeam(double x1, double x2, double* undulation) const;
    bool heightAt(double x1, double x2, double* undulation) const;

    C2DGrid<double> m_grid;
    double m_heightScale;
    double m_columnPeriod;
    double m_longitudeTurn;
    std::unique_ptr<CCoordOperator> m_toGrid;
    std::unique_ptr<CCoordOperator> m_fromGrid;
};

// Null for a type it does not build; throws std::bad_cast when the params' class does not
// belong to their type.
std::unique_ptr<CGeoid> createGeoid(const CGeoidParams& params, const CCoordSysParams& pointSystem);

// Type 8: direction 1 ellipsoidal to geoid heights, 2 geoid to ellipsoidal heights.
class CCoordOperationGeoid : public CCoordOperation
{
public:
    // Throws std::runtime_error when no geoid is built for the params.
    CCoordOperationGeoid(const CCoordSysParams& pointSystem, const CGeoidParams& params,
                         int direction);

    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    std::unique_ptr<CGeoid> m_geoid;
    int m_direction;
};

} // namespace vexa

#endif
