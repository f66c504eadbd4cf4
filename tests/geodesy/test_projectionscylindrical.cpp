#include "geodesy/projectionscylindrical.h"

#include "projectionreference.h"

#include <QtTest>

#include <cmath>

using namespace vexa;
using projectionreference::geodetic;
using projectionreference::kDegree;
using projectionreference::kWgs84;
using projectionreference::kGrs80;
using projectionreference::kKrassowsky;
using projectionreference::kBessel;
using Projection = std::shared_ptr<CMapProjection>;

namespace {

const CEllipsoidParams kEverest = projectionreference::ellipsoid(6377298.556, 300.8017);

Projection cassini(const CEllipsoidParams& ellipsoid, double phi0, double lambda0,
                   double easting, double northing)
{
    CMapProjectionCassiniSoldnerParams params;
    params.latitudeOfOrigin = phi0 * kDegree;
    params.longitudeOfOrigin = lambda0 * kDegree;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return projectionreference::make(ellipsoid, params);
}

Projection mercator2SP(const CEllipsoidParams& ellipsoid, double phi1, double lambda0,
                       double easting, double northing)
{
    CMapProjectionMercator2SPParams params;
    params.latitudeOfFirstParallel = phi1 * kDegree;
    params.longitudeOfOrigin = lambda0 * kDegree;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return projectionreference::make(ellipsoid, params);
}

Projection mercator1SP(const CEllipsoidParams& ellipsoid, double lambda0, double k0,
                       double easting, double northing)
{
    CMapProjectionMercator1SPParams params;
    params.latitudeOfOrigin = 0.0;
    params.longitudeOfOrigin = lambda0 * kDegree;
    params.scaleFactor = k0;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return projectionreference::make(ellipsoid, params);
}

struct ObliqueDefinition
{
    double latitudeOfCentre;
    double longitudeOfCentre;
    double azimuth;
    double rectifiedGridAngle;
    double scaleFactor;
    double easting;
    double northing;
};

template <class Params>
Params obliqueParams(const ObliqueDefinition& definition)
{
    Params params;
    params.latitudeOfCentre = definition.latitudeOfCentre * kDegree;
    params.longitudeOfCentre = definition.longitudeOfCentre * kDegree;
    params.azimuth = definition.azimuth * kDegree;
    params.rectifiedGridAngle = definition.rectifiedGridAngle * kDegree;
    params.scaleFactor = definition.scaleFactor;
    return params;
}

Projection obliqueMercator(const CEllipsoidParams& ellipsoid, const ObliqueDefinition& definition)
{
    auto params = obliqueParams<CMapProjectionObliqueMercatorParams>(definition);
    params.eastingAtCentre = definition.easting;
    params.northingAtCentre = definition.northing;
    return projectionreference::make(ellipsoid, params);
}

Projection hotine(const CEllipsoidParams& ellipsoid, const ObliqueDefinition& definition)
{
    auto params = obliqueParams<CMapProjectionHotineObliqueMercatorParams>(definition);
    params.falseEasting = definition.easting;
    params.falseNorthing = definition.northing;
    return projectionreference::make(ellipsoid, params);
}

const ObliqueDefinition kBorneo{4, 115, 53.31580995, 53.13010236111111, 0.99984, 590476.87, 442857.65};
const ObliqueDefinition kAlaska{57, -133.6666666666667, 323.1301023611111, 323.1301023611111,
                                0.9999, 5000000, -5000000};
const ObliqueDefinition kMalaya{4, 102.25, 323.0257964666666, 323.1301023611111, 0.99984, 804671, 0};

Projection krovak(double easting, double northing)
{
    CMapProjectionKrovakParams params;
    params.latitudeOfCentre = 49.5 * kDegree;
    params.longitudeOfOrigin = (24.0 + 50.0 / 60.0) * kDegree;
    params.coLatitudeOfConeAxis = (30.0 + 17.0 / 60.0 + 17.3031 / 3600.0) * kDegree;
    params.latitudeOfPseudoStandardParallel = 78.5 * kDegree;
    params.scaleFactor = 0.9999;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return projectionreference::make(kBessel, params);
}

} // namespace

