#include "datumshiftfixture.h"
#include "editorfixture.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/editorregistry.h"
#include "browser/framedatabasepicker.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "editors/coordsys/dialogmapprojectioneditor.h"
#include "editors/coordsys/registercoordsyseditors.h"
#include "records/mapprojdetails.h"
#include "records/mapprojstorage.h"

#include <QComboBox>
#include <QDoubleValidator>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

using CodeTexts = QMap<int, QString>;

QTableWidget* paramTable(const QDialog& dialog)
{
    return dialog.findChild<QTableWidget*>("tableMapProjectionParams");
}

// The picker of the table inside the dialog.
FrameDatabasePicker* picker(const QDialog& dialog, int tableId)
{
    for (FrameDatabasePicker* each : dialog.findChildren<FrameDatabasePicker*>()) {
        if (each->tableId() == tableId)
            return each;
    }
    return nullptr;
}

void pick(const QDialog& dialog, int tableId, int key)
{
    FrameDatabasePicker* chosen = picker(dialog, tableId);
    chosen->setKey(key);
    emit chosen->picked(key);
}

QWidget* input(const QDialog& dialog, int code)
{
    QTableWidget* table = paramTable(dialog);
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->data(Qt::UserRole).toInt() == code)
            return table->cellWidget(row, 1);
    }
    return nullptr;
}

// What the input shows: the text, the number, or the chosen item.
QString shown(QWidget* widget)
{
    if (auto* spin = qobject_cast<QSpinBox*>(widget))
        return QString::number(spin->value());
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    return qobject_cast<QLineEdit*>(widget)->text();
}

void enter(const QDialog& dialog, const CodeTexts& texts)
{
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        QWidget* widget = input(dialog, it.key());
        if (auto* spin = qobject_cast<QSpinBox*>(widget))
            spin->setValue(it.value().toInt());
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            combo->setCurrentIndex(combo->findText(it.value()));
        else
            qobject_cast<QLineEdit*>(widget)->setText(it.value());
    }
}

// "code|input|unit" per table row; the input is "edit" with its validator, "spin" with its
// range or "combo" with its items.
QStringList describeRows(const QDialog& dialog)
{
    QStringList rows;
    QTableWidget* table = paramTable(dialog);
    for (int row = 0; row < table->rowCount(); ++row) {
        QWidget* widget = table->cellWidget(row, 1);
        QString kind;
        if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
            kind = QString("spin %1..%2").arg(spin->minimum()).arg(spin->maximum());
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items.append(combo->itemText(i));
            kind = "combo " + items.join(",");
        } else {
            const QValidator* validator = qobject_cast<QLineEdit*>(widget)->validator();
            if (auto* number = qobject_cast<const QDoubleValidator*>(validator))
                kind = QString("edit %1").arg(number->decimals());
            else
                kind = qobject_cast<const QRegularExpressionValidator*>(validator) ? "edit pattern" : "edit";
        }
        rows.append(QString("%1|%2|%3")
                        .arg(table->item(row, 0)->data(Qt::UserRole).toInt())
                        .arg(kind, table->item(row, 2)->text()));
    }
    return rows;
}

CodeTexts storedValues(int key)
{
    CodeTexts values;
    const QVariantList codes =
        CTestDatabase::column("SELECT param FROM mapprojparamvalue WHERE map_proj = ? ORDER BY param;", {key});
    for (const QVariant& code : codes)
        values.insert(code.toInt(), CTestDatabase::value("SELECT value FROM mapprojparamvalue WHERE map_proj = ? "
                                                         "AND param = ?;",
                                                         {key, code})
                                        .toString());
    return values;
}

QVariant projColumn(int key, const QString& column)
{
    return columnOf("mapproj", "autokey", key, column);
}

void setAxes(const QDialog& dialog, int first, int second)
{
    dialog.findChild<QComboBox*>("comboAxis1Direction")->setCurrentIndex(first);
    dialog.findChild<QComboBox*>("comboAxis2Direction")->setCurrentIndex(second);
}

const CodeTexts kTransverseMercator{{103, "39 00 00"}, {11, "0"}, {104, "0.9996"}, {5, "500000"}, {6, "-100.5"}};

} // namespace

