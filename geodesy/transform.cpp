#include "geodesy/transform.h"

#include "geodesy/datumshift.h"

#include <cfloat>
#include <cmath>
#include <stdexcept>
#include <typeinfo>

namespace vexa {

namespace {

const double matrixTolerance = 1e-12;
const double lengthTolerance = 1e-9;

bool isSmall(double value, double tolerance)
{
    return std::fabs(value) < tolerance;
}

// Both absent, or both present and equal.
template <class T>
bool isSameShared(const std::shared_ptr<T>& a, const std::shared_ptr<T>& b)
{
    if (!a || !b)
        return !a && !b;
    return a->isEqual(*b);
}

void multiply(const double matrix[9], const double in[3], double out[3])
{
    for (int row = 0; row < 3; ++row)
        out[row] =
            matrix[3 * row] * in[0] + matrix[3 * row + 1] * in[1] + matrix[3 * row + 2] * in[2];
}

void applyAffine(const double matrix[9], const double translation[3], CCoords* coords)
{
    const double in[3] = {coords->first, coords->second, coords->third};
    double out[3];
    multiply(matrix, in, out);
    *coords = CCoords(out[0] + translation[0], out[1] + translation[1], out[2] + translation[2]);
}

// The translation that undoes a forward translation after the reverse matrix.
void reverseTranslation(const double reverse[9], const double forward[3], double out[3])
{
    multiply(reverse, forward, out);
    for (int k = 0; k < 3; ++k)
        out[k] = -out[k];
}

bool allFinite(const double* values, int count)
{
    for (int k = 0; k < count; ++k) {
        if (!std::isfinite(values[k]))
            return false;
    }
    return true;
}

double rowNorm(const double m[9], int row)
{
    return std::sqrt(m[3 * row] * m[3 * row] + m[3 * row + 1] * m[3 * row + 1]
                     + m[3 * row + 2] * m[3 * row + 2]);
}

// Inverse by the adjugate; false when the matrix is singular to rounding.
bool invert(const double m[9], double inverse[9])
{
    if (!allFinite(m, 9))
        return false;
    const double c11 = m[4] * m[8] - m[5] * m[7];
    const double c12 = m[5] * m[6] - m[3] * m[8];
    const double c13 = m[3] * m[7] - m[4] * m[6];
    const double det = m[0] * c11 + m[1] * c12 + m[2] * c13;
    const double bound = rowNorm(m, 0) * rowNorm(m, 1) * rowNorm(m, 2);
    if (!std::isfinite(det) || !(std::fabs(det) > 4.0 * DBL_EPSILON * bound))
        return false;
    inverse[0] = c11 / det;
    inverse[1] = (m[2] * m[7] - m[1] * m[8]) / det;
    inverse[2] = (m[1] * m[5] - m[2] * m[4]) / det;
    inverse[3] = c12 / det;
    inverse[4] = (m[0] * m[8] - m[2] * m[6]) / det;
    inverse[5] = (m[2] * m[3] - m[0] * m[5]) / det;
    inverse[6] = c13 / det;
    inverse[7] = (m[1] * m[6] - m[0] * m[7]) / det;
    inverse[8] = (m[0] * m[4] - m[1] * m[3]) / det;
    return allFinite(inverse, 9);
}

// A copy of the transform's own: a grid read from its file fills a window cache and moves its
// stream, so operators on different threads must not share one.
std::unique_ptr<C2DGrid<double>> ownGrid(const std::shared_ptr<C2DGrid<double>>& grid)
{
    return grid ? std::make_unique<C2DGrid<double>>(*grid) : nullptr;
}

std::shared_ptr<CMapProjection> makeProjection(const std::shared_ptr<CMapProjectionParams>& params,
                                               const std::shared_ptr<CEllipsoidParams>& ellipsoid)
{
    if (!params || !ellipsoid)
        return nullptr;
    std::shared_ptr<CMapProjection> projection = createMapProjection(*ellipsoid, *params);
    if (!projection)
        throw std::runtime_error("CTransformPlaneGridCorrection: unknown map projection");
    return projection;
}

} // namespace

bool CTransformAffine3DParams::isEqual(const CTransformParams& other) const
{
    if (type != other.getType())
        return false;
    const auto& o = dynamic_cast<const CTransformAffine3DParams&>(other);
    return isSmall(m11 - o.m11, matrixTolerance) && isSmall(m12 - o.m12, matrixTolerance)
           && isSmall(m13 - o.m13, matrixTolerance) && isSmall(m21 - o.m21, matrixTolerance)
           && isSmall(m22 - o.m22, matrixTolerance) && isSmall(m23 - o.m23, matrixTolerance)
           && isSmall(m31 - o.m31, matrixTolerance) && isSmall(m32 - o.m32, matrixTolerance)
           && isSmall(m33 - o.m33, matrixTolerance) && isSmall(t1 - o.t1, lengthTolerance)
           && isSmall(t2 - o.t2, lengthTolerance) && isSmall(t3 - o.t3, lengthTolerance);
}

void CTransformAffine3DParams::clear()
{
    m11 = m12 = m13 = m21 = m22 = m23 = m31 = m32 = m33 = kUndefined;
    t1 = t2 = t3 = kUndefined;
}

bool CTransformEarthCurvatureParams::isEqual(const CTransformParams& other) const
{
    if (type != other.getType())
        return false;
    const auto& o = dynamic_cast<const CTransformEarthCurvatureParams&>(other);
    return isSmall(R - o.R, lengthTolerance) && isSmall(x0 - o.x0, lengthTolerance)
           && isSmall(y0 - o.y0, lengthTolerance);
}

void CTransformEarthCurvatureParams::clear()
{
    R = x0 = y0 = kUndefined;
}

bool CTransformPlaneGridCorrectionParams::isEqual(const CTransformParams& other) const
{
    if (type != other.getType())
        return false;
    const auto& o = dynamic_cast<const CTransformPlaneGridCorrectionParams&>(other);
    return name == o.name && isSameShared(gridX, o.gridX) && isSameShared(gridY, o.gridY)
           && isSmall(scale - o.scale, matrixTolerance)
           && isSameShared(gridProjection, o.gridProjection)
           && isSameShared(gridEllipsoid, o.gridEllipsoid)
           && isSameShared(planeProjection, o.planeProjection)
           && isSameShared(planeEllipsoid, o.planeEllipsoid);
}

void CTransformPlaneGridCorrectionParams::clear()
{
    name.clear();
    gridX.reset();
    gridY.reset();
    scale = 0.0;
    gridProjection.reset();
    gridEllipsoid.reset();
    planeProjection.reset();
    planeEllipsoid.reset();
}

void CTransformParamsSet::clear()
{
    transforms.clear();
    isDirect = false;
}

void CTransform::forwardTransform(const CCoords& in, CCoords* out) const
{
    *out = in;
    forwardTransform(out);
}

void CTransform::reverseTransform(const CCoords& in, CCoords* out) const
{
    *out = in;
    reverseTransform(out);
}

CTransformAffine3D::CTransformAffine3D(const CTransformAffine3DParams& params)
    : CTransform(TransformAffine3D),
      m_forward{params.m11, params.m12, params.m13, params.m21, params.m22,
                params.m23, params.m31, params.m32, params.m33},
      m_forwardTranslation{params.t1, params.t2, params.t3}
{
    if (!invert(m_forward, m_reverse) || !allFinite(m_forwardTranslation, 3))
        throw std::runtime_error("CTransformAffine3D: the matrix cannot be inverted");
    reverseTranslation(m_reverse, m_forwardTranslation, m_reverseTranslation);
}

CTransformAffine3D::CTransformAffine3D(const double& angle)
    : CTransform(TransformAffine3D),
      m_forward{std::cos(angle), -std::sin(angle), 0.0, std::sin(angle), std::cos(angle), 0.0,
                0.0, 0.0, 1.0},
      m_forwardTranslation{0.0, 0.0, 0.0},
      m_reverse{std::cos(angle), std::sin(angle), 0.0, -std::sin(angle), std::cos(angle), 0.0,
                0.0, 0.0, 1.0},
      m_reverseTranslation{0.0, 0.0, 0.0}
{
}

CTransformAffine3D::CTransformAffine3D(const CCoords& translation)
    : CTransform(TransformAffine3D),
      m_forward{1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0},
      m_forwardTranslation{translation.first, translation.second, translation.third},
      m_reverse{1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0},
      m_reverseTranslation{-translation.first, -translation.second, -translation.third}
{
}

// The reverse of the shift is (X - t) / s turned by the transposed rotation.
CTransformAffine3D::CTransformAffine3D(const CDatumShiftBursaWolfParams& p)
    : CTransform(TransformAffine3D),
      m_forwardTranslation{p.tx, p.ty, p.tz}
{
    const double s = 1.0 + p.m;
    const double rotation[9] = {1.0, -p.rz, p.ry, p.rz, 1.0, -p.rx, -p.ry, p.rx, 1.0};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            m_forward[3 * row + column] = s * rotation[3 * row + column];
            m_reverse[3 * row + column] = rotation[3 * column + row] / s;
        }
    }
    if (!allFinite(m_forward, 9) || !allFinite(m_reverse, 9))
        throw std::runtime_error("CTransformAffine3D: the shift cannot be inverted");
    reverseTranslation(m_reverse, m_forwardTranslation, m_reverseTranslation);
}

