#include "definitionfixtures.h"
#include "recordfixtures.h"
#include "storagefixture.h"

#include "records/transformliststorage.h"
#include "records/transformstorage.h"

#include "database/codetablesaxes.h"
#include "database/tablecatalogue.h"

#include <QtTest>

Q_DECLARE_METATYPE(CTransformDetails)

namespace {

// An empty list row for transforms to hang on.
int emptyList()
{
    CTransformListDetails list;
    list.name = QStringLiteral("Пустой");
    return TransformListStorage::InsertDetails(list, NoValue, QString());
}

CTransformListDetails twoTransforms()
{
    CTransformListDetails list = withStoredDefinitions(transformList(1, QStringLiteral("MSK")));
    list.transforms.append(withStoredDefinitions(heightShift()));
    return list;
}

QVariantList transformNumbers()
{
    return CTestDatabase::column(QStringLiteral("SELECT number FROM transform ORDER BY number;"));
}

} // namespace

class TestTransformStorage : public CStorageTestCase
{
    Q_OBJECT

private slots:
    void codeTables();
    void codeTableStoresFreeCode();
    void transformRoundTrip_data();
    void transformRoundTrip();
    void transformFailuresWriteNothing_data();
    void transformFailuresWriteNothing();
    void transformReadFailsWithoutItsDefinitionOrUnit_data();
    void transformReadFailsWithoutItsDefinitionOrUnit();
    void deleteRenumbersTheList();
    void listRoundTrip();
    void listWithOwner();
    void listFailureInALaterTransformWritesNothing();
    void listReadFailures();
    void listDelete();
};

void TestTransformStorage::codeTables()
{
    CTransformTypeDetails type;
    QVERIFY(TransformStorage::ReadTypeDetails(1, type));
    QCOMPARE(type.name, QString::fromStdString(transformTypeName(1)));
    CTransformParamDetails param;
    param.type = 5;
    QVERIFY(TransformStorage::ReadParamDetails(7, param));
    QCOMPARE(param.name, QString::fromStdString(transformParamName(7)));
    QCOMPARE(param.type, 0);

    const auto before = rowCounts();
    QCOMPARE(TransformStorage::InsertTypeDetails(transformType(3)), 3);
    QCOMPARE(TransformStorage::InsertParamDetails(transformParam(2, QStringLiteral("другое"))), 2);
    QString error;
    QCOMPARE(TransformStorage::InsertTypeDetails(transformType(9), &error), int(NoValue));
    QVERIFY(!error.isEmpty());
    QCOMPARE(TransformStorage::InsertParamDetails(transformParam(99, QStringLiteral("P"))), int(NoValue));
    QCOMPARE(TransformStorage::FindParamDetails(transformParam(99, QStringLiteral("P"))), int(NoValue));
    QCOMPARE(rowCounts(), before);
}

void TestTransformStorage::codeTableStoresFreeCode()
{
    QVERIFY(CTestDatabase::exec(QStringLiteral("DELETE FROM transformparam WHERE code=6;")));
    CTransformParamDetails param = transformParam(6, QString::fromStdString(transformParamName(5)));
    param.shortName = QStringLiteral("'%1'");
    QCOMPARE(TransformStorage::InsertParamDetails(param), 6);

    CTransformParamDetails read;
    QVERIFY(TransformStorage::ReadParamDetails(6, read));
    QCOMPARE(read.name, param.name + QStringLiteral("[1]"));
    QCOMPARE(read.shortName, param.shortName);
}

void TestTransformStorage::transformRoundTrip_data()
{
    QTest::addColumn<CTransformDetails>("transform");

    QTest::newRow("affine, values with and without units") << withStoredDefinitions(affineTransform());
    QTest::newRow("height shift") << withStoredDefinitions(heightShift());
    CTransformDetails bare = withStoredDefinitions(heightShift());
    bare.params.clear();
    bare.paramValues.clear();
    QTest::newRow("no values") << bare;
    for (const QString& name : awkwardNames()) {
        CTransformDetails named = withStoredDefinitions(heightShift());
        named.name = name;
        named.description = name;
        named.paramValues[7].value = name;
        QTest::newRow(qPrintable(name)) << named;
    }
}

