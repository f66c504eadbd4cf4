#include "geodesy/projectionsazimuthal.h"

#include "projectionreference.h"

#include <QtTest>

#include <cmath>

using namespace vexa;
using projectionreference::geodetic;
using projectionreference::kBessel;
using projectionreference::kDegree;
using projectionreference::kGrs80;
using projectionreference::kInternational;
using projectionreference::kKrassowsky;
using projectionreference::kWgs84;
using Projection = std::shared_ptr<CMapProjection>;

namespace {

const CEllipsoidParams kSphere(6370997.0, 6370997.0);

// Netherlands grid origin.
const double kRdLatitude = 52.15616055555555;
const double kRdLongitude = 5.38763888888889;

// Records whose fields are latitude and longitude of origin, false easting and northing.
template <class Params>
Params originParams(double phi0, double lambda0, double easting, double northing)
{
    Params params;
    params.latitudeOfOrigin = phi0 * kDegree;
    params.longitudeOfOrigin = lambda0 * kDegree;
    params.falseEasting = easting;
    params.falseNorthing = northing;
    return params;
}

template <class Params>
Projection make(const CEllipsoidParams& ellipsoid, double phi0, double lambda0, double easting,
                double northing)
{
    return projectionreference::make(ellipsoid,
                                     originParams<Params>(phi0, lambda0, easting, northing));
}

Projection hatt(const CEllipsoidParams& ellipsoid, double phi0, double lambda0, double easting,
                double northing)
{
    return make<CMapProjectionHattParams>(ellipsoid, phi0, lambda0, easting, northing);
}

Projection laea(const CEllipsoidParams& ellipsoid, double phi0, double lambda0, double easting,
                double northing)
{
    return make<CMapProjectionLambertAzimuthalEqualAreaParams>(ellipsoid, phi0, lambda0, easting,
                                                               northing);
}

Projection nzmg()
{
    return make<CMapProjectionNZMGParams>(kInternational, -41, 173, 2510000, 6023150);
}

Projection stereographic(const CEllipsoidParams& ellipsoid, double phi0, double lambda0, double k0,
                         double easting, double northing)
{
    CMapProjectionObliqueStereographicParams params
        = originParams<CMapProjectionObliqueStereographicParams>(phi0, lambda0, easting, northing);
    params.scaleFactor = k0;
    return projectionreference::make(ellipsoid, params);
}

Projection orthographic(const CEllipsoidParams& ellipsoid, double phi0, double lambda0,
                        double easting, double northing)
{
    return make<CMapProjectionOrthographicParams>(ellipsoid, phi0, lambda0, easting, northing);
}

} // namespace

class TestProjectionsAzimuthal : public QObject
{
    Q_OBJECT

private slots:
    void referenceTables_data();
    void referenceTables();
    void origin_data();
    void origin();
    void heightUntouched();
    void stereographicWrapsLongitude();
};

void TestProjectionsAzimuthal::referenceTables_data()
{
    projectionreference::addTableColumns();

    QTest::newRow("hatt north") << hatt(kBessel, 38, 23.5, 100000, 200000) << 17 << kBessel.a
                                << "projectionsazimuthal_hatt_bessel.txt";
    QTest::newRow("hatt south") << hatt(kGrs80, -33.5, 151, 0, 0) << 17 << kGrs80.a
                                << "projectionsazimuthal_hatt_grs80.txt";
    QTest::newRow("laea oblique") << laea(kGrs80, 52, 10, 4321000, 3210000) << 24 << kGrs80.a
                                  << "projectionsazimuthal_laea_etrs.txt";
    QTest::newRow("laea equatorial") << laea(kWgs84, 0, 20, 500000, 0) << 24 << kWgs84.a
                                     << "projectionsazimuthal_laea_equatorial.txt";
    QTest::newRow("laea north pole") << laea(kWgs84, 90, -40, 0, 0) << 24 << kWgs84.a
                                     << "projectionsazimuthal_laea_north.txt";
    QTest::newRow("laea south pole") << laea(kGrs80, -90, 0, 4000000, 4000000) << 24 << kGrs80.a
                                     << "projectionsazimuthal_laea_south.txt";
    QTest::newRow("laea sphere") << laea(kSphere, 45, -100, 0, 0) << 24 << kSphere.a
                                 << "projectionsazimuthal_laea_sphere.txt";
    QTest::newRow("nzmg") << nzmg() << 4 << kInternational.a << "projectionsazimuthal_nzmg.txt";
    QTest::newRow("stereographic netherlands")
        << stereographic(kBessel, kRdLatitude, kRdLongitude, 0.9999079, 155000, 463000) << 11
        << kBessel.a << "projectionsazimuthal_sterea_rd.txt";
    QTest::newRow("stereographic romania")
        << stereographic(kKrassowsky, 46, 25, 0.99975, 500000, 500000) << 11 << kKrassowsky.a
        << "projectionsazimuthal_sterea_stereo70.txt";
    QTest::newRow("stereographic south")
        << stereographic(kGrs80, -33, -71, 1.0, 1000000, 2000000) << 11 << kGrs80.a
        << "projectionsazimuthal_sterea_south.txt";
    QTest::newRow("orthographic north") << orthographic(kWgs84, 55, 5, 0, 0) << 26 << kWgs84.a
                                        << "projectionsazimuthal_ortho_wgs84.txt";
    QTest::newRow("orthographic south")
        << orthographic(kGrs80, -30, 150, 1000000, 2000000) << 26 << kGrs80.a
        << "projectionsazimuthal_ortho_grs80.txt";
    QTest::newRow("orthographic north pole") << orthographic(kWgs84, 90, 30, 0, 0) << 26
                                             << kWgs84.a << "projectionsazimuthal_ortho_north.txt";
}

