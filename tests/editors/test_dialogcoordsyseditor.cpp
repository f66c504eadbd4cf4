#include "coordsysfixture.h"
#include "datumfixture.h"
#include "definitionfixtures.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "storagefixture.h"
#include "testdatabase.h"
#include "transformfixture.h"

#include "browser/dialogdependencies.h"
#include "browser/editorregistry.h"
#include "browser/framedatabasepicker.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "database/tablecatalogue.h"
#include "editors/coordsys/dialogcoordsyseditor.h"
#include "editors/coordsys/framecoordsysgeocentric.h"
#include "editors/coordsys/framecoordsysgeodetic.h"
#include "editors/coordsys/framecoordsyslocalcartesian.h"
#include "editors/coordsys/framecoordsysprojected.h"
#include "editors/coordsys/framecoordsystopocentric.h"
#include "editors/coordsys/registercoordsyseditors.h"
#include "editors/transform/frameextra.h"
#include "editors/transform/frametransformlist.h"
#include "geodesy/coordoperator.h"
#include "geodesy/coords.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"
#include "records/transformliststorage.h"
#include "values/coordsysinfo.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {

using ColumnMap = QMap<QString, QString>;
using Step = std::function<void(QWidget* frame, const CCoordSysWorld& world)>;

const QStringList kParameterColumns{"datum", "ellipsoid", "prime_meridian", "map_proj", "vert_coordsys",
                                    "origin_coord1", "origin_coord2", "origin_coord3", "origin_angle_unit",
                                    "origin_length_unit", "azimuth", "azimuth_unit", "positive_longitude",
                                    "swap_coords", "length_unit", "angle_unit", "height_unit",
                                    "coord1_abbr", "coord2_abbr", "coord3_abbr", "transform_list", "epsg"};

Step pick(int tableId, int CCoordSysWorld::*key, int nth = 0)
{
    return [=](QWidget* frame, const CCoordSysWorld& world) { pickRecord(frame, tableId, world.*key, nth); };
}

Step type(const QString& edit, const QString& text)
{
    return [=](QWidget* frame, const CCoordSysWorld&) { frame->findChild<QLineEdit*>(edit)->setText(text); };
}

Step tick(const QString& box)
{
    return [=](QWidget* frame, const CCoordSysWorld&) { frame->findChild<QAbstractButton*>(box)->setChecked(true); };
}

// The inputs of each type in the order its checks ask for them; the last may be optional.
QVector<Step> stepsOf(int coordSysType)
{
    switch (coordSysType) {
    case 1:
        return {pick(TableUnitLength, &CCoordSysWorld::metre)};
    case 3:
        return {pick(TableUnitLength, &CCoordSysWorld::metre), pick(TablePrimeMeridian, &CCoordSysWorld::greenwich),
                pick(TableDatum, &CCoordSysWorld::datum)};
    case 4:
        return {pick(TableUnitAngle, &CCoordSysWorld::decimalDegree), pick(TableUnitLength, &CCoordSysWorld::metre),
                pick(TablePrimeMeridian, &CCoordSysWorld::greenwich), pick(TableDatum, &CCoordSysWorld::datum),
                tick("checkboxVerticalCoordSys"), pick(TableVertCoordSys, &CCoordSysWorld::heightSystem)};
    case 5:
        return {pick(TableUnitLength, &CCoordSysWorld::metre, 0), pick(TableUnitLength, &CCoordSysWorld::metre, 1),
                pick(TablePrimeMeridian, &CCoordSysWorld::greenwich), pick(TableMapProj, &CCoordSysWorld::projection),
                [](QWidget* frame, const CCoordSysWorld& world) {
                    frame->findChild<QAbstractButton*>("radioEllipsoid")->setChecked(true);
                    pickRecord(frame, TableEllipsoid, world.ellipsoid);
                }};
    case 6:
        return {pick(TableDatum, &CCoordSysWorld::datum), pick(TablePrimeMeridian, &CCoordSysWorld::greenwich),
                [](QWidget* frame, const CCoordSysWorld&) {
                    frame->findChild<QLineEdit*>("editOriginLatitude")->setText("55.75");
                    frame->findChild<QLineEdit*>("editOriginLongitude")->setText("37.6");
                    frame->findChild<QLineEdit*>("editOriginHeight")->setText("150");
                },
                pick(TableUnitAngle, &CCoordSysWorld::decimalDegree, 0), pick(TableUnitLength, &CCoordSysWorld::metre, 0),
                type("editAxesAzimuth", "30"), pick(TableUnitAngle, &CCoordSysWorld::decimalDegree, 1),
                pick(TableUnitLength, &CCoordSysWorld::metre, 1)};
    }
    return {};
}

