#include "geodesy/geographicdatumshift.h"

#include "ntv2testfile.h"
#include "referencetable.h"

#include <QtTest>

#include <cmath>
#include <typeinfo>

using namespace vexa;

Q_DECLARE_METATYPE(vexa::CCoords)

namespace {

constexpr double kDegree = kPi / 180.0;
constexpr double kArcSecond = kPi / 648000.0;
constexpr double kEarthRadius = 6371000.0;

CEllipsoidParams krassovsky()
{
    CEllipsoidParams params;
    params.setInverseFlattening(6378245.0, 298.3);
    return params;
}

CEllipsoidParams wgs84()
{
    CEllipsoidParams params;
    params.setInverseFlattening(6378137.0, 298.257223563);
    return params;
}

CGeographicDatumShiftStandardMolodenskyParams standardParams(double tx, double ty, double tz)
{
    CGeographicDatumShiftStandardMolodenskyParams params;
    params.tx = tx;
    params.ty = ty;
    params.tz = tz;
    params.rx = params.ry = params.rz = params.m = 0.0;
    return params;
}

CGeographicDatumShiftAbridgedMolodenskyParams abridgedParams(double tx, double ty, double tz)
{
    CGeographicDatumShiftAbridgedMolodenskyParams params;
    params.tx = tx;
    params.ty = ty;
    params.tz = tz;
    return params;
}

CGeographicDatumShiftOffset2DParams offset2DParams(double dLat, double dLon)
{
    CGeographicDatumShiftOffset2DParams params;
    params.dLat = dLat;
    params.dLon = dLon;
    return params;
}

std::unique_ptr<CGeographicDatumShift> create(const CGeographicDatumShiftParams& params,
                                              const CEllipsoidParams& source = krassovsky(),
                                              const CEllipsoidParams& target = wgs84())
{
    return createGeographicDatumShift(params, source, params, target);
}

// The shift of a type that the reference table was made for.
std::unique_ptr<CGeographicDatumShift> referenceShift(int type)
{
    if (type == GeographicDatumShiftStandardMolodensky)
        return create(standardParams(23.92, -141.27, -80.9));
    if (type == GeographicDatumShiftAbridgedMolodensky)
        return create(abridgedParams(23.92, -141.27, -80.9));
    if (type == GeographicDatumShiftOffset3D) {
        CGeographicDatumShiftOffset3DParams params;
        params.dLat = 3.25 * kArcSecond;
        params.dLon = -7.5 * kArcSecond;
        params.dH = -12.5;
        return create(params);
    }
    return create(offset2DParams(3.25 * kArcSecond, -7.5 * kArcSecond));
}

// Largest distance, in metres, between two points along the three axes.
double separation(const CCoords& first, const CCoords& second)
{
    const double north = (first.first - second.first) * kEarthRadius;
    const double east = (first.second - second.second) * kEarthRadius * std::cos(first.first);
    return std::max({std::fabs(north), std::fabs(east), std::fabs(first.third - second.third)});
}

// Coordinate-frame similarity between geocentric systems, small rotations.
CCoords similarity(const CCoords& geocentric, const double t[3], const double r[3], double m,
                   double sign)
{
    const double x = geocentric.first;
    const double y = geocentric.second;
    const double z = geocentric.third;
    if (sign > 0)
        return CCoords(t[0] + (1 + m) * (x + r[2] * y - r[1] * z),
                       t[1] + (1 + m) * (-r[2] * x + y + r[0] * z),
                       t[2] + (1 + m) * (r[1] * x - r[0] * y + z));
    const double u = (x - t[0]) / (1 + m);
    const double v = (y - t[1]) / (1 + m);
    const double w = (z - t[2]) / (1 + m);
    return CCoords(u - r[2] * v + r[1] * w, r[2] * u + v - r[0] * w, -r[1] * u + r[0] * v + w);
}

// A shift params class whose type code belongs to another class.
class CForeignParams : public CGeographicDatumShiftParams
{
public:
    explicit CForeignParams(int type) : CGeographicDatumShiftParams(type, true) {}
    bool isEqual(const CGeographicDatumShiftParams&) const override { return false; }
    bool isIdentity() const override { return false; }
};

} // namespace

class TestGeographicDatumShift : public QObject
{
    Q_OBJECT

private slots:
    void matchesProj_data();
    void matchesProj();
    void standardMatchesGeocentricSimilarity_data();
    void standardMatchesGeocentricSimilarity();
    void offsetMovesAndRestores();
    void offsetsCompareWrapped();
    void abridgedBetweenIdenticalEllipsoids();
    void abridgedOnSpheres();
    void standardWithoutParametersChangesNothing();
    void paramsValidity();
    void paramsIdentity();
    void equalityNeedsTypeFlagAndClass();
    void factoryBuildsByType();
    void operationRunsByDirection();
    void ntv2ShiftWorksInRadians();
};

