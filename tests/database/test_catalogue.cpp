#include "testdatabase.h"

#include "database/novalue.h"
#include "database/codetablestypes.h"
#include "database/tablecatalogue.h"

#include <QDateTime>
#include <QtTest>

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void catalogue_data();
    void catalogue();
    void unknownIds_data();
    void unknownIds();
    void kindMaps();
    void maxKey();
    void maxKeyFailures();
    void nextKey();
    void lastUsedKey();
    void touchLastUse();
    void rowCount();
    void withoutDatabase();
};

void TestCatalogue::catalogue_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("codeKeyed");
    QTest::addColumn<QString>("key");
    QTest::newRow("1") << 1 << QString("unitlength") << QString("Единицы измерения расстояний") << false << QString("autokey");
    QTest::newRow("2") << 2 << QString("unitangle") << QString("Единицы измерения углов") << false << QString("autokey");
    QTest::newRow("3") << 3 << QString("unitscale") << QString("Единицы измерения масштаба") << false << QString("autokey");
    QTest::newRow("4") << 4 << QString("unitangleformat") << QString("Форматы представления углов") << true << QString("code");
    QTest::newRow("11") << 11 << QString("ellipsoid") << QString("Эллипсоиды") << false << QString("autokey");
    QTest::newRow("12") << 12 << QString("primemeridian") << QString("Начальные меридианы") << false << QString("autokey");
    QTest::newRow("21") << 21 << QString("datum") << QString("Датумы") << false << QString("autokey");
    QTest::newRow("22") << 22 << QString("datumshifttype") << QString("Типы преобразования датумов") << true << QString("code");
    QTest::newRow("23") << 23 << QString("datumshift") << QString("Преобразования датумов") << false << QString("autokey");
    QTest::newRow("31") << 31 << QString("coordsystype") << QString("Типы систем координат") << true << QString("code");
    QTest::newRow("32") << 32 << QString("coordsys") << QString("Системы координат") << false << QString("autokey");
    QTest::newRow("41") << 41 << QString("mapprojparam") << QString("Параметры картографических проекций") << true << QString("code");
    QTest::newRow("42") << 42 << QString("mapprojtype") << QString("Типы картографических проекций") << true << QString("code");
    QTest::newRow("43") << 43 << QString("mapproj") << QString("Картографические проекции") << false << QString("autokey");
    QTest::newRow("44") << 44 << QString("mapprojparamvalue") << QString("Значения папаметров картографических проекций") << false << QString();
    QTest::newRow("45") << 45 << QString("vertcoordsys") << QString("Системы высот") << false << QString("autokey");
    QTest::newRow("51") << 51 << QString("transformparam") << QString("Параметры преобразований") << true << QString("code");
    QTest::newRow("52") << 52 << QString("transformparamvalue") << QString("Значения параметров преобразований") << false << QString();
    QTest::newRow("53") << 53 << QString("transformtype") << QString("Типы преобразований") << true << QString("code");
    QTest::newRow("54") << 54 << QString("transform") << QString("Преобразования") << false << QString("autokey");
    QTest::newRow("55") << 55 << QString("transformlist") << QString("Наборы преобразований") << false << QString("autokey");
    QTest::newRow("1000") << 1000 << QString("epsgdatumshift") << QString("EPSG коды преобразований датумов") << false << QString("code");
    QTest::newRow("1100") << 1100 << QString("epsgdatumshifttype") << QString("EPSG коды типов преобразований датумов") << false << QString("code");
    QTest::newRow("1500") << 1500 << QString("epsgmapproj") << QString("EPSG коды картографических проекций") << false << QString("code");
    QTest::newRow("2000") << 2000 << QString("epsgcoordsys") << QString("EPSG коды систем координат") << false << QString("code");
    QTest::newRow("5000") << 5000 << QString("epsgellipsoid") << QString("EPSG коды эллипсоидов") << false << QString("code");
    QTest::newRow("6200") << 6200 << QString("epsgdatum") << QString("EPSG коды датумов") << false << QString("code");
    QTest::newRow("7800") << 7800 << QString("epsgvertcoordsys") << QString("EPSG коды систем высот") << false << QString("code");
    QTest::newRow("8900") << 8900 << QString("epsgprimemeridian") << QString("EPSG коды начальных меридианов") << false << QString("code");
    QTest::newRow("9000") << 9000 << QString("epsglengthunit") << QString("EPSG коды единиц измерения расстояний") << false << QString("code");
    QTest::newRow("9100") << 9100 << QString("epsgangleunit") << QString("EPSG коды единиц измерения углов") << false << QString("code");
    QTest::newRow("9200") << 9200 << QString("epsgscaleunit") << QString("EPSG коды единиц измерения масштаба") << false << QString("code");
    QTest::newRow("100001") << 100001 << QString("mapinfounit") << QString("Коды MapInfo для единиц измерения расстояний") << false << QString("code");
    QTest::newRow("100002") << 100002 << QString("mapinfoellipsoid") << QString("Коды MapInfo для эллипсоидов") << false << QString("code");
    QTest::newRow("100003") << 100003 << QString("mapinfodatum") << QString("Коды MapInfo для датумов") << false << QString("code");
    QTest::newRow("999999") << 999999 << QString("maintenance") << QString("Сведения о базе данных") << false << QString();
}

