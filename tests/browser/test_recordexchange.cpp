#include "guitest.h"
#include "scriptedprompt.h"
#include "storagefixture.h"
#include "testdatabase.h"

#include "app/coordsysexchange.h"
#include "app/recalculation.h"
#include "app/shippeddata.h"
#include "browser/dialogdatabaseselector.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"
#include "records/datumdetails.h"
#include "records/datumshiftdetails.h"
#include "records/datumshiftstorage.h"
#include "records/datumstorage.h"
#include "records/vertcoordsysdetails.h"
#include "records/vertcoordsysstorage.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>

namespace {

const QString lastFolderKey = QStringLiteral("/Settings/LastExpImpPath");

QString shippedWkt()
{
    return QStringLiteral(SHARED_DATA_DIR "/coordsys.wkt");
}

// The line of the shipped WKT file that defines the system of that name.
QString shippedWktOf(const QString& name)
{
    const QString quoted = QLatin1Char('"') + name + QLatin1Char('"');
    for (const QByteArray& line : readFile(shippedWkt()).split('\n')) {
        if (line.mid(line.indexOf('[') + 1).startsWith(quoted.toUtf8()))
            return QString::fromUtf8(line);
    }
    return QString();
}

const QString failedTitle = QStringLiteral("Failed!");

// A geodetic coordinate system with the name, type and links given.
QByteArray coordSysXml(const QByteArray& content)
{
    return "<coordsys>" + content + "<CoordSysType><Code>4</Code><Name>G</Name></CoordSysType></coordsys>";
}

// A transform list with one affine transform "T", the identity, whose type record has the code.
QByteArray transformListXml(int typeRecordCode)
{
    return "<TransformList><Name>L</Name><Scope>1</Scope><Transforms><Transform><Name>T</Name><Type>1</Type>"
           "<TransformType><Code>"
        + QByteArray::number(typeRecordCode)
        + "</Code><Name>N</Name></TransformType><ParamValues><Param code=\"1\">1</Param><Param code=\"2\">0</Param>"
          "<Param code=\"3\">0</Param><Param code=\"4\">1</Param><Param code=\"5\">0</Param>"
          "<Param code=\"6\">0</Param></ParamValues></Transform></Transforms></TransformList>";
}

// The geocentric translations "T" of the tag, in metres, with the text as its X translation.
QByteArray shiftXml(const QByteArray& tag, const QByteArray& translationX)
{
    return "<" + tag + "><Name>T</Name><TranslationX>" + translationX
        + "</TranslationX><TranslationY>1</TranslationY><TranslationZ>2</TranslationZ><Type>1</Type>"
          "<DatumShiftType><Code>1</Code><Name>H</Name></DatumShiftType><LengthUnit><Scope>1</Scope>"
          "<Name>Метр</Name><FactorB>1</FactorB><FactorC>1</FactorC></LengthUnit></"
        + tag + ">";
}

// A pairwise geocentric translation of a datum, with the identifier, name and X translation given.
QByteArray pairwiseShiftXml(const QByteArray& identifier, const QByteArray& name, const QByteArray& translationX)
{
    return "<DatumShift><Name>" + name + "</Name><Identifier>" + identifier + "</Identifier><Type>1</Type>"
        + "<TranslationX>" + translationX + "</TranslationX><TranslationY>0</TranslationY>"
        + "<TranslationZ>0</TranslationZ></DatumShift>";
}

// A transform list of a datum: a horizontal one (scope 3) with a plane shift, or a vertical one
// (scope 4) with a height shift, with the identifier and name given.
QByteArray datumListXml(int scope, const QByteArray& identifier, const QByteArray& name)
{
    const QByteArray tag = scope == 3 ? "GeographicDatumShift" : "VerticalDatumShift";
    const QByteArray transform = scope == 3
        ? "<Type>2</Type><ParamValues><Param code=\"5\">1</Param><Param code=\"6\">2</Param></ParamValues>"
        : "<Type>3</Type><ParamValues><Param code=\"7\">0.5</Param></ParamValues>";
    return "<" + tag + "><Name>" + name + "</Name><Scope>" + QByteArray::number(scope) + "</Scope><Identifier>"
        + identifier + "</Identifier><Transforms><Transform><Name>T</Name>" + transform
        + "</Transform></Transforms></" + tag + ">";
}

// The three lists of a datum, each with two links of the identifiers given.
QByteArray datumListsXml(const QByteArray& first, const QByteArray& second)
{
    return "<PairwiseDatumShifts>" + pairwiseShiftXml(first, "P " + first, "25.00")
        + pairwiseShiftXml(second, "P " + second, "23.57") + "</PairwiseDatumShifts><GeographicDatumShifts>"
        + datumListXml(3, first, "H " + first) + datumListXml(3, second, "H " + second)
        + "</GeographicDatumShifts><VerticalDatumShifts>" + datumListXml(4, first, "V " + first)
        + datumListXml(4, second, "V " + second) + "</VerticalDatumShifts>";
}

int firstKey(int tableId)
{
    const QVariant key =
        CTestDatabase::value(QString("SELECT %1 FROM %2 ORDER BY %1 LIMIT 1;").arg(keyColumnName(tableId), tableName(tableId)));
    return key.isValid() ? key.toInt() : int(NoValue);
}

int coordSysKey(const QString& name)
{
    const QVariant key = CTestDatabase::value("SELECT autokey FROM coordsys WHERE name = ?;", {name});
    return key.isValid() ? key.toInt() : int(NoValue);
}

QString nameOf(int tableId, int key)
{
    return CTestDatabase::value(QString("SELECT name FROM %1 WHERE %2 = ?;").arg(tableName(tableId), keyColumnName(tableId)),
                                {key})
        .toString();
}

bool rename(int tableId, int key, const QString& name)
{
    return CTestDatabase::exec(QString("UPDATE %1 SET name = ? WHERE %2 = ?;").arg(tableName(tableId), keyColumnName(tableId)),
                               {name, key});
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A selector of the table with the row of the key current.
std::unique_ptr<DialogDatabaseSelector> selectorOn(int tableId, int key = NoValue)
{
    auto selector = std::make_unique<DialogDatabaseSelector>(tableId, SelectorBrowse);
    selector->load();
    selector->selectRowByCode(key);
    return selector;
}

void click(const DialogDatabaseSelector& selector, const char* name)
{
    selector.findChild<QPushButton*>(name)->click();
}

// The point recalculated from the stored system into the other.
CPointRow recalculated(const QString& source, const QString& target, const CPointRow& point)
{
    CCoordSysDetails from;
    CCoordSysDetails to;
    if (!readCoordSysDetails(coordSysKey(source), from) || !readCoordSysDetails(coordSysKey(target), to))
        return CPointRow();
    CRecalculation recalculation;
    if (!recalculation.prepare(from, to, nullptr))
        return CPointRow();
    return recalculation.recalculate(point);
}

} // namespace

class TestRecordExchange : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exportThenImportAddsNoRow_data();
    void exportThenImportAddsNoRow();
    void datumShiftConventionCrossesTheFile();
    void awkwardNamesRoundTrip_data();
    void awkwardNamesRoundTrip();
    void refusedFiles_data();
    void refusedFiles();
    void brokenFilesAreRefusedInRussian_data();
    void brokenFilesAreRefusedInRussian();
    void refusedOnceAnEqualRecordIsStored_data();
    void refusedOnceAnEqualRecordIsStored();
    void failedImportLeavesNothing();
    void exportFailures();
    void wktImportRecalculatesLikeTheShippedSystem();
    void refusedWkt_data();
    void refusedWkt();
    void damagedFilesAreRefused_data();
    void damagedFilesAreRefused();
    void datumLinksOfDistinctIdentifiersAreAllStored();

private:
    // Exports the record of the key through a selector of its table; the file's path.
    QString exportRecord(int tableId, int key, const QString& fileName = QString());
    // Imports the file through a selector of the table, which is returned.
    std::unique_ptr<DialogDatabaseSelector> importFile(int tableId, const QString& path);
    QString filePath(const QString& name) const;

    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestRecordExchange::init()
{
    CGuiTestEnvironment::clearSettings();
    m_folder = std::make_unique<QTemporaryDir>();
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    // A few of the shipped systems: two geodetic ones and a projected one on each.
    QStringList lines;
    for (const char* name : {"WGS 84", "Pulkovo 1942", "WGS 84 / UTM zone 37N", "Pulkovo 1942 / Gauss-Kruger zone 7"})
        lines.append(shippedWktOf(name));
    const QString wktFile = filePath("shipped.wkt");
    QVERIFY(writeBytes(wktFile, lines.join('\n').toUtf8()));
    QString error;
    QVERIFY2(importWktFile(wktFile, nullptr, &error), qPrintable(error));
    CVertCoordSysDetails heights;
    heights.name = QStringLiteral("Балтийская система высот");
    heights.geoidId = QStringLiteral("egm08");
    QVERIFY(insertVertCoordSysDetails(heights, false) != NoValue);
    m_prompt = std::make_unique<CScriptedPrompt>();
}

void TestRecordExchange::cleanup()
{
    m_prompt.reset();
    QVERIFY(!CTestDatabase::inTransaction());
    m_database.reset();
    m_folder.reset();
}

QString TestRecordExchange::filePath(const QString& name) const
{
    return QDir(m_folder->path()).filePath(name);
}

QString TestRecordExchange::exportRecord(int tableId, int key, const QString& fileName)
{
    const QString path = filePath(fileName.isEmpty() ? QString("%1-%2.xml").arg(tableId).arg(key) : fileName);
    m_prompt->answerFile(path);
    click(*selectorOn(tableId, key), "buttonExport");
    return path;
}

std::unique_ptr<DialogDatabaseSelector> TestRecordExchange::importFile(int tableId, const QString& path)
{
    auto selector = selectorOn(tableId);
    m_prompt->answerFile(path);
    click(*selector, "buttonImport");
    return selector;
}

void TestRecordExchange::exportThenImportAddsNoRow_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QString>("tag");
    QTest::newRow("length unit") << int(TableUnitLength) << "unit";
    QTest::newRow("angular unit") << int(TableUnitAngle) << "unit";
    QTest::newRow("ellipsoid") << int(TableEllipsoid) << "ellipsoid";
    QTest::newRow("prime meridian") << int(TablePrimeMeridian) << "primemeridian";
    QTest::newRow("datum") << int(TableDatum) << "datum";
    QTest::newRow("datum shift") << int(TableDatumShift) << "datumshift";
    QTest::newRow("coordinate system") << int(TableCoordSys) << "coordsys";
    QTest::newRow("map projection") << int(TableMapProj) << "mapproj";
    QTest::newRow("vertical system") << int(TableVertCoordSys) << "vertcoordsys";
}

