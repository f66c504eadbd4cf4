#ifndef VEXA_VERTICALDATUMSHIFT_H
#define VEXA_VERTICALDATUMSHIFT_H

#include "geodesy/coordoperation.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/grid.h"

#include <memory>
#include <string>

namespace vexa {

// Type codes of the vertical datum shifts and of their parameters.
enum VerticalDatumShiftType
{
    VerticalDatumShiftNone = 0,
    VerticalDatumShiftOffset = 1,
    VerticalDatumShiftOffsetSlope = 2,
    VerticalDatumShiftGrid = 3
};

// Parameters of a height correction between two vertical datums; the name keys the
// auxiliary data of its operations.
class CVerticalDatumShiftParams
{
public:
    CVerticalDatumShiftParams() = default;
    CVerticalDatumShiftParams(int type, bool isForward) : isForward(isForward), m_type(type) {}
    CVerticalDatumShiftParams(const CVerticalDatumShiftParams&) = default;
    CVerticalDatumShiftParams& operator=(const CVerticalDatumShiftParams&) = default;
    virtual ~CVerticalDatumShiftParams() = default;

    // The name is not compared. Throws std::bad_cast when the type codes agree but the
    // classes do not.
    virtual bool isEqual(const CVerticalDatumShiftParams& other) const = 0;
    virtual bool isValid() const { return m_type != VerticalDatumShiftNone; }
    virtual void clear() { m_type = VerticalDatumShiftNone; }
    virtual bool isIdentity() const = 0;

    bool operator!=(const CVerticalDatumShiftParams& other) const { return !isEqual(other); }
    int getType() const { return m_type; }

    bool isForward = true;
    std::string name;

protected:
    bool sameKind(const CVerticalDatumShiftParams& other) const;

private:
    int m_type = VerticalDatumShiftNone;
};

// A constant height offset.
class CVerticalDatumShiftOffsetParams : public CVerticalDatumShiftParams
{
public:
    CVerticalDatumShiftOffsetParams() : CVerticalDatumShiftParams(VerticalDatumShiftOffset, true) {}

    bool isEqual(const CVerticalDatumShiftParams& other) const override;
    bool isValid() const override;
    void clear() override;
    bool isIdentity() const override;

    double offset = kUndefined;
};

// An offset with slopes along the meridian and the parallel through (lat0, lon0), radians.
class CVerticalDatumShiftOffsetSlopeParams : public CVerticalDatumShiftParams
{
public:
    CVerticalDatumShiftOffsetSlopeParams()
        : CVerticalDatumShiftParams(VerticalDatumShiftOffsetSlope, true) {}

    bool isEqual(const CVerticalDatumShiftParams& other) const override;
    bool isValid() const override;
    void clear() override;
    bool isIdentity() const override;

    double offset = kUndefined;
    double slopeNorth = kUndefined;
    double slopeEast = kUndefined;
    double lat0 = kUndefined;
    double lon0 = kUndefined;
    CEllipsoidParams ellipsoid;
};

// A grid of corrections: first axis longitude, second axis latitude.
class CVerticalDatumShiftGridParams : public CVerticalDatumShiftParams
{
public:
    CVerticalDatumShiftGridParams() : CVerticalDatumShiftParams(VerticalDatumShiftGrid, true) {}

    bool isEqual(const CVerticalDatumShiftParams& other) const override;
    bool isValid() const override;
    void clear() override;
    bool isIdentity() const override { return false; }

    C2DGrid<double> grid;
};

// Corrects the height of a geodetic point; latitude and longitude stay.
class CVerticalDatumShift
{
public:
    CVerticalDatumShift& operator=(const CVerticalDatumShift&) = delete;
    virtual ~CVerticalDatumShift() = default;

    // Throws std::bad_cast when the type codes agree but the classes do not.
    virtual bool isEqual(const CVerticalDatumShift& other) const = 0;
    // False, with the point left as it was, when no correction is known at the point.
    virtual bool apply(CCoords* point) const = 0;

