#include "geodesy/grid.h"

#include <QtTest>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace vexa;

namespace {

// Writes rows of 4-byte little-endian floats; rows[0] is the first row of the file.
std::string writeRaster(const QTemporaryDir& dir, const std::vector<std::vector<float>>& rows)
{
    const std::string path = dir.filePath("grid.raw").toStdString();
    std::ofstream out(path, std::ios::binary);
    for (const auto& row : rows) {
        for (float value : row) {
            std::uint32_t bits;
            std::memcpy(&bits, &value, sizeof bits);
            const char bytes[4] = {char(bits & 0xff), char(bits >> 8 & 0xff),
                                   char(bits >> 16 & 0xff), char(bits >> 24 & 0xff)};
            out.write(bytes, 4);
        }
    }
    return path;
}

QString faultText(const CGridTextFault& fault)
{
    switch (fault.kind) {
    case CGridTextFault::NotANumber:
        return QStringLiteral("not a number: %1").arg(QString::fromStdString(fault.token));
    case CGridTextFault::NoGeometry:
        return QStringLiteral("no geometry");
    case CGridTextFault::ValueCount:
        return QStringLiteral("%1 values laid out, %2 given").arg(fault.expected).arg(fault.given);
    case CGridTextFault::NulByte:
        return QStringLiteral("NUL at %1").arg(fault.offset);
    default:
        return QStringLiteral("none");
    }
}

const char* smallGrid = "0 1 0 2 1 1\n"
                        "10 11 12\n"
                        "0 1 2\n";

} // namespace

class TestGrid : public QObject
{
    Q_OBJECT

private slots:
    void readTextLaysOutRows_data();
    void readTextLaysOutRows();
    void readTextRefuses_data();
    void readTextRefuses();
    void interpolateIsBilinearAndClamped();
    void interpolateOfNanOrEmptyGrid();
    void isEqualComparesGeometryAndValues();
    void floatGridFromValues();
    void metadataValidity_data();
    void metadataValidity();
    void rawGridReadsRowsFromTheTop();
    void rawGridRefusesBadGeometryOrShortFile();
    void rawGridUnreadableWindowIsAFailure();
    void rawGridReadsManyWindows();
    void findRefusedInFileOrder();
    void bufferWindowLimits();
};

void TestGrid::readTextLaysOutRows_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("LF") << QString(smallGrid);
    QTest::newRow("CR LF") << QString(smallGrid).replace("\n", "\r\n");
    QTest::newRow("tabs and runs") << "0\t1 0 2\t1 1\n\n10  11\t12 0 1 2";
}

void TestGrid::readTextLaysOutRows()
{
    QFETCH(QString, text);
    C2DGrid<double> grid;
    QVERIFY(grid.readText(text.toStdString()));
    QCOMPARE(grid.getColumnCount(), 3u);
    QCOMPARE(grid.getRowCount(), 2u);
    QCOMPARE(grid.getStep1(), 1.0);
    QCOMPARE(grid.getStep2(), 1.0);
    QCOMPARE(grid.getMin1(), 0.0);
    QCOMPARE(grid.getMin2(), 0.0);
    QCOMPARE(grid.getValue(0, 1), 10.0);
    QCOMPARE(grid.getValue(2, 1), 12.0);
    QCOMPARE(grid.getValue(0, 0), 0.0);
    QCOMPARE(grid.getValue(2, 0), 2.0);
    QCOMPARE(grid.getValueMin(), 0.0);
    QCOMPARE(grid.getValueMax(), 12.0);
    QVERIFY(grid.hasMarker());
    QCOMPARE(grid.getMarker(), 0);
    QVERIFY(!grid.isFileBacked());
}

