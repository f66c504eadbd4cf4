#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/dialogdatabaseselector.h"
#include "browser/dialoginfoviewer.h"
#include "browser/editorregistry.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <stdexcept>

namespace {

QPushButton* button(const DialogDatabaseSelector& selector, const QString& name)
{
    return selector.findChild<QPushButton*>(name);
}

QString currentName(const DialogDatabaseSelector& selector)
{
    const QModelIndex current = selector.findChild<QTableView*>("tableView")->currentIndex();
    return current.isValid() ? current.sibling(current.row(), 1).data().toString() : QString();
}

int unitKey(const QString& name)
{
    const QVariant key = CTestDatabase::value("SELECT autokey FROM unitlength WHERE name = ?;", {name});
    return key.isValid() ? key.toInt() : int(NoValue);
}

QStringList unitNames()
{
    QStringList names;
    for (const QVariant& name : CTestDatabase::column("SELECT name FROM unitlength ORDER BY name;"))
        names.append(name.toString());
    return names;
}

bool stamped(const QString& name)
{
    return CTestDatabase::value("SELECT last_use FROM unitlength WHERE name = ?;", {name}).toLongLong() > 0;
}

bool insertUnit(const QString& name)
{
    return CTestDatabase::exec("INSERT INTO unitlength (name, factor_b, factor_c) VALUES (?, 1, 1);", {name});
}

// Editor operations that record their calls as "<label> create", "<label> edit <key>" and
// "<label> erase <key>"; the erase deletes the unit row when it succeeds.
struct CRecordingEditor {
    QStringList calls;
    int created = NoValue;
    bool edited = true;
    bool erased = true;

    CEditorOperations operations(const QString& label, const QString& which = "create edit erase")
    {
        CEditorOperations result;
        if (which.contains("create"))
            result.create = [this, label] {
                calls.append(label + " create");
                return created;
            };
        if (which.contains("edit"))
            result.edit = [this, label](int key) {
                calls.append(QString("%1 edit %2").arg(label).arg(key));
                return edited;
            };
        if (which.contains("erase"))
            result.erase = [this, label](int key) {
                calls.append(QString("%1 erase %2").arg(label).arg(key));
                return erased && CTestDatabase::exec("DELETE FROM unitlength WHERE autokey = ?;", {key});
            };
        return result;
    }
};

} // namespace

class TestSelectorCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dispatchByTable_data();
    void dispatchByTable();
    void createSelectsTheNewRecord();
    void cancelledCreateChangesNothing();
    void editKeepsTheRecordSelected();
    void deleteSelectsANeighbour_data();
    void deleteSelectsANeighbour();
    void declinedDeleteErasesNothing();
    void detailsShowTheRecord();
    void duplicateMovesTheNameOn();
    void commandsWithoutARecord_data();
    void commandsWithoutARecord();
    void editorExceptionIsReported();

private:
    // A selector of the length units with the unit of that name current.
    std::unique_ptr<DialogDatabaseSelector> unitSelector(const QString& current);

    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    CRecordingEditor m_editor;
};

void TestSelectorCommands::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    m_editor = CRecordingEditor();
    for (const char* name : {"Верста", "Метр", "Сажень"})
        QVERIFY(insertUnit(name));
}

void TestSelectorCommands::cleanup()
{
    EditorRegistry::clear();
    m_prompt.reset();
    m_database.reset();
}

std::unique_ptr<DialogDatabaseSelector> TestSelectorCommands::unitSelector(const QString& current)
{
    auto selector = std::make_unique<DialogDatabaseSelector>(TableUnitLength, SelectorBrowse);
    selector->load();
    selector->selectRowByCode(unitKey(current));
    return selector;
}

void TestSelectorCommands::dispatchByTable_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QString>("registered");
    QTest::addColumn<QString>("shown");

    QTest::newRow("units, full editor") << int(TableUnitLength) << "create edit erase" << "create edit erase";
    QTest::newRow("units, no editor yet") << int(TableUnitLength) << "" << "";
    QTest::newRow("datum shifts, edit only") << int(TableDatumShift) << "edit" << "edit";
    QTest::newRow("angle formats are never created or erased") << int(TableAngleFormat) << "create edit erase"
                                                               << "edit";
    QTest::newRow("transforms, edit only") << int(TableTransform) << "edit" << "edit";
    QTest::newRow("EPSG ellipsoids") << int(TableEpsgEllipsoid) << "create edit erase" << "create edit erase";
}