void TestRecordExchange::exportThenImportAddsNoRow()
{
    QFETCH(int, tableId);
    QFETCH(QString, tag);
    const int key = firstKey(tableId);
    QVERIFY(key != NoValue);
    const QString path = exportRecord(tableId, key);
    const QList<QByteArray> lines = readFile(path).split('\n');
    QVERIFY(lines.size() > 3);
    QCOMPARE(lines.at(0), QByteArray("<?xml version='1.0' encoding='UTF-8'?>"));
    QCOMPARE(lines.at(1), "<!DOCTYPE " + tag.toUtf8() + ">");
    QCOMPARE(lines.at(2), "<" + tag.toUtf8() + ">");
    QCOMPARE(m_prompt->fileRequests().last().caption, QStringLiteral("Экспорт преобразования"));
    QCOMPARE(QSettings().value(lastFolderKey).toString(), m_folder->path());

    const QMap<QString, int> before = rowCounts();
    QVERIFY(CTestDatabase::exec(QString("UPDATE %1 SET last_use = NULL;").arg(tableName(tableId))));
    const auto selector = importFile(tableId, path);
    QCOMPARE(m_prompt->fileRequests().last().path, m_folder->path());
    QCOMPARE(rowCounts(), before);
    QCOMPARE(selector->currentCode(), key);
    QCOMPARE(lastUsedKey(tableId), key);
    QVERIFY2(m_prompt->messages().isEmpty(), qPrintable(m_prompt->messageTexts().join('\n')));
}

