#include "records/storagereadcheck.h"

#include "records/abstractdetails.h"
#include "records/unitdetails.h"

#include "database/databaseerror.h"
#include "database/tablecatalogue.h"

#include <QSqlError>
#include <QSqlQuery>

#include <utility>

namespace {

thread_local CStorageReadCheck* currentCheck = nullptr;

// Why the record that read is not complete: a stored number that does not read, else that it is
// incomplete.
QString incompleteText(const CAbstractDetails& record)
{
    for (const CNumberText& number : record.numberTexts()) {
        const QString fault = number.text.trimmed().isEmpty() ? QString() : unreadInUnit(number.text, number.unit);
        if (!fault.isEmpty())
            return QStringLiteral("«%1» (%2), поле %3: %4").arg(record.getName(), record.kindTitle(), number.path, fault);
    }
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
