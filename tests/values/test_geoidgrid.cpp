#include "faults.h"
#include "geoidfiles.h"

#include "geodesy/coordoperator.h"
#include "geodesy/coords.h"
#include "geodesy/coordsysparams.h"
#include "geodesy/geoid.h"
#include "records/coordsysdetails.h"
#include "records/coordsysinfoxml.h"
#include "values/coordsysinfo.h"
#include "values/geoidgrid.h"
#include "values/geoidlist.h"
#include "values/vertcoordsysinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QDomDocument>
#include <QTemporaryDir>
#include <QTest>

#include <cfloat>

namespace {

QString number(double value)
{
    return value == DBL_MAX ? QStringLiteral("unset") : QString::number(value, 'g', 17);
}

QString fieldsText(const vexa::CGridMetadata& m)
{
    return QStringList{QString::fromStdString(m.Format), number(m.BytesPerValue),
                       number(m.ColumnCount), number(m.RowCount), number(m.CellWidth),
                       number(m.CellHeight), number(m.MinColumnCoord), number(m.MinRowCoord),
                       number(m.ColumnCoordRangeMin), number(m.ColumnCoordRangeMax),
                       number(m.ColumnCoordPeriod)}
        .join(QLatin1Char(' '));
}

const QByteArray kRawFields = "<Format>raw</Format><BytesPerValue>4</BytesPerValue>"
                              "<ColumnCount>3</ColumnCount><RowCount>2</RowCount>"
                              "<CellWidth>0.25</CellWidth><CellHeight>0.5</CellHeight>"
                              "<MinColumnCoord>-1.5</MinColumnCoord><MinRowCoord>40</MinRowCoord>";

// Rows from the last one down: row 1 holds 11 12 13, row 0 holds 1 2 3.
const QByteArray kTextGrid = "0 1 0 2 1 1\n11 12 13\n1 2 3\n";
const QByteArray kRawGrid = rawFloats({11.5f, 12.5f, 13.5f, 1.5f, 2.5f, 3.5f});

QString gridText(const vexa::C2DGrid<double>& grid)
{
    QStringList values;
    for (unsigned j = 0; j < grid.getRowCount(); ++j) {
        for (unsigned i = 0; i < grid.getColumnCount(); ++i)
            values << number(grid.getValue(i, j));
    }
    return QStringLiteral("%1x%2 at %3 %4 step %5 %6: %7")
        .arg(grid.getColumnCount())
        .arg(grid.getRowCount())
        .arg(number(grid.getMin1()), number(grid.getMin2()), number(grid.getStep1()),
             number(grid.getStep2()), values.join(QLatin1Char(' ')));
}

// A registry in the folder whose geoid "G" has the text grid and no coordinate system.
bool readTextGridRegistry(const QTemporaryDir& dir, CGeoidList& list)
{
    return writeGeoidFolder(dir.path(), "G", "grd", kTextGrid, gridMetadata("<Format>grd</Format>"),
                            QByteArray())
           && list.readXml(dir.path().toStdString(), "data.xml");
}

// Undulations over latitudes 55 and 56 and longitudes 37, 38 and 39 degrees: the
// row of latitude 56 holds 12 13 14, the row of latitude 55 holds 10 11 12.
const QByteArray kUndulationText = "55 56 37 39 1 1\n12 13 14\n10 11 12\n";
const QByteArray kUndulationRaw = rawFloats({12, 13, 14, 10, 11, 12});
const QByteArray kUndulationMeta = gridMetadata(
    "<Format>raw</Format><BytesPerValue>4</BytesPerValue><ColumnCount>3</ColumnCount>"
    "<RowCount>2</RowCount><CellWidth>1</CellWidth><CellHeight>1</CellHeight>"
    "<MinColumnCoord>37</MinColumnCoord><MinRowCoord>55</MinRowCoord>");

bool writeUndulations(const QTemporaryDir& dir, const QString& format, const QByteArray& coordSys)
{
    return format == "raw"
               ? writeGeoidFolder(dir.path(), "G", format, kUndulationRaw, kUndulationMeta, coordSys)
               : writeGeoidFolder(dir.path(), "G", format, kUndulationText,
                                  gridMetadata("<Format>grd</Format>"), coordSys);
}

// A global grid over longitudes 0 to 355 degrees in steps of 5 and latitudes 50 and 55:
// the node of column i holds i in the row of latitude 50 and i + 100 in the other.
bool writeGlobalGrid(const QTemporaryDir& dir, const QString& format, const QByteArray& periodFields)
{
    QByteArray text = "50 55 0 355 5 5\n";
    QByteArray raw;
    for (int row : {1, 0}) {
        for (int column = 0; column < 72; ++column) {
            text += QByteArray::number(column + 100 * row) + (column == 71 ? "\n" : " ");
            raw += rawFloats({float(column + 100 * row)});
        }
    }
    if (format == "grd")
        return writeGeoidFolder(dir.path(), "G", format, text,
                                gridMetadata("<Format>grd</Format>" + periodFields), gridCoordSys());
    return writeGeoidFolder(dir.path(), "G", format, raw,
                            gridMetadata("<Format>raw</Format><BytesPerValue>4</BytesPerValue>"
                                         "<ColumnCount>72</ColumnCount><RowCount>2</RowCount>"
                                         "<CellWidth>5</CellWidth><CellHeight>5</CellHeight>"
                                         "<MinColumnCoord>0</MinColumnCoord><MinRowCoord>50</MinRowCoord>"
                                         + periodFields),
                            gridCoordSys());
}

// A grid over longitudes -180 to 170 degrees in steps of 10, from pole to pole in steps of
// 90, with no period: the node of column i holds i at the south pole, i + 100 on the equator
// and i + 200 at the north pole.
bool writeGridRoundTheGlobe(const QTemporaryDir& dir)
{
    QByteArray text = "-90 90 -180 170 90 10\n";
    for (int row : {2, 1, 0}) {
        for (int column = 0; column < 36; ++column)
            text += QByteArray::number(column + 100 * row) + (column == 35 ? "\n" : " ");
    }
    return writeGeoidFolder(dir.path(), "G", "grd", text, gridMetadata("<Format>grd</Format>"),
                            gridCoordSys());
}

} // namespace

