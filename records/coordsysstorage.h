#pragma once

#include <QString>

class CCoordSysDetails;
class CCoordSysTypeDetails;

// Reading, finding and storing coordinate system types (table "coordsystype", keyed by
// code) and coordinate systems (table "coordsys") with every record they link to.

// The type of the code; true when the row exists and the record is valid.
bool readCoordSysTypeDetails(int code, CCoordSysTypeDetails& type);
// The record's code when a row holds it, whatever its texts; NoValue otherwise.
int findCoordSysTypeDetails(const CCoordSysTypeDetails& type);
// The record's code, stored first when no row holds it; NoValue when the record is not
// valid, its code is no coordinate system type code or the row cannot be written.
int insertCoordSysTypeDetails(const CCoordSysTypeDetails& type, QString* error = nullptr);

// The coordinate system of the key with its type, linked records and pairwise transform
// lists; true when the row exists, every record it links and owns reads (an owned list
// also needs an identifier) and the system is valid. A missing row leaves the record
// untouched.
bool readCoordSysDetails(int key, CCoordSysDetails& record);
// The key of the first stored coordinate system (by key) that equals the record, NoValue
// for none.
int findCoordSysDetails(const CCoordSysDetails& record);
// The reason why the coordinate system cannot be stored as it is written, whether or not an
// equal system is stored: a type record of another code than the type, or the fault of its
// datum (datumFault), of its vertical system (vertCoordSysFault) or of a transform of its own
// or pairwise lists (TransformListStorage::StoreFault). Empty when there is none.
QString coordSysFault(const CCoordSysDetails& record);
// A system with a fault (coordSysFault) is refused with its reason. Unless alwaysInsert, the
// key of an equal stored coordinate system, with foundExisting (when given) set; otherwise the
// system is stored under a unique name with its linked records (equal stored ones reused), its
// own transform list and its pairwise lists, all in one savepoint. NoValue on failure, and then
// nothing is written.
int insertCoordSysDetails(const CCoordSysDetails& record, bool alwaysInsert, bool* foundExisting = nullptr,
                          QString* error = nullptr);