// A datum shift exported from one database and imported into a new one keeps its rotation
// convention with everything else.
void TestRecordExchange::datumShiftConventionCrossesTheFile()
{
    const int key = firstKey(TableDatumShift);
    QVERIFY(CTestDatabase::exec("UPDATE datumshift SET convention = 1 WHERE autokey = ?;", {key}));
    CDatumShiftDetails original;
    QVERIFY(readDatumShiftDetails(key, original));
    const QString path = exportRecord(TableDatumShift, key);

    m_database.reset();
    m_database = std::make_unique<CTestDatabase>();
    const int copy = importFile(TableDatumShift, path)->currentCode();
    QVERIFY(copy != NoValue);
    QCOMPARE(CTestDatabase::value("SELECT convention FROM datumshift WHERE autokey = ?;", {copy}), QVariant(1));
    CDatumShiftDetails imported;
    QVERIFY(readDatumShiftDetails(copy, imported));
    QVERIFY(imported == original);
    QVERIFY2(m_prompt->messages().isEmpty(), qPrintable(m_prompt->messageTexts().join('\n')));
}

void TestRecordExchange::awkwardNamesRoundTrip_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QString>("name");
    for (const QString& name : awkwardNames()) {
        QTest::addRow("ellipsoid %s", qPrintable(name)) << int(TableEllipsoid) << name;
        QTest::addRow("coordinate system %s", qPrintable(name)) << int(TableCoordSys) << name;
    }
    QTest::newRow("unit") << int(TableUnitLength) << "100% \"%2\" O'Brien";
}

void TestRecordExchange::awkwardNamesRoundTrip()
{
    QFETCH(int, tableId);
    QFETCH(QString, name);
    const int key = firstKey(tableId);
    QVERIFY(rename(tableId, key, name));
    m_prompt->answerFile(QString());
    click(*selectorOn(tableId, key), "buttonExport");
    const QString proposed = QFileInfo(m_prompt->fileRequests().last().path).fileName();
    QVERIFY2(proposed.endsWith(".xml") && !proposed.contains('"') && !proposed.contains('/'), qPrintable(proposed));

    const QString path = exportRecord(tableId, key);
    QVERIFY(rename(tableId, key, QStringLiteral("Переименовано")));
    const auto selector = importFile(tableId, path);
    QVERIFY(selector->currentCode() != key);
    QCOMPARE(nameOf(tableId, selector->currentCode()), name);
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestRecordExchange::refusedFiles_data()
{
    QTest::addColumn<int>("exportedTable");
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("reason");
    const QString noRecord = QStringLiteral("Ошибка импорта XML");
    const QString unreadable = QStringLiteral("Ошибка чтения XML");
    QTest::newRow("ellipsoid into datums") << int(TableEllipsoid) << int(TableDatum) << QByteArray() << noRecord
                                           << QString();
    QTest::newRow("length unit into angular units") << int(TableUnitLength) << int(TableUnitAngle) << QByteArray()
                                                    << noRecord << QString();
    QTest::newRow("element without a name") << 0 << int(TableEllipsoid) << QByteArray("<ellipsoid><Name/></ellipsoid>")
                                            << failedTitle << "Не задано название (элемент Name)";
    QTest::newRow("not XML") << 0 << int(TableEllipsoid) << QByteArray("<ellipsoid><Name>") << unreadable << QString();
    QTest::newRow("missing file") << 0 << int(TableEllipsoid) << QByteArray() << unreadable << QString();
    QTest::newRow("WKT in a text file") << 0 << int(TableCoordSys) << shippedWktOf("WGS 84").toUtf8() << unreadable
                                        << QString();
    // A coordinate system that does not read is refused with the element at fault.
    QTest::newRow("coordinate system without a name")
        << 0 << int(TableCoordSys) << coordSysXml("<Name></Name><Type>4</Type>") << failedTitle
        << "Пустое название системы координат (элемент Name)";
    QTest::newRow("coordinate system whose type is not a number")
        << 0 << int(TableCoordSys) << coordSysXml("<Name>S</Name><Type>четыре</Type>") << failedTitle
        << "Тип системы координат «четыре» не является целым числом (элемент Type)";
    QTest::newRow("coordinate system without a type")
        << 0 << int(TableCoordSys) << coordSysXml("<Name>S</Name>") << failedTitle
        << "Не задан тип системы координат (элемент Type)";
    // Records that cannot be stored as written.
    QTest::newRow("coordinate system with a transform of another type")
        << 0 << int(TableCoordSys) << coordSysXml("<Name>S</Name><Type>4</Type>" + transformListXml(2)) << failedTitle
        << "Тип преобразования «T» (1) не совпадает с записью типа (2)";
    QTest::newRow("datum shift with a parameter beyond double")
        << 0 << int(TableDatumShift) << shiftXml("datumshift", "1e309") << failedTitle
        << "Элемент «TranslationX»: «1e309» не является числом в единице «Метр»";
    QTest::newRow("datum whose shift has a decimal comma")
        << 0 << int(TableDatum) << QByteArray("<datum><Name>D</Name>" + shiftXml("DatumShift", "1,5") + "</datum>")
        << failedTitle << "Элемент «DatumShift/TranslationX»: «1,5» не является числом в единице «Метр»";
}

void TestRecordExchange::refusedFiles()
{
    QFETCH(int, exportedTable);
    QFETCH(int, tableId);
    QFETCH(QByteArray, content);
    QFETCH(QString, title);
    QFETCH(QString, reason);
    QString path = filePath("refused.txt");
    if (exportedTable != 0)
        path = exportRecord(exportedTable, firstKey(exportedTable));
    else if (!content.isEmpty())
        QVERIFY(writeBytes(path, content));
    m_prompt->clear();

    const QMap<QString, int> before = rowCounts();
    importFile(tableId, path);
    QCOMPARE(rowCounts(), before);
    QCOMPARE(m_prompt->messages().size(), 1);
    QCOMPARE(m_prompt->messages().first().title, title);
    QVERIFY2(m_prompt->messages().first().text.contains(QDir::toNativeSeparators(path)),
             qPrintable(m_prompt->messages().first().text));
    if (!reason.isEmpty())
        QCOMPARE(m_prompt->messages().first().text, QDir::toNativeSeparators(path) + "\n" + reason);
}

void TestRecordExchange::brokenFilesAreRefusedInRussian_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("message");
    // An exported file, broken at the first "from": cut there, or "from" replaced by "to".
    QTest::newRow("an ellipsoid cut short") << int(TableEllipsoid) << QByteArray("</Name>") << QByteArray()
                                            << "файл обрывается раньше конца документа";
    QTest::newRow("a coordinate system cut inside a tag") << int(TableCoordSys) << QByteArray("/Datum>")
                                                          << QByteArray() << "файл обрывается раньше конца документа";
    QTest::newRow("a unit whose tags differ") << int(TableUnitLength) << QByteArray("</Name>")
                                              << QByteArray("</Nam>")
                                              << "закрывающий тег не совпадает с открывающим";
}

