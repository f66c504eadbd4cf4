#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/dialogdatabaseselector.h"
#include "browser/editorregistry.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

QTableView* view(const DialogDatabaseSelector& selector)
{
    return selector.findChild<QTableView*>("tableView");
}

// The name in the current row, empty when none is current.
QString currentName(const DialogDatabaseSelector& selector)
{
    const QModelIndex current = view(selector)->currentIndex();
    return current.isValid() ? current.sibling(current.row(), 1).data().toString() : QString();
}

int keyOf(const QString& name)
{
    return CTestDatabase::value("SELECT autokey FROM unitlength WHERE name = ?;", {name}).toInt();
}

template <class Widget>
Widget* child(const DialogDatabaseSelector& selector, const char* name)
{
    return selector.findChild<Widget*>(name);
}

bool shown(const DialogDatabaseSelector& selector, const char* button)
{
    return !child<QPushButton>(selector, button)->isHidden();
}

} // namespace

class TestDialogDatabaseSelector : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsTheTableByName();
    void buttonsByModeAndTable_data();
    void buttonsByModeAndTable();
    void preselection_data();
    void preselection();
    void selectReturnsTheChosenKey();
    void cancelReturnsNothing();
    void emptyTableGivesNothing();
    void search_data();
    void search();
    void searchContinuesFromTheMatch();
    void searchFieldsStayChecked();
    void searchFieldIsWideAndEnterSearches();
    void failingQueryIsReported();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

void TestDialogDatabaseSelector::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    const QList<QPair<QString, QString>> units{{"Метр", "Основная единица"}, {"Фут", "12 дюймов"},
                                               {"Километр", "1000 м"},       {"Сажень", "Русская мера"},
                                               {"метр", "строчная"},         {"Миля", "Морская"}};
    for (const auto& unit : units) {
        QVERIFY(CTestDatabase::exec("INSERT INTO unitlength (name, description, factor_b, factor_c) VALUES (?, ?, 1, 1);",
                                    {unit.first, unit.second}));
    }
}

void TestDialogDatabaseSelector::cleanup()
{
    m_prompt.reset();
    m_database.reset();
}

void TestDialogDatabaseSelector::listsTheTableByName()
{
    DialogDatabaseSelector selector(TableUnitLength, SelectorBrowse);
    QVERIFY(selector.load());
    QCOMPARE(selector.windowTitle(), tableTitle(TableUnitLength));
    QAbstractItemModel* model = view(selector)->model();
    QStringList names;
    for (int row = 0; row < model->rowCount(); ++row)
        names.append(model->index(row, 1).data().toString());
    QCOMPARE(names, QStringList({"Километр", "Метр", "Миля", "Сажень", "Фут", "метр"}));
    QVERIFY(view(selector)->isColumnHidden(0));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Название"));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Описание"));
    QCOMPARE(selector.queryText(), QStringLiteral("SELECT autokey, name, description FROM unitlength ORDER BY name;"));
    QCOMPARE(child<QToolButton>(selector, "buttonSearchDown")->text(), QString(QChar(0x25BC)));
    QCOMPARE(child<QToolButton>(selector, "buttonSearchUp")->text(), QString(QChar(0x25B2)));
    QVERIFY(child<QFrame>(selector, "frameSearch")->isEnabled());
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestDialogDatabaseSelector::buttonsByModeAndTable_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("visible");

    const QString browseRecords = "buttonDetails buttonCreate buttonEdit buttonDuplicate buttonDelete buttonExport "
                                  "buttonImport buttonClose";
    QTest::newRow("browse units") << int(TableUnitLength) << int(SelectorBrowse) << browseRecords;
    QTest::newRow("select coordinate systems")
        << int(TableCoordSys) << int(SelectorSelect)
        << "buttonSelect buttonDetails buttonCreate buttonEdit buttonDuplicate buttonDelete buttonExport buttonImport "
           "buttonCancel";
    QTest::newRow("browse angle formats") << int(TableAngleFormat) << int(SelectorBrowse)
                                          << "buttonDetails buttonEdit buttonClose";
    QTest::newRow("select transform types") << int(TableTransformType) << int(SelectorSelect)
                                            << "buttonSelect buttonDetails buttonEdit buttonCancel";
    QTest::newRow("browse EPSG ellipsoids") << int(TableEpsgEllipsoid) << int(SelectorBrowse) << browseRecords;
}

