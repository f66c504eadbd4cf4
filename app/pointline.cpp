#include "pointline.h"

namespace {

// The lines are read through these, so QString and UTF-8 lines share one reader.
int length(const QString& line)
{
    return line.size();
}

int length(std::string_view line)
{
    return static_cast<int>(line.size());
}

int code(const QString& line, int position)
{
    return line.at(position).unicode();
}

int code(std::string_view line, int position)
{
    return static_cast<unsigned char>(line[static_cast<std::size_t>(position)]);
}

constexpr int quote = '"';

template <class Text>
bool isBlankAt(const Text& line, int position)
{
    const int c = code(line, position);
    return c == ' ' || c == '\t';
}

template <class Text>
int skipBlanks(const Text& line, int position)
{
    while (position < length(line) && isBlankAt(line, position))
        ++position;
    return position;
}

template <class Text>
int find(const Text& line, int c, int from)
{
    for (int position = from; position < length(line); ++position) {
        if (code(line, position) == c)
            return position;
    }
    return -1;
}

// The position of the quote closing the one at start; -1 when there is none.
template <class Text>
int closingQuote(const Text& line, int start)
{
    for (int position = start + 1; position < length(line); ++position) {
        if (code(line, position) != quote)
            continue;
        if (position + 1 < length(line) && code(line, position + 1) == quote) {
            ++position;
            continue;
        }
        return position;
    }
    return -1;
}

// A field of a line: its text from begin to end, quoted when doubled quotes in it stand for
// one, and the position of the separator or line end after it.
struct CFieldSpan {
    int begin = 0;
    int end = 0;
    bool quoted = false;
    int next = 0;
};

// A quoted field from start; false when the field is not one quoted text.
template <class Text>
bool readQuotedField(const Text& line, int start, int separator, CFieldSpan& field)
{
    const int open = skipBlanks(line, start);
    if (open >= length(line) || code(line, open) != quote)
        return false;
    const int close = closingQuote(line, open);
    if (close < 0)
        return false;
    const int next = skipBlanks(line, close + 1);
    if (next < length(line) && code(line, next) != separator)
        return false;
    field = {open + 1, close, true, next};
    return true;
}

// Hands each field to take until it answers false.
template <class Text, class Take>
void splitOn(const Text& line, int separator, Take take)
{
    int position = 0;
    while (true) {
        CFieldSpan field;
        if (!readQuotedField(line, position, separator, field)) {
            int end = find(line, separator, position);
            if (end < 0)
                end = length(line);
            field = {position, end, false, end};
        }
        if (!take(field) || field.next >= length(line))
            return;
        position = field.next + 1;
    }
}

// A ";" outside the quoted texts that open fields makes ";" the separator.
template <class Text>
int separatorOf(const Text& line)
{
    bool fieldStart = true;
    for (int position = 0; position < length(line); ++position) {
        const int c = code(line, position);
        if (fieldStart && isBlankAt(line, position))
            continue;
        if (fieldStart && c == quote) {
            const int end = closingQuote(line, position);
            if (end < 0)
                return find(line, ';', position) >= 0 ? ';' : ',';
            position = end;
            fieldStart = false;
            continue;
        }
        if (c == ';')
            return ';';
        fieldStart = c == ',';
    }
    return ',';
}

bool needsQuotes(const QString& cell)
{
    return cell.contains(QLatin1Char(';')) || cell.contains(QLatin1Char('"'));
}

// One pass over the cell, without a memchr call for each of its characters.
bool needsQuotes(std::string_view cell)
{
    for (const char c : cell) {
        if (c == ';' || c == quote)
            return true;
    }
    return false;
}

QString quotedCell(const QString& cell)
{
    if (!needsQuotes(cell))
        return cell;
    QString text = cell;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void appendQuotedCell(std::string& text, std::string_view cell)
{
    if (!needsQuotes(cell)) {
        text.append(cell);
        return;
    }
    text += '"';
    for (const char c : cell) {
        if (c == '"')
            text += '"';
        text += c;
    }
    text += '"';
}

// The text of a quoted field with its doubled quotes made single.
std::string unquoted(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"')
            ++i;
    }
    return result;
}

bool isAsciiBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isAsciiBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isAsciiBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A line without quotes, the usual one, is cut at its separators.
void splitUnquoted(std::string_view line, CPointCells& cells)
{
    const char separator = line.find(';') != std::string_view::npos ? ';' : ',';
    bool more = true;
    for (std::string_view& cell : cells.cells) {
        if (!more) {
            cell = std::string_view();
            continue;
        }
        const std::size_t end = line.find(separator);
        cell = trimmed(line.substr(0, end));
        more = end != std::string_view::npos;
        if (more)
            line.remove_prefix(end + 1);
    }
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
    QStringList fields;
    splitOn(line, separatorOf(line), [&](const CFieldSpan& field) {
        QString text = line.mid(field.begin, field.end - field.begin);
        if (field.quoted)
            text.replace(QStringLiteral("\"\""), QStringLiteral("\""));
        fields.append(text);
        return true;
    });
    return fields;
}

void splitPointLine(std::string_view line, CPointCells& cells)
{
    if (line.find('"') == std::string_view::npos) {
        splitUnquoted(line, cells);
        return;
    }
    std::size_t count = 0;
    splitOn(line, separatorOf(line), [&](const CFieldSpan& field) {
        std::string_view text = line.substr(static_cast<std::size_t>(field.begin),
                                            static_cast<std::size_t>(field.end - field.begin));
        if (field.quoted && text.find("\"\"") != std::string_view::npos) {
            cells.storage[count] = unquoted(text);
            text = cells.storage[count];
        }
        cells.cells[count] = trimmed(text);
        return ++count < cells.cells.size();
    });
    for (; count < cells.cells.size(); ++count)
        cells.cells[count] = std::string_view();
}

void appendPointLine(std::string& text, const std::array<std::string_view, 4>& cells)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text += "; ";
        appendQuotedCell(text, cells[i]);
    }
}
