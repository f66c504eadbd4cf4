#include "geoidfiles.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"
#include "testfiles.h"

#include "app/geoidpackage.h"
#include "database/novalue.h"
#include "records/coordsysinfoxml.h"
#include "records/vertcoordsysdetails.h"
#include "records/vertcoordsysstorage.h"
#include "values/geoidlist.h"

#include <QDir>
#include <QDomDocument>
#include <QDirIterator>
#include <QtEndian>
#include <QSettings>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <private/qzipwriter_p.h>

namespace {

using Members = QList<QPair<QString, QByteArray>>;

const QString geoidName = QStringLiteral("EGM Тест");
const QString vertName = QStringLiteral("Высоты EGM");
const QString lastPackageKey = QStringLiteral("/Settings/LastDatPath");

QByteArray geoidElement(const QString& id, const QString& name, const QString& data, const QString& coordSys,
                        const QString& metadata)
{
    return QStringLiteral("<Geoid><ID>%1</ID><Name>%2</Name><Description>Тестовый геоид</Description>"
                          "<GridDataFileName>%3</GridDataFileName><GridCoordSysFileName>%4</GridCoordSysFileName>"
                          "<GridMetadataFileName>%5</GridMetadataFileName></Geoid>")
        .arg(id, name, data, coordSys, metadata)
        .toUtf8();
}

QByteArray registry(const QByteArray& geoids)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Data><Geoids>" + geoids + "</Geoids></Data>\n";
}

// A vertical shift of -12.5 m.
const QByteArray heightShift = "<TransformList><Name>Сдвиг EGM</Name><Scope>1</Scope><Transforms><Transform>"
                               "<Name>dH</Name><Type>3</Type><ParamValues><Param code=\"7\">-12.5</Param>"
                               "</ParamValues></Transform></Transforms></TransformList>";

QByteArray vertCoordSys(const QString& tag, const QString& name, const QString& geoidId,
                        const QByteArray& transformList = QByteArray())
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<%1><Name>%2</Name><ShortName>EGM</ShortName>"
                          "<GeoidID>%3</GeoidID>%4</%1>\n")
        .arg(tag, name, geoidId, QString::fromUtf8(transformList))
        .toUtf8();
}

// Undulations of 10 m over latitudes 50 to 60 and longitudes 30 to 40 degrees.
const QByteArray undulations = "50 60 30 40 5 5\n10 10 10\n10 10 10\n10 10 10\n";

// Two geoids, of which the one with the smaller ID is installed, and a vertical system with its
// height shift on another geoid; the other XML files are no vertical systems at the root.
Members standardMembers()
{
    return {
        {QStringLiteral("data.xml"),
         registry(geoidElement("egm-b", "Второй", "b.grd", "b_cs.xml", "b_meta.xml")
                  + geoidElement("egm-a", geoidName, "egm.grd", "egm_cs.xml", "egm_meta.xml"))},
        {QStringLiteral("egm.grd"), undulations},
        {QStringLiteral("egm_cs.xml"), gridCoordSys()},
        {QStringLiteral("egm_meta.xml"), gridMetadata("<Format>grd</Format>")},
        {QStringLiteral("b.grd"), "other grid"},
        {QStringLiteral("b_cs.xml"), "<coordsys/>"},
        {QStringLiteral("b_meta.xml"), "<Metadata/>"},
        {QStringLiteral("vcs.xml"),
         vertCoordSys(QStringLiteral("vertcoordsys"), vertName, QStringLiteral("other"), heightShift)},
        {QStringLiteral("upper.xml"), vertCoordSys(QStringLiteral("VertCoordSys"), QStringLiteral("Верхний"), "x")},
        {QStringLiteral("sub/inner.xml"), vertCoordSys(QStringLiteral("vertcoordsys"), QStringLiteral("Вложенный"), "x")},
    };
}

// The members with one member's content given; a null content leaves the member out.
Members withMember(Members members, const QString& name, const QByteArray& content)
{
    for (int k = 0; k < members.size(); ++k) {
        if (members[k].first != name)
            continue;
        if (content.isNull())
            members.removeAt(k);
        else
            members[k].second = content;
        return members;
    }
    members.append(qMakePair(name, content));
    return members;
}

