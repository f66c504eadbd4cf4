#pragma once

#include "values/unitinfo.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vexa {
class CTransformAffine3DParams;
class CTransformParams;
}

// (x, y, h) -> (m11 x + m12 y + t1, m21 x + m22 y + t2, h + t3).
std::unique_ptr<vexa::CTransformAffine3DParams> makePlaneAffineParams(double m11, double m12,
                                                                     double m21, double m22,
                                                                     double t1, double t2,
                                                                     double t3);

// Transform type: 1 affine transform of plane coordinates, 2 shift of plane
// coordinates, 3 height shift.
class CTransformTypeInfo
{
public:
    int code = 0;
    std::string name;
    std::string description;

    bool isValid() const;
    bool operator==(const CTransformTypeInfo& other) const;
    void clear();
};

// A parameter a transform type can carry: 1 A11, 2 A12, 3 A21, 4 A22, 5 B1,
// 6 B2, 7 dH; type is the value kind.
class CTransformParamInfo
{
public:
    int code = 0;
    std::string name;
    std::string description;
    std::string short_name;
    int type = 0;

    bool isValid() const;
    bool operator==(const CTransformParamInfo& other) const;
    void clear();
};

// The value of one parameter of one transform, as typed, in its unit.
class CTransformParamValueInfo
{
public:
    int param = 0;
    std::string value;
    std::shared_ptr<CUnitInfo> unit;

    bool isValid() const;
    bool operator==(const CTransformParamValueInfo& other) const;
    void clear();
};

class CTransformInfo
{
public:
    std::string name;
    std::string description;
    int type = 0;
    CTransformTypeInfo type_info;
    std::map<int, CTransformParamValueInfo> param_values;
    std::map<int, CTransformParamInfo> params;

    bool isValid() const;
    bool operator==(const CTransformInfo& other) const;
    void clear();

    // The parameter's value in base units; false when the transform has none.
    bool findParamValue(int code, double& value) const;
    // An affine params object, or none when the type or a parameter is missing.
    std::unique_ptr<vexa::CTransformParams> toTransformParams(const CUnitInfo* planarUnit,
                                                              const CUnitInfo* heightUnit) const;
};

// Scope: 1 sequence of transforms, 2 pairwise datum transform, 3 horizontal
// datum transform, 4 vertical datum transform.
class CTransformListInfo
{
public:
    std::string name;
    std::string description;
    int scope = 0;
    std::string identifier;
    std::vector<CTransformInfo> transforms;

    bool isValid() const;
    bool operator==(const CTransformListInfo& other) const;
    void clear();

    // Replaces out by the params of the transforms that build; true when all do.
    bool toTransformParams(const CUnitInfo* planarUnit, const CUnitInfo* heightUnit,
                           std::vector<std::unique_ptr<vexa::CTransformParams>>& out) const;
};
