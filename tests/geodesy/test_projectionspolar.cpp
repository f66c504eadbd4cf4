#include "geodesy/projectionspolar.h"

#include "projectionreference.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <stdexcept>

using namespace vexa;
using projectionreference::geodetic;
using projectionreference::kBessel;
using projectionreference::kDegree;
using projectionreference::kInternational;
using projectionreference::kKrassowsky;
using projectionreference::kWgs84;
using Projection = std::shared_ptr<CMapProjection>;

namespace {

const CEllipsoidParams kSouthAmerican = projectionreference::ellipsoid(6378160.0, 298.25);
const CEllipsoidParams kClarke1866(6378206.4, 6356583.8);

const int kNorth = 1;
const int kSouth = 2;

// Netherlands grid origin.
const double kRdLatitude = 52.15616055555555;
const double kRdLongitude = 5.38763888888889;

CMapProjectionPolarStereographicParams polarParams(double phi0, double lambda0, double k0,
                                                   double easting, double northing)
{
    CMapProjectionPolarStereographicParams params;
    params.longitudeOfOrigin = lambda0 * kDegree;
    params.latitudeOfOrigin = phi0 * kDegree;
    params.scaleFactor = k0;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return params;
}

Projection polar(double lambda0, double k0, double easting, double northing)
{
    return projectionreference::make(kWgs84, polarParams(90, lambda0, k0, easting, northing));
}

CMapProjectionPolarStereographicBasicParams basicParams(int pole, double lambda0, double k0,
                                                        double easting, double northing)
{
    CMapProjectionPolarStereographicBasicParams params;
    params.pole = pole;
    params.longitudeOfOrigin = lambda0 * kDegree;
    params.scaleFactor = k0;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return params;
}

Projection basic(int pole, double lambda0, double k0, double easting, double northing)
{
    return projectionreference::make(kWgs84, basicParams(pole, lambda0, k0, easting, northing));
}

CMapProjectionPolarStereographicNaturalOriginParams naturalOriginParams(int pole, double phiF,
                                                                        double lambda0,
                                                                        double easting,
                                                                        double northing)
{
    CMapProjectionPolarStereographicNaturalOriginParams params;
    params.pole = pole;
    params.latitudeOfStandardParallel = phiF * kDegree;
    params.longitudeOfOrigin = lambda0 * kDegree;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return params;
}

Projection naturalOrigin(const CEllipsoidParams& ellipsoid, int pole, double phiF, double lambda0,
                         double easting, double northing)
{
    return projectionreference::make(ellipsoid,
                                     naturalOriginParams(pole, phiF, lambda0, easting, northing));
}

CMapProjectionPolarStereographicFalseOriginParams falseOriginParams(int pole, double phiF,
                                                                    double lambda0, double easting,
                                                                    double northing)
{
    CMapProjectionPolarStereographicFalseOriginParams params;
    params.pole = pole;
    params.latitudeOfStandardParallel = phiF * kDegree;
    params.longitudeOfOrigin = lambda0 * kDegree;
    params.eastingAtFalseOrigin = easting;
    params.northingAtFalseOrigin = northing;
    return params;
}

Projection falseOrigin(const CEllipsoidParams& ellipsoid, int pole, double phiF, double lambda0,
                       double easting, double northing)
{
    return projectionreference::make(ellipsoid,
                                     falseOriginParams(pole, phiF, lambda0, easting, northing));
}

template <class Params>
Params originScaleParams(double phi0, double lambda0, double k0, double easting, double northing)
{
    Params params;
    params.latitudeOfOrigin = phi0 * kDegree;
    params.longitudeOfOrigin = lambda0 * kDegree;
    params.scaleFactor = k0;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return params;
}

Projection polyconic(const CEllipsoidParams& ellipsoid, double phi0, double lambda0, double k0,
                     double easting, double northing)
{
    return projectionreference::make(ellipsoid, originScaleParams<CMapProjectionPolyconicParams>(
                                                    phi0, lambda0, k0, easting, northing));
}

Projection quasi(const CEllipsoidParams& ellipsoid, double phi0, double lambda0, double k0,
                 double easting, double northing)
{
    return projectionreference::make(
        ellipsoid, originScaleParams<CMapProjectionQuasiStereographicParams>(phi0, lambda0, k0,
                                                                            easting, northing));
}

// Radius a * mF of a standard parallel.
double parallelRadius(const CEllipsoidParams& ellipsoid, double phiF)
{
    const double e2 = ellipsoid.getEccentricitySquared();
    const double s = std::sin(phiF * kDegree);
    return ellipsoid.a * std::cos(phiF * kDegree) / std::sqrt(1.0 - e2 * s * s);
}

QString logicErrorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::logic_error& error) {
        return QString::fromUtf8(error.what());
    }
    return QString();
}

} // namespace

