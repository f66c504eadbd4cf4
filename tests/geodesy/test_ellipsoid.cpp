#include "geodesy/ellipsoid.h"
#include "referencetable.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace vexa;

namespace {

constexpr double kDegree = kPi / 180.0;
const CEllipsoidParams kWgs84(6378137.0, semiMinorFromInverseFlattening(6378137.0, 298.257223563));
const CEllipsoidParams kKrassowsky(6378245.0, semiMinorFromInverseFlattening(6378245.0, 298.3));

} // namespace

class TestEllipsoid : public QObject
{
    Q_OBJECT

private slots:
    void paramsValidity();
    void paramsSetters_data();
    void paramsSetters();
    void sphere();
    void radii();
    void equatorPoint();
    void againstReference_data();
    void againstReference();
    void roundTrip_data();
    void roundTrip();
    void farSouthUsesFirstRule();
    void polarAxis_data();
    void polarAxis();
    void geocentreThrows();
    void ellipsoidOperation();
    void auxdatasetOperation();
};

void TestEllipsoid::paramsValidity()
{
    CEllipsoidParams params;
    QVERIFY(!params.isValid());
    QCOMPARE(params.getEccentricity(), 0.0);
    QCOMPARE(params.getInverseFlattening(), 0.0);
    QVERIFY(!params.setAxes(6356752.0, 6378137.0));
    QVERIFY(params.setAxes(6378137.0, 6356752.0));
    QVERIFY(params == CEllipsoidParams(6378137.0, 6356752.0));
    QVERIFY(!params.isEqual(CEllipsoidParams(6378137.0, NAN)));
    params.clear();
    QVERIFY(!params.isValid());
}

void TestEllipsoid::paramsSetters_data()
{
    QTest::addColumn<int>("setter");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expectedB");
    QTest::addColumn<bool>("valid");
    const double a = 1000.0;
    QTest::newRow("invf 2") << 0 << 2.0 << a / 2 << true;
    QTest::newRow("invf 0.5") << 0 << 0.5 << -a << false;
    QTest::newRow("e 0.6") << 1 << 0.6 << 800.0 << true;
    QTest::newRow("e2 0.36") << 2 << 0.36 << 800.0 << true;
}

void TestEllipsoid::paramsSetters()
{
    QFETCH(int, setter);
    QFETCH(double, value);
    QFETCH(double, expectedB);
    QFETCH(bool, valid);
    CEllipsoidParams params;
    bool result = false;
    if (setter == 0)
        result = params.setInverseFlattening(1000.0, value);
    else if (setter == 1)
        result = params.setEccentricity(1000.0, value);
    else
        result = params.setEccentricitySquared(1000.0, value);
    QCOMPARE(result, valid);
    QCOMPARE(params.a, 1000.0);
    QVERIFY(std::fabs(params.b - expectedB) < 1e-9);
}

void TestEllipsoid::sphere()
{
    CEllipsoidParams params;
    QVERIFY(!params.setSphere(0.0));
    QVERIFY(params.setSphere(6371000.0));
    QVERIFY(params.isSphere());
    QCOMPARE(params.getInverseFlattening(), std::numeric_limits<double>::infinity());
    QCOMPARE(params.getEccentricitySquared(), 0.0);
    QVERIFY(std::fabs(kWgs84.getInverseFlattening() - 298.257223563) < 1e-6);
    QVERIFY(std::fabs(kWgs84.getEccentricity() * kWgs84.getEccentricity()
                      - kWgs84.getEccentricitySquared()) < 1e-15);
}

