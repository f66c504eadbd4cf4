#include "recordfixtures.h"
#include "storagefixture.h"

#include "records/datumshiftstorage.h"
#include "records/datumshifttypedetails.h"

#include "database/codetablestypes.h"
#include "database/tablecatalogue.h"

#include <QtTest>

class TestDatumStorage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void shiftTypesReadStoredRows();
    void shiftTypeInsert_data();
    void shiftTypeInsert();
    void shiftTypeStoredWhenItsCodeIsFree();

private:
    std::unique_ptr<CTestDatabase> m_database;
};

void TestDatumStorage::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
}

void TestDatumStorage::cleanup()
{
    QVERIFY(!CTestDatabase::inTransaction());
    m_database.reset();
}

void TestDatumStorage::shiftTypesReadStoredRows()
{
    for (int code = 1; code <= 5; ++code) {
        CDatumShiftTypeDetails type;
        type.epsgCode = 77;
        QVERIFY(readDatumShiftTypeDetails(code, type));
        QCOMPARE(type.code, code);
        QCOMPARE(type.name, QString::fromStdString(datumShiftTypeName(code)));
        QCOMPARE(type.description, QString::fromStdString(datumShiftTypeDescription(code)));
        QCOMPARE(type.epsgCode, 77);
    }
    CDatumShiftTypeDetails missing;
    QVERIFY(!readDatumShiftTypeDetails(6, missing));
    QVERIFY(missing.name.isEmpty());
}

void TestDatumStorage::shiftTypeInsert_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("result");

    QTest::newRow("stored code, other name") << 2 << "Другое название" << 2;
    QTest::newRow("no datum shift type code") << 6 << "Шестой" << int(NoValue);
    QTest::newRow("code 0") << 0 << "Никакой" << int(NoValue);
    QTest::newRow("no name") << 7 << "" << int(NoValue);
}

void TestDatumStorage::shiftTypeInsert()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QFETCH(int, result);
    CDatumShiftTypeDetails type;
    type.code = code;
    type.name = name;
    const auto before = rowCounts();
    QString error;
    QCOMPARE(insertDatumShiftTypeDetails(type, &error), result);
    QCOMPARE(error.isEmpty(), result != NoValue);
    QCOMPARE(findDatumShiftTypeDetails(type), result);
    QCOMPARE(rowCounts(), before);
}

void TestDatumStorage::shiftTypeStoredWhenItsCodeIsFree()
{
    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM datumshifttype WHERE code=4;")));
    CDatumShiftTypeDetails type;
    type.code = 4;
    type.name = QString::fromStdString(datumShiftTypeName(2));
    type.description = QStringLiteral("'%1'");
    QCOMPARE(insertDatumShiftTypeDetails(type), 4);

    CDatumShiftTypeDetails read;
    QVERIFY(readDatumShiftTypeDetails(4, read));
    QCOMPARE(read.name, type.name + QStringLiteral("[1]"));
    QCOMPARE(read.description, type.description);
}

QTEST_MAIN(TestDatumStorage)
#include "test_datumstorage.moc"
