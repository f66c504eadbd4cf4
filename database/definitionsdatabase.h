#pragma once

#include <QString>

class QSqlDatabase;

// False, with the reason, unless the open database holds every table of the definitions
// schema with its columns. A file that SQLite cannot read gives SQLite's own reason.
bool checkDefinitionsDatabase(const QSqlDatabase& database, QString* error = nullptr);
// The same check on a file, read on a connection of its own that is removed again; nothing
// beside it or in it is created or changed. A rollback journal or write-ahead log left beside
// the file is applied, as opening the file would, but to a temporary copy.
bool isDefinitionsDatabaseFile(const QString& path, QString* error = nullptr);
