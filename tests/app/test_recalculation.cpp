#include "geoidfiles.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "testcoordsys.h"
#include "testdatabase.h"
#include "testfiles.h"
#include "testpanel.h"

#include "tests/support/pointcelltexts.h"

#include "app/coordsysexchange.h"
#include "app/framepanel.h"
#include "app/mainwindow.h"
#include "app/pointfilerecalculation.h"
#include "app/pointline.h"
#include "app/recalculation.h"
#include "app/settings.h"
#include "app/shippeddata.h"
#include "app/textfiles.h"
#include "database/novalue.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScopeGuard>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QThread>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

const QString gaussKruger7 = QStringLiteral("Pulkovo 1942 / Gauss-Kruger zone 7");
const QString utm37 = QStringLiteral("WGS 84 / UTM zone 37N");
const QString wgs84 = QStringLiteral("WGS 84");

// Undulations of 10 m over latitudes 50 to 60 and longitudes 30 to 40 degrees.
const QByteArray undulations = "50 60 30 40 5 5\n10 10 10\n10 10 10\n10 10 10\n";

// One point of the reference table: the zone 7 texts and the UTM values from PROJ.
struct CReferencePoint {
    QString name;
    QString x;
    QString y;
    QString h;
    double easting;
    double northing;
    double height;
};

QList<CReferencePoint> referencePoints()
{
    QList<CReferencePoint> points;
    const QList<QByteArray> lines = readFile(QStringLiteral(TESTDATA_DIR "/recalculation_gk7_utm37.txt")).split('\n');
    for (const QByteArray& line : lines) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList fields = QString::fromUtf8(line).split(QLatin1Char(';'));
        points.append({fields[0], fields[1], fields[2], fields[3], fields[4].toDouble(), fields[5].toDouble(),
                       fields[6].toDouble()});
    }
    return points;
}

int systemKey(const QString& name)
{
    return CTestDatabase::value(QStringLiteral("SELECT autokey FROM coordsys WHERE name=?;"), {name}).toInt();
}

bool readSystem(const QString& name, CCoordSysDetails& system)
{
    return readCoordSysDetails(systemKey(name), system);
}

QStringList panelRows(const FramePanel& panel)
{
    QStringList rows;
    const QTableWidget* table = pointTable(panel);
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 4; ++column)
            cells.append(table->item(row, column) ? table->item(row, column)->text() : QString());
        rows.append(cells.join(QLatin1Char(';')));
    }
    return rows;
}

// A copy of the stored system whose datum links to other datums by a horizontal
// transformation "G" without transforms, which no operator can apply; its key.
int storeWithEmptyHorizontalLink(const QString& name)
{
    CCoordSysDetails system;
    if (!readSystem(name, system))
        return NoValue;
    auto datum = std::make_shared<CDatumDetails>(*system.datum);
    auto link = std::make_shared<CTransformListDetails>();
    link->name = QStringLiteral("Пустая связь ") + name;
    link->identifier = QStringLiteral("G");
    link->scope = 3;
    datum->geographicDatumShifts[link->identifier] = link;
    system.datum = datum;
    return insertCoordSysDetails(system, true);
}

// A copy of the stored system whose heights lie on the geoid of that ID; its key.
int storeOnGeoid(const QString& name, const QString& geoidId)
{
    CCoordSysDetails system;
    if (!readSystem(name, system))
        return NoValue;
    auto heights = std::make_shared<CVertCoordSysDetails>();
    heights->name = QStringLiteral("Высоты на ") + geoidId;
    heights->shortName = QStringLiteral("H");
    heights->geoidId = geoidId;
    system.vertCoordSys = heights;
    return insertCoordSysDetails(system, true);
}

// A copy of UTM zone 37N on a stored map projection of type 12, the polar stereographic about
// the north pole only, whose latitude of origin is the south pole's (the parameters of UPS
// South); its key.
int storeOnSouthernNorthPoleStereographic()
{
    CCoordSysDetails system;
    if (!readSystem(utm37, system))
        return NoValue;
    const int key = insertCoordSysDetails(system, true);
    if (key == NoValue
        || !CTestDatabase::exec(
            QStringLiteral("INSERT INTO mapproj (name, type, length_unit, angle_unit, scale_unit, coord1_abbr, "
                           "coord2_abbr, coord1_sign, coord2_sign) SELECT ?, 12, length_unit, angle_unit, scale_unit, "
                           "coord1_abbr, coord2_abbr, coord1_sign, coord2_sign FROM mapproj "
                           "WHERE autokey = (SELECT map_proj FROM coordsys WHERE autokey = ?);"),
            {QStringLiteral("Полярная стереографическая, южный полюс"), key}))
        return NoValue;
    const int projection = CTestDatabase::value(QStringLiteral("SELECT max(autokey) FROM mapproj;")).toInt();
    // Latitude and longitude of natural origin, scale at natural origin, false easting and northing.
    const QList<QPair<int, QString>> values{{11, "-90"}, {16, "0"}, {21, "0.994"}, {5, "2000000"}, {6, "2000000"}};
    for (const auto& [param, value] : values) {
        if (!CTestDatabase::exec(QStringLiteral("INSERT INTO mapprojparamvalue (map_proj, param, value) VALUES (?, ?, ?);"),
                                 {projection, param, value}))
            return NoValue;
    }
    if (!CTestDatabase::exec(QStringLiteral("UPDATE coordsys SET map_proj = ? WHERE autokey = ?;"), {projection, key}))
        return NoValue;
    return key;
}

