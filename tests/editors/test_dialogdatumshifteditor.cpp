#include "datumshiftfixture.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/dialogdependencies.h"
#include "browser/editorregistry.h"
#include "browser/framedatabasepicker.h"
#include "browser/framegeneralinfo.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "editors/datum/dialogdatumshifteditor.h"
#include "editors/datum/framedatumshifthelmert.h"
#include "editors/datum/framedatumshiftmolodensky.h"
#include "editors/datum/framedatumshiftmolodenskybadekas.h"
#include "editors/datum/framedatumshiftpairwiseparams.h"
#include "editors/datum/registerdatumeditors.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

const QStringList kParameterColumns{"tx", "ty", "tz", "rx", "ry", "rz", "dm", "px", "py", "pz",
                                    "convention", "exact", "length_unit", "angle_unit", "scale_unit"};

const QVariantMap kSevenTexts{{"editShiftX", "23.57"}, {"editShiftY", "-140.95"}, {"editShiftZ", "-79.8"},
                              {"editRotX", "0"},       {"editRotY", "-0.35"},     {"editRotZ", "0.79"},
                              {"editScale", "-0.22"}};

FrameDatabasePicker* typePicker(const QDialog& dialog)
{
    for (FrameDatabasePicker* picker : dialog.findChildren<FrameDatabasePicker*>()) {
        if (picker->tableId() == TableDatumShiftType)
            return picker;
    }
    return nullptr;
}

void setName(const QDialog& dialog, const QString& name)
{
    dialog.findChild<FrameGeneralInfo*>()->setName(name);
}

void chooseType(const QDialog& dialog, int type)
{
    FrameDatabasePicker* picker = typePicker(dialog);
    picker->setKey(type);
    emit picker->picked(type);
}

// The frame of the type that the dialog shows; null when none is shown.
QWidget* shownFrame(const QDialog& dialog)
{
    for (QWidget* frame : {static_cast<QWidget*>(dialog.findChild<FrameDatumShiftMolodensky*>()),
                           static_cast<QWidget*>(dialog.findChild<FrameDatumShiftHelmert*>()),
                           static_cast<QWidget*>(dialog.findChild<FrameDatumShiftMolodenskyBadekas*>())}) {
        if (!frame->isHidden())
            return frame;
    }
    return nullptr;
}

void clickSave(QDialog& dialog)
{
    dialog.findChild<QPushButton*>("buttonSave")->click();
}

// Every parameter column of the row: the value, or "NULL".
QVariantMap parameterColumns(int key)
{
    QVariantMap columns;
    for (const QString& column : kParameterColumns) {
        const QVariant value = shiftColumn(key, column);
        columns[column] = value.isNull() ? QVariant("NULL") : value;
    }
    return columns;
}

QVariantMap nullColumns(const QStringList& except)
{
    QVariantMap columns;
    for (const QString& column : kParameterColumns) {
        if (!except.contains(column))
            columns[column] = "NULL";
    }
    return columns;
}

int lastShift()
{
    return CTestDatabase::value("SELECT max(autokey) FROM datumshift;").toInt();
}

} // namespace

class TestDialogDatumShiftEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newShiftStoresTheColumnsOfItsType_data();
    void newShiftStoresTheColumnsOfItsType();
    void checksInOrder();
    void typeChangeFromSevenParametersToTranslations();
    void typeChangeWithinOneFrameKeepsTheInputs();
    void savingFromTheSelectorKeepsIdentifierRoleDatumAndFavourite();
    void extraModeAttachesTheShiftToItsDatum();
    void extraModeNeedsAnIdentifier();
    void cancelledCreateLeavesNothing();
    void editingAMissingRowFails();
    void eraseIsRefusedWhileADatumUsesTheShift();
    void eraseDeletesAnUnusedShift();
    void registeredForTheSelector();

private:
    // The units to pick in each frame, by frame picker order.
    QVector<int> unitKeys() const;
    // Fills a new dialog for the type with every input of its frame.
    void fillParameters(QDialog& dialog, int type) const;

    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    CShiftUnits m_units;
};

