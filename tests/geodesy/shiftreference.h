#ifndef SHIFTREFERENCE_H
#define SHIFTREFERENCE_H

#include <QList>
#include <QString>
#include <QStringList>

// The rows of a reference table in the test data folder: blank-separated fields, lines
// starting with '#' skipped. An unreadable file gives no rows.
QList<QStringList> readShiftReference(const QString& fileName);

#endif
