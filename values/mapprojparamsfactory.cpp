#include "values/mapprojparamsfactory.h"

#include "geodesy/coords.h"
#include "geodesy/mapprojectionparams.h"
#include "values/mapprojinfo.h"
#include "geodesy/textfunctions.h"

#include <initializer_list>
#include <map>

namespace {

using ParamsPtr = std::shared_ptr<vexa::CMapProjectionParams>;
using Texts = std::map<int, std::string>;

enum ParamCode
{
    AngleRectifiedToSkew = 1,
    AzimuthOfInitialLine = 2,
    EastingAtFalseOrigin = 3,
    EastingAtCentre = 4,
    FalseEasting = 5,
    FalseNorthing = 6,
    LatitudeOfFirstParallel = 8,
    LatitudeOfSecondParallel = 9,
    LatitudeOfFalseOrigin = 10,
    LatitudeOfNaturalOrigin = 11,
    LatitudeOfCentre = 12,
    LongitudeOfFalseOrigin = 15,
    LongitudeOfNaturalOrigin = 16,
    LongitudeOfCentre = 18,
    NorthingAtFalseOrigin = 19,
    NorthingAtCentre = 20,
    ScaleAtNaturalOrigin = 21,
    ScaleOnInitialLine = 22,
    ZoneWidth = 24,
    ZoneNumber = 101,
    Hemisphere = 102,
    CentralMeridian = 103,
    ScaleOnCentralMeridian = 104,
    ScaleOnMainParallel = 105,
    RegionCode = 106,
    District = 107
};

enum class Kind
{
    Angle,
    Length,
    Scale
};

template <typename Params>
struct Slot
{
    double Params::*field;
    int code;
    Kind kind;
};

const std::map<int, CZonedSystemRow>& regionalSystems()
{
    static const std::map<int, CZonedSystemRow> rows = {
        {2, {false, -5409414.7, 300000, 55.03333333333333}},
        {3, {false, -5211057.63, 250000, 100.03333333333333}},
        {4, {false, -5112900.56, 300000, 85.46666666666667}},
        {5, {false, -11057.628, 300000, 37.983333333333334}},
        {6, {false, -4311057.63, 300000, 43.983333333333334}},
        {7, {false, -4311057.63, 300000, 43.983333333333334}},
        {8, {false, -4711057.63, 300000, 40.983333333333334}},
        {9, {false, -4311057.63, 300000, 40.983333333333334}},
        {10, {false, -6511057.63, 400000, 32.03333333333333}},
        {11, {false, -6211057.628, 400000, 41.03333333333333}},
        {12, {false, -5914743.504, 250000, 47.55}},
        {13, {false, -5614743.504, 250000, 44.55}},
        {14, {false, -5912900.566, 400000, 108.45}},
        {15, {false, -4311057.63, 300000, 43.983333333333334}},
        {16, {false, -5709414.7, 300000, 49.03333333333333}},
        {18, {false, -5914743.504, 250000, 50.55}},
        {20, {false, -4311057.63, 300000, 43.983333333333334}},
        {21, {false, -5814743.504, 250000, 47.55}},
        {22, {false, -5312900.56, 300000, 79.46666666666667}},
        {23, {false, -4511057.628, 300000, 37.983333333333334}},
        {24, {false, -5416586.442, 500000, 81.51666666666667}},
        {25, {false, -4416586.44, 300000, 130.71666666666667}},
        {26, {false, -4511057.63, 300000, 40.983333333333334}},
        {27, {false, -4916586.44, 300000, 130.71666666666667}},
        {28, {false, -5116586.44, 300000, 121.71666666666667}},
        {29, {false, -6511057.628, 400000, 32.03333333333333}},
        {30, {false, -4714743.504, 300000, 46.05}},
        {31, {false, -5212900.56, 250000, 35.483333333333334}},
        {32, {false, -5412900.56, 250000, 32.483333333333334}},
        {33, {false, -5814743.504, 250000, 38.55}},
        {34, {false, -4914743.504, 300000, 43.05}},
        {35, {false, -6214743.504, 250000, 35.55}},
        {36, {false, -5212900.566, 250000, 38.483333333333334}},
        {37, {false, -6014743.504, 250000, 38.55}},
        {38, {false, -5411057.63, 250000, 97.03333333333333}},
        {39, {false, -5711057.628, 250000, 21.45}},
        {40, {false, -5612900.566, 250000, 35.483333333333334}},
        {41, {false, -5316586.442, 400000, 158.46666666666667}},
        {42, {false, -5512900.56, 300000, 85.46666666666667}},
        {43, {false, -5914743.504, 250000, 47.55}},
        {44, {false, -6114743.504, 250000, 41.55}},
        {45, {false, -5709414.7, 300000, 61.03333333333333}},
        {46, {false, -5312900.566, 250000, 35.483333333333334}},
        {47, {false, -6211057.628, 250000, 27.95}},
        {48, {false, -5412900.566, 250000, 38.483333333333334}},
        {49, {false, -6212900.566, 400000, 144.45}},
        {50, {false, -5712900.566, 250000, 35.483333333333334}},
        {51, {false, -7011057.628, 400000, 32.03333333333333}},
        {52, {false, -5714743.504, 250000, 41.55}},
        {53, {false, -5912900.56, 250000, 29.483333333333334}},
        {54, {false, -5612900.566, 250000, 74.73333333333333}},
        {55, {false, -5612900.563, 250000, 71.73333333333333}},
        {56, {false, -5309414.7, 300000, 52.03333333333333}},
        {57, {false, -12900.566, 250000, 32.483333333333334}},
        {58, {false, -5514743.504, 300000, 43.05}},
        {59, {false, -5914743.504, 250000, 53.55}},
        {60, {false, -5911057.63, 250000, 27.95}},
        {61, {false, -4811057.628, 300000, 37.983333333333334}},
        {62, {false, -5612900.56, 250000, 38.483333333333334}},
        {63, {false, -5509414.7, 300000, 49.03333333333333}},
        {64, {false, -5214743.504, 300000, 43.05}},
        {65, {false, -4516586.439, 300000, 142.71666666666667}},
        {66, {false, -5911057.63, 500000, 60.05}},
        {67, {false, -5612900.56, 250000, 32.483333333333334}},
        {68, {false, -5412900.56, 250000, 41.483333333333334}},
        {69, {false, -6012900.566, 250000, 32.483333333333334}},
        {70, {false, -5912900.566, 250000, 74.73333333333333}},
        {71, {false, -5612900.563, 250000, 35.483333333333334}},
        {72, {false, -5811057.63, 500000, 63.05}},
        {73, {false, -5514743.504, 300000, 46.05}},
        {74, {false, -5509414.7, 300000, 58.03333333333333}},
        {75, {false, -5111057.628, 250000, 109.03333333333333}},
        {76, {false, -6014743.504, 250000, 38.55}},
        {83, {false, -6511057.628, 400000, 32.03333333333333}},
        {86, {false, -5811057.63, 500000, 60.05}},
        {87, {false, -6212900.566, 400000, 144.45}},
        {124, {true, -6196680.59, 54304.47, 93}},
        {163, {true, -7434483.2, 65425.7, 81}},
        {164, {true, -6542783.5, 86209.8, 84}},
        {165, {true, -5652185, 105295.8, 87}},
        {166, {true, -5540944.5, 107543.3, 90}},
        {167, {true, -5578022.5, 106797.8, 93}},
        {168, {true, -5503868.6, 108285.2, 96}},
        {169, {true, -5503868.6, 117308.6, 99}},
        {170, {true, -6357146.1, 90338.9, 102}},
        {1964, {true, -6552810.0, 95942.17, 30}},
    };
    return rows;
}

const std::map<char, CZonedSystemRow>& districtSystems()
{
    static const std::map<char, CZonedSystemRow> rows = {
        {'C', {false, -11057.628, 250000, 24.95}},
        {'D', {false, -14743.504, 250000, 38.55}},
        {'E', {false, -14743.504, 300000, 77.78333333333333}},
        {'F', {false, -11057.628, 250000, 97.03333333333333}},
        {'G', {false, -16586.442, 300000, 121.71666666666667}},
        {'I', {false, -12900.566, 250000, 71.73333333333333}},
        {'J', {false, -16586.442, 400000, 158.46666666666667}},
        {'L', {false, -16586.442, 500000, 81.51666666666667}},
        {'M', {false, -12900.566, 300000, 79.46666666666667}},
        {'P', {false, -12900.566, 250000, 32.483333333333334}},
        {'Q', {false, -11057.628, 400000, 60.03333333333333}},
        {'R', {false, -14743.504, 300000, 43.05}},
        {'S', {false, -12900.566, 400000, 108.45}},
        {'T', {false, -11057.628, 300000, 37.983333333333334}},
        {'V', {false, -9414.7, 300000, 49.03333333333333}},
        {'W', {false, -11057.628, 500000, 60.083333333333336}},
        {'X', {false, -9214.69, 300000, 23.5}},
    };
    return rows;
}

double degreesToRadians(double degrees)
{
    return degrees * vexa::kPi / 180.0;
}

bool getMapValue(const Texts& texts, int code, std::string& text)
{
    const auto found = texts.find(code);
    if (found == texts.end())
        return false;
    text = found->second;
    return true;
}

// The zone number of a text that reads as an integer from 1 to 60, else 0.
int readZone(const std::string& text)
{
    const int zone = vexa::stringToInt(text, 0);
    return zone >= 1 && zone <= 60 ? zone : 0;
}

class CProjParamsBuilder
{
public:
    explicit CProjParamsBuilder(const CMapProjInfo& info) : m_info(info) {}

