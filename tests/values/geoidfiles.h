#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>

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
