#include "testdatabase.h"

#include "database/createdatabase.h"
#include "database/novalue.h"
#include "database/savepoint.h"
#include "database/sqlfunctions.h"

#include <QSqlQuery>
#include <QtTest>

class TestSqlFunctions : public QObject
{
    Q_OBJECT

private slots:
    void makeUniqueName_data();
    void makeUniqueName();
    void makeUniqueNameFailure();
    void likePatterns_data();
    void likePatterns();
    void insertedKey();
    void savepointReleased();
    void savepointRolledBack();
    void savepointNested();
    void execSqlInSavepoint();
    void copyTransformListIn();
    void copyTransformListOut();
    void copyTransformListFailure();

private:
    static int addList(const QString& prefix, const QString& name, const QVariantList& transforms);
};

void TestSqlFunctions::makeUniqueName_data()
{
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("unique");
    QTest::newRow("free") << QStringList{"Road[1]"} << "Road" << "Road";
    QTest::newRow("numbered") << QStringList{"Road", "Road[1]", "Road[2]"} << "Road" << "Road[3]";
    QTest::newRow("continues") << QStringList{"Road[4]"} << "Road[4]" << "Road[5]";
    QTest::newRow("gap") << QStringList{"Road", "Road[2]"} << "Road" << "Road[1]";
    QTest::newRow("case") << QStringList{"road"} << "Road" << "Road";
    QTest::newRow("quote") << QStringList{"O'Neil", "O'Neil[1]"} << "O'Neil" << "O'Neil[2]";
    QTest::newRow("placeholders") << QStringList{"%1 %2"} << "%1 %2" << "%1 %2[1]";
    QTest::newRow("percent") << QStringList{"50%"} << "50%" << "50%[1]";
    QTest::newRow("injection") << QStringList{"x' OR '1'='1"} << "x' OR '1'='1" << "x' OR '1'='1[1]";
    QTest::newRow("largest counter") << QStringList{"Road[2147483647]"} << "Road[2147483647]"
                                     << "Road[2147483647][1]";
}

void TestSqlFunctions::makeUniqueName()
{
    QFETCH(QStringList, taken);
    QFETCH(QString, wanted);
    QFETCH(QString, unique);
    CTestDatabase database;
    QVERIFY(database.isOpen());
    for (const QString& name : taken)
        QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES(?);", {name}));
    QCOMPARE(::makeUniqueName("datum", "name", wanted), unique);
    QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES(?);", {unique}));
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM datum WHERE name=?;", {unique}).toInt(), 1);
}

void TestSqlFunctions::makeUniqueNameFailure()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QCOMPARE(::makeUniqueName("nosuchtable", "name", "Road"), QString("Road"));
}

void TestSqlFunctions::likePatterns_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("percent") << "50%" << QStringList{"50% off"};
    QTest::newRow("underscore") << "a_b" << QStringList{"a_b"};
    QTest::newRow("backslash") << "c\\d" << QStringList{"c\\d"};
    QTest::newRow("quote") << "O'N" << QStringList{"O'Neil"};
}

void TestSqlFunctions::likePatterns()
{
    QFETCH(QString, search);
    QFETCH(QStringList, found);
    CTestDatabase database;
    QVERIFY(database.isOpen());
    for (const char* name : {"50% off", "500 off", "a_b", "axb", "c\\d", "cd", "O'Neil"})
        QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES(?);", {name}));
    QStringList names;
    const QVariantList column = CTestDatabase::column(
        "SELECT name FROM datum WHERE name LIKE ? ESCAPE '\\' ORDER BY name;",
        {"%" + escapeLikePattern(search) + "%"});
    for (const QVariant& name : column)
        names << name.toString();
    QCOMPARE(names, found);
}

void TestSqlFunctions::insertedKey()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QSqlQuery query;
    QVERIFY(execQuery(query, "INSERT INTO datum (name) VALUES(?);", {"a"}));
    QCOMPARE(::insertedKey(query), 1);
    QVERIFY(execQuery(query, "INSERT INTO datum (autokey, name) VALUES(?, ?);", {40, "b"}));
    QCOMPARE(::insertedKey(query), 40);

    // Nothing inserted: the connection's last row id must not be taken for a new key.
    QVERIFY(execQuery(query, "INSERT INTO datum (name) SELECT name FROM datum WHERE autokey=?;", {99}));
    QCOMPARE(::insertedKey(query), NoValue);
    QVERIFY(!execQuery(query, "INSERT INTO datum (description) VALUES(?);", {"no name"}));
    QCOMPARE(::insertedKey(query), NoValue);
    QVERIFY(execQuery(query, "INSERT INTO datum (autokey, name) VALUES(?, ?);", {qlonglong(1) << 40, "c"}));
    QCOMPARE(::insertedKey(query), NoValue);
}

