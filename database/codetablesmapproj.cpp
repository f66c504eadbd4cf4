#include "codetablesmapproj.h"

#include "novalue.h"

#include <algorithm>
#include <iterator>

namespace {

struct CParamValueKindRow {
    const char* name;
    const char* description;
};

const CParamValueKindRow paramValueKinds[] = {
    {"Расстояние", "Прямоугольные координаты, смещения, расстояния"},
    {"Угол", "Широты и долготы, азимуты"},
    {"Масштаб", "Масштабы"},
    {"Номер", "Номера зон, коды регионов"},
    {"Список", "Полушария, районы"},
};

struct CProjParamRow {
    int code;
    const char* name;
    const char* description;
    int kind;
};

const CProjParamRow projParams[] = {
    {1, "Угол поворота осей", "EPSG: Angle from Rectified to Skew Grid", ParamValueAngle},
    {2, "Азимут начальной линии", "EPSG: Azimuth of initial line", ParamValueAngle},
    {3, "Сдвиг на восток", "EPSG: Easting at false origin", ParamValueDistance},
    {4, "Сдвиг на восток", "EPSG: Easting at projection centre", ParamValueDistance},
    {5, "Сдвиг на восток", "EPSG: False easting", ParamValueDistance},
    {6, "Сдвиг на север", "EPSG: False northing", ParamValueDistance},
    {7, "Долгота западной границы первой зоны", "EPSG: Initial longitude", ParamValueAngle},
    {8, "Широта первой главной параллели", "EPSG: Latitude of 1st standard parallel", ParamValueAngle},
    {9, "Широта второй главной параллели", "EPSG: Latitude of 2nd standard parallel", ParamValueAngle},
    {10, "Широта начала отсчета", "EPSG: Latitude of false origin", ParamValueAngle},
    {11, "Широта начала отсчета", "EPSG: Latitude of natural origin", ParamValueAngle},
    {12, "Широта начала отсчета", "EPSG: Latitude of projection centre", ParamValueAngle},
    {13, "Широта условной главной параллели", "EPSG: Latitude of pseudo standard parallel", ParamValueAngle},
    {14, "Широта стандартной параллели", "EPSG: Latitude of standard parallel", ParamValueAngle},
    {15, "Долгота начала отсчета", "EPSG: Longitude of false origin", ParamValueAngle},
    {16, "Долгота начала отсчета", "EPSG: Longitude of natural origin", ParamValueAngle},
    {17, "Долгота начала отсчета", "EPSG: Longitude of origin", ParamValueAngle},
    {18, "Долгота начала отсчета", "EPSG: Longitude of projection centre", ParamValueAngle},
    {19, "Сдвиг на север", "EPSG: Northing at false origin", ParamValueDistance},
    {20, "Сдвиг на север", "EPSG: Northing at projection centre", ParamValueDistance},
    {21, "Масштаб в начале отсчета", "EPSG: Scale factor at natural origin", ParamValueScale},
    {22, "Масштаб на начальной линии", "EPSG: Scale factor on initial line", ParamValueScale},
    {23, "Масштаб на условной главной параллели", "EPSG: Scale factor on pseudo standard parallel", ParamValueScale},
    {24, "Ширина зоны", "EPSG: Zone width", ParamValueAngle},
    {101, "Номер зоны", "Non-EPSG", ParamValueNumber},
    {102, "Полушарие", "Non-EPSG", ParamValueList},
    {103, "Долгота осевого меридиана", "Non-EPSG", ParamValueAngle},
    {104, "Масштаб на осевом меридиане", "Non-EPSG", ParamValueScale},
    {105, "Масштаб на главной параллели", "Non-EPSG", ParamValueScale},
    {106, "Код региона", "Non-EPSG", ParamValueNumber},
    {107, "Район", "Non-EPSG", ParamValueList},
};

struct CMapProjTypeRow {
    int code;
    const char* name;
    const char* shortName;
    const char* description;
    int epsg;
    int mapinfo;
    int group;
    bool northingFirst;
    std::vector<int> params;
};

// "XX" in the name of 1003 is Latin, "ХХ" in its description Cyrillic.
const CMapProjTypeRow mapProjTypes[] = {
    {1, "Поперечная Меркатора", "TM", "Общая форма с 5 параметрами",
     9807, 8, 5, false, {103, 11, 104, 5, 6}},
    {2, "Косая Меркатора", "OM", "Известна также как Hotine Oblique Mercator (variant B)",
     9815, 7, 7, false, {12, 18, 22, 2, 1, 4, 20}},
    {3, "Хотина (косая Меркатора)", "HOM", "Известна также как Hotine Oblique Mercator (variant A)",
     9812, 7, 7, false, {12, 18, 22, 2, 1, 5, 6}},
    {5, "Равновеликая Альберса", "Albers", "",
     9822, 9, 6, false, {12, 18, 8, 9, 3, 19}},
    {6, "Ламберта коническая конформная с двумя главными параллелями", "LCC2SP", "",
     9802, 3, 6, false, {10, 15, 8, 9, 3, 19}},
    {7, "Ламберта коническая конформная с одной главной параллелью", "LCC1SP", "",
     9801, 3, 5, false, {11, 16, 105, 5, 6}},
    {8, "Кассини-Зольднера", "CS", "",
     9806, 30, 4, false, {11, 16, 5, 6}},
    {9, "Меркатора с двумя главными параллелями", "M2SP",
     "Две главные параллели, симметричные относительно экватора; известна также как Mercator (variant B)",
     9805, 10, 4, false, {8, 16, 5, 6}},
    {10, "Меркатора с одной главной параллелью", "M1SP",
     "Одна главная параллель - экватор; известна также как Mercator (variant A)",
     9804, 10, 4, false, {16, 105, 5, 6}},
    {11, "Косая стереографическая", "OSG", "",
     9809, NoValue, 5, false, {11, 16, 21, 5, 6}},
    {24, "Ламберта азимутальная равновеликая", "LAEA", "",
     9820, 29, 4, false, {11, 16, 5, 6}},
    {26, "Ортографическая", "OG", "",
     9840, NoValue, 4, false, {11, 16, 5, 6}},
    {101, "Поперечная Меркатора для широкой полосы", "TMWide", "Широта начала отсчета равна 0",
     9807, 8, 4, false, {103, 104, 5, 6}},
    {1001, "Гаусса-Крюгера", "GK6", "В шестиградусных зонах",
     9807, 8, 1, true, {101}},
    {1002, "Universal Transverse Mercator", "UTM", "",
     9807, 8, 2, false, {101, 102}},
    {1003, "Местные системы координат регионов РФ (МСК-XX)", "MCK",
     "Проекция местных систем координат регионов РФ (МСК-ХХ и некоторых других)",
     0, NoValue, 3, true, {106, 101, 24}},
    {1004, "Система координат 1963 г. (СК-63)", "CK63", "Проекция Системы Координат 1963 г. (СК-63)",
     0, NoValue, 3, true, {107, 101, 24}},
    {1201, "Ламберта коническая конформная с двумя главными параллелями (вариант для Бельгии)",
     "LCC2SPBelgium", "Применялась в Бельгии до 2000 года",
     9803, 19, 6, false, {10, 15, 8, 9, 3, 19}},
};

struct CParamRangeRow {
    int type;
    int param;
    int minimum;
    int maximum;
};

const CParamRangeRow paramRanges[] = {
    {MapProjGaussKruger, 101, 1, 60},
    {MapProjUtm, 101, 1, 60},
    {MapProjRegional, 101, 1, 20},
    {MapProjRegional, 106, 1, 1964},
    {MapProjCk63, 101, 1, 20},
};

const char* const hemispheres[] = {"N", "S"};
const char* const hemisphereChoices[] = {"Northern", "Southern"};
const char* const districts[] = {"C", "D", "E", "F", "G", "I", "J", "L", "M",
                                 "P", "Q", "R", "S", "T", "V", "W", "X"};

struct CParamList {
    const char* const* values;
    const char* const* choices;
    int size;
};

bool paramList(int type, int param, CParamList& list)
{
    if (type == MapProjUtm && param == 102) {
        list = {hemispheres, hemisphereChoices, int(std::size(hemispheres))};
        return true;
    }
    if (type == MapProjCk63 && param == 107) {
        list = {districts, districts, int(std::size(districts))};
        return true;
    }
    return false;
}

const CProjParamRow* projParam(int code)
{
    auto found = std::find_if(std::begin(projParams), std::end(projParams),
                              [code](const CProjParamRow& row) { return row.code == code; });
    return found == std::end(projParams) ? nullptr : found;
}

const CMapProjTypeRow* mapProjType(int code)
{
    auto found = std::find_if(std::begin(mapProjTypes), std::end(mapProjTypes),
                              [code](const CMapProjTypeRow& row) { return row.code == code; });
    return found == std::end(mapProjTypes) ? nullptr : found;
}

} // namespace

