#include "geodesy/coordoperator.h"
#include "geodesy/datumshift.h"
#include "geodesy/geographicdatumshift.h"
#include "geodesy/geoid.h"
#include "geodesy/mapprojection.h"
#include "geodesy/topocentric.h"
#include "geodesy/transform.h"
#include "geodesy/verticaldatumshift.h"

#include "coordoperatorfixture.h"
#include "ntv2testfile.h"
#include "rawgridfile.h"
#include "referencetable.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <thread>

using namespace vexa;
using namespace coordoperatorfixture;

Q_DECLARE_METATYPE(vexa::CCoords)
Q_DECLARE_METATYPE(vexa::CCoordSysParams)

namespace {

std::unique_ptr<CTransformParams> translation(double x, double y, double z)
{
    return affine(1.0, 1.0, 1.0, x, y, z);
}

std::unique_ptr<CTransformParams> scaling(double factor)
{
    return affine(factor, factor, factor, 0.0, 0.0, 0.0);
}

std::shared_ptr<CGeographicDatumShiftParams> offset2D(double dLat, double dLon, bool isForward)
{
    auto params = std::make_shared<CGeographicDatumShiftOffset2DParams>();
    params->dLat = dLat;
    params->dLon = dLon;
    params->isForward = isForward;
    return params;
}

std::shared_ptr<CVerticalDatumShiftParams> heightOffset(double offset)
{
    auto params = std::make_shared<CVerticalDatumShiftOffsetParams>();
    params->offset = offset;
    params->name = "v";
    return params;
}

// Corrections rising by one per degree of longitude east of 36 degrees, over 36..42 E, 50..60 N.
std::shared_ptr<CVerticalDatumShiftParams> heightGrid(bool isForward)
{
    auto params = std::make_shared<CVerticalDatumShiftGridParams>();
    params->isForward = isForward;
    params->name = "v";
    params->grid.create(7, 11, degree, degree, 36.0 * degree, 50.0 * degree);
    for (unsigned i = 0; i < 7; ++i) {
        for (unsigned j = 0; j < 11; ++j)
            params->grid.setValue(i, j, double(i));
    }
    return params;
}

void linkVertical(CCoordSysParams* from, CCoordSysParams* to,
                  std::shared_ptr<CVerticalDatumShiftParams> params)
{
    from->verticalDatumShifts["v"] = params;
    to->verticalDatumShifts["v"] = params;
}

// A projection code that no factory builds.
class CUnknownProjectionParams : public CMapProjectionParams
{
public:
    explicit CUnknownProjectionParams(int type) : CMapProjectionParams(type) {}
    bool isEqual(const CMapProjectionParams&) const override { return false; }
};

class CUnknownDatumShiftParams : public CDatumShiftParams
{
public:
    CUnknownDatumShiftParams() : CDatumShiftParams(7) {}
    bool isEqual(const CDatumShiftParams&) const override { return false; }
    bool isIdentity() const override { return false; }
    std::unique_ptr<CTransformAffine3D> createTransform() const override { return nullptr; }
};

class CUnknownGeoidParams : public CGeoidParams
{
public:
    CUnknownGeoidParams() : CGeoidParams(5) {}
    bool isEqual(const CGeoidParams&) const override { return false; }
};

// A grid of 4 x 4 nodes read from its file on demand, each node of its own value.
std::shared_ptr<C2DGrid<double>> rawGrid(const QString& fileName, double step1, double min1,
                                         double step2, double min2, double base)
{
    if (!writeRawGridFile(fileName, 4, 4, [base](int i, int j) { return base + 1.5 * i + 0.7 * j * j; }))
        return nullptr;
    auto grid = std::make_shared<C2DGrid<double>>();
    if (!grid->openRaw(fileName.toStdString(), 4, 4, step1, step2, min1, min2))
        return nullptr;
    return grid;
}

QString stepTypes(const CCoordOperator& op)
{
    QStringList types;
    for (const auto& operation : op.getOperations())
        types << QString::number(operation->getType());
    return types.join(' ');
}

// Differences in metres: angles of geodetic coordinates are turned into arcs.
double distance(const CCoords& p, const CCoords& q, bool geodetic)
{
    if (!geodetic) {
        return std::max({std::fabs(p.first - q.first), std::fabs(p.second - q.second),
                         std::fabs(p.third - q.third)});
    }
    double dLon = p.second - q.second;
    normalizeLongitude(dLon);
    const double a = 6378137.0;
    return std::max({std::fabs(p.first - q.first) * a, std::fabs(dLon) * a * std::cos(p.first),
                     std::fabs(p.third - q.third)});
}

CCoords fromTable(const QVector<double>& row, int column, bool geodetic)
{
    if (geodetic)
        return CCoords(row[column + 1] * degree, row[column] * degree, row[column + 2]);
    return CCoords(row[column], row[column + 1], row[column + 2]);
}

} // namespace

