#pragma once

#include "values/datumshiftinfo.h"
#include "values/ellipsoidinfo.h"
#include "values/transforminfo.h"

#include <map>
#include <memory>
#include <string>

// A datum with its ellipsoid, its shift to WGS 84 and the shifts that link it
// with other datums, keyed by identifier.
class CDatumInfo
{
public:
    std::string name;
    std::string description;
    std::string short_name;
    std::shared_ptr<CDatumShiftInfo> datum_shift;
    std::shared_ptr<CEllipsoidInfo> ellipsoid;
    int epsg = 0;
    int mapinfo = 0;
    std::map<std::string, std::shared_ptr<CDatumShiftInfo>> pairwise_shifts;
    std::map<std::string, std::shared_ptr<CTransformListInfo>> geographic_shifts;
    std::map<std::string, std::shared_ptr<CTransformListInfo>> vertical_shifts;

    bool isValid() const;
    bool operator==(const CDatumInfo& other) const;
    void clear();
};