class TestProjectionsPolar : public QObject
{
    Q_OBJECT

private slots:
    void referenceTables_data();
    void referenceTables();
    void meridianThroughPole_data();
    void meridianThroughPole();
    void poleFlagRefusedAtConstruction_data();
    void poleFlagRefusedAtConstruction();
    void poleFlagRefusedByBasic_data();
    void poleFlagRefusedByBasic();
    void southernOriginRefusedByNorthPoleOnly_data();
    void southernOriginRefusedByNorthPoleOnly();
    void falseOriginOnStandardParallel_data();
    void falseOriginOnStandardParallel();
    void polyconicEquator();
    void polyconicEquatorInverse();
    void quasiStereographicOrigin();
};

void TestProjectionsPolar::referenceTables_data()
{
    projectionreference::addTableColumns();

    const double a = kWgs84.a;
    QTest::newRow("north pole only") << polar(0, 0.994, 2000000, 2000000) << 12 << a
                                     << "projectionspolar_stere_upsnorth.txt";
    QTest::newRow("basic north") << basic(kNorth, 0, 0.994, 2000000, 2000000) << 21 << a
                                 << "projectionspolar_stere_upsnorth.txt";
    QTest::newRow("basic south") << basic(kSouth, 0, 0.994, 2000000, 2000000) << 21 << a
                                 << "projectionspolar_stere_upssouth.txt";
    QTest::newRow("natural origin north") << naturalOrigin(kWgs84, kNorth, 70, -45, 0, 0) << 22 << a
                                          << "projectionspolar_stere_varbnorth.txt";
    QTest::newRow("natural origin south")
        << naturalOrigin(kWgs84, kSouth, -71, 70, 6000000, 6000000) << 22 << a
        << "projectionspolar_stere_varbsouth.txt";
    QTest::newRow("false origin north")
        << falseOrigin(kInternational, kNorth, 75, 10, 200000, 300000) << 23 << kInternational.a
        << "projectionspolar_stere_varcnorth.txt";
    QTest::newRow("false origin south")
        << falseOrigin(kInternational, kSouth, -67, 140, 300000, 200000) << 23 << kInternational.a
        << "projectionspolar_stere_varcsouth.txt";
    QTest::newRow("polyconic equator") << polyconic(kSouthAmerican, 0, -54, 1.0, 5000000, 10000000)
                                       << 14 << kSouthAmerican.a << "projectionspolar_poly_brazil.txt";
    QTest::newRow("polyconic scaled") << polyconic(kClarke1866, 30, -96, 0.9996, 500000, 100000)
                                      << 14 << kClarke1866.a << "projectionspolar_poly_scaled.txt";
    QTest::newRow("quasi-stereographic netherlands")
        << quasi(kBessel, kRdLatitude, kRdLongitude, 0.9999079, 155000, 463000) << 13 << kBessel.a
        << "projectionspolar_sterea_rd_near.txt";
    QTest::newRow("quasi-stereographic romania")
        << quasi(kKrassowsky, 46, 25, 0.99975, 500000, 500000) << 13 << kKrassowsky.a
        << "projectionspolar_sterea_stereo70_near.txt";
}

void TestProjectionsPolar::referenceTables()
{
    projectionreference::checkTableRow();
}

void TestProjectionsPolar::meridianThroughPole_data()
{
    QTest::addColumn<Projection>("projection");
    QTest::addColumn<double>("poleLatitude");
    QTest::addColumn<double>("lambda0");

    QTest::newRow("north pole only") << polar(20, 0.994, 2000000, 2000000) << 90.0 << 20.0;
    QTest::newRow("basic north") << basic(kNorth, -30, 0.994, 2000000, 2000000) << 90.0 << -30.0;
    QTest::newRow("basic south") << basic(kSouth, 0, 0.994, 2000000, 2000000) << -90.0 << 0.0;
    QTest::newRow("natural origin south")
        << naturalOrigin(kWgs84, kSouth, -71, 70, 6000000, 6000000) << -90.0 << 70.0;
    QTest::newRow("false origin north")
        << falseOrigin(kInternational, kNorth, 75, 10, 200000, 300000) << 90.0 << 10.0;
}

