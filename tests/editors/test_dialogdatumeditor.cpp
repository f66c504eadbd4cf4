#include "datumfixture.h"

#include "browser/editorregistry.h"
#include "browser/framedatabasepicker.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "editors/datum/dialogdatumeditor.h"
#include "editors/datum/registerdatumeditors.h"
#include "editors/transform/frameextra.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

namespace {

FrameDatabasePicker* picker(QWidget* dialog, int tableId)
{
    for (FrameDatabasePicker* each : dialog->findChildren<FrameDatabasePicker*>()) {
        if (each->tableId() == tableId)
            return each;
    }
    return nullptr;
}

// The picker takes the key as the user's choice in its selector does.
void pick(QWidget* dialog, int tableId, int key)
{
    FrameDatabasePicker* frame = picker(dialog, tableId);
    frame->setKey(key);
    emit frame->picked(key);
}

// Fills the editor's inputs; a key of 0 leaves its picker empty.
void fill(QWidget* dialog, const QString& name, int ellipsoid, int shift)
{
    auto* info = dialog->findChild<FrameGeneralInfo*>();
    info->setName(name);
    if (ellipsoid != 0)
        pick(dialog, TableEllipsoid, ellipsoid);
    if (shift != 0)
        pick(dialog, TableDatumShift, shift);
}

QVariantList datumRow(int key)
{
    QVariantList row;
    for (const char* column : {"name", "short_name", "description", "ellipsoid", "datum_shift", "epsg", "mapinfo"}) {
        const QVariant value
            = CTestDatabase::value(QString("SELECT %1 FROM datum WHERE autokey=?;").arg(column), {key});
        row.append(value.isNull() ? QVariant() : value);
    }
    return row;
}

} // namespace

class TestDialogDatumEditor : public CEditorTestCase
{
    Q_OBJECT

private slots:
    void eraseCascade_data();
    void eraseCascade();
    void refusedSave_data();
    void refusedSave();
    void createStoresTheRow();
    void pickedKeys_data();
    void pickedKeys();
    void loadShowsCodesAndExtras();
    void cancelUndoesTheExtras();
    void newDatumOwnsTheExtrasAddedToIt_data();
    void newDatumOwnsTheExtrasAddedToIt();
    void registered();
};

void TestDialogDatumEditor::eraseCascade_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("erased");
    QTest::addColumn<QStringList>("dependents");
    QTest::addColumn<QStringList>("shifts");
    QTest::addColumn<QStringList>("datums");
    QTest::addColumn<QString>("rows");

    const QStringList allShifts{"S2", "S84", "Пара"};
    const QStringList allDatums{"Другой", "Пулково"};
    QTest::newRow("own shift") << "" << true << QStringList{} << QStringList{"S2"} << QStringList{"Другой"}
                               << "1 1 1 1 1";
    QTest::newRow("shift shared with another datum")
        << "shared" << true << QStringList{} << QStringList{"S2", "S84"} << QStringList{"Другой"} << "2 1 1 1 1";
    QTest::newRow("used by coordinate systems")
        << "coordsys" << false << QStringList{"Система координат|СК 1", "Система координат|СК 2"} << allShifts
        << allDatums << "3 2 2 3 3";
    QTest::newRow("owned shift used by another datum")
        << "owned used" << false << QStringList{"Датум|Другой"} << allShifts << allDatums << "3 2 2 3 3";
    QTest::newRow("shift to WGS 84 owned by another datum")
        << "owned by other" << false << QStringList{"Датум|Другой"} << allShifts << allDatums << "3 2 2 3 3";
    QTest::newRow("failing step") << "failing" << false << QStringList{} << allShifts << allDatums << "3 2 2 3 3";
}

