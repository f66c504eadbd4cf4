#include "geodesy/datumshift.h"
#include "geodesy/transform.h"

#include "pointcheck.h"
#include "referencetable.h"

#include <QtTest>

#include <cmath>
#include <stdexcept>
#include <typeinfo>

using namespace vexa;
using pointcheck::isNear;

namespace {

CTransformAffine3DParams affineParams(const double m[9], const double t[3])
{
    CTransformAffine3DParams params;
    params.m11 = m[0];
    params.m12 = m[1];
    params.m13 = m[2];
    params.m21 = m[3];
    params.m22 = m[4];
    params.m23 = m[5];
    params.m31 = m[6];
    params.m32 = m[7];
    params.m33 = m[8];
    params.t1 = t[0];
    params.t2 = t[1];
    params.t3 = t[2];
    return params;
}

const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
const double noTranslation[3] = {0, 0, 0};

// Params of another class that claim a type code.
class COtherTransformParams : public CTransformParams
{
public:
    explicit COtherTransformParams(int type) : CTransformParams(type) {}
    bool isEqual(const CTransformParams&) const override { return false; }
    void clear() override {}
};

// Projection params of a code that no projection answers to.
class CUnknownProjectionParams : public CMapProjectionParams
{
public:
    CUnknownProjectionParams() : CMapProjectionParams(19) {}
    bool isEqual(const CMapProjectionParams&) const override { return true; }
};

// Grid of one value everywhere.
std::shared_ptr<C2DGrid<double>> flatGrid(double value)
{
    auto grid = std::make_shared<C2DGrid<double>>();
    const std::string v = std::to_string(value);
    grid->readText("0 100 0 100 100 100 " + v + " " + v + " " + v + " " + v);
    return grid;
}

CTransformPlaneGridCorrectionParams correctionParams(const std::string& name, bool withGrids)
{
    CTransformPlaneGridCorrectionParams params;
    params.name = name;
    params.scale = 0.5;
    if (withGrids) {
        params.gridX = flatGrid(2.0);
        params.gridY = flatGrid(-4.0);
    }
    return params;
}

} // namespace

class TestTransform : public QObject
{
    Q_OBJECT

private slots:
    void affineTranslation();
    void affineReverseUndoesForward();
    void rotationAboutZ();
    void translationConstructor();
    void singularMatrixRefused_data();
    void singularMatrixRefused();
    void paramsEquality();
    void earthCurvature();
    void factory();
    void operationDirections();
    void paramsSetClear();
    void bursaWolfAffineMatchesShift_data();
    void bursaWolfAffineMatchesShift();
    void bursaWolfAffineWithoutInverse();
    void planeGridCorrectionSlotsThrow();
    void planeGridCorrectionThroughAuxData();
    void planeGridCorrectionInProjectionPlane();
    void planeGridCorrectionRefusals();
    void planeGridCorrectionParamsEquality();
};

void TestTransform::affineTranslation()
{
    const double t[3] = {1, 2, 3};
    const CTransformAffine3D transform(affineParams(identity, t));
    CCoords point(10, 20, 30);
    transform.forwardTransform(&point);
    QVERIFY(point == CCoords(11, 22, 33));
    transform.reverseTransform(&point);
    QVERIFY(point == CCoords(10, 20, 30));
}

void TestTransform::affineReverseUndoesForward()
{
    const double m[9] = {1, 2, 0, 0, 1, 0, 0.5, -3, 2};
    const double t[3] = {-100, 250.5, 7};
    const CTransformAffine3D transform(affineParams(m, t));
    const CCoords start(123.25, -456.5, 789.125);
    CCoords point;
    transform.forwardTransform(start, &point);
    const CCoords expected(-100 + 123.25 - 913, 250.5 - 456.5, 7 + 61.625 + 1369.5 + 1578.25);
    QVERIFY(isNear(point, expected, 1e-9));
    transform.reverseTransform(&point);
    QVERIFY2(isNear(point, start, 1e-9), pointcheck::difference(point, start));
}

