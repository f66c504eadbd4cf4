#include "definitionfixtures.h"
#include "recordfixtures.h"
#include "storagefixture.h"

#include "records/mapprojstorage.h"

#include "database/codetablesmapproj.h"
#include "database/tablecatalogue.h"

#include <QtTest>

Q_DECLARE_METATYPE(CMapProjDetails)

namespace {

// Gauss-Kruger zone 7 with units that a new database stores as they are.
CMapProjDetails zone7()
{
    CMapProjDetails projection = gaussKrugerZone7();
    projection.angleUnit = storedFormatDegree();
    return projection;
}

// Northing first, to the west and south, with the texts a projection row keeps.
CMapProjDetails westSouth()
{
    CMapProjDetails projection = zone7();
    projection.name = QStringLiteral("Юго-западная");
    projection.description = QStringLiteral("Оси на запад и юг");
    projection.coord1Abbr = QStringLiteral("X");
    projection.coord2Abbr = QStringLiteral("Y");
    projection.coord1Desc = QStringLiteral("Юг");
    projection.coord2Desc = QStringLiteral("Запад");
    projection.coord1Sign = -1;
    projection.coord2Sign = -1;
    projection.swapCoords = 1;
    projection.mapinfoCode = 8;
    return projection;
}

int insertedKey(const CMapProjDetails& projection, bool asCopy = false)
{
    QString error;
    const int key = MapProjStorage::InsertDetails(projection, asCopy, &error);
    if (key == NoValue)
        qWarning("not stored: %s", qPrintable(error));
    return key;
}

QVariant projectionName(int key)
{
    return CTestDatabase::value(QStringLiteral("SELECT name FROM mapproj WHERE autokey=?;"), {key});
}

} // namespace

class TestMapProjStorage : public CStorageTestCase
{
    Q_OBJECT

private slots:
    void typeAndParamRowsFoundByCode();
    void typeAndParamStoredWhenTheirCodeIsFree();
    void roundTrip_data();
    void roundTrip();
    void storedTypeIsKeptWhateverTheRecordSays();
    void asCopyAddsNumberedRowsAndReusesUnits();
    void findMatchesNumberedNames_data();
    void findMatchesNumberedNames();
    void readFailures_data();
    void readFailures();
    void unitColumnZeroIsNoUnit();
    void refusedProjectionsWriteNothing_data();
    void refusedProjectionsWriteNothing();
};

void TestMapProjStorage::typeAndParamRowsFoundByCode()
{
    CMapProjTypeDetails type;
    QVERIFY(MapProjStorage::ReadTypeDetails(MapProjGaussKruger, type));
    QCOMPARE(type.code, int(MapProjGaussKruger));
    QCOMPARE(type.name, QString::fromStdString(mapProjTypeName(MapProjGaussKruger)));
    QCOMPARE(type.swapCoords, 1);

    CMapProjParamDetails param;
    QVERIFY(MapProjStorage::ReadParamDetails(104, param));
    QCOMPARE(param.name, QString::fromStdString(projParamName(104)));
    QCOMPARE(param.valueKind, int(ParamValueScale));

    const auto before = rowCounts();
    type.name = QStringLiteral("Другое название");
    param.name = QStringLiteral("Другое название");
    QCOMPARE(MapProjStorage::FindTypeDetails(type), int(MapProjGaussKruger));
    QCOMPARE(MapProjStorage::InsertTypeDetails(type), int(MapProjGaussKruger));
    QCOMPARE(MapProjStorage::FindParamDetails(param), 104);
    QCOMPARE(MapProjStorage::InsertParamDetails(param), 104);
    QCOMPARE(rowCounts(), before);

    CMapProjTypeDetails untouched;
    untouched.name = QStringLiteral("как было");
    QVERIFY(!MapProjStorage::ReadTypeDetails(4, untouched));
    QCOMPARE(untouched.name, QStringLiteral("как было"));
    type.code = 4;
    param.code = 99;
    QCOMPARE(MapProjStorage::FindTypeDetails(type), int(NoValue));
    QCOMPARE(MapProjStorage::InsertTypeDetails(type), int(NoValue));
    QCOMPARE(MapProjStorage::InsertParamDetails(param), int(NoValue));
    QCOMPARE(rowCounts(), before);
}