// A file broken on its way is refused with the line and the parser's message in Russian.
void TestRecordExchange::brokenFilesAreRefusedInRussian()
{
    QFETCH(int, tableId);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, message);
    const QString path = exportRecord(tableId, firstKey(tableId));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    const int at = whole.indexOf(from);
    QVERIFY(at > 0);
    const QByteArray broken = to.isEmpty() ? whole.left(at) : whole.left(at) + to + whole.mid(at + from.size());
    QVERIFY(writeBytes(path, broken));
    const int line = whole.left(at).count('\n') + 1;
    m_prompt->clear();

    const QMap<QString, int> before = rowCounts();
    importFile(tableId, path);
    QCOMPARE(rowCounts(), before);
    QCOMPARE(m_prompt->messageTexts(),
             QStringList(QStringLiteral("Ошибка чтения XML|Файл %1 не является документом XML (строка %2: %3)")
                             .arg(QDir::toNativeSeparators(path))
                             .arg(line)
                             .arg(message)));
}

void TestRecordExchange::refusedOnceAnEqualRecordIsStored_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QByteArray>("agreeing");
    QTest::addColumn<QByteArray>("refused");
    QTest::addColumn<QString>("reason");
    QTest::newRow("coordinate system with a transform of another type")
        << int(TableCoordSys) << coordSysXml("<Name>S</Name><Type>4</Type>" + transformListXml(1))
        << coordSysXml("<Name>S</Name><Type>4</Type>" + transformListXml(2))
        << "Тип преобразования «T» (1) не совпадает с записью типа (2)";
    const QString notANumber = QStringLiteral("Элемент «%1TranslationX»: «%2» не является числом в единице «Метр»");
    QTest::newRow("datum shift with a parameter that is not a number")
        << int(TableDatumShift) << shiftXml("datumshift", "0") << shiftXml("datumshift", "nan") << notANumber.arg(QString(), "nan");
    QTest::newRow("datum whose shift has a parameter beyond double")
        << int(TableDatum) << QByteArray("<datum><Name>D</Name>" + shiftXml("DatumShift", "0") + "</datum>")
        << QByteArray("<datum><Name>D</Name>" + shiftXml("DatumShift", "-1e309") + "</datum>")
        << notANumber.arg("DatumShift/", "-1e309");
    QTest::newRow("coordinate system whose datum shift has a parameter below double")
        << int(TableCoordSys)
        << coordSysXml("<Name>S</Name><Type>4</Type><Datum><Name>D</Name>" + shiftXml("DatumShift", "0")
                       + "</Datum>")
        << coordSysXml("<Name>S</Name><Type>4</Type><Datum><Name>D</Name>" + shiftXml("DatumShift", "1e-400")
                       + "</Datum>")
        << notANumber.arg("Datum/DatumShift/", "1e-400");
}

