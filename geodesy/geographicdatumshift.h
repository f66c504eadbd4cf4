#ifndef VEXA_GEOGRAPHICDATUMSHIFT_H
#define VEXA_GEOGRAPHICDATUMSHIFT_H

#include "geodesy/coordoperation.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/ntv2.h"

#include <memory>

namespace vexa {

// Type codes of the geographic datum shifts and of their parameters.
enum GeographicDatumShiftType
{
    GeographicDatumShiftNone = 0,
    GeographicDatumShiftOffset2D = 1,
    GeographicDatumShiftOffset3D = 2,
    GeographicDatumShiftAbridgedMolodensky = 3,
    GeographicDatumShiftStandardMolodensky = 4,
    GeographicDatumShiftNTv2 = 6
};

// Parameters of a shift of latitude, longitude and height between two datums.
class CGeographicDatumShiftParams
{
public:
    CGeographicDatumShiftParams() = default;
    CGeographicDatumShiftParams(int type, bool isForward) : isForward(isForward), m_type(type) {}
    CGeographicDatumShiftParams(const CGeographicDatumShiftParams&) = default;
    CGeographicDatumShiftParams& operator=(const CGeographicDatumShiftParams&) = default;
    virtual ~CGeographicDatumShiftParams() = default;

    // Throws std::bad_cast when the type codes agree but the classes do not.
    virtual bool isEqual(const CGeographicDatumShiftParams& other) const = 0;
    virtual bool isValid() const { return m_type != GeographicDatumShiftNone; }
    virtual void clear() { m_type = GeographicDatumShiftNone; }
    virtual bool isIdentity() const = 0;

    bool operator!=(const CGeographicDatumShiftParams& other) const { return !isEqual(other); }
    int getType() const { return m_type; }

    bool isForward = true;

protected:
    bool sameKind(const CGeographicDatumShiftParams& other) const;

private:
    int m_type = GeographicDatumShiftNone;
};

// Offsets of latitude and longitude (radians).
class CGeographicDatumShiftOffset2DParams : public CGeographicDatumShiftParams
{
public:
    CGeographicDatumShiftOffset2DParams()
        : CGeographicDatumShiftParams(GeographicDatumShiftOffset2D, true) {}

    bool isEqual(const CGeographicDatumShiftParams& other) const override;
    bool isValid() const override;
    void clear() override;
    bool isIdentity() const override;

    double dLat = kUndefined;
    double dLon = kUndefined;
};

// Offsets of latitude, longitude (radians) and height.
class CGeographicDatumShiftOffset3DParams : public CGeographicDatumShiftParams
{
public:
    CGeographicDatumShiftOffset3DParams()
        : CGeographicDatumShiftParams(GeographicDatumShiftOffset3D, true) {}

    bool isEqual(const CGeographicDatumShiftParams& other) const override;
    bool isValid() const override;
    void clear() override;
    bool isIdentity() const override;

    double dLat = kUndefined;
    double dLon = kUndefined;
    double dH = kUndefined;
};

// Translations of the abridged Molodensky formulas.
class CGeographicDatumShiftAbridgedMolodenskyParams : public CGeographicDatumShiftParams
{
public:
    CGeographicDatumShiftAbridgedMolodenskyParams()
        : CGeographicDatumShiftParams(GeographicDatumShiftAbridgedMolodensky, true) {}

    bool isEqual(const CGeographicDatumShiftParams& other) const override;
    bool isValid() const override;
    void clear() override;
    bool isIdentity() const override;

    double tx = kUndefined;
    double ty = kUndefined;
    double tz = kUndefined;
};

// Translations, rotations (radians) and scale difference of the standard Molodensky formulas.
class CGeographicDatumShiftStandardMolodenskyParams : public CGeographicDatumShiftParams
{
public:
    CGeographicDatumShiftStandardMolodenskyParams()
        : CGeographicDatumShiftParams(GeographicDatumShiftStandardMolodensky, true) {}

    bool isEqual(const CGeographicDatumShiftParams& other) const override;
    bool isValid() const override;
    void clear() override;
    bool isIdentity() const override;
    bool isRotationFree() const;
    void negateRotations();

    double tx = kUndefined;
    double ty = kUndefined;
    double tz = kUndefined;
    double rx = kUndefined;
    double ry = kUndefined;
    double rz = kUndefined;
    double m = kUndefined;
};

// A shift grid file; never equal to another and never an identity.
class CGeographicDatumShiftNTv2Params : public CGeographicDatumShiftParams
{
public:
    CGeographicDatumShiftNTv2Params()
        : CGeographicDatumShiftParams(GeographicDatumShiftNTv2, true) {}
    CGeographicDatumShiftNTv2Params(const CNTv2GridFile& gridFile, bool isForward)
        : CGeographicDatumShiftParams(GeographicDatumShiftNTv2, isForward), gridFile(gridFile) {}

    bool isEqual(const CGeographicDatumShiftParams& other) const override;
    bool isValid() const override;
    void clear() override;
    bool isIdentity() const override { return false; }

