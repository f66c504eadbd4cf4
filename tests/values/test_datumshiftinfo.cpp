#include "faults.h"
#include "equalitycases.h"
#include "units.h"

#include "geodesy/datumshift.h"
#include "values/datuminfo.h"
#include "values/datumshiftinfo.h"

#include <QCoreApplication>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(CDatumShiftInfo)
Q_DECLARE_METATYPE(ValueChange<CDatumShiftInfo>)
Q_DECLARE_METATYPE(CDatumInfo)
Q_DECLARE_METATYPE(ValueChange<CDatumInfo>)

namespace {

constexpr double kSecond = 3.14159265358979 / 648000;

CDatumShiftInfo shift(int type, int role = 0)
{
    CDatumShiftInfo info;
    info.name = "shift";
    info.type = type;
    info.pairwise_role = role;
    info.tx = "23.57";
    info.ty = "-140.95";
    info.tz = "-79.8";
    info.rx = "0";
    info.ry = "0.35";
    info.rz = "0.79";
    info.dm = "-0.22";
    info.px = "2800000";
    info.py = "2200000";
    info.pz = "5300000";
    info.length_unit = metre();
    info.angle_unit = secondOfArc();
    info.scale_unit = partsPerMillion();
    info.type_info.code = type;
    info.type_info.name = "type";
    return info;
}

// A point moved by the Bursa-Wolf params as the library moves it.
vexa::CCoords moved(const vexa::CDatumShiftBursaWolfParams& params, const vexa::CCoords& point)
{
    vexa::CCoords out;
    vexa::CDatumShiftBursaWolf(params).forwardShift(point, &out);
    return out;
}

// Molodensky-Badekas about the pivot p, rotations r in the position vector
// convention: X' = t + p + (1 + m) R (X - p).
vexa::CCoords rotatedAboutPivot(const double t[3], const double r[3], double m, const double p[3],
                                const vexa::CCoords& point)
{
    const double x = point.first - p[0];
    const double y = point.second - p[1];
    const double z = point.third - p[2];
    const double k = 1.0 + m;
    return vexa::CCoords(t[0] + p[0] + k * (x - r[2] * y + r[1] * z),
                         t[1] + p[1] + k * (r[2] * x + y - r[0] * z),
                         t[2] + p[2] + k * (-r[1] * x + r[0] * y + z));
}

CDatumInfo datum()
{
    CDatumInfo info;
    info.name = "Pulkovo 1942";
    info.datum_shift = std::make_shared<CDatumShiftInfo>(shift(2));
    info.pairwise_shifts["a"] = std::make_shared<CDatumShiftInfo>(shift(1, 2));
    auto list = std::make_shared<CTransformListInfo>();
    list->name = "list";
    info.geographic_shifts["g"] = list;
    return info;
}

} // namespace

class TestDatumShiftInfo : public QObject
{
    Q_OBJECT

private slots:
    void translations();
    void sevenParameterSigns_data();
    void sevenParameterSigns();
    void molodenskyBadekas_data();
    void molodenskyBadekas();
    void pivotWithScaleOnly();
    void roles_data();
    void roles();
    void refused_data();
    void refused();
    void unreadableText();
    void equality_data();
    void equality();
    void datumEquality_data();
    void datumEquality();
    void clearEmpties();
    void typeFromCode_data();
    void typeFromCode();
};

void TestDatumShiftInfo::translations()
{
    CDatumShiftInfo info = shift(1);
    info.rx = "unread";
    info.length_unit = kilometre();
    info.angle_unit.reset();
    info.scale_unit.reset();
    const auto params = info.toParams();
    QVERIFY(params);
    QCOMPARE(params->getType(), 1);
    QCOMPARE(params->tx, 23570.0);
    QCOMPARE(params->ty, -140950.0);
    QCOMPARE(params->tz, -79800.0);
    QCOMPARE(params->rx, 0.0);
    QCOMPARE(params->ry, 0.0);
    QCOMPARE(params->rz, 0.0);
    QCOMPARE(params->m, 0.0);
}

void TestDatumShiftInfo::sevenParameterSigns_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("sign");

    QTest::newRow("2 coordinate frame") << 2 << -1.0;
    QTest::newRow("4 position vector") << 4 << 1.0;
}

