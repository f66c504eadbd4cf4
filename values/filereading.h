#pragma once

#include <QString>

class QDomDocument;
class QFile;

// Reading the files of the geoid registry and its grids. The reasons are for the user and do
// not name the file, so the caller names it as the user knows it.

// Opens the file read-only; false with the reason when it is missing or does not open.
bool openForReading(QFile& file, QString* reason = nullptr);
// Reads and parses an XML file; false with the reason when it cannot be read or is not XML.
bool readXmlFile(const QString& path, QDomDocument& document, QString* reason = nullptr);
