#include "values/coordsystypeinfo.h"

bool CCoordSysTypeInfo::isValid() const
{
    return code != 0 && !name.empty();
}

bool CCoordSysTypeInfo::operator==(const CCoordSysTypeInfo& other) const
{
    if (!isValid() || other.code == 0)
        return false;
    return code == other.code && name == other.name && description == other.description;
}

void CCoordSysTypeInfo::clear()
{
    *this = CCoordSysTypeInfo();
}
