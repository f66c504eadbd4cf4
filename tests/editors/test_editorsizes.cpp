#include "coordsysfixture.h"
#include "editorfixture.h"
#include "transformfixture.h"

#include "app/editors.h"
#include "app/shippeddata.h"
#include "browser/dialogdatabaseselector.h"
#include "browser/dialogdependencies.h"
#include "browser/framedatabasepicker.h"
#include "browser/screenfit.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "editors/coordsys/dialogcoordsyseditor.h"
#include "editors/coordsys/dialogmapprojectioneditor.h"
#include "editors/coordsys/dialogmapprojtypeeditor.h"
#include "editors/datum/dialogdatumshifteditor.h"
#include "editors/datum/dialogellipsoideditor.h"
#include "editors/datum/dialogprimemeridianeditor.h"
#include "editors/datum/dialoguniteditor.h"
#include "editors/transform/dialogtransformeditor.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <tuple>

namespace {

// Inputs of names, symbols, codes and identifiers; every other line edit takes a number.
bool isTextInput(const QLineEdit* edit)
{
    static const QRegularExpression names(
        "^edit(Name|ShortName|Identifier|ID|SearchMask|Code)$|Symbol|Description|Axis[XYZ]Name");
    return names.match(edit->objectName()).hasMatch();
}

// Where the widget sits in the dialog, for the failure messages.
QString pathOf(const QWidget* widget)
{
    QStringList names;
    for (const QObject* each = widget; each; each = each->parent())
        names.prepend(each->objectName().isEmpty() ? each->metaObject()->className() : each->objectName());
    return names.join('/');
}

// Pixels left for the text of a line edit: its width less the frame and the fixed margins.
int textWidth(const QLineEdit* edit)
{
    const int frame = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit) : 0;
    const QMargins margins = edit->textMargins();
    return edit->width() - 2 * frame - 2 * 2 - margins.left() - margins.right();
}

// Reasons why the shown dialog hides part of a field: one text per field.
QStringList narrowFields(const QDialog& dialog)
{
    QStringList faults;
    const QString twelveDigits(12, QLatin1Char('0'));
    for (const QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (!edit->isVisibleTo(&dialog) || isTextInput(edit) || edit->parent()->inherits("QAbstractSpinBox"))
            continue;
        const int needed = edit->fontMetrics().horizontalAdvance(twelveDigits);
        if (textWidth(edit) < needed)
            faults << QString("%1: %2 < %3 px").arg(pathOf(edit)).arg(textWidth(edit)).arg(needed);
    }
    // The combo's size hint is the width at which it shows its longest item whole.
    for (const QComboBox* combo : dialog.findChildren<QComboBox*>()) {
        const int needed = combo->sizeHint().width();
        if (combo->isVisibleTo(&dialog) && combo->width() < needed)
            faults << QString("%1: %2 < %3 px").arg(pathOf(combo)).arg(combo->width()).arg(needed);
    }
    for (const QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
        if (!view->isVisibleTo(&dialog) || view->inherits("QListView"))
            continue;
        if (view->verticalScrollBar()->maximum() > 0 || view->horizontalScrollBar()->maximum() > 0)
            faults << QString("%1: scrolls by %2, %3 px")
                          .arg(pathOf(view))
                          .arg(view->horizontalScrollBar()->maximum())
                          .arg(view->verticalScrollBar()->maximum());
        const auto* header = view->findChild<QHeaderView*>();
        for (int column = 0; header && header->orientation() == Qt::Horizontal && column < header->count(); ++column) {
            if (header->sectionSize(column) < view->sizeHintForColumn(column))
                faults << QString("%1: column %2 cut").arg(pathOf(view)).arg(column);
        }
    }
    return faults;
}

// How far the sections of the editor scroll across and down.
QSize scrollOf(const QDialog& dialog)
{
    const auto* scroll = dialog.findChild<QScrollArea*>("scrollContents");
    return scroll ? QSize(scroll->horizontalScrollBar()->maximum(), scroll->verticalScrollBar()->maximum()) : QSize(0, 0);
}