void TestMapProjStorage::typeAndParamStoredWhenTheirCodeIsFree()
{
    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM mapprojtype WHERE code=1;")));
    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM mapprojparam WHERE code=104;")));
    CMapProjTypeDetails type;
    type.setCode(1);
    type.name = QStringLiteral("Д'Аламбер \"%1\"");
    type.coord1Sign = -1;
    type.mapinfoCode = NoValue;
    CMapProjParamDetails param;
    param.setCode(104);
    param.wktName = QStringLiteral("scale_factor");

    QCOMPARE(MapProjStorage::InsertTypeDetails(type), 1);
    QCOMPARE(MapProjStorage::InsertParamDetails(param), 104);
    CMapProjTypeDetails readType;
    QVERIFY(MapProjStorage::ReadTypeDetails(1, readType));
    QVERIFY(readType == type);
    CMapProjParamDetails readParam;
    QVERIFY(MapProjStorage::ReadParamDetails(104, readParam));
    QVERIFY(readParam == param);
    QCOMPARE(readParam.wktName, param.wktName);
}

void TestMapProjStorage::roundTrip_data()
{
    QTest::addColumn<CMapProjDetails>("projection");

    QTest::newRow("Gauss-Kruger zone 7") << zone7();
    QTest::newRow("west and south, northing first") << westSouth();
    CMapProjDetails noUnits = zone7();
    noUnits.lengthUnit.reset();
    noUnits.angleUnit.reset();
    noUnits.scaleUnit.reset();
    QTest::newRow("no units") << noUnits;
    for (const QString& name : awkwardNames()) {
        CMapProjDetails awkward = zone7();
        awkward.name = name;
        awkward.description = name;
        awkward.paramValues[5] = name;
        QTest::newRow(qPrintable(name)) << awkward;
    }
}

void TestMapProjStorage::roundTrip()
{
    QFETCH(CMapProjDetails, projection);
    const int key = insertedKey(projection);
    QVERIFY(key != NoValue);

    CMapProjDetails read;
    QVERIFY(MapProjStorage::ReadDetails(key, read));
    QVERIFY(read == projection);
    QCOMPARE(read.name, projection.name);
    QCOMPARE(read.coord1Desc, projection.coord1Desc);
    QCOMPARE(read.coord2Desc, projection.coord2Desc);
    QCOMPARE(read.params.keys(), projection.params.keys());
    QCOMPARE(read.mapProjType.name, QString::fromStdString(mapProjTypeName(1)));
    QCOMPARE(MapProjStorage::FindDetails(projection), key);

    const auto before = rowCounts();
    QCOMPARE(insertedKey(projection), key);
    QCOMPARE(insertedKey(read), key);
    QCOMPARE(rowCounts(), before);
}

void TestMapProjStorage::storedTypeIsKeptWhateverTheRecordSays()
{
    CMapProjDetails projection = zone7();
    projection.mapProjType.name = QStringLiteral("Своя поперечная Меркатора");
    projection.mapProjType.coord1Sign = -1;
    CMapProjDetails codeOnly = zone7();
    codeOnly.name = QStringLiteral("Только код типа");
    codeOnly.mapProjType.clear();
    codeOnly.mapProjType.code = 1;
    const auto before = rowCounts();

    QVERIFY(insertedKey(projection) != NoValue);
    const int key = insertedKey(codeOnly);
    QVERIFY(key != NoValue);
    QCOMPARE(rowCounts()["mapprojtype"], before["mapprojtype"]);
    CMapProjDetails read;
    QVERIFY(MapProjStorage::ReadDetails(key, read));
    QCOMPARE(read.mapProjType.name, QString::fromStdString(mapProjTypeName(1)));
}

void TestMapProjStorage::asCopyAddsNumberedRowsAndReusesUnits()
{
    const CMapProjDetails projection = westSouth();
    const int first = insertedKey(projection);
    const auto before = rowCounts();

    const int copy = insertedKey(projection, true);
    const int secondCopy = insertedKey(projection, true);
    QVERIFY(first < copy && copy < secondCopy);
    QCOMPARE(projectionName(copy).toString(), projection.name + QStringLiteral("[1]"));
    QCOMPARE(projectionName(secondCopy).toString(), projection.name + QStringLiteral("[2]"));
    auto after = rowCounts();
    QCOMPARE(after["mapproj"], before["mapproj"] + 2);
    QCOMPARE(after["mapprojparamvalue"], before["mapprojparamvalue"] + 10);
    after["mapproj"] = before["mapproj"];
    after["mapprojparamvalue"] = before["mapprojparamvalue"];
    QCOMPARE(after, before);

    CMapProjDetails read;
    QVERIFY(MapProjStorage::ReadDetails(copy, read));
    QVERIFY(read == projection);
    QCOMPARE(read.coord1Sign, -1);
    QCOMPARE(read.coord2Sign, -1);
    QCOMPARE(MapProjStorage::FindDetails(read), first);
}

