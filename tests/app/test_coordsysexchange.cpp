#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"
#include "testfiles.h"

#include "app/coordsysexchange.h"
#include "app/shippeddata.h"
#include "database/tablecatalogue.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString lastFolderKey = QStringLiteral("/Settings/LastExpImpPath");

QString exchangeWkt()
{
    return QStringLiteral(TESTDATA_DIR "/exchange.wkt");
}

QStringList xmlFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*")}, QDir::Files | QDir::Hidden, QDir::Name);
}

QList<CCoordSysDetails> storedSystems()
{
    QList<CCoordSysDetails> systems;
    for (const QVariant& key : CTestDatabase::column(QStringLiteral("SELECT autokey FROM coordsys ORDER BY autokey;"))) {
        CCoordSysDetails system;
        if (readCoordSysDetails(key.toInt(), system))
            systems.append(system);
    }
    return systems;
}

QStringList storedNames()
{
    QStringList names;
    for (const QVariant& name : CTestDatabase::column(QStringLiteral("SELECT name FROM coordsys ORDER BY autokey;")))
        names.append(name.toString());
    return names;
}

bool renameSystem(const QString& from, const QString& to)
{
    return CTestDatabase::exec(QStringLiteral("UPDATE coordsys SET name=? WHERE name=?;"), {to, from});
}

// Files, found, imported and errors.
QVector<int> figures(const CCoordSysImportCounts& counts)
{
    return {counts.files, counts.found, counts.imported, counts.errors};
}

// Rows of the tables that an imported system adds to, in this order: coordinate systems,
// datums, datum shifts, transform lists, transforms.
QVector<int> definitionRows()
{
    QVector<int> rows;
    for (const char* table : {"coordsys", "datum", "datumshift", "transformlist", "transform"})
        rows.append(CTestDatabase::value(QStringLiteral("SELECT COUNT(*) FROM %1;").arg(table)).toInt());
    return rows;
}

// Every row of every table, as text, so that a refused import can be seen to change nothing.
QStringList databaseContents()
{
    QStringList rows;
    const QVariantList tables =
        CTestDatabase::column(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name;"));
    for (const QVariant& table : tables) {
        QSqlQuery query;
        if (!query.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid;").arg(table.toString())))
            rows.append(table.toString() + QStringLiteral(" unreadable"));
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values.append(query.isNull(i) ? QStringLiteral("NULL") : query.value(i).toString());
            rows.append(table.toString() + QStringLiteral(": ") + values.join(QLatin1Char('|')));
        }
    }
    return rows;
}

// A geodetic coordinate system "S" with the links given, as a file's content.
QByteArray systemFile(const QByteArray& links, const QByteArray& name = "<Name>S</Name>",
                      const QByteArray& type = "<Type>4</Type>")
{
    return "<coordsys>" + name + type + "<CoordSysType><Code>4</Code><Name>G</Name></CoordSysType>" + links
        + "</coordsys>";
}

QByteArray unitXml(const QByteArray& tag, int scope, const QByteArray& name, const QByteArray& factorB,
                   const QByteArray& factorC, const QByteArray& format = QByteArray())
{
    return "<" + tag + "><Scope>" + QByteArray::number(scope) + "</Scope><Name>" + name + "</Name><FactorB>" + factorB
        + "</FactorB><FactorC>" + factorC + "</FactorC>" + format + "</" + tag + ">";
}

const QByteArray metreXml = unitXml("LengthUnit", 1, "Метр", "1", "1");
const QByteArray kilometreXml = unitXml("LengthUnit", 1, "Километр", "1000", "1");
const QByteArray arcSecondXml = unitXml("AngleUnit", 2, "Угловая секунда", "3.14159265358979", "648000");
const QByteArray dmsDegreeXml = unitXml("AngleUnit", 2, "Градус (Г М С)", "3.14159265358979", "180",
                                        "<Format><Code>2</Code><Name>Г М С</Name></Format>");
const QByteArray ppmXml = unitXml("ScaleUnit", 3, "Миллионная доля", "1", "1000000");

// The ten parameters of a datum shift, each "0".
QMap<QByteArray, QByteArray> zeroParameters()
{
    QMap<QByteArray, QByteArray> parameters;
    for (const char* tag : {"TranslationX", "TranslationY", "TranslationZ", "RotationX", "RotationY", "RotationZ",
                            "ScaleChange", "PivotPointX", "PivotPointY", "PivotPointZ"})
        parameters.insert(tag, "0");
    return parameters;
}

// The ten parameters of a datum shift, each "0", as elements.
QByteArray zeroParametersXml()
{
    QByteArray xml;
    const QMap<QByteArray, QByteArray> parameters = zeroParameters();
    for (auto parameter = parameters.cbegin(); parameter != parameters.cend(); ++parameter)
        xml += "<" + parameter.key() + ">" + parameter.value() + "</" + parameter.key() + ">";
    return xml;
}

// The datum shift "T" of the type (and its type record) with the parameters over zeros
// (a null text leaves the parameter out) and the units given.
QByteArray shiftXml(int type, const QMap<QByteArray, QByteArray>& changed, const QByteArray& units,
                    const QByteArray& tag = "DatumShift", const QByteArray& more = QByteArray())
{
    QMap<QByteArray, QByteArray> parameters = zeroParameters();
    for (auto parameter = changed.cbegin(); parameter != changed.cend(); ++parameter)
        parameters.insert(parameter.key(), parameter.value());
    QByteArray xml = "<" + tag + ">" + more;
    for (auto parameter = parameters.cbegin(); parameter != parameters.cend(); ++parameter) {
        if (!parameter.value().isNull())
            xml += "<" + parameter.key() + ">" + parameter.value() + "</" + parameter.key() + ">";
    }
    const QByteArray code = QByteArray::number(type);
    return xml + "<Type>" + code + "</Type><DatumShiftType><Code>" + code + "</Code><Name>H</Name></DatumShiftType>"
        + units + "</" + tag + ">";
}

// A datum "D" whose shift to WGS 84 "T" is of the type with the parameters and units given.
QByteArray datumWithShift(int type, const QMap<QByteArray, QByteArray>& parameters,
                          const QByteArray& units = metreXml + arcSecondXml + ppmXml)
{
    return "<Datum><Name>D</Name>" + shiftXml(type, parameters, units, "DatumShift", "<Name>T</Name>")
        + "</Datum>";
}

// The six values of an affine transform, the identity.
const QByteArray identityValues = "<Param code=\"1\">1</Param><Param code=\"2\">0</Param><Param code=\"3\">0</Param>"
                                  "<Param code=\"4\">1</Param><Param code=\"5\">0</Param><Param code=\"6\">0</Param>";

// An affine transform "T" whose type record has the code, with the values given.
QByteArray transformXml(int typeRecordCode, const QByteArray& values = identityValues)
{
    return "<Transform><Name>T</Name><Type>1</Type><TransformType><Code>" + QByteArray::number(typeRecordCode)
        + "</Code><Name>N</Name></TransformType><ParamValues>" + values + "</ParamValues></Transform>";
}

// A transform list of the tag with one affine transform whose type record has the code.
QByteArray transformListXml(const QByteArray& tag, int scope, int typeRecordCode, const QByteArray& identifier = {},
                            const QByteArray& values = identityValues)
{
    const QByteArray attribute = identifier.isEmpty() ? QByteArray() : " identifier=\"" + identifier + "\"";
    const QByteArray element = identifier.isEmpty() ? QByteArray() : "<Identifier>" + identifier + "</Identifier>";
    return "<" + tag + attribute + "><Name>L</Name><Scope>" + QByteArray::number(scope) + "</Scope>" + element
        + "<Transforms>" + transformXml(typeRecordCode, values) + "</Transforms></" + tag + ">";
}

// Stops the pass before the item of that number.
CPassProgress stopBefore(int item)
{
    return [item](int handled, int count) { return handled == count || handled < item; };
}

} // namespace

