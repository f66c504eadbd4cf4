#include "faults.h"
#include "equalitycases.h"
#include "units.h"

#include "geodesy/coords.h"
#include "geodesy/ellipsoid.h"
#include "values/ellipsoidinfo.h"
#include "values/primemeridianinfo.h"

#include <QCoreApplication>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(CEllipsoidInfo)
Q_DECLARE_METATYPE(ValueChange<CEllipsoidInfo>)
Q_DECLARE_METATYPE(CPrimeMeridianInfo)
Q_DECLARE_METATYPE(ValueChange<CPrimeMeridianInfo>)

namespace {

CEllipsoidInfo wgs84()
{
    CEllipsoidInfo info;
    info.name = "WGS 84";
    info.a = "6378137";
    info.b = "6356752.314245";
    info.f = "298.257223563";
    info.use_f = true;
    info.unit = metre();
    info.epsg = 7030;
    return info;
}

CPrimeMeridianInfo meridian(const char* longitude, std::shared_ptr<CUnitInfo> unit)
{
    CPrimeMeridianInfo info;
    info.name = "meridian";
    info.longitude = longitude;
    info.unit = std::move(unit);
    return info;
}

} // namespace

class TestEllipsoidInfo : public QObject
{
    Q_OBJECT

private slots:
    void ellipsoidParams_data();
    void ellipsoidParams();
    void unreadableEllipsoid_data();
    void unreadableEllipsoid();
    void ellipsoidValidity();
    void ellipsoidEquality_data();
    void ellipsoidEquality();
    void primeMeridianParams_data();
    void primeMeridianParams();
    void primeMeridianFailures();
    void primeMeridianEquality_data();
    void primeMeridianEquality();
};

void TestEllipsoidInfo::ellipsoidParams_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("f");
    QTest::addColumn<bool>("useF");
    QTest::addColumn<bool>("sphere");
    QTest::addColumn<bool>("inKilometres");
    QTest::addColumn<double>("expectedA");
    QTest::addColumn<double>("expectedB");

    QTest::newRow("inverse flattening") << "6378137" << "" << "298.257223563" << true << false
                                        << false << 6378137.0
                                        << 6378137.0 * (1 - 1 / 298.257223563);
    QTest::newRow("axes") << "6378245" << "6356863.019" << "" << false << false << false
                          << 6378245.0 << 6356863.019;
    QTest::newRow("axes in km") << "6378.245" << "6356.863019" << "" << false << false << true
                                << 6378245.0 << 6356863.019;
    QTest::newRow("sphere wins, f not read") << "6371000" << "" << "abc" << true << true
                                             << false << 6371000.0 << 6371000.0;
    QTest::newRow("b greater than a") << "6356863" << "6378245" << "" << false << false
                                      << false << 6356863.0 << 6378245.0;
}

void TestEllipsoidInfo::ellipsoidParams()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, f);
    QFETCH(bool, useF);
    QFETCH(bool, sphere);
    QFETCH(bool, inKilometres);
    QFETCH(double, expectedA);
    QFETCH(double, expectedB);

    CEllipsoidInfo info = wgs84();
    info.a = a.toStdString();
    info.b = b.toStdString();
    info.f = f.toStdString();
    info.use_f = useF;
    info.sphere = sphere;
    info.unit = inKilometres ? kilometre() : metre();

    vexa::CEllipsoidParams params;
    const bool valid = expectedA >= expectedB;
    QCOMPARE(info.fillParams(params), valid);
    QCOMPARE(params.a, expectedA);
    QCOMPARE(params.b, expectedB);
    QCOMPARE(info.toParams() != nullptr, valid);
}

void TestEllipsoidInfo::unreadableEllipsoid_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("f");
    QTest::addColumn<QString>("fault");

    QTest::newRow("f letters") << "6378137" << "abc" << "invalid_argument:stod";
    QTest::newRow("f nan") << "6378137" << "nan" << "runtime_error:CEllipsoidInfo::fillParams";
    QTest::newRow("f too large") << "6378137" << "1e999" << "out_of_range:stod";
    QTest::newRow("a letters") << "a" << "298.3" << "invalid_argument:stod";
    QTest::newRow("a infinite") << "inf" << "298.3" << "runtime_error:CUnitInfo::toDouble";
}

void TestEllipsoidInfo::unreadableEllipsoid()
{
    QFETCH(QString, a);
    QFETCH(QString, f);
    QFETCH(QString, fault);

    CEllipsoidInfo info = wgs84();
    info.a = a.toStdString();
    info.f = f.toStdString();
    vexa::CEllipsoidParams params;
    QCOMPARE(faultOf([&] { info.fillParams(params); }), fault);
    QVERIFY(!info.toParams());
}

