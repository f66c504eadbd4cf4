#ifndef VEXA_COORDOPERATOR_H
#define VEXA_COORDOPERATOR_H

#include "geodesy/coordoperation.h"
#include "geodesy/coordsysparams.h"

#include <memory>
#include <vector>

namespace vexa {

class CVerticalDatumShift;

// Carries points from one coordinate system to another through a chain of operations
// that is built once for the pair.
class CCoordOperator
{
public:
    // Throws when the pair cannot be chained: an undefined or unknown kind, a system lacking
    // an object its kind needs, a matched link without parameters, parameters that no
    // operation is built for, or a std::bad_cast of a factory.
    CCoordOperator(const CCoordSysParams& from, const CCoordSysParams& to);
    CCoordOperator(const CCoordOperator&) = delete;
    CCoordOperator& operator=(const CCoordOperator&) = delete;
    virtual ~CCoordOperator();

    // Null when the pair cannot be chained.
    static std::shared_ptr<CCoordOperator> create(const CCoordSysParams& from,
                                                  const CCoordSysParams& to);

    // False when a step fails or the result is not finite; an exception of a step passes out.
    bool transform(CCoords* point);
    bool transform(const CCoords& in, CCoords* out);

    void clear();
    void appendOperation(std::unique_ptr<CCoordOperation> operation);
    const std::vector<std::unique_ptr<CCoordOperation>>& getOperations() const { return m_chain; }

    bool isSameEllipsoid(const CCoordSysParams& from, const CCoordSysParams& to) const;
    bool isSamePrimeMeridian(const CCoordSysParams& from, const CCoordSysParams& to) const;
    bool isSameMapProjection(const CCoordSysParams& from, const CCoordSysParams& to) const;
    bool isSameLSR(const CCoordSysParams& from, const CCoordSysParams& to) const;
    bool isSameDatum(const CCoordSysParams& from, const CCoordSysParams& to) const;

private:
    enum class Form
    {
        Geodetic,
        Geocentric,
        Projected,
        Topocentric
    };

    void matchGeographicDatumShifts(const CCoordSysParams& from, const CCoordSysParams& to);
    std::unique_ptr<CVerticalDatumShift> matchVerticalDatumShifts(const CCoordSysParams& from,
                                                                  const CCoordSysParams& to);

    void addTransformSet(const CCoordSysParams& system, int direction);
    void addTransformList(const CTransformParamsSet& set, int direction);
    void addGeoid(const CCoordSysParams& system, int direction);
    void addVerticalDatumShift(const CVerticalDatumShiftParams& params, int direction);
    void addVerticalDatumShift(std::unique_ptr<CVerticalDatumShift> shift, int direction);
    void addGeographicDatumShift(const CCoordSysParams& from, const CCoordSysParams& to);
    void addAuxDatasetCoords(Form form, const CCoordSysParams& system);
    void addAuxDatasetCoordsTarget(Form form, const CCoordSysParams& system);
    void addRecord(const char* name, Form form, const CCoordSysParams& system);

    void addCore(const CCoordSysParams& from, const CCoordSysParams& to);
    void addThroughDatums(const CCoordSysParams& from, const CCoordSysParams& to,
                          bool fromGeocentric, bool toGeocentric);
    void addThroughGeographicShift(const CCoordSysParams& from, const CCoordSysParams& to,
                                   bool fromGeocentric, bool toGeocentric);
    void addThroughDatumShifts(const CCoordSysParams& from, const CCoordSysParams& to,
                               bool fromGeocentric, bool toGeocentric);
    void addDatumShifts(const CCoordSysParams& from, const CCoordSysParams& to);

    void addEllipsoid(const CCoordSysParams& system, int direction);
    void addProjection(const CCoordSysParams& system, int direction);
    void addLsr(const CCoordSysParams& system, int direction);
    void addLsrAffine(const CCoordSysParams& system, bool toGeocentric);
    void addMeridianTranslation(const CCoordSysParams& system, int direction);
    void addMeridianRotation(const CCoordSysParams& system, int direction);

    std::vector<std::unique_ptr<CCoordOperation>> m_chain;
    std::shared_ptr<CGeographicDatumShiftParams> m_sourceGeographicShift;
    std::shared_ptr<CGeographicDatumShiftParams> m_targetGeographicShift;
    bool m_geographicMatch = false;
    std::shared_ptr<CVerticalDatumShiftParams> m_sourceVerticalShift;
    std::shared_ptr<CVerticalDatumShiftParams> m_targetVerticalShift;
    bool m_verticalMatch = false;
    bool m_recordSource = false;
    bool m_recordTarget = false;
};

} // namespace vexa

#endif