void TestGeographicDatumShift::matchesProj_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("isForward");
    QTest::addColumn<CCoords>("input");
    QTest::addColumn<CCoords>("expected");
    QTest::addColumn<double>("tolerance");

    const QVector<QVector<double>> rows = readReferenceTable("geographicdatumshift_proj.txt");
    QVERIFY(!rows.isEmpty());
    for (const QVector<double>& row : rows) {
        QCOMPARE(row.size(), 8);
        const int type = int(row[0]);
        const CCoords input(row[3] * kDegree, row[2] * kDegree, row[4]);
        const CCoords expected(row[6] * kDegree, row[5] * kDegree, row[7]);
        const QString name = QString("type %1 %2 %3 %4")
                                 .arg(type)
                                 .arg(row[1] == 1 ? "forward" : "reverse")
                                 .arg(row[2])
                                 .arg(row[3]);
        QTest::newRow(qPrintable(name))
            << type << (row[1] == 1) << input << expected
            << (type == GeographicDatumShiftStandardMolodensky ? 1e-2 : 1e-4);
    }
}

void TestGeographicDatumShift::matchesProj()
{
    QFETCH(int, type);
    QFETCH(bool, isForward);
    QFETCH(CCoords, input);
    QFETCH(CCoords, expected);
    QFETCH(double, tolerance);

    const auto shift = referenceShift(type);
    CCoords output;
    QVERIFY(isForward ? shift->forwardShift(input, &output) : shift->reverseShift(input, &output));
    QVERIFY2(separation(output, expected) < tolerance,
             qPrintable(QString::number(separation(output, expected))));
}

void TestGeographicDatumShift::standardMatchesGeocentricSimilarity_data()
{
    QTest::addColumn<CCoords>("point");
    QTest::addColumn<bool>("withRotations");
    QTest::addColumn<bool>("isForward");
    const CCoords points[] = {{55.75 * kDegree, 37.62 * kDegree, 150.0},
                              {0.0, 0.0, 0.0},
                              {-33.9 * kDegree, 18.4 * kDegree, 1200.0},
                              {70.1 * kDegree, -150.3 * kDegree, -30.0},
                              {-60.2 * kDegree, -75.5 * kDegree, 2500.0}};
    for (const CCoords& point : points) {
        for (bool withRotations : {false, true}) {
            for (bool isForward : {true, false}) {
                const QString name = QString("%1 %2 %3 %4")
                                         .arg(point.first / kDegree)
                                         .arg(point.second / kDegree)
                                         .arg(withRotations ? "rotated" : "translated",
                                              isForward ? "forward" : "reverse");
                QTest::newRow(qPrintable(name)) << point << withRotations << isForward;
            }
        }
    }
}

void TestGeographicDatumShift::standardMatchesGeocentricSimilarity()
{
    QFETCH(CCoords, point);
    QFETCH(bool, withRotations);
    QFETCH(bool, isForward);

    const double t[3] = {23.92, -141.27, -80.9};
    const double r[3] = {withRotations ? 0.35 * kArcSecond : 0.0,
                         withRotations ? -0.25 * kArcSecond : 0.0,
                         withRotations ? 0.6 * kArcSecond : 0.0};
    const double m = withRotations ? 1.2e-6 : 0.0;
    CGeographicDatumShiftStandardMolodenskyParams params = standardParams(t[0], t[1], t[2]);
    params.rx = r[0];
    params.ry = r[1];
    params.rz = r[2];
    params.m = m;
    const auto shift = create(params);

    const CEllipsoid from(isForward ? krassovsky() : wgs84());
    const CEllipsoid to(isForward ? wgs84() : krassovsky());
    CCoords geocentric;
    from.EllipsoidalToCartesian(point, &geocentric);
    CCoords expected;
    to.CartesianToEllipsoidal(similarity(geocentric, t, r, m, isForward ? 1.0 : -1.0), &expected);

    CCoords output;
    QVERIFY(isForward ? shift->forwardShift(point, &output) : shift->reverseShift(point, &output));
    const double limit = withRotations ? 1e-3 : 1e-5;
    QVERIFY2(separation(output, expected) < limit,
             qPrintable(QString::number(separation(output, expected))));
}

void TestGeographicDatumShift::offsetMovesAndRestores()
{
    const auto shift = create(offset2DParams(1e-5, 0.0));
    const CCoords start(0.5, 0.25, 100.0);
    CCoords shifted;
    QVERIFY(shift->forwardShift(start, &shifted));
    QCOMPARE(shifted, CCoords(0.5 - 1e-5, 0.25, 100.0));
    CCoords back;
    QVERIFY(shift->reverseShift(shifted, &back));
    QCOMPARE(back, start);
}

