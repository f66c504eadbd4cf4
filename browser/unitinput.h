#pragma once

#include <QString>

#include <optional>

class QObject;
class QValidator;

// Values typed in a unit: how an angle text is checked against its angular unit as it is typed,
// how a text is read by its unit as the recalculation reads it, and the warning for a text that
// its unit cannot read.

// Builds the validator of an angle format's pattern (createAngleValidator and the like).
using AnglePatternFactory = QValidator* (*)(int angleFormat, QObject* parent);

// The validator of an angle typed in the angular unit: the pattern of the unit's angle format,
// plain decimal numbers when the unit has no format, none without a unit. Owned by the owner.
QValidator* createAngleUnitValidator(int angleUnitKey, AnglePatternFactory pattern, QObject* owner);
// The text read by the unit of the key as the recalculation reads it, in base units (metres,
// radians): the whole text one finite number, or an angle in the unit's format (degrees,
// minutes and seconds, say). Empty when the unit does not read the text or cannot be read.
std::optional<double> readInUnit(int tableId, int unitKey, const QString& text);
// The warning for a text that the unit of the key does not read, named by what: that the text
// does not fit the unit, or, for an angular unit whose angle format is read in no text (degrees,
// minutes and seconds with a hemisphere letter), that angles in that format are not read and
// another unit is to be chosen. Empty when the unit reads the text, and while no unit is chosen:
// the save asks for the unit apart.
QString unitMisfit(int tableId, int unitKey, const QString& what, const QString& text, const QString& unitName);
