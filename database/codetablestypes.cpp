#include "codetablestypes.h"

namespace {

struct CDatumShiftTypeRow {
    const char* name;
    const char* description;
    int epsg;
};

const CDatumShiftTypeRow datumShiftTypes[] = {
    {"Молоденского", "Сдвиг по трем осям", 1031},
    {"Поворот-сдвиг-масштаб", "Направление поворотов, принятое в РФ", 1032},
    {"Молоденского-Бадекаса (поворот-сдвиг-масштаб)", "Направление поворотов, принятое в РФ", 1034},
    {"Гельмерта", "Направление поворотов, принятое зарубежом", 1033},
    {"Молоденского-Бадекаса (Гельмерт)", "Направление поворотов, принятое зарубежом", 1061},
};

struct CCoordSysTypeRow {
    const char* name;
    const char* description;
};

// Indexed by code - 1; code 2 is not a type.
const CCoordSysTypeRow coordSysTypes[] = {
    {"Декартова", "Локальная декартова"},
    {"", ""},
    {"Геоцентрическая", "Геоцентрическая декартова"},
    {"Геодезическая", "Широта-долгота"},
    {"Картографическая", "В картографической проекции"},
    {"Топоцентрическая", "Топоцентрическая декартова"},
};

struct CAngleFormatRow {
    const char* name;
    const char* hint;
    int epsg;
    const char* angle;
    const char* latitude;
    const char* longitude;
};

// The name of the decimal format is spelt with a Latin "c" as its third letter.
const CAngleFormatRow angleFormats[] = {
    {"Деcятичный",
     "Формат: [+/-]NNN.nnnnnnnnnnnnn",
     0,
     R"([+-]?\d+(\.\d*)?)",
     R"([+-]?\d+(\.\d*)?)",
     R"([+-]?\d+(\.\d*)?)"},
    {"Градусы-минуты-секунды",
     "Формат: [+/-]ГГГ ММ СС.ссссссс; для входных значений допустимо также "
     "[+/-]ГГГ.ггггггггг и [+/-]ГГГ ММ.ммммммммм",
     9107,
     R"([+-]?\d{1,3}(\s+\d{1,2}(\s+\d{1,2}(\.\d*)?)?)?)",
     R"([+-]?\d{1,2}(\s+\d{1,2}(\s+\d{0,2}(\.\d*)?)?)?)",
     R"([+-]?\d{1,3}(\s+\d{1,2}(\s+\d{0,2}(\.\d*)?)?)?)"},
    {"Градусы-минуты-секунды-полушарие",
     "Формат: ГГГ ММ СС.ссссссс[N/E/S/W], где N - северное, E - восточное, "
     "S - южное, W - западное полушарие соответственно",
     9108,
     R"(\d{1,3}\s+\d{1,2}(\s+\d{0,2}(\.\d*)?)?\s?[NnEeSsWw])",
     R"(\d{1,2}\s+\d{1,2}(\s+\d{0,2}(\.\d*)?)?\s?[NnSs])",
     R"(\d{1,3}\s+\d{1,2}(\s+\d{0,2}(\.\d*)?)?\s?[EeWw])"},
};

const CDatumShiftTypeRow* datumShiftType(int code)
{
    if (code < 1 || code > 5)
        return nullptr;
    return &datumShiftTypes[code - 1];
}

const CCoordSysTypeRow* coordSysType(int code)
{
    if (checkCoordSysTypeCode(code) == 0)
        return nullptr;
    return &coordSysTypes[code - 1];
}

const CAngleFormatRow* angleFormatRow(int code)
{
    if (checkAngleFormatCode(code, 0) == 0)
        return nullptr;
    return &angleFormats[code - 1];
}

} // namespace

int checkDatumShiftTypeCode(int code)
{
    return datumShiftType(code) ? code : 0;
}

int datumShiftTypeEpsgCode(int code)
{
    const CDatumShiftTypeRow* row = datumShiftType(code);
    return row ? row->epsg : 0;
}

std::string datumShiftTypeName(int code)
{
    const CDatumShiftTypeRow* row = datumShiftType(code);
    return row ? row->name : "";
}

std::string datumShiftTypeDescription(int code)
{
    const CDatumShiftTypeRow* row = datumShiftType(code);
    return row ? row->description : "";
}

int checkCoordSysTypeCode(int code)
{
    switch (code) {
    case CoordSysLocalCartesian:
    case CoordSysGeocentric:
    case CoordSysGeodetic:
    case CoordSysProjected:
    case CoordSysTopocentric:
        return code;
    default:
        return 0;
    }
}

std::string coordSysTypeName(int code)
{
    const CCoordSysTypeRow* row = coordSysType(code);
    return row ? row->name : "";
}

std::string coordSysTypeDescription(int code)
{
    const CCoordSysTypeRow* row = coordSysType(code);
    return row ? row->description : "";
}

int checkAngleFormatCode(int code, int defaultCode)
{
    return (code >= AngleFormatDecimal && code <= AngleFormatDmsHemisphere) ? code : defaultCode;
}

std::string angleFormatName(int code)
{
    const CAngleFormatRow* row = angleFormatRow(code);
    return row ? row->name : "";
}

std::string angleFormatHint(int code)
{
    const CAngleFormatRow* row = angleFormatRow(code);
    return row ? row->hint : "";
}

std::string angleFormatShortName(int)
{
    return "";
}

int angleFormatEpsgCode(int code)
{
    const CAngleFormatRow* row = angleFormatRow(code);
    return row ? row->epsg : 0;
}

std::string numberRegExp(bool unsignedOnly)
{
    return unsignedOnly ? R"(\d+(\.\d*)?)" : R"([+-]?\d+(\.\d*)?)";
}

std::string angleRegExp(int angleFormat)
{
    const CAngleFormatRow* row = angleFormatRow(angleFormat);
    return row ? row->angle : "";
}

std::string latitudeRegExp(int angleFormat)
{
    const CAngleFormatRow* row = angleFormatRow(angleFormat);
    return row ? row->latitude : "";
}

std::string longitudeRegExp(int angleFormat)
{
    const CAngleFormatRow* row = angleFormatRow(angleFormat);
    return row ? row->longitude : "";
}
