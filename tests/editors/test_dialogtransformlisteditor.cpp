#include "guitest.h"
#include "transformfixture.h"

#include "browser/editorregistry.h"
#include "browser/framegeneralinfo.h"
#include "database/novalue.h"
#include "editors/transform/dialogtransformeditor.h"
#include "editors/transform/dialogtransformlisteditor.h"
#include "editors/transform/registertransformeditors.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

template <class Widget = QPushButton>
void click(const QDialog& dialog, const char* name)
{
    dialog.findChild<Widget*>(name)->click();
}

void setTexts(const DialogTransformListEditor& dialog, const QString& name, const QString& identifier)
{
    dialog.findChild<FrameGeneralInfo*>()->setName(name);
    dialog.findChild<QLineEdit*>("editID")->setText(identifier);
}

void selectRow(const DialogTransformListEditor& dialog, int row)
{
    dialog.findChild<QListWidget*>("listTransformList")->setCurrentRow(row);
}

// Adds a plane shift of the name through the transform editor.
void addTransform(const DialogTransformListEditor& dialog, const QString& name)
{
    const CModalWatch watch = answerTransformEditor(name);
    click(dialog, "buttonAdd");
}

QVariant column(const QString& column, int key)
{
    return CTestDatabase::value(QString("SELECT %1 FROM transformlist WHERE autokey = ?;").arg(column), {key});
}

const QString Warning = QStringLiteral("Предупреждение|");

} // namespace

class TestDialogTransformListEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void createStoresOwnerAndScope_data();
    void createStoresOwnerAndScope();
    void createCancelledLeavesNothing();
    void refusedSaves_data();
    void refusedSaves();
    void editKeepsOwnerAndScope();
    void cancelUndoesNestedEdits();
    void emptiedListIsGoneOnlyWhenAccepted();
    void systemsFollowTheListRow_data();
    void systemsFollowTheListRow();
    void vanishedListIsNotSaved();
    void clearDeletesTheTransforms();
    void setOwner_data();
    void setOwner();
    void registered();

private:
    CGuiTestEnvironment m_environment;
    CEditorTestSession m_session;
};

void TestDialogTransformListEditor::init()
{
    QVERIFY(m_session.start());
}

void TestDialogTransformListEditor::cleanup()
{
    QVERIFY(m_session.finish());
}

void TestDialogTransformListEditor::createStoresOwnerAndScope_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("horizontal") << 3 << QVariant(3);
    QTest::newRow("none") << 0 << QVariant();
    QTest::newRow("outside the codes") << 7 << QVariant();
}

void TestDialogTransformListEditor::createStoresOwnerAndScope()
{
    QFETCH(int, scope);
    QFETCH(QVariant, stored);
    const CModalWatch watch = whenModal<DialogTransformListEditor>([](DialogTransformListEditor* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Набор преобразований"));
        setTexts(*dialog, "Набор 'A'", " ID-1 ");
        addTransform(*dialog, "first");
        addTransform(*dialog, "second");
        click(*dialog, "buttonSave");
    });
    const int key = DialogTransformListEditor::Create("datum", 5, scope);
    QVERIFY(key != NoValue);
    QVERIFY(m_session.prompt().messages().isEmpty());
    QCOMPARE(column("name", key).toString(), QStringLiteral("Набор 'A'"));
    QCOMPARE(column("identifier", key).toString(), QStringLiteral("ID-1"));
    QCOMPARE(column("owner", key).toInt(), 5);
    QCOMPARE(column("owner_table", key).toString(), QStringLiteral("datum"));
    QCOMPARE(column("scope", key).isNull(), stored.isNull());
    QCOMPARE(column("scope", key).toInt(), stored.toInt());
    QCOMPARE(transformNames(key), QStringList({"first", "second"}));
    QCOMPARE(transformNumbers(key), QVariantList({1, 2}));
}

void TestDialogTransformListEditor::createCancelledLeavesNothing()
{
    const CModalWatch watch = whenModal<DialogTransformListEditor>([](DialogTransformListEditor* dialog) {
        setTexts(*dialog, "list", "id");
        addTransform(*dialog, "first");
        addTransform(*dialog, "second");
        QCOMPARE(dialog->findChild<QListWidget*>()->count(), 2);
        click(*dialog, "buttonCancel");
    });
    QCOMPARE(DialogTransformListEditor::Create("datum", 5, 3), int(NoValue));
    QVERIFY(transformTablesDump().isEmpty());
}

void TestDialogTransformListEditor::refusedSaves_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<bool>("withTransform");
    QTest::addColumn<QString>("message");
    QTest::newRow("blank identifier") << "   " << true << "Необходимо задать идентификатор";
    QTest::newRow("no transform") << "id" << false << "Ошибка записи в базу данных";
}

