#include "sqlfunctions.h"

#include "databaseerror.h"
#include "names.h"
#include "novalue.h"
#include "numbers.h"
#include "savepoint.h"
#include "statementwatch.h"
#include "tablecatalogue.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVector>

namespace {

// Tells the statement watch that the query's statement failed; false.
bool failed(const QSqlQuery& query)
{
    CStatementWatch::noteFailure(databaseErrorText(query.lastError()));
    return false;
}

struct CTransformTables {
    QString lists;
    QString transforms;
    QString values;
};

bool selectRows(const QString& statement, const QVariantList& values, QVector<QSqlRecord>& rows)
{
    QSqlQuery query;
    if (!execQuery(query, statement, values))
        return false;
    while (query.next())
        rows.append(query.record());
    return true;
}

int insertRow(const QString& statement, const QVariantList& values)
{
    QSqlQuery query;
    if (!execQuery(query, statement, values))
        return NoValue;
    return insertedKey(query);
}

int copyListRow(int listKey, const CTransformTables& source, const CTransformTables& target)
{
    return insertRow(QString("INSERT INTO %1 (name, description, identifier, owner_table, scope, "
                             "favourite, last_use) SELECT name, description, identifier, owner_table, "
                             "scope, favourite, last_use FROM %2 where %3 = ?;")
                         .arg(target.lists, source.lists, keyColumnName(TableTransformList)),
                     {listKey});
}

bool copyParamValues(const QVariant& sourceTransform, int copyTransform,
                     const CTransformTables& source, const CTransformTables& target)
{
    QVector<QSqlRecord> values;
    if (!selectRows(QString("SELECT * FROM %1 WHERE transform=?;").arg(source.values),
                    {sourceTransform}, values))
        return false;
    const QString insert = QString("INSERT INTO %1 (transform,param,value,unit) VALUES(?, ?, ?,?);")
                               .arg(target.values);
    for (const QSqlRecord& value : values) {
        QSqlQuery query;
        if (!execQuery(query, insert, {copyTransform, value.value("param"), value.value("value"),
                                       value.value("unit")})
            || query.numRowsAffected() != 1)
            return false;
    }
    return true;
}

bool copyTransforms(int listKey, int copyKey, const CTransformTables& source,
                    const CTransformTables& target)
{
    QVector<QSqlRecord> transforms;
    if (!selectRows(QString("SELECT * FROM %1 WHERE transform_list=? ORDER BY number;").arg(source.transforms),
                    {listKey}, transforms))
        return false;
    const QString insert = QString("INSERT INTO %1 (name,description,type,transform_list,number,"
                                   "favourite,last_use) VALUES(?,?, ?, ?, ?, ?, ?);")
                               .arg(target.transforms);
    const QString key = keyColumnName(TableTransform);
    for (const QSqlRecord& transform : transforms) {
        const int copyTransform = insertRow(insert, {transform.value("name"), transform.value("description"),
                                                     transform.value("type"), copyKey,
                                                     transform.value("number"), transform.value("favourite"),
                                                     QDateTime::currentMSecsSinceEpoch()});
        if (copyTransform == NoValue || !copyParamValues(transform.value(key), copyTransform, source, target))
            return false;
    }
    return true;
}

bool setOwner(const CTransformTables& target, int copyKey, int ownerKey)
{
    QSqlQuery query;
    return execQuery(query,
                     QString("UPDATE %1 SET  owner   = ?,      last_use= ?  WHERE %2 = ?;")
                         .arg(target.lists, keyColumnName(TableTransformList)),
                     {ownerKey, QDateTime::currentMSecsSinceEpoch(), copyKey})
        && query.numRowsAffected() == 1;
}

} // namespace

bool execQuery(QSqlQuery& query, const QString& statement, const QVariantList& values)
{
    if (!query.prepare(statement))
        return failed(query);
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec() || failed(query);
}

int insertedKey(const QSqlQuery& query)
{
    if (!query.isActive() || query.numRowsAffected() < 1)
        return NoValue;
    return variantToIntOrNone(query.lastInsertId());
}

QString escapeLikePattern(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

QString makeUniqueName(const QString& table, const QString& column, const QString& name)
{
    const QString statement = QString("SELECT %1 FROM %2 WHERE %3=?;").arg(column, table, column);
    QString current = name;
    QSqlQuery query;
    while (execQuery(query, statement, {current}) && query.next())
        current = nextNumberedName(current);
    return current;
}

bool execSqlInSavepoint(const QStringList& statements)
{
    CSavepoint savepoint(QStringLiteral("ExecSql"));
    if (!savepoint.isActive())
        return false;
    for (const QString& statement : statements) {
        QSqlQuery query;
        if (!query.exec(statement))
            return false;
    }
    return savepoint.release();
}

int copyTransformList(int listKey, const QString& listTable, const QString& transformTable,
                      const QString& valueTable, int ownerKey)
{
    const CTransformTables standard{tableName(TableTransformList), tableName(TableTransform),
                                    tableName(TableTransformParamValue)};
    const CTransformTables given{listTable, transformTable, valueTable};
    const bool toStandard = ownerKey != NoValue;
    const CTransformTables& source = toStandard ? given : standard;
    const CTransformTables& target = toStandard ? standard : given;

    CSavepoint savepoint(QStringLiteral("CopyTransformList"));
    if (!savepoint.isActive())
        return NoValue;
    const int copyKey = copyListRow(listKey, source, target);
    if (copyKey == NoValue || !copyTransforms(listKey, copyKey, source, target))
        return NoValue;
    if (toStandard && !setOwner(target, copyKey, ownerKey))
        return NoValue;
    return savepoint.release() ? copyKey : NoValue;
}
