#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"
#include "testfiles.h"

#include "app/geoidpackage.h"
#include "database/novalue.h"
#include "records/vertcoordsysdetails.h"
#include "records/vertcoordsysstorage.h"
#include "values/geoidlist.h"

#include <QDir>
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

QByteArray vertCoordSys(const QString& tag, const QString& name, const QString& geoidId)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<%1><Name>%2</Name><ShortName>EGM</ShortName>"
                          "<GeoidID>%3</GeoidID></%1>\n")
        .arg(tag, name, geoidId)
        .toUtf8();
}

// Two geoids, of which the one with the smaller ID is installed, and a vertical system on
// another geoid; the other XML files are no vertical systems at the root.
Members standardMembers()
{
    return {
        {QStringLiteral("data.xml"),
         registry(geoidElement("egm-b", "Второй", "b.grd", "b_cs.xml", "b_meta.xml")
                  + geoidElement("egm-a", geoidName, "egm.grd", "egm_cs.xml", "egm_meta.xml"))},
        {QStringLiteral("egm.grd"), "grid data"},
        {QStringLiteral("egm_cs.xml"), "<coordsys/>"},
        {QStringLiteral("egm_meta.xml"), "<Metadata/>"},
        {QStringLiteral("b.grd"), "other grid"},
        {QStringLiteral("b_cs.xml"), "<coordsys/>"},
        {QStringLiteral("b_meta.xml"), "<Metadata/>"},
        {QStringLiteral("vcs.xml"), vertCoordSys(QStringLiteral("vertcoordsys"), vertName, QStringLiteral("other"))},
        {QStringLiteral("upper.xml"), vertCoordSys(QStringLiteral("VertCoordSys"), QStringLiteral("Верхний"), "x")},
        {QStringLiteral("sub/inner.xml"), vertCoordSys(QStringLiteral("vertcoordsys"), QStringLiteral("Вложенный"), "x")},
    };
}

// The standard members whose registry names one geoid "egm-a" with these grid files.
Members withGeoid(const QString& data, const QString& coordSys, const QString& metadata)
{
    Members members = standardMembers();
    members[0].second = registry(geoidElement("egm-a", geoidName, data, coordSys, metadata));
    return members;
}

void writePackage(const QString& path, const Members& members, const QString& link = QString())
{
    QZipWriter writer(path);
    for (const auto& member : members)
        writer.addFile(member.first, member.second);
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
    void failedRegistryWriteLeavesNoGridFile();
    void vertCoordSystemsWithoutDatabase();

private:
    QString package(const Members& members, const QString& link = QString());
    // Installs through the command, the file dialog answered with the package.
    void runCommand(const QString& packagePath);
    QString dataFolder() const;

    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<QTemporaryDir> m_dataFolder;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    std::unique_ptr<QSettings> m_settings;
    CGeoidList m_registry;
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

// The package's vertical system, equal to one stored already, is listed but not stored again.
void TestGeoidPackage::packageInstallsTheGeoidWithTheSmallerId()
{
    CVertCoordSysDetails stored;
    stored.name = vertName;
    stored.shortName = QStringLiteral("EGM");
    stored.geoidId = QStringLiteral("egm-a");
    QVERIFY(insertVertCoordSysDetails(stored, true) != NoValue);
    const QString path = package(standardMembers());
    runCommand(path);

    QCOMPARE(m_prompt->messageTexts(),
             QStringList{QStringLiteral("ОК|Успешно установлен геоид %1\nДобавлены системы высот:\n%2").arg(geoidName, vertName)});
    QCOMPARE(m_prompt->fileRequests().first().filter, QStringLiteral("Файлы данных (*.dat);;Все файлы (*.*)"));
    QCOMPARE(folderFiles(dataFolder()), (QStringList{"data.xml", "egm.grd", "egm_cs.xml", "egm_meta.xml"}));
    QCOMPARE(readFile(QDir(dataFolder()).filePath("egm.grd")), QByteArray("grid data"));
    QCOMPARE(storedVertCoordSystems(), QVariantList{vertName + "|egm-a"});
    QCOMPARE(m_settings->value(lastPackageKey).toString(), path);

    CGeoidList reread;
    QVERIFY(reread.readXml(dataFolder().toStdString(), "data.xml"));
    QCOMPARE(int(reread.getEntries().size()), 1);
    const CGeoidEntry& entry = reread.getEntries().at("egm-a");
    QCOMPARE(QString::fromStdString(entry.Name), geoidName);
    QCOMPARE(entry.GridMetadataFileName, std::string("egm_meta.xml"));
    QVERIFY(m_registry.containsName(geoidName.toStdString()));
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
                 (QStringList{question, QStringLiteral("Ошибка|Не удалось установить геоид из файла ") + path}));
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

    const Members standard = standardMembers();
    const QStringList refused;
    const QStringList plainFiles{"data.xml", "egm.grd", "egm_cs.xml", "egm_meta.xml"};
    const DeclaredSize asWritten;
    QTest::newRow("plain") << standard << QString() << asWritten << plainFiles;
    Members dotted;
    for (const auto& member : standard)
        dotted.append(qMakePair("./" + member.first, member.second));
    QTest::newRow("names starting with ./") << dotted << QString() << asWritten << plainFiles;
    Members gridInFolder = withGeoid("egm/2008/egm.grd", "egm_cs.xml", "egm_meta.xml");
    gridInFolder.append(qMakePair(QStringLiteral("egm/2008/egm.grd"), QByteArray("grid data")));
    QTest::newRow("grid in a sub-folder") << gridInFolder << QString() << asWritten
                                          << QStringList{"data.xml", "egm/2008/egm.grd", "egm_cs.xml", "egm_meta.xml"};

    QTest::newRow("member going up") << (standard + Members{{"../escaped.grd", "x"}}) << QString() << asWritten << refused;
    QTest::newRow("member going up twice") << (standard + Members{{"../../escaped.grd", "x"}}) << QString() << asWritten
                                           << refused;
    QTest::newRow("member going up inside its path")
        << (standard + Members{{"sub/../../escaped.grd", "x"}}) << QString() << asWritten << refused;
    QTest::newRow("member going up with backslashes")
        << (standard + Members{{"sub\\..\\..\\escaped.grd", "x"}}) << QString() << asWritten << refused;
    QTest::newRow("member with an absolute path")
        << (standard + Members{{"/tmp/absolute.grd", "x"}}) << QString() << asWritten << refused;
    QTest::newRow("link") << standard << QStringLiteral("link.grd") << asWritten << refused;

    // A grid of 100000 bytes that deflates to a few hundred.
    Members deflated = standard;
    deflated[1].second = QByteArray(100000, 'g');
    QTest::newRow("deflated grid") << deflated << QString() << asWritten << plainFiles;
    QTest::newRow("declared size near 2 GB") << deflated << QString() << DeclaredSize{"egm.grd", 24, 0x7ffffff0u}
                                             << refused;
    QTest::newRow("declared size beyond 4 GB in 32 bits") << deflated << QString()
                                                          << DeclaredSize{"egm.grd", 24, 0xffffffffu} << refused;
    QTest::newRow("declared size smaller than the data") << deflated << QString() << DeclaredSize{"egm.grd", 24, 10}
                                                         << refused;
    QTest::newRow("declared size beyond what the bytes can give")
        << deflated << QString() << DeclaredSize{"egm.grd", 24, 500000000} << refused;
    QTest::newRow("compressed size beyond the file")
        << deflated << QString() << DeclaredSize{"egm.grd", 20, 50000000} << refused;
    QTest::newRow("stored member of another size") << standard << QString() << DeclaredSize{"egm_cs.xml", 24, 12}
                                                   << refused;

    Members noRegistry = standard;
    noRegistry.removeFirst();
    QTest::newRow("no registry") << noRegistry << QString() << asWritten << refused;
    QTest::newRow("grid name going up") << withGeoid("../egm.grd", "egm_cs.xml", "egm_meta.xml") << QString()
                                        << asWritten << refused;
    QTest::newRow("absolute grid name") << withGeoid("/tmp/egm.grd", "egm_cs.xml", "egm_meta.xml") << QString()
                                        << asWritten << refused;
    QTest::newRow("geoid without metadata") << withGeoid("egm.grd", "egm_cs.xml", "") << QString() << asWritten
                                            << refused;
    // The grid files move in the order of their names; the last one is missing.
    Members missingGrid = withGeoid("sub/egm.grd", "egm_cs.xml", "z_meta.xml");
    missingGrid.append(qMakePair(QStringLiteral("sub/egm.grd"), QByteArray("grid data")));
    QTest::newRow("missing grid file") << missingGrid << QString() << asWritten << refused;
}

