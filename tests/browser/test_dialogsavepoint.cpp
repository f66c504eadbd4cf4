#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/dialogsavepoint.h"

#include <QDialog>
#include <QSqlDatabase>
#include <QTest>

namespace {

bool insertUnit(const QString& name)
{
    return CTestDatabase::exec("INSERT INTO unitlength (name, factor_b, factor_c) VALUES (?, 1, 1);", {name});
}

QStringList unitNames()
{
    QStringList names;
    for (const QVariant& name : CTestDatabase::column("SELECT name FROM unitlength ORDER BY name;"))
        names.append(name.toString());
    return names;
}

// No transaction is open: a new one can begin.
bool canBegin()
{
    return !CTestDatabase::inTransaction() && CTestDatabase::exec("BEGIN;") && CTestDatabase::exec("ROLLBACK;");
}

// Runs a plain dialog in the savepoint; the work is done while it is shown, then it is
// accepted or rejected. kept reports whether the kept handler ran.
bool runDialog(const std::function<void()>& work, bool accept, bool* kept = nullptr)
{
    const CModalWatch watch = whenModal<QDialog>([work, accept](QDialog* dialog) {
        work();
        accept ? dialog->accept() : dialog->reject();
    });
    return DialogSavepoint::execDialog<QDialog>(
        "DialogTest", "Create", [] { return new QDialog; },
        [kept](QDialog&) {
            if (kept)
                *kept = true;
        });
}

} // namespace

class TestDialogSavepoint : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keepsOrUndoesTheWork_data();
    void keepsOrUndoesTheWork();
    void outerCancelUndoesAnInnerDialog();
    void failedReleaseIsRolledBackAndWarned();
    void noDialogWithoutSavepoint();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

void TestDialogSavepoint::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
}

void TestDialogSavepoint::cleanup()
{
    m_prompt.reset();
    m_database.reset();
}

void TestDialogSavepoint::keepsOrUndoesTheWork_data()
{
    QTest::addColumn<bool>("failingWrite");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("accepted") << false << true << QStringList{"Верста"};
    QTest::newRow("cancelled") << false << false << QStringList{};
    QTest::newRow("failing write, accepted") << true << true << QStringList{"Верста"};
    QTest::newRow("failing write, cancelled") << true << false << QStringList{};
}

void TestDialogSavepoint::keepsOrUndoesTheWork()
{
    QFETCH(bool, failingWrite);
    QFETCH(bool, accept);
    QFETCH(QStringList, names);

    bool kept = false;
    const bool result = runDialog(
        [failingWrite] {
            QVERIFY(CTestDatabase::inTransaction());
            QVERIFY(insertUnit("Верста"));
            if (failingWrite)
                QVERIFY(!CTestDatabase::exec("INSERT INTO unitlength (name) VALUES (NULL);"));
        },
        accept, &kept);

    QCOMPARE(result, accept);
    QCOMPARE(kept, accept);
    QCOMPARE(unitNames(), names);
    QVERIFY(canBegin());
    QVERIFY(insertUnit("Аршин"));
    QVERIFY(unitNames().contains("Аршин"));
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestDialogSavepoint::outerCancelUndoesAnInnerDialog()
{
    bool innerResult = false;
    const bool result = runDialog(
        [&innerResult] {
            QVERIFY(insertUnit("Верста"));
            innerResult = runDialog([] { QVERIFY(insertUnit("Аршин")); }, true);
        },
        false);

    QVERIFY(innerResult);
    QVERIFY(!result);
    QVERIFY(unitNames().isEmpty());
    QVERIFY(canBegin());
}

void TestDialogSavepoint::failedReleaseIsRolledBackAndWarned()
{
    QVERIFY(CTestDatabase::exec("PRAGMA foreign_keys = ON;"));
    QVERIFY(CTestDatabase::exec("CREATE TABLE parent (id INTEGER PRIMARY KEY);"));
    QVERIFY(CTestDatabase::exec(
        "CREATE TABLE child (parent INTEGER REFERENCES parent (id) DEFERRABLE INITIALLY DEFERRED);"));

    bool kept = false;
    const bool result = runDialog(
        [] {
            QVERIFY(insertUnit("Верста"));
            QVERIFY(CTestDatabase::exec("INSERT INTO child (parent) VALUES (7);"));
        },
        true, &kept);

    QVERIFY(!result);
    QVERIFY(!kept);
    QVERIFY(unitNames().isEmpty());
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM child;").toInt(), 0);
    QVERIFY(canBegin());
    QCOMPARE(m_prompt->messages().size(), 1);
    QCOMPARE(m_prompt->messages().first().title, QStringLiteral("Предупреждение"));
}

void TestDialogSavepoint::noDialogWithoutSavepoint()
{
    {
        QSqlDatabase database = QSqlDatabase::database();
        database.close();
    }
    QSqlDatabase::removeDatabase(QSqlDatabase::defaultConnection);
    const CModalWatch watch = whenModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
    bool made = false;
    const bool result = DialogSavepoint::execDialog<QDialog>("DialogTest", "Edit", [&made] {
        made = true;
        return new QDialog;
    });
    QVERIFY(!result);
    QVERIFY(!made);
}

QTEST_MAIN(TestDialogSavepoint)
#include "test_dialogsavepoint.moc"