class TestGeoidGrid : public QObject
{
    Q_OBJECT

private slots:
    void metadata_data();
    void metadata();
    void metadataFileMissing();
    void loadsGrid_data();
    void loadsGrid();
    void rawGridStaysOpen();
    void unregisteredId();
    void cachedUntilReadAgain();
    void gridSystem_data();
    void gridSystem();
    void gridSystemNeedsReader();
    void gridInSubFolder();
    void periodicGrid_data();
    void periodicGrid();
    void gridRoundTheGlobe_data();
    void gridRoundTheGlobe();
    void recalculation_data();
    void recalculation();
    void faults_data();
    void faults();
    void gridValues_data();
    void gridValues();
};

void TestGeoidGrid::metadata_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("fields");

    const QString cleared = "0 0 0 0 0 unset unset unset unset 0";
    QTest::newRow("grd alone") << gridMetadata("<Format>grd</Format>") << true << "grd " + cleared;
    QTest::newRow("grd period without range")
        << gridMetadata("<Format>grd</Format><ColumnCoordPeriod>360</ColumnCoordPeriod>") << false
        << "grd 0 0 0 0 0 unset unset unset unset 360";
    QTest::newRow("grd period with range")
        << gridMetadata("<Format>grd</Format><ColumnCoordPeriod>360</ColumnCoordPeriod>"
                        "<ColumnCoordRangeMax>180</ColumnCoordRangeMax>")
        << true << "grd 0 0 0 0 0 unset unset unset 180 360";
    QTest::newRow("raw") << gridMetadata(kRawFields) << true
                         << "raw 4 3 2 0.25 0.5 -1.5 40 unset unset 0";
    QTest::newRow("raw with blanks and range")
        << gridMetadata(kRawFields + "<ColumnCoordRangeMin> -180 </ColumnCoordRangeMin>"
                                     "<ColumnCoordRangeMax>1e2</ColumnCoordRangeMax>"
                                     "<ColumnCoordPeriod>360</ColumnCoordPeriod><Note>x</Note>")
        << true << "raw 4 3 2 0.25 0.5 -1.5 40 -180 100 360";
    QTest::newRow("raw MinRowCoord not a number")
        << gridMetadata(kRawFields + "<MinRowCoord>abc</MinRowCoord>") << false
        << "raw 4 3 2 0.25 0.5 -1.5 unset unset unset 0";
    QTest::newRow("raw decimal comma")
        << gridMetadata(kRawFields + "<CellWidth>0,25</CellWidth>") << false
        << "raw 4 3 2 0 0.5 -1.5 40 unset unset 0";
    QTest::newRow("raw cell height nan")
        << gridMetadata(kRawFields + "<CellHeight>nan</CellHeight>") << false
        << "raw 4 3 2 0.25 0 -1.5 40 unset unset 0";
    QTest::newRow("raw count not an integer")
        << gridMetadata(kRawFields + "<RowCount>2.5</RowCount>") << false
        << "raw 4 3 0 0.25 0.5 -1.5 40 unset unset 0";
    QTest::newRow("raw without BytesPerValue")
        << gridMetadata(QByteArray(kRawFields).replace("<BytesPerValue>4</BytesPerValue>", ""))
        << false << "raw 0 3 2 0.25 0.5 -1.5 40 unset unset 0";
    QTest::newRow("other format") << gridMetadata("<Format>tif</Format>") << false
                                  << "tif " + cleared;
    QTest::newRow("tags are case-sensitive") << gridMetadata("<format>grd</format>") << false
                                             << " " + cleared;
    QTest::newRow("last tag counts")
        << gridMetadata("<Format>raw</Format><Format>grd</Format>") << true << "grd " + cleared;
    QTest::newRow("every Grid read")
        << QByteArray("<Metadata><Grid><Format>raw</Format></Grid>"
                      "<Grid><Format>grd</Format></Grid></Metadata>")
        << true << "grd " + cleared;
    QTest::newRow("fields outside Grid") << QByteArray("<Metadata><Format>grd</Format></Metadata>")
                                         << false << " " + cleared;
    QTest::newRow("other root") << QByteArray("<Meta><Grid><Format>grd</Format></Grid></Meta>")
                                << false << " " + cleared;
    QTest::newRow("not XML") << QByteArray("<Metadata><Grid><Format>grd</Format></Grid>") << false
                             << " " + cleared;
}

