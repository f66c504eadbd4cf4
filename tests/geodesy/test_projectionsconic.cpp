#include "geodesy/projectionsconic.h"

#include "projectionreference.h"

#include <QtTest>

#include <cmath>

using namespace vexa;
using projectionreference::geodetic;
using projectionreference::kDegree;
using projectionreference::kWgs84;
using projectionreference::kGrs80;
using projectionreference::kKrassowsky;
using projectionreference::kInternational;
using Projection = std::shared_ptr<CMapProjection>;

namespace {

const CEllipsoidParams kClarke1866(6378206.4, 6356583.8);

// Belgian 1972 parallels: 49d50m00.00204s and 51d10m00.00204s.
const double kBelgianParallel1 = (49.0 + 50.0 / 60.0 + 0.00204 / 3600.0) * kDegree;
const double kBelgianParallel2 = (51.0 + 10.0 / 60.0 + 0.00204 / 3600.0) * kDegree;
const double kBelgianMeridian = (4.0 + 21.0 / 60.0 + 24.983 / 3600.0) * kDegree;

template <class Params>
Params falseOriginParams(double phi1, double phi2, double phiF, double lambdaF, double easting,
                         double northing)
{
    Params params;
    params.latitudeOfFirstParallel = phi1 * kDegree;
    params.latitudeOfSecondParallel = phi2 * kDegree;
    params.latitudeOfFalseOrigin = phiF * kDegree;
    params.longitudeOfFalseOrigin = lambdaF * kDegree;
    params.eastingAtFalseOrigin = easting;
    params.northingAtFalseOrigin = northing;
    return params;
}

Projection albers(const CEllipsoidParams& ellipsoid, double phi1, double phi2, double phiF,
                  double lambdaF, double easting, double northing)
{
    return projectionreference::make(
        ellipsoid, falseOriginParams<CMapProjectionAlbersEqualAreaParams>(phi1, phi2, phiF, lambdaF,
                                                                          easting, northing));
}

Projection lambert2SP(const CEllipsoidParams& ellipsoid, double phi1, double phi2, double phiF,
                      double lambdaF, double easting, double northing)
{
    return projectionreference::make(
        ellipsoid, falseOriginParams<CMapProjectionLambertConformalConic2SPParams>(
                       phi1, phi2, phiF, lambdaF, easting, northing));
}

Projection belgium(const CEllipsoidParams& ellipsoid, double phi1, double phi2, double phiF,
                   double lambdaF, double easting, double northing)
{
    return projectionreference::make(
        ellipsoid, falseOriginParams<CMapProjectionLambertConformalConic2SPBelgiumParams>(
                       phi1, phi2, phiF, lambdaF, easting, northing));
}

Projection belgian1972()
{
    CMapProjectionLambertConformalConic2SPBelgiumParams params;
    params.latitudeOfFirstParallel = kBelgianParallel1;
    params.latitudeOfSecondParallel = kBelgianParallel2;
    params.latitudeOfFalseOrigin = kPi / 2.0;
    params.longitudeOfFalseOrigin = kBelgianMeridian;
    params.eastingAtFalseOrigin = 150000.01256;
    params.northingAtFalseOrigin = 5400088.4378;
    return projectionreference::make(kInternational, params);
}

Projection equidistant(const CEllipsoidParams& ellipsoid, double phi1, double phi2, double phi0,
                       double lambda0, double easting, double northing)
{
    CMapProjectionEquidistantConicParams params;
    params.latitudeOfFirstParallel = phi1 * kDegree;
    params.latitudeOfSecondParallel = phi2 * kDegree;
    params.latitudeOfOrigin = phi0 * kDegree;
    params.longitudeOfOrigin = lambda0 * kDegree;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return projectionreference::make(ellipsoid, params);
}

Projection lambert1SP(const CEllipsoidParams& ellipsoid, double phi0, double lambda0, double k0,
                      double easting, double northing)
{
    CMapProjectionLambertConformalConic1SPParams params;
    params.latitudeOfOrigin = phi0 * kDegree;
    params.longitudeOfOrigin = lambda0 * kDegree;
    params.scaleFactor = k0;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return projectionreference::make(ellipsoid, params);
}

} // namespace

class TestProjectionsConic : public QObject
{
    Q_OBJECT

private slots:
    void referenceTables_data();
    void referenceTables();
    void southernConeInverse_data();
    void southernConeInverse();
    void falseOrigin_data();
    void falseOrigin();
    void longitudeTurn_data();
    void longitudeTurn();
    void inverseNormalizesLongitude();
    void belgianGridTurn();
    void equalStandardParallels_data();
    void equalStandardParallels();
    void meridianArc();
};

