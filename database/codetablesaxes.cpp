#include "codetablesaxes.h"

#include <utility>

namespace {

const char* const axisDirectionNames[] = {"Север", "Восток", "Юг", "Запад"};
const char* const pairwiseRoleNames[] = {"Непрямое", "Исходные", "Результат"};
const char* const transformListScopeNames[] = {
    "Последовательность преобразований",
    "Попарное преобразование датума ",
    "Плановое преобразование датума ",
    "Вертикальное преобразование датума",
};
const char* const transformTypeNames[] = {
    "Аффинное преобразование плановых координат",
    "Сдвиг плановых координат",
    "Сдвиг по высоте",
};
const char* const transformParamNames[] = {"A11", "A12", "A21", "A22", "B1", "B2", "dH"};

bool inRange(int code, int last)
{
    return code >= 1 && code <= last;
}

std::string label(const char* const* names, int last, int code)
{
    return inRange(code, last) ? names[code - 1] : "";
}

} // namespace

void setAxisDirection(int& target, int code)
{
    target = inRange(code, AxisWest) ? code : 0;
}

void setPairwiseRole(int& target, int code)
{
    target = inRange(code, PairwiseResult) ? code : 0;
}

void setTransformListScope(int& target, int code)
{
    target = inRange(code, TransformListVertical) ? code : 0;
}

void setTransformType(int& target, int code)
{
    target = checkTransformTypeCode(code);
}

void setTransformParamCode(int& target, int code)
{
    target = checkTransformParamCode(code);
}

int checkTransformTypeCode(int code)
{
    return inRange(code, TransformShiftH) ? code : 0;
}

int checkTransformParamCode(int code)
{
    return inRange(code, TransformParamDH) ? code : 0;
}

std::string axisDirectionName(const int& code)
{
    return label(axisDirectionNames, AxisWest, code);
}

std::string pairwiseRoleName(const int& code)
{
    return label(pairwiseRoleNames, PairwiseResult, code);
}

std::string transformListScopeLabel(int scope)
{
    return label(transformListScopeNames, TransformListVertical, scope);
}

std::string transformListScopeName(const int& scope)
{
    int normalised = 0;
    setTransformListScope(normalised, scope);
    return transformListScopeLabel(normalised);
}

std::string transformTypeName(int code)
{
    return label(transformTypeNames, TransformShiftH, code);
}

std::string transformTypeDescription(int)
{
    return "";
}

std::string transformTypeShortName(int)
{
    return "";
}

std::string transformParamName(int code)
{
    return label(transformParamNames, TransformParamDH, code);
}

std::string transformParamDescription(int)
{
    return "";
}

std::string transformParamShortName(int)
{
    return "";
}

std::vector<int> transformTypeParamCodes(int type)
{
    switch (type) {
    case TransformAffine2D:
        return {TransformParamA11, TransformParamA12, TransformParamA21,
                TransformParamA22, TransformParamB1,  TransformParamB2};
    case TransformShift2D:
        return {TransformParamB1, TransformParamB2};
    case TransformShiftH:
        return {TransformParamDH};
    default:
        return {};
    }
}

bool axesOnOneAxis(int axis1, int axis2)
{
    if (axis1 == 0 || axis2 == 0)
        return false;
    return axis1 % 2 == axis2 % 2;
}

void axisCodesFromFlags(int east, int north, bool swap, int& axis1, int& axis2)
{
    axis1 = east > 0 ? AxisEast : AxisWest;
    axis2 = north > 0 ? AxisNorth : AxisSouth;
    if (swap)
        std::swap(axis1, axis2);
}

bool axesSignsAndSwap(int axis1, int axis2, int& sign1, int& sign2, bool& swap)
{
    if (axis1 == 0 || axis2 == 0 || axesOnOneAxis(axis1, axis2))
        return false;
    const bool northingFirst = axis1 == AxisNorth || axis1 == AxisSouth;
    const int eastWest = northingFirst ? axis2 : axis1;
    const int northSouth = northingFirst ? axis1 : axis2;
    swap = northingFirst;
    sign1 = eastWest == AxisEast ? 1 : -1;
    sign2 = northSouth == AxisNorth ? 1 : -1;
    return true;
}
