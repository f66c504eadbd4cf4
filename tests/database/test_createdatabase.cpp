#include "testdatabase.h"
#include "testfiles.h"

#include "database/codetablesaxes.h"
#include "database/codetablesmapproj.h"
#include "database/codetablestypes.h"
#include "database/createdatabase.h"
#include "database/novalue.h"
#include "database/sqlfunctions.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QtTest>

#include <functional>

namespace {

struct CExpectedTable {
    QString name;
    bool withoutRowid = false;
    QStringList columns;
    QStringList foreignKeys;
};

QVector<CExpectedTable> expectedSchema()
{
    QVector<CExpectedTable> tables;
    QFile file(TESTDATA_DIR "/schema.txt");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return tables;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith("table ")) {
            const QStringList words = line.split(' ');
            tables.append({words[1], words.size() > 2, {}, {}});
        } else if (line.startsWith("fk ")) {
            tables.last().foreignKeys << line.mid(3);
        } else {
            tables.last().columns << line;
        }
    }
    return tables;
}

const char* const Created = "created";

// Rows of a query on the database made once for the whole test.
QVariantList select(const QString& statement, const QVariantList& values = {})
{
    QSqlQuery query(QSqlDatabase::database(Created));
    QVariantList result;
    if (!execQuery(query, statement, values))
        return result;
    while (query.next())
        result << query.value(0);
    return result;
}

QStringList tableColumns(const QString& table)
{
    QStringList columns;
    QSqlQuery query(QSqlDatabase::database(Created));
    query.exec(QString("PRAGMA table_info(%1);").arg(table));
    while (query.next()) {
        QString column = query.value("name").toString() + ' ' + query.value("type").toString();
        if (query.value("notnull").toInt())
            column += " NN";
        if (query.value("pk").toInt())
            column += " PK";
        columns << column;
    }
    return columns;
}

// SQLite numbers foreign keys from the last declared one.
QStringList tableForeignKeys(const QString& table)
{
    QStringList keys;
    QSqlQuery query(QSqlDatabase::database(Created));
    query.exec(QString("PRAGMA foreign_key_list(%1);").arg(table));
    while (query.next())
        keys.prepend(QStringList{query.value("from").toString(), query.value("table").toString(),
                                 query.value("to").toString()}
                         .join(' '));
    return keys;
}

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

QVariant orNull(int value, int none)
{
    return value == none ? QVariant() : QVariant(value);
}

// Values of one row of a table, read back with NULL kept apart from an empty text.
QVariantList storedRow(const QString& table, const QStringList& columns, int code)
{
    QSqlQuery query(QSqlDatabase::database(Created));
    QVariantList values;
    if (!execQuery(query, QString("SELECT %1 FROM %2 WHERE code=?;").arg(columns.join(','), table), {code})
        || !query.next())
        return values;
    for (int i = 0; i < columns.size(); ++i)
        values << query.value(i);
    return values;
}

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestCreateDatabase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void tablesInOrder();
    void tableSchema_data();
    void tableSchema();
    void rowCounts_data();
    void rowCounts();
    void fixedRows();
    void fixedRowDetails();
    void versionRow();
    void textsStoredUnchanged();
    void constraints();
    void sqliteTool();
    void existingFileUntouched_data();
    void existingFileUntouched();
    void emptyFileReplaced();
    void missingFolder();
    void failureLeavesNothing();
    void defaultConnectionKept();

private:
    QTemporaryDir m_folder;
};

void TestCreateDatabase::initTestCase()
{
    QCoreApplication::setApplicationVersion("0.03 beta");
    QVERIFY(m_folder.isValid());
    const QString path = m_folder.filePath("created.db");
    QVERIFY(createDatabase(path, "Test", "Schema"));
    QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", Created);
    database.setDatabaseName(path);
    QVERIFY(database.open());
}

void TestCreateDatabase::cleanupTestCase()
{
    QSqlDatabase::database(Created).close();
    QSqlDatabase::removeDatabase(Created);
}

