#include "editorfixture.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"
#include "transformfixture.h"

#include "browser/dialoglistselector.h"
#include "browser/editorregistry.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "browser/framemanagerpicker.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "editors/transform/dialoggeoideditor.h"
#include "editors/transform/frametransformlist.h"
#include "editors/transform/registertransformeditors.h"
#include "values/geoidlist.h"
#include "values/geoidregistry.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

QByteArray geoid(const QByteArray& id, const QByteArray& name)
{
    return "<Geoid><ID>" + id + "</ID><Name>" + name + "</Name><GridDataFileName>" + id
           + ".grd</GridDataFileName><GridCoordSysFileName>" + id
           + ".xml</GridCoordSysFileName><GridMetadataFileName>" + id + ".meta</GridMetadataFileName></Geoid>";
}

QVariant systemColumn(int key, const QString& column)
{
    return columnOf("vertcoordsys", "autokey", key, column);
}

// A transform list with one height shift; the list key.
int insertTransformList()
{
    const int list = storeList("Список");
    storeTransform(list, "Сдвиг", 3, {{7, "1.5"}});
    return list;
}

bool isShown(const QDialog& dialog, const QWidget* widget)
{
    return widget->isVisibleTo(&dialog);
}

} // namespace

class TestDialogGeoidEditor : public CEditorTestCase
{
    Q_OBJECT

protected:
    void prepare() override;

private slots:
    void newSystemWithAGeoidPickedFromTheRegistry();
    void newSystemWithoutGeoidTransformsOrExport();
    void storedSystemShowsItsListAndCode();
    void hiddenListIsStillSaved();
    void nameCheckedAgainstOtherSystems();
    void cancelledCreateUndoesWhatTheDialogWrote();
    void eraseIsRefusedWhileACoordinateSystemUsesIt();
    void eraseDeletesTheListWithTheSystem();
    void registeredForTheSelector();

private:
    QTemporaryDir m_registryFolder;
    std::unique_ptr<CGeoidList> m_registry;
};

