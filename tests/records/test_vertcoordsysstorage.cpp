#include "definitionfixtures.h"
#include "storagefixture.h"

#include "records/vertcoordsysdetails.h"
#include "records/vertcoordsysstorage.h"

#include "database/tablecatalogue.h"

#include <QtTest>

Q_DECLARE_METATYPE(CVertCoordSysDetails)

namespace {

CVertCoordSysDetails baltic()
{
    CVertCoordSysDetails system;
    system.name = QStringLiteral("Балтийская 1977");
    system.description = QStringLiteral("Нормальные высоты");
    system.shortName = QStringLiteral("БСВ");
    system.geoidId = QStringLiteral("EGM2008");
    system.epsgCode = 5705;
    system.transformList = std::make_shared<CTransformListDetails>(
        withStoredDefinitions(transformList(4, QStringLiteral("BSV"))));
    return system;
}

} // namespace

class TestVertCoordSysStorage : public CStorageTestCase
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void sameNameOtherGeoidIsStoredApart();
    void failuresWriteNothing_data();
    void failuresWriteNothing();
    void readFailsWithoutItsTransformList();
};

void TestVertCoordSysStorage::roundTrip_data()
{
    QTest::addColumn<CVertCoordSysDetails>("system");

    QTest::newRow("with a transform list") << baltic();
    CVertCoordSysDetails plain = baltic();
    plain.transformList.reset();
    plain.epsgCode = 0;
    QTest::newRow("no transform list, no code") << plain;
    for (const QString& name : awkwardNames()) {
        CVertCoordSysDetails named = baltic();
        named.name = name;
        named.geoidId = name;
        QTest::newRow(qPrintable(name)) << named;
    }
}

void TestVertCoordSysStorage::roundTrip()
{
    QFETCH(CVertCoordSysDetails, system);
    const int key = insertVertCoordSysDetails(system, false);
    QVERIFY(key != NoValue);

    CVertCoordSysDetails read;
    QVERIFY(readVertCoordSysDetails(key, read));
    QVERIFY(read == system);
    QCOMPARE(bool(read.transformList), bool(system.transformList));

    const auto before = rowCounts();
    QCOMPARE(insertVertCoordSysDetails(system, false), key);
    QCOMPARE(rowCounts(), before);

    const int copy = insertVertCoordSysDetails(system, true);
    QVERIFY(copy != NoValue && copy != key);
    QVERIFY(readVertCoordSysDetails(copy, read));
    QCOMPARE(read.name, system.name + QStringLiteral("[1]"));
    QCOMPARE(findVertCoordSysDetails(system), key);
}

void TestVertCoordSysStorage::sameNameOtherGeoidIsStoredApart()
{
    const CVertCoordSysDetails system = baltic();
    const int key = insertVertCoordSysDetails(system, false);
    CVertCoordSysDetails otherGeoid = system;
    otherGeoid.geoidId = QStringLiteral("EGM96");
    const int otherKey = insertVertCoordSysDetails(otherGeoid, false);
    QVERIFY(otherKey != NoValue && otherKey != key);
    QCOMPARE(findVertCoordSysDetails(otherGeoid), int(NoValue));
    QCOMPARE(findVertCoordSysDetails(system), key);
}

void TestVertCoordSysStorage::failuresWriteNothing_data()
{
    QTest::addColumn<CVertCoordSysDetails>("system");
    QTest::addColumn<int>("failingTable");

    QTest::newRow("system row fails after its list") << baltic() << int(TableVertCoordSys);
    QTest::newRow("transform of the list fails") << baltic() << int(TableTransform);
    CVertCoordSysDetails noGeoid = baltic();
    noGeoid.geoidId.clear();
    QTest::newRow("no geoid") << noGeoid << 0;
    CVertCoordSysDetails unnamedList = baltic();
    unnamedList.transformList = std::make_shared<CTransformListDetails>(*baltic().transformList);
    unnamedList.transformList->name.clear();
    QTest::newRow("list without a name") << unnamedList << 0;
}

void TestVertCoordSysStorage::failuresWriteNothing()
{
    QFETCH(CVertCoordSysDetails, system);
    QFETCH(int, failingTable);
    verifyInsertFails([&](QString* error) { return insertVertCoordSysDetails(system, false, error); },
                      failingTable);
}

void TestVertCoordSysStorage::readFailsWithoutItsTransformList()
{
    const int key = insertVertCoordSysDetails(baltic(), false);
    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM transformlist;")));
    CVertCoordSysDetails read;
    QVERIFY(!readVertCoordSysDetails(key, read));
    QCOMPARE(findVertCoordSysDetails(baltic()), int(NoValue));

    QVERIFY(CTestDatabase::exec(QStringLiteral("UPDATE vertcoordsys SET transform_list=NULL;")));
    QVERIFY(readVertCoordSysDetails(key, read));
    QVERIFY(!read.transformList);
}

QTEST_MAIN(TestVertCoordSysStorage)
#include "test_vertcoordsysstorage.moc"
