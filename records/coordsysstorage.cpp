#include "records/coordsysstorage.h"

#include "records/coordsysdetails.h"
#include "records/datumstorage.h"
#include "records/ellipsoidstorage.h"
#include "records/mapprojstorage.h"
#include "records/primemeridianstorage.h"
#include "records/recordstorage.h"
#include "records/transformliststorage.h"
#include "records/unitstorage.h"
#include "records/vertcoordsysstorage.h"

#include "database/codetablestypes.h"
#include "database/tablecatalogue.h"

using namespace RecordStorage;

namespace {

const QString ownerTable = QStringLiteral("coordsys");

bool readUnits(const QSqlRecord& row, CCoordSysDetails& record)
{
    const struct {
        const char* column;
        int tableId;
        std::shared_ptr<CUnitDetails>& unit;
    } units[] = {{"origin_length_unit", TableUnitLength, record.originLengthUnit},
                 {"origin_angle_unit", TableUnitAngle, record.originAngleUnit},
                 {"azimuth_unit", TableUnitAngle, record.azimuthUnit},
                 {"length_unit", TableUnitLength, record.lengthUnit},
                 {"angle_unit", TableUnitAngle, record.angleUnit},
                 {"height_unit", TableUnitLength, record.heightUnit}};
    for (const auto& unit : units) {
        if (!UnitStorage::readLinkedUnit(unit.tableId, link(row, unit.column), unit.unit))
            return false;
    }
    return true;
}

// Every record that a link column names; false at the first that does not read.
bool readLinks(const QSqlRecord& row, CCoordSysDetails& record)
{
    return readLink(link(row, "datum"), record.datum, readDatumDetails)
        && readLink(link(row, "ellipsoid"), record.ellipsoid, EllipsoidStorage::ReadDetails)
        && readLink(link(row, "prime_meridian"), record.primeMeridian, PrimeMeridianStorage::ReadDetails)
        && readLink(link(row, "map_proj"), record.mapProjection, MapProjStorage::ReadDetails)
        && readLink(link(row, "transform_list"), record.transformList, TransformListStorage::ReadDetails)
        && readLink(link(row, "vert_coordsys"), record.vertCoordSys, readVertCoordSysDetails)
        && readUnits(row, record);
}

// The transform lists that the coordinate system owns, by identifier; the list with the
// larger key wins an identifier.
bool readPairwiseTransforms(int key, CCoordSysDetails& record)
{
    QVector<int> lists;
    const QString listKey = keyColumnName(TableTransformList);
    if (!selectKeys(QString("SELECT %1 FROM %2 WHERE owner=? AND owner_table=? ORDER BY %1;")
                        .arg(listKey, tableName(TableTransformList)),
                    {key, ownerTable}, lists))
        return false;
    for (const int list : lists) {
        auto transforms = std::make_shared<CTransformListDetails>();
        if (!TransformListStorage::ReadDetails(list, *transforms) || transforms->identifier.isEmpty())
            return false;
        record.pairwiseTransforms.insert(transforms->identifier, transforms);
    }
    return true;
}

struct CLinkKeys {
    QVariant datum;
    QVariant ellipsoid;
    QVariant primeMeridian;
    QVariant mapProjection;
    QVariant originLengthUnit;
    QVariant originAngleUnit;
    QVariant azimuthUnit;
    QVariant vertCoordSys;
    QVariant transformList;
    QVariant lengthUnit;
    QVariant angleUnit;
    QVariant heightUnit;
};

bool insertUnits(const CCoordSysDetails& record, CLinkKeys& keys, QString* error)
{
    return UnitStorage::insertLinkedUnit(TableUnitLength, record.originLengthUnit, keys.originLengthUnit, error)
        && UnitStorage::insertLinkedUnit(TableUnitAngle, record.originAngleUnit, keys.originAngleUnit, error)
        && UnitStorage::insertLinkedUnit(TableUnitAngle, record.azimuthUnit, keys.azimuthUnit, error);
}

bool insertAxisUnits(const CCoordSysDetails& record, CLinkKeys& keys, QString* error)
{
    return UnitStorage::insertLinkedUnit(TableUnitLength, record.lengthUnit, keys.lengthUnit, error)
        && UnitStorage::insertLinkedUnit(TableUnitAngle, record.angleUnit, keys.angleUnit, error)
        && UnitStorage::insertLinkedUnit(TableUnitLength, record.heightUnit, keys.heightUnit, error);
}

bool insertLinks(const CCoordSysDetails& record, CLinkKeys& keys, QString* error)
{
    return insertLink(record.datum, keys.datum,
                      [error](const CDatumDetails& datum) { return insertDatumDetails(datum, false, error); })
        && insertLink(record.ellipsoid, keys.ellipsoid,
                      [error](const CEllipsoidDetails& ellipsoid) {
                          return EllipsoidStorage::InsertDetails(ellipsoid, false, error);
                      })
        && insertLink(record.primeMeridian, keys.primeMeridian,
                      [error](const CPrimeMeridianDetails& meridian) {
                          return PrimeMeridianStorage::InsertDetails(meridian, false, error);
                      })
        && insertLink(record.mapProjection, keys.mapProjection,
                      [error](const CMapProjDetails& projection) {
                          return MapProjStorage::InsertDetails(projection, false, error);
                      })
        && insertUnits(record, keys, error)
        && insertLink(record.vertCoordSys, keys.vertCoordSys,
                      [error](const CVertCoordSysDetails& vertical) {
                          return insertVertCoordSysDetails(vertical, false, error);
                      })
        && insertLink(record.transformList, keys.transformList,
                      [error](const CTransformListDetails& list) {
                          return TransformListStorage::InsertDetails(list, NoValue, QString(), error);
                      })
        && insertAxisUnits(record, keys, error);
}

bool insertPairwiseTransforms(int key, const CCoordSysDetails& record, QString* error)
{
    for (const auto& list : record.pairwiseTransforms) {
        if (TransformListStorage::InsertDetails(*list, key, ownerTable, error) == NoValue)
            return false;
    }
    return true;
}

int storeCoordSys(const CCoordSysDetails& record, QString* error)
{
    CLinkKeys keys;
    if (insertCoordSysTypeDetails(record.coordSysType, error) == NoValue || !insertLinks(record, keys, error))
        return NoValue;
    const int key = insertRow(
        TableCoordSys,
        {"name", "description", "short_name", "type", "datum", "ellipsoid", "prime_meridian", "map_proj",
         "positive_longitude", "origin_coord1", "origin_coord2", "origin_coord3", "origin_angle_unit",
         "origin_length_unit", "azimuth", "azimuth_unit", "swap_coords", "vert_coordsys", "transform_list",
         "length_unit", "angle_unit", "height_unit", "coord1_abbr", "coord2_abbr", "coord3_abbr", "coord1_desc",
         "coord2_desc", "coord3_desc", "epsg", "favourite", "last_use"},
        {uniqueName(TableCoordSys, record.name), record.description, record.shortName, record.type, keys.datum,
         keys.ellipsoid, keys.primeMeridian, keys.mapProjection, int(record.positiveLongitude),
         sqlTextOrNull(record.originCoord1), sqlTextOrNull(record.originCoord2),
         sqlTextOrNull(record.originCoord3), keys.originAngleUnit, keys.originLengthUnit,
         sqlTextOrNull(record.azimuth), keys.azimuthUnit, int(record.swapCoords), keys.vertCoordSys,
         keys.transformList, keys.lengthUnit, keys.angleUnit, keys.heightUnit, sqlTextOrNull(record.coord1Abbr),
         sqlTextOrNull(record.coord2Abbr), sqlTextOrNull(record.coord3Abbr), sqlTextOrNull(record.coord1Desc),
         sqlTextOrNull(record.coord2Desc), sqlTextOrNull(record.coord3Desc), sqlNumberOrNull(record.epsgCode, 0),
         linkValue(NoValue), now()},
        error);
    if (key == NoValue || !insertPairwiseTransforms(key, record, error))
        return NoValue;
    return key;
}

} // namespace