// The standard members with a text of one member replaced.
Members withReplaced(const QString& name, const QByteArray& before, const QByteArray& after)
{
    Members members = standardMembers();
    for (auto& member : members) {
        if (member.first == name)
            member.second.replace(before, after);
    }
    return members;
}

// The standard members whose registry names one geoid "egm-a" with these grid files.
Members withGeoid(const QString& data, const QString& coordSys, const QString& metadata)
{
    Members members = standardMembers();
    members[0].second = registry(geoidElement("egm-a", geoidName, data, coordSys, metadata));
    return members;
}

// A package of the one geoid "G" whose grid is the fixture's.
Members fixturePackage(const CGridFixture& fixture)
{
    const QString grid = "G." + fixture.format;
    return {{QStringLiteral("data.xml"), registry(geoidElement("G", geoidName, grid, "G_cs.xml", "G_meta.xml"))},
            {grid, fixture.grid},
            {QStringLiteral("G_cs.xml"), gridCoordSys()},
            {QStringLiteral("G_meta.xml"), fixture.metadata}};
}

// The heights of the plane geoid's points recalculated on the registry's geoid "G".
QStringList planeHeights(CGeoidList& registry)
{
    QStringList heights;
    for (const QStringList& point : planePoints)
        heights << recalculate(registry, true, point).value(2);
    return heights;
}

// Members too small to shrink are stored, as archivers store them; the others are deflated.
void writePackage(const QString& path, const Members& members, const QString& link = QString())
{
    QZipWriter writer(path);
    for (const auto& member : members) {
        writer.setCompressionPolicy(member.second.size() < 16 ? QZipWriter::NeverCompress : QZipWriter::AlwaysCompress);
        writer.addFile(member.first, member.second);
    }
    if (!link.isEmpty())
        writer.addSymLink(link, QStringLiteral("/etc/passwd"));
    writer.close();
}

QStringList folderFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Every file below the folder, by its path relative to the folder.
QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

// A field of a member's entry in the archive's index given another value: its compressed
// size (at 20) or its size (at 24).
struct DeclaredSize {
    QByteArray member;
    int field = 0;
    quint32 value = 0;
};

bool declareSize(const QString& path, const DeclaredSize& declared)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    const QByteArray entry = QByteArray("PK\x01\x02", 4);
    for (int at = bytes.indexOf(entry); at >= 0; at = bytes.indexOf(entry, at + 1)) {
        const int nameSize = qFromLittleEndian<quint16>(bytes.constData() + at + 28);
        if (bytes.mid(at + 46, nameSize) != declared.member)
            continue;
        qToLittleEndian(declared.value, bytes.data() + at + declared.field);
        return file.seek(0) && file.write(bytes) == bytes.size();
    }
    return false;
}

QVariantList storedVertCoordSystems()
{
    return CTestDatabase::column(QStringLiteral("SELECT name || '|' || geoid FROM vertcoordsys ORDER BY autokey;"));
}

// The rows of the vertical systems and their transforms.
QVariantList storedRowCounts()
{
    QVariantList counts;
    for (const char* table : {"vertcoordsys", "transformlist", "transform", "transformparamvalue"})
        counts.append(CTestDatabase::value(QStringLiteral("SELECT count(*) FROM %1;").arg(table)));
    return counts;
}

// The package's vertical system as it is read, on the geoid.
CVertCoordSysDetails packageVertCoordSys(const QString& geoidId)
{
    QDomDocument document;
    document.setContent(vertCoordSys(QStringLiteral("vertcoordsys"), vertName, geoidId, heightShift));
    CVertCoordSysDetails record;
    record.fromXml(document.documentElement());
    return record;
}

} // namespace

Q_DECLARE_METATYPE(Members)
Q_DECLARE_METATYPE(DeclaredSize)

class TestGeoidPackage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void packageInstallsTheGeoidWithTheSmallerId();
    void nameClash_data();
    void nameClash();
    void packageShapes_data();
    void packageShapes();
    void damagedPackages_data();
    void damagedPackages();
    void failedRegistryWriteLeavesNoGridFile();
    void vertCoordSystemsWithoutDatabase();
    void gridValues_data();
    void gridValues();
    void rawGridDamagedAfterInstallation();