void TestDatumShiftInfo::sevenParameterSigns()
{
    QFETCH(int, type);
    QFETCH(double, sign);

    CDatumShiftInfo info = shift(type);
    info.rx = "1";
    const auto params = info.toParams();
    QVERIFY(params);
    QCOMPARE(params->getType(), 1);
    QCOMPARE(params->tx, 23.57);
    QCOMPARE(params->rx, sign * kSecond);
    QCOMPARE(params->ry, sign * 0.35 * kSecond);
    QCOMPARE(params->rz, sign * 0.79 * kSecond);
    QCOMPARE(params->m, -0.22e-6);
}

void TestDatumShiftInfo::molodenskyBadekas_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("sign");

    QTest::newRow("3 coordinate frame") << 3 << -1.0;
    QTest::newRow("5 position vector") << 5 << 1.0;
}

void TestDatumShiftInfo::molodenskyBadekas()
{
    QFETCH(int, type);
    QFETCH(double, sign);

    CDatumShiftInfo info = shift(type);
    info.rx = "-1.5";
    info.exact = true;
    const auto params = info.toParams();
    QVERIFY(params);
    QCOMPARE(params->getType(), 1);

    const double t[3] = {23.57, -140.95, -79.8};
    const double r[3] = {sign * -1.5 * kSecond, sign * 0.35 * kSecond, sign * 0.79 * kSecond};
    const double p[3] = {2800000, 2200000, 5300000};
    const vexa::CCoords point(2810000, 2190000, 5305000);
    const vexa::CCoords expected = rotatedAboutPivot(t, r, -0.22e-6, p, point);
    const vexa::CCoords actual = moved(*params, point);
    QVERIFY(std::fabs(actual.first - expected.first) < 1e-6);
    QVERIFY(std::fabs(actual.second - expected.second) < 1e-6);
    QVERIFY(std::fabs(actual.third - expected.third) < 1e-6);
    QCOMPARE(params->rx, r[0]);
    QCOMPARE(params->m, -0.22e-6);
}

void TestDatumShiftInfo::pivotWithScaleOnly()
{
    CDatumShiftInfo info = shift(5);
    info.rx = info.ry = info.rz = "0";
    info.dm = "0";
    auto params = info.toParams();
    QVERIFY(params);
    QCOMPARE(params->tx, 23.57);
    QCOMPARE(params->ty, -140.95);
    QCOMPARE(params->tz, -79.8);

    info.dm = "1";
    info.px = "4000000";
    info.py = info.pz = "0";
    params = info.toParams();
    QVERIFY(params);
    QVERIFY(std::fabs(params->tx - (23.57 - 4)) < 1e-9);
    QCOMPARE(params->ty, -140.95);
}

void TestDatumShiftInfo::roles_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<bool>("disabled");
    QTest::addColumn<bool>("forward");

    QTest::newRow("none") << 0 << false << true;
    QTest::newRow("indirect") << 1 << false << true;
    QTest::newRow("source") << 2 << true << false;
    QTest::newRow("result") << 3 << false << true;
}

void TestDatumShiftInfo::roles()
{
    QFETCH(int, role);
    QFETCH(bool, disabled);
    QFETCH(bool, forward);

    for (int type = 1; type <= 5; ++type) {
        const auto params = shift(type, role).toParams();
        QVERIFY(params);
        QCOMPARE(params->isDisabled, disabled);
        QCOMPARE(params->isForward, forward);
    }
}

void TestDatumShiftInfo::refused_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("change");

    QTest::newRow("type 0") << 0 << "";
    QTest::newRow("type 7") << 7 << "";
    QTest::newRow("empty name") << 1 << "name";
    QTest::newRow("1 without length unit") << 1 << "length";
    QTest::newRow("2 without angle unit") << 2 << "angle";
    QTest::newRow("3 without scale unit") << 3 << "scale";
    QTest::newRow("5 without length unit") << 5 << "length";
    QTest::newRow("2 exact") << 2 << "exact";
    QTest::newRow("4 exact") << 4 << "exact";
}

void TestDatumShiftInfo::refused()
{
    QFETCH(int, type);
    QFETCH(QString, change);

    CDatumShiftInfo info = shift(type);
    if (change == "name")
        info.name.clear();
    if (change == "length")
        info.length_unit.reset();
    if (change == "angle")
        info.angle_unit.reset();
    if (change == "scale")
        info.scale_unit.reset();
    info.exact = change == "exact";

    vexa::CDatumShiftBursaWolfParams params;
    QVERIFY(!info.fillParams(params));
    QVERIFY(!params.isValid());
    QVERIFY(!info.toParams());
}

