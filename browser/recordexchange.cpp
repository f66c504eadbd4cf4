#include "recordexchange.h"

#include "database/filenames.h"
#include "records/abstractdetails.h"

QString recordFileName(const CAbstractDetails& record, const QString& suffix)
{
    const QString name = record.getName();
    return (name.isEmpty() ? QString() : fileBaseName(name)) + QLatin1Char('.') + suffix;
}