class TestCoordSysExchange : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exportThenImportGivesEqualRecords();
    void shippedSystemsRoundTrip();
    void reimportNumbersOnlyDifferentDefinitions();
    void fileNames_data();
    void fileNames();
    void unsafeNamesImportBackWhole();
    void exportNeverOverwrites();
    void unwritableFolderCountsAsErrors();
    void unreadableSystemsAreNamedWithTheirReason_data();
    void unreadableSystemsAreNamedWithTheirReason();
    void importCountsFilesAndElements();
    void cancelledPasses();
    void importFailuresShowTheirReasons();
    void typeRecordsImportedTwice_data();
    void typeRecordsImportedTwice();
    void filesThatCannotBeStoredAreRefused_data();
    void filesThatCannotBeStoredAreRefused();
    void agreeingFilesAreStored_data();
    void agreeingFilesAreStored();
    void correctedShiftsAreStoredAnew_data();
    void correctedShiftsAreStoredAnew();
    void commandsWithoutDatabaseAreRefused();
    void commandMessagesAndSettings();

private:
    // A new database filled with the systems of the test WKT file.
    void newDatabase(bool filled = true);
    QString newFolder();

    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    QList<std::shared_ptr<QTemporaryDir>> m_folders;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

void TestCoordSysExchange::init()
{
    CGuiTestEnvironment::clearSettings();
    m_prompt = std::make_unique<CScriptedPrompt>();
    newDatabase();
}

void TestCoordSysExchange::cleanup()
{
    m_prompt.reset();
    m_database.reset();
    m_folders.clear();
}

void TestCoordSysExchange::newDatabase(bool filled)
{
    m_database.reset();
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    QString error;
    if (filled)
        QVERIFY2(importWktFile(exchangeWkt(), nullptr, &error), qPrintable(error));
}

QString TestCoordSysExchange::newFolder()
{
    m_folders.append(std::make_shared<QTemporaryDir>());
    return m_folders.last()->path();
}

void TestCoordSysExchange::exportThenImportGivesEqualRecords()
{
    const QList<CCoordSysDetails> original = storedSystems();
    QCOMPARE(original.size(), 4);
    const QString folder = newFolder();
    const CCoordSysExportCounts exported = exportCoordSystems(folder);
    QCOMPARE(exported.rows, 4);
    QCOMPARE(exported.handled, 4);
    QCOMPARE(exported.exported, 4);
    QVERIFY(!exported.cancelled);
    QCOMPARE(xmlFiles(folder), (QStringList{"Pulkovo 1942 _ Gauss-Kruger zone 7.xml", "Pulkovo 1942.xml",
                                            "WGS 84 _ UTM zone 37N.xml", "WGS 84.xml"}));
    const QByteArray file = readFile(QDir(folder).filePath("WGS 84.xml"));
    QVERIFY2(file.startsWith("<?xml version='1.0' encoding='UTF-8'?>\n<!DOCTYPE coordsys>\n<coordsys>\n <"), file.left(80));

    newDatabase(false);
    QCOMPARE(figures(importCoordSystems(folder)), (QVector<int>{4, 4, 4, 0}));
    const QList<CCoordSysDetails> copies = storedSystems();
    QCOMPARE(copies.size(), original.size());
    for (const CCoordSysDetails& system : original) {
        const auto copy = std::find_if(copies.begin(), copies.end(),
                                       [&system](const CCoordSysDetails& other) { return other.name == system.name; });
        QVERIFY2(copy != copies.end(), qPrintable(system.name));
        QVERIFY2(*copy == system, qPrintable(system.name));
    }
}

