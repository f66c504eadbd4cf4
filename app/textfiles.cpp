#include "textfiles.h"

bool writeTextFile(const QString& path, const QString& text, QString* error)
{
    return writeFileBytes(path, text.toUtf8(), error);
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
