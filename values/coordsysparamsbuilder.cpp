#include "values/coordsysinfo.h"

#include "geodesy/coordsysparams.h"
#include "geodesy/datumshift.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/geoid.h"
#include "geodesy/geographicdatumshift.h"
#include "geodesy/mapprojectionparams.h"
#include "geodesy/topocentric.h"
#include "geodesy/transform.h"
#include "geodesy/verticaldatumshift.h"
#include "values/geoidlist.h"

#include <stdexcept>

namespace {

const char* const kWhere = "CCoordSysInfo::toCoordSysParams";

// Units of the transform parameters and of the unit scaling, by system type.
struct BuildUnits
{
    const CUnitInfo* datumPlanar;
    const CUnitInfo* datumHeight;
    const CUnitInfo* listPlanar;
    const CUnitInfo* listHeight;
    const CUnitInfo* scaling[3];
};

BuildUnits buildUnits(const CCoordSysInfo& info)
{
    const CUnitInfo* length = info.length_unit.get();
    const CUnitInfo* angle = info.angle_unit.get();
    const CUnitInfo* height = info.height_unit.get();
    switch (info.type) {
    case 1:
    case 3:
        return {length, length, length, length, {length, length, length}};
    case 4:
        return {angle, height, angle, height, {angle, angle, height}};
    case 5:
        return {length, height, length, height, {length, length, height}};
    default:
        return {angle, height, length, length, {length, length, length}};
    }
}

template <class T>
const T& required(const std::shared_ptr<T>& link)
{
    if (!link)
        throw std::runtime_error(kWhere);
    return *link;
}

const CUnitInfo& required(const CUnitInfo* unit)
{
    if (!unit)
        throw std::runtime_error(kWhere);
    return *unit;
}

template <class T>
std::shared_ptr<T> built(std::shared_ptr<T> params)
{
    if (!params)
        throw std::runtime_error(kWhere);
    return params;
}

std::unique_ptr<vexa::CTransformAffine3DParams> diagonal(double m11, double m22, double m33)
{
    auto params = std::make_unique<vexa::CTransformAffine3DParams>();
    params->m11 = m11;
    params->m22 = m22;
    params->m33 = m33;
    params->m12 = params->m13 = params->m21 = params->m23 = params->m31 = params->m32 = 0.0;
    params->t1 = params->t2 = params->t3 = 0.0;
    return params;
}

std::unique_ptr<vexa::CTransformAffine3DParams> axisSwap()
{
    auto params = diagonal(0.0, 0.0, 1.0);
    params->m12 = params->m21 = 1.0;
    return params;
}

std::unique_ptr<vexa::CTransformAffine3DParams> unitScaling(const BuildUnits& units)
{
    return diagonal(required(units.scaling[0]).inverse_factor,
                    required(units.scaling[1]).inverse_factor,
                    required(units.scaling[2]).inverse_factor);
}

// The params of the list's first transform, which must be of the given type
// and build; false for an empty list.
bool firstShift(const std::shared_ptr<CTransformListInfo>& list, int type,
                const BuildUnits& units, vexa::CTransformAffine3DParams& shift)
{
    const CTransformListInfo& transforms = required(list);
    if (transforms.transforms.empty())
        return false;
    const CTransformInfo& first = transforms.transforms.front();
    if (first.type != type)
        throw std::runtime_error(kWhere);
    const auto params = first.toTransformParams(units.datumPlanar, units.datumHeight);
    const auto* affine = dynamic_cast<const vexa::CTransformAffine3DParams*>(params.get());
    if (!affine)
        throw std::runtime_error(kWhere);
    shift = *affine;
    return true;
}

std::shared_ptr<vexa::CGeographicDatumShiftParams>
geographicShift(const std::shared_ptr<CTransformListInfo>& list, const BuildUnits& units)
{
    vexa::CTransformAffine3DParams shift;
    if (!firstShift(list, 2, units, shift))
        return nullptr;
    auto params = std::make_shared<vexa::CGeographicDatumShiftOffset2DParams>();
    params->dLat = shift.t1;
    params->dLon = shift.t2;
    return params;
}

std::shared_ptr<vexa::CVerticalDatumShiftParams>
verticalShift(const std::shared_ptr<CTransformListInfo>& list, const BuildUnits& units)
{
    vexa::CTransformAffine3DParams shift;
    if (!firstShift(list, 3, units, shift))
        return nullptr;
    auto params = std::make_shared<vexa::CVerticalDatumShiftOffsetParams>();
    params->offset = shift.t3;
    return params;
}

void addDatum(const CDatumInfo& datum, const BuildUnits& units, vexa::CCoordSysParams& out)
{
    if (datum.datum_shift)
        out.datumShiftToWgs84 = built(datum.datum_shift->toParams());
    for (const auto& entry : datum.pairwise_shifts)
        out.datumShifts[entry.first] = built(required(entry.second).toParams());
    for (const auto& entry : datum.geographic_shifts)
        out.geographicDatumShifts[entry.first] = geographicShift(entry.second, units);
    for (const auto& entry : datum.vertical_shifts)
        out.verticalDatumShifts[entry.first] = verticalShift(entry.second, units);
}

std::shared_ptr<vexa::CLSRParams> localSystem(const CCoordSysInfo& info)
{
    const CUnitInfo& angle = required(info.origin_angle_unit);
    auto params = std::make_shared<vexa::CLSRParams>();
    params->origin = vexa::CCoords(angle.toBaseDouble(info.origin_coord1),
                                   angle.toBaseDouble(info.origin_coord2),
                                   required(info.origin_length_unit).toBaseDouble(info.origin_coord3));
    params->azimuth = required(info.azimuth_unit).toBaseDouble(info.azimuth);
    return params;
}

// Everything but the transform lists that the system type takes from the
// value; a new transform set holding the axis transforms and the unit scaling.
void addSystemParts(const CCoordSysInfo& info, const BuildUnits& units, CGeoidList* geoids,
                    vexa::CCoordSysParams& out)
{
    out.kind = info.type;
    out.transforms = std::make_shared<vexa::CTransformParamsSet>();
    auto& transforms = out.transforms->transforms;
    if (info.type != 1) {
        out.ellipsoid = built(required(info.getEllipsoid()).toParams());
        out.primeMeridian = built(required(info.prime_meridian).toParams());
        if (info.datum)
            addDatum(*info.datum, units, out);
    }
    if ((info.type == 4 || info.type == 5) && info.vert_coordsys)
        out.geoid = geoidForVertCoordSys(*info.vert_coordsys, geoids);
    if (info.type == 5) {
        const CMapProjInfo& projection = required(info.map_proj);
        out.projection = built(projection.toParams());
        transforms.push_back(projection.toAxisTransform());
    }
    if (info.type == 6)
        out.localSystem = localSystem(info);
    if ((info.type == 1 || info.type == 6) && info.swap_coords)
        transforms.push_back(axisSwap());
    transforms.push_back(unitScaling(units));
}

void addTransformLists(const CCoordSysInfo& info, const BuildUnits& units,
                       vexa::CCoordSysParams& out)
{
    if (info.transform_list && info.transform_list->isValid()) {
        std::vector<std::unique_ptr<vexa::CTransformParams>> own;
        if (!info.transform_list->toTransformParams(units.listPlanar, units.listHeight, own))
            throw std::runtime_error(kWhere);
        for (auto& params : own)
            out.transforms->transforms.push_back(std::move(params));
    }
    for (const auto& entry : info.pairwise_transforms) {
        auto set = std::make_shared<vexa::CTransformParamsSet>();
        set->isPassive = true;
        if (!required(entry.second).toTransformParams(units.listPlanar, units.listHeight,
                                                      set->transforms))
            throw std::runtime_error(kWhere);
        out.transformLists[entry.first] = set;
    }
}

} // namespace

bool CCoordSysInfo::toCoordSysParams(vexa::CCoordSysParams& out, CGeoidList* geoids) const
{
    out.reset();
    const bool accepted = type == 1 || (type >= 3 && type <= 6);
    if (!isValid() || !accepted)
        return false;
    try {
        const BuildUnits units = buildUnits(*this);
        addSystemParts(*this, units, geoids, out);
        addTransformLists(*this, units, out);
        return true;
    } catch (const std::exception&) {
        out.reset();
        return false;
    }
}
