#include "records/datumshiftstorage.h"

#include "records/datumshiftdetails.h"
#include "records/recordstorage.h"
#include "records/unitstorage.h"

#include "database/codetablestypes.h"
#include "database/tablecatalogue.h"

using namespace RecordStorage;

namespace {

const QStringList parameterColumns{"tx", "ty", "tz", "rx", "ry", "rz", "dm", "px", "py", "pz"};

// The ten parameter texts in the order of parameterColumns.
template <class Shift>
auto parameters(Shift& shift)
{
    return QVector<decltype(&shift.translationX)>{
        &shift.translationX, &shift.translationY, &shift.translationZ, &shift.rotationX,
        &shift.rotationY,    &shift.rotationZ,    &shift.scaleChange,  &shift.pivotPointX,
        &shift.pivotPointY,  &shift.pivotPointZ};
}

// The columns of a shift row in the order of the insert.
QStringList shiftColumns()
{
    QStringList columns{"name", "description", "identifier", "pairwise_role", "type", "datum"};
    columns += parameterColumns;
    columns += QStringList{"convention", "exact", "length_unit", "angle_unit",
                           "scale_unit", "epsg",  "favourite",   "last_use"};
    return columns;
}

bool readUnits(const QSqlRecord& row, CDatumShiftDetails& shift)
{
    return UnitStorage::readLinkedUnit(TableUnitLength, link(row, "length_unit"), shift.lengthUnit)
        && UnitStorage::readLinkedUnit(TableUnitAngle, link(row, "angle_unit"), shift.angleUnit)
        && UnitStorage::readLinkedUnit(TableUnitScale, link(row, "scale_unit"), shift.scaleUnit);
}

int storeShift(const CDatumShiftDetails& shift, int datumKey, QString* error)
{
    const CDatumShiftTypeDetails& type = shift.datumShiftType;
    if (checkDatumShiftTypeCode(type.code) != 0 && insertDatumShiftTypeDetails(type, error) == NoValue)
        return NoValue;
    QVariant lengthUnit;
    QVariant angleUnit;
    QVariant scaleUnit;
    if (!UnitStorage::insertLinkedUnit(TableUnitLength, shift.lengthUnit, lengthUnit, error)
        || !UnitStorage::insertLinkedUnit(TableUnitAngle, shift.angleUnit, angleUnit, error)
        || !UnitStorage::insertLinkedUnit(TableUnitScale, shift.scaleUnit, scaleUnit, error))
        return NoValue;
    QVariantList values{uniqueName(TableDatumShift, shift.name),
                        shift.description,
                        shift.identifier,
                        shift.pairwiseRole,
                        shift.type,
                        linkValue(datumKey)};
    for (const QString* parameter : parameters(shift))
        values.append(sqlTextOrNull(*parameter));
    values << shift.conventionCode << int(shift.exact) << lengthUnit << angleUnit << scaleUnit
           << sqlNumberOrNull(shift.epsgCode, 0) << QVariant(QVariant::Int) << now();
    return insertRow(TableDatumShift, shiftColumns(), values, error);
}

} // namespace

bool readDatumShiftTypeDetails(int code, CDatumShiftTypeDetails& type)
{
    return readCodeRecord(TableDatumShiftType, code, type) && type.isValid();
}

int findDatumShiftTypeDetails(const CDatumShiftTypeDetails& type)
{
    return findCode(TableDatumShiftType, type.code);
}

int insertDatumShiftTypeDetails(const CDatumShiftTypeDetails& type, QString* error)
{
    return insertCodeRecord(TableDatumShiftType, type, checkDatumShiftTypeCode(type.code) != 0,
                            {"description"}, {type.description}, error);
}

bool readDatumShiftDetails(int key, CDatumShiftDetails& shift)
{
    QSqlRecord row;
    if (!readRow(TableDatumShift, key, row))
        return false;
    shift.name = text(row, "name");
    shift.description = text(row, "description");
    shift.identifier = text(row, "identifier").trimmed();
    shift.pairwiseRole = number(row, "pairwise_role");
    shift.type = number(row, "type");
    const auto parameterTexts = parameters(shift);
    for (int i = 0; i < parameterTexts.size(); ++i)
        *parameterTexts.at(i) = text(row, parameterColumns.at(i));
    shift.exact = number(row, "exact") != 0;
    shift.conventionCode = number(row, "convention");
    shift.epsgCode = number(row, "epsg");
    CDatumShiftTypeDetails type;
    if (readDatumShiftTypeDetails(shift.type, type))
        shift.datumShiftType = type;
    return readUnits(row, shift) && shift.isValid();
}

int findDatumShiftDetails(const CDatumShiftDetails& shift)
{
    QVector<int> keys;
    if (!shift.identifier.isEmpty() || !selectKeysByBaseName(TableDatumShift, shift.name, keys))
        return NoValue;
    return firstEqual(keys, shift, readDatumShiftDetails);
}

QString datumShiftFault(const CDatumShiftDetails& shift)
{
    const int typeRecordCode = shift.datumShiftType.code;
    // A type record given with another code than the type would never be found again.
    if (typeRecordCode != 0 && typeRecordCode != shift.type)
        return typeMismatchReason(QStringLiteral("преобразования датума"), shift.name, shift.type, typeRecordCode);
    return shift.unreadableParameter();
}

int insertDatumShiftDetails(const CDatumShiftDetails& shift, bool alwaysInsert, int datumKey, QString* error)
{
    const QString fault = datumShiftFault(shift);
    if (!fault.isEmpty())
        return fail(error, fault);
    return insertRecord(shift, alwaysInsert, findDatumShiftDetails,
                        QStringLiteral("DatumShiftStorage_Insert"), error,
                        [&] { return storeShift(shift, datumKey, error); });
}