void TestDatumShiftInfo::unreadableText()
{
    CDatumShiftInfo info = shift(4);
    info.rz = "x";
    vexa::CDatumShiftBursaWolfParams params;
    QCOMPARE(faultOf([&] { info.fillParams(params); }), QString("invalid_argument:stod"));
    QVERIFY(!info.toParams());
    info.rz = "nan";
    QCOMPARE(faultOf([&] { info.fillParams(params); }),
             QString("runtime_error:CUnitInfo::toDouble"));
}

void TestDatumShiftInfo::equality_data()
{
    addEqualityColumns<CDatumShiftInfo>();
    using Change = ValueChange<CDatumShiftInfo>;
    addEqualityRow<CDatumShiftInfo>("same", shift(2), Change([](CDatumShiftInfo&) {}), true);
    addEqualityRow<CDatumShiftInfo>("convention", shift(2), Change([](CDatumShiftInfo& info) { info.convention = 1; }),
                                    false);
    addEqualityRow<CDatumShiftInfo>("scale unit dropped", shift(2),
                                    Change([](CDatumShiftInfo& info) { info.scale_unit.reset(); }), false);
    addEqualityRow<CDatumShiftInfo>("scale unit", shift(2),
                                    Change([](CDatumShiftInfo& info) { info.scale_unit = unity(); }), false);
    addEqualityRow<CDatumShiftInfo>("type record", shift(2),
                                    Change([](CDatumShiftInfo& info) { info.type_info.clear(); }), false, false);
}

void TestDatumShiftInfo::equality()
{
    checkEqualityRow<CDatumShiftInfo>();
}

void TestDatumShiftInfo::datumEquality_data()
{
    addEqualityColumns<CDatumInfo>();
    using Change = ValueChange<CDatumInfo>;
    addEqualityRow<CDatumInfo>("same", datum(), Change([](CDatumInfo&) {}), true);
    addEqualityRow<CDatumInfo>("pairwise shift added", datum(), Change([](CDatumInfo& other) {
                                   other.pairwise_shifts["b"] = std::make_shared<CDatumShiftInfo>(shift(1));
                               }),
                               false);
    addEqualityRow<CDatumInfo>("pairwise shift changed", datum(), Change([](CDatumInfo& other) {
                                   other.pairwise_shifts["a"] = std::make_shared<CDatumShiftInfo>(shift(1, 3));
                               }),
                               false);
    addEqualityRow<CDatumInfo>("geographic shift added", datum(), Change([](CDatumInfo& other) {
                                   other.geographic_shifts["g"] = std::make_shared<CTransformListInfo>();
                               }),
                               false, false);
    addEqualityRow<CDatumInfo>("datum shift dropped", datum(),
                               Change([](CDatumInfo& other) { other.datum_shift.reset(); }), false);
    addEqualityRow<CDatumInfo>("without name equals nothing", datum(),
                               Change([](CDatumInfo& other) { other.name.clear(); }), false, false);
}

void TestDatumShiftInfo::datumEquality()
{
    checkEqualityRow<CDatumInfo>();
}

void TestDatumShiftInfo::clearEmpties()
{
    CDatumShiftInfo other = shift(2);
    other.clear();
    QVERIFY(other.name.empty() && !other.length_unit && other.type == 0 && !other.exact);
    CDatumInfo datumOther = datum();
    datumOther.clear();
    QVERIFY(datumOther.pairwise_shifts.empty() && !datumOther.datum_shift && datumOther.mapinfo == 0);
}

void TestDatumShiftInfo::typeFromCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("set");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("epsg");
    QTest::newRow("Molodensky") << 1 << true << "Молоденского" << 1031;
    QTest::newRow("Helmert") << 4 << true << "Гельмерта" << 1033;
    QTest::newRow("Badekas, position vector") << 5 << true << "Молоденского-Бадекаса (Гельмерт)" << 1061;
    QTest::newRow("outside the table") << 7 << true << "" << 0;
    QTest::newRow("none") << 0 << false << "" << 0;
}

void TestDatumShiftInfo::typeFromCode()
{
    QFETCH(int, code);
    QFETCH(bool, set);
    QFETCH(QString, name);
    QFETCH(int, epsg);
    CDatumShiftTypeInfo type;
    type.code = 2;
    type.name = "old";
    type.description = "old";
    type.epsg = 1032;
    QCOMPARE(type.setCode(code), set);
    QCOMPARE(type.code, code);
    QCOMPARE(QString::fromStdString(type.name), name);
    QCOMPARE(type.epsg, epsg);
    QCOMPARE(type.description.empty(), name.isEmpty());
}

VALUES_TEST_MAIN(TestDatumShiftInfo)
#include "test_datumshiftinfo.moc"
