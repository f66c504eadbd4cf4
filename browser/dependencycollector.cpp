#include "dependencycollector.h"

#include "prompt.h"

#include "database/databaseerror.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

QString dependentsStatement(const CDependentKind& kind)
{
    QStringList conditions;
    for (const QString& column : kind.columns)
        conditions.append(column.contains(QLatin1Char('?')) ? column : column + QStringLiteral("=?"));
    return QString("SELECT name, description FROM %1 WHERE %2 ORDER BY name;")
        .arg(tableName(kind.tableId), conditions.join(QStringLiteral(" OR ")));
}

bool collectKind(const CDependentKind& kind, int key, QVector<DependencyItem>& items, QString* error)
{
    QSqlQuery query;
    QVariantList keys;
    for (int i = 0; i < kind.columns.size(); ++i)
        keys.append(key);
    if (!execQuery(query, dependentsStatement(kind), keys)) {
        if (error)
            *error = databaseErrorText(query.lastError());
        return false;
    }
    while (query.next()) {
        DependencyItem item;
        item.typeTitle = kind.title;
        item.name = query.value(0).toString();
        item.description = query.value(1).toString();
        item.tableId = kind.tableId;
        item.tableName = tableName(kind.tableId);
        item.key = key;
        items.append(item);
    }
    return true;
}

bool deleteRow(int tableId, int key)
{
    QSqlQuery query;
    const QString statement = QString("DELETE FROM %1 WHERE %2=?;").arg(tableName(tableId), keyColumnName(tableId));
    return execQuery(query, statement, {key}) && query.numRowsAffected() > 0;
}

} // namespace

bool collectDependencies(const QVector<CDependentKind>& kinds, int key, QVector<DependencyItem>& items,
                         QString* error)
{
    for (const CDependentKind& kind : kinds) {
        if (!collectKind(kind, key, items, error))
            return false;
    }
    return true;
}

bool eraseRecord(int tableId, int key, const QVector<CDependentKind>& dependents, const std::function<bool()>& cascade)
{
    QVector<DependencyItem> items;
    QString error;
    if (!collectDependencies(dependents, key, items, &error)) {
        prompt().warning(nullptr, QStringLiteral("Предупреждение"),
                         QStringLiteral("Не удалось проверить зависимости записи:\n") + error);
        return false;
    }
    if (!items.isEmpty()) {
        DialogDependencies::execute(items);
        return false;
    }
    return RecordStorage::runInSavepoint(QString("Erase_%1_").arg(tableName(tableId)), nullptr,
                                         [&] { return deleteRow(tableId, key) && (!cascade || cascade()); });
}
