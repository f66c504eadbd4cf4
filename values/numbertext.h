#pragma once

#include <string>

// Number texts of the value layer, read and written in the C locale.

// The value when it is finite and defined (below DBL_MAX); otherwise throws
// std::runtime_error(where).
double finiteValue(double value, const char* where);

// vexa::textToDouble (std::stod behaviour and errors), refusing non-finite and
// undefined numbers as finiteValue does.
double textToFiniteDouble(const std::string& text, const char* where);

// "%.*f": the value with the given number of decimals; a negative number of
// decimals gives six, as printf does.
std::string fixedToString(double value, int decimals);
