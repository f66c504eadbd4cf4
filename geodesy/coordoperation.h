#ifndef VEXA_COORDOPERATION_H
#define VEXA_COORDOPERATION_H

#include "geodesy/coords.h"

#include <map>
#include <memory>
#include <string>

namespace vexa {

// Kinds of the records kept beside a point while a chain runs.
enum AuxDataKind
{
    AuxDataPlaneCorrection = 1,
    AuxDataHeight = 2,
    AuxDataCoords = 3
};

class CAuxData
{
public:
    CAuxData() = default;
    explicit CAuxData(int kind) : m_kind(kind) {}
    CAuxData(const CAuxData&) = default;
    virtual ~CAuxData() = default;

    int getKind() const { return m_kind; }

private:
    int m_kind = 0;
};

class CAuxDataPlaneCorrection : public CAuxData
{
public:
    CAuxDataPlaneCorrection() : CAuxData(AuxDataPlaneCorrection) {}
    CAuxDataPlaneCorrection(double first, double second)
        : CAuxData(AuxDataPlaneCorrection), first(first), second(second) {}

    double first = kUndefined;
    double second = kUndefined;
};

class CAuxDataHeight : public CAuxData
{
public:
    CAuxDataHeight() : CAuxData(AuxDataHeight) {}
    explicit CAuxDataHeight(double height) : CAuxData(AuxDataHeight), height(height) {}

    double height = kUndefined;
};

class CAuxDataCoords : public CAuxData
{
public:
    CAuxDataCoords() : CAuxData(AuxDataCoords) {}
    explicit CAuxDataCoords(const CCoords& coords) : CAuxData(AuxDataCoords), coords(coords) {}

    CCoords coords;
};

// Named records that the steps of one chain share for one point; owns its records.
class CAuxDataSet
{
public:
    CAuxDataSet() = default;
    CAuxDataSet(const CAuxDataSet&) = delete;
    CAuxDataSet& operator=(const CAuxDataSet&) = delete;
    virtual ~CAuxDataSet() = default;

    // The first record of a name stays; a later one is deleted.
    void add(const std::string& name, std::unique_ptr<CAuxData> data);
    CAuxData* find(const std::string& name) const;
    CAuxDataPlaneCorrection* getPlaneCorrection(const std::string& name) const;
    CAuxDataHeight* getHeight(const std::string& name) const;
    CAuxDataCoords* getCoords(const std::string& name) const;

private:
    std::map<std::string, std::unique_ptr<CAuxData>> m_records;
};

// Type codes of the operations.
enum CoordOperationType
{
    OperationTransform = 1,
    OperationEllipsoid = 2,
    OperationMapProjection = 3,
    OperationGeocentricToLsr = 4,
    OperationDatumShift = 5,
    OperationGeographicDatumShift = 6,
    OperationVerticalDatumShift = 7,
    OperationGeoid = 8,
    OperationPlaneGridCorrection = 9,
    OperationAuxDatasetCoords = 10,
    OperationAuxDatasetGeocentricToGeodetic = 11,
    OperationAuxDatasetGeodeticToMapProjection = 12,
    OperationAuxDatasetLsrToGeodetic = 13
};

// Direction codes of the concrete operations.
enum OperationDirection
{
    DirectionForward = 1,
    DirectionReverse = 2
};

// One step of a conversion chain; changes a point in place.
class CCoordOperation
{
public:
    CCoordOperation(const CCoordOperation&) = delete;
    CCoordOperation& operator=(const CCoordOperation&) = delete;
    virtual ~CCoordOperation() = default;

    virtual bool apply(CCoords* point, CAuxDataSet* aux) = 0;

    int getType() const { return m_type; }
    bool applyCopy(const CCoords& in, CCoords* out, CAuxDataSet* aux);

protected:
    explicit CCoordOperation(int type) : m_type(type) {}

private:
    int m_type;
};

// Type 10: direction 1 stores a copy of the point under a name, 2 restores it.
class CCoordOperationAuxDatasetCoords : public CCoordOperation
{
public:
    CCoordOperationAuxDatasetCoords(const std::string& name, int direction);

    bool apply(CCoords* point, CAuxDataSet* aux) override;

private:
    std::string m_name;
    int m_direction;
};

} // namespace vexa

#endif