// Reasons why the editor is not whole on the screen's area: its window, or its Save and Cancel
// buttons not wholly in view.
QStringList offScreen(const QDialog& dialog, const QRect& area)
{
    QStringList faults;
    if (!area.contains(dialog.frameGeometry()))
        faults << QString("window %1 off the screen %2").arg(rectText(dialog.frameGeometry()), rectText(area));
    // A section scrolls only where the window takes the whole screen.
    const QSize scrolled = scrollOf(dialog);
    if ((scrolled.width() > 0 && dialog.frameGeometry().width() < area.width())
        || (scrolled.height() > 0 && dialog.frameGeometry().height() < area.height()))
        faults << QString("window %1 scrolls by %2, %3 px with room on the screen")
                      .arg(rectText(dialog.frameGeometry()))
                      .arg(scrolled.width())
                      .arg(scrolled.height());
    for (const QString& name : {QStringLiteral("buttonSave"), QStringLiteral("buttonCancel")}) {
        const auto* button = dialog.findChild<QPushButton*>(name);
        const QRect shown = button ? QRect(button->mapToGlobal(QPoint(0, 0)), button->size()) : QRect();
        if (!button || !button->isVisible() || button->visibleRegion() != QRegion(button->rect())
            || !area.contains(shown))
            faults << QString("%1 %2 not in view").arg(name, rectText(shown));
    }
    return faults;
}

// Line edits that show a text longer than they are from elsewhere than its start.
QStringList textsNotFromStart(const QDialog& dialog)
{
    QStringList faults;
    for (const QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (!edit->isVisibleTo(&dialog) || edit->fontMetrics().horizontalAdvance(edit->text()) <= textWidth(edit))
            continue;
        if (edit->cursorPosition() != 0 || edit->hasSelectedText())
            faults << QString("%1 shows \"%2\" from character %3").arg(pathOf(edit), edit->text()).arg(edit->cursorPosition());
    }
    return faults;
}

using DialogMaker = std::function<QDialog*()>;

// Whether the test runs on a real screen under a window manager rather than offscreen.
bool onDesktop()
{
    return QGuiApplication::platformName() != QLatin1String("offscreen");
}

// A record to open in its editor: the query gives its key.
struct CEditedRecord {
    QString label;
    int tableId;
    QString keyQuery;
};

// The editors of records opened from the selectors, with the size each had when shown.
struct COpenEditor {
    QString label;
    QPointer<QDialog> dialog;
    QSize shown;
};

// Once a modal dialog other than the given one is up, hands it to the handler. The watch lasts
// while the returned object lives.
[[nodiscard]] CModalWatch whenModalOver(const QDialog* below, const std::function<void(QDialog*)>& handler)
{
    return whenModalWindow([below](QWidget* window) { return window != below && qobject_cast<QDialog*>(window); },
                           [handler](QWidget* window) { handler(static_cast<QDialog*>(window)); });
}

// Opens each record in its editor as a user does: the table's selector on the record, then its
// edit button. Each editor stays open while the next one is opened over it; the check runs once
// the last is shown, then all are cancelled.
void openFromSelectors(const QVector<CEditedRecord>& records, int index, QVector<COpenEditor>& open,
                       const std::function<void()>& check)
{
    if (index == records.size()) {
        check();
        return;
    }
    const CEditedRecord& record = records.at(index);
    const CModalWatch selectorWatch = whenModal<DialogDatabaseSelector>([&](DialogDatabaseSelector* selector) {
        const CModalWatch editorWatch = whenModalOver(selector, [&](QDialog* editor) {
            if (QTest::qWaitForWindowExposed(editor))
                open.append({record.label, editor, editor->size()});
            openFromSelectors(records, index + 1, open, check);
            editor->reject();
        });
        selector->findChild<QPushButton*>("buttonEdit")->click();
        selector->reject();
    });
    DialogDatabaseSelector::browse(record.tableId, false, CTestDatabase::value(record.keyQuery).toInt());
}