int checkParamValueKind(int kind)
{
    return (kind >= ParamValueDistance && kind <= ParamValueList) ? kind : 0;
}

std::string paramValueKindName(int kind)
{
    return checkParamValueKind(kind) ? paramValueKinds[kind - 1].name : "";
}

std::string paramValueKindDescription(int kind)
{
    return checkParamValueKind(kind) ? paramValueKinds[kind - 1].description : "";
}

int checkProjParamCode(int code)
{
    return projParam(code) ? code : 0;
}

std::string projParamName(int code)
{
    const CProjParamRow* row = projParam(code);
    return row ? row->name : "";
}

std::string projParamDescription(int code)
{
    const CProjParamRow* row = projParam(code);
    return row ? row->description : "";
}

std::string projParamShortName(int)
{
    return "";
}

std::string projParamWktName(int)
{
    return "";
}

int projParamValueKind(int code)
{
    const CProjParamRow* row = projParam(code);
    return row ? row->kind : 0;
}

int projParamEpsgCode(int)
{
    return 0;
}

int checkMapProjTypeCode(int code)
{
    return mapProjType(code) ? code : 0;
}

std::string mapProjTypeName(int code)
{
    const CMapProjTypeRow* row = mapProjType(code);
    return row ? row->name : "";
}

std::string mapProjTypeDescription(int code)
{
    const CMapProjTypeRow* row = mapProjType(code);
    return row ? row->description : "";
}

