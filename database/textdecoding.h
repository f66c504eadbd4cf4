#pragma once

#include <QByteArray>
#include <QString>

// Text files as the program reads them: UTF-8 (a byte-order mark skipped), or Windows-1251
// when the bytes are not valid UTF-8.

QString decodeText(const QByteArray& bytes);
// False with the reason for the user when the file cannot be read.
bool readTextFile(const QString& path, QString& text, QString* error = nullptr);
