#pragma once

#include <QString>

class QSqlDatabase;

// False, with the reason, unless the open database holds every table of the definitions
// schema with its columns. A file that SQLite cannot read gives SQLite's own reason.
bool checkDefinitionsDatabase(const QSqlDatabase& database, QString* error = nullptr);
// The same check on a file, opened read-only on a connection of its own that is removed
// again; the file is never created or changed.
bool isDefinitionsDatabaseFile(const QString& path, QString* error = nullptr);
