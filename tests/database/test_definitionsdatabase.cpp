#include "testdatabase.h"
#include "testfiles.h"

#include "database/createdatabase.h"
#include "database/definitionsdatabase.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Each file of the folder with its time of change and a digest of its bytes.
QStringList folderState(const QString& path)
{
    QStringList state;
    for (const QFileInfo& file : QDir(path).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
        state.append(QString("%1 %2 %3").arg(file.fileName(), file.lastModified().toString(Qt::ISODateWithMs),
                                             QString::fromLatin1(QCryptographicHash::hash(readAll(file.filePath()), QCryptographicHash::Sha256).toHex())));
    return state;
}

// Copies the database, with its journal or log of the given suffix, while the statements are
// under way on it: the files as a crash would leave them. Closing rolls an open change back.
bool copyMidChange(const QString& source, const QString& target, const QString& suffix, const QStringList& statements)
{
    return writeSqliteFile(source, statements, [&] {
        return QFile::copy(source, target) && QFile::copy(source + suffix, target + suffix);
    });
}

} // namespace

class TestDefinitionsDatabase : public QObject
{
    Q_OBJECT

private slots:
    void aDatabaseMadeByCreateDatabasePasses();
    void otherFilesAreRefusedWithTheReason_data();
    void otherFilesAreRefusedWithTheReason();
    void theOpenDatabaseIsChecked();
    void checkingLeavesTheFolderAsItWas_data();
    void checkingLeavesTheFolderAsItWas();
    void creationDateIsTheSameUnderARussianDesktop();

private:
    QTemporaryDir m_folder;
};

void TestDefinitionsDatabase::aDatabaseMadeByCreateDatabasePasses()
{
    const QString path = m_folder.filePath("made.db");
    QVERIFY(createDatabase(path, "Made", QString()));
    const QByteArray before = readAll(path);
    QString error = "untouched";
    QVERIFY(isDefinitionsDatabaseFile(path, &error));
    QCOMPARE(error, QString("untouched"));
    QCOMPARE(readAll(path), before);
    QVERIFY(!QSqlDatabase::contains("DefinitionsCheck"));
}

void TestDefinitionsDatabase::otherFilesAreRefusedWithTheReason_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("another schema") << "foreign" << "Файл не является базой данных определений: нет таблицы «unitangleformat»";
    QTest::newRow("a missing table") << "missing table" << "Файл не является базой данных определений: нет таблицы «coordsys»";
    QTest::newRow("a missing column") << "missing column"
                                      << "Файл не является базой данных определений: в таблице «coordsys» нет столбца «swap_coords»";
    QTest::newRow("empty") << "empty" << "В файле нет таблиц";
    QTest::newRow("text") << "text" << "файл не является базой данных";
    QTest::newRow("truncated") << "truncated" << "файл базы данных повреждён";
    QTest::newRow("missing file") << "none" << "файл базы данных не открывается";
}

void TestDefinitionsDatabase::otherFilesAreRefusedWithTheReason()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString path = m_folder.filePath(kind + ".db");
    if (kind == "foreign") {
        QVERIFY(writeSqliteFile(path, {"CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT);"}));
    } else if (kind == "missing table" || kind == "missing column") {
        QVERIFY(createDatabase(path, "Made", QString()));
        const QString change = kind == "missing table" ? "DROP TABLE coordsys;"
                                                       : "ALTER TABLE coordsys RENAME COLUMN swap_coords TO swapped;";
        QVERIFY(writeSqliteFile(path, {change}));
    } else if (kind == "empty") {
        QVERIFY(writeFile(path));
    } else if (kind == "text") {
        QVERIFY(writeFile(path, QByteArray(4096, 'x')));
    } else if (kind == "truncated") {
        const QString whole = m_folder.filePath("whole.db");
        QVERIFY(createDatabase(whole, "Made", QString()));
        QVERIFY(writeFile(path, readAll(whole).left(8192)));
    }
    const QByteArray before = readAll(path);
    QString error;
    QVERIFY(!isDefinitionsDatabaseFile(path, &error));
    QVERIFY2(error.contains(reason, Qt::CaseInsensitive), qPrintable(error));
    QCOMPARE(readAll(path), before);
    QCOMPARE(QFile::exists(path), kind != "none");
}

