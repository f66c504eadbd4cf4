#pragma once

#include "values/unitinfo.h"

#include <memory>
#include <string>

namespace vexa {
class CDatumShiftBursaWolfParams;
}

// Datum shift type: 1 geocentric translations, 2 seven parameters (coordinate
// frame), 3 Molodensky-Badekas (coordinate frame), 4 seven parameters
// (position vector), 5 Molodensky-Badekas (position vector).
class CDatumShiftTypeInfo
{
public:
    int code = 0;
    std::string name;
    std::string description;
    int epsg = 0;

    bool isValid() const;
    bool operator==(const CDatumShiftTypeInfo& other) const;
    void clear();
    // Clears, then takes the code with the name, description and EPSG method of its type
    // (empty texts and 0 for a code outside 1 to 5); false for the code 0.
    bool setCode(int newCode);
};

// A datum shift with its parameters as texts in their units. pairwise_role:
// 0 none, 1 indirect, 2 source, 3 result.
class CDatumShiftInfo
{
public:
    std::string name;
    std::string description;
    std::string identifier;
    int pairwise_role = 0;
    int type = 0;
    std::string tx;
    std::string ty;
    std::string tz;
    std::string rx;
    std::string ry;
    std::string rz;
    std::string dm;
    std::string px;
    std::string py;
    std::string pz;
    int convention = 0;
    bool exact = false; // exact rotation form of types 2 and 4: not computed, refused
    std::shared_ptr<CUnitInfo> length_unit;
    std::shared_ptr<CUnitInfo> angle_unit;
    std::shared_ptr<CUnitInfo> scale_unit;
    int epsg = 0;
    CDatumShiftTypeInfo type_info;

    bool isValid() const;
    bool operator==(const CDatumShiftInfo& other) const;
    void clear();

    // Seven parameters in the position vector convention; throws when a text
    // cannot be read.
    bool fillParams(vexa::CDatumShiftBursaWolfParams& params) const;
    // Empty when the params are not valid or a text cannot be read.
    std::shared_ptr<vexa::CDatumShiftBursaWolfParams> toParams() const;
};
