#include "geodesy/coordoperator.h"
#include "geodesy/geoid.h"

#include "coordoperatorfixture.h"
#include "rawgridfile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cfloat>
#include <limits>
#include <typeinfo>

using namespace vexa;
using namespace coordoperatorfixture;

Q_DECLARE_METATYPE(std::shared_ptr<vexa::CGeoidGridParams>)

namespace {

// Geodetic, radians and metres, as the chain holds points.
CCoordSysParams pointSystem()
{
    return wgs84Geodetic();
}

// Geodetic in degrees, heights times heightFactor.
std::shared_ptr<CCoordSysParams> systemInDegrees(double heightFactor)
{
    auto system = std::make_shared<CCoordSysParams>(pointSystem());
    system->transforms = inDegrees(heightFactor);
    return system;
}

std::shared_ptr<CGeoidGridParams> constantGeoid(double undulation)
{
    auto params = std::make_shared<CGeoidGridParams>();
    params->grid.create(2, 2, degree, degree, 36.0 * degree, 55.0 * degree);
    for (unsigned i = 0; i < 2; ++i) {
        for (unsigned j = 0; j < 2; ++j)
            params->grid.setValue(i, j, undulation);
    }
    params->gridSystem = std::make_shared<CCoordSysParams>(pointSystem());
    params->heightScale = 1.0;
    return params;
}

// A grid in degrees over longitudes 0 to 360 in steps of 90, the last column repeating the
// first, and latitudes 40 and 60.
std::shared_ptr<CGeoidGridParams> globalGeoid(double columnPeriod, double longitudeTurn)
{
    const double undulations[5] = {10.0, 20.0, 30.0, 40.0, 10.0};
    auto params = std::make_shared<CGeoidGridParams>();
    params->grid.create(5, 2, 90.0, 20.0, 0.0, 40.0);
    for (unsigned i = 0; i < 5; ++i) {
        for (unsigned j = 0; j < 2; ++j)
            params->grid.setValue(i, j, undulations[i]);
    }
    params->gridSystem = systemInDegrees(1.0);
    params->heightScale = 1.0;
    params->columnPeriod = columnPeriod;
    params->longitudeTurn = longitudeTurn;
    return params;
}

// Nodes at 36, 37, 38 E and 55, 56, 57 N; rows of the file run from the northern one down.
const double undulations[3][3] = {{10.0, 12.0, 14.0}, {11.0, 13.0, 15.0}, {20.0, 22.0, 24.0}};

class COtherGeoidParams : public CGeoidParams
{
public:
    COtherGeoidParams() : CGeoidParams(GeoidGrid) {}
    bool isEqual(const CGeoidParams&) const override { return false; }
};

} // namespace

class TestGeoid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void paramsValidity_data();
    void paramsValidity();
    void clearKeepsType();
    void paramsNeverEqual();
    void factory();
    void constantUndulation();
    void writtenGrid_data();
    void writtenGrid();
    void outsideTheGridFails();
    void nodeThatIsNoHeight_data();
    void nodeThatIsNoHeight();
    void globalGrid_data();
    void globalGrid();
    void operationDirections();
    void chainWithGeoids();

private:
    QTemporaryDir m_folder;
};

void TestGeoid::initTestCase()
{
    QVERIFY(m_folder.isValid());
}

void TestGeoid::paramsValidity_data()
{
    QTest::addColumn<std::shared_ptr<CGeoidGridParams>>("params");
    QTest::addColumn<bool>("valid");

    QTest::newRow("default") << std::make_shared<CGeoidGridParams>() << false;
    QTest::newRow("complete") << constantGeoid(30.0) << true;
    auto params = constantGeoid(30.0);
    params->heightScale = 0.0;
    QTest::newRow("height scale 0") << params << false;
    params = constantGeoid(30.0);
    params->heightScale = DBL_MAX;
    QTest::newRow("height scale undefined") << params << false;
    params = constantGeoid(30.0);
    params->gridSystem.reset();
    QTest::newRow("no grid system") << params << false;
    params = constantGeoid(30.0);
    params->gridSystem = std::make_shared<CCoordSysParams>();
    QTest::newRow("undefined grid system") << params << false;
    params = constantGeoid(30.0);
    params->grid.clear();
    QTest::newRow("empty grid is not tested") << params << true;
}

