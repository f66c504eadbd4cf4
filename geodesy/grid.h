#ifndef VEXA_GRID_H
#define VEXA_GRID_H

#include <deque>
#include <fstream>
#include <istream>
#include <memory>
#include <string>
#include <vector>

namespace vexa {

// A rectangular window of a grid's nodes held in memory.
class CGridBufferBase
{
public:
    virtual ~CGridBufferBase() = default;
    // The node (i, j) widened to double; false and DBL_MAX outside the window.
    virtual bool getValue(int i, int j, double* out) const = 0;
    virtual bool readWindow(std::istream& stream, int col0, int row0, int totalColumns,
                            int totalRows, int width, int height) = 0;
    virtual void release() = 0;
    virtual bool isLoaded() const = 0;

protected:
    int col0 = -1;
    int row0 = -1;
    int width = 0;
    int height = 0;
};

template <typename T>
class CGridBuffer : public CGridBufferBase
{
public:
    bool getValue(int i, int j, double* out) const override;
    void release() override;
    bool isLoaded() const override;

protected:
    std::vector<T> data; // row-major within the window
};

// Window of a raster file: rows of 4-byte little-endian IEEE floats, the
// first row of the file being the last row of the grid.
template <typename T>
class CGridBufferRaw : public CGridBuffer<T>
{
public:
    bool readWindow(std::istream& stream, int col0, int row0, int totalColumns, int totalRows,
                    int width, int height) override;
};

// Regular grid of values with bilinear interpolation. Node (i, j) lies at
// (min1 + i * step1, min2 + j * step2). The values are either held in memory
// or read on demand, window by window, from a raster file.
template <typename T>
class C2DGrid
{
public:
    C2DGrid();
    C2DGrid(const C2DGrid&) = default;
    C2DGrid& operator=(const C2DGrid&) = default;
    virtual ~C2DGrid() = default;

    virtual bool isEqual(const C2DGrid& other) const;
    void clear();

    // Text grid: six header numbers (min2, max2, min1, max1, step2, step1),
    // then the rows from the last one down, each from i = 0 upward.
    bool readText(const std::string& text);
    // A zeroed in-memory grid of the given geometry.
    bool create(unsigned columnCount, unsigned rowCount, const T& step1, const T& step2,
                const T& min1, const T& min2);
    // Keeps the raster file open and reads its values on demand.
    bool openRaw(const std::string& fileName, unsigned columnCount, unsigned rowCount,
                 const T& step1, const T& step2, const T& min1, const T& min2);
    // Stores a value of an in-memory grid and widens the value range.
    void setValue(unsigned i, unsigned j, const T& value);

    // Throws std::out_of_range outside the grid and std::runtime_error when
    // the raster window cannot be read.
    T getValue(unsigned i, unsigned j) const;
    // Bilinear value at (x1, x2); points outside take the value at the edge.
    T interpolate(const T& x1, const T& x2) const;

    unsigned getColumnCount() const { return columnCount; }
    unsigned getRowCount() const { return rowCount; }
    T getStep1() const { return step1; }
    T getStep2() const { return step2; }
    T getMin1() const { return min1; }
    T getMin2() const { return min2; }
    T getValueMin() const { return valueMin; }
    T getValueMax() const { return valueMax; }
    const std::string& getFileName() const { return fileName; }
    bool isFileBacked() const { return stream != nullptr; }
    int getMarker() const { return marker; }
    bool hasMarker() const { return markerSet; }

private:
    bool setGeometry(unsigned columnCount, unsigned rowCount, const T& step1, const T& step2,
                     const T& min1, const T& min2);
    void widenRange(const T& value);
    T readNode(unsigned i, unsigned j) const;

    unsigned columnCount = 0;
    unsigned rowCount = 0;
    T step1 = 0;
    T step2 = 0;
    T min1 = 0;
    T min2 = 0;
    T valueMin;
    T valueMax;
    bool rangeSet = false;
    std::vector<T> table; // table[i * rowCount + j]
    mutable std::deque<std::shared_ptr<CGridBufferBase>> windows;
    int cacheCapacity = 16;
    int windowRadius = 1024;
    std::shared_ptr<std::ifstream> stream;
    std::string fileName;
    int marker = 0;
    bool markerSet = false;
};

// Description of a geoid grid file.
struct CGridMetadata
{
    CGridMetadata() { clear(); }
    void clear();
    bool isValid() const;

    std::string Format;
    int BytesPerValue;
    int ColumnCount;
    int RowCount;
    double CellWidth;
    double CellHeight;
    double MinColumnCoord;
    double MinRowCoord;
    double ColumnCoordRangeMin;
    double ColumnCoordRangeMax;
    double ColumnCoordPeriod;
};

} // namespace vexa

#endif
