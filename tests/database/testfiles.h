#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Writes the content into a new or truncated file; false when it cannot be written.
bool writeFile(const QString& path, const QByteArray& content = QByteArray());
// Runs the statements on a new SQLite file through a connection of its own, then whileOpen
// (when given) before the connection closes; false when one fails.
bool writeSqliteFile(const QString& path, const QStringList& statements,
                     const std::function<bool()>& whileOpen = nullptr);