void TestGeoid::paramsValidity()
{
    QFETCH(std::shared_ptr<CGeoidGridParams>, params);
    QFETCH(bool, valid);

    QCOMPARE(params->isValid(), valid);
}

void TestGeoid::clearKeepsType()
{
    auto params = constantGeoid(30.0);
    params->clear();
    QCOMPARE(params->getType(), int(GeoidGrid));
    QVERIFY(!params->gridSystem);
    QCOMPARE(params->heightScale, DBL_MAX);
    QCOMPARE(params->grid.getColumnCount(), 0u);
}

void TestGeoid::paramsNeverEqual()
{
    const auto params = constantGeoid(30.0);
    QVERIFY(!params->isEqual(*params));
    QVERIFY(*params != CGeoidGridParams(*params));
    QVERIFY_EXCEPTION_THROWN(params->isEqual(COtherGeoidParams()), std::bad_cast);
}

void TestGeoid::factory()
{
    const auto params = constantGeoid(30.0);
    const std::unique_ptr<CGeoid> geoid = createGeoid(*params, pointSystem());
    QVERIFY(geoid);
    QCOMPARE(geoid->getType(), int(GeoidGrid));
    QVERIFY_EXCEPTION_THROWN(createGeoid(COtherGeoidParams(), pointSystem()), std::bad_cast);
    QVERIFY_EXCEPTION_THROWN(CGeoidGrid(CGeoidGridParams(), pointSystem()).getType(),
                             std::runtime_error);
}

void TestGeoid::constantUndulation()
{
    const CGeoidGrid geoid(*constantGeoid(30.0), pointSystem());
    const CCoords above(55.5 * degree, 36.5 * degree, 100.0);
    CCoords result;
    QVERIFY(geoid.EllipsoidToGeoid(above, &result));
    QVERIFY(std::fabs(result.third - 70.0) < 1e-6);
    QCOMPARE(result.first, above.first);
    QCOMPARE(result.second, above.second);
    QVERIFY(geoid.GeoidToEllipsoid(CCoords(above.first, above.second, 70.0), &result));
    QVERIFY(std::fabs(result.third - 100.0) < 1e-6);
}

// A raw grid file in a system of degrees; with the factor 100 heights in the grid's system
// are centimetres, and so are its undulations.
void TestGeoid::writtenGrid_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("undulation");

    for (double factor : {1.0, 100.0}) {
        const QByteArray unit = factor == 1.0 ? "m" : "cm";
        QTest::newRow("node, " + unit) << factor << 56.0 << 37.0 << 13.0;
        QTest::newRow("south-west cell, " + unit) << factor << 55.5 << 36.25 << 11.0;
        QTest::newRow("north-east cell, " + unit) << factor << 56.5 << 37.5 << 18.5;
        QTest::newRow("north-east corner, " + unit) << factor << 57.0 << 38.0 << 24.0;
    }
}

void TestGeoid::writtenGrid()
{
    QFETCH(double, factor);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, undulation);

    const QString fileName = m_folder.filePath(QString("geoid%1.raw").arg(factor));
    QVERIFY(writeRawGridFile(fileName, 3, 3, [factor](int i, int j) { return undulations[j][i] * factor; }));
    CGeoidGridParams params;
    QVERIFY(params.grid.openRaw(fileName.toStdString(), 3, 3, 1.0, 1.0, 36.0, 55.0));
    params.gridSystem = systemInDegrees(factor);
    params.heightScale = 1.0 / factor;
    const CGeoidGrid geoid(params, pointSystem());

    const CCoords onGeoid(latitude * degree, longitude * degree, 100.0);
    CCoords result;
    QVERIFY(geoid.GeoidToEllipsoid(onGeoid, &result));
    QVERIFY2(std::fabs(result.third - (100.0 + undulation)) < 1e-6,
             qPrintable(QString::number(result.third, 'f', 9)));
    QVERIFY(geoid.EllipsoidToGeoid(result, &result));
    QVERIFY(std::fabs(result.third - 100.0) < 1e-6);
}

