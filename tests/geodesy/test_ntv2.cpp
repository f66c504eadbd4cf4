#include "geodesy/ntv2.h"

#include "ntv2testfile.h"
#include "referencetable.h"

#include <QtTest>

#include <functional>

using namespace vexa;

namespace {

constexpr double kPi = 3.141592653589793;
// About 0.3 mm on the ground.
constexpr double kSecondsTolerance = 1e-5;

enum FileForm
{
    Binary,
    Ascii
};

QByteArray fileContents(FileForm form, const std::vector<CNTv2TestSubGrid>& subGrids)
{
    return form == Binary ? ntv2BinaryFile(subGrids) : ntv2AsciiFile(subGrids);
}

bool load(CNTv2GridFile& gridFile, FileForm form, const QString& path)
{
    return form == Binary ? gridFile.loadBinary(path.toStdString())
                          : gridFile.loadAscii(path.toStdString());
}

// Offset of the value of a record of a sub-grid header in the binary test file.
int binaryHeaderValue(int subGrid, int record)
{
    const int nodesBefore = subGrid == 0 ? 0 : 25;
    return 176 + subGrid * 176 + nodesBefore * 16 + record * 16 + 8;
}

} // namespace

class TestNTv2 : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void writerGivesTheReferenceFile();
    void loadsEverySubGrid_data();
    void loadsEverySubGrid();
    void bothFormsHoldTheSameNodes();
    void shiftsMatchReference_data();
    void shiftsMatchReference();
    void finestSubGridWins();
    void reverseUndoesForward();
    void reverseAtNorthEastCorners_data();
    void reverseAtNorthEastCorners();
    void pointOutsideEverySubGridFails_data();
    void pointOutsideEverySubGridFails();
    void emptyFileConvertsNothing();
    void refusesBrokenFiles_data();
    void refusesBrokenFiles();
    void binaryKeywordsAreNotChecked();
    void asciiToleratesCrLf();
    void nodeCountFollowsLimits();
    void angleUnitFollowsHeader_data();
    void angleUnitFollowsHeader();

private:
    QString write(const QByteArray& contents, const QString& name = "grid");
    bool loadTestFile(CNTv2GridFile& gridFile, FileForm form);

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestNTv2::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

QString TestNTv2::write(const QByteArray& contents, const QString& name)
{
    return writeNtv2TestFile(m_dir->filePath(name), contents);
}

bool TestNTv2::loadTestFile(CNTv2GridFile& gridFile, FileForm form)
{
    const QString name = form == Binary ? "test.gsb" : "test.gsa";
    return load(gridFile, form, write(fileContents(form, ntv2TestSubGrids()), name));
}

void TestNTv2::writerGivesTheReferenceFile()
{
    QFile reference(TESTDATA_DIR "/ntv2_reference.gsb");
    QVERIFY(reference.open(QIODevice::ReadOnly));
    QVERIFY(reference.readAll() == ntv2BinaryFile(ntv2TestSubGrids()));
}

void TestNTv2::loadsEverySubGrid_data()
{
    QTest::addColumn<int>("form");
    QTest::newRow("binary") << int(Binary);
    QTest::newRow("ascii") << int(Ascii);
}

void TestNTv2::loadsEverySubGrid()
{
    QFETCH(int, form);
    CNTv2GridFile gridFile;
    QVERIFY(loadTestFile(gridFile, FileForm(form)));
    QVERIFY(gridFile.isValid());

    const CNTv2OverviewHeader& header = gridFile.getHeader();
    QCOMPARE(header.NUM_FILE, 2);
    QCOMPARE(header.MAJOR_T, 6378137.0);
    QCOMPARE(header.MINOR_F, 6356583.8);
    QCOMPARE(gridFile.angleUnit(), kPi / 648000.0);

    QCOMPARE(gridFile.getSubGrids().size(), std::size_t(2));
    const CNTv2SubGrid& child = gridFile.getSubGrids()[1];
    QCOMPARE(QString::fromStdString(child.header.SUB_NAME).trimmed(), QString("CHILD"));
    QCOMPARE(QString::fromStdString(child.header.PARENT).trimmed(), QString("PARENT"));
    QCOMPARE(child.header.GS_COUNT, 25);
    QCOMPARE(child.header.W_LONG, -36900.0);
    QCOMPARE(child.latitudeShifts.getColumnCount(), 5u);
    QCOMPARE(child.latitudeShifts.getRowCount(), 5u);
    QCOMPARE(child.latitudeShifts.getMin2(), 36900.0);

    // The first record is the south-eastern node: first row, last longitude column.
    const CNTv2TestSubGrid written = ntv2TestSubGrids()[1];
    QCOMPARE(child.latitudeShifts.getValue(0, 4),
             double(ntv2TestLatitudeShift(written.sLat, written.eLong)));
    QCOMPARE(child.longitudeShifts.getValue(4, 0),
             double(ntv2TestLongitudeShift(written.nLat, written.wLong)));
}