void TestCatalogue::catalogue()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(bool, codeKeyed);
    QFETCH(QString, key);
    QCOMPARE(tableName(id), name);
    QCOMPARE(tableIdOfName(name), id);
    QCOMPARE(tableTitle(id), title);
    QCOMPARE(isCodeKeyed(id), codeKeyed);
    QCOMPARE(keyColumnName(id), key);
}

void TestCatalogue::unknownIds_data()
{
    QTest::addColumn<int>("id");
    for (int id : {0, -1, 5, 13, 46, 56, 999, 1001, 9999, 100004, 1000000})
        QTest::newRow(qPrintable(QString::number(id))) << id;
}

void TestCatalogue::unknownIds()
{
    QFETCH(int, id);
    QVERIFY(tableName(id).isEmpty());
    QVERIFY(tableTitle(id).isEmpty());
    QVERIFY(keyColumnName(id).isEmpty());
    QVERIFY(!isCodeKeyed(id));
}

void TestCatalogue::kindMaps()
{
    QCOMPARE(unitScopeFromInt(7, 2), 2);
    QCOMPARE(unitScopeFromInt(0, 1), 1);
    for (int scope = 1; scope <= 3; ++scope) {
        QCOMPARE(unitScopeFromInt(scope, 0), scope);
        QCOMPARE(unitScopeOfTable(scope), scope);
        QCOMPARE(unitTableOfScope(scope), scope);
    }
    QCOMPARE(unitScopeOfTable(4), 0);
    QCOMPARE(unitScopeOfTable(11), 0);
    QCOMPARE(unitTableOfScope(0), 0);
    QCOMPARE(unitTableOfScope(4), 0);
    for (const char* name : {"", "unit", "angleformat", "Datum"})
        QCOMPARE(tableIdOfName(QLatin1String(name)), 0);

    int target = 9;
    assignTransformListScope(target, 5);
    QCOMPARE(target, 0);
    assignTransformListScope(target, 4);
    QCOMPARE(target, 4);
    QVERIFY(transformListScopeTitle(2).endsWith(QLatin1Char(' ')));
    QVERIFY(transformListScopeTitle(3).endsWith(QLatin1Char(' ')));
    QCOMPARE(transformListScopeTitle(1), QString("Последовательность преобразований"));
    QCOMPARE(transformListScopeTitle(4), QString("Вертикальное преобразование датума"));
    QVERIFY(transformListScopeTitle(0).isEmpty());
}

void TestCatalogue::maxKey()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QCOMPARE(::maxKey(TableDatumShift), 0);
    QCOMPARE(::maxKey(TableMapProjType), 1201);
    QCOMPARE(::maxKey(TableMapProjParam), 107);
    QCOMPARE(::maxKey(TableCoordSysType), 6);
    for (int key : {3, 17, 5})
        QVERIFY(CTestDatabase::exec("INSERT INTO ellipsoid (autokey,name,a,use_f,sphere,unit) "
                                    "VALUES(?,'e',1,0,0,1);", {key}));
    QCOMPARE(::maxKey(TableEllipsoid), 17);
    QCOMPARE(::maxKey(TableEllipsoid, "a"), 1);
}

