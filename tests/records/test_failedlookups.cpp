// A lookup that a store makes and whose statement fails (reads of one table denied, as a
// database held by another program denies them) stops the store with the database's reason
// and writes nothing, instead of being taken for "none found".
#include "definitionfixtures.h"
#include "failingreads.h"
#include "storagefixture.h"

#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"
#include "records/coordsystypedetails.h"
#include "records/recordstorage.h"
#include "records/transformliststorage.h"
#include "records/transformstorage.h"
#include "records/wkt/wktparser.h"

#include "database/codetablestypes.h"

#include <QFile>
#include <QtTest>

namespace {

const QString readFailure = QStringLiteral("Ошибка чтения базы данных: ");

CCoordSysDetails gaussKruger7()
{
    QFile file(QStringLiteral(TESTDATA_DIR "/wkt/pulkovo_1942_gk_zone_7.wkt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data pulkovo_1942_gk_zone_7.wkt");
    CCoordSysDetails record;
    record.fromWkt(parseWkt(QString::fromUtf8(file.readAll())).get());
    return record;
}

// The store's result and reason while the reads are denied.
int storedWithReadsDenied(const QStringList& reads, const std::function<int(QString*)>& store, QString& error)
{
    const CDeniedReads denied(reads);
    if (!denied.isActive())
        qFatal("reads cannot be denied");
    return store(&error);
}

} // namespace

class TestFailedLookups : public CStorageTestCase
{
    Q_OBJECT

private slots:
    void equalSearch_data();
    void equalSearch();
    void systemStoredAgain_data();
    void systemStoredAgain();
    void codeRecord_data();
    void codeRecord();
    void parameterValueOfAStoredCode();
};

void TestFailedLookups::equalSearch_data()
{
    QTest::addColumn<bool>("statementFails");
    QTest::addColumn<int>("found");
    QTest::addColumn<int>("reads");

    QTest::newRow("a row that does not read is passed over") << false << int(CoordSysProjected) << 2;
    QTest::newRow("a read whose statement fails ends the search") << true << int(NoValue) << 1;
}

// The first candidate does not read; the second equals the record.
void TestFailedLookups::equalSearch()
{
    QFETCH(bool, statementFails);
    QFETCH(int, found);
    QFETCH(int, reads);
    CCoordSysTypeDetails type;
    type.setCode(CoordSysProjected);
    int calls = 0;
    const auto read = [&](int code, CCoordSysTypeDetails& stored) {
        ++calls;
        if (code != 0)
            return readCoordSysTypeDetails(code, stored);
        if (statementFails)
            CTestDatabase::exec(QStringLiteral("SELECT code FROM nosuchtable;"));
        return false;
    };
    const CStatementWatch watch;
    QCOMPARE(RecordStorage::firstEqual(QVector<int>{0, CoordSysProjected}, type, read), found);
    QCOMPARE(calls, reads);
    QCOMPARE(watch.failed(), statementFails);
}

void TestFailedLookups::systemStoredAgain_data()
{
    QTest::addColumn<QStringList>("denied");
    QTest::addColumn<bool>("alwaysInsert");
    QTest::addColumn<bool>("refused");

    // The find's statement reads keys, a unique name only names, a candidate's read every column.
    QTest::newRow("the system's find") << QStringList{"coordsys.autokey"} << false << true;
    QTest::newRow("type read with a candidate, then the type's code") << QStringList{"coordsystype"} << false << true;
    QTest::newRow("ellipsoid of a candidate's datum") << QStringList{"ellipsoid.a"} << false << true;
    QTest::newRow("parameter values of a candidate's projection") << QStringList{"mapprojparamvalue"} << false
                                                                    << true;
    QTest::newRow("unique name of a copy") << QStringList{"coordsys.name"} << true << true;
    QTest::newRow("a table that no lookup reads") << QStringList{"vertcoordsys"} << false << false;
}

// The system stored once is stored again: a lookup that fails refuses it with the
// database's reason; one that runs finds the stored system.
void TestFailedLookups::systemStoredAgain()
{
    QFETCH(QStringList, denied);
    QFETCH(bool, alwaysInsert);
    QFETCH(bool, refused);
    const CCoordSysDetails record = gaussKruger7();
    QString error;
    const int key = insertCoordSysDetails(record, false, nullptr, &error);
    QVERIFY2(key != NoValue, qPrintable(error));
    const auto before = rowCounts();

    bool found = false;
    const int again = storedWithReadsDenied(
        denied, [&](QString* reason) { return insertCoordSysDetails(record, alwaysInsert, &found, reason); },
        error);
    QCOMPARE(rowCounts(), before);
    if (!refused) {
        QCOMPARE(again, key);
        QVERIFY(found);
        return;
    }
    QCOMPARE(again, int(NoValue));
    QVERIFY(!found);
    const QString table = denied.first().section('.', 0, 0);
    QVERIFY2(error.startsWith(readFailure + "access to " + table + "."), qPrintable(error));
}

void TestFailedLookups::codeRecord_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("denied");

    // A stored code is the answer whatever the record's texts; topocentric is no row's code.
    QTest::newRow("the code's find, for a record without a name")
        << int(CoordSysProjected) << QString() << "coordsystype.code";
    QTest::newRow("the unique name of a code that no row holds")
        << int(CoordSysTopocentric) << "Топоцентрическая" << "coordsystype.name";
}

// A code-table record whose lookup fails is refused with the database's reason.
void TestFailedLookups::codeRecord()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QFETCH(QString, denied);
    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM coordsystype WHERE code=?;"), {CoordSysTopocentric}));
    CCoordSysTypeDetails type;
    type.code = code;
    type.name = name;
    const auto before = rowCounts();
    QString error;
    const int stored = storedWithReadsDenied(
        {denied}, [&](QString* reason) { return insertCoordSysTypeDetails(type, reason); }, error);
    QCOMPARE(stored, int(NoValue));
    QVERIFY2(error.startsWith(readFailure + "access to " + denied), qPrintable(error));
    QCOMPARE(rowCounts(), before);
}

// A transform whose value names a parameter code that the database holds, though its
// definition does not travel with it: the code's lookup fails, not the code.
void TestFailedLookups::parameterValueOfAStoredCode()
{
    CTransformListDetails list;
    list.name = QStringLiteral("Пустой");
    const int listKey = TransformListStorage::InsertDetails(list, NoValue, QString());
    QVERIFY(listKey != NoValue);
    CTransformDetails transform = withStoredDefinitions(heightShift());
    transform.params.clear();
    const auto before = rowCounts();

    QString error;
    const auto store = [&](QString* reason) { return TransformStorage::InsertDetails(transform, listKey, 1, reason); };
    const int key = storedWithReadsDenied({"transformparam"}, store, error);
    QCOMPARE(key, int(NoValue));
    QVERIFY2(error.startsWith(readFailure + "access to transformparam."), qPrintable(error));
    QCOMPARE(rowCounts(), before);
    QVERIFY(TransformStorage::InsertDetails(transform, listKey, 1) != NoValue);
}

QTEST_MAIN(TestFailedLookups)
#include "test_failedlookups.moc"
