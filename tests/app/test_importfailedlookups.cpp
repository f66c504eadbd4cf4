// The program's own export imported back into the database that holds it, while its lookups
// fail (reads of a table denied, or the file locked by another program): every system is an
// error with the database's reason, and nothing is stored. An export that cannot list the
// stored systems says why.
#include "failingreads.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "storagefixture.h"
#include "testdatabase.h"

#include "app/coordsysexchange.h"
#include "app/shippeddata.h"
#include "browser/dialogdatabaseselector.h"
#include "database/tablecatalogue.h"

#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString readFailure = QStringLiteral("Ошибка чтения базы данных: ");

// Every system of the folder is an error whose reason starts so.
void verifyFailures(const CCoordSysImportCounts& counts, int systems, const QString& reason)
{
    QCOMPARE(counts.found, systems);
    QCOMPARE(counts.errors, systems);
    QCOMPARE(counts.imported, 0);
    for (const QString& failure : counts.failures)
        QVERIFY2(failure.contains("»: " + reason), qPrintable(failure));
}

} // namespace

class TestImportFailedLookups : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readsDenied_data();
    void readsDenied();
    void fileLockedByAnotherProgram();
    void exportOfALockedFileSaysWhy();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    int m_systems = 0;
};

// The database holds the systems of the test file; the folder, their export.
void TestImportFailedLookups::init()
{
    CGuiTestEnvironment::clearSettings();
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    QString error;
    QVERIFY2(importWktFile(QStringLiteral(TESTDATA_DIR "/exchange.wkt"), &m_systems, &error), qPrintable(error));
    m_folder = std::make_unique<QTemporaryDir>();
    QCOMPARE(exportCoordSystems(m_folder->path()).exported, m_systems);
    m_prompt = std::make_unique<CScriptedPrompt>();
}

void TestImportFailedLookups::cleanup()
{
    m_prompt.reset();
    QVERIFY(!CTestDatabase::inTransaction());
    m_database.reset();
    m_folder.reset();
}

void TestImportFailedLookups::readsDenied_data()
{
    QTest::addColumn<QString>("denied");
    // Each was taken for "none found": the system was stored a second time (the find's
    // statement reads keys, the unique name only names), its type's code refused as a
    // duplicate, or linked records stored again (read whole only with a candidate).
    QTest::newRow("the system's find") << "coordsys.autokey";
    QTest::newRow("type read with a candidate, then the type's code") << "coordsystype";
    QTest::newRow("ellipsoids of the candidates' datums") << "ellipsoid.a";
}

// Through the folder import and the selector's import of one file.
void TestImportFailedLookups::readsDenied()
{
    QFETCH(QString, denied);
    DialogDatabaseSelector selector(TableCoordSys, SelectorBrowse);
    selector.load();
    const QString file = QDir(m_folder->path()).filePath(QDir(m_folder->path()).entryList({"*.xml"}).first());
    const auto before = rowCounts();
    CCoordSysImportCounts counts;
    {
        const CDeniedReads reads({denied});
        QVERIFY(reads.isActive());
        counts = importCoordSystems(m_folder->path());
        m_prompt->answerFile(file);
        selector.findChild<QPushButton*>("buttonImport")->click();
    }
    const QString reason = readFailure + "access to " + denied.section('.', 0, 0) + ".";
    verifyFailures(counts, m_systems, reason);
    QCOMPARE(m_prompt->messages().size(), 1);
    const QString shown = m_prompt->messageTexts().first();
    QVERIFY2(shown.startsWith("Failed!|" + QDir::toNativeSeparators(file) + "\n" + reason), qPrintable(shown));
    QCOMPARE(rowCounts(), before);
}

// Once the other program lets the file go, the same import finds every system stored.
void TestImportFailedLookups::fileLockedByAnotherProgram()
{
    const auto before = rowCounts();
    CCoordSysImportCounts counts;
    {
        const CExclusiveLock lock;
        QVERIFY(lock.isActive());
        counts = importCoordSystems(m_folder->path());
    }
    verifyFailures(counts, m_systems, readFailure + "база данных занята другой программой");
    QCOMPARE(rowCounts(), before);

    counts = importCoordSystems(m_folder->path());
    QCOMPARE(counts.errors, 0);
    QCOMPARE(counts.imported, 0);
    QCOMPARE(rowCounts(), before);
}

// Not "0 of 0 exported": the message gives the database's reason, and no file is written.
void TestImportFailedLookups::exportOfALockedFileSaysWhy()
{
    const QTemporaryDir folder;
    QSettings settings;
    m_prompt->answerFile(folder.path());
    {
        const CExclusiveLock lock;
        QVERIFY(lock.isActive());
        exportCoordSystemsToFolder(nullptr, settings);
    }
    QCOMPARE(m_prompt->messages().size(), 1);
    const QString shown = m_prompt->messageTexts().first();
    QVERIFY2(shown.contains("\n\nСистемы координат не прочитаны: база данных занята другой программой"), qPrintable(shown));
    QVERIFY(QDir(folder.path()).isEmpty());
}

QTEST_MAIN(TestImportFailedLookups)
#include "test_importfailedlookups.moc"
