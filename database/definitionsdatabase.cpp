#include "definitionsdatabase.h"

#include "databaseerror.h"
#include "failure.h"
#include "schema.h"
#include "tablecatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <QStringList>
#include <QTemporaryDir>

namespace {

// The names of the tables; false with SQLite's reason when the file cannot be read.
bool readTableNames(const QSqlDatabase& database, QStringList& names, QString* error)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table';")))
        return failWith(error, databaseErrorText(query.lastError()));
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

// Checks the database that name gives on a connection of its own, removed again.
bool checkOnConnection(const QString& name, const QString& options, QString* error)
{
    const QString connection = QStringLiteral("DefinitionsCheck");
    bool result = false;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(name);
        database.setConnectOptions(options);
        if (!database.open())
            failWith(error, databaseErrorText(database.lastError()));
        else
            result = checkDefinitionsDatabase(database, error);
        database.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return result;
}

// The file as read without locks, journal or log, so that SQLite writes nothing beside it.
QString immutableUri(const QString& path)
{
    const QByteArray escaped = QFileInfo(path).absoluteFilePath().toUtf8().toPercentEncoding("/");
    return QStringLiteral("file:") + QString::fromLatin1(escaped) + QStringLiteral("?immutable=1");
}

// The rollback journal and the write-ahead log, which an open of the file would apply.
const QStringList sideSuffixes{QStringLiteral("-journal"), QStringLiteral("-wal")};

bool hasPendingChanges(const QString& path)
{
    for (const QString& suffix : sideSuffixes) {
        if (QFileInfo(path + suffix).size() > 0)
            return true;
    }
    return false;
}

bool copyForCheck(const QString& from, const QString& to, QString* error)
{
    QFile file(from);
    // SQLite rolls a journal back only in a file it may write.
    if (file.copy(to) && QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return true;
    return failWith(error, QString("Не удалось скопировать файл для проверки: %1\n%2").arg(from, file.errorString()));
}

// Checks a copy of the file and its side files, to which SQLite applies them as an open would.
bool checkCopy(const QString& path, QString* error)
{
    const QTemporaryDir folder;
    if (!folder.isValid())
        return failWith(error, folder.errorString());
    const QString copy = folder.filePath(QStringLiteral("check.db"));
    if (!copyForCheck(path, copy, error))
        return false;
    for (const QString& suffix : sideSuffixes) {
        if (QFileInfo::exists(path + suffix) && !copyForCheck(path + suffix, copy + suffix, error))
            return false;
    }
    return checkOnConnection(copy, QString(), error);
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
    if (hasPendingChanges(path))
        return checkCopy(path, error);
    return checkOnConnection(immutableUri(path), QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"), error);
}
