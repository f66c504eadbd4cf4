#pragma once

#include <string>

// Number texts of the value layer, read and written without the process locale.

// The value when it is finite and defined (below DBL_MAX); otherwise throws
// std::runtime_error(where).
double finiteValue(double value, const char* where);

// The whole text, blanks around it allowed, read as one number in the C form; throws
// std::invalid_argument("stod") when it is not one number and std::out_of_range("stod") when
// the number is beyond double, as std::stod does.
double wholeTextToDouble(const std::string& text);

// wholeTextToDouble, refusing non-finite and undefined numbers as finiteValue does.
double textToFiniteDouble(const std::string& text, const char* where);

// "%.*f": the value with the given number of decimals; a negative number of decimals gives
// six, as printf does. Empty for a value that is not finite.
std::string fixedToString(double value, int decimals);