// The agreeing record is stored; the refused one, which the database would hold as equal to
// it, is refused with its reason and changes no row.
void TestRecordExchange::refusedOnceAnEqualRecordIsStored()
{
    QFETCH(int, tableId);
    QFETCH(QByteArray, agreeing);
    QFETCH(QByteArray, refused);
    QFETCH(QString, reason);
    const QString agreeingPath = filePath("agreeing.xml");
    QVERIFY(writeBytes(agreeingPath, agreeing));
    const int rows = rowCounts().value(tableName(tableId));
    const int stored = importFile(tableId, agreeingPath)->currentCode();
    QVERIFY2(m_prompt->messages().isEmpty(), qPrintable(m_prompt->messageTexts().join('\n')));
    QCOMPARE(rowCounts().value(tableName(tableId)), rows + 1);
    QVERIFY(stored != NoValue);

    const QString path = filePath("refused.xml");
    QVERIFY(writeBytes(path, refused));
    const QMap<QString, int> before = rowCounts();
    importFile(tableId, path);
    QCOMPARE(rowCounts(), before);
    QCOMPARE(m_prompt->messageTexts(), QStringList(failedTitle + "|" + QDir::toNativeSeparators(path) + "\n" + reason));
}

void TestRecordExchange::failedImportLeavesNothing()
{
    const QString path = exportRecord(TableCoordSys, coordSysKey("Pulkovo 1942 / Gauss-Kruger zone 7"));
    m_database.reset();
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(injectFailure(TableCoordSys));
    const QMap<QString, int> before = rowCounts();
    importFile(TableCoordSys, path);
    QCOMPARE(rowCounts(), before);
    QCOMPARE(m_prompt->messages().size(), 1);
    QCOMPARE(m_prompt->messages().first().title, QStringLiteral("Failed!"));
    QVERIFY(m_prompt->messages().first().text.startsWith(QDir::toNativeSeparators(path) + "\n"));
}

void TestRecordExchange::exportFailures()
{
    const int key = firstKey(TableEllipsoid);
    // A cancelled file dialog writes nothing but still stamps the record.
    click(*selectorOn(TableEllipsoid, key), "buttonExport");
    QCOMPARE(lastUsedKey(TableEllipsoid), key);
    QVERIFY(QSettings().value(lastFolderKey).toString().isEmpty());

    const QString intoMissingFolder = filePath("missing/ellipsoid.xml");
    exportRecord(TableEllipsoid, key, "missing/ellipsoid.xml");
    QVERIFY(!QFile::exists(intoMissingFolder));
    QCOMPARE(m_prompt->messages().size(), 1);
    QVERIFY(m_prompt->messages().first().text.startsWith("Ошибка при экспорте в XML\n"));
    QVERIFY(QSettings().value(lastFolderKey).toString().isEmpty());

    m_prompt->clear();
    click(*selectorOn(TableEpsgEllipsoid), "buttonExport");
    click(*selectorOn(TableEpsgEllipsoid), "buttonImport");
    QVERIFY(m_prompt->messages().isEmpty());
    QVERIFY(m_prompt->fileRequests().isEmpty());
}

void TestRecordExchange::wktImportRecalculatesLikeTheShippedSystem()
{
    const QString shipped = QStringLiteral("Pulkovo 1942 / Gauss-Kruger zone 7");
    const QString imported = QStringLiteral("Пулково 1942 / ГК зона 7");
    QString wkt = shippedWktOf(shipped);
    QVERIFY(!wkt.isEmpty());
    wkt.replace('"' + shipped + '"', '"' + imported + '"');
    // Written in the encoding such files have on their home platform, with a capital suffix.
    const QString path = filePath("gk7.WKT");
    QVERIFY(writeBytes(path, QTextCodec::codecForName("Windows-1251")->fromUnicode(wkt + "\r\n")));

    const auto selector = importFile(TableCoordSys, path);
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Success!|" + imported});
    QCOMPARE(selector->currentCode(), coordSysKey(imported));
    QCOMPARE(lastUsedKey(TableCoordSys), coordSysKey(imported));
    QCOMPARE(QSettings().value(lastFolderKey).toString(), m_folder->path());

    const CPointRow point{"P1", "6184432.871", "7406432.123", "250.5"};
    const CPointRow expected = recalculated(shipped, "WGS 84 / UTM zone 37N", point);
    QVERIFY(!expected.coord1.isEmpty());
    QCOMPARE(recalculated(imported, "WGS 84 / UTM zone 37N", point), expected);
}

void TestRecordExchange::refusedWkt_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << QByteArray() << "Ошибка при открытии файла" << QString();
    QTest::newRow("not WKT") << QByteArray("GEOGCS[\"broken\"") << "Ошибка импорта WKT"
                             << "Квадратные скобки текста WKT";
    QTest::newRow("no coordinate system") << QByteArray("SPHEROID[\"Krassowsky 1940\",6378245,298.3]")
                                          << "Ошибка импорта WKT" << "Узел SPHEROID не задаёт систему координат";
    // Edited by hand: the false easting of zone 7, then that of a zone without its number.
    QTest::newRow("parameter given twice")
        << shippedWktOf(QStringLiteral("Pulkovo 1942 / Gauss-Kruger zone 7"))
               .replace(QStringLiteral("PARAMETER[\"false_northing\""),
                        QStringLiteral("PARAMETER[\"false_easting\",500000],PARAMETER[\"false_northing\""))
               .toUtf8()
        << "Ошибка импорта WKT" << "параметр «false_easting» задан повторно: 7500000, 500000";
}

