#include "guitest.h"
#include "scriptedprompt.h"
#include "testcoordsys.h"
#include "testdatabase.h"
#include "testfiles.h"
#include "testpanel.h"

#include "app/dialogsettings.h"
#include "app/framepanel.h"
#include "app/mainwindow.h"
#include "browser/dialogdatabaseselector.h"
#include "database/createdatabase.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "values/geoidlist.h"
#include "values/geoidregistry.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

#include <functional>
#include <optional>

namespace {

const QString lastDatabaseKey = QStringLiteral("/Settings/LastDatabasePath");

QString statusText(const MainWindow& window)
{
    return window.statusBar()->findChild<QLabel*>()->text();
}

bool databaseOpen()
{
    return QSqlDatabase::database(QSqlDatabase::defaultConnection, false).isOpen();
}

QString databaseName()
{
    return QSqlDatabase::database(QSqlDatabase::defaultConnection, false).databaseName();
}

QStringList actionTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions)
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QMenu* subMenu(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* action : actions) {
        if (action->text() == text)
            return action->menu();
    }
    return nullptr;
}

QAction* findAction(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* action : actions) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// The entry reached through the menu bar by the texts of its menus and its own.
QAction* menuAction(const MainWindow& window, const QStringList& path)
{
    QList<QAction*> actions = window.menuBar()->actions();
    for (const QString& menu : path.mid(0, path.size() - 1)) {
        const QMenu* found = subMenu(actions, menu);
        if (!found)
            return nullptr;
        actions = found->actions();
    }
    return findAction(actions, path.last());
}

// The query of the selector that the work opens to browse; empty when none opens to browse.
QString selectorQuery(const std::function<void()>& work)
{
    QString query;
    const CModalWatch watch = whenModal<DialogDatabaseSelector>([&query](DialogDatabaseSelector* selector) {
        QPushButton* close = selector->findChild<QPushButton*>("buttonClose");
        if (!close->isHidden())
            query = selector->queryText();
        close->click();
    });
    work();
    return query;
}

// True when the main window itself declares the slot, public.
bool isOwnPublicSlot(const QByteArray& signature)
{
    const QMetaObject& meta = MainWindow::staticMetaObject;
    const int index = meta.indexOfSlot(signature.constData());
    return index >= meta.methodOffset() && meta.method(index).access() == QMetaMethod::Public;
}