void TestDialogDatumShiftEditor::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    m_units = insertShiftUnits();
    QVERIFY(m_units.ppm != 0);
}

void TestDialogDatumShiftEditor::cleanup()
{
    QVERIFY(!CTestDatabase::inTransaction());
    m_prompt.reset();
    m_database.reset();
}

QVector<int> TestDialogDatumShiftEditor::unitKeys() const
{
    return {m_units.metre, m_units.second, m_units.ppm};
}

void TestDialogDatumShiftEditor::fillParameters(QDialog& dialog, int type) const
{
    QWidget* frame = shownFrame(dialog);
    QVERIFY(frame);
    if (type == 1) {
        typeInto(frame, {{"editTx", "23.57"}, {"editTy", "-140.95"}, {"editTz", "-79.8"}});
        pickIn(frame, 0, m_units.metre);
        return;
    }
    typeInto(frame, kSevenTexts);
    if (type == 3 || type == 5)
        typeInto(frame, {{"editPivotX", "2800000"}, {"editPivotY", "2200000"}, {"editPivotZ", "5300000"}});
    for (int picker = 0; picker < 3; ++picker)
        pickIn(frame, picker, unitKeys().at(picker));
}

void TestDialogDatumShiftEditor::newShiftStoresTheColumnsOfItsType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QVariantMap>("columns");
    QVariantMap translations = nullColumns({"tx", "ty", "tz", "length_unit"});
    translations.insert({{"tx", 23.57}, {"ty", -140.95}, {"tz", -79.8}, {"length_unit", "metre"}});
    QVariantMap seven = nullColumns({"tx", "ty", "tz", "rx", "ry", "rz", "dm", "exact", "length_unit", "angle_unit",
                                     "scale_unit"});
    seven.insert({{"tx", 23.57}, {"ty", -140.95}, {"tz", -79.8}, {"rx", 0.0}, {"ry", -0.35}, {"rz", 0.79},
                  {"dm", -0.22}, {"exact", 0}, {"length_unit", "metre"}, {"angle_unit", "second"},
                  {"scale_unit", "ppm"}});
    QVariantMap pivot = seven;
    pivot.insert({{"px", 2800000.0}, {"py", 2200000.0}, {"pz", 5300000.0}});
    QTest::newRow("1 Molodensky") << 1 << "FrameDatumShiftMolodensky" << translations;
    QTest::newRow("2 rotation-shift-scale") << 2 << "FrameDatumShiftHelmert" << seven;
    QTest::newRow("3 Molodensky-Badekas") << 3 << "FrameDatumShiftMolodenskyBadekas" << pivot;
    QTest::newRow("4 Helmert") << 4 << "FrameDatumShiftHelmert" << seven;
    QTest::newRow("5 Molodensky-Badekas, Helmert") << 5 << "FrameDatumShiftMolodenskyBadekas" << pivot;
}

void TestDialogDatumShiftEditor::newShiftStoresTheColumnsOfItsType()
{
    QFETCH(int, type);
    QFETCH(QString, frame);
    QFETCH(QVariantMap, columns);
    const QVariantMap unitNames{{"metre", m_units.metre}, {"second", m_units.second}, {"ppm", m_units.ppm}};
    for (auto it = columns.begin(); it != columns.end(); ++it) {
        if (unitNames.contains(it.value().toString()))
            it.value() = unitNames.value(it.value().toString());
    }

    DialogDatumShiftEditor dialog(NoValue, false);
    QVERIFY(!shownFrame(dialog));
    QVERIFY(dialog.findChild<QWidget*>("frameExport")->isHidden());
    QVERIFY(!dialog.findChild<FrameDatumShiftPairwiseParams*>());
    setName(dialog, "Пулково-WGS");
    chooseType(dialog, type);
    QCOMPARE(shownFrame(dialog)->objectName(), frame);
    fillParameters(dialog, type);
    clickSave(dialog);
    QCOMPARE(m_prompt->messageTexts(), QStringList());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    const int key = lastShift();
    QCOMPARE(parameterColumns(key), columns);
    QCOMPARE(shiftColumn(key, "type").toInt(), type);
    QCOMPARE(shiftColumn(key, "name").toString(), QStringLiteral("Пулково-WGS"));
    QCOMPARE(shiftColumn(key, "identifier").toString(), QString(""));
    for (const char* column : {"pairwise_role", "datum", "epsg", "favourite"})
        QVERIFY2(shiftColumn(key, column).isNull(), column);
    QVERIFY(shiftColumn(key, "last_use").toLongLong() > 0);
}

