#include "values/datumshiftinfo.h"

#include "database/codetablestypes.h"
#include "geodesy/datumshift.h"
#include "values/filledparams.h"
#include "values/valuecompare.h"

namespace {

enum ShiftType
{
    GeocentricTranslations = 1,
    CoordinateFrame = 2,
    MolodenskyBadekasFrame = 3,
    PositionVector = 4,
    MolodenskyBadekasVector = 5
};

enum PairwiseRole
{
    SourceRole = 2,
    ResultRole = 3
};

} // namespace

bool CDatumShiftTypeInfo::isValid() const
{
    return code != 0 && !name.empty();
}

bool CDatumShiftTypeInfo::operator==(const CDatumShiftTypeInfo& other) const
{
    if (!isValid() || !other.isValid())
        return false;
    return code == other.code && name == other.name && description == other.description
        && epsg == other.epsg;
}

void CDatumShiftTypeInfo::clear()
{
    *this = CDatumShiftTypeInfo();
}

bool CDatumShiftTypeInfo::setCode(int newCode)
{
    clear();
    if (newCode == 0)
        return false;
    code = newCode;
    name = datumShiftTypeName(newCode);
    description = datumShiftTypeDescription(newCode);
    epsg = datumShiftTypeEpsgCode(newCode);
    return true;
}

bool CDatumShiftInfo::isValid() const
{
    return type != 0 && !name.empty();
}

bool CDatumShiftInfo::operator==(const CDatumShiftInfo& other) const
{
    if (!isValid() || !other.isValid())
        return false;
    return name == other.name && description == other.description
        && identifier == other.identifier && pairwise_role == other.pairwise_role
        && type == other.type && tx == other.tx && ty == other.ty && tz == other.tz
        && rx == other.rx && ry == other.ry && rz == other.rz && dm == other.dm
        && px == other.px && py == other.py && pz == other.pz
        && convention == other.convention && exact == other.exact && epsg == other.epsg
        && type_info == other.type_info && isSameLink(length_unit, other.length_unit)
        && isSameLink(angle_unit, other.angle_unit) && isSameLink(scale_unit, other.scale_unit);
}

void CDatumShiftInfo::clear()
{
    *this = CDatumShiftInfo();
}

bool CDatumShiftInfo::fillParams(vexa::CDatumShiftBursaWolfParams& params) const
{
    params.clear();
    if (!isValid() || type < GeocentricTranslations || type > MolodenskyBadekasVector)
        return false;
    if (!length_unit || (type != GeocentricTranslations && (!angle_unit || !scale_unit)))
        return false;
    // The library has no exact rotation form: it would drop such a shift unseen.
    if (exact && (type == CoordinateFrame || type == PositionVector))
        return false;

    const CUnitInfo& length = *length_unit;
    double shift[3] = {length.toBaseDouble(tx), length.toBaseDouble(ty),
                       length.toBaseDouble(tz)};
    double rotation[3] = {0.0, 0.0, 0.0};
    double scale = 0.0;
    if (type != GeocentricTranslations) {
        const double sign = type == CoordinateFrame || type == MolodenskyBadekasFrame ? -1.0 : 1.0;
        rotation[0] = sign * angle_unit->toBaseDouble(rx);
        rotation[1] = sign * angle_unit->toBaseDouble(ry);
        rotation[2] = sign * angle_unit->toBaseDouble(rz);
        scale = scale_unit->toBaseDouble(dm);
    }
    if (type == MolodenskyBadekasFrame || type == MolodenskyBadekasVector) {
        // The shift about the pivot p as one about the origin: t + p - k R p.
        const double p[3] = {length.toBaseDouble(px), length.toBaseDouble(py),
                             length.toBaseDouble(pz)};
        const double k = 1.0 + scale;
        shift[0] += -scale * p[0] + k * rotation[2] * p[1] - k * rotation[1] * p[2];
        shift[1] += -scale * p[1] - k * rotation[2] * p[0] + k * rotation[0] * p[2];
        shift[2] += -scale * p[2] + k * rotation[1] * p[0] - k * rotation[0] * p[1];
    }

    params = vexa::CDatumShiftBursaWolfParams();
    params.tx = shift[0];
    params.ty = shift[1];
    params.tz = shift[2];
    params.rx = rotation[0];
    params.ry = rotation[1];
    params.rz = rotation[2];
    params.m = scale;
    if (pairwise_role == SourceRole) {
        params.isDisabled = true;
    } else if (pairwise_role == ResultRole) {
        params.isForward = true;
    } else {
        params.isDisabled = false;
        params.isForward = true;
    }
    return params.isValid();
}

std::shared_ptr<vexa::CDatumShiftBursaWolfParams> CDatumShiftInfo::toParams() const
{
    return makeFilledParams<vexa::CDatumShiftBursaWolfParams>(*this);
}
