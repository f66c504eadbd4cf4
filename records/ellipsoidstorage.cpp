#include "records/ellipsoidstorage.h"

#include "records/ellipsoiddetails.h"
#include "records/recordstorage.h"
#include "records/unitstorage.h"

#include "database/tablecatalogue.h"

using namespace RecordStorage;

namespace EllipsoidStorage {

namespace {

int storeEllipsoid(const CEllipsoidDetails& ellipsoid, QString* error)
{
    QVariant unit;
    if (!UnitStorage::insertLinkedUnit(TableUnitLength, ellipsoid.unit, unit, error))
        return NoValue;
    return insertRow(TableEllipsoid,
                     {"name", "description", "a", "b", "f", "use_f", "sphere", "unit", "epsg", "mapinfo",
                      "favourite", "last_use"},
                     {uniqueName(TableEllipsoid, ellipsoid.name), ellipsoid.description,
                      ellipsoid.majorSemiAxis, sqlTextOrNull(ellipsoid.minorSemiAxis),
                      sqlTextOrNull(ellipsoid.inverseFlattening), int(ellipsoid.useInverseFlattening),
                      int(ellipsoid.sphere), unit, sqlNumberOrNull(ellipsoid.epsgCode, 0),
                      sqlNumberOrNull(ellipsoid.mapinfoCode, NoValue), QVariant(QVariant::Int), now()},
                     error);
}

} // namespace

bool ReadDetails(int key, CEllipsoidDetails& ellipsoid)
{
    QSqlRecord row;
    if (!readRow(TableEllipsoid, key, row))
        return false;
    ellipsoid.name = text(row, "name");
    ellipsoid.description = text(row, "description");
    ellipsoid.majorSemiAxis = text(row, "a");
    ellipsoid.minorSemiAxis = text(row, "b");
    ellipsoid.inverseFlattening = text(row, "f");
    ellipsoid.useInverseFlattening = number(row, "use_f") != 0;
    ellipsoid.sphere = number(row, "sphere") != 0;
    ellipsoid.epsgCode = number(row, "epsg");
    ellipsoid.mapinfoCode = number(row, "mapinfo", NoValue);
    return UnitStorage::readLinkedUnit(TableUnitLength, link(row, "unit"), ellipsoid.unit)
        && ellipsoid.isValid();
}

int FindDetails(const CEllipsoidDetails& ellipsoid)
{
    QVector<int> keys;
    if (!selectKeysByBaseName(TableEllipsoid, ellipsoid.name, keys))
        return NoValue;
    return firstEqual(keys, ellipsoid, ReadDetails);
}

int InsertDetails(const CEllipsoidDetails& ellipsoid, bool asCopy, QString* error)
{
    return insertRecord(ellipsoid, asCopy, FindDetails, QStringLiteral("EllipsoidStorage_Insert"), error,
                        [&] { return storeEllipsoid(ellipsoid, error); });
}

} // namespace EllipsoidStorage
