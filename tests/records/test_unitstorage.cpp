#include "recordfixtures.h"
#include "storagefixture.h"

#include "records/angleformatstorage.h"
#include "records/unitstorage.h"

#include "database/tablecatalogue.h"

#include "tests/support/localescope.h"

#include <QtTest>

#include <clocale>

Q_DECLARE_METATYPE(std::shared_ptr<CAngleFormatDetails>)

class TestUnitStorage : public CStorageTestCase
{
    Q_OBJECT

private slots:
    void angleFormatsReadStoredRows();
    void angleFormatInsert_data();
    void angleFormatInsert();
    void angleFormatStoredWhenItsCodeIsFree();
    void unitRoundTrip_data();
    void unitRoundTrip();
    void changedUnitGetsNumberedName();
    void findMatchesNumberedNames();
    void asCopyStoresNumberedCopies();
    void refusedUnitsWriteNothing_data();
    void refusedUnitsWriteNothing();
    void failedUnitRowLeavesNoAngleFormat();
    void unitReusesAngleFormatStoredWithOtherTexts();
    void readFailsWithoutItsAngleFormat();
    void factorsIgnoreProcessLocale();
};

void TestUnitStorage::angleFormatsReadStoredRows()
{
    for (int code = 1; code <= 3; ++code) {
        CAngleFormatDetails format;
        QVERIFY(AngleFormatStorage::ReadDetails(code, format));
        QVERIFY(format == *storedFormat(code));
        QCOMPARE(AngleFormatStorage::FindDetails(format), code);
    }
    CAngleFormatDetails missing;
    missing.name = QStringLiteral("untouched");
    QVERIFY(!AngleFormatStorage::ReadDetails(7, missing));
    QCOMPARE(missing.name, QStringLiteral("untouched"));
    QCOMPARE(missing.code, 0);
}

void TestUnitStorage::angleFormatInsert_data()
{
    QTest::addColumn<std::shared_ptr<CAngleFormatDetails>>("format");
    QTest::addColumn<int>("result");

    const auto stored = storedFormat(2);
    auto otherTexts = std::make_shared<CAngleFormatDetails>(*stored);
    otherTexts->description = QStringLiteral("другое описание");
    auto unknownCode = std::make_shared<CAngleFormatDetails>(*stored);
    unknownCode->code = 7;
    auto unnamed = std::make_shared<CAngleFormatDetails>(*stored);
    unnamed->name.clear();

    QTest::newRow("equal to the stored row") << stored << 2;
    QTest::newRow("code stored with other texts") << otherTexts << 2;
    QTest::newRow("no angle format code") << unknownCode << int(NoValue);
    QTest::newRow("not valid") << unnamed << int(NoValue);
}

void TestUnitStorage::angleFormatInsert()
{
    QFETCH(std::shared_ptr<CAngleFormatDetails>, format);
    QFETCH(int, result);
    const auto before = rowCounts();
    QString error;
    QCOMPARE(AngleFormatStorage::InsertDetails(*format, &error), result);
    QCOMPARE(error.isEmpty(), result != NoValue);
    QCOMPARE(rowCounts(), before);
}

void TestUnitStorage::angleFormatStoredWhenItsCodeIsFree()
{
    CAngleFormatDetails format(*storedFormat(3));
    format.name = QStringLiteral("Д'М'С \"%1\"");
    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM unitangleformat WHERE code=3;")));

    QCOMPARE(AngleFormatStorage::InsertDetails(format), 3);
    CAngleFormatDetails read;
    QVERIFY(AngleFormatStorage::ReadDetails(3, read));
    QVERIFY(read == format);
}