void TestGrid::readTextRefuses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fault");
    QTest::newRow("one value too many") << "0 1 0 2 1 1 1 2 3 4 5 6 7" << "6 values laid out, 7 given";
    QTest::newRow("one value too few") << "0 1 0 2 1 1 1 2 3 4 5" << "6 values laid out, 5 given";
    QTest::newRow("short header") << "0 1 0 2 1" << "no geometry";
    QTest::newRow("bad header number") << "0 1 0 x 1 1 1 2 3 4 5 6" << "not a number: x";
    QTest::newRow("bad value") << "0 1 0 2 1 1 1 2 3 4 five 6" << "not a number: five";
    QTest::newRow("nan value") << "0 1 0 2 1 1 1 2 nan 4 5 6" << "not a number: nan";
    QTest::newRow("value beyond double") << "0 1 0 2 1 1 1 2 1e999 4 5 6" << "not a number: 1e999";
    // A token is read whole: its leading number is not taken.
    QTest::newRow("value with a decimal comma") << "0 1 0 2 1 1 1 2 3 4 10,5 6" << "not a number: 10,5";
    QTest::newRow("value followed by text") << "0 1 0 2 1 1 1 2 3m 4 5 6" << "not a number: 3m";
    QTest::newRow("header step with a decimal comma") << "0 1 0 2 0,5 1 1 2 3 4 5 6" << "not a number: 0,5";
    QTest::newRow("max below min") << "1 0 0 2 1 1 1 2 3 4 5 6" << "no geometry";
    QTest::newRow("zero step") << "0 1 0 2 0 1 1 2 3 4 5 6" << "no geometry";
    QTest::newRow("negative step") << "0 1 0 2 -1 1 1 2 3 4 5 6" << "no geometry";
    QTest::newRow("one row") << "0 0 0 2 1 1 1 2 3" << "no geometry";
    QTest::newRow("one column") << "0 2 0 0 1 1 1 2 3" << "no geometry";
    // Every byte is read: a NUL is neither a blank nor the end of the text.
    QTest::newRow("NUL among the values") << QString::fromLatin1("0 1 0 2 1 1 1 2 3\0 4 5 6", 24) << "NUL at 17";
    QTest::newRow("NUL after the values") << QString::fromLatin1("0 1 0 2 1 1 1 2 3 4 5 6\0 7", 26) << "NUL at 23";
}

// The grid is emptied, and the fault tells why.
void TestGrid::readTextRefuses()
{
    QFETCH(QString, text);
    QFETCH(QString, fault);
    C2DGrid<double> grid;
    QVERIFY(grid.readText(smallGrid));
    CGridTextFault found;
    QVERIFY(!grid.readText(text.toStdString(), &found));
    QCOMPARE(grid.getColumnCount(), 0u);
    QCOMPARE(grid.getRowCount(), 0u);
    QVERIFY(!grid.hasMarker());
    QCOMPARE(grid.getValueMin(), DBL_MAX);
    QCOMPARE(grid.getValueMax(), DBL_MIN);
    QCOMPARE(faultText(found), fault);
}

void TestGrid::interpolateIsBilinearAndClamped()
{
    C2DGrid<double> grid;
    QVERIFY(grid.readText("100 102 10 16 2 3\n"
                          "10 11 12\n"
                          "0 1 2\n"));
    // nodes: x1 = 10, 13, 16; x2 = 100, 102
    QCOMPARE(grid.interpolate(13.0, 100.0), 1.0);
    QCOMPARE(grid.interpolate(16.0, 102.0), 12.0);
    QCOMPARE(grid.interpolate(11.5, 101.0), 5.5);
    QCOMPARE(grid.interpolate(20.0, 101.0), 7.0);   // beyond the last column
    QCOMPARE(grid.interpolate(5.0, 100.5), 2.5);    // left of the first column
    QCOMPARE(grid.interpolate(14.5, 90.0), 1.5);    // below the first row
    QCOMPARE(grid.interpolate(-1e300, 1e300), 10.0);
}

void TestGrid::interpolateOfNanOrEmptyGrid()
{
    C2DGrid<double> grid;
    QVERIFY_EXCEPTION_THROWN(grid.interpolate(0.0, 0.0), std::runtime_error);
    QVERIFY(grid.readText(smallGrid));
    QVERIFY(std::isnan(grid.interpolate(std::nan(""), 0.5)));
    QVERIFY(std::isnan(grid.interpolate(0.5, std::nan(""))));
}