class TestCoordOperator : public QObject
{
    Q_OBJECT

private slots:
    void chain_data();
    void chain();
    void corePaths_data();
    void corePaths();
    void refused_data();
    void refused();
    void undefinedSystemMessage();
    void againstProj_data();
    void againstProj();
    void positionDependentHeights_data();
    void positionDependentHeights();
    void heightGridOutsideFails();
    void failedStepFails();
    void nonFiniteResultFails();
    void stepExceptionPassesOut();
    void operatorOutlivesParams();
    void operatorsOnThreadsAgree();
};

// Steps (type codes) and a point with its hand-computed image. Translations along X of the
// geocentric frame keep equator points on the equator, so heights show which shifts ran.
void TestCoordOperator::chain_data()
{
    QTest::addColumn<CCoordSysParams>("from");
    QTest::addColumn<CCoordSysParams>("to");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<CCoords>("in");
    QTest::addColumn<CCoords>("out");
    QTest::addColumn<bool>("geodetic");

    const CCoordSysParams geodeticWgs = makeSystem(CoordSysGeodetic, wgs84);
    const CCoordSysParams geocentricWgs = makeSystem(CoordSysGeocentric, wgs84);
    const CCoords equator(0.0, 0.0, 0.0);
    const CCoords onAxis(6378137.0, 0.0, 0.0);
    const CCoords somewhere(0.5, 0.6, 10.0);

    QTest::newRow("identical systems") << withShift(geodeticWgs, 100.0)
                                       << withShift(geodeticWgs, 100.0) << "" << somewhere
                                       << somewhere << true;
    {
        CCoordSysParams to = withShift(makeSystem(CoordSysGeodetic, wgs84, parisMeridian), 100.0);
        QTest::newRow("prime meridians only") << withShift(geodeticWgs, 100.0) << to << "1"
                                              << somewhere
                                              << CCoords(0.5, 0.6 - parisMeridian, 10.0) << true;
    }
    QTest::newRow("two datums") << withShift(geodeticWgs, 100.0) << withShift(geodeticWgs, 40.0)
                                << "2 5 5 2" << equator << CCoords(0.0, 0.0, 60.0) << true;
    {
        CCoordSysParams to = withShift(geodeticWgs, 40.0);
        to.datumShiftToWgs84->isDisabled = true;
        QTest::newRow("target shift disabled") << withShift(geodeticWgs, 100.0) << to << "2 5 2"
                                               << equator << CCoords(0.0, 0.0, 100.0) << true;
        QTest::newRow("source flag has no effect") << to << withShift(geodeticWgs, 100.0)
                                                   << "2 5 5 2" << equator
                                                   << CCoords(0.0, 0.0, -60.0) << true;
    }
    QTest::newRow("identity source shift") << withShift(geodeticWgs, 0.0)
                                           << withShift(geodeticWgs, 40.0) << "2 5 2" << equator
                                           << CCoords(0.0, 0.0, -40.0) << true;
    QTest::newRow("equal shifts, other ellipsoid")
        << withShift(makeSystem(CoordSysGeodetic, krassowsky), 100.0)
        << withShift(geodeticWgs, 100.0) << "2 2" << equator << CCoords(0.0, 0.0, 108.0) << true;
    {
        CCoordSysParams from = withShift(geodeticWgs, 100.0);
        CCoordSysParams to = withShift(geodeticWgs, 40.0);
        from.datumShifts = {{"b", bursaWolf(10.0)}, {"c", bursaWolf(999.0)}};
        to.datumShifts = {{"a", bursaWolf(777.0)}, {"b", bursaWolf(3.0)}, {"c", bursaWolf(1.0)}};
        QTest::newRow("pairwise link") << from << to << "2 5 5 2" << equator
                                       << CCoords(0.0, 0.0, 7.0) << true;
        to.datumShiftToWgs84 = bursaWolf(100.0);
        QTest::newRow("same datum ignores pairwise link") << from << to << "" << equator << equator
                                                          << true;
        from.ellipsoid = std::make_shared<CEllipsoidParams>(krassowsky);
        QTest::newRow("pairwise link, other ellipsoid") << from << to << "2 5 5 2" << equator
                                                        << CCoords(0.0, 0.0, 115.0) << true;
    }
    QTest::newRow("geodetic to geocentric")
        << withShift(geodeticWgs, 100.0) << withShift(geocentricWgs, 40.0) << "2 5 5" << equator
        << CCoords(6378197.0, 0.0, 0.0) << false;
    QTest::newRow("geocentric to geodetic")
        << withShift(geocentricWgs, 100.0) << withShift(geodeticWgs, 40.0) << "5 5 2" << onAxis
        << CCoords(0.0, 0.0, 60.0) << true;
    QTest::newRow("geocentric meridian rotation")
        << withShift(makeSystem(CoordSysGeocentric, wgs84, parisMeridian), 100.0)
        << withShift(geocentricWgs, 40.0) << "1 5 5" << CCoords(1000.0, 0.0, 5.0)
        << CCoords(1000.0 * std::cos(parisMeridian) + 60.0, 1000.0 * std::sin(parisMeridian), 5.0)
        << false;
    {
        const CCoordSysParams utm = utm37();
        const CCoords point(412125.459188, 6179143.323618, 150.0);
        QTest::newRow("equal projected systems") << utm << utm << "" << point << point << false;
    }
    {
        CCoordSysParams from = makeSystem(CoordSysLocalCartesian, wgs84);
        from.transforms = transformSet(translation(1.0, 2.0, 3.0));
        CCoordSysParams to = geodeticWgs;
        to.transforms = transformSet(translation(0.1, 0.0, 0.0));
        QTest::newRow("local Cartesian passes the transform sets")
            << from << to << "1 1" << CCoords(10.0, 20.0, 30.0) << CCoords(9.1, 18.0, 27.0)
            << false;
    }
    {
        CCoordSysParams from = geocentricWgs;
        from.transforms = transformSet(scaling(2.0), translation(1.0, 0.0, 0.0));
        QTest::newRow("own transform set reversed at the source")
            << from << geocentricWgs << "1 1" << CCoords(5.0, 0.0, 0.0) << CCoords(2.0, 0.0, 0.0)
            << false;
        CCoordSysParams to = geocentricWgs;
        to.transforms = transformSet(scaling(2.0), translation(1.0, 0.0, 0.0));
        QTest::newRow("own transform set in order at the target")
            << geocentricWgs << to << "1 1" << CCoords(5.0, 0.0, 0.0) << CCoords(11.0, 0.0, 0.0)
            << false;
    }
    {
        CCoordSysParams from = geocentricWgs;
        CCoordSysParams to = geocentricWgs;
        from.transformLists["L"] = transformSet(translation(1.0, 0.0, 0.0));
        to.transformLists["L"] = transformSet(translation(2.0, 0.0, 0.0));
        QTest::newRow("transform lists frame the chain")
            << from << to << "1 1" << CCoords(10.0, 0.0, 0.0) << CCoords(11.0, 0.0, 0.0) << false;
        // Every row gets sets of its own: the rows share what their params point to.
        from.transformLists["L"] = transformSet(translation(1.0, 0.0, 0.0));
        to.transformLists["L"] = transformSet(translation(2.0, 0.0, 0.0));
        from.transformLists["L"]->isDirect = to.transformLists["L"]->isDirect = true;
        from.geographicDatumShifts["g"] = offset2D(0.0, 1e-3, true);
        to.geographicDatumShifts["g"] = offset2D(0.0, 1e-3, true);
        QTest::newRow("direct lists skip the geographic match")
            << from << to << "1 1" << CCoords(10.0, 0.0, 0.0) << CCoords(11.0, 0.0, 0.0) << false;
        from.transformLists["L"] = transformSet(translation(1.0, 0.0, 0.0));
        to.transformLists["L"] = transformSet(translation(2.0, 0.0, 0.0));
        from.transformLists["L"]->isDirect = to.transformLists["L"]->isDirect = true;
        from.transformLists["L"]->isPassive = to.transformLists["L"]->isPassive = true;
        QTest::newRow("passive direct lists") << from << to << "" << CCoords(10.0, 0.0, 0.0)
                                              << CCoords(10.0, 0.0, 0.0) << false;
    }
    {
        CCoordSysParams from = withShift(geodeticWgs, 100.0);
        CCoordSysParams to = withShift(geodeticWgs, 100.0);
        linkVertical(&from, &to, heightOffset(0.5));
        QTest::newRow("vertical offset") << from << to << "7 7" << somewhere
                                         << CCoords(0.5, 0.6, 9.5) << true;
    }
    {
        CCoordSysParams from = withShift(makeSystem(CoordSysGeodetic, wgs84, parisMeridian), 100.0);
        CCoordSysParams to = withShift(geodeticWgs, 40.0);
        from.geographicDatumShifts["g"] = offset2D(0.0, 1e-3, true);
        to.geographicDatumShifts["g"] = offset2D(0.0, 1e-3, false);
        QTest::newRow("geographic shift on the Paris meridian")
            << from << to << "1 6" << somewhere
            << CCoords(0.5, 0.6 + parisMeridian - 1e-3, 10.0) << true;
        QTest::newRow("geographic shift, target side forward")
            << to << from << "6 1" << CCoords(0.5, 0.6 + parisMeridian - 1e-3, 10.0) << somewhere
            << true;
    }
    {
        CCoordSysParams from = geocentricWgs;
        CCoordSysParams to = geocentricWgs;
        from.geographicDatumShifts["g"] = offset2D(0.0, -1e-3, true);
        to.geographicDatumShifts["g"] = offset2D(0.0, -1e-3, false);
        QTest::newRow("geographic shift between geocentric systems")
            << from << to << "2 6 2" << onAxis
            << CCoords(6378137.0 * std::cos(1e-3), 6378137.0 * std::sin(1e-3), 0.0) << false;
    }
}