// An SQLite file of another program.
bool writeForeignDatabase(const QString& path)
{
    return writeSqliteFile(path, {"CREATE TABLE customers (id INTEGER PRIMARY KEY);"});
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startWithoutALastDatabaseOffersTheOpenDialog();
    void startWithTheLastDatabaseOpensIt();
    void geoidRegistryIsLoadedFromTheDataFolder();
    void geoidRegistryFaultIsReportedAtStart_data();
    void geoidRegistryFaultIsReportedAtStart();
    void startWithAnUnusableLastDatabase_data();
    void startWithAnUnusableLastDatabase();
    void stateAfterCloseAndFailedOpen_data();
    void stateAfterCloseAndFailedOpen();
    void openRefusesAForeignFileAtStart();
    void openAndClose();
    void cancellingTheOpenDialogKeepsTheDatabase();
    void createDatabase();
    void createAddsTheSuffix();
    void createOverAnExistingFileIsRefused();
    void cancellingCreateChangesNothing();
    void menus();
    void namedSlots_data();
    void namedSlots();
    void browseEntriesOpenTheSelector_data();
    void browseEntriesOpenTheSelector();
    void panelEntriesReachTheirPanel_data();
    void panelEntriesReachTheirPanel();
    void calculationNeedsBothSystems();
    void swapCarriesEveryRow();
    void hotKeys();
    void help_data();
    void help();
    void settingsDialogFromTheMenu();

private:
    QString databaseFile(const QString& name);
    std::unique_ptr<MainWindow> createWindow();

    CGuiTestEnvironment m_environment;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

void TestMainWindow::init()
{
    CGuiTestEnvironment::clearSettings();
    m_folder = std::make_unique<QTemporaryDir>();
    m_prompt = std::make_unique<CScriptedPrompt>();
}

void TestMainWindow::cleanup()
{
    m_prompt.reset();
    m_folder.reset();
}

// A new definitions database file in the test folder.
QString TestMainWindow::databaseFile(const QString& name)
{
    const QString path = QDir(m_folder->path()).filePath(name);
    if (!::createDatabase(path, QStringLiteral("Test"), QString()))
        return QString();
    return path;
}

std::unique_ptr<MainWindow> TestMainWindow::createWindow()
{
    return std::make_unique<MainWindow>();
}

void TestMainWindow::startWithoutALastDatabaseOffersTheOpenDialog()
{
    const auto window = createWindow();
    QCOMPARE(m_prompt->fileRequests().size(), 1);
    const CPrompt::CFileRequest request = m_prompt->fileRequests().first();
    QCOMPARE(request.mode, CPrompt::CFileRequest::OpenFile);
    QCOMPARE(request.caption, QStringLiteral("Открыть базу данных"));
    QCOMPARE(request.path, m_environment.dataFolder());
    QCOMPARE(request.filter, QStringLiteral("*.db"));
    QVERIFY(!databaseOpen());
    QVERIFY(statusText(*window).isEmpty());
    QVERIFY(m_prompt->messages().isEmpty());
    QCOMPARE(window->dataDirPath(), m_environment.dataFolder());
}

void TestMainWindow::startWithTheLastDatabaseOpensIt()
{
    const QString path = databaseFile("last.db");
    QSettings().setValue(lastDatabaseKey, path);
    const auto window = createWindow();
    QVERIFY(m_prompt->fileRequests().isEmpty());
    QVERIFY(databaseOpen());
    QCOMPARE(databaseName(), path);
    QCOMPARE(statusText(*window), path);
}

void TestMainWindow::geoidRegistryIsLoadedFromTheDataFolder()
{
    const QString registry = QDir(m_environment.dataFolder()).filePath("data.xml");
    QVERIFY(writeFile(registry, "<Data><Geoids><Geoid><ID>EGM</ID><Name>Геоид</Name>"
                                "<GridDataFileName>egm.grd</GridDataFileName>"
                                "<GridCoordSysFileName>egm.xml</GridCoordSysFileName>"
                                "<GridMetadataFileName>egm.meta</GridMetadataFileName></Geoid></Geoids></Data>"));
    {
        const auto window = createWindow();
        QVERIFY(geoidRegistry());
        QVERIFY(geoidRegistry()->containsId("EGM"));
        QVERIFY(geoidRegistry()->containsName("Геоид"));
        QVERIFY(m_prompt->messages().isEmpty());
    }
    QVERIFY(!geoidRegistry());
    QVERIFY(QFile::remove(registry));
}

void TestMainWindow::geoidRegistryFaultIsReportedAtStart_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("geoids");

    const QByteArray geoid = "<GridCoordSysFileName>egm.xml</GridCoordSysFileName>"
                             "<GridMetadataFileName>egm.meta</GridMetadataFileName></Geoid>";
    QTest::newRow("unreadable") << QByteArray("<Data><Geoids><Geoid><ID>EGM</ID>")
                                << "Ошибка|Реестр геоидов \"%1\" не читается: не является документом XML "
                                   "(строка 1: файл обрывается раньше конца документа)"
                                << QStringList();
    QTest::newRow("one ID twice")
        << "<Data><Geoids><Geoid><ID>EGM</ID><Name>Первый</Name><GridDataFileName>egm.grd</GridDataFileName>" + geoid
               + "<Geoid><ID>EGM</ID><Name>Второй</Name><GridDataFileName>egm[1].grd</GridDataFileName>" + geoid
               + "<Geoid><ID>LOCAL</ID><GridDataFileName>local.grd</GridDataFileName>" + geoid + "</Geoids></Data>"
        << "Предупреждение|Реестр геоидов \"%1\": ID \"EGM\" указан у нескольких разных геоидов; используется "
           "последний из них в файле (имя \"Второй\", файл сетки \"egm[1].grd\"), остальные не используются"
        << QStringList{"EGM|Второй", "LOCAL|"};
}

// A registry that does not read, or that gives one ID to different geoids, is reported once the
// window starts; the geoids it gives are loaded.
void TestMainWindow::geoidRegistryFaultIsReportedAtStart()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(QStringList, geoids);
    const QString registry = QDir(m_environment.dataFolder()).filePath("data.xml");
    QVERIFY(writeFile(registry, content));
    const auto guard = qScopeGuard([&registry] { QFile::remove(registry); });

    const auto window = createWindow();

    QCOMPARE(m_prompt->messageTexts(), QStringList{message.arg(registry)});
    QStringList loaded;
    for (const auto& item : geoidRegistry()->getEntries())
        loaded << QString::fromStdString(item.first + "|" + item.second.Name);
    QCOMPARE(loaded, geoids);
}