// A record of each editor kind, and of each kind of coordinate system, in the shipped database
// with the records that addMissingRecords adds to it.
QVector<CEditedRecord> editedRecords()
{
    const auto first = [](const QString& table, const QString& where = "1") {
        return QString("SELECT min(autokey) FROM %1 WHERE %2").arg(table, where);
    };
    const auto longest = [](const QString& table) {
        return QString("SELECT autokey FROM %1 ORDER BY length(name) DESC LIMIT 1").arg(table);
    };
    return {{"length unit", TableUnitLength, first("unitlength")},
            {"angular unit", TableUnitAngle, first("unitangle", "format=2")},
            {"scale unit", TableUnitScale, first("unitscale")},
            {"angle format", TableAngleFormat, "SELECT max(code) FROM unitangleformat"},
            {"ellipsoid", TableEllipsoid, first("ellipsoid")},
            {"prime meridian", TablePrimeMeridian, first("primemeridian")},
            {"datum", TableDatum, longest("datum")},
            {"datum shift type", TableDatumShiftType, "SELECT max(code) FROM datumshifttype"},
            {"datum shift", TableDatumShift, longest("datumshift")},
            {"coordinate system type", TableCoordSysType, "SELECT max(code) FROM coordsystype"},
            {"local cartesian system", TableCoordSys, first("coordsys", "type=1")},
            {"geocentric system", TableCoordSys, first("coordsys", "type=3")},
            {"geodetic system on the datum of the longest name", TableCoordSys,
             first("coordsys", "type=4 AND datum=(" + longest("datum") + ")")},
            {"projected system", TableCoordSys, first("coordsys", "type=5")},
            {"projected system with a transformation list", TableCoordSys,
             "SELECT autokey FROM coordsys WHERE transform_list IS NOT NULL"},
            {"topocentric system", TableCoordSys, first("coordsys", "type=6")},
            {"map projection type", TableMapProjType, "SELECT max(code) FROM mapprojtype"},
            {"map projection", TableMapProj, first("mapproj")},
            {"height system", TableVertCoordSys, first("vertcoordsys")},
            {"transform list", TableTransformList, first("transformlist")},
            {"transform", TableTransform, first("transform")},
            {"EPSG code", TableEpsgCoordSys, "SELECT min(code) FROM epsgcoordsys"},
            {"MapInfo code", TableMapInfoDatum, "SELECT min(code) FROM mapinfodatum"}};
}

// Adds to the open database what the shipped data lacks: a local cartesian, a geocentric and a
// topocentric system, a height system and a copy of the first projected system, each with a
// transform list of one transform, export codes.
bool addMissingRecords()
{
    const QString datum = "(SELECT min(autokey) FROM datum)";
    const QString meridian = "(SELECT min(autokey) FROM primemeridian)";
    const QString degree = "(SELECT autokey FROM unitangle WHERE name='degree')";
    const QString metre = "(SELECT min(autokey) FROM unitlength)";
    const int list = storeList("Список");
    const QList<QPair<int, QString>> identity{{1, "1"}, {2, "0"}, {3, "0"}, {4, "1"}, {5, "0"}, {6, "0"}};
    return list != NoValue && storeTransform(list, "Аффинное", 1, identity) != NoValue
        && CTestDatabase::exec("INSERT INTO vertcoordsys (name, geoid, transform_list) VALUES ('Высоты', '', ?);",
                               {list})
        && CTestDatabase::exec("CREATE TEMP TABLE listed AS SELECT * FROM coordsys WHERE autokey=("
                               "SELECT min(autokey) FROM coordsys WHERE type=5);")
        && CTestDatabase::exec("UPDATE listed SET autokey=NULL, name=name || ' со списком', transform_list=?;",
                               {list})
        && CTestDatabase::exec("INSERT INTO coordsys SELECT * FROM listed;")
        && CTestDatabase::exec("DROP TABLE listed;")
        && CTestDatabase::exec("INSERT INTO epsgcoordsys (code, name) VALUES (4326, 'WGS 84');")
        && CTestDatabase::exec("INSERT INTO mapinfodatum (code, name) VALUES (104, 'WGS 84');")
        && CTestDatabase::exec("INSERT INTO coordsys (name, type, length_unit, datum) VALUES ('Местная', 1, "
                               + metre + ", " + datum + ");")
        && CTestDatabase::exec("INSERT INTO coordsys (name, type, datum, prime_meridian, length_unit) VALUES ("
                               "'ECEF', 3, " + datum + ", " + meridian + ", " + metre + ");")
        && CTestDatabase::exec(
            "INSERT INTO coordsys (name, type, datum, prime_meridian, origin_coord1, origin_coord2, origin_coord3,"
            " origin_angle_unit, origin_length_unit, azimuth, azimuth_unit, length_unit, height_unit) VALUES ('Топо',"
            " 6, " + datum + ", " + meridian + ", '55.75', '37.6', '150', " + degree + ", " + metre + ", '30', "
                + degree + ", " + metre + ", " + metre + ");");
}

// Makes the name of every record that an editor links the given number of characters longer.
bool lengthenLinkedNames(int characters)
{
    const QStringList linked{"unitlength", "unitangle",  "unitscale", "unitangleformat", "ellipsoid",
                             "primemeridian", "datum", "datumshift", "datumshifttype", "mapproj",
                             "mapprojtype", "coordsystype", "transformtype"};
    for (const QString& table : linked) {
        const QString statement = "UPDATE %1 SET name = name || replace(hex(zeroblob(%2)), '0', 'x');";
        if (!CTestDatabase::exec(statement.arg(table).arg(characters / 2)))
            return false;
    }
    return true;
}


