#pragma once

#include "database/textdecoding.h"

#include <QSaveFile>
#include <QString>
#include <QStringList>

// Text files as the program writes them: as UTF-8 in one piece, so a failed write leaves the
// old file whole. They are read as database/textdecoding.h says.

bool writeTextFile(const QString& path, const QString& text, QString* error = nullptr);
// The lines of a text without their terminators; empty lines are kept, a final line
// terminator does not start another line.
QStringList textLines(const QString& text);

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
    QString writeError() const;

    QSaveFile m_file;
};
