#include "geodesy/mapprojection.h"
#include "geodesy/projectionsazimuthal.h"
#include "geodesy/projectionsconic.h"
#include "geodesy/projectionscylindrical.h"
#include "geodesy/projectionspolar.h"
#include "geodesy/projectionswidezone.h"
#include "geodesy/transversemercator.h"

#include "projectionreference.h"

#include <QtTest>

#include <cmath>
#include <memory>
#include <typeinfo>

using namespace vexa;
using projectionreference::geodetic;
using projectionreference::kDegree;
using projectionreference::kWgs84;
using Params = std::shared_ptr<CMapProjectionParams>;

Q_DECLARE_METATYPE(Params)

namespace {

// Parameters that carry a type code without being of that code's class.
class CImpostorParams : public CMapProjectionParams
{
public:
    explicit CImpostorParams(int type) : CMapProjectionParams(type) {}

    bool isEqual(const CMapProjectionParams&) const override { return false; }
};

template <class P>
std::shared_ptr<P> params()
{
    return std::make_shared<P>();
}

// Fields named as in most records: origin, false easting and northing.
template <class P>
Params origin(double phi0, double lambda0, double easting, double northing)
{
    auto p = params<P>();
    p->latitudeOfOrigin = phi0 * kDegree;
    p->longitudeOfOrigin = lambda0 * kDegree;
    p->falseEasting = easting;
    p->falseNorthing = northing;
    return p;
}

template <class P>
Params scaledOrigin(double phi0, double lambda0, double k0, double easting, double northing)
{
    auto p = std::static_pointer_cast<P>(origin<P>(phi0, lambda0, easting, northing));
    p->scaleFactor = k0;
    return p;
}

template <class P>
Params centralMeridian(double lambda0, double k0, double easting, double northing)
{
    auto p = params<P>();
    p->centralMeridian = lambda0 * kDegree;
    p->scaleFactor = k0;
    p->falseEasting = easting;
    p->falseNorthing = northing;
    return p;
}

template <class P>
Params falseOrigin(double phi1, double phi2, double phiF, double lambdaF, double easting,
                   double northing)
{
    auto p = params<P>();
    p->latitudeOfFirstParallel = phi1 * kDegree;
    p->latitudeOfSecondParallel = phi2 * kDegree;
    p->latitudeOfFalseOrigin = phiF * kDegree;
    p->longitudeOfFalseOrigin = lambdaF * kDegree;
    p->eastingAtFalseOrigin = easting;
    p->northingAtFalseOrigin = northing;
    return p;
}

template <class P>
std::shared_ptr<P> obliqueCentre()
{
    auto p = params<P>();
    p->latitudeOfCentre = 4 * kDegree;
    p->longitudeOfCentre = 115 * kDegree;
    p->azimuth = 53.31580995 * kDegree;
    p->rectifiedGridAngle = 53.13010236111111 * kDegree;
    p->scaleFactor = 0.99984;
    return p;
}

Params obliqueMercator()
{
    auto p = obliqueCentre<CMapProjectionObliqueMercatorParams>();
    p->eastingAtCentre = 590476.87;
    p->northingAtCentre = 442857.65;
    return p;
}

Params hotine()
{
    auto p = obliqueCentre<CMapProjectionHotineObliqueMercatorParams>();
    p->falseEasting = 0;
    p->falseNorthing = 0;
    return p;
}

Params transverseMercator()
{
    auto p = std::static_pointer_cast<CMapProjectionTransverseMercatorParams>(
        centralMeridian<CMapProjectionTransverseMercatorParams>(9, 0.9996, 500000, 0));
    p->latitudeOfOrigin = 0;
    return p;
}

Params sphericalMercator()
{
    auto p = params<CMapProjectionSphericalMercatorParams>();
    p->longitudeOfOrigin = 0;
    p->scaleFactor = 1.0;
    p->falseEasting = 0;
    p->falseNorthing = 0;
    return p;
}

Params mercator2SP()
{
    auto p = params<CMapProjectionMercator2SPParams>();
    p->latitudeOfFirstParallel = 42 * kDegree;
    p->longitudeOfOrigin = 51 * kDegree;
    p->falseEasting = 0;
    p->falseNorthing = 0;
    return p;
}

Params krovak()
{
    auto p = params<CMapProjectionKrovakParams>();
    p->latitudeOfCentre = 49.5 * kDegree;
    p->longitudeOfOrigin = (24.0 + 50.0 / 60.0) * kDegree;
    p->coLatitudeOfConeAxis = (30.0 + 17.0 / 60.0 + 17.3031 / 3600.0) * kDegree;
    p->latitudeOfPseudoStandardParallel = 78.5 * kDegree;
    p->scaleFactor = 0.9999;
    p->falseEasting = 0;
    p->falseNorthing = 0;
    return p;
}

Params equidistantConic()
{
    auto p = params<CMapProjectionEquidistantConicParams>();
    p->latitudeOfFirstParallel = 55 * kDegree;
    p->latitudeOfSecondParallel = 65 * kDegree;
    p->latitudeOfOrigin = 50 * kDegree;
    p->longitudeOfOrigin = 100 * kDegree;
    p->falseEasting = 500000;
    p->falseNorthing = 200000;
    return p;
}

Params polarBasic()
{
    auto p = params<CMapProjectionPolarStereographicBasicParams>();
    p->pole = 1;
    p->longitudeOfOrigin = 0;
    p->scaleFactor = 0.994;
    p->falseEasting = 2000000;
    p->falseNorthing = 2000000;
    return p;
}

Params polarNaturalOrigin()
{
    auto p = params<CMapProjectionPolarStereographicNaturalOriginParams>();
    p->pole = 2;
    p->latitudeOfStandardParallel = -71 * kDegree;
    p->longitudeOfOrigin = 70 * kDegree;
    p->falseEasting = 6000000;
    p->falseNorthing = 6000000;
    return p;
}

Params polarFalseOrigin()
{
    auto p = params<CMapProjectionPolarStereographicFalseOriginParams>();
    p->pole = 2;
    p->latitudeOfStandardParallel = -67 * kDegree;
    p->longitudeOfOrigin = 140 * kDegree;
    p->eastingAtFalseOrigin = 300000;
    p->northingAtFalseOrigin = 200000;
    return p;
}

template <class Projection>
QByteArray className()
{
    return QByteArray(typeid(Projection).name());
}

} // namespace

