// The main window's menus and the slots they reach: the panels' commands and the browsing of
// the definitions tables.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "framepanel.h"

#include "browser/dialogdatabaseselector.h"
#include "browser/prompt.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"

#include <QMenu>

namespace {

using CWindowSlot = void (MainWindow::*)();

// One entry of a menu: a slot of the window, or a separator when there is none.
struct CMenuEntry {
    const char* text;
    CWindowSlot slot;
};

const CMenuEntry definitionEntries[] = {
    {"&Единицы измерения расстояний", &MainWindow::slotBrowseLinearUnits},
    {"&Единицы измерения углов", &MainWindow::slotBrowseAngularUnits},
    {"&Единицы измерения масштабов", &MainWindow::slotBrowseScalarUnits},
    {"&Форматы представления углов", &MainWindow::slotBrowseAngleUnitFormats},
    {nullptr, nullptr},
    {"&Эллипсоиды", &MainWindow::slotBrowseEllipsoids},
    {"&Начальные меридианы", &MainWindow::slotBrowsePrimeMeridians},
    {nullptr, nullptr},
    {"&Датумы", &MainWindow::slotBrowseDatums},
    {"&Типы преобразования датумов", &MainWindow::slotBrowseDatumShiftTypes},
    {"&Преобразования датумов", &MainWindow::slotBrowseDatumShifts},
    {nullptr, nullptr},
    {"&Типы картографических проекций", &MainWindow::slotBrowseMapProjectionTypes},
    {"&Картографические проекции", &MainWindow::slotBrowseMapProjections},
    {nullptr, nullptr},
    {"&Системы высот", &MainWindow::slotBrowseVerticalCoordSystems},
    {nullptr, nullptr},
    {"&Типы систем координат", &MainWindow::slotBrowseCoordSysTypes},
    {"&Системы координат", &MainWindow::slotBrowseCoordSystems},
    {nullptr, nullptr},
};

const CMenuEntry epsgEntries[] = {
    {"&EPSG единицы измерения расстояний", &MainWindow::slotBrowseLinearUnitsEPSG},
    {"&EPSG единицы измерения углов", &MainWindow::slotBrowseAngularUnitsEPSG},
    {"&EPSG единицы измерения масштабов", &MainWindow::slotBrowseScalarUnitsEPSG},
    {nullptr, nullptr},
    {"&EPSG эллипсоиды", &MainWindow::slotBrowseEllipsoidsEPSG},
    {"&EPSG начальные меридианы", &MainWindow::slotBrowsePrimeMeridiansEPSG},
    {nullptr, nullptr},
    {"&EPSG датумы", &MainWindow::slotBrowseDatumsEPSG},
    {"&EPSG преобразования датумов", &MainWindow::slotBrowseDatumShiftsEPSG},
    {"&EPSG системы координат", &MainWindow::slotBrowseCoordSystemsEPSG},
};

const CMenuEntry mapInfoEntries[] = {
    {"&MapInfo единицы измерения расстояний", &MainWindow::slotBrowseUnitsMapInfo},
    {"&MapInfo эллипсоиды", &MainWindow::slotBrowseEllipsoidsMapInfo},
    {"&MapInfo датумы", &MainWindow::slotBrowseDatumsMapInfo},
};

// The panel's submenu; its calculate entry comes last.
const CMenuEntry leftPanelEntries[] = {
    {"&Система координат...", &MainWindow::slotSelectCoordSysLeft},
    {nullptr, nullptr},
    {"&Загрузить точки", &MainWindow::slotLoadPointsLeft},
    {"&Сохранить точки", &MainWindow::slotSavePointsLeft},
    {"&Очистить точки", &MainWindow::slotClearPointsLeft},
    {"&Пересчитать точки", &MainWindow::slotCalculatePointsLeft},
};

const CMenuEntry rightPanelEntries[] = {
    {"&Система координат...", &MainWindow::slotSelectCoordSysRight},
    {nullptr, nullptr},
    {"&Загрузить точки", &MainWindow::slotLoadPointsRight},
    {"&Сохранить точки", &MainWindow::slotSavePointsRight},
    {"&Очистить точки", &MainWindow::slotClearPointsRight},
    {"&Пересчитать точки", &MainWindow::slotCalculatePointsRight},
};

// The menu's entries; returns the last action added.
template <std::size_t Count>
QAction* addEntries(QMenu* menu, MainWindow* window, const CMenuEntry (&entries)[Count])
{
    QAction* last = nullptr;
    for (const CMenuEntry& entry : entries)
        last = entry.slot ? menu->addAction(QString::fromUtf8(entry.text), window, entry.slot) : menu->addSeparator();
    return last;
}

} // namespace