// Zone 7 of Pulkovo 1942 to UTM zone 37N.
bool prepareGaussKrugerToUtm(CRecalculation& recalculation)
{
    CCoordSysDetails source;
    CCoordSysDetails target;
    return readSystem(gaussKruger7, source) && readSystem(utm37, target) && recalculation.prepare(source, target, nullptr);
}

// The stored system; "<name> in hemisphere format" gives it with latitudes and longitudes in
// the hemisphere format, which no text is written in.
bool readAnySystem(const QString& name, CCoordSysDetails& system)
{
    const QString hemisphere = QStringLiteral(" in hemisphere format");
    if (!name.endsWith(hemisphere))
        return readSystem(name, system);
    if (!readSystem(name.chopped(hemisphere.size()), system) || !system.angleUnit)
        return false;
    auto format = std::make_shared<CAngleFormatDetails>();
    format->code = 3;
    format->name = QStringLiteral("Градусы, минуты, секунды и полушарие");
    system.angleUnit = std::make_shared<CUnitDetails>(*system.angleUnit);
    system.angleUnit->angleFormat = format;
    return true;
}

bool prepareBetween(CRecalculation& recalculation, const QString& from, const QString& to)
{
    CCoordSysDetails source;
    CCoordSysDetails target;
    return readAnySystem(from, source) && readAnySystem(to, target) && recalculation.prepare(source, target, nullptr);
}

QString& coordCell(CPointRow& row, int component)
{
    return component == 0 ? row.coord1 : component == 1 ? row.coord2 : row.coord3;
}

// Stops the run before the row of that number.
CPassProgress stopBefore(int row)
{
    return [row](int handled, int count) { return handled == count || handled < row; };
}

// A list long enough to be split among threads: rows recalculated, without coordinates, with
// wrong coordinates and failing, each recalculated row at its own place.
CPointRows mixedRows(int count)
{
    CPointRows rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString x = QString::number(6184000 + i % 5000, 'f', 3);
        const QString y = QString::number(7406000 + i / 5000, 'f', 3);
        const QString name = QStringLiteral("P%1").arg(i);
        switch (i % 7) {
        case 1:
            rows.append({name, "", "", ""});
            break;
        case 2:
            rows.append({"", "", "", ""});
            break;
        case 3:
            rows.append({name, "abc", y, "0"});
            break;
        case 4:
            rows.append({name, x, "99000000", "0"});
            break;
        default:
            rows.append({name, x, y, "150.25"});
        }
    }
    return rows;
}

// The rows as the panel saves them: a line for each row with a text.
QByteArray savedLines(const CPointRows& rows)
{
    QByteArray text;
    for (const CPointRow& row : rows) {
        const QStringList cells{row.name, row.coord1, row.coord2, row.coord3};
        if (!cells.join(QString()).isEmpty())
            text += joinPointLine(cells).toUtf8() + '\n';
    }
    return text;
}

// A point file of mixed rows, every eleventh name quoted and Cyrillic.
QByteArray pointFileText(int count)
{
    CPointRows rows = mixedRows(count);
    for (int i = 0; i < rows.size(); i += 11)
        rows[i].name = QStringLiteral("Пункт; \"%1\"").arg(i);
    QByteArray content;
    for (const CPointRow& row : rows)
        content += joinPointLine({row.name, row.coord1, row.coord2, row.coord3}).toUtf8() + '\n';
    return content;
}

CPointRows fileRows(const QByteArray& content)
{
    CPointRows rows;
    for (const QString& line : textLines(decodeText(content))) {
        QStringList fields = splitPointLine(line);
        while (fields.size() < 4)
            fields.append(QString());
        rows.append({fields[0], fields[1], fields[2], fields[3]});
    }
    return rows;
}

} // namespace

