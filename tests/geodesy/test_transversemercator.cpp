#include "geodesy/mapprojection.h"
#include "geodesy/transversemercator.h"
#include "referencetable.h"

#include <QtTest>

#include <cmath>
#include <memory>

using namespace vexa;

Q_DECLARE_METATYPE(std::shared_ptr<vexa::CMapProjection>)

namespace {

constexpr double kDegree = kPi / 180.0;

CEllipsoidParams ellipsoidOf(double a, double invf)
{
    CEllipsoidParams ellipsoid;
    ellipsoid.setInverseFlattening(a, invf);
    return ellipsoid;
}

const CEllipsoidParams kKrassowsky = ellipsoidOf(6378245.0, 298.3);
const CEllipsoidParams kWgs84 = ellipsoidOf(6378137.0, 298.257223563);
const CEllipsoidParams kAiry(6377563.396, 6356256.909);

CMapProjectionTransverseMercatorParams transverseMercator(double lon0, double lat0, double k0,
                                                          double fe, double fn)
{
    CMapProjectionTransverseMercatorParams params;
    params.centralMeridian = lon0 * kDegree;
    params.latitudeOfOrigin = lat0 * kDegree;
    params.scaleFactor = k0;
    params.falseEasting = fe;
    params.falseNorthing = fn;
    return params;
}

CMapProjectionTransverseMercatorEquatorialParams equatorial(double lon0, double k0, double fe,
                                                            double fn)
{
    CMapProjectionTransverseMercatorEquatorialParams params;
    params.centralMeridian = lon0 * kDegree;
    params.scaleFactor = k0;
    params.falseEasting = fe;
    params.falseNorthing = fn;
    return params;
}

CMapProjectionSphericalMercatorParams sphericalMercatorParams(double lon0, double k0, double fe,
                                                        double fn)
{
    CMapProjectionSphericalMercatorParams params;
    params.longitudeOfOrigin = lon0 * kDegree;
    params.scaleFactor = k0;
    params.falseEasting = fe;
    params.falseNorthing = fn;
    return params;
}

// Zone 7 of the six-degree Gauss-Kruger system.
CMapProjectionTransverseMercatorParams gaussKrugerZone7()
{
    return transverseMercator(39.0, 0.0, 1.0, 7500000.0, 0.0);
}

struct Definition
{
    CEllipsoidParams ellipsoid;
    std::shared_ptr<CMapProjectionParams> params;
};

Definition definitionOf(const QString& table)
{
    if (table.startsWith("tmerc-gk7"))
        return {kKrassowsky, std::make_shared<CMapProjectionTransverseMercatorParams>(
                                 gaussKrugerZone7())};
    if (table.startsWith("tmerc-utm-south"))
        return {kWgs84, std::make_shared<CMapProjectionTransverseMercatorParams>(
                            transverseMercator(-75.0, 0.0, 0.9996, 500000.0, 10000000.0))};
    if (table.startsWith("tmerc-origin49"))
        return {kAiry, std::make_shared<CMapProjectionTransverseMercatorParams>(transverseMercator(
                           -2.0, 49.0, 0.9996012717, 400000.0, -100000.0))};
    return {kKrassowsky, std::make_shared<CMapProjectionTransverseMercatorEquatorialParams>(
                             equatorial(117.0, 1.0, 500000.0, 0.0))};
}

std::unique_ptr<CMapProjection> projectionOf(const Definition& definition)
{
    return createMapProjection(definition.ellipsoid, *definition.params);
}

QString describe(const QVector<double>& row, const CCoords& result)
{
    return QString("row %1 %2 gives %3 %4")
        .arg(row[0], 0, 'f', 6)
        .arg(row[1], 0, 'f', 6)
        .arg(result.first, 0, 'f', 6)
        .arg(result.second, 0, 'f', 6);
}

// Angular difference of two geodetic points expressed in metres on the ellipsoid.
double groundDistance(const CCoords& a, const CCoords& b, double radius)
{
    const double north = (a.first - b.first) * radius;
    const double east = (a.second - b.second) * radius * std::cos(a.first);
    return std::hypot(north, east);
}

} // namespace

