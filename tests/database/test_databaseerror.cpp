#include "failingreads.h"
#include "testdatabase.h"
#include "testfiles.h"

#include "database/databaseerror.h"
#include "database/sqlfunctions.h"
#include "database/statementwatch.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString heldText = QStringLiteral("база данных занята другой программой");

QSqlDatabase defaultConnection()
{
    return QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
}

// The reason that a failed statement on the default connection leaves.
QString statementFailure(const QString& statement)
{
    const CStatementWatch watch;
    QSqlQuery query;
    return execQuery(query, statement) ? QStringLiteral("no failure") : watch.reason();
}

bool reopenWith(const QString& path, const QString& options)
{
    QSqlDatabase database = defaultConnection();
    database.close();
    database.setDatabaseName(path);
    database.setConnectOptions(options);
    return database.open();
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The reason that a commit gives while another connection reads the file.
QString commitFailureWhileRead(const QString& path)
{
    const QString readerName = QStringLiteral("reader");
    QString failure = QStringLiteral("no failure");
    {
        QSqlDatabase reader = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), readerName);
        reader.setDatabaseName(path);
        QSqlQuery read(reader);
        QSqlDatabase connection = defaultConnection();
        if (reader.open() && read.exec(QStringLiteral("BEGIN;")) && read.exec(QStringLiteral("SELECT COUNT(*) FROM datum;"))
            && reopenWith(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=50")) && connection.transaction()
            && QSqlQuery().exec(QStringLiteral("INSERT INTO datum (name) VALUES('Новый');")) && !connection.commit()) {
            failure = databaseErrorText(connection.lastError());
            connection.rollback();
        }
        read.exec(QStringLiteral("ROLLBACK;"));
        read.finish();
        reader.close();
    }
    QSqlDatabase::removeDatabase(readerName);
    return failure;
}

} // namespace

class TestDatabaseError : public QObject
{
    Q_OBJECT

private slots:
    void realFailures_data();
    void realFailures();
    void resultCodes_data();
    void resultCodes();
};

void TestDatabaseError::realFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a statement on a file that another program holds") << "held" << heldText;
    QTest::newRow("a commit while another program reads the file") << "held commit" << heldText;
    QTest::newRow("a write to a file opened read-only") << "read-only" << "база данных открыта только для чтения";
    QTest::newRow("a text file") << "text" << "файл не является базой данных";
    QTest::newRow("a file cut short") << "truncated" << "файл базы данных повреждён";
    QTest::newRow("a file in a missing folder") << "missing folder" << "файл базы данных не открывается";
    QTest::newRow("a code twice") << "unique"
                                  << "значение должно быть единственным, но уже есть в другой записи (coordsystype.code)";
    QTest::newRow("a refusal by a trigger") << "trigger" << "нарушено ограничение базы данных: refused here";
}

// The conditions themselves, each with the reason that the user reads.
void TestDatabaseError::realFailures()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    CTestDatabase database;
    QVERIFY(database.isOpen());
    const QString path = QDir(database.folder()).filePath("other.db");
    QString failure;
    if (kind == "held") {
        const CExclusiveLock lock;
        QVERIFY(lock.isActive());
        failure = statementFailure("SELECT name FROM datum;");
    } else if (kind == "held commit") {
        failure = commitFailureWhileRead(database.path());
    } else if (kind == "read-only") {
        QVERIFY(reopenWith(database.path(), "QSQLITE_OPEN_READONLY"));
        failure = statementFailure("INSERT INTO datum (name) VALUES('Новый');");
    } else if (kind == "text" || kind == "truncated") {
        QVERIFY(writeFile(path, kind == "text" ? QByteArray(4096, 'x') : readAll(database.path()).left(8192)));
        QVERIFY(reopenWith(path, QString()));
        failure = statementFailure("SELECT * FROM coordsys;");
    } else if (kind == "missing folder") {
        QVERIFY(!reopenWith(QDir(database.folder()).filePath("missing/other.db"), QString()));
        failure = databaseErrorText(defaultConnection().lastError());
    } else if (kind == "unique") {
        failure = statementFailure("INSERT INTO coordsystype (code, name) VALUES(1, 'Второй');");
    } else if (kind == "trigger") {
        QVERIFY(CTestDatabase::exec("CREATE TRIGGER refuse BEFORE INSERT ON datum "
                                    "BEGIN SELECT RAISE(ABORT, 'refused here'); END;"));
        failure = statementFailure("INSERT INTO datum (name) VALUES('Новый');");
    }
    QCOMPARE(failure, reason);
}

void TestDatabaseError::resultCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("databaseText");
    QTest::addColumn<QString>("reason");
    // Extended codes carry the primary one in their low byte.
    QTest::newRow("busy, recovering") << "261" << "database is locked" << heldText;
    QTest::newRow("a locked table") << "6" << "database table is locked" << heldText;
    QTest::newRow("a locked shared cache") << "262" << "database table is locked" << heldText;
    QTest::newRow("read-only, moved") << "1032" << "attempt to write a readonly database"
                                      << "база данных открыта только для чтения";
    QTest::newRow("a short read") << "522" << "disk I/O error" << "ошибка чтения или записи файла базы данных";
    QTest::newRow("disk full") << "13" << "database or disk is full" << "нет места на диске для базы данных";
    QTest::newRow("a missing value") << "1299" << "NOT NULL constraint failed: datum.name"
                                     << "не задано обязательное значение (datum.name)";
    QTest::newRow("a check") << "275" << "CHECK constraint failed: positive" << "значение не проходит проверку (positive)";
    QTest::newRow("a foreign key") << "787" << "FOREIGN KEY constraint failed" << "нарушена связь между записями";
    QTest::newRow("a primary key") << "1555" << "UNIQUE constraint failed: datum.autokey"
                                   << "значение должно быть единственным, но уже есть в другой записи (datum.autokey)";
    // Qt's driver gives no code for a transaction that does not begin or commit.
    QTest::newRow("no code, a held file") << "" << "database is locked" << heldText;
    QTest::newRow("no code, a full disk") << "" << "database or disk is full" << "нет места на диске для базы данных";
    QTest::newRow("another error") << "1" << "no such table: x" << "no such table: x Невозможно выполнить выражение";
    QTest::newRow("an unknown code") << "23" << "not authorized" << "not authorized Невозможно выполнить выражение";
    QTest::newRow("no code, another text") << "" << "no such table: x" << "no such table: x Невозможно выполнить выражение";
}

void TestDatabaseError::resultCodes()
{
    QFETCH(QString, code);
    QFETCH(QString, databaseText);
    QFETCH(QString, reason);
    const QSqlError error(QStringLiteral("Невозможно выполнить выражение"), databaseText, QSqlError::StatementError, code);
    QCOMPARE(databaseErrorText(error), reason);
}

QTEST_MAIN(TestDatabaseError)
#include "test_databaseerror.moc"