class TestRecalculation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void endToEndAgainstProj();
    void unchainablePairKeepsTheTarget();
    void missingGeoidRefusesTheSystem_data();
    void missingGeoidRefusesTheSystem();
    void unreadableRegistryRefusesTheSystem();
    void southernNorthPoleStereographicIsRefused();
    void statisticsAddUp_data();
    void statisticsAddUp();
    void rowsPassAsCells();
    void rowCheckAndRecalculationAgree_data();
    void rowCheckAndRecalculationAgree();
    void absurdPointsAreNotRecalculated_data();
    void absurdPointsAreNotRecalculated();
    void bothDirections_data();
    void bothDirections();
    void cancelledRunKeepsTheRowsDone();
    void parallelEqualsSerial();
    void cancelledParallelRunKeepsTheRowsInOrder();
    void pointFileAsThePanelsSaveIt_data();
    void pointFileAsThePanelsSaveIt();
    void largePointFileOnEveryThread();
    void smallBlocksReuseEverySlot_data();
    void smallBlocksReuseEverySlot();
    void pointFileFailuresGiveTheReason();

private:
    std::unique_ptr<MainWindow> createWindow();
    std::unique_ptr<MainWindow> recalculateThroughPanels(const QString& inputPath, const QString& outputPath);

    CGuiTestEnvironment m_environment;
    QTemporaryDir m_systemsFolder;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    std::unique_ptr<QTemporaryDir> m_work;
};

// The coordinate systems travel to the test databases as a folder of XML files.
void TestRecalculation::initTestCase()
{
    CTestDatabase source;
    QString error;
    QVERIFY2(importWktFile(QStringLiteral(TESTDATA_DIR "/exchange.wkt"), nullptr, &error), qPrintable(error));
    QCOMPARE(exportCoordSystems(m_systemsFolder.path()).exported, 4);
}

void TestRecalculation::init()
{
    CGuiTestEnvironment::clearSettings();
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    QCOMPARE(importCoordSystems(m_systemsFolder.path()).imported, 4);
    m_prompt = std::make_unique<CScriptedPrompt>();
    m_work = std::make_unique<QTemporaryDir>();
}

void TestRecalculation::cleanup()
{
    m_work.reset();
    m_prompt.reset();
    m_database.reset();
}

std::unique_ptr<MainWindow> TestRecalculation::createWindow()
{
    QSettings().setValue(QStringLiteral("/Settings/LastDatabasePath"), m_database->path());
    return std::make_unique<MainWindow>();
}

// Zone 7 points loaded from the input file into the left panel, recalculated into UTM zone 37N
// and saved from the right panel, as the user does it; the window, which holds the database open.
std::unique_ptr<MainWindow> TestRecalculation::recalculateThroughPanels(const QString& inputPath,
                                                                        const QString& outputPath)
{
    std::unique_ptr<MainWindow> window = createWindow();
    choosePanelCoordsys(*window->leftPanel(), systemKey(gaussKruger7));
    choosePanelCoordsys(*window->rightPanel(), systemKey(utm37));
    m_prompt->answerFile(inputPath);
    window->leftPanel()->slotLoad();
    window->leftPanel()->slotCalculate();
    m_prompt->answerFile(outputPath);
    window->rightPanel()->slotSave();
    return window;
}

// Points file in, recalculated and saved, equal to PROJ's results within a millimetre.
void TestRecalculation::endToEndAgainstProj()
{
    const QList<CReferencePoint> reference = referencePoints();
    QByteArray input;
    for (const CReferencePoint& point : reference)
        input += QStringLiteral("%1;%2;%3;%4\n").arg(point.name, point.x, point.y, point.h).toUtf8();
    const QString inputPath = m_work->filePath("gk7.txt");
    const QString outputPath = m_work->filePath("utm37.txt");
    QVERIFY(writeFile(inputPath, input));

    const auto window = recalculateThroughPanels(inputPath, outputPath);
    QVERIFY2(m_prompt->messages().isEmpty(), qPrintable(m_prompt->messageTexts().join("\n")));

    const QList<QByteArray> lines = readFile(outputPath).trimmed().split('\n');
    QCOMPARE(lines.size(), reference.size());
    for (int i = 0; i < reference.size(); ++i) {
        const QStringList fields = QString::fromUtf8(lines[i]).split(QStringLiteral("; "));
        QCOMPARE(fields.size(), 4);
        QCOMPARE(fields[0], reference[i].name);
        const double easting = fields[1].toDouble();
        const double northing = fields[2].toDouble();
        const double height = fields[3].toDouble();
        QVERIFY2(std::abs(easting - reference[i].easting) < 1e-3, qPrintable(lines[i]));
        QVERIFY2(std::abs(northing - reference[i].northing) < 1e-3, qPrintable(lines[i]));
        QVERIFY2(std::abs(height - reference[i].height) < 1e-3, qPrintable(lines[i]));
    }
}