// Every shipped system goes out and comes back: into the shipped database it is found, into a
// new database it is stored whole.
void TestCoordSysExchange::shippedSystemsRoundTrip()
{
    const QString data = newFolder();
    QString message;
    QVERIFY2(makeDataFolder(QStringLiteral(SHARED_DATA_DIR "/coordsys.wkt"), data, QDir(data).filePath("stamp"),
                            &message),
             qPrintable(message));
    QVERIFY(CTestDatabase::reopen(QDir(data).filePath(shippedDatabaseName)));
    const QList<CCoordSysDetails> original = storedSystems();
    const int count = original.size();
    QVERIFY(count > 100);
    const QString folder = newFolder();
    QCOMPARE(exportCoordSystems(folder).exported, count);

    CCoordSysImportCounts counts = importCoordSystems(folder);
    QVERIFY2(counts.failures.isEmpty(), qPrintable(counts.failures.join('\n')));
    QCOMPARE(figures(counts), (QVector<int>{count, count, 0, 0}));

    newDatabase(false);
    counts = importCoordSystems(folder);
    QVERIFY2(counts.failures.isEmpty(), qPrintable(counts.failures.join('\n')));
    QCOMPARE(figures(counts), (QVector<int>{count, count, count, 0}));
    QList<CCoordSysDetails> copies = storedSystems();
    QCOMPARE(copies.size(), count);
    for (const CCoordSysDetails& system : original) {
        const auto copy = std::find_if(copies.begin(), copies.end(),
                                       [&system](const CCoordSysDetails& other) { return other.name == system.name; });
        QVERIFY2(copy != copies.end() && *copy == system, qPrintable(system.name));
    }
}

// Systems equal to stored ones are found, not stored again, also when the texts of their
// type records differ from the database's; a changed definition comes in under a numbered name.
void TestCoordSysExchange::reimportNumbersOnlyDifferentDefinitions()
{
    const QString folder = newFolder();
    QCOMPARE(exportCoordSystems(folder).exported, 4);
    QCOMPARE(figures(importCoordSystems(folder)), (QVector<int>{4, 4, 0, 0}));
    QCOMPARE(storedNames().size(), 4);

    const QString path = QDir(folder).filePath("Pulkovo 1942.xml");
    QByteArray content = readFile(path);
    QCOMPARE(content.count("<Description>"), 2);
    content.replace("<Description>", "<Description>Изменено ");
    QVERIFY(writeFile(path, content));
    QCOMPARE(figures(importCoordSystems(folder)), (QVector<int>{4, 4, 0, 0}));

    const QByteArray name = "<Name>Pulkovo 1942</Name>";
    QCOMPARE(content.count(name), 1);
    content.replace(name, name + "<Description>Изменено</Description>");
    QVERIFY(writeFile(path, content));
    QCOMPARE(figures(importCoordSystems(folder)), (QVector<int>{4, 4, 1, 0}));
    QCOMPARE(storedNames().filter(QStringLiteral("[1]")), QStringList{"Pulkovo 1942[1]"});
}

void TestCoordSysExchange::fileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain") << "СК-42 зона 7" << "СК-42 зона 7.xml";
    QTest::newRow("separators") << "a/b\\c:d" << "a_b_c_d.xml";
    QTest::newRow("wildcards and quotes") << "<x>|\"y\"?*" << "_x___y___.xml";
    QTest::newRow("hidden") << ".скрытая" << "_скрытая.xml";
    QTest::newRow("control characters") << "строка\nвторая\tтаб" << "строка_вторая_таб.xml";
    QTest::newRow("taken") << "taken" << "taken[1].xml";
}

void TestCoordSysExchange::fileNames()
{
    QFETCH(QString, name);
    QFETCH(QString, fileName);
    const QString folder = newFolder();
    QVERIFY(writeFile(QDir(folder).filePath("taken.xml")));
    QCOMPARE(coordSysFileName(folder, name), fileName);

    const QString longName = QString(300, QChar(0x0416));
    const QString longFile = coordSysFileName(folder, longName);
    QVERIFY(longFile.toUtf8().size() <= 255);
    QVERIFY(longFile.endsWith(".xml"));
    QVERIFY(longName.startsWith(longFile.chopped(4)));
}

// Names that make unsafe, hidden, overlong or equal file names still export and import back.
void TestCoordSysExchange::unsafeNamesImportBackWhole()
{
    QVERIFY(renameSystem("WGS 84", ".скрытая"));
    QVERIFY(renameSystem("Pulkovo 1942", QString(300, QChar(0x0416))));
    QVERIFY(renameSystem("WGS 84 / UTM zone 37N", "двойная\nстрока"));
    QVERIFY(renameSystem("Pulkovo 1942 / Gauss-Kruger zone 7", "двойная\nстрока"));
    const QList<CCoordSysDetails> original = storedSystems();
    const QString folder = newFolder();
    QCOMPARE(exportCoordSystems(folder).exported, 4);
    QVERIFY(xmlFiles(folder).contains("двойная_строка[1].xml"));

    newDatabase(false);
    QCOMPARE(figures(importCoordSystems(folder)), (QVector<int>{4, 4, 4, 0}));
    const QList<CCoordSysDetails> copies = storedSystems();
    for (const CCoordSysDetails& system : original)
        QVERIFY(std::find(copies.begin(), copies.end(), system) != copies.end());
}