void TestTransformStorage::transformRoundTrip()
{
    QFETCH(CTransformDetails, transform);
    const int list = emptyList();
    const int key = TransformStorage::InsertDetails(transform, list, 1);
    QVERIFY(key != NoValue);

    CTransformDetails read;
    QVERIFY(TransformStorage::ReadDetails(key, read));
    QVERIFY(read == transform);
    QCOMPARE(read.params.keys(), transform.paramValues.keys());
    QCOMPARE(CTestDatabase::value(QStringLiteral("SELECT transform_list FROM transform;")).toInt(), list);

    const int second = TransformStorage::InsertDetails(transform, list, 2);
    QVERIFY(second != NoValue && second != key);
    QVERIFY(TransformStorage::ReadDetails(second, read));
    QCOMPARE(read.name, transform.name + QStringLiteral("[1]"));
}

void TestTransformStorage::transformFailuresWriteNothing_data()
{
    QTest::addColumn<CTransformDetails>("transform");
    QTest::addColumn<int>("failingTable");

    const CTransformDetails affine = withStoredDefinitions(affineTransform());
    QTest::newRow("value row fails after the transform row and a new unit")
        << affine << int(TableTransformParamValue);
    CTransformDetails undefined = affine;
    undefined.paramValues.insert(9, paramValue(9, QStringLiteral("1")));
    QTest::newRow("value of a parameter without a definition") << undefined << 0;
    CTransformDetails badDefinition = affine;
    badDefinition.params.insert(99, transformParam(99, QStringLiteral("P")));
    QTest::newRow("definition of an unknown parameter") << badDefinition << 0;
    CTransformDetails emptyValue = affine;
    emptyValue.paramValues[1].value.clear();
    QTest::newRow("empty value") << emptyValue << 0;
    CTransformDetails noType = affine;
    noType.typeCode = 0;
    QTest::newRow("no type") << noType << 0;
    CTransformDetails otherTypeRecord = affine;
    otherTypeRecord.transformType = transformType(2);
    QTest::newRow("type record of another type") << otherTypeRecord << 0;
}

void TestTransformStorage::transformFailuresWriteNothing()
{
    QFETCH(CTransformDetails, transform);
    QFETCH(int, failingTable);
    const int list = emptyList();
    verifyInsertFails(
        [&](QString* error) { return TransformStorage::InsertDetails(transform, list, 1, error); },
        failingTable, QStringLiteral("NEW.param = 6"));
    verifyInsertFails([&](QString* error) {
        return TransformStorage::InsertDetails(withStoredDefinitions(heightShift()), NoValue, 1, error);
    });
}

void TestTransformStorage::transformReadFailsWithoutItsDefinitionOrUnit_data()
{
    QTest::addColumn<QString>("damage");

    QTest::newRow("parameter definition deleted") << "DELETE FROM transformparam WHERE code=5;";
    QTest::newRow("unit deleted") << "DELETE FROM unitlength;";
    QTest::newRow("no transform row") << "DELETE FROM transform;";
}

void TestTransformStorage::transformReadFailsWithoutItsDefinitionOrUnit()
{
    QFETCH(QString, damage);
    const int key = TransformStorage::InsertDetails(withStoredDefinitions(affineTransform()), emptyList(), 1);
    QVERIFY(CTestDatabase::exec(damage));
    CTransformDetails read;
    read.name = QStringLiteral("cleared");
    QVERIFY(!TransformStorage::ReadDetails(key, read));
    QVERIFY(read.name.isEmpty());
    QVERIFY(read.paramValues.isEmpty());
}

void TestTransformStorage::deleteRenumbersTheList()
{
    const int list = emptyList();
    QVector<int> keys;
    for (int number = 1; number <= 4; ++number)
        keys.append(TransformStorage::InsertDetails(withStoredDefinitions(heightShift()), list, number));
    QVERIFY(TransformStorage::Delete(keys[1]));
    QCOMPARE(transformNumbers(), (QVariantList{1, 2, 3}));
    QCOMPARE(CTestDatabase::column(
                 QStringLiteral("SELECT transform FROM transformparamvalue ORDER BY transform;")),
             (QVariantList{keys[0], keys[2], keys[3]}));
    QVERIFY(TransformStorage::Delete(keys[1]));
    QCOMPARE(transformNumbers(), (QVariantList{1, 2, 3}));

    QVERIFY(injectFailure(TableTransformParamValue, QStringLiteral("DELETE")));
    QVERIFY(!TransformStorage::Delete(keys[0]));
    QCOMPARE(transformNumbers(), (QVariantList{1, 2, 3}));
}

