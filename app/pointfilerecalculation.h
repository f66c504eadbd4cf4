#pragma once

#include <QString>

class CRecalculation;

// The size of the blocks a point file is read in.
constexpr qint64 pointFileBlockBytes = 256 * 1024;

// Recalculates the point file at sourcePath into a point file at targetPath as loading it into
// a panel, recalculating and saving the other panel would: one line per row in the same order,
// a row without any text left out, the file read as UTF-8 or else Windows-1251 and written as
// UTF-8. The file goes through in blocks, so memory stays bounded whatever its size; the blocks
// are recalculated on the recalculation's threads, one operator each, and its statistics count
// every line. False, with the reason for the user, when a file cannot be read or written, and
// when the recalculation is not prepared; the target is then left as it was. blockBytes is taken
// between 1 (blocks of one line) and 256 MiB.
bool recalculatePointFile(CRecalculation& recalculation, const QString& sourcePath, const QString& targetPath,
                          QString* error = nullptr, qint64 blockBytes = pointFileBlockBytes);
