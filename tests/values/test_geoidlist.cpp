#include "geoidfiles.h"

#include "geodesy/geoid.h"
#include "records/coordsysinfoxml.h"
#include "values/geoidlist.h"
#include "values/vertcoordsysinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char* const kRegistry = "data.xml";

QString line(const CGeoidEntry& entry)
{
    return QString::fromStdString(entry.ID + "|" + entry.Name + "|" + entry.Description + "|"
                                  + entry.GridDataFileName + "|" + entry.GridCoordSysFileName
                                  + "|" + entry.GridMetadataFileName);
}

QStringList lines(const CGeoidList& list)
{
    QStringList result;
    for (const auto& item : list.getEntries()) {
        if (item.first != item.second.ID)
            result << QStringLiteral("key %1 holds %2").arg(QString::fromStdString(item.first),
                                                             line(item.second));
        else
            result << line(item.second);
    }
    return result;
}

CGeoidEntry entry(const std::string& id, const std::string& name)
{
    CGeoidEntry geoid;
    geoid.ID = id;
    geoid.Name = name;
    geoid.GridDataFileName = "grid.grd";
    geoid.GridCoordSysFileName = "grid_cs.xml";
    geoid.GridMetadataFileName = "grid_meta.xml";
    return geoid;
}

const QStringList kGoldenEntries{
    QString::fromUtf8("EGM2008|EGM2008 2.5'||egm2008.raw|egm2008_cs.xml|egm2008_meta.xml"),
    QString::fromUtf8("EGM96|EGM96 15'|Глобальная модель геоида|egm96.grd|egm96_cs.xml|egm96_meta.xml"),
    QString::fromUtf8("LOCAL|||local.raw|local_cs.xml|local_meta.xml"),
};

} // namespace

class TestGeoidList : public QObject
{
    Q_OBJECT

private:
    QString registryPath() const { return dir.filePath(kRegistry); }
    std::string folder() const { return dir.path().toStdString(); }
    void writeRegistry(const QByteArray& content) { QVERIFY(writeGeoidFile(registryPath(), content)); }

    QTemporaryDir dir;

private slots:
    void init();
    void readsRegistry();
    void addsGeoidToEveryGeoidsElement();
    void twoCopiesAddTheSameGeoid();
    void uniqueTexts_data();
    void uniqueTexts();
    void firstGeoid_data();
    void firstGeoid();
    void rewritesInUtf8();
    void refusedRegistry_data();
    void refusedRegistry();
    void refusedEntry_data();
    void refusedEntry();
    void failedRewriteKeepsOldRegistry();
    void clearForgetsRegistry();
    void geoidOfVerticalSystem_data();
    void geoidOfVerticalSystem();
};

void TestGeoidList::init()
{
    const QDir folder(dir.path());
    for (const QString& name : folder.entryList(QDir::Files))
        QVERIFY(QFile::remove(folder.filePath(name)));
}

// Incomplete geoids, file names leaving the folder and elements outside Data/Geoids
// are skipped; of two geoids with one ID the later is used and the user is told so; a later
// tag of one geoid counts.
void TestGeoidList::readsRegistry()
{
    writeRegistry(geoidTestData("geoid_registry.xml"));
    CGeoidList list;
    QVERIFY(list.readXml(folder(), kRegistry));
    QCOMPARE(lines(list), kGoldenEntries);
    QCOMPARE(list.readWarning(),
             QStringLiteral("Реестр геоидов \"%1\": ID \"EGM2008\" указан у нескольких разных геоидов; используется "
                            "последний из них в файле (имя \"EGM2008 2.5'\", файл сетки \"egm2008.raw\"), остальные не "
                            "используются")
                 .arg(registryPath()));
    QVERIFY(list.readFault().isEmpty());
    QVERIFY(list.containsId("LOCAL"));
    QVERIFY(!list.containsId("NOMETA"));
    QVERIFY(list.containsName("EGM96 15'"));
    QVERIFY(list.containsName(""));
    QVERIFY(!list.containsName("No metadata"));
}