class TestTransverseMercator : public QObject
{
    Q_OBJECT

private slots:
    void forwardAgainstReference_data();
    void forwardAgainstReference();
    void roundTrip_data();
    void roundTrip();
    void inverseAgainstReference();
    void originProjectsToFalseOrigin_data();
    void originProjectsToFalseOrigin();
    void longitudeReducedFirst();
    void sphericalMercator_data();
    void sphericalMercator();
    void sphericalMercatorInvalidEllipsoidUsesScale();
    void factoryBuildsFamily();
    void factoryRejectsForeignClass();
    void projectionOperation();
    void auxdatasetProjectionOperation();
};

void TestTransverseMercator::forwardAgainstReference_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("Gauss-Kruger zone 7") << "tmerc-gk7-krassowsky.txt";
    QTest::newRow("UTM south") << "tmerc-utm-south-wgs84.txt";
    QTest::newRow("origin at 49N") << "tmerc-origin49-airy.txt";
    QTest::newRow("equatorial series vs exact") << "tmerc-exact-krassowsky.txt";
}

// Within 3 degrees of the central meridian the projection agrees with the reference to 1 mm.
void TestTransverseMercator::forwardAgainstReference()
{
    QFETCH(QString, table);
    const QVector<QVector<double>> rows = readReferenceTable(table);
    QVERIFY(rows.size() > 40);
    const auto projection = projectionOf(definitionOf(table));
    QVERIFY(projection);
    for (const QVector<double>& row : rows) {
        CCoords point(row[1] * kDegree, row[0] * kDegree, 12.5);
        projection->GeodeticToProjected(&point);
        QVERIFY2(std::fabs(point.first - row[2]) < 1e-3 && std::fabs(point.second - row[3]) < 1e-3,
                 qPrintable(describe(row, point)));
        QCOMPARE(point.third, 12.5);
    }
}

void TestTransverseMercator::roundTrip_data()
{
    forwardAgainstReference_data();
}

void TestTransverseMercator::roundTrip()
{
    QFETCH(QString, table);
    const auto projection = projectionOf(definitionOf(table));
    for (const QVector<double>& row : readReferenceTable(table)) {
        const CCoords geodetic(row[1] * kDegree, row[0] * kDegree, 0.0);
        CCoords projected;
        CCoords back;
        projection->GeodeticToProjected(geodetic, &projected);
        projection->ProjectedToGeodetic(projected, &back);
        QVERIFY2(std::fabs(back.first - geodetic.first) < 1e-9
                     && std::fabs(back.second - geodetic.second) < 1e-9,
                 qPrintable(describe(row, back)));
    }
}

void TestTransverseMercator::inverseAgainstReference()
{
    const QString table = "tmerc-gk7-krassowsky-inverse.txt";
    const QVector<QVector<double>> rows = readReferenceTable(table);
    QVERIFY(rows.size() >= 10);
    const auto projection = projectionOf(definitionOf(table));
    for (const QVector<double>& row : rows) {
        CCoords point(row[0], row[1], 0.0);
        projection->ProjectedToGeodetic(&point);
        const CCoords expected(row[3] * kDegree, row[2] * kDegree, 0.0);
        QVERIFY2(groundDistance(point, expected, kKrassowsky.a) < 1e-3,
                 qPrintable(describe(row, CCoords(point.second / kDegree,
                                                  point.first / kDegree, 0))));
    }
}

void TestTransverseMercator::originProjectsToFalseOrigin_data()
{
    QTest::addColumn<std::shared_ptr<CMapProjection>>("projection");
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("lon0");
    QTest::addColumn<double>("fe");
    QTest::addColumn<double>("fn");

    QTest::newRow("Gauss-Kruger zone 7")
        << std::shared_ptr<CMapProjection>(std::make_shared<CMapProjectionTransverseMercator>(kKrassowsky,
                                                                                            gaussKrugerZone7()))
        << 1 << 39.0 << 7500000.0 << 0.0;
    QTest::newRow("equatorial") << std::shared_ptr<CMapProjection>(
        std::make_shared<CMapProjectionTransverseMercatorEquatorial>(kWgs84, equatorial(27.0, 0.9999, 300000.0, -5000.0)))
                                << 1011 << 27.0 << 300000.0 << -5000.0;
}

