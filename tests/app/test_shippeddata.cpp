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

void closeDatabase()
{
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
}

bool readSystem(const QString& name, CCoordSysDetails& system)
{
    const QVariant key = CTestDatabase::value(QStringLiteral("SELECT autokey FROM coordsys WHERE name=?;"), {name});
    return key.isValid() && readCoordSysDetails(key.toInt(), system);
}

// The point recalculated between two stored systems: its three result texts.
QStringList recalculated(const QString& from, const QString& to, const QStringList& point)
{
    CCoordSysDetails source;
    CCoordSysDetails target;
    CRecalculation recalculation;
    if (!readSystem(from, source) || !readSystem(to, target) || !recalculation.prepare(source, target, nullptr))
        return {"not prepared"};
    const CPointRow result = recalculation.recalculate({"P", point.at(0), point.at(1), point.at(2)});
    return {result.coord1, result.coord2, result.coord3};
}

QList<double> shiftValues(const CDatumShiftDetails& shift)
{
    QList<double> values;
    for (const QString& text : {shift.translationX, shift.translationY, shift.translationZ, shift.rotationX,
                                shift.rotationY, shift.rotationZ, shift.scaleChange})
        values.append(text.toDouble());
    return values;
}

} // namespace

class TestShippedData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void dataFolderHoldsTheCommonSystems();
    void everySystemHasItsAreaOfUse();
    void dmsSystemsReadDegreesMinutesSeconds_data();
    void dmsSystemsReadDegreesMinutesSeconds();
    void shiftsToWgs84AsTheDatasetGivesThem_data();
    void shiftsToWgs84AsTheDatasetGivesThem();
    void changedDatabaseIsKept();
    void refusedWktNamesItsLine();

private:
    QTemporaryDir m_shipped;
};

// The data folder made once from the shipped file, for the tests that only read it.
void TestShippedData::initTestCase()
{
    QString message;
    QVERIFY2(makeDataFolder(shippedWkt(), m_shipped.filePath("data"), m_shipped.filePath("stamp"), &message),
             qPrintable(message));
    QVERIFY(CTestDatabase::reopen(QDir(m_shipped.filePath("data")).filePath(shippedDatabaseName)));
}

void TestShippedData::cleanup()
{
    CTestDatabase::reopen(QDir(m_shipped.filePath("data")).filePath(shippedDatabaseName));
}

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

    QVERIFY(CTestDatabase::reopen(QDir(data).filePath(shippedDatabaseName)));
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM coordsys;").toInt(), 7 + 120 + 60 + 29);
    for (const char* name : {"WGS 84", "WGS 84 (DMS)", "Pulkovo 1942", "Pulkovo 1942 (DMS)", "Pulkovo 1995", "GSK-2011",
                             "PZ-90.11", "WGS 84 / UTM zone 1N", "WGS 84 / UTM zone 60S",
                             "Pulkovo 1942 / Gauss-Kruger zone 1", "Pulkovo 1942 / Gauss-Kruger zone 60",
                             "Pulkovo 1995 / Gauss-Kruger zone 4", "Pulkovo 1995 / Gauss-Kruger zone 32"}) {
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
void TestShippedData::everySystemHasItsAreaOfUse()
{
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM coordsys WHERE description IS NULL OR description='';").toInt(),
             0);
    CCoordSysDetails system;
    QVERIFY(readSystem("Pulkovo 1995 / Gauss-Kruger zone 7", system));
    QCOMPARE(system.description, QStringLiteral("Russian Federation - onshore between 36°E and 42°E."));
    QVERIFY(readSystem("Pulkovo 1942 / Gauss-Kruger zone 60", system));
    QCOMPARE(system.description, QStringLiteral("Between 6°W and 0°W."));
}

void TestShippedData::dmsSystemsReadDegreesMinutesSeconds_data()
{
    QTest::addColumn<QString>("dms");
    QTest::addColumn<QString>("decimal");

    QTest::newRow("WGS 84") << "WGS 84 (DMS)" << "WGS 84";
    QTest::newRow("Pulkovo 1942") << "Pulkovo 1942 (DMS)" << "Pulkovo 1942";
}

// A system of the shipped database takes and gives degrees, minutes and seconds at once.
void TestShippedData::dmsSystemsReadDegreesMinutesSeconds()
{
    QFETCH(QString, dms);
    QFETCH(QString, decimal);
    const QStringList toDecimal = recalculated(dms, decimal, {"55 45 0", "37 37 30", "0"});
    QCOMPARE(toDecimal.size(), 3);
    QVERIFY2(std::abs(toDecimal.at(0).toDouble() - 55.75) < 1e-9, qPrintable(toDecimal.join("; ")));
    QVERIFY2(std::abs(toDecimal.at(1).toDouble() - 37.625) < 1e-9, qPrintable(toDecimal.join("; ")));

    const QStringList toDms = recalculated(decimal, dms, {"55.75", "-37.625", "0"});
    QVERIFY2(toDms.at(0).startsWith("55 45 0") && toDms.at(1).startsWith("-37 37 30"), qPrintable(toDms.join("; ")));
}

void TestShippedData::shiftsToWgs84AsTheDatasetGivesThem_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QList<double>>("shift");

    QTest::newRow("Pulkovo 1995") << "Pulkovo 1995" << QList<double>{24.47, -130.89, -81.56, 0, 0, 0.13, -0.22};
    QTest::newRow("GSK-2011") << "GSK-2011" << QList<double>{0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("PZ-90.11") << "PZ-90.11"
                              << QList<double>{0, -0.014, 0.008, -0.000562, -0.000019, 0.000053, 0.0006};
}

// The seven parameters as stored, and a point of Pulkovo 1995 against PROJ's result for the
// same parameters (cs2cs +towgs84).
void TestShippedData::shiftsToWgs84AsTheDatasetGivesThem()
{
    QFETCH(QString, system);
    QFETCH(QList<double>, shift);
    CCoordSysDetails record;
    QVERIFY(readSystem(system, record));
    QVERIFY(record.datum && record.datum->datumShift);
    QCOMPARE(shiftValues(*record.datum->datumShift), shift);
    if (system != "Pulkovo 1995")
        return;
    const QStringList wgs84 = recalculated(system, "WGS 84", {"55.75", "37.6166666667", "0"});
    QVERIFY2(std::abs(wgs84.at(0).toDouble() - 55.750059605) < 1e-8, qPrintable(wgs84.join("; ")));
    QVERIFY2(std::abs(wgs84.at(1).toDouble() - 37.614813844) < 1e-8, qPrintable(wgs84.join("; ")));
}

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

    QVERIFY(CTestDatabase::reopen(QDir(data).filePath(shippedDatabaseName)));
    QVERIFY(CTestDatabase::exec("UPDATE coordsys SET description='мое' WHERE name='WGS 84';"));
    closeDatabase();
    QString message;
    QVERIFY(makeDataFolder(wkt, data, stamp, &message));
    QVERIFY(message.startsWith("База данных изменена после создания и оставлена как есть"));
    QVERIFY(CTestDatabase::reopen(QDir(data).filePath(shippedDatabaseName)));
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
