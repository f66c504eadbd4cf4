#include "savefile.h"

#include "failure.h"

#include <QDir>

namespace {

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

bool writeFileBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    CTextFileWriter file(path);
    return file.open(error) && file.write(bytes.constData(), bytes.size(), error) && file.commit(error);
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
