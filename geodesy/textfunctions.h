#ifndef VEXA_TEXTFUNCTIONS_H
#define VEXA_TEXTFUNCTIONS_H

#include <cstddef>
#include <string>
#include <string_view>

// Conversions between numbers and text. All of them work in the C locale,
// whatever locale the process runs under.
namespace vexa {

// Formatted scan of a text; returns the number of conversions made (or EOF).
int scanText(const char* text, const char* format, ...)
    __attribute__((format(scanf, 2, 3)));

// Formatted print into a buffer of size bytes, always terminated. Returns the
// number of characters written, or -1 when the text did not fit whole.
int printText(char* buffer, std::size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Text to number. Leading blanks are skipped and a number may be followed by
// other characters; a text without a finite number gives the default or false.
double stringToDouble(const std::string& text, const double& defaultValue);
int stringToInt(const std::string& text, int defaultValue);
bool parseDouble(const std::string& text, double* value);
bool parseFloat(const std::string& text, float* value);
// A minus sign or a number beyond unsigned long is refused.
bool parseUnsigned(const std::string& text, unsigned long* value);

// What reading a whole text as one number gave.
enum class NumberRead
{
    Number,
    NotANumber,
    OutOfRange
};

// Reads the whole text, blanks around it allowed, as one number in the C form: an optional
// sign, digits with "." as the decimal point, an optional exponent; "inf" and "nan" are read as
// such. Any other character makes the text not a number; a number beyond double or below its
// normal range is out of range. No locale, no allocation.
NumberRead readNumber(std::string_view text, double* value);

// Number to text. A format holds one conversion of the value's type: a
// double for the double and float forms, an unsigned int for the unsigned form.
std::string doubleToString(const double& value);
std::string doubleToString(const double& value, const char* format);
std::string floatToString(const float& value);
std::string floatToString(const float& value, const char* format);
std::string unsignedToString(const unsigned& value);
std::string unsignedToString(const unsigned& value, const char* format);

// Splits text at every character of delimiters and returns the number of
// tokens. Token k is stored in tokens[k] when tokens is not null and k is
// below maxTokens; the split stops after maxTokens tokens when maxTokens > 0.
// Runs of delimiters give empty tokens only when keepEmpty is set.
int splitText(const char* text, const char* delimiters, std::string* tokens,
              int maxTokens, const void* reserved, bool keepEmpty);

} // namespace vexa

#endif