void TestGeographicDatumShift::offsetsCompareWrapped()
{
    const CGeographicDatumShiftOffset2DParams first = offset2DParams(1e-5, 0.1);
    const CGeographicDatumShiftOffset2DParams turned = offset2DParams(1e-5, 0.1 + kTwoPi);
    const CGeographicDatumShiftOffset2DParams other = offset2DParams(1e-5, 0.1 + 1e-9);
    QVERIFY(first.isEqual(turned));
    QVERIFY(first != other);
    QVERIFY(create(first)->isEqual(*create(turned)));
    QVERIFY(!create(first)->isEqual(*create(other)));

    CGeographicDatumShiftOffset3DParams lifted;
    lifted.dLat = 1e-5;
    lifted.dLon = 0.1;
    lifted.dH = 0.0;
    CGeographicDatumShiftOffset3DParams raised = lifted;
    raised.dH = 2e-7;
    QVERIFY(!lifted.isEqual(raised));
    raised.dH = 5e-8;
    QVERIFY(lifted.isEqual(raised));
}

void TestGeographicDatumShift::abridgedBetweenIdenticalEllipsoids()
{
    const CCoords start(0.7, -1.1, 250.0);
    CCoords output;
    QVERIFY(create(abridgedParams(0.0, 0.0, 0.0), wgs84(), wgs84())->forwardShift(start, &output));
    QCOMPARE(output, start);

    // Only tz at the equator: the latitude rises by tz / M.
    const CCoords equator(0.0, 0.3, 10.0);
    QVERIFY(
        create(abridgedParams(0.0, 0.0, 100.0), wgs84(), wgs84())->forwardShift(equator, &output));
    const double m = CEllipsoid(wgs84()).getMeridianRadius(0.0);
    QVERIFY(std::fabs(output.first - 100.0 / m) < 1e-15);
    QCOMPARE(output.second, equator.second);
    QVERIFY(std::fabs(output.third - equator.third) < 1e-9);
}

void TestGeographicDatumShift::abridgedOnSpheres()
{
    CEllipsoidParams sphere;
    QVERIFY(sphere.setSphere(6371000.0));
    const CCoords start(0.4, 0.2, 5.0);
    CCoords output;
    QVERIFY(create(abridgedParams(0.0, 0.0, 0.0), sphere, sphere)->forwardShift(start, &output));
    QCOMPARE(output, start);
}

void TestGeographicDatumShift::standardWithoutParametersChangesNothing()
{
    const CCoords start(0.9, 2.1, -40.0);
    CCoords output;
    QVERIFY(create(standardParams(0.0, 0.0, 0.0), wgs84(), wgs84())->forwardShift(start, &output));
    QCOMPARE(output, start);

    const auto lifted = create(standardParams(0.0, 0.0, 100.0), wgs84(), wgs84());
    CCoords back;
    QVERIFY(lifted->forwardShift(start, &output));
    QVERIFY(lifted->reverseShift(output, &back));
    QVERIFY(separation(back, start) < 1e-6);
}

void TestGeographicDatumShift::paramsValidity()
{
    CGeographicDatumShiftAbridgedMolodenskyParams abridged;
    QVERIFY(!abridged.isValid());
    abridged = abridgedParams(1.0, 2.0, 3.0);
    QVERIFY(abridged.isValid());
    abridged.clear();
    QVERIFY(!abridged.isValid());
    QCOMPARE(abridged.tz, kUndefined);

    CGeographicDatumShiftStandardMolodenskyParams standard;
    QVERIFY(!standard.isValid());
    standard = standardParams(1.0, 2.0, 3.0);
    QVERIFY(standard.isValid());
    standard.m = kUndefined;
    QVERIFY(!standard.isValid());

    CGeographicDatumShiftNTv2Params grid;
    QVERIFY(!grid.isValid());
    QVERIFY(!CGeographicDatumShiftOffset3DParams().isValid());
    QVERIFY(!CGeographicDatumShiftOffset2DParams().isValid());
    QVERIFY(CGeographicDatumShiftOffset2DParams().isForward);
}

void TestGeographicDatumShift::paramsIdentity()
{
    QVERIFY(!abridgedParams(0.0, 0.0, 0.01).isIdentity());
    QVERIFY(abridgedParams(0.0, 5e-8, 0.0).isIdentity());

    CGeographicDatumShiftStandardMolodenskyParams standard = standardParams(0.0, 0.0, 0.0);
    QVERIFY(standard.isIdentity());
    standard.rz = 1e-9;
    QVERIFY(!standard.isIdentity());
    QVERIFY(!standard.isRotationFree());
    standard.negateRotations();
    QCOMPARE(standard.rz, -1e-9);

    QVERIFY(offset2DParams(0.0, 5e-13).isIdentity());
    QVERIFY(!CGeographicDatumShiftNTv2Params().isIdentity());
}