void TestCoordOperator::chain()
{
    QFETCH(CCoordSysParams, from);
    QFETCH(CCoordSysParams, to);
    QFETCH(QString, steps);
    QFETCH(CCoords, in);
    QFETCH(CCoords, out);
    QFETCH(bool, geodetic);

    const std::shared_ptr<CCoordOperator> op = CCoordOperator::create(from, to);
    QVERIFY(op);
    QCOMPARE(stepTypes(*op), steps);
    CCoords result;
    QVERIFY(op->transform(in, &result));
    QVERIFY2(distance(result, out, geodetic) < 1e-6,
             qPrintable(QString("%1 %2 %3")
                            .arg(result.first, 0, 'g', 17)
                            .arg(result.second, 0, 'g', 17)
                            .arg(result.third, 0, 'g', 17)));
}

// Every pair of kinds, on two datums and two non-zero meridians, so that every optional step
// shows: 1 transform (meridian, affine local frame), 2 ellipsoid, 3 projection,
// 4 local system, 5 datum shift. The operator of the reverse pair brings a point back
// (within 1 mm: the projection's own round trip is not exact).
void TestCoordOperator::corePaths_data()
{
    QTest::addColumn<CCoordSysParams>("from");
    QTest::addColumn<CCoordSysParams>("to");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<CCoords>("in");

    const auto tm = transverseMercator(39.0, 1.0, 500000.0);
    const auto side = [&](int kind, double tx, double meridian) {
        CCoordSysParams system = kind == CoordSysProjected   ? projected(wgs84, tm, meridian)
                                 : kind == CoordSysTopocentric ? topocentric(wgs84, 55.0, 37.0, 0.0,
                                                                             meridian)
                                                             : makeSystem(kind, wgs84, meridian);
        return withShift(system, tx);
    };
    const auto sample = [](int kind) {
        switch (kind) {
        case CoordSysGeocentric:
            return CCoords(2849867.0, 2196278.0, 5248950.0);
        case CoordSysGeodetic:
            return CCoords(55.1 * degree, 37.2 * degree, 100.0);
        case CoordSysProjected:
            return CCoords(501000.0, 6100000.0, 100.0);
        default:
            return CCoords(100.0, 200.0, 30.0);
        }
    };
    const struct
    {
        int from;
        int to;
        const char* steps;
    } rows[] = {
        {4, 4, "1 2 5 5 2 1"},       {4, 3, "1 2 5 5 1"},     {3, 3, "1 5 5 1"},
        {3, 4, "1 5 5 2 1"},         {5, 3, "3 1 2 5 5 1"},   {5, 4, "3 1 2 5 5 2 1"},
        {4, 5, "1 2 5 5 2 1 3"},     {3, 5, "1 5 5 2 1 3"},   {5, 5, "3 1 2 5 5 2 1 3"},
        {4, 6, "1 2 5 5 1 4"},       {5, 6, "3 1 2 5 5 1 4"}, {6, 4, "4 1 5 5 2 1"},
        {6, 5, "4 1 5 5 2 1 3"},     {6, 3, "1 1 5 5 1"},     {3, 6, "1 5 5 1 1"},
        {6, 6, "1 1 5 5 1 1"},       {1, 4, ""},              {4, 1, ""},
    };
    for (const auto& row : rows) {
        QTest::addRow("%d to %d", row.from, row.to)
            << side(row.from, 100.0, 2.0 * degree) << side(row.to, 40.0, 3.0 * degree)
            << row.steps << sample(row.from);
    }
    QTest::newRow("equal topocentric systems")
        << side(6, 100.0, 2.0 * degree) << side(6, 100.0, 2.0 * degree) << "" << sample(6);
}

