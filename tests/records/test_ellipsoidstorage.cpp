#include "recordfixtures.h"
#include "storagefixture.h"

#include "records/ellipsoidstorage.h"
#include "records/primemeridianstorage.h"
#include "records/unitstorage.h"

#include "database/tablecatalogue.h"

#include <QtTest>

Q_DECLARE_METATYPE(CEllipsoidDetails)
Q_DECLARE_METATYPE(CPrimeMeridianDetails)

namespace {

CPrimeMeridianDetails pulkovoMeridian()
{
    CPrimeMeridianDetails meridian;
    meridian.name = QStringLiteral("Пулково");
    meridian.description = QStringLiteral("Меридиан Пулковской обсерватории");
    meridian.longitude = QStringLiteral("30 19 42.09");
    meridian.unit = storedFormatDegree();
    return meridian;
}

} // namespace

class TestEllipsoidStorage : public CStorageTestCase
{
    Q_OBJECT

private slots:
    void ellipsoidRoundTrip_data();
    void ellipsoidRoundTrip();
    void changedEllipsoidGetsNumberedName();
    void asCopyStoresNumberedCopy();
    void ellipsoidFailuresWriteNothing_data();
    void ellipsoidFailuresWriteNothing();
    void ellipsoidReadFailsWithoutItsUnit();
    void meridianRoundTrip_data();
    void meridianRoundTrip();
    void meridianFailuresWriteNothing_data();
    void meridianFailuresWriteNothing();
};

void TestEllipsoidStorage::ellipsoidRoundTrip_data()
{
    QTest::addColumn<CEllipsoidDetails>("ellipsoid");

    QTest::newRow("by inverse flattening") << krassowsky();
    CEllipsoidDetails byMinorAxis = krassowsky();
    byMinorAxis.useInverseFlattening = false;
    byMinorAxis.minorSemiAxis = QStringLiteral("6356863.019");
    byMinorAxis.mapinfoCode = 3;
    QTest::newRow("by minor axis, both codes") << byMinorAxis;
    CEllipsoidDetails sphere = krassowsky();
    sphere.name = QStringLiteral("Сфера");
    sphere.sphere = true;
    sphere.inverseFlattening.clear();
    sphere.majorSemiAxis = QStringLiteral("6371000.0");
    sphere.epsgCode = 0;
    QTest::newRow("sphere, axis with a trailing zero") << sphere;
    for (const QString& name : awkwardNames()) {
        CEllipsoidDetails named = krassowsky();
        named.name = name;
        named.description = name;
        QTest::newRow(qPrintable(name)) << named;
    }
}

void TestEllipsoidStorage::ellipsoidRoundTrip()
{
    QFETCH(CEllipsoidDetails, ellipsoid);
    const int key = EllipsoidStorage::InsertDetails(ellipsoid, false);
    QVERIFY(key != NoValue);

    CEllipsoidDetails read;
    QVERIFY(EllipsoidStorage::ReadDetails(key, read));
    QVERIFY(read == ellipsoid);
    QCOMPARE(read.name, ellipsoid.name);
    QCOMPARE(read.minorSemiAxis.isEmpty(), ellipsoid.minorSemiAxis.isEmpty());

    const auto before = rowCounts();
    QCOMPARE(EllipsoidStorage::InsertDetails(ellipsoid, false), key);
    QCOMPARE(rowCounts(), before);
    QCOMPARE(before.value(tableName(TableUnitLength)), 1);
}

void TestEllipsoidStorage::changedEllipsoidGetsNumberedName()
{
    const CEllipsoidDetails ellipsoid = krassowsky();
    const int key = EllipsoidStorage::InsertDetails(ellipsoid, false);
    CEllipsoidDetails changed = ellipsoid;
    changed.inverseFlattening = QStringLiteral("298.257223563");
    const int changedKey = EllipsoidStorage::InsertDetails(changed, false);
    QVERIFY(changedKey != NoValue && changedKey != key);

    CEllipsoidDetails read;
    QVERIFY(EllipsoidStorage::ReadDetails(changedKey, read));
    QCOMPARE(read.name, ellipsoid.name + QStringLiteral("[1]"));
    QCOMPARE(EllipsoidStorage::FindDetails(ellipsoid), key);
    QCOMPARE(CTestDatabase::value(QStringLiteral("SELECT COUNT(*) FROM unitlength;")).toInt(), 1);
}

void TestEllipsoidStorage::asCopyStoresNumberedCopy()
{
    const CEllipsoidDetails ellipsoid = krassowsky();
    const int key = EllipsoidStorage::InsertDetails(ellipsoid, false);
    const int copy = EllipsoidStorage::InsertDetails(ellipsoid, true);
    QVERIFY(copy != NoValue && copy != key);
    QCOMPARE(CTestDatabase::value(QStringLiteral("SELECT name FROM ellipsoid WHERE autokey=?;"), {copy})
                 .toString(),
             ellipsoid.name + QStringLiteral("[1]"));
    QCOMPARE(EllipsoidStorage::FindDetails(ellipsoid), key);
}

