#include "faults.h"
#include "units.h"

#include "tests/support/pointcelltexts.h"

#include "geodesy/coords.h"
#include "values/coordsysinfo.h"

#include <QCoreApplication>
#include <QTest>

#include <cfloat>
#include <cmath>

Q_DECLARE_METATYPE(CCoordSysInfo)

namespace {

// Length in metres (3 decimals), heights in a unit of 2 decimals, angles in
// degrees of the given format.
CCoordSysInfo system(int type, int angleFormat = 1)
{
    CCoordSysInfo info;
    info.name = "system";
    info.type = type;
    info.type_info.code = type;
    info.type_info.name = "type";
    info.length_unit = metre();
    info.height_unit = makeUnit(1, "height metre", "1", "1");
    info.height_unit->precision = 2;
    info.angle_unit = degree(angleFormat);
    return info;
}

CCoordSysInfo feetSystem(int type)
{
    CCoordSysInfo info = system(type);
    info.length_unit = foot();
    info.height_unit = foot();
    return info;
}

CCoordSysInfo systemOfKind(const QString& kind)
{
    if (kind == "decimal")
        return system(4, 1);
    if (kind == "dms")
        return system(4, 2);
    return system(5);
}

} // namespace

class TestCoordSysInfo : public QObject
{
    Q_OBJECT

private slots:
    void stringsToCoords_data();
    void stringsToCoords();
    void pointCells_data();
    void pointCells();
    void failedParseKeepsComponentsRead();
    void missingUnitIsRefusedWithoutThrowing();
    void coordsToStrings_data();
    void coordsToStrings();
    void formatAndParseRoundTrip_data();
    void formatAndParseRoundTrip();
    void coordsToStringsRefusesUnknownType();
    void coordStrings();
    void equality_data();
    void equality();
    void copySharesLinks();
    void clearDropsEverything();
    void ellipsoidOfDatumWins();
};

void TestCoordSysInfo::stringsToCoords_data()
{
    QTest::addColumn<CCoordSysInfo>("info");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QString>("text3");
    QTest::addColumn<bool>("read");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("third");

    const double none = DBL_MAX;
    QTest::newRow("geodetic decimal") << system(4) << "55.5" << "37.25" << "150.5" << true
                                      << 55.5 << 37.25 << 150.5;
    QTest::newRow("geodetic empty height") << system(4) << "55.5" << "37.25" << "" << true
                                           << 55.5 << 37.25 << 0.0;
    QTest::newRow("geodetic dms") << system(4, 2) << "55 45 36" << "-37 30 18" << "10" << true
                                  << 55.76 << -37.505 << 10.0;
    QTest::newRow("geodetic dms one field") << system(4, 2) << "55.76" << "37" << "" << true
                                            << 55.76 << 37.0 << 0.0;
    QTest::newRow("geodetic dms letters") << system(4, 2) << "55 45 36" << "east" << "" << false
                                          << 55.76 << none << none;
    QTest::newRow("geodetic decimal empty latitude") << system(4) << "" << "37" << "" << false
                                                     << none << none << none;
    QTest::newRow("geodetic nan") << system(4) << "nan" << "37" << "" << false
                                  << none << none << none;
    QTest::newRow("geodetic inf height") << system(4) << "55" << "37" << "inf" << false
                                         << 55.0 << 37.0 << none;
    QTest::newRow("projected") << system(5) << "6176543.210" << "7412345.678" << "12.34" << true
                               << 6176543.21 << 7412345.678 << 12.34;
    QTest::newRow("projected empty height") << system(5) << "1" << "2" << "" << true
                                            << 1.0 << 2.0 << 0.0;
    QTest::newRow("projected feet stay feet") << feetSystem(5) << "1000" << "2000" << "30" << true
                                              << 1000.0 << 2000.0 << 30.0;
    QTest::newRow("projected exponent") << system(5) << "-3e2" << "1E3" << "0" << true
                                        << -300.0 << 1000.0 << 0.0;
    QTest::newRow("projected decimal comma") << system(5) << "10,5" << "2" << "" << true
                                             << 10.5 << 2.0 << 0.0;
    QTest::newRow("projected infinity") << system(5) << "1" << "-infinity" << "" << false
                                        << 1.0 << none << none;
    QTest::newRow("projected blank easting") << system(5) << "1" << "" << "" << false
                                             << 1.0 << none << none;
    QTest::newRow("geocentric") << system(3) << "2845455.9" << "2160954.3" << "5265993.2" << true
                                << 2845455.9 << 2160954.3 << 5265993.2;
    QTest::newRow("geocentric empty third") << system(3) << "1" << "2" << "" << false
                                            << 1.0 << 2.0 << none;
    QTest::newRow("local cartesian") << system(1) << "1.5" << "-2.5" << "3" << true
                                     << 1.5 << -2.5 << 3.0;
    QTest::newRow("local cartesian letters") << system(1) << "abc" << "2" << "3" << false
                                             << none << none << none;
    QTest::newRow("local cartesian empty third") << system(1) << "1" << "2" << "" << false
                                                 << 1.0 << 2.0 << none;
    QTest::newRow("topocentric") << system(6) << "100.1234" << "-5" << "7.125" << true
                                 << 100.1234 << -5.0 << 7.125;
    QTest::newRow("topocentric empty third") << system(6) << "1" << "2" << "" << true
                                             << 1.0 << 2.0 << 0.0;
    QTest::newRow("type 2") << system(2) << "1" << "2" << "3" << false << none << none << none;
    QTest::newRow("type 0") << system(0) << "1" << "2" << "3" << false << none << none << none;
    QTest::newRow("type 7") << system(7) << "1" << "2" << "3" << false << none << none << none;
}

