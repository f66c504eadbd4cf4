#pragma once

#include <QString>

class CEllipsoidDetails;

// Reading, finding and storing ellipsoids (table "ellipsoid") with their linear units.
namespace EllipsoidStorage {

// The ellipsoid of the key with its unit; true when the row exists, its unit reads and
// the ellipsoid is valid.
bool ReadDetails(int key, CEllipsoidDetails& ellipsoid);
// The key of a stored ellipsoid of the same name equal to the record, NoValue for none.
int FindDetails(const CEllipsoidDetails& ellipsoid);
// Unless asCopy, the key of an equal stored ellipsoid; otherwise the ellipsoid and its
// unit are stored together, the ellipsoid under a unique name. NoValue on failure, and
// then nothing is written.
int InsertDetails(const CEllipsoidDetails& ellipsoid, bool asCopy, QString* error = nullptr);

} // namespace EllipsoidStorage
