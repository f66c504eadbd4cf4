#pragma once

#include <QString>

class FrameDatabasePicker;
class QSqlRecord;
class QWidget;

// Pieces that the parameter frames of the coordinate-system editor share.
namespace CoordSysFrameParts {

// The stored coordinate system of the key; false when there is none.
bool readCoordSysRow(int key, QSqlRecord& row);
// A key column of the row: NoValue for NULL or a value below 1.
int storedKey(const QSqlRecord& row, const QString& column);
// True for an empty fault; otherwise the fault is warned over the frame and false returned.
bool acceptOrWarn(QWidget* frame, const QString& fault);
// Enables the datum picker in datum mode and the ellipsoid picker otherwise.
void enableDatumOrEllipsoid(FrameDatabasePicker* datumPicker, FrameDatabasePicker* ellipsoidPicker, bool datumMode);
// Takes the datum in datum mode, the ellipsoid otherwise, the other one NoValue; the fault
// when the key of the mode is missing, empty when it is given.
QString readDatumOrEllipsoid(bool datumMode, int datumKey, int ellipsoidKey, int& datum, int& ellipsoid);

} // namespace CoordSysFrameParts
