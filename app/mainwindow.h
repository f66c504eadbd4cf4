#pragma once

#include "settings.h"

#include "values/geoidlist.h"

#include <QMainWindow>
#include <QSettings>
#include <QSqlDatabase>

class FramePanel;
class QAction;
class QLabel;
class QSplitter;

namespace Ui {
class MainWindow;
}

// The program's window: two point panels, the definitions database and the menus.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a definitions database file; false, after telling the user why, when it is missing,
    // does not open or is no definitions database; the open database then stays open.
    bool openDatabase(const QString& path);
    // Opens the database used last, silently; false when none is recorded or it does not open.
    bool openLastDatabase();
    void closeDatabase();
    // Imports the coordinate systems of another database file into the open one; true when
    // the import ran.
    bool updateDatabase(const QString& fileName);
    QString dataDirPath() const;

    FramePanel* leftPanel() const;
    FramePanel* rightPanel() const;

public slots:
    void slotCalculate(bool fromLeft);
    void slotSwap();
    void slotCoordsysSelected();
    void slotSelectCoordSysLeft();
    void slotLoadPointsLeft();
    void slotSavePointsLeft();
    void slotClearPointsLeft();
    void slotCalculatePointsLeft();
    void slotSelectCoordSysRight();
    void slotLoadPointsRight();
    void slotSavePointsRight();
    void slotClearPointsRight();
    void slotCalculatePointsRight();
    void slotOpenDatabase();
    void slotCloseDatabase();
    void slotCreateDatabase();
    void slotBrowseLinearUnits();
    void slotBrowseAngularUnits();
    void slotBrowseScalarUnits();
    void slotBrowseAngleUnitFormats();
    void slotBrowseEllipsoids();
    void slotBrowsePrimeMeridians();
    void slotBrowseDatums();
    void slotBrowseDatumShiftTypes();
    void slotBrowseDatumShifts();
    void slotBrowseMapProjectionTypes();
    void slotBrowseMapProjections();
    void slotBrowseVerticalCoordSystems();
    void slotBrowseCoordSysTypes();
    void slotBrowseCoordSystems();
    void slotBrowseLinearUnitsEPSG();
    void slotBrowseAngularUnitsEPSG();
    void slotBrowseScalarUnitsEPSG();
    void slotBrowseEllipsoidsEPSG();
    void slotBrowsePrimeMeridiansEPSG();
    void slotBrowseDatumsEPSG();
    void slotBrowseDatumShiftsEPSG();
    void slotBrowseCoordSystemsEPSG();
    void slotBrowseUnitsMapInfo();
    void slotBrowseEllipsoidsMapInfo();
    void slotBrowseDatumsMapInfo();
    void slotSettings();
    void slotAddGeoid();
    void slotExportCoordSysToFolder();
    void slotImportCoordSysFromFolder();
    void slotImportCoordSysFromDatabase();
    void slotHelp();
    void slotHotKeys();
    void slotAbout();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QList<QSplitter*> layoutSplitters() const;
    void createMenus();
    void browse(int tableId);
    void prepareConnection();
    bool connectTo(const QString& path);
    // True when the file exists and is a definitions database; otherwise tells the user why.
    bool checkDatabaseFile(const QString& path);
    QString databaseDialogPath() const;
    void createDatabase();

    FramePanel* m_leftPanel = nullptr;
    FramePanel* m_rightPanel = nullptr;
    QSplitter* m_splitter = nullptr;
    Ui::MainWindow* ui;
    QLabel* m_statusLabel = nullptr;
    QAction* m_leftCalculateAction = nullptr;
    QAction* m_rightCalculateAction = nullptr;
    QSettings m_settings;
    Settings m_options;
    QSqlDatabase m_database;
    CGeoidList m_geoids;
};
