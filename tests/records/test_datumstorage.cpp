#include "definitionfixtures.h"
#include "recordfixtures.h"
#include "storagefixture.h"

#include "records/datumshiftstorage.h"
#include "records/datumshifttypedetails.h"
#include "records/datumstorage.h"
#include "records/ellipsoidstorage.h"
#include "records/transformliststorage.h"

#include "database/codetablestypes.h"
#include "database/tablecatalogue.h"

#include <QtTest>

Q_DECLARE_METATYPE(CDatumShiftDetails)
Q_DECLARE_METATYPE(CDatumDetails)

namespace {

// Pulkovo 1942 with a pairwise shift and a horizontal and a vertical transform list.
CDatumDetails pulkovo()
{
    CDatumDetails datum = datumFromFile(QStringLiteral("pulkovo1942.xml"));
    for (auto* lists : {&datum.geographicDatumShifts, &datum.verticalDatumShifts}) {
        for (auto& list : *lists)
            list = std::make_shared<CTransformListDetails>(withStoredDefinitions(*list));
    }
    return datum;
}

CDatumShiftDetails pairwiseShift(const QString& identifier)
{
    CDatumShiftDetails shift = *pulkovo().pairwiseDatumShifts.begin()->second;
    shift.identifier = identifier;
    return shift;
}

int storedRows(int tableId)
{
    return rowCounts().value(tableName(tableId));
}

} // namespace

class TestDatumStorage : public CStorageTestCase
{
    Q_OBJECT

private slots:
    void shiftTypesReadStoredRows();
    void shiftTypeInsert_data();
    void shiftTypeInsert();
    void shiftTypeStoredWhenItsCodeIsFree();
    void shiftRoundTrip_data();
    void shiftRoundTrip();
    void changedShiftGetsNumberedName();
    void pairwiseShiftsAreNeverShared();
    void shiftTypeStoredOnlyWithAValidCode();
    void shiftFailuresWriteNothing_data();
    void shiftFailuresWriteNothing();
    void faultsRefusedAlthoughAnEqualShiftIsStored_data();
    void faultsRefusedAlthoughAnEqualShiftIsStored();
    void shiftReadFailsWithoutItsUnit();
    void datumRoundTrip_data();
    void datumRoundTrip();
    void datumAsCopyReusesLinksAndOwnsNewRecords();
    void findTakesTheLowestKey();
    void datumFailuresWriteNothing_data();
    void datumFailuresWriteNothing();
    void datumReadFailures_data();
    void datumReadFailures();
};

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

void TestDatumStorage::shiftRoundTrip_data()
{
    QTest::addColumn<CDatumShiftDetails>("shift");

    QTest::newRow("seven parameters in three units") << pulkovoToWgs84();
    CDatumShiftDetails threeParameters = pulkovoToWgs84();
    threeParameters.type = 1;
    threeParameters.datumShiftType.setCode(1);
    threeParameters.rotationX.clear();
    threeParameters.rotationY.clear();
    threeParameters.rotationZ.clear();
    threeParameters.scaleChange.clear();
    threeParameters.angleUnit.reset();
    threeParameters.scaleUnit.reset();
    threeParameters.epsgCode = 1267;
    QTest::newRow("three parameters, one unit") << threeParameters;
    CDatumShiftDetails emptyTranslation = pulkovoToWgs84();
    emptyTranslation.translationZ.clear();
    emptyTranslation.exact = true;
    emptyTranslation.conventionCode = 2;
    QTest::newRow("empty translation") << emptyTranslation;
    QTest::newRow("pairwise") << pairwiseShift(QStringLiteral("SK42-SK95"));
    for (const QString& name : awkwardNames()) {
        CDatumShiftDetails named = pulkovoToWgs84();
        named.name = name;
        named.description = name;
        QTest::newRow(qPrintable(name)) << named;
    }
}