void TestGeoidList::addsGeoidToEveryGeoidsElement()
{
    writeRegistry(geoidTestData("geoid_registry.xml"));
    CGeoidList list;
    QVERIFY(list.readXml(folder(), kRegistry));
    CGeoidEntry added = entry("EGM96", "EGM96 15'");
    added.Description = "Копия";

    QVERIFY(list.writeXml(added));

    QCOMPARE(added.ID, std::string("EGM96[1]"));
    QCOMPARE(added.Name, std::string("EGM96 15'[1]"));
    QCOMPARE(QString::fromUtf8(readGeoidFile(registryPath())),
             QString::fromUtf8(geoidTestData("geoid_registry_added.xml")));
    QStringList expected = kGoldenEntries;
    expected.insert(2, QString::fromUtf8("EGM96[1]|EGM96 15'[1]|Копия|grid.grd|grid_cs.xml|grid_meta.xml"));
    QCOMPARE(lines(list), expected);
    CGeoidList reread;
    QVERIFY(reread.readXml(folder(), kRegistry));
    QCOMPARE(lines(reread), expected);
    // The copies of the new geoid in the two lists are alike and not reported.
    QCOMPARE(reread.readWarning(), list.readWarning());
}

// Two copies of the program read the registry at start, and each installs the same geoid.
void TestGeoidList::twoCopiesAddTheSameGeoid()
{
    writeRegistry("<Data><Geoids/></Data>");
    CGeoidList first;
    CGeoidList second;
    first.readXml(folder(), kRegistry);
    second.readXml(folder(), kRegistry);
    CGeoidEntry firstAdded = entry("G", "Геоид");
    CGeoidEntry secondAdded = entry("G", "Геоид");
    secondAdded.GridDataFileName = "grid[1].grd";

    QVERIFY(first.writeXml(firstAdded));
    QVERIFY(second.writeXml(secondAdded));

    QCOMPARE(line(firstAdded), QString::fromUtf8("G|Геоид||grid.grd|grid_cs.xml|grid_meta.xml"));
    QCOMPARE(line(secondAdded), QString::fromUtf8("G[1]|Геоид[1]||grid[1].grd|grid_cs.xml|grid_meta.xml"));
    QCOMPARE(lines(second), QStringList{line(secondAdded)});
    CGeoidList third;
    QVERIFY(third.readXml(folder(), kRegistry));
    QCOMPARE(lines(third), (QStringList{line(firstAdded), line(secondAdded)}));
    QVERIFY(third.readWarning().isEmpty());
}

void TestGeoidList::uniqueTexts_data()
{
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("free") << QStringList{"G"} << "H" << "H";
    QTest::newRow("taken") << QStringList{"G"} << "G" << "G[1]";
    QTest::newRow("next taken too") << QStringList{"G", "G[1]"} << "G" << "G[2]";
    QTest::newRow("counted on") << QStringList{"G[4]"} << "G[4]" << "G[5]";
    QTest::newRow("not a number") << QStringList{"G[x]"} << "G[x]" << "G[x][1]";
    QTest::newRow("blanks and sign") << QStringList{"G[ +7]"} << "G[ +7]" << "G[8]";
    QTest::newRow("negative") << QStringList{"G[-1]"} << "G[-1]" << "G[0]";
    QTest::newRow("digits then text") << QStringList{"G[2x"} << "G[2x" << "G[3]";
    QTest::newRow("bracket first") << QStringList{"[3]"} << "[3]" << "[4]";
    QTest::newRow("last bracket") << QStringList{"G[1][2]"} << "G[1][2]" << "G[1][3]";
    QTest::newRow("beyond int") << QStringList{"G[99999999999]"} << "G[99999999999]"
                                << "G[99999999999][1]";
}

// IDs and Names follow the same rule, each against its own texts.
void TestGeoidList::uniqueTexts()
{
    QFETCH(QStringList, taken);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    CGeoidList list;
    list.readXml(folder(), kRegistry);
    for (const QString& value : taken) {
        CGeoidEntry id = entry(value.toStdString(), "name " + value.toStdString());
        CGeoidEntry name = entry("id " + value.toStdString(), value.toStdString());
        QVERIFY(list.writeXml(id) && list.writeXml(name));
    }
    QCOMPARE(QString::fromStdString(list.makeUniqueId(text.toStdString())), expected);
    QCOMPARE(QString::fromStdString(list.makeUniqueName(text.toStdString())), expected);
}

