#include "values/coordsysinfo.h"

#include "geodesy/coords.h"
#include "values/valuecompare.h"

#include <cmath>
#include <stdexcept>
#include <utility>

namespace {

// The units of a point's three components; all absent for an unknown type.
struct ComponentUnits
{
    const CUnitInfo* units[3];
};

enum class Direction { Parse, Format };

bool isKnownType(int type)
{
    return type == 1 || type == 3 || type == 4 || type == 5 || type == 6;
}

ComponentUnits componentUnits(const CCoordSysInfo& info, Direction direction)
{
    const CUnitInfo* length = info.length_unit.get();
    const CUnitInfo* angle = info.angle_unit.get();
    const CUnitInfo* height = info.height_unit.get();
    switch (info.type) {
    case 1:
    case 3:
        return {{length, length, length}};
    case 4:
        return {{angle, angle, height}};
    case 5:
        return {{length, length, height}};
    case 6:
        return {{length, length, direction == Direction::Parse ? length : height}};
    default:
        return {{nullptr, nullptr, nullptr}};
    }
}

// Point cells may carry a decimal comma, as spreadsheets of some locales write them.
std::string withDecimalPoint(std::string text)
{
    for (char& c : text) {
        if (c == ',')
            c = '.';
    }
    return text;
}

// Beyond this many metres a length is no coordinate of this planet's surroundings.
constexpr double maxLength = 1e9;
// Rounding of a limit converted to radians.
constexpr double angleSlack = 1e-12;

} // namespace

CCoordStrings::CCoordStrings(std::string text1, std::string text2, std::string text3)
    : coord1(std::move(text1)), coord2(std::move(text2)), coord3(std::move(text3))
{
}

bool CCoordStrings::operator==(const CCoordStrings& other) const
{
    return coord1 == other.coord1 && coord2 == other.coord2 && coord3 == other.coord3;
}

bool CCoordStrings::isEmpty() const
{
    return coord1.empty() && coord2.empty() && coord3.empty();
}

bool CCoordSysInfo::isValid() const
{
    return type != 0 && !name.empty();
}

bool CCoordSysInfo::operator==(const CCoordSysInfo& other) const
{
    if (!isValid() || other.type == 0)
        return false;
    return name == other.name && description == other.description
        && short_name == other.short_name && type == other.type && type_info == other.type_info
        && positive_longitude == other.positive_longitude && origin_coord1 == other.origin_coord1
        && origin_coord2 == other.origin_coord2 && origin_coord3 == other.origin_coord3
        && azimuth == other.azimuth && swap_coords == other.swap_coords
        && coord1_abbr == other.coord1_abbr && coord2_abbr == other.coord2_abbr
        && coord3_abbr == other.coord3_abbr && coord1_desc == other.coord1_desc
        && coord2_desc == other.coord2_desc && coord3_desc == other.coord3_desc
        && epsg == other.epsg && isSameMap(pairwise_transforms, other.pairwise_transforms)
        && isSameLink(datum, other.datum) && isSameLink(ellipsoid, other.ellipsoid)
        && isSameLink(prime_meridian, other.prime_meridian)
        && isSameLink(map_proj, other.map_proj)
        && isSameLink(origin_length_unit, other.origin_length_unit)
        && isSameLink(origin_angle_unit, other.origin_angle_unit)
        && isSameLink(azimuth_unit, other.azimuth_unit)
        && isSameLink(vert_coordsys, other.vert_coordsys)
        && isSameLink(transform_list, other.transform_list)
        && isSameLink(length_unit, other.length_unit) && isSameLink(angle_unit, other.angle_unit)
        && isSameLink(height_unit, other.height_unit);
}

void CCoordSysInfo::clear()
{
    *this = CCoordSysInfo();
}

std::shared_ptr<CEllipsoidInfo> CCoordSysInfo::getEllipsoid() const
{
    return datum ? datum->ellipsoid : ellipsoid;
}

bool CCoordSysInfo::stringsToCoords(const CCoordStrings& texts, vexa::CCoords& out) const
{
    return CCoordComponents(*this).stringsToCoords(texts, out);
}

bool CCoordSysInfo::readCoord(int component, const std::string& text, double& value) const
{
    return CCoordComponents(*this).readCoord(component, text, value);
}

bool CCoordSysInfo::isCoordInRange(int component, double value) const
{
    return CCoordComponents(*this).isCoordInRange(component, value);
}

void CCoordSysInfo::coordsToStrings(const vexa::CCoords& coords, CCoordStrings& out) const
{
    CCoordComponents(*this).coordsToStrings(coords, out);
}

CCoordComponents::CCoordComponents(const CCoordSysInfo& system) : m_type(system.type)
{
    const ComponentUnits units = componentUnits(system, Direction::Parse);
    const ComponentUnits formatUnits = componentUnits(system, Direction::Format);
    for (std::size_t i = 0; i < m_units.size(); ++i) {
        m_units[i] = units.units[i];
        m_formatUnits[i] = formatUnits.units[i];
        m_limits[i] = maxLength;
    }
    if (m_type == 4) {
        m_limits[0] = vexa::kHalfPi + angleSlack;
        m_limits[1] = 2 * vexa::kPi + angleSlack;
    }
}

bool CCoordComponents::stringsToCoords(const CCoordStrings& texts, vexa::CCoords& out) const
{
    return readCoord(0, texts.coord1, out.first) && readCoord(1, texts.coord2, out.second)
        && readCoord(2, texts.coord3, out.third);
}

bool CCoordComponents::readCoord(int component, const std::string& text, double& value) const
{
    if (component == 2 && text.empty() && (m_type == 4 || m_type == 5 || m_type == 6)) {
        value = 0.0;
        return true;
    }
    const CUnitInfo* unit = unitOf(component);
    if (!unit)
        return false;
    try {
        const bool pointed = text.find(',') == std::string::npos;
        const double read = pointed ? unit->toDouble(text) : unit->toDouble(withDecimalPoint(text));
        if (!isCoordInRange(component, read))
            return false;
        value = read;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool CCoordComponents::isCoordInRange(int component, double value) const
{
    const CUnitInfo* unit = unitOf(component);
    if (!unit || !std::isfinite(value))
        return false;
    return std::fabs(unit->toBase(value)) <= m_limits[static_cast<std::size_t>(component)];
}

void CCoordComponents::coordsToStrings(const vexa::CCoords& coords, CCoordStrings& out) const
{
    if (!isKnownType(m_type))
        throw std::runtime_error("CCoordSysInfo::coordsToStrings");
    for (const CUnitInfo* unit : m_formatUnits) {
        if (!unit)
            throw std::runtime_error("CCoordSysInfo::coordsToStrings");
    }
    out = CCoordStrings(m_formatUnits[0]->toString(coords.first), m_formatUnits[1]->toString(coords.second),
                        m_formatUnits[2]->toString(coords.third));
}

const CUnitInfo* CCoordComponents::unitOf(int component) const
{
    if (component < 0 || component > 2)
        return nullptr;
    return m_units[static_cast<std::size_t>(component)];
}