void TestTransform::rotationAboutZ()
{
    const CTransformAffine3D rotation(kHalfPi);
    CCoords point(1, 0, 5);
    rotation.forwardTransform(&point);
    QVERIFY(isNear(point, CCoords(0, 1, 5), 1e-15));
    rotation.reverseTransform(&point);
    QVERIFY(isNear(point, CCoords(1, 0, 5), 1e-15));
}

void TestTransform::translationConstructor()
{
    const CTransformAffine3D shift(CCoords(0, 0.04, 0));
    CCoords point(0.9, 0.5, 100);
    shift.forwardTransform(&point);
    QVERIFY(point == CCoords(0.9, 0.54, 100));
    shift.reverseTransform(&point);
    QVERIFY(point == CCoords(0.9, 0.5, 100));
}

void TestTransform::singularMatrixRefused_data()
{
    QTest::addColumn<QVector<double>>("matrix");
    QTest::newRow("zero") << QVector<double>{0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("zero plane part") << QVector<double>{0, 0, 0, 0, 0, 0, 0, 0, 1};
    QTest::newRow("equal rows") << QVector<double>{1, 2, 3, 1, 2, 3, 0, 0, 1};
    QTest::newRow("dependent rows") << QVector<double>{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.5, 0.7, 0.9};
    QTest::newRow("undefined") << QVector<double>{kUndefined, 0, 0, 0, 1, 0, 0, 0, 1};
    QTest::newRow("nan") << QVector<double>{std::nan(""), 0, 0, 0, 1, 0, 0, 0, 1};
}

void TestTransform::singularMatrixRefused()
{
    QFETCH(QVector<double>, matrix);
    const CTransformAffine3DParams params = affineParams(matrix.constData(), noTranslation);
    QVERIFY_EXCEPTION_THROWN(CTransformAffine3D transform(params), std::runtime_error);
    QVERIFY_EXCEPTION_THROWN(createTransform(params), std::runtime_error);
}

void TestTransform::paramsEquality()
{
    const CTransformAffine3DParams base = affineParams(identity, noTranslation);
    CTransformAffine3DParams other = base;
    other.m12 = 5e-13;
    other.t3 = 5e-10;
    QVERIFY(base.isEqual(other));
    other.m12 = 1e-12;
    QVERIFY(!base.isEqual(other));
    other = base;
    other.t1 = 1e-9;
    QVERIFY(!base.isEqual(other));
    QVERIFY(!base.isEqual(CTransformEarthCurvatureParams()));
    QVERIFY_EXCEPTION_THROWN(base.isEqual(COtherTransformParams(TransformAffine3D)), std::bad_cast);

    CTransformAffine3DParams cleared = base;
    cleared.clear();
    QCOMPARE(cleared.m22, kUndefined);
    QCOMPARE(cleared.t2, kUndefined);
    QVERIFY(cleared.isValid());

    CTransformEarthCurvatureParams curvature;
    curvature.R = 1000;
    curvature.x0 = curvature.y0 = 0;
    CTransformEarthCurvatureParams near = curvature;
    near.x0 = 5e-10;
    QVERIFY(curvature.isEqual(near));
    near.x0 = 2e-9;
    QVERIFY(!curvature.isEqual(near));
}

void TestTransform::earthCurvature()
{
    CTransformEarthCurvatureParams params;
    params.R = 1000;
    params.x0 = 0;
    params.y0 = 0;
    const CTransformEarthCurvature transform(params);
    CCoords point(10, 0, 0);
    transform.forwardTransform(&point);
    QCOMPARE(point.third, 0.05);
    transform.reverseTransform(&point);
    QCOMPARE(point.third + 1.0, 1.0);
    QCOMPARE(transform.getType(), int(TransformEarthCurvature));
}

void TestTransform::factory()
{
    CTransformEarthCurvatureParams curvature;
    curvature.R = 1000;
    curvature.x0 = curvature.y0 = 0;
    QVERIFY(createTransform(curvature) == nullptr);
    QVERIFY(createTransform(COtherTransformParams(TransformNone)) == nullptr);
    QVERIFY_EXCEPTION_THROWN(createTransform(COtherTransformParams(TransformAffine3D)),
                             std::bad_cast);
    QVERIFY_EXCEPTION_THROWN(createTransform(COtherTransformParams(TransformPlaneGridCorrection)),
                             std::bad_cast);
    const auto affine = createTransform(affineParams(identity, noTranslation));
    QVERIFY(affine != nullptr);
    QCOMPARE(affine->getType(), int(TransformAffine3D));
    const auto correction = createTransform(correctionParams("c", true));
    QVERIFY(correction != nullptr);
    QCOMPARE(correction->getType(), int(TransformPlaneGridCorrection));
}

void TestTransform::operationDirections()
{
    const double t[3] = {1, 2, 3};
    CAuxDataSet aux;
    CCoords point(0, 0, 0);
    CCoordOperationTransform forward(createTransform(affineParams(identity, t)), 1);
    QCOMPARE(forward.getType(), int(OperationTransform));
    QVERIFY(forward.apply(&point, &aux));
    QVERIFY(point == CCoords(1, 2, 3));
    CCoordOperationTransform reverse(createTransform(affineParams(identity, t)), 2);
    QVERIFY(reverse.apply(&point, &aux));
    QVERIFY(point == CCoords(0, 0, 0));
    CCoordOperationTransform other(createTransform(affineParams(identity, t)), 0);
    QVERIFY(!other.apply(&point, &aux));
    QVERIFY(point == CCoords(0, 0, 0));
    QVERIFY_EXCEPTION_THROWN(CCoordOperationTransform(nullptr, 1), std::runtime_error);
}

void TestTransform::paramsSetClear()
{
    CTransformParamsSet set;
    QVERIFY(!set.isDirect);
    QVERIFY(!set.isPassive);
    set.transforms.push_back(std::make_unique<CTransformAffine3DParams>());
    set.isDirect = true;
    set.isPassive = true;
    set.clear();
    QVERIFY(set.transforms.empty());
    QVERIFY(!set.isDirect);
    QVERIFY(set.isPassive);
}

void TestTransform::bursaWolfAffineMatchesShift_data()
{
    QTest::addColumn<QVector<double>>("row");
    const QVector<QVector<double>> rows = readReferenceTable("datumshift_helmert.txt");
    QVERIFY(!rows.isEmpty());
    for (int k = 0; k < rows.size(); ++k)
        QTest::newRow(QByteArray::number(k + 1)) << rows[k];
}

// The affine form maps as the shift does in both directions, and as the reference.
void TestTransform::bursaWolfAffineMatchesShift()
{
    QFETCH(QVector<double>, row);
    const CDatumShiftBursaWolfParams params = pointcheck::helmertParams(row);
    const CDatumShiftBursaWolf shift(params);
    const auto affine = params.createTransform();
    const CCoords point(row[7], row[8], row[9]);

    CCoords byShift;
    CCoords byAffine;
    shift.forwardShift(point, &byShift);
    affine->forwardTransform(point, &byAffine);
    QVERIFY2(isNear(byAffine, byShift, 1e-8), pointcheck::difference(byAffine, byShift));
    QVERIFY(isNear(byAffine, CCoords(row[10], row[11], row[12]), 1e-6));

    shift.reverseShift(point, &byShift);
    affine->reverseTransform(point, &byAffine);
    QVERIFY2(isNear(byAffine, byShift, 1e-8), pointcheck::difference(byAffine, byShift));
    QVERIFY(isNear(byAffine, CCoords(row[13], row[14], row[15]), 1e-6));
}

void TestTransform::bursaWolfAffineWithoutInverse()
{
    CDatumShiftBursaWolfParams params;
    params.setZero();
    params.m = -1.0;
    QVERIFY_EXCEPTION_THROWN(params.createTransform(), std::runtime_error);
}

void TestTransform::planeGridCorrectionSlotsThrow()
{
    const CTransformPlaneGridCorrection correction(correctionParams("c", true));
    CCoords point(1, 2, 3);
    try {
        correction.forwardTransform(&point);
        QFAIL("no exception");
    } catch (const std::logic_error& e) {
        QCOMPARE(QString(e.what()),
                 QString("void CTransformPlaneGridCorrection::forwardTransform(CCoords*) const"));
    }
    try {
        correction.reverseTransform(&point);
        QFAIL("no exception");
    } catch (const std::logic_error& e) {
        QCOMPARE(QString(e.what()),
                 QString("void CTransformPlaneGridCorrection::reverseTransform(CCoords *coords) "
                         "const"));
    }
    QVERIFY(point == CCoords(1, 2, 3));
}

void TestTransform::planeGridCorrectionThroughAuxData()
{
    CAuxDataSet aux;
    CCoords point(50, 50, 7);
    CCoordOperationPlaneGridCorrection compute(
        std::make_unique<CTransformPlaneGridCorrection>(correctionParams("corr", true)), 2);
    QCOMPARE(compute.getType(), int(OperationPlaneGridCorrection));
    QVERIFY(compute.apply(&point, &aux));
    QVERIFY(point == CCoords(50, 50, 7));
    const CAuxDataPlaneCorrection* stored = aux.getPlaneCorrection("corr");
    QVERIFY(stored);
    QCOMPARE(stored->first, 1.0);
    QCOMPARE(stored->second, -2.0);

    point = CCoords(1000, 2000, 7);
    CCoordOperationPlaneGridCorrection add(
        std::make_unique<CTransformPlaneGridCorrection>(correctionParams("corr", false)), 1);
    QVERIFY(add.apply(&point, &aux));
    QVERIFY(point == CCoords(1001, 1998, 7));

    CCoordOperationPlaneGridCorrection subtract(
        std::make_unique<CTransformPlaneGridCorrection>(correctionParams("fresh", true)), 1);
    point = CCoords(30, 40, 7);
    QVERIFY(subtract.apply(&point, &aux));
    QVERIFY(point == CCoords(29, 42, 7));

    CCoordOperationPlaneGridCorrection other(
        std::make_unique<CTransformPlaneGridCorrection>(correctionParams("other", true)), 5);
    QVERIFY(!other.apply(&point, &aux));
    QVERIFY(point == CCoords(29, 42, 7));
    QVERIFY(aux.getPlaneCorrection("other"));
    QCOMPARE(aux.getPlaneCorrection("other")->first, kUndefined);
}

// The correction is interpolated and applied in the plane of the grid's
// projection, or added in the plane of the point's projection.
void TestTransform::planeGridCorrectionInProjectionPlane()
{
    auto ellipsoid = std::make_shared<CEllipsoidParams>();
    ellipsoid->setInverseFlattening(6378137.0, 298.257222101);
    auto projection = std::make_shared<CMapProjectionTransverseMercatorParams>();
    projection->centralMeridian = 0.5;
    projection->latitudeOfOrigin = 0.0;
    projection->scaleFactor = 1.0;
    projection->falseEasting = 500000.0;
    projection->falseNorthing = 0.0;
    const auto plane = createMapProjection(*ellipsoid, *projection);
    const CCoords start(0.9, 0.51, 12.0);
    CCoords projected;
    plane->GeodeticToProjected(start, &projected);

    CTransformPlaneGridCorrectionParams params = correctionParams("c", true);
    params.gridX = std::make_shared<C2DGrid<double>>();
    QVERIFY(params.gridX->readText("0 1e7 0 1e6 1e7 1e6 0 1 0 1"));
    params.gridProjection = projection;
    params.gridEllipsoid = ellipsoid;
    const CTransformPlaneGridCorrection correction(params);
    CCoords point = start;
    double dx = 0.0;
    double dy = 0.0;
    correction.computeCorrection(&point, &dx, &dy);
    QVERIFY(point == start);
    QCOMPARE(dx, projected.first / 1e6 * 0.5);
    QCOMPARE(dy, -2.0);

    correction.applyCorrection(&point, &dx, &dy);
    CCoords expected;
    plane->ProjectedToGeodetic(CCoords(projected.first - dx, projected.second + 2.0, 12.0),
                               &expected);
    QVERIFY2(isNear(point, expected, 1e-12), pointcheck::difference(point, expected));

    CTransformPlaneGridCorrectionParams adding = correctionParams("c", false);
    adding.planeProjection = projection;
    adding.planeEllipsoid = ellipsoid;
    point = start;
    dx = 3.0;
    dy = -7.0;
    CTransformPlaneGridCorrection(adding).applyCorrection(&point, &dx, &dy);
    plane->ProjectedToGeodetic(CCoords(projected.first + 3.0, projected.second - 7.0, 12.0),
                               &expected);
    QVERIFY2(isNear(point, expected, 1e-12), pointcheck::difference(point, expected));
}

void TestTransform::planeGridCorrectionRefusals()
{
    CAuxDataSet aux;
    CCoords point(1000, 2000, 7);
    CCoordOperationPlaneGridCorrection add(
        std::make_unique<CTransformPlaneGridCorrection>(correctionParams("never computed", false)),
        1);
    QVERIFY_EXCEPTION_THROWN(add.apply(&point, &aux), std::runtime_error);
    QVERIFY(point == CCoords(1000, 2000, 7));

    CTransformPlaneGridCorrectionParams oneGrid = correctionParams("c", true);
    oneGrid.gridY.reset();
    QVERIFY_EXCEPTION_THROWN(CTransformPlaneGridCorrection correction(oneGrid), std::runtime_error);

    CTransformPlaneGridCorrectionParams unknown = correctionParams("c", true);
    unknown.gridProjection = std::make_shared<CUnknownProjectionParams>();
    unknown.gridEllipsoid = std::make_shared<CEllipsoidParams>(6378137.0, 6356752.314);
    QVERIFY_EXCEPTION_THROWN(CTransformPlaneGridCorrection correction(unknown), std::runtime_error);
    QVERIFY_EXCEPTION_THROWN(CCoordOperationPlaneGridCorrection(nullptr, 1), std::runtime_error);
}

void TestTransform::planeGridCorrectionParamsEquality()
{
    const CTransformPlaneGridCorrectionParams empty = correctionParams("c", false);
    QVERIFY(empty.isEqual(correctionParams("c", false)));
    QVERIFY(!empty.isEqual(correctionParams("d", false)));
    const CTransformPlaneGridCorrectionParams withGrids = correctionParams("c", true);
    QVERIFY(withGrids.isEqual(correctionParams("c", true)));
    QVERIFY(!withGrids.isEqual(empty));
    QVERIFY(!empty.isEqual(withGrids));

    CTransformPlaneGridCorrectionParams other = withGrids;
    other.gridY = flatGrid(-4.5);
    QVERIFY(!withGrids.isEqual(other));
    other = withGrids;
    other.scale = 0.5 + 2e-12;
    QVERIFY(!withGrids.isEqual(other));
    other = withGrids;
    other.planeEllipsoid = std::make_shared<CEllipsoidParams>(6378137.0, 6356752.314);
    QVERIFY(!withGrids.isEqual(other));
    CTransformPlaneGridCorrectionParams same = other;
    same.planeEllipsoid = std::make_shared<CEllipsoidParams>(6378137.0, 6356752.314);
    QVERIFY(same.isEqual(other));

    other.clear();
    QVERIFY(other.name.empty());
    QVERIFY(!other.gridX && !other.planeEllipsoid);
    QCOMPARE(other.scale, 0.0);
}

QTEST_APPLESS_MAIN(TestTransform)
#include "test_transform.moc"
