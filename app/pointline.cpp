#include "pointline.h"

namespace {

const QChar quote = QLatin1Char('"');

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

int skipBlanks(const QString& line, int position)
{
    while (position < line.size() && isBlank(line.at(position)))
        ++position;
    return position;
}

// A quoted field from start: its text and the position of the separator or line end after it;
// -1 when the field is not one quoted text.
int readQuotedField(const QString& line, int start, QChar separator, QString& field)
{
    int position = skipBlanks(line, start);
    if (position >= line.size() || line.at(position) != quote)
        return -1;
    QString text;
    for (++position; position < line.size(); ++position) {
        if (line.at(position) != quote) {
            text += line.at(position);
            continue;
        }
        if (position + 1 < line.size() && line.at(position + 1) == quote) {
            text += quote;
            ++position;
            continue;
        }
        const int end = skipBlanks(line, position + 1);
        if (end < line.size() && line.at(end) != separator)
            return -1;
        field = text;
        return end;
    }
    return -1;
}

QStringList splitOn(const QString& line, QChar separator)
{
    QStringList fields;
    int position = 0;
    while (true) {
        QString field;
        int end = readQuotedField(line, position, separator, field);
        if (end < 0) {
            end = line.indexOf(separator, position);
            if (end < 0)
                end = line.size();
            field = line.mid(position, end - position);
        }
        fields.append(field);
        if (end >= line.size())
            return fields;
        position = end + 1;
    }
}

QString quotedCell(const QString& cell)
{
    if (!cell.contains(QLatin1Char(';')) && !cell.contains(quote))
        return cell;
    QString text = cell;
    text.replace(quote, QStringLiteral("\"\""));
    return quote + text + quote;
}

} // namespace

QString joinPointLine(const QStringList& cells)
{
    QStringList written;
    written.reserve(cells.size());
    for (const QString& cell : cells)
        written.append(quotedCell(cell));
    return written.join(QStringLiteral("; "));
}

QStringList splitPointLine(const QString& line)
{
    const QStringList fields = splitOn(line, QLatin1Char(';'));
    return fields.size() > 1 ? fields : splitOn(line, QLatin1Char(','));
}