void MainWindow::createMenus()
{
    QMenu* fileMenu = ui->menuBar->addMenu(QStringLiteral("&Файл"));
    m_leftCalculateAction = addEntries(fileMenu->addMenu(QStringLiteral("&Левая панель")), this, leftPanelEntries);
    m_rightCalculateAction = addEntries(fileMenu->addMenu(QStringLiteral("&Правая панель")), this, rightPanelEntries);
    m_leftCalculateAction->setEnabled(false);
    m_rightCalculateAction->setEnabled(false);
    fileMenu->addAction(QStringLiteral("&Выход"), this, &MainWindow::close);

    QMenu* databaseMenu = ui->menuBar->addMenu(QStringLiteral("&База данных"));
    databaseMenu->addAction(QStringLiteral("&Открыть базу данных"), this, &MainWindow::slotOpenDatabase);
    databaseMenu->addAction(QStringLiteral("&Закрыть базу данных"), this, &MainWindow::slotCloseDatabase);
    databaseMenu->addAction(QStringLiteral("&Создать базу данных"), this, &MainWindow::slotCreateDatabase);
    databaseMenu->addSeparator();
    QMenu* browseMenu = databaseMenu->addMenu(QStringLiteral("&Редактировать базу данных"));
    addEntries(browseMenu, this, definitionEntries);
    addEntries(browseMenu->addMenu(QStringLiteral("&GeoTIFF (EPSG)")), this, epsgEntries);
    addEntries(browseMenu->addMenu(QStringLiteral("&MapInfo")), this, mapInfoEntries);

    QMenu* toolsMenu = ui->menuBar->addMenu(QStringLiteral("&Инструменты"));
    toolsMenu->addAction(QStringLiteral("&Настройки"), this, &MainWindow::slotSettings);
    toolsMenu->addSeparator();
    toolsMenu->addAction(QStringLiteral("Добавить геоид"), this, &MainWindow::slotAddGeoid);
    toolsMenu->addSeparator();
    toolsMenu->addAction(QStringLiteral("Экспорт систем координат в папку"), this,
                         &MainWindow::slotExportCoordSysToFolder);
    toolsMenu->addAction(QStringLiteral("Импорт систем координат из папки"), this,
                         &MainWindow::slotImportCoordSysFromFolder);
    toolsMenu->addAction(QStringLiteral("Импорт систем координат из БД"), this,
                         &MainWindow::slotImportCoordSysFromDatabase);

    QMenu* helpMenu = ui->menuBar->addMenu(QStringLiteral("&Помощь"));
    helpMenu->addAction(QStringLiteral("&Справка"), this, &MainWindow::slotHelp);
    helpMenu->addAction(QStringLiteral("&Горячие клавиши"), this, &MainWindow::slotHotKeys);
    helpMenu->addAction(QStringLiteral("&О программе"), this, &MainWindow::slotAbout);
}

void MainWindow::slotSelectCoordSysLeft()
{
    m_leftPanel->slotSelectCoordsys();
}

void MainWindow::slotLoadPointsLeft()
{
    m_leftPanel->slotLoad();
}