void TestCoordSysExchange::exportNeverOverwrites()
{
    const QString folder = newFolder();
    QCOMPARE(exportCoordSystems(folder).exported, 4);
    const QByteArray first = readFile(QDir(folder).filePath("WGS 84.xml"));
    QVERIFY(writeFile(QDir(folder).filePath("WGS 84.xml"), "kept"));
    QCOMPARE(exportCoordSystems(folder).exported, 4);
    QCOMPARE(xmlFiles(folder).size(), 8);
    QCOMPARE(readFile(QDir(folder).filePath("WGS 84.xml")), QByteArray("kept"));
    QCOMPARE(readFile(QDir(folder).filePath("WGS 84[1].xml")), first);
}

void TestCoordSysExchange::unwritableFolderCountsAsErrors()
{
    const QString missing = QDir(newFolder()).filePath("missing");
    const CCoordSysExportCounts counts = exportCoordSystems(missing);
    QCOMPARE(counts.handled, 4);
    QCOMPARE(counts.exported, 0);
    QVERIFY(!QFileInfo::exists(missing));
    QCOMPARE(counts.failures.size(), 4);
    const QString failure = counts.failures.first();
    QVERIFY2(failure.startsWith("«") && failure.contains(QDir::toNativeSeparators(missing)), qPrintable(failure));
}

void TestCoordSysExchange::unreadableSystemsAreNamedWithTheirReason_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("failures");
    const auto pulkovo = [](const QString& reason) {
        const QString line = QStringLiteral("«%1»: «Pulkovo_1942» (Датумы): ") + reason;
        return QStringList{line.arg("Pulkovo 1942"), line.arg("Pulkovo 1942 / Gauss-Kruger zone 7")};
    };
    QTest::newRow("a linked unit row gone")
        << "UPDATE ellipsoid SET unit=999 WHERE name='Krassowsky 1940';"
        << pulkovo("«Krassowsky 1940» (Эллипсоиды): нет записи с ключом 999 в таблице «Единицы измерения расстояний»");
    QTest::newRow("a linked record incomplete")
        << "UPDATE ellipsoid SET a=0 WHERE name='Krassowsky 1940';"
        << pulkovo("неполное определение «Krassowsky 1940» (Эллипсоиды)");
    QTest::newRow("a linked record's number not a number")
        << "UPDATE ellipsoid SET a='abc' WHERE name='Krassowsky 1940';"
        << pulkovo("«Krassowsky 1940» (Эллипсоиды), поле MajorSemiAxis: «abc» не является числом в единице «metre»");
    // The metre is reached from every system through its datum's shift.
    const auto throughShift = [](const QString& reason) {
        const QString wgs84 = QStringLiteral("«%1»: «WGS_1984» (Датумы): «WGS_1984 to WGS84» (Преобразования датумов): ")
                              + reason;
        const QString pulkovo =
            QStringLiteral("«%1»: «Pulkovo_1942» (Датумы): «Pulkovo_1942 to WGS84» (Преобразования датумов): ") + reason;
        return QStringList{wgs84.arg("WGS 84"), pulkovo.arg("Pulkovo 1942"), wgs84.arg("WGS 84 / UTM zone 37N"),
                           pulkovo.arg("Pulkovo 1942 / Gauss-Kruger zone 7")};
    };
    QTest::newRow("a unit's factor not a number")
        << "UPDATE unitlength SET factor_b='abc' WHERE name='metre';"
        << throughShift("«metre» (Единицы измерения расстояний), поле FactorB: «abc» не является числом");
    QTest::newRow("a unit with an empty factor")
        << "UPDATE unitlength SET factor_c='' WHERE name='metre';"
        << throughShift("неполное определение «metre» (Единицы измерения расстояний)");
    QTest::newRow("the system incomplete") << "UPDATE coordsys SET type=0 WHERE name='WGS 84';"
                                           << QStringList{"«WGS 84»: неполное определение «WGS 84» (Системы координат)"};
}

// A stored system that does not read is an export error named with the reason why, however deep
// the record at fault lies.
void TestCoordSysExchange::unreadableSystemsAreNamedWithTheirReason()
{
    QFETCH(QString, change);
    QFETCH(QStringList, failures);
    QVERIFY(CTestDatabase::exec(change));
    const QString folder = newFolder();
    QSettings settings;
    m_prompt->answerFile(folder);
    exportCoordSystemsToFolder(nullptr, settings);
    QCOMPARE(m_prompt->messageTexts(),
             QStringList{QStringLiteral("Экспорт систем координат|Всего систем координат:\t4\nУспешно экспортировано:\t%1"
                                        "\nОшибок экспорта:\t\t%2\n\nОшибки экспорта:\n")
                             .arg(4 - failures.size())
                             .arg(failures.size())
                         + failures.join('\n')});
    QCOMPARE(xmlFiles(folder).size(), 4 - failures.size());
}

void TestCoordSysExchange::importCountsFilesAndElements()
{
    const QString source = newFolder();
    QCOMPARE(exportCoordSystems(source).exported, 4);
    const QByteArray wgs84 = readFile(QDir(source).filePath("WGS 84.xml"));
    const QByteArray element = wgs84.mid(wgs84.indexOf("<coordsys>"));

    const QString folder = newFolder();
    QVERIFY(writeFile(QDir(folder).filePath("one.xml"), "<?xml version='1.0'?>\n" + element));
    QByteArray otherCase = element;
    otherCase.replace("<coordsys>", "<CoordSys>").replace("</coordsys>", "</CoordSys>");
    QVERIFY(writeFile(QDir(folder).filePath("other case.xml"), otherCase));
    QVERIFY(writeFile(QDir(folder).filePath("broken.xml"), "<coordsys>"));
    QVERIFY(writeFile(QDir(folder).filePath("empty.xml"), "<coordsys/>"));
    QVERIFY(writeFile(QDir(folder).filePath("not xml.txt"), element));
    QVERIFY(QDir(folder).mkdir("sub.xml"));

    newDatabase(false);
    // The empty element is a system without a name: found, and an error.
    const CCoordSysImportCounts counts = importCoordSystems(folder);
    QCOMPARE(figures(counts), (QVector<int>{4, 2, 1, 1}));
    QCOMPARE(counts.failures, QStringList("empty.xml: «»: Пустое название системы координат (элемент Name)"));
    QCOMPARE(figures(importCoordSystems(newFolder())), (QVector<int>{0, 0, 0, 0}));
}

