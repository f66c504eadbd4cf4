#include "records/storagereadcheck.h"

#include "records/abstractdetails.h"

#include "database/databaseerror.h"
#include "database/tablecatalogue.h"

#include <QSqlError>
#include <QSqlQuery>

#include <utility>

namespace {

thread_local CStorageReadCheck* currentCheck = nullptr;

QString incompleteText(const CAbstractDetails& record)
{
    return QStringLiteral("неполное определение «%1» (%2)").arg(record.getName(), record.kindTitle());
}

} // namespace

CStorageReadCheck::CStorageReadCheck()
    : m_outer(currentCheck)
{
    currentCheck = this;
}

CStorageReadCheck::~CStorageReadCheck()
{
    currentCheck = m_outer;
}

QString CStorageReadCheck::reason(const CAbstractDetails& record) const
{
    return m_fault.isEmpty() ? incompleteText(record) : m_fault;
}

void CStorageReadCheck::noteRowNotRead(int tableId, int key, const QSqlQuery& query)
{
    if (!currentCheck)
        return;
    const QSqlError error = query.lastError();
    currentCheck->m_fault =
        error.isValid()
            ? QStringLiteral("ошибка чтения таблицы «%1»: %2").arg(tableTitle(tableId), databaseErrorText(error))
            : QStringLiteral("нет записи с ключом %1 в таблице «%2»").arg(QString::number(key), tableTitle(tableId));
}

void CStorageReadCheck::noteNotNumber(const QString& column, const QString& value)
{
    if (currentCheck)
        currentCheck->m_fault = QStringLiteral("значение «%1» поля %2 не является числом").arg(value, column);
}

bool CStorageReadCheck::readLinked(const CAbstractDetails& linked, const std::function<bool()>& read)
{
    CStorageReadCheck* check = currentCheck;
    if (!check)
        return read();
    const QString before = std::exchange(check->m_fault, QString());
    if (read()) {
        check->m_fault = before;
        return true;
    }
    if (check->m_fault.isEmpty())
        check->m_fault = incompleteText(linked);
    else if (!linked.getName().isEmpty())
        check->m_fault = QStringLiteral("«%1» (%2): %3").arg(linked.getName(), linked.kindTitle(), check->m_fault);
    return false;
}