void CTransformAffine3D::forwardTransform(CCoords* coords) const
{
    applyAffine(m_forward, m_forwardTranslation, coords);
}

void CTransformAffine3D::reverseTransform(CCoords* coords) const
{
    applyAffine(m_reverse, m_reverseTranslation, coords);
}

CTransformEarthCurvature::CTransformEarthCurvature(const CTransformEarthCurvatureParams& params)
    : CTransform(TransformEarthCurvature), m_R(params.R), m_x0(params.x0), m_y0(params.y0)
{
}

double CTransformEarthCurvature::correction(const CCoords& coords) const
{
    const double dx = coords.first - m_x0;
    const double dy = coords.second - m_y0;
    return (dx * dx + dy * dy) * 0.5 / m_R;
}

void CTransformEarthCurvature::forwardTransform(CCoords* coords) const
{
    coords->third += correction(*coords);
}

void CTransformEarthCurvature::reverseTransform(CCoords* coords) const
{
    coords->third -= correction(*coords);
}

CTransformPlaneGridCorrection::CTransformPlaneGridCorrection(
    const CTransformPlaneGridCorrectionParams& params)
    : CTransform(TransformPlaneGridCorrection),
      m_name(params.name),
      m_gridX(ownGrid(params.gridX)),
      m_gridY(ownGrid(params.gridY)),
      m_scale(params.scale),
      m_gridProj(makeProjection(params.gridProjection, params.gridEllipsoid)),
      m_planeProj(makeProjection(params.planeProjection, params.planeEllipsoid))
{
    if (!m_gridX != !m_gridY)
        throw std::runtime_error("CTransformPlaneGridCorrection: one of the two grids is missing");
}