void TestCoordSysExchange::cancelledPasses()
{
    const QString folder = newFolder();
    const CCoordSysExportCounts exported = exportCoordSystems(folder, stopBefore(2));
    QVERIFY(exported.cancelled);
    QCOMPARE(exported.handled, 2);
    QCOMPARE(exported.exported, 2);
    QCOMPARE(xmlFiles(folder).size(), 2);

    newDatabase(false);
    const CCoordSysImportCounts imported = importCoordSystems(folder, stopBefore(1));
    QVERIFY(imported.cancelled);
    QCOMPARE(imported.files, 2);
    QCOMPARE(imported.imported, 1);
}

// Each failure names its file, its system and the reason; a long list is cut.
void TestCoordSysExchange::importFailuresShowTheirReasons()
{
    const QString source = newFolder();
    QCOMPARE(exportCoordSystems(source).exported, 4);
    const QByteArray wgs84 = readFile(QDir(source).filePath("WGS 84.xml"));
    const QString folder = newFolder();
    for (int i = 1; i <= 12; ++i)
        QVERIFY(writeFile(QDir(folder).filePath(QStringLiteral("copy %1.xml").arg(i, 2, 10, QLatin1Char('0'))), wgs84));
    newDatabase(false);
    QVERIFY(CTestDatabase::exec("CREATE TRIGGER refuse BEFORE INSERT ON coordsys "
                                "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;"));

    QSettings settings;
    m_prompt->answerFile(folder);
    importCoordSystemsFromFolder(nullptr, settings);
    const QStringList lines = m_prompt->messages().last().text.split('\n');
    QCOMPARE(lines.mid(3, 3), (QStringList{"Ошибок импорта:\t\t12", "", "Ошибки импорта:"}));
    QCOMPARE(lines.size(), 6 + 10 + 1);
    const QRegularExpression failure(QStringLiteral("^copy \\d\\d\\.xml: «WGS 84»: .*refused by the test"));
    for (const QString& line : lines.mid(6, 10))
        QVERIFY2(failure.match(line).hasMatch(), qPrintable(line));
    QCOMPARE(lines.last(), QStringLiteral("... и ещё 2"));
}

void TestCoordSysExchange::typeRecordsImportedTwice_data()
{
    QTest::addColumn<QByteArray>("link");
    QTest::addColumn<QVector<int>>("added");
    QTest::addColumn<QString>("reason");
    const auto datumWithShift = [](const QByteArray& typeRecord) {
        return "<Datum><Name>D</Name><DatumShift><Name>T</Name><Type>3</Type>" + zeroParametersXml() + typeRecord
            + "</DatumShift></Datum>";
    };
    // A system, its datum and the datum shift.
    const QVector<int> shiftStored{1, 1, 1, 0, 0};
    const QVector<int> nothing{0, 0, 0, 0, 0};
    QTest::newRow("datum shift, type record agreeing")
        << datumWithShift("<DatumShiftType><Code>3</Code><Name>H</Name></DatumShiftType>") << shiftStored
        << QString();
    QTest::newRow("datum shift, type record contradicting")
        << datumWithShift("<DatumShiftType><Code>4</Code><Name>H</Name></DatumShiftType>") << nothing
        << "Тип преобразования датума «T» (3) не совпадает с записью типа (4)";
    QTest::newRow("datum shift, type record missing") << datumWithShift(QByteArray()) << shiftStored << QString();
    // A type record that does not read is refused as any linked record that does not read.
    const QString typeRecordUnread = QStringLiteral("Элемент «Datum/DatumShift/DatumShiftType»: Неполное определение "
                                                    "«H» (Типы преобразования датумов) не может быть сохранено");
    QTest::newRow("datum shift, type record without code")
        << datumWithShift("<DatumShiftType><Name>H</Name></DatumShiftType>") << nothing << typeRecordUnread;
    QTest::newRow("datum shift, type record of code 0")
        << datumWithShift("<DatumShiftType><Code>0</Code><Name>H</Name></DatumShiftType>") << nothing
        << typeRecordUnread;
    QTest::newRow("transform, type record contradicting")
        << transformListXml("TransformList", 1, 2) << nothing
        << "Тип преобразования «T» (1) не совпадает с записью типа (2)";
}

// A file imported twice: a record whose type record agrees with its type, or gives no code
// for it, is stored on the first import and found on the second; one whose type differs from
// the code of its own type record is refused with the reason on every import. Either way
// nothing is stored again and again.
void TestCoordSysExchange::typeRecordsImportedTwice()
{
    QFETCH(QByteArray, link);
    QFETCH(QVector<int>, added);
    QFETCH(QString, reason);
    const QString folder = newFolder();
    QVERIFY(writeFile(QDir(folder).filePath("system.xml"),
                      "<coordsys><Name>S</Name><Type>4</Type><CoordSysType><Code>4</Code><Name>G</Name>"
                      "</CoordSysType>" + link + "</coordsys>"));
    QVector<int> after = definitionRows();
    for (int i = 0; i < after.size(); ++i)
        after[i] += added.at(i);
    for (int pass = 0; pass < 2; ++pass) {
        const CCoordSysImportCounts counts = importCoordSystems(folder);
        if (reason.isEmpty()) {
            QCOMPARE(figures(counts), (QVector<int>{1, 1, pass == 0 ? 1 : 0, 0}));
            QVERIFY2(counts.failures.isEmpty(), qPrintable(counts.failures.join('\n')));
        } else {
            QCOMPARE(figures(counts), (QVector<int>{1, 1, 0, 1}));
            QCOMPARE(counts.failures, QStringList("system.xml: «S»: " + reason));
        }
        QCOMPARE(definitionRows(), after);
    }
}