// The shown parameter frame; null when none is shown.
QWidget* shownFrame(const QDialog& dialog)
{
    for (QWidget* frame : std::initializer_list<QWidget*>{
             dialog.findChild<FrameCoordSysLocalCartesian*>(), dialog.findChild<FrameCoordSysGeocentric*>(),
             dialog.findChild<FrameCoordSysGeodetic*>(), dialog.findChild<FrameCoordSysProjected*>(),
             dialog.findChild<FrameCoordSysTopocentric*>()}) {
        if (!frame->isHidden())
            return frame;
    }
    return nullptr;
}

void chooseType(const QDialog& dialog, int code)
{
    pickRecord(&dialog, TableCoordSysType, code);
}

void setName(const QDialog& dialog, const QString& name)
{
    dialog.findChild<FrameGeneralInfo*>()->setName(name);
}

void clickSave(QDialog& dialog)
{
    dialog.findChild<QPushButton*>("buttonSave")->click();
}

// Adds a plane shift of that name to the dialog's own transform list through its frame.
void addTransform(QDialog& dialog, const QString& name)
{
    dialog.findChild<QCheckBox*>("checkboxShowTransforms")->setChecked(true);
    const CModalWatch watch = answerTransformEditor(name);
    dialog.findChild<FrameTransformList*>()->findChild<QPushButton*>("buttonAdd")->click();
}

// Adds a transform list of that name to the extra transformations through the dialog's frame.
void addExtraList(QDialog& dialog, const QString& name)
{
    dialog.findChild<QCheckBox*>("checkboxShowExtra")->setChecked(true);
    const CModalWatch watch = makeExtraList(name);
    dialog.findChild<FrameExtra*>()->slotAdd();
}

void clickCancel(QDialog& dialog)
{
    dialog.findChild<QPushButton*>("buttonCancel")->click();
}

// Names a new system of the type and gives every input its frame asks for.
void fillNewSystem(QDialog& dialog, int coordSysType, const CCoordSysWorld& world)
{
    setName(dialog, QStringLiteral("Система"));
    chooseType(dialog, coordSysType);
    for (const Step& step : stepsOf(coordSysType))
        step(shownFrame(dialog), world);
}

// The stored parameter columns: the value as text, or "NULL".
ColumnMap parameterColumns(int key)
{
    ColumnMap columns;
    for (const QString& column : kParameterColumns) {
        const QVariant value = coordSysColumn(key, column);
        columns[column] = value.isNull() ? QStringLiteral("NULL") : value.toString();
    }
    return columns;
}

// The expected columns: names of keys of the world are replaced by the keys, every column
// not given is NULL.
ColumnMap expectedColumns(const ColumnMap& given, const CCoordSysWorld& world)
{
    const QMap<QString, int> keys{{"metre", world.metre},         {"degree", world.decimalDegree},
                                  {"greenwich", world.greenwich}, {"datum", world.datum},
                                  {"ellipsoid", world.ellipsoid}, {"projection", world.projection},
                                  {"heights", world.heightSystem}};
    ColumnMap columns;
    for (const QString& column : kParameterColumns) {
        const QString value = given.value(column, QStringLiteral("NULL"));
        columns[column] = keys.contains(value) ? QString::number(keys[value]) : value;
    }
    return columns;
}