void TestGeoidList::firstGeoid_data()
{
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("empty Geoids") << QByteArray("<Data><Geoids/></Data>");
    QTest::newRow("incomplete geoid only")
        << QByteArray("<Data><Geoids><Geoid><ID>A</ID></Geoid></Geoids></Data>");
    QTest::newRow("no registry file yet") << QByteArray();
}

// A registry without geoids reads as false, yet takes its first geoid.
void TestGeoidList::firstGeoid()
{
    QFETCH(QByteArray, content);
    if (!content.isEmpty())
        writeRegistry(content);
    CGeoidList list;
    QVERIFY(!list.readXml(folder(), kRegistry));
    QVERIFY(!list.hasEntries());

    CGeoidEntry first = entry("G", "Геоид");
    QVERIFY(list.writeXml(first));

    QCOMPARE(lines(list), QStringList{QString::fromUtf8("G|Геоид||grid.grd|grid_cs.xml|grid_meta.xml")});
    CGeoidList reread;
    QVERIFY(reread.readXml(folder(), kRegistry));
    QCOMPARE(lines(reread), lines(list));
    QVERIFY(readGeoidFile(registryPath()).startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
}

// A registry in another encoding is read by its declaration and rewritten as UTF-8.
void TestGeoidList::rewritesInUtf8()
{
    writeRegistry("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<Data><Geoids><Geoid>"
                  "<ID>A</ID><Name>\xC3\xE5\xEE\xE8\xE4</Name><GridDataFileName>a.grd</GridDataFileName>"
                  "<GridCoordSysFileName>a_cs.xml</GridCoordSysFileName>"
                  "<GridMetadataFileName>a_meta.xml</GridMetadataFileName></Geoid></Geoids></Data>");
    CGeoidList list;
    QVERIFY(list.readXml(folder(), kRegistry));
    QVERIFY(list.containsName("Геоид"));
    CGeoidEntry added = entry("B", "Геоид");
    QVERIFY(list.writeXml(added));

    const QByteArray written = readGeoidFile(registryPath());
    QVERIFY(written.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    QCOMPARE(written.count("<Name>Геоид</Name>"), 1);
    QCOMPARE(written.count("<Name>Геоид[1]</Name>"), 1);
    CGeoidList reread;
    QVERIFY(reread.readXml(folder(), kRegistry));
    QCOMPARE(lines(reread), lines(list));
}

void TestGeoidList::refusedRegistry_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    QTest::newRow("not XML") << QByteArray("<Data><Geoids></Data>")
                             << "не является документом XML (строка 1: закрывающий тег не совпадает с открывающим)";
    QTest::newRow("no Geoids") << QByteArray("<Data><Geoid/></Data>") << "нет элемента Data/Geoids";
    QTest::newRow("other root") << QByteArray("<Registry><Geoids/></Registry>") << "нет элемента Data/Geoids";
}

// A file that is no registry is neither read nor rewritten; what is wrong with it is told, and
// an entry to add is refused naming the registry file.
void TestGeoidList::refusedRegistry()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    writeRegistry(content);
    CGeoidList list;
    QString found;
    QVERIFY(!list.readXml(folder(), kRegistry, &found));
    QCOMPARE(found, reason);
    const QString fault = QStringLiteral("Реестр геоидов \"%1\" не читается: %2").arg(registryPath(), reason);
    QCOMPARE(list.readFault(), fault);
    CGeoidEntry added = entry("G", "G");
    QString error;
    QVERIFY(!list.writeXml(added, &error));
    QCOMPARE(error, fault);
    QCOMPARE(readGeoidFile(registryPath()), content);
    QVERIFY(!list.hasEntries());
}