// When no operator can be made the target keeps its points and the user is told why.
void TestRecalculation::unchainablePairKeepsTheTarget()
{
    const int source = storeWithEmptyHorizontalLink(QStringLiteral("Pulkovo 1942"));
    const int target = storeWithEmptyHorizontalLink(QStringLiteral("WGS 84"));
    QVERIFY(source != NoValue && target != NoValue);
    const auto window = createWindow();
    choosePanelCoordsys(*window->leftPanel(), source);
    choosePanelCoordsys(*window->rightPanel(), target);
    setPanelRows(*window->leftPanel(), {"A;55;37;0"});
    setPanelRows(*window->rightPanel(), {"kept;55.1;37.2;0", "second;1;2;3"});
    window->slotCalculate(true);
    QCOMPARE(m_prompt->messageTexts(),
             QStringList{"Ошибка|Пересчет из системы координат \"Pulkovo 1942[1]\" в систему координат \"WGS 84[1]\" "
                         "невозможен"});
    QCOMPARE(panelRows(*window->rightPanel()), (QStringList{"kept;55.1;37.2;0", "second;1;2;3"}));
}

void TestRecalculation::missingGeoidRefusesTheSystem_data()
{
    QTest::addColumn<QString>("geoidId");
    QTest::addColumn<bool>("fromLeft");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("refusal");

    const QByteArray removed;
    QTest::newRow("not registered, target") << "egm-absent" << true << QString() << removed
                                            << "не установлен геоид \"egm-absent\"";
    QTest::newRow("not registered, source") << "egm-absent" << false << QString() << removed
                                            << "не установлен геоид \"egm-absent\"";
    QTest::newRow("installed") << "G" << false << QString() << removed << QString();
    const QString unloaded = QStringLiteral("не загружен геоид \"EGM Тест\": файл \"%1/%2\": %3");
    QTest::newRow("metadata missing") << "G" << true << "G_meta.xml" << removed
                                      << unloaded.arg("%1", "G_meta.xml", "нет такого файла");
    QTest::newRow("grid cut short") << "G" << false << "G.grd" << undulations.left(40)
                                    << unloaded.arg("%1", "G.grd", "значений 8, а заголовок задаёт 9");
    QTest::newRow("grid with decimal commas")
        << "G" << false << "G.grd" << QByteArray(undulations).replace("10 10 10\n", "10,5 10,5 10,5\n")
        << unloaded.arg("%1", "G.grd", "«10,5» не является числом");
    QTest::newRow("grid coordinate system cut short")
        << "G" << true << "G_cs.xml" << gridCoordSys().left(200)
        << unloaded.arg("%1", "G_cs.xml", "не является документом XML (строка 8: файл обрывается раньше конца документа)");
}

// Heights on a geoid that is not installed, or whose files were damaged after it was installed,
// are refused with the geoid's name and, for an installed one, the file at fault, instead of
// being left ellipsoidal or empty; heights 100 m above a whole geoid of 10 m are 110 m above the
// ellipsoid.
void TestRecalculation::missingGeoidRefusesTheSystem()
{
    QFETCH(QString, geoidId);
    QFETCH(bool, fromLeft);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, refusal);
    const QDir data(m_environment.dataFolder());
    QVERIFY(writeGeoidFolder(data.path(), "G", "grd", undulations, gridMetadata("<Format>grd</Format>"), gridCoordSys()));
    QVERIFY(writeFile(data.filePath("data.xml"),
                      readFile(data.filePath("data.xml")).replace("<Name>G</Name>", "<Name>EGM Тест</Name>")));
    if (!file.isEmpty())
        QVERIFY(content.isNull() ? QFile::remove(data.filePath(file)) : writeFile(data.filePath(file), content));
    const int onGeoid = storeOnGeoid(wgs84, geoidId);
    QVERIFY(onGeoid != NoValue);
    const auto window = createWindow();
    choosePanelCoordsys(*window->leftPanel(), systemKey(wgs84));
    choosePanelCoordsys(*window->rightPanel(), onGeoid);
    setPanelRows(*window->leftPanel(), {"A;55;37;100"});
    setPanelRows(*window->rightPanel(), {"B;55;37;100"});

    window->slotCalculate(fromLeft);

    if (refusal.isEmpty()) {
        QCOMPARE(m_prompt->messageTexts(), QStringList());
        QCOMPARE(panelRows(*window->leftPanel()), QStringList{"B;55.00000000000;37.00000000000;110.000"});
        return;
    }
    QCOMPARE(m_prompt->messageTexts(),
             QStringList{QStringLiteral("Ошибка|Систему координат \"WGS 84[1]\" нельзя использовать для пересчета: ")
                         + refusal.arg(data.path())});
    QCOMPARE(panelRows(*window->leftPanel()), QStringList{"A;55;37;100"});
    QCOMPARE(panelRows(*window->rightPanel()), QStringList{"B;55;37;100"});
}

