#include "records/mapprojstorage.h"

#include "records/mapprojdetails.h"
#include "records/recordstorage.h"
#include "records/unitstorage.h"

#include "database/databaseerror.h"
#include "database/codetablesmapproj.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"

#include <QSqlError>
#include <QSqlQuery>

#include <vector>

using namespace RecordStorage;

namespace MapProjStorage {

namespace {

std::vector<int> typeParamCodes(int type)
{
    std::vector<int> codes;
    mapProjTypeParamCodes(type, codes);
    return codes;
}

// The value and the definition of every parameter of the record's type.
bool readParams(int key, CMapProjDetails& projection)
{
    for (const int code : typeParamCodes(projection.mapProjType.code)) {
        QString value;
        CMapProjParamDetails param;
        if (!ReadParamValue(key, code, value) || !ReadParamDetails(code, param))
            return false;
        projection.paramValues.insert(code, value);
        projection.params.insert(code, param);
    }
    return true;
}

// The reason why a stored projection could not be read back, empty when there is none.
QString unreadableReason(const CMapProjDetails& projection)
{
    const int type = projection.mapProjType.code;
    if (checkMapProjTypeCode(type) == 0)
        return invalidCodeReason(TableMapProjType, type);
    for (const int code : typeParamCodes(type)) {
        if (!projection.paramValues.contains(code))
            return QString("Не задано значение параметра «%1» проекции «%2»")
                .arg(QString::fromStdString(projParamName(code)), projection.name);
    }
    return QString();
}

bool insertParams(const CMapProjDetails& projection, QString* error)
{
    for (const CMapProjParamDetails& param : projection.params) {
        if (InsertParamDetails(param, error) == NoValue)
            return false;
    }
    return true;
}

bool insertParamValues(int key, const QMap<int, QString>& values, QString* error)
{
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        if (insertRow(TableMapProjParamValue, {"map_proj", "param", "value"}, {key, value.key(), value.value()},
                      error)
            == NoValue)
            return false;
    }
    return true;
}

int storeProjection(const CMapProjDetails& projection, QString* error)
{
    const QString unreadable = unreadableReason(projection);
    if (!unreadable.isEmpty())
        return fail(error, unreadable);
    QVariant lengthUnit;
    QVariant angleUnit;
    QVariant scaleUnit;
    if (!UnitStorage::insertLinkedUnit(TableUnitLength, projection.lengthUnit, lengthUnit, error)
        || !UnitStorage::insertLinkedUnit(TableUnitAngle, projection.angleUnit, angleUnit, error)
        || !UnitStorage::insertLinkedUnit(TableUnitScale, projection.scaleUnit, scaleUnit, error)
        || InsertTypeDetails(projection.mapProjType, error) == NoValue || !insertParams(projection, error))
        return NoValue;
    const int key = insertRow(
        TableMapProj,
        {"name", "description", "short_name", "type", "length_unit", "angle_unit", "scale_unit",
         "coord1_abbr", "coord2_abbr", "coord1_desc", "coord2_desc", "coord1_sign", "coord2_sign",
         "swap_coords", "epsg", "mapinfo", "last_use"},
        {uniqueName(TableMapProj, projection.name), projection.description, projection.shortName,
         projection.mapProjType.code, lengthUnit, angleUnit, scaleUnit, projection.coord1Abbr,
         projection.coord2Abbr, projection.coord1Desc, projection.coord2Desc, projection.coord1Sign,
         projection.coord2Sign, projection.swapCoords, sqlNumberOrNull(projection.epsgCode, 0),
         sqlNumberOrNull(projection.mapinfoCode, NoValue), now()},
        error);
    if (key == NoValue || !insertParamValues(key, projection.paramValues, error))
        return NoValue;
    return key;
}

bool readProjection(int key, CMapProjDetails& projection)
{
    QSqlRecord row;
    if (!readRow(TableMapProj, key, row))
        return false;
    projection.name = text(row, "name");
    projection.description = text(row, "description");
    projection.shortName = text(row, "short_name");
    projection.coord1Abbr = text(row, "coord1_abbr");
    projection.coord2Abbr = text(row, "coord2_abbr");
    projection.coord1Desc = text(row, "coord1_desc");
    projection.coord2Desc = text(row, "coord2_desc");
    projection.coord1Sign = number(row, "coord1_sign");
    projection.coord2Sign = number(row, "coord2_sign");
    projection.swapCoords = number(row, "swap_coords");
    projection.epsgCode = number(row, "epsg");
    projection.mapinfoCode = number(row, "mapinfo", NoValue);

    const int type = number(row, "type");
    CMapProjTypeDetails typeRecord;
    if (type != 0 && ReadTypeDetails(type, typeRecord))
        projection.mapProjType = typeRecord;
    projection.mapProjType.code = checkMapProjTypeCode(type);
    return UnitStorage::readLinkedUnit(TableUnitLength, link(row, "length_unit"), projection.lengthUnit)
        && UnitStorage::readLinkedUnit(TableUnitAngle, link(row, "angle_unit"), projection.angleUnit)
        && UnitStorage::readLinkedUnit(TableUnitScale, link(row, "scale_unit"), projection.scaleUnit)
        && projection.mapProjType.code != 0 && readParams(key, projection) && projection.isValid();
}

} // namespace