void CTransformPlaneGridCorrection::forwardTransform(CCoords*) const
{
    throw std::logic_error("void CTransformPlaneGridCorrection::forwardTransform(CCoords*) const");
}

void CTransformPlaneGridCorrection::reverseTransform(CCoords*) const
{
    throw std::logic_error(
        "void CTransformPlaneGridCorrection::reverseTransform(CCoords *coords) const");
}

void CTransformPlaneGridCorrection::interpolate(const CCoords& point, double* dx,
                                                double* dy) const
{
    *dx = m_gridX->interpolate(point.first, point.second) * m_scale;
    *dy = m_gridY->interpolate(point.first, point.second) * m_scale;
}

void CTransformPlaneGridCorrection::computeCorrection(CCoords* point, double* dx,
                                                      double* dy) const
{
    if (!m_gridX)
        return;
    CCoords p = *point;
    if (m_gridProj)
        m_gridProj->GeodeticToProjected(&p);
    interpolate(p, dx, dy);
}

void CTransformPlaneGridCorrection::applyCorrection(CCoords* point, double* dx, double* dy) const
{
    CCoords p = *point;
    if (m_gridX) {
        if (m_gridProj)
            m_gridProj->GeodeticToProjected(&p);
        double cx = 0.0;
        double cy = 0.0;
        interpolate(p, &cx, &cy);
        p.first -= cx;
        p.second -= cy;
        if (m_gridProj)
            m_gridProj->ProjectedToGeodetic(&p);
        *point = p;
        return;
    }
    if (!isDefined(*dx) || !isDefined(*dy))
        throw std::runtime_error("CTransformPlaneGridCorrection: no correction was computed for "
                                 + m_name);
    if (m_planeProj)
        m_planeProj->GeodeticToProjected(&p);
    p.first += *dx;
    p.second += *dy;
    if (m_planeProj)
        m_planeProj->ProjectedToGeodetic(&p);
    *point = p;
}