// Brings the editor to each state a user can: each "show" box ticked in turn and left ticked,
// then each type of its type picker picked. The faults of the editor's place in each state.
QStringList statesOffScreen(const COpenEditor& editor, const QRect& area)
{
    static const QVector<int> typeTables{TableCoordSysType, TableMapProjType, TableDatumShiftType, TableTransformType};
    QStringList faults;
    const auto check = [&](const QString& state) {
        // On a real screen the window manager applies a new size a little later.
        if (QTest::qWaitFor([&] { return offScreen(*editor.dialog, area).isEmpty(); }, 2000))
            return;
        for (const QString& fault : offScreen(*editor.dialog, area))
            faults << QString("%1, %2: %3").arg(editor.label, state, fault);
    };
    for (QCheckBox* box : editor.dialog->findChildren<QCheckBox*>(QRegularExpression("^checkboxShow"))) {
        if (!box->isVisibleTo(editor.dialog) || !box->isEnabled() || box->isChecked())
            continue;
        box->click();
        check(QString("\"%1\" ticked").arg(box->text()));
    }
    for (FrameDatabasePicker* picker : editor.dialog->findChildren<FrameDatabasePicker*>()) {
        const int table = picker->tableId();
        if (!typeTables.contains(table) || !picker->isVisibleTo(editor.dialog) || !picker->isPickEnabled())
            continue;
        for (const QVariant& key :
             CTestDatabase::column(QString("SELECT %1 FROM %2;").arg(keyColumnName(table), tableName(table)))) {
            picker->setKey(key.toInt());
            emit picker->picked(key.toInt());
            check(QString("type %1 picked").arg(key.toInt()));
        }
    }
    return faults;
}
} // namespace

Q_DECLARE_METATYPE(DialogMaker)

class TestEditorSizes : public CEditorTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultSizeShowsEveryField_data();
    void defaultSizeShowsEveryField();
    void editorsStayOnScreen_data();
    void editorsStayOnScreen();
    void linkedNamesShowWhole();

private:
    void prepare() override;
    // Opens a copy of the shipped database with the records it lacks added; false unless it
    // holds each of editedRecords.
    bool openShippedCopy();

    QTemporaryDir m_shipped;
    CShiftUnits m_units;
    CCoordSysWorld m_world;
};

void TestEditorSizes::initTestCase()
{
    // The desktop's font: the offscreen platform's own is a quarter larger.
    QApplication::setFont(QFont("DejaVu Sans", 9));
    registerEditors();
    QString message;
    QVERIFY2(makeDataFolder(QStringLiteral(SHARED_DATA_DIR "/coordsys.wkt"), m_shipped.filePath("data"),
                            m_shipped.filePath("stamp"), &message),
             qPrintable(message));
}

bool TestEditorSizes::openShippedCopy()
{
    const QString copy = m_shipped.filePath("copy.db");
    QFile::remove(copy);
    if (!QFile::copy(QDir(m_shipped.filePath("data")).filePath(shippedDatabaseName), copy)
        || !CTestDatabase::reopen(copy) || !addMissingRecords())
        return false;
    const QVector<CEditedRecord> records = editedRecords();
    return std::all_of(records.cbegin(), records.cend(),
                       [](const CEditedRecord& record) { return !CTestDatabase::value(record.keyQuery).isNull(); });
}

void TestEditorSizes::prepare()
{
    m_units = insertShiftUnits();
    m_world = storeCoordSysWorld();
}