void TestCoordOperator::corePaths()
{
    QFETCH(CCoordSysParams, from);
    QFETCH(CCoordSysParams, to);
    QFETCH(QString, steps);
    QFETCH(CCoords, in);

    const auto there = CCoordOperator::create(from, to);
    const auto back = CCoordOperator::create(to, from);
    QVERIFY(there && back);
    QCOMPARE(stepTypes(*there), steps);
    CCoords point = in;
    QVERIFY(there->transform(&point) && back->transform(&point));
    QVERIFY(distance(point, in, from.kind == CoordSysGeodetic) < 1e-3);
}

void TestCoordOperator::refused_data()
{
    QTest::addColumn<CCoordSysParams>("from");
    QTest::addColumn<CCoordSysParams>("to");

    const CCoordSysParams geodeticWgs = makeSystem(CoordSysGeodetic, wgs84);
    const CCoordSysParams utm = utm37();

    QTest::newRow("undefined source") << CCoordSysParams() << geodeticWgs;
    QTest::newRow("undefined target") << geodeticWgs << CCoordSysParams();
    QTest::newRow("unknown kind") << makeSystem(2, wgs84) << geodeticWgs;
    {
        CCoordSysParams system = geodeticWgs;
        system.ellipsoid.reset();
        QTest::newRow("no ellipsoid") << system << geodeticWgs;
        system = geodeticWgs;
        system.primeMeridian = std::make_shared<CPrimeMeridianParams>();
        QTest::newRow("undefined prime meridian") << geodeticWgs << system;
    }
    {
        CCoordSysParams system = utm;
        system.projection.reset();
        QTest::newRow("projected without projection") << system << geodeticWgs;
        system.projection = std::make_shared<CUnknownProjectionParams>(999);
        QTest::newRow("projection no factory builds") << geodeticWgs << system;
        system.projection =
            std::make_shared<CUnknownProjectionParams>(CMapProjectionTransverseMercatorParams::typeCode);
        QTest::newRow("projection of another class") << system << geodeticWgs;
        // The polar stereographic about the north pole only, with the south pole's parameters.
        auto polar = std::make_shared<CMapProjectionPolarStereographicParams>();
        polar->latitudeOfOrigin = -90.0 * degree;
        polar->longitudeOfOrigin = 0.0;
        polar->scaleFactor = 0.994;
        polar->falseEasting = 2000000.0;
        polar->falseNorthing = 2000000.0;
        system.projection = polar;
        QTest::newRow("north-pole stereographic, southern origin") << geodeticWgs << system;
    }
    {
        CCoordSysParams system = topocentric(wgs84, 55.0, 37.0, 0.0);
        system.localSystem.reset();
        QTest::newRow("topocentric without local system") << geodeticWgs << system;
    }
    {
        CCoordSysParams system = geodeticWgs;
        system.datumShiftToWgs84 = std::make_shared<CUnknownDatumShiftParams>();
        QTest::newRow("datum shift no factory builds") << system << withShift(geodeticWgs, 1.0);
    }
    {
        CCoordSysParams system = geodeticWgs;
        system.transforms = transformSet(std::make_unique<CTransformEarthCurvatureParams>());
        QTest::newRow("transform no factory builds") << system << geodeticWgs;
        system.transforms = transformSet(translation(1.0, 0.0, 0.0), {});
        system.transforms->transforms.push_back(nullptr);
        QTest::newRow("empty transform entry") << geodeticWgs << system;
    }
    {
        CCoordSysParams system = geodeticWgs;
        system.geoid = std::make_shared<CUnknownGeoidParams>();
        QTest::newRow("geoid no factory builds") << system << geodeticWgs;
        system.geoid = std::make_shared<CGeoidGridParams>();
        QTest::newRow("geoid params not valid") << geodeticWgs << system;
    }
    {
        CCoordSysParams from = geodeticWgs;
        CCoordSysParams to = geodeticWgs;
        from.geographicDatumShifts["g"] = offset2D(0.0, 1e-3, true);
        to.geographicDatumShifts["g"] = nullptr;
        QTest::newRow("geographic entry without params") << from << to;
        to.geographicDatumShifts["g"] = offset2D(0.0, 1e-3, true);
        QTest::newRow("geographic shift forward on both sides") << from << to;
        from.geographicDatumShifts["g"] = offset2D(0.0, 1e-3, false);
        to.geographicDatumShifts["g"] = offset2D(0.0, 1e-3, false);
        QTest::newRow("geographic shift forward on neither side") << from << to;
    }
    {
        CCoordSysParams from = geodeticWgs;
        CCoordSysParams to = geodeticWgs;
        from.verticalDatumShifts["v"] = heightOffset(0.5);
        to.verticalDatumShifts["v"] = nullptr;
        QTest::newRow("vertical entry without params") << from << to;
    }
}

