#pragma once

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
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

// Reads a text file in blocks of whole lines, as bytes (a byte-order mark at the start skipped)
// for the caller to decode, so a file of any size is read in bounded memory.
class CLineBlockReader
{
public:
    explicit CLineBlockReader(const QString& path);

    bool open(QString* error = nullptr);
    // The next block: about the given number of bytes, ending after a line terminator, or
    // the rest of the file. False at the end of the file, or with the reason when it cannot be
    // read (failed).
    bool read(QByteArray& block, qint64 bytes, QString* error = nullptr);
    bool failed() const;

private:
    QFile m_file;
    QByteArray m_rest;
    bool m_started = false;
    bool m_failed = false;
};

// Writes a text file in pieces through QSaveFile: the file is replaced only by commit, so a
// failed write leaves the old file whole.
class CTextFileWriter
{
public:
    explicit CTextFileWriter(const QString& path);

    bool open(QString* error = nullptr);
    bool write(const char* data, qint64 size, QString* error = nullptr);
    bool commit(QString* error = nullptr);

private:
    QSaveFile m_file;
};
