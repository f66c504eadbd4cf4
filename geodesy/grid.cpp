#include "geodesy/grid.h"

#include "geodesy/textfunctions.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace vexa {

namespace {

const std::streamoff rawValueSize = 4;

float decodeLittleEndianFloat(const unsigned char* bytes)
{
    const std::uint32_t bits = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8
                               | std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The whole token as one finite number of the grid's type.
template <typename T>
bool readToken(const std::string& token, T* value)
{
    double read = 0.0;
    if (readNumber(token, &read) != NumberRead::Number || !std::isfinite(T(read)))
        return false;
    *value = T(read);
    return true;
}

bool failText(CGridTextFault* fault, CGridTextFault::Kind kind)
{
    if (fault)
        fault->kind = kind;
    return false;
}

bool notANumber(CGridTextFault* fault, const std::string& token)
{
    if (fault)
        fault->token = token;
    return failText(fault, CGridTextFault::NotANumber);
}

// Number of nodes from min to max at the given step; 0 when not a whole grid axis.
unsigned nodeCount(double min, double max, double step)
{
    if (!(max >= min) || !(step > 0.0))
        return 0;
    const double count = std::floor((max - min) / step + 0.5) + 1.0;
    return count <= double(INT_MAX) ? unsigned(count) : 0;
}

// Cell index and fraction of x along one axis, held at the first and last node.
// True when x lies between the first and the last of count nodes (small rounding allowed).
template <typename T>
bool withinAxis(const T& x, const T& origin, const T& step, unsigned count)
{
    if (count < 2)
        return false;
    const T last = origin + T(count - 1) * step;
    const T slack = std::fabs(step) * T(1e-9);
    return x >= std::min(origin, last) - slack && x <= std::max(origin, last) + slack;
}

template <typename T>
void locate(const T& x, const T& min, const T& step, unsigned count, unsigned* index, T* fraction)
{
    *index = 0;
    *fraction = 0;
    if (!(x > min))
        return;
    const T cell = std::floor((x - min) / step);
    if (cell >= T(count - 1)) {
        *index = count - 2;
        *fraction = 1;
        return;
    }
    *index = unsigned(cell);
    *fraction = (x - min - T(*index) * step) / step;
}

// Bilinear value in a cell of nodes g(i, j), g(i, j + 1), g(i + 1, j), g(i + 1, j + 1).
template <typename T>
T blend(const T& u, const T& v, const T& g00, const T& g01, const T& g10, const T& g11)
{
    return (1 - u) * (1 - v) * g00 + (1 - u) * v * g01 + u * (1 - v) * g10 + u * v * g11;
}

} // namespace

template <typename T>
bool CGridBuffer<T>::getValue(int i, int j, double* out) const
{
    if (m_data.empty() || i < m_col0 || j < m_row0 || i >= m_col0 + m_width
        || j >= m_row0 + m_height) {
        *out = DBL_MAX;
        return false;
    }
    *out = double(m_data[std::size_t(j - m_row0) * std::size_t(m_width) + std::size_t(i - m_col0)]);
    return true;
}

template <typename T>
void CGridBuffer<T>::release()
{
    m_data.clear();
    m_data.shrink_to_fit();
    m_col0 = m_row0 = -1;
    m_width = m_height = 0;
}

template <typename T>
bool CGridBuffer<T>::isLoaded() const
{
    return !m_data.empty();
}

template <typename T>
bool CGridBufferRaw<T>::readWindow(std::istream& stream, int col0, int row0, int totalColumns,
                                   int totalRows, int width, int height)
{
    this->release();
    if (col0 < 0 || row0 < 0 || width <= 0 || height <= 0 || col0 + width > totalColumns
        || row0 + height > totalRows)
        return false;
    std::vector<T> values(std::size_t(width) * std::size_t(height));
    std::vector<unsigned char> bytes(std::size_t(width) * rawValueSize);
    stream.clear();
    for (int j = row0 + height - 1; j >= row0; --j) {
        const std::streamoff fileRow = totalRows - 1 - j;
        stream.seekg((fileRow * totalColumns + col0) * rawValueSize);
        stream.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!stream)
            return false;
        T* row = values.data() + std::size_t(j - row0) * std::size_t(width);
        for (int i = 0; i < width; ++i)
            row[i] = T(decodeLittleEndianFloat(bytes.data() + std::size_t(i) * rawValueSize));
    }
    this->m_data.swap(values);
    this->m_col0 = col0;
    this->m_row0 = row0;
    this->m_width = width;
    this->m_height = height;
    return true;
}