    ParamsPtr build() const;

private:
    template <typename Params>
    ParamsPtr read(std::initializer_list<Slot<Params>> slots) const;
    const CUnitInfo* unitFor(Kind kind) const;
    // Zone width in degrees, or 0 when it is not strictly between 0 and 360.
    template <typename Params>
    ParamsPtr readConic() const;
    template <typename Params>
    ParamsPtr readNaturalOrigin() const;
    double readZoneWidth(const std::string& text) const;

    ParamsPtr gaussKruger() const;
    ParamsPtr universalTransverseMercator() const;
    ParamsPtr regional() const;
    ParamsPtr district1963() const;
    ParamsPtr zonedSystem(const CZonedSystemRow* row, const std::string& zoneText,
                          const std::string& widthText) const;

    const CMapProjInfo& m_info;
};

ParamsPtr transverseMercator(double centralMeridianDegrees, double scale, double falseEasting,
                             double falseNorthing)
{
    auto params = std::make_shared<vexa::CMapProjectionTransverseMercatorParams>();
    params->centralMeridian = degreesToRadians(centralMeridianDegrees);
    params->latitudeOfOrigin = 0.0;
    params->scaleFactor = scale;
    params->falseEasting = falseEasting;
    params->falseNorthing = falseNorthing;
    return params;
}

const CUnitInfo* CProjParamsBuilder::unitFor(Kind kind) const
{
    switch (kind) {
    case Kind::Angle:
        return m_info.angle_unit.get();
    case Kind::Length:
        return m_info.length_unit.get();
    case Kind::Scale:
        return m_info.scale_unit.get();
    }
    return nullptr;
}

template <typename Params>
ParamsPtr CProjParamsBuilder::read(std::initializer_list<Slot<Params>> slots) const
{
    for (const auto& slot : slots) {
        if (!m_info.param_values.count(slot.code) || !unitFor(slot.kind))
            return nullptr;
    }
    auto params = std::make_shared<Params>();
    for (const auto& slot : slots)
        (*params).*slot.field = unitFor(slot.kind)->toBaseDouble(m_info.param_values.at(slot.code));
    return params;
}

double CProjParamsBuilder::readZoneWidth(const std::string& text) const
{
    if (!m_info.angle_unit)
        return 0.0;
    const double width = m_info.angle_unit->toBaseDouble(text) * 180.0 / vexa::kPi;
    return width > 0.0 && width < 360.0 ? width : 0.0;
}

ParamsPtr CProjParamsBuilder::gaussKruger() const
{
    std::string zoneText;
    if (!getMapValue(m_info.param_values, ZoneNumber, zoneText))
        return nullptr;
    const int zone = readZone(zoneText);
    if (zone == 0)
        return nullptr;
    return transverseMercator((zone - 1) * 6 + 3, 1.0, zone * 1000000.0 + 500000.0, 0.0);
}

ParamsPtr CProjParamsBuilder::universalTransverseMercator() const
{
    std::string zoneText;
    std::string hemisphere;
    if (!getMapValue(m_info.param_values, ZoneNumber, zoneText)
        || !getMapValue(m_info.param_values, Hemisphere, hemisphere))
        return nullptr;
    const int zone = readZone(zoneText);
    if (zone == 0 || hemisphere.empty() || (hemisphere[0] != 'N' && hemisphere[0] != 'S'))
        return nullptr;
    const double falseNorthing = hemisphere[0] == 'S' ? 10000000.0 : 0.0;
    return transverseMercator((3 * zone - 93) * 2 + 3, 0.9996, 500000.0, falseNorthing);
}

ParamsPtr CProjParamsBuilder::regional() const
{
    std::string regionText;
    std::string zoneText;
    std::string widthText;
    if (!getMapValue(m_info.param_values, RegionCode, regionText)
        || !getMapValue(m_info.param_values, ZoneNumber, zoneText)
        || !getMapValue(m_info.param_values, ZoneWidth, widthText))
        return nullptr;
    if (readZone(zoneText) == 0)
        return nullptr;
    const int region = vexa::stringToInt(regionText, 0);
    if (region < 1)
        return nullptr;
    return zonedSystem(findRegionalSystem(region), zoneText, widthText);
}

ParamsPtr CProjParamsBuilder::district1963() const
{
    std::string districtText;
    std::string zoneText;
    std::string widthText;
    if (!getMapValue(m_info.param_values, District, districtText)
        || !getMapValue(m_info.param_values, ZoneNumber, zoneText)
        || !getMapValue(m_info.param_values, ZoneWidth, widthText))
        return nullptr;
    if (readZone(zoneText) == 0 || districtText.empty())
        return nullptr;
    const CZonedSystemRow* row = findDistrictSystem(districtText[0]);
    if (!row)
        return nullptr;
    return zonedSystem(row, zoneText, widthText);
}

// The zone and width have been looked up; the width is tested before the row.
ParamsPtr CProjParamsBuilder::zonedSystem(const CZonedSystemRow* row, const std::string& zoneText,
                                          const std::string& widthText) const
{
    const double width = readZoneWidth(widthText);
    if (width == 0.0 || !row)
        return nullptr;
    if (row->fixed)
        return transverseMercator(row->longitude, 1.0, row->easting, row->falseNorthing);
    const int zone = readZone(zoneText);
    return transverseMercator(row->longitude + (zone - 1) * width, 1.0,
                              zone * 1000000.0 + row->easting, row->falseNorthing);
}

ParamsPtr CProjParamsBuilder::build() const
{
    using namespace vexa;
    using TM = CMapProjectionTransverseMercatorParams;
    using OM = CMapProjectionObliqueMercatorParams;
    using HOM = CMapProjectionHotineObliqueMercatorParams;
    using Albers = CMapProjectionAlbersEqualAreaParams;
    using LCC2 = CMapProjectionLambertConformalConic2SPParams;
    using LCC1 = CMapProjectionLambertConformalConic1SPParams;
    using Cassini = CMapProjectionCassiniSoldnerParams;
    using Merc2 = CMapProjectionMercator2SPParams;
    using Merc1 = CMapProjectionMercator1SPParams;
    using Stereo = CMapProjectionObliqueStereographicParams;
    using LAEA = CMapProjectionLambertAzimuthalEqualAreaParams;
    using Ortho = CMapProjectionOrthographicParams;
    using GKWide = CMapProjectionGaussKrugerWideZoneParams;
    using Belgium = CMapProjectionLambertConformalConic2SPBelgiumParams;
    const Kind A = Kind::Angle;
    const Kind L = Kind::Length;
    const Kind S = Kind::Scale;

    switch (m_info.type) {
    case 1:
        return read<TM>({{&TM::centralMeridian, CentralMeridian, A},
                         {&TM::latitudeOfOrigin, LatitudeOfNaturalOrigin, A},
                         {&TM::scaleFactor, ScaleOnCentralMeridian, S},
                         {&TM::falseEasting, FalseEasting, L},
                         {&TM::falseNorthing, FalseNorthing, L}});
    case 2:
        return read<OM>({{&OM::latitudeOfCentre, LatitudeOfCentre, A},
                         {&OM::longitudeOfCentre, LongitudeOfCentre, A},
                         {&OM::azimuth, AzimuthOfInitialLine, A},
                         {&OM::rectifiedGridAngle, AngleRectifiedToSkew, A},
                         {&OM::scaleFactor, ScaleOnInitialLine, S},
                         {&OM::eastingAtCentre, EastingAtCentre, L},
                         {&OM::northingAtCentre, NorthingAtCentre, L}});
    case 3:
        return read<HOM>({{&HOM::latitudeOfCentre, LatitudeOfCentre, A},
                          {&HOM::longitudeOfCentre, LongitudeOfCentre, A},
                          {&HOM::azimuth, AzimuthOfInitialLine, A},
                          {&HOM::rectifiedGridAngle, AngleRectifiedToSkew, A},
                          {&HOM::scaleFactor, ScaleOnInitialLine, S},
                          {&HOM::falseEasting, FalseEasting, L},
                          {&HOM::falseNorthing, FalseNorthing, L}});
    case 5:
        return read<Albers>({{&Albers::latitudeOfFirstParallel, LatitudeOfFirstParallel, A},
                             {&Albers::latitudeOfSecondParallel, LatitudeOfSecondParallel, A},
                             {&Albers::latitudeOfFalseOrigin, LatitudeOfCentre, A},
                             {&Albers::longitudeOfFalseOrigin, LongitudeOfCentre, A},
                             {&Albers::eastingAtFalseOrigin, EastingAtFalseOrigin, L},
                             {&Albers::northingAtFalseOrigin, NorthingAtFalseOrigin, L}});
    case 6:
        return readConic<LCC2>();
    case 7:
        return read<LCC1>({{&LCC1::latitudeOfOrigin, LatitudeOfNaturalOrigin, A},
                           {&LCC1::longitudeOfOrigin, LongitudeOfNaturalOrigin, A},
                           {&LCC1::scaleFactor, ScaleOnMainParallel, S},
                           {&LCC1::falseEasting, FalseEasting, L},
                           {&LCC1::falseNorthing, FalseNorthing, L}});
    case 8:
        return readNaturalOrigin<Cassini>();
    case 9:
        return read<Merc2>({{&Merc2::latitudeOfFirstParallel, LatitudeOfFirstParallel, A},
                            {&Merc2::longitudeOfOrigin, LongitudeOfNaturalOrigin, A},
                            {&Merc2::falseEasting, FalseEasting, L},
                            {&Merc2::falseNorthing, FalseNorthing, L}});
    case 10: {
        auto params = read<Merc1>({{&Merc1::longitudeOfOrigin, LongitudeOfNaturalOrigin, A},
                                   {&Merc1::scaleFactor, ScaleOnMainParallel, S},
                                   {&Merc1::falseEasting, FalseEasting, L},
                                   {&Merc1::falseNorthing, FalseNorthing, L}});
        if (params)
            static_cast<Merc1&>(*params).latitudeOfOrigin = 0.0;
        return params;
    }
    case 11:
        return read<Stereo>({{&Stereo::longitudeOfOrigin, LongitudeOfNaturalOrigin, A},
                             {&Stereo::latitudeOfOrigin, LatitudeOfNaturalOrigin, A},
                             {&Stereo::scaleFactor, ScaleAtNaturalOrigin, S},
                             {&Stereo::falseEasting, FalseEasting, L},
                             {&Stereo::falseNorthing, FalseNorthing, L}});
    case 24:
        return readNaturalOrigin<LAEA>();
    case 26:
        return readNaturalOrigin<Ortho>();
    case 101:
        return read<GKWide>({{&GKWide::centralMeridian, CentralMeridian, A},
                             {&GKWide::scaleFactor, ScaleOnCentralMeridian, S},
                             {&GKWide::falseEasting, FalseEasting, L},
                             {&GKWide::falseNorthing, FalseNorthing, L}});
    case 1001:
        return gaussKruger();
    case 1002:
        return universalTransverseMercator();
    case 1003:
        return regional();
    case 1004:
        return district1963();
    case 1201:
        return readConic<Belgium>();
    default:
        return nullptr;
    }
}

template <typename Params>
ParamsPtr CProjParamsBuilder::readConic() const
{
    return read<Params>({{&Params::latitudeOfFirstParallel, LatitudeOfFirstParallel, Kind::Angle},
                         {&Params::latitudeOfSecondParallel, LatitudeOfSecondParallel, Kind::Angle},
                         {&Params::latitudeOfFalseOrigin, LatitudeOfFalseOrigin, Kind::Angle},
                         {&Params::longitudeOfFalseOrigin, LongitudeOfFalseOrigin, Kind::Angle},
                         {&Params::eastingAtFalseOrigin, EastingAtFalseOrigin, Kind::Length},
                         {&Params::northingAtFalseOrigin, NorthingAtFalseOrigin, Kind::Length}});
}

template <typename Params>
ParamsPtr CProjParamsBuilder::readNaturalOrigin() const
{
    return read<Params>({{&Params::latitudeOfOrigin, LatitudeOfNaturalOrigin, Kind::Angle},
                         {&Params::longitudeOfOrigin, LongitudeOfNaturalOrigin, Kind::Angle},
                         {&Params::falseEasting, FalseEasting, Kind::Length},
                         {&Params::falseNorthing, FalseNorthing, Kind::Length}});
}

} // namespace

const CZonedSystemRow* findRegionalSystem(int region)
{
    const auto found = regionalSystems().find(region);
    return found == regionalSystems().end() ? nullptr : &found->second;
}

const CZonedSystemRow* findDistrictSystem(char district)
{
    const auto found = districtSystems().find(district);
    return found == districtSystems().end() ? nullptr : &found->second;
}

std::shared_ptr<vexa::CMapProjectionParams> CMapProjInfo::toParams() const
{
    if (type == 0 || name.empty() || coord1_sign == 0 || coord2_sign == 0)
        return nullptr;
    return CProjParamsBuilder(*this).build();
}
