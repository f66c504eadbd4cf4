#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/guihelpers.h"

#include <QLabel>
#include <QSplitter>
#include <QSqlQuery>
#include <QTest>

class TestGuiHelpers : public QObject
{
    Q_OBJECT

private slots:
    void sqlWarningAddsTheError();
    void equalizeSplitter_data();
    void equalizeSplitter();

private:
    CGuiTestEnvironment m_environment;
};

void TestGuiHelpers::sqlWarningAddsTheError()
{
    CTestDatabase database;
    QVERIFY(database.isOpen());
    CScriptedPrompt prompt;

    QSqlQuery good;
    QVERIFY(good.exec("SELECT 1;"));
    sqlWarning(good, "Сообщение");
    QSqlQuery bad;
    QVERIFY(!bad.exec("SELECT * FROM no_such_table;"));
    sqlWarning(bad, "Сообщение");

    QCOMPARE(prompt.messages().size(), 2);
    QCOMPARE(prompt.messageTexts().first(), QStringLiteral("Предупреждение|Сообщение"));
    QVERIFY(prompt.messageTexts().last().startsWith("Предупреждение|Сообщение:\n"));
    QVERIFY(prompt.messageTexts().last().contains("no_such_table"));
    QCOMPARE(prompt.messages().first().parent, nullptr);
}

void TestGuiHelpers::equalizeSplitter_data()
{
    QTest::addColumn<int>("orientation");
    QTest::newRow("horizontal") << int(Qt::Horizontal);
    QTest::newRow("vertical") << int(Qt::Vertical);
}

void TestGuiHelpers::equalizeSplitter()
{
    QFETCH(int, orientation);
    QSplitter splitter(static_cast<Qt::Orientation>(orientation));
    auto* small = new QLabel("a", &splitter);
    auto* large = new QLabel("a much longer text\nover\nseveral\nlines", &splitter);
    small->setMinimumSize(1, 1);
    large->setMinimumSize(1, 1);

    ::equalizeSplitter(&splitter);
    const QList<int> sizes = splitter.sizes();
    QCOMPARE(sizes.size(), 2);
    QVERIFY(qAbs(sizes.at(0) - sizes.at(1)) <= 1);
    QVERIFY(sizes.at(0) > 0);
    QCOMPARE(small->sizePolicy().horizontalStretch(), 1);
    QCOMPARE(large->sizePolicy().verticalStretch(), 1);
}

QTEST_MAIN(TestGuiHelpers)
#include "test_guihelpers.moc"