void TestGeoidGrid::metadata()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, valid);
    QFETCH(QString, fields);
    QTemporaryDir dir;
    const QString path = dir.filePath("meta.xml");
    QVERIFY(writeGeoidFile(path, content));
    vexa::CGridMetadata record;
    record.Format = "old";
    record.ColumnCount = 9;

    QCOMPARE(readGridMetadata(record, path.toStdString()), valid);
    QCOMPARE(fieldsText(record), fields);
}

void TestGeoidGrid::metadataFileMissing()
{
    QTemporaryDir dir;
    vexa::CGridMetadata record;
    record.Format = "grd";
    QVERIFY(!readGridMetadata(record, dir.filePath("missing.xml").toStdString()));
    QCOMPARE(fieldsText(record), QStringLiteral(" 0 0 0 0 0 unset unset unset unset 0"));
}

void TestGeoidGrid::loadsGrid_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("grid");
    QTest::addColumn<QByteArray>("metadata");
    QTest::addColumn<QString>("expected");

    const QString text = "3x2 at 0 0 step 1 1: 1 2 3 11 12 13";
    const QString raw = "3x2 at -1.5 40 step 0.25 0.5: 1.5 2.5 3.5 11.5 12.5 13.5";
    const QString empty = "0x0 at 0 0 step 0 0: ";
    const QByteArray rawMeta = gridMetadata(kRawFields);

    QTest::newRow("grd") << "grd" << kTextGrid << gridMetadata("<Format>grd</Format>") << text;
    QTest::newRow("grd with byte-order mark")
        << "grd" << "\xEF\xBB\xBF" + kTextGrid << gridMetadata("<Format>grd</Format>") << text;
    QTest::newRow("grd whatever the metadata's validity")
        << "grd" << kTextGrid
        << gridMetadata("<Format>grd</Format><ColumnCoordPeriod>360</ColumnCoordPeriod>") << text;
    QTest::newRow("grd value missing") << "grd" << QByteArray("0 1 0 2 1 1\n11 12 13\n1 2\n")
                                       << gridMetadata("<Format>grd</Format>") << empty;
    QTest::newRow("grd value not a number") << "grd" << QByteArray("0 1 0 2 1 1\n11 12 13\n1 2 x\n")
                                            << gridMetadata("<Format>grd</Format>") << empty;
    QTest::newRow("grd without grid file") << "grd" << QByteArray()
                                           << gridMetadata("<Format>grd</Format>") << empty;
    QTest::newRow("raw") << "raw" << kRawGrid << rawMeta << raw;
    QTest::newRow("raw one value short") << "raw" << kRawGrid.left(20) << rawMeta << empty;
    QTest::newRow("raw one value over") << "raw" << kRawGrid + rawFloats({9.0f}) << rawMeta << empty;
    QTest::newRow("raw counts beyond 32 bits")
        << "raw" << kRawGrid
        << gridMetadata(QByteArray(kRawFields)
                            .replace("<ColumnCount>3</ColumnCount>", "<ColumnCount>2147483647</ColumnCount>")
                            .replace("<RowCount>2</RowCount>", "<RowCount>2147483647</RowCount>"))
        << empty;
    QTest::newRow("raw metadata not valid")
        << "raw" << kRawGrid << gridMetadata(kRawFields + "<MinRowCoord>abc</MinRowCoord>")
        << empty;
    QTest::newRow("raw without metadata file") << "raw" << kRawGrid << QByteArray() << empty;
    QTest::newRow("raw without grid file") << "raw" << QByteArray() << rawMeta << empty;
    QTest::newRow("grid of another format") << "raw" << kRawGrid
                                            << gridMetadata("<Format>tif</Format>") << empty;
}