void MainWindow::slotSavePointsLeft()
{
    m_leftPanel->slotSave();
}

void MainWindow::slotClearPointsLeft()
{
    m_leftPanel->slotClear();
}

void MainWindow::slotCalculatePointsLeft()
{
    m_leftPanel->slotCalculate();
}

void MainWindow::slotSelectCoordSysRight()
{
    m_rightPanel->slotSelectCoordsys();
}

void MainWindow::slotLoadPointsRight()
{
    m_rightPanel->slotLoad();
}

void MainWindow::slotSavePointsRight()
{
    m_rightPanel->slotSave();
}

void MainWindow::slotClearPointsRight()
{
    m_rightPanel->slotClear();
}

void MainWindow::slotCalculatePointsRight()
{
    m_rightPanel->slotCalculate();
}

void MainWindow::slotBrowseLinearUnits()
{
    browse(TableUnitLength);
}

void MainWindow::slotBrowseAngularUnits()
{
    browse(TableUnitAngle);
}

void MainWindow::slotBrowseScalarUnits()
{
    browse(TableUnitScale);
}

void MainWindow::slotBrowseAngleUnitFormats()
{
    browse(TableAngleFormat);
}

void MainWindow::slotBrowseEllipsoids()
{
    browse(TableEllipsoid);
}

void MainWindow::slotBrowsePrimeMeridians()
{
    browse(TablePrimeMeridian);
}

void MainWindow::slotBrowseDatums()
{
    browse(TableDatum);
}

void MainWindow::slotBrowseDatumShiftTypes()
{
    browse(TableDatumShiftType);
}

void MainWindow::slotBrowseDatumShifts()
{
    browse(TableDatumShift);
}

void MainWindow::slotBrowseMapProjectionTypes()
{
    browse(TableMapProjType);
}

void MainWindow::slotBrowseMapProjections()
{
    browse(TableMapProj);
}

void MainWindow::slotBrowseVerticalCoordSystems()
{
    browse(TableVertCoordSys);
}

void MainWindow::slotBrowseCoordSysTypes()
{
    browse(TableCoordSysType);
}

void MainWindow::slotBrowseCoordSystems()
{
    browse(TableCoordSys);
}

void MainWindow::slotBrowseLinearUnitsEPSG()
{
    browse(TableEpsgLengthUnit);
}

void MainWindow::slotBrowseAngularUnitsEPSG()
{
    browse(TableEpsgAngleUnit);
}

void MainWindow::slotBrowseScalarUnitsEPSG()
{
    browse(TableEpsgScaleUnit);
}

void MainWindow::slotBrowseEllipsoidsEPSG()
{
    browse(TableEpsgEllipsoid);
}

void MainWindow::slotBrowsePrimeMeridiansEPSG()
{
    browse(TableEpsgPrimeMeridian);
}

void MainWindow::slotBrowseDatumsEPSG()
{
    browse(TableEpsgDatum);
}

void MainWindow::slotBrowseDatumShiftsEPSG()
{
    browse(TableEpsgDatumShift);
}

void MainWindow::slotBrowseCoordSystemsEPSG()
{
    browse(TableEpsgCoordSys);
}

void MainWindow::slotBrowseUnitsMapInfo()
{
    browse(TableMapInfoUnit);
}

void MainWindow::slotBrowseEllipsoidsMapInfo()
{
    browse(TableMapInfoEllipsoid);
}

void MainWindow::slotBrowseDatumsMapInfo()
{
    browse(TableMapInfoDatum);
}

// The selector on the table; after the coordinate systems were browsed, both panels re-read theirs.
void MainWindow::browse(int tableId)
{
    guardSlot(this, [this, tableId] {
        DialogDatabaseSelector::browse(tableId, false, NoValue);
        if (tableId != TableCoordSys)
            return;
        m_leftPanel->updateCoordsys();
        m_rightPanel->updateCoordsys();
        slotCoordsysSelected();
    });
}