void TestCoordSysExchange::filesThatCannotBeStoredAreRefused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("agreeing");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    const QByteArray system = systemFile(QByteArray());

    // A system that does not read: the element at fault and the reason.
    const QString emptyName = QStringLiteral("Пустое название системы координат (элемент Name)");
    QTest::newRow("empty name") << systemFile(QByteArray(), "<Name></Name>") << system << QString() << emptyName;
    QTest::newRow("no name") << systemFile(QByteArray(), QByteArray()) << system << QString() << emptyName;
    QTest::newRow("type not a number")
        << systemFile(QByteArray(), "<Name>S</Name>", "<Type>четыре</Type>") << system << "S"
        << "Тип системы координат «четыре» не является целым числом (элемент Type)";
    QTest::newRow("type with a fraction") << systemFile(QByteArray(), "<Name>S</Name>", "<Type>4.0</Type>") << system
                                          << "S" << "Тип системы координат «4.0» не является целым числом (элемент Type)";
    QTest::newRow("type given twice, the last one wins")
        << systemFile(QByteArray(), "<Name>S</Name>", "<Type>4</Type><Type>4x</Type>") << system << "S"
        << "Тип системы координат «4x» не является целым числом (элемент Type)";
    QTest::newRow("empty type") << systemFile(QByteArray(), "<Name>S</Name>", "<Type> </Type>") << system << "S"
                                << "Не задан тип системы координат (элемент Type)";
    QTest::newRow("no type") << systemFile(QByteArray(), "<Name>S</Name>", QByteArray()) << system << "S"
                             << "Не задан тип системы координат (элемент Type)";
    QTest::newRow("type 0") << systemFile(QByteArray(), "<Name>S</Name>", "<Type>0</Type>") << system << "S"
                            << "Неполное определение «S» (Системы координат) не может быть сохранено";
    QTest::newRow("no type record")
        << QByteArray("<coordsys><Name>S</Name><Type>4</Type></coordsys>") << system << "S"
        << "Неполное определение «S» (Системы координат) не может быть сохранено";

    // A transform whose type record contradicts its type, also once an equal system is stored.
    const QString transformMismatch = QStringLiteral("Тип преобразования «T» (1) не совпадает с записью типа (2)");
    QTest::newRow("transform of the system's list")
        << systemFile(transformListXml("TransformList", 1, 2)) << systemFile(transformListXml("TransformList", 1, 1))
        << "S" << transformMismatch;
    QTest::newRow("transform of a pairwise list")
        << systemFile("<PairwiseTransforms>" + transformListXml("TransformList", 2, 2, "P") + "</PairwiseTransforms>")
        << systemFile("<PairwiseTransforms>" + transformListXml("TransformList", 2, 1, "P") + "</PairwiseTransforms>")
        << "S" << transformMismatch;
    const auto datumWithList = [](int code) {
        return systemFile("<Datum><Name>D</Name><GeographicDatumShifts>"
                          + transformListXml("GeographicDatumShift", 3, code, "H") + "</GeographicDatumShifts></Datum>");
    };
    QTest::newRow("transform of the datum's horizontal list") << datumWithList(2) << datumWithList(1) << "S"
                                                               << transformMismatch;
    const auto verticalWithList = [](int code) {
        return systemFile("<VertCoordSys><Name>V</Name><GeoidID>egm08</GeoidID>"
                          + transformListXml("TransformList", 1, code) + "</VertCoordSys>");
    };
    QTest::newRow("transform of the vertical system's list") << verticalWithList(2) << verticalWithList(1) << "S"
                                                              << transformMismatch;
    // A transform value that the type uses, left out or given twice, also once the transform
    // with the value given once is stored.
    const QByteArray withoutB2 = QByteArray(identityValues).replace("<Param code=\"6\">0</Param>", QByteArray());
    const QString transformParam = QStringLiteral("Элемент «TransformList/Transforms/Transform/ParamValues/Param");
    QTest::newRow("transform value left out")
        << systemFile(transformListXml("TransformList", 1, 1, {}, withoutB2))
        << systemFile(transformListXml("TransformList", 1, 1)) << "S"
        << transformParam + "[code=6, «B2»]»: значение не задано";
    QTest::newRow("transform value given twice")
        << systemFile(transformListXml("TransformList", 1, 1, {}, withoutB2 + "<Param code=\"6\">0</Param>"
                                                                          "<Param code=\"6\">1</Param>"))
        << systemFile(transformListXml("TransformList", 1, 1)) << "S"
        << transformParam + "[code=6, «B2»]»: параметр задан повторно";
    QTest::newRow("datum shift")
        << systemFile("<Datum><Name>D</Name><DatumShift><Name>T</Name><Type>3</Type>" + zeroParametersXml()
                      + "<DatumShiftType><Code>4</Code><Name>H</Name></DatumShiftType></DatumShift></Datum>")
        << systemFile("<Datum><Name>D</Name><DatumShift><Name>T</Name><Type>3</Type>" + zeroParametersXml()
                      + "<DatumShiftType><Code>3</Code><Name>H</Name></DatumShiftType></DatumShift></Datum>")
        << "S" << "Тип преобразования датума «T» (3) не совпадает с записью типа (4)";

    // A datum shift parameter that its type uses and its unit does not read; the agreeing
    // file gives the parameter as 0, which the text would have been compared as.
    const auto parameterRow = [&system](const char* row, int type, const QByteArray& tag, const QByteArray& text,
                                        const QString& unit,
                                        const QByteArray& units = metreXml + arcSecondXml + ppmXml) {
        const QString inUnit = unit.isEmpty() ? QString() : QStringLiteral(" в единице «%1»").arg(unit);
        QTest::newRow(row) << systemFile(datumWithShift(type, {{tag, text}}, units))
                           << systemFile(datumWithShift(type, {{tag, "0"}}, units)) << "S"
                           << QStringLiteral("Элемент «Datum/DatumShift/%1»: «%2» не является числом%3")
                                  .arg(QString::fromUtf8(tag), QString::fromUtf8(text), inUnit);
    };
    parameterRow("translation with a decimal comma", 3, "TranslationX", "1,5", "Метр");
    parameterRow("translation of infinity", 3, "TranslationY", "inf", "Метр");
    parameterRow("translation beyond double", 3, "TranslationZ", "-1e309", "Метр");
    parameterRow("rotation not a number", 3, "RotationY", "nan", "Угловая секунда");
    parameterRow("rotation in minutes of a decimal unit", 3, "RotationZ", "12 30", "Угловая секунда");
    parameterRow("rotation of words", 2, "RotationX", "ноль", "Угловая секунда");
    parameterRow("scale beyond double", 4, "ScaleChange", "1e309", "Миллионная доля");
    parameterRow("pivot below double", 5, "PivotPointZ", "1e-400", "Метр");
    parameterRow("pivot with text after it", 3, "PivotPointX", "12 30", "Метр");
    parameterRow("translation beyond double in metres", 1, "TranslationX", "1e306", "Километр", kilometreXml);
    parameterRow("translation without a unit", 1, "TranslationX", "1,5", QString(), QByteArray());
    parameterRow("minutes in degrees, minutes and seconds", 2, "RotationX", "12 30 1e400", "Градус (Г М С)",
                 metreXml + dmsDegreeXml + ppmXml);
    // A parameter that the type uses must be given.
    const QString notGiven = QStringLiteral("Элемент «Datum/DatumShift/TranslationX»: значение не задано");
    QTest::newRow("empty parameter") << systemFile(datumWithShift(3, {{"TranslationX", ""}}))
                                     << systemFile(datumWithShift(3, {{"TranslationX", "0"}})) << "S" << notGiven;
    QTest::newRow("parameter left out") << systemFile(datumWithShift(3, {{"TranslationX", QByteArray()}}))
                                        << systemFile(datumWithShift(3, {{"TranslationX", "0"}})) << "S" << notGiven;
    const auto pairwise = [](const QByteArray& text) {
        return systemFile("<Datum><Name>D</Name><PairwiseDatumShifts>"
                          + shiftXml(1, {{"TranslationX", text}}, metreXml, "DatumShift",
                                     "<Name>P</Name><Identifier>A-B</Identifier><PairwiseRole>2</PairwiseRole>")
                          + "</PairwiseDatumShifts></Datum>");
    };
    QTest::newRow("pairwise shift") << pairwise("1e309") << pairwise("0") << "S"
                                    << "Элемент «Datum/PairwiseDatumShifts/DatumShift/TranslationX»: «1e309» не "
                                       "является числом в единице «Метр»";
}

