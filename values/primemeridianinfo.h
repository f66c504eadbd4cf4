#pragma once

#include "values/unitinfo.h"

#include <memory>
#include <string>

namespace vexa {
class CPrimeMeridianParams;
}

// Prime meridian: its longitude east of Greenwich in an angle unit.
class CPrimeMeridianInfo
{
public:
    std::string name;
    std::string description;
    std::string longitude;
    std::shared_ptr<CUnitInfo> unit;
    int epsg = 0;

    bool isValid() const;
    bool operator==(const CPrimeMeridianInfo& other) const;
    void clear();

    // Throws when the longitude cannot be read.
    bool fillParams(vexa::CPrimeMeridianParams& params) const;
    // Empty when the value is not valid or the longitude cannot be read.
    std::shared_ptr<vexa::CPrimeMeridianParams> toParams() const;
};
