#include "values/numbertext.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace {

locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return locale;
}

// Switches the calling thread to the C locale for its lifetime.
class CCLocaleScope
{
public:
    CCLocaleScope() : m_previous(uselocale(cLocale())) {}
    ~CCLocaleScope() { uselocale(m_previous); }
    CCLocaleScope(const CCLocaleScope&) = delete;
    CCLocaleScope& operator=(const CCLocaleScope&) = delete;

private:
    locale_t m_previous;
};

} // namespace

double textToDouble(const std::string& text)
{
    CCLocaleScope scope;
    return std::stod(text);
}

int scanText(const std::string& text, const char* format, ...)
{
    CCLocaleScope scope;
    va_list args;
    va_start(args, format);
    const int count = std::vsscanf(text.c_str(), format, args);
    va_end(args);
    return count;
}

std::string fixedToString(double value, int precision)
{
    CCLocaleScope scope;
    const int length = std::snprintf(nullptr, 0, "%.*f", precision, value);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", precision, value);
    return std::string(buffer.data(), static_cast<size_t>(length));
}
