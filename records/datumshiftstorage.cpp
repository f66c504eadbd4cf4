#include "records/datumshiftstorage.h"

#include "records/datumshifttypedetails.h"
#include "records/recordstorage.h"

#include "database/codetablestypes.h"
#include "database/tablecatalogue.h"

using namespace RecordStorage;

bool readDatumShiftTypeDetails(int code, CDatumShiftTypeDetails& type)
{
    QSqlRecord row;
    if (!readRow(TableDatumShiftType, code, row))
        return false;
    type.code = number(row, "code");
    type.name = text(row, "name");
    type.description = text(row, "description");
    return type.isValid();
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