// Points on the grid line through the pole and the false easting lie on the meridian of origin
// on the near side of the pole and on the opposite meridian beyond it; the pole itself maps to
// the false origin's pole point and back to the meridian of origin.
void TestProjectionsPolar::meridianThroughPole()
{
    QFETCH(Projection, projection);
    QFETCH(double, poleLatitude);
    QFETCH(double, lambda0);

    CCoords pole;
    projection->GeodeticToProjected(geodetic(poleLatitude, lambda0), &pole);
    CCoords below;
    projection->GeodeticToProjected(geodetic(poleLatitude > 0 ? 80 : -80, lambda0), &below);
    QCOMPARE(below.first, pole.first);
    QVERIFY(poleLatitude > 0 ? below.second < pole.second : below.second > pole.second);

    CCoords back;
    projection->ProjectedToGeodetic(pole, &back);
    QCOMPARE(back.first, poleLatitude * kDegree);
    QCOMPARE(back.second, lambda0 * kDegree);

    const double offset = below.second - pole.second;
    projection->ProjectedToGeodetic(CCoords(pole.first, pole.second + offset, 0.0), &back);
    QVERIFY(std::fabs(back.first / kDegree - (poleLatitude > 0 ? 80 : -80)) < 1e-9);
    QVERIFY(std::fabs(back.second - lambda0 * kDegree) < 1e-12);

    projection->ProjectedToGeodetic(CCoords(pole.first, pole.second - offset, 0.0), &back);
    QVERIFY(std::fabs(back.first / kDegree - (poleLatitude > 0 ? 80 : -80)) < 1e-9);
    double opposite = back.second - (lambda0 + 180.0) * kDegree;
    normalizeLongitude(opposite);
    QVERIFY2(std::fabs(opposite) < 1e-12, qPrintable(QString::number(back.second / kDegree)));
}

void TestProjectionsPolar::poleFlagRefusedAtConstruction_data()
{
    QTest::addColumn<int>("pole");
    QTest::addColumn<bool>("falseOrigin");
    QTest::addColumn<QString>("message");

    const QString natural = QStringLiteral("TPolarStereographicNaturalOriginMapProjection::"
                                           "TPolarStereographicNaturalOriginMapProjection");
    const QString false_ = QStringLiteral("TPolarStereographicFalseOriginMapProjection::"
                                          "TPolarStereographicFalseOriginMapProjection");
    QTest::newRow("natural origin 0") << 0 << false << natural;
    QTest::newRow("natural origin 3") << 3 << false << natural;
    QTest::newRow("false origin 0") << 0 << true << false_;
    QTest::newRow("false origin 3") << 3 << true << false_;
}

void TestProjectionsPolar::poleFlagRefusedAtConstruction()
{
    QFETCH(int, pole);
    QFETCH(bool, falseOrigin);
    QFETCH(QString, message);

    const QString text = logicErrorText([&] {
        if (falseOrigin)
            createMapProjection(kWgs84, falseOriginParams(pole, 70, 0, 0, 0));
        else
            createMapProjection(kWgs84, naturalOriginParams(pole, 70, 0, 0, 0));
    });
    QCOMPARE(text, message);
}

void TestProjectionsPolar::poleFlagRefusedByBasic_data()
{
    QTest::addColumn<int>("pole");

    QTest::newRow("0") << 0;
    QTest::newRow("3") << 3;
}

// The basic variant is built with any flag and refuses a bad one in either direction.
void TestProjectionsPolar::poleFlagRefusedByBasic()
{
    QFETCH(int, pole);

    const Projection projection = basic(pole, 0, 0.994, 2000000, 2000000);
    QVERIFY(projection);
    CCoords point = geodetic(80, 10);
    QCOMPARE(logicErrorText([&] { projection->GeodeticToProjected(&point); }),
             QStringLiteral("TPolarStereographicBasicMapProjection::GeodeticToProjected"));
    QCOMPARE(logicErrorText([&] { projection->ProjectedToGeodetic(&point); }),
             QStringLiteral("TPolarStereographicBasicMapProjection::ProjectedToGeodetic"));
}

void TestProjectionsPolar::southernOriginRefusedByNorthPoleOnly_data()
{
    QTest::addColumn<double>("latitudeOfOrigin");
    QTest::addColumn<bool>("refused");

    QTest::newRow("south pole") << -90.0 << true;
    QTest::newRow("southern") << -0.5 << true;
    QTest::newRow("equator") << 0.0 << false;
    QTest::newRow("north pole") << 90.0 << false;
}

