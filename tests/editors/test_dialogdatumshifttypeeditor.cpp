#include "editorfixture.h"

#include "database/novalue.h"
#include "editors/datum/dialogdatumshifttypeeditor.h"

#include <QDateTime>
#include <QTest>

namespace {

QString storedType(int code)
{
    return valueText("SELECT name || '|' || ifnull(description, '') || '|' || ifnull(epsg, 'NULL') "
                     "FROM datumshifttype WHERE code=?;",
                     {code});
}

} // namespace

class TestDialogDatumShiftTypeEditor : public CEditorTestCase
{
    Q_OBJECT

private slots:
    void loadShowsTheExportCodeWhenSet();
    void defaultsFillTheBuiltInValues();
    void saveWritesTheInputs();
    void refusedSavesWriteNothing_data();
    void refusedSavesWriteNothing();
    void editWithoutACodeOpensNothing();
    void cancelUndoesCodesWrittenMeanwhile_data();
    void cancelUndoesCodesWrittenMeanwhile();
};

void TestDialogDatumShiftTypeEditor::loadShowsTheExportCodeWhenSet()
{
    QVERIFY(CTestDatabase::exec("UPDATE datumshifttype SET epsg=1032 WHERE code=2;"));
    QVERIFY(CTestDatabase::exec("UPDATE datumshifttype SET epsg=NULL WHERE code=4;"));
    DialogDatumShiftTypeEditor withCode(2);
    QCOMPARE(lineEdit(&withCode, "editName")->text(), QString("Поворот-сдвиг-масштаб"));
    QVERIFY(withCode.findChild<QWidget*>("frameExport")->isVisibleTo(&withCode));
    QCOMPARE(exportCode(&withCode, 1)->text(), QString("1032"));
    DialogDatumShiftTypeEditor withoutCode(4);
    QVERIFY(!withoutCode.findChild<QWidget*>("frameExport")->isVisibleTo(&withoutCode));
}

void TestDialogDatumShiftTypeEditor::defaultsFillTheBuiltInValues()
{
    QVERIFY(CTestDatabase::exec("UPDATE datumshifttype SET name='Свой', epsg=NULL WHERE code=5;"));
    DialogDatumShiftTypeEditor dialog(5);
    QVERIFY(click(&dialog, "buttonDefaults"));
    QCOMPARE(lineEdit(&dialog, "editName")->text(), QString("Молоденского-Бадекаса (Гельмерт)"));
    QCOMPARE(exportCode(&dialog, 1)->text(), QString("1061"));
    QVERIFY(!dialog.findChild<QWidget*>("frameExport")->isVisibleTo(&dialog));
    QVERIFY(click(&dialog, "buttonCancel"));
    QCOMPARE(storedType(5).section('|', 0, 0), QString("Свой"));

    DialogDatumShiftTypeEditor unknown(8);
    setGeneralInfo(&unknown, "Текст");
    QVERIFY(click(&unknown, "buttonDefaults"));
    QVERIFY(lineEdit(&unknown, "editName")->text().isEmpty());
    QVERIFY(exportCode(&unknown, 1)->text().isEmpty());
}

void TestDialogDatumShiftTypeEditor::saveWritesTheInputs()
{
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    DialogDatumShiftTypeEditor dialog(1);
    setGeneralInfo(&dialog, "Молоденского", QString(), "Сдвиг 'по' трем осям %1");
    exportCode(&dialog, 1)->clear();
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(storedType(1), QString("Молоденского|Сдвиг 'по' трем осям %1|NULL"));
    QVERIFY(CTestDatabase::value("SELECT last_use FROM datumshifttype WHERE code=1;").toLongLong() >= before);
}

void TestDialogDatumShiftTypeEditor::refusedSavesWriteNothing_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    QTest::newRow("no name") << 1 << "" << "Заполните название";
    QTest::newRow("name of another type") << 1 << "Гельмерта" << "Введенное название уже используется";
    QTest::newRow("code without a row") << 9 << "Новый" << "Ошибка записи в базу данных";
}

void TestDialogDatumShiftTypeEditor::refusedSavesWriteNothing()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QFETCH(QString, message);
    const QVariantList before = CTestDatabase::column("SELECT name || ifnull(last_use, '') FROM datumshifttype;");
    DialogDatumShiftTypeEditor dialog(code);
    setGeneralInfo(&dialog, name);
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(messages(), QStringList(warning(message)));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(CTestDatabase::column("SELECT name || ifnull(last_use, '') FROM datumshifttype;"), before);
}

void TestDialogDatumShiftTypeEditor::editWithoutACodeOpensNothing()
{
    bool opened = false;
    const CModalWatch watch = whenModal<DialogDatumShiftTypeEditor>(
        [&opened](DialogDatumShiftTypeEditor* dialog) {
            opened = true;
            dialog->reject();
        },
        100);
    QVERIFY(!DialogDatumShiftTypeEditor::Edit(NoValue));
    QVERIFY(!opened);
}

void TestDialogDatumShiftTypeEditor::cancelUndoesCodesWrittenMeanwhile_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("kept");
    QTest::newRow("saved") << "buttonSave" << 1;
    QTest::newRow("cancelled") << "buttonCancel" << 0;
}

// What the export frame's selector writes (here a new EPSG code) stays only with a save.
void TestDialogDatumShiftTypeEditor::cancelUndoesCodesWrittenMeanwhile()
{
    QFETCH(QString, button);
    QFETCH(int, kept);
    const auto edit = [] { return DialogDatumShiftTypeEditor::Edit(2); };
    runModal<DialogDatumShiftTypeEditor, bool>(edit, [](DialogDatumShiftTypeEditor*) {
        QVERIFY(CTestDatabase::exec("INSERT INTO epsgdatumshifttype (code, name) VALUES (9999, 'Новый');"));
    }, button);
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM epsgdatumshifttype WHERE code=9999;").toInt(), kept);
}

QTEST_MAIN(TestDialogDatumShiftTypeEditor)
#include "test_dialogdatumshifttypeeditor.moc"
