#include "geodesy/textfunctions.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <locale.h>
#include <vector>

namespace vexa {

namespace {

locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Switches the calling thread to the C locale for its lifetime.
class CLocaleScope
{
public:
    CLocaleScope() : previous(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(previous); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous;
};

std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string formatText(const char* format, ...)
{
    CLocaleScope scope;
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        text.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(args);
    return text;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

const char* skipBlanks(const char* text)
{
    while (isBlank(*text))
        ++text;
    return text;
}

// The start of the digits after blanks and a plus sign, which from_chars does not take.
const char* numberStart(const char* text)
{
    text = skipBlanks(text);
    if (text[0] == '+' && text[1] != '-' && text[1] != '+')
        ++text;
    return text;
}

// Reads the number at the start of a text, blanks and a sign before it: the result of
// from_chars, whose ptr is the text itself when no number is read.
template <typename T>
std::from_chars_result readPrefix(const char* text, T* value)
{
    const char* begin = numberStart(text);
    const std::from_chars_result result = std::from_chars(begin, begin + std::strlen(begin), *value);
    if (result.ec == std::errc::invalid_argument)
        return {text, result.ec};
    return result;
}

template <typename T>
std::string integerText(T value)
{
    char buffer[24];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// "%g": six significant digits.
std::string generalText(double value)
{
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6).ptr);
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

NumberRead readNumber(std::string_view text, double* value)
{
    text = trimmed(text);
    // from_chars takes no plus sign.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    const char* const end = text.data() + text.size();
    double read = 0.0;
    const std::from_chars_result result = std::from_chars(text.data(), end, read);
    if (result.ec == std::errc::invalid_argument || result.ptr != end)
        return NumberRead::NotANumber;
    // Subnormal numbers are out of range as for strtod.
    if (result.ec == std::errc::result_out_of_range || (read != 0.0 && std::fabs(read) < DBL_MIN))
        return NumberRead::OutOfRange;
    *value = read;
    return NumberRead::Number;
}

int scanText(const char* text, const char* format, ...)
{
    CLocaleScope scope;
    va_list args;
    va_start(args, format);
    const int count = std::vsscanf(text, format, args);
    va_end(args);
    return count;
}

int printText(char* buffer, std::size_t size, const char* format, ...)
{
    CLocaleScope scope;
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer, size, format, args);
    va_end(args);
    if (length < 0 || static_cast<std::size_t>(length) >= size)
        return -1;
    return length;
}

double stringToDouble(const std::string& text, const double& defaultValue)
{
    double value = 0.0;
    return parseDouble(text, &value) ? value : defaultValue;
}

int stringToInt(const std::string& text, int defaultValue)
{
    int value = 0;
    return readPrefix(text.c_str(), &value).ec == std::errc() ? value : defaultValue;
}

bool parseDouble(const std::string& text, double* value)
{
    double read = 0.0;
    if (readPrefix(text.c_str(), &read).ec != std::errc() || !std::isfinite(read))
        return false;
    *value = read;
    return true;
}

bool parseFloat(const std::string& text, float* value)
{
    float read = 0.0f;
    if (readPrefix(text.c_str(), &read).ec != std::errc() || !std::isfinite(read))
        return false;
    *value = read;
    return true;
}

bool parseUnsigned(const std::string& text, unsigned long* value)
{
    if (*skipBlanks(text.c_str()) == '-')
        return false;
    unsigned long read = 0;
    if (readPrefix(text.c_str(), &read).ec != std::errc())
        return false;
    *value = read;
    return true;
}

std::string doubleToString(const double& value)
{
    return generalText(value);
}

std::string doubleToString(const double& value, const char* format)
{
    return formatText(format, value);
}

std::string floatToString(const float& value)
{
    return generalText(static_cast<double>(value));
}

std::string floatToString(const float& value, const char* format)
{
    return formatText(format, static_cast<double>(value));
}

std::string unsignedToString(const unsigned& value)
{
    return integerText(value);
}

std::string unsignedToString(const unsigned& value, const char* format)
{
    return formatText(format, value);
}

int splitText(const char* text, const char* delimiters, std::string* tokens,
              int maxTokens, const void*, bool keepEmpty)
{
    int count = 0;
    std::string token;
    const auto emit = [&]() {
        if (tokens && count < maxTokens)
            tokens[count] = token;
        ++count;
        token.clear();
    };
    for (const char* c = text; *c; ++c) {
        if (!std::strchr(delimiters, *c)) {
            token += *c;
            continue;
        }
        if (token.empty() && !keepEmpty)
            continue;
        emit();
        if (count == maxTokens)
            return count;
    }
    if (!token.empty() || keepEmpty)
        emit();
    return count;
}

} // namespace vexa
