#include "numbers.h"

#include "novalue.h"

#include <QLocale>
#include <QVariant>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// QString::toDouble reads the C locale form; non-finite results count as unreadable.
bool readDouble(const QString& text, double& value)
{
    bool ok = false;
    const double read = text.toDouble(&ok);
    if (!ok || !std::isfinite(read))
        return false;
    value = read;
    return true;
}

double readDoubleOrZero(const QString& text)
{
    double value = 0.0;
    return readDouble(text, value) ? value : 0.0;
}

bool fitsInt(qlonglong value)
{
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

bool isFloatingPoint(const QVariant& value)
{
    const int type = value.userType();
    return type == QMetaType::Double || type == QMetaType::Float;
}

} // namespace

bool numbersEqual(const QString& a, const QString& b, const double& tolerance)
{
    return valuesClose(readDoubleOrZero(a), readDoubleOrZero(b), tolerance);
}

bool valuesClose(double a, double b, double tolerance)
{
    const double largest = std::max(std::fabs(a), std::fabs(b));
    if (largest == 0.0)
        return true;
    return std::fabs(a - b) / largest < tolerance;
}

bool readNumber(const QString& text, double& value)
{
    return readDouble(text, value);
}

double textToDouble(const QString& text, double defaultValue)
{
    double value = 0.0;
    if (text.trimmed().isEmpty() || !readDouble(text, value))
        return defaultValue;
    return value;
}

int variantToInt(const QVariant& value, int defaultValue)
{
    if (value.isNull() || !value.isValid() || !value.canConvert(QMetaType::Int))
        return defaultValue;
    if (isFloatingPoint(value)) {
        const double number = std::round(value.toDouble());
        if (!std::isfinite(number) || number < std::numeric_limits<int>::min()
            || number > std::numeric_limits<int>::max())
            return defaultValue;
        return int(number);
    }
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok)
        return 0;
    return fitsInt(number) ? int(number) : defaultValue;
}

int variantToIntOrNone(const QVariant& value)
{
    return variantToInt(value, NoValue);
}

QString trimNumberText(const QString& text)
{
    QString result = text.trimmed();
    if (!result.contains(QLatin1Char('.')))
        return result;
    while (result.endsWith(QLatin1Char('0')))
        result.chop(1);
    if (result.endsWith(QLatin1Char('.')))
        result.chop(1);
    return result;
}

QString formatNumber(double value, int decimals)
{
    return trimNumberText(QString::number(value, 'f', decimals));
}

QString formatNumberText(const QString& text, int decimals)
{
    return formatNumber(readDoubleOrZero(text), decimals);
}

QString exactNumberText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // The fixed form of the largest double has 309 digits and a sign.
    char buffer[400];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

int decimalsOf(const QString& text)
{
    const int point = text.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : text.size() - point - 1;
}
