#include "geodesy/coordoperation.h"
#include "geodesy/coords.h"

#include <QtTest>

#include <cmath>

using namespace vexa;

namespace {

constexpr double kDegree = kPi / 180.0;

} // namespace

class TestCoords : public QObject
{
    Q_OBJECT

private slots:
    void defaultCoordsAreUndefined();
    void normalizeAngle_data();
    void normalizeAngle();
    void normalizeAngleHugeValueEnds();
    void normalizeLatitude_data();
    void normalizeLatitude();
    void normalizeLatitudeClampAtPi();
    void primeMeridian();
    void rotation();
    void auxDataSetKeepsFirstRecord();
    void auxDataTypedGetterChecksKind();
    void auxDatasetCoordsStoresAndRestores();
    void auxDatasetCoordsRejectsUnknownDirection();
};

void TestCoords::defaultCoordsAreUndefined()
{
    const CCoords point;
    QCOMPARE(point.first, 1.7976931348623157e308);
    QCOMPARE(point.second, 1.7976931348623157e308);
    QCOMPARE(point.third, 1.7976931348623157e308);
    QVERIFY(point == CCoords());
    QVERIFY(!isDefined(point.first));
    QVERIFY(isDefined(-1e308));
    QVERIFY(!(CCoords(NAN, 0, 0) == CCoords(NAN, 0, 0)));
}

void TestCoords::normalizeAngle_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("expected");
    QTest::newRow("3pi/2") << 3 * kPi / 2 << -kPi / 2;
    QTest::newRow("-3pi/2") << -3 * kPi / 2 << kPi / 2;
    QTest::newRow("7pi") << 7 * kPi << kPi;
    QTest::newRow("pi") << kPi << kPi;
    QTest::newRow("-pi") << -kPi << -kPi;
    QTest::newRow("inside") << 1.0 << 1.0;
    QTest::newRow("-721 degrees") << -721 * kDegree << -1 * kDegree;
}

void TestCoords::normalizeAngle()
{
    QFETCH(double, angle);
    QFETCH(double, expected);
    double longitude = angle;
    vexa::normalizeLongitude(longitude);
    vexa::normalizeAngle(angle);
    QVERIFY2(std::fabs(angle - expected) < 1e-14, qPrintable(QString::number(angle, 'g', 17)));
    QCOMPARE(longitude, angle);
}

void TestCoords::normalizeAngleHugeValueEnds()
{
    double angle = 1e300;
    vexa::normalizeAngle(angle);
    QVERIFY(std::isfinite(angle));
}

void TestCoords::normalizeLatitude_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("expected");
    QTest::newRow("100 deg") << 100 * kDegree << kHalfPi;
    QTest::newRow("170 deg") << 170 * kDegree << kHalfPi;
    QTest::newRow("200 deg") << 200 * kDegree << -kHalfPi;
    QTest::newRow("-200 deg") << -200 * kDegree << kHalfPi;
    QTest::newRow("pi") << kPi << -kHalfPi;
    QTest::newRow("-pi") << -kPi << kHalfPi;
    QTest::newRow("0.5") << 0.5 << 0.5;
    QTest::newRow("370 deg") << 370 * kDegree << 10 * kDegree;
}

void TestCoords::normalizeLatitude()
{
    QFETCH(double, angle);
    QFETCH(double, expected);
    vexa::normalizeLatitude(angle);
    QVERIFY2(std::fabs(angle - expected) < 1e-14, qPrintable(QString::number(angle, 'g', 17)));
}

void TestCoords::normalizeLatitudeClampAtPi()
{
    double angle = kPi;
    normalizeLatitudeClamp(angle);
    QCOMPARE(angle, kHalfPi);
    angle = 100 * kDegree;
    normalizeLatitudeClamp(angle);
    QCOMPARE(angle, kHalfPi);
    angle = -0.25;
    normalizeLatitudeClamp(angle);
    QCOMPARE(angle, -0.25);
}

