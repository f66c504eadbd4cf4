#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files as the program reads and writes them: read as UTF-8 (a byte-order mark skipped),
// or as Windows-1251 when the bytes are not valid UTF-8; written as UTF-8 in one piece, so a
// failed write leaves the old file whole.

QString decodeText(const QByteArray& bytes);
// False with the reason for the user when the file cannot be read.
bool readTextFile(const QString& path, QString& text, QString* error = nullptr);
bool writeTextFile(const QString& path, const QString& text, QString* error = nullptr);
// The lines of a text without their terminators; empty lines are kept, a final line
// terminator does not start another line.
QStringList textLines(const QString& text);