// The north-pole-only variant leaves its latitude of origin unused, but a record meant for the
// south pole is refused rather than given north-pole numbers.
void TestProjectionsPolar::southernOriginRefusedByNorthPoleOnly()
{
    QFETCH(double, latitudeOfOrigin);
    QFETCH(bool, refused);

    const auto params = polarParams(latitudeOfOrigin, 0, 0.994, 2000000, 2000000);
    const QString text = logicErrorText([&] { createMapProjection(kWgs84, params); });
    QCOMPARE(text.startsWith(
                 QStringLiteral("TPolarStereographicMapProjection::TPolarStereographicMapProjection")),
             refused);
}

void TestProjectionsPolar::falseOriginOnStandardParallel_data()
{
    QTest::addColumn<int>("pole");
    QTest::addColumn<double>("phiF");
    QTest::addColumn<double>("latitude");

    QTest::newRow("north") << kNorth << 71.0 << 66.0;
    QTest::newRow("south") << kSouth << -67.0 << -75.0;
}

// Both variants with a standard parallel share the polar radius; the false origin variant is
// shifted by the radius of the standard parallel, on which its false origin lies.
void TestProjectionsPolar::falseOriginOnStandardParallel()
{
    QFETCH(int, pole);
    QFETCH(double, phiF);
    QFETCH(double, latitude);

    const Projection natural = naturalOrigin(kInternational, pole, phiF, 140, 300000, 200000);
    const Projection shifted = falseOrigin(kInternational, pole, phiF, 140, 300000, 200000);
    const double rhoF = parallelRadius(kInternational, phiF);
    for (double longitude : {140.0, 100.0, -40.0}) {
        CCoords a;
        natural->GeodeticToProjected(geodetic(latitude, longitude), &a);
        CCoords b;
        shifted->GeodeticToProjected(geodetic(latitude, longitude), &b);
        QVERIFY(std::fabs(b.first - a.first) < 1e-6);
        QVERIFY(std::fabs(b.second - a.second - (pole == kNorth ? rhoF : -rhoF)) < 1e-6);
    }
    CCoords origin;
    shifted->GeodeticToProjected(geodetic(phiF, 140), &origin);
    QVERIFY(std::fabs(origin.first - 300000) < 1e-6);
    QVERIFY(std::fabs(origin.second - 200000) < 1e-6);
}

void TestProjectionsPolar::polyconicEquator()
{
    const Projection projection = polyconic(kClarke1866, 0, -54, 0.9996, 5000000, 10000000);
    for (double dLambda : {-10.0, 0.0, 4.0, 30.0}) {
        CCoords point;
        projection->GeodeticToProjected(geodetic(0, -54 + dLambda), &point);
        QVERIFY(std::fabs(point.first - (5000000 + 0.9996 * kClarke1866.a * dLambda * kDegree)) < 1e-6);
        QVERIFY(std::fabs(point.second - 10000000) < 1e-6);
    }
}

// With the origin off the equator the equator lies at FN - k0 a m0, and its inverse is exact.
void TestProjectionsPolar::polyconicEquatorInverse()
{
    const Projection projection = polyconic(kClarke1866, 30, -96, 0.9996, 500000, 100000);
    CCoords first;
    projection->GeodeticToProjected(geodetic(0, -96), &first);
    CCoords second;
    projection->GeodeticToProjected(geodetic(0, -80), &second);
    QCOMPARE(second.second, first.second);

    CCoords back;
    projection->ProjectedToGeodetic(first, &back);
    QCOMPARE(back.first, 0.0);
    QVERIFY(std::fabs(back.second - (-96 * kDegree)) < 1e-15);
}

void TestProjectionsPolar::quasiStereographicOrigin()
{
    const Projection projection = quasi(kBessel, kRdLatitude, kRdLongitude, 0.9999079, 155000, 463000);
    CCoords projected;
    projection->GeodeticToProjected(geodetic(kRdLatitude, kRdLongitude), &projected);
    QCOMPARE(projected.first, 155000.0);
    QCOMPARE(projected.second, 463000.0);
    CCoords back;
    projection->ProjectedToGeodetic(projected, &back);
    QCOMPARE(back.first, kRdLatitude * kDegree);
    QCOMPARE(back.second, kRdLongitude * kDegree);
}

QTEST_APPLESS_MAIN(TestProjectionsPolar)
#include "test_projectionspolar.moc"