class TestProjectionFactory : public QObject
{
    Q_OBJECT

private slots:
    void everyType_data();
    void everyType();
    void parametersOfAnotherClass_data();
    void parametersOfAnotherClass();
};

void TestProjectionFactory::everyType_data()
{
    QTest::addColumn<Params>("params");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("projectionClass");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");

    QTest::newRow("transverse mercator")
        << transverseMercator() << 1
        << className<CMapProjectionTransverseMercator>() << 50.0 << 10.0;
    QTest::newRow("oblique mercator") << obliqueMercator() << 2
                                      << className<CMapProjectionObliqueMercator>() << 5.0 << 116.0;
    QTest::newRow("hotine oblique mercator")
        << hotine() << 3 << className<CMapProjectionHotineObliqueMercator>() << 5.0 << 116.0;
    QTest::newRow("nzmg") << origin<CMapProjectionNZMGParams>(-41, 173, 2510000, 6023150) << 4
                          << className<CMapProjectionNZMG>() << -40.5 << 174.0;
    QTest::newRow("albers")
        << falseOrigin<CMapProjectionAlbersEqualAreaParams>(29.5, 45.5, 23, -96, 0, 0) << 5
        << className<CMapProjectionAlbersEqualArea>() << 40.0 << -90.0;
    QTest::newRow("lambert 2SP")
        << falseOrigin<CMapProjectionLambertConformalConic2SPParams>(49, 44, 46.5, 3, 700000, 6600000)
        << 6 << className<CMapProjectionLambertConformalConic2SP>() << 45.0 << 5.0;
    QTest::newRow("lambert 1SP")
        << scaledOrigin<CMapProjectionLambertConformalConic1SPParams>(18, -77, 1.0, 250000, 150000)
        << 7 << className<CMapProjectionLambertConformalConic1SP>() << 18.5 << -76.5;
    QTest::newRow("cassini")
        << origin<CMapProjectionCassiniSoldnerParams>(10.44, -61.33, 430000, 325000) << 8
        << className<CMapProjectionCassiniSoldner>() << 10.5 << -61.2;
    QTest::newRow("mercator 2SP") << mercator2SP() << 9 << className<CMapProjectionMercator2SP>()
                                  << 53.0 << 53.0;
    QTest::newRow("mercator 1SP")
        << scaledOrigin<CMapProjectionMercator1SPParams>(0, 110, 0.997, 3900000, 900000) << 10
        << className<CMapProjectionMercator1SP>() << -3.0 << 120.0;
    QTest::newRow("oblique stereographic")
        << scaledOrigin<CMapProjectionObliqueStereographicParams>(52.15616055555555, 5.38763888888889,
                                                                  0.9999079, 155000, 463000)
        << 11 << className<CMapProjectionObliqueStereographic>() << 53.0 << 6.0;
    QTest::newRow("polar stereographic")
        << scaledOrigin<CMapProjectionPolarStereographicParams>(90, 0, 0.994, 2000000, 2000000) << 12
                                         << className<CMapProjectionPolarStereographic>() << 80.0
                                         << 10.0;
    QTest::newRow("quasi-stereographic")
        << scaledOrigin<CMapProjectionQuasiStereographicParams>(52.15616055555555, 5.38763888888889,
                                                                0.9999079, 155000, 463000)
        << 13 << className<CMapProjectionQuasiStereographic>() << 52.5 << 5.8;
    QTest::newRow("polyconic")
        << scaledOrigin<CMapProjectionPolyconicParams>(0, -54, 1.0, 5000000, 10000000) << 14
        << className<CMapProjectionPolyconic>() << -10.0 << -50.0;
    QTest::newRow("gauss-boaga")
        << centralMeridian<CMapProjectionGaussBoagaParams>(9, 0.9996, 1500000, 0) << 15
        << className<CMapProjectionGaussBoaga>() << 45.0 << 10.0;
    QTest::newRow("krovak") << krovak() << 16 << className<CMapProjectionKrovak>() << 50.0 << 15.0;
    QTest::newRow("hatt") << origin<CMapProjectionHattParams>(38, 23.5, 0, 0) << 17
                          << className<CMapProjectionHatt>() << 38.2 << 23.7;
    QTest::newRow("polar stereographic A") << polarBasic() << 21
                                           << className<CMapProjectionPolarStereographicBasic>()
                                           << 80.0 << 10.0;
    QTest::newRow("polar stereographic B")
        << polarNaturalOrigin() << 22 << className<CMapProjectionPolarStereographicNaturalOrigin>()
        << -75.0 << 120.0;
    QTest::newRow("polar stereographic C")
        << polarFalseOrigin() << 23 << className<CMapProjectionPolarStereographicFalseOrigin>()
        << -66.6 << 140.1;
    QTest::newRow("lambert azimuthal equal-area")
        << origin<CMapProjectionLambertAzimuthalEqualAreaParams>(52, 10, 4321000, 3210000) << 24
        << className<CMapProjectionLambertAzimuthalEqualArea>() << 50.0 << 5.0;
    QTest::newRow("equidistant conic") << equidistantConic() << 25
                                       << className<CMapProjectionEquidistantConic>() << 60.0
                                       << 110.0;
    QTest::newRow("orthographic") << origin<CMapProjectionOrthographicParams>(55, 5, 0, 0) << 26
                                  << className<CMapProjectionOrthographic>() << 58.0 << 10.0;
    QTest::newRow("gauss-kruger wide zone")
        << centralMeridian<CMapProjectionGaussKrugerWideZoneParams>(45, 1.0, 500000, 0) << 101
        << className<CMapProjectionGaussKrugerWideZone>() << 55.0 << 50.0;
    QTest::newRow("transverse mercator equatorial")
        << centralMeridian<CMapProjectionTransverseMercatorEquatorialParams>(9, 0.9996, 500000, 0)
        << 1011 << className<CMapProjectionTransverseMercatorEquatorial>() << 50.0 << 10.0;
    QTest::newRow("lambert 2SP belgium")
        << falseOrigin<CMapProjectionLambertConformalConic2SPBelgiumParams>(
               49.83333333, 51.16666667, 90, 4.35693972, 150000.01256, 5400088.4378)
        << 1201 << className<CMapProjectionLambertConformalConic2SPBelgium>() << 50.5 << 4.5;
    QTest::newRow("spherical mercator")
        << sphericalMercator() << 1313
        << className<CMapProjectionSphericalMercator>() << 50.0 << 10.0;
}

