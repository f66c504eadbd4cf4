#include "geodesy/verticaldatumshift.h"

#include "referencetable.h"

#include <QtTest>

#include <cmath>
#include <typeinfo>

using namespace vexa;

namespace {

constexpr double kDegree = kPi / 180.0;
constexpr double kArcSecond = kPi / 648000.0;
const std::string kHeightPrefix = "verticaldatumshiftoffsetslope:height:";

CVerticalDatumShiftOffsetParams offsetParams(double offset, bool isForward)
{
    CVerticalDatumShiftOffsetParams params;
    params.offset = offset;
    params.isForward = isForward;
    params.name = "offset";
    return params;
}

// The surface of the reference table: 0.5 m, 0.2" north, -0.3" east from 55 N 37 E, GRS 80.
CVerticalDatumShiftOffsetSlopeParams slopeParams(bool isForward)
{
    CVerticalDatumShiftOffsetSlopeParams params;
    params.offset = 0.5;
    params.slopeNorth = 0.2 * kArcSecond;
    params.slopeEast = -0.3 * kArcSecond;
    params.lat0 = 55.0 * kDegree;
    params.lon0 = 37.0 * kDegree;
    params.ellipsoid.setInverseFlattening(6378137.0, 298.257222101);
    params.isForward = isForward;
    params.name = "slope";
    return params;
}

// Longitude 0.6 .. 0.7 rad on the first axis, latitude 0.9 .. 1.0 rad on the second.
CVerticalDatumShiftGridParams gridParams(bool isForward)
{
    CVerticalDatumShiftGridParams params;
    params.grid.readText("0.9 1.0 0.6 0.7 0.05 0.05\n"
                         "3 4 5\n"
                         "2 3 4\n"
                         "1 2 3\n");
    params.isForward = isForward;
    params.name = "grid";
    return params;
}

// A params class whose type code belongs to another class.
class CForeignParams : public CVerticalDatumShiftParams
{
public:
    explicit CForeignParams(int type) : CVerticalDatumShiftParams(type, true) {}
    bool isEqual(const CVerticalDatumShiftParams&) const override { return false; }
    bool isIdentity() const override { return false; }
};

// Runs an operation in direction 2 at the start of a chain and in direction 1 at its end.
bool runTwoPhases(const CVerticalDatumShiftParams& params,
                  std::unique_ptr<CCoordOperation> (*make)(std::unique_ptr<CVerticalDatumShift>,
                                                           int),
                  CAuxDataSet& aux, CCoords& point, double laterHeight)
{
    make(createVerticalDatumShift(params), 2)->apply(&point, &aux);
    point.third = laterHeight;
    return make(createVerticalDatumShift(params), 1)->apply(&point, &aux);
}

template <class Operation>
std::unique_ptr<CCoordOperation> makeOperation(std::unique_ptr<CVerticalDatumShift> shift,
                                               int direction)
{
    return std::make_unique<Operation>(std::move(shift), direction);
}

} // namespace

class TestVerticalDatumShift : public QObject
{
    Q_OBJECT

private slots:
    void offsetSlopeMatchesProj_data();
    void offsetSlopeMatchesProj();
    void offsetSlopeAroundItsOrigin();
    void offsetSignFollowsFlag();
    void gridAddsWhenForwardInsideOnly();
    void offsetOperationUsesTheName();
    void positionOperationsReadTheirSide_data();
    void positionOperationsReadTheirSide();
    void gridOperationFailsOutsideTheGrid();
    void operationsWithoutRecordsFail();
    void paramsValidityAndIdentity();
    void paramsEquality();
    void shiftEquality();
    void factoryBuildsByType();
};

void TestVerticalDatumShift::offsetSlopeMatchesProj_data()
{
    QTest::addColumn<bool>("addsCorrection");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("expected");

    const QVector<QVector<double>> rows = readReferenceTable("verticaldatumshift_proj.txt");
    QVERIFY(!rows.isEmpty());
    for (const QVector<double>& row : rows) {
        QCOMPARE(row.size(), 5);
        const QString name =
            QString("%1 %2 %3").arg(row[0] == 1 ? "forward" : "reverse").arg(row[1]).arg(row[2]);
        QTest::newRow(qPrintable(name)) << (row[0] == 1) << row[1] << row[2] << row[3] << row[4];
    }
}

