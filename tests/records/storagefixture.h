#pragma once

#include "tests/database/testdatabase.h"

#include "records/unitdetails.h"

#include <QMap>
#include <QString>

#include <memory>

// Rows of every table of the database, by table name.
QMap<QString, int> rowCounts();
// Makes every INSERT into the table fail with the message "injected".
bool failInsertsInto(int tableId);

// The angle format of the code as a new database holds it.
std::shared_ptr<CAngleFormatDetails> storedFormat(int code);
// An angular unit with the stored angle format of the code.
std::shared_ptr<CUnitDetails> storedFormatDegree(int formatCode = 2);
// Names that SQL text or argument substitution would break.
QStringList awkwardNames();