// Recalculates the point texts from the first system into the second.
QList<double> recalculate(int from, int to, const QStringList& texts)
{
    CCoordSysDetails source;
    CCoordSysDetails target;
    CCoordSysInfo sourceInfo;
    CCoordSysInfo targetInfo;
    vexa::CCoordSysParams sourceParams;
    vexa::CCoordSysParams targetParams;
    if (!readCoordSysDetails(from, source) || !readCoordSysDetails(to, target) || !source.toInfo(sourceInfo)
        || !target.toInfo(targetInfo) || !sourceInfo.toCoordSysParams(sourceParams, nullptr)
        || !targetInfo.toCoordSysParams(targetParams, nullptr))
        return {};
    const auto coordOperator = vexa::CCoordOperator::create(sourceParams, targetParams);
    vexa::CCoords point;
    vexa::CCoords result;
    if (!coordOperator
        || !sourceInfo.stringsToCoords(
            CCoordStrings(texts[0].toStdString(), texts[1].toStdString(), texts[2].toStdString()), point)
        || !coordOperator->transform(point, &result))
        return {};
    return {result.first, result.second, result.third};
}

} // namespace

class TestDialogCoordSysEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void checksInOrderAndColumnsWritten_data();
    void checksInOrderAndColumnsWritten();
    void typeChangeEmptiesTheColumnsOfTheOldType();
    void loadShowsTheStoredSystem();
    void storedTypeOutsideTheFiveShowsNoFrame();
    void editReturnsWhetherSaved();
    void cancelledCreateLeavesTheTablesAsTheyWere();
    void newSystemOwnsItsExtraLists();
    void ownTransformListIsSavedWithTheSystem();
    void eraseDeletesTheSystemWithItsLists();
    void failedEraseLeavesEverything();
    void roadOfOneEdit();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    CCoordSysWorld m_world;
};

void TestDialogCoordSysEditor::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    m_world = storeCoordSysWorld();
    QVERIFY(m_world.heightSystem != NoValue);
    EditorRegistry::clear();
    registerCoordSysEditors();
}

void TestDialogCoordSysEditor::cleanup()
{
    QVERIFY(!CTestDatabase::inTransaction());
    m_prompt.reset();
    m_database.reset();
}