void TestGrid::isEqualComparesGeometryAndValues()
{
    C2DGrid<double> a;
    C2DGrid<double> b;
    QVERIFY(a.readText(smallGrid));
    QVERIFY(b.readText(smallGrid));
    QVERIFY(a.isEqual(b));
    const C2DGrid<double> copy(a);
    QVERIFY(copy.isEqual(a));
    QVERIFY(b.readText("0 1 0 2 1 1 10 11 12 0 1.5 2"));
    QVERIFY(!a.isEqual(b));
    QVERIFY(b.readText("0 1 0 2 1 1 10 11 12 0 2 1"));
    QVERIFY(!a.isEqual(b)); // same range, other values
    QVERIFY(b.readText("0 4 0 1 2 1 10 11 12 0 1 2"));
    QVERIFY(!a.isEqual(b));
}

void TestGrid::floatGridFromValues()
{
    C2DGrid<float> grid;
    QVERIFY(!grid.create(1, 5, 1.0f, 1.0f, 0.0f, 0.0f));
    QVERIFY(!grid.create(2, 2, 1.0f, -1.0f, 0.0f, 0.0f));
    QVERIFY(grid.create(2, 3, 0.5f, 2.0f, 1.0f, -4.0f));
    QCOMPARE(grid.getValue(1, 2), 0.0f);
    QVERIFY_EXCEPTION_THROWN(grid.setValue(2, 0, 1.0f), std::out_of_range);
    QVERIFY_EXCEPTION_THROWN(grid.getValue(0, 3), std::out_of_range);
    const float values[2][3] = {{-5.0f, -4.0f, -3.0f}, {-6.0f, -2.0f, -1.0f}};
    for (unsigned i = 0; i < 2; ++i) {
        for (unsigned j = 0; j < 3; ++j)
            grid.setValue(i, j, values[i][j]);
    }
    QCOMPARE(grid.getValueMin(), -6.0f);
    QCOMPARE(grid.getValueMax(), -1.0f);
    QVERIFY(!grid.hasMarker());
    QCOMPARE(grid.interpolate(1.25f, -2.0f), -3.0f);
    QCOMPARE(grid.interpolate(1.5f, 0.0f), -1.0f);

    C2DGrid<float> copy;
    copy = grid;
    QVERIFY(copy.isEqual(grid));
}

void TestGrid::metadataValidity_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("cellWidth");
    QTest::addColumn<double>("period");
    QTest::addColumn<double>("rangeMin");
    QTest::addColumn<double>("rangeMax");
    QTest::addColumn<bool>("valid");
    QTest::newRow("grd bare") << "grd" << 0.0 << 0.0 << DBL_MAX << DBL_MAX << true;
    QTest::newRow("empty format") << "" << 0.0 << 0.0 << DBL_MAX << DBL_MAX << false;
    QTest::newRow("other format") << "txt" << 0.0 << 0.0 << DBL_MAX << DBL_MAX << false;
    QTest::newRow("grd period no range") << "grd" << 0.0 << 360.0 << DBL_MAX << DBL_MAX << false;
    QTest::newRow("grd period range min") << "grd" << 0.0 << 360.0 << -180.0 << DBL_MAX << true;
    QTest::newRow("grd period range max") << "grd" << 0.0 << 360.0 << DBL_MAX << 180.0 << true;
    QTest::newRow("raw complete") << "raw" << 0.5 << 0.0 << DBL_MAX << DBL_MAX << true;
    QTest::newRow("raw zero cell width") << "raw" << 0.0 << 0.0 << DBL_MAX << DBL_MAX << false;
    QTest::newRow("raw period no range") << "raw" << 0.5 << 360.0 << DBL_MAX << DBL_MAX << false;
}