void TestDialogDatabaseSelector::buttonsByModeAndTable()
{
    QFETCH(int, tableId);
    QFETCH(int, mode);
    QFETCH(QString, visible);
    // Every table here has an editor; tables without one are the record commands' test.
    EditorRegistry::set(tableId, {[] { return int(NoValue); }, [](int) { return false; }, [](int) { return false; }});
    DialogDatabaseSelector selector(tableId, mode);
    EditorRegistry::clear();
    QStringList buttons;
    for (const char* name : {"buttonSelect", "buttonDetails", "buttonCreate", "buttonEdit", "buttonDuplicate",
                             "buttonDelete", "buttonExport", "buttonImport", "buttonClose", "buttonCancel"}) {
        if (shown(selector, name))
            buttons.append(name);
        QVERIFY(child<QPushButton>(selector, name)->isEnabled());
    }
    QCOMPARE(buttons.join(' '), visible);
    QVERIFY(child<QRadioButton>(selector, "radioSearchMask")->toolTip().startsWith("?\t- один произвольный символ\n"));
}

void TestDialogDatabaseSelector::preselection_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("lastUsed");
    QTest::addColumn<QString>("selected");
    QTest::newRow("given key") << "Сажень" << "Миля" << "Сажень";
    QTest::newRow("missing key falls back to the last used") << "" << "Миля" << "Миля";
    QTest::newRow("no key, last used") << "-" << "Фут" << "Фут";
}

void TestDialogDatabaseSelector::preselection()
{
    QFETCH(QString, key);
    QFETCH(QString, lastUsed);
    QFETCH(QString, selected);
    QVERIFY(CTestDatabase::exec("UPDATE unitlength SET last_use = 5 WHERE name = 'Километр';"));
    QVERIFY(CTestDatabase::exec("UPDATE unitlength SET last_use = 10 WHERE name = ?;", {lastUsed}));
    const int code = key == "-" ? NoValue : key.isEmpty() ? 999 : keyOf(key);

    QString shownName;
    const CModalWatch watch = whenModal<DialogDatabaseSelector>([&shownName](DialogDatabaseSelector* selector) {
        shownName = currentName(*selector);
        child<QPushButton>(*selector, "buttonClose")->click();
    });
    DialogDatabaseSelector::browse(TableUnitLength, false, code);
    QCOMPARE(shownName, selected);
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM unitlength WHERE last_use > 10;").toInt(), 0);
}

void TestDialogDatabaseSelector::selectReturnsTheChosenKey()
{
    const CModalWatch watch = whenModal<DialogDatabaseSelector>([](DialogDatabaseSelector* selector) {
        selector->selectRowByCode(keyOf("Фут"));
        child<QPushButton>(*selector, "buttonSelect")->click();
    });
    QCOMPARE(DialogDatabaseSelector::selectCode(TableUnitLength, false, keyOf("Метр")), keyOf("Фут"));
    QCOMPARE(CTestDatabase::column("SELECT name FROM unitlength WHERE last_use IS NOT NULL;"), QVariantList{"Фут"});
}