void TestDatumStorage::shiftRoundTrip()
{
    QFETCH(CDatumShiftDetails, shift);
    const int key = insertDatumShiftDetails(shift, false, NoValue);
    QVERIFY(key != NoValue);

    CDatumShiftDetails read;
    QVERIFY(readDatumShiftDetails(key, read));
    QVERIFY(read == shift);
    QCOMPARE(read.translationZ, shift.translationZ);
    QCOMPARE(read.datumShiftType.name, QString::fromStdString(datumShiftTypeName(shift.type)));
    QVERIFY(CTestDatabase::value(QStringLiteral("SELECT datum FROM datumshift;")).isNull());

    const auto before = rowCounts();
    if (shift.identifier.isEmpty())
        QCOMPARE(insertDatumShiftDetails(shift, false, NoValue), key);
    QCOMPARE(rowCounts(), before);
}

void TestDatumStorage::changedShiftGetsNumberedName()
{
    const CDatumShiftDetails shift = pulkovoToWgs84();
    const int key = insertDatumShiftDetails(shift, false, NoValue);
    CDatumShiftDetails changed = shift;
    changed.translationX = QStringLiteral("23.92");
    const int changedKey = insertDatumShiftDetails(changed, false, NoValue);
    QVERIFY(changedKey != NoValue && changedKey != key);

    CDatumShiftDetails read;
    QVERIFY(readDatumShiftDetails(changedKey, read));
    QCOMPARE(read.name, shift.name + QStringLiteral("[1]"));
    QCOMPARE(storedRows(TableUnitLength), 1);

    CDatumShiftDetails numbered = changed;
    numbered.name = shift.name + QStringLiteral("[7]");
    QCOMPARE(findDatumShiftDetails(numbered), changedKey);
    QCOMPARE(findDatumShiftDetails(shift), key);
    CDatumShiftDetails close = shift;
    close.translationX = QStringLiteral("23.5700001");
    QCOMPARE(findDatumShiftDetails(close), key);
}

void TestDatumStorage::pairwiseShiftsAreNeverShared()
{
    const CDatumShiftDetails shift = pairwiseShift(QStringLiteral("SK42-SK95"));
    const int first = insertDatumShiftDetails(shift, false, 5);
    const int second = insertDatumShiftDetails(shift, false, 6);
    QVERIFY(first != NoValue && second != NoValue && first != second);
    QCOMPARE(findDatumShiftDetails(shift), int(NoValue));
    QCOMPARE(CTestDatabase::column(QStringLiteral("SELECT datum FROM datumshift ORDER BY autokey;")),
             (QVariantList{5, 6}));
}

void TestDatumStorage::shiftTypeStoredOnlyWithAValidCode()
{
    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM datumshifttype WHERE code=2;")));
    CDatumShiftDetails unknownType = pulkovoToWgs84();
    unknownType.type = 9;
    unknownType.datumShiftType.code = 9;
    QVERIFY(insertDatumShiftDetails(unknownType, true, NoValue) != NoValue);
    QCOMPARE(storedRows(TableDatumShiftType), 4);

    const int key = insertDatumShiftDetails(pulkovoToWgs84(), true, NoValue);
    QCOMPARE(storedRows(TableDatumShiftType), 5);
    CDatumShiftDetails read;
    QVERIFY(readDatumShiftDetails(key, read));
    QCOMPARE(read.datumShiftType.name, QString::fromStdString(datumShiftTypeName(2)));
}