class TestDialogMapProjectionEditor : public CEditorTestCase
{
    Q_OBJECT

protected:
    void prepare() override;

private slots:
    void paramTableOfTheType_data();
    void paramTableOfTheType();
    void createdProjectionReadsBackAsTyped();
    void checksInOrder();
    void storedValueShown_data();
    void storedValueShown();
    void angleValueThatTheNewUnitRefusesIsKeptButNotSaved_data();
    void angleValueThatTheNewUnitRefusesIsKeptButNotSaved();
    void angleTypedAfterTheUnitIsStoredOnlyAsItsUnitReadsIt_data();
    void angleTypedAfterTheUnitIsStoredOnlyAsItsUnitReadsIt();
    void typeSwitchKeepsSharedValues();
    void failedValueWriteUndoesTheSave();
    void eraseIsRefusedWhileACoordinateSystemUsesIt();
    void registeredForTheSelector();

private:
    // A stored projection of the type with the values, in metres, DMS degrees and ppm.
    int storeProjection(int type, const CodeTexts& values) const;

    CShiftUnits m_units;
};

void TestDialogMapProjectionEditor::prepare()
{
    m_units = insertShiftUnits();
    QVERIFY(m_units.ppm != 0);
    // An angular unit without format, as the shipped degree: its values are decimal numbers.
    QVERIFY(insertUnit(TableUnitAngle, "секунда", 1, 206264.8) != 0);
    // Degrees, minutes and seconds with a hemisphere letter: no value is read in it.
    QVERIFY(insertUnit(TableUnitAngle, "Градус ГМСП", 3.14159265358979, 180, 3) != 0);
}

int TestDialogMapProjectionEditor::storeProjection(int type, const CodeTexts& values) const
{
    const int key = insertRow("mapproj", {{"name", "Проекция"}, {"type", type}, {"length_unit", m_units.metre},
                                          {"angle_unit", m_units.dmsDegree}, {"scale_unit", m_units.ppm},
                                          {"coord1_sign", 1}, {"coord2_sign", 1}, {"swap_coords", 0}});
    for (auto it = values.begin(); it != values.end(); ++it)
        insertRow("mapprojparamvalue", {{"map_proj", key}, {"param", it.key()}, {"value", it.value()}});
    return key;
}

void TestDialogMapProjectionEditor::paramTableOfTheType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<CodeTexts>("typed");
    QTest::addColumn<CodeTexts>("stored");
    QTest::addColumn<QVariantList>("units");
    const QString dms = "Градус ГМС";
    QTest::newRow("transverse Mercator")
        << 1
        << QStringList{"103|edit pattern|" + dms, "11|edit pattern|" + dms, "104|edit 9|ppm", "5|edit 9|м",
                       "6|edit 9|м"}
        << kTransverseMercator << kTransverseMercator << QVariantList{"metre", "dms", "ppm"};
    QTest::newRow("UTM") << 1002 << QStringList{"101|spin 1..60|", "102|combo Northern,Southern|"}
                         << CodeTexts{{101, "37"}, {102, "Southern"}} << CodeTexts{{101, "37"}, {102, "S"}}
                         << QVariantList{QVariant(), QVariant(), QVariant()};
    QTest::newRow("CK-63") << 1004
                           << QStringList{"107|combo C,D,E,F,G,I,J,L,M,P,Q,R,S,T,V,W,X|", "101|spin 1..20|",
                                          "24|edit pattern|" + dms}
                           << CodeTexts{{107, "T"}, {101, "20"}, {24, "3"}}
                           << CodeTexts{{107, "T"}, {101, "20"}, {24, "3"}}
                           << QVariantList{QVariant(), "dms", QVariant()};
}

