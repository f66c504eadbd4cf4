#pragma once

#include <QString>

// The tables of the definitions database by numeric id, and SQL that works on any of them
// through the default connection.

enum TableId {
    TableUnitLength = 1,
    TableUnitAngle = 2,
    TableUnitScale = 3,
    TableAngleFormat = 4,
    TableEllipsoid = 11,
    TablePrimeMeridian = 12,
    TableDatum = 21,
    TableDatumShiftType = 22,
    TableDatumShift = 23,
    TableCoordSysType = 31,
    TableCoordSys = 32,
    TableMapProjParam = 41,
    TableMapProjType = 42,
    TableMapProj = 43,
    TableMapProjParamValue = 44,
    TableVertCoordSys = 45,
    TableTransformParam = 51,
    TableTransformParamValue = 52,
    TableTransformType = 53,
    TableTransform = 54,
    TableTransformList = 55,
    TableEpsgDatumShift = 1000,
    TableEpsgDatumShiftType = 1100,
    TableEpsgMapProj = 1500,
    TableEpsgCoordSys = 2000,
    TableEpsgEllipsoid = 5000,
    TableEpsgDatum = 6200,
    TableEpsgVertCoordSys = 7800,
    TableEpsgPrimeMeridian = 8900,
    TableEpsgLengthUnit = 9000,
    TableEpsgAngleUnit = 9100,
    TableEpsgScaleUnit = 9200,
    TableMapInfoUnit = 100001,
    TableMapInfoEllipsoid = 100002,
    TableMapInfoDatum = 100003,
    TableMaintenance = 999999
};

enum UnitScope {
    UnitScopeLength = 1,
    UnitScopeAngle = 2,
    UnitScopeScale = 3
};

// Empty texts and false for an id outside the catalogue.
QString tableName(int tableId);
// The id of the table of the SQL name; 0 for a name outside the catalogue.
int tableIdOfName(const QString& name);
QString tableTitle(int tableId);
bool isCodeKeyed(int tableId);
QString keyColumnName(int tableId);

// Largest value of the column (the key column when empty): 0 for an empty table, NoValue
// when the statement fails or the value is no int key.
int maxKey(int tableId, const QString& column = QString());
// maxKey + 1, or NoValue when there is no free key after the largest.
int nextKey(int tableId);
// Key of the row with the latest last_use (unstamped rows last); NoValue for none or failure.
int lastUsedKey(int tableId);
// Stamps last_use with the current time; false when no row was stamped.
bool touchLastUse(int tableId, int key);
// Number of rows, 0 when the statement fails.
int rowCount(int tableId);

int unitScopeFromInt(int value, int fallback);
int unitScopeOfTable(int tableId);
int unitTableOfScope(int scope);
void assignTransformListScope(int& target, int value);
QString transformListScopeTitle(int scope);
