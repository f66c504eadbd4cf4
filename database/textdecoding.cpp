#include "textdecoding.h"

#include "failure.h"

#include <QDir>
#include <QTextCodec>

namespace {

const QByteArray byteOrderMark("\xEF\xBB\xBF");

QString openError(const QFile& file)
{
    return QString("Не удалось открыть файл \"%1\": %2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
}

QString readError(const QFile& file)
{
    return QString("Не удалось прочитать файл \"%1\": %2")
        .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
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
        return failWith(error, openError(file));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failWith(error, readError(file));
    text = decodeText(bytes);
    return true;
}

CLineBlockReader::CLineBlockReader(const QString& path) : m_file(path) {}

bool CLineBlockReader::open(QString* error)
{
    return m_file.open(QIODevice::ReadOnly) || failWith(error, openError(m_file));
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
            return failWith(error, readError(m_file));
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