void TestDialogCoordSysEditor::checksInOrderAndColumnsWritten_data()
{
    QTest::addColumn<int>("coordSysType");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<ColumnMap>("columns");

    QTest::newRow("local Cartesian") << 1 << QStringList{"Необходимо задать единицу измерения координат"}
                                     << ColumnMap{{"length_unit", "metre"},
                                                               {"swap_coords", "0"},
                                                               {"coord1_abbr", "x"},
                                                               {"coord2_abbr", "y"},
                                                               {"coord3_abbr", "z"}};
    QTest::newRow("geocentric") << 3
                                << QStringList{"Необходимо задать единицу измерения координат",
                                               "Необходимо задать начальный меридиан", "Необходимо задать датум"}
                                << ColumnMap{{"length_unit", "metre"}, {"prime_meridian", "greenwich"},
                                                          {"datum", "datum"},       {"coord1_abbr", "X"},
                                                          {"coord2_abbr", "Y"},     {"coord3_abbr", "Z"}};
    QTest::newRow("geodetic") << 4
                              << QStringList{"Необходимо задать единицу измерения широты и долготы",
                                             "Необходимо задать единицу измерения высоты",
                                             "Необходимо задать начальный меридиан", "Необходимо задать датум",
                                             QString(), "Необходимо задать систему высот"}
                              << ColumnMap{{"angle_unit", "degree"},   {"height_unit", "metre"},
                                                        {"prime_meridian", "greenwich"}, {"datum", "datum"},
                                                        {"vert_coordsys", "heights"}, {"positive_longitude", "0"},
                                                        {"coord1_abbr", "φ"},       {"coord2_abbr", "λ"},
                                                        {"coord3_abbr", "h"}};
    QTest::newRow("projected") << 5
                               << QStringList{"Необходимо задать единицу измерения плановых координат",
                                              "Необходимо задать единицу измерения высоты",
                                              "Необходимо задать начальный меридиан",
                                              "Необходимо задать картографическую проекцию", "Необходимо задать датум"}
                               << ColumnMap{{"length_unit", "metre"},    {"height_unit", "metre"},
                                                         {"prime_meridian", "greenwich"}, {"map_proj", "projection"},
                                                         {"ellipsoid", "ellipsoid"}, {"coord1_abbr", "E"},
                                                         {"coord2_abbr", "N"},       {"coord3_abbr", "H"},
                                                         {"epsg", "32637"}};
    QTest::newRow("topocentric")
        << 6
        << QStringList{"Необходимо задать датум",
                       "Необходимо задать начальный меридиан",
                       "Необходимо задать координаты начала отсчета",
                       "Необходимо задать единицу измерения широты и долготы начала отсчета",
                       "Необходимо задать единицу измерения высоты начала отсчета",
                       "Необходимо задать азимут направления первой оси системы координат",
                       "Необходимо задать единицу измерения азимута",
                       "Необходимо задать единицу измерения координат"}
        << ColumnMap{{"datum", "datum"},          {"prime_meridian", "greenwich"},
                                  {"origin_coord1", "55.75"},  {"origin_coord2", "37.6"},
                                  {"origin_coord3", "150"},    {"origin_angle_unit", "degree"},
                                  {"origin_length_unit", "metre"}, {"azimuth", "30"},
                                  {"azimuth_unit", "degree"},  {"swap_coords", "0"},
                                  {"length_unit", "metre"},    {"coord1_abbr", "x"},
                                  {"coord2_abbr", "y"},        {"coord3_abbr", "z"}};
}

// Each input of the type is given after OK has asked for it; the last OK writes the row.
void TestDialogCoordSysEditor::checksInOrderAndColumnsWritten()
{
    QFETCH(int, coordSysType);
    QFETCH(QStringList, faults);
    QFETCH(ColumnMap, columns);

    DialogCoordSysEditor dialog(NoValue);
    const auto saveGives = [&](const QString& fault) {
        m_prompt->clear();
        clickSave(dialog);
        return m_prompt->messages().value(0).text == fault;
    };
    QVERIFY(saveGives("Заполните название"));
    setName(dialog, QStringLiteral("Система's \"%1\""));
    QVERIFY(saveGives("Необходимо задать тип системы координат"));
    chooseType(dialog, coordSysType);
    if (coordSysType == 5)
        dialog.findChild<FrameExport*>()->setCode(ExportEpsg, 32637);
    const QVector<Step> steps = stepsOf(coordSysType);
    QCOMPARE(steps.size(), faults.size());
    for (int i = 0; i < steps.size(); ++i) {
        if (!faults[i].isEmpty())
            QVERIFY2(saveGives(faults[i]), qPrintable(m_prompt->messageTexts().join(", ")));
        steps[i](shownFrame(dialog), m_world);
    }
    QVERIFY(saveGives(QString()));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    const int key = CTestDatabase::value("SELECT max(autokey) FROM coordsys;").toInt();
    QCOMPARE(coordSysColumn(key, "name").toString(), QStringLiteral("Система's \"%1\""));
    QCOMPARE(coordSysColumn(key, "type").toInt(), coordSysType);
    QVERIFY(coordSysColumn(key, "last_use").toLongLong() > 0);
    QCOMPARE(parameterColumns(key), expectedColumns(columns, m_world));
}