// Пулково uses S84 and owns the shift Пара and the list План of two transforms; Другой uses
// S2; a coordinate system's list of the same owner key is no datum's.
void TestDialogDatumEditor::eraseCascade()
{
    QFETCH(QString, setup);
    QFETCH(bool, erased);
    QFETCH(QStringList, dependents);
    QFETCH(QStringList, shifts);
    QFETCH(QStringList, datums);
    QFETCH(QString, rows);

    const int ellipsoid = insertEllipsoid("WGS 84");
    const int wgs84 = insertShift("S84");
    const int datum = insertDatum("Пулково", ellipsoid, wgs84);
    const int owned = insertShift("Пара", datum);
    const int other = insertDatum("Другой", ellipsoid, insertShift("S2"));
    QVERIFY(insertList("План", datum, "datum", 2) != 0);
    QVERIFY(insertList("Чужой", datum, "coordsys", 1) != 0);
    if (setup == "shared")
        QVERIFY(CTestDatabase::exec("UPDATE datum SET datum_shift=? WHERE autokey=?;", {wgs84, other}));
    if (setup == "coordsys") {
        QVERIFY(insertCoordSys("СК 2", datum) != 0);
        QVERIFY(insertCoordSys("СК 1", datum) != 0);
    }
    if (setup == "owned used")
        QVERIFY(CTestDatabase::exec("UPDATE datum SET datum_shift=? WHERE autokey=?;", {owned, other}));
    if (setup == "owned by other")
        QVERIFY(CTestDatabase::exec("UPDATE datumshift SET datum=? WHERE autokey=?;", {other, wgs84}));
    if (setup == "failing")
        QVERIFY(failOn("transform", "DELETE"));

    QStringList shown;
    const CModalWatch watch = captureDependencies(shown);
    QCOMPARE(DialogDatumEditor::Erase(datum), erased);
    QCOMPARE(shown, dependents);
    QCOMPARE(names("datumshift"), shifts);
    QCOMPARE(names("datum"), datums);
    QCOMPARE(counts(), rows);
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM transform WHERE transform_list NOT IN "
                                  "(SELECT autokey FROM transformlist);")
                 .toInt(),
             0);
}

void TestDialogDatumEditor::refusedSave_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ellipsoid");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QString>("message");

    QTest::newRow("no name") << "" << true << true << "Заполните название";
    QTest::newRow("name taken") << "Пулково" << true << true << "Введенное название уже используется";
    QTest::newRow("nothing picked") << "Новый" << false << false << "Необходимо задать эллипсоид";
    QTest::newRow("no shift") << "Новый" << true << false << "Необходимо задать параметры преобразования датума";
}

void TestDialogDatumEditor::refusedSave()
{
    QFETCH(QString, name);
    QFETCH(bool, ellipsoid);
    QFETCH(bool, shift);
    QFETCH(QString, message);

    const int ellipsoidKey = insertEllipsoid("Красовского");
    const int shiftKey = insertShift("S42");
    insertDatum("Пулково", ellipsoidKey, shiftKey);
    bool stayedOpen = false;
    const int key = runModal<DialogDatumEditor, int>(&DialogDatumEditor::Create, [&](DialogDatumEditor* dialog) {
        fill(dialog, name, ellipsoid ? ellipsoidKey : 0, shift ? shiftKey : 0);
        click(dialog, "buttonSave");
        stayedOpen = dialog->isVisible();
    }, "buttonCancel");
    QCOMPARE(key, int(NoValue));
    QVERIFY(stayedOpen);
    QCOMPARE(messages().value(0), warning(message));
    QCOMPARE(names("datum"), QStringList{"Пулково"});
}

void TestDialogDatumEditor::createStoresTheRow()
{
    const int ellipsoid = insertEllipsoid("Красовского");
    const int shift = insertShift("S42");
    const QString name = "Пулково '42 %1";
    const int key = runModal<DialogDatumEditor, int>(&DialogDatumEditor::Create, [&](DialogDatumEditor* dialog) {
        fill(dialog, name, ellipsoid, shift);
        dialog->findChild<FrameGeneralInfo*>()->setShortName("П-42");
        dialog->findChild<FrameGeneralInfo*>()->setDescription("Описание");
        dialog->findChild<FrameExport*>()->setCode(ExportEpsg, 6284);
    }, "buttonSave");
    QVERIFY(key != NoValue);
    QCOMPARE(datumRow(key), (QVariantList{name, "П-42", "Описание", ellipsoid, shift, 6284, QVariant()}));
    QVERIFY(CTestDatabase::value("SELECT favourite FROM datum WHERE autokey=?;", {key}).isNull());
    QVERIFY(scriptedPrompt().messages().isEmpty());
}

void TestDialogDatumEditor::pickedKeys_data()
{
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("message");

    QTest::newRow("picked again") << "pick" << "";
    QTest::newRow("cleared in the selector") << "clear" << "Необходимо задать параметры преобразования датума";
    QTest::newRow("deleted meanwhile") << "delete" << "Необходимо задать параметры преобразования датума";
}

// The editor saves the keys its pickers report; a shift that no longer names a row is refused.
void TestDialogDatumEditor::pickedKeys()
{
    QFETCH(QString, after);
    QFETCH(QString, message);

    const int ellipsoid = insertEllipsoid("Красовского");
    const int first = insertShift("S42");
    const int second = insertShift("S95");
    const int key = insertDatum("Пулково", ellipsoid, first);
    const auto edit = [key] { return DialogDatumEditor::Edit(key); };
    const bool saved = runModal<DialogDatumEditor, bool>(edit, [&](DialogDatumEditor* dialog) {
        pick(dialog, TableDatumShift, second);
        if (after == "clear")
            emit picker(dialog, TableDatumShift)->cleared();
        if (after == "delete")
            QVERIFY(CTestDatabase::exec("DELETE FROM datumshift WHERE autokey=?;", {second}));
        click(dialog, "buttonSave");
    }, message.isEmpty() ? "" : "buttonCancel");
    QCOMPARE(saved, message.isEmpty());
    QCOMPARE(messages().value(0), message.isEmpty() ? QString() : warning(message));
    QCOMPARE(datumRow(key).value(4).toInt(), message.isEmpty() ? second : first);
}

