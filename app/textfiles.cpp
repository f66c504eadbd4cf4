#include "textfiles.h"

#include "database/failure.h"

#include <QDir>

namespace {

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

bool writeTextFile(const QString& path, const QString& text, QString* error)
{
    CTextFileWriter file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(error) && file.write(bytes.constData(), bytes.size(), error) && file.commit(error);
}

QStringList textLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

CTextFileWriter::CTextFileWriter(const QString& path) : m_file(path) {}

bool CTextFileWriter::open(QString* error)
{
    return m_file.open(QIODevice::WriteOnly)
        || failWith(error, QString("Не удалось открыть файл \"%1\" для записи: %2")
                           .arg(nativePath(m_file.fileName()), m_file.errorString()));
}

bool CTextFileWriter::write(const char* data, qint64 size, QString* error)
{
    return m_file.write(data, size) == size || failWith(error, writeError());
}

bool CTextFileWriter::commit(QString* error)
{
    return m_file.commit() || failWith(error, writeError());
}

QString CTextFileWriter::writeError() const
{
    return QString("Не удалось записать файл \"%1\": %2").arg(nativePath(m_file.fileName()), m_file.errorString());
}
