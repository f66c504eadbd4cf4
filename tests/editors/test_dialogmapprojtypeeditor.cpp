#include "editorfixture.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/editorregistry.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "database/codetablesmapproj.h"
#include "database/tablecatalogue.h"
#include "editors/coordsys/dialogmapprojtypeeditor.h"
#include "editors/coordsys/registercoordsyseditors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

QVariant typeColumn(int code, const QString& column)
{
    return columnOf("mapprojtype", "code", code, column);
}

QComboBox* combo(const QDialog& dialog, const char* name)
{
    return dialog.findChild<QComboBox*>(name);
}

QString text(const QDialog& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(name)->text();
}

} // namespace

class TestDialogMapProjTypeEditor : public CEditorTestCase
{
    Q_OBJECT

protected:
    void prepare() override;

private slots:
    void axesStoredAndShown_data();
    void axesStoredAndShown();
    void rowShownAndWritten();
    void exportFrameFollowsTheCode();
    void defaultsPutBackTheFixedValues();
    void nameCheckAndCancel();
    void registeredForEditOnly();

private:
};

void TestDialogMapProjTypeEditor::prepare()
{
    QVERIFY(CTestDatabase::exec("UPDATE mapprojtype SET name = 'Своя', short_name = 'С', description = 'опис', "
                                "coord1_abbr = 'X', coord2_abbr = 'Y', coord1_desc = 'север', coord2_desc = 'восток', "
                                "coord1_sign = 1, coord2_sign = 1, swap_coords = 1, epsg = NULL WHERE code = 1;"));
}

void TestDialogMapProjTypeEditor::axesStoredAndShown_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<QVariantList>("stored");
    // Combo indexes: 0 north, 1 east, 2 south, 3 west.
    QTest::newRow("east north") << 1 << 0 << QVariantList{1, 1, 0};
    QTest::newRow("east south") << 1 << 2 << QVariantList{1, -1, 0};
    QTest::newRow("west north") << 3 << 0 << QVariantList{-1, 1, 0};
    QTest::newRow("west south") << 3 << 2 << QVariantList{-1, -1, 0};
    QTest::newRow("north east") << 0 << 1 << QVariantList{1, 1, 1};
    QTest::newRow("north west") << 0 << 3 << QVariantList{-1, 1, 1};
    QTest::newRow("south east") << 2 << 1 << QVariantList{1, -1, 1};
    QTest::newRow("south west") << 2 << 3 << QVariantList{-1, -1, 1};
    QTest::newRow("north south") << 0 << 2 << QVariantList();
    QTest::newRow("east east") << 1 << 1 << QVariantList();
}

void TestDialogMapProjTypeEditor::axesStoredAndShown()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(QVariantList, stored);
    const QVariantList before = {typeColumn(1, "coord1_sign"), typeColumn(1, "coord2_sign"),
                                 typeColumn(1, "swap_coords")};
    DialogMapProjTypeEditor dialog(1);
    combo(dialog, "comboAxis1Direction")->setCurrentIndex(first);
    combo(dialog, "comboAxis2Direction")->setCurrentIndex(second);
    click(&dialog, "buttonSave");
    const QVariantList after = {typeColumn(1, "coord1_sign"), typeColumn(1, "coord2_sign"),
                                typeColumn(1, "swap_coords")};
    if (stored.isEmpty()) {
        QCOMPARE(messages(),
                 QStringList{"Предупреждение|Некорректно заданы направления осей координат"});
        QCOMPARE(after, before);
        return;
    }
    QCOMPARE(messages(), QStringList());
    QCOMPARE(after, stored);
    DialogMapProjTypeEditor reopened(1);
    QCOMPARE(combo(reopened, "comboAxis1Direction")->currentIndex(), first);
    QCOMPARE(combo(reopened, "comboAxis2Direction")->currentIndex(), second);
}

