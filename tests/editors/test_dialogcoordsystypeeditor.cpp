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

class TestDialogCoordSysTypeEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void defaultsAreShownNotWritten();
    void saveChecksTheNameAndStampsTheRow();
    void typeWithoutRowIsNotSaved();
    void registeredForEditOnly();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

void TestDialogCoordSysTypeEditor::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    QVERIFY(CTestDatabase::exec("UPDATE coordsystype SET name = 'Широта', description = 'своя' WHERE code = 4;"));
}

void TestDialogCoordSysTypeEditor::cleanup()
{
    m_prompt.reset();
    m_database.reset();
}

void TestDialogCoordSysTypeEditor::defaultsAreShownNotWritten()
{
    whenModal<DialogCoordSysTypeEditor>([](DialogCoordSysTypeEditor* dialog) {
        FrameGeneralInfo* info = generalInfoOf(*dialog);
        QCOMPARE(info->name(), QStringLiteral("Широта"));
        QVERIFY(dialog->findChild<QLineEdit*>("editShortName")->isHidden());
        clickButton(*dialog, "buttonDefaults");
        QCOMPARE(info->name(), QStringLiteral("Геодезическая"));
        QCOMPARE(info->description(), QStringLiteral("Широта-долгота"));
        clickButton(*dialog, "buttonCancel");
    });
    QVERIFY(!DialogCoordSysTypeEditor::Edit(4));
    QCOMPARE(typeColumn(4, "name").toString(), QStringLiteral("Широта"));
    QCOMPARE(typeColumn(4, "description").toString(), QStringLiteral("своя"));
}

void TestDialogCoordSysTypeEditor::saveChecksTheNameAndStampsTheRow()
{
    whenModal<DialogCoordSysTypeEditor>([this](DialogCoordSysTypeEditor* dialog) {
        generalInfoOf(*dialog)->setName("Картографическая");
        clickButton(*dialog, "buttonSave");
        QCOMPARE(m_prompt->messageTexts(), QStringList{"Предупреждение|Введенное название уже используется"});
        generalInfoOf(*dialog)->setName("Широта");
        generalInfoOf(*dialog)->setDescription("it's");
        clickButton(*dialog, "buttonSave");
    });
    QVERIFY(DialogCoordSysTypeEditor::Edit(4));
    QCOMPARE(m_prompt->messages().size(), 1);
    QCOMPARE(typeColumn(4, "description").toString(), QStringLiteral("it's"));
    QVERIFY(typeColumn(4, "last_use").toLongLong() > 0);
}

void TestDialogCoordSysTypeEditor::typeWithoutRowIsNotSaved()
{
    DialogCoordSysTypeEditor dialog(2);
    QCOMPARE(generalInfoOf(dialog)->name(), QString());
    clickButton(dialog, "buttonDefaults");
    QCOMPARE(generalInfoOf(dialog)->name(), QString());
    generalInfoOf(dialog)->setName("Новый");
    clickButton(dialog, "buttonSave");
    QCOMPARE(m_prompt->messages().size(), 1);
    QVERIFY(m_prompt->messages().first().text.startsWith("Ошибка записи в базу данных"));
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
