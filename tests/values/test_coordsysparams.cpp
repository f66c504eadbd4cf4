#include "faults.h"
#include "units.h"
#include "transforms.h"

#include "geodesy/coordsysparams.h"
#include "geodesy/datumshift.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/geographicdatumshift.h"
#include "geodesy/mapprojectionparams.h"
#include "geodesy/topocentric.h"
#include "geodesy/transform.h"
#include "geodesy/verticaldatumshift.h"
#include "values/coordsysinfo.h"
#include "values/geoidlist.h"

#include <QCoreApplication>
#include <QTest>

#include <functional>

using Change = std::function<void(CCoordSysInfo&)>;
Q_DECLARE_METATYPE(Change)

namespace {

constexpr double kDegree = 3.14159265358979 / 180;

// Codes of the parameters: 1 A11, 2 A12, 3 A21, 4 A22, 5 B1, 6 B2, 7 dH.
CTransformInfo affine()
{
    return transform(1, {{1, "2"}, {2, "0"}, {3, "0"}, {4, "2"}, {5, "100"}, {6, "-50"}});
}

CTransformInfo planeShift(const char* b1 = "0.001", const char* b2 = "0.002")
{
    return transform(2, {{5, b1}, {6, b2}});
}

CTransformInfo heightShift()
{
    return transform(3, {{7, "1"}}, metre());
}

std::shared_ptr<CTransformListInfo> list(std::vector<CTransformInfo> transforms,
                                         const char* identifier = "")
{
    auto info = std::make_shared<CTransformListInfo>();
    info->name = "list";
    info->identifier = identifier;
    info->transforms = std::move(transforms);
    return info;
}

std::shared_ptr<CEllipsoidInfo> krassowsky()
{
    auto info = std::make_shared<CEllipsoidInfo>();
    info->name = "Krassowsky 1940";
    info->a = "6378245";
    info->f = "298.3";
    info->use_f = true;
    info->unit = metre();
    return info;
}

std::shared_ptr<CDatumShiftInfo> helmert(const char* name = "to WGS 84")
{
    auto info = std::make_shared<CDatumShiftInfo>();
    info->name = name;
    info->type = 4;
    info->type_info.code = 4;
    info->type_info.name = "type";
    info->tx = "23.92";
    info->ty = "-141.27";
    info->tz = "-80.9";
    info->rx = "0";
    info->ry = "0.35";
    info->rz = "0.82";
    info->dm = "-0.12";
    info->length_unit = metre();
    info->angle_unit = secondOfArc();
    info->scale_unit = partsPerMillion();
    return info;
}

std::shared_ptr<CMapProjInfo> gaussKruger7()
{
    auto info = std::make_shared<CMapProjInfo>();
    info->name = "Gauss-Kruger zone 7";
    info->type = 1;
    info->coord1_sign = 1;
    info->coord2_sign = 1;
    info->swap_coords = 1;
    info->length_unit = metre();
    info->angle_unit = degree();
    info->scale_unit = unity();
    info->param_values = {{11, "0"}, {103, "39"}, {104, "1"}, {5, "7500000"}, {6, "0"}};
    return info;
}

// A system of the type with every link that type needs; heights in feet.
CCoordSysInfo system(int type)
{
    CCoordSysInfo info;
    info.name = "system";
    info.type = type;
    info.type_info.code = type;
    info.type_info.name = "type";
    info.length_unit = metre();
    info.angle_unit = degree();
    info.height_unit = foot();
    if (type == 1)
        return info;
    info.datum = std::make_shared<CDatumInfo>();
    info.datum->name = "Pulkovo 1942";
    info.datum->ellipsoid = krassowsky();
    info.datum->datum_shift = helmert();
    info.prime_meridian = std::make_shared<CPrimeMeridianInfo>();
    info.prime_meridian->name = "Greenwich";
    info.prime_meridian->longitude = "0";
    info.prime_meridian->unit = degree();
    if (type == 5)
        info.map_proj = gaussKruger7();
    if (type == 6) {
        info.origin_coord1 = "55.75";
        info.origin_coord2 = "37.5";
        info.origin_coord3 = "150";
        info.origin_angle_unit = degree();
        info.origin_length_unit = metre();
        info.azimuth = "30";
        info.azimuth_unit = degree();
    }
    return info;
}

const vexa::CTransformAffine3DParams& affineAt(const vexa::CCoordSysParams& params, size_t index)
{
    return dynamic_cast<const vexa::CTransformAffine3DParams&>(
        *params.transforms->transforms.at(index));
}

QVector<double> matrix(const vexa::CTransformAffine3DParams& p)
{
    return {p.m11, p.m12, p.m13, p.m21, p.m22, p.m23, p.m31, p.m32, p.m33, p.t1, p.t2, p.t3};
}

QVector<double> diagonalMatrix(double m11, double m22, double m33)
{
    return {m11, 0, 0, 0, m22, 0, 0, 0, m33, 0, 0, 0};
}

bool build(const CCoordSysInfo& info, vexa::CCoordSysParams& params)
{
    bool built = false;
    const QString fault = faultOf([&] { built = info.toCoordSysParams(params, nullptr); });
    if (!fault.isEmpty())
        qWarning("toCoordSysParams threw %s", qPrintable(fault));
    return fault.isEmpty() && built;
}

} // namespace