void TestDialogTransformListEditor::refusedSaves()
{
    QFETCH(QString, identifier);
    QFETCH(bool, withTransform);
    QFETCH(QString, message);
    QStringList shown;
    const CModalWatch watch = whenModal<DialogTransformListEditor>([&](DialogTransformListEditor* dialog) {
        setTexts(*dialog, "list", identifier);
        if (withTransform)
            addTransform(*dialog, "first");
        click(*dialog, "buttonSave");
        shown = m_session.prompt().messageTexts();
        QVERIFY(dialog->isVisible());
        click(*dialog, "buttonCancel");
    });
    QCOMPARE(DialogTransformListEditor::Create(QString(), NoValue, 0), int(NoValue));
    QCOMPARE(shown, QStringList{Warning + message});
    QVERIFY(transformTablesDump().isEmpty());
}

void TestDialogTransformListEditor::editKeepsOwnerAndScope()
{
    const int list = storeList("list", {7, "coordsys", 2});
    QVERIFY(storeTransform(list, "T1", 2, {{5, "1"}, {6, "2"}}) != NoValue);
    const CModalWatch watch = whenModal<DialogTransformListEditor>([](DialogTransformListEditor* dialog) {
        QCOMPARE(dialog->findChild<FrameGeneralInfo*>()->name(), QStringLiteral("list"));
        QCOMPARE(dialog->findChild<QLineEdit*>("editID")->text(), QStringLiteral("id"));
        QCOMPARE(dialog->findChild<QListWidget*>()->count(), 1);
        setTexts(*dialog, "renamed", "id2");
        dialog->findChild<FrameGeneralInfo*>()->setDescription("described");
        click(*dialog, "buttonSave");
    });
    QVERIFY(DialogTransformListEditor::Edit(list));
    QCOMPARE(column("name", list).toString(), QStringLiteral("renamed"));
    QCOMPARE(column("identifier", list).toString(), QStringLiteral("id2"));
    QCOMPARE(column("description", list).toString(), QStringLiteral("described"));
    QCOMPARE(column("owner", list).toInt(), 7);
    QCOMPARE(column("owner_table", list).toString(), QStringLiteral("coordsys"));
    QCOMPARE(column("scope", list).toInt(), 2);
    QVERIFY(column("last_use", list).toLongLong() > 0);
}

void TestDialogTransformListEditor::cancelUndoesNestedEdits()
{
    const int list = storeAffineList("list", 4);
    const QStringList before = transformTablesDump();
    const CModalWatch watch = whenModal<DialogTransformListEditor>([](DialogTransformListEditor* dialog) {
        addTransform(*dialog, "added");
        selectRow(*dialog, 0);
        const CModalWatch edited = whenModal<DialogTransformEditor>(
            [](DialogTransformEditor* editor) { saveShiftTransform(editor, "edited", "9", "9"); });
        click(*dialog, "buttonEdit");
        selectRow(*dialog, 2);
        click<QToolButton>(*dialog, "buttonMoveUp");
        selectRow(*dialog, 3);
        click(*dialog, "buttonDelete");
        QCOMPARE(dialog->findChild<QListWidget*>()->count(), 4);
        click(*dialog, "buttonCancel");
    });
    QVERIFY(!DialogTransformListEditor::Edit(list));
    QCOMPARE(transformTablesDump(), before);
    QVERIFY(m_session.prompt().messages().isEmpty());
}

void TestDialogTransformListEditor::emptiedListIsGoneOnlyWhenAccepted()
{
    const int list = storeAffineList("list", 2);
    const QStringList before = transformTablesDump();
    for (const char* button : {"buttonCancel", "buttonSave"}) {
        const CModalWatch watch = whenModal<DialogTransformListEditor>([button](DialogTransformListEditor* dialog) {
            click(*dialog, "buttonDeleteAll");
            QCOMPARE(dialog->findChild<QListWidget*>()->count(), 0);
            click(*dialog, button);
        });
        QCOMPARE(DialogTransformListEditor::Edit(list), QByteArray(button) == "buttonSave");
        QCOMPARE(transformTablesDump(), QByteArray(button) == "buttonSave" ? QStringList() : before);
    }
    QVERIFY(m_session.prompt().messages().isEmpty());
}

void TestDialogTransformListEditor::systemsFollowTheListRow_data()
{
    QTest::addColumn<bool>("refill");
    QTest::newRow("emptied") << false;
    QTest::newRow("emptied and refilled") << true;
}

