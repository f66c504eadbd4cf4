#pragma once

#include <QString>

class CTransformListDetails;

// Reading, storing and deleting transform lists (table "transformlist") with their
// transforms in list order.
namespace TransformListStorage {

// The list of the key with its transforms; true when the row exists, every transform
// reads and the list is valid. Otherwise false with the list cleared.
bool ReadDetails(int key, CTransformListDetails& list);
// The fault (TransformStorage::StoreFault) of the first of its transforms that has one; empty
// when none has.
QString StoreFault(const CTransformListDetails& list);
// Stores the list under a unique name with its transforms numbered 1 ... n, owned by
// the record of ownerKey in ownerTable (NoValue and an empty text for none). Always a
// new row. Its key, or NoValue; then nothing is written.
int InsertDetails(const CTransformListDetails& list, int ownerKey, const QString& ownerTable,
                  QString* error = nullptr);
// Deletes the list with its transforms; all or nothing.
bool Delete(int key);

} // namespace TransformListStorage
