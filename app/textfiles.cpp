#include "textfiles.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextCodec>

namespace {

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

const QByteArray byteOrderMark("\xEF\xBB\xBF");

QString openError(const QFileDevice& file)
{
    return QString("Не удалось открыть файл \"%1\": %2").arg(nativePath(file.fileName()), file.errorString());
}

QString readError(const QFileDevice& file)
{
    return QString("Не удалось прочитать файл \"%1\": %2").arg(nativePath(file.fileName()), file.errorString());
}

QString openForWriteError(const QFileDevice& file)
{
    return QString("Не удалось открыть файл \"%1\" для записи: %2").arg(nativePath(file.fileName()), file.errorString());
}

QString writeError(const QFileDevice& file)
{
    return QString("Не удалось записать файл \"%1\": %2").arg(nativePath(file.fileName()), file.errorString());
}

} // namespace

QString decodeText(const QByteArray& bytes)
{
    const QByteArray content = bytes.startsWith(byteOrderMark) ? bytes.mid(byteOrderMark.size()) : bytes;
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(content.constData(), content.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return text;
    return QTextCodec::codecForName("Windows-1251")->toUnicode(content);
}

bool readTextFile(const QString& path, QString& text, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, openError(file));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(error, readError(file));
    text = decodeText(bytes);
    return true;
}

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

CLineBlockReader::CLineBlockReader(const QString& path) : m_file(path) {}

bool CLineBlockReader::open(QString* error)
{
    return m_file.open(QIODevice::ReadOnly) || fail(error, openError(m_file));
}

bool CLineBlockReader::read(QByteArray& block, qint64 bytes, QString* error)
{
    block = m_rest;
    m_rest.clear();
    while (true) {
        const int start = block.size();
        block.resize(start + static_cast<int>(bytes));
        const qint64 count = m_file.read(block.data() + start, bytes);
        if (count < 0) {
            m_failed = true;
            return fail(error, readError(m_file));
        }
        block.resize(start + static_cast<int>(count));
        if (!m_started) {
            m_started = true;
            if (block.startsWith(byteOrderMark))
                block.remove(0, byteOrderMark.size());
        }
        if (count < bytes)
            return !block.isEmpty();
        const int end = block.lastIndexOf('\n') + 1;
        if (end > 0) {
            m_rest = block.mid(end);
            block.truncate(end);
            return true;
        }
    }
}

bool CLineBlockReader::failed() const
{
    return m_failed;
}

CTextFileWriter::CTextFileWriter(const QString& path) : m_file(path) {}

bool CTextFileWriter::open(QString* error)
{
    return m_file.open(QIODevice::WriteOnly) || fail(error, openForWriteError(m_file));
}

bool CTextFileWriter::write(const char* data, qint64 size, QString* error)
{
    return m_file.write(data, size) == size || fail(error, writeError(m_file));
}

bool CTextFileWriter::commit(QString* error)
{
    return m_file.commit() || fail(error, writeError(m_file));
}
