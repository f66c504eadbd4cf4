#include "values/transforminfo.h"

#include "geodesy/transform.h"
#include "values/numbertext.h"
#include "values/valuecompare.h"

namespace {

enum ParamCode
{
    A11 = 1,
    A12 = 2,
    A21 = 3,
    A22 = 4,
    B1 = 5,
    B2 = 6,
    DH = 7
};

} // namespace

std::unique_ptr<vexa::CTransformAffine3DParams> makePlaneAffineParams(double m11, double m12,
                                                                     double m21, double m22,
                                                                     double t1, double t2,
                                                                     double t3)
{
    auto params = std::make_unique<vexa::CTransformAffine3DParams>();
    params->m11 = m11;
    params->m12 = m12;
    params->m13 = 0.0;
    params->m21 = m21;
    params->m22 = m22;
    params->m23 = 0.0;
    params->m31 = 0.0;
    params->m32 = 0.0;
    params->m33 = 1.0;
    params->t1 = t1;
    params->t2 = t2;
    params->t3 = t3;
    return params;
}

bool CTransformTypeInfo::isValid() const
{
    return code != 0 && !name.empty();
}

bool CTransformTypeInfo::operator==(const CTransformTypeInfo& other) const
{
    if (!isValid() || other.code == 0)
        return false;
    return code == other.code && name == other.name && description == other.description;
}

void CTransformTypeInfo::clear()
{
    *this = CTransformTypeInfo();
}

bool CTransformParamInfo::isValid() const
{
    return code != 0 && !name.empty();
}

bool CTransformParamInfo::operator==(const CTransformParamInfo& other) const
{
    if (!isValid() || other.code == 0)
        return false;
    return code == other.code && name == other.name && description == other.description
        && short_name == other.short_name && type == other.type;
}

void CTransformParamInfo::clear()
{
    *this = CTransformParamInfo();
}

bool CTransformParamValueInfo::isValid() const
{
    return param != 0 && !value.empty();
}

bool CTransformParamValueInfo::operator==(const CTransformParamValueInfo& other) const
{
    if (!isValid() || other.param == 0)
        return false;
    return param == other.param && value == other.value && isSameLink(unit, other.unit);
}

void CTransformParamValueInfo::clear()
{
    *this = CTransformParamValueInfo();
}

bool CTransformInfo::isValid() const
{
    return type != 0 && !name.empty();
}

bool CTransformInfo::operator==(const CTransformInfo& other) const
{
    if (!isValid() || other.type == 0)
        return false;
    return name == other.name && description == other.description && type == other.type
        && type_info == other.type_info && isSameMap(param_values, other.param_values);
}

void CTransformInfo::clear()
{
    *this = CTransformInfo();
}

bool CTransformInfo::findParamValue(int code, double& value) const
{
    const auto found = param_values.find(code);
    if (found == param_values.end())
        return false;
    const CTransformParamValueInfo& param = found->second;
    value = param.unit ? param.unit->toBaseDouble(param.value)
                       : textToFiniteDouble(param.value, "CTransformInfo::findParamValue");
    return true;
}

std::unique_ptr<vexa::CTransformParams>
CTransformInfo::toTransformParams(const CUnitInfo*, const CUnitInfo* heightUnit) const
{
    switch (type) {
    case 1: {
        double a11, a12, a21, a22, b1, b2;
        if (!findParamValue(A11, a11) || !findParamValue(A12, a12) || !findParamValue(A21, a21)
            || !findParamValue(A22, a22) || !findParamValue(B1, b1) || !findParamValue(B2, b2))
            return nullptr;
        return makePlaneAffineParams(a11, a12, a21, a22, b1, b2, 0.0);
    }
    case 2: {
        const auto b1 = param_values.find(B1);
        const auto b2 = param_values.find(B2);
        if (b1 == param_values.end() || b2 == param_values.end())
            return nullptr;
        const char* where = "CTransformInfo::toTransformParams";
        return makePlaneAffineParams(1.0, 0.0, 0.0, 1.0,
                                     textToFiniteDouble(b1->second.value, where),
                                     textToFiniteDouble(b2->second.value, where), 0.0);
    }
    case 3: {
        double dh;
        if (!heightUnit || !findParamValue(DH, dh))
            return nullptr;
        return makePlaneAffineParams(1.0, 0.0, 0.0, 1.0, 0.0, 0.0, heightUnit->fromBase(dh));
    }
    default:
        return nullptr;
    }
}

bool CTransformListInfo::isValid() const
{
    return !name.empty();
}

bool CTransformListInfo::operator==(const CTransformListInfo& other) const
{
    if (name.empty() || other.name.empty())
        return false;
    return name == other.name && description == other.description
        && identifier == other.identifier && scope == other.scope
        && transforms == other.transforms;
}

void CTransformListInfo::clear()
{
    *this = CTransformListInfo();
}

bool CTransformListInfo::toTransformParams(
    const CUnitInfo* planarUnit, const CUnitInfo* heightUnit,
    std::vector<std::unique_ptr<vexa::CTransformParams>>& out) const
{
    out.clear();
    for (const CTransformInfo& transform : transforms) {
        auto params = transform.toTransformParams(planarUnit, heightUnit);
        if (params && params->isValid())
            out.push_back(std::move(params));
    }
    return out.size() == transforms.size();
}