void TestSelectorCommands::dispatchByTable()
{
    QFETCH(int, tableId);
    QFETCH(QString, registered);
    QFETCH(QString, shown);
    // A second table's editor, which no command of this table may reach.
    EditorRegistry::set(TableCoordSys, m_editor.operations("other"));
    EditorRegistry::set(tableId, m_editor.operations("own", registered));
    DialogDatabaseSelector selector(tableId, SelectorBrowse);
    QVERIFY(selector.load());
    if (tableId == TableUnitLength)
        QVERIFY(selector.selectRowByCode(unitKey("Метр")));
    const int key = selector.currentCode();

    QStringList expected;
    const QList<QPair<QString, QString>> commands{
        {"create", "buttonCreate"}, {"edit", "buttonEdit"}, {"erase", "buttonDelete"}};
    for (const auto& command : commands) {
        QPushButton* commandButton = button(selector, command.second);
        QCOMPARE(!commandButton->isHidden(), shown.contains(command.first));
        if (commandButton->isHidden())
            continue;
        m_prompt->answerMessage(QMessageBox::Yes);
        commandButton->click();
        if (command.first == "create")
            expected.append("own create");
        else if (key != NoValue)
            expected.append(QString("own %1 %2").arg(command.first).arg(key));
    }
    QCOMPARE(m_editor.calls, expected);
}

void TestSelectorCommands::createSelectsTheNewRecord()
{
    EditorRegistry::set(TableUnitLength, m_editor.operations("units"));
    const auto selector = unitSelector("Метр");
    QVERIFY(insertUnit("Аршин"));
    m_editor.created = unitKey("Аршин");
    button(*selector, "buttonCreate")->click();
    QCOMPARE(m_editor.calls, QStringList{"units create"});
    QCOMPARE(currentName(*selector), QStringLiteral("Аршин"));
    QVERIFY(stamped("Аршин"));
}

void TestSelectorCommands::cancelledCreateChangesNothing()
{
    EditorRegistry::set(TableUnitLength, m_editor.operations("units"));
    const auto selector = unitSelector("Сажень");
    button(*selector, "buttonCreate")->click();
    QCOMPARE(m_editor.calls, QStringList{"units create"});
    QCOMPARE(currentName(*selector), QStringLiteral("Сажень"));
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestSelectorCommands::editKeepsTheRecordSelected()
{
    EditorRegistry::set(TableUnitLength, m_editor.operations("units"));
    const auto selector = unitSelector("Верста");
    const int key = unitKey("Верста");
    // The editor renames the record so that it sorts last.
    QVERIFY(CTestDatabase::exec("UPDATE unitlength SET name = 'Ярд' WHERE autokey = ?;", {key}));
    m_editor.edited = false;
    button(*selector, "buttonEdit")->click();
    QCOMPARE(currentName(*selector), QStringLiteral("Ярд"));
    QVERIFY(!stamped("Ярд"));

    m_editor.edited = true;
    button(*selector, "buttonEdit")->click();
    QCOMPARE(m_editor.calls, QStringList({QString("units edit %1").arg(key), QString("units edit %1").arg(key)}));
    QVERIFY(stamped("Ярд"));
}

void TestSelectorCommands::deleteSelectsANeighbour_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<bool>("erased");
    QTest::addColumn<QString>("selected");
    QTest::newRow("a middle row selects the one below") << "" << "Метр" << true << "Сажень";
    QTest::newRow("the last row selects the one above") << "" << "Сажень" << true << "Метр";
    QTest::newRow("the only row leaves no selection") << "only" << "Метр" << true << "";
    QTest::newRow("a record in use stays current") << "" << "Метр" << false << "Метр";
}