void TestSqlFunctions::savepointReleased()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    {
        CSavepoint savepoint("Test_Release_");
        QVERIFY(savepoint.isActive());
        QVERIFY(savepoint.name().startsWith("Test_Release_"));
        QVERIFY(CTestDatabase::inTransaction());
        QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES('kept');"));
        QVERIFY(savepoint.release());
        QVERIFY(!savepoint.isActive());
        QVERIFY(!savepoint.release());
    }
    QVERIFY(!CTestDatabase::inTransaction());
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM datum;").toInt(), 1);
}

void TestSqlFunctions::savepointRolledBack()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    {
        CSavepoint savepoint("Test_Destroyed_");
        QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES('lost');"));
    }
    QVERIFY(!CTestDatabase::inTransaction());
    {
        CSavepoint savepoint("Test_Rollback_");
        QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES('lost');"));
        savepoint.rollback();
        QVERIFY(!savepoint.isActive());
        QVERIFY(!CTestDatabase::inTransaction());
    }
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM datum;").toInt(), 0);
}

void TestSqlFunctions::savepointNested()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    {
        CSavepoint outer("Test_Outer_");
        QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES('outer');"));
        {
            CSavepoint inner("Test_Inner_");
            QVERIFY(inner.isActive());
            QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES('inner');"));
        }
        QVERIFY(CTestDatabase::inTransaction());
        QVERIFY(outer.release());
    }
    QVERIFY(!CTestDatabase::inTransaction());
    QCOMPARE(CTestDatabase::column("SELECT name FROM datum;"), QVariantList{"outer"});
}

void TestSqlFunctions::execSqlInSavepoint()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QVERIFY(::execSqlInSavepoint({"INSERT INTO datum (name) VALUES('a');",
                                  "INSERT INTO datum (name) VALUES('b');"}));
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM datum;").toInt(), 2);

    QVERIFY(!::execSqlInSavepoint({"INSERT INTO datum (name) VALUES('c');",
                                   "INSERT INTO nosuchtable (name) VALUES('d');",
                                   "INSERT INTO datum (name) VALUES('e');"}));
    QVERIFY(!CTestDatabase::inTransaction());
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM datum;").toInt(), 2);
    QVERIFY(::execSqlInSavepoint({}));
}

// A list with transforms given as (name, number, favourite, values), values as (param, value, unit).
int TestSqlFunctions::addList(const QString& prefix, const QString& name, const QVariantList& transforms)
{
    QSqlQuery query;
    if (!execQuery(query,
                   QString("INSERT INTO %1transformlist (name,description,identifier,owner_table,scope,"
                           "favourite,last_use) VALUES(?,?,?,?,?,?,?);")
                       .arg(prefix),
                   {name, "d'%1", "id-1", "coordsys", 3, QVariant(), 5}))
        return NoValue;
    const QVariant list = query.lastInsertId();
    for (const QVariant& item : transforms) {
        const QVariantList transform = item.toList();
        if (!execQuery(query,
                       QString("INSERT INTO %1transform (name,description,type,transform_list,number,"
                               "favourite,last_use) VALUES(?,?,?,?,?,?,?);")
                           .arg(prefix),
                       {transform[0], "t'", 1, list, transform[1], transform[2], 7}))
            return NoValue;
        const QVariant key = query.lastInsertId();
        for (const QVariant& value : transform[3].toList()) {
            const QVariantList v = value.toList();
            if (!execQuery(query,
                           QString("INSERT INTO %1transformparamvalue (param,transform,value,unit) "
                                   "VALUES(?,?,?,?);")
                               .arg(prefix),
                           {v[0], key, v[1], v[2]}))
                return NoValue;
        }
    }
    return list.toInt();
}