private:
    QString package(const Members& members, const QString& link = QString());
    // Installs through the command, the file dialog answered with the package.
    void runCommand(const QString& packagePath);
    QString dataFolder() const;
    // The refusal of the package, as the command shows it.
    QString refusal(const QString& packagePath, const QString& reason) const;
    // Nothing of a package is left: no file in the data folder, the registry file as it was,
    // no geoid in the registry, no vertical system and no transform stored.
    void verifyNothingInstalled(const QByteArray& registryBefore);

    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<QTemporaryDir> m_dataFolder;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    std::unique_ptr<QSettings> m_settings;
    CGeoidList m_registry{readCoordSysInfo};
};

void TestGeoidPackage::init()
{
    CGuiTestEnvironment::clearSettings();
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_work = std::make_unique<QTemporaryDir>();
    m_dataFolder = std::make_unique<QTemporaryDir>();
    QVERIFY(writeFile(QDir(dataFolder()).filePath("data.xml"), registry(QByteArray())));
    m_registry.readXml(dataFolder().toStdString(), "data.xml");
    m_prompt = std::make_unique<CScriptedPrompt>();
    m_settings = std::make_unique<QSettings>();
}

void TestGeoidPackage::cleanup()
{
    m_settings.reset();
    m_prompt.reset();
    m_registry.clear();
    m_dataFolder.reset();
    m_work.reset();
    m_database.reset();
}

QString TestGeoidPackage::package(const Members& members, const QString& link)
{
    const QString path = m_work->filePath(QStringLiteral("geoid%1.dat").arg(QDir(m_work->path()).count()));
    writePackage(path, members, link);
    return path;
}

void TestGeoidPackage::runCommand(const QString& packagePath)
{
    m_prompt->answerFile(packagePath);
    addGeoidFromPackage(nullptr, *m_settings, dataFolder(), m_registry);
}

QString TestGeoidPackage::dataFolder() const
{
    return m_dataFolder->path();
}

QString TestGeoidPackage::refusal(const QString& packagePath, const QString& reason) const
{
    return QStringLiteral("Ошибка|Не удалось установить геоид из файла %1\n%2").arg(packagePath, reason);
}

void TestGeoidPackage::verifyNothingInstalled(const QByteArray& registryBefore)
{
    QCOMPARE(filesBelow(dataFolder()), QStringList{"data.xml"});
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(readFile(QDir(dataFolder()).filePath("data.xml")), registryBefore);
    QVERIFY(!m_registry.hasEntries());
    QCOMPARE(storedRowCounts(), (QVariantList{0, 0, 0, 0}));
    QVERIFY(!m_settings->contains(lastPackageKey));
}

// The package's vertical system, equal to one stored already, is listed but not stored again;
// the registry gives the geoid at once.
void TestGeoidPackage::packageInstallsTheGeoidWithTheSmallerId()
{
    QVERIFY(insertVertCoordSysDetails(packageVertCoordSys(QStringLiteral("egm-a")), true) != NoValue);
    const QVariantList rowsBefore = storedRowCounts();
    CGeoidFault fault;
    m_registry.getGeoid("egm-a", &fault);
    QVERIFY(!fault.reason.isEmpty());
    const QString path = package(standardMembers());
    runCommand(path);

    QCOMPARE(m_prompt->messageTexts(),
             QStringList{QStringLiteral("ОК|Успешно установлен геоид %1\nДобавлены системы высот:\n%2").arg(geoidName, vertName)});
    QCOMPARE(m_prompt->fileRequests().first().filter, QStringLiteral("Файлы данных (*.dat);;Все файлы (*.*)"));
    QCOMPARE(folderFiles(dataFolder()), (QStringList{"data.xml", "egm.grd", "egm_cs.xml", "egm_meta.xml"}));
    QCOMPARE(readFile(QDir(dataFolder()).filePath("egm.grd")), undulations);
    QCOMPARE(storedVertCoordSystems(), QVariantList{vertName + "|egm-a"});
    QCOMPARE(storedRowCounts(), rowsBefore);
    QCOMPARE(m_settings->value(lastPackageKey).toString(), path);

    CGeoidList reread;
    QVERIFY(reread.readXml(dataFolder().toStdString(), "data.xml"));
    QCOMPARE(int(reread.getEntries().size()), 1);
    const CGeoidEntry& entry = reread.getEntries().at("egm-a");
    QCOMPARE(QString::fromStdString(entry.Name), geoidName);
    QCOMPARE(entry.GridMetadataFileName, std::string("egm_meta.xml"));
    QVERIFY(m_registry.containsName(geoidName.toStdString()));
    // The geoid asked for while it was not installed is usable once it is.
    m_registry.getGeoid("egm-a", &fault);
    QCOMPARE(fault.reason, QString());
}