void TestSelectorCommands::deleteSelectsANeighbour()
{
    QFETCH(QString, units);
    QFETCH(QString, deleted);
    QFETCH(bool, erased);
    QFETCH(QString, selected);
    if (units == "only")
        QVERIFY(CTestDatabase::exec("DELETE FROM unitlength WHERE name <> 'Метр';"));
    EditorRegistry::set(TableUnitLength, m_editor.operations("units"));
    m_editor.erased = erased;
    const auto selector = unitSelector(deleted);
    const int key = unitKey(deleted);
    m_prompt->answerMessage(QMessageBox::Yes);
    button(*selector, "buttonDelete")->click();

    QCOMPARE(m_prompt->messageTexts(), QStringList{"Подтверждение|Удалить?"});
    QCOMPARE(m_editor.calls, QStringList{QString("units erase %1").arg(key)});
    QCOMPARE(unitNames().contains(deleted), !erased);
    QCOMPARE(currentName(*selector), selected);
}

void TestSelectorCommands::declinedDeleteErasesNothing()
{
    EditorRegistry::set(TableUnitLength, m_editor.operations("units"));
    const auto selector = unitSelector("Метр");
    m_prompt->answerMessage(QMessageBox::No);
    button(*selector, "buttonDelete")->click();
    QVERIFY(m_editor.calls.isEmpty());
    QCOMPARE(unitNames(), QStringList({"Верста", "Метр", "Сажень"}));
    QCOMPARE(currentName(*selector), QStringLiteral("Метр"));
}

void TestSelectorCommands::detailsShowTheRecord()
{
    const auto selector = unitSelector("Сажень");
    QString brief;
    const CModalWatch watch = whenModal<DialogInfoViewer>([&brief](DialogInfoViewer* viewer) {
        brief = viewer->findChild<QPlainTextEdit*>("editBrief")->toPlainText();
        viewer->close();
    });
    button(*selector, "buttonDetails")->click();
    QVERIFY2(brief.contains("Сажень"), qPrintable(brief));
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestSelectorCommands::duplicateMovesTheNameOn()
{
    const auto selector = unitSelector("Метр");
    button(*selector, "buttonDuplicate")->click();
    QCOMPARE(currentName(*selector), QStringLiteral("Метр[1]"));
    QVERIFY(stamped("Метр[1]"));
    selector->selectRowByCode(unitKey("Метр"));
    button(*selector, "buttonDuplicate")->click();
    QCOMPARE(currentName(*selector), QStringLiteral("Метр[2]"));
    QCOMPARE(unitNames(), QStringList({"Верста", "Метр", "Метр[1]", "Метр[2]", "Сажень"}));
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestSelectorCommands::commandsWithoutARecord_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message");
    const QString unread = QStringLiteral("Предупреждение|Ошибка чтения данных");
    const QString notDuplicated = QStringLiteral("Failed!|Duplicate");
    QTest::newRow("details of an EPSG table") << int(TableEpsgEllipsoid) << "buttonDetails" << unread;
    QTest::newRow("details without a current row") << int(TableVertCoordSys) << "buttonDetails" << unread;
    QTest::newRow("duplicate in an EPSG table") << int(TableEpsgEllipsoid) << "buttonDuplicate" << notDuplicated;
    QTest::newRow("duplicate of a transform") << int(TableTransform) << "buttonDuplicate" << notDuplicated;
    QTest::newRow("duplicate without a current row") << int(TableVertCoordSys) << "buttonDuplicate" << notDuplicated;
    QTest::newRow("edit without a current row") << int(TableEpsgDatum) << "buttonEdit" << "";
}

void TestSelectorCommands::commandsWithoutARecord()
{
    QFETCH(int, tableId);
    QFETCH(QString, command);
    QFETCH(QString, message);
    EditorRegistry::set(tableId, m_editor.operations("own"));
    DialogDatabaseSelector selector(tableId, SelectorBrowse);
    selector.load();
    button(selector, command)->click();
    QCOMPARE(m_prompt->messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(m_editor.calls.isEmpty());
}

void TestSelectorCommands::editorExceptionIsReported()
{
    CEditorOperations throwing;
    throwing.edit = [](int) -> bool { throw std::runtime_error("editor failed"); };
    EditorRegistry::set(TableUnitLength, throwing);
    const auto selector = unitSelector("Метр");
    button(*selector, "buttonEdit")->click();
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Ошибка|editor failed"});
    QCOMPARE(currentName(*selector), QStringLiteral("Метр"));
}

QTEST_MAIN(TestSelectorCommands)
#include "test_selectorcommands.moc"