void TestMapProjStorage::findMatchesNumberedNames_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("searched");
    QTest::addColumn<bool>("found");

    QTest::newRow("base name of a numbered row") << "UTM 37[2]" << "UTM 37" << true;
    QTest::newRow("other number") << "UTM 37[2]" << "UTM 37[7]" << true;
    QTest::newRow("numbered search, plain row") << "UTM 37" << "UTM 37[7]" << true;
    QTest::newRow("empty number") << "UTM 37[]" << "UTM 37" << true;
    QTest::newRow("underscore is no wildcard") << "UTMx37[1]" << "UTM_37" << false;
    QTest::newRow("percent in both") << "50% \"%1\"[4]" << "50% \"%1\"" << true;
}

void TestMapProjStorage::findMatchesNumberedNames()
{
    QFETCH(QString, stored);
    QFETCH(QString, searched);
    QFETCH(bool, found);
    CMapProjDetails projection = zone7();
    projection.name = stored;
    const int key = insertedKey(projection);
    QVERIFY(key != NoValue);

    projection.name = searched;
    QCOMPARE(MapProjStorage::FindDetails(projection), found ? key : int(NoValue));
}

void TestMapProjStorage::readFailures_data()
{
    QTest::addColumn<QString>("damage");

    QTest::newRow("no row") << "DELETE FROM mapproj;";
    QTest::newRow("unit missing") << "DELETE FROM unitscale;";
    QTest::newRow("parameter value missing") << "DELETE FROM mapprojparamvalue WHERE param=104;";
    QTest::newRow("parameter definition missing") << "DELETE FROM mapprojparam WHERE code=5;";
    QTest::newRow("no projection type code") << "UPDATE mapproj SET type=4;";
    QTest::newRow("no type") << "UPDATE mapproj SET type=0;";
}

void TestMapProjStorage::readFailures()
{
    QFETCH(QString, damage);
    const int key = insertedKey(zone7());
    QVERIFY(CTestDatabase::exec(damage));

    CMapProjDetails read = zone7();
    QVERIFY(!MapProjStorage::ReadDetails(key, read));
    QVERIFY(read.name.isEmpty());
    QVERIFY(read.paramValues.isEmpty());
    QCOMPARE(read.mapProjType.code, 0);
}

void TestMapProjStorage::unitColumnZeroIsNoUnit()
{
    const int key = insertedKey(zone7());
    QVERIFY(CTestDatabase::exec(QStringLiteral("UPDATE mapproj SET length_unit=0;")));

    CMapProjDetails read;
    QVERIFY(MapProjStorage::ReadDetails(key, read));
    QVERIFY(!read.lengthUnit);
    QVERIFY(read.angleUnit && read.scaleUnit);
}

void TestMapProjStorage::refusedProjectionsWriteNothing_data()
{
    QTest::addColumn<CMapProjDetails>("projection");
    QTest::addColumn<int>("failingTable");

    CMapProjDetails unnamed = zone7();
    unnamed.name.clear();
    QTest::newRow("not valid") << unnamed << 0;
    CMapProjDetails unknownType = zone7();
    unknownType.mapProjType.code = 4;
    QTest::newRow("no projection type code") << unknownType << 0;
    CMapProjDetails missingValue = zone7();
    missingValue.paramValues.remove(104);
    QTest::newRow("parameter of the type without value") << missingValue << 0;
    CMapProjDetails badUnit = zone7();
    badUnit.scaleUnit = std::make_shared<CUnitDetails>(*badUnit.scaleUnit);
    badUnit.scaleUnit->factorC = QStringLiteral("0");
    QTest::newRow("unit not valid") << badUnit << 0;
    QTest::newRow("projection row fails") << zone7() << int(TableMapProj);
    QTest::newRow("parameter value row fails") << zone7() << int(TableMapProjParamValue);
}

void TestMapProjStorage::refusedProjectionsWriteNothing()
{
    QFETCH(CMapProjDetails, projection);
    QFETCH(int, failingTable);
    verifyInsertFails([&](QString* error) { return MapProjStorage::InsertDetails(projection, false, error); },
                      failingTable);
    verifyInsertFails([&](QString* error) { return MapProjStorage::InsertDetails(projection, true, error); });
}

QTEST_MAIN(TestMapProjStorage)
#include "test_mapprojstorage.moc"