void TestVerticalDatumShift::offsetSlopeMatchesProj()
{
    QFETCH(bool, addsCorrection);
    QFETCH(double, longitude);
    QFETCH(double, latitude);
    QFETCH(double, height);
    QFETCH(double, expected);

    // The position travels on the source side when the correction is subtracted.
    CAuxDataSet aux;
    const CCoords position(latitude * kDegree, longitude * kDegree, 0.0);
    aux.add(addsCorrection ? "togeodeticcoords" : "fromgeodeticcoords",
            std::make_unique<CAuxDataCoords>(position));
    CCoords point(0.1, 0.2, height);
    QVERIFY(runTwoPhases(slopeParams(!addsCorrection),
                         makeOperation<CCoordOperationVerticalDatumShiftOffsetSlope>, aux, point,
                         -999.0));
    QVERIFY2(std::fabs(point.third - expected) < 1e-6,
             qPrintable(QString::number(point.third, 'f', 9)));
    QCOMPARE(point.first, 0.1);
    QCOMPARE(point.second, 0.2);
}

void TestVerticalDatumShift::offsetSlopeAroundItsOrigin()
{
    CVerticalDatumShiftOffsetSlopeParams params = slopeParams(false);
    const auto shift = createVerticalDatumShift(params);
    CCoords point(params.lat0, params.lon0, 10.0);
    QVERIFY(shift->apply(&point));
    QCOMPARE(point.third, 10.5);

    params.slopeNorth = 1e-6;
    const double m0 = CEllipsoid(params.ellipsoid).getMeridianRadius(params.lat0);
    point = CCoords(params.lat0 + 0.001, params.lon0, 10.0);
    QVERIFY(createVerticalDatumShift(params)->apply(&point));
    QVERIFY(std::fabs(point.third - (10.5 + 1e-9 * m0)) < 1e-9);

    // A longitude a whole turn away is the same place.
    point = CCoords(params.lat0, params.lon0 + kTwoPi - 0.01, 10.0);
    CCoords near(params.lat0, params.lon0 - 0.01, 10.0);
    QVERIFY(shift->apply(&point));
    QVERIFY(shift->apply(&near));
    QVERIFY(std::fabs(point.third - near.third) < 1e-9);
}

void TestVerticalDatumShift::offsetSignFollowsFlag()
{
    CCoords point(0.1, 0.2, 100.0);
    QVERIFY(createVerticalDatumShift(offsetParams(0.5, true))->apply(&point));
    QCOMPARE(point.third, 99.5);
    QVERIFY(createVerticalDatumShift(offsetParams(0.5, false))->apply(&point));
    QCOMPARE(point.third, 100.0);
    QVERIFY(!createVerticalDatumShift(offsetParams(0.5, true))->addsCorrection());
}

void TestVerticalDatumShift::gridAddsWhenForwardInsideOnly()
{
    const auto adding = createVerticalDatumShift(gridParams(true));
    QVERIFY(adding->addsCorrection());
    CCoords point(0.95, 0.65, 10.0);
    QVERIFY(adding->apply(&point));
    QCOMPARE(point.third, 13.0);

    point = CCoords(0.975, 0.7, 10.0);
    QVERIFY(adding->apply(&point));
    QVERIFY(std::fabs(point.third - 14.5) < 1e-12);

    CCoords subtracted;
    QVERIFY(
        createVerticalDatumShift(gridParams(false))->apply(CCoords(0.9, 0.6, 10.0), &subtracted));
    QCOMPARE(subtracted.third, 9.0);

    for (const CCoords& outside : {CCoords(0.95, 0.71, 10.0), CCoords(0.95, 0.59, 10.0),
                                   CCoords(1.01, 0.65, 10.0), CCoords(0.89, 0.65, 10.0)}) {
        point = outside;
        QVERIFY(!adding->apply(&point));
        QCOMPARE(point, outside);
    }
}

