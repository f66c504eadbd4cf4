#pragma once

#include <QString>

class CAbstractDetails;
class QDomElement;

// The record's name made a safe file name, followed by "." and the suffix.
QString recordFileName(const CAbstractDetails& record, const QString& suffix);
// Reads the record (one that a record kind made) from an element of its kind's tag; true when
// it reads valid. Otherwise false with the reason where the kind gives one (a coordinate system
// names the element at fault), else with an empty reason.
bool readRecordElement(CAbstractDetails& record, const QDomElement& element, QString& reason);
