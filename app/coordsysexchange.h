#pragma once

#include "passprogress.h"

#include "browser/opendatabase.h"

#include <QString>
#include <QStringList>

class CCoordSysDetails;
class QSettings;
class QWidget;

// Counts of an export of every stored coordinate system into a folder.
struct CCoordSysExportCounts {
    // The rows of the coordinate system table.
    int rows = 0;
    // Rows handled before the pass ended.
    int handled = 0;
    // Files written whole.
    int exported = 0;
    // One line per system not exported: its name and the reason, why it does not read or why
    // its file was not written.
    QStringList failures;
    // Why the stored systems could not be listed, with the database's reason; empty when they were.
    QString listError;
    bool cancelled = false;
};

// Counts of an import of the coordinate systems of a folder.
struct CCoordSysImportCounts {
    int files = 0;
    int found = 0;
    // New coordinate systems stored; one equal to a stored one counts as neither imported nor error,
    // one that does not read or cannot be stored as written counts as an error.
    int imported = 0;
    int errors = 0;
    // One line per error: the file, the system's name and the reason.
    QStringList failures;
    bool cancelled = false;
};

// The name of the file of a coordinate system in the folder: the system's name made a safe,
// visible file name of a usable length, with ".xml", numbered when the folder holds it already.
QString coordSysFileName(const QString& folder, const QString& systemName);
// Writes the coordinate system's XML document; false, with the reason, unless the file was
// written whole.
bool writeCoordSysFile(const QString& path, const CCoordSysDetails& system, QString* error = nullptr);

// Writes every coordinate system of the open database into the folder, one file each; never
// overwrites a file.
CCoordSysExportCounts exportCoordSystems(const QString& folder, const CPassProgress& progress = ignoreProgress);
// Stores the coordinate systems of the XML files of the folder in the open database, each
// with its linked records and without duplicates.
CCoordSysImportCounts importCoordSystems(const QString& folder, const CPassProgress& progress = ignoreProgress);

// The failures of a pass as lines under the heading, to append to its message; empty when
// there are none.
QString failuresText(const QString& heading, const QStringList& failures);
// Why the export could not list the stored systems, to append to its message; empty when it could.
QString listErrorText(const CCoordSysExportCounts& counts);

// The commands "Экспорт систем координат в папку" and "Импорт систем координат из папки":
// refused when no database is open, else they ask for the folder and report the counts.
void exportCoordSystemsToFolder(QWidget* window, QSettings& settings);
void importCoordSystemsFromFolder(QWidget* window, QSettings& settings);
