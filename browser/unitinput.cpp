#include "unitinput.h"

#include "database/codetablestypes.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "database/validators.h"
#include "records/unitdetails.h"
#include "records/unitstorage.h"

namespace {

constexpr double kDecimalLimit = 1e15;
constexpr int kDecimalDecimals = 15;

// The angle format code of the angular unit; 0 when the unit does not read or has none.
int angleFormatOfUnit(int angleUnitKey)
{
    CUnitDetails unit;
    if (!UnitStorage::ReadDetails(TableUnitAngle, angleUnitKey, unit) || !unit.angleFormat)
        return 0;
    return unit.angleFormat->code;
}

// The name of the angular unit's angle format when the recalculation reads no angle in that
// format (CAngleFormatInfo::toDouble reads decimal degrees and degrees, minutes and seconds
// only: not the hemisphere letter); empty for any other unit. Units of length and scale are
// read as numbers whatever format their row names.
QString unreadAngleFormat(int tableId, const CUnitDetails& unit)
{
    if (tableId != TableUnitAngle || !unit.angleFormat)
        return QString();
    const int code = unit.angleFormat->code;
    if (code == AngleFormatDecimal || code == AngleFormatDms)
        return QString();
    return unit.angleFormat->name;
}

QString unitMismatchWarning(const QString& what, const QString& text, const QString& unitName)
{
    return QStringLiteral("%1 «%2» не соответствует единице измерения «%3»").arg(what, text, unitName);
}

QString unreadFormatWarning(const QString& what, const QString& text, const QString& formatName,
                            const QString& unitName)
{
    return QStringLiteral("%1 «%2»: углы в формате «%3» не читаются, выберите вместо «%4» другую единицу измерения")
        .arg(what, text, formatName, unitName);
}

} // namespace

QValidator* createAngleUnitValidator(int angleUnitKey, AnglePatternFactory pattern, QObject* owner)
{
    if (angleUnitKey == NoValue)
        return nullptr;
    const int format = angleFormatOfUnit(angleUnitKey);
    if (QValidator* validator = format != 0 ? pattern(format, owner) : nullptr)
        return validator;
    return createDoubleValidator(-kDecimalLimit, kDecimalLimit, kDecimalDecimals, owner);
}

std::optional<double> readInUnit(int tableId, int unitKey, const QString& text)
{
    CUnitDetails unit;
    if (!UnitStorage::ReadDetails(tableId, unitKey, unit))
        return std::nullopt;
    return unit.readInBase(text);
}

QString unitMisfit(int tableId, int unitKey, const QString& what, const QString& text, const QString& unitName)
{
    if (unitKey == NoValue)
        return QString();
    CUnitDetails unit;
    const bool stored = UnitStorage::ReadDetails(tableId, unitKey, unit);
    if (stored && unit.readInBase(text))
        return QString();
    const QString unreadFormat = stored ? unreadAngleFormat(tableId, unit) : QString();
    if (!unreadFormat.isEmpty())
        return unreadFormatWarning(what, text, unreadFormat, unitName);
    return unitMismatchWarning(what, text, unitName);
}
