#include "records/vertcoordsysstorage.h"

#include "records/recordstorage.h"
#include "records/transformliststorage.h"
#include "records/vertcoordsysdetails.h"

#include "database/tablecatalogue.h"

using namespace RecordStorage;

namespace {

int storeSystem(const CVertCoordSysDetails& system, QString* error)
{
    QVariant list;
    if (!insertLink(system.transformList, list, [error](const CTransformListDetails& linked) {
            return TransformListStorage::InsertDetails(linked, NoValue, QString(), error);
        }))
        return NoValue;
    return insertRow(TableVertCoordSys,
                     {"name", "description", "short_name", "geoid", "transform_list", "epsg", "last_use"},
                     {uniqueName(TableVertCoordSys, system.name), system.description, system.shortName,
                      system.geoidId, list, sqlNumberOrNull(system.epsgCode, 0), now()},
                     error);
}

} // namespace

bool readVertCoordSysDetails(int key, CVertCoordSysDetails& system)
{
    QSqlRecord row;
    if (!readRow(TableVertCoordSys, key, row))
        return false;
    system.name = text(row, "name");
    system.description = text(row, "description");
    system.shortName = text(row, "short_name");
    system.geoidId = text(row, "geoid");
    system.epsgCode = number(row, "epsg");
    return readLink(link(row, "transform_list"), system.transformList, TransformListStorage::ReadDetails)
        && system.isValid();
}

int findVertCoordSysDetails(const CVertCoordSysDetails& system)
{
    QVector<int> keys;
    const QString keyColumn = keyColumnName(TableVertCoordSys);
    if (!selectKeys(QString("SELECT %1 FROM %2 WHERE name=? AND geoid=? ORDER BY %1;")
                        .arg(keyColumn, tableName(TableVertCoordSys)),
                    {system.name, system.geoidId}, keys))
        return NoValue;
    return firstEqual(keys, system, readVertCoordSysDetails);
}

QString vertCoordSysFault(const CVertCoordSysDetails& system)
{
    return system.transformList ? TransformListStorage::StoreFault(*system.transformList) : QString();
}

int insertVertCoordSysDetails(const CVertCoordSysDetails& system, bool alwaysInsert, QString* error)
{
    const QString fault = vertCoordSysFault(system);
    if (!fault.isEmpty())
        return fail(error, fault);
    return insertRecord(system, alwaysInsert, findVertCoordSysDetails,
                        QStringLiteral("VertCoordSysStorage_Insert"), error,
                        [&] { return storeSystem(system, error); });
}
