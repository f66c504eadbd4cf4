#include "editorfixture.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/dialogdependencies.h"
#include "browser/editorregistry.h"
#include "browser/framegeneralinfo.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "editors/transform/dialogexportcodeeditor.h"
#include "editors/transform/registertransformeditors.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

QLineEdit* codeEdit(const QDialog& dialog)
{
    return dialog.findChild<QLineEdit*>("editCode");
}

QString referenceName(const QString& table, int code)
{
    return columnOf(table, "code", code, "name").toString();
}

} // namespace

class TestDialogExportCodeEditor : public CEditorTestCase
{
    Q_OBJECT

protected:
    void prepare() override;

private slots:
    void codeRangeOfTheTable_data();
    void codeRangeOfTheTable();
    void createStoresTheRow();
    void cancelledCreateLeavesNothing();
    void savingChecksInOrder();
    void editKeepsOrChangesAFreeCode();
    void codeHeldByDefinitionsIsNeitherChangedNorErased_data();
    void codeHeldByDefinitionsIsNeitherChangedNorErased();
    void eraseIsRefusedWhenDependentsCannotBeRead();
    void registeredForEveryReferenceTable();

private:
};

void TestDialogExportCodeEditor::prepare()
{
    QVERIFY(CTestDatabase::exec("INSERT INTO epsgellipsoid (code, name, description) VALUES "
                                "(7024, 'Krassowsky 1940', 'СК-42'), (7030, 'WGS 84', 'GPS');"));
    QVERIFY(CTestDatabase::exec("INSERT INTO mapinfounit (code, name) VALUES (7, 'meter');"));
}

void TestDialogExportCodeEditor::codeRangeOfTheTable_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("EPSG -5") << int(TableEpsgEllipsoid) << "-5" << "-5" << true;
    QTest::newRow("EPSG 32767") << int(TableEpsgCoordSys) << "32767" << "32767" << true;
    QTest::newRow("EPSG 40000") << int(TableEpsgEllipsoid) << "40000" << "40000" << false;
    QTest::newRow("MapInfo 999999") << int(TableMapInfoDatum) << "999999" << "999999" << true;
    QTest::newRow("MapInfo -1") << int(TableMapInfoUnit) << "-1" << "1" << true;
    QTest::newRow("MapInfo 1000000") << int(TableMapInfoUnit) << "1000000" << "100000" << true;
}

// A code outside the range may be typed on the way to another but is not saved.
void TestDialogExportCodeEditor::codeRangeOfTheTable()
{
    QFETCH(int, tableId);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, acceptable);
    DialogExportCodeEditor dialog(tableId, NoValue);
    generalInfoOf(dialog)->setName("Новый");
    QTest::keyClicks(codeEdit(dialog), typed);
    QCOMPARE(codeEdit(dialog)->text(), shown);
    QCOMPARE(codeEdit(dialog)->hasAcceptableInput(), acceptable);
    click(&dialog, "buttonSave");
    QCOMPARE(dialog.result() == QDialog::Accepted, acceptable);
    QCOMPARE(messages(),
             acceptable ? QStringList() : QStringList{"Предупреждение|Введите корректное значение кода"});
}

void TestDialogExportCodeEditor::createStoresTheRow()
{
    const CModalWatch watch = whenModal<DialogExportCodeEditor>([](DialogExportCodeEditor* dialog) {
        QVERIFY(dialog->findChild<QLineEdit*>("editShortName")->isHidden());
        generalInfoOf(*dialog)->setName("Bessel 1841");
        generalInfoOf(*dialog)->setDescription("it's 'quoted' %1");
        codeEdit(*dialog)->setText("7004");
        click(dialog, "buttonSave");
    });
    QCOMPARE(DialogExportCodeEditor::Create(TableEpsgEllipsoid), 7004);
    QCOMPARE(messages(), QStringList());
    QCOMPARE(referenceName("epsgellipsoid", 7004), QStringLiteral("Bessel 1841"));
    QCOMPARE(columnOf("epsgellipsoid", "code", 7004, "description").toString(), QStringLiteral("it's 'quoted' %1"));
    QVERIFY(columnOf("epsgellipsoid", "code", 7004, "last_use").toLongLong() > 0);
}

void TestDialogExportCodeEditor::cancelledCreateLeavesNothing()
{
    const CModalWatch watch = whenModal<DialogExportCodeEditor>([](DialogExportCodeEditor* dialog) {
        QVERIFY(CTestDatabase::exec("INSERT INTO epsgellipsoid (code, name) VALUES (1, 'inside');"));
        click(dialog, "buttonCancel");
    });
    QCOMPARE(DialogExportCodeEditor::Create(TableEpsgEllipsoid), NoValue);
    QVERIFY(!CTestDatabase::inTransaction());
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM epsgellipsoid;").toInt(), 2);
}

void TestDialogExportCodeEditor::savingChecksInOrder()
{
    DialogExportCodeEditor dialog(TableEpsgEllipsoid, NoValue);
    click(&dialog, "buttonSave");
    generalInfoOf(dialog)->setName("WGS 84");
    click(&dialog, "buttonSave");
    generalInfoOf(dialog)->setName("GRS 1980");
    click(&dialog, "buttonSave");
    codeEdit(dialog)->setText("7030");
    click(&dialog, "buttonSave");
    QCOMPARE(messages(), QStringList({"Предупреждение|Заполните название",
                                                    "Предупреждение|Введенное название уже используется",
                                                    "Предупреждение|Введите корректное значение кода",
                                                    "Предупреждение|Введенный код  уже используется"}));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(referenceName("epsgellipsoid", 7030), QStringLiteral("WGS 84"));
}