void TestGeoidList::refusedEntry_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");

    QTest::newRow("no ID") << "ID" << "";
    QTest::newRow("no metadata file") << "meta" << "";
    QTest::newRow("parent folder") << "data" << "../grid.grd";
    QTest::newRow("dots alone") << "cs" << "..";
    QTest::newRow("parent folder inside the path") << "meta" << "sub/../../grid_meta.xml";
    QTest::newRow("backslash") << "data" << "sub\\grid.grd";
    QTest::newRow("absolute") << "cs" << "/etc/grid_cs.xml";
}

// An entry that a later read would skip is not added.
void TestGeoidList::refusedEntry()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    const QByteArray registry = geoidTestData("geoid_registry.xml");
    writeRegistry(registry);
    CGeoidList list;
    QVERIFY(list.readXml(folder(), kRegistry));
    CGeoidEntry added = entry("NEW", "New");
    std::string& target = field == "ID" ? added.ID
                          : field == "data" ? added.GridDataFileName
                          : field == "cs"   ? added.GridCoordSysFileName
                                            : added.GridMetadataFileName;
    target = value.toStdString();
    const QString before = line(added);

    QVERIFY(!added.isComplete());
    QVERIFY(!list.writeXml(added));

    QCOMPARE(line(added), before);
    QCOMPARE(lines(list), kGoldenEntries);
    QCOMPARE(readGeoidFile(registryPath()), registry);
}

// The longest file name leaves no room for the temporary file of a safe rewrite.
void TestGeoidList::failedRewriteKeepsOldRegistry()
{
    const QString name(255, QLatin1Char('r'));
    const QByteArray registry = geoidTestData("geoid_registry.xml");
    QVERIFY(writeGeoidFile(dir.filePath(name), registry));
    CGeoidList list;
    QVERIFY(list.readXml(folder(), name.toStdString()));
    CGeoidEntry added = entry("EGM96", "New");
    const QString before = line(added);

    QVERIFY(!list.writeXml(added));

    QCOMPARE(line(added), before);
    QCOMPARE(lines(list), kGoldenEntries);
    QCOMPARE(readGeoidFile(dir.filePath(name)), registry);
}

void TestGeoidList::clearForgetsRegistry()
{
    writeRegistry(geoidTestData("geoid_registry.xml"));
    CGeoidList list;
    QVERIFY(list.readXml(folder(), kRegistry));
    list.clear();
    QVERIFY(!list.hasEntries());
    CGeoidEntry added = entry("G", "G");
    QVERIFY(!list.writeXml(added));
}

void TestGeoidList::geoidOfVerticalSystem_data()
{
    QTest::addColumn<QString>("geoid");
    QTest::addColumn<QByteArray>("coordSys");
    QTest::addColumn<bool>("registry");
    QTest::addColumn<bool>("found");

    QTest::newRow("usable") << "G" << gridCoordSys() << true << true;
    QTest::newRow("not registered") << "H" << gridCoordSys() << true << false;
    QTest::newRow("grid system missing") << "G" << QByteArray() << true << false;
    QTest::newRow("no registry") << "G" << gridCoordSys() << false << false;
}

void TestGeoidList::geoidOfVerticalSystem()
{
    QFETCH(QString, geoid);
    QFETCH(QByteArray, coordSys);
    QFETCH(bool, registry);
    QFETCH(bool, found);
    QVERIFY(writeGeoidFolder(dir.path(), "G", "grd", "0 1 0 1 1 1 5 5 5 5",
                             gridMetadata("<Format>grd</Format>"), coordSys));
    CGeoidList list(readCoordSysInfo);
    QVERIFY(list.readXml(folder(), kRegistry));
    CVertCoordSysInfo system;
    system.name = "Heights";
    system.geoid = geoid.toStdString();

    const auto result = geoidForVertCoordSys(system, registry ? &list : nullptr);

    QCOMPARE(bool(result), found);
    if (found)
        QCOMPARE(result, std::static_pointer_cast<vexa::CGeoidParams>(list.getGeoid("G")));
}

QTEST_GUILESS_MAIN(TestGeoidList)
#include "test_geoidlist.moc"