void TestCoordOperator::refused()
{
    QFETCH(CCoordSysParams, from);
    QFETCH(CCoordSysParams, to);

    QVERIFY(!CCoordOperator::create(from, to));
}

void TestCoordOperator::undefinedSystemMessage()
{
    try {
        CCoordOperator op(CCoordSysParams(), makeSystem(CoordSysGeodetic, wgs84));
        QFAIL("no exception");
    } catch (const std::runtime_error& error) {
        QCOMPARE(QString(error.what()),
                 QString("CCoordOperator: the source coordinate system is undefined"));
    }
}

// Tables of coordoperator_tables.sh; each pair is checked both ways within 1 mm.
void TestCoordOperator::againstProj_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<CCoordSysParams>("from");
    QTest::addColumn<CCoordSysParams>("to");
    QTest::addColumn<bool>("fromGeodetic");
    QTest::addColumn<bool>("toGeodetic");

    const CCoordSysParams wgs = wgs84Geodetic();
    QTest::newRow("WGS 84 to UTM 37N") << "coordoperator_utm37.txt" << wgs << utm37() << true
                                       << false;
    QTest::newRow("Pulkovo 1942 Gauss-Kruger zone 7 to WGS 84")
        << "coordoperator_gk7.txt" << gaussKruger7() << wgs << false << true;
    QTest::newRow("NTF (Paris) Lambert zone II to WGS 84")
        << "coordoperator_lambert2.txt" << lambertZone2() << wgs << false << true;
    QTest::newRow("NTF (Paris) geodetic to WGS 84")
        << "coordoperator_paris.txt" << ntfParis() << wgs << true << true;
    QTest::newRow("geocentric to topocentric")
        << "coordoperator_topocentric.txt"
        << wgs84Geocentric() << moscowTopocentric() << false << false;
    QTest::newRow("geodetic to topocentric")
        << "coordoperator_geodetic_topocentric.txt" << wgs << moscowTopocentric() << true
        << false;
}

