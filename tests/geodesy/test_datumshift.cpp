#include "geodesy/datumshift.h"
#include "geodesy/transform.h"

#include "pointcheck.h"
#include "referencetable.h"

#include <QtTest>

#include <cmath>
#include <typeinfo>

using namespace vexa;
using pointcheck::isNear;

namespace {

// Params of another class that claim a type code.
class COtherShiftParams : public CDatumShiftParams
{
public:
    explicit COtherShiftParams(int type) : CDatumShiftParams(type) {}
    bool isEqual(const CDatumShiftParams&) const override { return false; }
    bool isIdentity() const override { return false; }
    std::unique_ptr<CTransformAffine3D> createTransform() const override { return nullptr; }
};

CDatumShiftBursaWolfParams zeroParams()
{
    CDatumShiftBursaWolfParams params;
    params.setZero();
    return params;
}

} // namespace

class TestDatumShift : public QObject
{
    Q_OBJECT

private slots:
    void paramsEqualityAndIdentity_data();
    void paramsEqualityAndIdentity();
    void paramsHelpers();
    void classMismatchThrowsBadCast();
    void translationOnlyShiftIsExact();
    void scaleOnlyShift();
    void shiftEquality();
    void operationDirection_data();
    void operationDirection();
    void shiftAgainstProj_data();
    void shiftAgainstProj();
};

void TestDatumShift::paramsEqualityAndIdentity_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("delta");
    QTest::addColumn<bool>("equal");
    QTest::addColumn<bool>("identity");
    QTest::newRow("all zero") << "" << 0.0 << true << true;
    QTest::newRow("rx 1e-12") << "rx" << 1e-12 << false << false;
    QTest::newRow("rz 5e-13") << "rz" << 5e-13 << true << true;
    QTest::newRow("m 1e-12") << "m" << 1e-12 << false << false;
    QTest::newRow("tx 5e-8") << "tx" << 5e-8 << true << true;
    QTest::newRow("tx 2e-7") << "tx" << 2e-7 << false << false;
    QTest::newRow("tz -1e-7") << "tz" << -1e-7 << false << false;
    QTest::newRow("ty undefined") << "ty" << kUndefined << false << false;
}

void TestDatumShift::paramsEqualityAndIdentity()
{
    QFETCH(QString, field);
    QFETCH(double, delta);
    QFETCH(bool, equal);
    QFETCH(bool, identity);
    CDatumShiftBursaWolfParams changed = zeroParams();
    double* fields[] = {&changed.tx, &changed.ty, &changed.tz, &changed.rx,
                        &changed.ry, &changed.rz, &changed.m};
    const QStringList names = {"tx", "ty", "tz", "rx", "ry", "rz", "m"};
    if (!field.isEmpty())
        *fields[names.indexOf(field)] += delta;
    QCOMPARE(changed.isEqual(zeroParams()), equal);
    QCOMPARE(zeroParams().isEqual(changed), equal);
    QCOMPARE(changed != zeroParams(), !equal);
    QCOMPARE(changed.isIdentity(), identity);
}

void TestDatumShift::paramsHelpers()
{
    CDatumShiftBursaWolfParams params;
    QVERIFY(!params.isIdentity());
    QVERIFY(params.isValid());
    QVERIFY(!params.isForward);
    QVERIFY(!params.isDisabled);

    params = zeroParams();
    CDatumShiftBursaWolfParams other = params;
    other.isForward = true;
    QVERIFY(!params.isEqual(other));
    other = params;
    other.isDisabled = true;
    QVERIFY(!params.isEqual(other));

    params.rx = 1e-6;
    params.ry = -2e-6;
    params.rz = 3e-6;
    QVERIFY(!params.isRotationFree());
    params.negateRotations();
    QCOMPARE(params.rx, -1e-6);
    QCOMPARE(params.ry, 2e-6);
    QCOMPARE(params.rz, -3e-6);
    params.rx = params.ry = params.rz = 0.0;
    params.tx = 100.0;
    QVERIFY(params.isRotationFree());
    QVERIFY(!params.isIdentity());

    params.clear();
    QVERIFY(!params.isValid());
}

void TestDatumShift::classMismatchThrowsBadCast()
{
    const COtherShiftParams other(DatumShiftBursaWolf);
    QVERIFY_EXCEPTION_THROWN(zeroParams().isEqual(other), std::bad_cast);
    QVERIFY_EXCEPTION_THROWN(createDatumShift(other), std::bad_cast);
    QVERIFY(!zeroParams().isEqual(COtherShiftParams(DatumShiftNone)));
    QVERIFY(createDatumShift(COtherShiftParams(DatumShiftNone)) == nullptr);
    QVERIFY(createDatumShift(COtherShiftParams(7)) == nullptr);

    const auto shift = createDatumShift(zeroParams());
    QVERIFY(shift != nullptr);
    QCOMPARE(shift->getType(), int(DatumShiftBursaWolf));
}