    int getType() const { return m_type; }
    const std::string& getName() const { return m_name; }
    bool addsCorrection() const { return m_addsCorrection; }
    bool apply(const CCoords& in, CCoords* out) const;

protected:
    CVerticalDatumShift(int type, const std::string& name, bool addsCorrection)
        : m_type(type), m_name(name), m_addsCorrection(addsCorrection) {}
    CVerticalDatumShift(const CVerticalDatumShift&) = default;

    void correct(CCoords* point, double correction) const;

private:
    int m_type;
    std::string m_name;
    bool m_addsCorrection;
};

class CVerticalDatumShiftOffset : public CVerticalDatumShift
{
public:
    explicit CVerticalDatumShiftOffset(const CVerticalDatumShiftOffsetParams& params);
    CVerticalDatumShiftOffset(const CVerticalDatumShiftOffset&) = default;

    bool isEqual(const CVerticalDatumShift& other) const override;
    bool apply(CCoords* point) const override;

private:
    double m_offset;
};

class CVerticalDatumShiftOffsetSlope : public CVerticalDatumShift
{
public:
    explicit CVerticalDatumShiftOffsetSlope(const CVerticalDatumShiftOffsetSlopeParams& params);
    CVerticalDatumShiftOffsetSlope(const CVerticalDatumShiftOffsetSlope&) = default;

    bool isEqual(const CVerticalDatumShift& other) const override;
    bool apply(CCoords* point) const override;

private:
    double m_offset;
    double m_slopeNorth;
    double m_slopeEast;
    double m_lat0;
    double m_lon0;
    double m_m0;
    double m_n0;
};

// Fails at a point outside its grid.
class CVerticalDatumShiftGrid : public CVerticalDatumShift
{
public:
    explicit CVerticalDatumShiftGrid(const CVerticalDatumShiftGridParams& params);
    CVerticalDatumShiftGrid(const CVerticalDatumShiftGrid&) = default;

    bool isEqual(const CVerticalDatumShift& other) const override;
    bool apply(CCoords* point) const override;

private:
    C2DGrid<double> m_grid;
};

// Builds the shift of the params' type; null for a type it does not build.
// Throws std::bad_cast when the type code and the params' class disagree.
std::unique_ptr<CVerticalDatumShift>
createVerticalDatumShift(const CVerticalDatumShiftParams& params);

// Type 7 over a constant offset: direction 2 records the height under the shift's name,
// direction 1 replaces the height by the shifted recorded height.
class CCoordOperationVerticalDatumShiftOffset : public CCoordOperation
{
public:
    CCoordOperationVerticalDatumShiftOffset(std::unique_ptr<CVerticalDatumShift> shift,
                                            int direction);

    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    std::unique_ptr<CVerticalDatumShift> m_shift;
    int m_direction;
};

// Type 7 over a correction that depends on the position: direction 2 records the height,
// direction 1 shifts the recorded height at the geodetic position recorded on the shift's
// side of the chain and makes it the point's height.
class CCoordOperationVerticalDatumShiftAtPosition : public CCoordOperation
{
public:
    bool apply(CCoords* point, CAuxDataSet* aux) override;

protected:
    CCoordOperationVerticalDatumShiftAtPosition(std::unique_ptr<CVerticalDatumShift> shift,
                                                int direction);

private:
    std::unique_ptr<CVerticalDatumShift> m_shift;
    int m_direction;
};

class CCoordOperationVerticalDatumShiftOffsetSlope
    : public CCoordOperationVerticalDatumShiftAtPosition {
public:
    CCoordOperationVerticalDatumShiftOffsetSlope(std::unique_ptr<CVerticalDatumShift> shift,
                                                 int direction)
        : CCoordOperationVerticalDatumShiftAtPosition(std::move(shift), direction) {}
};

class CCoordOperationVerticalDatumShiftGrid : public CCoordOperationVerticalDatumShiftAtPosition
{
public:
    CCoordOperationVerticalDatumShiftGrid(std::unique_ptr<CVerticalDatumShift> shift, int direction)
        : CCoordOperationVerticalDatumShiftAtPosition(std::move(shift), direction) {}
};

} // namespace vexa

#endif
