#include "geodesy/mapprojection.h"
#include "projectionreference.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace vexa;
using namespace projectionreference;

namespace {

using Projection = std::shared_ptr<CMapProjection>;

// Agreement with the oracle and round trips, in metres.
constexpr double kTolerance = 1e-5;

const CEllipsoidParams kAiry(6377563.396, 6356256.909);
const CEllipsoidParams kSouthAmerican = ellipsoid(6378160.0, 298.25);

Projection transverseMercator(const CEllipsoidParams& axes, double lat0, double lon0, double k0,
                              double fe, double fn)
{
    CMapProjectionTransverseMercatorParams params;
    params.latitudeOfOrigin = lat0 * kDegree;
    params.centralMeridian = lon0 * kDegree;
    params.scaleFactor = k0;
    params.falseEasting = fe;
    params.falseNorthing = fn;
    return make(axes, params);
}

Projection equatorial(double lon0)
{
    CMapProjectionTransverseMercatorEquatorialParams params;
    params.centralMeridian = lon0 * kDegree;
    params.scaleFactor = 1.0;
    params.falseEasting = 500000.0;
    params.falseNorthing = 0.0;
    return make(kKrassowsky, params);
}

Projection mercator1SP()
{
    CMapProjectionMercator1SPParams params;
    params.latitudeOfOrigin = 0.0;
    params.longitudeOfOrigin = 150.0 * kDegree;
    params.scaleFactor = 1.0;
    params.falseEasting = 0.0;
    params.falseNorthing = 0.0;
    return make(kWgs84, params);
}

Projection mercator2SP()
{
    CMapProjectionMercator2SPParams params;
    params.latitudeOfFirstParallel = 42.0 * kDegree;
    params.longitudeOfOrigin = 100.0 * kDegree;
    params.falseEasting = 0.0;
    params.falseNorthing = 0.0;
    return make(kKrassowsky, params);
}

Projection lambert1SP()
{
    CMapProjectionLambertConformalConic1SPParams params;
    params.latitudeOfOrigin = -40.0 * kDegree;
    params.longitudeOfOrigin = 175.0 * kDegree;
    params.scaleFactor = 1.0;
    params.falseEasting = 2000000.0;
    params.falseNorthing = 6000000.0;
    return make(kGrs80, params);
}

Projection lambert2SP()
{
    CMapProjectionLambertConformalConic2SPParams params;
    params.latitudeOfFirstParallel = -37.5 * kDegree;
    params.latitudeOfSecondParallel = -44.5 * kDegree;
    params.latitudeOfFalseOrigin = -41.0 * kDegree;
    params.longitudeOfFalseOrigin = 173.0 * kDegree;
    params.eastingAtFalseOrigin = 3000000.0;
    params.northingAtFalseOrigin = 7000000.0;
    return make(kGrs80, params);
}

Projection equidistantConic()
{
    CMapProjectionEquidistantConicParams params;
    params.latitudeOfFirstParallel = 30.0 * kDegree;
    params.latitudeOfSecondParallel = 50.0 * kDegree;
    params.latitudeOfOrigin = 40.0 * kDegree;
    params.longitudeOfOrigin = 170.0 * kDegree;
    params.falseEasting = 0.0;
    params.falseNorthing = 0.0;
    return make(kWgs84, params);
}

Projection cassini(const CEllipsoidParams& axes, double lat0, double lon0, double fe, double fn)
{
    CMapProjectionCassiniSoldnerParams params;
    params.latitudeOfOrigin = lat0 * kDegree;
    params.longitudeOfOrigin = lon0 * kDegree;
    params.falseEasting = fe;
    params.falseNorthing = fn;
    return make(axes, params);
}

template <typename Params>
Params obliqueMercatorFields()
{
    Params params;
    params.latitudeOfCentre = -18.0 * kDegree;
    params.longitudeOfCentre = 178.0 * kDegree;
    params.azimuth = 30.0 * kDegree;
    params.rectifiedGridAngle = 30.0 * kDegree;
    params.scaleFactor = 0.9999;
    return params;
}

Projection obliqueMercator()
{
    auto params = obliqueMercatorFields<CMapProjectionObliqueMercatorParams>();
    params.eastingAtCentre = 500000.0;
    params.northingAtCentre = 500000.0;
    return make(kWgs84, params);
}

Projection hotineObliqueMercator()
{
    auto params = obliqueMercatorFields<CMapProjectionHotineObliqueMercatorParams>();
    params.falseEasting = 500000.0;
    params.falseNorthing = 500000.0;
    return make(kWgs84, params);
}

Projection obliqueStereographic()
{
    CMapProjectionObliqueStereographicParams params;
    params.latitudeOfOrigin = 52.15616055555555 * kDegree;
    params.longitudeOfOrigin = 5.38763888888889 * kDegree;
    params.scaleFactor = 0.9999079;
    params.falseEasting = 155000.0;
    params.falseNorthing = 463000.0;
    return make(kBessel, params);
}

Projection wideZone(const CEllipsoidParams& axes, double lon0, double k0, double fn)
{
    CMapProjectionGaussKrugerWideZoneParams params;
    params.centralMeridian = lon0 * kDegree;
    params.scaleFactor = k0;
    params.falseEasting = 500000.0;
    params.falseNorthing = fn;
    return make(axes, params);
}

Projection albers()
{
    CMapProjectionAlbersEqualAreaParams params;
    params.latitudeOfFirstParallel = 55.0 * kDegree;
    params.latitudeOfSecondParallel = 65.0 * kDegree;
    params.latitudeOfFalseOrigin = 50.0 * kDegree;
    params.longitudeOfFalseOrigin = -154.0 * kDegree;
    params.eastingAtFalseOrigin = 0.0;
    params.northingAtFalseOrigin = 0.0;
    return make(kGrs80, params);
}

Projection polyconic()
{
    CMapProjectionPolyconicParams params;
    params.longitudeOfOrigin = -54.0 * kDegree;
    params.latitudeOfOrigin = 0.0;
    params.scaleFactor = 1.0;
    params.falseEasting = 5000000.0;
    params.falseNorthing = 10000000.0;
    return make(kSouthAmerican, params);
}

Projection orthographic()
{
    CMapProjectionOrthographicParams params;
    params.latitudeOfOrigin = 40.0 * kDegree;
    params.longitudeOfOrigin = 10.0 * kDegree;
    params.falseEasting = 0.0;
    params.falseNorthing = 0.0;
    return make(kWgs84, params);
}

} // namespace