void TestCoords::primeMeridian()
{
    CPrimeMeridianParams meridian;
    QVERIFY(!meridian.isValid());
    QVERIFY(std::fabs(CPrimeMeridianParams(3 * kPi / 2).getLongitude() + kPi / 2) < 1e-15);
    meridian.setLongitude(5e-13);
    QVERIFY(meridian.isValid());
    QVERIFY(meridian.isZero());
    meridian.setLongitude(2e-12);
    QVERIFY(!meridian.isZero());
    QVERIFY(CPrimeMeridianParams(kPi).isEqual(CPrimeMeridianParams(-kPi)));
    QVERIFY(!CPrimeMeridianParams(1.0).isEqual(CPrimeMeridianParams(1.0 + 1e-11)));
    meridian.clear();
    QVERIFY(!meridian.isValid());
    meridian.setZero();
    QVERIFY(meridian.isZero());
}

void TestCoords::rotation()
{
    const CAngleRotation zero(0.0);
    QVERIFY(zero.isZero());
    double x = 3.5, y = -2.0;
    zero.rotate(x, y);
    QCOMPARE(x, 3.5);
    QCOMPARE(y, -2.0);

    const CAngleRotation quarter(kHalfPi);
    QVERIFY(!quarter.isZero());
    x = 1.0;
    y = 0.0;
    quarter.rotate(x, y);
    QVERIFY(std::fabs(x) < 1e-15 && std::fabs(y - 1.0) < 1e-15);
    quarter.rotateBack(x, y);
    QVERIFY(std::fabs(x - 1.0) < 1e-15 && std::fabs(y) < 1e-15);

    CCoords point(0.1, 0.2, 0.3);
    quarter.addToLongitude(point);
    QCOMPARE(point.second, 0.2 + kHalfPi);
    quarter.subtractFromLongitude(point);
    zero.addToLongitude(point);
    QVERIFY(std::fabs(point.second - 0.2) < 1e-15);
    QVERIFY(quarter == CAngleRotation(kHalfPi));
}

void TestCoords::auxDataSetKeepsFirstRecord()
{
    CAuxDataSet aux;
    auto first = std::make_unique<CAuxDataHeight>(1.0);
    auto second = std::make_unique<CAuxDataHeight>(2.0);
    aux.add("h", std::move(first));
    aux.add("h", std::move(second));
    QVERIFY(!first && !second);
    QCOMPARE(aux.getHeight("h")->height, 1.0);
    QVERIFY(!aux.find("other"));
}

void TestCoords::auxDataTypedGetterChecksKind()
{
    CAuxDataSet aux;
    aux.add("c", std::make_unique<CAuxDataCoords>(CCoords(1, 2, 3)));
    aux.add("p", std::make_unique<CAuxDataPlaneCorrection>(4, 5));
    QVERIFY(!aux.getHeight("c"));
    QVERIFY(!aux.getPlaneCorrection("c"));
    QVERIFY(aux.getCoords("c")->coords == CCoords(1, 2, 3));
    QCOMPARE(aux.getPlaneCorrection("p")->second, 5.0);
    QVERIFY(!aux.getCoords("p"));
    QCOMPARE(CAuxData().getKind(), 0);
    QCOMPARE(CAuxDataHeight().height, kUndefined);
}

void TestCoords::auxDatasetCoordsStoresAndRestores()
{
    CCoordOperationAuxDatasetCoords store("point", DirectionForward);
    CCoordOperationAuxDatasetCoords restore("point", DirectionReverse);
    QCOMPARE(store.getType(), 10);
    CAuxDataSet aux;

    CCoords point(1, 2, 3);
    QVERIFY(!restore.apply(&point, &aux));
    QVERIFY(point == CCoords(1, 2, 3));

    QVERIFY(store.apply(&point, &aux));
    CCoords later(4, 5, 6);
    QVERIFY(store.apply(&later, &aux));
    QVERIFY(later == CCoords(4, 5, 6));

    CCoords restored;
    QVERIFY(restore.applyCopy(later, &restored, &aux));
    QVERIFY(restored == CCoords(1, 2, 3));
}

void TestCoords::auxDatasetCoordsRejectsUnknownDirection()
{
    CCoordOperationAuxDatasetCoords odd("point", 3);
    CAuxDataSet aux;
    CCoords point(1, 2, 3);
    QVERIFY(!odd.apply(&point, &aux));
    QVERIFY(point == CCoords(1, 2, 3));
    QVERIFY(!aux.find("point"));
}

QTEST_APPLESS_MAIN(TestCoords)
#include "test_coords.moc"
