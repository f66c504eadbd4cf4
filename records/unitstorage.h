#pragma once

#include <QString>
#include <QVariant>

#include <memory>

class CUnitDetails;

// Reading, finding and storing units (tables "unitlength", "unitangle" and "unitscale"
// by scope) with their angle formats.
namespace UnitStorage {

// The unit of the key in the unit table of the id (1, 2 or 3), with its angle format;
// true when the row exists, its angle format (if any) reads and the unit is valid.
bool ReadDetails(int tableId, int key, CUnitDetails& unit);
// The key of a stored unit of the unit's scope equal to it, NoValue when there is none.
int FindDetails(const CUnitDetails& unit);
// Unless asCopy, the key of an equal stored unit; otherwise the unit and its angle
// format are stored together, the unit under a unique name. NoValue on failure, and
// then nothing is written.
int InsertDetails(const CUnitDetails& unit, bool asCopy, QString* error = nullptr);

// A unit that another record links by key: nothing for the key 0; otherwise the unit is
// read from the table and taken only when it reads. False when it does not.
bool readLinkedUnit(int tableId, int key, std::shared_ptr<CUnitDetails>& unit);
// The key to bind for a unit that another record links in the unit table of the id: NULL
// for none, else the key of the stored unit. False when the unit is of another scope or
// cannot be stored.
bool insertLinkedUnit(int tableId, const std::shared_ptr<CUnitDetails>& unit, QVariant& key, QString* error);

} // namespace UnitStorage