void TestNTv2::bothFormsHoldTheSameNodes()
{
    CNTv2GridFile binary;
    CNTv2GridFile ascii;
    QVERIFY(loadTestFile(binary, Binary));
    QVERIFY(loadTestFile(ascii, Ascii));
    for (std::size_t k = 0; k < 2; ++k) {
        QVERIFY(
            binary.getSubGrids()[k].latitudeShifts.isEqual(ascii.getSubGrids()[k].latitudeShifts));
        QVERIFY(binary.getSubGrids()[k].longitudeShifts.isEqual(
            ascii.getSubGrids()[k].longitudeShifts));
    }
}

void TestNTv2::shiftsMatchReference_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<bool>("isForward");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("expectedLongitude");
    QTest::addColumn<double>("expectedLatitude");

    const QVector<QVector<double>> rows = readReferenceTable("ntv2_hgridshift.txt");
    QVERIFY(!rows.isEmpty());
    for (const QVector<double>& row : rows) {
        QCOMPARE(row.size(), 5);
        for (int form : {int(Binary), int(Ascii)}) {
            const QString name = QString("%1 %2 %3 %4")
                                     .arg(form == Binary ? "binary" : "ascii",
                                          row[0] == 1 ? "forward" : "reverse")
                                     .arg(row[1])
                                     .arg(row[2]);
            QTest::newRow(qPrintable(name))
                << form << (row[0] == 1) << row[1] << row[2] << row[3] << row[4];
        }
    }
}

void TestNTv2::shiftsMatchReference()
{
    QFETCH(int, form);
    QFETCH(bool, isForward);
    QFETCH(double, longitude);
    QFETCH(double, latitude);
    QFETCH(double, expectedLongitude);
    QFETCH(double, expectedLatitude);

    CNTv2GridFile gridFile;
    QVERIFY(loadTestFile(gridFile, FileForm(form)));
    double outLatitude = 0.0;
    double outLongitude = 0.0;
    const double inLatitude = latitude * 3600.0;
    const double inLongitude = longitude * 3600.0;
    QVERIFY(isForward ? gridFile.forward(inLatitude, inLongitude, outLatitude, outLongitude)
                      : gridFile.reverse(inLatitude, inLongitude, outLatitude, outLongitude));
    QVERIFY(std::fabs(outLatitude - expectedLatitude * 3600.0) < kSecondsTolerance);
    QVERIFY(std::fabs(outLongitude - expectedLongitude * 3600.0) < kSecondsTolerance);
}

void TestNTv2::finestSubGridWins()
{
    CNTv2GridFile gridFile;
    QVERIFY(loadTestFile(gridFile, Binary));
    // A node of the child that the parent does not have.
    const double latitude = 180900.0 + 225.0;
    const double longitudeWest = -36900.0 - 675.0;
    double latitudeShift = 0.0;
    double longitudeShift = 0.0;
    QVERIFY(gridFile.interpolate(latitude, -longitudeWest, latitudeShift, longitudeShift));
    QCOMPARE(latitudeShift, double(ntv2TestLatitudeShift(latitude, longitudeWest)));
    QCOMPARE(longitudeShift, double(ntv2TestLongitudeShift(latitude, longitudeWest)));

    double parentLatitudeShift = 0.0;
    double parentLongitudeShift = 0.0;
    gridFile.getSubGrids()[0].interpolate(latitude, -longitudeWest, parentLatitudeShift,
                                          parentLongitudeShift);
    QVERIFY(std::fabs(parentLatitudeShift - latitudeShift) > 0.01);
}

void TestNTv2::reverseUndoesForward()
{
    CNTv2GridFile gridFile;
    QVERIFY(loadTestFile(gridFile, Binary));
    // Across the child's border: the target lies in the child, the source in the parent only.
    const double startLatitude = 50.2499 * 3600.0;
    const double startLongitude = 10.3 * 3600.0;
    double latitude = startLatitude;
    double longitude = startLongitude;
    QVERIFY(gridFile.forward(latitude, longitude));
    QVERIFY(latitude > 50.25 * 3600.0);
    QVERIFY(gridFile.reverse(latitude, longitude));
    QVERIFY(std::fabs(latitude - startLatitude) < 1e-6);
    QVERIFY(std::fabs(longitude - startLongitude) < 1e-6);
}

