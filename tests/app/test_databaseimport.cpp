#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"
#include "testfiles.h"

#include "app/mainwindow.h"
#include "app/shippeddata.h"
#include "database/createdatabase.h"

#include <QDir>
#include <QSettings>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString lastDatabaseKey = QStringLiteral("/Settings/LastDatabasePath");
const QString lastUpdateKey = QStringLiteral("/Settings/LastUpdateDatabasePath");

QString openDatabaseName()
{
    const QSqlDatabase database = QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
    return database.isOpen() ? database.databaseName() : QString();
}

int systemCount()
{
    return CTestDatabase::value(QStringLiteral("SELECT COUNT(*) FROM coordsys;")).toInt();
}

} // namespace

class TestDatabaseImport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void importsTheOtherDatabasesSystems();
    void refusedWithoutOpenDatabase();
    void otherFileThatDoesNotOpen();
    void otherFileThatIsNoDefinitionsDatabase();
    void failuresShowTheirReasons();
    void unreadableSystemsOfTheOtherDatabaseAreNamed();

private:
    std::unique_ptr<MainWindow> createWindow();

    CGuiTestEnvironment m_environment;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    QString m_current;
    QString m_other;
};

// The window's database is empty; the other one holds the systems of the test WKT file.
void TestDatabaseImport::init()
{
    CGuiTestEnvironment::clearSettings();
    m_folder = std::make_unique<QTemporaryDir>();
    m_current = m_folder->filePath("current.db");
    m_other = m_folder->filePath("other.db");
    QVERIFY(createDatabase(m_current, "current", QString()));
    QVERIFY(createDatabase(m_other, "other", QString()));
    QVERIFY(CTestDatabase::reopen(m_other));
    QVERIFY(importWktFile(QStringLiteral(TESTDATA_DIR "/exchange.wkt")));
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
    m_prompt = std::make_unique<CScriptedPrompt>();
}

void TestDatabaseImport::cleanup()
{
    m_prompt.reset();
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
    m_folder.reset();
}

std::unique_ptr<MainWindow> TestDatabaseImport::createWindow()
{
    QSettings().setValue(lastDatabaseKey, m_current);
    return std::make_unique<MainWindow>();
}

void TestDatabaseImport::importsTheOtherDatabasesSystems()
{
    const auto window = createWindow();
    m_prompt->answerFile(m_other);
    window->slotImportCoordSysFromDatabase();
    QCOMPARE(m_prompt->fileRequests().last().caption, QStringLiteral("Обновить базу данных из файла"));
    QCOMPARE(m_prompt->fileRequests().last().filter, QStringLiteral("*.db"));
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Обновление базы данных|Импортировано систем координат: 4"});
    QCOMPARE(openDatabaseName(), m_current);
    QCOMPARE(systemCount(), 4);
    QCOMPARE(QSettings().value(lastUpdateKey).toString(), m_other);
    QCOMPARE(QSettings().value(lastDatabaseKey).toString(), m_current);

    m_prompt->clear();
    m_prompt->answerFile(m_other);
    window->slotImportCoordSysFromDatabase();
    QCOMPARE(m_prompt->fileRequests().last().path, QFileInfo(m_other).absoluteFilePath());
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Обновление базы данных|Импортировано систем координат: 0"});
    QCOMPARE(systemCount(), 4);
}

void TestDatabaseImport::refusedWithoutOpenDatabase()
{
    const auto window = std::make_unique<MainWindow>();
    m_prompt->clear();
    window->slotImportCoordSysFromDatabase();
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Ошибка|Не открыта база данных"});
    QVERIFY(m_prompt->fileRequests().isEmpty());
}

// The other file's error is shown, the window's database is open again and nothing more is said.
void TestDatabaseImport::otherFileThatDoesNotOpen()
{
    const auto window = createWindow();
    const QString missing = m_folder->filePath("missing.db");
    m_prompt->answerFile(missing);
    window->slotImportCoordSysFromDatabase();
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Ошибка|Файл не существует: " + missing});
    QCOMPARE(openDatabaseName(), m_current);
    QCOMPARE(systemCount(), 0);
    QVERIFY(!QSettings().contains(lastUpdateKey));
}

// Refused before the window's database is closed: the panels and the database stay.
void TestDatabaseImport::otherFileThatIsNoDefinitionsDatabase()
{
    const auto window = createWindow();
    const QString foreign = m_folder->filePath("foreign.db");
    QVERIFY(writeSqliteFile(foreign, {"CREATE TABLE customers (id INTEGER PRIMARY KEY);"}));
    m_prompt->answerFile(foreign);
    window->slotImportCoordSysFromDatabase();
    QCOMPARE(m_prompt->messageTexts(),
             QStringList{"Ошибка|Не удалось открыть базу данных: " + foreign
                         + "\nФайл не является базой данных определений: нет таблицы «unitangleformat»"});
    QCOMPARE(openDatabaseName(), m_current);
    QVERIFY(!QSettings().contains(lastUpdateKey));
}

void TestDatabaseImport::failuresShowTheirReasons()
{
    const auto window = createWindow();
    QVERIFY(CTestDatabase::exec("CREATE TRIGGER refuse BEFORE INSERT ON coordsys WHEN NEW.name = 'WGS 84' "
                                "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;"));
    m_prompt->answerFile(m_other);
    window->slotImportCoordSysFromDatabase();
    QCOMPARE(m_prompt->messages().size(), 1);
    const QString text = m_prompt->messages().first().text;
    QVERIFY2(text.startsWith("Импортировано систем координат: 3\n\nОшибки импорта:\n"), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression("\\.xml: «WGS 84»: [^\\n]*refused by the test")), qPrintable(text));
    QCOMPARE(systemCount(), 3);
}

// Systems of the other database that do not read are counted and named with the reason why.
void TestDatabaseImport::unreadableSystemsOfTheOtherDatabaseAreNamed()
{
    QVERIFY(CTestDatabase::reopen(m_other));
    QVERIFY(CTestDatabase::exec("UPDATE ellipsoid SET unit=999 WHERE name='Krassowsky 1940';"));
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
    const auto window = createWindow();
    m_prompt->answerFile(m_other);
    window->slotImportCoordSysFromDatabase();
    const QString reason = QStringLiteral("«Pulkovo_1942» (Датумы): «Krassowsky 1940» (Эллипсоиды): нет записи с ключом "
                                          "999 в таблице «Единицы измерения расстояний»");
    QCOMPARE(m_prompt->messageTexts(),
             QStringList{"Обновление базы данных|Импортировано систем координат: 2\n"
                         "Не прочитано систем координат в файле «other.db»: 2\n\nОшибки чтения:\n"
                         "«Pulkovo 1942»: " + reason + "\n«Pulkovo 1942 / Gauss-Kruger zone 7»: " + reason});
    QCOMPARE(systemCount(), 2);
    QCOMPARE(openDatabaseName(), m_current);
}

QTEST_MAIN(TestDatabaseImport)
#include "test_databaseimport.moc"
