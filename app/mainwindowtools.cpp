// The main window's tools: the recalculation, geoid packages and the exchange of coordinate
// systems with folders and other databases.
#include "mainwindow.h"

#include "coordsysexchange.h"
#include "framepanel.h"
#include "geoidpackage.h"
#include "panelrecalculation.h"
#include "browser/prompt.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QString lastUpdateDatabaseKey = QStringLiteral("/Settings/LastUpdateDatabasePath");

// The systems of the other database that were not brought over: how many, and each with its reason.
QString unreadSystemsText(const QString& fileName, const CCoordSysExportCounts& exported)
{
    if (!exported.listError.isEmpty())
        return QStringLiteral("\nСистемы координат файла «%1» не прочитаны: %2")
            .arg(QFileInfo(fileName).fileName(), exported.listError);
    if (exported.failures.isEmpty())
        return QString();
    return QStringLiteral("\nНе прочитано систем координат в файле «%1»: %2")
               .arg(QFileInfo(fileName).fileName(), QString::number(exported.failures.size()))
        + failuresText(QStringLiteral("Ошибки чтения"), exported.failures);
}

} // namespace

void MainWindow::slotCalculate(bool fromLeft)
{
    guardSlot(this, [this, fromLeft] {
        if (!requireOpenDatabase(this))
            return;
        FramePanel* source = fromLeft ? m_leftPanel : m_rightPanel;
        FramePanel* target = fromLeft ? m_rightPanel : m_leftPanel;
        recalculatePanels(this, *source, *target, &m_geoids, m_options.showCalcStats());
    });
}

void MainWindow::slotAddGeoid()
{
    guardSlot(this, [this] { addGeoidFromPackage(this, m_settings, dataDirPath(), m_geoids); });
}

void MainWindow::slotExportCoordSysToFolder()
{
    guardSlot(this, [this] { exportCoordSystemsToFolder(this, m_settings); });
}

void MainWindow::slotImportCoordSysFromFolder()
{
    guardSlot(this, [this] { importCoordSystemsFromFolder(this, m_settings); });
}

void MainWindow::slotImportCoordSysFromDatabase()
{
    guardSlot(this, [this] {
        if (!requireOpenDatabase(this))
            return;
        const QString last = m_settings.value(lastUpdateDatabaseKey, QString()).toString();
        const QString path = prompt().getOpenFileName(this, QStringLiteral("Обновить базу данных из файла"),
                                                      last.isEmpty() ? QString() : QFileInfo(last).absoluteFilePath(),
                                                      QStringLiteral("*.db"));
        if (!path.isEmpty() && updateDatabase(path))
            m_settings.setValue(lastUpdateDatabaseKey, path);
    });
}

// The other database's systems travel through a temporary folder: exported while it is open,
// imported once the database of the window is open again.
bool MainWindow::updateDatabase(const QString& fileName)
{
    if (!checkDatabaseFile(fileName))
        return false;
    const QString current = m_database.isOpen() ? m_database.databaseName() : QString();
    closeDatabase();
    const QTemporaryDir folder;
    CCoordSysExportCounts exported;
    const bool opened = folder.isValid() && openDatabase(fileName);
    if (opened)
        exported = exportCoordSystems(folder.path(), dialogProgress(this, QStringLiteral("Экспорт систем координат")));
    closeDatabase();
    if (!current.isEmpty())
        openDatabase(current);
    if (!opened || exported.cancelled || !m_database.isOpen())
        return false;
    const CCoordSysImportCounts counts =
        importCoordSystems(folder.path(), dialogProgress(this, QStringLiteral("Импорт систем координат")));
    prompt().information(nullptr, QStringLiteral("Обновление базы данных"),
                         QStringLiteral("Импортировано систем координат: %1").arg(counts.imported)
                             + unreadSystemsText(fileName, exported)
                             + failuresText(QStringLiteral("Ошибки импорта"), counts.failures));
    return true;
}