void TestCreateDatabase::tablesInOrder()
{
    QStringList expected;
    for (const CExpectedTable& table : expectedSchema())
        expected << table.name;
    QCOMPARE(expected.size(), 36);
    QStringList created;
    for (const QVariant& name : select("SELECT name FROM sqlite_master WHERE type='table' "
                                                      "ORDER BY rowid;"))
        created << name.toString();
    QCOMPARE(created, expected);
}

void TestCreateDatabase::tableSchema_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("withoutRowid");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QStringList>("foreignKeys");
    for (const CExpectedTable& table : expectedSchema())
        QTest::newRow(qPrintable(table.name)) << table.name << table.withoutRowid << table.columns
                                              << table.foreignKeys;
}

void TestCreateDatabase::tableSchema()
{
    QFETCH(QString, table);
    QFETCH(bool, withoutRowid);
    QFETCH(QStringList, columns);
    QFETCH(QStringList, foreignKeys);
    QCOMPARE(tableColumns(table), columns);
    QCOMPARE(tableForeignKeys(table), foreignKeys);
    const QString sql = select("SELECT sql FROM sqlite_master WHERE name=?;", {table}).value(0).toString();
    QCOMPARE(sql.endsWith("WITHOUT ROWID"), withoutRowid);
}

void TestCreateDatabase::rowCounts_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("rows");
    const QMap<QString, int> filled{{"unitangleformat", 3}, {"datumshifttype", 5}, {"transformtype", 3},
                                    {"transformparam", 7},  {"mapprojtype", 18},   {"mapprojparam", 31},
                                    {"coordsystype", 5},    {"maintenance", 1}};
    for (const CExpectedTable& table : expectedSchema())
        QTest::newRow(qPrintable(table.name)) << table.name << filled.value(table.name, 0);
}

void TestCreateDatabase::rowCounts()
{
    QFETCH(QString, table);
    QFETCH(int, rows);
    QCOMPARE(select(QString("SELECT COUNT(*) FROM %1;").arg(table)).value(0).toInt(), rows);
}

// Every fixed row holds the texts and codes of the code tables; empty texts stay texts,
// missing EPSG and MapInfo codes are NULL, favourite and last_use are NULL.
void TestCreateDatabase::fixedRows()
{
    struct CCheck {
        QString table;
        QVector<int> codes;
        QStringList columns;
        std::function<QVariantList(int)> expected;
    };
    const QVector<CCheck> checks{
        {"unitangleformat", {1, 2, 3}, {"name", "description", "short_name", "epsg", "favourite", "last_use"},
         [](int c) -> QVariantList {
             return {q(angleFormatName(c)), q(angleFormatHint(c)), "", orNull(angleFormatEpsgCode(c), 0),
                     QVariant(), QVariant()};
         }},
        {"datumshifttype", {1, 2, 3, 4, 5}, {"name", "description", "epsg", "favourite", "last_use"},
         [](int c) -> QVariantList {
             return {q(datumShiftTypeName(c)), q(datumShiftTypeDescription(c)), datumShiftTypeEpsgCode(c),
                     QVariant(), QVariant()};
         }},
        {"transformtype", {1, 2, 3}, {"name", "description", "favourite", "last_use"},
         [](int c) -> QVariantList { return {q(transformTypeName(c)), "", QVariant(), QVariant()}; }},
        {"transformparam", {1, 2, 3, 4, 5, 6, 7}, {"name", "description", "short_name"},
         [](int c) -> QVariantList { return {q(transformParamName(c)), "", ""}; }},
        {"mapprojtype",
         {1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 24, 26, 101, 1001, 1002, 1003, 1004, 1201},
         {"name", "description", "short_name", "coord1_abbr", "coord2_abbr", "coord1_desc", "coord2_desc",
          "coord1_sign", "coord2_sign", "swap_coords", "epsg", "mapinfo", "favourite", "last_use"},
         [](int c) -> QVariantList {
             MapProjTypeAxes axes;
             mapProjTypeAxes(c, axes);
             return {q(mapProjTypeName(c)), q(mapProjTypeDescription(c)), q(mapProjTypeShortName(c)),
                     q(axes.coord1Abbr), q(axes.coord2Abbr), q(axes.coord1Desc), q(axes.coord2Desc),
                     axes.coord1Sign, axes.coord2Sign, axes.swapCoords,
                     orNull(mapProjTypeEpsgCode(c), 0), orNull(mapProjTypeMapInfoCode(c), NoValue),
                     QVariant(), QVariant()};
         }},
        {"mapprojparam",
         {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  11,  12,  13,  14,  15, 16,
          17, 18, 19, 20, 21, 22, 23, 24, 101, 102, 103, 104, 105, 106, 107},
         {"name", "description", "short_name", "epsg", "wkt"},
         [](int c) -> QVariantList {
             return {q(projParamName(c)), q(projParamDescription(c)), "", QVariant(), ""};
         }},
        {"coordsystype", {1, 3, 4, 5, 6}, {"name", "description", "favourite", "last_use"},
         [](int c) -> QVariantList {
             return {q(coordSysTypeName(c)), q(coordSysTypeDescription(c)), QVariant(), QVariant()};
         }},
    };
    for (const CCheck& check : checks) {
        QVariantList codes;
        for (int code : check.codes)
            codes << code;
        QCOMPARE(select(QString("SELECT code FROM %1 ORDER BY code;").arg(check.table)), codes);
        for (int code : check.codes) {
            const QVariantList stored = storedRow(check.table, check.columns, code);
            const QVariantList expected = check.expected(code);
            QCOMPARE(stored.size(), expected.size());
            for (int i = 0; i < expected.size(); ++i) {
                const QString where = QString("%1 %2 %3").arg(check.table).arg(code).arg(check.columns[i]);
                QVERIFY2(stored[i].isNull() == expected[i].isNull(), qPrintable(where));
                QVERIFY2(stored[i].toString() == expected[i].toString(), qPrintable(where));
            }
        }
    }
}