namespace {

QVariantList sampleTransforms()
{
    return {QVariantList{"second 'B'", 2, QVariant(), QVariantList{QVariantList{5, "-12.5", 1}}},
            QVariantList{"first %1", 1, 1,
                         QVariantList{QVariantList{1, "1.0000001", QVariant()},
                                      QVariantList{5, "100", 1}}}};
}

QStringList describeList(const QString& prefix, int key)
{
    QStringList lines;
    QSqlQuery list;
    execQuery(list, QString("SELECT name,description,identifier,owner_table,scope,favourite FROM "
                            "%1transformlist WHERE autokey=?;").arg(prefix), {key});
    if (!list.next())
        return lines;
    lines << QStringList{list.value(0).toString(), list.value(1).toString(), list.value(2).toString(),
                         list.value(3).toString(), list.value(4).toString(),
                         list.value(5).isNull() ? "NULL" : list.value(5).toString()}.join('|');
    QSqlQuery transforms;
    execQuery(transforms, QString("SELECT autokey,name,description,type,number,favourite FROM "
                                  "%1transform WHERE transform_list=? ORDER BY number;").arg(prefix),
              {key});
    while (transforms.next()) {
        lines << QStringList{transforms.value(1).toString(), transforms.value(2).toString(),
                             transforms.value(3).toString(), transforms.value(4).toString(),
                             transforms.value(5).isNull() ? "NULL" : transforms.value(5).toString()}
                     .join('|');
        QSqlQuery values;
        execQuery(values, QString("SELECT param,value,unit FROM %1transformparamvalue WHERE "
                                  "transform=? ORDER BY param;").arg(prefix),
                  {transforms.value(0)});
        while (values.next())
            lines << "  " + QStringList{values.value(0).toString(), values.value(1).toString(),
                                        values.value(2).isNull() ? "NULL" : values.value(2).toString()}
                                .join('|');
    }
    return lines;
}

bool attachOther(const CTestDatabase& database)
{
    const QString other = database.folder() + "/other.db";
    return createDatabase(other, "Other", QString())
           && CTestDatabase::exec("ATTACH DATABASE ? AS other;", {other});
}

} // namespace

void TestSqlFunctions::copyTransformListIn()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QVERIFY(attachOther(database));
    QVERIFY(CTestDatabase::exec("INSERT INTO transformlist (name) VALUES('occupies key 1');"));
    const int source = addList("other.", "List 'A' %1", sampleTransforms());
    QVERIFY(source != NoValue);

    const int copy = copyTransformList(source, "other.transformlist", "other.transform",
                                       "other.transformparamvalue", 42);
    QCOMPARE(copy, 2);
    QCOMPARE(describeList("", copy), describeList("other.", source));
    QCOMPARE(CTestDatabase::value("SELECT owner FROM transformlist WHERE autokey=?;", {copy}).toInt(), 42);
    const qint64 stamp = CTestDatabase::value("SELECT last_use FROM transformlist WHERE autokey=?;", {copy})
                             .toLongLong();
    QVERIFY(stamp > 5);
    QVERIFY(!CTestDatabase::inTransaction());
}

void TestSqlFunctions::copyTransformListOut()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QVERIFY(attachOther(database));
    const int source = addList("", "Local", sampleTransforms());
    QVERIFY(source != NoValue);

    const int copy = copyTransformList(source, "other.transformlist", "other.transform",
                                       "other.transformparamvalue", NoValue);
    QCOMPARE(copy, 1);
    QCOMPARE(describeList("other.", copy), describeList("", source));
    QVERIFY(CTestDatabase::value("SELECT owner FROM other.transformlist;").isNull());
}

void TestSqlFunctions::copyTransformListFailure()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QVERIFY(attachOther(database));
    QCOMPARE(copyTransformList(7, "other.transformlist", "other.transform",
                               "other.transformparamvalue", 1),
             NoValue);

    // A failure after the list row was written leaves nothing behind.
    const int source = addList("other.", "List", sampleTransforms());
    QCOMPARE(copyTransformList(source, "other.transformlist", "other.transform", "other.nosuchtable", 1),
             NoValue);
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM transformlist;").toInt(), 0);
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM transform;").toInt(), 0);
    QVERIFY(!CTestDatabase::inTransaction());
}

QTEST_GUILESS_MAIN(TestSqlFunctions)
#include "test_sqlfunctions.moc"
