#include "values/unitinfo.h"

#include "geodesy/textfunctions.h"
#include "values/numbertext.h"
#include "values/valuecompare.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <stdexcept>

namespace {

double readDegreesMinutesSeconds(const std::string& text)
{
    double degrees = 0.0;
    double minutes = 0.0;
    double seconds = 0.0;
    const int count = vexa::scanText(text.c_str(), "%lf %lf %lf", &degrees, &minutes, &seconds);
    if (count < 1)
        return DBL_MAX;
    const double fraction = minutes / 60.0 + seconds / 3600.0;
    return std::signbit(degrees) ? degrees - fraction : degrees + fraction;
}

std::string writeDegreesMinutesSeconds(double value, int decimals)
{
    if (!std::isfinite(value))
        return std::string();
    const double scale = std::pow(10.0, decimals);
    double rounded = std::floor(value * scale + 0.5) / scale;
    if (!std::isfinite(rounded))
        return std::string();
    const bool negative = rounded < 0.0;
    rounded = std::fabs(rounded);
    if (rounded >= static_cast<double>(INT_MAX))
        return std::string();

    int degrees = static_cast<int>(std::floor(rounded));
    const double minutesValue = (rounded - degrees) * 60.0;
    int minutes = static_cast<int>(std::floor(minutesValue));
    std::string secondsText = fixedToString((minutesValue - minutes) * 60.0, decimals);
    if (vexa::textToDouble(secondsText) >= 60.0) {
        secondsText = fixedToString(0.0, decimals);
        ++minutes;
    }
    degrees += minutes / 60;
    minutes %= 60;
    return std::string(negative ? "-" : "") + std::to_string(degrees) + ' '
        + std::to_string(minutes) + ' ' + secondsText;
}

} // namespace

bool CAngleFormatInfo::isValid() const
{
    return code != 0 && !name.empty();
}

bool CAngleFormatInfo::operator==(const CAngleFormatInfo& other) const
{
    if (!isValid() || !other.isValid())
        return false;
    return code == other.code && name == other.name && description == other.description
        && short_name == other.short_name && epsg == other.epsg;
}

void CAngleFormatInfo::clear()
{
    *this = CAngleFormatInfo();
}

int CAngleFormatInfo::adjustPrecision(int precision) const
{
    if (code != 2 && code != 3)
        return precision;
    return precision > 3 ? precision - 3 : 0;
}

double CAngleFormatInfo::toDouble(const std::string& text) const
{
    static const char* const where = "CAngleFormatInfo::toDouble";
    if (text.empty())
        throw std::runtime_error(where);
    switch (code) {
    case 1:
        return textToFiniteDouble(text, where);
    case 2:
        return finiteValue(readDegreesMinutesSeconds(text), where);
    default:
        throw std::runtime_error(where);
    }
}

std::string CAngleFormatInfo::toString(double value, int decimals) const
{
    switch (code) {
    case 1:
        return fixedToString(value, decimals);
    case 2:
        return writeDegreesMinutesSeconds(value, decimals);
    default:
        return std::string();
    }
}

bool CUnitInfo::isValid() const
{
    return scope != 0 && factor > 0.0 && inverse_factor > 0.0 && !name.empty();
}

bool CUnitInfo::operator==(const CUnitInfo& other) const
{
    if (!isValid() || !other.isValid())
        return false;
    return scope == other.scope && name == other.name && description == other.description
        && short_name == other.short_name && factor_b == other.factor_b
        && factor_c == other.factor_c && isSameLink(format, other.format)
        && epsg == other.epsg && mapinfo == other.mapinfo;
}

void CUnitInfo::clear()
{
    *this = CUnitInfo();
}

int CUnitInfo::computeFactors()
{
    const double b = vexa::textToDouble(factor_b);
    const double c = vexa::textToDouble(factor_c);
    factor = b / c;
    inverse_factor = c / b;
    precision = calcPrecision();
    return precision;
}

int CUnitInfo::calcPrecision() const
{
    double offset = 0.0;
    switch (scope) {
    case 1:
        offset = 3.0;
        break;
    case 2:
        offset = 12.0;
        break;
    case 3:
        offset = 9.0;
        break;
    default:
        return 0;
    }
    const double digits = std::ceil(std::log10(factor) + offset);
    if (!std::isfinite(digits) || digits < 0.0)
        return 0;
    return static_cast<int>(digits);
}

double CUnitInfo::toDouble(const std::string& text) const
{
    if (scope == 2 && format)
        return format->toDouble(text);
    if (scope < 1 || scope > 3)
        return DBL_MAX;
    return textToFiniteDouble(text, "CUnitInfo::toDouble");
}

double CUnitInfo::toBaseDouble(const std::string& text) const
{
    return finiteValue(toDouble(text) * factor, "CUnitInfo::toBaseDouble");
}

std::string CUnitInfo::toString(double value, int decimals) const
{
    if (scope == 2 && format) {
        const int used = decimals < 0 ? format->adjustPrecision(precision) : decimals;
        return format->toString(value, used);
    }
    if (scope < 1 || scope > 3)
        return std::string();
    return fixedToString(value, decimals < 0 ? precision : decimals);
}
