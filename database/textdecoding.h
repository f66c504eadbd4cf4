#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Text files as the program reads them: UTF-8 (a byte-order mark skipped), or Windows-1251
// when the bytes are not valid UTF-8.

QString decodeText(const QByteArray& bytes);
// False with the reason for the user when the file cannot be read.
bool readTextFile(const QString& path, QString& text, QString* error = nullptr);

// Reads a text file in blocks of whole lines, as bytes (a byte-order mark at the start skipped)
// for the caller to decode, so a file of any size is read in bounded memory.
class CLineBlockReader
{
public:
    explicit CLineBlockReader(const QString& path);

    // False with the reason for the user when the file cannot be opened.
    bool open(QString* error = nullptr);
    // The next block: about the given number of bytes, ending after a line terminator, or the
    // rest of the file. False at the end of the file, or with the reason when it cannot be read
    // (failed).
    bool read(QByteArray& block, qint64 bytes, QString* error = nullptr);
    bool failed() const;

private:
    QFile m_file;
    QByteArray m_rest;
    bool m_started = false;
    bool m_failed = false;
};
