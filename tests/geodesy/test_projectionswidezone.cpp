#include "geodesy/projectionswidezone.h"

#include "projectionreference.h"

#include <QtTest>

#include <cmath>

using namespace vexa;
using projectionreference::geodetic;
using projectionreference::kDegree;
using projectionreference::kWgs84;
using projectionreference::kKrassowsky;
using projectionreference::kInternational;
using Projection = std::shared_ptr<CMapProjection>;

namespace {

template <class Params>
Projection transverse(const CEllipsoidParams& ellipsoid, double lambda0, double k0, double easting,
                      double northing)
{
    Params params;
    params.centralMeridian = lambda0 * kDegree;
    params.scaleFactor = k0;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return projectionreference::make(ellipsoid, params);
}

Projection wideZone(const CEllipsoidParams& ellipsoid, double lambda0, double k0, double easting,
                    double northing)
{
    return transverse<CMapProjectionGaussKrugerWideZoneParams>(ellipsoid, lambda0, k0, easting,
                                                               northing);
}

Projection boaga(double lambda0, double easting)
{
    return transverse<CMapProjectionGaussBoagaParams>(kInternational, lambda0, 0.9996, easting, 0.0);
}

} // namespace

class TestProjectionsWideZone : public QObject
{
    Q_OBJECT

private slots:
    void referenceTables_data();
    void referenceTables();
    void axes_data();
    void axes();
    void wideZoneWrapsLongitude();
    void wideZoneOrigin();
    void sphereAtEquator();
    void sphereLatitudes_data();
    void sphereLatitudes();
    void sphereScale();
};

void TestProjectionsWideZone::referenceTables_data()
{
    projectionreference::addTableColumns();

    QTest::newRow("wide zone north") << wideZone(kKrassowsky, 45, 1.0, 500000, 0) << 101
                                     << kKrassowsky.a << "projectionswidezone_gkwide_north.txt";
    QTest::newRow("wide zone south") << wideZone(kWgs84, 21, 0.9996, 500000, 10000000) << 101
                                     << kWgs84.a << "projectionswidezone_gkwide_south.txt";
    QTest::newRow("boaga zone 1") << boaga(9, 1500000) << 15 << kInternational.a
                                  << "projectionswidezone_boaga_zone1.txt";
    QTest::newRow("boaga zone 2") << boaga(15, 2520000) << 15 << kInternational.a
                                  << "projectionswidezone_boaga_zone2.txt";
}

void TestProjectionsWideZone::referenceTables()
{
    projectionreference::checkTableRow();
}

void TestProjectionsWideZone::axes_data()
{
    QTest::addColumn<Projection>("projection");

    QTest::newRow("wide zone") << wideZone(kKrassowsky, 45, 1.0, 500000, 100);
    QTest::newRow("boaga") << transverse<CMapProjectionGaussBoagaParams>(kInternational, 45, 0.9996,
                                                                         500000, 100);
}

void TestProjectionsWideZone::axes()
{
    QFETCH(Projection, projection);

    for (double latitude : {-60.0, 10.0, 55.0}) {
        CCoords meridian = geodetic(latitude, 45);
        projection->GeodeticToProjected(&meridian);
        QVERIFY(std::fabs(meridian.first - 500000.0) < 1e-9);
    }
    for (double longitude : {30.0, 44.0, 59.0}) {
        CCoords equator = geodetic(0, longitude);
        projection->GeodeticToProjected(&equator);
        QVERIFY(std::fabs(equator.second - 100.0) < 1e-9);
    }
}

void TestProjectionsWideZone::wideZoneWrapsLongitude()
{
    const Projection projection = wideZone(kKrassowsky, 45, 1.0, 500000, 0);
    CCoords point = geodetic(50, 60);
    CCoords turned(point.first, point.second - 2.0 * kPi, 0.0);
    projection->GeodeticToProjected(&point);
    projection->GeodeticToProjected(&turned);
    QVERIFY(std::fabs(point.first - turned.first) < 1e-6);
    QVERIFY(std::fabs(point.second - turned.second) < 1e-6);
}

void TestProjectionsWideZone::wideZoneOrigin()
{
    const Projection projection = wideZone(kKrassowsky, 45, 1.0, 500000, 0);
    CCoords origin(500000.0, 0.0, 7.0);
    projection->ProjectedToGeodetic(&origin);
    QCOMPARE(origin.first, 0.0);
    QCOMPARE(origin.second, 45.0 * kDegree);
    QCOMPARE(origin.third, 7.0);
}

void TestProjectionsWideZone::sphereAtEquator()
{
    const CProjectionOntoSphereMollweide sphere(kWgs84.a, kWgs84.b, 0.0, 0.0);
    QCOMPARE(sphere.radius(), kWgs84.a);
    QCOMPARE(sphere.sphereScale(), 1.0);
    QCOMPARE(sphere.accuracy(), std::pow(kWgs84.getEccentricity(), 10.0));
    QCOMPARE(sphere.iterationCount(), 5u);

    double phi = 1.0;
    QCOMPARE(sphere.geodeticLatitude(0.0, phi), 1);
    QVERIFY(std::fabs(phi) < 1e-15);

    const CProjectionOntoSphereMollweide coarse(kWgs84.a, kWgs84.b, 0.0, -1.0);
    QCOMPARE(coarse.accuracy(), sphere.accuracy());
}

void TestProjectionsWideZone::sphereLatitudes_data()
{
    QTest::addColumn<double>("latitude");

    QTest::newRow("south") << -75.0;
    QTest::newRow("low") << 12.5;
    QTest::newRow("mid") << 45.0;
    QTest::newRow("north") << 89.0;
}

void TestProjectionsWideZone::sphereLatitudes()
{
    QFETCH(double, latitude);

    const CProjectionOntoSphereMollweide sphere(kWgs84.a, kWgs84.b, 0.0, 0.0);
    const double phi = latitude * kDegree;
    double chi = 0.0;
    double lambda = 0.0;
    sphere.geodeticToSphere(phi, 0.3, chi, lambda);
    QCOMPARE(lambda, 0.3);
    QVERIFY(std::fabs(chi) < std::fabs(phi));

    double back = 0.0;
    sphere.sphereToGeodetic(chi, lambda, back, lambda);
    QVERIFY(std::fabs(back - phi) < 1e-11);

    double chiBySeries = 0.0;
    sphere.geodeticToSphereBySeries(phi, lambda, chiBySeries, lambda);
    QVERIFY(std::fabs(chiBySeries - chi) < 1e-8);
    double phiBySeries = 0.0;
    sphere.sphereToGeodeticBySeries(chi, lambda, phiBySeries, lambda);
    QVERIFY(std::fabs(phiBySeries - phi) < 1e-8);
}

void TestProjectionsWideZone::sphereScale()
{
    const double origin = 50.0 * kDegree;
    const CProjectionOntoSphereMollweide sphere(kWgs84.a, kWgs84.b, origin, 1e-12);
    QVERIFY(std::fabs(sphere.scaleFactor(origin) - 1.0) < 1e-15);
    QCOMPARE(sphere.approximateScaleFactor(origin), 1.0);
    QVERIFY(std::fabs(sphere.scaleFactor(origin + 0.01) - sphere.approximateScaleFactor(origin + 0.01))
            < 1e-4);
    QVERIFY(std::fabs(sphere.radius() - kWgs84.a * sphere.sphereScale()) < 1e-9);
}

QTEST_APPLESS_MAIN(TestProjectionsWideZone)
#include "test_projectionswidezone.moc"
