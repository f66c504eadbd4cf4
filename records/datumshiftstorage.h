#pragma once

#include <QString>

class CDatumShiftTypeDetails;

// Reading, finding and storing datum shift types (table "datumshifttype", keyed by code).

// The type of the code; true when the row exists and the record is valid. The EPSG
// code of the record is left as it was.
bool readDatumShiftTypeDetails(int code, CDatumShiftTypeDetails& type);
// The record's code when a row holds it, whatever its texts; NoValue otherwise.
int findDatumShiftTypeDetails(const CDatumShiftTypeDetails& type);
// The record's code, stored first when no row holds it; NoValue when the record is
// not valid, its code is no datum shift type code or the row cannot be written.
int insertDatumShiftTypeDetails(const CDatumShiftTypeDetails& type, QString* error = nullptr);
