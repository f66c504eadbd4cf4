#include "records/coordsysinfoxml.h"

#include "records/coordsysdetails.h"
#include "values/coordsysinfo.h"

#include <QDomElement>

bool readCoordSysInfo(const QDomElement& element, CCoordSysInfo& info)
{
    CCoordSysDetails details;
    return details.fromXml(element) && details.toInfo(info);
}
