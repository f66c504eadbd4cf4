#pragma once

#include <QBrush>
#include <QString>

class QObject;
class QValidator;

// Input validators and small helpers of the forms. Each validator belongs to the given parent.

// Range and decimals in the C locale: "." separator, no grouping, no exponent.
QValidator* createDoubleValidator(double bottom, double top, int decimals, QObject* parent);
// Whole-text pattern of the angle format; null for a code other than 1, 2 or 3.
QValidator* createAngleValidator(int angleFormat, QObject* parent);
QValidator* createLatitudeValidator(int angleFormat, QObject* parent);
QValidator* createLongitudeValidator(int angleFormat, QObject* parent);

// True when the three texts are blank.
bool allEmpty(const QString& a, const QString& b, const QString& c);

// Solid brushes of the application palette's Window and Base colours.
QBrush windowBrush();
QBrush baseBrush();
