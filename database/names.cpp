#include "names.h"

#include <QRegularExpression>

#include <limits>

namespace {

// Position of the final "[digits]" of a numbered name (".+\[\d*\]" as a whole), or -1.
int counterPosition(const QString& name)
{
    static const QRegularExpression numbered(QStringLiteral(R"(\A.+\[\d*\]\z)"),
                                             QRegularExpression::DotMatchesEverythingOption);
    if (!numbered.match(name).hasMatch())
        return -1;
    return name.lastIndexOf(QLatin1Char('['));
}

} // namespace

QString nextNumberedName(const QString& name)
{
    const int position = counterPosition(name);
    if (position <= 0)
        return name + QStringLiteral("[1]");
    bool ok = false;
    const int counter = name.midRef(position + 1, name.size() - position - 2).toInt(&ok);
    if (ok && counter == std::numeric_limits<int>::max())
        return name + QStringLiteral("[1]");
    const int next = ok ? counter + 1 : 1;
    return name.left(position) + QLatin1Char('[') + QString::number(next) + QLatin1Char(']');
}

QString baseName(const QString& name)
{
    const int position = counterPosition(name);
    return position <= 0 ? name : name.left(position);
}

bool sameBaseName(const QString& a, const QString& b)
{
    return baseName(a).trimmed() == baseName(b).trimmed();
}
