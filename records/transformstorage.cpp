#include "records/transformstorage.h"

#include "records/recordstorage.h"
#include "records/transformdetails.h"
#include "records/unitstorage.h"

#include "database/codetablesaxes.h"
#include "database/numbers.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"

#include <QSqlQuery>

using namespace RecordStorage;

namespace TransformStorage {

namespace {

bool readParamValues(int key, CTransformDetails& transform)
{
    QSqlQuery query;
    if (!execQuery(query,
                   QString("SELECT param, value, unit FROM %1 WHERE transform=? ORDER BY param;")
                       .arg(tableName(TableTransformParamValue)),
                   {key}))
        return false;
    while (query.next()) {
        CTransformParamDetails param;
        CTransformParamValueDetails value;
        value.paramCode = variantToInt(query.value(0), 0);
        value.value = query.value(1).toString();
        if (!ReadParamDetails(value.paramCode, param)
            || !UnitStorage::readLinkedUnit(TableUnitLength, variantToInt(query.value(2), 0), value.unit))
            return false;
        transform.params[value.paramCode] = param;
        transform.paramValues[value.paramCode] = value;
    }
    return true;
}

bool readTransform(int key, CTransformDetails& transform)
{
    QSqlRecord row;
    if (!readRow(TableTransform, key, row))
        return false;
    transform.name = text(row, "name");
    transform.description = text(row, "description");
    transform.typeCode = number(row, "type");
    CTransformTypeDetails type;
    if (ReadTypeDetails(transform.typeCode, type))
        transform.transformType = type;
    return readParamValues(key, transform) && transform.isValid();
}

bool storeParamValue(int key, const CTransformParamValueDetails& value, QString* error)
{
    CTransformParamDetails param;
    param.code = value.paramCode;
    if (!value.isValid())
        return failWith(error, incompleteReason(value));
    const CStatementWatch watch;
    const int found = FindParamDetails(param);
    if (!answered(watch, error))
        return false;
    if (found == NoValue)
        return failWith(error, invalidCodeReason(TableTransformParam, value.paramCode));
    QVariant unit;
    return UnitStorage::insertLinkedUnit(TableUnitLength, value.unit, unit, error)
        && insertRow(TableTransformParamValue, {"param", "transform", "value", "unit"},
                     {value.paramCode, key, value.value, unit}, error)
        != NoValue;
}

int storeTransform(const CTransformDetails& transform, int listKey, int number, QString* error)
{
    const QString fault = StoreFault(transform);
    if (!fault.isEmpty())
        return fail(error, fault);
    if (transform.transformType.isValid() && InsertTypeDetails(transform.transformType, error) == NoValue)
        return NoValue;
    for (const CTransformParamDetails& param : transform.params) {
        if (InsertParamDetails(param, error) == NoValue)
            return NoValue;
    }
    const int key
        = insertRow(TableTransform, {"name", "description", "type", "transform_list", "number", "last_use"},
                    {uniqueName(TableTransform, transform.name), transform.description, transform.typeCode,
                     linkValue(listKey), number, now()},
                    error);
    if (key == NoValue)
        return NoValue;
    for (const CTransformParamValueDetails& value : transform.paramValues) {
        if (!storeParamValue(key, value, error))
            return NoValue;
    }
    return key;
}

bool deleteTransform(int key)
{
    const QString table = tableName(TableTransform);
    const QString keyColumn = keyColumnName(TableTransform);
    QSqlQuery place;
    if (!execQuery(place, QString("SELECT number, transform_list FROM %1 WHERE %2=?;").arg(table, keyColumn),
                   {key}))
        return false;
    const bool found = place.first();
    return exec(QString("DELETE FROM %1 WHERE %2=?;").arg(table, keyColumn), {key})
        && (!found
            || exec(
                QString("UPDATE %1 SET  number = number-1 WHERE transform_list=? AND number>?;").arg(table),
                {place.value(1), place.value(0)}))
        && exec(QString("DELETE FROM %1 WHERE transform = ?;").arg(tableName(TableTransformParamValue)),
                {key});
}

} // namespace

bool ReadDetails(int key, CTransformDetails& transform)
{
    return readOrClear(transform, readTransform(key, transform));
}

QString StoreFault(const CTransformDetails& transform)
{
    const int typeRecordCode = transform.transformType.code;
    if (typeRecordCode != 0 && typeRecordCode != transform.typeCode)
        return typeMismatchReason(QStringLiteral("преобразования"), transform.name, transform.typeCode,
                                  typeRecordCode);
    return QString();
}

int InsertDetails(const CTransformDetails& transform, int listKey, int number, QString* error)
{
    return storeValid(transform, QStringLiteral("TransformStorage_Insert"), error,
                      [&] { return storeTransform(transform, listKey, number, error); });
}

bool Delete(int key)
{
    return runInSavepoint(QStringLiteral("TransformStorage_Delete"), nullptr,
                          [key] { return deleteTransform(key); });
}

bool ReadTypeDetails(int code, CTransformTypeDetails& type)
{
    return readCodeRecord(TableTransformType, code, type) && type.isValid();
}

int FindTypeDetails(const CTransformTypeDetails& type)
{
    return findCode(TableTransformType, type.code);
}

int InsertTypeDetails(const CTransformTypeDetails& type, QString* error)
{
    return insertCodeRecord(TableTransformType, type, checkTransformTypeCode(type.code) != 0, {"description"},
                            {type.description}, error);
}

bool ReadParamDetails(int code, CTransformParamDetails& param)
{
    QSqlRecord row;
    if (!readCodeRecord(TableTransformParam, code, param, &row))
        return false;
    param.shortName = text(row, "short_name");
    param.type = 0;
    return param.isValid();
}

int FindParamDetails(const CTransformParamDetails& param)
{
    return findCode(TableTransformParam, param.code);
}

int InsertParamDetails(const CTransformParamDetails& param, QString* error)
{
    return insertCodeRecord(TableTransformParam, param, checkTransformParamCode(param.code) != 0,
                            {"description", "short_name"}, {param.description, param.shortName}, error);
}

} // namespace TransformStorage
