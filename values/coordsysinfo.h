#pragma once

#include "values/coordsystypeinfo.h"
#include "values/datuminfo.h"
#include "values/ellipsoidinfo.h"
#include "values/mapprojinfo.h"
#include "values/primemeridianinfo.h"
#include "values/transforminfo.h"
#include "values/unitinfo.h"
#include "values/vertcoordsysinfo.h"

#include <array>
#include <map>
#include <memory>
#include <string>

class CGeoidList;

namespace vexa {
class CCoordSysParams;
struct CCoords;
}

// The three coordinate texts of one point, in component order.
class CCoordStrings
{
public:
    CCoordStrings() = default;
    CCoordStrings(std::string text1, std::string text2, std::string text3);

    bool operator==(const CCoordStrings& other) const;
    bool isEmpty() const;

    std::string coord1;
    std::string coord2;
    std::string coord3;
};

// A coordinate system with every linked definition resolved. type: 1 local
// Cartesian, 3 geocentric, 4 geodetic, 5 projected, 6 topocentric.
class CCoordSysInfo
{
public:
    std::string name;
    std::string description;
    std::string short_name;
    int type = 0;
    CCoordSysTypeInfo type_info;
    std::shared_ptr<CDatumInfo> datum;
    std::shared_ptr<CEllipsoidInfo> ellipsoid; // used only without a datum
    std::shared_ptr<CPrimeMeridianInfo> prime_meridian;
    std::shared_ptr<CMapProjInfo> map_proj;
    bool positive_longitude = false;
    std::string origin_coord1;
    std::string origin_coord2;
    std::string origin_coord3;
    std::shared_ptr<CUnitInfo> origin_length_unit;
    std::shared_ptr<CUnitInfo> origin_angle_unit;
    std::string azimuth;
    std::shared_ptr<CUnitInfo> azimuth_unit;
    bool swap_coords = false;
    std::shared_ptr<CVertCoordSysInfo> vert_coordsys;
    std::shared_ptr<CTransformListInfo> transform_list;
    std::map<std::string, std::shared_ptr<CTransformListInfo>> pairwise_transforms;
    std::shared_ptr<CUnitInfo> length_unit;
    std::shared_ptr<CUnitInfo> angle_unit;
    std::shared_ptr<CUnitInfo> height_unit;
    std::string coord1_abbr;
    std::string coord2_abbr;
    std::string coord3_abbr;
    std::string coord1_desc;
    std::string coord2_desc;
    std::string coord3_desc;
    int epsg = 0;

    bool isValid() const;
    bool operator==(const CCoordSysInfo& other) const;
    void clear();

    // The datum's ellipsoid when there is a datum, else the system's own.
    std::shared_ptr<CEllipsoidInfo> getEllipsoid() const;

    // Fills the computation's definition of the system into a freshly made
    // out. False, with the kind left undefined, when the type is not accepted,
    // a link the type needs is missing, or any part of the definition (a datum
    // shift, a transform of a list, a number text) cannot be built.
    bool toCoordSysParams(vexa::CCoordSysParams& out, CGeoidList* geoids) const;

    // Reads the texts in the system's own units; an empty third text is 0 for
    // types 4, 5 and 6. False, without throwing, when a text is not a valid
    // value of its component (readCoord), a needed unit is missing or the type
    // is unknown; components read so far keep their new values.
    bool stringsToCoords(const CCoordStrings& texts, vexa::CCoords& out) const;
    // Reads the text of component 0, 1 or 2 of a point cell: the whole text is
    // one value of the component's unit, a decimal comma read as the point, and
    // the value lies in the component's range (isCoordInRange); an empty third
    // text is 0 for types 4, 5 and 6. False, without throwing, otherwise; value
    // is then left as it was.
    bool readCoord(int component, const std::string& text, double& value) const;
    // Latitudes within [-90, 90] and longitudes within [-360, 360] degrees;
    // lengths and heights within a million kilometres; always finite.
    bool isCoordInRange(int component, double value) const;
    // Writes the components at the units' own precision; throws
    // std::runtime_error for an unknown type.
    void coordsToStrings(const vexa::CCoords& coords, CCoordStrings& out) const;
};

// The readCoord, stringsToCoords, isCoordInRange and coordsToStrings of a system with the units
// of its three components looked up once, for reading, checking and writing many points. It
// reads the system's units, so it lives no longer than the system's links.
class CCoordComponents
{
public:
    explicit CCoordComponents(const CCoordSysInfo& system);

    bool stringsToCoords(const CCoordStrings& texts, vexa::CCoords& out) const;
    bool readCoord(int component, const std::string& text, double& value) const;
    bool isCoordInRange(int component, double value) const;
    void coordsToStrings(const vexa::CCoords& coords, CCoordStrings& out) const;

private:
    const CUnitInfo* unitOf(int component) const;

    int m_type;
    std::array<const CUnitInfo*, 3> m_units{};
    std::array<const CUnitInfo*, 3> m_formatUnits{};
    // The largest magnitude of each component in its base unit.
    std::array<double, 3> m_limits{};
};