void TestDialogExportCodeEditor::editKeepsOrChangesAFreeCode()
{
    DialogExportCodeEditor keep(TableEpsgEllipsoid, 7030);
    QCOMPARE(generalInfoOf(keep)->name(), QStringLiteral("WGS 84"));
    QCOMPARE(generalInfoOf(keep)->description(), QStringLiteral("GPS"));
    QCOMPARE(codeEdit(keep)->text(), QStringLiteral("7030"));
    generalInfoOf(keep)->setName("WGS-84");
    click(&keep, "buttonSave");
    QCOMPARE(keep.result(), int(QDialog::Accepted));
    QCOMPARE(referenceName("epsgellipsoid", 7030), QStringLiteral("WGS-84"));

    DialogExportCodeEditor change(TableEpsgEllipsoid, 7030);
    codeEdit(change)->setText("7024");
    click(&change, "buttonSave");
    QCOMPARE(messages(), QStringList{"Предупреждение|Введенный код  уже используется"});
    codeEdit(change)->setText("7031");
    click(&change, "buttonSave");
    QCOMPARE(change.result(), int(QDialog::Accepted));
    QCOMPARE(CTestDatabase::column("SELECT code FROM epsgellipsoid ORDER BY code;"), QVariantList({7024, 7031}));
}

void TestDialogExportCodeEditor::codeHeldByDefinitionsIsNeitherChangedNorErased_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("dependent");
    QTest::addColumn<QString>("column");
    QTest::newRow("EPSG ellipsoid") << int(TableEpsgEllipsoid) << 7024 << "ellipsoid" << "epsg";
    QTest::newRow("MapInfo unit") << int(TableMapInfoUnit) << 7 << "unitlength" << "mapinfo";
}

void TestDialogExportCodeEditor::codeHeldByDefinitionsIsNeitherChangedNorErased()
{
    QFETCH(int, tableId);
    QFETCH(int, code);
    QFETCH(QString, dependent);
    QFETCH(QString, column);
    const QVariantMap required = dependent == "ellipsoid"
        ? QVariantMap{{"a", 6378245.0}, {"use_f", 1}, {"sphere", 0}, {"unit", 1}}
        : QVariantMap{{"factor_b", 1}, {"factor_c", 1}};
    QVariantMap second = required;
    second.insert({{"name", "Б"}, {column, code}});
    QVariantMap first = required;
    first.insert({{"name", "А"}, {column, code}});
    const int secondKey = insertRow(dependent, second);
    const int firstKey = insertRow(dependent, first);
    QVERIFY(firstKey != 0 && secondKey != 0);
    // A unit of another scope holding the code is not a dependent of the length units' code.
    QVERIFY(insertRow("unitangle", {{"name", "В"}, {"factor_b", 1}, {"factor_c", 1}, {column, code}}) != 0);

    const QStringList expected{dependent + "|А", dependent + "|Б"};
    QStringList erased;
    {
        const CModalWatch watch = captureDependencies(erased);
        QVERIFY(!DialogExportCodeEditor::Erase(tableId, code));
    }
    QCOMPARE(erased, expected);

    DialogExportCodeEditor dialog(tableId, code);
    codeEdit(dialog)->setText("8");
    QStringList changed;
    {
        const CModalWatch watch = captureDependencies(changed);
        click(&dialog, "buttonSave");
    }
    QCOMPARE(changed, expected);
    QCOMPARE(messages(),
             QStringList{"Предупреждение|Код используется определениями и не может быть изменен"});
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(CTestDatabase::value(QString("SELECT count(*) FROM %1 WHERE code = ?;").arg(tableName(tableId)), {code})
                 .toInt(),
             1);

    QVERIFY(CTestDatabase::exec(QString("UPDATE %1 SET %2 = NULL;").arg(dependent, column)));
    QVERIFY(DialogExportCodeEditor::Erase(tableId, code));
    QCOMPARE(CTestDatabase::value(QString("SELECT count(*) FROM %1 WHERE code = ?;").arg(tableName(tableId)), {code})
                 .toInt(),
             0);
}

void TestDialogExportCodeEditor::eraseIsRefusedWhenDependentsCannotBeRead()
{
    QVERIFY(CTestDatabase::exec("DROP TABLE ellipsoid;"));
    QVector<DependencyItem> items;
    QCOMPARE(DialogExportCodeEditor::CollectDependents(TableEpsgEllipsoid, 7024, items), -1);
    QVERIFY(!DialogExportCodeEditor::Erase(TableEpsgEllipsoid, 7024));
    QCOMPARE(messages(), QStringList{"Предупреждение|Не удалось проверить зависимости записи"});
    QCOMPARE(referenceName("epsgellipsoid", 7024), QStringLiteral("Krassowsky 1940"));
}

void TestDialogExportCodeEditor::registeredForEveryReferenceTable()
{
    EditorRegistry::clear();
    registerTransformEditors();
    for (const int tableId : {TableEpsgDatumShift, TableEpsgDatumShiftType, TableEpsgMapProj, TableEpsgCoordSys,
                              TableEpsgEllipsoid, TableEpsgDatum, TableEpsgVertCoordSys, TableEpsgPrimeMeridian,
                              TableEpsgLengthUnit, TableEpsgAngleUnit, TableEpsgScaleUnit, TableMapInfoUnit,
                              TableMapInfoEllipsoid, TableMapInfoDatum}) {
        const CEditorOperations operations = EditorRegistry::get(tableId);
        QVERIFY2(operations.create && operations.edit && operations.erase, qPrintable(tableName(tableId)));
    }
    QVERIFY(EditorRegistry::get(TableMapInfoUnit).erase(7));
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM mapinfounit;").toInt(), 0);
}

QTEST_MAIN(TestDialogExportCodeEditor)
#include "test_dialogexportcodeeditor.moc"
