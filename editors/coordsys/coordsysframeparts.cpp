#include "coordsysframeparts.h"

#include "browser/framedatabasepicker.h"
#include "browser/prompt.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QSqlRecord>

namespace CoordSysFrameParts {

bool readCoordSysRow(int key, QSqlRecord& row)
{
    return key != NoValue && RecordStorage::readRow(TableCoordSys, key, row);
}

int storedKey(const QSqlRecord& row, const QString& column)
{
    const int key = RecordStorage::link(row, column);
    return key < 1 ? NoValue : key;
}

bool acceptOrWarn(QWidget* frame, const QString& fault)
{
    if (fault.isEmpty())
        return true;
    prompt().warning(frame, QStringLiteral("Предупреждение"), fault);
    return false;
}

void enableDatumOrEllipsoid(FrameDatabasePicker* datumPicker, FrameDatabasePicker* ellipsoidPicker, bool datumMode)
{
    datumPicker->setPickEnabled(datumMode);
    ellipsoidPicker->setPickEnabled(!datumMode);
}

QString readDatumOrEllipsoid(bool datumMode, int datumKey, int ellipsoidKey, int& datum, int& ellipsoid)
{
    datum = datumMode ? datumKey : NoValue;
    ellipsoid = datumMode ? NoValue : ellipsoidKey;
    if (datumMode && datum == NoValue)
        return QStringLiteral("Необходимо задать датум");
    if (!datumMode && ellipsoid == NoValue)
        return QStringLiteral("Необходимо задать эллипсоид");
    return QString();
}

} // namespace CoordSysFrameParts