std::unique_ptr<CTransform> createTransform(const CTransformParams& params)
{
    switch (params.getType()) {
    case TransformAffine3D:
        return std::make_unique<CTransformAffine3D>(
            dynamic_cast<const CTransformAffine3DParams&>(params));
    case TransformPlaneGridCorrection:
        return std::make_unique<CTransformPlaneGridCorrection>(
            dynamic_cast<const CTransformPlaneGridCorrectionParams&>(params));
    default:
        return nullptr;
    }
}

CCoordOperationTransform::CCoordOperationTransform(std::unique_ptr<CTransform> transform,
                                                   int direction)
    : CCoordOperation(OperationTransform), m_transform(std::move(transform)),
      m_direction(direction)
{
    if (!m_transform)
        throw std::runtime_error("CCoordOperationTransform: no transform");
}

bool CCoordOperationTransform::apply(CCoords* point, CAuxDataSet*)
{
    if (m_direction == DirectionForward) {
        m_transform->forwardTransform(point);
        return true;
    }
    if (m_direction == DirectionReverse) {
        m_transform->reverseTransform(point);
        return true;
    }
    return false;
}

CCoordOperationPlaneGridCorrection::CCoordOperationPlaneGridCorrection(
    std::unique_ptr<CTransformPlaneGridCorrection> transform, int direction)
    : CCoordOperation(OperationPlaneGridCorrection), m_transform(std::move(transform)),
      m_direction(direction)
{
    if (!m_transform)
        throw std::runtime_error("CCoordOperationPlaneGridCorrection: no transform");
}

bool CCoordOperationPlaneGridCorrection::run(CCoords* point,
                                             CAuxDataPlaneCorrection* correction) const
{
    if (m_direction == DirectionForward) {
        m_transform->applyCorrection(point, &correction->first, &correction->second);
        return true;
    }
    if (m_direction == DirectionReverse) {
        m_transform->computeCorrection(point, &correction->first, &correction->second);
        return true;
    }
    return false;
}

bool CCoordOperationPlaneGridCorrection::apply(CCoords* point, CAuxDataSet* aux)
{
    CAuxDataPlaneCorrection* stored = aux->getPlaneCorrection(m_transform->getName());
    if (stored)
        return run(point, stored);
    auto created = std::make_unique<CAuxDataPlaneCorrection>();
    const bool done = run(point, created.get());
    aux->add(m_transform->getName(), std::move(created));
    return done;
}

} // namespace vexa