void TestGeoidPackage::nameClash_data()
{
    QTest::addColumn<bool>("addUnderOtherName");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

// The second installation of a package asks; on yes the geoid and its files get numbered
// names and the equal vertical system is listed, not stored again.
void TestGeoidPackage::nameClash()
{
    QFETCH(bool, addUnderOtherName);
    const QString path = package(standardMembers());
    runCommand(path);
    const QByteArray registryBefore = readFile(QDir(dataFolder()).filePath("data.xml"));
    m_prompt->clear();
    m_settings->remove(lastPackageKey);

    m_prompt->answerMessage(addUnderOtherName ? QMessageBox::Yes : QMessageBox::No);
    runCommand(path);

    const QString question = QStringLiteral(
        "Подтверждение|Геоид с именем \"%1\" уже существует. Добавить новый геоид под другим именем?").arg(geoidName);
    if (!addUnderOtherName) {
        QCOMPARE(m_prompt->messageTexts(),
                 (QStringList{question, refusal(path, QStringLiteral("Геоид с именем \"%1\" уже установлен").arg(geoidName))}));
        QCOMPARE(folderFiles(dataFolder()), (QStringList{"data.xml", "egm.grd", "egm_cs.xml", "egm_meta.xml"}));
        QCOMPARE(readFile(QDir(dataFolder()).filePath("data.xml")), registryBefore);
        QVERIFY(!m_settings->contains(lastPackageKey));
        return;
    }
    QCOMPARE(m_prompt->messageTexts(),
             (QStringList{question, QStringLiteral("ОК|Успешно установлен геоид %1[1]\nДобавлены системы высот:\n%2[1]")
                                        .arg(geoidName, vertName)}));
    QCOMPARE(folderFiles(dataFolder()), (QStringList{"data.xml", "egm.grd", "egm[1].grd", "egm_cs.xml", "egm_cs[1].xml",
                                                      "egm_meta.xml", "egm_meta[1].xml"}));
    CGeoidList reread;
    QVERIFY(reread.readXml(dataFolder().toStdString(), "data.xml"));
    const CGeoidEntry& entry = reread.getEntries().at("egm-a[1]");
    QCOMPARE(QString::fromStdString(entry.Name), geoidName + "[1]");
    QCOMPARE(entry.GridDataFileName, std::string("egm[1].grd"));
    QCOMPARE(entry.GridCoordSysFileName, std::string("egm_cs[1].xml"));
    QCOMPARE(storedVertCoordSystems(), (QVariantList{vertName + "|egm-a", vertName + "[1]|egm-a[1]"}));
}

void TestGeoidPackage::packageShapes_data()
{
    QTest::addColumn<Members>("members");
    QTest::addColumn<QString>("link");
    QTest::addColumn<DeclaredSize>("declared");
    QTest::addColumn<QStringList>("installedFiles");
    QTest::addColumn<QString>("reason");

    const Members standard = standardMembers();
    const QStringList refused;
    const QStringList plainFiles{"data.xml", "egm.grd", "egm_cs.xml", "egm_meta.xml"};
    const DeclaredSize asWritten;
    QTest::newRow("plain") << standard << QString() << asWritten << plainFiles << QString();
    Members dotted;
    for (const auto& member : standard)
        dotted.append(qMakePair("./" + member.first, member.second));
    QTest::newRow("names starting with ./") << dotted << QString() << asWritten << plainFiles << QString();
    // The vertical systems are put on the installed geoid, whatever geoid they name.
    QTest::newRow("vertical system naming no geoid")
        << withReplaced(QStringLiteral("vcs.xml"), "<GeoidID>other</GeoidID>", "") << QString() << asWritten
        << plainFiles << QString();
    Members gridInFolder = withGeoid("egm/2008/egm.grd", "egm_cs.xml", "egm_meta.xml");
    gridInFolder.append(qMakePair(QStringLiteral("egm/2008/egm.grd"), undulations));
    QTest::newRow("grid in a sub-folder") << gridInFolder << QString() << asWritten
                                          << QStringList{"data.xml", "egm/2008/egm.grd", "egm_cs.xml", "egm_meta.xml"}
                                          << QString();

    const QString goingUp = QStringLiteral("элемент архива \"%1\": путь ведёт за пределы архива");
    QTest::newRow("member going up") << (standard + Members{{"../escaped.grd", "x"}}) << QString() << asWritten
                                     << refused << goingUp.arg("../escaped.grd");
    QTest::newRow("member going up twice") << (standard + Members{{"../../escaped.grd", "x"}}) << QString() << asWritten
                                           << refused << goingUp.arg("../../escaped.grd");
    QTest::newRow("member going up inside its path")
        << (standard + Members{{"sub/../../escaped.grd", "x"}}) << QString() << asWritten << refused
        << goingUp.arg("sub/../../escaped.grd");
    QTest::newRow("member going up with backslashes")
        << (standard + Members{{"sub\\..\\..\\escaped.grd", "x"}}) << QString() << asWritten << refused
        << goingUp.arg("sub\\..\\..\\escaped.grd");
    QTest::newRow("member with an absolute path")
        << (standard + Members{{"/tmp/absolute.grd", "x"}}) << QString() << asWritten << refused
        << goingUp.arg("/tmp/absolute.grd");
    QTest::newRow("link") << standard << QStringLiteral("link.grd") << asWritten << refused
                          << QStringLiteral("элемент архива \"link.grd\": ссылка на другой файл");

    // A grid of some 120000 bytes that deflates to a few hundred.
    QByteArray dense = "50 60 30 40 0.05 0.05\n";
    for (int row = 0; row < 201; ++row)
        dense += QByteArray("10 ").repeated(200) + "10\n";
    const Members deflated = withMember(standard, QStringLiteral("egm.grd"), dense);
    const QString tooLarge = QStringLiteral("элемент архива \"egm.grd\": объявленный размер больше, чем нужен любой сетке");
    QTest::newRow("deflated grid") << deflated << QString() << asWritten << plainFiles << QString();
    QTest::newRow("declared size near 2 GB") << deflated << QString() << DeclaredSize{"egm.grd", 24, 0x7ffffff0u}
                                             << refused << tooLarge;
    QTest::newRow("declared size beyond 4 GB in 32 bits") << deflated << QString()
                                                          << DeclaredSize{"egm.grd", 24, 0xffffffffu} << refused
                                                          << tooLarge;
    QTest::newRow("declared size smaller than the data")
        << deflated << QString() << DeclaredSize{"egm.grd", 24, 10} << refused
        << QStringLiteral("не удалось распаковать элемент архива \"egm.grd\"");
    QTest::newRow("declared size beyond what the bytes can give")
        << deflated << QString() << DeclaredSize{"egm.grd", 24, 500000000} << refused
        << QStringLiteral("элемент архива \"egm.grd\": объявленный размер больше, чем дают сжатые данные");
    QTest::newRow("compressed size beyond the file")
        << deflated << QString() << DeclaredSize{"egm.grd", 20, 50000000} << refused
        << QStringLiteral("файл не является zip-архивом или повреждён");
    QTest::newRow("stored member of another size")
        << standard << QString() << DeclaredSize{"b_cs.xml", 24, 12} << refused
        << QStringLiteral("элемент архива \"b_cs.xml\": объявленный размер не совпадает с данными");

    const QString noGeoid = QStringLiteral("data.xml: нет ни одного геоида с ID и тремя именами файлов внутри пакета");
    QTest::newRow("no registry") << withMember(standard, QStringLiteral("data.xml"), QByteArray()) << QString()
                                 << asWritten << refused << QStringLiteral("В пакете нет файла data.xml");
    QTest::newRow("grid name going up") << withGeoid("../egm.grd", "egm_cs.xml", "egm_meta.xml") << QString()
                                        << asWritten << refused << noGeoid;
    QTest::newRow("absolute grid name") << withGeoid("/tmp/egm.grd", "egm_cs.xml", "egm_meta.xml") << QString()
                                        << asWritten << refused << noGeoid;
    QTest::newRow("geoid without metadata") << withGeoid("egm.grd", "egm_cs.xml", "") << QString() << asWritten
                                            << refused << noGeoid;
    // The geoid is loaded before any grid file moves.
    Members missingGrid = withGeoid("sub/egm.grd", "egm_cs.xml", "z_meta.xml");
    missingGrid.append(qMakePair(QStringLiteral("sub/egm.grd"), undulations));
    QTest::newRow("missing grid file") << missingGrid << QString() << asWritten << refused
                                       << QStringLiteral("z_meta.xml: нет такого файла");
}

// Each package is installed whole or refused with its reason, and nothing is written outside the
// data folder (the temporary folder of the unpacking lies in a folder of the test's own); a
// refused package leaves no grid file, no registry entry and no vertical system.
void TestGeoidPackage::packageShapes()
{
    QFETCH(Members, members);
    QFETCH(QString, link);
    QFETCH(DeclaredSize, declared);
    QFETCH(QStringList, installedFiles);
    QFETCH(QString, reason);
    const QString path = package(members, link);
    if (!declared.member.isEmpty())
        QVERIFY(declareSize(path, declared));
    const QByteArray registryBefore = readFile(QDir(dataFolder()).filePath("data.xml"));
    QTemporaryDir sandbox;
    const QByteArray tempBefore = qgetenv("TMPDIR");
    QVERIFY(QDir(sandbox.path()).mkpath("unpack"));
    qputenv("TMPDIR", sandbox.filePath("unpack").toUtf8());
    runCommand(path);
    qputenv("TMPDIR", tempBefore);

    QCOMPARE(filesBelow(sandbox.path()), QStringList());
    QCOMPARE(filesBelow(m_work->path()), QStringList{QFileInfo(path).fileName()});
    QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/absolute.grd")));
    if (!installedFiles.isEmpty()) {
        QCOMPARE(m_prompt->messageTexts(),
                 QStringList{QStringLiteral("ОК|Успешно установлен геоид %1\nДобавлены системы высот:\n%2").arg(geoidName, vertName)});
        QCOMPARE(filesBelow(dataFolder()), installedFiles);
        QCOMPARE(readFile(QDir(dataFolder()).filePath(installedFiles.at(1))),
                 members.at(1).second.isEmpty() ? undulations : members.at(1).second);
        CGeoidList reread;
        QVERIFY(reread.readXml(dataFolder().toStdString(), "data.xml"));
        QCOMPARE(QString::fromStdString(reread.getEntries().at("egm-a").GridDataFileName), installedFiles.at(1));
        QCOMPARE(storedRowCounts(), (QVariantList{1, 1, 1, 1}));
        CVertCoordSysDetails stored;
        QVERIFY(readVertCoordSysDetails(CTestDatabase::value(QStringLiteral("SELECT autokey FROM vertcoordsys;")).toInt(),
                                        stored));
        QVERIFY(stored == packageVertCoordSys(QStringLiteral("egm-a")));
        return;
    }
    QCOMPARE(m_prompt->messageTexts(), QStringList{refusal(path, reason)});
    verifyNothingInstalled(registryBefore);
}

void TestGeoidPackage::damagedPackages_data()
{
    QTest::addColumn<Members>("members");
    QTest::addColumn<QString>("reason");

    QTest::newRow("grid values with decimal commas")
        << withReplaced(QStringLiteral("egm.grd"), "10 10 10\n", "10,5 10,5 10,5\n")
        << QStringLiteral("egm.grd: «10,5» не является числом");
    Members repeatedId = standardMembers();
    repeatedId[0].second = registry(geoidElement("egm-a", "Первый", "b.grd", "b_cs.xml", "b_meta.xml")
                                    + geoidElement("egm-a", geoidName, "egm.grd", "egm_cs.xml", "egm_meta.xml"));
    QTest::newRow("one ID given to two geoids")
        << repeatedId << QStringLiteral("data.xml: ID \"egm-a\" указан у нескольких разных геоидов");
    QTest::newRow("grid cut short") << withMember(standardMembers(), QStringLiteral("egm.grd"), undulations.left(40))
                                    << QStringLiteral("egm.grd: значений 8, а заголовок задаёт 9");
    QTest::newRow("format in capitals")
        << withReplaced(QStringLiteral("egm_meta.xml"), "grd", "GRD")
        << QStringLiteral("egm_meta.xml: формат сетки «GRD» не читается: сетка читается только в формате «grd» или "
                          "«raw»");
    QTest::newRow("metadata missing") << withMember(standardMembers(), QStringLiteral("egm_meta.xml"), QByteArray())
                                      << QStringLiteral("egm_meta.xml: нет такого файла");
    Members raw = withGeoid("egm.raw", "egm_cs.xml", "egm_meta.xml");
    raw = withMember(raw, QStringLiteral("egm_meta.xml"),
                     gridMetadata("<Format>raw</Format><BytesPerValue>4</BytesPerValue><ColumnCount>3</ColumnCount>"
                                  "<RowCount>3</RowCount><CellWidth>5</CellWidth><CellHeight>5</CellHeight>"
                                  "<MinColumnCoord>30</MinColumnCoord><MinRowCoord>50</MinRowCoord>"));
    QTest::newRow("raw grid a few bytes short")
        << withMember(raw, QStringLiteral("egm.raw"), rawFloats({10, 10, 10, 10, 10, 10, 10, 10, 10}).left(33))
        << QStringLiteral("egm.raw: размер файла 33 байт, а метаданные (3 × 3 значений по 4 байта) задают 36 байт");
    QTest::newRow("grid coordinate system cut short")
        << withMember(standardMembers(), QStringLiteral("egm_cs.xml"), gridCoordSys().left(200))
        << QStringLiteral("egm_cs.xml: не является документом XML (строка 8: файл обрывается раньше конца документа)");
    // The vertical systems are read through the reading check of the exchange imports.
    const QString vertical = QStringLiteral("vcs.xml: «%1»: ").arg(vertName);
    QTest::newRow("transform of a word type")
        << withReplaced(QStringLiteral("vcs.xml"), "<Type>3</Type>", "<Type>сдвиг</Type>")
        << vertical + QStringLiteral("Элемент «TransformList/Transforms/Transform/Type»: «сдвиг» не является целым "
                                     "числом");
    QTest::newRow("transform value with a decimal comma")
        << withReplaced(QStringLiteral("vcs.xml"), "-12.5", "-12,5")
        << vertical + QStringLiteral("Элемент «TransformList/Transforms/Transform/ParamValues/Param[code=7, «dH»]»: «-12,5» не "
                                     "является числом");
    QTest::newRow("transform without the parameter its type uses")
        << withReplaced(QStringLiteral("vcs.xml"), "<Param code=\"7\">-12.5</Param>", "")
        << vertical + QStringLiteral("Элемент «TransformList/Transforms/Transform/ParamValues/Param[code=7, «dH»]»: "
                                     "значение не задано");
    QTest::newRow("transform parameter given twice")
        << withReplaced(QStringLiteral("vcs.xml"), "<Param code=\"7\">-12.5</Param>",
                        "<Param code=\"7\">-12.5</Param><Param code=\"7\">-2.5</Param>")
        << vertical + QStringLiteral("Элемент «TransformList/Transforms/Transform/ParamValues/Param[code=7, «dH»]»: "
                                     "параметр задан повторно");
    QTest::newRow("vertical system without a name")
        << withReplaced(QStringLiteral("vcs.xml"), "<Name>" + vertName.toUtf8() + "</Name>", "")
        << QStringLiteral("vcs.xml: «»: Не задано название (элемент Name)");
    QTest::newRow("vertical system file cut short")
        << withMember(standardMembers(), QStringLiteral("vcs.xml"),
                      vertCoordSys(QStringLiteral("vertcoordsys"), vertName, "x").left(80))
        << QStringLiteral("vcs.xml: не является документом XML (строка 2: файл обрывается раньше конца документа)");
}

// A package whose geoid or vertical system does not read is refused, naming the member and what
// is wrong with it, before anything is installed.
void TestGeoidPackage::damagedPackages()
{
    QFETCH(Members, members);
    QFETCH(QString, reason);
    const QString path = package(members);
    const QByteArray registryBefore = readFile(QDir(dataFolder()).filePath("data.xml"));

    runCommand(path);

    QCOMPARE(m_prompt->messageTexts(), QStringList{refusal(path, reason)});
    verifyNothingInstalled(registryBefore);
}

// A registry file that does not read is named as the reason, whether it broke after it was read
// or was read broken (the registry is not written then, even when the file is mended meanwhile).
void TestGeoidPackage::failedRegistryWriteLeavesNoGridFile()
{
    const QString registryPath = QDir(dataFolder()).filePath("data.xml");
    const QString fault = QStringLiteral("Реестр геоидов \"%1\" не читается: не является документом XML "
                                         "(строка 1: файл обрывается раньше конца документа)").arg(registryPath);
    const auto addUnderOtherName = [](const QString&) { return true; };
    QVERIFY(writeFile(registryPath, "<Data><Geoids>"));
    CGeoidInstallation installation =
        installGeoidPackage(package(standardMembers()), dataFolder(), m_registry, addUnderOtherName);
    QVERIFY(!installation.installed);
    QCOMPARE(installation.error, fault);
    QCOMPARE(folderFiles(dataFolder()), QStringList{"data.xml"});
    QVERIFY(storedVertCoordSystems().isEmpty());

    QVERIFY(!m_registry.readXml(dataFolder().toStdString(), "data.xml"));
    QVERIFY(writeFile(registryPath, registry(QByteArray())));
    installation = installGeoidPackage(package(standardMembers()), dataFolder(), m_registry, addUnderOtherName);
    QCOMPARE(installation.error, fault);
    QCOMPARE(folderFiles(dataFolder()), QStringList{"data.xml"});

    const QString notZip = m_work->filePath("text.dat");
    QVERIFY(writeFile(notZip, "not a zip archive"));
    QCOMPARE(installGeoidPackage(notZip, dataFolder(), m_registry, addUnderOtherName).error,
             QStringLiteral("файл не является zip-архивом или повреждён"));
}

// The geoid is installed; the result says that its vertical systems were not added.
void TestGeoidPackage::vertCoordSystemsWithoutDatabase()
{
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
    runCommand(package(standardMembers()));
    QCOMPARE(m_prompt->messageTexts(),
             QStringList{QStringLiteral("Предупреждение|Геоид %1 установлен, но системы высот не добавлены: "
                                        "Не открыта база данных").arg(geoidName)});
    QVERIFY(m_registry.containsName(geoidName.toStdString()));

    m_prompt->clear();
    Members withoutVertical = standardMembers();
    withoutVertical.removeAt(7);
    m_prompt->answerMessage(QMessageBox::Yes);
    runCommand(package(withoutVertical));
    QCOMPARE(m_prompt->messageTexts().last(), QStringLiteral("ОК|Успешно установлен геоид %1[1]\n").arg(geoidName));
}

void TestGeoidPackage::gridValues_data()
{
    QTest::addColumn<int>("fixture");
    const QList<CGridFixture> fixtures = planeGeoidFixtures();
    for (int k = 0; k < fixtures.size(); ++k)
        QTest::newRow(fixtures[k].name) << k;
}

// Every value of the package's grid, raw or text, is read before anything is installed: a value
// that is no geoid height refuses the package, naming the member, the node and the value.
void TestGeoidPackage::gridValues()
{
    QFETCH(int, fixture);
    const CGridFixture grid = planeGeoidFixtures().at(fixture);
    const QString path = package(fixturePackage(grid));
    const QByteArray registryBefore = readFile(QDir(dataFolder()).filePath("data.xml"));

    runCommand(path);

    if (grid.reason.isEmpty()) {
        QCOMPARE(m_prompt->messageTexts(), QStringList{QStringLiteral("ОК|Успешно установлен геоид %1\n").arg(geoidName)});
        QCOMPARE(planeHeights(m_registry), grid.heights);
        return;
    }
    QCOMPARE(m_prompt->messageTexts(), QStringList{refusal(path, "G." + grid.format + ": " + grid.reason)});
    verifyNothingInstalled(registryBefore);
}

// A node of an installed raw grid overwritten with a no-data marker gives no height after a
// restart, while points away from it are recalculated.
void TestGeoidPackage::rawGridDamagedAfterInstallation()
{
    const QList<CGridFixture> fixtures = planeGeoidFixtures();
    runCommand(package(fixturePackage(fixtures.at(1))));
    QCOMPARE(planeHeights(m_registry), (QStringList{"123.500", "125.750"}));
    QVERIFY(writeFile(QDir(dataFolder()).filePath("G.raw"), planeGeoidRaw(-9999.0f)));

    QVERIFY(m_registry.readXml(dataFolder().toStdString(), "data.xml"));

    QCOMPARE(planeHeights(m_registry), (QStringList{"", "125.750"}));
}

QTEST_MAIN(TestGeoidPackage)
#include "test_geoidpackage.moc"