void TestGrid::metadataValidity()
{
    QFETCH(QString, format);
    QFETCH(double, cellWidth);
    QFETCH(double, period);
    QFETCH(double, rangeMin);
    QFETCH(double, rangeMax);
    QFETCH(bool, valid);
    CGridMetadata metadata;
    metadata.Format = format.toStdString();
    if (metadata.Format == "raw") {
        metadata.BytesPerValue = 4;
        metadata.ColumnCount = 3;
        metadata.RowCount = 2;
        metadata.CellHeight = 0.5;
        metadata.MinColumnCoord = 10.0;
        metadata.MinRowCoord = 50.0;
    }
    metadata.CellWidth = cellWidth;
    metadata.ColumnCoordPeriod = period;
    metadata.ColumnCoordRangeMin = rangeMin;
    metadata.ColumnCoordRangeMax = rangeMax;
    QCOMPARE(metadata.isValid(), valid);
    metadata.clear();
    QVERIFY(metadata.Format.empty());
    QCOMPARE(metadata.MinRowCoord, DBL_MAX);
}

void TestGrid::rawGridReadsRowsFromTheTop()
{
    QTemporaryDir dir;
    const std::string path = writeRaster(dir, {{10.0f, 11.0f, 12.0f}, {0.0f, 1.0f, 2.5f}});
    C2DGrid<double> grid;
    QVERIFY(grid.openRaw(path, 3, 2, 1.0, 2.0, 10.0, 50.0));
    QVERIFY(grid.isFileBacked());
    QCOMPARE(grid.getFileName(), path);
    QCOMPARE(grid.getValue(0, 1), 10.0);
    QCOMPARE(grid.getValue(2, 0), 2.5);
    QCOMPARE(grid.interpolate(11.5, 51.0), 6.625);
    QVERIFY(!grid.hasMarker());

    const C2DGrid<double> copy(grid);
    QCOMPARE(copy.getValue(1, 0), 1.0);
    C2DGrid<double> other;
    QVERIFY(other.openRaw(path, 3, 2, 1.0, 2.0, 10.0, 50.0));
    QVERIFY(other.isEqual(grid));
    QVERIFY(!other.isEqual(C2DGrid<double>()));
}

void TestGrid::rawGridRefusesBadGeometryOrShortFile()
{
    QTemporaryDir dir;
    const std::string path = writeRaster(dir, {{1.0f, 2.0f, 3.0f}, {4.0f, 5.0f, 6.0f}});
    C2DGrid<double> grid;
    QVERIFY(!grid.openRaw(path, 3, 3, 1.0, 1.0, 0.0, 0.0));  // file too short
    QVERIFY(!grid.openRaw(path, 6, 1, 1.0, 1.0, 0.0, 0.0));  // one row
    QVERIFY(!grid.openRaw(path, 1, 6, 1.0, 1.0, 0.0, 0.0));  // one column
    QVERIFY(!grid.openRaw(path, 3, 2, -1.0, 1.0, 0.0, 0.0)); // negative step
    QVERIFY(!grid.openRaw(dir.filePath("missing.raw").toStdString(), 3, 2, 1.0, 1.0, 0.0, 0.0));
    QVERIFY(!grid.isFileBacked());
    QCOMPARE(grid.getColumnCount(), 0u);
}

void TestGrid::rawGridUnreadableWindowIsAFailure()
{
    QTemporaryDir dir;
    const std::string path = writeRaster(dir, {{1.0f, 2.0f, 3.0f}, {4.0f, 5.0f, 6.0f}});
    C2DGrid<double> grid;
    QVERIFY(grid.openRaw(path, 3, 2, 1.0, 1.0, 0.0, 0.0));
    QVERIFY(QFile::resize(QString::fromStdString(path), 8));
    QVERIFY_EXCEPTION_THROWN(grid.getValue(0, 0), std::runtime_error);
    QVERIFY_EXCEPTION_THROWN(grid.interpolate(0.5, 0.5), std::runtime_error);
}