void TestDefinitionsDatabase::checkingLeavesTheFolderAsItWas_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a database") << "plain" << "made.db" << "";
    QTest::newRow("a name to escape in a URI") << "plain" << "база ?#%20 &x=1.db" << "";
    QTest::newRow("a database in WAL mode") << "wal" << "wal.db" << "";
    QTest::newRow("a header asking for WAL") << "header" << "header.db" << "файл не является базой данных";
    QTest::newRow("a table dropped in the log") << "log" << "log.db" << "«maintenance»";
    QTest::newRow("a change to roll back") << "journal" << "journal.db" << "";
}

// The check reads the file as an open would, and writes nothing beside it or in it.
void TestDefinitionsDatabase::checkingLeavesTheFolderAsItWas()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const QString made = m_folder.filePath("source.db");
    QFile::remove(made);
    QVERIFY(createDatabase(made, "Made", QString()));
    const QString folder = m_folder.filePath(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(name);
    if (kind == "plain") {
        QVERIFY(QFile::copy(made, path));
    } else if (kind == "wal") {
        QVERIFY(writeSqliteFile(made, {"PRAGMA journal_mode=WAL;"}));
        QVERIFY(QFile::copy(made, path));
    } else if (kind == "header") {
        QVERIFY(writeFile(path, QByteArray("SQLite format 3\0\x02\x00\x01\x02", 20)));
    } else if (kind == "log") {
        QVERIFY(copyMidChange(made, path, "-wal",
                              {"PRAGMA journal_mode=WAL;", "PRAGMA wal_autocheckpoint=0;", "DROP TABLE maintenance;"}));
    } else if (kind == "journal") {
        QVERIFY(copyMidChange(made, path, "-journal",
                              {"PRAGMA cache_size=1;", "BEGIN;", "DROP TABLE maintenance;", "DELETE FROM coordsys;"}));
    }
    const QStringList before = folderState(folder);
    QString error;
    QCOMPARE(isDefinitionsDatabaseFile(path, &error), reason.isEmpty());
    QVERIFY2(error.contains(reason, Qt::CaseInsensitive), qPrintable(error));
    QCOMPARE(folderState(folder), before);
}

void TestDefinitionsDatabase::theOpenDatabaseIsChecked()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    const QSqlDatabase connection = QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
    QVERIFY(checkDefinitionsDatabase(connection));
    QVERIFY(CTestDatabase::exec("DROP TABLE maintenance;"));
    QString error;
    QVERIFY(!checkDefinitionsDatabase(connection, &error));
    QVERIFY(error.contains("«maintenance»"));
}

// The test runs under a Russian desktop (see main), where the day and month names of the
// system locale are Russian.
void TestDefinitionsDatabase::creationDateIsTheSameUnderARussianDesktop()
{
    QCOMPARE(QLocale::system().name(), QString("ru_RU"));
    const QString path = m_folder.filePath("dated.db");
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QVERIFY(createDatabase(path, "Dated", QString()));
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    QString text;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", "dated");
        database.setDatabaseName(path);
        QVERIFY(database.open());
        QSqlQuery query(database);
        QVERIFY(query.exec("SELECT creation_date FROM maintenance;") && query.next());
        text = query.value(0).toString();
    }
    QSqlDatabase::removeDatabase("dated");
    QVERIFY2(QRegularExpression("^[A-Z][a-z]{2} [A-Z][a-z]{2} \\d{1,2} \\d\\d:\\d\\d:\\d\\d \\d{4}$").match(text).hasMatch(),
             qPrintable(text));
    const QDateTime created = QLocale::c().toDateTime(text, "ddd MMM d HH:mm:ss yyyy");
    QVERIFY2(created >= before && created <= after, qPrintable(text));
}

int main(int argc, char** argv)
{
    qputenv("LC_ALL", "ru_RU.UTF-8");
    qputenv("LANG", "ru_RU.UTF-8");
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationVersion("0.03 beta");
    TestDefinitionsDatabase test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_definitionsdatabase.moc"
