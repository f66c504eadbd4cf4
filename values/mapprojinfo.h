#pragma once

#include "values/unitinfo.h"

#include <limits>
#include <map>
#include <memory>
#include <string>

namespace vexa {
class CMapProjectionParams;
class CTransformAffine3DParams;
}

// Map projection type with the labels and orientation of its two plane axes.
class CMapProjTypeInfo
{
public:
    int code = 0;
    std::string name;
    std::string description;
    std::string short_name;
    std::string coord1_abbr;
    std::string coord2_abbr;
    std::string coord1_desc;
    std::string coord2_desc;
    int coord1_sign = 0;
    int coord2_sign = 0;
    int swap_coords = 0;
    int epsg = 0;
    int mapinfo = std::numeric_limits<int>::max();

    bool isValid() const;
    bool operator==(const CMapProjTypeInfo& other) const;
    void clear();
};

// Map projection parameter; type is the value kind (1 distance, 2 angle,
// 3 scale, 4 number, 5 list).
class CMapProjParamInfo
{
public:
    int code = 0;
    std::string name;
    std::string description;
    std::string short_name;
    int type = 0;
    int epsg = 0;
    int reserved = std::numeric_limits<int>::max();
    std::string wkt;

    bool isValid() const;
    bool operator==(const CMapProjParamInfo& other) const;
    void clear();
};

// Map projection: a type, parameter texts by parameter code, the units of the
// three value kinds and the orientation of the two plane axes.
class CMapProjInfo
{
public:
    std::string name;
    std::string description;
    std::string short_name;
    int type = 0;
    std::shared_ptr<CUnitInfo> length_unit;
    std::shared_ptr<CUnitInfo> angle_unit;
    std::shared_ptr<CUnitInfo> scale_unit;
    std::string coord1_abbr;
    std::string coord2_abbr;
    std::string coord1_desc;
    std::string coord2_desc;
    int coord1_sign = 0;
    int coord2_sign = 0;
    int swap_coords = 0;
    int epsg = 0;
    int mapinfo = std::numeric_limits<int>::max();
    CMapProjTypeInfo type_info;
    std::map<int, std::string> param_values;
    std::map<int, CMapProjParamInfo> params;

    bool isValid() const;
    bool operator==(const CMapProjInfo& other) const;
    void clear();

    // Carries the signs and the exchange of the two plane axes.
    std::unique_ptr<vexa::CTransformAffine3DParams> toAxisTransform() const;
    // The projection parameters in base units; empty when they cannot be made.
    // Throws when a parameter text cannot be read.
    std::shared_ptr<vexa::CMapProjectionParams> toParams() const;
};
