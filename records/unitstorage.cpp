#include "records/unitstorage.h"

#include "records/abstractdetails.h"
#include "records/angleformatstorage.h"
#include "records/recordstorage.h"
#include "records/unitdetails.h"

#include "database/numbers.h"
#include "database/tablecatalogue.h"

#include <memory>

using namespace RecordStorage;

namespace UnitStorage {

namespace {

// The shortest text of the stored number. A stored value that is no number keeps its text, so
// that the unit does not read and the reading check names the value.
QString factorText(const QSqlRecord& row, const QString& column)
{
    const QVariant value = row.value(column);
    bool isNumber = false;
    const double factor = value.toDouble(&isNumber);
    return isNumber ? exactNumberText(factor) : value.toString();
}

int storeUnit(const CUnitDetails& unit, QString* error)
{
    const int tableId = unitTableOfScope(unit.scope);
    if (tableId == 0)
        return fail(error, incompleteReason(unit));
    QVariant format(QVariant::Int);
    if (unit.angleFormat) {
        const int code = AngleFormatStorage::InsertDetails(*unit.angleFormat, error);
        if (code == NoValue)
            return NoValue;
        format = code;
    }
    return insertRow(tableId,
                     {"name", "description", "short_name", "factor_b", "factor_c", "format", "epsg",
                      "mapinfo", "favourite", "last_use"},
                     {uniqueName(tableId, unit.name), unit.description, unit.shortName,
                      textToDouble(unit.factorB, 0.0), textToDouble(unit.factorC, 0.0), format,
                      sqlNumberOrNull(unit.epsgCode, 0), sqlNumberOrNull(unit.mapinfoCode, NoValue), 0,
                      now()},
                     error);
}

} // namespace

bool ReadDetails(int tableId, int key, CUnitDetails& unit)
{
    const int scope = unitScopeOfTable(tableId);
    QSqlRecord row;
    if (scope == 0 || !readRow(tableId, key, row))
        return false;
    unit.scope = scope;
    unit.name = text(row, "name");
    unit.description = text(row, "description");
    unit.shortName = text(row, "short_name");
    unit.factorB = factorText(row, "factor_b");
    unit.factorC = factorText(row, "factor_c");
    unit.epsgCode = number(row, "epsg");
    unit.mapinfoCode = number(row, "mapinfo", NoValue);
    const int format = link(row, "format");
    if (format != 0) {
        auto angleFormat = std::make_shared<CAngleFormatDetails>();
        if (!AngleFormatStorage::ReadDetails(format, *angleFormat))
            return false;
        unit.angleFormat = angleFormat;
    }
    return unit.isValid();
}

int FindDetails(const CUnitDetails& unit)
{
    const int tableId = unitTableOfScope(unit.scope);
    QVector<int> keys;
    if (tableId == 0 || !selectKeysByBaseName(tableId, unit.name, keys))
        return NoValue;
    return firstEqual(keys, unit,
                      [tableId](int key, CUnitDetails& stored) { return ReadDetails(tableId, key, stored); });
}

int InsertDetails(const CUnitDetails& unit, bool asCopy, QString* error)
{
    return insertRecord(unit, asCopy, FindDetails, QStringLiteral("UnitStorage_Insert"), error,
                        [&] { return storeUnit(unit, error); });
}

bool readLinkedUnit(int tableId, int key, std::shared_ptr<CUnitDetails>& unit)
{
    return readLink(key, unit, [tableId](int unitKey, CUnitDetails& linked) {
        return ReadDetails(tableId, unitKey, linked);
    });
}

bool insertLinkedUnit(int tableId, const std::shared_ptr<CUnitDetails>& unit, QVariant& key, QString* error)
{
    if (unit && unitTableOfScope(unit->scope) != tableId)
        return failWith(
            error, QString("Единица измерения «%1» не из таблицы «%2»").arg(unit->name, tableTitle(tableId)));
    return insertLink(unit, key,
                      [error](const CUnitDetails& linked) { return InsertDetails(linked, false, error); });
}

} // namespace UnitStorage
