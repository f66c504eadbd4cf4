#pragma once

#include <QString>

class CDatumShiftDetails;
class CDatumShiftTypeDetails;

// Reading, finding and storing datum shift types (table "datumshifttype", keyed by code)
// and datum shifts (table "datumshift") with their types and units.

// The type of the code; true when the row exists and the record is valid. The EPSG
// code of the record is left as it was.
bool readDatumShiftTypeDetails(int code, CDatumShiftTypeDetails& type);
// The record's code when a row holds it, whatever its texts; NoValue otherwise.
int findDatumShiftTypeDetails(const CDatumShiftTypeDetails& type);
// The record's code, stored first when no row holds it; NoValue when the record is
// not valid, its code is no datum shift type code or the row cannot be written.
int insertDatumShiftTypeDetails(const CDatumShiftTypeDetails& type, QString* error = nullptr);

// The shift of the key with its type record and units; true when the row exists, every
// unit it names reads and the shift is valid. A type code that names no stored type
// leaves the type record as it was.
bool readDatumShiftDetails(int key, CDatumShiftDetails& shift);
// The key of a stored shift equal to the record, in key order; NoValue for none and for a
// pairwise shift (one with an identifier), which is never shared.
int findDatumShiftDetails(const CDatumShiftDetails& shift);
// The reason why the shift cannot be stored as it is written, whether or not an equal shift is
// stored: a type record of another code than the type, or a parameter that its type uses and
// its unit does not read. Empty when there is none.
QString datumShiftFault(const CDatumShiftDetails& shift);
// A shift with a fault (datumShiftFault) is refused with its reason. Unless alwaysInsert, the
// key of an equal stored shift; otherwise the shift is stored with its type and units under a
// unique name, owned by the datum of datumKey (NoValue for none). NoValue on failure, and then
// nothing is written.
int insertDatumShiftDetails(const CDatumShiftDetails& shift, bool alwaysInsert, int datumKey,
                            QString* error = nullptr);