// The grid of a registered geoid, by the format its metadata names.
void TestGeoidGrid::loadsGrid()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, grid);
    QFETCH(QByteArray, metadata);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(writeGeoidFolder(dir.path(), "G", format, grid, metadata, QByteArray()));
    CGeoidList list(readCoordSysInfo);
    QVERIFY(list.readXml(dir.path().toStdString(), "data.xml"));

    const auto geoid = list.getGeoid("G");

    QVERIFY(geoid);
    QCOMPARE(gridText(geoid->grid), expected);
    QVERIFY(!geoid->isValid());
}

// The raw file is read when a value is asked for, through the grid's own stream.
void TestGeoidGrid::rawGridStaysOpen()
{
    QTemporaryDir dir;
    QVERIFY(writeGeoidFolder(dir.path(), "G", "raw", kRawGrid, gridMetadata(kRawFields),
                             QByteArray()));
    CGeoidList list(readCoordSysInfo);
    QVERIFY(list.readXml(dir.path().toStdString(), "data.xml"));
    const auto geoid = list.getGeoid("G");
    QVERIFY(geoid->grid.isFileBacked());
    QCOMPARE(QString::fromStdString(geoid->grid.getFileName()), QDir(dir.path()).absoluteFilePath("G.raw"));

    QVERIFY(writeGeoidFile(dir.filePath("G.raw"), rawFloats({21, 22, 23, 31, 32, 33})));

    QCOMPARE(geoid->grid.getValue(1, 0), 32.0);
    QCOMPARE(geoid->grid.interpolate(-1.375, 40.25), (31.0 + 32.0 + 21.0 + 22.0) / 4);
}

void TestGeoidGrid::unregisteredId()
{
    QTemporaryDir dir;
    CGeoidList list(readCoordSysInfo);
    QVERIFY(readTextGridRegistry(dir, list));

    const auto geoid = list.getGeoid("H");

    QVERIFY(geoid);
    QCOMPARE(geoid->getType(), int(vexa::GeoidGrid));
    QCOMPARE(geoid->grid.getColumnCount(), 0u);
    QVERIFY(!geoid->isValid());
    QCOMPARE(list.getGeoid("H"), geoid);
}

// A geoid is loaded once per registry read, even when its files change meanwhile.
void TestGeoidGrid::cachedUntilReadAgain()
{
    QTemporaryDir dir;
    CGeoidList list(readCoordSysInfo);
    QVERIFY(readTextGridRegistry(dir, list));
    const auto first = list.getGeoid("G");
    QVERIFY(writeGeoidFile(dir.filePath("G.grd"), "0 1 0 1 1 1\n5 6\n7 8\n"));

    QCOMPARE(list.getGeoid("G"), first);
    QCOMPARE(first->grid.getColumnCount(), 3u);

    QVERIFY(list.readXml(dir.path().toStdString(), "data.xml"));
    const auto reread = list.getGeoid("G");
    QVERIFY(reread != first);
    QCOMPARE(reread->grid.getColumnCount(), 2u);
}