void TestNTv2::reverseAtNorthEastCorners_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::newRow("north-east corner") << 51.0 << 11.0;
    QTest::newRow("north edge") << 51.0 << 10.5;
    QTest::newRow("east edge") << 50.5 << 11.0;
}

// Where the forward answers, the reverse of its result answers too, even when the shifted
// point lies beyond the grid.
void TestNTv2::reverseAtNorthEastCorners()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    CNTv2GridFile gridFile;
    QVERIFY(loadTestFile(gridFile, Binary));
    double shiftedLatitude = latitude * 3600.0;
    double shiftedLongitude = longitude * 3600.0;
    QVERIFY(gridFile.forward(shiftedLatitude, shiftedLongitude));
    QVERIFY(gridFile.reverse(shiftedLatitude, shiftedLongitude));
    QVERIFY(std::fabs(shiftedLatitude - latitude * 3600.0) < 1e-6);
    QVERIFY(std::fabs(shiftedLongitude - longitude * 3600.0) < 1e-6);
}

void TestNTv2::pointOutsideEverySubGridFails_data()
{
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<bool>("forwardFails");
    QTest::newRow("west") << 9.99 << 50.5 << true;
    QTest::newRow("north") << 10.5 << 51.01 << true;
    QTest::newRow("south") << 10.5 << 49.999 << true;
    QTest::newRow("east") << 11.001 << 50.5 << true;
    QTest::newRow("on the edge, source west of it") << 10.0 << 50.5 << false;
    QTest::newRow("corner, source south-west of it") << 10.0 << 50.0 << false;
}

void TestNTv2::pointOutsideEverySubGridFails()
{
    QFETCH(double, longitude);
    QFETCH(double, latitude);
    QFETCH(bool, forwardFails);
    CNTv2GridFile gridFile;
    QVERIFY(loadTestFile(gridFile, Binary));

    double outLatitude = 1.0;
    double outLongitude = 2.0;
    QVERIFY(!gridFile.reverse(latitude * 3600.0, longitude * 3600.0, outLatitude, outLongitude));
    QCOMPARE(outLatitude, 1.0);
    QCOMPARE(outLongitude, 2.0);
    double inLatitude = latitude * 3600.0;
    double inLongitude = longitude * 3600.0;
    QCOMPARE(gridFile.forward(inLatitude, inLongitude), !forwardFails);
    if (forwardFails) {
        QCOMPARE(inLatitude, latitude * 3600.0);
        QCOMPARE(inLongitude, longitude * 3600.0);
    }
}

void TestNTv2::emptyFileConvertsNothing()
{
    CNTv2GridFile gridFile;
    double latitude = 0.0;
    double longitude = 0.0;
    double latitudeShift = 0.0;
    double longitudeShift = 0.0;
    QVERIFY(!gridFile.isValid());
    QVERIFY(!gridFile.interpolate(latitude, longitude, latitudeShift, longitudeShift));
    QVERIFY(!gridFile.forward(latitude, longitude));
    QVERIFY(!gridFile.reverse(latitude, longitude));
}

void TestNTv2::refusesBrokenFiles_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QByteArray>("contents");

    const QByteArray binary = ntv2BinaryFile(ntv2TestSubGrids());
    const QByteArray ascii = ntv2AsciiFile(ntv2TestSubGrids());
    const int childCount = binaryHeaderValue(1, 10);

    QTest::newRow("binary node count above the header's")
        << int(Binary) << QByteArray(binary).replace(childCount, 1, "\x1a");
    QTest::newRow("binary node count below the header's")
        << int(Binary) << QByteArray(binary).replace(childCount, 1, "\x18");
    QTest::newRow("binary without the second sub-grid")
        << int(Binary) << binary.left(176 * 2 + 25 * 16);
    QTest::newRow("binary cut inside the nodes")
        << int(Binary) << binary.left(176 * 3 + 25 * 16 + 100);
    QTest::newRow("binary big-endian")
        << int(Binary) << QByteArray(binary).replace(8, 4, QByteArray("\0\0\0\x0b", 4));
    QTest::newRow("binary unknown unit")
        << int(Binary) << QByteArray(binary).replace(56, 8, "RADIANS ");
    QTest::newRow("binary no latitude spacing")
        << int(Binary)
        << QByteArray(binary).replace(binaryHeaderValue(0, 8), 8, QByteArray(8, '\0'));

    QTest::newRow("ascii node count disagrees")
        << int(Ascii) << QByteArray(ascii).replace("GS_COUNT25", "GS_COUNT24");
    QTest::newRow("ascii misspelt keyword")
        << int(Ascii) << QByteArray(ascii).replace("MAJOR_T", "MAJR_T ");
    QTest::newRow("ascii repeated keyword")
        << int(Ascii) << QByteArray(ascii).replace("MINOR_T", "MAJOR_T");
    QTest::newRow("ascii number that does not read")
        << int(Ascii) << QByteArray(ascii).replace("LAT_INC 900", "LAT_INC abc");
    QTest::newRow("ascii node line with one number")
        << int(Ascii) << QByteArray(ascii).replace("1.375 -3.125 0.01 0.02", "1.375");
    QTest::newRow("ascii node that is not a number")
        << int(Ascii) << QByteArray(ascii).replace("1.375 -3.125 0.01 0.02", "nan -3.125");
    QTest::newRow("ascii without the last node")
        << int(Ascii) << ascii.left(ascii.lastIndexOf('\n', ascii.size() - 2) + 1);
    QTest::newRow("ascii single row")
        << int(Ascii) << ntv2AsciiFile({{"ROW", "NONE", 0.0, 0.0, -1200.0, 0.0, 300.0, 300.0}});
    QTest::newRow("ascii no sub-grid")
        << int(Ascii) << QByteArray(ascii).replace("NUM_FILE2", "NUM_FILE0");
}

