#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QString>

class CAbstractDetails;

// Exchange files: one record per file, as an XML document whose document type and root
// element are named after the record's kind and whose root holds the record's XML form.

// The record's name made a safe file name, followed by "." and the suffix.
QString recordFileName(const CAbstractDetails& record, const QString& suffix);
// The record's exchange document; null when the record gives no element.
QDomDocument exchangeDocument(const CAbstractDetails& record);
// Writes the record's exchange document as UTF-8, indented by one blank per level, in one
// piece: a failed write leaves an old file whole. False with the reason for the user.
bool writeExchangeFile(const QString& path, const CAbstractDetails& record, QString* error = nullptr);
// The top-level elements of the tag in the file, in order. False with the reason for the user
// when the file cannot be read or is not XML.
bool readExchangeElements(const QString& path, const QString& tag, QList<QDomElement>& elements,
                          QString* error = nullptr);
