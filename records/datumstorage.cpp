#include "records/datumstorage.h"

#include "records/datumdetails.h"
#include "records/datumshiftstorage.h"
#include "records/ellipsoidstorage.h"
#include "records/recordstorage.h"
#include "records/transformliststorage.h"

#include "database/tablecatalogue.h"

using namespace RecordStorage;

namespace {

const int horizontalScope = 3;
const int verticalScope = 4;

// Owned records, keyed by their identifier; false at the first that does not read or
// has no identifier.
template <class Record, class Map, class Read>
bool readOwned(const QVector<int>& keys, Map& owned, Read read)
{
    for (const int key : keys) {
        auto record = std::make_shared<Record>();
        if (!read(key, *record) || record->identifier.isEmpty())
            return false;
        owned[record->identifier] = record;
    }
    return true;
}

bool readPairwiseShifts(int key, CDatumDetails& datum)
{
    QVector<int> keys;
    const QString keyColumn = keyColumnName(TableDatumShift);
    return selectKeys(QString("SELECT %1 FROM %2 WHERE datum=? ORDER BY %1;")
                          .arg(keyColumn, tableName(TableDatumShift)),
                      {key}, keys)
        && readOwned<CDatumShiftDetails>(keys, datum.pairwiseDatumShifts, readDatumShiftDetails);
}

bool readTransformLists(int key, int scope, CDatumDetails::TransformListMap& lists)
{
    QVector<int> keys;
    const QString keyColumn = keyColumnName(TableTransformList);
    return selectKeys(QString("SELECT %1 FROM %2 WHERE scope=? AND owner=? AND owner_table=? ORDER BY %1;")
                          .arg(keyColumn, tableName(TableTransformList)),
                      {scope, key, tableName(TableDatum)}, keys)
        && readOwned<CTransformListDetails>(keys, lists, TransformListStorage::ReadDetails);
}

bool storePairwiseShifts(int key, const CDatumDetails& datum, QString* error)
{
    for (const auto& entry : datum.pairwiseDatumShifts) {
        const std::shared_ptr<CDatumShiftDetails>& shift = entry.second;
        if (!shift || shift->identifier.isEmpty())
            return failWith(error,
                          QString("Попарное преобразование датума «%1» без идентификатора не может "
                                  "быть сохранено")
                              .arg(shift ? shift->name : entry.first));
        if (insertDatumShiftDetails(*shift, false, key, error) == NoValue)
            return false;
    }
    return true;
}

bool storeTransformLists(int key, int scope, const CDatumDetails::TransformListMap& lists, QString* error)
{
    for (const std::shared_ptr<CTransformListDetails>& list : lists) {
        if (!list || list->identifier.isEmpty() || list->scope != scope)
            return failWith(error,
                          QString("Список преобразований датума «%1» должен иметь идентификатор и "
                                  "область применения %2")
                              .arg(list ? list->name : QString(), QString::number(scope)));
        if (TransformListStorage::InsertDetails(*list, key, tableName(TableDatum), error) == NoValue)
            return false;
    }
    return true;
}

int storeDatum(const CDatumDetails& datum, QString* error)
{
    QVariant shift;
    QVariant ellipsoid;
    if (!insertLink(datum.datumShift, shift,
                    [error](const CDatumShiftDetails& linked) {
                        return insertDatumShiftDetails(linked, false, NoValue, error);
                    })
        || !insertLink(datum.ellipsoid, ellipsoid, [error](const CEllipsoidDetails& linked) {
               return EllipsoidStorage::InsertDetails(linked, false, error);
           }))
        return NoValue;
    const int key = insertRow(
        TableDatum,
        {"name", "description", "short_name", "datum_shift", "ellipsoid", "epsg", "mapinfo", "last_use"},
        {uniqueName(TableDatum, datum.name), datum.description, datum.shortName, shift, ellipsoid,
         sqlNumberOrNull(datum.epsgCode, 0), sqlNumberOrNull(datum.mapinfoCode, NoValue), now()},
        error);
    if (key == NoValue || !storePairwiseShifts(key, datum, error)
        || !storeTransformLists(key, horizontalScope, datum.geographicDatumShifts, error)
        || !storeTransformLists(key, verticalScope, datum.verticalDatumShifts, error))
        return NoValue;
    return key;
}

} // namespace

bool readDatumDetails(int key, CDatumDetails& datum)
{
    QSqlRecord row;
    if (!readRow(TableDatum, key, row))
        return false;
    datum.name = text(row, "name");
    datum.description = text(row, "description");
    datum.shortName = text(row, "short_name");
    datum.epsgCode = number(row, "epsg");
    datum.mapinfoCode = number(row, "mapinfo", NoValue);
    return readLink(link(row, "datum_shift"), datum.datumShift, readDatumShiftDetails)
        && readLink(link(row, "ellipsoid"), datum.ellipsoid, EllipsoidStorage::ReadDetails) && datum.isValid()
        && readPairwiseShifts(key, datum) && readTransformLists(key, verticalScope, datum.verticalDatumShifts)
        && readTransformLists(key, horizontalScope, datum.geographicDatumShifts);
}

int findDatumDetails(const CDatumDetails& datum)
{
    QVector<int> keys;
    if (!selectKeysByBaseName(TableDatum, datum.name, keys))
        return NoValue;
    return firstEqual(keys, datum, readDatumDetails);
}

QString datumFault(const CDatumDetails& datum)
{
    QString fault = datum.datumShift ? datumShiftFault(*datum.datumShift) : QString();
    for (auto shift = datum.pairwiseDatumShifts.cbegin(); fault.isEmpty() && shift != datum.pairwiseDatumShifts.cend();
         ++shift) {
        if (shift->second)
            fault = datumShiftFault(*shift->second);
    }
    for (const auto* lists : {&datum.geographicDatumShifts, &datum.verticalDatumShifts}) {
        for (auto list = lists->cbegin(); fault.isEmpty() && list != lists->cend(); ++list) {
            if (list.value())
                fault = TransformListStorage::StoreFault(*list.value());
        }
    }
    return fault;
}

int insertDatumDetails(const CDatumDetails& datum, bool alwaysInsert, QString* error)
{
    const QString fault = datumFault(datum);
    if (!fault.isEmpty())
        return fail(error, fault);
    return insertRecord(datum, alwaysInsert, findDatumDetails, QStringLiteral("DatumStorage_Insert"), error,
                        [&] { return storeDatum(datum, error); });
}