Q_DECLARE_METATYPE(ObliqueDefinition)
Q_DECLARE_METATYPE(CEllipsoidParams)

class TestProjectionsCylindrical : public QObject
{
    Q_OBJECT

private slots:
    void referenceTables_data();
    void referenceTables();
    void mercatorAxes_data();
    void mercatorAxes();
    void mercator1SPMatches2SP();
    void obliqueMercatorCentre_data();
    void obliqueMercatorCentre();
    void obliqueMercatorRightAzimuth();
    void krovakQuadrant();
    void krovakRoundTrip_data();
    void krovakRoundTrip();
    void cassiniOrigin();
};

void TestProjectionsCylindrical::referenceTables_data()
{
    projectionreference::addTableColumns();

    QTest::newRow("cassini berlin") << cassini(kBessel, 52.41864827777778, 13.62720366666667, 40000, 10000)
                                    << 8 << kBessel.a << "projectionscylindrical_cass_berlin.txt";
    QTest::newRow("cassini south") << cassini(kGrs80, -35, 149, 200000, 500000) << 8 << kGrs80.a
                                   << "projectionscylindrical_cass_south.txt";
    QTest::newRow("mercator 2SP") << mercator2SP(kKrassowsky, 42, 51, 0, 0) << 9 << kKrassowsky.a
                                  << "projectionscylindrical_merc2sp_caspian.txt";
    QTest::newRow("mercator 1SP") << mercator1SP(kBessel, 110, 0.997, 3900000, 900000) << 10
                                  << kBessel.a << "projectionscylindrical_merc1sp_neiez.txt";
    QTest::newRow("mercator 1SP world") << mercator1SP(kWgs84, 0, 1.0, 0, 0) << 10 << kWgs84.a
                                        << "projectionscylindrical_merc1sp_world.txt";
    QTest::newRow("oblique borneo") << obliqueMercator(kEverest, kBorneo) << 2 << kEverest.a
                                    << "projectionscylindrical_omerc_borneo.txt";
    QTest::newRow("oblique alaska") << obliqueMercator(kGrs80, kAlaska) << 2 << kGrs80.a
                                    << "projectionscylindrical_omerc_alaska.txt";
    QTest::newRow("hotine malaya") << hotine(kGrs80, kMalaya) << 3 << kGrs80.a
                                   << "projectionscylindrical_omerc_nouoff_malaya.txt";
    QTest::newRow("krovak") << krovak(0, 0) << 16 << kBessel.a << "projectionscylindrical_krovak.txt";
}

void TestProjectionsCylindrical::referenceTables()
{
    projectionreference::checkTableRow();
}

void TestProjectionsCylindrical::mercatorAxes_data()
{
    QTest::addColumn<Projection>("projection");

    QTest::newRow("2SP") << mercator2SP(kKrassowsky, 42, 51, 100000, 200000);
    QTest::newRow("1SP") << mercator1SP(kKrassowsky, 51, 0.997, 100000, 200000);
}

void TestProjectionsCylindrical::mercatorAxes()
{
    QFETCH(Projection, projection);

    CCoords meridian = geodetic(40, 51);
    projection->GeodeticToProjected(&meridian);
    QCOMPARE(meridian.first, 100000.0);

    CCoords equator = geodetic(0, 60);
    projection->GeodeticToProjected(&equator);
    QVERIFY(std::fabs(equator.second - 200000.0) < 1e-9);

    CCoords origin(100000.0, 200000.0, 5.0);
    projection->ProjectedToGeodetic(&origin);
    QCOMPARE(origin.first, 0.0);
    QVERIFY(std::fabs(origin.second - 51.0 * kDegree) < 1e-15);
    QCOMPARE(origin.third, 5.0);
}