void TestDialogDatabaseSelector::cancelReturnsNothing()
{
    const CModalWatch cancelled = whenModal<DialogDatabaseSelector>([](DialogDatabaseSelector* selector) {
        QCOMPARE(currentName(*selector), QStringLiteral("Метр"));
        child<QPushButton>(*selector, "buttonCancel")->click();
    });
    QCOMPARE(DialogDatabaseSelector::selectCode(TableUnitLength, false, keyOf("Метр")), NoValue);
    const CModalWatch closed = whenModal<DialogDatabaseSelector>([](DialogDatabaseSelector* selector) {
        selector->close();
    });
    QCOMPARE(DialogDatabaseSelector::selectCode(TableUnitLength, false, keyOf("Метр")), NoValue);
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM unitlength WHERE last_use IS NOT NULL;").toInt(), 0);
}

void TestDialogDatabaseSelector::emptyTableGivesNothing()
{
    bool searched = true;
    const CModalWatch watch = whenModal<DialogDatabaseSelector>([&searched](DialogDatabaseSelector* selector) {
        searched = selector->searchDown("а") || selector->searchUp("а");
        QVERIFY(!view(*selector)->currentIndex().isValid());
        child<QPushButton>(*selector, "buttonSelect")->click();
    });
    QCOMPARE(DialogDatabaseSelector::selectCode(TableEllipsoid, false, NoValue), NoValue);
    QVERIFY(!searched);
}

void TestDialogDatabaseSelector::search_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<bool>("byDescription");
    QTest::addColumn<QStringList>("forward");

    QTest::newRow("substring, any case") << "м" << "substring" << false << false
                                         << QStringList{"Километр", "Метр", "Миля", "метр"};
    QTest::newRow("substring, case") << "М" << "substring" << true << false << QStringList{"Метр", "Миля"};
    QTest::newRow("mask: first letter") << "м*" << "mask" << false << false << QStringList{"Метр", "Миля", "метр"};
    QTest::newRow("mask: whole text") << "?етр" << "mask" << true << false << QStringList{"Метр", "метр"};
    QTest::newRow("mask: brackets") << "[фс]*" << "mask" << false << false << QStringList{"Сажень", "Фут"};
    QTest::newRow("equal, any case") << "МЕТР" << "equal" << false << false << QStringList{"Метр", "метр"};
    QTest::newRow("equal, case") << "метр" << "equal" << true << false << QStringList{"метр"};
    QTest::newRow("description too") << "мер" << "substring" << false << true << QStringList{"Сажень"};
    QTest::newRow("blanks around the pattern") << "  фут " << "equal" << false << false << QStringList{"Фут"};
    QTest::newRow("only blanks") << "   " << "substring" << false << false << QStringList{};
}

void TestDialogDatabaseSelector::search()
{
    QFETCH(QString, pattern);
    QFETCH(QString, mode);
    QFETCH(bool, caseSensitive);
    QFETCH(bool, byDescription);
    QFETCH(QStringList, forward);

    DialogDatabaseSelector selector(TableUnitLength, SelectorSelect);
    QVERIFY(selector.load());
    child<QRadioButton>(selector, "radioSearchMask")->setChecked(mode == "mask");
    child<QRadioButton>(selector, "radioSearchEqual")->setChecked(mode == "equal");
    child<QRadioButton>(selector, "radioSearchSubstring")->setChecked(mode == "substring");
    child<QCheckBox>(selector, "checkboxSearchCaseSensitive")->setChecked(caseSensitive);
    child<QCheckBox>(selector, "checkboxSearchByDescription")->setChecked(byDescription);
    child<QLineEdit>(selector, "editSearchMask")->setText(pattern);

    QStringList found;
    for (int i = 0; i < 10; ++i) {
        const QString before = currentName(selector);
        child<QToolButton>(selector, "buttonSearchDown")->click();
        if (currentName(selector) == before)
            break;
        found.append(currentName(selector));
    }
    QCOMPARE(found, forward);

    view(selector)->setCurrentIndex(QModelIndex());
    QStringList backward;
    while (selector.searchUp(pattern))
        backward.prepend(currentName(selector));
    QCOMPARE(backward, forward);
}