void TestRecordExchange::refusedWkt()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, title);
    QFETCH(QString, reason);
    const QString path = filePath("refused.wkt");
    if (!content.isEmpty())
        QVERIFY(writeBytes(path, content));
    const QMap<QString, int> before = rowCounts();
    importFile(TableCoordSys, path);
    QCOMPARE(rowCounts(), before);
    QCOMPARE(m_prompt->messages().size(), 1);
    QCOMPARE(m_prompt->messages().first().title, title);
    QVERIFY(m_prompt->messages().first().text.contains(QDir::toNativeSeparators(path)));
    QVERIFY2(m_prompt->messages().first().text.contains(reason), qPrintable(m_prompt->messages().first().text));
    QVERIFY(QSettings().value(lastFolderKey).toString().isEmpty());
}

void TestRecordExchange::damagedFilesAreRefused_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("damaged");
    QTest::addColumn<QString>("reason");
    const QString system = QStringLiteral("Pulkovo 1942 / Gauss-Kruger zone 7");
    const auto row = [&system](const char* title, const QByteArray& written, const QByteArray& damaged,
                               const QString& reason) {
        QTest::newRow(title) << int(TableCoordSys) << system << written << damaged << reason;
    };
    // A linked record that does not read, at any depth.
    row("datum shift type a word", "<Type>4</Type>", "<Type>Helmert</Type>",
        "Элемент «Datum/DatumShift/Type»: «Helmert» не является целым числом");
    row("datum shift without a name", "<Name>Pulkovo_1942 to WGS84</Name>", "<Name></Name>",
        "Элемент «Datum/DatumShift»: Не задано название (элемент Name)");
    row("datum shift type record code a word", "<Code>4</Code>", "<Code>H</Code>",
        "Элемент «Datum/DatumShift/DatumShiftType/Code»: «H» не является целым числом");
    row("datum without a name", "<Name>Pulkovo_1942</Name>", "<Name></Name>",
        "Элемент «Datum»: Не задано название (элемент Name)");
    row("unit without a name", "<Name>metre</Name>", "<Name></Name>",
        "Элемент «Datum/Ellipsoid/Unit»: Не задано название (элемент Name)");
    row("unit of another scope", "<Scope>2</Scope>", "<Scope>7</Scope>",
        "Элемент «Datum/DatumShift/AngleUnit»: Неполное определение «arc-second» (Единицы измерения) не может быть "
        "сохранено");
    row("projection type code a word", "<Code>1</Code>", "<Code>TM</Code>",
        "Элемент «MapProjection/MapProjType/Code»: «TM» не является целым числом");
    row("projection parameter definition of a word type", "<Type>2</Type>", "<Type>угол</Type>",
        "Элемент «MapProjection/ParamInfo/Param/Type»: «угол» не является целым числом");
    row("projection parameter without its code", "code=\"103\"", "code=\"\"",
        "Элемент «MapProjection/ParamValues/Param»: не задан код параметра (атрибут code)");
    const QByteArray beforeUnits = "<SwapCoords>1</SwapCoords>\n <LengthUnit>";
    row("vertical system without a name", beforeUnits,
        "<VertCoordSys><Name></Name><GeoidID>egm08</GeoidID></VertCoordSys>" + beforeUnits,
        "Элемент «VertCoordSys»: Не задано название (элемент Name)");
    const auto withTransform = [&beforeUnits](const QByteArray& transform) {
        return "<TransformList><Name>L</Name><Scope>1</Scope><Transforms><Transform>" + transform
            + "</Transform></Transforms></TransformList>" + beforeUnits;
    };
    row("transform list without a name", beforeUnits, "<TransformList><Scope>1</Scope></TransformList>" + beforeUnits,
        "Элемент «TransformList»: Не задано название (элемент Name)");
    row("transform type a word", beforeUnits, withTransform("<Name>T</Name><Type>сдвиг</Type>"),
        "Элемент «TransformList/Transforms/Transform/Type»: «сдвиг» не является целым числом");
    const QByteArray heightShift =
        "<Name>H</Name><Type>3</Type><ParamValues><Param code=\"7\">0.5</Param></ParamValues>";
    row("second transform of a list without a name", beforeUnits,
        withTransform(heightShift + "</Transform><Transform><Type>3</Type><ParamValues><Param code=\"7\">1</Param>"
                                    "</ParamValues>"),
        "Элемент «TransformList/Transforms/Transform»: Не задано название (элемент Name)");
    row("pairwise shift without a name", "<Name>Pulkovo_1942</Name>",
        "<Name>Pulkovo_1942</Name><PairwiseDatumShifts><DatumShift><Identifier>A</Identifier><Type>1</Type>"
        "<TranslationX>1</TranslationX><TranslationY>2</TranslationY><TranslationZ>3</TranslationZ>"
        "</DatumShift></PairwiseDatumShifts>",
        "Элемент «Datum/PairwiseDatumShifts/DatumShift»: Не задано название (элемент Name)");
    // Two links of a datum's list under one identifier, of which reading would keep the second.
    const QByteArray datumName = "<Name>Pulkovo_1942</Name>";
    row("two pairwise shifts of one identifier", datumName,
        datumName + "<PairwiseDatumShifts>" + pairwiseShiftXml("P1", "P1 first (survey 1998)", "25.00")
            + pairwiseShiftXml("P1", "P1 second (survey 2011)", "23.57") + "</PairwiseDatumShifts>",
        "Элемент «Datum/PairwiseDatumShifts»: идентификатор «P1» задан повторно: «P1 first (survey 1998)» и "
        "«P1 second (survey 2011)»");
    row("two horizontal lists of one identifier", datumName,
        datumName + "<GeographicDatumShifts>" + datumListXml(3, "MSK", "МСК-50 (1998)")
            + datumListXml(3, "MSK", "МСК-50 (2011)") + "</GeographicDatumShifts>",
        "Элемент «Datum/GeographicDatumShifts»: идентификатор «MSK» задан повторно: «МСК-50 (1998)» и "
        "«МСК-50 (2011)»");
    row("two vertical lists of one identifier", datumName,
        datumName + "<VerticalDatumShifts>" + datumListXml(4, "BSV", "БСВ (1977)")
            + datumListXml(4, "BSV", "БСВ (2011)") + "</VerticalDatumShifts>",
        "Элемент «Datum/VerticalDatumShifts»: идентификатор «BSV» задан повторно: «БСВ (1977)» и «БСВ (2011)»");
    // Identifiers are compared as the database gives them back: trimmed.
    row("two pairwise shifts of one trimmed identifier", datumName,
        datumName + "<PairwiseDatumShifts>" + pairwiseShiftXml("P1", "P1 first", "25.00")
            + pairwiseShiftXml("P1 ", "P1 second", "23.57") + "</PairwiseDatumShifts>",
        "Элемент «Datum/PairwiseDatumShifts»: идентификатор «P1 » задан повторно: «P1 first» и «P1 second»");
    const auto pairwiseList = [&heightShift](const QByteArray& name) {
        return "<TransformList><Name>" + name + "</Name><Scope>2</Scope><Identifier>W</Identifier><Transforms>"
            + "<Transform>" + heightShift + "</Transform></Transforms></TransformList>";
    };
    row("two pairwise lists of a system under one identifier", beforeUnits,
        "<PairwiseTransforms>" + pairwiseList("W 1998") + pairwiseList("W 2011") + "</PairwiseTransforms>"
            + beforeUnits,
        "Элемент «PairwiseTransforms»: идентификатор «W» задан повторно: «W 1998» и «W 2011»");
    // A number that its reader cannot read.
    row("inverse flattening with a decimal comma", "298.3", "298,3",
        "Элемент «Datum/Ellipsoid/InverseFlattening»: «298,3» не является числом");
    row("semi-major axis with blanks between thousands", "<MajorSemiAxis>6378245", "<MajorSemiAxis>6 378 245",
        "Элемент «Datum/Ellipsoid/MajorSemiAxis»: «6 378 245» не является числом в единице «metre»");
    row("unit factor a word", "<FactorB>1</FactorB>", "<FactorB>один</FactorB>",
        "Элемент «Datum/Ellipsoid/Unit/FactorB»: «один» не является числом");
    row("unit factor empty", "<FactorB>1</FactorB>", "<FactorB></FactorB>",
        "Элемент «Datum/Ellipsoid/Unit/FactorB»: значение не задано");
    row("datum shift parameter with a decimal comma", "<RotationY>0.35", "<RotationY>0,35",
        "Элемент «Datum/DatumShift/RotationY»: «0,35» не является числом в единице «arc-second»");
    row("prime meridian longitude a word", "<Longitude>0</Longitude>", "<Longitude>zz</Longitude>",
        "Элемент «PrimeMeridian/Longitude»: «zz» не является числом в единице «degree»");
    const QString centralMeridian =
        QStringLiteral("Элемент «MapProjection/ParamValues/Param[code=103, «Долгота осевого меридиана»]»: ");
    row("projection parameter with a decimal comma", ">39<", ">39,5<",
        centralMeridian + "«39,5» не является числом в единице «degree»");
    row("projection parameter in degrees and minutes", ">39<", ">39 30<",
        centralMeridian + "«39 30» не является числом в единице «degree»");
    const QString falseEasting =
        QStringLiteral("Элемент «MapProjection/ParamValues/Param[code=5, «Сдвиг на восток»]»: ");
    row("projection parameter with blanks between thousands", ">7500000<", ">7 500 000<",
        falseEasting + "«7 500 000» не является числом в единице «metre»");
    row("projection parameter given twice", "<ParamValues>", "<ParamValues><Param code=\"5\">500000</Param>",
        falseEasting + "параметр задан повторно");
    row("transform parameter with a decimal comma", beforeUnits,
        withTransform("<Name>T</Name><Type>2</Type><ParamValues><Param code=\"5\">-12,5</Param>"
                      "<Param code=\"6\">3</Param></ParamValues>"),
        "Элемент «TransformList/Transforms/Transform/ParamValues/Param[code=5, «B1»]»: «-12,5» не является числом");
    row("EPSG code with a letter", "<EpsgCode>28407</EpsgCode>", "<EpsgCode>28407a</EpsgCode>",
        "Элемент «EpsgCode»: «28407a» не является целым числом");
    // A parameter that the shift's type uses, given empty.
    row("datum shift parameter empty", "<TranslationX>23.92</TranslationX>", "<TranslationX></TranslationX>",
        "Элемент «Datum/DatumShift/TranslationX»: значение не задано");
    // A parameter that the transform's type uses, left out, given empty or given twice.
    const QString transformParam = QStringLiteral("Элемент «TransformList/Transforms/Transform/ParamValues/Param");
    row("transform parameter left out", beforeUnits,
        withTransform("<Name>T</Name><Type>2</Type><ParamValues><Param code=\"5\">-12.5</Param></ParamValues>"),
        transformParam + "[code=6, «B2»]»: значение не задано");
    row("transform parameter empty", beforeUnits,
        withTransform("<Name>T</Name><Type>1</Type><ParamValues><Param code=\"1\">1</Param><Param code=\"2\">0</Param>"
                      "<Param code=\"3\">0</Param><Param code=\"4\"></Param><Param code=\"5\">0</Param>"
                      "<Param code=\"6\">0</Param></ParamValues>"),
        transformParam + "[code=4, «A22»]»: значение не задано");
    row("transform parameter given twice", beforeUnits,
        withTransform("<Name>T</Name><Type>3</Type><ParamValues><Param code=\"7\">0.5</Param>"
                      "<Param code=\"7\">5</Param></ParamValues>"),
        transformParam + "[code=7, «dH»]»: параметр задан повторно");
    // Files of the other kinds, through their own selectors.
    QTest::newRow("datum file, shift type a word")
        << int(TableDatum) << "Pulkovo_1942" << QByteArray("<Type>4</Type>") << QByteArray("<Type>Helmert</Type>")
        << "Элемент «DatumShift/Type»: «Helmert» не является целым числом";
    QTest::newRow("datum shift file, parameter empty")
        << int(TableDatumShift) << "Pulkovo_1942 to WGS84" << QByteArray("<RotationZ>0.82</RotationZ>")
        << QByteArray("<RotationZ/>") << "Элемент «RotationZ»: значение не задано";
    QTest::newRow("ellipsoid file, inverse flattening")
        << int(TableEllipsoid) << "Krassowsky 1940" << QByteArray("298.3") << QByteArray("298,3")
        << "Элемент «InverseFlattening»: «298,3» не является числом";
    QTest::newRow("prime meridian file, longitude")
        << int(TablePrimeMeridian) << "Greenwich" << QByteArray("<Longitude>0") << QByteArray("<Longitude>0,0")
        << "Элемент «Longitude»: «0,0» не является числом в единице «degree»";
    QTest::newRow("map projection file, parameter")
        << int(TableMapProj) << system << QByteArray(">39<") << QByteArray(">39,5<")
        << "Элемент «ParamValues/Param[code=103, «Долгота осевого меридиана»]»: «39,5» не является числом в единице "
           "«degree»";
    QTest::newRow("unit file, factor") << int(TableUnitLength) << "metre" << QByteArray("<FactorB>1</FactorB>")
                                       << QByteArray("<FactorB>1 000</FactorB>")
                                       << "Элемент «FactorB»: «1 000» не является числом";
    QTest::newRow("vertical system file, transform list without a name")
        << int(TableVertCoordSys) << "Балтийская система высот" << QByteArray("</GeoidID>")
        << QByteArray("</GeoidID><TransformList><Scope>1</Scope></TransformList>")
        << "Элемент «TransformList»: Не задано название (элемент Name)";
}

