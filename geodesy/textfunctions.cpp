#include "geodesy/textfunctions.h"

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <ctype.h>
#include <cmath>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <stdexcept>
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

// strtod in the C locale; false when no number is read.
bool readDouble(const char* text, double* value, char** end)
{
    errno = 0;
    *value = strtod_l(text, end, cLocale());
    return *end != text;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
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
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = strtol_l(begin, &end, 10, cLocale());
    if (end == begin || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return defaultValue;
    return static_cast<int>(value);
}

bool parseDouble(const std::string& text, double* value)
{
    char* end = nullptr;
    double read = 0.0;
    if (!readDouble(text.c_str(), &read, &end) || !std::isfinite(read))
        return false;
    *value = read;
    return true;
}

bool parseFloat(const std::string& text, float* value)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    const float read = strtof_l(begin, &end, cLocale());
    if (end == begin || !std::isfinite(read))
        return false;
    *value = read;
    return true;
}

bool parseUnsigned(const std::string& text, unsigned long* value)
{
    const char* begin = text.c_str();
    while (isspace_l(static_cast<unsigned char>(*begin), cLocale()))
        ++begin;
    if (*begin == '-')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long read = strtoul_l(begin, &end, 10, cLocale());
    if (end == begin || errno == ERANGE)
        return false;
    *value = read;
    return true;
}

double textToDouble(const std::string& text, std::size_t* pos)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    double value = 0.0;
    if (!readDouble(begin, &value, &end))
        throw std::invalid_argument("stod");
    if (errno == ERANGE)
        throw std::out_of_range("stod");
    if (pos)
        *pos = static_cast<std::size_t>(end - begin);
    return value;
}

std::string doubleToString(const double& value)
{
    return formatText("%g", value);
}

std::string doubleToString(const double& value, const char* format)
{
    return formatText(format, value);
}

std::string floatToString(const float& value)
{
    return formatText("%g", static_cast<double>(value));
}

std::string floatToString(const float& value, const char* format)
{
    return formatText(format, static_cast<double>(value));
}

std::string unsignedToString(const unsigned& value)
{
    return formatText("%u", value);
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
