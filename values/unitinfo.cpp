#include "values/unitinfo.h"

#include "geodesy/textfunctions.h"
#include "values/numbertext.h"
#include "values/valuecompare.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <stdexcept>

namespace {

// Degrees, then optional minutes and seconds, separated by blanks; each field a whole number.
// The sign of the angle is that of the degrees as written ("-0 30 0" is -0.5); signed minutes
// or seconds are refused, as they would be added against it.
double readDegreesMinutesSeconds(const std::string& text)
{
    std::string tokens[4];
    const int count = vexa::splitText(text.c_str(), " \t\n\r\f\v", tokens, 4, nullptr, false);
    if (count < 1 || count > 3)
        return DBL_MAX;
    double fields[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < count; ++i) {
        if (vexa::readNumber(tokens[i], &fields[i]) != vexa::NumberRead::Number || (i > 0 && std::signbit(fields[i])))
            return DBL_MAX;
    }
    const double fraction = fields[1] / 60.0 + fields[2] / 3600.0;
    return std::signbit(fields[0]) ? fields[0] - fraction : fields[0] + fraction;
}

std::string integerText(long long value)
{
    char buffer[24];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// The seconds are rounded to the decimals, and a carry goes into the minutes and degrees, so
// the text holds the angle to half a unit of its last decimal.
std::string writeDegreesMinutesSeconds(double value, int decimals)
{
    constexpr int maxDecimals = 15;
    const double seconds = std::fabs(value) * 3600.0;
    if (!std::isfinite(seconds) || decimals > maxDecimals || seconds >= 3600.0 * INT_MAX)
        return std::string();
    const int used = std::max(decimals, 0);
    const long long scale = static_cast<long long>(std::pow(10.0, used));
    long long whole = static_cast<long long>(std::floor(seconds));
    long long fraction = std::llround((seconds - static_cast<double>(whole)) * static_cast<double>(scale));
    if (fraction >= scale) {
        ++whole;
        fraction -= scale;
    }
    const bool negative = std::signbit(value) && (whole != 0 || fraction != 0);
    std::string text = negative ? "-" : "";
    text += integerText(whole / 3600) + ' ' + integerText(whole / 60 % 60) + ' ' + integerText(whole % 60);
    if (used == 0)
        return text;
    const std::string digits = integerText(fraction);
    return text + '.' + std::string(static_cast<std::size_t>(used) - digits.size(), '0') + digits;
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
    const double b = wholeTextToDouble(factor_b);
    const double c = wholeTextToDouble(factor_c);
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