void TestEllipsoid::radii()
{
    const CEllipsoid ellipsoid(kWgs84);
    const double e2 = ellipsoid.getEccentricitySquared();
    QVERIFY(std::fabs(e2 - 0.00669437999014) < 1e-13);
    QVERIFY(std::fabs(ellipsoid.getFlattening() - 1 / 298.257223563) < 1e-15);
    QVERIFY(std::fabs(ellipsoid.getPrimeVerticalRadius(0.0) - 6378137.0) < 1e-6);
    QVERIFY(std::fabs(ellipsoid.getMeridianRadius(0.0) - 6378137.0 * (1 - e2)) < 1e-6);
    const double polar = 6378137.0 * 6378137.0 / kWgs84.b;
    QVERIFY(std::fabs(ellipsoid.getPrimeVerticalRadius(kHalfPi) - polar) < 1e-6);
    QVERIFY(std::fabs(ellipsoid.getMeridianRadius(kHalfPi) - polar) < 1e-6);
    QVERIFY(std::fabs(ellipsoid.getParallelRadius(kHalfPi)) < 1e-6);
    double a = 0, b = 0;
    ellipsoid.getAxes(a, b);
    QCOMPARE(a, kWgs84.a);
    CEllipsoidParams copy;
    ellipsoid.getParams(copy);
    QVERIFY(copy == kWgs84);
}

void TestEllipsoid::equatorPoint()
{
    for (const CEllipsoidParams& params : {kWgs84, kKrassowsky}) {
        const CEllipsoid ellipsoid(params);
        CCoords point;
        ellipsoid.EllipsoidalToCartesian(CCoords(0, 0, 0), &point);
        QVERIFY(point == CCoords(params.a, 0, 0));
        ellipsoid.CartesianToEllipsoidal(point, &point);
        QVERIFY(point == CCoords(0, 0, 0));
    }
}

void TestEllipsoid::againstReference_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::newRow("Krassowsky") << "cart-krassowsky.txt" << kKrassowsky.a << kKrassowsky.b;
    QTest::newRow("WGS 84") << "cart-wgs84.txt" << kWgs84.a << kWgs84.b;
}

// Both directions agree with the reference table to 1 mm.
void TestEllipsoid::againstReference()
{
    QFETCH(QString, table);
    QFETCH(double, a);
    QFETCH(double, b);
    const CEllipsoid ellipsoid(CEllipsoidParams(a, b));
    const QVector<QVector<double>> rows = readReferenceTable(table);
    QVERIFY(rows.size() >= 6);
    for (const QVector<double>& row : rows) {
        const QString label = QString("%1 %2 %3").arg(row[0]).arg(row[1]).arg(row[2]);
        CCoords point(row[1] * kDegree, row[0] * kDegree, row[2]);
        ellipsoid.EllipsoidalToCartesian(point, &point);
        QVERIFY2(std::fabs(point.first - row[3]) < 1e-3 && std::fabs(point.second - row[4]) < 1e-3
                     && std::fabs(point.third - row[5]) < 1e-3,
                 qPrintable(label));

        point = CCoords(row[3], row[4], row[5]);
        ellipsoid.CartesianToEllipsoidal(point, &point);
        const double north = (point.first - row[1] * kDegree) * a;
        double east = point.second - row[0] * kDegree;
        normalizeAngle(east);
        east *= a * std::cos(point.first);
        QVERIFY2(std::hypot(north, east) < 1e-3 && std::fabs(point.third - row[2]) < 1e-3,
                 qPrintable(label));
    }
}

void TestEllipsoid::roundTrip_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("height");
    QTest::newRow("Moscow") << 55.75 << 37.62 << 150.0;
    QTest::newRow("south west") << -33.9 << -70.6 << 520.0;
    QTest::newRow("high north") << 89.5 << 10.0 << 3000.0;
    QTest::newRow("far south") << -89.99 << 170.0 << -30.0;
    QTest::newRow("below ellipsoid") << 10.0 << 100.0 << -5000.0;
    QTest::newRow("orbit") << 45.0 << -120.0 << 20.0e6;
    QTest::newRow("deep inside") << 10.0 << 100.0 << -6300000.0;
}

void TestEllipsoid::roundTrip()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, height);
    const CEllipsoid ellipsoid(kKrassowsky);
    const CCoords geodetic(latitude * kDegree, longitude * kDegree, height);
    double point[3] = {geodetic.first, geodetic.second, geodetic.third};
    ellipsoid.EllipsoidalToCartesian(point);
    ellipsoid.CartesianToEllipsoidal(point);
    QVERIFY(std::fabs(point[0] - geodetic.first) < 1e-12);
    QVERIFY(std::fabs(point[1] - geodetic.second) < 1e-12);
    QVERIFY(std::fabs(point[2] - geodetic.third) < 1e-4);
}

