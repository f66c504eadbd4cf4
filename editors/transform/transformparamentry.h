#pragma once

#include "database/novalue.h"

#include <QMap>
#include <QString>
#include <QStringList>

class QWidget;

// One parameter value of a transform as a parameter frame hands it to the transform editor.
struct TransformParamEntry {
    int paramCode = 0;
    QString value;
    // Key of a linear unit; NoValue for none.
    int unit = NoValue;
};

// Entries by parameter code.
using TransformParamEntries = QMap<int, TransformParamEntry>;

// The stored parameter values of the transform; empty for NoValue or a failed read. A unit
// column that is NULL or below 1 gives NoValue.
TransformParamEntries readTransformParamEntries(int transformKey);

// The trimmed text without its leading "-", or with one put in front.
QString toggledSign(const QString& text);

// Shows the parameter frames' warning titled "Предупреждение".
void warnParams(QWidget* parent, const QString& text);
// The warning given for a value that is not a number.
QString notNumberWarning();
// True when the text is one finite number.
bool isNumberText(const QString& text);
// True when every value is given and a number; otherwise false after the warning of the first
// failing check.
bool checkParamValues(QWidget* parent, const QStringList& values);

// Puts the entry of the code into the map.
void putEntry(TransformParamEntries& entries, int paramCode, const QString& value, int unit = NoValue);