void TestCoordOperator::againstProj()
{
    QFETCH(QString, table);
    QFETCH(CCoordSysParams, from);
    QFETCH(CCoordSysParams, to);
    QFETCH(bool, fromGeodetic);
    QFETCH(bool, toGeodetic);

    const auto forward = CCoordOperator::create(from, to);
    const auto reverse = CCoordOperator::create(to, from);
    QVERIFY(forward && reverse);
    const QVector<QVector<double>> rows = readReferenceTable(table);
    QVERIFY(!rows.isEmpty());
    for (const QVector<double>& row : rows) {
        const CCoords source = fromTable(row, 0, fromGeodetic);
        const CCoords target = fromTable(row, 3, toGeodetic);
        CCoords result;
        QVERIFY(forward->transform(source, &result));
        QVERIFY2(distance(result, target, toGeodetic) < 1e-3,
                 qPrintable(QString("forward, row %1 %2").arg(row[0]).arg(row[1])));
        QVERIFY(reverse->transform(target, &result));
        QVERIFY2(distance(result, source, fromGeodetic) < 1e-3,
                 qPrintable(QString("reverse, row %1 %2").arg(row[0]).arg(row[1])));
    }
}

// Shifts that depend on the position read the geodetic position recorded where the chain
// holds it, not the point's final coordinates.
void TestCoordOperator::positionDependentHeights_data()
{
    QTest::addColumn<CCoordSysParams>("from");
    QTest::addColumn<CCoordSysParams>("to");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<double>("height");

    const CCoordSysParams wgs = wgs84Geodetic();
    const CCoordSysParams utm = utm37();
    // The point lies at 37.62 E, so the grid holds 1.62 there.
    {
        CCoordSysParams from = wgs;
        CCoordSysParams to = utm;
        linkVertical(&from, &to, heightGrid(true));
        QTest::newRow("grid, target position") << from << to << "7 10 3 7" << 150.0 + 1.62;
    }
    {
        CCoordSysParams from = utm;
        CCoordSysParams to = utm;
        linkVertical(&from, &to, heightGrid(false));
        QTest::newRow("grid, source position, projected") << from << to << "7 12 7"
                                                          << 150.0 - 1.62;
    }
    {
        auto slope = std::make_shared<CVerticalDatumShiftOffsetSlopeParams>();
        slope->offset = 0.25;
        slope->slopeNorth = 1e-5;
        slope->slopeEast = 2e-5;
        slope->lat0 = 55.75 * degree;
        slope->lon0 = 37.62 * degree;
        slope->ellipsoid = wgs84;
        slope->name = "v";
        CCoordSysParams from = wgs;
        CCoordSysParams to = utm;
        linkVertical(&from, &to, slope);
        QTest::newRow("offset with slopes at its origin") << from << to << "7 10 3 7"
                                                          << 150.0 - 0.25;
    }
}

