#include "values/numbertext.h"

#include "geodesy/textfunctions.h"

#include <cfloat>
#include <cmath>
#include <stdexcept>

double finiteValue(double value, const char* where)
{
    if (!std::isfinite(value) || value >= DBL_MAX)
        throw std::runtime_error(where);
    return value;
}

double textToFiniteDouble(const std::string& text, const char* where)
{
    return finiteValue(vexa::textToDouble(text), where);
}

std::string fixedToString(double value, int decimals)
{
    const std::string format = decimals < 0 ? "%f" : "%." + std::to_string(decimals) + "f";
    return vexa::doubleToString(value, format.c_str());
}