CGridFileStream& CGridFileStream::operator=(const CGridFileStream& other)
{
    if (this != &other)
        open(other.m_fileName);
    return *this;
}

bool CGridFileStream::open(const std::string& fileName)
{
    close();
    if (fileName.empty())
        return false;
    auto stream = std::make_unique<std::ifstream>(fileName, std::ios::in | std::ios::binary);
    if (!stream->is_open())
        return false;
    m_stream = std::move(stream);
    m_fileName = fileName;
    return true;
}

void CGridFileStream::close()
{
    m_stream.reset();
    m_fileName.clear();
}

template <typename T>
C2DGrid<T>::C2DGrid()
{
    clear();
}

template <typename T>
void C2DGrid<T>::clear()
{
    m_table.clear();
    m_table.shrink_to_fit();
    m_columnCount = m_rowCount = 0;
    m_step1 = m_step2 = m_min1 = m_min2 = 0;
    m_windows.clear();
    m_file.close();
    m_valueMin = std::numeric_limits<T>::max();
    m_valueMax = std::numeric_limits<T>::min();
    m_rangeSet = false;
    m_marker = 0;
    m_markerSet = false;
}

template <typename T>
bool C2DGrid<T>::isEqual(const C2DGrid& other) const
{
    if (m_columnCount != other.m_columnCount || m_rowCount != other.m_rowCount
        || m_step1 != other.m_step1 || m_step2 != other.m_step2 || m_min1 != other.m_min1
        || m_min2 != other.m_min2 || m_valueMin != other.m_valueMin
        || m_valueMax != other.m_valueMax)
        return false;
    if (m_markerSet && other.m_markerSet && m_marker != other.m_marker)
        return false;
    for (unsigned i = 0; i < m_columnCount; ++i) {
        for (unsigned j = 0; j < m_rowCount; ++j) {
            if (!(getValue(i, j) == other.getValue(i, j)))
                return false;
        }
    }
    return true;
}

template <typename T>
bool C2DGrid<T>::setGeometry(unsigned columnCount, unsigned rowCount, const T& step1,
                             const T& step2, const T& min1, const T& min2)
{
    clear();
    if (columnCount < 2 || rowCount < 2 || columnCount > INT_MAX || rowCount > INT_MAX)
        return false;
    if (!(step1 > 0) || !(step2 > 0) || !std::isfinite(step1) || !std::isfinite(step2)
        || !std::isfinite(min1) || !std::isfinite(min2))
        return false;
    m_columnCount = columnCount;
    m_rowCount = rowCount;
    m_step1 = step1;
    m_step2 = step2;
    m_min1 = min1;
    m_min2 = min2;
    return true;
}

template <typename T>
bool C2DGrid<T>::create(unsigned columnCount, unsigned rowCount, const T& step1, const T& step2,
                        const T& min1, const T& min2)
{
    if (!setGeometry(columnCount, rowCount, step1, step2, min1, min2))
        return false;
    try {
        m_table.assign(std::size_t(columnCount) * rowCount, T(0));
    } catch (const std::bad_alloc&) {
        clear();
        return false;
    }
    return true;
}

template <typename T>
bool C2DGrid<T>::openRaw(const std::string& fileName, unsigned columnCount, unsigned rowCount,
                         const T& step1, const T& step2, const T& min1, const T& min2)
{
    if (!setGeometry(columnCount, rowCount, step1, step2, min1, min2))
        return false;
    const std::streamoff needed = std::streamoff(columnCount) * rowCount * rawValueSize;
    std::ifstream* file = m_file.open(fileName) ? m_file.stream() : nullptr;
    if (!file || !file->seekg(0, std::ios::end) || std::streamoff(file->tellg()) < needed) {
        clear();
        return false;
    }
    return true;
}

template <typename T>
void C2DGrid<T>::widenRange(const T& value)
{
    if (!m_rangeSet) {
        m_valueMin = m_valueMax = value;
        m_rangeSet = true;
        return;
    }
    m_valueMin = std::min(m_valueMin, value);
    m_valueMax = std::max(m_valueMax, value);
}