// The origin goes to the false origin and back; the height stays.
void TestTransverseMercator::originProjectsToFalseOrigin()
{
    QFETCH(std::shared_ptr<CMapProjection>, projection);
    QFETCH(int, type);
    QFETCH(double, lon0);
    QFETCH(double, fe);
    QFETCH(double, fn);

    QCOMPARE(projection->getType(), type);
    CCoords point(0.0, lon0 * kDegree, 100.0);
    projection->GeodeticToProjected(&point);
    QVERIFY(std::fabs(point.first - fe) < 1e-9);
    QVERIFY(std::fabs(point.second - fn) < 1e-9);
    projection->ProjectedToGeodetic(&point);
    QVERIFY(std::fabs(point.first) < 1e-15);
    QVERIFY(std::fabs(point.second - lon0 * kDegree) < 1e-15);
    QCOMPARE(point.third, 100.0);
}

void TestTransverseMercator::longitudeReducedFirst()
{
    const CMapProjectionTransverseMercator projection(kKrassowsky, gaussKrugerZone7());
    CCoords wrapped;
    CCoords plain;
    projection.GeodeticToProjected(CCoords(50 * kDegree, (39.0 + 358.0) * kDegree, 0), &wrapped);
    projection.GeodeticToProjected(CCoords(50 * kDegree, 37.0 * kDegree, 0), &plain);
    QVERIFY(std::fabs(wrapped.first - plain.first) < 1e-6);
    QVERIFY(std::fabs(wrapped.second - plain.second) < 1e-6);
    QVERIFY(plain.first < 7500000.0);
}

void TestTransverseMercator::sphericalMercator_data()
{
    QTest::addColumn<double>("lon0");
    QTest::addColumn<double>("k0");
    QTest::addColumn<double>("fe");
    QTest::addColumn<double>("fn");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("easting");
    QTest::addColumn<double>("northing");
    // proj -f %.6f +proj=merc +R=6378137 and +R=3189068.5 +lon_0=20 +x_0=100 +y_0=200
    QTest::newRow("plain") << 0.0 << 1.0 << 0.0 << 0.0 << 10.0 << 45.0 << 1113194.907933
                           << 5621521.486192;
    QTest::newRow("wrapped, scaled, shifted")
        << 20.0 << 0.5 << 100.0 << 200.0 << -170.0 << -60.0 << 9462256.717428 << -4199668.944909;
}

void TestTransverseMercator::sphericalMercator()
{
    QFETCH(double, lon0);
    QFETCH(double, k0);
    QFETCH(double, fe);
    QFETCH(double, fn);
    QFETCH(double, longitude);
    QFETCH(double, latitude);
    QFETCH(double, easting);
    QFETCH(double, northing);
    const CMapProjectionSphericalMercator projection(CEllipsoidParams(6378137.0, 6378137.0),
                                                     sphericalMercatorParams(lon0, k0, fe, fn));
    QCOMPARE(projection.getType(), 1313);
    CCoords point(latitude * kDegree, longitude * kDegree, 0);
    projection.GeodeticToProjected(&point);
    QVERIFY(std::fabs(point.first - easting) < 1e-6);
    QVERIFY(std::fabs(point.second - northing) < 1e-6);
    projection.ProjectedToGeodetic(&point);
    QVERIFY(std::fabs(point.first - latitude * kDegree) < 1e-12);
    QVERIFY(std::fabs(point.second - longitude * kDegree) < 1e-12);
}

void TestTransverseMercator::sphericalMercatorInvalidEllipsoidUsesScale()
{
    const CMapProjectionSphericalMercator projection(CEllipsoidParams(10.0, 20.0),
                                                     sphericalMercatorParams(0.0, 1000.0, 0.0, 0.0));
    CCoords point(0.0, 1.0, 0.0);
    projection.GeodeticToProjected(&point);
    QVERIFY(std::fabs(point.first - 1000.0) < 1e-9);
}

