#include "records/primemeridianstorage.h"

#include "records/primemeridiandetails.h"
#include "records/recordstorage.h"
#include "records/unitstorage.h"

#include "database/tablecatalogue.h"

using namespace RecordStorage;

namespace PrimeMeridianStorage {

namespace {

int storeMeridian(const CPrimeMeridianDetails& meridian, QString* error)
{
    QVariant unit;
    if (!UnitStorage::insertLinkedUnit(TableUnitAngle, meridian.unit, unit, error))
        return NoValue;
    return insertRow(TablePrimeMeridian,
                     {"name", "description", "longitude", "unit", "epsg", "favourite", "last_use"},
                     {uniqueName(TablePrimeMeridian, meridian.name), meridian.description, meridian.longitude,
                      unit, sqlNumberOrNull(meridian.epsgCode, 0), QVariant(QVariant::Int), now()},
                     error);
}

} // namespace

bool ReadDetails(int key, CPrimeMeridianDetails& meridian)
{
    QSqlRecord row;
    if (!readRow(TablePrimeMeridian, key, row))
        return false;
    meridian.name = text(row, "name");
    meridian.description = text(row, "description");
    meridian.longitude = text(row, "longitude");
    meridian.epsgCode = number(row, "epsg");
    return UnitStorage::readLinkedUnit(TableUnitAngle, link(row, "unit"), meridian.unit)
        && meridian.isValid();
}

int FindDetails(const CPrimeMeridianDetails& meridian)
{
    QVector<int> keys;
    if (!selectKeysByBaseName(TablePrimeMeridian, meridian.name, keys))
        return NoValue;
    return firstEqual(keys, meridian, ReadDetails);
}

int InsertDetails(const CPrimeMeridianDetails& meridian, bool asCopy, QString* error)
{
    return insertRecord(meridian, asCopy, FindDetails, QStringLiteral("PrimeMeridianStorage_Insert"), error,
                        [&] { return storeMeridian(meridian, error); });
}

} // namespace PrimeMeridianStorage
