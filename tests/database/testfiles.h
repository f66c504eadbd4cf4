#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes the content into a new or truncated file; false when it cannot be written.
bool writeFile(const QString& path, const QByteArray& content = QByteArray());
// Runs the statements on a new SQLite file through a connection of its own; false when one fails.
bool writeSqliteFile(const QString& path, const QStringList& statements);
