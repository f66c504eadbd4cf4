#pragma once

#include <QString>

class QVariant;

// Number texts in the C locale ("." as decimal separator) whatever the process locale.

// A text that is not a finite number reads 0. True when both read 0 or when
// |a - b| / max(|a|, |b|) < tolerance.
bool numbersEqual(const QString& a, const QString& b, const double& tolerance);
// True when both are 0 or when |a - b| / max(|a|, |b|) < tolerance.
bool valuesClose(double a, double b, double tolerance);
// False, with the value untouched, for a text that is not a finite number.
bool readNumber(const QString& text, double& value);
// The default for a blank text or one that is not a finite number.
double textToDouble(const QString& text, double defaultValue);
// The default for a null, invalid or inconvertible value and for a number outside the int
// range or not finite; a text that is no number gives 0.
int variantToInt(const QVariant& value, int defaultValue);
int variantToIntOrNone(const QVariant& value);

// Trimmed; trailing zeros of a fraction and then a bare "." removed.
QString trimNumberText(const QString& text);
// Fixed notation with the given decimals, trimmed by trimNumberText.
QString formatNumber(double value, int decimals);
QString formatNumberText(const QString& text, int decimals);
// The shortest fixed-notation text that reads back to the same double ("0.0000000000000001"
// for 1e-16); "0" for a value that is not finite.
QString exactNumberText(double value);
// The number of digits after the "." of a number text; 0 without one.
int decimalsOf(const QString& text);