void TestCreateDatabase::fixedRowDetails()
{
    QVERIFY(select("SELECT epsg FROM unitangleformat WHERE code=1;").value(0).isNull());
    QCOMPARE(select("SELECT epsg FROM unitangleformat WHERE code=2;").value(0).toInt(), 9107);
    QCOMPARE(select("SELECT epsg FROM unitangleformat WHERE code=3;").value(0).toInt(), 9108);
    QCOMPARE(select("SELECT code FROM mapprojtype WHERE epsg IS NULL ORDER BY code;"),
             (QVariantList{1003, 1004}));
    QCOMPARE(select("SELECT code FROM mapprojtype WHERE mapinfo IS NULL ORDER BY code;"),
             (QVariantList{11, 26, 1003, 1004}));
    QCOMPARE(select("SELECT code FROM mapprojtype WHERE swap_coords=1 ORDER BY code;"),
             (QVariantList{1001, 1003, 1004}));
    QCOMPARE(select("SELECT typeof(short_name) FROM unitangleformat WHERE code=1;").value(0).toString(),
             QString("text"));
    QCOMPARE(select("SELECT name FROM transformparam WHERE code=7;").value(0).toString(), QString("dH"));
}

void TestCreateDatabase::versionRow()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("version.db");
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QVERIFY(createDatabase(path, "Пользовательская", "Создана пользователем"));
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", "version");
        database.setDatabaseName(path);
        QVERIFY(database.open());
        QSqlQuery query(database);
        QVERIFY(query.exec("SELECT database_version,name,description,software_version,creation_date,"
                           "language,readonly FROM maintenance;"));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 1);
        QCOMPARE(query.value(1).toString(), QString("Пользовательская"));
        QCOMPARE(query.value(2).toString(), QString("Создана пользователем"));
        QCOMPARE(query.value(3).toString(), QString("0.03 beta"));
        const QDateTime created = QDateTime::fromString(query.value(4).toString(), Qt::TextDate);
        QVERIFY2(created >= before && created <= after, qPrintable(query.value(4).toString()));
        QCOMPARE(query.value(5).toString(), QString("RU"));
        QCOMPARE(query.value(6).toInt(), 0);
        QVERIFY(query.value(6).isValid() && !query.value(6).isNull());
        QVERIFY(!query.next());
    }
    QSqlDatabase::removeDatabase("version");
}

