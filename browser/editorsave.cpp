#include "editorsave.h"

#include "guihelpers.h"
#include "prompt.h"

#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"

#include <QSqlQuery>

namespace {

const QString warningTitle = QStringLiteral("Предупреждение");
const QString writeFailure = QStringLiteral("Ошибка записи в базу данных");

bool passChecks(QWidget* dialog, const CEditorSave& save, int key)
{
    if (save.checkName && !save.checkName(key))
        return false;
    for (const auto& check : save.checks) {
        const QString failure = check();
        if (!failure.isEmpty()) {
            prompt().warning(dialog, warningTitle, failure);
            return false;
        }
    }
    return true;
}

bool update(QWidget* dialog, const CEditorSave& save, int key)
{
    const CSqlStatement statement = save.update(key);
    QSqlQuery query;
    if (execQuery(query, statement.text, statement.values) && query.numRowsAffected() > 0)
        return true;
    sqlWarning(query, writeFailure, dialog);
    return false;
}

bool insert(QWidget* dialog, const CEditorSave& save, int& key)
{
    if (!save.insert) {
        prompt().warning(dialog, warningTitle, writeFailure);
        return false;
    }
    const CSqlStatement statement = save.insert();
    QSqlQuery query;
    int inserted = NoValue;
    if (execQuery(query, statement.text, statement.values) && query.numRowsAffected() > 0)
        inserted = save.insertedKey ? save.insertedKey() : insertedKey(query);
    if (inserted == NoValue) {
        sqlWarning(query, writeFailure, dialog);
        return false;
    }
    key = inserted;
    return true;
}

} // namespace

CSqlStatement insertStatement(int tableId, const QStringList& columns, const QVariantList& values)
{
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return {QString("INSERT INTO %1 (%2) VALUES (%3);").arg(tableName(tableId), columns.join(","), marks.join(",")),
            values};
}

CSqlStatement updateStatement(int tableId, int key, const QStringList& columns, const QVariantList& values)
{
    return {QString("UPDATE %1 SET %2=? WHERE %3=?;")
                .arg(tableName(tableId), columns.join("=?, "), keyColumnName(tableId)),
            values + QVariantList{key}};
}

bool saveRecord(QWidget* dialog, const CEditorSave& save, int& key)
{
    if (!passChecks(dialog, save, key))
        return false;
    return key == NoValue ? insert(dialog, save, key) : update(dialog, save, key);
}