void TestDialogMapProjectionEditor::paramTableOfTheType()
{
    QFETCH(int, type);
    QFETCH(QStringList, rows);
    QFETCH(CodeTexts, typed);
    QFETCH(CodeTexts, stored);
    QFETCH(QVariantList, units);
    const QMap<QString, int> unitKeys{{"metre", m_units.metre}, {"dms", m_units.dmsDegree}, {"ppm", m_units.ppm}};

    DialogMapProjectionEditor dialog(NoValue);
    QCOMPARE(paramTable(dialog)->rowCount(), 0);
    generalInfoOf(dialog)->setName("Новая");
    pick(dialog, TableMapProjType, type);
    const int unitTables[] = {TableUnitLength, TableUnitAngle, TableUnitScale};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(picker(dialog, unitTables[i])->isPickEnabled(), units.at(i).isValid());
        if (units.at(i).isValid())
            pick(dialog, unitTables[i], unitKeys.value(units.at(i).toString()));
    }
    QCOMPARE(describeRows(dialog), rows);
    enter(dialog, typed);
    click(&dialog, "buttonSave");
    QCOMPARE(messages(), QStringList());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    const int key = CTestDatabase::value("SELECT max(autokey) FROM mapproj;").toInt();
    QCOMPARE(storedValues(key), stored);
    const char* const columns[] = {"length_unit", "angle_unit", "scale_unit"};
    for (int i = 0; i < 3; ++i) {
        const QVariant expected = units.at(i).isValid() ? QVariant(unitKeys.value(units.at(i).toString())) : QVariant();
        QCOMPARE(projColumn(key, columns[i]).isNull(), !expected.isValid());
        if (expected.isValid())
            QCOMPARE(projColumn(key, columns[i]).toInt(), expected.toInt());
    }
}

void TestDialogMapProjectionEditor::createdProjectionReadsBackAsTyped()
{
    QVERIFY(CTestDatabase::exec("INSERT INTO epsgmapproj (code, name) VALUES (9807, 'Transverse Mercator');"));
    const CModalWatch watch = whenModal<DialogMapProjectionEditor>([this](DialogMapProjectionEditor* dialog) {
        FrameGeneralInfo* info = generalInfoOf(*dialog);
        info->setName("Пулково ТМ");
        info->setShortName("ТМ'");
        info->setDescription("осевой 39°");
        pick(*dialog, TableMapProjType, 1);
        pick(*dialog, TableUnitLength, m_units.metre);
        pick(*dialog, TableUnitAngle, m_units.dmsDegree);
        pick(*dialog, TableUnitScale, m_units.ppm);
        enter(*dialog, kTransverseMercator);
        setAxes(*dialog, 0, 3);
        dialog->findChild<QLineEdit*>("editAxis1Symbol")->setText("x");
        dialog->findChild<QLineEdit*>("editAxis2Symbol")->setText("y");
        dialog->findChild<FrameExport*>()->setCode(ExportEpsg, 9807);
        click(dialog, "buttonSave");
    });
    const int key = DialogMapProjectionEditor::Create();
    QCOMPARE(messages(), QStringList());
    QVERIFY(key != NoValue);

    CMapProjDetails projection;
    QVERIFY(MapProjStorage::ReadDetails(key, projection));
    QCOMPARE(QStringList({projection.name, projection.shortName, projection.description}),
             QStringList({"Пулково ТМ", "ТМ'", "осевой 39°"}));
    QCOMPARE(projection.mapProjType.code, 1);
    QCOMPARE(projection.paramValues, kTransverseMercator);
    QCOMPARE(QStringList({projection.lengthUnit->name, projection.angleUnit->name, projection.scaleUnit->name}),
             QStringList({"Метр", "Градус ГМС", "Миллионная доля"}));
    QCOMPARE(QVariantList({projection.coord1Sign, projection.coord2Sign, projection.swapCoords}),
             QVariantList({-1, 1, 1}));
    QCOMPARE(QStringList({projection.coord1Abbr, projection.coord2Abbr}), QStringList({"x", "y"}));
    QCOMPARE(projection.epsgCode, 9807);

    DialogMapProjectionEditor reopened(key);
    QCOMPARE(reopened.findChild<QComboBox*>("comboAxis1Direction")->currentIndex(), 0);
    QCOMPARE(reopened.findChild<QComboBox*>("comboAxis2Direction")->currentIndex(), 3);
    QVERIFY(!reopened.findChild<QWidget*>("frameExport")->isHidden());
    QCOMPARE(shown(input(reopened, 103)), QStringLiteral("39 00 00"));
}