// A file that cannot be stored as it is written is refused with the file, the system's name
// and the reason, and changes no row: into a database without the system, and again once
// the agreeing version of the file is stored.
void TestCoordSysExchange::filesThatCannotBeStoredAreRefused()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, agreeing);
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const QString folder = newFolder();
    QVERIFY(writeFile(QDir(folder).filePath("system.xml"), file));
    const QString agreeingFolder = newFolder();
    QVERIFY(writeFile(QDir(agreeingFolder).filePath("agreeing.xml"), agreeing));
    const QString failure = QStringLiteral("system.xml: «%1»: %2").arg(name, reason);
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            const CCoordSysImportCounts stored = importCoordSystems(agreeingFolder);
            QCOMPARE(figures(stored), (QVector<int>{1, 1, 1, 0}));
        }
        const QStringList before = databaseContents();
        const CCoordSysImportCounts counts = importCoordSystems(folder);
        QCOMPARE(figures(counts), (QVector<int>{1, 1, 0, 1}));
        QCOMPARE(counts.failures, QStringList(failure));
        QCOMPARE(databaseContents(), before);
    }
}

void TestCoordSysExchange::agreeingFilesAreStored_data()
{
    QTest::addColumn<QByteArray>("datum");
    QTest::addColumn<QStringList>("stored");
    const QStringList zeros{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    QTest::newRow("numbers") << datumWithShift(3, {{"TranslationX", "23.57"},
                                                   {"TranslationY", "-140.95"},
                                                   {"RotationY", "-0.35"},
                                                   {"ScaleChange", "-0.22"},
                                                   {"PivotPointZ", "150.5"}})
                             << QStringList{"23.57", "-140.95", "0", "0", "-0.35", "0", "-0.22", "0", "0", "150.5"};
    // The parameter columns store a number text as the number.
    QTest::newRow("blanks around a number") << datumWithShift(1, {{"TranslationX", " 1.5 "}})
                                            << QStringList{"1.5", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    QStringList minutes = zeros;
    minutes[3] = QStringLiteral("12 30");
    QTest::newRow("degrees and minutes in their format")
        << datumWithShift(2, {{"RotationX", "12 30"}}, metreXml + dmsDegreeXml + ppmXml) << minutes;
    QStringList unused = zeros;
    unused[3] = QStringLiteral("nan");
    unused[9] = QStringLiteral("1,5");
    QTest::newRow("parameters that the type does not use")
        << datumWithShift(1, {{"RotationX", "nan"}, {"PivotPointZ", "1,5"}}, metreXml) << unused;
}

// Agreeing files are stored with their parameters as written, and found on a second import.
void TestCoordSysExchange::agreeingFilesAreStored()
{
    QFETCH(QByteArray, datum);
    QFETCH(QStringList, stored);
    const QString folder = newFolder();
    QVERIFY(writeFile(QDir(folder).filePath("system.xml"), systemFile(datum)));
    for (int pass = 0; pass < 2; ++pass) {
        const CCoordSysImportCounts counts = importCoordSystems(folder);
        QCOMPARE(figures(counts), (QVector<int>{1, 1, pass == 0 ? 1 : 0, 0}));
        QVERIFY2(counts.failures.isEmpty(), qPrintable(counts.failures.join('\n')));
    }
    QSqlQuery query;
    QVERIFY(query.exec("SELECT tx, ty, tz, rx, ry, rz, dm, px, py, pz FROM datumshift WHERE name = 'T';"));
    QVERIFY(query.next());
    QStringList texts;
    for (int i = 0; i < 10; ++i)
        texts.append(query.value(i).toString());
    QCOMPARE(texts, stored);
    QVERIFY(!query.next());
}

void TestCoordSysExchange::correctedShiftsAreStoredAnew_data()
{
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("corrected");
    QTest::addColumn<bool>("storedAnew");
    QTest::newRow("seconds in degrees, minutes and seconds") << dmsDegreeXml << QByteArray("0 0 1.5")
                                                            << QByteArray("0 0 2.5") << true;
    QTest::newRow("minutes against zero") << dmsDegreeXml << QByteArray("0") << QByteArray("12 30") << true;
    QTest::newRow("the same angle written otherwise") << dmsDegreeXml << QByteArray("0 0 1.5")
                                                      << QByteArray("0 0 1.50") << false;
    QTest::newRow("arc-seconds") << arcSecondXml << QByteArray("1.5") << QByteArray("2.5") << true;
    QTest::newRow("arc-seconds written otherwise") << arcSecondXml << QByteArray("1.5") << QByteArray("1.50")
                                                   << false;
}

// A shift whose rotation is corrected in the file is stored as a new shift; one written
// otherwise with the same value is found.
void TestCoordSysExchange::correctedShiftsAreStoredAnew()
{
    QFETCH(QByteArray, unit);
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, corrected);
    QFETCH(bool, storedAnew);
    const auto file = [&unit](const QByteArray& rotation) {
        return systemFile(datumWithShift(2, {{"RotationX", rotation}}, metreXml + unit + ppmXml));
    };
    const QString folder = newFolder();
    QVERIFY(writeFile(QDir(folder).filePath("system.xml"), file(stored)));
    QCOMPARE(figures(importCoordSystems(folder)), (QVector<int>{1, 1, 1, 0}));
    const QVector<int> before = definitionRows();
    QVERIFY(writeFile(QDir(folder).filePath("system.xml"), file(corrected)));
    const CCoordSysImportCounts counts = importCoordSystems(folder);
    QVERIFY2(counts.failures.isEmpty(), qPrintable(counts.failures.join('\n')));
    QCOMPARE(counts.imported, storedAnew ? 1 : 0);
    QCOMPARE(definitionRows().at(2), before.at(2) + (storedAnew ? 1 : 0));
}

void TestCoordSysExchange::commandsWithoutDatabaseAreRefused()
{
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
    QSettings settings;
    exportCoordSystemsToFolder(nullptr, settings);
    importCoordSystemsFromFolder(nullptr, settings);
    QCOMPARE(m_prompt->messageTexts(),
             (QStringList{"Ошибка|Не открыта база данных", "Ошибка|Не открыта база данных"}));
    QVERIFY(m_prompt->fileRequests().isEmpty());
}

void TestCoordSysExchange::commandMessagesAndSettings()
{
    QSettings settings;
    const QString folder = newFolder();
    m_prompt->answerFile(folder);
    exportCoordSystemsToFolder(nullptr, settings);
    QCOMPARE(m_prompt->fileRequests().last().caption, QStringLiteral("Экспорт систем координат"));
    QCOMPARE(m_prompt->messageTexts().last(), QStringLiteral("Экспорт систем координат|Всего систем координат:\t4\n"
                                                             "Успешно экспортировано:\t4\nОшибок экспорта:\t\t0"));
    QCOMPARE(settings.value(lastFolderKey).toString(), folder);

    settings.remove(lastFolderKey);
    m_prompt->answerFile(folder);
    importCoordSystemsFromFolder(nullptr, settings);
    QCOMPARE(m_prompt->messageTexts().last(),
             QStringLiteral("Импорт систем координат|Всего файлов в папке:\t4\nНайдено систем координат:\t4\n"
                            "Успешно импортировано:\t0\nОшибок импорта:\t\t0"));
    QVERIFY(!settings.contains(lastFolderKey));

    newDatabase(false);
    m_prompt->answerFile(folder);
    importCoordSystemsFromFolder(nullptr, settings);
    QVERIFY(m_prompt->messageTexts().last().contains("Успешно импортировано:\t4\n"));
    QCOMPARE(settings.value(lastFolderKey).toString(), folder);

    m_prompt->clear();
    exportCoordSystemsToFolder(nullptr, settings);
    QVERIFY(m_prompt->messageTexts().isEmpty());
}

QTEST_MAIN(TestCoordSysExchange)
#include "test_coordsysexchange.moc"
