#include "values/datuminfo.h"

#include "values/valuecompare.h"

bool CDatumInfo::isValid() const
{
    return !name.empty();
}

bool CDatumInfo::operator==(const CDatumInfo& other) const
{
    if (!isValid() || !other.isValid())
        return false;
    return name == other.name && description == other.description
        && short_name == other.short_name && epsg == other.epsg && mapinfo == other.mapinfo
        && isSameLink(ellipsoid, other.ellipsoid) && isSameLink(datum_shift, other.datum_shift)
        && isSameMap(pairwise_shifts, other.pairwise_shifts)
        && isSameMap(geographic_shifts, other.geographic_shifts)
        && isSameMap(vertical_shifts, other.vertical_shifts);
}

void CDatumInfo::clear()
{
    *this = CDatumInfo();
}
