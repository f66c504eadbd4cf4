#pragma once

#include <string>
#include <vector>

// Map projection parameter value kinds, parameters and projection types.
// Texts are UTF-8; a code outside a table gives an empty text or 0.

enum ParamValueKind {
    ParamValueDistance = 1,
    ParamValueAngle = 2,
    ParamValueScale = 3,
    ParamValueNumber = 4,
    ParamValueList = 5
};

enum MapProjTypeCode {
    MapProjTransverseMercator = 1,
    MapProjObliqueMercator = 2,
    MapProjHotineObliqueMercator = 3,
    MapProjAlbers = 5,
    MapProjLambertConic2SP = 6,
    MapProjLambertConic1SP = 7,
    MapProjCassiniSoldner = 8,
    MapProjMercator2SP = 9,
    MapProjMercator1SP = 10,
    MapProjObliqueStereographic = 11,
    MapProjLambertAzimuthal = 24,
    MapProjOrthographic = 26,
    MapProjTransverseMercatorWide = 101,
    MapProjGaussKruger = 1001,
    MapProjUtm = 1002,
    MapProjRegional = 1003,
    MapProjCk63 = 1004,
    MapProjLambertConic2SPBelgium = 1201
};

// Axis labelling of a projection type: the columns of "mapprojtype" of the same names.
struct MapProjTypeAxes {
    std::string coord1Abbr;
    std::string coord2Abbr;
    std::string coord1Desc;
    std::string coord2Desc;
    int coord1Sign = 0;
    int coord2Sign = 0;
    int swapCoords = 0;
};

int checkParamValueKind(int kind);
std::string paramValueKindName(int kind);
std::string paramValueKindDescription(int kind);

int checkProjParamCode(int code);
std::string projParamName(int code);
std::string projParamDescription(int code);
std::string projParamShortName(int code);
std::string projParamWktName(int code);
int projParamValueKind(int code);
int projParamEpsgCode(int code);

int checkMapProjTypeCode(int code);
std::string mapProjTypeName(int code);
std::string mapProjTypeDescription(int code);
std::string mapProjTypeShortName(int code);
int mapProjTypeEpsgCode(int code);
int mapProjTypeMapInfoCode(int code);
int mapProjTypeParamGroup(int code);
// Fills codes with the type's parameters in order; returns their number.
int mapProjTypeParamCodes(int type, std::vector<int>& codes);
// Leaves axes untouched and returns false for an unknown type.
bool mapProjTypeAxes(int type, MapProjTypeAxes& axes);

// Number and list parameters of zoned types; outputs are untouched on false.
bool mapProjTypeParamRange(const int& type, int param, int& minimum, int& maximum);
bool mapProjTypeParamListSize(const int& type, int param, int& size);
std::string projParamListValue(const int& type, int param, int index);
// Index of the value whose letter is the text's first character (upper case only), or -1.
int projParamListIndex(const int& type, int param, const std::string& text);
// Appends the values offered to the user; an unknown type empties the list.
bool projParamListValues(const int& type, int param, std::vector<std::string>& values);
