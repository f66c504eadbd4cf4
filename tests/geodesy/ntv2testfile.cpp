#include "ntv2testfile.h"

#include <QFile>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {

constexpr double kPi = 3.141592653589793;

QByteArray keyword(const char* name)
{
    return QByteArray(name).leftJustified(8, ' ', true);
}

QByteArray record(const char* name, qint32 value)
{
    char bytes[8] = {};
    qToLittleEndian(value, bytes);
    return keyword(name) + QByteArray(bytes, 8);
}

QByteArray record(const char* name, double value)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    return keyword(name) + QByteArray(bytes, 8);
}

QByteArray record(const char* name, const char* text)
{
    return keyword(name) + keyword(text);
}

QByteArray littleEndianFloat(float value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray line(const char* name, const QByteArray& value)
{
    return keyword(name) + value + '\n';
}

QByteArray number(double value)
{
    return QByteArray::number(value, 'g', 17);
}

// Calls visit(latitude, longitudeWest) for every node in file order: rows from the south,
// each row from its eastern-most node.
template <class Visit>
void forEachNode(const CNTv2TestSubGrid& subGrid, Visit visit)
{
    for (int row = 0; row < subGrid.latitudeNodes(); ++row) {
        for (int column = 0; column < subGrid.longitudeNodes(); ++column)
            visit(subGrid.sLat + row * subGrid.latInc, subGrid.eLong + column * subGrid.longInc);
    }
}

} // namespace

int CNTv2TestSubGrid::latitudeNodes() const
{
    return int(std::lround((nLat - sLat) / latInc)) + 1;
}

int CNTv2TestSubGrid::longitudeNodes() const
{
    return int(std::lround((wLong - eLong) / longInc)) + 1;
}

std::vector<CNTv2TestSubGrid> ntv2TestSubGrids()
{
    return {{"PARENT", "NONE", 180000.0, 183600.0, -39600.0, -36000.0, 900.0, 900.0},
            {"CHILD", "PARENT", 180900.0, 181800.0, -37800.0, -36900.0, 225.0, 225.0}};
}

float ntv2TestLatitudeShift(double latitude, double longitudeWest)
{
    const double u = (latitude - 180000.0) / 3600.0 * kPi;
    const double v = (-36000.0 - longitudeWest) / 3600.0 * kPi;
    return float(1.25 + 0.5 * std::sin(u) * std::cos(v) + 0.25 * u / kPi + 0.125 * v / kPi);
}

float ntv2TestLongitudeShift(double latitude, double longitudeWest)
{
    const double u = (latitude - 180000.0) / 3600.0 * kPi;
    const double v = (-36000.0 - longitudeWest) / 3600.0 * kPi;
    return float(-3.5 + 0.75 * std::cos(u) * std::sin(v) + 0.375 * v / kPi - 0.125 * u / kPi);
}

QByteArray ntv2BinaryFile(const std::vector<CNTv2TestSubGrid>& subGrids)
{
    QByteArray file = record("NUM_OREC", qint32(11)) + record("NUM_SREC", qint32(11))
        + record("NUM_FILE", qint32(subGrids.size())) + record("GS_TYPE", "SECONDS")
        + record("VERSION", "NTv2.0") + record("SYSTEM_F", "TESTFROM")
        + record("SYSTEM_T", "TESTTO") + record("MAJOR_F", 6378206.4)
        + record("MINOR_F", 6356583.8) + record("MAJOR_T", 6378137.0)
        + record("MINOR_T", 6356752.314);
    for (const CNTv2TestSubGrid& subGrid : subGrids) {
        file += record("SUB_NAME", subGrid.name) + record("PARENT", subGrid.parent)
            + record("CREATED", "20240101") + record("UPDATED", "20240101")
            + record("S_LAT", subGrid.sLat) + record("N_LAT", subGrid.nLat)
            + record("E_LONG", subGrid.eLong) + record("W_LONG", subGrid.wLong)
            + record("LAT_INC", subGrid.latInc) + record("LONG_INC", subGrid.longInc)
            + record("GS_COUNT", qint32(subGrid.latitudeNodes() * subGrid.longitudeNodes()));
        forEachNode(subGrid, [&file](double latitude, double longitudeWest) {
            file += littleEndianFloat(ntv2TestLatitudeShift(latitude, longitudeWest))
                + littleEndianFloat(ntv2TestLongitudeShift(latitude, longitudeWest))
                + littleEndianFloat(0.01f) + littleEndianFloat(0.02f);
        });
    }
    return file + record("END", 0.0);
}

QByteArray ntv2AsciiFile(const std::vector<CNTv2TestSubGrid>& subGrids)
{
    QByteArray file = line("NUM_OREC", "11") + line("NUM_SREC", "11")
        + line("NUM_FILE", QByteArray::number(qint32(subGrids.size())))
        + line("GS_TYPE", "SECONDS") + line("VERSION", "NTv2.0")
        + line("SYSTEM_F", "TESTFROM") + line("SYSTEM_T", "TESTTO")
        + line("MAJOR_F", "6378206.400") + line("MINOR_F", "6356583.800")
        + line("MAJOR_T", "6378137.000") + line("MINOR_T", "6356752.314");
    for (const CNTv2TestSubGrid& subGrid : subGrids) {
        file += line("SUB_NAME", subGrid.name) + line("PARENT", subGrid.parent)
            + line("CREATED", "20240101") + line("UPDATED", "20240101")
            + line("S_LAT", number(subGrid.sLat)) + line("N_LAT", number(subGrid.nLat))
            + line("E_LONG", number(subGrid.eLong)) + line("W_LONG", number(subGrid.wLong))
            + line("LAT_INC", number(subGrid.latInc)) + line("LONG_INC", number(subGrid.longInc))
            + line("GS_COUNT",
                   QByteArray::number(subGrid.latitudeNodes() * subGrid.longitudeNodes()));
        forEachNode(subGrid, [&file](double latitude, double longitudeWest) {
            file += number(ntv2TestLatitudeShift(latitude, longitudeWest)) + ' '
                + number(ntv2TestLongitudeShift(latitude, longitudeWest)) + " 0.01 0.02\n";
        });
    }
    return file;
}

QString writeNtv2TestFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return QString();
    return path;
}
