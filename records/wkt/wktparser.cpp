#include "records/wkt/wktparser.h"

#include "database/failure.h"

namespace {

// True when the list holds exactly one tree, nested no deeper than allowed.
bool isOneBalancedTree(const QList<int>& brackets)
{
    if (brackets.size() < 2 || brackets.first() >= 0 || brackets.last() <= 0)
        return false;
    int sum = 0;
    for (int i = 0; i + 1 < brackets.size(); ++i) {
        sum += brackets[i] < 1 ? -1 : 1;
        if (sum == 0 || -sum > WktMaxDepth)
            return false;
    }
    return sum == -1;
}

// Reads brackets from the front of the list; recursion depth stays below the
// bracket depth, which isOneBalancedTree bounds. A node whose keyword is unknown
// is skipped whole and a node that fails is set aside in its parent's failed
// children; the nodes after them are read on. The failures of a node's children
// come with its own.
class CWktReader
{
public:
    CWktReader(const QString& text, const QList<int>& brackets)
        : m_text(text), m_brackets(brackets)
    {
    }

    // Called with an opening bracket at the front. False when the node is skipped or fails,
    // and then failures holds why; item is the node read, failed or not, empty when skipped.
    bool readItem(CWktItemPtr& item, QStringList& failures)
    {
        const int p = -take();
        const QString keyword = keywordBefore(p);
        item = CWktItem::create(CWktType(CWktType::fromKeyword(keyword)));
        if (!item) {
            skipRest();
            failures.append(QStringLiteral("неизвестный узел «%1»").arg(keyword));
            return false;
        }
        item->keyword = keyword;

        QStringList childFailures;
        if (front() > 0) {
            const int q = take();
            item->content = m_text.mid(p + 1, q - p - 1);
        } else {
            const int comma = m_text.lastIndexOf(QLatin1Char(','), -front());
            if (comma > p)
                item->content = m_text.mid(p + 1, comma - p - 1);
            while (front() < 0)
                readChild(*item, childFailures);
            take();
        }

        item->values = splitWktValues(item->content, QStringLiteral(","), true);
        if (item->parse(item->values))
            return true;
        failures += childFailures;
        failures.append(QStringLiteral("%1: %2").arg(item->label(), item->failure()));
        return false;
    }

private:
    void readChild(CWktItem& parent, QStringList& failures)
    {
        CWktItemPtr child;
        if (readItem(child, failures))
            parent.children.append(child);
        else if (child)
            parent.failedChildren.append(child);
    }

    int front() const { return m_brackets[m_next]; }
    int take() { return m_brackets[m_next++]; }

    // Takes the brackets up to the one that closes the node just opened.
    void skipRest()
    {
        for (int depth = 1; depth > 0;)
            depth += take() < 0 ? 1 : -1;
    }

    QString keywordBefore(int p) const
    {
        const int comma = m_text.lastIndexOf(QLatin1Char(','), p);
        const int bracket = p > 0 ? m_text.lastIndexOf(QLatin1Char('['), p - 1) : -1;
        const int start = qMax(comma, bracket);
        return m_text.mid(start + 1, p - start - 1).trimmed();
    }

    const QString& m_text;
    const QList<int>& m_brackets;
    int m_next = 0;
};

} // namespace

QList<int> scanWktBrackets(const QString& text)
{
    QList<int> brackets;
    bool inQuotes = false;
    bool escaped = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!inQuotes) {
            if (c == QLatin1Char('"'))
                inQuotes = true;
            else if (c == QLatin1Char('['))
                brackets.append(-i);
            else if (c == QLatin1Char(']'))
                brackets.append(i);
        } else if (escaped) {
            escaped = false;
        } else if (c == QLatin1Char('"')) {
            inQuotes = false;
        } else {
            escaped = c == QLatin1Char('\\');
        }
    }
    return brackets;
}

QStringList splitWktValues(const QString& text, const QString& separators, bool keepEmpty)
{
    QStringList tokens;
    QString token;
    bool inQuotes = false;
    bool escaped = false;
    for (const QChar c : text) {
        if (!inQuotes) {
            if (separators.contains(c)) {
                token = token.trimmed();
                if (keepEmpty || !token.isEmpty())
                    tokens.append(token);
                token.clear();
            } else if (c == QLatin1Char('"')) {
                inQuotes = true;
            } else {
                token.append(c);
            }
        } else if (escaped) {
            if (c != QLatin1Char('"') && c != QLatin1Char('\\'))
                token.append(QLatin1Char('\\'));
            token.append(c);
            escaped = false;
        } else if (c == QLatin1Char('"')) {
            inQuotes = false;
        } else if (c == QLatin1Char('\\')) {
            escaped = true;
        } else {
            token.append(c);
        }
    }
    token = token.trimmed();
    if (!token.isEmpty())
        tokens.append(token);
    return tokens;
}

CWktItemPtr parseWkt(const QString& text, QString* error)
{
    if (text.size() > WktMaxLength) {
        failWith(error, QStringLiteral("Текст WKT длиннее %1 знаков").arg(WktMaxLength));
        return {};
    }
    const QList<int> brackets = scanWktBrackets(text);
    if (!isOneBalancedTree(brackets)) {
        failWith(error, QStringLiteral("Квадратные скобки текста WKT не образуют одно дерево узлов"));
        return {};
    }
    QStringList failures;
    CWktItemPtr root;
    if (CWktReader(text, brackets).readItem(root, failures))
        return root;
    failWith(error, failures.join(QLatin1Char('\n')));
    return {};
}