void TestVerticalDatumShift::offsetOperationUsesTheName()
{
    CAuxDataSet aux;
    CCoords point(0.1, 0.2, 100.0);
    QVERIFY(runTwoPhases(offsetParams(0.5, false),
                         makeOperation<CCoordOperationVerticalDatumShiftOffset>, aux, point, 7.0));
    QCOMPARE(point.third, 100.5);
    QVERIFY(aux.getHeight("offset"));

    // A second recording under the same name keeps the first height.
    point.third = 40.0;
    QVERIFY(runTwoPhases(offsetParams(0.5, false),
                         makeOperation<CCoordOperationVerticalDatumShiftOffset>, aux, point, 7.0));
    QCOMPARE(point.third, 100.5);
}

void TestVerticalDatumShift::positionOperationsReadTheirSide_data()
{
    QTest::addColumn<bool>("isGrid");
    QTest::addColumn<bool>("isForward");
    QTest::newRow("slope, source side") << false << true;
    QTest::newRow("slope, target side") << false << false;
    QTest::newRow("grid, target side") << true << true;
    QTest::newRow("grid, source side") << true << false;
}

void TestVerticalDatumShift::positionOperationsReadTheirSide()
{
    QFETCH(bool, isGrid);
    QFETCH(bool, isForward);
    const CVerticalDatumShiftOffsetSlopeParams slope = slopeParams(isForward);
    const CVerticalDatumShiftGridParams grid = gridParams(isForward);
    const CVerticalDatumShiftParams& params =
        isGrid ? static_cast<const CVerticalDatumShiftParams&>(grid) : slope;
    const auto make = isGrid ? makeOperation<CCoordOperationVerticalDatumShiftGrid>
                             : makeOperation<CCoordOperationVerticalDatumShiftOffsetSlope>;
    const bool adds = createVerticalDatumShift(params)->addsCorrection();
    const CCoords position
        = isGrid ? CCoords(0.95, 0.65, 0.0) : CCoords(slope.lat0, slope.lon0, 0.0);

    CAuxDataSet aux;
    aux.add(adds ? "fromgeodeticcoords" : "togeodeticcoords",
            std::make_unique<CAuxDataCoords>(CCoords(2.0, 2.0, 0.0)));
    CCoords point(0.0, 0.0, 100.0);
    QVERIFY(!runTwoPhases(params, make, aux, point, 7.0));
    QCOMPARE(point.third, 7.0);
    QVERIFY(aux.getHeight(kHeightPrefix + params.name));

    aux.add(adds ? "togeodeticcoords" : "fromgeodeticcoords",
            std::make_unique<CAuxDataCoords>(position));
    QVERIFY(make(createVerticalDatumShift(params), 1)->apply(&point, &aux));
    const double correction = isGrid ? 3.0 : 0.5;
    QCOMPARE(point.third, adds ? 100.0 + correction : 100.0 - correction);
}

void TestVerticalDatumShift::gridOperationFailsOutsideTheGrid()
{
    CAuxDataSet aux;
    aux.add("togeodeticcoords", std::make_unique<CAuxDataCoords>(CCoords(0.95, 0.8, 0.0)));
    CCoords point(0.0, 0.0, 100.0);
    QVERIFY(!runTwoPhases(gridParams(true), makeOperation<CCoordOperationVerticalDatumShiftGrid>,
                          aux, point, 7.0));
    QCOMPARE(point.third, 7.0);
}

void TestVerticalDatumShift::operationsWithoutRecordsFail()
{
    CAuxDataSet aux;
    CCoords point(0.1, 0.2, 100.0);
    CCoordOperationVerticalDatumShiftOffset reading(
        createVerticalDatumShift(offsetParams(0.5, true)), 1);
    QCOMPARE(reading.getType(), int(OperationVerticalDatumShift));
    QVERIFY(!reading.apply(&point, &aux));
    QCOMPARE(point.third, 100.0);

    CCoordOperationVerticalDatumShiftOffset sideways(
        createVerticalDatumShift(offsetParams(0.5, true)), 3);
    QVERIFY(!sideways.apply(&point, &aux));
    CCoordOperationVerticalDatumShiftGrid gridSideways(createVerticalDatumShift(gridParams(true)),
                                                       3);
    QVERIFY(!gridSideways.apply(&point, &aux));
    QVERIFY(!aux.find("offset"));
    QVERIFY(!aux.find(kHeightPrefix + "grid"));
    QCOMPARE(point.third, 100.0);
}

