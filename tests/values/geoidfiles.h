#pragma once

#include <QByteArray>
#include <QString>

// Files of the geoid tests in a temporary folder.

// Writes the bytes into a new or truncated file; false when it cannot be written.
bool writeGeoidFile(const QString& path, const QByteArray& bytes);
// The whole file; empty when it cannot be read.
QByteArray readGeoidFile(const QString& path);
// A fixture file of the tests' data folder.
QByteArray geoidTestData(const QString& fileName);