class TestCoordSysParams : public QObject
{
    Q_OBJECT

private slots:
    void localCartesianSwapScalingThenOwnList();
    void geodeticScalesByDegreeAndHeightUnit();
    void projectedAxisTransformThenScaling();
    void topocentricLocalSystemAndListUnits();
    void datumShiftsByIdentifier();
    void emptyGeographicListGivesEntryWithoutParams();
    void unregisteredGeoidLeavesHeightsEllipsoidal();
    void refused_data();
    void refused();
};

void TestCoordSysParams::localCartesianSwapScalingThenOwnList()
{
    CCoordSysInfo info = system(1);
    info.swap_coords = true;
    info.transform_list = list({affine(), heightShift()});
    vexa::CCoordSysParams params;
    QVERIFY(build(info, params));
    QCOMPARE(params.getKind(), 1);
    QVERIFY(!params.ellipsoid && !params.primeMeridian && !params.datumShiftToWgs84);
    QCOMPARE(params.transforms->transforms.size(), size_t(4));
    QVERIFY(!params.transforms->isDirect && !params.transforms->isPassive);
    QCOMPARE(matrix(affineAt(params, 0)), QVector<double>({0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0}));
    QCOMPARE(matrix(affineAt(params, 1)), diagonalMatrix(1, 1, 1));
    QCOMPARE(matrix(affineAt(params, 2)), QVector<double>({2, 0, 0, 0, 2, 0, 0, 0, 1, 100, -50, 0}));
    QCOMPARE(affineAt(params, 3).t3, 1.0);
}

void TestCoordSysParams::geodeticScalesByDegreeAndHeightUnit()
{
    CCoordSysInfo info = system(4);
    info.swap_coords = true;
    vexa::CCoordSysParams params;
    QVERIFY(build(info, params));
    QCOMPARE(params.getKind(), 4);
    QCOMPARE(params.transforms->transforms.size(), size_t(1));
    QCOMPARE(matrix(affineAt(params, 0)), diagonalMatrix(1 / kDegree, 1 / kDegree, 1 / 0.3048));
    QCOMPARE(params.ellipsoid->a, 6378245.0);
    QVERIFY(params.primeMeridian->isZero());
    QVERIFY(params.datumShiftToWgs84);
    QVERIFY(!params.projection && !params.localSystem && !params.geoid);
}

void TestCoordSysParams::projectedAxisTransformThenScaling()
{
    CCoordSysInfo info = system(5);
    info.transform_list = list({planeShift()});
    vexa::CCoordSysParams params;
    QVERIFY(build(info, params));
    QCOMPARE(params.getKind(), 5);
    QVERIFY(params.projection);
    QCOMPARE(params.projection->getType(), 1);
    QCOMPARE(params.transforms->transforms.size(), size_t(3));
    QCOMPARE(matrix(affineAt(params, 0)), QVector<double>({0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0}));
    QCOMPARE(matrix(affineAt(params, 1)), diagonalMatrix(1, 1, 1 / 0.3048));
    QCOMPARE(affineAt(params, 2).t1, 0.001);
}

