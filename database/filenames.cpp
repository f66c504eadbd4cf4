#include "filenames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool existsIn(const QDir& folder, const QString& fileName)
{
    return QFileInfo(folder, fileName).exists();
}

// The base without a trailing "[", optional blanks and sign, digits ... from its last "[".
QString withoutCounter(const QString& base)
{
    static const QRegularExpression counter(QStringLiteral(R"(\A\[\s*[+-]?\d)"));
    const int position = base.lastIndexOf(QLatin1Char('['));
    if (position < 0 || !counter.match(base.mid(position)).hasMatch())
        return base;
    return base.left(position);
}

// Leaves room for a counter and the suffix within the 255 bytes of a file name.
constexpr int maxBaseNameBytes = 200;

} // namespace

QString uniqueFileName(const QString& folder, const QString& fileName)
{
    const QDir dir(folder);
    if (!existsIn(dir, fileName))
        return fileName;
    const QFileInfo info(fileName);
    const QString base = withoutCounter(info.completeBaseName());
    const QString suffix = info.suffix();
    for (qint64 n = 1;; ++n) {
        const QString candidate = QString("%1[%2].%3").arg(base, QString::number(n), suffix);
        if (!existsIn(dir, candidate))
            return candidate;
    }
}

QString safeFileName(const QString& text)
{
    static const QRegularExpression forbidden(QStringLiteral(R"([<>:"/\\|?*])"));
    QString safe = text;
    return safe.replace(forbidden, QStringLiteral("_"));
}

QString fileBaseName(const QString& text)
{
    QString base = safeFileName(text);
    for (QChar& character : base) {
        if (character.category() == QChar::Other_Control)
            character = QLatin1Char('_');
    }
    if (base.startsWith(QLatin1Char('.')))
        base[0] = QLatin1Char('_');
    base = base.left(maxBaseNameBytes);
    while (base.toUtf8().size() > maxBaseNameBytes || (!base.isEmpty() && base.at(base.size() - 1).isHighSurrogate()))
        base.chop(1);
    return base.isEmpty() ? QStringLiteral("_") : base;
}