void TestUnitStorage::unitRoundTrip_data()
{
    QTest::addColumn<std::shared_ptr<CUnitDetails>>("unit");

    QTest::newRow("length unit with both codes") << metre();
    QTest::newRow("angular unit with its format") << storedFormatDegree();
    auto ppm = std::make_shared<CUnitDetails>();
    ppm->scope = 3;
    ppm->name = QStringLiteral("Миллионная доля");
    ppm->shortName = QStringLiteral("ppm");
    ppm->factorB = QStringLiteral("1");
    ppm->factorC = QStringLiteral("1000000");
    QTest::newRow("scale unit without codes") << ppm;
    auto second = std::make_shared<CUnitDetails>(*storedFormatDegree(1));
    second->name = QStringLiteral("Угловая секунда");
    second->factorB = QStringLiteral("0.00000484813681109536");
    second->factorC = QStringLiteral("1");
    QTest::newRow("small factor") << second;
    for (const char* factor : {"1e-16", "1.2345678e-12", "0.000000000001234567890123", "123456789012345680000"}) {
        auto tiny = std::make_shared<CUnitDetails>(*ppm);
        tiny->name = QStringLiteral("Множитель %1").arg(factor);
        tiny->factorB = QString::fromLatin1(factor);
        QTest::newRow(factor) << tiny;
    }
    for (const QString& name : awkwardNames()) {
        auto unit = std::make_shared<CUnitDetails>(*metre());
        unit->name = name;
        unit->description = name;
        unit->shortName = name.left(8);
        QTest::newRow(qPrintable(name)) << unit;
    }
}

void TestUnitStorage::unitRoundTrip()
{
    QFETCH(std::shared_ptr<CUnitDetails>, unit);
    QVERIFY(unit->isValid());
    const int key = UnitStorage::InsertDetails(*unit, false);
    QVERIFY(key != NoValue);

    CUnitDetails read;
    QVERIFY(UnitStorage::ReadDetails(unitTableOfScope(unit->scope), key, read));
    QVERIFY(read == *unit);
    QCOMPARE(read.name, unit->name);
    QCOMPARE(bool(read.angleFormat), bool(unit->angleFormat));
    QCOMPARE(read.factorB.toDouble(), unit->factorB.toDouble());
    QCOMPARE(read.factorC.toDouble(), unit->factorC.toDouble());
    QVERIFY2(!read.factorB.contains(QLatin1Char('e')), qPrintable(read.factorB));

    const auto before = rowCounts();
    QCOMPARE(UnitStorage::InsertDetails(*unit, false), key);
    QCOMPARE(rowCounts(), before);
}

void TestUnitStorage::changedUnitGetsNumberedName()
{
    const auto unit = metre();
    const int key = UnitStorage::InsertDetails(*unit, false);
    CUnitDetails changed(*unit);
    changed.factorB = QStringLiteral("1000");
    const int changedKey = UnitStorage::InsertDetails(changed, false);
    QVERIFY(changedKey != NoValue && changedKey != key);

    CUnitDetails read;
    QVERIFY(UnitStorage::ReadDetails(TableUnitLength, changedKey, read));
    QCOMPARE(read.name, unit->name + QStringLiteral("[1]"));
    QCOMPARE(read.factorB, QStringLiteral("1000"));
    QCOMPARE(UnitStorage::FindDetails(*unit), key);
}

void TestUnitStorage::findMatchesNumberedNames()
{
    CUnitDetails unit(*metre());
    unit.name = QStringLiteral("Метр_1");
    const int key = UnitStorage::InsertDetails(unit, false);
    QVERIFY(key != NoValue);

    CUnitDetails numbered(unit);
    numbered.name = QStringLiteral("Метр_1[3]");
    QCOMPARE(UnitStorage::FindDetails(numbered), key);
    CUnitDetails otherBase(unit);
    otherBase.name = QStringLiteral("Метрx1[3]");
    QCOMPARE(UnitStorage::FindDetails(otherBase), int(NoValue));
}

void TestUnitStorage::asCopyStoresNumberedCopies()
{
    const auto unit = metre();
    const int first = UnitStorage::InsertDetails(*unit, true);
    const int second = UnitStorage::InsertDetails(*unit, true);
    const int third = UnitStorage::InsertDetails(*unit, true);
    QVERIFY(first < second && second < third);
    QCOMPARE(CTestDatabase::column(QStringLiteral("SELECT name FROM unitlength ORDER BY autokey;")),
             (QVariantList{unit->name, unit->name + "[1]", unit->name + "[2]"}));
    QCOMPARE(UnitStorage::FindDetails(*unit), first);
}