void TestDatumShift::translationOnlyShiftIsExact()
{
    CDatumShiftBursaWolfParams params = zeroParams();
    params.tx = 0.1;
    params.ty = -25.7;
    params.tz = 1e6 / 3.0;
    const CDatumShiftBursaWolf shift(params);
    QVERIFY(shift.isTranslationOnly());
    const CCoords start(2849867.1331, 2196278.3329, 5248950.858);
    CCoords shifted;
    shift.forwardShift(start, &shifted);
    QVERIFY(shifted == CCoords(start.first + 0.1, start.second - 25.7, start.third + 1e6 / 3.0));
    CCoords back;
    shift.reverseShift(start, &back);
    QVERIFY(back == CCoords(start.first - 0.1, start.second + 25.7, start.third - 1e6 / 3.0));
}

void TestDatumShift::scaleOnlyShift()
{
    CDatumShiftBursaWolfParams params = zeroParams();
    params.m = 1e-6;
    const CDatumShiftBursaWolf shift(params);
    QVERIFY(!shift.isTranslationOnly());
    CCoords point;
    shift.forwardShift(CCoords(1e6, -2e6, 3e6), &point);
    QVERIFY(isNear(point, CCoords(1000001.0, -2000002.0, 3000003.0), 1e-9));
}

void TestDatumShift::shiftEquality()
{
    CDatumShiftBursaWolfParams params = zeroParams();
    params.rz = 1e-6;
    const CDatumShiftBursaWolf a(params);
    const CDatumShiftBursaWolf copy(a);
    QVERIFY(a.isEqual(copy));
    params.rz = 1e-6 + 1e-18;
    QVERIFY(!a.isEqual(CDatumShiftBursaWolf(params)));
}

void TestDatumShift::operationDirection_data()
{
    QTest::addColumn<bool>("isForward");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<double>("expectedX");
    QTest::newRow("forward flag, direction 1") << true << 1 << true << 110.0;
    QTest::newRow("forward flag, direction 2") << true << 2 << true << 90.0;
    QTest::newRow("reverse flag, direction 1") << false << 1 << true << 90.0;
    QTest::newRow("reverse flag, direction 2") << false << 2 << true << 110.0;
    QTest::newRow("direction 3") << true << 3 << false << 100.0;
}

void TestDatumShift::operationDirection()
{
    QFETCH(bool, isForward);
    QFETCH(int, direction);
    QFETCH(bool, applied);
    QFETCH(double, expectedX);
    CDatumShiftBursaWolfParams params = zeroParams();
    params.tx = 10.0;
    params.isForward = isForward;
    CCoordOperationDatumShift operation(params, direction);
    QCOMPARE(operation.getType(), int(OperationDatumShift));
    CAuxDataSet aux;
    CCoords point(100.0, 0.0, 0.0);
    QCOMPARE(operation.apply(&point, &aux), applied);
    QCOMPARE(point.first, expectedX);

    CCoordOperationDatumShift taken(std::make_unique<CDatumShiftBursaWolf>(params), direction);
    point = CCoords(100.0, 0.0, 0.0);
    QCOMPARE(taken.apply(&point, &aux), applied);
    QCOMPARE(point.first, expectedX);

    CCoordOperationDatumShift none(COtherShiftParams(DatumShiftNone), direction);
    point = CCoords(100.0, 0.0, 0.0);
    QVERIFY(!none.apply(&point, &aux));
    QCOMPARE(point.first, 100.0);
}

void TestDatumShift::shiftAgainstProj_data()
{
    QTest::addColumn<QVector<double>>("row");
    const QVector<QVector<double>> rows = readReferenceTable("datumshift_helmert.txt");
    QVERIFY(!rows.isEmpty());
    for (int k = 0; k < rows.size(); ++k)
        QTest::newRow(QByteArray::number(k + 1)) << rows[k];
}

void TestDatumShift::shiftAgainstProj()
{
    QFETCH(QVector<double>, row);
    const CDatumShiftBursaWolf shift(pointcheck::helmertParams(row));
    const CCoords point(row[7], row[8], row[9]);
    const CCoords forward(row[10], row[11], row[12]);
    const CCoords reverse(row[13], row[14], row[15]);
    CCoords result;
    shift.forwardShift(point, &result);
    QVERIFY2(isNear(result, forward, 1e-6), pointcheck::difference(result, forward));
    shift.reverseShift(point, &result);
    QVERIFY2(isNear(result, reverse, 1e-6), pointcheck::difference(result, reverse));
}

QTEST_APPLESS_MAIN(TestDatumShift)
#include "test_datumshift.moc"
