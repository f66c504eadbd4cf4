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

} // namespace

QString decodeText(const QByteArray& bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray content = bytes.startsWith(bom) ? bytes.mid(bom.size()) : bytes;
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
        return fail(error, QString("Не удалось открыть файл \"%1\": %2").arg(nativePath(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(error, QString("Не удалось прочитать файл \"%1\": %2").arg(nativePath(path), file.errorString()));
    text = decodeText(bytes);
    return true;
}

bool writeTextFile(const QString& path, const QString& text, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, QString("Не удалось открыть файл \"%1\" для записи: %2").arg(nativePath(path), file.errorString()));
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fail(error, QString("Не удалось записать файл \"%1\": %2").arg(nativePath(path), file.errorString()));
    return true;
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