void TestEditorSizes::defaultSizeShowsEveryField_data()
{
    QTest::addColumn<DialogMaker>("make");
    const auto shift = [this](int type, bool dms, bool extra) {
        return DialogMaker([this, type, dms, extra] {
            const int key = insertShift({{"name", "Сдвиг"}, {"type", type}, {"tx", 23.57}, {"ty", -140.95},
                                         {"tz", -79.8}, {"rx", dms ? "-0 00 00.35" : "-0.35"}, {"ry", -0.35},
                                         {"rz", -0.79}, {"dm", -0.22}, {"px", 2800000.123}, {"py", 2200000.456},
                                         {"pz", 5200000.789}, {"length_unit", m_units.metre},
                                         {"angle_unit", dms ? m_units.dmsDegree : m_units.second},
                                         {"scale_unit", m_units.ppm}, {"identifier", "Пулково"},
                                         {"pairwise_role", 2}});
            return new DialogDatumShiftEditor(key, extra);
        });
    };
    QTest::newRow("angular unit") << DialogMaker([this] {
        return new DialogUnitEditor(TableUnitAngle, m_units.dmsDegree);
    });
    QTest::newRow("ellipsoid") << DialogMaker([this] {
        return new DialogEllipsoidEditor(CTestDatabase::value("SELECT ellipsoid FROM datum WHERE autokey=?;",
                                                              {m_world.datum})
                                             .toInt());
    });
    QTest::newRow("prime meridian, degrees-minutes-seconds") << DialogMaker([this] {
        const int key = insertRow("primemeridian", {{"name", "Пулково"}, {"longitude", "-130 19 42.09"},
                                                    {"unit", m_units.dmsDegree}});
        return new DialogPrimeMeridianEditor(key);
    });
    QTest::newRow("Molodensky shift") << shift(1, false, false);
    QTest::newRow("seven-parameter shift, seconds") << shift(2, false, false);
    QTest::newRow("seven-parameter shift, degrees-minutes-seconds") << shift(4, true, false);
    QTest::newRow("Molodensky-Badekas shift of a datum") << shift(3, false, true);
    QTest::newRow("Molodensky-Badekas shift, degrees-minutes-seconds") << shift(5, true, false);
    QTest::newRow("topocentric system") << DialogMaker([this] {
        const int key = insertCoordSysRow({{"name", "Топо"}, {"type", 6}, {"datum", m_world.datum},
                                           {"prime_meridian", m_world.greenwich}, {"origin_coord1", "55.7512345678"},
                                           {"origin_coord2", "-37.6212345678"}, {"origin_coord3", "145.1234"},
                                           {"origin_angle_unit", m_world.decimalDegree},
                                           {"origin_length_unit", m_world.metre}, {"azimuth", "-123.4567891"},
                                           {"azimuth_unit", m_world.decimalDegree}, {"length_unit", m_world.metre}});
        return new DialogCoordSysEditor(key);
    });
    QTest::newRow("projected system") << DialogMaker([this] { return new DialogCoordSysEditor(m_world.utm); });
    QTest::newRow("Hotine oblique Mercator") << DialogMaker([this] {
        const int key = insertRow("mapproj", {{"name", "Косая"}, {"type", 3}, {"length_unit", m_units.metre},
                                              {"angle_unit", m_units.dmsDegree}, {"scale_unit", m_units.ppm},
                                              {"coord1_sign", 1}, {"coord2_sign", 1}, {"swap_coords", 0}});
        return new DialogMapProjectionEditor(key);
    });
    QTest::newRow("UTM zone") << DialogMaker([this] { return new DialogMapProjectionEditor(m_world.projection); });
    QTest::newRow("map projection type") << DialogMaker([] { return new DialogMapProjTypeEditor(1); });
    QTest::newRow("affine transform") << DialogMaker([] {
        const int list = storeList("Список");
        return new DialogTransformEditor(storeTransform(list, "Аффинное", 1,
                                                        {{1, "0.999998765432"}, {2, "-0.000012345678"},
                                                         {3, "0.000012345678"}, {4, "0.999998765432"},
                                                         {5, "-1234567.8901"}, {6, "7654321.0987"}}));
    });
    QTest::newRow("height shift") << DialogMaker([] {
        const int list = storeList("Высоты");
        return new DialogTransformEditor(storeTransform(list, "Сдвиг", 3, {{7, "-123.456789"}}));
    });
    QTest::newRow("dependencies") << DialogMaker([] {
        auto* dialog = new DialogDependencies;
        dialog->setItems({{"Система координат", "СК-42 / Гаусс-Крюгер зона 7", "Пулково 1942",
                           TableCoordSys, "coordsys", 1},
                          {"Датум", "Система координат 1942 года", "Красовский", TableDatum, "datum", 1}});
        return dialog;
    });
}

// Opened at its default size on a screen of 1366x768, an editor shows a number of twelve digits
// in each number input, the longest item of each list, and every row and column of its tables,
// without scrolling.
void TestEditorSizes::defaultSizeShowsEveryField()
{
    QFETCH(DialogMaker, make);
    setScreenAreaForTests(QRect(0, 0, 1366, 768));
    const std::unique_ptr<QDialog> dialog(make());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    setScreenAreaForTests(QRect());
    const QStringList faults = narrowFields(*dialog);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    QCOMPARE(scrollOf(*dialog), QSize(0, 0));
}