void TestCoordSysInfo::stringsToCoords()
{
    QFETCH(CCoordSysInfo, info);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(QString, text3);
    QFETCH(bool, read);

    vexa::CCoords coords;
    const CCoordStrings texts(text1.toStdString(), text2.toStdString(), text3.toStdString());
    bool result = !read;
    QCOMPARE(faultOf([&] { result = info.stringsToCoords(texts, coords); }), QString());
    QCOMPARE(result, read);
    QTEST(coords.first, "first");
    QTEST(coords.second, "second");
    QTEST(coords.third, "third");
}

void TestCoordSysInfo::pointCells_data()
{
    addPointCellRows();
}

// The cell in its component, valid texts in the others.
void TestCoordSysInfo::pointCells()
{
    QFETCH(QString, kind);
    QFETCH(int, component);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);

    const CCoordSysInfo info = systemOfKind(kind);
    std::string texts[3] = {"50", "30", "100"};
    texts[component] = text.toStdString();
    vexa::CCoords coords;
    QCOMPARE(info.stringsToCoords(CCoordStrings(texts[0], texts[1], texts[2]), coords), valid);
    const double read[3] = {coords.first, coords.second, coords.third};
    if (valid)
        QVERIFY2(std::fabs(read[component] - value) < 1e-9, qPrintable(QString::number(read[component], 'g', 17)));
}

void TestCoordSysInfo::failedParseKeepsComponentsRead()
{
    vexa::CCoords coords(1.0, 2.0, 3.0);
    QVERIFY(!system(5).stringsToCoords(CCoordStrings("10", "x", "30"), coords));
    QCOMPARE(coords, vexa::CCoords(10.0, 2.0, 3.0));
}

void TestCoordSysInfo::missingUnitIsRefusedWithoutThrowing()
{
    CCoordSysInfo info = system(4);
    info.height_unit.reset();
    vexa::CCoords coords;
    QVERIFY(info.stringsToCoords(CCoordStrings("55", "37", ""), coords));
    QVERIFY(!info.stringsToCoords(CCoordStrings("55", "37", "10"), coords));

    info.angle_unit.reset();
    QVERIFY(!info.stringsToCoords(CCoordStrings("55", "37", ""), coords));
    QCOMPARE(faultOf([&] {
                 CCoordStrings out;
                 info.coordsToStrings(vexa::CCoords(1, 2, 3), out);
             }),
             QString("runtime_error:CCoordSysInfo::coordsToStrings"));
}

