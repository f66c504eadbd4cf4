#pragma once

#include <QMap>
#include <QString>

class CMapProjDetails;
class CMapProjParamDetails;
class CMapProjTypeDetails;

// Reading, finding and storing map projections (table "mapproj") with their units, type
// (table "mapprojtype"), parameter definitions (table "mapprojparam") and parameter values
// (table "mapprojparamvalue").
namespace MapProjStorage {

// The parameter of the code; true when the row exists and the record is valid. The value
// kind comes from the parameter code table.
bool ReadParamDetails(int code, CMapProjParamDetails& param);
// The record's code when a row holds it, whatever its texts; NoValue otherwise.
int FindParamDetails(const CMapProjParamDetails& param);
// The record's code, stored first when no row holds it; NoValue when the record is not
// valid, its code is no parameter code or the row cannot be written.
int InsertParamDetails(const CMapProjParamDetails& param, QString* error = nullptr);

// The projection type of the code; true when the row exists, its code is a projection type
// code and the record is valid.
bool ReadTypeDetails(int code, CMapProjTypeDetails& type);
int FindTypeDetails(const CMapProjTypeDetails& type);
int InsertTypeDetails(const CMapProjTypeDetails& type, QString* error = nullptr);

// The projection of the key with its type, units, and the value and definition of every
// parameter of its type. False, with the record cleared, when the row is missing, a unit
// it names does not read, its type is no projection type or a parameter of the type has no
// value or definition.
bool ReadDetails(int key, CMapProjDetails& projection);
// The key of the first stored projection (by key) that equals the record, NoValue for none.
int FindDetails(const CMapProjDetails& projection);
// Unless asCopy, the key of an equal stored projection; otherwise the projection is stored
// under a unique name together with its units, type, parameter definitions and values. A
// projection that could not be read back (no projection type, a parameter of its type
// without a value) is refused. NoValue on failure, and then nothing is written.
int InsertDetails(const CMapProjDetails& projection, bool asCopy, QString* error = nullptr);

// The stored value text of a parameter of the projection; false when there is none.
bool ReadParamValue(int key, int code, QString& value);
// Replaces the stored parameter values of the projection by the given ones (by parameter
// code); an empty map deletes them all. False when a statement fails.
bool ReplaceParamValues(int key, const QMap<int, QString>& values, QString* error = nullptr);

} // namespace MapProjStorage
