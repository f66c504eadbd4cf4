#ifndef VEXA_DATUMSHIFT_H
#define VEXA_DATUMSHIFT_H

#include "geodesy/coordoperation.h"

#include <memory>

namespace vexa {

class CTransformAffine3D;

enum DatumShiftType
{
    DatumShiftNone = 0,
    DatumShiftBursaWolf = 1
};

// Parameters of a shift between the geocentric coordinates of two datums.
class CDatumShiftParams
{
public:
    virtual ~CDatumShiftParams() = default;

    virtual bool isEqual(const CDatumShiftParams& other) const = 0;
    virtual bool isValid() const { return type != DatumShiftNone; }
    virtual void clear() { type = DatumShiftNone; }
    virtual bool isIdentity() const = 0;
    // The same mapping as an affine transform.
    virtual std::unique_ptr<CTransformAffine3D> createTransform() const = 0;

    bool operator!=(const CDatumShiftParams& other) const { return !isEqual(other); }
    int getType() const { return type; }

    // On the target system's shift: no step is chained for it.
    bool isDisabled = false;
    // Direction 1 of the operation runs the forward shift when set, the reverse one when clear.
    bool isForward = false;

protected:
    CDatumShiftParams() = default;
    explicit CDatumShiftParams(int type) : type(type) {}
    CDatumShiftParams(const CDatumShiftParams&) = default;
    CDatumShiftParams& operator=(const CDatumShiftParams&) = default;

    int type = DatumShiftNone;
};

// Seven parameters: translations in the length unit of the coordinates,
// rotations in radians (position vector convention), scale difference as a ratio.
class CDatumShiftBursaWolfParams : public CDatumShiftParams
{
public:
    CDatumShiftBursaWolfParams() : CDatumShiftParams(DatumShiftBursaWolf) {}
    CDatumShiftBursaWolfParams(const CDatumShiftBursaWolfParams&) = default;
    CDatumShiftBursaWolfParams& operator=(const CDatumShiftBursaWolfParams&) = default;

    // Throws std::bad_cast when the types agree but the other is of another class.
    bool isEqual(const CDatumShiftParams& other) const override;
    bool isIdentity() const override;
    std::unique_ptr<CTransformAffine3D> createTransform() const override;

    void setZero();
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

class CDatumShift
{
public:
    virtual ~CDatumShift() = default;

    virtual bool isEqual(const CDatumShift& other) const = 0;
    virtual void forwardShift(double point[3]) const = 0;
    virtual void reverseShift(double point[3]) const = 0;

    int getType() const { return m_type; }
    bool isDisabled() const { return m_disabled; }
    bool isForward() const { return m_forward; }
    void forwardShift(const CCoords& in, CCoords* out) const;
    void reverseShift(const CCoords& in, CCoords* out) const;

protected:
    explicit CDatumShift(const CDatumShiftParams& params);
    CDatumShift(const CDatumShift&) = default;
    CDatumShift& operator=(const CDatumShift&) = delete;

private:
    int m_type;
    bool m_disabled;
    bool m_forward;
};

// Small-angle seven-parameter shift; the reverse uses the transposed rotation.
class CDatumShiftBursaWolf : public CDatumShift
{
public:
    explicit CDatumShiftBursaWolf(const CDatumShiftBursaWolfParams& params);
    CDatumShiftBursaWolf(const CDatumShiftBursaWolf&) = default;

    using CDatumShift::forwardShift;
    using CDatumShift::reverseShift;

    // Throws std::bad_cast when the types agree but the other is of another class.
    bool isEqual(const CDatumShift& other) const override;
    void forwardShift(double point[3]) const override;
    void reverseShift(double point[3]) const override;

    bool isTranslationOnly() const { return m_translationOnly; }

private:
    double m_tx;
    double m_ty;
    double m_tz;
    double m_rx;
    double m_ry;
    double m_rz;
    double m_s;
    bool m_translationOnly;
};

// Null for a type it does not build; throws std::bad_cast when the class does not match the type.
std::unique_ptr<CDatumShift> createDatumShift(const CDatumShiftParams& params);

// Type 5: runs the forward or the reverse shift, chosen by the direction and the
// shift's forward flag. Without a shift (parameters of an unknown type) it does nothing.
class CCoordOperationDatumShift : public CCoordOperation
{
public:
    CCoordOperationDatumShift(const CDatumShiftParams& params, int direction);
    CCoordOperationDatumShift(std::unique_ptr<CDatumShift> shift, int direction);

    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    std::unique_ptr<CDatumShift> m_shift;
    int m_direction;
};

} // namespace vexa

#endif