void TestTransverseMercator::factoryBuildsFamily()
{
    const auto tm = createMapProjection(kWgs84, gaussKrugerZone7());
    QVERIFY(dynamic_cast<CMapProjectionTransverseMercator*>(tm.get()));
    const auto eq = createMapProjection(kWgs84, equatorial(0, 1, 0, 0));
    QVERIFY(dynamic_cast<CMapProjectionTransverseMercatorEquatorial*>(eq.get()));
    const auto sm = createMapProjection(kWgs84, sphericalMercatorParams(0, 1, 0, 0));
    QVERIFY(dynamic_cast<CMapProjectionSphericalMercator*>(sm.get()));
}

// A foreign record that claims the Transverse Mercator code.
class CImpostorParams : public CMapProjectionParams
{
public:
    CImpostorParams() : CMapProjectionParams(1) {}
    bool isEqual(const CMapProjectionParams&) const override { return false; }
};

void TestTransverseMercator::factoryRejectsForeignClass()
{
    QVERIFY_EXCEPTION_THROWN(createMapProjection(kWgs84, CImpostorParams()), std::bad_cast);
    QVERIFY_EXCEPTION_THROWN(
        CCoordOperationMapProjection(kWgs84, CImpostorParams(), DirectionForward), std::bad_cast);
}

void TestTransverseMercator::projectionOperation()
{
    CCoordOperationMapProjection toGeodetic(kKrassowsky, gaussKrugerZone7(), DirectionForward);
    CCoordOperationMapProjection toProjected(kKrassowsky, gaussKrugerZone7(), DirectionReverse);
    CCoordOperationMapProjection odd(kKrassowsky, gaussKrugerZone7(), 0);
    QCOMPARE(toGeodetic.getType(), 3);
    CAuxDataSet aux;
    const CCoords start(7321654.321, 6181000.5, 42.0);
    CCoords point = start;
    QVERIFY(!odd.apply(&point, &aux));
    QVERIFY(point == start);
    QVERIFY(toGeodetic.apply(&point, &aux));
    QVERIFY(std::fabs(point.first - 55.75 * kDegree) < 0.1 * kDegree);
    QVERIFY(toProjected.apply(&point, &aux));
    QVERIFY(std::fabs(point.first - start.first) < 1e-3);
    QVERIFY(std::fabs(point.second - start.second) < 1e-3);
    QCOMPARE(point.third, 42.0);
}

void TestTransverseMercator::auxdatasetProjectionOperation()
{
    CCoordOperationAuxdatasetGeodeticToMapProjection toGeodetic("geo", kKrassowsky,
                                                                gaussKrugerZone7(),
                                                                DirectionReverse);
    CCoordOperationAuxdatasetGeodeticToMapProjection toProjected("plane", kKrassowsky,
                                                                 gaussKrugerZone7(),
                                                                 DirectionForward);
    CCoordOperationAuxdatasetGeodeticToMapProjection odd("odd", kKrassowsky, gaussKrugerZone7(),
                                                         7);
    QCOMPARE(toGeodetic.getType(), 12);
    CAuxDataSet aux;
    const CCoords projected(7500000.0, 0.0, 5.0);
    CCoords point = projected;
    QVERIFY(toGeodetic.apply(&point, &aux));
    QVERIFY(point == projected);
    const CAuxDataCoords* stored = aux.getCoords("geo");
    QVERIFY(stored);
    QVERIFY(std::fabs(stored->coords.first) < 1e-12);
    QVERIFY(std::fabs(stored->coords.second - 39.0 * kDegree) < 1e-12);

    CCoords geodetic(0.0, 39.0 * kDegree, 5.0);
    QVERIFY(toProjected.apply(&geodetic, &aux));
    QVERIFY(std::fabs(aux.getCoords("plane")->coords.first - 7500000.0) < 1e-6);
    QVERIFY(!odd.apply(&geodetic, &aux));
    QVERIFY(!aux.find("odd"));
}

QTEST_APPLESS_MAIN(TestTransverseMercator)
#include "test_transversemercator.moc"