void TestDialogMapProjTypeEditor::rowShownAndWritten()
{
    DialogMapProjTypeEditor dialog(1);
    FrameGeneralInfo* info = generalInfoOf(dialog);
    QCOMPARE(QStringList({info->name(), info->shortName(), info->description()}),
             QStringList({"Своя", "С", "опис"}));
    QCOMPARE(QStringList({text(dialog, "editAxis1Symbol"), text(dialog, "editAxis2Symbol"),
                          text(dialog, "editAxis1Description"), text(dialog, "editAxis2Description")}),
             QStringList({"X", "Y", "север", "восток"}));
    QCOMPARE(combo(dialog, "comboAxis1Direction")->currentText(), QStringLiteral("Север"));
    QCOMPARE(combo(dialog, "comboAxis2Direction")->currentText(), QStringLiteral("Восток"));
    dialog.findChild<QLineEdit*>("editAxis1Symbol")->setText(" N' ");
    dialog.findChild<QLineEdit*>("editAxis2Description")->setText("на восток");
    info->setShortName("ТМ");
    click(&dialog, "buttonSave");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(typeColumn(1, "coord1_abbr").toString(), QStringLiteral("N'"));
    QCOMPARE(typeColumn(1, "coord2_desc").toString(), QStringLiteral("на восток"));
    QCOMPARE(typeColumn(1, "short_name").toString(), QStringLiteral("ТМ"));
    QVERIFY(typeColumn(1, "epsg").isNull());
    QVERIFY(typeColumn(1, "last_use").toLongLong() > 0);
}

void TestDialogMapProjTypeEditor::exportFrameFollowsTheCode()
{
    DialogMapProjTypeEditor without(1);
    QVERIFY(!without.findChild<QCheckBox*>("checkboxShowExport")->isChecked());
    QVERIFY(without.findChild<QWidget*>("frameExport")->isHidden());

    QVERIFY(CTestDatabase::exec("UPDATE mapprojtype SET epsg = 9807 WHERE code = 1;"));
    DialogMapProjTypeEditor with(1);
    QVERIFY(with.findChild<QCheckBox*>("checkboxShowExport")->isChecked());
    QVERIFY(!with.findChild<QWidget*>("frameExport")->isHidden());
    QCOMPARE(with.findChild<FrameExport*>()->code(ExportEpsg), 9807);
}

void TestDialogMapProjTypeEditor::defaultsPutBackTheFixedValues()
{
    DialogMapProjTypeEditor dialog(1);
    click(&dialog, "buttonDefaults");
    QCOMPARE(generalInfoOf(dialog)->name(), QString::fromStdString(mapProjTypeName(1)));
    MapProjTypeAxes axes;
    QVERIFY(mapProjTypeAxes(1, axes));
    QCOMPARE(text(dialog, "editAxis1Symbol"), QString::fromStdString(axes.coord1Abbr));
    QCOMPARE(dialog.findChild<FrameExport*>()->code(ExportEpsg), mapProjTypeEpsgCode(1));
    QCOMPARE(typeColumn(1, "name").toString(), QStringLiteral("Своя"));
}

void TestDialogMapProjTypeEditor::nameCheckAndCancel()
{
    const QString other = typeColumn(2, "name").toString();
    QVERIFY(!other.isEmpty());
    const CModalWatch watch = whenModal<DialogMapProjTypeEditor>([this, other](DialogMapProjTypeEditor* dialog) {
        generalInfoOf(*dialog)->setName(other);
        click(dialog, "buttonSave");
        QCOMPARE(messages(), QStringList{"Предупреждение|Введенное название уже используется"});
        dialog->close();
    });
    QVERIFY(!DialogMapProjTypeEditor::Edit(1));
    QCOMPARE(typeColumn(1, "name").toString(), QStringLiteral("Своя"));
    const CModalWatch watch2 = whenModal<DialogMapProjTypeEditor>([](DialogMapProjTypeEditor* dialog) { click(dialog, "buttonSave"); });
    QVERIFY(DialogMapProjTypeEditor::Edit(1));
}

void TestDialogMapProjTypeEditor::registeredForEditOnly()
{
    EditorRegistry::clear();
    registerCoordSysEditors();
    const CEditorOperations operations = EditorRegistry::get(TableMapProjType);
    QVERIFY(operations.edit && !operations.create && !operations.erase);
}

QTEST_MAIN(TestDialogMapProjTypeEditor)
#include "test_dialogmapprojtypeeditor.moc"