void TestDialogMapProjectionEditor::checksInOrder()
{
    DialogMapProjectionEditor dialog(NoValue);
    click(&dialog, "buttonSave");
    generalInfoOf(dialog)->setName("p");
    click(&dialog, "buttonSave");
    pick(dialog, TableMapProjType, 1);
    click(&dialog, "buttonSave");
    enter(dialog, kTransverseMercator);
    click(&dialog, "buttonSave");
    pick(dialog, TableUnitLength, m_units.metre);
    pick(dialog, TableUnitAngle, m_units.dmsDegree);
    click(&dialog, "buttonSave");
    pick(dialog, TableUnitScale, m_units.ppm);
    setAxes(dialog, 0, 2);
    click(&dialog, "buttonSave");
    QCOMPARE(messages(),
             QStringList({"Предупреждение|Заполните название", "Предупреждение|Необходимо указать тип проекции",
                          "Предупреждение|Необходимо задать значение параметра 'Долгота осевого меридиана'",
                          "Предупреждение|Необходимо указать единицу измерения расстояний",
                          "Предупреждение|Необходимо указать единицу измерения масштабов",
                          "Предупреждение|Некорректно заданы направления осей координат"}));
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM mapproj;").toInt(), 0);
}

void TestDialogMapProjectionEditor::storedValueShown_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    QTest::newRow("number above the range") << 1002 << 101 << "75" << "60";
    QTest::newRow("number missing") << 1002 << 101 << "" << "1";
    QTest::newRow("list value") << 1002 << 102 << "S" << "Southern";
    QTest::newRow("value not in the list") << 1002 << 102 << "Q" << "Northern";
    QTest::newRow("last list value") << 1004 << 107 << "X" << "X";
}

void TestDialogMapProjectionEditor::storedValueShown()
{
    QFETCH(int, type);
    QFETCH(int, code);
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    const int key = storeProjection(type, stored.isEmpty() ? CodeTexts() : CodeTexts{{code, stored}});
    DialogMapProjectionEditor dialog(key);
    QCOMPARE(shown(input(dialog, code)), expected);
}

void TestDialogMapProjectionEditor::angleValueThatTheNewUnitRefusesIsKeptButNotSaved_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("label");
    QTest::newRow("decimal unit") << "Секунда" << "\"";
    QTest::newRow("unit without format") << "секунда" << "секунда";
}

void TestDialogMapProjectionEditor::angleValueThatTheNewUnitRefusesIsKeptButNotSaved()
{
    QFETCH(QString, unit);
    QFETCH(QString, label);
    const int key = storeProjection(1, kTransverseMercator);
    DialogMapProjectionEditor dialog(key);
    QCOMPARE(shown(input(dialog, 103)), QStringLiteral("39 00 00"));
    pick(dialog, TableUnitAngle, CTestDatabase::value("SELECT autokey FROM unitangle WHERE name = ?;", {unit}).toInt());
    QCOMPARE(shown(input(dialog, 103)), QStringLiteral("39 00 00"));
    QCOMPARE(shown(input(dialog, 11)), QStringLiteral("0"));
    QCOMPARE(paramTable(dialog)->item(0, 2)->text(), label);
    click(&dialog, "buttonSave");
    QCOMPARE(messages(), QStringList{"Предупреждение|Значение параметра 'Долгота осевого меридиана' «39 00 00» не "
                                     "соответствует единице измерения «" + unit + "»"});
    QCOMPARE(storedValues(key), kTransverseMercator);
}

void TestDialogMapProjectionEditor::angleTypedAfterTheUnitIsStoredOnlyAsItsUnitReadsIt_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("degrees, minutes and seconds") << "Градус ГМС" << "30 15 20" << QString();
    QTest::newRow("hemisphere format") << "Градус ГМСП" << "30 15 20N"
                                       << "Предупреждение|Значение параметра 'Долгота осевого меридиана' «30 15 "
                                          "20N»: углы в формате «Градусы-минуты-секунды-полушарие» не читаются, "
                                          "выберите вместо «Градус ГМСП» другую единицу измерения";
}

