#include "testdatabase.h"

#include "database/createdatabase.h"
#include "database/sqlfunctions.h"

#include <QSqlDatabase>
#include <QSqlQuery>

CTestDatabase::CTestDatabase()
    : m_path(m_folder.filePath(QStringLiteral("test.db")))
{
    if (!m_folder.isValid() || !createDatabase(m_path, QStringLiteral("Test"), QString()))
        return;
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    database.setDatabaseName(m_path);
    m_open = database.open();
}

CTestDatabase::~CTestDatabase()
{
    {
        QSqlDatabase database = QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
        database.close();
    }
    QSqlDatabase::removeDatabase(QSqlDatabase::defaultConnection);
}

bool CTestDatabase::isOpen() const
{
    return m_open;
}

QString CTestDatabase::path() const
{
    return m_path;
}

QString CTestDatabase::folder() const
{
    return m_folder.path();
}

bool CTestDatabase::exec(const QString& statement, const QVariantList& values)
{
    QSqlQuery query;
    return execQuery(query, statement, values);
}

QVariantList CTestDatabase::column(const QString& statement, const QVariantList& values)
{
    QSqlQuery query;
    QVariantList result;
    if (!execQuery(query, statement, values))
        return result;
    while (query.next())
        result.append(query.value(0));
    return result;
}

QVariant CTestDatabase::value(const QString& statement, const QVariantList& values)
{
    const QVariantList result = column(statement, values);
    return result.isEmpty() ? QVariant() : result.first();
}

bool CTestDatabase::inTransaction()
{
    QSqlQuery query;
    if (!query.exec(QStringLiteral("BEGIN;")))
        return true;
    query.exec(QStringLiteral("ROLLBACK;"));
    return false;
}

bool CTestDatabase::reopen(const QString& path)
{
    QSqlDatabase database = QSqlDatabase::contains() ? QSqlDatabase::database(QSqlDatabase::defaultConnection, false)
                                                     : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    database.close();
    database.setDatabaseName(path);
    return database.open();
}