void TestNTv2::refusesBrokenFiles()
{
    QFETCH(int, form);
    QFETCH(QByteArray, contents);
    CNTv2GridFile gridFile;
    QVERIFY(loadTestFile(gridFile, Binary));
    QVERIFY(!load(gridFile, FileForm(form), write(contents)));
    QVERIFY(!gridFile.isValid());
    QVERIFY(gridFile.getSubGrids().empty());
    QCOMPARE(gridFile.getHeader().NUM_OREC, 0);
}

void TestNTv2::binaryKeywordsAreNotChecked()
{
    QByteArray contents = ntv2BinaryFile(ntv2TestSubGrids());
    contents.replace(0, 8, "NUM_OREX");
    contents.replace(binaryHeaderValue(0, 0) - 8, 8, "SUBNAME ");
    CNTv2GridFile gridFile;
    QVERIFY(gridFile.loadBinary(write(contents).toStdString()));
    QCOMPARE(gridFile.getSubGrids().size(), std::size_t(2));
}

void TestNTv2::asciiToleratesCrLf()
{
    CNTv2GridFile lineFeeds;
    CNTv2GridFile crLineFeeds;
    const QByteArray contents = ntv2AsciiFile(ntv2TestSubGrids());
    QVERIFY(lineFeeds.loadAscii(write(contents, "lf").toStdString()));
    const QByteArray withCr = QByteArray(contents).replace("\n", "\r\n");
    QVERIFY(crLineFeeds.loadAscii(write(withCr, "crlf").toStdString()));
    QCOMPARE(crLineFeeds.getHeader().GS_TYPE, lineFeeds.getHeader().GS_TYPE);
    QCOMPARE(crLineFeeds.getSubGrids()[1].header.SUB_NAME, std::string("CHILD"));
    QVERIFY(crLineFeeds.getSubGrids()[1].longitudeShifts.isEqual(
        lineFeeds.getSubGrids()[1].longitudeShifts));
}

void TestNTv2::nodeCountFollowsLimits()
{
    // One degree of latitude at 300" spacing: 13 rows.
    const CNTv2TestSubGrid subGrid = {"ONE", "NONE", 0.0, 3600.0, -600.0, 0.0, 300.0, 300.0};
    CNTv2GridFile gridFile;
    QVERIFY(gridFile.loadAscii(write(ntv2AsciiFile({subGrid})).toStdString()));
    QCOMPARE(gridFile.getSubGrids()[0].latitudeShifts.getColumnCount(), 13u);
    QCOMPARE(gridFile.getSubGrids()[0].latitudeShifts.getRowCount(), 3u);
}

void TestNTv2::angleUnitFollowsHeader_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("radians");
    QTest::newRow("seconds") << "SECONDS " << kPi / 648000.0;
    QTest::newRow("minutes") << "MINUTES " << kPi / 10800.0;
    QTest::newRow("degrees") << "DEGREES " << kPi / 180.0;
    QTest::newRow("unknown") << "GRADS   " << 0.0;
}

void TestNTv2::angleUnitFollowsHeader()
{
    QFETCH(QString, unit);
    QFETCH(double, radians);
    CNTv2OverviewHeader header;
    header.GS_TYPE = unit.toStdString();
    QCOMPARE(header.angleUnit(), radians);
}

QTEST_APPLESS_MAIN(TestNTv2)

#include "test_ntv2.moc"