void TestDatumStorage::shiftFailuresWriteNothing_data()
{
    QTest::addColumn<CDatumShiftDetails>("shift");
    QTest::addColumn<int>("failingTable");

    QTest::newRow("shift row fails after its new units") << pulkovoToWgs84() << int(TableDatumShift);
    QTest::newRow("scale unit fails after the others") << pulkovoToWgs84() << int(TableUnitScale);
    CDatumShiftDetails noType = pulkovoToWgs84();
    noType.type = 0;
    QTest::newRow("no type") << noType << 0;
    CDatumShiftDetails otherTypeRecord = pulkovoToWgs84();
    otherTypeRecord.type = 3;
    otherTypeRecord.datumShiftType.setCode(4);
    QTest::newRow("type record of another type") << otherTypeRecord << 0;
    CDatumShiftDetails swappedUnits = pulkovoToWgs84();
    std::swap(swappedUnits.angleUnit, swappedUnits.scaleUnit);
    QTest::newRow("units in each other's places") << swappedUnits << 0;
    CDatumShiftDetails badUnit = pulkovoToWgs84();
    badUnit.angleUnit = std::make_shared<CUnitDetails>(*badUnit.angleUnit);
    badUnit.angleUnit->factorC.clear();
    QTest::newRow("unit that cannot be stored") << badUnit << 0;
    CDatumShiftDetails unreadable = pulkovoToWgs84();
    unreadable.rotationY = QStringLiteral("1,5");
    QTest::newRow("parameter that its unit does not read") << unreadable << 0;
}

// A shift whose parameter its unit does not read, or whose type record contradicts its type, is
// refused also when an equal shift (as the parameters compare) is stored, alone or in a datum.
void TestDatumStorage::faultsRefusedAlthoughAnEqualShiftIsStored_data()
{
    QTest::addColumn<CDatumShiftDetails>("shift");
    QTest::addColumn<QString>("reason");
    for (const char* text : {"1,5", "nan", "1e309", "1e-400", "12 30"}) {
        CDatumShiftDetails shift = pulkovoToWgs84();
        shift.rotationX = QString::fromLatin1(text);
        QTest::addRow("rotation %s", text)
            << shift
            << QStringLiteral("Параметр «Поворот вокруг оси X» преобразования датума «СК-42 - WGS 84»: «%1» не является "
                              "числом в единице «%2»")
                   .arg(shift.rotationX, arcSecond()->name);
    }
}

void TestDatumStorage::faultsRefusedAlthoughAnEqualShiftIsStored()
{
    QFETCH(CDatumShiftDetails, shift);
    QFETCH(QString, reason);
    QVERIFY(insertDatumShiftDetails(pulkovoToWgs84(), false, NoValue) != NoValue);
    CDatumDetails datum = pulkovo();
    datum.datumShift = std::make_shared<CDatumShiftDetails>(pulkovoToWgs84());
    QVERIFY(insertDatumDetails(datum, false) != NoValue);
    const QMap<QString, int> before = rowCounts();
    // The stored shift compares equal: the text reads as 0.
    QVERIFY(shift == pulkovoToWgs84());

    QString error;
    QCOMPARE(insertDatumShiftDetails(shift, false, NoValue, &error), int(NoValue));
    QCOMPARE(error, reason);
    datum.datumShift = std::make_shared<CDatumShiftDetails>(shift);
    error.clear();
    QCOMPARE(insertDatumDetails(datum, false, &error), int(NoValue));
    QCOMPARE(error, reason);
    CDatumDetails pairwise = pulkovo();
    pairwise.pairwiseDatumShifts.begin()->second->translationX = shift.rotationX;
    error.clear();
    QCOMPARE(insertDatumDetails(pairwise, false, &error), int(NoValue));
    QVERIFY2(error.contains(QStringLiteral("«%1» не является числом").arg(shift.rotationX)), qPrintable(error));
    QCOMPARE(rowCounts(), before);
}

void TestDatumStorage::shiftFailuresWriteNothing()
{
    QFETCH(CDatumShiftDetails, shift);
    QFETCH(int, failingTable);
    verifyInsertFails([&](QString* error) { return insertDatumShiftDetails(shift, false, NoValue, error); },
                      failingTable);
}

