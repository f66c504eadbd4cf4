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

// The position of the quote closing the one at start; -1 when there is none.
int closingQuote(const QString& line, int start)
{
    for (int position = start + 1; position < line.size(); ++position) {
        if (line.at(position) != quote)
            continue;
        if (position + 1 < line.size() && line.at(position + 1) == quote) {
            ++position;
            continue;
        }
        return position;
    }
    return -1;
}

// A quoted field from start: its text and the position of the separator or line end after it;
// -1 when the field is not one quoted text.
int readQuotedField(const QString& line, int start, QChar separator, QString& field)
{
    const int open = skipBlanks(line, start);
    if (open >= line.size() || line.at(open) != quote)
        return -1;
    const int close = closingQuote(line, open);
    if (close < 0)
        return -1;
    const int end = skipBlanks(line, close + 1);
    if (end < line.size() && line.at(end) != separator)
        return -1;
    field = line.mid(open + 1, close - open - 1).replace(QStringLiteral("\"\""), QString(quote));
    return end;
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

// A ";" outside the quoted texts that open fields makes ";" the separator.
bool hasSemicolonOutsideQuotes(const QString& line)
{
    bool fieldStart = true;
    for (int position = 0; position < line.size(); ++position) {
        const QChar c = line.at(position);
        if (fieldStart && isBlank(c))
            continue;
        if (fieldStart && c == quote) {
            const int end = closingQuote(line, position);
            if (end < 0)
                return line.indexOf(QLatin1Char(';'), position) >= 0;
            position = end;
            fieldStart = false;
            continue;
        }
        if (c == QLatin1Char(';'))
            return true;
        fieldStart = c == QLatin1Char(',');
    }
    return false;
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
    return splitOn(line, hasSemicolonOutsideQuotes(line) ? QLatin1Char(';') : QLatin1Char(','));
}
