#include "records/recordstorage.h"

#include "records/abstractdetails.h"

#include "database/databaseerror.h"
#include "database/names.h"
#include "database/numbers.h"
#include "database/savepoint.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

namespace RecordStorage {

namespace {

QString writeFailure(const QSqlQuery& query)
{
    return QString("Ошибка записи в базу данных: %1").arg(databaseErrorText(query.lastError()));
}

QString placeholders(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks.append(QStringLiteral("?"));
    return marks.join(QLatin1Char(','));
}

QString insertStatement(int tableId, const QStringList& columns)
{
    return QString("INSERT INTO %1 (%2) VALUES(%3);")
        .arg(tableName(tableId), columns.join(QLatin1Char(',')), placeholders(columns.size()));
}

} // namespace

bool readRow(int tableId, int key, QSqlRecord& row)
{
    QSqlQuery query;
    if (!execQuery(query,
                   QString("SELECT * FROM %1 WHERE %2=?;").arg(tableName(tableId), keyColumnName(tableId)),
                   {key})
        || !query.first()) {
        CStorageReadCheck::noteRowNotRead(tableId, key, query);
        return false;
    }
    row = query.record();
    return true;
}

bool selectKeys(const QString& statement, const QVariantList& values, QVector<int>& keys)
{
    QSqlQuery query;
    if (!execQuery(query, statement, values))
        return false;
    while (query.next())
        keys.append(variantToIntOrNone(query.value(0)));
    return true;
}

bool selectKeysByBaseName(int tableId, const QString& name, QVector<int>& keys)
{
    const QString key = keyColumnName(tableId);
    const QString base = baseName(name);
    return selectKeys(QString("SELECT %1 FROM %2 WHERE (name=?) OR (name=?) OR (name LIKE ? ESCAPE '\\') "
                              "ORDER BY %1;")
                          .arg(key, tableName(tableId)),
                      {name, base, escapeLikePattern(base) + QStringLiteral("[%")}, keys);
}

QString uniqueName(int tableId, const QString& name)
{
    return makeUniqueName(tableName(tableId), QStringLiteral("name"), name);
}

int insertRow(int tableId, const QStringList& columns, const QVariantList& values, QString* error)
{
    QSqlQuery query;
    if (!execQuery(query, insertStatement(tableId, columns), values))
        return fail(error, writeFailure(query));
    const int key = insertedKey(query);
    if (key == NoValue)
        return fail(error,
                    QString("Не удалось прочитать ключ новой записи таблицы %1").arg(tableName(tableId)));
    return key;
}

bool insertCodeRow(int tableId, const QStringList& columns, const QVariantList& values, QString* error)
{
    QSqlQuery query;
    if (!execQuery(query, insertStatement(tableId, columns), values))
        return failWith(error, writeFailure(query));
    return query.numRowsAffected() == 1
        || failWith(error, QString("Запись не добавлена в таблицу %1").arg(tableName(tableId)));
}

int findCode(int tableId, int code)
{
    QVector<int> codes;
    const QString key = keyColumnName(tableId);
    if (!selectKeys(QString("SELECT %1 FROM %2 WHERE %1=?;").arg(key, tableName(tableId)), {code}, codes)
        || codes.isEmpty())
        return NoValue;
    return codes.first();
}

bool runInSavepoint(const QString& operation, QString* error, const std::function<bool()>& work)
{
    CSavepoint savepoint(operation);
    if (!savepoint.isActive())
        return failWith(error, QStringLiteral("Не удалось начать запись в базу данных"));
    const CStatementWatch watch;
    if (!work() || !answered(watch, error))
        return false;
    return savepoint.release() || failWith(error, QStringLiteral("Не удалось завершить запись в базу данных"));
}

int storeInSavepoint(const QString& operation, QString* error, const std::function<int()>& store)
{
    int key = NoValue;
    const bool stored = runInSavepoint(operation, error, [&] {
        key = store();
        return key != NoValue;
    });
    return stored ? key : NoValue;
}

bool exec(const QString& statement, const QVariantList& values)
{
    QSqlQuery query;
    return execQuery(query, statement, values);
}

QString text(const QSqlRecord& row, const QString& column)
{
    return row.value(column).toString();
}

int number(const QSqlRecord& row, const QString& column, int nullValue)
{
    return variantToInt(row.value(column), nullValue);
}

int link(const QSqlRecord& row, const QString& column)
{
    return variantToInt(row.value(column), 0);
}

QVariant linkValue(int key)
{
    return key == NoValue ? QVariant(QVariant::Int) : QVariant(key);
}

QVariant now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

int fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return NoValue;
}

QString incompleteReason(const CAbstractDetails& record)
{
    return QString("Неполное определение «%1» (%2) не может быть сохранено")
        .arg(record.getName(), record.kindTitle());
}

QString invalidCodeReason(int tableId, int code)
{
    return QString("Недопустимый код %1 в таблице «%2»").arg(QString::number(code), tableTitle(tableId));
}

QString typeMismatchReason(const QString& kind, const QString& name, int type, int typeRecordCode)
{
    return QString("Тип %1 «%2» (%3) не совпадает с записью типа (%4)")
        .arg(kind, name, QString::number(type), QString::number(typeRecordCode));
}

bool answered(const CStatementWatch& watch, QString* error)
{
    return !watch.failed() || failWith(error, QString("Ошибка чтения базы данных: %1").arg(watch.reason()));
}

} // namespace RecordStorage