void TestMainWindow::startWithAnUnusableLastDatabase_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("zero length") << QByteArray() << true;
    QTest::newRow("not a database") << QByteArray("just text, no tables") << true;
}

void TestMainWindow::startWithAnUnusableLastDatabase()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    const QString path = QDir(m_folder->path()).filePath("last.db");
    if (exists)
        QVERIFY(writeFile(path, content));
    QSettings().setValue(lastDatabaseKey, path);

    const auto window = createWindow();
    QVERIFY(!databaseOpen());
    QVERIFY(m_prompt->messages().isEmpty());
    QCOMPARE(m_prompt->fileRequests().size(), 1);
    QCOMPARE(m_prompt->fileRequests().first().path, path);
    QCOMPARE(QSettings().value(lastDatabaseKey).toString(), path);
    if (exists)
        QCOMPARE(readFile(path), content);
}

void TestMainWindow::stateAfterCloseAndFailedOpen_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("close") << "close" << QString();
    QTest::newRow("missing") << "missing" << "Ошибка|Файл не существует: %1";
    QTest::newRow("zero length") << "empty" << "Ошибка|Не удалось открыть базу данных: %1\nВ файле нет таблиц";
    QTest::newRow("not a database") << "text" << "Ошибка|Не удалось открыть базу данных: %1\nфайл не является базой данных";
    QTest::newRow("truncated") << "truncated" << "Ошибка|Не удалось открыть базу данных: %1\n";
    QTest::newRow("another schema")
        << "foreign" << "Ошибка|Не удалось открыть базу данных: %1\nФайл не является базой данных определений: ";
}

// After a close nothing reads the database; after a refused open the database that was open
// and both panels' systems stay, and nothing reads the refused file.
void TestMainWindow::stateAfterCloseAndFailedOpen()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    const QString good = databaseFile("good.db");
    QSettings().setValue(lastDatabaseKey, good);
    const auto window = createWindow();
    const int key = insertTestCoordSys(TestSystem::LocalCartesian);
    choosePanelCoordsys(*window->leftPanel(), key);
    choosePanelCoordsys(*window->rightPanel(), key);
    QVERIFY(window->leftPanel()->hasCoordsys());

    const QString bad = QDir(m_folder->path()).filePath("bad.db");
    if (kind == "empty")
        QVERIFY(writeFile(bad));
    else if (kind == "text")
        QVERIFY(writeFile(bad, QByteArray(4096, 'x')));
    else if (kind == "truncated")
        QVERIFY(writeFile(bad, readFile(databaseFile("whole.db")).left(8192)));
    else if (kind == "foreign")
        QVERIFY(writeForeignDatabase(bad));
    const QByteArray badContent = readFile(bad);
    if (kind == "close") {
        window->slotCloseDatabase();
    } else {
        m_prompt->answerFile(bad);
        window->slotOpenDatabase();
    }

    const bool closed = kind == "close";
    if (closed) {
        QVERIFY(m_prompt->messages().isEmpty());
    } else {
        QCOMPARE(m_prompt->messages().size(), 1);
        QVERIFY2(m_prompt->messageTexts().first().startsWith(message.arg(bad)),
                 qPrintable(m_prompt->messageTexts().first()));
        QCOMPARE(m_prompt->messages().first().parent, window.get());
    }
    QCOMPARE(databaseOpen(), !closed);
    QCOMPARE(statusText(*window), closed ? QString() : good);
    QCOMPARE(databaseName(), good);
    QCOMPARE(QSettings().value(lastDatabaseKey).toString(), good);
    QCOMPARE(window->leftPanel()->coordsysCode(), closed ? NoValue : key);
    QCOMPARE(window->rightPanel()->coordsysCode(), closed ? NoValue : key);
    QCOMPARE(window->leftPanel()->findChild<QPushButton*>("buttonCalculate")->isEnabled(), !closed);
    if (kind != "missing")
        QCOMPARE(readFile(bad), badContent);

    m_prompt->clear();
    int rows = -1;
    std::optional<CModalWatch> watch;
    if (!closed) {
        watch.emplace(whenModal<DialogDatabaseSelector>([&rows](DialogDatabaseSelector* selector) {
            rows = selector->findChild<QTableView*>("tableView")->model()->rowCount();
            selector->findChild<QPushButton*>("buttonCancel")->click();
        }));
    }
    QCOMPARE(DialogDatabaseSelector::selectCode(TableCoordSys, false, NoValue), NoValue);
    QCOMPARE(rows, closed ? -1 : 1);
    if (closed) {
        window->slotCalculate(true);
        QCOMPARE(m_prompt->messageTexts(),
                 (QStringList{"Ошибка|Не открыта база данных", "Ошибка|Не открыта база данных"}));
    }
    QCOMPARE(databaseOpen(), !closed);
}

