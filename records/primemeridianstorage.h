#pragma once

#include <QString>

class CPrimeMeridianDetails;

// Reading, finding and storing prime meridians (table "primemeridian") with their
// angular units.
namespace PrimeMeridianStorage {

// The prime meridian of the key with its unit; true when the row exists, its unit reads
// and the record is valid.
bool ReadDetails(int key, CPrimeMeridianDetails& meridian);
// The key of a stored prime meridian of the same name equal to the record, NoValue for none.
int FindDetails(const CPrimeMeridianDetails& meridian);
// Unless asCopy, the key of an equal stored prime meridian; otherwise the record and its
// unit are stored together, the record under a unique name. NoValue on failure, and
// then nothing is written.
int InsertDetails(const CPrimeMeridianDetails& meridian, bool asCopy, QString* error = nullptr);

} // namespace PrimeMeridianStorage
