#ifndef VEXA_NTV2_H
#define VEXA_NTV2_H

#include "geodesy/grid.h"

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace vexa {

// Overview header of an NTv2 grid shift file.
class CNTv2OverviewHeader
{
public:
    CNTv2OverviewHeader() = default;

    void clear();
    // Eleven records of each header, at least one sub-grid, positive semi-axes and a
    // known angle unit.
    bool isValid() const;
    bool readAscii(std::istream& stream);
    bool readBinary(std::istream& stream);
    // Radians in one angle unit of the file (GS_TYPE SECONDS, MINUTES or DEGREES); 0 otherwise.
    double angleUnit() const;

    int32_t NUM_OREC = 0;
    int32_t NUM_SREC = 0;
    int32_t NUM_FILE = 0;
    std::string GS_TYPE;
    std::string VERSION;
    std::string SYSTEM_F;
    std::string SYSTEM_T;
    double MAJOR_F = 0.0;
    double MINOR_F = 0.0;
    double MAJOR_T = 0.0;
    double MINOR_T = 0.0;
};

// Header of one sub-grid; limits and increments in the file's angle unit, longitudes
// positive west.
class CNTv2SubGridHeader
{
public:
    CNTv2SubGridHeader() { clear(); }

    void clear();
    bool isValid() const;
    bool readAscii(std::istream& stream);
    bool readBinary(std::istream& stream);

    std::string SUB_NAME;
    std::string PARENT;
    std::string CREATED;
    std::string UPDATED;
    double S_LAT;
    double N_LAT;
    double E_LONG;
    double W_LONG;
    double LAT_INC;
    double LONG_INC;
    int32_t GS_COUNT;
};

// One sub-grid: its header and the shifts at its nodes. Both grids have latitude on the
// first axis and longitude, positive east, on the second; the longitude shifts are kept as
// the file gives them, positive west.
class CNTv2SubGrid
{
public:
    void clear();
    bool isValid() const;
    // Read the header, then the node records; a node count that disagrees with GS_COUNT is
    // refused.
    bool readAscii(std::istream& stream);
    bool readBinary(std::istream& stream);

    bool contains(double latitude, double longitude) const;
    // The point moved to the nearest point of the sub-grid's extent.
    void clampInto(double& latitude, double& longitude) const;
    // Shifts at a point inside the sub-grid.
    void interpolate(double latitude, double longitude, double& latitudeShift,
                     double& longitudeShift) const;

    CNTv2SubGridHeader header;
    C2DGrid<double> latitudeShifts;
    C2DGrid<double> longitudeShifts;

private:
    bool createGrids(std::istream& stream, std::streamoff bytesPerNode);
    bool storeNode(unsigned record, double latitudeShift, double longitudeShift);
};

// An NTv2 grid shift file with all its sub-grids. Coordinates and shifts are in the file's
// angle unit, longitudes positive east; a point takes the finest sub-grid that holds it,
// and a point outside every sub-grid is not converted.
class CNTv2GridFile
{
public:
    bool loadAscii(const std::string& path);
    bool loadBinary(const std::string& path);
    bool isValid() const;
    void clear();

    const CNTv2OverviewHeader& getHeader() const { return m_header; }
    const std::vector<CNTv2SubGrid>& getSubGrids() const { return m_subGrids; }
    // Kept from the header when the file is read.
    double angleUnit() const { return m_angleUnit; }

    // Shifts at a point as the file gives them (the longitude shift positive west).
    bool interpolate(const double& latitude, const double& longitude, double& latitudeShift,
                     double& longitudeShift) const;
    bool forward(double& latitude, double& longitude) const;
    // The inverse of forward by reverseIterations fixed-point steps.
    bool reverse(double& latitude, double& longitude) const;
    // The output keeps its previous values when the conversion fails.
    bool forward(const double& latitude, const double& longitude, double& outLatitude,
                 double& outLongitude) const;
    bool reverse(const double& latitude, const double& longitude, double& outLatitude,
                 double& outLongitude) const;

    int reverseIterations = 3;

private:
    bool load(const std::string& path, bool binary);
    bool readSubGrids(std::istream& stream, bool binary);
    const CNTv2SubGrid* findSubGrid(double latitude, double longitude) const;
    // Shifts at a point, or for a point outside every sub-grid at the nearest point of the
    // nearest sub-grid: the estimates of the reverse iteration may leave the grid.
    void interpolateNearest(double latitude, double longitude, double& latitudeShift,
                            double& longitudeShift) const;

    CNTv2OverviewHeader m_header;
    std::vector<CNTv2SubGrid> m_subGrids;
    double m_angleUnit = 0.0;
};

} // namespace vexa

#endif