void TestGeographicDatumShift::equalityNeedsTypeFlagAndClass()
{
    const CGeographicDatumShiftAbridgedMolodenskyParams first = abridgedParams(1.0, 2.0, 3.0);
    CGeographicDatumShiftAbridgedMolodenskyParams second = first;
    QVERIFY(first.isEqual(second));
    second.isForward = false;
    QVERIFY(!first.isEqual(second));
    QVERIFY(!first.isEqual(standardParams(1.0, 2.0, 3.0)));

    const CForeignParams foreign(GeographicDatumShiftAbridgedMolodensky);
    QVERIFY_EXCEPTION_THROWN(first.isEqual(foreign), std::bad_cast);

    const CGeographicDatumShiftNTv2Params grid;
    QVERIFY(!grid.isEqual(CGeographicDatumShiftNTv2Params(grid)));
}

void TestGeographicDatumShift::factoryBuildsByType()
{
    QCOMPARE(create(offset2DParams(0.0, 0.0))->getType(), int(GeographicDatumShiftOffset2D));
    QCOMPARE(create(CGeographicDatumShiftOffset3DParams())->getType(),
             int(GeographicDatumShiftOffset3D));
    QCOMPARE(create(abridgedParams(0.0, 0.0, 0.0))->getType(),
             int(GeographicDatumShiftAbridgedMolodensky));
    QCOMPARE(create(standardParams(0.0, 0.0, 0.0))->getType(),
             int(GeographicDatumShiftStandardMolodensky));
    QCOMPARE(create(CGeographicDatumShiftNTv2Params())->getType(), int(GeographicDatumShiftNTv2));
    for (int type : {0, 5, 7})
        QVERIFY(!create(CForeignParams(type)));
    QVERIFY_EXCEPTION_THROWN(create(CForeignParams(GeographicDatumShiftOffset2D)), std::bad_cast);
}

void TestGeographicDatumShift::operationRunsByDirection()
{
    const CCoords start(0.5, 0.25, 100.0);
    for (int direction : {1, 2, 3}) {
        CCoordOperationGeographicDatumShift operation(create(offset2DParams(1e-5, 2e-5)),
                                                      direction);
        QCOMPARE(operation.getType(), int(OperationGeographicDatumShift));
        CAuxDataSet aux;
        CCoords point = start;
        const bool applied = operation.apply(&point, &aux);
        QCOMPARE(applied, direction != 3);
        const double sign = direction == 1 ? -1.0 : direction == 2 ? 1.0 : 0.0;
        QCOMPARE(point, CCoords(0.5 + sign * 1e-5, 0.25 + sign * 2e-5, 100.0));
    }
}

void TestGeographicDatumShift::ntv2ShiftWorksInRadians()
{
    QTemporaryDir dir;
    const QString path =
        writeNtv2TestFile(dir.filePath("grid.gsb"), ntv2BinaryFile(ntv2TestSubGrids()));
    CNTv2GridFile gridFile;
    QVERIFY(gridFile.loadBinary(path.toStdString()));
    const CGeographicDatumShiftNTv2Params params(gridFile, true);
    QVERIFY(params.isValid());
    CCoordOperationGeographicDatumShift forward(create(params), 1);

    double latitude = 50.3 * 3600.0;
    double longitude = 10.3 * 3600.0;
    QVERIFY(gridFile.forward(latitude, longitude));
    CAuxDataSet aux;
    CCoords point(50.3 * kDegree, 10.3 * kDegree, 123.0);
    QVERIFY(forward.apply(&point, &aux));
    QVERIFY(std::fabs(point.first - latitude * kArcSecond) < 1e-14);
    QVERIFY(std::fabs(point.second - longitude * kArcSecond) < 1e-14);
    QCOMPARE(point.third, 123.0);

    CCoordOperationGeographicDatumShift reverse(create(params), 2);
    QVERIFY(reverse.apply(&point, &aux));
    QVERIFY(separation(point, CCoords(50.3 * kDegree, 10.3 * kDegree, 123.0)) < 1e-6);

    const CCoords outside(52.0 * kDegree, 10.3 * kDegree, 5.0);
    point = outside;
    QVERIFY(!forward.apply(&point, &aux));
    QVERIFY(!reverse.apply(&point, &aux));
    QCOMPARE(point, outside);
}

QTEST_APPLESS_MAIN(TestGeographicDatumShift)

#include "test_geographicdatumshift.moc"