template <typename T>
void C2DGrid<T>::setValue(unsigned i, unsigned j, const T& value)
{
    if (i >= m_columnCount || j >= m_rowCount || m_table.empty())
        throw std::out_of_range("C2DGrid::setValue");
    m_table[std::size_t(i) * m_rowCount + j] = value;
    widenRange(value);
    m_marker = 0;
    m_markerSet = false;
}

template <typename T>
bool C2DGrid<T>::readText(const std::string& text, CGridTextFault* fault)
{
    clear();
    if (fault)
        *fault = CGridTextFault();
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) {
        if (fault)
            fault->offset = nul;
        return failText(fault, CGridTextFault::NulByte);
    }
    const char* delimiters = " \n\r\t";
    const int count = splitText(text.c_str(), delimiters, nullptr, 0, nullptr, false);
    if (count < 6)
        return failText(fault, CGridTextFault::NoGeometry);
    std::vector<std::string> tokens(static_cast<std::size_t>(count));
    splitText(text.c_str(), delimiters, tokens.data(), count, nullptr, false);

    double header[6];
    for (int k = 0; k < 6; ++k) {
        if (!readToken(tokens[k], &header[k]))
            return notANumber(fault, tokens[k]);
    }
    const unsigned rows = nodeCount(header[0], header[1], header[4]);
    const unsigned columns = nodeCount(header[2], header[3], header[5]);
    if (!setGeometry(columns, rows, T(header[5]), T(header[4]), T(header[2]), T(header[0])))
        return failText(fault, CGridTextFault::NoGeometry);
    if (double(rows) * double(columns) + 6.0 != double(count)) {
        clear();
        if (fault) {
            fault->expected = std::size_t(rows) * columns;
            fault->given = std::size_t(count) - 6;
        }
        return failText(fault, CGridTextFault::ValueCount);
    }
    if (!create(columns, rows, T(header[5]), T(header[4]), T(header[2]), T(header[0])))
        return failText(fault, CGridTextFault::NoGeometry);

    std::size_t k = 6;
    for (unsigned j = rows; j-- > 0;) {
        for (unsigned i = 0; i < columns; ++i) {
            T value;
            if (!readToken(tokens[k], &value)) {
                clear();
                return notANumber(fault, tokens[k]);
            }
            ++k;
            setValue(i, j, value);
        }
    }
    m_marker = 0;
    m_markerSet = true;
    return true;
}

template <typename T>
T C2DGrid<T>::getValue(unsigned i, unsigned j) const
{
    if (i >= m_columnCount || j >= m_rowCount)
        throw std::out_of_range("C2DGrid::getValue");
    if (!m_table.empty())
        return m_table[std::size_t(i) * m_rowCount + j];
    return readNode(i, j);
}

template <typename T>
T C2DGrid<T>::readNode(unsigned i, unsigned j) const
{
    double value = 0.0;
    for (const auto& window : m_windows) {
        if (window->getValue(int(i), int(j), &value))
            return T(value);
    }
    const int col0 = std::max(int(i) - m_windowRadius, 0);
    const int row0 = std::max(int(j) - m_windowRadius, 0);
    const int width = int(std::min(i + unsigned(m_windowRadius), m_columnCount - 1)) - col0 + 1;
    const int height = int(std::min(j + unsigned(m_windowRadius), m_rowCount - 1)) - row0 + 1;
    auto window = std::make_shared<CGridBufferRaw<float>>();
    if (!m_file.stream()
        || !window->readWindow(*m_file.stream(), col0, row0, int(m_columnCount), int(m_rowCount), width,
                               height)
        || !window->getValue(int(i), int(j), &value))
        throw std::runtime_error("C2DGrid::getValue: cannot read the grid file " + m_file.fileName());
    while (!m_windows.empty() && int(m_windows.size()) >= m_cacheCapacity)
        m_windows.pop_front();
    m_windows.push_back(window);
    return T(value);
}

template <typename T>
bool C2DGrid<T>::contains(const T& x1, const T& x2) const
{
    return withinAxis(x1, m_min1, m_step1, m_columnCount)
           && withinAxis(x2, m_min2, m_step2, m_rowCount);
}

