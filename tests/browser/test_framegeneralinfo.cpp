#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/framegeneralinfo.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

int keyOf(const QString& name)
{
    return CTestDatabase::value("SELECT autokey FROM unitlength WHERE name = ?;", {name}).toInt();
}

} // namespace

class TestFrameGeneralInfo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void nameChecks_data();
    void nameChecks();
    void failingQueryRefuses();
    void textsAreTrimmedAndSettersAreSilent();
    void verticalArrangementWithHiddenShortName();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

void TestFrameGeneralInfo::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    for (const char* name : {"Метр", "Фут", "O'Brien", "100%", "Угол %1"})
        QVERIFY(CTestDatabase::exec("INSERT INTO unitlength (name, factor_b, factor_c) VALUES (?, 1, 1);", {name}));
    QVERIFY(CTestDatabase::exec("INSERT INTO unitangle (name, factor_b, factor_c) VALUES ('Радиан', 1, 1);"));
}

void TestFrameGeneralInfo::cleanup()
{
    m_prompt.reset();
    m_database.reset();
}

void TestFrameGeneralInfo::nameChecks_data()
{
    QTest::addColumn<QString>("name");
    // Empty: a new record; "-": update with NoValue; else the record whose key is its own.
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("warning");

    const QString taken = "Введенное название уже используется";
    QTest::newRow("free") << "Сажень" << "" << "";
    QTest::newRow("taken") << "Метр" << "" << taken;
    QTest::newRow("taken, blanks around") << "  Метр " << "" << taken;
    QTest::newRow("only blanks") << "   " << "" << "Заполните название";
    QTest::newRow("only blanks on update") << " " << "Метр" << "Заполните название";
    QTest::newRow("used in another table") << "Радиан" << "" << "";
    QTest::newRow("own name on update") << "Метр" << "Метр" << "";
    QTest::newRow("another's name on update") << "Метр" << "Фут" << taken;
    QTest::newRow("update without a key") << "Метр" << "-" << taken;
    QTest::newRow("free on update") << "Сажень" << "Фут" << "";
    QTest::newRow("quote taken") << "O'Brien" << "" << taken;
    QTest::newRow("quote free") << "O'Neil" << "" << "";
    QTest::newRow("quote, own") << "O'Brien" << "O'Brien" << "";
    QTest::newRow("percent taken") << "100%" << "Метр" << taken;
    QTest::newRow("percent free") << "10%" << "" << "";
    QTest::newRow("placeholder taken") << "Угол %1" << "" << taken;
    QTest::newRow("placeholder free") << "Угол %2" << "" << "";
    QTest::newRow("case differs") << "метр" << "" << "";
}

void TestFrameGeneralInfo::nameChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, own);
    QFETCH(QString, warning);

    FrameGeneralInfo frame(TableUnitLength, false, false, nullptr);
    frame.setName(name);
    const bool passed = own.isEmpty() ? frame.checkNameForInsert()
                                      : frame.checkNameForUpdate(own == "-" ? NoValue : keyOf(own));
    QCOMPARE(passed, warning.isEmpty());
    if (warning.isEmpty()) {
        QVERIFY(m_prompt->messages().isEmpty());
        return;
    }
    QCOMPARE(m_prompt->messageTexts(), QStringList("Предупреждение|" + warning));
    QCOMPARE(m_prompt->messages().first().kind, CPrompt::Warning);
    QCOMPARE(m_prompt->messages().first().parent, &frame);
}

void TestFrameGeneralInfo::failingQueryRefuses()
{
    QVERIFY(CTestDatabase::exec("DROP TABLE unitscale;"));
    FrameGeneralInfo frame(TableUnitScale, true, true, nullptr);
    frame.setName("Масштаб");
    QVERIFY(!frame.checkNameForInsert());
    QVERIFY(!frame.checkNameForUpdate(1));
    QCOMPARE(m_prompt->messages().size(), 2);
    QVERIFY(m_prompt->messages().first().text.startsWith("Ошибка чтения базы данных:\n"));
}

void TestFrameGeneralInfo::textsAreTrimmedAndSettersAreSilent()
{
    FrameGeneralInfo frame(TableUnitLength, false, false, nullptr);
    QSignalSpy nameEdited(&frame, &FrameGeneralInfo::nameEdited);
    QSignalSpy shortNameEdited(&frame, &FrameGeneralInfo::shortNameEdited);
    frame.setName("  Метр ");
    frame.setShortName(" ");
    frame.setDescription("\n Основная единица \n");
    QCOMPARE(frame.name(), QStringLiteral("Метр"));
    QCOMPARE(frame.displayName(), QStringLiteral("Метр"));
    QCOMPARE(frame.description(), QStringLiteral("Основная единица"));
    QCOMPARE(nameEdited.count() + shortNameEdited.count(), 0);

    auto* shortEdit = frame.findChild<QLineEdit*>("editShortName");
    shortEdit->setText(" м ");
    QCOMPARE(frame.displayName(), QStringLiteral("м"));
    emit shortEdit->editingFinished();
    emit frame.findChild<QLineEdit*>("editName")->editingFinished();
    QCOMPARE(shortNameEdited.count(), 1);
    QCOMPARE(nameEdited.count(), 1);

    frame.clear();
    QVERIFY(frame.name().isEmpty() && frame.shortName().isEmpty() && frame.description().isEmpty());
}

void TestFrameGeneralInfo::verticalArrangementWithHiddenShortName()
{
    FrameGeneralInfo frame(TableEllipsoid, true, true, nullptr);
    auto* box = qobject_cast<QVBoxLayout*>(frame.findChild<QGroupBox*>("groupboxGeneralInfo")->layout());
    QVERIFY(box);
    QStringList order;
    for (int i = 0; i < box->count(); ++i)
        order.append(box->itemAt(i)->widget()->objectName());
    QCOMPARE(order, QStringList({"labelName", "editName", "labelShortName", "editShortName", "labelDescription",
                                 "editDescription"}));
    QVERIFY(frame.findChild<QLabel*>("labelShortName")->isHidden());
    QVERIFY(frame.findChild<QLineEdit*>("editShortName")->isHidden());
    QVERIFY(!frame.findChild<QLineEdit*>("editName")->isHidden());
    frame.setShortName("скрытое");
    QCOMPARE(frame.shortName(), QStringLiteral("скрытое"));
}

QTEST_MAIN(TestFrameGeneralInfo)
#include "test_framegeneralinfo.moc"