void TestDialogDatumEditor::loadShowsCodesAndExtras()
{
    const int ellipsoid = insertEllipsoid("Красовского");
    const int shift = insertShift("S42");
    const int key = insertDatum("Пулково", ellipsoid, shift);
    QVERIFY(CTestDatabase::exec("UPDATE datum SET epsg=6284, short_name='П' WHERE autokey=?;", {key}));
    QVERIFY(insertShift("Пара", key) != 0);

    QStringList seen;
    const auto edit = [key] { return DialogDatumEditor::Edit(key); };
    const bool saved = runModal<DialogDatumEditor, bool>(edit, [&](DialogDatumEditor* dialog) {
        seen << QString::number(dialog->findChild<QCheckBox*>("checkboxShowExport")->isChecked())
             << QString::number(dialog->findChild<QWidget*>("frameExport")->isHidden())
             << QString::number(dialog->findChild<QCheckBox*>("checkboxShowExtra")->isChecked())
             << QString::number(dialog->findChild<QWidget*>("frameExtra")->isHidden())
             << QString::number(dialog->findChild<QWidget*>("framePlaceHolder")->isHidden())
             << QString::number(dialog->findChild<FrameExport*>()->code(ExportMapInfo) == NoValue)
             << QString::number(dialog->findChild<FrameExtra*>()->itemCount())
             << picker(dialog, TableEllipsoid)->name();
    }, "buttonSave");
    QVERIFY(saved);
    QCOMPARE(seen, (QStringList{"1", "0", "1", "0", "1", "1", "1", "Красовского"}));
    QCOMPARE(datumRow(key), (QVariantList{"Пулково", "П", "", ellipsoid, shift, 6284, QVariant()}));
}

void TestDialogDatumEditor::cancelUndoesTheExtras()
{
    const int ellipsoid = insertEllipsoid("Красовского");
    const int key = insertDatum("Пулково", ellipsoid, insertShift("S42"));
    const QString before = counts();
    const bool saved = runModal<DialogDatumEditor, bool>(
        [key] { return DialogDatumEditor::Edit(key); },
        [key](DialogDatumEditor*) {
            QVERIFY(insertShift("Пара", key) != 0);
            QVERIFY(insertList("План", key, "datum", 2) != 0);
        },
        "buttonCancel");
    QVERIFY(!saved);
    QCOMPARE(counts(), before);
}

void TestDialogDatumEditor::newDatumOwnsTheExtrasAddedToIt_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("saved") << true;
    QTest::newRow("cancelled") << false;
}

void TestDialogDatumEditor::newDatumOwnsTheExtrasAddedToIt()
{
    QFETCH(bool, save);

    const int ellipsoid = insertEllipsoid("Красовского");
    const int shift = insertShift("S42");
    const QString before = counts();
    const CModalWatch kind = chooseKind(0);
    const CModalWatch extra = makeExtraShift("Пара");
    int listed = 0;
    const int key = runModal<DialogDatumEditor, int>(
        &DialogDatumEditor::Create,
        [&](DialogDatumEditor* dialog) {
            fill(dialog, "Пулково", ellipsoid, shift);
            dialog->findChild<QCheckBox*>("checkboxShowExtra")->click();
            dialog->findChild<FrameExtra*>()->findChild<QPushButton*>("buttonAdd")->click();
            listed = dialog->findChild<FrameExtra*>()->itemCount();
        },
        save ? "buttonSave" : "buttonCancel");
    QCOMPARE(listed, 1);
    QVERIFY(scriptedPrompt().messages().isEmpty());
    if (!save) {
        QCOMPARE(key, int(NoValue));
        QCOMPARE(counts(), before);
        return;
    }
    QVERIFY(key != NoValue);
    QCOMPARE(CTestDatabase::value("SELECT datum FROM datumshift WHERE name='Пара';").toInt(), key);
}

void TestDialogDatumEditor::registered()
{
    EditorRegistry::clear();
    registerDatumEditors();
    const CEditorOperations operations = EditorRegistry::get(TableDatum);
    QVERIFY(operations.create && operations.edit && operations.erase);
}

QTEST_MAIN(TestDialogDatumEditor)
#include "test_dialogdatumeditor.moc"
