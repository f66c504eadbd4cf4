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
#include <QStyle>
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
    void nameShownWholeOrElidedInTheMiddle_data();
    void nameShownWholeOrElidedInTheMiddle();

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

void TestFrameDatabasePicker::nameShownWholeOrElidedInTheMiddle_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("elided");

    const QString wide = "Geodezicheskaya_Sistema_Koordinat_2011 to WGS84";
    const QString overlong = "Начало " + QString(300, QChar(0x043C)) + " конец";
    QTest::newRow("the widest name of the table") << wide << 0 << false;
    QTest::newRow("a name wider than any field") << overlong << 0 << true;
    QTest::newRow("the same name in a widened field") << overlong << 6000 << false;
    QTest::newRow("the widest name in a narrowed field") << wide << 200 << true;
}

// Shown, the picker's field is as wide as the widest name of its table (within a bound), and a
// name that does not fit is elided in the middle with the whole name as its tooltip; the text
// follows the field's width.
void TestFrameDatabasePicker::nameShownWholeOrElidedInTheMiddle()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(bool, elided);

    QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES (?);", {name}));
    const int key = CTestDatabase::value("SELECT autokey FROM datum WHERE name = ?;", {name}).toInt();
    FrameDatabasePicker picker(TableDatum, "Датум", 2, nullptr);
    auto* field = picker.findChild<QLineEdit*>("editName");
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QVERIFY(picker.setKey(key));
    if (width > 0) {
        field->setMinimumWidth(0);
        picker.layout()->activate();
        picker.resize(width, picker.height());
        QTRY_COMPARE(picker.width(), width);
    }

    QCOMPARE(picker.name(), name);
    QCOMPARE(picker.key(), key);
    QCOMPARE(field->toolTip(), name);
    const QString shown = field->text();
    const int room = field->width() - 2 * field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field) - 4;
    QVERIFY2(field->fontMetrics().horizontalAdvance(shown) < room, qPrintable(shown));
    QCOMPARE(field->cursorPosition(), 0);
    if (!elided) {
        QCOMPARE(shown, name);
        return;
    }
    const int ellipsis = shown.indexOf(QChar(0x2026));
    QVERIFY2(ellipsis > 0 && ellipsis < shown.size() - 1, qPrintable(shown));
    QVERIFY(name.startsWith(shown.left(ellipsis)));
    QVERIFY(name.endsWith(shown.mid(ellipsis + 1)));
}

QTEST_MAIN(TestFrameDatabasePicker)
#include "test_framedatabasepicker.moc"