bool readCoordSysTypeDetails(int code, CCoordSysTypeDetails& type)
{
    return readCodeRecord(TableCoordSysType, code, type) && type.isValid();
}

int findCoordSysTypeDetails(const CCoordSysTypeDetails& type)
{
    return findCode(TableCoordSysType, type.code);
}

int insertCoordSysTypeDetails(const CCoordSysTypeDetails& type, QString* error)
{
    return insertCodeRecord(TableCoordSysType, type, checkCoordSysTypeCode(type.code) != 0, {"description"},
                            {type.description}, error);
}

bool readCoordSysDetails(int key, CCoordSysDetails& record)
{
    QSqlRecord row;
    if (!readRow(TableCoordSys, key, row))
        return false;
    record.name = text(row, "name");
    record.description = text(row, "description");
    record.shortName = text(row, "short_name");
    record.type = number(row, "type");
    CCoordSysTypeDetails type;
    if (record.type != 0 && readCoordSysTypeDetails(record.type, type))
        record.coordSysType = type;
    record.positiveLongitude = number(row, "positive_longitude") != 0;
    record.originCoord1 = text(row, "origin_coord1");
    record.originCoord2 = text(row, "origin_coord2");
    record.originCoord3 = text(row, "origin_coord3");
    record.azimuth = text(row, "azimuth");
    record.swapCoords = number(row, "swap_coords") != 0;
    record.coord1Abbr = text(row, "coord1_abbr");
    record.coord2Abbr = text(row, "coord2_abbr");
    record.coord3Abbr = text(row, "coord3_abbr");
    record.coord1Desc = text(row, "coord1_desc");
    record.coord2Desc = text(row, "coord2_desc");
    record.coord3Desc = text(row, "coord3_desc");
    record.epsgCode = number(row, "epsg");
    return readLinks(row, record) && record.isValid() && readPairwiseTransforms(key, record);
}