// Heights on a geoid while the registry did not read at start are refused with the registry
// file and what is wrong with it, not as a geoid that is not installed.
void TestRecalculation::unreadableRegistryRefusesTheSystem()
{
    const QString registry = QDir(m_environment.dataFolder()).filePath("data.xml");
    QVERIFY(writeFile(registry, "<Data><Geoids>"));
    const auto guard = qScopeGuard([&registry] { QFile::remove(registry); });
    const int onGeoid = storeOnGeoid(wgs84, QStringLiteral("G"));
    QVERIFY(onGeoid != NoValue);
    const auto window = createWindow();
    choosePanelCoordsys(*window->leftPanel(), systemKey(wgs84));
    choosePanelCoordsys(*window->rightPanel(), onGeoid);
    setPanelRows(*window->leftPanel(), {"A;55;37;100"});
    m_prompt->clear();

    window->slotCalculate(true);

    QCOMPARE(m_prompt->messageTexts(),
             QStringList{QStringLiteral("Ошибка|Систему координат \"WGS 84[1]\" нельзя использовать для пересчета: "
                                        "геоид \"G\" недоступен. Реестр геоидов \"%1\" не читается: не является "
                                        "документом XML (строка 1: файл обрывается раньше конца документа)")
                             .arg(registry)});
}

// A system on a stored map projection of type 12, the polar stereographic about the north pole
// only, whose latitude of origin is the south pole's: the user is told, and is given no
// north-pole numbers for southern points. Type 12 is not among the program's map projection
// types, so the record is refused when it is read, before the library, which refuses such a
// latitude of origin itself (TestCoordOperator::refused), would see it.
void TestRecalculation::southernNorthPoleStereographicIsRefused()
{
    const int south = storeOnSouthernNorthPoleStereographic();
    QVERIFY(south != NoValue);
    const auto window = createWindow();
    choosePanelCoordsys(*window->leftPanel(), systemKey(wgs84));
    choosePanelCoordsys(*window->rightPanel(), south);
    setPanelRows(*window->leftPanel(), {"A;-80;30;0"});
    setPanelRows(*window->rightPanel(), {"kept;1;2;3"});

    window->slotCalculate(true);

    QCOMPARE(m_prompt->messageTexts(), (QStringList{"Ошибка|Выбранная система координат некорректна",
                                                    "Ошибка|Не удалось прочитать систему координат правой панели"}));
    QCOMPARE(panelRows(*window->leftPanel()), QStringList{"A;-80;30;0"});
    QCOMPARE(panelRows(*window->rightPanel()), QStringList{"kept;1;2;3"});
}

void TestRecalculation::statisticsAddUp_data()
{
    QTest::addColumn<bool>("showStats");
    QTest::newRow("shown") << true;
    QTest::newRow("not shown") << false;
}

// Every source row gives one target row; the counts cover every row.
void TestRecalculation::statisticsAddUp()
{
    QFETCH(bool, showStats);
    Settings().setShowCalcStats(showStats);
    const auto window = createWindow();
    choosePanelCoordsys(*window->leftPanel(), systemKey(gaussKruger7));
    choosePanelCoordsys(*window->rightPanel(), systemKey(utm37));
    setPanelRows(*window->leftPanel(), {"P1;6184432.871;7406432.123;250.5", "no coordinates;;;", ";;;",
                                         "wrong;abc;7400000;0", "no height;6184432.871;7406432.123;",
                                         "far;6184432.871;99000000;0", "absurd;6184432.871;1e300;0", "trailing;;;",
                                         ";;;", ";;;"});
    window->slotCalculate(true);

    const QStringList rows = panelRows(*window->rightPanel());
    QCOMPARE(rows.size(), 8);
    QVERIFY(rows[0].startsWith("P1;406353.49"));
    QCOMPARE(rows.mid(1, 3), (QStringList{"no coordinates;;;", ";;;", "wrong;;;"}));
    QVERIFY(rows[4].startsWith("no height;406353.4"));
    QCOMPARE(rows[5], QStringLiteral("far;;;"));
    QCOMPARE(rows[6], QStringLiteral("absurd;;;"));
    QCOMPARE(rows[7], QStringLiteral("trailing;;;"));
    if (!showStats) {
        QVERIFY(m_prompt->messages().isEmpty());
        return;
    }
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Количество точек|С заданными координатами:\t\t5\n"
                                                   "С незаданными координатами:\t3\n"
                                                   "С некорректными координатами:\t2\n"
                                                   "Успешно пересчитанных:\t\t2\n"
                                                   "Вызвавших ошибку пересчета:\t1"});
}

// A name holding the separators stays one cell in the target.
void TestRecalculation::rowsPassAsCells()
{
    CRecalculation recalculation;
    QVERIFY(prepareGaussKrugerToUtm(recalculation));
    const CPointRows rows = recalculation.recalculate(
        CPointRows{{" a;b,c ", "6184432.871", "7406432.123", "250.5"}, {"x, y", "", "", ""}});
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].name, QStringLiteral("a;b,c"));
    QVERIFY(!rows[0].coord1.isEmpty());
    QCOMPARE(rows[1], (CPointRow{"x, y", "", "", ""}));

    const auto window = createWindow();
    window->rightPanel()->setRows(rows, QString());
    QCOMPARE(window->rightPanel()->getRows(), rows);
}

