#ifndef RAWGRIDFILE_H
#define RAWGRIDFILE_H

#include <QString>

#include <functional>

// Writes a raster grid file of 4-byte little-endian floats holding value(i, j) at node (i, j),
// the first row of the file being the grid's last one; false when it cannot be written.
bool writeRawGridFile(const QString& fileName, int columns, int rows,
                      const std::function<double(int i, int j)>& value);

#endif