void TestUnitStorage::refusedUnitsWriteNothing_data()
{
    QTest::addColumn<std::shared_ptr<CUnitDetails>>("unit");
    QTest::addColumn<int>("failingTable");

    auto noScope = std::make_shared<CUnitDetails>(*metre());
    noScope->scope = 4;
    QTest::newRow("no unit scope") << noScope << 0;
    auto zeroFactor = std::make_shared<CUnitDetails>(*metre());
    zeroFactor->factorB = QStringLiteral("0");
    QTest::newRow("factor 0") << zeroFactor << 0;
    QTest::newRow("row insert fails") << storedFormatDegree() << int(TableUnitAngle);
}

void TestUnitStorage::refusedUnitsWriteNothing()
{
    QFETCH(std::shared_ptr<CUnitDetails>, unit);
    QFETCH(int, failingTable);
    verifyInsertFails([&](QString* error) { return UnitStorage::InsertDetails(*unit, false, error); },
                      failingTable);
    verifyInsertFails([&](QString* error) { return UnitStorage::InsertDetails(*unit, true, error); });
}

void TestUnitStorage::failedUnitRowLeavesNoAngleFormat()
{
    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM unitangleformat WHERE code=3;")));
    CAngleFormatDetails format;
    format.code = 3;
    format.name = QStringLiteral("ГМС-полушарие");
    auto unit = metre();
    unit->scope = 2;
    unit->angleFormat = std::make_shared<CAngleFormatDetails>(format);
    QVERIFY(injectFailure(TableUnitAngle));
    const auto before = rowCounts();

    QCOMPARE(UnitStorage::InsertDetails(*unit, false), int(NoValue));
    QCOMPARE(rowCounts(), before);
    QVERIFY(CTestDatabase::exec(QStringLiteral("DROP TRIGGER fail_unitangle_INSERT;")));
    QVERIFY(UnitStorage::InsertDetails(*unit, false) != NoValue);
    QCOMPARE(AngleFormatStorage::FindDetails(format), 3);
}

void TestUnitStorage::unitReusesAngleFormatStoredWithOtherTexts()
{
    auto unit = storedFormatDegree();
    auto format = std::make_shared<CAngleFormatDetails>(*unit->angleFormat);
    format->description = QStringLiteral("не тот формат");
    unit->angleFormat = format;
    const auto before = rowCounts();

    const int key = UnitStorage::InsertDetails(*unit, false);
    QVERIFY(key != NoValue);
    QCOMPARE(CTestDatabase::value(QStringLiteral("SELECT format FROM unitangle WHERE autokey=?;"), {key}).toInt(), 2);
    CAngleFormatDetails stored;
    QVERIFY(AngleFormatStorage::ReadDetails(2, stored));
    QVERIFY(stored == *storedFormat(2));
    QCOMPARE(CTestDatabase::value(QStringLiteral("SELECT COUNT(*) FROM unitangleformat;")).toInt(),
             before.value(QStringLiteral("unitangleformat")));
}

void TestUnitStorage::readFailsWithoutItsAngleFormat()
{
    const int key = UnitStorage::InsertDetails(*storedFormatDegree(), false);
    QVERIFY(key != NoValue);
    QVERIFY(CTestDatabase::exec(QStringLiteral("UPDATE unitangle SET format=9;")));
    CUnitDetails read;
    QVERIFY(!UnitStorage::ReadDetails(TableUnitAngle, key, read));
    QVERIFY(!UnitStorage::ReadDetails(TableUnitLength, key, read));
    QVERIFY(!UnitStorage::ReadDetails(TableAngleFormat, key, read));
}

void TestUnitStorage::factorsIgnoreProcessLocale()
{
    ENTER_RUSSIAN_LOCALE();
    auto foot = metre();
    foot->factorB = QStringLiteral("0.3048");
    const int key = UnitStorage::InsertDetails(*foot, false);
    CUnitDetails read;
    QVERIFY(UnitStorage::ReadDetails(TableUnitLength, key, read));
    QCOMPARE(read.factorB, QStringLiteral("0.3048"));
    QCOMPARE(CTestDatabase::value(QStringLiteral("SELECT factor_b FROM unitlength;")).toDouble(), 0.3048);
}

QTEST_MAIN(TestUnitStorage)
#include "test_unitstorage.moc"