void TestEllipsoidInfo::ellipsoidValidity()
{
    QVERIFY(wgs84().isValid());

    CEllipsoidInfo info = wgs84();
    info.f.clear();
    QVERIFY(!info.isValid());
    info.use_f = false;
    QVERIFY(info.isValid());
    info.b.clear();
    QVERIFY(!info.isValid());
    info.sphere = true;
    QVERIFY(info.isValid());

    info = wgs84();
    info.unit.reset();
    QVERIFY(!info.isValid());
    vexa::CEllipsoidParams params(1.0, 1.0);
    QVERIFY(!info.fillParams(params));
    QCOMPARE(params.a, 0.0);

    info = wgs84();
    info.unit = std::make_shared<CUnitInfo>();
    QVERIFY(!info.isValid());

    info.clear();
    QVERIFY(info.name.empty() && !info.unit && !info.use_f);
    QCOMPARE(info.mapinfo, 2147483647);
}

void TestEllipsoidInfo::ellipsoidEquality_data()
{
    addEqualityColumns<CEllipsoidInfo>();
    using Change = ValueChange<CEllipsoidInfo>;
    addEqualityRow<CEllipsoidInfo>("same", wgs84(), Change([](CEllipsoidInfo&) {}), true);
    addEqualityRow<CEllipsoidInfo>("unit", wgs84(), Change([](CEllipsoidInfo& info) { info.unit = kilometre(); }), false);
    addEqualityRow<CEllipsoidInfo>("mapinfo", wgs84(), Change([](CEllipsoidInfo& info) { info.mapinfo = 1; }), false);
    addEqualityRow<CEllipsoidInfo>("minor axis", wgs84(), Change([](CEllipsoidInfo& info) { info.b = "0"; }), false);
    addEqualityRow<CEllipsoidInfo>("empty equals nothing", CEllipsoidInfo(), Change([](CEllipsoidInfo&) {}), false,
                                   false);
}

void TestEllipsoidInfo::ellipsoidEquality()
{
    checkEqualityRow<CEllipsoidInfo>();
}

void TestEllipsoidInfo::primeMeridianParams_data()
{
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<int>("format");
    QTest::addColumn<double>("degrees");

    QTest::newRow("Greenwich") << "0" << 0 << 0.0;
    QTest::newRow("Paris in degrees") << "2.33722917" << 0 << 2.33722917;
    QTest::newRow("190 reduced") << "190" << 0 << -170.0;
    QTest::newRow("-200 reduced") << "-200" << 0 << 160.0;
    QTest::newRow("DMS text") << "-17 40 0" << 2 << -17.0 - 40.0 / 60.0;
}

void TestEllipsoidInfo::primeMeridianParams()
{
    QFETCH(QString, longitude);
    QFETCH(int, format);
    QFETCH(double, degrees);

    const auto unit = degree(format);
    const auto params = meridian(longitude.toLatin1().constData(), unit).toParams();
    QVERIFY(params);
    QVERIFY(std::fabs(params->getLongitude() - degrees * 3.14159265358979 / 180) < 1e-14);
}

void TestEllipsoidInfo::primeMeridianFailures()
{
    CPrimeMeridianInfo info = meridian("abc", degree());
    vexa::CPrimeMeridianParams params(1.0);
    QCOMPARE(faultOf([&] { info.fillParams(params); }), QString("invalid_argument:stod"));
    QVERIFY(!params.isValid());
    QVERIFY(!info.toParams());

    QVERIFY(!meridian("nan", degree()).toParams());
    QVERIFY(!meridian("10", nullptr).isValid());
    QVERIFY(!meridian("10", nullptr).toParams());
    QVERIFY(!meridian("", degree()).toParams());
}

void TestEllipsoidInfo::primeMeridianEquality_data()
{
    addEqualityColumns<CPrimeMeridianInfo>();
    using Change = ValueChange<CPrimeMeridianInfo>;
    const CPrimeMeridianInfo base = meridian("10", degree());
    addEqualityRow<CPrimeMeridianInfo>("same", base, Change([](CPrimeMeridianInfo&) {}), true);
    addEqualityRow<CPrimeMeridianInfo>("longitude text", base,
                                       Change([](CPrimeMeridianInfo& info) { info.longitude = "10.0"; }), false);
    addEqualityRow<CPrimeMeridianInfo>("unit", base, Change([](CPrimeMeridianInfo& info) { info.unit = radian(); }),
                                       false);
    addEqualityRow<CPrimeMeridianInfo>("cleared", base, Change([](CPrimeMeridianInfo& info) { info.clear(); }), false,
                                       false);
}

void TestEllipsoidInfo::primeMeridianEquality()
{
    checkEqualityRow<CPrimeMeridianInfo>();
    CPrimeMeridianInfo empty = meridian("10", degree());
    empty.clear();
    QCOMPARE(empty.epsg, 0);
}

VALUES_TEST_MAIN(TestEllipsoidInfo)
#include "test_ellipsoidinfo.moc"
