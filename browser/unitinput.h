#pragma once

#include <QString>

class QObject;
class QValidator;

// Values typed in a unit: how an angle text is checked against its angular unit, and the
// warning for a text that its unit cannot read.

// Builds the validator of an angle format's pattern (createAngleValidator and the like).
using AnglePatternFactory = QValidator* (*)(int angleFormat, QObject* parent);

// The validator of an angle typed in the angular unit: the pattern of the unit's angle format,
// plain decimal numbers when the unit has no format, none without a unit. Owned by the owner.
QValidator* createAngleUnitValidator(int angleUnitKey, AnglePatternFactory pattern, QObject* owner);
// The warning for a typed text that does not fit its unit; what names the value.
QString unitMismatchWarning(const QString& what, const QString& text, const QString& unitName);