void TestDialogCoordSysEditor::typeChangeEmptiesTheColumnsOfTheOldType()
{
    const int key = insertCoordSysRow({{"name", "Геодезическая"}, {"type", 4}, {"datum", m_world.datum},
                                       {"prime_meridian", m_world.greenwich}, {"vert_coordsys", m_world.heightSystem},
                                       {"positive_longitude", 1}, {"angle_unit", m_world.decimalDegree},
                                       {"height_unit", m_world.metre}, {"epsg", 4326}});
    DialogCoordSysEditor dialog(key);
    chooseType(dialog, 1);
    QCOMPARE(shownFrame(dialog), dialog.findChild<FrameCoordSysLocalCartesian*>());
    pickRecord(shownFrame(dialog), TableUnitLength, m_world.metre);
    clickSave(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(coordSysColumn(key, "type").toInt(), 1);
    QCOMPARE(parameterColumns(key), expectedColumns({{"length_unit", "metre"},
                                                     {"swap_coords", "0"},
                                                     {"coord1_abbr", ""},
                                                     {"coord2_abbr", ""},
                                                     {"coord3_abbr", ""},
                                                     {"epsg", "4326"}},
                                                    m_world));
}

void TestDialogCoordSysEditor::loadShowsTheStoredSystem()
{
    DialogCoordSysEditor dialog(m_world.utm);
    QCOMPARE(shownFrame(dialog), dialog.findChild<FrameCoordSysProjected*>());
    QCOMPARE(dialog.findChild<FrameGeneralInfo*>()->name(), QStringLiteral("WGS 84 / UTM zone 37N"));
    QCOMPARE(pickerOf(&dialog, TableCoordSysType)->key(), 5);
    QCOMPARE(pickerOf(shownFrame(dialog), TableMapProj)->key(), m_world.projection);
    for (const char* box : {"checkboxShowTransforms", "checkboxShowExport"})
        QVERIFY(!dialog.findChild<QCheckBox*>(box)->isChecked());
    QVERIFY(dialog.findChild<QWidget*>("frameExport")->isHidden());

    chooseType(dialog, 4);
    QCOMPARE(shownFrame(dialog), dialog.findChild<FrameCoordSysGeodetic*>());
    QCOMPARE(pickerOf(shownFrame(dialog), TableDatum)->key(), m_world.datum);
    clickCancel(dialog);
    QCOMPARE(coordSysColumn(m_world.utm, "type").toInt(), 5);
}

void TestDialogCoordSysEditor::storedTypeOutsideTheFiveShowsNoFrame()
{
    const int key = insertCoordSysRow({{"name", "Неизвестная"}, {"type", 2}, {"epsg", 1234}});
    DialogCoordSysEditor dialog(key);
    QCOMPARE(shownFrame(dialog), nullptr);
    QCOMPARE(pickerOf(&dialog, TableCoordSysType)->key(), NoValue);
    QVERIFY(dialog.findChild<QCheckBox*>("checkboxShowExport")->isChecked());
    QCOMPARE(dialog.findChild<FrameExport*>()->code(ExportEpsg), 1234);
}

void TestDialogCoordSysEditor::editReturnsWhetherSaved()
{
    const auto edit = [this](const std::function<void(DialogCoordSysEditor*)>& handle) {
        const CModalWatch watch = whenModal<DialogCoordSysEditor>(handle);
        return EditorRegistry::get(TableCoordSys).edit(m_world.utm);
    };
    QVERIFY(!edit([](DialogCoordSysEditor* dialog) { clickCancel(*dialog); }));
    QVERIFY(!edit([](DialogCoordSysEditor* dialog) { dialog->close(); }));
    QVERIFY(coordSysColumn(m_world.utm, "description").toString().isEmpty());
    QVERIFY(edit([](DialogCoordSysEditor* dialog) {
        dialog->findChild<FrameGeneralInfo*>()->setDescription(QStringLiteral("Зона 37"));
        clickSave(*dialog);
    }));
    QCOMPARE(coordSysColumn(m_world.utm, "description").toString(), QStringLiteral("Зона 37"));

    // The row is gone: the UPDATE matches nothing, which is a failed write.
    QVERIFY(CTestDatabase::exec("DELETE FROM coordsys WHERE autokey = ?;", {m_world.utm}));
    QVERIFY(!edit([this](DialogCoordSysEditor* dialog) {
        QVERIFY(dialog->findChild<FrameGeneralInfo*>()->name().isEmpty());
        fillNewSystem(*dialog, 1, m_world);
        clickSave(*dialog);
        clickCancel(*dialog);
    }));
    QCOMPARE(m_prompt->messageTexts().value(0).section('|', 1, 1).section(':', 0, 0),
             QStringLiteral("Ошибка записи в базу данных"));
}

// Rows that the embedded frames write meanwhile go with the cancel.
void TestDialogCoordSysEditor::cancelledCreateLeavesTheTablesAsTheyWere()
{
    const auto before = rowCounts();
    const auto writeThenCancel = [this](DialogCoordSysEditor* dialog) {
        fillNewSystem(*dialog, 5, m_world);
        addTransform(*dialog, "T");
        addExtraList(*dialog, "Дополнительный");
        QVERIFY(dialog->findChild<FrameTransformList*>()->listKey() != NoValue);
        QCOMPARE(dialog->findChild<FrameExtra*>()->itemCount(), 1);
        clickCancel(*dialog);
    };
    {
        const CModalWatch watch = whenModal<DialogCoordSysEditor>(writeThenCancel);
        QCOMPARE(EditorRegistry::get(TableCoordSys).create(), NoValue);
    }
    QCOMPARE(rowCounts(), before);
    const CModalWatch watch = whenModal<DialogCoordSysEditor>(writeThenCancel);
    QVERIFY(!EditorRegistry::get(TableCoordSys).edit(m_world.utm));
    QCOMPARE(rowCounts(), before);
}

void TestDialogCoordSysEditor::newSystemOwnsItsExtraLists()
{
    const CModalWatch watch = whenModal<DialogCoordSysEditor>([this](DialogCoordSysEditor* dialog) {
        fillNewSystem(*dialog, 1, m_world);
        addExtraList(*dialog, "Дополнительный");
        clickSave(*dialog);
    });
    const int key = EditorRegistry::get(TableCoordSys).create();
    QVERIFY(key != NoValue);
    QCOMPARE(CTestDatabase::column("SELECT owner FROM transformlist WHERE owner_table = 'coordsys';"),
             QVariantList{key});

    DialogCoordSysEditor dialog(key);
    QVERIFY(dialog.findChild<QCheckBox*>("checkboxShowExtra")->isChecked());
    QVERIFY(!dialog.findChild<QWidget*>("frameExtra")->isHidden());
    QCOMPARE(dialog.findChild<FrameExtra*>()->itemCount(), 1);
}

void TestDialogCoordSysEditor::ownTransformListIsSavedWithTheSystem()
{
    int listKey = NoValue;
    {
        const CModalWatch watch = whenModal<DialogCoordSysEditor>([&listKey](DialogCoordSysEditor* dialog) {
            addTransform(*dialog, "Сдвиг");
            listKey = dialog->findChild<FrameTransformList*>()->listKey();
            clickSave(*dialog);
        });
        QVERIFY(EditorRegistry::get(TableCoordSys).edit(m_world.utm));
    }
    QVERIFY(listKey != NoValue);
    QCOMPARE(coordSysColumn(m_world.utm, "transform_list").toInt(), listKey);
    QCOMPARE(transformNames(listKey), QStringList{"Сдвиг"});

    DialogCoordSysEditor dialog(m_world.utm);
    QVERIFY(dialog.findChild<QCheckBox*>("checkboxShowTransforms")->isChecked());
    QVERIFY(!dialog.findChild<QWidget*>("frameTransformList")->isHidden());
    QCOMPARE(dialog.findChild<FrameTransformList*>()->listKey(), listKey);
}

void TestDialogCoordSysEditor::eraseDeletesTheSystemWithItsLists()
{
    const int own = TransformListStorage::InsertDetails(transformList(1, "own"), NoValue, QString());
    const int owned = TransformListStorage::InsertDetails(transformList(1, "owned"), m_world.utm, "coordsys");
    const int foreign = TransformListStorage::InsertDetails(transformList(1, "foreign"), m_world.utm, "datum");
    QVERIFY(CTestDatabase::exec("UPDATE coordsys SET transform_list = ? WHERE autokey = ?;", {own, m_world.utm}));
    QVERIFY(own != NoValue && owned != NoValue && foreign != NoValue);

    QVector<DependencyItem> items(1);
    QCOMPARE(DialogCoordSysEditor::CollectDependents(m_world.utm, items), 0);
    QVERIFY(items.isEmpty());
    QVERIFY(EditorRegistry::get(TableCoordSys).erase(m_world.utm));
    QVERIFY(!coordSysColumn(m_world.utm, "name").isValid());
    QCOMPARE(CTestDatabase::column("SELECT autokey FROM transformlist;"), QVariantList{foreign});
    QVERIFY(CTestDatabase::value("SELECT count(*) FROM transform WHERE transform_list <> ?;", {foreign}).toInt() == 0);
    QVERIFY(EditorRegistry::get(TableCoordSys).erase(m_world.wgs84));
    QVERIFY(!EditorRegistry::get(TableCoordSys).erase(m_world.wgs84));
}

void TestDialogCoordSysEditor::failedEraseLeavesEverything()
{
    TransformListStorage::InsertDetails(transformList(1, "first"), m_world.utm, "coordsys");
    TransformListStorage::InsertDetails(transformList(1, "second"), m_world.utm, "coordsys");
    QVERIFY(injectFailure(TableTransformList, "DELETE", "OLD.identifier = 'second'"));
    const auto before = rowCounts();
    QVERIFY(!DialogCoordSysEditor::Erase(m_world.utm));
    QCOMPARE(rowCounts(), before);
}

// A projected system made through the dialog recalculates a point as cs2cs does:
//   echo "37.6 55.75 0" | cs2cs -f %.4f +proj=longlat +datum=WGS84 +to +proj=utm +zone=37 +datum=WGS84
//   412125.4592	6179143.3236 0.0000
void TestDialogCoordSysEditor::roadOfOneEdit()
{
    const CModalWatch watch = whenModal<DialogCoordSysEditor>([this](DialogCoordSysEditor* dialog) {
        setName(*dialog, QStringLiteral("UTM 37 на WGS 84"));
        chooseType(*dialog, 5);
        QWidget* frame = shownFrame(*dialog);
        pickRecord(frame, TablePrimeMeridian, m_world.greenwich);
        pickRecord(frame, TableDatum, m_world.datum);
        pickRecord(frame, TableMapProj, m_world.projection);
        pickRecord(frame, TableUnitLength, m_world.metre, 0);
        pickRecord(frame, TableUnitLength, m_world.metre, 1);
        clickSave(*dialog);
    });
    const int key = EditorRegistry::get(TableCoordSys).create();
    QVERIFY(key != NoValue);
    QVERIFY(m_prompt->messages().isEmpty());

    const QList<double> point = recalculate(m_world.wgs84, key, {"55.75", "37.6", "0"});
    QCOMPARE(point.size(), 3);
    QVERIFY2(std::fabs(point[0] - 412125.4592) < 1e-3, qPrintable(QString::number(point[0], 'f', 4)));
    QVERIFY2(std::fabs(point[1] - 6179143.3236) < 1e-3, qPrintable(QString::number(point[1], 'f', 4)));
    QVERIFY(std::fabs(point[2]) < 1e-3);
}

QTEST_MAIN(TestDialogCoordSysEditor)
#include "test_dialogcoordsyseditor.moc"