void TestCreateDatabase::textsStoredUnchanged()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("quotes.db");
    const QString name = "O'Neil's \"base\" %1 50%";
    const QString description = "'); DROP TABLE coordsys; --";
    QVERIFY(createDatabase(path, name, description));
    {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", "quotes");
        database.setDatabaseName(path);
        QVERIFY(database.open());
        QSqlQuery query(database);
        QVERIFY(query.exec("SELECT name, description FROM maintenance;"));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), name);
        QCOMPARE(query.value(1).toString(), description);
        QVERIFY(query.exec("SELECT COUNT(*) FROM coordsys;"));
    }
    QSqlDatabase::removeDatabase("quotes");
}

void TestCreateDatabase::constraints()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QVERIFY(CTestDatabase::exec("INSERT INTO ellipsoid (name,a,use_f,sphere,unit) VALUES('a',1,0,0,1);"));
    QCOMPARE(CTestDatabase::value("SELECT MAX(autokey) FROM ellipsoid;").toInt(), 1);
    QVERIFY(CTestDatabase::exec("INSERT INTO ellipsoid (autokey,name,a,use_f,sphere,unit) VALUES(9,'b',1,0,0,1);"));
    QVERIFY(CTestDatabase::exec("INSERT INTO ellipsoid (name,a,use_f,sphere,unit) VALUES('c',1,0,0,1);"));
    QCOMPARE(CTestDatabase::value("SELECT autokey FROM ellipsoid WHERE name='c';").toInt(), 10);

    QVERIFY(CTestDatabase::exec("INSERT INTO mapproj (name,type) VALUES(NULL,1);"));
    QVERIFY(CTestDatabase::exec("INSERT INTO mapprojtype (code,name) VALUES(5000,NULL);"));
    QVERIFY(CTestDatabase::exec("INSERT INTO mapprojparam (code,name) VALUES(500,NULL);"));
    QVERIFY(!CTestDatabase::exec("INSERT INTO datum (name) VALUES(NULL);"));
    QVERIFY(!CTestDatabase::exec("INSERT INTO epsgdatum (code,name) VALUES(1,NULL);"));

    QVERIFY(CTestDatabase::exec("INSERT INTO coordsys (name,type) VALUES('x',77);"));
    QVERIFY(CTestDatabase::exec("INSERT INTO transformparamvalue (param,transform) VALUES(1,999);"));
    QVERIFY(CTestDatabase::exec("INSERT INTO transformparamvalue (param,transform) VALUES(1,999);"));
    QVERIFY(CTestDatabase::exec("INSERT INTO mapprojparamvalue (map_proj,param) VALUES(1,5);"));
    QVERIFY(CTestDatabase::exec("INSERT INTO mapprojparamvalue (map_proj,param) VALUES(1,5);"));

    QVERIFY(!CTestDatabase::exec("INSERT INTO coordsystype (code,name) VALUES(4,'again');"));
    QVERIFY(!CTestDatabase::exec("INSERT INTO maintenance (database_version,name,language) VALUES(1,'a','RU');"));
    QVERIFY(CTestDatabase::exec("INSERT INTO epsgdatum (code,name) VALUES(6284,'Pulkovo 1942');"));
    QVERIFY(!CTestDatabase::exec("INSERT INTO epsgdatum (code,name) VALUES(6284,'again');"));
}

