#include "textdecoding.h"

#include <QDir>
#include <QFile>
#include <QTextCodec>

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
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QString("Не удалось открыть файл \"%1\": %2").arg(shown, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QString("Не удалось прочитать файл \"%1\": %2").arg(shown, file.errorString());
        return false;
    }
    text = decodeText(bytes);
    return true;
}
