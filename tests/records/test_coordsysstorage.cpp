#include "definitionfixtures.h"
#include "recordfixtures.h"
#include "storagefixture.h"

#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"
#include "records/detailsdocument.h"
#include "records/ellipsoidstorage.h"
#include "records/primemeridianstorage.h"
#include "records/transformliststorage.h"
#include "records/wkt/wktparser.h"

#include "database/codetablestypes.h"
#include "database/tablecatalogue.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(CCoordSysDetails)

namespace {

std::shared_ptr<CPrimeMeridianDetails> storedGreenwich()
{
    auto meridian = std::make_shared<CPrimeMeridianDetails>(greenwich());
    meridian->unit = storedFormatDegree();
    return meridian;
}

// A transform list whose list and transform names no other row holds.
std::shared_ptr<CTransformListDetails> ownList(int scope, const QString& identifier)
{
    auto list = std::make_shared<CTransformListDetails>(withStoredDefinitions(transformList(scope, identifier)));
    list->name = QStringLiteral("Собственный список %1").arg(scope);
    for (CTransformDetails& transform : list->transforms)
        transform.name = QStringLiteral("Собственное преобразование %1").arg(scope);
    return list;
}

CCoordSysDetails system(int type, const QString& name)
{
    CCoordSysDetails record;
    record.name = name;
    record.type = type;
    record.coordSysType.setCode(type);
    return record;
}

CCoordSysDetails wgs84Geodetic()
{
    CCoordSysDetails record = system(CoordSysGeodetic, QStringLiteral("WGS 84 (географические)"));
    record.primeMeridian = storedGreenwich();
    record.angleUnit = storedFormatDegree();
    record.heightUnit = metre();
    record.coord1Abbr = QStringLiteral("B");
    record.coord2Abbr = QStringLiteral("L");
    record.epsgCode = 4326;
    return record;
}

// Gauss-Kruger zone 7 on Pulkovo 1942 with every kind of link: its own transform list, a
// pairwise list and a vertical system.
CCoordSysDetails gaussKruger7()
{
    CCoordSysDetails record = system(CoordSysProjected, QStringLiteral("СК-42, зона 7"));
    record.description = QStringLiteral("Гаусс-Крюгер");
    record.shortName = QStringLiteral("СК-42/7");
    record.datum = std::make_shared<CDatumDetails>(datumFromFile(QStringLiteral("pulkovo1942.xml")));
    for (auto* lists : {&record.datum->geographicDatumShifts, &record.datum->verticalDatumShifts}) {
        for (auto& list : *lists)
            list = std::make_shared<CTransformListDetails>(withStoredDefinitions(*list));
    }
    record.primeMeridian = storedGreenwich();
    CMapProjDetails projection = gaussKrugerZone7();
    projection.angleUnit = storedFormatDegree();
    projection.swapCoords = 1;
    record.mapProjection = std::make_shared<CMapProjDetails>(projection);
    record.swapCoords = true;
    record.lengthUnit = metre();
    record.heightUnit = metre();
    record.coord1Abbr = QStringLiteral("X");
    record.coord2Abbr = QStringLiteral("Y");
    record.coord3Abbr = QStringLiteral("H");
    record.coord1Desc = QStringLiteral("Север");
    record.epsgCode = 28407;
    record.transformList = ownList(1, QString());
    record.pairwiseTransforms.insert(QStringLiteral("MSK50"), ownList(2, QStringLiteral("MSK50")));
    auto vertical = std::make_shared<CVertCoordSysDetails>();
    vertical->name = QStringLiteral("Балтийская 1977");
    vertical->geoidId = QStringLiteral("EGM2008");
    vertical->transformList = ownList(4, QStringLiteral("BSV"));
    record.vertCoordSys = vertical;
    return record;
}

CCoordSysDetails topocentric()
{
    CCoordSysDetails record = system(CoordSysTopocentric, QStringLiteral("Площадка"));
    record.originCoord1 = QStringLiteral("55 45 00");
    record.originCoord2 = QStringLiteral("37 37 00");
    record.originCoord3 = QStringLiteral("150");
    record.originAngleUnit = storedFormatDegree();
    record.originLengthUnit = metre();
    record.azimuth = QStringLiteral("12 30 00");
    record.azimuthUnit = storedFormatDegree(3);
    record.positiveLongitude = true;
    record.lengthUnit = metre();
    return record;
}

CCoordSysDetails fromWktFile(const QString& name)
{
    QFile file(QStringLiteral(TESTDATA_DIR "/wkt/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    CCoordSysDetails record;
    record.fromWkt(parseWkt(QString::fromUtf8(file.readAll())).get());
    return record;
}

CCoordSysDetails readBack(const CCoordSysDetails& record)
{
    CCoordSysDetails copy;
    readXml(copy, xmlText(record, QStringLiteral("coordsys")));
    return copy;
}

int stored(const CCoordSysDetails& record, bool alwaysInsert = false, bool* found = nullptr)
{
    QString error;
    const int key = insertCoordSysDetails(record, alwaysInsert, found, &error);
    if (key == NoValue)
        qWarning("not stored: %s", qPrintable(error));
    return key;
}

// Rows changed on the connection so far.
int changes()
{
    return CTestDatabase::value(QStringLiteral("SELECT total_changes();")).toInt();
}

// The key under which the coordinate system of the exchange file is stored, as an import of
// the file stores it; NoValue when the file holds none or it is not stored.
int importedFrom(const QString& path, bool* found)
{
    QList<QDomElement> elements;
    CCoordSysDetails record;
    if (!readDetailsElements(path, record.kindName(), elements) || elements.size() != 1
        || !record.fromXml(elements.first()))
        return NoValue;
    return stored(record, false, found);
}

} // namespace

class TestCoordSysStorage : public CStorageTestCase
{
    Q_OBJECT

private slots:
    void typesFoundByCode();
    void typeStoredWhenItsCodeIsFree();
    void roundTrip_data();
    void roundTrip();
    void missingLinksWriteNull();
    void importedTwiceFromWktAndXml_data();
    void importedTwiceFromWktAndXml();
    void codeTableTextsOfTheFileDoNotMatter_data();
    void codeTableTextsOfTheFileDoNotMatter();
    void systemsOnOneDatumShareItsRow();
    void duplicateMakesOwnedRowsAndReusesLinked();
    void readMissingKeyLeavesRecord();
    void readFailsWithoutLinkedRecord_data();
    void readFailsWithoutLinkedRecord();
    void pairwiseListsByIdentifier();
    void namesTakenByOtherRows_data();
    void namesTakenByOtherRows();
    void failuresWriteNothing_data();
    void failuresWriteNothing();
    void faultsRefusedAlthoughAnEqualSystemIsStored_data();
    void faultsRefusedAlthoughAnEqualSystemIsStored();
};

void TestCoordSysStorage::typesFoundByCode()
{
    CCoordSysTypeDetails type;
    QVERIFY(readCoordSysTypeDetails(CoordSysProjected, type));
    CCoordSysTypeDetails builtIn;
    builtIn.setCode(CoordSysProjected);
    QVERIFY(type == builtIn);

    const auto before = rowCounts();
    type.name = QStringLiteral("Другое название");
    QCOMPARE(findCoordSysTypeDetails(type), int(CoordSysProjected));
    QCOMPARE(insertCoordSysTypeDetails(type), int(CoordSysProjected));
    type.code = 2;
    QCOMPARE(findCoordSysTypeDetails(type), int(NoValue));
    QString error;
    QCOMPARE(insertCoordSysTypeDetails(type, &error), int(NoValue));
    QVERIFY(!error.isEmpty());
    QCOMPARE(rowCounts(), before);

    CCoordSysTypeDetails untouched;
    untouched.name = QStringLiteral("как было");
    QVERIFY(!readCoordSysTypeDetails(2, untouched));
    QCOMPARE(untouched.name, QStringLiteral("как было"));
}

void TestCoordSysStorage::typeStoredWhenItsCodeIsFree()
{
    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM coordsystype WHERE code=6;")));
    CCoordSysTypeDetails type;
    type.setCode(CoordSysTopocentric);
    type.name = QStringLiteral("Д'Аламбер \"%1\"");
    QCOMPARE(insertCoordSysTypeDetails(type), int(CoordSysTopocentric));
    CCoordSysTypeDetails read;
    QVERIFY(readCoordSysTypeDetails(CoordSysTopocentric, read));
    QVERIFY(read == type);
}

void TestCoordSysStorage::roundTrip_data()
{
    QTest::addColumn<CCoordSysDetails>("record");

    QTest::newRow("projected with every kind of link") << gaussKruger7();
    QTest::newRow("geodetic") << wgs84Geodetic();
    QTest::newRow("topocentric") << topocentric();
    for (const QString& name : awkwardNames()) {
        CCoordSysDetails awkward = wgs84Geodetic();
        awkward.name = name;
        awkward.description = name;
        awkward.coord1Abbr = name.left(16);
        QTest::newRow(qPrintable(name)) << awkward;
    }
}

void TestCoordSysStorage::roundTrip()
{
    QFETCH(CCoordSysDetails, record);
    QVERIFY(record.isValid());
    bool found = true;
    const int key = stored(record, false, &found);
    QVERIFY(key != NoValue);
    QVERIFY(!found);

    CCoordSysDetails read;
    QVERIFY(readCoordSysDetails(key, read));
    QVERIFY(read == record);
    QCOMPARE(read.name, record.name);
    QCOMPARE(read.pairwiseTransforms.keys(), record.pairwiseTransforms.keys());
    QCOMPARE(findCoordSysDetails(record), key);

    const int before = changes();
    QCOMPARE(stored(record, false, &found), key);
    QVERIFY(found);
    QCOMPARE(stored(read), key);
    QCOMPARE(changes(), before);
}

void TestCoordSysStorage::missingLinksWriteNull()
{
    CCoordSysDetails record = system(CoordSysGeocentric, QStringLiteral("Геоцентрическая"));
    const int key = stored(record);
    QVERIFY(key != NoValue);

    const QVariant nulls = CTestDatabase::value(
        QStringLiteral("SELECT datum IS NULL AND ellipsoid IS NULL AND prime_meridian IS NULL AND map_proj IS NULL "
                       "AND length_unit IS NULL AND height_unit IS NULL AND epsg IS NULL AND coord1_abbr IS NULL "
                       "AND azimuth IS NULL FROM coordsys WHERE autokey=?;"),
        {key});
    QCOMPARE(nulls.toInt(), 1);
}

void TestCoordSysStorage::importedTwiceFromWktAndXml_data()
{
    QTest::addColumn<QString>("file");

    QTest::newRow("geographic") << "geographic_wgs84.wkt";
    QTest::newRow("Gauss-Kruger, northing first") << "pulkovo_1942_gk_zone_7.wkt";
    QTest::newRow("UTM") << "utm_zone_33n.wkt";
}

void TestCoordSysStorage::importedTwiceFromWktAndXml()
{
    QFETCH(QString, file);
    const CCoordSysDetails record = fromWktFile(file);
    QVERIFY(record.isValid());
    bool found = true;
    const int key = stored(record, false, &found);
    QVERIFY(key != NoValue);
    QVERIFY(!found);
    const auto before = rowCounts();
    const int changed = changes();

    QCOMPARE(stored(fromWktFile(file), false, &found), key);
    QVERIFY(found);
    CCoordSysDetails read;
    QVERIFY(readCoordSysDetails(key, read));
    found = false;
    QCOMPARE(stored(readBack(read), false, &found), key);
    QVERIFY(found);
    QCOMPARE(rowCounts(), before);
    QCOMPARE(changes(), changed);
}

void TestCoordSysStorage::codeTableTextsOfTheFileDoNotMatter_data()
{
    QTest::addColumn<CCoordSysDetails>("record");
    const auto changed = [](const auto& change) {
        CCoordSysDetails record = wgs84Geodetic();
        record.angleUnit = storedFormatDegree(AngleFormatDecimal);
        record.transformList = ownList(1, QString());
        change(record);
        return record;
    };
    QTest::newRow("angle format") << changed([](CCoordSysDetails& r) {
        r.angleUnit->angleFormat->name = QStringLiteral("Десятичные градусы");
    });
    QTest::newRow("transform type") << changed([](CCoordSysDetails& r) {
        r.transformList->transforms[0].transformType.name = QStringLiteral("Другое название");
        r.transformList->transforms[0].transformType.description = QStringLiteral("Другое описание");
    });
    QTest::newRow("coordinate system type") << changed([](CCoordSysDetails& r) {
        r.coordSysType.name = QStringLiteral("Географическая");
    });
}

// An exchange file whose code-table records carry other texts than the database's for their
// codes: imported twice, its system is stored once and nothing is stored under a new name.
void TestCoordSysStorage::codeTableTextsOfTheFileDoNotMatter()
{
    QFETCH(CCoordSysDetails, record);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("system.xml"));
    QVERIFY(writeDetailsDocument(path, record, record.kindName()));
    bool found = true;
    const int key = importedFrom(path, &found);
    QVERIFY(key != NoValue);
    QVERIFY(!found);
    const auto before = rowCounts();

    QCOMPARE(importedFrom(path, &found), key);
    QVERIFY(found);
    QCOMPARE(rowCounts(), before);
}

void TestCoordSysStorage::systemsOnOneDatumShareItsRow()
{
    const int geographic = stored(fromWktFile(QStringLiteral("geographic_wgs84.wkt")));
    const int utm33 = stored(fromWktFile(QStringLiteral("utm_zone_33n.wkt")));
    const int utm37 = stored(fromWktFile(QStringLiteral("utm_zone_37n.wkt")));
    QVERIFY(geographic != NoValue && utm33 != NoValue && utm37 != NoValue);
    QCOMPARE(QSet<int>({geographic, utm33, utm37}).size(), 3);

    const auto counts = rowCounts();
    QCOMPARE(counts["datum"], 1);
    QCOMPARE(counts["datumshift"], 1);
    QCOMPARE(counts["ellipsoid"], 1);
    QCOMPARE(counts["primemeridian"], 1);
    QCOMPARE(counts["mapproj"], 2);
    QCOMPARE(CTestDatabase::column(QStringLiteral("SELECT DISTINCT datum FROM coordsys;")).size(), 1);
}

void TestCoordSysStorage::duplicateMakesOwnedRowsAndReusesLinked()
{
    const CCoordSysDetails record = gaussKruger7();
    const int key = stored(record);
    const auto before = rowCounts();

    bool found = true;
    const int copy = stored(record, true, &found);
    QVERIFY(copy != NoValue && copy != key);
    QVERIFY(!found);
    QCOMPARE(CTestDatabase::value(QStringLiteral("SELECT name FROM coordsys WHERE autokey=?;"), {copy}).toString(),
             record.name + QStringLiteral("[1]"));

    auto after = rowCounts();
    QCOMPARE(after["coordsys"], before["coordsys"] + 1);
    QCOMPARE(after["transformlist"], before["transformlist"] + 2);
    for (const char* owned : {"coordsys", "transformlist", "transform", "transformparamvalue"})
        after[owned] = before[owned];
    QCOMPARE(after, before);

    CCoordSysDetails original;
    CCoordSysDetails read;
    QVERIFY(readCoordSysDetails(key, original));
    QVERIFY(readCoordSysDetails(copy, read));
    QVERIFY(*read.datum == *original.datum && *read.mapProjection == *original.mapProjection
            && *read.vertCoordSys == *original.vertCoordSys);
    QCOMPARE(read.transformList->name, record.transformList->name + QStringLiteral("[1]"));
    QCOMPARE(read.pairwiseTransforms.keys(), record.pairwiseTransforms.keys());
    QCOMPARE(findCoordSysDetails(record), key);
}

void TestCoordSysStorage::readMissingKeyLeavesRecord()
{
    CCoordSysDetails record = wgs84Geodetic();
    QVERIFY(!readCoordSysDetails(12345, record));
    QVERIFY(record == wgs84Geodetic());
    QCOMPARE(record.name, wgs84Geodetic().name);
}

void TestCoordSysStorage::readFailsWithoutLinkedRecord_data()
{
    QTest::addColumn<QString>("column");

    for (const char* column : {"datum", "prime_meridian", "map_proj", "transform_list", "vert_coordsys",
                               "height_unit"})
        QTest::newRow(column) << column;
}

void TestCoordSysStorage::readFailsWithoutLinkedRecord()
{
    QFETCH(QString, column);
    const CCoordSysDetails record = gaussKruger7();
    const int key = stored(record);
    QVERIFY(CTestDatabase::exec(QString("UPDATE coordsys SET %1=9999;").arg(column)));

    CCoordSysDetails read;
    QVERIFY(!readCoordSysDetails(key, read));
    QCOMPARE(read.name, record.name);
    QVERIFY(CTestDatabase::exec(QString("UPDATE coordsys SET %1=NULL;").arg(column)));
    QCOMPARE(readCoordSysDetails(key, read), column == "transform_list" || column == "vert_coordsys");
}

void TestCoordSysStorage::pairwiseListsByIdentifier()
{
    const int key = stored(gaussKruger7());
    CTransformListDetails later = *ownList(2, QStringLiteral("MSK50"));
    later.name = QStringLiteral("Позже добавленный");
    QVERIFY(TransformListStorage::InsertDetails(later, key, QStringLiteral("coordsys")) != NoValue);

    CCoordSysDetails read;
    QVERIFY(readCoordSysDetails(key, read));
    QCOMPARE(read.pairwiseTransforms.size(), 1);
    QCOMPARE(read.pairwiseTransforms.value(QStringLiteral("MSK50"))->name, later.name);

    QVERIFY(CTestDatabase::exec(QStringLiteral("UPDATE transformlist SET identifier='' WHERE name=?;"),
                                {later.name}));
    CCoordSysDetails withoutIdentifier;
    QVERIFY(!readCoordSysDetails(key, withoutIdentifier));
}

void TestCoordSysStorage::namesTakenByOtherRows_data()
{
    QTest::addColumn<QString>("taken");
    QTest::newRow("transform list and transform") << "transforms";
    QTest::newRow("ellipsoid") << "ellipsoid";
    QTest::newRow("prime meridian") << "meridian";
}

// A record stored under a numbered name reads back equal, is found again and is not
// stored again.
void TestCoordSysStorage::namesTakenByOtherRows()
{
    QFETCH(QString, taken);
    const CCoordSysDetails record = gaussKruger7();
    if (taken == "transforms") {
        CTransformListDetails other = *record.transformList;
        other.description = QStringLiteral("Другой список");
        QVERIFY(TransformListStorage::InsertDetails(other, NoValue, QString()) != NoValue);
    } else if (taken == "ellipsoid") {
        CEllipsoidDetails other = *record.datum->ellipsoid;
        other.majorSemiAxis = QStringLiteral("6378000");
        QVERIFY(EllipsoidStorage::InsertDetails(other, true) != NoValue);
    } else {
        CPrimeMeridianDetails other = *record.primeMeridian;
        other.longitude = QStringLiteral("2.337229167");
        QVERIFY(PrimeMeridianStorage::InsertDetails(other, true) != NoValue);
    }
    const int key = stored(record);
    QVERIFY(key != NoValue);
    CCoordSysDetails read;
    QVERIFY(readCoordSysDetails(key, read));
    QVERIFY(read == record);
    QCOMPARE(findCoordSysDetails(record), key);

    const auto before = rowCounts();
    bool found = false;
    QCOMPARE(stored(record, false, &found), key);
    QVERIFY(found);
    QCOMPARE(stored(read), key);
    QCOMPARE(rowCounts(), before);
}

void TestCoordSysStorage::failuresWriteNothing_data()
{
    QTest::addColumn<CCoordSysDetails>("record");
    QTest::addColumn<int>("failingTable");

    CCoordSysDetails noType = wgs84Geodetic();
    noType.type = 0;
    QTest::newRow("not valid") << noType << 0;
    CCoordSysDetails otherType = gaussKruger7();
    otherType.type = CoordSysGeodetic;
    QTest::newRow("projected type record, geodetic type") << otherType << 0;
    CCoordSysDetails otherCode = topocentric();
    otherCode.type = CoordSysGeodetic;
    QTest::newRow("type of another type record") << otherCode << 0;
    CCoordSysDetails badUnit = topocentric();
    badUnit.azimuthUnit = std::make_shared<CUnitDetails>(*badUnit.azimuthUnit);
    badUnit.azimuthUnit->factorB.clear();
    QTest::newRow("linked unit not valid") << badUnit << 0;
    QTest::newRow("coordinate system row fails") << gaussKruger7() << int(TableCoordSys);
    QTest::newRow("transform list rows fail") << gaussKruger7() << int(TableTransformList);
    QTest::newRow("projection values fail") << gaussKruger7() << int(TableMapProjParamValue);
}

void TestCoordSysStorage::failuresWriteNothing()
{
    QFETCH(CCoordSysDetails, record);
    QFETCH(int, failingTable);
    bool found = true;
    verifyInsertFails([&](QString* error) { return insertCoordSysDetails(record, false, &found, error); },
                      failingTable);
    QVERIFY(!found);
    verifyInsertFails([&](QString* error) { return insertCoordSysDetails(record, true, nullptr, error); });
}

void TestCoordSysStorage::faultsRefusedAlthoughAnEqualSystemIsStored_data()
{
    QTest::addColumn<CCoordSysDetails>("record");
    QTest::addColumn<QString>("reason");
    // The first transform of the list gets a type record of another code than its type.
    const auto contradicted = [](const std::shared_ptr<CTransformListDetails>& list) {
        auto copy = std::make_shared<CTransformListDetails>(*list);
        CTransformDetails& transform = copy->transforms[0];
        transform.transformType = transformType(transform.typeCode % 3 + 1);
        return copy;
    };
    const auto mismatch = [](const std::shared_ptr<CTransformListDetails>& list) {
        const CTransformDetails& transform = list->transforms.at(0);
        return QStringLiteral("Тип преобразования «%1» (%2) не совпадает с записью типа (%3)")
            .arg(transform.name)
            .arg(transform.typeCode)
            .arg(transform.transformType.code);
    };
    CCoordSysDetails ownList = gaussKruger7();
    ownList.transformList = contradicted(ownList.transformList);
    QTest::newRow("transform of its own list") << ownList << mismatch(ownList.transformList);
    CCoordSysDetails pairwise = gaussKruger7();
    pairwise.pairwiseTransforms.first() = contradicted(pairwise.pairwiseTransforms.first());
    QTest::newRow("transform of a pairwise list") << pairwise << mismatch(pairwise.pairwiseTransforms.first());
    CCoordSysDetails vertical = gaussKruger7();
    vertical.vertCoordSys = std::make_shared<CVertCoordSysDetails>(*vertical.vertCoordSys);
    vertical.vertCoordSys->transformList = contradicted(vertical.vertCoordSys->transformList);
    QTest::newRow("transform of the vertical system's list")
        << vertical << mismatch(vertical.vertCoordSys->transformList);
    for (const auto lists : {&CDatumDetails::geographicDatumShifts, &CDatumDetails::verticalDatumShifts}) {
        CCoordSysDetails datumList = gaussKruger7();
        datumList.datum = std::make_shared<CDatumDetails>(*datumList.datum);
        auto& list = ((*datumList.datum).*lists).first();
        list = contradicted(list);
        QTest::addRow("transform of a datum's list %s", lists == &CDatumDetails::geographicDatumShifts
                                                            ? "horizontal"
                                                            : "vertical")
            << datumList << mismatch(list);
    }
    CCoordSysDetails shift = gaussKruger7();
    shift.datum = std::make_shared<CDatumDetails>(*shift.datum);
    shift.datum->datumShift = std::make_shared<CDatumShiftDetails>(*shift.datum->datumShift);
    shift.datum->datumShift->rotationX = QStringLiteral("1e309");
    QTest::newRow("datum shift parameter beyond double")
        << shift
        << QStringLiteral("Параметр «Поворот вокруг оси X» преобразования датума «%1»: «1e309» не является числом "
                          "в единице «%2»")
               .arg(shift.datum->datumShift->name, shift.datum->datumShift->angleUnit->name);
}

// A system equal to a stored one as the records compare, whose transform's type record
// contradicts its type or whose datum shift parameter its unit does not read, is refused with
// the reason and is not found.
void TestCoordSysStorage::faultsRefusedAlthoughAnEqualSystemIsStored()
{
    QFETCH(CCoordSysDetails, record);
    QFETCH(QString, reason);
    const int key = stored(gaussKruger7());
    QVERIFY(key != NoValue);
    CCoordSysDetails read;
    QVERIFY(readCoordSysDetails(key, read));
    QVERIFY(record == read);
    const auto before = rowCounts();
    for (const bool alwaysInsert : {false, true}) {
        bool found = true;
        QString error;
        QCOMPARE(insertCoordSysDetails(record, alwaysInsert, &found, &error), int(NoValue));
        QVERIFY(!found);
        QCOMPARE(error, reason);
        QCOMPARE(rowCounts(), before);
    }
}

QTEST_MAIN(TestCoordSysStorage)
#include "test_coordsysstorage.moc"
