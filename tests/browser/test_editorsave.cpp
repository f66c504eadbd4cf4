#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/editorsave.h"

#include <QDialog>
#include <QTest>

namespace {

// Stands for a general information frame: records which check ran.
struct CNameFrame {
    bool accept = true;
    QString called;

    bool checkNameForInsert()
    {
        called = QStringLiteral("insert");
        return accept;
    }
    bool checkNameForUpdate(int key)
    {
        called = QStringLiteral("update %1").arg(key);
        return accept;
    }
};

CSqlStatement unitUpdate(const QString& name, int key)
{
    return {"UPDATE unitlength SET name = ?, last_use = 1 WHERE rowid = ?;", {name, key}};
}

CSqlStatement unitInsert(const QVariant& name)
{
    return {"INSERT INTO unitlength (name, factor_b, factor_c, favourite, last_use) VALUES (?, 1, 1, 0, 1);", {name}};
}

QString nameOf(int key)
{
    return CTestDatabase::value("SELECT name FROM unitlength WHERE rowid = ?;", {key}).toString();
}

} // namespace

class TestEditorSave : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void checksInOrder_data();
    void checksInOrder();
    void writes_data();
    void writes();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    int m_stored = 0;
};

void TestEditorSave::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    QVERIFY(CTestDatabase::exec("INSERT INTO unitlength (name, factor_b, factor_c) VALUES ('Метр', 1, 1);"));
    m_stored = CTestDatabase::value("SELECT last_insert_rowid();").toInt();
}

void TestEditorSave::cleanup()
{
    m_prompt.reset();
    m_database.reset();
}

void TestEditorSave::checksInOrder_data()
{
    QTest::addColumn<bool>("nameAccepted");
    QTest::addColumn<QStringList>("failures");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("checksRun");

    QTest::newRow("name refused") << false << QStringList{"Первая"} << QStringList{} << 0;
    QTest::newRow("first failure warned")
        << true << QStringList{"", "Вторая", "Третья"} << QStringList{"Предупреждение|Вторая"} << 2;
}

void TestEditorSave::checksInOrder()
{
    QFETCH(bool, nameAccepted);
    QFETCH(QStringList, failures);
    QFETCH(QStringList, messages);
    QFETCH(int, checksRun);

    CNameFrame frame;
    frame.accept = nameAccepted;
    int run = 0;
    bool written = false;
    CEditorSave save;
    save.checkName = nameCheckOf(frame);
    for (const QString& failure : failures)
        save.checks.append([failure, &run] {
            ++run;
            return failure;
        });
    save.update = [&written](int key) {
        written = true;
        return unitUpdate("Другой", key);
    };

    QDialog dialog;
    int key = m_stored;
    QVERIFY(!saveRecord(&dialog, save, key));
    QCOMPARE(frame.called, QStringLiteral("update %1").arg(m_stored));
    QCOMPARE(run, checksRun);
    QVERIFY(!written);
    QCOMPARE(m_prompt->messageTexts(), messages);
    QCOMPARE(nameOf(m_stored), QStringLiteral("Метр"));
}

void TestEditorSave::writes_data()
{
    QTest::addColumn<bool>("newRecord");
    QTest::addColumn<QVariant>("name");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("message");

    const QString failure = QStringLiteral("Предупреждение|Ошибка записи в базу данных");
    QTest::newRow("update") << false << QVariant("Метр 'новый' %1") << true << QString();
    QTest::newRow("insert") << true << QVariant("Верста") << true << QString();
    QTest::newRow("update of no row") << false << QVariant("Верста") << false << failure;
    QTest::newRow("failing insert") << true << QVariant() << false << failure + ":\n";
}

void TestEditorSave::writes()
{
    QFETCH(bool, newRecord);
    QFETCH(QVariant, name);
    QFETCH(bool, saved);
    QFETCH(QString, message);

    CNameFrame frame;
    CEditorSave save;
    save.checkName = nameCheckOf(frame);
    save.update = [&name](int key) { return unitUpdate(name.toString(), key); };
    save.insert = [&name] { return unitInsert(name); };
    const bool noRow = !newRecord && !saved;
    const int before = newRecord ? NoValue : (noRow ? m_stored + 100 : m_stored);

    QDialog dialog;
    int key = before;
    QCOMPARE(saveRecord(&dialog, save, key), saved);
    QCOMPARE(frame.called, newRecord ? QStringLiteral("insert") : QStringLiteral("update %1").arg(before));
    const QStringList texts = m_prompt->messageTexts();
    if (message.isEmpty()) {
        QVERIFY(texts.isEmpty());
    } else {
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.first().startsWith(message), qPrintable(texts.first()));
        QCOMPARE(m_prompt->messages().first().parent, &dialog);
    }
    if (!saved) {
        QCOMPARE(key, before);
        return;
    }
    QVERIFY(key != NoValue);
    QCOMPARE(nameOf(key), name.toString());
}

QTEST_MAIN(TestEditorSave)
#include "test_editorsave.moc"
