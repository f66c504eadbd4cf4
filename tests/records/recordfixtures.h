#pragma once

#include "records/abstractdetails.h"
#include "records/ellipsoiddetails.h"
#include "records/primemeridiandetails.h"
#include "records/unitdetails.h"

#include <QDomDocument>
#include <QMetaType>
#include <QStringList>

#include <memory>

Q_DECLARE_METATYPE(std::shared_ptr<CUnitDetails>)

// Small complete records for the tests.
std::shared_ptr<CAngleFormatDetails> dmsFormat();
std::shared_ptr<CUnitDetails> metre();
std::shared_ptr<CUnitDetails> degree();
CEllipsoidDetails krassowsky();
CPrimeMeridianDetails greenwich();

// The record's XML element in a fresh document, as text.
QString xmlText(const CAbstractDetails& record, const QString& tag = QStringLiteral("record"));
// The tag names of the element's children, in order.
QStringList childTags(const QDomElement& element);
// Reads the XML text into the record; returns fromXml's result.
bool readXml(CAbstractDetails& record, const QString& text);
// Reads the XML text into the record as an import does (readXml of the record); the reason
// for refusing it, empty when it reads whole.
QString readFault(CAbstractDetails& record, const QString& text);

// Writes the record and reads it back into a new record of the same class.
template <class Record>
Record roundTrip(const Record& record, bool* read = nullptr)
{
    Record copy;
    const bool ok = readXml(copy, xmlText(record));
    if (read)
        *read = ok;
    return copy;
}

// The record's description tree, one entry per item, children indented by
// two blanks per level.
QStringList treeLines(const CAbstractDetails& record);