void TestCreateDatabase::sqliteTool()
{
    const QString tool = QStandardPaths::findExecutable("sqlite3");
    if (tool.isEmpty())
        QSKIP("the sqlite3 command-line tool is not installed");
    QTemporaryDir folder;
    const QString path = folder.filePath("tool.db");
    QVERIFY(createDatabase(path, "Tool", "Checked"));

    const auto run = [&](const QString& statement) {
        QProcess process;
        process.start(tool, {"-batch", "-readonly", path, statement});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed().split('\n');
    };
    QCOMPARE(run("SELECT COUNT(*) FROM sqlite_master WHERE type='table';"), QStringList{"36"});
    QCOMPARE(run("PRAGMA integrity_check;"), QStringList{"ok"});
    QCOMPARE(run("SELECT code, name FROM coordsystype ORDER BY code;"),
             (QStringList{"1|Декартова", "3|Геоцентрическая", "4|Геодезическая", "5|Картографическая",
                          "6|Топоцентрическая"}));
    QCOMPARE(run("SELECT code, IFNULL(epsg, 'NULL') FROM unitangleformat ORDER BY code;"),
             (QStringList{"1|NULL", "2|9107", "3|9108"}));
    QCOMPARE(run("SELECT code, short_name, coord1_abbr, swap_coords, IFNULL(mapinfo,'NULL') FROM mapprojtype "
                 "WHERE code IN (1, 1003) ORDER BY code;"),
             (QStringList{"1|TM|E|0|8", "1003|MCK|X|1|NULL"}));
    QCOMPARE(run("SELECT database_version, name, description, language, readonly FROM maintenance;"),
             QStringList{"1|Tool|Checked|RU|0"});
    QCOMPARE(run("SELECT (SELECT COUNT(*) FROM unitlength) + (SELECT COUNT(*) FROM coordsys) + "
                 "(SELECT COUNT(*) FROM epsgcoordsys) + (SELECT COUNT(*) FROM mapinfodatum);"),
             QStringList{"0"});
}

void TestCreateDatabase::existingFileUntouched_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("database");
    QTest::newRow("database") << "twice.db" << true;
    QTest::newRow("other file") << "points.txt" << false;
}

// Creating over a file that is not empty fails, names the file and leaves it as it was.
void TestCreateDatabase::existingFileUntouched()
{
    QFETCH(QString, name);
    QFETCH(bool, database);

    QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QVERIFY(database ? createDatabase(path, "First", QString()) : writeFile(path, "1;100.0;200.0;0\n"));
    const QByteArray hash = fileHash(path);
    QString error;
    QVERIFY(!createDatabase(path, "Second", QString(), &error));
    QVERIFY2(error.contains(name), qPrintable(error));
    QCOMPARE(fileHash(path), hash);
    QCOMPARE(folderEntries(folder.path()), QStringList{name});
}

void TestCreateDatabase::emptyFileReplaced()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("empty.db");
    QVERIFY(writeFile(path));
    QVERIFY(createDatabase(path, "Test", QString()));
    QVERIFY(QFileInfo(path).size() > 0);
    QCOMPARE(folderEntries(folder.path()), QStringList{"empty.db"});
}

void TestCreateDatabase::missingFolder()
{
    QTemporaryDir folder;
    QString error;
    QVERIFY(!createDatabase(folder.filePath("missing/new.db"), "Test", QString(), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(folder.filePath("missing")));
    QVERIFY(!createDatabase(QString(), "Test", QString(), &error));
    QVERIFY(!error.isEmpty());
}

void TestCreateDatabase::failureLeavesNothing()
{
    QTemporaryDir folder;
    QString error;
    // The version row requires a name, so the last step fails after every table was made.
    QVERIFY(!createDatabase(folder.filePath("unnamed.db"), QString(), "Test", &error));
    QVERIFY(error.contains("maintenance"));
    QCOMPARE(folderEntries(folder.path()), QStringList());
    QCOMPARE(QSqlDatabase::connectionNames(), QStringList{Created});
}

void TestCreateDatabase::defaultConnectionKept()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES('open');"));
    const QStringList connections = QSqlDatabase::connectionNames();

    const QString other = database.folder() + "/other.db";
    QVERIFY(createDatabase(other, "Other", QString()));
    QCOMPARE(QSqlDatabase::connectionNames(), connections);
    QVERIFY(QSqlDatabase::database().isOpen());
    QCOMPARE(QSqlDatabase::database().databaseName(), database.path());
    QCOMPARE(CTestDatabase::column("SELECT name FROM datum;"), QVariantList{"open"});
    QVERIFY(!CTestDatabase::inTransaction());
    QCOMPARE(folderEntries(database.folder()), (QStringList{"other.db", "test.db"}));
}

QTEST_GUILESS_MAIN(TestCreateDatabase)
#include "test_createdatabase.moc"
