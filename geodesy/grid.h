#ifndef VEXA_GRID_H
#define VEXA_GRID_H

#include <cstddef>
#include <deque>
#include <fstream>
#include <functional>
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
    int m_col0 = -1;
    int m_row0 = -1;
    int m_width = 0;
    int m_height = 0;
};

template <typename T>
class CGridBuffer : public CGridBufferBase
{
public:
    bool getValue(int i, int j, double* out) const override;
    void release() override;
    bool isLoaded() const override;

protected:
    std::vector<T> m_data; // row-major within the window
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

// A read stream of a grid file. A copy opens the file anew, so copies of a grid can be read
// at once from different threads.
class CGridFileStream
{
public:
    CGridFileStream() = default;
    CGridFileStream(const CGridFileStream& other) { open(other.m_fileName); }
    CGridFileStream& operator=(const CGridFileStream& other);

    // Closes the stream for an empty name or a file that does not open.
    bool open(const std::string& fileName);
    void close();
    std::ifstream* stream() const { return m_stream.get(); }
    const std::string& fileName() const { return m_fileName; }

private:
    std::unique_ptr<std::ifstream> m_stream;
    std::string m_fileName;
};

// Why a text grid was not read.
struct CGridTextFault
{
    enum Kind
    {
        None,
        // A token that is not wholly one finite number.
        NotANumber,
        // A header of fewer than six numbers, or one that lays out no grid of 2 by 2 nodes.
        NoGeometry,
        // Another count of values than the header lays out.
        ValueCount,
        // A NUL byte, which is neither white space nor part of a number.
        NulByte
    };

    Kind kind = None;
    // The token that is not a number.
    std::string token;
    // The values the header lays out and those the text gives.
    std::size_t expected = 0;
    std::size_t given = 0;
    // Where the NUL byte stands in the text, counted from 0.
    std::size_t offset = 0;
};

// Regular grid of values with bilinear interpolation. Node (i, j) lies at
// (min1 + i * step1, min2 + j * step2). The values are either held in memory
// or read on demand, window by window, from a raster file; such a grid changes its window
// cache and its stream as it is read, so each thread reads a copy of its own.
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
    // then the rows from the last one down, each from i = 0 upward. Every token is read
    // whole as one finite number in the C form; when the text is refused, fault (if given)
    // tells why.
    bool readText(const std::string& text, CGridTextFault* fault = nullptr);
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
    // The same value when accept takes each of the four nodes it is made of; false otherwise.
    bool interpolate(const T& x1, const T& x2, const std::function<bool(const T&)>& accept, T* value) const;
    // The first node, in the order of the grid's file (rows from the last one down), that accept
    // does not take; false when it takes every node. A raster file is read through once, row by
    // row; throws std::runtime_error when it cannot be read.
    bool findRefused(const std::function<bool(const T&)>& accept, unsigned* i, unsigned* j, T* value) const;
    // True when (x1, x2) lies within the nodes, small rounding allowed.
    bool contains(const T& x1, const T& x2) const;

    unsigned getColumnCount() const { return m_columnCount; }
    unsigned getRowCount() const { return m_rowCount; }
    T getStep1() const { return m_step1; }
    T getStep2() const { return m_step2; }
    T getMin1() const { return m_min1; }
    T getMin2() const { return m_min2; }
    T getValueMin() const { return m_valueMin; }
    T getValueMax() const { return m_valueMax; }
    const std::string& getFileName() const { return m_file.fileName(); }
    bool isFileBacked() const { return m_file.stream() != nullptr; }
    int getMarker() const { return m_marker; }
    bool hasMarker() const { return m_markerSet; }

private:
    bool setGeometry(unsigned columnCount, unsigned rowCount, const T& step1, const T& step2,
                     const T& min1, const T& min2);
    void widenRange(const T& value);
    T readNode(unsigned i, unsigned j) const;
    // The four nodes of the cell of (x1, x2), (i, j), (i, j + 1), (i + 1, j), (i + 1, j + 1), and
    // the fractions along both axes; false for a NaN coordinate. Throws for an empty grid.
    bool cellAt(const T& x1, const T& x2, T nodes[4], T* u, T* v) const;
    bool findRefusedInFile(const std::function<bool(const T&)>& accept, unsigned* i, unsigned* j,
                           T* value) const;

    unsigned m_columnCount = 0;
    unsigned m_rowCount = 0;
    T m_step1 = 0;
    T m_step2 = 0;
    T m_min1 = 0;
    T m_min2 = 0;
    T m_valueMin;
    T m_valueMax;
    bool m_rangeSet = false;
    std::vector<T> m_table; // m_table[i * m_rowCount + j]
    mutable std::deque<std::shared_ptr<CGridBufferBase>> m_windows;
    int m_cacheCapacity = 16;
    int m_windowRadius = 1024;
    CGridFileStream m_file;
    int m_marker = 0;
    bool m_markerSet = false;
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