void TestProjectionsConic::referenceTables_data()
{
    projectionreference::addTableColumns();

    QTest::newRow("albers south") << albers(kGrs80, -18, -36, 0, 132, 0, 0) << 5 << kGrs80.a
                                  << "projectionsconic_aea_australia.txt";
    QTest::newRow("albers north") << albers(kGrs80, 29.5, 45.5, 23, -96, 0, 0) << 5 << kGrs80.a
                                  << "projectionsconic_aea_conus.txt";
    QTest::newRow("equidistant north")
        << equidistant(kKrassowsky, 55, 65, 50, 100, 500000, 200000) << 25 << kKrassowsky.a
        << "projectionsconic_eqdc_north.txt";
    QTest::newRow("equidistant south")
        << equidistant(kWgs84, -20, -40, -30, -60, 1000000, 2000000) << 25 << kWgs84.a
        << "projectionsconic_eqdc_south.txt";
    QTest::newRow("lambert 1SP jamaica")
        << lambert1SP(kClarke1866, 18, -77, 1.0, 250000, 150000) << 7 << kClarke1866.a
        << "projectionsconic_lcc1sp_jamaica.txt";
    QTest::newRow("lambert 1SP south") << lambert1SP(kGrs80, -35, 147, 0.9996, 500000, 1000000)
                                       << 7 << kGrs80.a << "projectionsconic_lcc1sp_south.txt";
    QTest::newRow("lambert 2SP texas")
        << lambert2SP(kClarke1866, 28 + 23.0 / 60, 30 + 17.0 / 60, 27 + 50.0 / 60, -99,
                      609601.2192024384, 0)
        << 6 << kClarke1866.a << "projectionsconic_lcc2sp_texas.txt";
    QTest::newRow("lambert 2SP france") << lambert2SP(kGrs80, 49, 44, 46.5, 3, 700000, 6600000)
                                        << 6 << kGrs80.a << "projectionsconic_lcc2sp_france.txt";
    QTest::newRow("lambert 2SP south") << lambert2SP(kGrs80, -18, -36, 0, 134, 0, 0) << 6
                                       << kGrs80.a << "projectionsconic_lcc2sp_australia.txt";
    QTest::newRow("lambert 2SP belgium") << belgian1972() << 1201 << kInternational.a
                                         << "projectionsconic_lcc2spbelgium.txt";
}

void TestProjectionsConic::referenceTables()
{
    projectionreference::checkTableRow();
}

void TestProjectionsConic::southernConeInverse_data()
{
    QTest::addColumn<Projection>("projection");

    QTest::newRow("albers") << albers(kGrs80, -18, -36, 0, 132, 0, 0);
    QTest::newRow("equidistant") << equidistant(kGrs80, -18, -36, 0, 132, 0, 0);
    QTest::newRow("lambert 1SP") << lambert1SP(kGrs80, -27, 132, 1.0, 0, 0);
    QTest::newRow("lambert 2SP") << lambert2SP(kGrs80, -18, -36, 0, 132, 0, 0);
    QTest::newRow("lambert 2SP belgium") << belgium(kGrs80, -18, -36, 0, 132, 0, 0);
}

void TestProjectionsConic::southernConeInverse()
{
    QFETCH(Projection, projection);

    const CCoords point = geodetic(-30, 140);
    CCoords projected;
    projection->GeodeticToProjected(point, &projected);
    CCoords back;
    projection->ProjectedToGeodetic(projected, &back);
    QVERIFY2(std::fabs(back.second - point.second) < 1e-9,
             qPrintable(QString::number(back.second / kDegree, 'f', 9)));
    QVERIFY(std::fabs(back.first - point.first) < 1e-9);
}

void TestProjectionsConic::falseOrigin_data()
{
    QTest::addColumn<Projection>("projection");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("easting");
    QTest::addColumn<double>("northing");

    QTest::newRow("albers") << albers(kGrs80, -18, -36, -25, 132, 1000, 2000) << -25.0 << 132.0
                            << 1000.0 << 2000.0;
    QTest::newRow("equidistant") << equidistant(kWgs84, 55, 65, 50, 100, 500000, 200000) << 50.0
                                 << 100.0 << 500000.0 << 200000.0;
    QTest::newRow("lambert 1SP") << lambert1SP(kClarke1866, 18, -77, 1.0, 250000, 150000) << 18.0
                                 << -77.0 << 250000.0 << 150000.0;
    QTest::newRow("lambert 2SP") << lambert2SP(kGrs80, 49, 44, 46.5, 3, 700000, 6600000) << 46.5
                                 << 3.0 << 700000.0 << 6600000.0;
}

void TestProjectionsConic::falseOrigin()
{
    QFETCH(Projection, projection);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, easting);
    QFETCH(double, northing);

    CCoords point = geodetic(latitude, longitude);
    projection->GeodeticToProjected(&point);
    QVERIFY(std::fabs(point.first - easting) < 1e-6);
    QVERIFY(std::fabs(point.second - northing) < 1e-6);

    projection->ProjectedToGeodetic(&point);
    QVERIFY(std::fabs(point.first - latitude * kDegree) < 1e-10);
    QVERIFY(std::fabs(point.second - longitude * kDegree) < 1e-12);
}

