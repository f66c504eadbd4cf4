#include "values/numbertext.h"

#include "geodesy/textfunctions.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
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

namespace {

// Powers of ten held exactly by a double.
constexpr double exactPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                       1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
// Below this a double's fraction is a multiple of its spacing, and so is one half.
constexpr double twoTo52 = 4503599627370496.0;

// The digits of value times 10^decimals rounded to an integer as to_chars rounds: the exact
// product is scaled plus the error fma gives, a half goes to the even integer. False when the
// product is beyond twoTo52 or the power beyond the table.
bool scaledDigits(double magnitude, int decimals, std::uint64_t& digits)
{
    if (decimals >= static_cast<int>(std::size(exactPowersOfTen)))
        return false;
    const double power = exactPowersOfTen[decimals];
    const double scaled = magnitude * power;
    if (!(scaled < twoTo52))
        return false;
    const double error = std::fma(magnitude, power, -scaled);
    const double whole = std::floor(scaled);
    // Exact when near zero; when not zero, larger than any error.
    const double aboveHalf = (scaled - whole) - 0.5;
    digits = static_cast<std::uint64_t>(whole);
    const bool tie = aboveHalf == 0.0 && error == 0.0;
    if (aboveHalf > 0.0 || (aboveHalf == 0.0 && error > 0.0) || (tie && digits % 2 == 1))
        ++digits;
    return true;
}

// "%.*f" of a value of usual size without to_chars' exact long arithmetic; the end of the text,
// or null when the value is too large or too fine for it.
char* writeShortFixed(char* buffer, double value, int decimals)
{
    std::uint64_t rounded = 0;
    if (!scaledDigits(std::fabs(value), decimals, rounded))
        return nullptr;
    // The digits with the zeros that a value below one needs in front.
    char digits[40];
    std::memset(digits, '0', sizeof digits);
    char digitText[24];
    const char* digitEnd = std::to_chars(digitText, digitText + sizeof digitText, rounded).ptr;
    const int count = static_cast<int>(digitEnd - digitText);
    const int zeros = std::max(0, decimals + 1 - count);
    std::memcpy(digits + zeros, digitText, static_cast<std::size_t>(count));
    const int whole = zeros + count - decimals;
    char* end = buffer;
    if (std::signbit(value))
        *end++ = '-';
    std::memcpy(end, digits, static_cast<std::size_t>(whole));
    end += whole;
    if (decimals == 0)
        return end;
    *end++ = '.';
    std::memcpy(end, digits + whole, static_cast<std::size_t>(decimals));
    return end + decimals;
}

} // namespace

std::string fixedToString(double value, int decimals)
{
    if (!std::isfinite(value))
        return std::string();
    const int used = decimals < 0 ? 6 : decimals;
    // The largest double has 309 digits before the point.
    char buffer[1024];
    if (char* end = writeShortFixed(buffer, value, used))
        return std::string(buffer, end);
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, used);
    if (result.ec != std::errc())
        return std::string();
    return std::string(buffer, result.ptr);
}