// Each package is installed whole or refused, and nothing is written outside the data folder
// (the temporary folder of the unpacking lies in a folder of the test's own); a refused package
// leaves no grid file, no registry entry and no vertical system.
void TestGeoidPackage::packageShapes()
{
    QFETCH(Members, members);
    QFETCH(QString, link);
    QFETCH(DeclaredSize, declared);
    QFETCH(QStringList, installedFiles);
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
        QCOMPARE(readFile(QDir(dataFolder()).filePath(installedFiles.at(1))), members.at(1).second.isEmpty()
                                                                                  ? QByteArray("grid data")
                                                                                  : members.at(1).second);
        CGeoidList reread;
        QVERIFY(reread.readXml(dataFolder().toStdString(), "data.xml"));
        QCOMPARE(QString::fromStdString(reread.getEntries().at("egm-a").GridDataFileName), installedFiles.at(1));
        return;
    }
    QCOMPARE(m_prompt->messageTexts(), QStringList{QStringLiteral("Ошибка|Не удалось установить геоид из файла ") + path});
    QCOMPARE(filesBelow(dataFolder()), QStringList{"data.xml"});
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(readFile(QDir(dataFolder()).filePath("data.xml")), registryBefore);
    QVERIFY(!m_registry.hasEntries());
    QVERIFY(storedVertCoordSystems().isEmpty());
}

void TestGeoidPackage::failedRegistryWriteLeavesNoGridFile()
{
    QVERIFY(writeFile(QDir(dataFolder()).filePath("data.xml"), "<Data><Geoids>"));
    const CGeoidInstallation installation =
        installGeoidPackage(package(standardMembers()), dataFolder(), m_registry, [](const QString&) { return true; });
    QVERIFY(!installation.installed);
    QCOMPARE(folderFiles(dataFolder()), QStringList{"data.xml"});
    QVERIFY(storedVertCoordSystems().isEmpty());

    const QString notZip = m_work->filePath("text.dat");
    QVERIFY(writeFile(notZip, "not a zip archive"));
    QVERIFY(!installGeoidPackage(notZip, dataFolder(), m_registry, [](const QString&) { return true; }).installed);
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

QTEST_MAIN(TestGeoidPackage)
#include "test_geoidpackage.moc"