void TestEllipsoidStorage::ellipsoidFailuresWriteNothing_data()
{
    QTest::addColumn<CEllipsoidDetails>("ellipsoid");
    QTest::addColumn<int>("failingTable");

    QTest::newRow("ellipsoid row fails after its new unit") << krassowsky() << int(TableEllipsoid);
    QTest::newRow("unit row fails") << krassowsky() << int(TableUnitLength);
    CEllipsoidDetails noUnit = krassowsky();
    noUnit.unit.reset();
    QTest::newRow("no unit") << noUnit << 0;
    CEllipsoidDetails angularUnit = krassowsky();
    angularUnit.unit = storedFormatDegree();
    QTest::newRow("unit of another scope") << angularUnit << 0;
    CEllipsoidDetails noFlattening = krassowsky();
    noFlattening.inverseFlattening = QStringLiteral("0");
    QTest::newRow("inverse flattening 0") << noFlattening << 0;
}

void TestEllipsoidStorage::ellipsoidFailuresWriteNothing()
{
    QFETCH(CEllipsoidDetails, ellipsoid);
    QFETCH(int, failingTable);
    verifyInsertFails(
        [&](QString* error) { return EllipsoidStorage::InsertDetails(ellipsoid, false, error); },
        failingTable);
}

void TestEllipsoidStorage::ellipsoidReadFailsWithoutItsUnit()
{
    const int key = EllipsoidStorage::InsertDetails(krassowsky(), false);
    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM unitlength;")));
    CEllipsoidDetails read;
    QVERIFY(!EllipsoidStorage::ReadDetails(key, read));
    QVERIFY(!EllipsoidStorage::ReadDetails(key + 1, read));
    QCOMPARE(EllipsoidStorage::FindDetails(krassowsky()), int(NoValue));
}

void TestEllipsoidStorage::meridianRoundTrip_data()
{
    QTest::addColumn<CPrimeMeridianDetails>("meridian");

    QTest::newRow("in degrees-minutes-seconds") << pulkovoMeridian();
    CPrimeMeridianDetails zero = pulkovoMeridian();
    zero.name = QStringLiteral("Гринвич");
    zero.longitude = QStringLiteral("0");
    zero.epsgCode = 8901;
    QTest::newRow("zero longitude with a code") << zero;
    for (const QString& name : awkwardNames()) {
        CPrimeMeridianDetails named = pulkovoMeridian();
        named.name = name;
        named.longitude = name;
        QTest::newRow(qPrintable(name)) << named;
    }
}

void TestEllipsoidStorage::meridianRoundTrip()
{
    QFETCH(CPrimeMeridianDetails, meridian);
    const int key = PrimeMeridianStorage::InsertDetails(meridian, false);
    QVERIFY(key != NoValue);

    CPrimeMeridianDetails read;
    QVERIFY(PrimeMeridianStorage::ReadDetails(key, read));
    QVERIFY(read == meridian);
    QCOMPARE(read.longitude, meridian.longitude);

    const auto before = rowCounts();
    QCOMPARE(PrimeMeridianStorage::InsertDetails(meridian, false), key);
    QCOMPARE(rowCounts(), before);

    const int copy = PrimeMeridianStorage::InsertDetails(meridian, true);
    QVERIFY(copy != NoValue && copy != key);
    QVERIFY(PrimeMeridianStorage::ReadDetails(copy, read));
    QCOMPARE(read.name, meridian.name + QStringLiteral("[1]"));
}

void TestEllipsoidStorage::meridianFailuresWriteNothing_data()
{
    QTest::addColumn<CPrimeMeridianDetails>("meridian");
    QTest::addColumn<int>("failingTable");

    QTest::newRow("meridian row fails after its new unit") << pulkovoMeridian() << int(TablePrimeMeridian);
    CPrimeMeridianDetails linearUnit = pulkovoMeridian();
    linearUnit.unit = std::make_shared<CUnitDetails>(*linearUnit.unit);
    linearUnit.unit->scope = UnitScopeLength;
    linearUnit.unit->angleFormat.reset();
    QTest::newRow("unit of another scope refused") << linearUnit << 0;
    CPrimeMeridianDetails noLongitude = pulkovoMeridian();
    noLongitude.longitude.clear();
    QTest::newRow("no longitude") << noLongitude << 0;
}

void TestEllipsoidStorage::meridianFailuresWriteNothing()
{
    QFETCH(CPrimeMeridianDetails, meridian);
    QFETCH(int, failingTable);
    verifyInsertFails(
        [&](QString* error) { return PrimeMeridianStorage::InsertDetails(meridian, false, error); },
        failingTable);
}

QTEST_MAIN(TestEllipsoidStorage)
#include "test_ellipsoidstorage.moc"
