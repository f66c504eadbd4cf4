#include "recordkind.h"

#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "records/angleformatdetails.h"
#include "records/angleformatstorage.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"
#include "records/coordsystypedetails.h"
#include "records/datumdetails.h"
#include "records/datumshiftdetails.h"
#include "records/datumshiftstorage.h"
#include "records/datumshifttypedetails.h"
#include "records/datumstorage.h"
#include "records/ellipsoiddetails.h"
#include "records/ellipsoidstorage.h"
#include "records/mapprojdetails.h"
#include "records/mapprojstorage.h"
#include "records/mapprojtypedetails.h"
#include "records/primemeridiandetails.h"
#include "records/primemeridianstorage.h"
#include "records/transformdetails.h"
#include "records/transformlistdetails.h"
#include "records/transformliststorage.h"
#include "records/transformstorage.h"
#include "records/transformtypedetails.h"
#include "records/unitdetails.h"
#include "records/unitstorage.h"
#include "records/vertcoordsysdetails.h"
#include "records/vertcoordsysstorage.h"

#include <QHash>

namespace {

template <class Record>
using Read = std::function<bool(int key, Record& record)>;
template <class Record>
using Insert = std::function<int(const Record& record, bool asCopy, QString* error)>;

// A kind read by its own record class; stored too when insert is given.
template <class Record>
CRecordKind kind(const Read<Record>& read, const Insert<Record>& insert = nullptr, const QString& importTitle = QString())
{
    CRecordKind result;
    result.make = [] { return std::unique_ptr<CAbstractDetails>(new Record); };
    result.read = [read](int key, CAbstractDetails& record) {
        auto* own = dynamic_cast<Record*>(&record);
        return own && read(key, *own);
    };
    if (insert) {
        result.insert = [insert](const CAbstractDetails& record, bool asCopy, QString* error) {
            const auto* own = dynamic_cast<const Record*>(&record);
            if (own)
                return insert(*own, asCopy, error);
            if (error)
                *error = QStringLiteral("Запись другого вида");
            return int(NoValue);
        };
    }
    result.belongs = [](const CAbstractDetails& record) { return dynamic_cast<const Record*>(&record) != nullptr; };
    result.importTitle = importTitle;
    return result;
}

CRecordKind unitKind(int tableId)
{
    CRecordKind result = kind<CUnitDetails>(
        [tableId](int key, CUnitDetails& unit) { return UnitStorage::ReadDetails(tableId, key, unit); },
        UnitStorage::InsertDetails, QStringLiteral("Импорт единиц измерения"));
    result.belongs = [tableId](const CAbstractDetails& record) {
        const auto* unit = dynamic_cast<const CUnitDetails*>(&record);
        return unit && unit->scope == unitScopeOfTable(tableId);
    };
    return result;
}

QHash<int, CRecordKind> makeKinds()
{
    QHash<int, CRecordKind> kinds;
    for (const int tableId : {TableUnitLength, TableUnitAngle, TableUnitScale})
        kinds.insert(tableId, unitKind(tableId));
    kinds.insert(TableAngleFormat, kind<CAngleFormatDetails>(AngleFormatStorage::ReadDetails));
    kinds.insert(TableEllipsoid, kind<CEllipsoidDetails>(EllipsoidStorage::ReadDetails, EllipsoidStorage::InsertDetails,
                                                         QStringLiteral("Импорт эллипсоида")));
    kinds.insert(TablePrimeMeridian,
                 kind<CPrimeMeridianDetails>(PrimeMeridianStorage::ReadDetails, PrimeMeridianStorage::InsertDetails,
                                             QStringLiteral("Импорт начального меридиана")));
    kinds.insert(TableDatum, kind<CDatumDetails>(readDatumDetails, insertDatumDetails, QStringLiteral("Импорт датума")));
    kinds.insert(TableDatumShiftType, kind<CDatumShiftTypeDetails>(readDatumShiftTypeDetails));
    kinds.insert(TableDatumShift, kind<CDatumShiftDetails>(
                                      readDatumShiftDetails,
                                      [](const CDatumShiftDetails& shift, bool asCopy, QString* error) {
                                          return insertDatumShiftDetails(shift, asCopy, NoValue, error);
                                      },
                                      QStringLiteral("Импорт преобразования датума")));
    kinds.insert(TableCoordSysType, kind<CCoordSysTypeDetails>(readCoordSysTypeDetails));
    kinds.insert(TableCoordSys, kind<CCoordSysDetails>(
                                    readCoordSysDetails,
                                    [](const CCoordSysDetails& system, bool asCopy, QString* error) {
                                        return insertCoordSysDetails(system, asCopy, nullptr, error);
                                    },
                                    QStringLiteral("Импорт системы координат")));
    kinds.insert(TableMapProjType, kind<CMapProjTypeDetails>(MapProjStorage::ReadTypeDetails));
    kinds.insert(TableMapProj, kind<CMapProjDetails>(MapProjStorage::ReadDetails, MapProjStorage::InsertDetails,
                                                     QStringLiteral("Импорт проекции")));
    kinds.insert(TableVertCoordSys, kind<CVertCoordSysDetails>(readVertCoordSysDetails, insertVertCoordSysDetails,
                                                               QStringLiteral("Импорт системы высот")));
    kinds.insert(TableTransformType, kind<CTransformTypeDetails>(TransformStorage::ReadTypeDetails));
    kinds.insert(TableTransform, kind<CTransformDetails>(TransformStorage::ReadDetails));
    kinds.insert(TableTransformList, kind<CTransformListDetails>(TransformListStorage::ReadDetails));
    return kinds;
}

} // namespace

const CRecordKind* recordKind(int tableId)
{
    static const QHash<int, CRecordKind> kinds = makeKinds();
    const auto found = kinds.constFind(tableId);
    return found == kinds.constEnd() ? nullptr : &found.value();
}