bool ReadParamDetails(int code, CMapProjParamDetails& param)
{
    QSqlRecord row;
    if (!readCodeRecord(TableMapProjParam, code, param, &row))
        return false;
    param.shortName = text(row, "short_name");
    param.valueKind = checkParamValueKind(projParamValueKind(checkProjParamCode(code)));
    param.epsgCode = number(row, "epsg");
    param.wktName = text(row, "wkt");
    return param.isValid();
}

int FindParamDetails(const CMapProjParamDetails& param)
{
    return findCode(TableMapProjParam, param.code);
}

int InsertParamDetails(const CMapProjParamDetails& param, QString* error)
{
    return insertCodeRecord(TableMapProjParam, param, checkProjParamCode(param.code) != 0,
                            {"description", "short_name", "epsg", "wkt"},
                            {param.description, param.shortName, sqlNumberOrNull(param.epsgCode, 0),
                             param.wktName},
                            error);
}

bool ReadTypeDetails(int code, CMapProjTypeDetails& type)
{
    QSqlRecord row;
    if (!readCodeRecord(TableMapProjType, code, type, &row))
        return false;
    type.code = checkMapProjTypeCode(type.code);
    type.shortName = text(row, "short_name");
    type.coord1Abbr = text(row, "coord1_abbr");
    type.coord2Abbr = text(row, "coord2_abbr");
    type.coord1Desc = text(row, "coord1_desc");
    type.coord2Desc = text(row, "coord2_desc");
    type.coord1Sign = number(row, "coord1_sign");
    type.coord2Sign = number(row, "coord2_sign");
    type.swapCoords = number(row, "swap_coords");
    type.epsgCode = number(row, "epsg");
    const int mapinfo = number(row, "mapinfo");
    type.mapinfoCode = mapinfo == 0 ? NoValue : mapinfo;
    return type.isValid();
}

int FindTypeDetails(const CMapProjTypeDetails& type)
{
    return findCode(TableMapProjType, type.code);
}

int InsertTypeDetails(const CMapProjTypeDetails& type, QString* error)
{
    return insertCodeRecord(TableMapProjType, type, checkMapProjTypeCode(type.code) != 0,
                            {"description", "short_name", "coord1_abbr", "coord2_abbr", "coord1_desc",
                             "coord2_desc", "coord1_sign", "coord2_sign", "swap_coords", "epsg", "mapinfo"},
                            {type.description, type.shortName, type.coord1Abbr, type.coord2Abbr,
                             type.coord1Desc, type.coord2Desc, type.coord1Sign, type.coord2Sign,
                             type.swapCoords, sqlNumberOrNull(type.epsgCode, 0),
                             sqlNumberOrNull(type.mapinfoCode, NoValue)},
                            error);
}

bool ReadDetails(int key, CMapProjDetails& projection)
{
    return readOrClear(projection, readProjection(key, projection));
}

int FindDetails(const CMapProjDetails& projection)
{
    QVector<int> keys;
    if (!selectKeysByBaseName(TableMapProj, projection.name, keys))
        return NoValue;
    return firstEqual(keys, projection, ReadDetails);
}

int InsertDetails(const CMapProjDetails& projection, bool asCopy, QString* error)
{
    return insertRecord(projection, asCopy, FindDetails, QStringLiteral("MapProjStorage_Insert"), error,
                        [&] { return storeProjection(projection, error); });
}

bool ReadParamValue(int key, int code, QString& value)
{
    QSqlQuery query;
    if (!execQuery(query,
                   QString("SELECT value FROM %1 WHERE map_proj=? AND param=?;")
                       .arg(tableName(TableMapProjParamValue)),
                   {key, code})
        || !query.first())
        return false;
    value = query.value(0).toString();
    return true;
}

bool ReplaceParamValues(int key, const QMap<int, QString>& values, QString* error)
{
    QSqlQuery query;
    if (!execQuery(query, QString("DELETE FROM %1 WHERE map_proj=?;").arg(tableName(TableMapProjParamValue)), {key}))
        return failWith(error, databaseErrorText(query.lastError()));
    return insertParamValues(key, values, error);
}

} // namespace MapProjStorage
