#include "values/primemeridianinfo.h"

#include "geodesy/coords.h"
#include "values/filledparams.h"
#include "values/valuecompare.h"

bool CPrimeMeridianInfo::isValid() const
{
    return !name.empty() && unit && unit->isValid() && !longitude.empty();
}

bool CPrimeMeridianInfo::operator==(const CPrimeMeridianInfo& other) const
{
    if (!isValid() || !other.isValid())
        return false;
    return name == other.name && description == other.description
        && longitude == other.longitude && isSameLink(unit, other.unit) && epsg == other.epsg;
}

void CPrimeMeridianInfo::clear()
{
    *this = CPrimeMeridianInfo();
}

bool CPrimeMeridianInfo::fillParams(vexa::CPrimeMeridianParams& params) const
{
    params.clear();
    if (!isValid())
        return false;
    double radians = unit->toBaseDouble(longitude);
    vexa::normalizeAngle(radians);
    params.setLongitude(radians);
    return params.isValid();
}

std::shared_ptr<vexa::CPrimeMeridianParams> CPrimeMeridianInfo::toParams() const
{
    return makeFilledParams<vexa::CPrimeMeridianParams>(*this);
}