void TestCoordSysInfo::coordsToStrings_data()
{
    QTest::addColumn<CCoordSysInfo>("info");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("third");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QString>("text3");

    QTest::newRow("geodetic decimal") << system(4) << 55.5 << -37.25 << 150.456
                                      << "55.50000000000" << "-37.25000000000" << "150.46";
    QTest::newRow("geodetic dms") << system(4, 2) << 55.76 << -37.505 << 10.0
                                  << "55 45 36.00000000" << "-37 30 18.00000000" << "10.00";
    QTest::newRow("geodetic dms carries seconds") << system(4, 2) << 55.999999999999 << 0.0
                                                  << 0.0 << "56 0 0.00000000"
                                                  << "0 0 0.00000000" << "0.00";
    QTest::newRow("projected") << system(5) << 6176543.2104 << 7412345.6785 << 12.345
                               << "6176543.210" << "7412345.679" << "12.35";
    QTest::newRow("projected feet") << feetSystem(5) << 1000.0 << 2000.0 << 30.0
                                    << "1000.000" << "2000.000" << "30.000";
    QTest::newRow("geocentric") << system(3) << 1.0 << 2.0 << 3.25
                                << "1.000" << "2.000" << "3.250";
    QTest::newRow("local cartesian") << system(1) << -0.0004 << 2.0 << 3.0
                                     << "-0.000" << "2.000" << "3.000";
    QTest::newRow("topocentric third in height decimals") << system(6) << 1.23456 << 2.0 << 7.126
                                                          << "1.235" << "2.000" << "7.13";
}

void TestCoordSysInfo::coordsToStrings()
{
    QFETCH(CCoordSysInfo, info);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(double, third);

    CCoordStrings out("old", "old", "old");
    info.coordsToStrings(vexa::CCoords(first, second, third), out);
    QTEST(QString::fromStdString(out.coord1), "text1");
    QTEST(QString::fromStdString(out.coord2), "text2");
    QTEST(QString::fromStdString(out.coord3), "text3");
}

void TestCoordSysInfo::formatAndParseRoundTrip_data()
{
    QTest::addColumn<CCoordSysInfo>("info");
    QTest::newRow("geodetic decimal") << system(4);
    QTest::newRow("geodetic dms") << system(4, 2);
    QTest::newRow("projected") << system(5);
    QTest::newRow("topocentric") << system(6);
}

void TestCoordSysInfo::formatAndParseRoundTrip()
{
    QFETCH(CCoordSysInfo, info);
    const vexa::CCoords point(-55.123456789, 37.987654321, 123.45);
    CCoordStrings texts;
    info.coordsToStrings(point, texts);
    vexa::CCoords back;
    QVERIFY(info.stringsToCoords(texts, back));
    const double angular = info.type == 4 ? 1e-8 : 1e-3;
    QVERIFY(qAbs(back.first - point.first) < angular);
    QVERIFY(qAbs(back.second - point.second) < angular);
    QVERIFY(qAbs(back.third - point.third) < 1e-2);
}

void TestCoordSysInfo::coordsToStringsRefusesUnknownType()
{
    for (int type : {0, 2, 7}) {
        CCoordStrings out("a", "b", "c");
        QCOMPARE(faultOf([&] { system(type).coordsToStrings(vexa::CCoords(1, 2, 3), out); }),
                 QString("runtime_error:CCoordSysInfo::coordsToStrings"));
        QCOMPARE(out, CCoordStrings("a", "b", "c"));
    }
}