class TestProjectionAccuracy : public QObject
{
    Q_OBJECT

private slots:
    void referenceTables_data();
    void referenceTables();
    void polyconicNearEquator_data();
    void polyconicNearEquator();
    void inverseLongitudeInRange_data();
    void inverseLongitudeInRange();
    void orthographicBehindHorizonFails_data();
    void orthographicBehindHorizonFails();
};

void TestProjectionAccuracy::referenceTables_data()
{
    addTableColumns();
    QTest::newRow("tmerc Sweden") << transverseMercator(kGrs80, 0, 15, 0.9996, 500000, 0) << 1
                                  << kGrs80.a << "accuracy_tmerc_sweden.txt";
    QTest::newRow("tmerc Britain")
        << transverseMercator(kAiry, 49, -2, 0.9996012717, 400000, -100000) << 1 << kAiry.a
        << "accuracy_tmerc_britain.txt";
    QTest::newRow("tmerc across 180")
        << transverseMercator(kWgs84, 0, 177, 0.9996, 500000, 10000000) << 1 << kWgs84.a
        << "accuracy_tmerc_pacific.txt";
    QTest::newRow("equatorial wide") << equatorial(117) << 1011 << kKrassowsky.a
                                     << "accuracy_tmerc_equatorial_wide.txt";
    QTest::newRow("equatorial across 180") << equatorial(-177) << 1011 << kKrassowsky.a
                                           << "accuracy_tmerc_equatorial_pacific.txt";
    QTest::newRow("mercator 1SP") << mercator1SP() << 10 << kWgs84.a
                                  << "accuracy_merc1sp_pacific.txt";
    QTest::newRow("mercator 2SP") << mercator2SP() << 9 << kKrassowsky.a
                                  << "accuracy_merc2sp_asia.txt";
    QTest::newRow("lambert 1SP") << lambert1SP() << 7 << kGrs80.a << "accuracy_lcc1sp_pacific.txt";
    QTest::newRow("lambert 2SP") << lambert2SP() << 6 << kGrs80.a << "accuracy_lcc2sp_pacific.txt";
    QTest::newRow("equidistant conic") << equidistantConic() << 25 << kWgs84.a
                                       << "accuracy_eqdc_pacific.txt";
    QTest::newRow("cassini Berlin")
        << cassini(kBessel, 52.41864827777778, 13.62720366666667, 40000, 10000) << 8 << kBessel.a
        << "accuracy_cass_berlin.txt";
    QTest::newRow("cassini across 180") << cassini(kWgs84, -16.5, 179.3, 500000, 500000) << 8
                                        << kWgs84.a << "accuracy_cass_pacific.txt";
    QTest::newRow("oblique mercator") << obliqueMercator() << 2 << kWgs84.a
                                      << "accuracy_omerc_pacific.txt";
    QTest::newRow("hotine oblique mercator") << hotineObliqueMercator() << 3 << kWgs84.a
                                             << "accuracy_omerc_nouoff_pacific.txt";
    QTest::newRow("oblique mercator, poles") << obliqueMercator() << 2 << kWgs84.a
                                             << "accuracy_omerc_poles.txt";
    QTest::newRow("hotine oblique mercator, poles") << hotineObliqueMercator() << 3 << kWgs84.a
                                                    << "accuracy_omerc_nouoff_poles.txt";
    QTest::newRow("oblique stereographic, poles") << obliqueStereographic() << 11 << kBessel.a
                                                  << "accuracy_sterea_poles.txt";
    QTest::newRow("wide zone to 55 degrees") << wideZone(kKrassowsky, 45, 1.0, 0.0) << 101
                                             << kKrassowsky.a << "accuracy_gkwide_far.txt";
    QTest::newRow("wide zone to 55 degrees, south")
        << wideZone(kWgs84, 21, 0.9996, 10000000.0) << 101 << kWgs84.a
        << "accuracy_gkwide_far_south.txt";
    QTest::newRow("albers across 180") << albers() << 5 << kGrs80.a << "accuracy_aea_alaska.txt";
    QTest::newRow("polyconic near the equator") << polyconic() << 14 << kSouthAmerican.a
                                                << "accuracy_poly_equator.txt";
}