void TestEditorSizes::editorsStayOnScreen_data()
{
    QTest::addColumn<int>("longer");
    QTest::addColumn<QSize>("screen");
    const QVector<std::tuple<const char*, int, QSize>> cases{
        {"shipped names", 0, QSize(1280, 720)},
        {"linked names 150 characters longer", 150, QSize(1366, 768)},
        {"linked names 120 characters longer", 120, QSize(1366, 768)}};
    // On a real screen, the cases of its size.
    const QSize real = onDesktop() ? QGuiApplication::primaryScreen()->size() : QSize();
    bool any = false;
    for (const auto& [name, longer, screen] : cases) {
        if (real.isValid() && screen != real)
            continue;
        QTest::newRow(name) << longer << screen;
        any = true;
    }
    if (!any)
        QTest::newRow("no case for this screen") << -1 << real;
}

// Opened from its selector, each editor lies on a small screen with Save and Cancel in view,
// shows its texts from their start and keeps the size it was shown at, whatever the length of
// the names it links; it stays on the screen with every section shown and every type picked.
// On a real screen, the area is the one its window manager leaves free, and the window's frame
// is the one the window manager draws.
void TestEditorSizes::editorsStayOnScreen()
{
    QFETCH(int, longer);
    QFETCH(QSize, screen);
    QVERIFY2(longer >= 0, qPrintable(QString("no case for a screen of %1x%2").arg(screen.width()).arg(screen.height())));
    QRect area(QPoint(0, 0), screen);
    if (onDesktop()) {
        area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(area != QGuiApplication::primaryScreen()->geometry(), "no panel reserves a part of the screen");
    } else {
        setScreenAreaForTests(area);
    }
    QVERIFY(openShippedCopy());
    if (longer > 0)
        QVERIFY(lengthenLinkedNames(longer));
    const QVector<CEditedRecord> records = editedRecords();
    QVector<COpenEditor> open;
    QStringList faults;
    openFromSelectors(records, 0, open, [&] {
        QTest::qWait(2000);
        for (const COpenEditor& editor : open) {
            const QSize size = editor.dialog ? editor.dialog->size() : QSize();
            if (size != editor.shown)
                faults << QString("%1: %2x%3 when shown, %4x%5 two seconds later")
                              .arg(editor.label)
                              .arg(editor.shown.width())
                              .arg(editor.shown.height())
                              .arg(size.width())
                              .arg(size.height());
            if (!editor.dialog)
                continue;
            for (const QString& fault : offScreen(*editor.dialog, area) + textsNotFromStart(*editor.dialog))
                faults << QString("%1: %2").arg(editor.label, fault);
        }
        for (const COpenEditor& editor : open)
            faults << statesOffScreen(editor, area);
    });
    setScreenAreaForTests(QRect());
    QCOMPARE(open.size(), records.size());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

// Opened from its selector, each editor shows in every field that names a linked record the
// whole name of each record of the linked table.
void TestEditorSizes::linkedNamesShowWhole()
{
    QVERIFY(openShippedCopy());
    const QVector<CEditedRecord> records = editedRecords();
    QVector<COpenEditor> open;
    QStringList faults;
    openFromSelectors(records, 0, open, [&] {
        for (const COpenEditor& editor : open) {
            for (FrameDatabasePicker* picker : editor.dialog->findChildren<FrameDatabasePicker*>()) {
                if (!picker->isVisibleTo(editor.dialog))
                    continue;
                const auto* field = picker->findChild<QLineEdit*>("editName");
                const int table = picker->tableId();
                const QVariantList keys =
                    CTestDatabase::column(QString("SELECT %1 FROM %2;").arg(keyColumnName(table), tableName(table)));
                for (const QVariant& key : keys) {
                    picker->setKey(key.toInt());
                    const int needed = field->fontMetrics().horizontalAdvance(picker->name());
                    if (field->text() != picker->name() || needed >= textWidth(field))
                        faults << QString("%1: %2 shows \"%3\" in %4 px of the %5 px that \"%6\" needs")
                                      .arg(editor.label, pathOf(field), field->text())
                                      .arg(textWidth(field))
                                      .arg(needed)
                                      .arg(picker->name());
                }
            }
        }
    });
    QCOMPARE(open.size(), records.size());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

QTEST_MAIN(TestEditorSizes)
#include "test_editorsizes.moc"