void TestGeoidGrid::gridSystem_data()
{
    QTest::addColumn<QByteArray>("coordSys");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("heightScale");

    QTest::newRow("heights in metres") << gridCoordSys() << true << 1.0;
    QTest::newRow("heights in feet") << gridCoordSys(footHeightUnit()) << true << 0.3048;
    QTest::newRow("no height unit") << gridCoordSys(QByteArray()) << false << 0.0;
    QTest::newRow("other root") << QByteArray(gridCoordSys()).replace("coordsys>", "system>")
                                << false << DBL_MAX;
    QTest::newRow("not a coordinate system") << QByteArray("<coordsys><Name>x</Name></coordsys>")
                                             << false << DBL_MAX;
    QTest::newRow("not XML") << gridCoordSys().left(200) << false << DBL_MAX;
    QTest::newRow("no file") << QByteArray() << false << DBL_MAX;
}

// The grid's own system, built without a geoid, and the scale of its heights to metres.
void TestGeoidGrid::gridSystem()
{
    QFETCH(QByteArray, coordSys);
    QFETCH(bool, valid);
    QFETCH(double, heightScale);
    QTemporaryDir dir;
    QVERIFY(writeUndulations(dir, "grd", coordSys));
    CGeoidList list(readCoordSysInfo);
    QVERIFY(list.readXml(dir.path().toStdString(), "data.xml"));

    const auto geoid = list.getGeoid("G");

    QCOMPARE(geoid->isValid(), valid);
    QCOMPARE(bool(geoid->gridSystem), valid);
    QCOMPARE(geoid->heightScale, heightScale);
    QCOMPARE(geoid->grid.getColumnCount(), 3u);
    if (valid) {
        QCOMPARE(geoid->gridSystem->getKind(), int(vexa::CoordSysGeodetic));
        QVERIFY(!geoid->gridSystem->geoid);
    }
}

// Without a reader of coordinate systems no grid gets its system.
void TestGeoidGrid::gridSystemNeedsReader()
{
    QTemporaryDir dir;
    QVERIFY(writeUndulations(dir, "grd", gridCoordSys()));
    CGeoidList list;
    QVERIFY(list.readXml(dir.path().toStdString(), "data.xml"));

    const auto geoid = list.getGeoid("G");

    QVERIFY(!geoid->gridSystem);
    QVERIFY(!geoid->isValid());
}

// The registry may name grid files in a sub-folder of its own folder.
void TestGeoidGrid::gridInSubFolder()
{
    QTemporaryDir dir;
    const QString sub = dir.filePath("egm/2008");
    QVERIFY(QDir().mkpath(sub));
    QVERIFY(writeGeoidFolder(sub, "G", "grd", kUndulationText, gridMetadata("<Format>grd</Format>"),
                             gridCoordSys()));
    QVERIFY(writeGeoidFile(dir.filePath("data.xml"),
                           readGeoidFile(sub + "/data.xml").replace("FileName>G", "FileName>egm/2008/G")));
    CGeoidList geoids(readCoordSysInfo);
    QVERIFY(geoids.readXml(dir.path().toStdString(), "data.xml"));

    QCOMPARE(recalculate(geoids, true, {"55.25", "37.5", "100"}),
             (QStringList{"55.25000000000", "37.50000000000", "111.000"}));
}

