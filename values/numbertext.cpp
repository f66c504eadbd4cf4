#include "values/numbertext.h"

#include "geodesy/textfunctions.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <stdexcept>

double finiteValue(double value, const char* where)
{
    if (!std::isfinite(value) || value >= DBL_MAX)
        throw std::runtime_error(where);
    return value;
}

double wholeTextToDouble(const std::string& text)
{
    double value = 0.0;
    switch (vexa::readNumber(text, &value)) {
    case vexa::NumberRead::Number:
        return value;
    case vexa::NumberRead::OutOfRange:
        throw std::out_of_range("stod");
    case vexa::NumberRead::NotANumber:
        break;
    }
    throw std::invalid_argument("stod");
}

double textToFiniteDouble(const std::string& text, const char* where)
{
    return finiteValue(wholeTextToDouble(text), where);
}

std::string fixedToString(double value, int decimals)
{
    if (!std::isfinite(value))
        return std::string();
    // The largest double has 309 digits before the point.
    char buffer[1024];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                                      std::chars_format::fixed,
                                                      decimals < 0 ? 6 : decimals);
    if (result.ec != std::errc())
        return std::string();
    return std::string(buffer, result.ptr);
}