void TestGrid::rawGridReadsManyWindows()
{
    const unsigned columns = 3000;
    std::vector<std::vector<float>> rows(3, std::vector<float>(columns));
    for (unsigned i = 0; i < columns; ++i) {
        rows[0][i] = float(i) + 0.5f; // row 2
        rows[1][i] = float(i);        // row 1
        rows[2][i] = -float(i);       // row 0
    }
    QTemporaryDir dir;
    const std::string path = writeRaster(dir, rows);
    C2DGrid<double> grid;
    QVERIFY(grid.openRaw(path, columns, 3, 1.0, 1.0, 0.0, 0.0));
    const unsigned probes[] = {0, 2999, 1500, 2048, 1024, 3, 2998, 0};
    for (unsigned i : probes) {
        QCOMPARE(grid.getValue(i, 0), -double(i));
        QCOMPARE(grid.getValue(i, 1), double(i));
        QCOMPARE(grid.getValue(i, 2), double(i) + 0.5);
    }
    QCOMPARE(grid.interpolate(2999.0, 1.5), 2999.25);
}

// The first node refused, rows from the last one down, in memory and in a raster file alike; a
// checked interpolation refuses a cell that takes such a node, whatever its weight.
void TestGrid::findRefusedInFileOrder()
{
    QTemporaryDir dir;
    const std::string path = writeRaster(dir, {{1.0f, 2.0f, -9999.0f}, {4.0f, -9999.0f, 6.0f}});
    C2DGrid<double> inFile;
    QVERIFY(inFile.openRaw(path, 3, 2, 1.0, 1.0, 0.0, 0.0));
    C2DGrid<double> inMemory;
    QVERIFY(inMemory.readText("0 1 0 2 1 1 1 2 -9999 4 -9999 6"));
    const auto positive = [](const double& value) { return value > 0.0; };
    const auto finite = [](const double& value) { return std::isfinite(value); };
    for (const C2DGrid<double>* grid : {&inFile, &inMemory}) {
        unsigned i = 0;
        unsigned j = 0;
        double value = 0.0;
        QVERIFY(grid->findRefused(positive, &i, &j, &value));
        QCOMPARE(i, 2u);
        QCOMPARE(j, 1u);
        QCOMPARE(value, -9999.0);
        QVERIFY(!grid->findRefused(finite, &i, &j, &value));
        QVERIFY(grid->interpolate(0.5, 0.5, finite, &value));
        QCOMPARE(value, grid->interpolate(0.5, 0.5));
        QVERIFY(!grid->interpolate(0.01, 0.01, positive, &value));
    }
    QVERIFY(QFile::resize(QString::fromStdString(path), 20));
    unsigned i = 0;
    unsigned j = 0;
    double value = 0.0;
    QVERIFY_EXCEPTION_THROWN(inFile.findRefused(finite, &i, &j, &value), std::runtime_error);
}

void TestGrid::bufferWindowLimits()
{
    std::istringstream empty;
    CGridBufferRaw<float> buffer;
    QVERIFY(!buffer.readWindow(empty, 0, 0, 3, 2, 4, 1));
    QVERIFY(!buffer.readWindow(empty, -1, 0, 3, 2, 1, 1));
    QVERIFY(!buffer.readWindow(empty, 0, 1, 3, 2, 1, 2));
    QVERIFY(!buffer.readWindow(empty, 0, 0, 3, 2, 0, 1));
    QVERIFY(!buffer.readWindow(empty, 0, 0, 3, 2, 3, 2)); // nothing to read
    QVERIFY(!buffer.isLoaded());

    const char bytes[8] = {0, 0, char(0x80), 0x3f, 0, 0, 0, 0x40}; // 1.0f, 2.0f
    std::istringstream raster(std::string(bytes, 8));
    QVERIFY(buffer.readWindow(raster, 1, 0, 2, 1, 1, 1));
    QVERIFY(buffer.isLoaded());
    double value = 0.0;
    QVERIFY(buffer.getValue(1, 0, &value));
    QCOMPARE(value, 2.0);
    QVERIFY(!buffer.getValue(0, 0, &value));
    QCOMPARE(value, DBL_MAX);
    buffer.release();
    QVERIFY(!buffer.isLoaded());
    QVERIFY(!buffer.getValue(1, 0, &value));
}

QTEST_APPLESS_MAIN(TestGrid)
#include "test_grid.moc"