void TestEllipsoid::farSouthUsesFirstRule()
{
    const CEllipsoid ellipsoid(kWgs84);
    CCoords point;
    ellipsoid.EllipsoidalToCartesian(CCoords(-80 * kDegree, 0.5, 100.0), &point);
    QVERIFY(point.third < 0 && std::fabs(point.third) > point.first);
    ellipsoid.CartesianToEllipsoidal(point, &point);
    QVERIFY(std::fabs(point.first + 80 * kDegree) < 1e-12);
    QVERIFY(std::fabs(point.third - 100.0) < 1e-6);
}

void TestEllipsoid::polarAxis_data()
{
    QTest::addColumn<double>("z");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("height");
    const double b = kWgs84.b;
    QTest::newRow("north pole") << b << kHalfPi << 0.0;
    QTest::newRow("above north pole") << b + 1234.5 << kHalfPi << 1234.5;
    QTest::newRow("south pole") << -b << -kHalfPi << 0.0;
    QTest::newRow("below south pole") << -b + 10.0 << -kHalfPi << -10.0;
}

// A point on the polar axis lies at a pole with height |Z| - b.
void TestEllipsoid::polarAxis()
{
    QFETCH(double, z);
    QFETCH(double, latitude);
    QFETCH(double, height);
    const CEllipsoid ellipsoid(kWgs84);
    CCoords point;
    ellipsoid.CartesianToEllipsoidal(CCoords(0, 0, z), &point);
    QCOMPARE(point.first, latitude);
    QCOMPARE(point.second, 0.0);
    QVERIFY(std::fabs(point.third - height) < 1e-9);
}

void TestEllipsoid::geocentreThrows()
{
    const CEllipsoid ellipsoid(kWgs84);
    CCoords point(0, 0, 0);
    try {
        ellipsoid.CartesianToEllipsoidal(point, &point);
        QFAIL("no exception");
    } catch (const std::runtime_error& error) {
        QCOMPARE(QString(error.what()), QString("CartesianToEllipsoidal"));
    }
    QVERIFY(point == CCoords(0, 0, 0));
}

void TestEllipsoid::ellipsoidOperation()
{
    CCoordOperationEllipsoid toGeocentric(kWgs84, DirectionReverse);
    CCoordOperationEllipsoid toGeodetic(kWgs84, DirectionForward);
    CCoordOperationEllipsoid odd(kWgs84, 0);
    QCOMPARE(toGeodetic.getType(), 2);
    CAuxDataSet aux;
    CCoords point(0.9, 0.6, 100.0);
    QVERIFY(!odd.apply(&point, &aux));
    QVERIFY(point == CCoords(0.9, 0.6, 100.0));
    QVERIFY(toGeocentric.apply(&point, &aux));
    QVERIFY(point.first > 1e6);
    QVERIFY(toGeodetic.apply(&point, &aux));
    QVERIFY(std::fabs(point.first - 0.9) < 1e-12);
    QVERIFY(std::fabs(point.third - 100.0) < 1e-6);
}

void TestEllipsoid::auxdatasetOperation()
{
    CCoordOperationAuxdatasetGeocentricToGeodetic step("geo", kWgs84, DirectionForward);
    CCoordOperationAuxdatasetGeocentricToGeodetic odd("odd", kWgs84, 5);
    QCOMPARE(step.getType(), 11);
    CAuxDataSet aux;
    CCoords point(kWgs84.a + 10.0, 0, 0);
    QVERIFY(step.apply(&point, &aux));
    QVERIFY(point == CCoords(kWgs84.a + 10.0, 0, 0));
    const CAuxDataCoords* stored = aux.getCoords("geo");
    QVERIFY(stored);
    QVERIFY(std::fabs(stored->coords.third - 10.0) < 1e-9);

    CCoords other(kWgs84.a + 20.0, 0, 0);
    QVERIFY(step.apply(&other, &aux));
    QVERIFY(std::fabs(aux.getCoords("geo")->coords.third - 10.0) < 1e-9);
    QVERIFY(!odd.apply(&other, &aux));
    QVERIFY(!aux.find("odd"));
}

QTEST_APPLESS_MAIN(TestEllipsoid)
#include "test_ellipsoid.moc"
