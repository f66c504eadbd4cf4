#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>

class CGeoidList;

// Files of the geoid tests.

// Writes the bytes into a new or truncated file; false when it cannot be written.
bool writeGeoidFile(const QString& path, const QByteArray& bytes);
// The whole file; empty when it cannot be read.
QByteArray readGeoidFile(const QString& path);
// A fixture file of the tests' data folder.
QByteArray geoidTestData(const QString& fileName);

// 4-byte little-endian IEEE floats in the given order.
QByteArray rawFloats(std::initializer_list<float> values);
// <Metadata><Grid>fields</Grid></Metadata>
QByteArray gridMetadata(const QByteArray& fields);

// The coordinate system of the test grids: WGS 84, degrees and metres.
QByteArray gridCoordSys();
// The same system with another height unit element, none when empty.
QByteArray gridCoordSys(const QByteArray& heightUnit);
// The height unit element of the international foot.
QByteArray footHeightUnit();

// A registry "data.xml" in the folder holding one geoid of the given ID whose files
// are "<id>.<format>", "<id>_cs.xml" and "<id>_meta.xml", with those files written.
// A null content leaves its file out.
bool writeGeoidFolder(const QString& folder, const QString& id, const QString& format,
                      const QByteArray& grid, const QByteArray& metadata,
                      const QByteArray& coordSys);

// One point recalculated between WGS 84 on the geoid of that ID (the grid's own system given by
// coordSys) and WGS 84 with ellipsoidal heights: the three result texts, none when the point
// fails, or one text telling what could not be built.
QStringList recalculate(CGeoidList& geoids, bool fromGeoid, const QStringList& point,
                        const QByteArray& coordSys = gridCoordSys(), const QString& geoidId = QStringLiteral("G"));

// The plane geoid N = 20 + 0.3 (latitude - 40) + 0.2 longitude over latitudes 40 to 50 and
// longitudes 0 to 30 degrees in steps of 5, as a grid file of the format, and points 100 m above
// it at these latitudes and longitudes, 123.500 and 125.750 m above the ellipsoid; the node at
// (45, 10) lies in the cell of the first point only.
struct CGridFixture {
    QByteArray name;
    QString format;
    QByteArray grid;
    QByteArray metadata;
    // Why the installation refuses the grid, not naming the file; empty when it installs.
    QString reason;
    // Why the loading refuses it: a raw grid is read on demand, so its values are not read then.
    QString loadReason;
    // Heights of the two points recalculated on the loaded grid, an empty text for a point that
    // fails.
    QStringList heights;
};
const QStringList planePoints[2] = {{"45", "10", "100"}, {"47.5", "17.5", "100"}};
QList<CGridFixture> planeGeoidFixtures();
// The plane geoid as a raw grid, the value at (45, 10) given.
QByteArray planeGeoidRaw(float at45n10e);
