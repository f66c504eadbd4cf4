#include "values/mapprojinfo.h"

#include "geodesy/transform.h"
#include "values/transforminfo.h"
#include "values/valuecompare.h"

bool CMapProjTypeInfo::isValid() const
{
    return code != 0 && !name.empty();
}

bool CMapProjTypeInfo::operator==(const CMapProjTypeInfo& other) const
{
    if (!isValid() || !other.isValid())
        return false;
    return code == other.code && name == other.name && description == other.description
        && short_name == other.short_name && coord1_abbr == other.coord1_abbr
        && coord2_abbr == other.coord2_abbr && coord1_desc == other.coord1_desc
        && coord2_desc == other.coord2_desc && coord1_sign == other.coord1_sign
        && coord2_sign == other.coord2_sign && swap_coords == other.swap_coords
        && epsg == other.epsg && mapinfo == other.mapinfo;
}

void CMapProjTypeInfo::clear()
{
    *this = CMapProjTypeInfo();
}

bool CMapProjParamInfo::isValid() const
{
    return code != 0 && type != 0 && !name.empty();
}

bool CMapProjParamInfo::operator==(const CMapProjParamInfo& other) const
{
    if (!isValid() || !other.isValid())
        return false;
    return code == other.code && name == other.name && description == other.description
        && short_name == other.short_name && type == other.type && epsg == other.epsg
        && reserved == other.reserved && wkt == other.wkt;
}

void CMapProjParamInfo::clear()
{
    *this = CMapProjParamInfo();
}

bool CMapProjInfo::isValid() const
{
    return type != 0 && !name.empty() && coord1_sign != 0 && coord2_sign != 0;
}

bool CMapProjInfo::operator==(const CMapProjInfo& other) const
{
    if (!isValid() || !other.isValid())
        return false;
    return name == other.name && description == other.description
        && short_name == other.short_name && type == other.type
        && coord1_abbr == other.coord1_abbr && coord2_abbr == other.coord2_abbr
        && coord1_desc == other.coord1_desc && coord2_desc == other.coord2_desc
        && coord1_sign == other.coord1_sign && coord2_sign == other.coord2_sign
        && swap_coords == other.swap_coords && epsg == other.epsg && mapinfo == other.mapinfo
        && type_info == other.type_info && isSameLink(length_unit, other.length_unit)
        && isSameLink(angle_unit, other.angle_unit) && isSameLink(scale_unit, other.scale_unit)
        && isSameMap(param_values, other.param_values);
}

void CMapProjInfo::clear()
{
    *this = CMapProjInfo();
}

std::unique_ptr<vexa::CTransformAffine3DParams> CMapProjInfo::toAxisTransform() const
{
    const double s1 = coord1_sign;
    const double s2 = coord2_sign;
    if (swap_coords)
        return makePlaneAffineParams(0.0, s2, s1, 0.0, 0.0, 0.0, 0.0);
    return makePlaneAffineParams(s1, 0.0, 0.0, s2, 0.0, 0.0, 0.0);
}