void TestDatumStorage::shiftReadFailsWithoutItsUnit()
{
    const int key = insertDatumShiftDetails(pulkovoToWgs84(), false, NoValue);
    QVERIFY(CTestDatabase::exec(QStringLiteral("UPDATE datumshift SET type=8;")));
    CDatumShiftDetails read;
    QVERIFY(readDatumShiftDetails(key, read));
    QCOMPARE(read.type, 8);
    QVERIFY(!read.datumShiftType.isValid());

    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM unitscale;")));
    CDatumShiftDetails withoutUnit;
    QVERIFY(!readDatumShiftDetails(key, withoutUnit));
    QVERIFY(!readDatumShiftDetails(key + 1, withoutUnit));
}

void TestDatumStorage::datumRoundTrip_data()
{
    QTest::addColumn<CDatumDetails>("datum");

    QTest::newRow("with links, shifts and lists") << pulkovo();
    CDatumDetails bare;
    bare.name = QStringLiteral("Местный");
    QTest::newRow("name only") << bare;
    CDatumDetails twoPairwise = pulkovo();
    twoPairwise.mapinfoCode = 1001;
    twoPairwise.pairwiseDatumShifts[QStringLiteral("SK42-GSK")]
        = std::make_shared<CDatumShiftDetails>(pairwiseShift(QStringLiteral("SK42-GSK")));
    QTest::newRow("two pairwise shifts, MapInfo code") << twoPairwise;
    for (const QString& name : awkwardNames()) {
        CDatumDetails named = pulkovo();
        named.name = name;
        named.shortName = name.left(16);
        QTest::newRow(qPrintable(name)) << named;
    }
}

void TestDatumStorage::datumRoundTrip()
{
    QFETCH(CDatumDetails, datum);
    const int key = insertDatumDetails(datum, false);
    QVERIFY(key != NoValue);

    CDatumDetails read;
    QVERIFY(readDatumDetails(key, read));
    QVERIFY(read == datum);
    QCOMPARE(read.pairwiseDatumShifts.size(), datum.pairwiseDatumShifts.size());
    QCOMPARE(read.geographicDatumShifts.keys(), datum.geographicDatumShifts.keys());
    QCOMPARE(read.verticalDatumShifts.keys(), datum.verticalDatumShifts.keys());

    const auto before = rowCounts();
    QCOMPARE(insertDatumDetails(datum, false), key);
    QCOMPARE(rowCounts(), before);
}

void TestDatumStorage::datumAsCopyReusesLinksAndOwnsNewRecords()
{
    const CDatumDetails datum = pulkovo();
    const int key = insertDatumDetails(datum, false);
    const auto before = rowCounts();
    const int copy = insertDatumDetails(datum, true);
    QVERIFY(copy != NoValue && copy != key);
    const auto after = rowCounts();

    QCOMPARE(after.value(tableName(TableDatum)), before.value(tableName(TableDatum)) + 1);
    QCOMPARE(after.value(tableName(TableEllipsoid)), before.value(tableName(TableEllipsoid)));
    QCOMPARE(after.value(tableName(TableDatumShift)), before.value(tableName(TableDatumShift)) + 1);
    QCOMPARE(after.value(tableName(TableTransformList)), before.value(tableName(TableTransformList)) + 2);
    QCOMPARE(after.value(tableName(TableUnitLength)), before.value(tableName(TableUnitLength)));

    CDatumDetails read;
    QVERIFY(readDatumDetails(copy, read));
    QCOMPARE(read.name, datum.name + QStringLiteral("[1]"));
    QVERIFY(*read.datumShift == *datum.datumShift);
    QVERIFY(*read.pairwiseDatumShifts.begin()->second == *datum.pairwiseDatumShifts.begin()->second);
    QCOMPARE(read.geographicDatumShifts.keys(), datum.geographicDatumShifts.keys());
    QCOMPARE(read.verticalDatumShifts.keys(), datum.verticalDatumShifts.keys());
    QCOMPARE(CTestDatabase::value(QStringLiteral("SELECT COUNT(DISTINCT datum_shift) FROM datum;")).toInt(),
             1);
}