void TestProjectionAccuracy::referenceTables()
{
    checkTableRow(kTolerance, kTolerance);
}

void TestProjectionAccuracy::polyconicNearEquator_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("dLambda");
    QTest::newRow("on the equator") << 0.0 << 0.1;
    QTest::newRow("1e-9 rad north") << 1e-9 << 0.1;
    QTest::newRow("5e-8 rad south") << -5e-8 << -0.07;
    QTest::newRow("9e-8 rad north") << 9e-8 << 0.05;
    QTest::newRow("3e-7 rad south") << -3e-7 << 0.1;
}

// Within a micro-radian of the equator the polyconic is, to far below a micrometre,
// x = a dLambda and y = a (1 - e^2) phi + a dLambda^2 phi / 2.
void TestProjectionAccuracy::polyconicNearEquator()
{
    QFETCH(double, latitude);
    QFETCH(double, dLambda);
    const Projection projection = polyconic();
    const double a = kSouthAmerican.a;
    const CCoords point(latitude, -54.0 * kDegree + dLambda, 0.0);
    CCoords projected;
    projection->GeodeticToProjected(point, &projected);
    const double x = a * dLambda;
    const double y = a * (1.0 - kSouthAmerican.getEccentricitySquared()) * latitude
                     + a * dLambda * dLambda * latitude / 2.0;
    QVERIFY(std::fabs(projected.first - 5000000.0 - x) < 1e-6);
    QVERIFY(std::fabs(projected.second - 10000000.0 - y) < 1e-6);

    CCoords back;
    projection->ProjectedToGeodetic(projected, &back);
    QVERIFY(a * std::fabs(back.first - point.first) < kTolerance);
    QVERIFY(a * std::fabs(back.second - point.second) < kTolerance);
}

void TestProjectionAccuracy::inverseLongitudeInRange_data()
{
    QTest::addColumn<Projection>("projection");
    QTest::addColumn<double>("easting");
    QTest::addColumn<double>("northing");
    QTest::newRow("mercator") << mercator1SP() << 4452779.631731 << -1111475.102852;
    QTest::newRow("lambert 2SP") << lambert2SP() << 3800000.0 << 7700000.0;
    QTest::newRow("cassini") << cassini(kWgs84, -16.5, 179.3, 500000, 500000) << 600000.0
                             << 500000.0;
    QTest::newRow("tmerc") << transverseMercator(kWgs84, 0, 177, 0.9996, 500000, 10000000)
                           << 900000.0 << 6000000.0;
}

void TestProjectionAccuracy::inverseLongitudeInRange()
{
    QFETCH(Projection, projection);
    QFETCH(double, easting);
    QFETCH(double, northing);
    CCoords point(easting, northing, 0.0);
    projection->ProjectedToGeodetic(&point);
    QVERIFY(point.second >= -kPi && point.second <= kPi);
    QVERIFY(point.second < 0.0);
}

void TestProjectionAccuracy::orthographicBehindHorizonFails_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<bool>("visible");
    QTest::newRow("origin") << 40.0 << 10.0 << true;
    QTest::newRow("near the horizon") << -45.0 << 10.0 << true;
    QTest::newRow("antipode") << -40.0 << -170.0 << false;
    QTest::newRow("just behind the horizon") << -51.0 << 10.0 << false;
    QTest::newRow("far side, east") << 0.0 << 105.0 << false;
}

// Points behind the horizon have no projected coordinates, and no plane point off the disc
// has a latitude and longitude.
void TestProjectionAccuracy::orthographicBehindHorizonFails()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(bool, visible);
    const Projection projection = orthographic();
    CCoords point = geodetic(latitude, longitude);
    projection->GeodeticToProjected(&point);
    QCOMPARE(std::isfinite(point.first) && std::isfinite(point.second), visible);
    if (!visible)
        return;
    projection->ProjectedToGeodetic(&point);
    QVERIFY(std::fabs(point.first - latitude * kDegree) < 1e-11);

    CCoords offDisc(kWgs84.a * 1.01, 0.0, 0.0);
    projection->ProjectedToGeodetic(&offDisc);
    QVERIFY(!std::isfinite(offDisc.first));
}

QTEST_APPLESS_MAIN(TestProjectionAccuracy)
#include "test_projectionaccuracy.moc"
