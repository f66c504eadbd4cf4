#pragma once

#include <QString>

class CDatumDetails;

// Reading, finding and storing datums (table "datum") with their shift to WGS 84, their
// ellipsoid, their pairwise datum shifts and their horizontal and vertical transform lists.

// The datum of the key with everything it links and owns; true when the row exists and
// the datum is valid and every linked and owned record reads (an owned shift or list
// also needs an identifier).
bool readDatumDetails(int key, CDatumDetails& datum);
// The key of a stored datum equal to the record, in key order; NoValue for none.
int findDatumDetails(const CDatumDetails& datum);
// The reason why the datum cannot be stored as it is written, whether or not an equal datum
// is stored: the fault of its shift to WGS 84, of a pairwise shift (datumShiftFault) or of a
// transform of its lists (TransformListStorage::StoreFault). Empty when there is none.
QString datumFault(const CDatumDetails& datum);
// A datum with a fault (datumFault) is refused with its reason. Unless alwaysInsert, the key
// of an equal stored datum; otherwise the datum is stored under a unique name with its shift
// to WGS 84 and ellipsoid (stored ones reused) and with its own pairwise shifts and transform
// lists. Every owned shift and list needs an identifier, and each list the scope of its
// collection (3 horizontal, 4 vertical). NoValue on failure, and then nothing is written.
int insertDatumDetails(const CDatumDetails& datum, bool alwaysInsert, QString* error = nullptr);
