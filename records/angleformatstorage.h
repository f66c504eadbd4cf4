#pragma once

#include <QString>

class CAngleFormatDetails;

// Reading, finding and storing angle formats (table "unitangleformat", keyed by code).
namespace AngleFormatStorage {

// The format of the code; true when the row exists and the record is valid.
bool ReadDetails(int code, CAngleFormatDetails& format);
// The code of the stored format equal to the record, NoValue when there is none.
int FindDetails(const CAngleFormatDetails& format);
// The code of the stored format of the record's code, whatever its texts, or of the row
// added for it. NoValue when the code is no angle format code or the record is not valid.
int InsertDetails(const CAngleFormatDetails& format, QString* error = nullptr);

} // namespace AngleFormatStorage
