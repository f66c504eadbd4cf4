#pragma once

#include <QString>
#include <QVariantMap>

class QLineEdit;
class QWidget;

// Units that datum shifts refer to, stored in the test database.
struct CShiftUnits {
    int metre = 0;
    int second = 0;    // decimal angle format
    int dmsDegree = 0; // degrees, minutes and seconds
    int ppm = 0;
};

CShiftUnits insertShiftUnits();
// A datum shift row with the given columns; its key, 0 on failure.
int insertShift(const QVariantMap& columns);
// The value of one column of the datum shift row.
QVariant shiftColumn(int key, const QString& column);

// The line edit of that name inside the widget; sets its text when one is given.
QLineEdit* lineEdit(const QWidget* parent, const QString& name);
void typeInto(const QWidget* parent, const QVariantMap& texts);
// Reports a pick by the user on the n-th record picker inside the widget.
void pickIn(const QWidget* parent, int picker, int key);