int findCoordSysDetails(const CCoordSysDetails& record)
{
    QVector<int> keys;
    if (!selectKeysByBaseName(TableCoordSys, record.name, keys))
        return NoValue;
    return firstEqual(keys, record, readCoordSysDetails);
}

QString coordSysFault(const CCoordSysDetails& record)
{
    // A system without a type record is not valid and is refused as incomplete.
    if (record.coordSysType.code != 0 && record.coordSysType.code != record.type)
        return typeMismatchReason(QStringLiteral("системы координат"), record.name, record.type,
                                  record.coordSysType.code);
    QString fault = record.datum ? datumFault(*record.datum) : QString();
    if (fault.isEmpty() && record.vertCoordSys)
        fault = vertCoordSysFault(*record.vertCoordSys);
    if (fault.isEmpty() && record.transformList)
        fault = TransformListStorage::StoreFault(*record.transformList);
    for (auto list = record.pairwiseTransforms.cbegin(); fault.isEmpty() && list != record.pairwiseTransforms.cend();
         ++list) {
        if (list.value())
            fault = TransformListStorage::StoreFault(*list.value());
    }
    return fault;
}

int insertCoordSysDetails(const CCoordSysDetails& record, bool alwaysInsert, bool* foundExisting, QString* error)
{
    if (foundExisting)
        *foundExisting = false;
    const QString fault = coordSysFault(record);
    if (!fault.isEmpty())
        return fail(error, fault);
    const auto find = [foundExisting](const CCoordSysDetails& wanted) {
        const int key = findCoordSysDetails(wanted);
        if (foundExisting)
            *foundExisting = key != NoValue;
        return key;
    };
    return insertRecord(record, alwaysInsert, find, QStringLiteral("CoordSysStorage_Insert"), error,
                        [&] { return storeCoordSys(record, error); });
}
