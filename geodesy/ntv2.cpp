#include "geodesy/ntv2.h"

#include "geodesy/coords.h"
#include "geodesy/textfunctions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <variant>

namespace vexa {

namespace {

constexpr int kRecordCount = 11;
constexpr std::streamoff kBinaryNodeSize = 16;
// A node line holds at least two one-digit numbers, a blank and a newline.
constexpr std::streamoff kShortestAsciiNode = 4;

// One header record: its keyword and the field it fills. Doubles that are limits are unset
// while undefined, other doubles while not positive.
struct HeaderField
{
    const char* keyword;
    std::variant<int32_t*, std::string*, double*> target;
    bool isLimit;
};

using HeaderFields = std::array<HeaderField, kRecordCount>;

HeaderFields fieldsOf(CNTv2OverviewHeader& header)
{
    return {{{"NUM_OREC", &header.NUM_OREC, false},
             {"NUM_SREC", &header.NUM_SREC, false},
             {"NUM_FILE", &header.NUM_FILE, false},
             {"GS_TYPE", &header.GS_TYPE, false},
             {"VERSION", &header.VERSION, false},
             {"SYSTEM_F", &header.SYSTEM_F, false},
             {"SYSTEM_T", &header.SYSTEM_T, false},
             {"MAJOR_F", &header.MAJOR_F, false},
             {"MINOR_F", &header.MINOR_F, false},
             {"MAJOR_T", &header.MAJOR_T, false},
             {"MINOR_T", &header.MINOR_T, false}}};
}

HeaderFields fieldsOf(CNTv2SubGridHeader& header)
{
    return {{{"SUB_NAME", &header.SUB_NAME, false},
             {"PARENT", &header.PARENT, false},
             {"CREATED", &header.CREATED, false},
             {"UPDATED", &header.UPDATED, false},
             {"S_LAT", &header.S_LAT, true},
             {"N_LAT", &header.N_LAT, true},
             {"E_LONG", &header.E_LONG, true},
             {"W_LONG", &header.W_LONG, true},
             {"LAT_INC", &header.LAT_INC, false},
             {"LONG_INC", &header.LONG_INC, false},
             {"GS_COUNT", &header.GS_COUNT, false}}};
}

bool isUnset(const HeaderField& field)
{
    if (auto integer = std::get_if<int32_t*>(&field.target))
        return **integer == 0;
    if (auto text = std::get_if<std::string*>(&field.target))
        return (*text)->empty();
    const double value = *std::get<double*>(field.target);
    return field.isLimit ? value == kUndefined : value <= 0.0;
}

void setFromText(const HeaderField& field, const std::string& text)
{
    if (auto integer = std::get_if<int32_t*>(&field.target))
        **integer = stringToInt(text, 0);
    else if (auto value = std::get_if<std::string*>(&field.target))
        **value = text;
    else
        *std::get<double*>(field.target) = stringToDouble(text, field.isLimit ? kUndefined : 0.0);
}

uint64_t littleEndian(const unsigned char* bytes, int size)
{
    uint64_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = (value << 8) | bytes[k];
    return value;
}

int32_t int32At(const unsigned char* bytes)
{
    const auto bits = static_cast<uint32_t>(littleEndian(bytes, 4));
    int32_t value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

float floatAt(const unsigned char* bytes)
{
    const auto bits = static_cast<uint32_t>(littleEndian(bytes, 4));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double doubleAt(const unsigned char* bytes)
{
    const uint64_t bits = littleEndian(bytes, 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void setFromBytes(const HeaderField& field, const unsigned char* bytes)
{
    if (auto integer = std::get_if<int32_t*>(&field.target))
        **integer = int32At(bytes);
    else if (auto text = std::get_if<std::string*>(&field.target))
        (*text)->assign(reinterpret_cast<const char*>(bytes), 8);
    else
        *std::get<double*>(field.target) = doubleAt(bytes);
}

bool readLine(std::istream& stream, std::string& line)
{
    if (!std::getline(stream, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool readRecord(std::istream& stream, unsigned char (&record)[16])
{
    return bool(stream.read(reinterpret_cast<char*>(record), sizeof record));
}

// Each of the eleven lines fills the first unset field whose keyword begins it.
bool readAsciiFields(std::istream& stream, const HeaderFields& fields)
{
    std::string line;
    for (int k = 0; k < kRecordCount; ++k) {
        if (!readLine(stream, line))
            return false;
        for (const HeaderField& field : fields) {
            const std::size_t length = std::strlen(field.keyword);
            if (isUnset(field) && line.compare(0, length, field.keyword) == 0) {
                setFromText(field, line.substr(length));
                break;
            }
        }
    }
    return true;
}

// Eleven records of an 8-byte keyword and an 8-byte value, taken by position.
bool readBinaryFields(std::istream& stream, const HeaderFields& fields)
{
    unsigned char record[16];
    for (const HeaderField& field : fields) {
        if (!readRecord(stream, record))
            return false;
        setFromBytes(field, record + 8);
    }
    return true;
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isFiniteLimit(double value)
{
    return isDefined(value) && std::isfinite(value);
}

bool isPositive(double value)
{
    return value > 0.0 && std::isfinite(value);
}

std::streamoff remainingBytes(std::istream& stream)
{
    const std::streampos here = stream.tellg();
    if (here == std::streampos(-1) || !stream.seekg(0, std::ios::end))
        return 0;
    const std::streampos end = stream.tellg();
    stream.seekg(here);
    return end - here;
}

// True when x lies between the first and the last node of an axis (rounding allowed).
bool withinAxis(double x, double origin, double step, unsigned count)
{
    const double slack = step * 1e-9;
    return x >= origin - slack && x <= origin + (count - 1) * step + slack;
}

using Conversion = bool (CNTv2GridFile::*)(double&, double&) const;

// Converts a copy of the point; the output changes only on success.
bool convertCopy(const CNTv2GridFile& gridFile, Conversion conversion, double latitude,
                 double longitude, double& outLatitude, double& outLongitude)
{
    if (!(gridFile.*conversion)(latitude, longitude))
        return false;
    outLatitude = latitude;
    outLongitude = longitude;
    return true;
}

} // namespace

void CNTv2OverviewHeader::clear()
{
    *this = CNTv2OverviewHeader();
}

bool CNTv2OverviewHeader::isValid() const
{
    return NUM_OREC == kRecordCount && NUM_SREC == kRecordCount && NUM_FILE >= 1
        && isPositive(MAJOR_F) && isPositive(MINOR_F) && isPositive(MAJOR_T)
        && isPositive(MINOR_T) && angleUnit() > 0.0;
}

bool CNTv2OverviewHeader::readAscii(std::istream& stream)
{
    clear();
    return readAsciiFields(stream, fieldsOf(*this)) && isValid();
}

bool CNTv2OverviewHeader::readBinary(std::istream& stream)
{
    clear();
    return readBinaryFields(stream, fieldsOf(*this)) && isValid();
}

double CNTv2OverviewHeader::angleUnit() const
{
    const std::string unit = trimmed(GS_TYPE);
    if (unit == "SECONDS")
        return kPi / 648000.0;
    if (unit == "MINUTES")
        return kPi / 10800.0;
    if (unit == "DEGREES")
        return kPi / 180.0;
    return 0.0;
}

void CNTv2SubGridHeader::clear()
{
    SUB_NAME.clear();
    PARENT.clear();
    CREATED.clear();
    UPDATED.clear();
    S_LAT = N_LAT = E_LONG = W_LONG = kUndefined;
    LAT_INC = LONG_INC = 0.0;
    GS_COUNT = 0;
}

bool CNTv2SubGridHeader::isValid() const
{
    return !SUB_NAME.empty() && isFiniteLimit(S_LAT) && isFiniteLimit(N_LAT)
        && isFiniteLimit(E_LONG) && isFiniteLimit(W_LONG) && isPositive(LAT_INC)
        && isPositive(LONG_INC) && GS_COUNT > 0;
}

bool CNTv2SubGridHeader::readAscii(std::istream& stream)
{
    clear();
    return readAsciiFields(stream, fieldsOf(*this)) && isValid();
}

bool CNTv2SubGridHeader::readBinary(std::istream& stream)
{
    clear();
    return readBinaryFields(stream, fieldsOf(*this)) && isValid();
}

void CNTv2SubGrid::clear()
{
    header.clear();
    latitudeShifts.clear();
    longitudeShifts.clear();
}

bool CNTv2SubGrid::isValid() const
{
    return header.isValid() && latitudeShifts.getColumnCount() >= 2
        && latitudeShifts.getRowCount() >= 2;
}

bool CNTv2SubGrid::createGrids(std::istream& stream, std::streamoff bytesPerNode)
{
    const double latitudeNodes = std::round((header.N_LAT - header.S_LAT) / header.LAT_INC) + 1.0;
    const double longitudeNodes =
        std::round((header.W_LONG - header.E_LONG) / header.LONG_INC) + 1.0;
    if (latitudeNodes < 2.0 || longitudeNodes < 2.0
        || latitudeNodes * longitudeNodes != double(header.GS_COUNT))
        return false;
    if (remainingBytes(stream) < header.GS_COUNT * bytesPerNode)
        return false;
    const auto columns = static_cast<unsigned>(latitudeNodes);
    const auto rows = static_cast<unsigned>(longitudeNodes);
    return latitudeShifts.create(columns, rows, header.LAT_INC, header.LONG_INC, header.S_LAT,
                                 -header.W_LONG)
        && longitudeShifts.create(columns, rows, header.LAT_INC, header.LONG_INC, header.S_LAT,
                                  -header.W_LONG);
}

// Records run from the southern row northward, each row from its eastern-most node westward.
bool CNTv2SubGrid::storeNode(unsigned record, double latitudeShift, double longitudeShift)
{
    if (!std::isfinite(latitudeShift) || !std::isfinite(longitudeShift))
        return false;
    const unsigned rows = latitudeShifts.getRowCount();
    const unsigned i = record / rows;
    const unsigned j = rows - 1 - record % rows;
    latitudeShifts.setValue(i, j, latitudeShift);
    longitudeShifts.setValue(i, j, longitudeShift);
    return true;
}

bool CNTv2SubGrid::readAscii(std::istream& stream)
{
    clear();
    if (!header.readAscii(stream) || !createGrids(stream, kShortestAsciiNode))
        return false;
    std::string line;
    for (unsigned record = 0; record < unsigned(header.GS_COUNT); ++record) {
        double latitudeShift = 0.0;
        double longitudeShift = 0.0;
        if (!readLine(stream, line)
            || scanText(line.c_str(), "%lf%lf", &latitudeShift, &longitudeShift) != 2
            || !storeNode(record, latitudeShift, longitudeShift))
            return false;
    }
    return true;
}

bool CNTv2SubGrid::readBinary(std::istream& stream)
{
    clear();
    if (!header.readBinary(stream) || !createGrids(stream, kBinaryNodeSize))
        return false;
    unsigned char node[16];
    for (unsigned record = 0; record < unsigned(header.GS_COUNT); ++record) {
        if (!readRecord(stream, node) || !storeNode(record, floatAt(node), floatAt(node + 4)))
            return false;
    }
    return true;
}

bool CNTv2SubGrid::contains(double latitude, double longitude) const
{
    return withinAxis(latitude, latitudeShifts.getMin1(), latitudeShifts.getStep1(),
                      latitudeShifts.getColumnCount())
        && withinAxis(longitude, latitudeShifts.getMin2(), latitudeShifts.getStep2(),
                      latitudeShifts.getRowCount());
}

void CNTv2SubGrid::clampInto(double& latitude, double& longitude) const
{
    const C2DGrid<double>& grid = latitudeShifts;
    latitude = std::clamp(latitude, grid.getMin1(),
                          grid.getMin1() + (grid.getColumnCount() - 1) * grid.getStep1());
    longitude = std::clamp(longitude, grid.getMin2(),
                           grid.getMin2() + (grid.getRowCount() - 1) * grid.getStep2());
}

void CNTv2SubGrid::interpolate(double latitude, double longitude, double& latitudeShift,
                               double& longitudeShift) const
{
    latitudeShift = latitudeShifts.interpolate(latitude, longitude);
    longitudeShift = longitudeShifts.interpolate(latitude, longitude);
}

bool CNTv2GridFile::loadAscii(const std::string& path)
{
    return load(path, false);
}

bool CNTv2GridFile::loadBinary(const std::string& path)
{
    return load(path, true);
}

bool CNTv2GridFile::load(const std::string& path, bool binary)
{
    clear();
    std::ifstream stream(path, binary ? std::ios::in | std::ios::binary : std::ios::in);
    if (!stream.is_open())
        return false;
    const bool read = binary ? m_header.readBinary(stream) : m_header.readAscii(stream);
    if (!read || !readSubGrids(stream, binary))
        clear();
    m_angleUnit = m_header.angleUnit();
    return isValid();
}

bool CNTv2GridFile::readSubGrids(std::istream& stream, bool binary)
{
    for (int32_t k = 0; k < m_header.NUM_FILE; ++k) {
        m_subGrids.emplace_back();
        CNTv2SubGrid& subGrid = m_subGrids.back();
        if (!(binary ? subGrid.readBinary(stream) : subGrid.readAscii(stream)))
            return false;
    }
    return true;
}

bool CNTv2GridFile::isValid() const
{
    if (!m_header.isValid() || m_subGrids.empty())
        return false;
    for (const CNTv2SubGrid& subGrid : m_subGrids) {
        if (!subGrid.isValid())
            return false;
    }
    return true;
}

void CNTv2GridFile::clear()
{
    m_header.clear();
    m_subGrids.clear();
    m_angleUnit = 0.0;
}

const CNTv2SubGrid* CNTv2GridFile::findSubGrid(double latitude, double longitude) const
{
    const CNTv2SubGrid* finest = nullptr;
    double finestCell = 0.0;
    for (const CNTv2SubGrid& subGrid : m_subGrids) {
        if (!subGrid.contains(latitude, longitude))
            continue;
        const double cell = subGrid.header.LAT_INC * subGrid.header.LONG_INC;
        if (!finest || cell < finestCell) {
            finest = &subGrid;
            finestCell = cell;
        }
    }
    return finest;
}

bool CNTv2GridFile::interpolate(const double& latitude, const double& longitude,
                                double& latitudeShift, double& longitudeShift) const
{
    const CNTv2SubGrid* subGrid = findSubGrid(latitude, longitude);
    if (!subGrid)
        return false;
    subGrid->interpolate(latitude, longitude, latitudeShift, longitudeShift);
    return true;
}

void CNTv2GridFile::interpolateNearest(double latitude, double longitude, double& latitudeShift,
                                       double& longitudeShift) const
{
    if (interpolate(latitude, longitude, latitudeShift, longitudeShift))
        return;
    const CNTv2SubGrid* nearest = nullptr;
    double nearestLatitude = latitude;
    double nearestLongitude = longitude;
    double nearestDistance = 0.0;
    for (const CNTv2SubGrid& subGrid : m_subGrids) {
        double clampedLatitude = latitude;
        double clampedLongitude = longitude;
        subGrid.clampInto(clampedLatitude, clampedLongitude);
        const double distance = std::hypot(clampedLatitude - latitude, clampedLongitude - longitude);
        if (!nearest || distance < nearestDistance) {
            nearest = &subGrid;
            nearestLatitude = clampedLatitude;
            nearestLongitude = clampedLongitude;
            nearestDistance = distance;
        }
    }
    nearest->interpolate(nearestLatitude, nearestLongitude, latitudeShift, longitudeShift);
}

bool CNTv2GridFile::forward(double& latitude, double& longitude) const
{
    double latitudeShift = 0.0;
    double longitudeShift = 0.0;
    if (!interpolate(latitude, longitude, latitudeShift, longitudeShift))
        return false;
    latitude += latitudeShift;
    longitude -= longitudeShift;
    return true;
}

bool CNTv2GridFile::reverse(double& latitude, double& longitude) const
{
    if (m_subGrids.empty())
        return false;
    double estimateLatitude = latitude;
    double estimateLongitude = longitude;
    for (int k = 0; k < reverseIterations; ++k) {
        double latitudeShift = 0.0;
        double longitudeShift = 0.0;
        interpolateNearest(estimateLatitude, estimateLongitude, latitudeShift, longitudeShift);
        estimateLatitude = latitude - latitudeShift;
        estimateLongitude = longitude + longitudeShift;
    }
    // The source point must lie in the grid, where the forward answers.
    if (!findSubGrid(estimateLatitude, estimateLongitude))
        return false;
    latitude = estimateLatitude;
    longitude = estimateLongitude;
    return true;
}

bool CNTv2GridFile::forward(const double& latitude, const double& longitude,
                            double& outLatitude, double& outLongitude) const
{
    return convertCopy(*this, &CNTv2GridFile::forward, latitude, longitude, outLatitude,
                       outLongitude);
}

bool CNTv2GridFile::reverse(const double& latitude, const double& longitude,
                            double& outLatitude, double& outLongitude) const
{
    return convertCopy(*this, &CNTv2GridFile::reverse, latitude, longitude, outLatitude,
                       outLongitude);
}

} // namespace vexa
