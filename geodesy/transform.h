#ifndef VEXA_TRANSFORM_H
#define VEXA_TRANSFORM_H

#include "geodesy/coordoperation.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/grid.h"
#include "geodesy/mapprojection.h"
#include "geodesy/mapprojectionparams.h"

#include <memory>
#include <string>
#include <vector>

namespace vexa {

class CDatumShiftBursaWolfParams;

enum TransformType
{
    TransformNone = 0,
    TransformAffine3D = 2,
    TransformPlaneGridCorrection = 4,
    TransformEarthCurvature = 1000
};

class CTransformParams
{
public:
    virtual ~CTransformParams() = default;

    // Throws std::bad_cast when the types agree but the other is of another class.
    virtual bool isEqual(const CTransformParams& other) const = 0;
    virtual void clear() = 0;

    bool isValid() const { return type != TransformNone; }
    int getType() const { return type; }

protected:
    CTransformParams() = default;
    explicit CTransformParams(int type) : type(type) {}
    CTransformParams(const CTransformParams&) = default;
    CTransformParams& operator=(const CTransformParams&) = default;

    int type = TransformNone;
};

// (X, Y, Z) -> M (X, Y, Z) + t, M given row by row.
class CTransformAffine3DParams : public CTransformParams
{
public:
    CTransformAffine3DParams() : CTransformParams(TransformAffine3D) {}
    CTransformAffine3DParams(const CTransformAffine3DParams&) = default;
    CTransformAffine3DParams& operator=(const CTransformAffine3DParams&) = default;

    bool isEqual(const CTransformParams& other) const override;
    void clear() override;

    double m11 = kUndefined;
    double m12 = kUndefined;
    double m13 = kUndefined;
    double m21 = kUndefined;
    double m22 = kUndefined;
    double m23 = kUndefined;
    double m31 = kUndefined;
    double m32 = kUndefined;
    double m33 = kUndefined;
    double t1 = kUndefined;
    double t2 = kUndefined;
    double t3 = kUndefined;
};

// Height correction for the earth's curvature around (x0, y0) on a sphere of radius R.
class CTransformEarthCurvatureParams : public CTransformParams
{
public:
    CTransformEarthCurvatureParams() : CTransformParams(TransformEarthCurvature) {}
    CTransformEarthCurvatureParams(const CTransformEarthCurvatureParams&) = default;
    CTransformEarthCurvatureParams& operator=(const CTransformEarthCurvatureParams&) = default;

    bool isEqual(const CTransformParams& other) const override;
    void clear() override;

    double R = kUndefined;
    double x0 = kUndefined;
    double y0 = kUndefined;
};

// Plane coordinates corrected by values interpolated in two grids, optionally in
// the plane of a projection of their own.
class CTransformPlaneGridCorrectionParams : public CTransformParams
{
public:
    CTransformPlaneGridCorrectionParams() : CTransformParams(TransformPlaneGridCorrection) {}
    CTransformPlaneGridCorrectionParams(const CTransformPlaneGridCorrectionParams&) = default;
    CTransformPlaneGridCorrectionParams& operator=(const CTransformPlaneGridCorrectionParams&) =
        default;

    bool isEqual(const CTransformParams& other) const override;
    void clear() override;

    std::string name;
    std::shared_ptr<C2DGrid<double>> gridX;
    std::shared_ptr<C2DGrid<double>> gridY;
    double scale = 0.0;
    std::shared_ptr<CMapProjectionParams> gridProjection;
    std::shared_ptr<CEllipsoidParams> gridEllipsoid;
    std::shared_ptr<CMapProjectionParams> planeProjection;
    std::shared_ptr<CEllipsoidParams> planeEllipsoid;
};

// An ordered list of transforms; the flags tell the operator how to chain it.
class CTransformParamsSet
{
public:
    CTransformParamsSet() = default;
    CTransformParamsSet(const CTransformParamsSet&) = delete;
    CTransformParamsSet& operator=(const CTransformParamsSet&) = delete;

    // Empties the list and resets isDirect.
    void clear();

    std::vector<std::unique_ptr<CTransformParams>> transforms;
    bool isDirect = false;
    bool isPassive = false;
};

class CTransform
{
public:
    virtual ~CTransform() = default;

    virtual void forwardTransform(CCoords* coords) const = 0;
    virtual void reverseTransform(CCoords* coords) const = 0;

