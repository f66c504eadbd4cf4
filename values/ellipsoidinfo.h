#pragma once

#include "values/unitinfo.h"

#include <limits>
#include <memory>
#include <string>

namespace vexa {
class CEllipsoidParams;
}

// Ellipsoid given by its axes a and b, by a and the inverse flattening f, or
// as a sphere of radius a (which wins over use_f). f is a plain number.
class CEllipsoidInfo
{
public:
    std::string name;
    std::string description;
    std::string a;
    std::string b;
    std::string f;
    bool use_f = false;
    bool sphere = false;
    std::shared_ptr<CUnitInfo> unit;
    int epsg = 0;
    int mapinfo = std::numeric_limits<int>::max();

    bool isValid() const;
    bool operator==(const CEllipsoidInfo& other) const;
    void clear();

    // Throws when a text cannot be read.
    bool fillParams(vexa::CEllipsoidParams& params) const;
    // Empty when the params are not valid or a text cannot be read.
    std::shared_ptr<vexa::CEllipsoidParams> toParams() const;
};
