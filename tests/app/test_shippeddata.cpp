#include "guitest.h"
#include "testdatabase.h"
#include "testfiles.h"

#include "app/recalculation.h"
#include "app/shippeddata.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"
#include "values/geoidlist.h"

#include <QDir>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

QString shippedWkt()
{
    return QStringLiteral(SHARED_DATA_DIR "/coordsys.wkt");
}

bool openDatabase(const QString& path)
{
    QSqlDatabase database = QSqlDatabase::contains() ? QSqlDatabase::database(QSqlDatabase::defaultConnection, false)
                                                     : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    database.close();
    database.setDatabaseName(path);
    return database.open();
}

void closeDatabase()
{
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
}

bool readSystem(const QString& name, CCoordSysDetails& system)
{
    const QVariant key = CTestDatabase::value(QStringLiteral("SELECT autokey FROM coordsys WHERE name=?;"), {name});
    return key.isValid() && readCoordSysDetails(key.toInt(), system);
}

} // namespace

class TestShippedData : public QObject
{
    Q_OBJECT

private slots:
    void dataFolderHoldsTheCommonSystems();
    void changedDatabaseIsKept();
    void refusedWktNamesItsLine();
};

// Every system of the file is stored; Pulkovo 1942 carries its seven-parameter shift to WGS 84.
void TestShippedData::dataFolderHoldsTheCommonSystems()
{
    QTemporaryDir folder;
    const QString stamp = folder.filePath("stamp");
    const QString data = folder.filePath("data");
    QString message;
    QVERIFY2(makeDataFolder(shippedWkt(), data, stamp, &message), qPrintable(message));
    QCOMPARE(QDir(data).entryList(QDir::Files, QDir::Name), (QStringList{"data.xml", shippedDatabaseName}));

    CGeoidList registry;
    QVERIFY(!registry.readXml(data.toStdString(), "data.xml"));
    QVERIFY(!registry.hasEntries());

    QVERIFY(openDatabase(QDir(data).filePath(shippedDatabaseName)));
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM coordsys;").toInt(), 2 + 120 + 60);
    for (const char* name : {"WGS 84", "Pulkovo 1942", "WGS 84 / UTM zone 1N", "WGS 84 / UTM zone 60S",
                             "Pulkovo 1942 / Gauss-Kruger zone 1", "Pulkovo 1942 / Gauss-Kruger zone 60"}) {
        CCoordSysDetails system;
        QVERIFY2(readSystem(name, system), name);
    }

    CCoordSysDetails source;
    CCoordSysDetails target;
    QVERIFY(readSystem("Pulkovo 1942 / Gauss-Kruger zone 7", source));
    QVERIFY(readSystem("WGS 84 / UTM zone 37N", target));
    CRecalculation recalculation;
    QVERIFY(recalculation.prepare(source, target, nullptr));
    // From the reference table of the end-to-end test (cs2cs).
    const CPointRow result = recalculation.recalculate({"P1", "6184432.871", "7406432.123", "250.5"});
    QVERIFY(std::abs(result.coord1.toDouble() - 406353.4957) < 1e-3);
    QVERIFY(std::abs(result.coord2.toDouble() - 6181857.2036) < 1e-3);
    closeDatabase();
}

// A database its user has changed since it was made is kept, and so is the registry.
void TestShippedData::changedDatabaseIsKept()
{
    QTemporaryDir folder;
    const QString stamp = folder.filePath("stamp");
    const QString data = folder.filePath("data");
    const QString wkt = folder.filePath("two.wkt");
    QVERIFY(writeFile(wkt, readFile(shippedWkt()).split('\n').mid(0, 3).join('\n')));
    QVERIFY(makeDataFolder(wkt, data, stamp));
    QVERIFY(writeFile(QDir(data).filePath("data.xml"), "<Data><Geoids><Geoid/></Geoids></Data>"));
    QVERIFY(makeDataFolder(wkt, data, stamp));

    QVERIFY(openDatabase(QDir(data).filePath(shippedDatabaseName)));
    QVERIFY(CTestDatabase::exec("UPDATE coordsys SET description='мое' WHERE name='WGS 84';"));
    closeDatabase();
    QString message;
    QVERIFY(makeDataFolder(wkt, data, stamp, &message));
    QVERIFY(message.startsWith("База данных изменена после создания и оставлена как есть"));
    QVERIFY(openDatabase(QDir(data).filePath(shippedDatabaseName)));
    QCOMPARE(CTestDatabase::value("SELECT description FROM coordsys WHERE name='WGS 84';").toString(), "мое");
    closeDatabase();
    QCOMPARE(readFile(QDir(data).filePath("data.xml")), QByteArray("<Data><Geoids><Geoid/></Geoids></Data>"));
}

void TestShippedData::refusedWktNamesItsLine()
{
    QTemporaryDir folder;
    const QString wkt = folder.filePath("bad.wkt");
    QVERIFY(writeFile(wkt, "# comment\n\nGEOGCS[\"broken\"\n"));
    QString message;
    QVERIFY(!makeDataFolder(wkt, folder.filePath("data"), folder.filePath("stamp"), &message));
    QCOMPARE(message, wkt + ", строка 3: система координат не сохранена:\n"
                            "Квадратные скобки текста WKT не образуют одно дерево узлов");
    QVERIFY(!QFileInfo::exists(QDir(folder.filePath("data")).filePath(shippedDatabaseName)));
}

QTEST_MAIN(TestShippedData)
#include "test_shippeddata.moc"