void TestVerticalDatumShift::paramsValidityAndIdentity()
{
    QVERIFY(!CVerticalDatumShiftOffsetParams().isValid());
    QVERIFY(offsetParams(0.0, true).isIdentity());
    QVERIFY(!offsetParams(1e-11, true).isIdentity());

    QVERIFY(!CVerticalDatumShiftGridParams().isValid());
    CVerticalDatumShiftGridParams grid = gridParams(true);
    QVERIFY(grid.isValid());
    QVERIFY(!grid.isIdentity());
    grid.clear();
    QVERIFY(!grid.isValid());

    CVerticalDatumShiftOffsetSlopeParams slope = slopeParams(true);
    QVERIFY(slope.isValid());
    QVERIFY(!slope.isIdentity());
    slope.offset = 5e-10;
    slope.slopeNorth = slope.slopeEast = 0.0;
    QVERIFY(slope.isIdentity());
    slope.clear();
    QVERIFY(!slope.isValid());
    QVERIFY(!slope.ellipsoid.isValid());
}

void TestVerticalDatumShift::paramsEquality()
{
    CVerticalDatumShiftOffsetParams renamed = offsetParams(0.5, true);
    renamed.name = "other";
    QVERIFY(offsetParams(0.5, true).isEqual(renamed));
    QVERIFY(offsetParams(0.5, true) != offsetParams(0.5, false));
    QVERIFY(offsetParams(0.5, true) != offsetParams(0.5 + 1e-10, true));

    CVerticalDatumShiftOffsetSlopeParams slope = slopeParams(true);
    QVERIFY(slope.isEqual(slopeParams(true)));
    slope.ellipsoid.setSphere(6371000.0);
    QVERIFY(!slope.isEqual(slopeParams(true)));

    QVERIFY(gridParams(true).isEqual(gridParams(true)));
    QVERIFY(!gridParams(true).isEqual(CVerticalDatumShiftGridParams()));

    QVERIFY_EXCEPTION_THROWN(
        offsetParams(0.5, true).isEqual(CForeignParams(VerticalDatumShiftOffset)), std::bad_cast);
    QVERIFY(!offsetParams(0.5, true).isEqual(gridParams(true)));
}

void TestVerticalDatumShift::shiftEquality()
{
    CVerticalDatumShiftOffsetSlopeParams turned = slopeParams(true);
    turned.lon0 += kTwoPi;
    QVERIFY(
        createVerticalDatumShift(slopeParams(true))->isEqual(*createVerticalDatumShift(turned)));
    turned.slopeEast += 1e-11;
    QVERIFY(
        !createVerticalDatumShift(slopeParams(true))->isEqual(*createVerticalDatumShift(turned)));
    QVERIFY(!createVerticalDatumShift(gridParams(true))->isEqual(
        *createVerticalDatumShift(offsetParams(0.5, true))));
}

void TestVerticalDatumShift::factoryBuildsByType()
{
    QCOMPARE(createVerticalDatumShift(offsetParams(0.5, true))->getType(),
             int(VerticalDatumShiftOffset));
    QCOMPARE(createVerticalDatumShift(slopeParams(true))->getName(), std::string("slope"));
    QCOMPARE(createVerticalDatumShift(gridParams(true))->getType(), int(VerticalDatumShiftGrid));
    for (int type : {0, 4})
        QVERIFY(!createVerticalDatumShift(CForeignParams(type)));
    QVERIFY_EXCEPTION_THROWN(createVerticalDatumShift(CForeignParams(VerticalDatumShiftGrid)),
                             std::bad_cast);
}

QTEST_APPLESS_MAIN(TestVerticalDatumShift)

#include "test_verticaldatumshift.moc"
