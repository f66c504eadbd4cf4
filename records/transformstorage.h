#pragma once

#include <QString>

class CTransformDetails;
class CTransformParamDetails;
class CTransformTypeDetails;

// Reading, storing and deleting transforms (table "transform") with their types
// (table "transformtype"), parameter definitions ("transformparam") and parameter
// values ("transformparamvalue").
namespace TransformStorage {

// The transform of the key with its type, parameter definitions and values; true when
// the row exists, every value reads with its definition and unit, and the record is
// valid. Otherwise false with the record cleared.
bool ReadDetails(int key, CTransformDetails& transform);
// The reason why the transform cannot be stored as it is written, whether or not an equal
// transform is stored: a type record of another code than the type. Empty when there is none.
QString StoreFault(const CTransformDetails& transform);
// Stores the transform at the place number of the list, with its type, definitions and
// values, always as a new row under a unique name; one with a fault (StoreFault) is refused
// with its reason. Its key, or NoValue; then nothing is written.
int InsertDetails(const CTransformDetails& transform, int listKey, int number, QString* error = nullptr);
// Deletes the transform with its values and moves the later transforms of its list one
// place up; all or nothing.
bool Delete(int key);

// Code tables: a read is true when the row exists and the record is valid; a find gives
// the code when a row holds it; an insert gives the code, storing the record first when
// no row holds it (only for a code of the table's own set).
bool ReadTypeDetails(int code, CTransformTypeDetails& type);
int FindTypeDetails(const CTransformTypeDetails& type);
int InsertTypeDetails(const CTransformTypeDetails& type, QString* error = nullptr);
bool ReadParamDetails(int code, CTransformParamDetails& param);
int FindParamDetails(const CTransformParamDetails& param);
int InsertParamDetails(const CTransformParamDetails& param, QString* error = nullptr);

} // namespace TransformStorage