void TestGeoidGrid::periodicGrid_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("period");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QStringList>("expected");

    const QByteArray period = "<ColumnCoordPeriod>360</ColumnCoordPeriod>"
                              "<ColumnCoordRangeMin>0</ColumnCoordRangeMin>"
                              "<ColumnCoordRangeMax>360</ColumnCoordRangeMax>";
    for (const QString format : {"grd", "raw"}) {
        const QByteArray name = format.toUtf8();
        QTest::newRow(name + ": west of Greenwich")
            << format << period << "-10" << QStringList{"50.00000000000", "-10.00000000000", "170.000"};
        QTest::newRow(name + ": inside the layout")
            << format << period << "355" << QStringList{"50.00000000000", "-5.00000000000", "171.000"};
    }
    // Halfway between the last column (71) and the first one (0).
    QTest::newRow("across the seam")
        << "grd" << period << "-2.5" << QStringList{"50.00000000000", "-2.50000000000", "135.500"};
    QTest::newRow("a full turn west")
        << "grd" << period << "-350" << QStringList{"50.00000000000", "10.00000000000", "102.000"};
    // Without a period a longitude is still turned onto the grid, but the seam is not bridged.
    QTest::newRow("without a period, a turn west")
        << "grd" << QByteArray() << "-10" << QStringList{"50.00000000000", "-10.00000000000", "170.000"};
    QTest::newRow("without a period, across the seam")
        << "grd" << QByteArray() << "-2.5" << QStringList();
}

// A grid laid out over 0 to 360 degrees answers every longitude through its period.
void TestGeoidGrid::periodicGrid()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, period);
    QFETCH(QString, longitude);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    QVERIFY(writeGlobalGrid(dir, format, period));
    CGeoidList geoids(readCoordSysInfo);
    QVERIFY(geoids.readXml(dir.path().toStdString(), "data.xml"));

    QCOMPARE(recalculate(geoids, true, {"50", longitude, "100"}), expected);
}

void TestGeoidGrid::gridRoundTheGlobe_data()
{
    QTest::addColumn<QByteArray>("coordSys");
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QString>("height");

    // The degree of imported definitions, 0.0174532925199433 rad, puts 90 degrees a little
    // beyond the pole and 180 a little beyond the antimeridian.
    const QByteArray rounded = QByteArray(gridCoordSys())
                                   .replace("<FactorB>3.14159265358979323846</FactorB>",
                                            "<FactorB>0.0174532925199433</FactorB>")
                                   .replace("<FactorC>180</FactorC>", "<FactorC>1</FactorC>");
    const QList<QPair<QByteArray, QByteArray>> degrees{{"exact degree", gridCoordSys()},
                                                       {"rounded degree", rounded}};
    for (const auto& degree : degrees) {
        const QByteArray& name = degree.first;
        const QByteArray& coordSys = degree.second;
        // The first column, and 180 degrees east that is the same meridian.
        QTest::newRow(name + ", first column") << coordSys << "0" << "-180" << "200.000";
        QTest::newRow(name + ", 180 east") << coordSys << "0" << "180" << "200.000";
        QTest::newRow(name + ", last column") << coordSys << "0" << "170" << "235.000";
        // At a pole the longitude picks the columns as given.
        QTest::newRow(name + ", north pole, west") << coordSys << "90" << "-0.1" << "317.990";
        QTest::newRow(name + ", north pole, east") << coordSys << "90" << "0.1" << "318.010";
        QTest::newRow(name + ", south pole, west") << coordSys << "-90" << "-0.1" << "117.990";
        QTest::newRow(name + ", south pole, east") << coordSys << "-90" << "0.1" << "118.010";
    }
}

// A grid laid over all longitudes without a period answers every point on it.
void TestGeoidGrid::gridRoundTheGlobe()
{
    QFETCH(QByteArray, coordSys);
    QFETCH(QString, latitude);
    QFETCH(QString, longitude);
    QFETCH(QString, height);
    QTemporaryDir dir;
    QVERIFY(writeGridRoundTheGlobe(dir));
    CGeoidList geoids(readCoordSysInfo);
    QVERIFY(geoids.readXml(dir.path().toStdString(), "data.xml"));

    const QStringList point = recalculate(geoids, true, {latitude, longitude, "100"}, coordSys);
    QCOMPARE(point.value(2), height);
}

