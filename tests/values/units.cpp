#include "units.h"

namespace {

std::shared_ptr<CAngleFormatInfo> makeFormat(int code)
{
    auto format = std::make_shared<CAngleFormatInfo>();
    format->code = code;
    format->name = code == 1 ? "decimal" : code == 2 ? "DMS" : "DMSH";
    return format;
}

} // namespace

std::shared_ptr<CUnitInfo> makeUnit(int scope, const char* name, const char* factorB,
                                    const char* factorC, int formatCode)
{
    auto unit = std::make_shared<CUnitInfo>();
    unit->scope = scope;
    unit->name = name;
    unit->factor_b = factorB;
    unit->factor_c = factorC;
    if (formatCode != 0)
        unit->format = makeFormat(formatCode);
    unit->computeFactors();
    return unit;
}

std::shared_ptr<CUnitInfo> metre() { return makeUnit(1, "metre", "1", "1"); }
std::shared_ptr<CUnitInfo> kilometre() { return makeUnit(1, "kilometre", "1000", "1"); }
std::shared_ptr<CUnitInfo> foot() { return makeUnit(1, "foot", "0.3048", "1"); }
std::shared_ptr<CUnitInfo> radian() { return makeUnit(2, "radian", "1", "1"); }

std::shared_ptr<CUnitInfo> degree(int formatCode)
{
    return makeUnit(2, "degree", "3.14159265358979", "180", formatCode);
}

std::shared_ptr<CUnitInfo> secondOfArc()
{
    return makeUnit(2, "second", "3.14159265358979", "648000");
}

std::shared_ptr<CUnitInfo> unity() { return makeUnit(3, "unity", "1", "1"); }
std::shared_ptr<CUnitInfo> partsPerMillion() { return makeUnit(3, "ppm", "1", "1000000"); }
