#pragma once

#include <QString>

class CAbstractDetails;
class QDomDocument;

// Exchange files of single records: an XML document whose DOCTYPE and root element carry the
// record kind's tag, holding the record's XML form.

// Writes the document in UTF-8, indented by one, so that a failed write leaves an old file
// whole. False with the reason for the user.
bool writeDetailsDocument(const QString& path, const CAbstractDetails& record, const QString& tag,
                          QString* error = nullptr);
// Reads and parses the file; false with the reason for the user.
bool readDetailsDocument(const QString& path, QDomDocument& document, QString* error = nullptr);