// A registry of two geoids, published as the program's.
void TestDialogGeoidEditor::prepare()
{
    QFile file(QDir(m_registryFolder.path()).filePath("data.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<Data><Geoids>" + geoid("egm08", "EGM2008") + geoid("gsi", "GSIGEO") + "</Geoids></Data>");
    file.close();
    m_registry = std::make_unique<CGeoidList>();
    QVERIFY(m_registry->readXml(m_registryFolder.path().toStdString(), "data.xml"));
    setGeoidRegistry(m_registry.get());
}

void TestDialogGeoidEditor::newSystemWithAGeoidPickedFromTheRegistry()
{
    const CModalWatch watch = whenModal<DialogGeoidEditor>([](DialogGeoidEditor* dialog) {
        generalInfoOf(*dialog)->setName("Балтийская");
        generalInfoOf(*dialog)->setShortName("БСВ");
        const CModalWatch watch2 = whenModal<DialogListSelector>([](DialogListSelector* list) {
            list->findChild<QListWidget*>("listItems")->setCurrentRow(1);
            list->findChild<QPushButton*>("buttonOK")->click();
        });
        dialog->findChild<FrameManagerPicker*>()->findChild<QToolButton*>("buttonPick")->click();
        QCOMPARE(dialog->findChild<FrameManagerPicker*>()->name(), QStringLiteral("GSIGEO"));
        click(dialog, "buttonSave");
    });
    const int key = DialogGeoidEditor::Create();
    QCOMPARE(messages(), QStringList());
    QVERIFY(key != NoValue);
    QCOMPARE(systemColumn(key, "geoid").toString(), QStringLiteral("gsi"));
    QCOMPARE(systemColumn(key, "short_name").toString(), QStringLiteral("БСВ"));

    DialogGeoidEditor reopened(key);
    QCOMPARE(reopened.findChild<FrameManagerPicker*>()->name(), QStringLiteral("GSIGEO"));
    QCOMPARE(generalInfoOf(reopened)->name(), QStringLiteral("Балтийская"));
}

void TestDialogGeoidEditor::newSystemWithoutGeoidTransformsOrExport()
{
    DialogGeoidEditor dialog(NoValue);
    QVERIFY(!isShown(dialog, dialog.findChild<FrameTransformList*>()));
    QVERIFY(!isShown(dialog, dialog.findChild<QWidget*>("frameExport")));
    generalInfoOf(dialog)->setName("Нормальные высоты");
    click(&dialog, "buttonSave");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const int key = CTestDatabase::value("SELECT max(autokey) FROM vertcoordsys;").toInt();
    QCOMPARE(systemColumn(key, "geoid"), QVariant(QString("")));
    QVERIFY(systemColumn(key, "transform_list").isNull());
    QVERIFY(systemColumn(key, "epsg").isNull());
    QVERIFY(systemColumn(key, "last_use").toLongLong() > 0);
}

void TestDialogGeoidEditor::storedSystemShowsItsListAndCode()
{
    const int list = insertTransformList();
    const int key = insertRow("vertcoordsys", {{"name", "С"}, {"geoid", "egm08"}, {"transform_list", list},
                                               {"epsg", 5705}});
    DialogGeoidEditor dialog(key);
    QVERIFY(dialog.findChild<QCheckBox*>("checkboxShowTransforms")->isChecked());
    QVERIFY(isShown(dialog, dialog.findChild<FrameTransformList*>()));
    QCOMPARE(dialog.findChild<FrameTransformList*>()->listKey(), list);
    QVERIFY(dialog.findChild<QCheckBox*>("checkboxShowExport")->isChecked());
    QCOMPARE(dialog.findChild<FrameExport*>()->code(ExportEpsg), 5705);
    QCOMPARE(dialog.findChild<FrameManagerPicker*>()->name(), QStringLiteral("EGM2008"));
}

void TestDialogGeoidEditor::hiddenListIsStillSaved()
{
    const int list = insertTransformList();
    const int key = insertRow("vertcoordsys", {{"name", "С"}, {"transform_list", list}});
    DialogGeoidEditor dialog(key);
    dialog.findChild<QCheckBox*>("checkboxShowTransforms")->click();
    QVERIFY(!isShown(dialog, dialog.findChild<FrameTransformList*>()));
    QVERIFY(systemColumn(key, "last_use").isNull());
    click(&dialog, "buttonSave");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(systemColumn(key, "transform_list").toInt(), list);
    QVERIFY(!systemColumn(key, "last_use").isNull());
}

void TestDialogGeoidEditor::nameCheckedAgainstOtherSystems()
{
    insertRow("vertcoordsys", {{"name", "Другая"}});
    const int key = insertRow("vertcoordsys", {{"name", "Своя"}});
    DialogGeoidEditor dialog(key);
    generalInfoOf(dialog)->setName("Другая");
    click(&dialog, "buttonSave");
    QCOMPARE(messages(), QStringList{"Предупреждение|Введенное название уже используется"});
    generalInfoOf(dialog)->setName("Своя");
    click(&dialog, "buttonSave");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestDialogGeoidEditor::cancelledCreateUndoesWhatTheDialogWrote()
{
    const CModalWatch watch = whenModal<DialogGeoidEditor>([](DialogGeoidEditor* dialog) {
        insertTransformList();
        click(dialog, "buttonCancel");
    });
    QCOMPARE(DialogGeoidEditor::Create(), NoValue);
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM transformlist;").toInt(), 0);
    const int key = insertRow("vertcoordsys", {{"name", "С"}});
    const CModalWatch watch2 = whenModal<DialogGeoidEditor>([](DialogGeoidEditor* dialog) { dialog->close(); });
    QVERIFY(!DialogGeoidEditor::Edit(key));
}

void TestDialogGeoidEditor::eraseIsRefusedWhileACoordinateSystemUsesIt()
{
    const int key = insertRow("vertcoordsys", {{"name", "С"}});
    insertRow("coordsys", {{"name", "Б"}, {"type", 5}, {"vert_coordsys", key}});
    insertRow("coordsys", {{"name", "А"}, {"type", 4}, {"vert_coordsys", key}});
    QStringList rows;
    {
        const CModalWatch watch = captureDependencies(rows);
        QVERIFY(!DialogGeoidEditor::Erase(key));
    }
    QCOMPARE(rows, QStringList({"Система координат|А", "Система координат|Б"}));
    QCOMPARE(systemColumn(key, "name").toString(), QStringLiteral("С"));
}

void TestDialogGeoidEditor::eraseDeletesTheListWithTheSystem()
{
    const int list = insertTransformList();
    const int key = insertRow("vertcoordsys", {{"name", "С"}, {"transform_list", list}});
    QVERIFY(DialogGeoidEditor::Erase(key));
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM vertcoordsys;").toInt(), 0);
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM transformlist;").toInt(), 0);
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM transform;").toInt(), 0);
}

void TestDialogGeoidEditor::registeredForTheSelector()
{
    EditorRegistry::clear();
    registerTransformEditors();
    const CEditorOperations operations = EditorRegistry::get(TableVertCoordSys);
    QVERIFY(operations.create && operations.edit && operations.erase);
    const int key = insertRow("vertcoordsys", {{"name", "С"}});
    const CModalWatch watch = whenModal<DialogGeoidEditor>([](DialogGeoidEditor* dialog) { click(dialog, "buttonSave"); });
    QVERIFY(operations.edit(key));
    QVERIFY(operations.erase(key));
}

QTEST_MAIN(TestDialogGeoidEditor)
#include "test_dialoggeoideditor.moc"