void TestCatalogue::maxKeyFailures()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QCOMPARE(::maxKey(TableMapProjParamValue), NoValue);
    QCOMPARE(::maxKey(TableTransformParamValue), NoValue);
    QCOMPARE(::maxKey(TableMaintenance), NoValue);
    QCOMPARE(::maxKey(0), NoValue);
    QCOMPARE(::maxKey(TableEllipsoid, "nosuchcolumn"), NoValue);

    // A key beyond the int range is no key, not a truncated one.
    QVERIFY(CTestDatabase::exec("INSERT INTO ellipsoid (autokey,name,a,use_f,sphere,unit) "
                                "VALUES(4294967297,'big',1,0,0,1);"));
    QCOMPARE(::maxKey(TableEllipsoid), NoValue);
}

void TestCatalogue::nextKey()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QCOMPARE(::nextKey(TableDatumShift), 1);
    QCOMPARE(::nextKey(TableMapProjType), 1202);
    QCOMPARE(::nextKey(TableMapProjParamValue), NoValue);

    QVERIFY(CTestDatabase::exec("INSERT INTO epsgdatum (code,name) VALUES(?,'d');", {NoValue - 2}));
    QCOMPARE(::nextKey(TableEpsgDatum), NoValue - 1);
    QVERIFY(CTestDatabase::exec("INSERT INTO epsgdatum (code,name) VALUES(?,'d');", {NoValue - 1}));
    QCOMPARE(::nextKey(TableEpsgDatum), NoValue);
}

void TestCatalogue::lastUsedKey()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QCOMPARE(::lastUsedKey(TableDatumShift), NoValue);
    QCOMPARE(::lastUsedKey(TableMapProjParamValue), NoValue);

    // Unstamped rows sort last, so a table without stamps still yields one of its rows.
    QVERIFY(checkDatumShiftTypeCode(::lastUsedKey(TableDatumShiftType)) != 0);

    for (int key = 1; key <= 4; ++key)
        QVERIFY(CTestDatabase::exec("INSERT INTO datum (autokey,name,last_use) VALUES(?,'d',?);",
                                    {key, key == 2 ? QVariant(900) : key == 3 ? QVariant(100) : QVariant()}));
    QCOMPARE(::lastUsedKey(TableDatum), 2);
}

void TestCatalogue::touchLastUse()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    for (int key = 1; key <= 3; ++key)
        QVERIFY(CTestDatabase::exec("INSERT INTO datum (autokey,name,last_use) VALUES(?,'d',?);",
                                    {key, key == 3 ? QVariant(QDateTime::currentMSecsSinceEpoch() - 1000)
                                                   : QVariant()}));
    QCOMPARE(::lastUsedKey(TableDatum), 3);

    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    QVERIFY(::touchLastUse(TableDatum, 1));
    QCOMPARE(::lastUsedKey(TableDatum), 1);
    const qint64 stamp = CTestDatabase::value("SELECT last_use FROM datum WHERE autokey=1;").toLongLong();
    QVERIFY(stamp >= before && stamp <= QDateTime::currentMSecsSinceEpoch());

    QVERIFY(::touchLastUse(TableDatumShiftType, 4));
    QCOMPARE(::lastUsedKey(TableDatumShiftType), 4);

    QVERIFY(!::touchLastUse(TableDatum, 99));
    QVERIFY(!::touchLastUse(TableMapProjParamValue, 1));
    QVERIFY(!::touchLastUse(TableMapProjParam, 1));
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM datum WHERE last_use IS NULL;").toInt(), 1);
}

void TestCatalogue::rowCount()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QCOMPARE(::rowCount(TableMapProjType), 18);
    QCOMPARE(::rowCount(TableMaintenance), 1);
    QCOMPARE(::rowCount(TableCoordSys), 0);
    QCOMPARE(::rowCount(0), 0);
    QVERIFY(CTestDatabase::exec("INSERT INTO coordsys (name,type) VALUES('a',4);"));
    QVERIFY(CTestDatabase::exec("INSERT INTO coordsys (name,type) VALUES('b',4);"));
    QCOMPARE(::rowCount(TableCoordSys), 2);
}

void TestCatalogue::withoutDatabase()
{
    for (int i = 0; i < 5; ++i)
        QTest::ignoreMessage(QtWarningMsg, "QSqlQuery::prepare: database not open");
    QCOMPARE(::maxKey(TableEllipsoid), NoValue);
    QCOMPARE(::nextKey(TableEllipsoid), NoValue);
    QCOMPARE(::lastUsedKey(TableEllipsoid), NoValue);
    QVERIFY(!::touchLastUse(TableEllipsoid, 1));
    QCOMPARE(::rowCount(TableEllipsoid), 0);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