void TestTransformStorage::listRoundTrip()
{
    CTransformListDetails list = twoTransforms();
    list.name = QStringLiteral("Д'Аламбер %1");
    const int key = TransformListStorage::InsertDetails(list, NoValue, QString());
    QVERIFY(key != NoValue);

    CTransformListDetails read;
    QVERIFY(TransformListStorage::ReadDetails(key, read));
    QVERIFY(read == list);
    QCOMPARE(transformNumbers(), (QVariantList{1, 2}));
    QCOMPARE(CTestDatabase::value(QStringLiteral("SELECT COUNT(*) FROM transformlist WHERE owner IS NULL "
                                                 "AND owner_table IS NULL;"))
                 .toInt(),
             1);

    const int second = TransformListStorage::InsertDetails(list, NoValue, QString());
    QVERIFY(second != NoValue && second != key);
    CTransformListDetails copy;
    QVERIFY(TransformListStorage::ReadDetails(second, copy));
    QCOMPARE(copy.name, list.name + QStringLiteral("[1]"));
    QCOMPARE(copy.transforms.size(), 2);
}

void TestTransformStorage::listWithOwner()
{
    CTransformListDetails list = twoTransforms();
    list.scope = 0;
    list.transforms.clear();
    const int key = TransformListStorage::InsertDetails(list, 12, QStringLiteral("datum"));
    QCOMPARE(CTestDatabase::value(QStringLiteral("SELECT owner || owner_table || scope FROM transformlist "
                                                 "WHERE autokey=?;"),
                                  {key})
                 .toString(),
             QStringLiteral("12datum0"));
    CTransformListDetails read;
    QVERIFY(TransformListStorage::ReadDetails(key, read));
    QVERIFY(read == list);
}

void TestTransformStorage::listFailureInALaterTransformWritesNothing()
{
    verifyInsertFails(
        [](QString* error) {
            return TransformListStorage::InsertDetails(twoTransforms(), NoValue, QString(), error);
        },
        TableTransform, QStringLiteral("NEW.number = 2"));

    CTransformListDetails unnamed = twoTransforms();
    unnamed.name.clear();
    verifyInsertFails([&](QString* error) {
        return TransformListStorage::InsertDetails(unnamed, NoValue, QString(), error);
    });
}

void TestTransformStorage::listReadFailures()
{
    const int key = TransformListStorage::InsertDetails(twoTransforms(), NoValue, QString());
    QVERIFY(CTestDatabase::exec(QStringLiteral("UPDATE transform SET type=0 WHERE number=2;")));
    CTransformListDetails read;
    QVERIFY(!TransformListStorage::ReadDetails(key, read));
    QVERIFY(read.name.isEmpty() && read.transforms.isEmpty());

    QVERIFY(CTestDatabase::exec(QStringLiteral("UPDATE transform SET type=3 WHERE number=2;")));
    QVERIFY(TransformListStorage::ReadDetails(key, read));
    QVERIFY(CTestDatabase::exec(QStringLiteral("UPDATE transformlist SET name='';")));
    read = CTransformListDetails();
    QVERIFY(!TransformListStorage::ReadDetails(key, read));
    QVERIFY(!TransformListStorage::ReadDetails(key + 1, read));
}

void TestTransformStorage::listDelete()
{
    const int key = TransformListStorage::InsertDetails(twoTransforms(), NoValue, QString());
    const int other = TransformListStorage::InsertDetails(twoTransforms(), NoValue, QString());
    QVERIFY(injectFailure(TableTransform, QStringLiteral("DELETE"), QStringLiteral("OLD.number = 1")));
    const auto before = rowCounts();
    QVERIFY(!TransformListStorage::Delete(key));
    QCOMPARE(rowCounts(), before);

    QVERIFY(CTestDatabase::exec(QStringLiteral("DROP TRIGGER fail_transform_DELETE;")));
    QVERIFY(TransformListStorage::Delete(key));
    CTransformListDetails read;
    QVERIFY(!TransformListStorage::ReadDetails(key, read));
    QVERIFY(TransformListStorage::ReadDetails(other, read));
    QCOMPARE(rowCounts().value(tableName(TableTransform)), 2);
    QCOMPARE(rowCounts().value(tableName(TableTransformParamValue)), 7);
    QVERIFY(TransformListStorage::Delete(key));
}

QTEST_MAIN(TestTransformStorage)
#include "test_transformstorage.moc"