void TestCoordOperator::positionDependentHeights()
{
    QFETCH(CCoordSysParams, from);
    QFETCH(CCoordSysParams, to);
    QFETCH(QString, steps);
    QFETCH(double, height);

    const auto op = CCoordOperator::create(from, to);
    QVERIFY(op);
    QCOMPARE(stepTypes(*op), steps);
    CCoords point = from.kind == CoordSysGeodetic ? CCoords(55.75 * degree, 37.62 * degree, 150.0)
                                                  : CCoords(413380.720278, 6179118.146754, 150.0);
    CCoords start = point;
    QVERIFY(op->transform(&point));
    QVERIFY2(std::fabs(point.third - height) < 1e-3, qPrintable(QString::number(point.third)));
    if (from.kind == CoordSysProjected) {
        QCOMPARE(point.first, start.first);
        QCOMPARE(point.second, start.second);
    }
}

void TestCoordOperator::heightGridOutsideFails()
{
    CCoordSysParams from = wgs84Geodetic();
    CCoordSysParams to = from;
    linkVertical(&from, &to, heightGrid(true));
    const auto op = CCoordOperator::create(from, to);
    QVERIFY(op);
    CCoords point(55.75 * degree, 30.0 * degree, 150.0);
    QVERIFY(!op->transform(&point));
}

void TestCoordOperator::failedStepFails()
{
    const CCoordSysParams wgs = makeSystem(CoordSysGeodetic, wgs84);
    CCoordOperator op(wgs, wgs);
    op.appendOperation(
        std::make_unique<CCoordOperationAuxDatasetCoords>("nothing stored", DirectionReverse));
    CCoords point(0.5, 0.6, 10.0);
    QVERIFY(!op.transform(&point));
    op.clear();
    QVERIFY(op.getOperations().empty());
    QVERIFY(op.transform(&point));
}

void TestCoordOperator::nonFiniteResultFails()
{
    const CCoordSysParams geodetic = makeSystem(CoordSysGeodetic, wgs84);
    const CCoordSysParams geocentric = makeSystem(CoordSysGeocentric, wgs84);
    const auto op = CCoordOperator::create(geodetic, geocentric);
    QVERIFY(op);
    CCoords result;
    QVERIFY(op->transform(CCoords(0.5, 0.6, 10.0), &result));
    QVERIFY(!op->transform(CCoords(0.5, 0.6, std::numeric_limits<double>::infinity()), &result));
    QVERIFY(!op->transform(CCoords(std::nan(""), 0.6, 10.0), &result));
}

