#pragma once

#include <QString>
#include <QStringList>

// The text line of a point row, as point files hold it.

// The cells joined by "; "; a cell holding ";" or a double quote is written in double quotes,
// its quotes doubled.
QString joinPointLine(const QStringList& cells);
// Splits a line into its fields: on ";" when the line holds one outside quoted fields, else on
// ",". A field in double quotes (blanks around allowed) is read without them, doubled quotes as
// one; any other field, an unclosed quote included, is taken as it stands.
QStringList splitPointLine(const QString& line);
