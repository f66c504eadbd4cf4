#pragma once

#include "editorfixture.h"

#include <QStringList>

// Datums with what they own, for the tests of the datum editor and the extra transformations
// frame.

// Rows written straight into the tables; each gives its key (0 when the insert failed).
int insertEllipsoid(const QString& name);
// A datum shift owned by the datum (0 for none).
int insertShift(const QString& name, int datum = 0);
int insertDatum(const QString& name, int ellipsoid, int shift);
// A transform list of the owner with the number of transforms, each with one parameter value.
int insertList(const QString& name, int owner, const QString& ownerTable, int transforms);
int insertCoordSys(const QString& name, int datum);

// The names in a table, ordered.
QStringList names(const QString& table);
// The row counts of the datum shift, datum, transform list, transform and parameter value
// tables, as "shifts datums lists transforms values".
QString counts();
// Makes the event ("DELETE", "UPDATE") on the table fail.
bool failOn(const QString& table, const QString& event);

// Chooses the row of the next list selector.
[[nodiscard]] CModalWatch chooseKind(int row);
// Fills the next datum shift editor with a Molodensky shift of the name and identifier, then
// saves or cancels it. Stores the units it needs at once.
[[nodiscard]] CModalWatch makeExtraShift(const QString& name, bool save = true);
// Fills the next transform list editor with the name and identifier and one plane shift, then
// saves it.
[[nodiscard]] CModalWatch makeExtraList(const QString& name);
