#include "recordexchange.h"

#include "database/filenames.h"
#include "records/abstractdetails.h"
#include "records/coordsysdetails.h"

QString recordFileName(const CAbstractDetails& record, const QString& suffix)
{
    const QString name = record.getName();
    return (name.isEmpty() ? QString() : fileBaseName(name)) + QLatin1Char('.') + suffix;
}

bool readRecordElement(CAbstractDetails& record, const QDomElement& element, QString& reason)
{
    reason.clear();
    if (auto* system = dynamic_cast<CCoordSysDetails*>(&record))
        return system->fromXml(element, reason);
    return record.fromXml(element);
}
