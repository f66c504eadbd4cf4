#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/dialogdatabaseselector.h"
#include "browser/framedatabasepicker.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

int keyOf(const QString& name)
{
    return CTestDatabase::value("SELECT autokey FROM unitlength WHERE name = ?;", {name}).toInt();
}

QString keyName(int key)
{
    return key == NoValue ? QStringLiteral("none") : CTestDatabase::value("SELECT name FROM unitlength WHERE autokey = ?;", {key}).toString();
}

// Answers the selector: "pick X" chooses X, "pick gone X" chooses X after deleting it, "rename"
// and "delete" change the preselected record before cancelling, "cancel" only cancels.
CModalWatch answerSelector(const QString& action)
{
    return whenModal<DialogDatabaseSelector>([action](DialogDatabaseSelector* selector) {
        const QStringList words = action.split(' ');
        const int current = selector->currentCode();
        if (words.first() == "pick") {
            const QString name = words.last();
            selector->selectRowByCode(keyOf(name));
            if (words.size() == 3)
                CTestDatabase::exec("DELETE FROM unitlength WHERE name = ?;", {name});
            selector->findChild<QPushButton*>("buttonSelect")->click();
            return;
        }
        if (action == "rename")
            CTestDatabase::exec("UPDATE unitlength SET name = 'Метр новый' WHERE autokey = ?;", {current});
        if (action == "delete")
            CTestDatabase::exec("DELETE FROM unitlength WHERE autokey = ?;", {current});
        selector->findChild<QPushButton*>("buttonCancel")->click();
    });
}

} // namespace

class TestFrameDatabasePicker : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void signalsAfterTheSelector_data();
    void signalsAfterTheSelector();
    void setKeyAndColumns();
    void headerDirectionAndEnabling();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

void TestFrameDatabasePicker::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    QVERIFY(CTestDatabase::exec("INSERT INTO unitlength (name, short_name, factor_b, factor_c, epsg) VALUES "
                                "('Метр', 'м', 1, 1, 9001), ('Фут', NULL, 0.3048, 1, 9002);"));
}

void TestFrameDatabasePicker::cleanup()
{
    m_prompt.reset();
    m_database.reset();
}

void TestFrameDatabasePicker::signalsAfterTheSelector_data()
{
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("emitted");
    QTest::addColumn<QString>("shown");

    QTest::newRow("pick another") << "Метр" << "pick Фут" << QStringList{"picked Фут", "touched 0"} << "Фут";
    QTest::newRow("pick the held one") << "Метр" << "pick Метр" << QStringList{"picked Метр", "touched 0"} << "Метр";
    QTest::newRow("pick on empty") << "" << "pick Фут" << QStringList{"picked Фут", "touched 0"} << "Фут";
    QTest::newRow("chosen record gone") << "Метр" << "pick gone Фут" << QStringList{"picked none", "touched 0"} << "";
    QTest::newRow("cancel") << "Метр" << "cancel" << QStringList{"touched 1"} << "Метр";
    QTest::newRow("cancel on empty") << "" << "cancel" << QStringList{"cleared", "touched 0"} << "";
    QTest::newRow("cancel after renaming") << "Метр" << "rename" << QStringList{"touched 1"} << "Метр новый";
    QTest::newRow("cancel after deleting") << "Метр" << "delete" << QStringList{"cleared", "touched 0"} << "";
}

void TestFrameDatabasePicker::signalsAfterTheSelector()
{
    QFETCH(QString, held);
    QFETCH(QString, action);
    QFETCH(QStringList, emitted);
    QFETCH(QString, shown);

    FrameDatabasePicker picker(TableUnitLength, "Единица", 2, nullptr);
    picker.setKey(held.isEmpty() ? NoValue : keyOf(held));
    QSignalSpy pickedSpy(&picker, &FrameDatabasePicker::picked);
    QStringList order;
    connect(&picker, &FrameDatabasePicker::picked, [&order](int key) { order.append("picked " + keyName(key)); });
    connect(&picker, &FrameDatabasePicker::cleared, [&order] { order.append("cleared"); });
    connect(&picker, &FrameDatabasePicker::touched,
            [&order](bool reread) { order.append(QString("touched %1").arg(int(reread))); });

    const CModalWatch watch = answerSelector(action);
    picker.findChild<QToolButton*>("buttonPick")->click();

    QCOMPARE(order, emitted);
    if (!pickedSpy.isEmpty())
        QCOMPARE(pickedSpy.first().first().toInt(), picker.key());
    QCOMPARE(picker.findChild<QLineEdit*>("editName")->text(), shown);
    QCOMPARE(picker.name(), shown);
    QCOMPARE(picker.key() == NoValue, shown.isEmpty());
}

void TestFrameDatabasePicker::setKeyAndColumns()
{
    FrameDatabasePicker picker(TableUnitLength, QString(), 0, nullptr);
    QSignalSpy picked(&picker, &FrameDatabasePicker::picked);
    QSignalSpy cleared(&picker, &FrameDatabasePicker::cleared);
    picker.addColumn("epsg");
    picker.addColumn("coord1_abbr");

    QVERIFY(picker.setKey(keyOf("Метр")));
    QCOMPARE(picker.shortName(), QStringLiteral("м"));
    QCOMPARE(picker.columnValue("epsg"), QStringLiteral("9001"));
    QCOMPARE(picker.columnValue("coord1_abbr"), QString());
    QCOMPARE(picker.columnValue("never asked"), QString());

    QVERIFY(!picker.setKey(NoValue));
    QVERIFY(picker.findChild<QLineEdit*>("editName")->text().isEmpty());
    QVERIFY(picker.shortName().isEmpty());
    QCOMPARE(picker.columnValue("epsg"), QStringLiteral("9001"));

    QVERIFY(!picker.setKey(999));
    QCOMPARE(picker.key(), NoValue);
    QCOMPARE(picker.columnValue("epsg"), QString());

    QVERIFY(picker.setKey(keyOf("Фут")));
    QVERIFY(picker.shortName().isEmpty());
    QCOMPARE(picker.columnValue("epsg"), QStringLiteral("9002"));
    picker.addColumn("epsg");
    QCOMPARE(picker.columnValue("epsg"), QString());
    QCOMPARE(picked.count() + cleared.count(), 0);
}

void TestFrameDatabasePicker::headerDirectionAndEnabling()
{
    FrameDatabasePicker picker(TableUnitLength, QString(), 0, nullptr);
    auto* header = picker.findChild<QLabel*>("labelHeader");
    QVERIFY(header->isHidden());
    QCOMPARE(qobject_cast<QBoxLayout*>(picker.layout())->direction(), QBoxLayout::LeftToRight);
    picker.setHeaderText("Эллипсоид");
    QVERIFY(!header->isHidden());
    QCOMPARE(header->text(), QStringLiteral("Эллипсоид"));
    picker.setDirection(QBoxLayout::TopToBottom);
    QCOMPARE(qobject_cast<QBoxLayout*>(picker.layout())->direction(), QBoxLayout::TopToBottom);

    QVERIFY(picker.isPickEnabled());
    picker.setPickEnabled(false);
    QVERIFY(!picker.isPickEnabled());
    QVERIFY(!picker.findChild<QLineEdit*>("editName")->isEnabled());
    QVERIFY(header->isEnabled());
}

QTEST_MAIN(TestFrameDatabasePicker)
#include "test_framedatabasepicker.moc"