void TestCoordSysInfo::coordStrings()
{
    QVERIFY(CCoordStrings().isEmpty());
    QVERIFY(CCoordStrings("", "", "").isEmpty());
    QVERIFY(!CCoordStrings("", "", "1").isEmpty());
    QVERIFY(CCoordStrings("1", "2", "3") == CCoordStrings("1", "2", "3"));
    QVERIFY(!(CCoordStrings("1", "2", "3") == CCoordStrings("1", "2", "3.0")));
    CCoordStrings copy("1", "2", "3");
    copy = copy;
    QCOMPARE(copy, CCoordStrings("1", "2", "3"));
}

void TestCoordSysInfo::equality_data()
{
    QTest::addColumn<CCoordSysInfo>("left");
    QTest::addColumn<CCoordSysInfo>("right");
    QTest::addColumn<bool>("equal");

    const CCoordSysInfo base = system(4);
    QTest::newRow("same fields, other unit objects") << base << system(4) << true;

    CCoordSysInfo other = base;
    other.name = "other";
    QTest::newRow("name") << base << other << false;

    other = base;
    other.coord3_desc = "Height";
    QTest::newRow("third axis description") << base << other << false;

    other = base;
    other.height_unit = foot();
    QTest::newRow("height unit") << base << other << false;

    other = base;
    other.height_unit.reset();
    QTest::newRow("height unit absent") << base << other << false;

    other = base;
    other.vert_coordsys = std::make_shared<CVertCoordSysInfo>();
    other.vert_coordsys->name = "heights";
    other.vert_coordsys->geoid = "geoid";
    QTest::newRow("vertical system on one side") << base << other << false;

    CCoordSysInfo withList = base;
    withList.pairwise_transforms["A"] = std::make_shared<CTransformListInfo>();
    withList.pairwise_transforms["A"]->name = "list";
    other = base;
    other.pairwise_transforms["B"] = withList.pairwise_transforms["A"];
    QTest::newRow("pairwise identifiers differ") << withList << other << false;
    other = base;
    other.pairwise_transforms["A"] = std::make_shared<CTransformListInfo>(*withList.pairwise_transforms["A"]);
    QTest::newRow("pairwise equal lists") << withList << other << true;

    QTest::newRow("type 0 with itself") << system(0) << system(0) << false;
    other = base;
    other.name.clear();
    QTest::newRow("empty name with itself") << other << other << false;
}

void TestCoordSysInfo::equality()
{
    QFETCH(CCoordSysInfo, left);
    QFETCH(CCoordSysInfo, right);
    QTEST(left == right, "equal");
}

void TestCoordSysInfo::copySharesLinks()
{
    const CCoordSysInfo info = system(5);
    const CCoordSysInfo copy = info;
    QCOMPARE(copy.length_unit.get(), info.length_unit.get());
    QVERIFY(copy == info);
}

void TestCoordSysInfo::clearDropsEverything()
{
    CCoordSysInfo info = system(6, 2);
    info.datum = std::make_shared<CDatumInfo>();
    info.swap_coords = true;
    info.epsg = 4326;
    info.pairwise_transforms["A"] = std::make_shared<CTransformListInfo>();
    info.clear();
    QVERIFY(!info.isValid());
    QVERIFY(info.name.empty() && info.type == 0 && info.type_info.code == 0);
    QVERIFY(!info.datum && !info.length_unit && !info.angle_unit && !info.height_unit);
    QVERIFY(!info.swap_coords && info.epsg == 0 && info.pairwise_transforms.empty());
}

void TestCoordSysInfo::ellipsoidOfDatumWins()
{
    CCoordSysInfo info = system(4);
    info.ellipsoid = std::make_shared<CEllipsoidInfo>();
    QCOMPARE(info.getEllipsoid(), info.ellipsoid);
    info.datum = std::make_shared<CDatumInfo>();
    info.datum->ellipsoid = std::make_shared<CEllipsoidInfo>();
    QCOMPARE(info.getEllipsoid(), info.datum->ellipsoid);
}

VALUES_TEST_MAIN(TestCoordSysInfo)
#include "test_coordsysinfo.moc"