void TestMainWindow::openRefusesAForeignFileAtStart()
{
    const QString foreign = QDir(m_folder->path()).filePath("foreign.db");
    QVERIFY(writeForeignDatabase(foreign));
    QSettings().setValue(lastDatabaseKey, foreign);
    const auto window = createWindow();
    QVERIFY(!databaseOpen());
    QVERIFY(m_prompt->messages().isEmpty());
    QCOMPARE(m_prompt->fileRequests().size(), 1);
}

void TestMainWindow::openAndClose()
{
    const QString path = databaseFile("chosen.db");
    m_prompt->answerFile(path);
    const auto window = createWindow();
    QVERIFY(databaseOpen());
    QCOMPARE(statusText(*window), path);
    QCOMPARE(QSettings().value(lastDatabaseKey).toString(), path);

    window->slotOpenDatabase();
    QCOMPARE(m_prompt->fileRequests().last().path, path);

    window->slotCloseDatabase();
    QVERIFY(!databaseOpen());
    QVERIFY(statusText(*window).isEmpty());
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestMainWindow::cancellingTheOpenDialogKeepsTheDatabase()
{
    const QString path = databaseFile("kept.db");
    QSettings().setValue(lastDatabaseKey, path);
    const auto window = createWindow();
    window->slotOpenDatabase();
    QCOMPARE(m_prompt->fileRequests().size(), 1);
    QVERIFY(databaseOpen());
    QCOMPARE(statusText(*window), path);
}

void TestMainWindow::createDatabase()
{
    const QString old = databaseFile("old.db");
    QSettings().setValue(lastDatabaseKey, old);
    const auto window = createWindow();
    const QString path = QDir(m_folder->path()).filePath("new.db");
    m_prompt->answerFile(path);
    window->slotCreateDatabase();

    const CPrompt::CFileRequest request = m_prompt->fileRequests().last();
    QCOMPARE(request.mode, CPrompt::CFileRequest::SaveFile);
    QCOMPARE(request.caption, QStringLiteral("Создать базу данных"));
    QCOMPARE(request.path, old);
    QCOMPARE(request.filter, QStringLiteral("*.db"));
    QVERIFY(request.options.testFlag(QFileDialog::DontUseNativeDialog));
    QVERIFY(m_prompt->messages().isEmpty());
    QVERIFY(databaseOpen());
    QCOMPARE(databaseName(), path);
    QCOMPARE(statusText(*window), path);
    QCOMPARE(QSettings().value(lastDatabaseKey).toString(), path);
    QCOMPARE(CTestDatabase::value("SELECT name FROM maintenance;").toString(), QStringLiteral("Пользовательская"));
    QCOMPARE(CTestDatabase::value("SELECT description FROM maintenance;").toString(),
             QStringLiteral("Создана пользователем"));
}

void TestMainWindow::createAddsTheSuffix()
{
    const auto window = createWindow();
    const QString path = QDir(m_folder->path()).filePath("plain");
    m_prompt->answerFile(path);
    window->slotCreateDatabase();
    QCOMPARE(m_prompt->fileRequests().last().defaultSuffix, QStringLiteral("db"));
    QVERIFY(m_prompt->messages().isEmpty());
    QCOMPARE(databaseName(), path + ".db");
    QVERIFY(databaseOpen());
    QVERIFY(!QFile::exists(path));
}

// A refused creation keeps the open database and both panels' systems.
void TestMainWindow::createOverAnExistingFileIsRefused()
{
    const QString good = databaseFile("good.db");
    QSettings().setValue(lastDatabaseKey, good);
    const QString path = QDir(m_folder->path()).filePath("precious.db");
    QVERIFY(writeFile(path, "precious content"));
    const auto window = createWindow();
    const int key = insertTestCoordSys(TestSystem::LocalCartesian);
    choosePanelCoordsys(*window->leftPanel(), key);
    choosePanelCoordsys(*window->rightPanel(), key);
    m_prompt->answerFile(path);
    window->slotCreateDatabase();

    QCOMPARE(m_prompt->messages().size(), 1);
    QCOMPARE(m_prompt->messages().first().title, QStringLiteral("Ошибка"));
    QVERIFY(m_prompt->messages().first().text.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(readFile(path), QByteArray("precious content"));
    QVERIFY(databaseOpen());
    QCOMPARE(databaseName(), good);
    QCOMPARE(statusText(*window), good);
    QCOMPARE(window->leftPanel()->coordsysCode(), key);
    QCOMPARE(window->rightPanel()->coordsysCode(), key);
}

void TestMainWindow::cancellingCreateChangesNothing()
{
    const QString path = databaseFile("stays.db");
    QSettings().setValue(lastDatabaseKey, path);
    const auto window = createWindow();
    window->slotCreateDatabase();
    QVERIFY(databaseOpen());
    QCOMPARE(statusText(*window), path);
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestMainWindow::menus()
{
    const auto window = createWindow();
    const QList<QAction*> top = window->menuBar()->actions();
    QCOMPARE(actionTexts(top), (QStringList{"&Файл", "&База данных", "&Инструменты", "&Помощь"}));

    const QList<QAction*> file = subMenu(top, "&Файл")->actions();
    QCOMPARE(actionTexts(file), (QStringList{"&Левая панель", "&Правая панель", "&Выход"}));
    for (const char* panel : {"&Левая панель", "&Правая панель"}) {
        const QList<QAction*> entries = subMenu(file, panel)->actions();
        QCOMPARE(actionTexts(entries), (QStringList{"&Система координат...", "-", "&Загрузить точки",
                                                    "&Сохранить точки", "&Очистить точки", "&Пересчитать точки"}));
        QVERIFY(!entries.last()->isEnabled());
    }

    const QList<QAction*> database = subMenu(top, "&База данных")->actions();
    QCOMPARE(actionTexts(database), (QStringList{"&Открыть базу данных", "&Закрыть базу данных",
                                                 "&Создать базу данных", "-", "&Редактировать базу данных"}));
    const QList<QAction*> browse = subMenu(database, "&Редактировать базу данных")->actions();
    QCOMPARE(browse.size(), 22);
    QCOMPARE(browse.first()->text(), QStringLiteral("&Единицы измерения расстояний"));
    QCOMPARE(actionTexts(browse.mid(18)), (QStringList{"&Системы координат", "-", "&GeoTIFF (EPSG)", "&MapInfo"}));
    QCOMPARE(subMenu(browse, "&GeoTIFF (EPSG)")->actions().size(), 10);
    QCOMPARE(actionTexts(subMenu(browse, "&MapInfo")->actions()),
             (QStringList{"&MapInfo единицы измерения расстояний", "&MapInfo эллипсоиды", "&MapInfo датумы"}));

    QCOMPARE(actionTexts(subMenu(top, "&Инструменты")->actions()),
             (QStringList{"&Настройки", "-", "Добавить геоид", "-", "Экспорт систем координат в папку",
                          "Импорт систем координат из папки", "Импорт систем координат из БД"}));
    QCOMPARE(actionTexts(subMenu(top, "&Помощь")->actions()),
             (QStringList{"&Справка", "&Горячие клавиши", "&О программе"}));
    QVERIFY(window->findChild<QToolBar*>("mainToolBar")->isHidden());
    QCOMPARE(window->windowTitle(), QStringLiteral("VELMORAN Quarvelometer"));
}

void TestMainWindow::namedSlots_data()
{
    QTest::addColumn<QByteArray>("signature");
    for (const char* signature :
         {"slotCalculate(bool)",
          "slotSwap()",
          "slotCoordsysSelected()",
          "slotSelectCoordSysLeft()",
          "slotLoadPointsLeft()",
          "slotSavePointsLeft()",
          "slotClearPointsLeft()",
          "slotCalculatePointsLeft()",
          "slotSelectCoordSysRight()",
          "slotLoadPointsRight()",
          "slotSavePointsRight()",
          "slotClearPointsRight()",
          "slotCalculatePointsRight()",
          "slotOpenDatabase()",
          "slotCloseDatabase()",
          "slotCreateDatabase()",
          "slotSettings()",
          "slotAddGeoid()",
          "slotExportCoordSysToFolder()",
          "slotImportCoordSysFromFolder()",
          "slotImportCoordSysFromDatabase()",
          "slotHelp()",
          "slotHotKeys()",
          "slotAbout()"})
        QTest::newRow(signature) << QByteArray(signature);
}

void TestMainWindow::namedSlots()
{
    QFETCH(QByteArray, signature);
    QVERIFY(isOwnPublicSlot(signature));
}

void TestMainWindow::browseEntriesOpenTheSelector_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<int>("tableId");
    const struct {
        const char* menu;
        const char* entry;
        const char* slot;
        int tableId;
    } rows[] = {
        {"", "&Единицы измерения расстояний", "slotBrowseLinearUnits", TableUnitLength},
        {"", "&Единицы измерения углов", "slotBrowseAngularUnits", TableUnitAngle},
        {"", "&Единицы измерения масштабов", "slotBrowseScalarUnits", TableUnitScale},
        {"", "&Форматы представления углов", "slotBrowseAngleUnitFormats", TableAngleFormat},
        {"", "&Эллипсоиды", "slotBrowseEllipsoids", TableEllipsoid},
        {"", "&Начальные меридианы", "slotBrowsePrimeMeridians", TablePrimeMeridian},
        {"", "&Датумы", "slotBrowseDatums", TableDatum},
        {"", "&Типы преобразования датумов", "slotBrowseDatumShiftTypes", TableDatumShiftType},
        {"", "&Преобразования датумов", "slotBrowseDatumShifts", TableDatumShift},
        {"", "&Типы картографических проекций", "slotBrowseMapProjectionTypes", TableMapProjType},
        {"", "&Картографические проекции", "slotBrowseMapProjections", TableMapProj},
        {"", "&Системы высот", "slotBrowseVerticalCoordSystems", TableVertCoordSys},
        {"", "&Типы систем координат", "slotBrowseCoordSysTypes", TableCoordSysType},
        {"", "&Системы координат", "slotBrowseCoordSystems", TableCoordSys},
        {"&GeoTIFF (EPSG)", "&EPSG единицы измерения расстояний", "slotBrowseLinearUnitsEPSG", TableEpsgLengthUnit},
        {"&GeoTIFF (EPSG)", "&EPSG единицы измерения углов", "slotBrowseAngularUnitsEPSG", TableEpsgAngleUnit},
        {"&GeoTIFF (EPSG)", "&EPSG единицы измерения масштабов", "slotBrowseScalarUnitsEPSG", TableEpsgScaleUnit},
        {"&GeoTIFF (EPSG)", "&EPSG эллипсоиды", "slotBrowseEllipsoidsEPSG", TableEpsgEllipsoid},
        {"&GeoTIFF (EPSG)", "&EPSG начальные меридианы", "slotBrowsePrimeMeridiansEPSG", TableEpsgPrimeMeridian},
        {"&GeoTIFF (EPSG)", "&EPSG датумы", "slotBrowseDatumsEPSG", TableEpsgDatum},
        {"&GeoTIFF (EPSG)", "&EPSG преобразования датумов", "slotBrowseDatumShiftsEPSG", TableEpsgDatumShift},
        {"&GeoTIFF (EPSG)", "&EPSG системы координат", "slotBrowseCoordSystemsEPSG", TableEpsgCoordSys},
        {"&MapInfo", "&MapInfo единицы измерения расстояний", "slotBrowseUnitsMapInfo", TableMapInfoUnit},
        {"&MapInfo", "&MapInfo эллипсоиды", "slotBrowseEllipsoidsMapInfo", TableMapInfoEllipsoid},
        {"&MapInfo", "&MapInfo датумы", "slotBrowseDatumsMapInfo", TableMapInfoDatum},
    };
    for (const auto& row : rows)
        QTest::newRow(row.slot) << QString::fromUtf8(row.menu) << QString::fromUtf8(row.entry) << QByteArray(row.slot)
                                << row.tableId;
}

// The slot is the window's own public one; the entry and the slot, called by name, both browse
// the entry's table.
void TestMainWindow::browseEntriesOpenTheSelector()
{
    QFETCH(QString, menu);
    QFETCH(QString, entry);
    QFETCH(QByteArray, slot);
    QFETCH(int, tableId);
    QVERIFY(isOwnPublicSlot(slot + "()"));
    QSettings().setValue(lastDatabaseKey, databaseFile("browse.db"));
    const auto window = createWindow();
    QStringList path{"&База данных", "&Редактировать базу данных", menu, entry};
    path.removeAll(QString());
    QAction* action = menuAction(*window, path);
    QVERIFY(action);

    const QString expected = QStringLiteral(" FROM %1 ").arg(tableName(tableId));
    QVERIFY(selectorQuery([action] { action->trigger(); }).contains(expected));
    bool invoked = false;
    QVERIFY(selectorQuery([&] { invoked = QMetaObject::invokeMethod(window.get(), slot.constData()); })
                .contains(expected));
    QVERIFY(invoked);
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestMainWindow::panelEntriesReachTheirPanel_data()
{
    QTest::addColumn<bool>("left");
    QTest::newRow("left") << true;
    QTest::newRow("right") << false;
}

// Each entry of a panel's submenu acts on that panel and leaves the other one alone.
void TestMainWindow::panelEntriesReachTheirPanel()
{
    QFETCH(bool, left);
    QSettings().setValue(lastDatabaseKey, databaseFile("panels.db"));
    const auto window = createWindow();
    FramePanel* panel = left ? window->leftPanel() : window->rightPanel();
    FramePanel* other = left ? window->rightPanel() : window->leftPanel();
    const QString menu = left ? QStringLiteral("&Левая панель") : QStringLiteral("&Правая панель");
    const auto entry = [&](const char* text) { return menuAction(*window, {"&Файл", menu, QString::fromUtf8(text)}); };
    const int key = insertTestCoordSys(TestSystem::LocalCartesian);
    choosePanelCoordsys(*other, key);
    setPanelRows(*other, {"B;4;5;6"});

    {
        const CModalWatch watch = answerCoordsysSelector(key);
        entry("&Система координат...")->trigger();
    }
    QCOMPARE(panel->coordsysCode(), key);

    const QString points = QDir(m_folder->path()).filePath("points.txt");
    QVERIFY(writeFile(points, "A;1;2;3\n"));
    m_prompt->answerFile(points);
    entry("&Загрузить точки")->trigger();
    QCOMPARE(m_prompt->fileRequests().last().caption, QStringLiteral("Загрузить точки"));
    QCOMPARE(m_prompt->fileRequests().last().parent, panel);
    QCOMPARE(panel->getPoints(true), QStringList{"A; 1; 2; 3"});

    entry("&Сохранить точки")->trigger();
    QCOMPARE(m_prompt->fileRequests().last().caption, QStringLiteral("Сохранить точки"));
    QCOMPARE(m_prompt->fileRequests().last().parent, panel);

    QSignalSpy calculate(panel, &FramePanel::signalCalculate);
    entry("&Пересчитать точки")->trigger();
    QCOMPARE(calculate.size(), 1);
    QCOMPARE(calculate.first().first().toBool(), left);
    QCOMPARE(other->getPoints(true), QStringList{"A; 1.000; 2.000; 3.000"});

    setPanelRows(*other, {"B;4;5;6"});
    entry("&Очистить точки")->trigger();
    QVERIFY(panel->getPoints(true).isEmpty());
    QCOMPARE(other->getPoints(true), QStringList{"B; 4; 5; 6"});
    QCOMPARE(m_prompt->fileRequests().size(), 2);
    QVERIFY2(m_prompt->messages().isEmpty(), qPrintable(m_prompt->messageTexts().join('\n')));
}

void TestMainWindow::calculationNeedsBothSystems()
{
    QSettings().setValue(lastDatabaseKey, databaseFile("systems.db"));
    const auto window = createWindow();
    const int local = insertTestCoordSys(TestSystem::LocalCartesian);
    const QList<QAction*> file = subMenu(window->menuBar()->actions(), "&Файл")->actions();
    QAction* leftCalculate = subMenu(file, "&Левая панель")->actions().last();
    QAction* rightCalculate = subMenu(file, "&Правая панель")->actions().last();
    QPushButton* leftButton = window->leftPanel()->findChild<QPushButton*>("buttonCalculate");
    QPushButton* rightButton = window->rightPanel()->findChild<QPushButton*>("buttonCalculate");

    choosePanelCoordsys(*window->leftPanel(), local);
    QVERIFY(!leftCalculate->isEnabled());
    QVERIFY(!leftButton->isEnabled());
    choosePanelCoordsys(*window->rightPanel(), local);
    QVERIFY(leftCalculate->isEnabled());
    QVERIFY(rightCalculate->isEnabled());
    QVERIFY(leftButton->isEnabled());
    QVERIFY(rightButton->isEnabled());

    choosePanelCoordsys(*window->rightPanel(), insertTestCoordSys(TestSystem::Invalid));
    QVERIFY(!leftCalculate->isEnabled());
    QVERIFY(!leftButton->isEnabled());
    choosePanelCoordsys(*window->rightPanel(), local);
    QVERIFY(rightButton->isEnabled());

    window->slotCloseDatabase();
    QVERIFY(!leftCalculate->isEnabled());
    QVERIFY(!rightCalculate->isEnabled());
    QVERIFY(!leftButton->isEnabled());
    QVERIFY(!rightButton->isEnabled());
}

void TestMainWindow::swapCarriesEveryRow()
{
    const auto window = createWindow();
    setPanelRows(*window->leftPanel(), {"A;1;2;3", ";;;", "B;4,5;6;7", "name;10;20;30"});
    pointTable(*window->leftPanel())->item(3, 0)->setText(QStringLiteral("a;b,c"));
    setPanelRows(*window->rightPanel(), {"C;8;9;10"});
    QTest::keyClick(window->rightPanel(), Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(window->leftPanel()->getRows(), (CPointRows{{"C", "8", "9", "10"}}));
    QCOMPARE(window->rightPanel()->getRows(), (CPointRows{{"A", "1", "2", "3"},
                                                          {"", "", "", ""},
                                                          {"B", "4,5", "6", "7"},
                                                          {"a;b,c", "10", "20", "30"}}));
}

void TestMainWindow::hotKeys()
{
    const auto window = createWindow();
    window->slotHotKeys();
    QCOMPARE(m_prompt->messages().size(), 1);
    const CPrompt::CMessage keys = m_prompt->messages().first();
    QCOMPARE(keys.kind, CPrompt::About);
    QCOMPARE(keys.title, QStringLiteral("Список горячих клавиш"));
    QVERIFY(keys.text.startsWith(QStringLiteral("\nCtrl+Insert\t вставить строку в список точек\nCtrl+Delete")));
    QVERIFY(keys.text.endsWith(QStringLiteral("\nCtrl+U\t\t поменять списки точек местами")));
    QCOMPARE(keys.text.count('\n'), 7);
}

void TestMainWindow::help_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("message");
    QTest::newRow("opened") << true << true << QString();
    QTest::newRow("no viewer") << true << false
                               << "Предупреждение|Не удалось открыть файл справки:\n%1\n"
                                  "В системе не найдена программа для его просмотра.";
    QTest::newRow("missing") << false << false << "Ошибка|Файл справки не найден";
}

// The help document in the program's folder goes to the desktop; a document that nothing opens,
// or none at all, is told.
void TestMainWindow::help()
{
    QFETCH(bool, present);
    QFETCH(bool, opened);
    QFETCH(QString, message);
    const QString document = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("quarvel_zz.pdf");
    if (present)
        QVERIFY(writeFile(document, "%PDF-1.4\n%%EOF\n"));
    const auto removeDocument = qScopeGuard([&document] { QFile::remove(document); });
    const auto window = createWindow();
    m_prompt->answerDocument(opened);
    menuAction(*window, {"&Помощь", "&Справка"})->trigger();

    QCOMPARE(m_prompt->documents(), present ? QStringList{document} : QStringList());
    QCOMPARE(m_prompt->messageTexts(), message.isEmpty() ? QStringList() : QStringList{message.replace("%1", document)});
    if (!message.isEmpty())
        QCOMPARE(m_prompt->messages().first().parent, window.get());
}

void TestMainWindow::settingsDialogFromTheMenu()
{
    const auto window = createWindow();
    bool shown = false;
    const CModalWatch watch = whenModal<DialogSettings>([&shown](DialogSettings* dialog) {
        shown = true;
        dialog->findChild<QPushButton*>("buttonCancel")->click();
    });
    findAction(subMenu(window->menuBar()->actions(), "&Инструменты")->actions(), "&Настройки")->trigger();
    QVERIFY(shown);
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
