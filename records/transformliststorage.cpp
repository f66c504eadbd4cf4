#include "records/transformliststorage.h"

#include "records/recordstorage.h"
#include "records/transformlistdetails.h"
#include "records/transformstorage.h"

#include "database/tablecatalogue.h"

using namespace RecordStorage;

namespace TransformListStorage {

namespace {

// Keys of the list's transforms, ordered by their place in the list.
bool selectTransforms(int key, const QString& order, QVector<int>& transforms)
{
    return selectKeys(QString("SELECT %1 FROM %2 WHERE transform_list=? ORDER BY number%3;")
                          .arg(keyColumnName(TableTransform), tableName(TableTransform), order),
                      {key}, transforms);
}

bool readList(int key, CTransformListDetails& list)
{
    QSqlRecord row;
    QVector<int> transforms;
    if (!readRow(TableTransformList, key, row) || !selectTransforms(key, QString(), transforms))
        return false;
    list.name = text(row, "name");
    list.description = text(row, "description");
    list.identifier = text(row, "identifier");
    list.scope = number(row, "scope");
    for (const int transformKey : transforms) {
        CTransformDetails transform;
        if (!TransformStorage::ReadDetails(transformKey, transform))
            return false;
        list.transforms.append(transform);
    }
    return list.isValid();
}

int storeList(const CTransformListDetails& list, int ownerKey, const QString& ownerTable, QString* error)
{
    const int key
        = insertRow(TableTransformList,
                    {"name", "description", "owner", "owner_table", "identifier", "scope", "last_use"},
                    {uniqueName(TableTransformList, list.name), list.description, linkValue(ownerKey),
                     sqlTextOrNull(ownerTable), list.identifier, list.scope, now()},
                    error);
    for (int i = 0; key != NoValue && i < list.transforms.size(); ++i) {
        if (TransformStorage::InsertDetails(list.transforms.at(i), key, i + 1, error) == NoValue)
            return NoValue;
    }
    return key;
}

bool deleteList(int key)
{
    QVector<int> transforms;
    if (!selectTransforms(key, QStringLiteral(" DESC"), transforms))
        return false;
    for (const int transform : transforms) {
        if (!TransformStorage::Delete(transform))
            return false;
    }
    return exec(QString("DELETE FROM %1 WHERE %2=?;")
                    .arg(tableName(TableTransformList), keyColumnName(TableTransformList)),
                {key});
}

} // namespace

bool ReadDetails(int key, CTransformListDetails& list)
{
    return readOrClear(list, readList(key, list));
}

QString StoreFault(const CTransformListDetails& list)
{
    for (const CTransformDetails& transform : list.transforms) {
        const QString fault = TransformStorage::StoreFault(transform);
        if (!fault.isEmpty())
            return fault;
    }
    return QString();
}

int InsertDetails(const CTransformListDetails& list, int ownerKey, const QString& ownerTable, QString* error)
{
    return storeValid(list, QStringLiteral("TransformListStorage_Insert"), error,
                      [&] { return storeList(list, ownerKey, ownerTable, error); });
}

bool Delete(int key)
{
    return runInSavepoint(QStringLiteral("TransformListStorage_Delete"), nullptr,
                          [key] { return deleteList(key); });
}

} // namespace TransformListStorage