// A file that the program wrote, with one element damaged, is refused with the element and
// its text, through the selector of its table and (a coordinate system) the folder import,
// and changes no row, though the database holds the record as it was written.
void TestRecordExchange::damagedFilesAreRefused()
{
    QFETCH(int, tableId);
    QFETCH(QString, name);
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, damaged);
    QFETCH(QString, reason);
    const QVariant key = CTestDatabase::value(
        QString("SELECT %1 FROM %2 WHERE name = ?;").arg(keyColumnName(tableId), tableName(tableId)), {name});
    QVERIFY2(key.isValid(), qPrintable(name));
    QByteArray content = readFile(exportRecord(tableId, key.toInt()));
    QVERIFY2(content.contains(written), content.constData());
    content.replace(content.indexOf(written), written.size(), damaged);
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("damaged.xml");
    QVERIFY(writeBytes(path, content));
    m_prompt->clear();

    const QMap<QString, int> before = rowCounts();
    importFile(tableId, path);
    QCOMPARE(m_prompt->messageTexts(), QStringList(failedTitle + "|" + QDir::toNativeSeparators(path) + "\n" + reason));
    QCOMPARE(rowCounts(), before);
    if (tableId != TableCoordSys)
        return;
    const CCoordSysImportCounts counts = importCoordSystems(folder.path());
    QCOMPARE(counts.errors, 1);
    QCOMPARE(counts.imported, 0);
    QCOMPARE(counts.failures, QStringList(QStringLiteral("damaged.xml: «%1»: %2").arg(name, reason)));
    QCOMPARE(rowCounts(), before);
}

