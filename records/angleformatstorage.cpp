#include "records/angleformatstorage.h"

#include "records/angleformatdetails.h"
#include "records/recordstorage.h"

#include "database/codetablestypes.h"
#include "database/tablecatalogue.h"

using namespace RecordStorage;

namespace AngleFormatStorage {

bool ReadDetails(int code, CAngleFormatDetails& format)
{
    QSqlRecord row;
    if (!readCodeRecord(TableAngleFormat, code, format, &row))
        return false;
    format.shortName = text(row, "short_name");
    format.epsgCode = number(row, "epsg");
    return format.isValid();
}

int FindDetails(const CAngleFormatDetails& format)
{
    QVector<int> codes;
    if (!selectKeys(QString("SELECT %1 FROM %2 WHERE %1=? AND name=? ORDER BY %1;")
                        .arg(keyColumnName(TableAngleFormat), tableName(TableAngleFormat)),
                    {format.code, format.name}, codes))
        return NoValue;
    return firstEqual(codes, format, ReadDetails);
}

int InsertDetails(const CAngleFormatDetails& format, QString* error)
{
    if (!format.isValid())
        return fail(error, incompleteReason(format));
    return insertCodeRecord(TableAngleFormat, format, checkAngleFormatCode(format.code, 0) != 0,
                            {"description", "short_name", "epsg", "favourite", "last_use"},
                            {format.description, format.shortName, format.epsgCode, 0, now()}, error);
}

} // namespace AngleFormatStorage