void TestCoordSysParams::topocentricLocalSystemAndListUnits()
{
    CCoordSysInfo info = system(6);
    info.swap_coords = true;
    info.transform_list = list({heightShift()});
    info.datum->vertical_shifts["V"] = list({heightShift()}, "V");
    vexa::CCoordSysParams params;
    QVERIFY(build(info, params));
    QCOMPARE(params.getKind(), 6);
    QCOMPARE(params.localSystem->origin,
             vexa::CCoords(55.75 * kDegree, 37.5 * kDegree, 150.0));
    QCOMPARE(params.localSystem->azimuth, 30 * kDegree);
    QCOMPARE(params.transforms->transforms.size(), size_t(3));
    QCOMPARE(matrix(affineAt(params, 0)), QVector<double>({0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0}));
    QCOMPARE(matrix(affineAt(params, 1)), diagonalMatrix(1, 1, 1));
    // The own list takes the length unit for heights, the datum's list the height unit.
    QCOMPARE(affineAt(params, 2).t3, 1.0);
    const auto& vertical = dynamic_cast<const vexa::CVerticalDatumShiftOffsetParams&>(
        *params.verticalDatumShifts.at("V"));
    QCOMPARE(vertical.offset, 1 / 0.3048);
    QVERIFY(vertical.isForward);
}

void TestCoordSysParams::datumShiftsByIdentifier()
{
    CCoordSysInfo info = system(3);
    info.datum->pairwise_shifts["P"] = helmert("pairwise");
    info.datum->geographic_shifts["G"] = list({planeShift("1e-6", "2e-6"), affine()}, "G");
    info.pairwise_transforms["L"] = list({affine(), planeShift()}, "L");
    vexa::CCoordSysParams params;
    QVERIFY(build(info, params));
    QCOMPARE(params.datumShifts.size(), size_t(1));
    QVERIFY(params.datumShifts.at("P"));
    const auto& geographic = dynamic_cast<const vexa::CGeographicDatumShiftOffset2DParams&>(
        *params.geographicDatumShifts.at("G"));
    QCOMPARE(geographic.dLat, 1e-6);
    QCOMPARE(geographic.dLon, 2e-6);
    QVERIFY(geographic.isForward);
    const auto& pairwise = *params.transformLists.at("L");
    QVERIFY(!pairwise.isDirect && pairwise.isPassive);
    QCOMPARE(pairwise.transforms.size(), size_t(2));
}

void TestCoordSysParams::emptyGeographicListGivesEntryWithoutParams()
{
    CCoordSysInfo info = system(4);
    info.datum->geographic_shifts["G"] = list({}, "G");
    info.datum->vertical_shifts["V"] = list({}, "V");
    vexa::CCoordSysParams params;
    QVERIFY(build(info, params));
    QCOMPARE(params.geographicDatumShifts.count("G"), size_t(1));
    QVERIFY(!params.geographicDatumShifts.at("G"));
    QCOMPARE(params.verticalDatumShifts.count("V"), size_t(1));
    QVERIFY(!params.verticalDatumShifts.at("V"));
}

void TestCoordSysParams::unregisteredGeoidLeavesHeightsEllipsoidal()
{
    CCoordSysInfo info = system(5);
    info.vert_coordsys = std::make_shared<CVertCoordSysInfo>();
    info.vert_coordsys->name = "Baltic heights";
    info.vert_coordsys->geoid = "not installed";
    CGeoidList geoids;
    for (CGeoidList* registry : {&geoids, static_cast<CGeoidList*>(nullptr)}) {
        vexa::CCoordSysParams params;
        QVERIFY(info.toCoordSysParams(params, registry));
        QVERIFY(!params.geoid);
    }
}