void TestRecalculation::cancelledRunKeepsTheRowsDone()
{
    CRecalculation recalculation;
    QVERIFY(prepareGaussKrugerToUtm(recalculation));
    const CPointRow point{"P", "6184432.871", "7406432.123", "250.5"};
    const CPointRows rows = recalculation.recalculate(CPointRows{point, point, point}, stopBefore(2));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(recalculation.stats().withCoords, 2);
    QCOMPARE(recalculation.stats().recalculated, 2);
    QVERIFY(recalculation.stats().aborted);
    QVERIFY(recalculation.stats().text().endsWith("\n\nПересчет прерван: пересчитаны не все точки"));

    QVERIFY(prepareGaussKrugerToUtm(recalculation));
    recalculation.recalculate(CPointRows{point, point}, stopBefore(2));
    QVERIFY(!recalculation.stats().aborted);
    QVERIFY(!recalculation.stats().text().contains("прерван"));

    FramePanel target(false);
    target.setRows(rows, QString());
    target.setPointsIncomplete();
    QVERIFY(target.isPointsIncomplete());
    QVERIFY(target.findChild<QLabel*>("label_2")->text().contains("список неполный"));
    target.setRows(rows, QString());
    QVERIFY(!target.isPointsIncomplete());
    QCOMPARE(target.findChild<QLabel*>("label_2")->text(), QStringLiteral("Точки"));
}

void TestRecalculation::rowCheckAndRecalculationAgree_data()
{
    addPointCellRows();
}

// The cell in its component of a row that is valid otherwise, recalculated into its own system.
void TestRecalculation::rowCheckAndRecalculationAgree()
{
    QFETCH(QString, kind);
    QFETCH(int, component);
    QFETCH(QString, text);
    QFETCH(bool, valid);

    const bool projected = kind == "projected";
    const int key = projected ? systemKey(utm37) : testCoordSysKey(kind == "dms" ? TestSystem::GeodeticDms
                                                                                  : TestSystem::GeodeticDecimal);
    CPointRow row = projected ? CPointRow{"P", "500000", "6000000", "100"} : CPointRow{"P", "50", "30", "100"};
    coordCell(row, component) = text;

    FramePanel panel(true);
    choosePanelCoordsys(panel, key);
    panel.setRows({row}, QString());
    FramePanel::RowFlags flags{};
    QCOMPARE(panel.validateRow(0, &flags, false), valid);
    QCOMPARE(flags[component], valid);

    CRecalculation recalculation;
    CCoordSysDetails source;
    CCoordSysDetails target;
    QVERIFY(readCoordSysDetails(key, source));
    QVERIFY(projected ? readSystem(wgs84, target) : readCoordSysDetails(key, target));
    QVERIFY(recalculation.prepare(source, target, nullptr));
    const CPointRow result = recalculation.recalculate(row);
    QCOMPARE(recalculation.stats().wrongCoords, valid ? 0 : 1);
    QCOMPARE(recalculation.stats().recalculated, valid ? 1 : 0);
    QCOMPARE(result.coord1.isEmpty(), !valid);
}

void TestRecalculation::absurdPointsAreNotRecalculated_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("texts");
    QTest::addColumn<QString>("outcome");

    QTest::newRow("control") << utm37 << wgs84 << "406353.4957;6181857.2036;0" << "recalculated";
    QTest::newRow("northing beyond the pole") << utm37 << wgs84 << "500000;60000000;0" << "failed";
    QTest::newRow("northing far below") << utm37 << wgs84 << "500000;-60000000;0" << "failed";
    QTest::newRow("easting far off") << utm37 << wgs84 << "90000000;6000000;0" << "failed";
    QTest::newRow("northing of 6e12") << utm37 << wgs84 << "500000;6e12;0" << "wrong";
    QTest::newRow("zone far off") << gaussKruger7 << utm37 << "6184432.871;99000000;0" << "failed";
    QTest::newRow("latitude 91") << wgs84 << utm37 << "91;37;0" << "wrong";
    QTest::newRow("longitude 400") << wgs84 << utm37 << "55;400;0" << "wrong";
    QTest::newRow("height 1e308") << wgs84 << utm37 << "55;37;1e308" << "wrong";
    QTest::newRow("unwritable target") << utm37 << wgs84 + " in hemisphere format" << "406353.4957;6181857.2036;0"
                                       << "failed";
}

// Recalculated rows, and only they, carry three texts.
void TestRecalculation::absurdPointsAreNotRecalculated()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, texts);
    QFETCH(QString, outcome);

    CRecalculation recalculation;
    QVERIFY(prepareBetween(recalculation, source, target));
    const QStringList cells = texts.split(';');
    const CPointRow result = recalculation.recalculate(CPointRow{"P", cells[0], cells[1], cells[2]});
    const CRecalculationStats& stats = recalculation.stats();
    const QString got = stats.recalculated ? "recalculated" : stats.failed ? "failed" : "wrong";
    QCOMPARE(got, outcome);
    const bool whole = !result.coord1.isEmpty() && !result.coord2.isEmpty() && !result.coord3.isEmpty();
    const bool none = result.coord1.isEmpty() && result.coord2.isEmpty() && result.coord3.isEmpty();
    QVERIFY2(stats.recalculated ? whole : none, qPrintable(result.coord1 + ";" + result.coord2 + ";" + result.coord3));
}