void TestProjectionsConic::longitudeTurn_data()
{
    QTest::addColumn<Projection>("projection");

    QTest::newRow("albers") << albers(kGrs80, 29.5, 45.5, 23, -96, 0, 0);
    QTest::newRow("equidistant") << equidistant(kGrs80, 29.5, 45.5, 23, -96, 0, 0);
    QTest::newRow("lambert 1SP") << lambert1SP(kGrs80, 35, -96, 1.0, 0, 0);
    QTest::newRow("lambert 2SP") << lambert2SP(kGrs80, 29.5, 45.5, 23, -96, 0, 0);
}

// A full turn of longitude gives the same point.
void TestProjectionsConic::longitudeTurn()
{
    QFETCH(Projection, projection);

    CCoords centre = geodetic(40, -96);
    CCoords turned(centre.first, centre.second + 2.0 * kPi, 0.0);
    projection->GeodeticToProjected(&centre);
    projection->GeodeticToProjected(&turned);
    QVERIFY(std::hypot(turned.first - centre.first, turned.second - centre.second) < 1e-6);
}

void TestProjectionsConic::inverseNormalizesLongitude()
{
    const Projection projection = lambert2SP(kGrs80, 49, 44, 46.5, 179, 700000, 6600000);
    CCoords point = geodetic(46, 182);
    projection->GeodeticToProjected(&point);
    projection->ProjectedToGeodetic(&point);
    QVERIFY(std::fabs(point.second - (-178.0 * kDegree)) < 1e-12);
    QVERIFY(std::fabs(point.first - 46.0 * kDegree) < 1e-12);
}

void TestProjectionsConic::belgianGridTurn()
{
    const double lambdaF = kBelgianMeridian / kDegree;
    const Projection plain = lambert2SP(kInternational, kBelgianParallel1 / kDegree,
                                        kBelgianParallel2 / kDegree, 90, lambdaF, 150000, 5400000);
    const Projection turned = belgium(kInternational, kBelgianParallel1 / kDegree,
                                      kBelgianParallel2 / kDegree, 90, lambdaF, 150000, 5400000);

    // The false origin lies at the pole, so the apex of the cone is (150000, 5400000).
    CCoords a = geodetic(50.5, 4.0);
    CCoords b = a;
    plain->GeodeticToProjected(&a);
    turned->GeodeticToProjected(&b);
    const double angleA = std::atan2(a.first - 150000, 5400000 - a.second);
    const double angleB = std::atan2(b.first - 150000, 5400000 - b.second);
    QVERIFY(std::fabs(angleA - angleB - 29.2985 / 3600.0 * kDegree) < 1e-13);
    QVERIFY(std::fabs(std::hypot(a.first - 150000, a.second - 5400000)
                      - std::hypot(b.first - 150000, b.second - 5400000))
            < 1e-6);
}

void TestProjectionsConic::equalStandardParallels_data()
{
    QTest::addColumn<Projection>("projection");
    QTest::addColumn<Projection>("reference");

    QTest::newRow("lambert 2SP as 1SP") << lambert2SP(kGrs80, 45, 45, 45, 10, 1000, 2000)
                                        << lambert1SP(kGrs80, 45, 10, 1.0, 1000, 2000);
    QTest::newRow("albers") << albers(kGrs80, 45, 45, 45, 10, 1000, 2000)
                            << albers(kGrs80, 45 - 1e-4, 45 + 1e-4, 45, 10, 1000, 2000);
    QTest::newRow("equidistant") << equidistant(kGrs80, 45, 45, 45, 10, 1000, 2000)
                                 << equidistant(kGrs80, 45 - 1e-4, 45 + 1e-4, 45, 10, 1000, 2000);
}

void TestProjectionsConic::equalStandardParallels()
{
    QFETCH(Projection, projection);
    QFETCH(Projection, reference);

    const CCoords point = geodetic(48, 14);
    CCoords projected;
    projection->GeodeticToProjected(point, &projected);
    CCoords expected;
    reference->GeodeticToProjected(point, &expected);
    QVERIFY(std::fabs(projected.first - expected.first) < 1e-3);
    QVERIFY(std::fabs(projected.second - expected.second) < 1e-3);

    CCoords back;
    projection->ProjectedToGeodetic(projected, &back);
    QVERIFY(std::fabs(back.first - point.first) < 1e-9);
    QVERIFY(std::fabs(back.second - point.second) < 1e-9);
}

void TestProjectionsConic::meridianArc()
{
    const CMeridianArcSeries series(kWgs84.a, kWgs84.getEccentricitySquared());
    QCOMPARE(series.arc(0.0), 0.0);
    // Quarter meridian of WGS 84.
    QVERIFY(std::fabs(series.arc(kPi / 2.0) - 10001965.7293) < 1e-3);
    for (double latitude : {-80.0, -45.0, 10.0, 60.0})
        QVERIFY(std::fabs(series.footpointLatitude(series.arc(latitude * kDegree))
                          - latitude * kDegree)
                < 1e-10);
}

QTEST_APPLESS_MAIN(TestProjectionsConic)
#include "test_projectionsconic.moc"