template <typename T>
bool C2DGrid<T>::cellAt(const T& x1, const T& x2, T nodes[4], T* u, T* v) const
{
    if (m_columnCount < 2 || m_rowCount < 2)
        throw std::runtime_error("C2DGrid::interpolate: the grid is empty");
    if (std::isnan(x1) || std::isnan(x2))
        return false;
    unsigned i = 0;
    unsigned j = 0;
    locate(x1, m_min1, m_step1, m_columnCount, &i, u);
    locate(x2, m_min2, m_step2, m_rowCount, &j, v);
    nodes[0] = getValue(i, j);
    nodes[1] = getValue(i, j + 1);
    nodes[2] = getValue(i + 1, j);
    nodes[3] = getValue(i + 1, j + 1);
    return true;
}

template <typename T>
T C2DGrid<T>::interpolate(const T& x1, const T& x2) const
{
    T nodes[4];
    T u = 0;
    T v = 0;
    if (!cellAt(x1, x2, nodes, &u, &v))
        return std::numeric_limits<T>::quiet_NaN();
    return blend(u, v, nodes[0], nodes[1], nodes[2], nodes[3]);
}

template <typename T>
bool C2DGrid<T>::interpolate(const T& x1, const T& x2, const std::function<bool(const T&)>& accept,
                             T* value) const
{
    T nodes[4];
    T u = 0;
    T v = 0;
    if (!cellAt(x1, x2, nodes, &u, &v))
        return false;
    for (const T& node : nodes) {
        if (!accept(node))
            return false;
    }
    *value = blend(u, v, nodes[0], nodes[1], nodes[2], nodes[3]);
    return true;
}

template <typename T>
bool C2DGrid<T>::findRefused(const std::function<bool(const T&)>& accept, unsigned* i, unsigned* j,
                             T* value) const
{
    if (m_table.empty())
        return m_file.stream() && findRefusedInFile(accept, i, j, value);
    for (unsigned row = m_rowCount; row-- > 0;) {
        for (unsigned column = 0; column < m_columnCount; ++column) {
            const T node = m_table[std::size_t(column) * m_rowCount + row];
            if (!accept(node)) {
                *i = column;
                *j = row;
                *value = node;
                return true;
            }
        }
    }
    return false;
}

template <typename T>
bool C2DGrid<T>::findRefusedInFile(const std::function<bool(const T&)>& accept, unsigned* i, unsigned* j,
                                   T* value) const
{
    std::ifstream& stream = *m_file.stream();
    std::vector<unsigned char> bytes(std::size_t(m_columnCount) * rawValueSize);
    stream.clear();
    stream.seekg(0);
    for (unsigned row = m_rowCount; row-- > 0;) {
        stream.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!stream)
            throw std::runtime_error("C2DGrid::findRefused: cannot read the grid file " + m_file.fileName());
        for (unsigned column = 0; column < m_columnCount; ++column) {
            const T node = T(decodeLittleEndianFloat(bytes.data() + std::size_t(column) * rawValueSize));
            if (!accept(node)) {
                *i = column;
                *j = row;
                *value = node;
                return true;
            }
        }
    }
    return false;
}

void CGridMetadata::clear()
{
    Format.clear();
    BytesPerValue = 0;
    ColumnCount = 0;
    RowCount = 0;
    CellWidth = 0.0;
    CellHeight = 0.0;
    MinColumnCoord = DBL_MAX;
    MinRowCoord = DBL_MAX;
    ColumnCoordRangeMin = DBL_MAX;
    ColumnCoordRangeMax = DBL_MAX;
    ColumnCoordPeriod = 0.0;
}

bool CGridMetadata::isValid() const
{
    if (Format == "raw") {
        if (BytesPerValue < 1 || ColumnCount < 1 || RowCount < 1 || !(CellWidth > 0.0)
            || !(CellHeight > 0.0) || !(MinColumnCoord < DBL_MAX) || !(MinRowCoord < DBL_MAX))
            return false;
    } else if (Format != "grd") {
        return false;
    }
    return !(ColumnCoordPeriod > 0.0) || ColumnCoordRangeMin < DBL_MAX
           || ColumnCoordRangeMax < DBL_MAX;
}

template class CGridBuffer<float>;
template class CGridBufferRaw<float>;
template class C2DGrid<double>;
template class C2DGrid<float>;

} // namespace vexa