void TestRecalculation::bothDirections_data()
{
    QTest::addColumn<bool>("fromLeft");
    QTest::newRow("left to right") << true;
    QTest::newRow("right to left") << false;
}

// The source keeps its rows, the target gets the results; the other way round gives nothing.
void TestRecalculation::bothDirections()
{
    QFETCH(bool, fromLeft);
    const auto window = createWindow();
    FramePanel& source = fromLeft ? *window->leftPanel() : *window->rightPanel();
    FramePanel& target = fromLeft ? *window->rightPanel() : *window->leftPanel();
    choosePanelCoordsys(source, systemKey(gaussKruger7));
    choosePanelCoordsys(target, systemKey(utm37));
    setPanelRows(source, {"P1;6184432.871;7406432.123;250.5"});
    setPanelRows(target, {"old;1;2;3"});
    window->slotCalculate(fromLeft);

    QCOMPARE(panelRows(source), QStringList{"P1;6184432.871;7406432.123;250.5"});
    const QStringList rows = panelRows(target);
    QCOMPARE(rows.size(), 1);
    QVERIFY2(rows[0].startsWith("P1;406353.49"), qPrintable(rows[0]));
}


// The same rows, results and statistics on one thread and on several.
void TestRecalculation::parallelEqualsSerial()
{
    const CPointRows rows = mixedRows(20000);
    CRecalculation serial;
    QVERIFY(prepareGaussKrugerToUtm(serial));
    serial.setThreadCount(1);
    CRecalculation parallel;
    QVERIFY(prepareGaussKrugerToUtm(parallel));
    parallel.setThreadCount(4);

    const CPointRows expected = serial.recalculate(rows);
    QCOMPARE(expected.size(), rows.size());
    const CRecalculationStats& stats = serial.stats();
    QVERIFY(stats.recalculated > 0 && stats.withoutCoords > 0 && stats.wrongCoords > 0 && stats.failed > 0);
    QVERIFY(parallel.recalculate(rows) == expected);
    QVERIFY(parallel.stats() == stats);
}

// A stop keeps the rows done in order so far, and the statistics count just them.
void TestRecalculation::cancelledParallelRunKeepsTheRowsInOrder()
{
    const CPointRows rows = mixedRows(200000);
    CRecalculation serial;
    QVERIFY(prepareGaussKrugerToUtm(serial));
    serial.setThreadCount(1);
    const CPointRows expected = serial.recalculate(rows);

    CRecalculation parallel;
    QVERIFY(prepareGaussKrugerToUtm(parallel));
    parallel.setThreadCount(4);
    int calls = 0;
    const CPointRows done = parallel.recalculate(rows, [&calls](int handled, int count) {
        return handled == count || ++calls < 2;
    });
    QVERIFY(done.size() < rows.size());
    QVERIFY(done == expected.mid(0, done.size()));
    const CRecalculationStats& stats = parallel.stats();
    QVERIFY(stats.aborted);
    QCOMPARE(stats.withCoords + stats.withoutCoords, done.size());
    QCOMPARE(stats.recalculated + stats.wrongCoords + stats.failed, stats.withCoords);
}

void TestRecalculation::pointFileAsThePanelsSaveIt_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::newRow("UTF-8") << QByteArray("UTF-8");
    QTest::newRow("Windows-1251") << QByteArray("Windows-1251");
}