std::string mapProjTypeShortName(int code)
{
    const CMapProjTypeRow* row = mapProjType(code);
    return row ? row->shortName : "";
}

int mapProjTypeEpsgCode(int code)
{
    const CMapProjTypeRow* row = mapProjType(code);
    return row ? row->epsg : 0;
}

int mapProjTypeMapInfoCode(int code)
{
    const CMapProjTypeRow* row = mapProjType(code);
    return row ? row->mapinfo : NoValue;
}

int mapProjTypeParamGroup(int code)
{
    const CMapProjTypeRow* row = mapProjType(code);
    return row ? row->group : 0;
}

int mapProjTypeParamCodes(int type, std::vector<int>& codes)
{
    codes.clear();
    if (const CMapProjTypeRow* row = mapProjType(type))
        codes = row->params;
    return int(codes.size());
}

bool mapProjTypeAxes(int type, MapProjTypeAxes& axes)
{
    const CMapProjTypeRow* row = mapProjType(type);
    if (!row)
        return false;
    if (row->northingFirst) {
        axes.coord1Abbr = "X";
        axes.coord2Abbr = "Y";
        axes.coord1Desc = "Север";
        axes.coord2Desc = "Восток";
    } else {
        axes.coord1Abbr = "E";
        axes.coord2Abbr = "N";
        axes.coord1Desc = "Восток";
        axes.coord2Desc = "Север";
    }
    axes.coord1Sign = 1;
    axes.coord2Sign = 1;
    axes.swapCoords = row->northingFirst ? 1 : 0;
    return true;
}

bool mapProjTypeParamRange(const int& type, int param, int& minimum, int& maximum)
{
    for (const CParamRangeRow& row : paramRanges) {
        if (row.type == type && row.param == param) {
            minimum = row.minimum;
            maximum = row.maximum;
            return true;
        }
    }
    return false;
}

bool mapProjTypeParamListSize(const int& type, int param, int& size)
{
    CParamList list{};
    if (!paramList(type, param, list))
        return false;
    size = list.size;
    return true;
}

std::string projParamListValue(const int& type, int param, int index)
{
    CParamList list{};
    if (!paramList(type, param, list) || index < 0 || index >= list.size)
        return "";
    return list.values[index];
}

int projParamListIndex(const int& type, int param, const std::string& text)
{
    CParamList list{};
    if (!paramList(type, param, list) || text.empty())
        return -1;
    for (int i = 0; i < list.size; ++i) {
        if (list.values[i][0] == text[0])
            return i;
    }
    return -1;
}

bool projParamListValues(const int& type, int param, std::vector<std::string>& values)
{
    if (type != MapProjUtm && type != MapProjCk63) {
        values.clear();
        return false;
    }
    CParamList list{};
    if (!paramList(type, param, list))
        return false;
    values.insert(values.end(), list.choices, list.choices + list.size);
    return true;
}