void TestDialogDatabaseSelector::searchContinuesFromTheMatch()
{
    DialogDatabaseSelector selector(TableUnitLength, SelectorBrowse);
    QVERIFY(selector.load());
    QVERIFY(selector.searchDown("и"));
    QCOMPARE(currentName(selector), QStringLiteral("Километр"));
    QVERIFY(selector.searchDown("и"));
    QCOMPARE(currentName(selector), QStringLiteral("Миля"));
    QVERIFY(!selector.searchDown("и"));
    QCOMPARE(currentName(selector), QStringLiteral("Миля"));
    QVERIFY(selector.searchUp("и"));
    QCOMPARE(currentName(selector), QStringLiteral("Километр"));
    QVERIFY(!selector.searchDown("нет такого"));
    QCOMPARE(currentName(selector), QStringLiteral("Километр"));
    QCOMPARE(selector.currentCode(), keyOf("Километр"));
    QCOMPARE(selector.nextCode(), keyOf("Метр"));
    QCOMPARE(selector.previousCode(), NoValue);
}

// The shown dialog leaves room for a readable pattern; Enter in the field finds the next match
// and keeps the dialog open instead of choosing the highlighted row.
void TestDialogDatabaseSelector::searchFieldIsWideAndEnterSearches()
{
    DialogDatabaseSelector selector(TableUnitLength, SelectorSelect);
    QVERIFY(selector.load());
    selector.show();
    QVERIFY(QTest::qWaitForWindowExposed(&selector));
    QLineEdit* field = child<QLineEdit>(selector, "editSearchMask");
    QVERIFY2(field->width() >= 25 * field->fontMetrics().averageCharWidth(), qPrintable(QString::number(field->width())));

    field->setFocus();
    field->setText(QStringLiteral("и"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(currentName(selector), QStringLiteral("Километр"));
    QTest::keyClick(field, Qt::Key_Enter);
    QCOMPARE(currentName(selector), QStringLiteral("Миля"));
    QVERIFY(selector.isVisible());
    QCOMPARE(selector.result(), int(QDialog::Rejected));
}

void TestDialogDatabaseSelector::searchFieldsStayChecked()
{
    DialogDatabaseSelector selector(TableUnitLength, SelectorBrowse);
    QVERIFY(selector.load());
    QCheckBox* byName = child<QCheckBox>(selector, "checkboxSearchByName");
    QCheckBox* byDescription = child<QCheckBox>(selector, "checkboxSearchByDescription");
    QVERIFY(byName->isChecked());
    QVERIFY(!byDescription->isChecked());
    byName->setChecked(false);
    QVERIFY(byDescription->isChecked());
    byDescription->setChecked(false);
    QVERIFY(byName->isChecked());
    byDescription->setChecked(true);
    byName->setChecked(false);
    byDescription->setChecked(false);
    QVERIFY(byName->isChecked() || byDescription->isChecked());
}

void TestDialogDatabaseSelector::failingQueryIsReported()
{
    QVERIFY(CTestDatabase::exec("DROP TABLE unitscale;"));
    DialogDatabaseSelector selector(TableUnitScale, SelectorBrowse);
    QVERIFY(!selector.load());
    QCOMPARE(m_prompt->messages().size(), 1);
    QCOMPARE(m_prompt->messages().first().kind, CPrompt::Warning);
    QCOMPARE(m_prompt->messages().first().title, QStringLiteral("Предупреждение"));
    QVERIFY(m_prompt->messages().first().text.startsWith(QStringLiteral("Ошибка чтения базы данных:\n")));
    QVERIFY(!child<QFrame>(selector, "frameSearch")->isEnabled());
    QVERIFY(!child<QCheckBox>(selector, "checkboxSearchByName")->isChecked());
    QVERIFY(!selector.searchDown("м"));
}

QTEST_MAIN(TestDialogDatabaseSelector)
#include "test_dialogdatabaseselector.moc"