// A datum whose lists each give two links of distinct identifiers keeps them all when it is
// imported.
void TestRecordExchange::datumLinksOfDistinctIdentifiersAreAllStored()
{
    const QByteArray datumName = "<Name>Pulkovo_1942</Name>";
    QByteArray content = readFile(exportRecord(TableCoordSys, coordSysKey("Pulkovo 1942 / Gauss-Kruger zone 7")));
    QVERIFY(content.contains(datumName));
    content.replace(content.indexOf(datumName), datumName.size(), datumName + datumListsXml("P1", "P2"));
    const QString path = filePath("distinct.xml");
    QVERIFY(writeBytes(path, content));
    m_prompt->clear();
    importFile(TableCoordSys, path);
    const QString shown = m_prompt->messageTexts().join('\n');
    QVERIFY2(!shown.contains(failedTitle), qPrintable(shown));

    CDatumDetails datum;
    QVERIFY(readDatumDetails(CTestDatabase::value("SELECT MAX(autokey) FROM datum;").toInt(), datum));
    QStringList pairwise;
    for (const auto& entry : datum.pairwiseDatumShifts)
        pairwise.append(entry.first + QLatin1Char('=') + entry.second->name);
    QCOMPARE(pairwise, (QStringList{"P1=P P1", "P2=P P2"}));
    QCOMPARE(datum.geographicDatumShifts.keys(), (QStringList{"P1", "P2"}));
    QCOMPARE(datum.verticalDatumShifts.keys(), (QStringList{"P1", "P2"}));
}

QTEST_MAIN(TestRecordExchange)


#include "test_recordexchange.moc"
