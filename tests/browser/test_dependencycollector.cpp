#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/dependencycollector.h"
#include "database/tablecatalogue.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

int insertKey(const QString& statement, const QVariantList& values)
{
    if (!CTestDatabase::exec(statement, values))
        return 0;
    return CTestDatabase::value("SELECT last_insert_rowid();").toInt();
}

const QString ellipsoidTitle = QStringLiteral("Эллипсоид");
const QString coordSysTitle = QStringLiteral("Система координат");

QVector<CDependentKind> unitDependents()
{
    return {{TableEllipsoid, {"unit"}, ellipsoidTitle},
            {TableCoordSys, {"length_unit", "height_unit"}, coordSysTitle}};
}

// The rows of the dependencies tree, each as "type|name|description".
QStringList treeRows(const QTreeWidget* tree)
{
    QStringList rows;
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = tree->topLevelItem(row);
        rows.append(QStringList{item->text(0), item->text(1), item->text(2)}.join('|'));
    }
    return rows;
}

QStringList itemRows(const QVector<DependencyItem>& items)
{
    QStringList rows;
    for (const DependencyItem& item : items)
        rows.append(QStringList{item.typeTitle, item.name, item.description}.join('|'));
    return rows;
}

} // namespace

class TestDependencyCollector : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void collectsKindByKindByName();
    void failingQueryIsReported();
    void dialogShowsTheItems();
    void eraseRefusedWhileDependentsExist();
    void eraseRefusedWhenDependentsCannotBeRead();
    void eraseDeletesAFreeRecord();
    void eraseOfNoRowOrFailedCascadeIsFalse();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    int m_metre = 0;
    int m_foot = 0;
};

void TestDependencyCollector::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    const QString unit = "INSERT INTO unitlength (name, factor_b, factor_c) VALUES (?, 1, 1);";
    m_metre = insertKey(unit, {"Метр"});
    m_foot = insertKey(unit, {"Фут"});
    QVERIFY(m_metre && m_foot);
    const QString ellipsoid =
        "INSERT INTO ellipsoid (name, description, a, f, use_f, sphere, unit) VALUES (?, ?, 6378245, 298.3, 1, 0, ?);";
    QVERIFY(insertKey(ellipsoid, {"Красовский", "1940", m_metre}));
    QVERIFY(insertKey(ellipsoid, {"Бессель", "1841", m_metre}));
    QVERIFY(insertKey(ellipsoid, {"Кларк", "в футах", m_foot}));
    const QString coordSys = "INSERT INTO coordsys (name, description, type, length_unit, height_unit) VALUES (?, ?, 1, ?, ?);";
    QVERIFY(insertKey(coordSys, {"Система Б", "длина", m_metre, m_foot}));
    QVERIFY(insertKey(coordSys, {"Система А", "высота", m_foot, m_metre}));
    QVERIFY(insertKey(coordSys, {"Система В", "", m_foot, m_foot}));
}

void TestDependencyCollector::cleanup()
{
    m_prompt.reset();
    m_database.reset();
}

void TestDependencyCollector::collectsKindByKindByName()
{
    QVector<DependencyItem> items;
    QVERIFY(collectDependencies(unitDependents(), m_metre, items));
    QCOMPARE(itemRows(items), QStringList({"Эллипсоид|Бессель|1841", "Эллипсоид|Красовский|1940",
                                           "Система координат|Система А|высота", "Система координат|Система Б|длина"}));
    for (const DependencyItem& item : items)
        QCOMPARE(item.key, m_metre);
    QCOMPARE(items.first().tableId, int(TableEllipsoid));
    QCOMPARE(items.first().tableName, QStringLiteral("ellipsoid"));
    QCOMPARE(items.last().tableId, int(TableCoordSys));
    QCOMPARE(items.last().tableName, QStringLiteral("coordsys"));
}

