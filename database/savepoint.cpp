#include "savepoint.h"

#include <QDateTime>
#include <QSqlQuery>

CSavepoint::CSavepoint(const QString& operation, const QSqlDatabase& database)
    : m_database(database)
    , m_name(operation + QString::number(QDateTime::currentMSecsSinceEpoch()))
{
    m_active = exec(QString("SAVEPOINT %1;").arg(m_name));
}

CSavepoint::~CSavepoint()
{
    rollback();
}

bool CSavepoint::isActive() const
{
    return m_active;
}

const QString& CSavepoint::name() const
{
    return m_name;
}

bool CSavepoint::release()
{
    if (!m_active)
        return false;
    if (!exec(QString("RELEASE SAVEPOINT %1;").arg(m_name))) {
        rollback();
        return false;
    }
    m_active = false;
    return true;
}

void CSavepoint::rollback()
{
    if (!m_active)
        return;
    exec(QString("ROLLBACK TO %1;").arg(m_name));
    exec(QString("RELEASE SAVEPOINT %1;").arg(m_name));
    m_active = false;
}

bool CSavepoint::exec(const QString& statement)
{
    QSqlQuery query(m_database);
    return query.exec(statement);
}
