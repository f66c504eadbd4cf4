#include "records/unitlabel.h"

QString unitLabel(const std::shared_ptr<CUnitDetails>& unit)
{
    if (!unit)
        return QString();
    return unit->shortName.isEmpty() ? unit->getName() : unit->shortName;
}

QString valueWithUnit(const QString& value, const std::shared_ptr<CUnitDetails>& unit)
{
    if (unit && unit->shortName.isEmpty())
        return QStringLiteral("%1 (%2)").arg(value, unit->getName());
    return QStringLiteral("%1 %2").arg(value, unitLabel(unit));
}