// A list that systems use keeps them pointing at a stored row: NULL once it is gone, the new
// row when it comes back.
void TestDialogTransformListEditor::systemsFollowTheListRow()
{
    QFETCH(bool, refill);
    const int list = storeAffineList("list", 2);
    QVERIFY(CTestDatabase::exec("INSERT INTO coordsys (name, type, transform_list) VALUES ('cs', 4, ?);", {list}));
    QVERIFY(CTestDatabase::exec("INSERT INTO vertcoordsys (name, transform_list) VALUES ('vcs', ?);", {list}));
    const CModalWatch watch = whenModal<DialogTransformListEditor>([refill](DialogTransformListEditor* dialog) {
        click(*dialog, "buttonDeleteAll");
        if (refill)
            addTransform(*dialog, "again");
        click(*dialog, "buttonSave");
    });
    QVERIFY(DialogTransformListEditor::Edit(list));
    const QVariant stored = CTestDatabase::value("SELECT max(autokey) FROM transformlist;");
    QCOMPARE(stored.isNull(), !refill);
    for (const char* table : {"coordsys", "vertcoordsys"}) {
        const QVariant used = CTestDatabase::value(QString("SELECT transform_list FROM %1;").arg(table));
        QCOMPARE(used.isNull(), stored.isNull());
        QCOMPARE(used.toInt(), stored.toInt());
    }
    QVERIFY(m_session.prompt().messages().isEmpty());
}

void TestDialogTransformListEditor::vanishedListIsNotSaved()
{
    const int list = storeList("list");
    QVERIFY(CTestDatabase::exec("DELETE FROM transformlist;"));
    QStringList shown;
    const CModalWatch watch = whenModal<DialogTransformListEditor>([&](DialogTransformListEditor* dialog) {
        setTexts(*dialog, "list", "id");
        click(*dialog, "buttonSave");
        shown = m_session.prompt().messageTexts();
        QVERIFY(dialog->isVisible());
        click(*dialog, "buttonCancel");
    });
    QVERIFY(!DialogTransformListEditor::Edit(list));
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first().startsWith(Warning + "Ошибка записи в базу данных"));
}

void TestDialogTransformListEditor::clearDeletesTheTransforms()
{
    const int list = storeAffineList("list", 3);
    const QStringList before = transformTablesDump();
    const CModalWatch watch = whenModal<DialogTransformListEditor>([](DialogTransformListEditor* dialog) {
        dialog->clear();
        QVERIFY(dialog->findChild<FrameGeneralInfo*>()->name().isEmpty());
        QCOMPARE(dialog->findChild<QListWidget*>()->count(), 0);
        QVERIFY(transformTablesDump().isEmpty());
        click(*dialog, "buttonCancel");
    });
    QVERIFY(!DialogTransformListEditor::Edit(list));
    QCOMPARE(transformTablesDump(), before);
    QVERIFY(m_session.prompt().messages().isEmpty());
}

void TestDialogTransformListEditor::setOwner_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("owner");
    QTest::addColumn<QString>("ownerTable");
    QTest::newRow("owner") << true << 12 << "coordsys";
    QTest::newRow("none") << true << int(NoValue) << "";
    QTest::newRow("no such list") << false << 12 << "coordsys";
}

void TestDialogTransformListEditor::setOwner()
{
    QFETCH(bool, stored);
    QFETCH(int, owner);
    QFETCH(QString, ownerTable);
    const int list = storeList("list", {7, "datum", 3});
    const int key = stored ? list : list + 1;
    QCOMPARE(DialogTransformListEditor::SetOwner(key, ownerTable, owner), stored);
    if (!stored) {
        QCOMPARE(column("owner", list).toInt(), 7);
        return;
    }
    QCOMPARE(column("owner", list).isNull(), owner == NoValue);
    QCOMPARE(column("owner", list).toInt(), owner == NoValue ? 0 : owner);
    QCOMPARE(column("owner_table", list).isNull(), ownerTable.isEmpty());
    QCOMPARE(column("owner_table", list).toString(), ownerTable);
    QCOMPARE(column("scope", list).toInt(), 3);
    QVERIFY(column("last_use", list).toLongLong() > 0);
}

void TestDialogTransformListEditor::registered()
{
    EditorRegistry::clear();
    registerTransformEditors();
    for (const int table : {54, 55}) {
        const CEditorOperations operations = EditorRegistry::get(table);
        QVERIFY(!operations.create);
        QVERIFY(operations.edit);
        QVERIFY(!operations.erase);
    }
    const int list = storeAffineList("list", 1);
    const CModalWatch listWatch
        = whenModal<DialogTransformListEditor>([](DialogTransformListEditor* dialog) { click(*dialog, "buttonSave"); });
    QVERIFY(EditorRegistry::get(55).edit(list));
    const CModalWatch watch
        = whenModal<DialogTransformEditor>([](DialogTransformEditor* dialog) { click(*dialog, "buttonSave"); });
    QVERIFY(EditorRegistry::get(54).edit(CTestDatabase::value("SELECT max(autokey) FROM transform;").toInt()));
}

QTEST_MAIN(TestDialogTransformListEditor)
#include "test_dialogtransformlisteditor.moc"