void TestProjectionsAzimuthal::referenceTables()
{
    projectionreference::checkTableRow();
}

void TestProjectionsAzimuthal::origin_data()
{
    QTest::addColumn<Projection>("projection");
    QTest::addColumn<double>("phi0");
    QTest::addColumn<double>("lambda0");
    QTest::addColumn<double>("easting");
    QTest::addColumn<double>("northing");

    QTest::newRow("hatt") << hatt(kBessel, 38, 23.5, 100000, 200000) << 38.0 << 23.5 << 100000.0
                          << 200000.0;
    QTest::newRow("laea oblique") << laea(kGrs80, 52, 10, 4321000, 3210000) << 52.0 << 10.0
                                  << 4321000.0 << 3210000.0;
    QTest::newRow("laea north pole") << laea(kWgs84, 90, -40, 1000, 2000) << 90.0 << -40.0
                                     << 1000.0 << 2000.0;
    QTest::newRow("laea south pole") << laea(kGrs80, -90, 15, 4000000, 4000000) << -90.0 << 15.0
                                     << 4000000.0 << 4000000.0;
    QTest::newRow("nzmg") << nzmg() << -41.0 << 173.0 << 2510000.0 << 6023150.0;
    QTest::newRow("stereographic")
        << stereographic(kBessel, kRdLatitude, kRdLongitude, 0.9999079, 155000, 463000)
        << kRdLatitude << kRdLongitude << 155000.0 << 463000.0;
    QTest::newRow("orthographic") << orthographic(kWgs84, 55, 5, 300, 400) << 55.0 << 5.0 << 300.0
                                  << 400.0;
    QTest::newRow("orthographic north pole")
        << orthographic(kWgs84, 90, 30, 0, 0) << 90.0 << 30.0 << 0.0 << 0.0;
}

// The origin maps to the false origin and back, at a polar origin too.
void TestProjectionsAzimuthal::origin()
{
    QFETCH(Projection, projection);
    QFETCH(double, phi0);
    QFETCH(double, lambda0);
    QFETCH(double, easting);
    QFETCH(double, northing);

    CCoords projected;
    projection->GeodeticToProjected(geodetic(phi0, lambda0), &projected);
    QVERIFY(std::fabs(projected.first - easting) < 1e-6);
    QVERIFY(std::fabs(projected.second - northing) < 1e-6);

    CCoords back;
    projection->ProjectedToGeodetic(CCoords(easting, northing, 0.0), &back);
    QVERIFY2(std::fabs(back.first - phi0 * kDegree) < 1e-12, qPrintable(QString::number(back.first)));
    QVERIFY2(std::fabs(back.second - lambda0 * kDegree) < 1e-12,
             qPrintable(QString::number(back.second)));
}

void TestProjectionsAzimuthal::heightUntouched()
{
    const Projection projections[] = {hatt(kBessel, 38, 23.5, 0, 0), laea(kGrs80, 52, 10, 0, 0),
                                      nzmg(), stereographic(kBessel, 52, 5, 1.0, 0, 0),
                                      orthographic(kWgs84, 55, 5, 0, 0)};
    for (const Projection& projection : projections) {
        CCoords point(38.5 * kDegree, 23.0 * kDegree, 123.25);
        projection->GeodeticToProjected(&point);
        QCOMPARE(point.third, 123.25);
        projection->ProjectedToGeodetic(&point);
        QCOMPARE(point.third, 123.25);
    }
}

void TestProjectionsAzimuthal::stereographicWrapsLongitude()
{
    const Projection projection
        = stereographic(kBessel, kRdLatitude, kRdLongitude, 0.9999079, 155000, 463000);
    CCoords plain;
    projection->GeodeticToProjected(geodetic(53, 6), &plain);
    CCoords turned;
    projection->GeodeticToProjected(CCoords(53 * kDegree, 6 * kDegree + 2 * kPi, 0.0), &turned);
    QVERIFY(std::fabs(turned.first - plain.first) < 1e-6);
    QVERIFY(std::fabs(turned.second - plain.second) < 1e-6);
}

QTEST_APPLESS_MAIN(TestProjectionsAzimuthal)
#include "test_projectionsazimuthal.moc"
