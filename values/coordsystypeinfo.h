#pragma once

#include <string>

// Coordinate system type: 1 local Cartesian, 3 geocentric, 4 geodetic,
// 5 projected, 6 topocentric.
class CCoordSysTypeInfo
{
public:
    int code = 0;
    std::string name;
    std::string description;

    bool isValid() const;
    bool operator==(const CCoordSysTypeInfo& other) const;
    void clear();
};
