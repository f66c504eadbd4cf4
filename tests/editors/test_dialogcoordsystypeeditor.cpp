#include "editorfixture.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/editorregistry.h"
#include "browser/framegeneralinfo.h"
#include "database/tablecatalogue.h"
#include "editors/coordsys/dialogcoordsystypeeditor.h"
#include "editors/coordsys/registercoordsyseditors.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

QVariant typeColumn(int code, const QString& column)
{
    return columnOf("coordsystype", "code", code, column);
}

} // namespace

class TestDialogCoordSysTypeEditor : public CEditorTestCase
{
    Q_OBJECT

protected:
    void prepare() override;

private slots:
    void defaultsAreShownNotWritten();
    void saveChecksTheNameAndStampsTheRow();
    void typeWithoutRowIsNotSaved();
    void registeredForEditOnly();

private:
};

void TestDialogCoordSysTypeEditor::prepare()
{
    QVERIFY(CTestDatabase::exec("UPDATE coordsystype SET name = 'Широта', description = 'своя' WHERE code = 4;"));
}

void TestDialogCoordSysTypeEditor::defaultsAreShownNotWritten()
{
    const CModalWatch watch = whenModal<DialogCoordSysTypeEditor>([](DialogCoordSysTypeEditor* dialog) {
        FrameGeneralInfo* info = generalInfoOf(*dialog);
        QCOMPARE(info->name(), QStringLiteral("Широта"));
        QVERIFY(dialog->findChild<QLineEdit*>("editShortName")->isHidden());
        click(dialog, "buttonDefaults");
        QCOMPARE(info->name(), QStringLiteral("Геодезическая"));
        QCOMPARE(info->description(), QStringLiteral("Широта-долгота"));
        click(dialog, "buttonCancel");
    });
    QVERIFY(!DialogCoordSysTypeEditor::Edit(4));
    QCOMPARE(typeColumn(4, "name").toString(), QStringLiteral("Широта"));
    QCOMPARE(typeColumn(4, "description").toString(), QStringLiteral("своя"));
}

void TestDialogCoordSysTypeEditor::saveChecksTheNameAndStampsTheRow()
{
    const CModalWatch watch = whenModal<DialogCoordSysTypeEditor>([this](DialogCoordSysTypeEditor* dialog) {
        generalInfoOf(*dialog)->setName("Картографическая");
        click(dialog, "buttonSave");
        QCOMPARE(messages(), QStringList{"Предупреждение|Введенное название уже используется"});
        generalInfoOf(*dialog)->setName("Широта");
        generalInfoOf(*dialog)->setDescription("it's");
        click(dialog, "buttonSave");
    });
    QVERIFY(DialogCoordSysTypeEditor::Edit(4));
    QCOMPARE(scriptedPrompt().messages().size(), 1);
    QCOMPARE(typeColumn(4, "description").toString(), QStringLiteral("it's"));
    QVERIFY(typeColumn(4, "last_use").toLongLong() > 0);
}

void TestDialogCoordSysTypeEditor::typeWithoutRowIsNotSaved()
{
    DialogCoordSysTypeEditor dialog(2);
    QCOMPARE(generalInfoOf(dialog)->name(), QString());
    click(&dialog, "buttonDefaults");
    QCOMPARE(generalInfoOf(dialog)->name(), QString());
    generalInfoOf(dialog)->setName("Новый");
    click(&dialog, "buttonSave");
    QCOMPARE(scriptedPrompt().messages().size(), 1);
    QVERIFY(scriptedPrompt().messages().first().text.startsWith("Ошибка записи в базу данных"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestDialogCoordSysTypeEditor::registeredForEditOnly()
{
    EditorRegistry::clear();
    registerCoordSysEditors();
    const CEditorOperations operations = EditorRegistry::get(TableCoordSysType);
    QVERIFY(operations.edit && !operations.create && !operations.erase);
}

QTEST_MAIN(TestDialogCoordSysTypeEditor)
#include "test_dialogcoordsystypeeditor.moc"