void TestDependencyCollector::failingQueryIsReported()
{
    QVector<DependencyItem> items;
    QString error;
    const QVector<CDependentKind> kinds{{TableEllipsoid, {"no_such_column"}, ellipsoidTitle},
                                        {TableCoordSys, {"length_unit"}, coordSysTitle}};
    QVERIFY(!collectDependencies(kinds, m_metre, items, &error));
    QVERIFY(!error.isEmpty());
}

void TestDependencyCollector::dialogShowsTheItems()
{
    QVector<DependencyItem> items;
    QVERIFY(collectDependencies(unitDependents(), m_foot, items));
    DialogDependencies dialog;
    dialog.setItems(items);
    const auto* tree = dialog.findChild<QTreeWidget*>("treeDependencies");
    QCOMPARE(treeRows(tree), itemRows(items));
    QCOMPARE(tree->headerItem()->text(0), QStringLiteral("Тип"));
    QCOMPARE(tree->headerItem()->text(1), QStringLiteral("Имя"));
    QCOMPARE(tree->headerItem()->text(2), QStringLiteral("Описание"));
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
    QCOMPARE(tree->topLevelItem(0)->data(0, Qt::UserRole).toInt(), m_foot);
    QCOMPARE(tree->topLevelItem(0)->data(0, Qt::UserRole + 1).toInt(), int(TableEllipsoid));
    QCOMPARE(tree->topLevelItem(0)->data(0, Qt::UserRole + 2).toString(), QStringLiteral("ellipsoid"));
    QVERIFY(dialog.findChild<QPushButton*>("buttonDetails")->isHidden());
}

void TestDependencyCollector::eraseRefusedWhileDependentsExist()
{
    QStringList shown;
    const CModalWatch watch = whenModal<DialogDependencies>([&shown](DialogDependencies* dialog) {
        shown = treeRows(dialog->findChild<QTreeWidget*>("treeDependencies"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("buttonClose"), Qt::LeftButton);
    });
    QVERIFY(!eraseRecord(TableUnitLength, m_metre, unitDependents()));
    QCOMPARE(shown.size(), 4);
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM unitlength WHERE autokey = ?;", {m_metre}).toInt(), 1);
}

void TestDependencyCollector::eraseRefusedWhenDependentsCannotBeRead()
{
    const QVector<CDependentKind> kinds{{TableEllipsoid, {"no_such_column"}, ellipsoidTitle}};
    const int free = insertKey("INSERT INTO unitlength (name, factor_b, factor_c) VALUES ('Аршин', 1, 1);", {});
    QVERIFY(!eraseRecord(TableUnitLength, free, kinds));
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM unitlength WHERE autokey = ?;", {free}).toInt(), 1);
    QCOMPARE(m_prompt->messages().size(), 1);
    QCOMPARE(m_prompt->messages().first().title, QStringLiteral("Предупреждение"));
}

void TestDependencyCollector::eraseDeletesAFreeRecord()
{
    const int free = insertKey("INSERT INTO unitlength (name, factor_b, factor_c) VALUES ('Аршин', 1, 1);", {});
    QVERIFY(eraseRecord(TableUnitLength, free, unitDependents()));
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM unitlength WHERE autokey = ?;", {free}).toInt(), 0);
    QVERIFY(m_prompt->messages().isEmpty());
    QVERIFY(!CTestDatabase::inTransaction());
}

void TestDependencyCollector::eraseOfNoRowOrFailedCascadeIsFalse()
{
    QVERIFY(!eraseRecord(TableUnitLength, 9999, unitDependents()));
    const int free = insertKey("INSERT INTO unitlength (name, factor_b, factor_c) VALUES ('Аршин', 1, 1);", {});
    QVERIFY(!eraseRecord(TableUnitLength, free, unitDependents(), [] { return false; }));
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM unitlength WHERE autokey = ?;", {free}).toInt(), 1);
    QVERIFY(!CTestDatabase::inTransaction());
}

QTEST_MAIN(TestDependencyCollector)
#include "test_dependencycollector.moc"
