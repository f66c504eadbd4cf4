#include "geoidfiles.h"

#include <QFile>

bool writeGeoidFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readGeoidFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray geoidTestData(const QString& fileName)
{
    return readGeoidFile(QStringLiteral(TESTDATA_DIR "/") + fileName);
}
