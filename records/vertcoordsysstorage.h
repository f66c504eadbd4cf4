#pragma once

#include <QString>

class CVertCoordSysDetails;

// Reading, finding and storing vertical coordinate systems (table "vertcoordsys") with
// their transform lists.

// The system of the key with its transform list; true when the row exists, the list it
// names (if any) reads and the system is valid.
bool readVertCoordSysDetails(int key, CVertCoordSysDetails& system);
// The key of a stored system of the same name and geoid equal to the record, in key
// order; NoValue for none.
int findVertCoordSysDetails(const CVertCoordSysDetails& system);
// The fault of a transform of the system's list (TransformListStorage::StoreFault): the system
// cannot be stored as it is written, whether or not an equal one is stored. Empty for none.
QString vertCoordSysFault(const CVertCoordSysDetails& system);
// A system with a fault (vertCoordSysFault) is refused with its reason. Unless alwaysInsert,
// the key of an equal stored system; otherwise the system is stored under a unique name with a
// new row for its transform list. NoValue on failure, and then nothing is written.
int insertVertCoordSysDetails(const CVertCoordSysDetails& system, bool alwaysInsert,
                              QString* error = nullptr);