void TestCoordSysParams::refused_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<Change>("change");

    const Change none = [](CCoordSysInfo&) {};
    QTest::newRow("type 0") << 0 << none;
    QTest::newRow("type 2") << 2 << none;
    QTest::newRow("type 7") << 7 << none;
    QTest::newRow("empty name") << 4 << Change([](CCoordSysInfo& i) { i.name.clear(); });
    QTest::newRow("own list with a transform missing a parameter")
        << 5 << Change([](CCoordSysInfo& i) {
               i.transform_list = list({planeShift(), transform(1, {{1, "1"}})});
           });
    QTest::newRow("own list with an unknown transform type")
        << 1 << Change([](CCoordSysInfo& i) { i.transform_list = list({transform(9, {})}); });
    QTest::newRow("pairwise list with a transform missing a parameter")
        << 4 << Change([](CCoordSysInfo& i) {
               i.pairwise_transforms["L"] = list({affine(), transform(3, {})}, "L");
           });
    QTest::newRow("shift to WGS 84 that does not build") << 4 << Change([](CCoordSysInfo& i) {
        i.datum->datum_shift->tx = "x";
    });
    QTest::newRow("exact rotation shift") << 5 << Change([](CCoordSysInfo& i) {
        i.datum->datum_shift->exact = true;
    });
    QTest::newRow("pairwise shift that does not build") << 3 << Change([](CCoordSysInfo& i) {
        i.datum->pairwise_shifts["P"] = helmert();
        i.datum->pairwise_shifts["P"]->name.clear();
    });
    QTest::newRow("geographic list starting with a height shift")
        << 4 << Change([](CCoordSysInfo& i) {
               i.datum->geographic_shifts["G"] = list({heightShift()}, "G");
           });
    QTest::newRow("vertical list starting with a plane shift")
        << 4 << Change([](CCoordSysInfo& i) {
               i.datum->vertical_shifts["V"] = list({planeShift()}, "V");
           });
    QTest::newRow("geographic shift missing a parameter") << 4 << Change([](CCoordSysInfo& i) {
        i.datum->geographic_shifts["G"] = list({transform(2, {{5, "1"}})}, "G");
    });
    QTest::newRow("no ellipsoid") << 4 << Change([](CCoordSysInfo& i) {
        i.datum->ellipsoid.reset();
    });
    QTest::newRow("ellipsoid that does not build") << 3 << Change([](CCoordSysInfo& i) {
        i.datum->ellipsoid->a = "nan";
    });
    QTest::newRow("no prime meridian") << 4 << Change([](CCoordSysInfo& i) {
        i.prime_meridian.reset();
    });
    QTest::newRow("no projection") << 5 << Change([](CCoordSysInfo& i) { i.map_proj.reset(); });
    QTest::newRow("projection parameter unreadable") << 5 << Change([](CCoordSysInfo& i) {
        i.map_proj->param_values[103] = "east";
    });
    QTest::newRow("no height unit") << 5 << Change([](CCoordSysInfo& i) {
        i.height_unit.reset();
    });
    QTest::newRow("no length unit") << 1 << Change([](CCoordSysInfo& i) {
        i.length_unit.reset();
    });
    QTest::newRow("topocentric origin unreadable") << 6 << Change([](CCoordSysInfo& i) {
        i.origin_coord2 = "inf";
    });
    QTest::newRow("topocentric without azimuth unit") << 6 << Change([](CCoordSysInfo& i) {
        i.azimuth_unit.reset();
    });
}

void TestCoordSysParams::refused()
{
    QFETCH(int, type);
    QFETCH(Change, change);
    CCoordSysInfo info = system(type == 0 || type == 2 || type == 7 ? 4 : type);
    info.type = type;
    change(info);
    vexa::CCoordSysParams params;
    bool built = true;
    QCOMPARE(faultOf([&] { built = info.toCoordSysParams(params, nullptr); }), QString());
    QVERIFY(!built);
    QVERIFY(!params.isValid());
}

VALUES_TEST_MAIN(TestCoordSysParams)
#include "test_coordsysparams.moc"
