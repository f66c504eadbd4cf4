#pragma once

#include <memory>
#include <string>

class CTransformListInfo;

// A vertical coordinate system: heights on the geoid of the geoid registry
// whose ID is geoid, with an optional list of vertical shifts.
class CVertCoordSysInfo
{
public:
    CVertCoordSysInfo();

    std::string name;
    std::string description;
    std::string short_name;
    std::string geoid;
    std::shared_ptr<CTransformListInfo> transform_list;
    int epsg = 0;

    bool isValid() const;
    // Texts byte for byte; transform lists both absent or both equal.
    bool operator==(const CVertCoordSysInfo& other) const;
    void clear();
};