    CNTv2GridFile gridFile;
};

// Moves latitude, longitude and height (double[3] in that order) from one datum to another.
// A shift returns false and leaves the point when it cannot convert it.
class CGeographicDatumShift
{
public:
    CGeographicDatumShift& operator=(const CGeographicDatumShift&) = delete;
    virtual ~CGeographicDatumShift() = default;

    // Throws std::bad_cast when the type codes agree but the classes do not.
    virtual bool isEqual(const CGeographicDatumShift& other) const = 0;
    virtual bool forwardShift(double point[3]) const = 0;
    virtual bool reverseShift(double point[3]) const = 0;

    int getType() const { return m_type; }
    bool forwardShift(const CCoords& in, CCoords* out) const;
    bool reverseShift(const CCoords& in, CCoords* out) const;

protected:
    explicit CGeographicDatumShift(int type) : m_type(type) {}
    CGeographicDatumShift(const CGeographicDatumShift&) = default;

private:
    int m_type;
};

class CGeographicDatumShiftOffset2D : public CGeographicDatumShift
{
public:
    explicit CGeographicDatumShiftOffset2D(const CGeographicDatumShiftOffset2DParams& params);
    CGeographicDatumShiftOffset2D(const CGeographicDatumShiftOffset2D&) = default;

    bool isEqual(const CGeographicDatumShift& other) const override;
    bool forwardShift(double point[3]) const override;
    bool reverseShift(double point[3]) const override;

private:
    double m_dLat;
    double m_dLon;
};

class CGeographicDatumShiftOffset3D : public CGeographicDatumShift
{
public:
    explicit CGeographicDatumShiftOffset3D(const CGeographicDatumShiftOffset3DParams& params);
    CGeographicDatumShiftOffset3D(const CGeographicDatumShiftOffset3D&) = default;

    bool isEqual(const CGeographicDatumShift& other) const override;
    bool forwardShift(double point[3]) const override;
    bool reverseShift(double point[3]) const override;

private:
    double m_dLat;
    double m_dLon;
    double m_dH;
};

class CGeographicDatumShiftAbridgedMolodensky : public CGeographicDatumShift
{
public:
    CGeographicDatumShiftAbridgedMolodensky(
        const CGeographicDatumShiftAbridgedMolodenskyParams& params, const CEllipsoidParams& source,
        const CEllipsoidParams& target);
    CGeographicDatumShiftAbridgedMolodensky(const CGeographicDatumShiftAbridgedMolodensky&)
        = default;

    bool isEqual(const CGeographicDatumShift& other) const override;
    bool forwardShift(double point[3]) const override;
    bool reverseShift(double point[3]) const override;

private:
    void deltas(const double point[3], double delta[3]) const;
    void shiftAtPoint(double point[3], double sign) const;

    double m_tx;
    double m_ty;
    double m_tz;
    CEllipsoid m_source;
    double m_da;
    double m_df;
    double m_flatteningTerm;
    double m_sinOneSecond = 4.848136811076368e-06;
};

class CGeographicDatumShiftStandardMolodensky : public CGeographicDatumShift
{
public:
    CGeographicDatumShiftStandardMolodensky(
        const CGeographicDatumShiftStandardMolodenskyParams& params, const CEllipsoidParams& source,
        const CEllipsoidParams& target);
    CGeographicDatumShiftStandardMolodensky(const CGeographicDatumShiftStandardMolodensky&)
        = default;

    bool isEqual(const CGeographicDatumShift& other) const override;
    bool forwardShift(double point[3]) const override;
    bool reverseShift(double point[3]) const override;

private:
    void deltas(const double point[3], double delta[3]) const;
    void shiftByMidpoint(double point[3], double sign) const;

    double m_tx;
    double m_ty;
    double m_tz;
    double m_rx;
    double m_ry;
    double m_rz;
    double m_m;
    CEllipsoid m_mean;
    double m_da;
    double m_de2;
    double m_aMean;
    double m_e2Mean;
};

// Latitude and longitude through a grid file; the height stays.
class CGeographicDatumShiftNTv2 : public CGeographicDatumShift
{
public:
    explicit CGeographicDatumShiftNTv2(const CGeographicDatumShiftNTv2Params& params);
    CGeographicDatumShiftNTv2(const CGeographicDatumShiftNTv2&) = default;

    bool isEqual(const CGeographicDatumShift& other) const override;
    bool forwardShift(double point[3]) const override;
    bool reverseShift(double point[3]) const override;

private:
    CNTv2GridFile m_gridFile;
};

// Builds the shift of the params' type; null for a type it does not build.
// Throws std::bad_cast when the type code and the params' class disagree.
std::unique_ptr<CGeographicDatumShift> createGeographicDatumShift(
    const CGeographicDatumShiftParams& params, const CEllipsoidParams& source,
    const CGeographicDatumShiftParams& counterpart, const CEllipsoidParams& target);

// Type 6: direction 1 runs the forward shift, 2 the reverse shift.
class CCoordOperationGeographicDatumShift : public CCoordOperation
{
public:
    CCoordOperationGeographicDatumShift(std::unique_ptr<CGeographicDatumShift> shift,
                                        int direction);

    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    std::unique_ptr<CGeographicDatumShift> m_shift;
    int m_direction;
};

} // namespace vexa

#endif