// The file road writes what loading the file into a panel, recalculating and saving gives.
void TestRecalculation::pointFileAsThePanelsSaveIt()
{
    QFETCH(QByteArray, codec);
    const QString text = QStringLiteral("P1;6184432.871;7406432.123;250.5\r\n"
                                        "\"a;\"\"b\"\"\" ; 6184432.871 ; 7406432.123;\n"
                                        "Точка 2, \"6184432,871\", 7406432.123, 10\n"
                                        "Q3 , \"6184432,871\",7406432.123, 10\n"
                                        "\"open;6184432.871;7406432.123;1\n"
                                        "\n"
                                        "no coordinates;;;\n"
                                        "wrong;abc;7400000;0\n"
                                        "far;6184432.871;99000000;0\n"
                                        "   ;  ;\n"
                                        "last;6184400;7406400");
    QByteArray content = QTextCodec::codecForName(codec)->fromUnicode(text);
    if (codec == "UTF-8")
        content.prepend("\xEF\xBB\xBF");
    const QString sourcePath = m_work->filePath("source.txt");
    const QString panelPath = m_work->filePath("panel.txt");
    const QString roadPath = m_work->filePath("road.txt");
    QVERIFY(writeFile(sourcePath, content));

    const auto window = recalculateThroughPanels(sourcePath, panelPath);
    QVERIFY2(m_prompt->messages().isEmpty(), qPrintable(m_prompt->messageTexts().join("\n")));

    for (const int threads : {1, 4}) {
        CRecalculation recalculation;
        QVERIFY(prepareGaussKrugerToUtm(recalculation));
        recalculation.setThreadCount(threads);
        QString error;
        QVERIFY2(recalculatePointFile(recalculation, sourcePath, roadPath, &error), qPrintable(error));
        const QByteArray written = readFile(roadPath);
        QCOMPARE(written, readFile(panelPath));
        QVERIFY(written.contains("Точка 2; 406353.49"));
        const CRecalculationStats& stats = recalculation.stats();
        QCOMPARE(stats.recalculated, 6);
        QCOMPARE(stats.wrongCoords, 1);
        QCOMPARE(stats.failed, 1);
        QCOMPARE(stats.withoutCoords, 3);
    }
}

// A file of many blocks gives the same lines and statistics on one thread and on several,
// quoted and Cyrillic names among them.
void TestRecalculation::largePointFileOnEveryThread()
{
    const QByteArray content = pointFileText(60000);
    QVERIFY(content.size() > 2 * 512 * 1024);
    const QString sourcePath = m_work->filePath("large.txt");
    QVERIFY(writeFile(sourcePath, content));

    CRecalculation serial;
    QVERIFY(prepareGaussKrugerToUtm(serial));
    serial.setThreadCount(1);
    const QByteArray expected = savedLines(serial.recalculate(fileRows(content)));

    for (const int threads : {1, 4}) {
        CRecalculation recalculation;
        QVERIFY(prepareGaussKrugerToUtm(recalculation));
        recalculation.setThreadCount(threads);
        const QString targetPath = m_work->filePath(QStringLiteral("large-%1.txt").arg(threads));
        QVERIFY(recalculatePointFile(recalculation, sourcePath, targetPath));
        QVERIFY(readFile(targetPath) == expected);
        QVERIFY(recalculation.stats() == serial.stats());
    }
}

void TestRecalculation::smallBlocksReuseEverySlot_data()
{
    QTest::addColumn<int>("threads");
    QTest::addColumn<qint64>("blockBytes");
    for (const int threads : {1, 2, 4, 8})
        QTest::addRow("%d thread(s)", threads) << threads << qint64(2 * 1024);
    QTest::newRow("every core") << QThread::idealThreadCount() << qint64(2 * 1024);
    QTest::newRow("a line a block") << QThread::idealThreadCount() << qint64(0);
}

// Small blocks pass through every slot of the ring many times, and the file comes out as one
// thread with the usual blocks writes it.
void TestRecalculation::smallBlocksReuseEverySlot()
{
    QFETCH(int, threads);
    QFETCH(qint64, blockBytes);
    const QByteArray content = pointFileText(16000);
    QVERIFY(content.size() > 300 * 1024);
    const QString sourcePath = m_work->filePath("source.txt");
    QVERIFY(writeFile(sourcePath, content));

    CRecalculation serial;
    QVERIFY(prepareGaussKrugerToUtm(serial));
    serial.setThreadCount(1);
    const QString serialPath = m_work->filePath("serial.txt");
    QVERIFY(recalculatePointFile(serial, sourcePath, serialPath));

    CRecalculation recalculation;
    QVERIFY(prepareGaussKrugerToUtm(recalculation));
    recalculation.setThreadCount(threads);
    const QString targetPath = m_work->filePath("blocks.txt");
    QString error;
    QVERIFY2(recalculatePointFile(recalculation, sourcePath, targetPath, &error, blockBytes), qPrintable(error));
    QVERIFY(readFile(targetPath) == readFile(serialPath));
    QVERIFY(recalculation.stats() == serial.stats());
}

// A source that cannot be read leaves the target as it was.
void TestRecalculation::pointFileFailuresGiveTheReason()
{
    const QString targetPath = m_work->filePath("target.txt");
    QVERIFY(writeFile(targetPath, "kept\n"));
    CRecalculation recalculation;
    QVERIFY(prepareGaussKrugerToUtm(recalculation));
    QString error;
    QVERIFY(!recalculatePointFile(recalculation, m_work->filePath("missing.txt"), targetPath, &error));
    QVERIFY2(error.startsWith(QStringLiteral("Не удалось открыть файл")), qPrintable(error));
    QCOMPARE(readFile(targetPath), QByteArray("kept\n"));
    QCOMPARE(recalculation.stats().withCoords + recalculation.stats().withoutCoords, 0);
}

QTEST_MAIN(TestRecalculation)
#include "test_recalculation.moc"
