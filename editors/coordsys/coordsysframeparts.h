#pragma once

#include "database/novalue.h"

#include <QString>

class FrameDatabasePicker;
class QAbstractButton;
class QBoxLayout;
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
// A record picker of the frame (direction 0 beside, 2 under its header) added to the layout.
FrameDatabasePicker* addPicker(QWidget* frame, int tableId, const QString& header, QBoxLayout* layout,
                               int direction = 0);

} // namespace CoordSysFrameParts

// The key a picker holds for its frame: kept when its record does not load, so that a save
// passes it on.
class CPickedKey
{
public:
    explicit CPickedKey(FrameDatabasePicker* picker = nullptr) : m_picker(picker) {}

    int key() const { return m_key; }
    FrameDatabasePicker* picker() const { return m_picker; }
    // Holds the key and shows its record.
    void pick(int key);
    // Holds the row's key of the column and shows its record.
    void load(const QSqlRecord& row, const QString& column);
    void reset();

private:
    FrameDatabasePicker* m_picker;
    int m_key = NoValue;
};

// The geodetic base of a frame: the prime meridian, and a datum or a bare ellipsoid as the
// radio pair chooses. Only the picker of the chosen one is enabled; both keep their keys.
class CGeodeticBase
{
public:
    // Makes the three pickers in the layouts of the frame.
    void create(QWidget* frame, QBoxLayout* primeMeridian, QBoxLayout* datum, QBoxLayout* ellipsoid,
                QAbstractButton* radioDatum, QAbstractButton* radioEllipsoid);

    CPickedKey primeMeridian;
    CPickedKey datum;
    CPickedKey ellipsoid;

    // Enables the picker of the chosen mode.
    void followMode();
    // Datum mode with no keys.
    void setDefaults();
    // No keys, the mode as the radio pair keeps it.
    void clear();
    // The row's keys, datum mode exactly when it has a datum.
    void load(const QSqlRecord& row);
    // The datum in datum mode, the ellipsoid otherwise, the other one NoValue; the fault when
    // the chosen one is missing.
    QString readDatumOrEllipsoid(int& datumKey, int& ellipsoidKey) const;

private:
    void setDatumMode(bool datumMode);

    QAbstractButton* m_radioDatum = nullptr;
    QAbstractButton* m_radioEllipsoid = nullptr;
};