// Each type code builds its own class, which the projection operation runs both ways.
void TestProjectionFactory::everyType()
{
    QFETCH(Params, params);
    QFETCH(int, type);
    QFETCH(QByteArray, projectionClass);
    QFETCH(double, latitude);
    QFETCH(double, longitude);

    QVERIFY(params->isValid());
    QCOMPARE(params->getType(), type);
    const std::unique_ptr<CMapProjection> projection = createMapProjection(kWgs84, *params);
    QVERIFY(projection);
    QCOMPARE(projection->getType(), type);
    QCOMPARE(QByteArray(typeid(*projection).name()), projectionClass);

    CCoordOperationMapProjection toProjected(kWgs84, *params, DirectionReverse);
    CCoordOperationMapProjection toGeodetic(kWgs84, *params, DirectionForward);
    const CCoords point = geodetic(latitude, longitude);
    CCoords converted = point;
    QVERIFY(toProjected.apply(&converted, nullptr));
    QVERIFY(std::isfinite(converted.first) && std::isfinite(converted.second));
    QVERIFY(std::fabs(converted.first - point.first) > 1.0);
    QVERIFY(toGeodetic.apply(&converted, nullptr));
    QVERIFY2(std::fabs(converted.first - point.first) < 1e-9,
             qPrintable(QString::number(converted.first / kDegree, 'f', 12)));
    QVERIFY2(std::fabs(converted.second - point.second) < 1e-9,
             qPrintable(QString::number(converted.second / kDegree, 'f', 12)));
}

void TestProjectionFactory::parametersOfAnotherClass_data()
{
    QTest::addColumn<int>("type");

    for (int type : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 21, 22, 23, 24, 25,
                     26, 101, 1011, 1201, 1313})
        QTest::newRow(qPrintable(QString::number(type))) << type;
}

void TestProjectionFactory::parametersOfAnotherClass()
{
    QFETCH(int, type);

    QVERIFY_EXCEPTION_THROWN(createMapProjection(kWgs84, CImpostorParams(type)), std::bad_cast);
}

QTEST_APPLESS_MAIN(TestProjectionFactory)
#include "test_projectionfactory.moc"