void TestProjectionsCylindrical::mercator1SPMatches2SP()
{
    const double phi1 = 42.0 * kDegree;
    const double k0 = parallelRadiusFactor(phi1, kKrassowsky.getEccentricitySquared());
    const Projection twoParallels = mercator2SP(kKrassowsky, 42, 51, 1000, 2000);
    const Projection scaled = mercator1SP(kKrassowsky, 51, k0, 1000, 2000);

    for (const CCoords& point : {geodetic(36, 46), geodetic(47, 55), geodetic(-20, 10)}) {
        CCoords expected;
        twoParallels->GeodeticToProjected(point, &expected);
        CCoords actual;
        scaled->GeodeticToProjected(point, &actual);
        QVERIFY(std::fabs(actual.first - expected.first) < 1e-6);
        QVERIFY(std::fabs(actual.second - expected.second) < 1e-6);
    }
}

void TestProjectionsCylindrical::obliqueMercatorCentre_data()
{
    QTest::addColumn<ObliqueDefinition>("definition");
    QTest::addColumn<CEllipsoidParams>("ellipsoid");

    QTest::newRow("borneo") << kBorneo << kEverest;
    QTest::newRow("alaska") << kAlaska << kGrs80;
    QTest::newRow("southern") << ObliqueDefinition{-30, 20, 30, 30, 1.0, 1000, 2000} << kWgs84;
}

void TestProjectionsCylindrical::obliqueMercatorCentre()
{
    QFETCH(ObliqueDefinition, definition);
    QFETCH(CEllipsoidParams, ellipsoid);

    const Projection projection = obliqueMercator(ellipsoid, definition);
    CCoords centre = geodetic(definition.latitudeOfCentre, definition.longitudeOfCentre);
    projection->GeodeticToProjected(&centre);
    QVERIFY(std::fabs(centre.first - definition.easting) < 1e-6);
    QVERIFY(std::fabs(centre.second - definition.northing) < 1e-6);
}

void TestProjectionsCylindrical::obliqueMercatorRightAzimuth()
{
    // With a right azimuth and no grid rotation u is the northing from the centre.
    const ObliqueDefinition definition{45, 10, 90, 0, 1.0, 1000, 2000};
    const Projection projection = obliqueMercator(kWgs84, definition);
    CCoords point = geodetic(47, 10);
    projection->GeodeticToProjected(&point);
    QCOMPARE(point.second, 2000.0);
}

void TestProjectionsCylindrical::krovakQuadrant()
{
    const Projection projection = krovak(0, 0);
    for (const CCoords& point : {geodetic(48, 13), geodetic(50.5, 22), geodetic(49.5, 17)}) {
        CCoords projected;
        projection->GeodeticToProjected(point, &projected);
        QVERIFY(projected.first < 0.0);
        QVERIFY(projected.second < 0.0);
    }
}

void TestProjectionsCylindrical::krovakRoundTrip_data()
{
    QTest::addColumn<double>("easting");
    QTest::addColumn<double>("northing");

    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("positive") << 5000000.0 << 5000000.0;
    QTest::newRow("mixed") << -1000000.0 << 300000.0;
}

void TestProjectionsCylindrical::krovakRoundTrip()
{
    QFETCH(double, easting);
    QFETCH(double, northing);

    const Projection projection = krovak(easting, northing);
    for (const CCoords& point : {geodetic(47.8, 12.1), geodetic(51, 22.5), geodetic(49.5, 24.8)}) {
        CCoords projected;
        projection->GeodeticToProjected(point, &projected);
        CCoords back;
        projection->ProjectedToGeodetic(projected, &back);
        QVERIFY(std::fabs(back.first - point.first) < 1e-10);
        QVERIFY(std::fabs(back.second - point.second) < 1e-10);
    }
}

void TestProjectionsCylindrical::cassiniOrigin()
{
    const Projection projection = cassini(kBessel, 52.41864827777778, 13.62720366666667, 40000, 10000);
    CCoords origin(40000.0, 10000.0, 0.0);
    projection->ProjectedToGeodetic(&origin);
    QVERIFY(std::fabs(origin.first - 52.41864827777778 * kDegree) < 1e-10);
    QVERIFY(std::fabs(origin.second - 13.62720366666667 * kDegree) < 1e-15);
}

QTEST_APPLESS_MAIN(TestProjectionsCylindrical)
#include "test_projectionscylindrical.moc"
