#ifndef NTV2TESTFILE_H
#define NTV2TESTFILE_H

#include <QByteArray>
#include <QString>

#include <vector>

// A small NTv2 file for the tests: a parent sub-grid of 1 x 1 degree with a finer child.
// Limits and shifts are in arc-seconds, longitudes positive west as the format has them.
struct CNTv2TestSubGrid
{
    const char* name;
    const char* parent;
    double sLat;
    double nLat;
    double eLong;
    double wLong;
    double latInc;
    double longInc;

    int latitudeNodes() const;
    int longitudeNodes() const;
};

// Parent: 50..51 N, 10..11 E, 900" spacing; child: 50.25..50.5 N, 10.25..10.5 E, 225".
std::vector<CNTv2TestSubGrid> ntv2TestSubGrids();

// Shifts at a node (arc-seconds); smooth but far from bilinear, so a child differs from
// what its parent interpolates, and without symmetry, so a mirrored axis shows.
float ntv2TestLatitudeShift(double latitude, double longitudeWest);
float ntv2TestLongitudeShift(double latitude, double longitudeWest);

QByteArray ntv2BinaryFile(const std::vector<CNTv2TestSubGrid>& subGrids);
QByteArray ntv2AsciiFile(const std::vector<CNTv2TestSubGrid>& subGrids);

// Writes the bytes into the file and returns its path.
QString writeNtv2TestFile(const QString& path, const QByteArray& contents);

#endif
