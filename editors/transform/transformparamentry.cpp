#include "transformparamentry.h"

#include "browser/prompt.h"
#include "database/numbers.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"

#include <QSqlQuery>

#include <cmath>
#include <limits>

TransformParamEntries readTransformParamEntries(int transformKey)
{
    TransformParamEntries entries;
    if (transformKey == NoValue)
        return entries;
    QSqlQuery query;
    if (!execQuery(query,
                   QString("SELECT param, value, unit FROM %1 WHERE transform=?;")
                       .arg(tableName(TableTransformParamValue)),
                   {transformKey}))
        return entries;
    while (query.next()) {
        TransformParamEntry entry;
        entry.paramCode = variantToInt(query.value(0), 0);
        entry.value = query.value(1).toString();
        const int unit = variantToInt(query.value(2), 0);
        entry.unit = unit < 1 ? NoValue : unit;
        entries.insert(entry.paramCode, entry);
    }
    return entries;
}

QString toggledSign(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('-')))
        return trimmed.mid(1);
    return QLatin1Char('-') + trimmed;
}

void warnParams(QWidget* parent, const QString& text)
{
    prompt().warning(parent, QStringLiteral("Предупреждение"), text);
}

QString notNumberWarning()
{
    return QStringLiteral("Значения параметров преобразования должны быть числами");
}

bool isNumberText(const QString& text)
{
    return std::isfinite(textToDouble(text, std::numeric_limits<double>::quiet_NaN()));
}

bool checkParamValues(QWidget* parent, const QStringList& values)
{
    for (const QString& value : values) {
        if (value.trimmed().isEmpty()) {
            warnParams(parent, QStringLiteral("Необходимо задать значения всех параметров преобразования"));
            return false;
        }
    }
    for (const QString& value : values) {
        if (!isNumberText(value)) {
            warnParams(parent, notNumberWarning());
            return false;
        }
    }
    return true;
}

void putEntry(TransformParamEntries& entries, int paramCode, const QString& value, int unit)
{
    entries.insert(paramCode, TransformParamEntry{paramCode, value, unit});
}
