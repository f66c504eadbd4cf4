#include "failingreads.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QVariant>

#include <sqlite3.h>

namespace {

const QString lockConnection = QStringLiteral("lock holder");

QSqlDatabase defaultConnection()
{
    return QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
}

sqlite3* defaultHandle()
{
    const QVariant handle = defaultConnection().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

int denyReads(void* deniedReads, int action, const char* table, const char* column, const char*, const char*)
{
    if (action != SQLITE_READ || !table || !column)
        return SQLITE_OK;
    const auto* denied = static_cast<const QByteArrayList*>(deniedReads);
    const QByteArray name(table);
    return denied->contains(name) || denied->contains(name + '.' + column) ? SQLITE_DENY : SQLITE_OK;
}

bool reopenDefault(const QString& options)
{
    QSqlDatabase database = defaultConnection();
    database.close();
    database.setConnectOptions(options);
    return database.open();
}

} // namespace

CDeniedReads::CDeniedReads(const QStringList& denied)
    : m_handle(defaultHandle())
{
    for (const QString& read : denied)
        m_denied.append(read.toUtf8());
    if (m_handle)
        sqlite3_set_authorizer(m_handle, denyReads, &m_denied);
}

CDeniedReads::~CDeniedReads()
{
    if (m_handle)
        sqlite3_set_authorizer(m_handle, nullptr, nullptr);
}

bool CDeniedReads::isActive() const
{
    return m_handle != nullptr;
}

CExclusiveLock::CExclusiveLock(int busyTimeout)
{
    const QString path = defaultConnection().databaseName();
    if (!reopenDefault(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout)))
        return;
    QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), lockConnection);
    holder.setDatabaseName(path);
    m_active = holder.open() && QSqlQuery(holder).exec(QStringLiteral("BEGIN EXCLUSIVE;"));
}

CExclusiveLock::~CExclusiveLock()
{
    {
        QSqlDatabase holder = QSqlDatabase::database(lockConnection, false);
        QSqlQuery(holder).exec(QStringLiteral("ROLLBACK;"));
        holder.close();
    }
    QSqlDatabase::removeDatabase(lockConnection);
    reopenDefault(QString());
}

bool CExclusiveLock::isActive() const
{
    return m_active;
}
