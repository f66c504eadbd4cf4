#pragma once

#include <QByteArray>
#include <QString>

// Writes the content into a new or truncated file; false when it cannot be written.
bool writeFile(const QString& path, const QByteArray& content = QByteArray());
