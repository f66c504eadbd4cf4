#include "values/vertcoordsysinfo.h"

#include "values/transforminfo.h"
#include "values/valuecompare.h"

CVertCoordSysInfo::CVertCoordSysInfo()
{
    clear();
}

bool CVertCoordSysInfo::isValid() const
{
    return !name.empty() && !geoid.empty();
}

bool CVertCoordSysInfo::operator==(const CVertCoordSysInfo& other) const
{
    return isValid() && other.isValid() && name == other.name && description == other.description
        && short_name == other.short_name && geoid == other.geoid && epsg == other.epsg
        && isSameLink(transform_list, other.transform_list);
}

void CVertCoordSysInfo::clear()
{
    name.clear();
    description.clear();
    short_name.clear();
    geoid.clear();
    transform_list.reset();
    epsg = 0;
}
