#pragma once

#include <string>

// Number texts with "." as the decimal separator whatever the process locale.

// std::stod under the C locale: leading blanks skipped, the longest leading
// number taken; throws std::invalid_argument / std::out_of_range ("stod").
double textToDouble(const std::string& text);

// sscanf of the text under the C locale; returns the number of conversions.
int scanText(const std::string& text, const char* format, ...)
    __attribute__((format(scanf, 2, 3)));

// "%.*lf" under the C locale.
std::string fixedToString(double value, int precision);
