#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Files the program writes go through QSaveFile: the file is replaced only by the commit, so a
// failed write leaves the old file whole. Failures give their reason for the user.

// Writes the bytes as the whole file.
bool writeFileBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Writes a file in pieces.
class CTextFileWriter
{
public:
    explicit CTextFileWriter(const QString& path);

    bool open(QString* error = nullptr);
    bool write(const char* data, qint64 size, QString* error = nullptr);
    bool commit(QString* error = nullptr);

private:
    QString writeError() const;

    QSaveFile m_file;
};