void TestGeoidGrid::recalculation_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("heightUnit");
    QTest::addColumn<bool>("fromGeoid");
    QTest::addColumn<QStringList>("point");
    QTest::addColumn<QStringList>("expected");

    // N at (55.25, 37.5) = 0.75 * (10 + 11) / 2 + 0.25 * (12 + 13) / 2 = 11.
    // N at (55.8, 38.25) = 0.2 * (0.75 * 11 + 0.25 * 12) + 0.8 * (0.75 * 13 + 0.25 * 14) = 12.85.
    const QByteArray metre = "";
    const QStringList inner{"55.25", "37.5", "100"};
    const QStringList upper{"55.8", "38.25", "200"};
    for (const QString format : {"grd", "raw"}) {
        const QByteArray name = format.toUtf8();
        QTest::newRow(name + ": normal to ellipsoidal")
            << format << metre << true << inner
            << QStringList{"55.25000000000", "37.50000000000", "111.000"};
        QTest::newRow(name + ": ellipsoidal to normal")
            << format << metre << false << upper
            << QStringList{"55.80000000000", "38.25000000000", "187.150"};
    }
    // The same undulations in feet: 11 ft = 3.3528 m, 12.85 ft = 3.91668 m.
    QTest::newRow("grid in feet: normal to ellipsoidal")
        << "grd" << footHeightUnit() << true << inner
        << QStringList{"55.25000000000", "37.50000000000", "103.353"};
    QTest::newRow("grid in feet: ellipsoidal to normal")
        << "grd" << footHeightUnit() << false << upper
        << QStringList{"55.80000000000", "38.25000000000", "196.083"};
    QTest::newRow("corner node") << "grd" << metre << true << QStringList{"55", "39", "0"}
                                 << QStringList{"55.00000000000", "39.00000000000", "12.000"};
    QTest::newRow("north of the grid") << "grd" << metre << true
                                       << QStringList{"56.01", "38", "100"} << QStringList();
    QTest::newRow("west of the grid") << "raw" << metre << false
                                      << QStringList{"55.5", "36.99", "100"} << QStringList();
}

// Heights between a system on the geoid and one with ellipsoidal heights, against
// undulations interpolated by hand; a point off the grid gets no height.
void TestGeoidGrid::recalculation()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, heightUnit);
    QFETCH(bool, fromGeoid);
    QFETCH(QStringList, point);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    QVERIFY(writeUndulations(dir, format, heightUnit.isEmpty() ? gridCoordSys() : gridCoordSys(heightUnit)));
    CGeoidList geoids(readCoordSysInfo);
    QVERIFY(geoids.readXml(dir.path().toStdString(), "data.xml"));

    QCOMPARE(recalculate(geoids, fromGeoid, point), expected);
}

void TestGeoidGrid::faults_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("fault");

    const QByteArray removed;
    QTest::newRow("grd whole") << "grd" << QString() << removed << QString();
    QTest::newRow("raw whole") << "raw" << QString() << removed << QString();
    QTest::newRow("grd with decimal commas")
        << "grd" << "G.grd" << QByteArray("55 56 37 39 1 1\n12,5 13,5 14,5\n10,5 11,5 12,5\n")
        << "G.grd: «12,5» не является числом";
    QTest::newRow("grd cut short") << "grd" << "G.grd" << kUndulationText.left(28)
                                   << "G.grd: значений 4, а заголовок задаёт 6";
    QTest::newRow("grd header of one row")
        << "grd" << "G.grd" << QByteArray("55 55 37 39 1 1\n12 13 14\n")
        << "G.grd: заголовок (первые шесть чисел) не задаёт сетку хотя бы из 2 × 2 узлов";
    QTest::newRow("grd missing") << "grd" << "G.grd" << removed << "G.grd: нет такого файла";
    QTest::newRow("raw a few bytes short")
        << "raw" << "G.raw" << kUndulationRaw.left(21)
        << "G.raw: размер файла 21 байт, а метаданные (3 × 2 значений по 4 байта) задают 24 байт";
    QTest::newRow("format in capitals")
        << "grd" << "G_meta.xml" << gridMetadata("<Format>GRD</Format>")
        << "G_meta.xml: формат сетки «GRD» не читается: сетка читается только в формате «grd» или «raw»";
    QTest::newRow("format not given") << "grd" << "G_meta.xml" << gridMetadata("")
                                      << "G_meta.xml: не задан формат сетки (элемент Metadata/Grid/Format)";
    QTest::newRow("metadata missing") << "grd" << "G_meta.xml" << removed << "G_meta.xml: нет такого файла";
    QTest::newRow("metadata cut short")
        << "grd" << "G_meta.xml" << gridMetadata("<Format>grd</Format>").left(30)
        << "G_meta.xml: не является документом XML (строка 1: файл обрывается раньше конца документа)";
    QTest::newRow("raw metadata without a cell height")
        << "raw" << "G_meta.xml" << QByteArray(kUndulationMeta).replace("<CellHeight>1</CellHeight>", "")
        << "G_meta.xml: метаданные не задают сетку формата «raw»: нужны BytesPerValue, ColumnCount и RowCount не "
           "меньше 1, CellWidth и CellHeight больше 0, MinColumnCoord и MinRowCoord, а при ColumnCoordPeriod ещё "
           "ColumnCoordRangeMin или ColumnCoordRangeMax";
    QTest::newRow("coordinate system cut short")
        << "grd" << "G_cs.xml" << gridCoordSys().left(200)
        << "G_cs.xml: не является документом XML (строка 8: файл обрывается раньше конца документа)";
    QTest::newRow("coordinate system missing") << "grd" << "G_cs.xml" << removed << "G_cs.xml: нет такого файла";
    QTest::newRow("coordinate system under another root")
        << "grd" << "G_cs.xml" << QByteArray(gridCoordSys()).replace("coordsys>", "system>")
        << "G_cs.xml: нет элемента coordsys";
    QTest::newRow("coordinate system that does not read")
        << "grd" << "G_cs.xml" << QByteArray("<coordsys><Name>x</Name></coordsys>")
        << "G_cs.xml: система координат не читается";
    QTest::newRow("coordinate system without a height unit")
        << "grd" << "G_cs.xml" << gridCoordSys(QByteArray())
        << "G_cs.xml: не задана единица высот (элемент HeightUnit)";
}