void TestCoordOperator::stepExceptionPassesOut()
{
    const auto op = CCoordOperator::create(makeSystem(CoordSysGeocentric, wgs84),
                                           makeSystem(CoordSysGeodetic, wgs84));
    QVERIFY(op);
    CCoords centre(0.0, 0.0, 0.0);
    QVERIFY_EXCEPTION_THROWN(op->transform(&centre), std::runtime_error);
}

void TestCoordOperator::operatorOutlivesParams()
{
    std::shared_ptr<CCoordOperator> op;
    {
        CCoordSysParams from = withShift(makeSystem(CoordSysGeodetic, wgs84), 100.0);
        CCoordSysParams to = withShift(makeSystem(CoordSysGeodetic, wgs84), 40.0);
        linkVertical(&from, &to, heightOffset(0.5));
        op = CCoordOperator::create(from, to);
    }
    QVERIFY(op);
    CCoords point(0.0, 0.0, 0.0);
    QVERIFY(op->transform(&point));
    QVERIFY(std::fabs(point.third + 0.5) < 1e-9);
}

// Operators built from the same systems, one per thread as a parallel recalculation has them,
// give what one operator gives: through an NTv2 file, a geoid and a plane correction whose
// grids are read from their files on demand, the threads reading them first.
void TestCoordOperator::operatorsOnThreadsAgree()
{
    QTemporaryDir folder;
    CNTv2GridFile gridFile;
    QVERIFY(gridFile.loadBinary(
        writeNtv2TestFile(folder.filePath("shift.gsb"), ntv2BinaryFile(ntv2TestSubGrids())).toStdString()));
    auto geoid = std::make_shared<CGeoidGridParams>();
    const auto undulations = rawGrid(folder.filePath("geoid.raw"), 1.0, 9.0, 1.0, 49.0, 20.0);
    QVERIFY(undulations);
    geoid->grid = *undulations;
    geoid->gridSystem = std::make_shared<CCoordSysParams>(wgs84Geodetic());
    geoid->gridSystem->transforms = inDegrees();
    geoid->heightScale = 1.0;
    auto correction = std::make_unique<CTransformPlaneGridCorrectionParams>();
    correction->name = "c";
    correction->scale = 1e-9;
    correction->gridX = rawGrid(folder.filePath("x.raw"), degree, 49.0 * degree, degree, 9.0 * degree, 1.0);
    correction->gridY = rawGrid(folder.filePath("y.raw"), degree, 49.0 * degree, degree, 9.0 * degree, -3.0);
    QVERIFY(correction->gridX && correction->gridY);

    CCoordSysParams from = wgs84Geodetic();
    from.geoid = geoid;
    from.geographicDatumShifts["n"] = std::make_shared<CGeographicDatumShiftNTv2Params>(gridFile, true);
    CCoordSysParams to = wgs84Geodetic();
    to.geographicDatumShifts["n"] = std::make_shared<CGeographicDatumShiftNTv2Params>(gridFile, false);
    to.transforms = transformSet(std::move(correction));

    const int threads = 4;
    const int perThread = 2000;
    std::vector<CCoords> points;
    for (int k = 0; k < threads * perThread; ++k)
        points.emplace_back((50.05 + 0.9 * (k % 97) / 97.0) * degree,
                            (10.05 + 0.9 * (k % 89) / 89.0) * degree, 100.0 + k % 13);
    std::vector<std::shared_ptr<CCoordOperator>> operators;
    for (int t = 0; t < threads; ++t) {
        operators.push_back(CCoordOperator::create(from, to));
        QVERIFY(operators.back());
    }
    std::vector<CCoords> results(points.size());
    std::vector<char> done(points.size(), 0);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            for (std::size_t k = std::size_t(t) * perThread; k < std::size_t(t + 1) * perThread; ++k)
                done[k] = operators[std::size_t(t)]->transform(points[k], &results[k]);
        });
    }
    for (std::thread& thread : pool)
        thread.join();
    std::vector<CCoords> expected(points.size());
    const auto single = CCoordOperator::create(from, to);
    QVERIFY(single);
    QCOMPARE(stepTypes(*single), QString("8 6 9"));
    for (std::size_t k = 0; k < points.size(); ++k)
        QVERIFY(single->transform(points[k], &expected[k]));
    for (std::size_t k = 0; k < points.size(); ++k) {
        QVERIFY(done[k]);
        QVERIFY2(results[k] == expected[k], qPrintable(QString::number(k)));
    }
}

QTEST_APPLESS_MAIN(TestCoordOperator)
#include "test_coordoperator.moc"
