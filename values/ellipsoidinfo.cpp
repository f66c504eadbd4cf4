#include "values/ellipsoidinfo.h"

#include "geodesy/ellipsoid.h"
#include "values/numbertext.h"
#include "values/filledparams.h"
#include "values/valuecompare.h"

bool CEllipsoidInfo::isValid() const
{
    if (name.empty() || a.empty() || !unit || !unit->isValid())
        return false;
    if (sphere)
        return true;
    return use_f ? !f.empty() : !b.empty();
}

bool CEllipsoidInfo::operator==(const CEllipsoidInfo& other) const
{
    if (!isValid() || !other.isValid())
        return false;
    return name == other.name && description == other.description && a == other.a
        && b == other.b && f == other.f && use_f == other.use_f && sphere == other.sphere
        && isSameLink(unit, other.unit) && epsg == other.epsg && mapinfo == other.mapinfo;
}

void CEllipsoidInfo::clear()
{
    *this = CEllipsoidInfo();
}

bool CEllipsoidInfo::fillParams(vexa::CEllipsoidParams& params) const
{
    params.clear();
    if (!isValid())
        return false;
    const double semiMajor = unit->toBaseDouble(a);
    if (sphere)
        params.setSphere(semiMajor);
    else if (use_f)
        params.setInverseFlattening(semiMajor,
                                    textToFiniteDouble(f, "CEllipsoidInfo::fillParams"));
    else
        params.setAxes(semiMajor, unit->toBaseDouble(b));
    return params.isValid();
}

std::shared_ptr<vexa::CEllipsoidParams> CEllipsoidInfo::toParams() const
{
    return makeFilledParams<vexa::CEllipsoidParams>(*this);
}
