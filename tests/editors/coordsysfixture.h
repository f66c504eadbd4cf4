#pragma once

#include "database/novalue.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

class FrameDatabasePicker;
class QWidget;

// Stored records that coordinate systems link: WGS 84 in decimal degrees and WGS 84 / UTM
// zone 37N made by the record storage, the keys their rows link to, and a height system.
struct CCoordSysWorld {
    int wgs84 = NoValue;
    int utm = NoValue;
    int metre = NoValue;
    int decimalDegree = NoValue;
    int greenwich = NoValue;
    int ellipsoid = NoValue;
    int datum = NoValue;
    int projection = NoValue;
    int heightSystem = NoValue;
};

// Every key is NoValue when a record cannot be stored.
CCoordSysWorld storeCoordSysWorld();

// A coordinate system row with the given columns; its key, NoValue on failure.
int insertCoordSysRow(const QVariantMap& columns);
// The value of one column of the coordinate system row.
QVariant coordSysColumn(int key, const QString& column);

// The n-th record picker of the table inside the widget; null when there is none.
FrameDatabasePicker* pickerOf(const QWidget* parent, int tableId, int nth = 0);
// Reports a pick by the user on that picker.
void pickRecord(const QWidget* parent, int tableId, int key, int nth = 0);