// A geoid whose metadata, grid coordinate system or grid does not read whole is not used, and
// the registry names the file and what is wrong with it.
void TestGeoidGrid::faults()
{
    QFETCH(QString, format);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, fault);
    QTemporaryDir dir;
    QVERIFY(writeUndulations(dir, format, gridCoordSys()));
    if (!file.isEmpty())
        QVERIFY(content.isNull() ? QFile::remove(dir.filePath(file)) : writeGeoidFile(dir.filePath(file), content));
    CGeoidList geoids(readCoordSysInfo);
    QVERIFY(geoids.readXml(dir.path().toStdString(), "data.xml"));
    CVertCoordSysInfo system;
    system.geoid = "G";

    CGeoidFault found;
    geoids.getGeoid("G", &found);

    const QString text = found.reason.isEmpty() ? QString()
                                                : QString::fromStdString(found.fileName) + ": " + found.reason;
    QCOMPARE(text, fault);
    QCOMPARE(bool(geoidForVertCoordSys(system, &geoids)), fault.isEmpty());
}

void TestGeoidGrid::gridValues_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("grid");
    QTest::addColumn<QByteArray>("metadata");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QStringList>("heights");
    for (const CGridFixture& fixture : planeGeoidFixtures())
        QTest::newRow(fixture.name) << fixture.format << fixture.grid << fixture.metadata << fixture.loadReason
                                    << fixture.heights;
}

// A text grid holding a value that is no geoid height is refused, naming the node and the value;
// a raster grid, read on demand, gives no height to a point whose cell takes such a node.
void TestGeoidGrid::gridValues()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, grid);
    QFETCH(QByteArray, metadata);
    QFETCH(QString, reason);
    QFETCH(QStringList, heights);
    QTemporaryDir dir;
    QVERIFY(writeGeoidFolder(dir.path(), "G", format, grid, metadata, gridCoordSys()));
    CGeoidList geoids(readCoordSysInfo);
    QVERIFY(geoids.readXml(dir.path().toStdString(), "data.xml"));

    CGeoidFault found;
    geoids.getGeoid("G", &found);

    QCOMPARE(found.reason, reason);
    if (!reason.isEmpty()) {
        QCOMPARE(QString::fromStdString(found.fileName), "G." + format);
        return;
    }
    QStringList given;
    for (const QStringList& point : planePoints)
        given << recalculate(geoids, true, point).value(2);
    QCOMPARE(given, heights);
}

VALUES_TEST_MAIN(TestGeoidGrid)
#include "test_geoidgrid.moc"
