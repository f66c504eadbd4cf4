#pragma once

#include <QString>

// Creates a complete definitions database (schema, fixed rows of the code tables and the
// version row) in a new file. The file is built beside the target under a temporary name on
// a connection of its own and moved into place only when everything succeeded; an existing
// non-empty file is never touched. On failure returns false and, when error is given, the
// reason for the user.
bool createDatabase(const QString& fileName, const QString& name, const QString& description,
                    QString* error = nullptr);