    int getType() const { return m_type; }
    void forwardTransform(const CCoords& in, CCoords* out) const;
    void reverseTransform(const CCoords& in, CCoords* out) const;

protected:
    explicit CTransform(int type) : m_type(type) {}
    CTransform(const CTransform&) = default;
    CTransform& operator=(const CTransform&) = delete;

private:
    int m_type;
};

class CTransformAffine3D : public CTransform
{
public:
    // Throws std::runtime_error when the matrix cannot be inverted.
    explicit CTransformAffine3D(const CTransformAffine3DParams& params);
    // Rotation about the Z axis by the angle (counterclockwise).
    explicit CTransformAffine3D(const double& angle);
    // Translation.
    explicit CTransformAffine3D(const CCoords& translation);
    // The seven-parameter shift: forward and reverse map as the shift does.
    // Throws std::runtime_error when the scale leaves no finite inverse.
    explicit CTransformAffine3D(const CDatumShiftBursaWolfParams& params);
    CTransformAffine3D(const CTransformAffine3D&) = default;

    using CTransform::forwardTransform;
    using CTransform::reverseTransform;
    void forwardTransform(CCoords* coords) const override;
    void reverseTransform(CCoords* coords) const override;

private:
    double m_forward[9];
    double m_forwardTranslation[3];
    double m_reverse[9];
    double m_reverseTranslation[3];
};

class CTransformEarthCurvature : public CTransform
{
public:
    explicit CTransformEarthCurvature(const CTransformEarthCurvatureParams& params);
    CTransformEarthCurvature(const CTransformEarthCurvature&) = default;

    using CTransform::forwardTransform;
    using CTransform::reverseTransform;
    void forwardTransform(CCoords* coords) const override;
    void reverseTransform(CCoords* coords) const override;

private:
    double correction(const CCoords& coords) const;

    double m_R;
    double m_x0;
    double m_y0;
};

// Runs only through its operation (type 9); the transform slots throw std::logic_error.
class CTransformPlaneGridCorrection : public CTransform
{
public:
    // Throws std::runtime_error when only one grid is given or a projection cannot be built.
    explicit CTransformPlaneGridCorrection(const CTransformPlaneGridCorrectionParams& params);

    using CTransform::forwardTransform;
    using CTransform::reverseTransform;
    void forwardTransform(CCoords* coords) const override;
    void reverseTransform(CCoords* coords) const override;

    bool hasGrid() const { return m_gridX != nullptr; }
    const std::string& getName() const { return m_name; }
    // Takes the correction off the point, or adds a correction computed before;
    // throws std::runtime_error when there are no grids and no correction was computed.
    void applyCorrection(CCoords* point, double* dx, double* dy) const;
    // Interpolates the correction at the point without moving it.
    void computeCorrection(CCoords* point, double* dx, double* dy) const;

private:
    void interpolate(const CCoords& point, double* dx, double* dy) const;

    std::string m_name;
    // Copies of the params' grids, read by this transform alone.
    std::unique_ptr<C2DGrid<double>> m_gridX;
    std::unique_ptr<C2DGrid<double>> m_gridY;
    double m_scale;
    std::shared_ptr<CMapProjection> m_gridProj;
    std::shared_ptr<CMapProjection> m_planeProj;
};

// Null for the types it does not build (EarthCurvature among them); throws
// std::bad_cast when the class does not match the type.
std::unique_ptr<CTransform> createTransform(const CTransformParams& params);

// Type 1: direction 1 runs the forward transform, 2 the reverse one.
class CCoordOperationTransform : public CCoordOperation
{
public:
    // Throws std::runtime_error when given no transform.
    CCoordOperationTransform(std::unique_ptr<CTransform> transform, int direction);

    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    std::unique_ptr<CTransform> m_transform;
    int m_direction;
};

// Type 9: direction 2 computes the correction into the aux data under the
// transform's name, direction 1 applies it.
class CCoordOperationPlaneGridCorrection : public CCoordOperation
{
public:
    // Throws std::runtime_error when given no transform.
    CCoordOperationPlaneGridCorrection(std::unique_ptr<CTransformPlaneGridCorrection> transform,
                                       int direction);

    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    bool run(CCoords* point, CAuxDataPlaneCorrection* correction) const;

    std::unique_ptr<CTransformPlaneGridCorrection> m_transform;
    int m_direction;
};

} // namespace vexa

#endif
