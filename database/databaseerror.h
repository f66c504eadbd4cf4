#pragma once

#include <QString>

class QSqlError;

// The reason for the user of a database error: SQLite's results that a user meets (a file held
// by another program, read-only, damaged, a full disk, a broken constraint) in Russian, with
// SQLite's detail where it names what failed; any other error as its own text.
QString databaseErrorText(const QSqlError& error);