void TestGeoid::outsideTheGridFails()
{
    const CGeoidGrid geoid(*constantGeoid(30.0), pointSystem());
    for (const CCoords& point : {CCoords(55.5 * degree, 35.99 * degree, 100.0),
                                 CCoords(56.01 * degree, 36.5 * degree, 100.0)}) {
        CCoords result;
        QVERIFY(!geoid.EllipsoidToGeoid(point, &result));
        QCOMPARE(result, point);
        QVERIFY(!geoid.GeoidToEllipsoid(point, &result));
    }
    double undulation = 0.0;
    QVERIFY(!geoid.getUndulation(37.01 * degree, 55.5 * degree, &undulation));
    QVERIFY(geoid.getUndulation(37.0 * degree, 55.5 * degree, &undulation));
    QCOMPARE(undulation, 30.0);
}

// A raw grid in a system of degrees whose north-eastern node holds the value (in the grid's
// height unit of factor metres): a point in a cell that takes that node, even with a weight of
// 0.0004, gets no height unless the value is a geoid height; a point of another cell gets one.
void TestGeoid::nodeThatIsNoHeight_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<double>("factor");
    QTest::addColumn<bool>("height");

    QTest::newRow("no-data marker") << -9999.0f << 1.0 << false;
    QTest::newRow("1000 m") << 1000.0f << 1.0 << true;
    QTest::newRow("beyond 1000 m") << 1000.5f << 1.0 << false;
    QTest::newRow("1000 m in centimetres") << 100000.0f << 100.0 << true;
    QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << 1.0 << false;
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << 1.0 << false;
    QTest::newRow("zero") << 0.0f << 1.0 << true;
    // 24 in the other byte order.
    QTest::newRow("too small for a float") << 6.89677e-41f << 1.0 << false;
}

void TestGeoid::nodeThatIsNoHeight()
{
    QFETCH(float, value);
    QFETCH(double, factor);
    QFETCH(bool, height);
    const QString fileName = m_folder.filePath(QString("node%1.raw").arg(QTest::currentDataTag()));
    QVERIFY(writeRawGridFile(fileName, 3, 3, [&](int i, int j) {
        return i == 2 && j == 2 ? double(value) : undulations[j][i] * factor;
    }));
    CGeoidGridParams params;
    QVERIFY(params.grid.openRaw(fileName.toStdString(), 3, 3, 1.0, 1.0, 36.0, 55.0));
    params.gridSystem = systemInDegrees(factor);
    params.heightScale = 1.0 / factor;
    const CGeoidGrid geoid(params, pointSystem());

    CCoords result;
    const CCoords nearNode(56.02 * degree, 37.02 * degree, 100.0);
    QCOMPARE(geoid.GeoidToEllipsoid(nearNode, &result), height);
    QCOMPARE(geoid.EllipsoidToGeoid(nearNode, &result), height);
    QVERIFY(geoid.GeoidToEllipsoid(CCoords(55.5 * degree, 36.5 * degree, 100.0), &result));
    QVERIFY(std::fabs(result.third - 111.5) < 1e-6);
}

void TestGeoid::globalGrid_data()
{
    QTest::addColumn<double>("period");
    QTest::addColumn<double>("turn");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("undulation");

    // Either the grid's period or the turn of its longitudes brings a western longitude on.
    const QList<QPair<QByteArray, QPair<double, double>>> ways{{"period", {360.0, 0.0}},
                                                              {"turn", {0.0, 360.0}}};
    for (const auto& way : ways) {
        const double period = way.second.first;
        const double turn = way.second.second;
        QTest::newRow(way.first + ": west, in the last cell") << period << turn << -45.0 << 25.0;
        QTest::newRow(way.first + ": west, on a node") << period << turn << -90.0 << 40.0;
        QTest::newRow(way.first + ": east, in the last cell") << period << turn << 315.0 << 25.0;
        QTest::newRow(way.first + ": a turn further west") << period << turn << -405.0 << 25.0;
    }
}