// The angular unit is picked first and both angles typed key by key, as a user does.
void TestDialogMapProjectionEditor::angleTypedAfterTheUnitIsStoredOnlyAsItsUnitReadsIt()
{
    QFETCH(QString, unit);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    DialogMapProjectionEditor dialog(NoValue);
    generalInfoOf(dialog)->setName("Новая");
    pick(dialog, TableMapProjType, 1);
    pick(dialog, TableUnitLength, m_units.metre);
    pick(dialog, TableUnitAngle, CTestDatabase::value("SELECT autokey FROM unitangle WHERE name = ?;", {unit}).toInt());
    pick(dialog, TableUnitScale, m_units.ppm);
    enter(dialog, {{104, "0.9996"}, {5, "500000"}, {6, "0"}});
    for (const int code : {103, 11}) {
        QTest::keyClicks(input(dialog, code), typed);
        QCOMPARE(shown(input(dialog, code)), typed);
    }
    click(&dialog, "buttonSave");
    QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList{message});
    const CodeTexts stored{{103, typed}, {11, typed}, {104, "0.9996"}, {5, "500000"}, {6, "0"}};
    const int key = CTestDatabase::value("SELECT max(autokey) FROM mapproj;").toInt();
    QCOMPARE(storedValues(key), message.isEmpty() ? stored : CodeTexts());
}

void TestDialogMapProjectionEditor::typeSwitchKeepsSharedValues()
{
    const int key = storeProjection(1, kTransverseMercator);
    DialogMapProjectionEditor dialog(key);
    qobject_cast<QLineEdit*>(input(dialog, 5))->setText("1");
    pick(dialog, TableMapProjType, 8);
    QCOMPARE(describeRows(dialog).size(), 4);
    QCOMPARE(shown(input(dialog, 5)), QStringLiteral("500000"));
    QCOMPARE(shown(input(dialog, 16)), QString());
    enter(dialog, {{16, "30 00 00"}});
    click(&dialog, "buttonSave");
    QCOMPARE(messages(), QStringList());
    QCOMPARE(storedValues(key), CodeTexts({{5, "500000"}, {6, "-100.5"}, {11, "0"}, {16, "30 00 00"}}));
    QCOMPARE(projColumn(key, "type").toInt(), 8);
}

// The row is written before its values: when a value cannot be written, the row is as before.
void TestDialogMapProjectionEditor::failedValueWriteUndoesTheSave()
{
    const int key = storeProjection(1, kTransverseMercator);
    QVERIFY(CTestDatabase::exec("CREATE TRIGGER refuse BEFORE INSERT ON mapprojparamvalue "
                                "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
    DialogMapProjectionEditor dialog(key);
    generalInfoOf(dialog)->setName("Другая");
    click(&dialog, "buttonSave");
    QCOMPARE(scriptedPrompt().messages().size(), 1);
    QVERIFY(scriptedPrompt().messages().first().text.startsWith("Ошибка записи в базу данных"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(projColumn(key, "name").toString(), QStringLiteral("Проекция"));
    QCOMPARE(storedValues(key), kTransverseMercator);
}

void TestDialogMapProjectionEditor::eraseIsRefusedWhileACoordinateSystemUsesIt()
{
    const int key = storeProjection(1, kTransverseMercator);
    QVERIFY(insertRow("coordsys", {{"name", "СК-42 зона 7"}, {"type", 5}, {"map_proj", key}}) != 0);
    QStringList rows;
    {
        const CModalWatch watch = captureDependencies(rows);
        QVERIFY(!DialogMapProjectionEditor::Erase(key));
    }
    QCOMPARE(rows, QStringList{"Система координат|СК-42 зона 7"});
    QCOMPARE(storedValues(key), kTransverseMercator);

    QVERIFY(CTestDatabase::exec("DELETE FROM coordsys;"));
    QVERIFY(DialogMapProjectionEditor::Erase(key));
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM mapproj;").toInt(), 0);
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM mapprojparamvalue;").toInt(), 0);
}

void TestDialogMapProjectionEditor::registeredForTheSelector()
{
    EditorRegistry::clear();
    registerCoordSysEditors();
    const CEditorOperations operations = EditorRegistry::get(TableMapProj);
    QVERIFY(operations.create && operations.edit && operations.erase);
    const int key = storeProjection(1, kTransverseMercator);
    const CModalWatch watch = whenModal<DialogMapProjectionEditor>([](DialogMapProjectionEditor* dialog) { click(dialog, "buttonCancel"); });
    QVERIFY(!operations.edit(key));
    const CModalWatch watch2 = whenModal<DialogMapProjectionEditor>([](DialogMapProjectionEditor* dialog) { click(dialog, "buttonSave"); });
    QVERIFY(operations.edit(key));
}

QTEST_MAIN(TestDialogMapProjectionEditor)
#include "test_dialogmapprojectioneditor.moc"