void TestDatumStorage::findTakesTheLowestKey()
{
    CDatumDetails datum = pulkovo();
    datum.geographicDatumShifts.clear();
    datum.verticalDatumShifts.clear();
    QVERIFY(CTestDatabase::exec(QStringLiteral("INSERT INTO datum (autokey, name) VALUES (50, ?);"),
                                {datum.name + QStringLiteral("[4]")}));
    const int first = insertDatumDetails(datum, true);
    const int second = insertDatumDetails(datum, true);
    QVERIFY(first < second);
    QVERIFY(CTestDatabase::exec(QStringLiteral("UPDATE datum SET autokey=100 WHERE autokey=?;"), {first}));
    QVERIFY(CTestDatabase::exec(QStringLiteral("UPDATE datumshift SET datum=100 WHERE datum=?;"), {first}));
    QCOMPARE(findDatumDetails(datum), second);
}

void TestDatumStorage::datumFailuresWriteNothing_data()
{
    QTest::addColumn<CDatumDetails>("datum");
    QTest::addColumn<int>("failingTable");

    QTest::newRow("vertical list fails after everything else") << pulkovo() << int(TableTransformParamValue);
    QTest::newRow("datum row fails after its links") << pulkovo() << int(TableDatum);
    QTest::newRow("ellipsoid fails after the shift") << pulkovo() << int(TableEllipsoid);
    CDatumDetails noIdentifier = pulkovo();
    noIdentifier.pairwiseDatumShifts.begin()->second
        = std::make_shared<CDatumShiftDetails>(pairwiseShift(QString()));
    QTest::newRow("pairwise shift without identifier") << noIdentifier << 0;
    CDatumDetails wrongScope = pulkovo();
    wrongScope.verticalDatumShifts[QStringLiteral("MSK50")] = wrongScope.geographicDatumShifts.first();
    QTest::newRow("horizontal list among the vertical ones") << wrongScope << 0;
    CDatumDetails unnamed = pulkovo();
    unnamed.name.clear();
    QTest::newRow("no name") << unnamed << 0;
}

void TestDatumStorage::datumFailuresWriteNothing()
{
    QFETCH(CDatumDetails, datum);
    QFETCH(int, failingTable);
    const QString condition
        = failingTable == TableTransformParamValue ? QStringLiteral("NEW.param = 7") : QString();
    verifyInsertFails([&](QString* error) { return insertDatumDetails(datum, false, error); }, failingTable,
                      condition);
}

void TestDatumStorage::datumReadFailures_data()
{
    QTest::addColumn<QString>("damage");

    QTest::newRow("ellipsoid deleted") << "DELETE FROM ellipsoid;";
    QTest::newRow("shift to WGS 84 deleted") << "DELETE FROM datumshift WHERE datum IS NULL;";
    QTest::newRow("pairwise shift without identifier")
        << "UPDATE datumshift SET identifier=' ' WHERE datum=1;";
    QTest::newRow("pairwise shift unreadable") << "UPDATE datumshift SET type=0 WHERE datum=1;";
    QTest::newRow("vertical list unreadable") << "UPDATE transform SET type=0 WHERE type=3;";
    QTest::newRow("horizontal list without identifier")
        << "UPDATE transformlist SET identifier=NULL WHERE scope=3;";
    QTest::newRow("no name") << "UPDATE datum SET name='';";
}

void TestDatumStorage::datumReadFailures()
{
    QFETCH(QString, damage);
    QCOMPARE(insertDatumDetails(pulkovo(), false), 1);
    CDatumDetails read;
    QVERIFY(readDatumDetails(1, read));
    QVERIFY(CTestDatabase::exec(damage));
    CDatumDetails damaged;
    QVERIFY(!readDatumDetails(1, damaged));
    QCOMPARE(findDatumDetails(pulkovo()), int(NoValue));
}

QTEST_MAIN(TestDatumStorage)
#include "test_datumstorage.moc"