void TestDialogDatumShiftEditor::checksInOrder()
{
    DialogDatumShiftEditor dialog(NoValue, false);
    clickSave(dialog);
    setName(dialog, "s");
    clickSave(dialog);
    chooseType(dialog, 2);
    clickSave(dialog);
    fillParameters(dialog, 2);
    lineEdit(shownFrame(dialog), "editScale")->setText("-");
    clickSave(dialog);
    QCOMPARE(m_prompt->messageTexts(),
             QStringList({"Предупреждение|Заполните название",
                          "Предупреждение|Необходимо задать тип и параметры преобразования",
                          "Предупреждение|Необходимо задать смещения по всем осям координат",
                          "Предупреждение|Необходимо задать поправку масштаба"}));
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM datumshift;").toInt(), 0);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestDialogDatumShiftEditor::typeChangeFromSevenParametersToTranslations()
{
    const int key = insertShift({{"name", "s"}, {"type", 2}, {"tx", 1}, {"ty", 2}, {"tz", 3}, {"rx", 0.1},
                                 {"ry", 0.2}, {"rz", 0.3}, {"dm", 1e-07}, {"exact", 1}, {"epsg", 1234},
                                 {"length_unit", m_units.metre}, {"angle_unit", m_units.second},
                                 {"scale_unit", m_units.ppm}});
    DialogDatumShiftEditor dialog(key, false);
    QVERIFY(!dialog.findChild<QWidget*>("frameExport")->isHidden());
    QCOMPARE(lineEdit(shownFrame(dialog), "editScale")->text(), QStringLiteral("0.0000001"));
    chooseType(dialog, 1);
    QCOMPARE(lineEdit(shownFrame(dialog), "editTz")->text(), QStringLiteral("3"));
    clickSave(dialog);
    QCOMPARE(m_prompt->messageTexts(), QStringList());

    QVariantMap expected = nullColumns({"tx", "ty", "tz", "length_unit"});
    expected.insert({{"tx", 1.0}, {"ty", 2.0}, {"tz", 3.0}, {"length_unit", m_units.metre}});
    QCOMPARE(parameterColumns(key), expected);
    QCOMPARE(shiftColumn(key, "type").toInt(), 1);
    QCOMPARE(shiftColumn(key, "epsg").toInt(), 1234);
}

void TestDialogDatumShiftEditor::typeChangeWithinOneFrameKeepsTheInputs()
{
    const int key = insertShift({{"name", "s"}, {"type", 3}, {"tx", 1}, {"ty", 2}, {"tz", 3}});
    DialogDatumShiftEditor dialog(key, false);
    QWidget* frame = shownFrame(dialog);
    lineEdit(frame, "editShiftX")->setText("7");
    chooseType(dialog, 5);
    QCOMPARE(shownFrame(dialog), frame);
    QCOMPARE(lineEdit(frame, "editShiftX")->text(), QStringLiteral("7"));
    chooseType(dialog, 2);
    chooseType(dialog, 5);
    QCOMPARE(lineEdit(frame, "editShiftX")->text(), QStringLiteral("1"));
}

void TestDialogDatumShiftEditor::savingFromTheSelectorKeepsIdentifierRoleDatumAndFavourite()
{
    QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES ('Пулково 1942');"));
    const int key = insertShift({{"name", "s"}, {"type", 1}, {"tx", 1}, {"ty", 2}, {"tz", 3}, {"identifier", "a"},
                                 {"pairwise_role", 3}, {"datum", 1}, {"favourite", 1},
                                 {"length_unit", m_units.metre}});
    DialogDatumShiftEditor dialog(key, false);
    setName(dialog, "renamed");
    clickSave(dialog);
    QCOMPARE(m_prompt->messageTexts(), QStringList());
    QCOMPARE(shiftColumn(key, "name").toString(), QStringLiteral("renamed"));
    QCOMPARE(shiftColumn(key, "identifier").toString(), QStringLiteral("a"));
    QCOMPARE(shiftColumn(key, "pairwise_role").toInt(), 3);
    QCOMPARE(shiftColumn(key, "datum").toInt(), 1);
    QCOMPARE(shiftColumn(key, "favourite").toInt(), 1);
    QVERIFY(shiftColumn(key, "epsg").isNull());
}

void TestDialogDatumShiftEditor::extraModeAttachesTheShiftToItsDatum()
{
    QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES ('Пулково 1942');"));
    const CModalWatch watch = whenModal<DialogDatumShiftEditor>([this](DialogDatumShiftEditor* dialog) {
        setName(*dialog, "СК-42 - ПЗ-90");
        chooseType(*dialog, 1);
        fillParameters(*dialog, 1);
        auto* pairwise = dialog->findChild<FrameDatumShiftPairwiseParams*>();
        lineEdit(pairwise, "editIdentifier")->setText(" ПЗ-90 ");
        pairwise->findChild<QCheckBox*>("checkboxIndirect")->click();
        clickSave(*dialog);
    });
    const int key = DialogDatumShiftEditor::Create(true, 1);
    QCOMPARE(m_prompt->messageTexts(), QStringList());
    QCOMPARE(key, lastShift());
    QCOMPARE(shiftColumn(key, "datum").toInt(), 1);
    QCOMPARE(shiftColumn(key, "identifier").toString(), QStringLiteral("ПЗ-90"));
    QCOMPARE(shiftColumn(key, "pairwise_role").toInt(), 2);

    const CModalWatch edited = whenModal<DialogDatumShiftEditor>([](DialogDatumShiftEditor* dialog) {
        auto* pairwise = dialog->findChild<FrameDatumShiftPairwiseParams*>();
        QCOMPARE(pairwise->identifier(), QStringLiteral("ПЗ-90"));
        QCOMPARE(pairwise->pairwiseRole(), 2);
        pairwise->setPairwise("ПЗ-90.11", 0);
        clickSave(*dialog);
    });
    QVERIFY(DialogDatumShiftEditor::Edit(key, true));
    QCOMPARE(shiftColumn(key, "identifier").toString(), QStringLiteral("ПЗ-90.11"));
    QCOMPARE(shiftColumn(key, "pairwise_role").toInt(), 1);
    QCOMPARE(shiftColumn(key, "datum").toInt(), 1);
}

void TestDialogDatumShiftEditor::extraModeNeedsAnIdentifier()
{
    DialogDatumShiftEditor dialog(NoValue, true);
    setName(dialog, "s");
    chooseType(dialog, 1);
    fillParameters(dialog, 1);
    lineEdit(&dialog, "editIdentifier")->setText("  ");
    clickSave(dialog);
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Предупреждение|Необходимо задать идентификатор преобразования"});
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM datumshift;").toInt(), 0);
}

// What the dialog wrote before it was cancelled is undone with it, and no transaction stays open.
void TestDialogDatumShiftEditor::cancelledCreateLeavesNothing()
{
    const CModalWatch watch = whenModal<DialogDatumShiftEditor>([](DialogDatumShiftEditor* dialog) {
        QVERIFY(CTestDatabase::exec("INSERT INTO unitlength (name, factor_b, factor_c) VALUES ('made inside', 1, 1);"));
        dialog->findChild<QPushButton*>("buttonCancel")->click();
    });
    QCOMPARE(DialogDatumShiftEditor::Create(false, NoValue), NoValue);
    QVERIFY(!CTestDatabase::inTransaction());
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM unitlength WHERE name = 'made inside';").toInt(), 0);
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM datumshift;").toInt(), 0);
}

// A row deleted meanwhile is not taken for saved.
void TestDialogDatumShiftEditor::editingAMissingRowFails()
{
    const int key = insertShift({{"name", "s"}, {"type", 1}, {"tx", 1}, {"ty", 2}, {"tz", 3},
                                 {"length_unit", m_units.metre}});
    DialogDatumShiftEditor dialog(key, false);
    QVERIFY(DialogDatumShiftEditor::Delete(key, QString()));
    clickSave(dialog);
    QCOMPARE(m_prompt->messages().size(), 1);
    QVERIFY(m_prompt->messages().first().text.startsWith("Ошибка записи в базу данных"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestDialogDatumShiftEditor::eraseIsRefusedWhileADatumUsesTheShift()
{
    const int key = insertShift({{"name", "s"}, {"type", 1}, {"datum", 2}});
    QVERIFY(CTestDatabase::exec("INSERT INTO datum (name, description, datum_shift) VALUES ('Б', 'второй', ?), "
                                "('А', 'первый', ?), ('В', 'другой', NULL);",
                                {key, key}));
    QVERIFY(CTestDatabase::exec("UPDATE datumshift SET datum = (SELECT autokey FROM datum WHERE name = ?);", {"А"}));
    QVector<DependencyItem> items;
    QCOMPARE(DialogDatumShiftEditor::CollectDependents(key, items), 2);
    QCOMPARE(items.at(0).name, QStringLiteral("А"));
    QCOMPARE(items.at(1).name, QStringLiteral("Б"));
    QCOMPARE(items.at(1).typeTitle, QStringLiteral("Датум"));
    QCOMPARE(items.at(1).tableId, int(TableDatum));
    QCOMPARE(items.at(1).key, key);

    QVERIFY(CTestDatabase::exec("UPDATE datumshift SET datum = (SELECT autokey FROM datum WHERE name = ?);", {"В"}));
    QCOMPARE(DialogDatumShiftEditor::CollectDependents(key, items), 3);
    QCOMPARE(items.last().name, QStringLiteral("В"));

    QStringList shown;
    const CModalWatch watch = whenModal<DialogDependencies>([&shown](DialogDependencies* dialog) {
        auto* tree = dialog->findChild<QTreeWidget*>("treeDependencies");
        for (int row = 0; row < tree->topLevelItemCount(); ++row)
            shown.append(tree->topLevelItem(row)->text(1));
        dialog->close();
    });
    QVERIFY(!DialogDatumShiftEditor::Erase(key));
    QCOMPARE(shown, QStringList({"А", "Б", "В"}));
    QCOMPARE(shiftColumn(key, "name").toString(), QStringLiteral("s"));
}

void TestDialogDatumShiftEditor::eraseDeletesAnUnusedShift()
{
    const int key = insertShift({{"name", "s"}, {"type", 1}});
    QVector<DependencyItem> items;
    QCOMPARE(DialogDatumShiftEditor::CollectDependents(key, items), 0);
    QVERIFY(DialogDatumShiftEditor::Erase(key));
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM datumshift;").toInt(), 0);
    QVERIFY(!DialogDatumShiftEditor::Erase(key));
}

void TestDialogDatumShiftEditor::registeredForTheSelector()
{
    EditorRegistry::clear();
    registerDatumEditors();
    const CEditorOperations operations = EditorRegistry::get(TableDatumShift);
    QVERIFY(operations.create && operations.edit && operations.erase);

    const int key = insertShift({{"name", "s"}, {"type", 1}, {"tx", 1}, {"ty", 2}, {"tz", 3},
                                 {"length_unit", m_units.metre}, {"identifier", "a"}});
    bool pairwiseShown = true;
    const CModalWatch watch = whenModal<DialogDatumShiftEditor>([&pairwiseShown](DialogDatumShiftEditor* dialog) {
        pairwiseShown = dialog->findChild<FrameDatumShiftPairwiseParams*>() != nullptr;
        clickSave(*dialog);
    });
    QVERIFY(operations.edit(key));
    QVERIFY(!pairwiseShown);
    QVERIFY(operations.erase(key));
}

QTEST_MAIN(TestDialogDatumShiftEditor)
#include "test_dialogdatumshifteditor.moc"
