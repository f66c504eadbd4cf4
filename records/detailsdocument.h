#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QString>

class CAbstractDetails;

// Exchange files of single records: an XML document whose DOCTYPE and root element carry the
// record kind's tag, holding the record's XML form.

// The record's exchange document under the tag; null when the record gives no element.
QDomDocument detailsDocument(const CAbstractDetails& record, const QString& tag);
// Writes the document in UTF-8, indented by one, in one piece, so that a failed write leaves
// an old file whole. False with the reason for the user.
bool writeDetailsDocument(const QString& path, const CAbstractDetails& record, const QString& tag,
                          QString* error = nullptr);
// Reads and parses the file; false with the reason for the user.
bool readDetailsDocument(const QString& path, QDomDocument& document, QString* error = nullptr);
// The top-level elements of the tag in the file, in order; false with the reason for the user
// when the file cannot be read or is not XML.
bool readDetailsElements(const QString& path, const QString& tag, QList<QDomElement>& elements,
                         QString* error = nullptr);
