#include "coordsysexchange.h"

#include "browser/prompt.h"

#include "database/databaseerror.h"
#include "database/filenames.h"
#include "database/novalue.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"
#include "records/detailsdocument.h"
#include "records/storagereadcheck.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QVector>

namespace {

const QString coordSysTag = QStringLiteral("coordsys");
const QString lastFolderKey = QStringLiteral("/Settings/LastExpImpPath");
// The keys of every stored system; false, with the database's reason, when they cannot be listed.
bool storedCoordSysKeys(QVector<int>& keys, QString& error)
{
    QSqlQuery query;
    const QString statement = QStringLiteral("SELECT %1 FROM %2;").arg(keyColumnName(TableCoordSys), tableName(TableCoordSys));
    if (!execQuery(query, statement)) {
        error = databaseErrorText(query.lastError());
        return false;
    }
    while (query.next())
        keys.append(query.value(0).toInt());
    return true;
}

// A system that does not read valid is an error with its reason, as is one that cannot be stored.
void importFile(const QString& path, CCoordSysImportCounts& counts)
{
    QList<QDomElement> elements;
    if (!readDetailsElements(path, coordSysTag, elements))
        return;
    for (const QDomElement& element : elements) {
        ++counts.found;
        CCoordSysDetails system;
        bool foundExisting = false;
        QString reason;
        const int key = system.readXml(element, reason) ? insertCoordSysDetails(system, false, &foundExisting, &reason)
                                                        : int(NoValue);
        if (key == NoValue) {
            ++counts.errors;
            counts.failures.append(QStringLiteral("%1: «%2»: %3").arg(QFileInfo(path).fileName(), system.name, reason));
        } else if (!foundExisting)
            ++counts.imported;
    }
}

// Writes the file of the stored system; false with a line that names the system and says why
// it does not read or why its file was not written.
bool exportSystem(int key, const QString& folder, QString& failure)
{
    CCoordSysDetails system;
    const CStorageReadCheck check;
    QString reason;
    if (!readCoordSysDetails(key, system))
        reason = check.reason(system);
    else if (writeCoordSysFile(QDir(folder).filePath(coordSysFileName(folder, system.name)), system, &reason))
        return true;
    failure = QStringLiteral("«%1»: %2").arg(system.name, reason);
    return false;
}

// Longer lists of failures are cut, so that the message still fits on the screen.
constexpr int shownFailures = 10;

// The folder of an export or import; empty when no database is open or the user cancels.
QString askFolder(QWidget* window, QSettings& settings, const QString& title)
{
    if (!requireOpenDatabase(window))
        return QString();
    return prompt().getExistingDirectory(window, title, settings.value(lastFolderKey, QString()).toString());
}

} // namespace

QString failuresText(const QString& heading, const QStringList& failures)
{
    if (failures.isEmpty())
        return QString();
    QString text = QStringLiteral("\n\n%1:\n").arg(heading) + failures.mid(0, shownFailures).join(QLatin1Char('\n'));
    if (failures.size() > shownFailures)
        text += QStringLiteral("\n... и ещё %1").arg(failures.size() - shownFailures);
    return text;
}

QString listErrorText(const CCoordSysExportCounts& counts)
{
    if (counts.listError.isEmpty())
        return QString();
    return QStringLiteral("\n\nСистемы координат не прочитаны: %1").arg(counts.listError);
}

QString coordSysFileName(const QString& folder, const QString& systemName)
{
    return uniqueFileName(folder, fileBaseName(systemName) + QStringLiteral(".xml"));
}

bool writeCoordSysFile(const QString& path, const CCoordSysDetails& system, QString* error)
{
    return writeDetailsDocument(path, system, coordSysTag, error);
}

CCoordSysExportCounts exportCoordSystems(const QString& folder, const CPassProgress& progress)
{
    CCoordSysExportCounts counts;
    counts.rows = rowCount(TableCoordSys);
    QVector<int> keys;
    if (!storedCoordSysKeys(keys, counts.listError))
        return counts;
    for (const int key : keys) {
        if (!progress(counts.handled, keys.size())) {
            counts.cancelled = true;
            break;
        }
        ++counts.handled;
        QString reason;
        if (exportSystem(key, folder, reason))
            ++counts.exported;
        else
            counts.failures.append(reason);
    }
    progress(keys.size(), keys.size());
    return counts;
}

CCoordSysImportCounts importCoordSystems(const QString& folder, const CPassProgress& progress)
{
    CCoordSysImportCounts counts;
    const QDir directory(folder);
    const QStringList names = directory.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::NoSort);
    counts.files = names.size();
    for (int index = 0; index < names.size(); ++index) {
        if (!progress(index, names.size())) {
            counts.cancelled = true;
            break;
        }
        importFile(directory.filePath(names.at(index)), counts);
    }
    progress(names.size(), names.size());
    return counts;
}

void exportCoordSystemsToFolder(QWidget* window, QSettings& settings)
{
    const QString title = QStringLiteral("Экспорт систем координат");
    const QString folder = askFolder(window, settings, title);
    if (folder.isEmpty())
        return;
    const CCoordSysExportCounts counts = exportCoordSystems(folder, dialogProgress(window, title));
    if (counts.exported > 0)
        settings.setValue(lastFolderKey, folder);
    prompt().information(nullptr, title,
                         QStringLiteral("Всего систем координат:\t%1\nУспешно экспортировано:\t%2\nОшибок экспорта:\t\t%3")
                             .arg(counts.rows)
                             .arg(counts.exported)
                             .arg(counts.handled - counts.exported)
                             + listErrorText(counts)
                             + failuresText(QStringLiteral("Ошибки экспорта"), counts.failures));
}

void importCoordSystemsFromFolder(QWidget* window, QSettings& settings)
{
    const QString title = QStringLiteral("Импорт систем координат");
    const QString folder = askFolder(window, settings, title);
    if (folder.isEmpty())
        return;
    const CCoordSysImportCounts counts = importCoordSystems(folder, dialogProgress(window, title));
    if (counts.imported > 0)
        settings.setValue(lastFolderKey, folder);
    prompt().information(nullptr, title,
                         QStringLiteral("Всего файлов в папке:\t%1\nНайдено систем координат:\t%2"
                                        "\nУспешно импортировано:\t%3\nОшибок импорта:\t\t%4")
                             .arg(counts.files)
                             .arg(counts.found)
                             .arg(counts.imported)
                             .arg(counts.errors)
                             + failuresText(QStringLiteral("Ошибки импорта"), counts.failures));
}
