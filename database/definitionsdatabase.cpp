#include "definitionsdatabase.h"

#include "failure.h"
#include "schema.h"
#include "tablecatalogue.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <QStringList>

namespace {

// The names of the tables; false with SQLite's reason when the file cannot be read.
bool readTableNames(const QSqlDatabase& database, QStringList& names, QString* error)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table';")))
        return failWith(error, query.lastError().text());
    while (query.next())
        names.append(query.value(0).toString());
    return true;
}

bool checkTable(const QSqlDatabase& database, const CTableSchema& table, const QStringList& names, QString* error)
{
    const QString name = tableName(table.table);
    if (!names.contains(name, Qt::CaseInsensitive))
        return failWith(error, QString("Файл не является базой данных определений: нет таблицы «%1»").arg(name));
    const QSqlRecord record = database.record(name);
    for (const CColumnSchema& column : table.columns) {
        if (!record.contains(column.name))
            return failWith(error, QString("Файл не является базой данных определений: в таблице «%1» нет столбца «%2»")
                                   .arg(name, column.name));
    }
    return true;
}

} // namespace

bool checkDefinitionsDatabase(const QSqlDatabase& database, QString* error)
{
    QStringList names;
    if (!readTableNames(database, names, error))
        return false;
    if (names.isEmpty())
        return failWith(error, QStringLiteral("В файле нет таблиц"));
    for (const CTableSchema& table : databaseSchema()) {
        if (!checkTable(database, table, names, error))
            return false;
    }
    return true;
}

bool isDefinitionsDatabaseFile(const QString& path, QString* error)
{
    const QString connection = QStringLiteral("DefinitionsCheck");
    bool result = false;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(path);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!database.open())
            failWith(error, database.lastError().text());
        else
            result = checkDefinitionsDatabase(database, error);
        database.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return result;
}