// A grid laid out over 0 to 360 degrees answers western longitudes from its last cell.
void TestGeoid::globalGrid()
{
    QFETCH(double, period);
    QFETCH(double, turn);
    QFETCH(double, longitude);
    QFETCH(double, undulation);

    const CGeoidGrid geoid(*globalGeoid(period, turn), pointSystem());
    const CCoords point(50.0 * degree, longitude * degree, 100.0);
    CCoords result;
    QVERIFY(geoid.EllipsoidToGeoid(point, &result));
    QVERIFY2(std::fabs(result.third - (100.0 - undulation)) < 1e-6,
             qPrintable(QString::number(result.third, 'f', 9)));
    QVERIFY(geoid.GeoidToEllipsoid(result, &result));
    QVERIFY(std::fabs(result.third - 100.0) < 1e-6);
}

void TestGeoid::operationDirections()
{
    const auto params = constantGeoid(30.0);
    CCoords point(55.5 * degree, 36.5 * degree, 100.0);
    CAuxDataSet aux;
    CCoordOperationGeoid toGeoid(pointSystem(), *params, DirectionForward);
    QCOMPARE(toGeoid.getType(), int(OperationGeoid));
    QVERIFY(toGeoid.apply(&point, &aux));
    QVERIFY(std::fabs(point.third - 70.0) < 1e-6);
    CCoordOperationGeoid toEllipsoid(pointSystem(), *params, DirectionReverse);
    QVERIFY(toEllipsoid.apply(&point, &aux));
    QVERIFY(std::fabs(point.third - 100.0) < 1e-6);
    CCoordOperationGeoid other(pointSystem(), *params, 3);
    QVERIFY(!other.apply(&point, &aux));
    QVERIFY(std::fabs(point.third - 100.0) < 1e-6);
}

// Geoid heights of the source become ellipsoidal heights at the start of the chain, those of
// the target come from ellipsoidal heights at its end.
void TestGeoid::chainWithGeoids()
{
    CCoordSysParams withGeoid = pointSystem();
    withGeoid.geoid = constantGeoid(30.0);
    const auto fromGeoid = CCoordOperator::create(withGeoid, pointSystem());
    const auto toGeoid = CCoordOperator::create(pointSystem(), withGeoid);
    QVERIFY(fromGeoid && toGeoid);
    QCOMPARE(fromGeoid->getOperations().size(), std::size_t(1));
    QCOMPARE(fromGeoid->getOperations().front()->getType(), int(OperationGeoid));

    CCoords point(55.5 * degree, 36.5 * degree, 70.0);
    QVERIFY(fromGeoid->transform(&point));
    QVERIFY(std::fabs(point.third - 100.0) < 1e-6);
    QVERIFY(toGeoid->transform(&point));
    QVERIFY(std::fabs(point.third - 70.0) < 1e-6);
    CCoords outside(50.0 * degree, 36.5 * degree, 70.0);
    QVERIFY(!fromGeoid->transform(&outside));

    withGeoid.datumShiftToWgs84 = bursaWolf(5.0);
    withGeoid.transforms = inDegrees();
    CCoordSysParams gk = gaussKruger7();
    gk.transforms = inDegrees();
    const auto op = CCoordOperator::create(withGeoid, gk);
    QVERIFY(op);
    QStringList types;
    for (const auto& operation : op->getOperations())
        types << QString::number(operation->getType());
    QCOMPARE(types.join(' '), QString("1 8 2 5 5 2 3 1"));
}

QTEST_APPLESS_MAIN(TestGeoid)
#include "test_geoid.moc"
