#include "geodesy/coordoperator.h"

#include "geodesy/datumshift.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/geographicdatumshift.h"
#include "geodesy/geoid.h"
#include "geodesy/mapprojection.h"
#include "geodesy/topocentric.h"
#include "geodesy/transform.h"
#include "geodesy/verticaldatumshift.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace vexa {

namespace {

const char* const sourcePositionName = "fromgeodeticcoords";
const char* const targetPositionName = "togeodeticcoords";
const char* const geographicShiftError =
    "void CCoordOperator::addGeographicDatumShift(const CCoordSysParams& from, "
    "const CCoordSysParams& to)";

[[noreturn]] void refuse(const std::string& reason)
{
    throw std::runtime_error("CCoordOperator: " + reason);
}

template <class T>
bool hasValid(const std::shared_ptr<T>& object)
{
    return object && object->isValid();
}

// Refuses a system of no known kind or one lacking an object that its kind needs.
void requireObjects(const CCoordSysParams& system, const std::string& side)
{
    switch (system.kind) {
    case CoordSysUndefined:
        refuse("the " + side + " coordinate system is undefined");
    case CoordSysLocalCartesian:
        return;
    case CoordSysGeocentric:
    case CoordSysGeodetic:
    case CoordSysProjected:
    case CoordSysTopocentric:
        break;
    default:
        refuse("the " + side + " coordinate system is of unknown kind "
               + std::to_string(system.kind));
    }
    if (!hasValid(system.ellipsoid) || !hasValid(system.primeMeridian))
        refuse("the " + side + " coordinate system lacks its ellipsoid or prime meridian");
    if (system.kind == CoordSysProjected && !hasValid(system.projection))
        refuse("the " + side + " coordinate system lacks its map projection");
    if (system.kind == CoordSysTopocentric && !hasValid(system.localSystem))
        refuse("the " + side + " coordinate system lacks its local system");
}

// Both present and equal.
template <class T>
bool isSame(const std::shared_ptr<T>& first, const std::shared_ptr<T>& second)
{
    return first && second && first->isEqual(*second);
}

bool isGeocentricForm(int kind)
{
    return kind == CoordSysGeocentric || kind == CoordSysTopocentric;
}

// The entries of the first identifier of the source's links (ascending) that the target's
// links also hold.
template <class T>
bool firstCommon(const CCoordSysParams::Links<T>& from, const CCoordSysParams::Links<T>& to,
                 std::shared_ptr<T>* source, std::shared_ptr<T>* target)
{
    for (const auto& entry : from) {
        const auto found = to.find(entry.first);
        if (found != to.end()) {
            *source = entry.second;
            *target = found->second;
            return true;
        }
    }
    return false;
}

std::unique_ptr<CVerticalDatumShift> makeVerticalShift(const CVerticalDatumShiftParams& params)
{
    std::unique_ptr<CVerticalDatumShift> shift = createVerticalDatumShift(params);
    if (!shift)
        refuse("no vertical datum shift of type " + std::to_string(params.getType()));
    return shift;
}

std::unique_ptr<CCoordOperation> makeDatumShift(const CDatumShiftParams& params, int direction)
{
    std::unique_ptr<CDatumShift> shift = createDatumShift(params);
    if (!shift)
        refuse("no datum shift of type " + std::to_string(params.getType()));
    return std::make_unique<CCoordOperationDatumShift>(std::move(shift), direction);
}

std::unique_ptr<CCoordOperation> makeTransform(const CTransformParams& params, int direction)
{
    if (params.getType() == TransformPlaneGridCorrection) {
        return std::make_unique<CCoordOperationPlaneGridCorrection>(
            std::make_unique<CTransformPlaneGridCorrection>(
                dynamic_cast<const CTransformPlaneGridCorrectionParams&>(params)),
            direction);
    }
    std::unique_ptr<CTransform> transform = createTransform(params);
    if (!transform)
        refuse("no transform of type " + std::to_string(params.getType()));
    return std::make_unique<CCoordOperationTransform>(std::move(transform), direction);
}

std::unique_ptr<CCoordOperation> makeAffine(std::unique_ptr<CTransformAffine3D> transform,
                                            int direction)
{
    return std::make_unique<CCoordOperationTransform>(std::move(transform), direction);
}

} // namespace

CCoordOperator::CCoordOperator(const CCoordSysParams& from, const CCoordSysParams& to)
{
    requireObjects(from, "source");
    requireObjects(to, "target");
    std::shared_ptr<CTransformParamsSet> listFrom;
    std::shared_ptr<CTransformParamsSet> listTo;
    const bool listed = firstCommon(from.transformLists, to.transformLists, &listFrom, &listTo);
    if (listed && (!listFrom || !listTo))
        refuse("a matched transform list is empty");
    const bool direct = listed && listFrom->isDirect && listTo->isDirect;
    if (!direct)
        matchGeographicDatumShifts(from, to);
    std::unique_ptr<CVerticalDatumShift> targetVerticalShift = matchVerticalDatumShifts(from, to);

    addTransformSet(from, DirectionReverse);
    if (listed && (!direct || !listFrom->isPassive))
        addTransformList(*listFrom, DirectionReverse);
    if (direct) {
        if (!listTo->isPassive)
            addTransformList(*listTo, DirectionForward);
    } else {
        if (m_verticalMatch)
            addVerticalDatumShift(*m_sourceVerticalShift, DirectionReverse);
        addGeoid(from, DirectionReverse);
        addCore(from, to);
        addGeoid(to, DirectionForward);
        if (m_verticalMatch)
            addVerticalDatumShift(std::move(targetVerticalShift), DirectionForward);
        if (listed)
            addTransformList(*listTo, DirectionForward);
    }
    addTransformSet(to, DirectionForward);
}

CCoordOperator::~CCoordOperator()
{
    clear();
}

std::shared_ptr<CCoordOperator> CCoordOperator::create(const CCoordSysParams& from,
                                                       const CCoordSysParams& to)
{
    try {
        return std::make_shared<CCoordOperator>(from, to);
    } catch (const std::exception&) {
        return nullptr;
    }
}

bool CCoordOperator::transform(CCoords* point)
{
    CAuxDataSet aux;
    for (const auto& operation : m_chain) {
        if (!operation->apply(point, &aux))
            return false;
    }
    return std::isfinite(point->first) && std::isfinite(point->second)
           && std::isfinite(point->third);
}

bool CCoordOperator::transform(const CCoords& in, CCoords* out)
{
    *out = in;
    return transform(out);
}

void CCoordOperator::clear()
{
    for (auto& operation : m_chain)
        operation.reset();
    m_chain.clear();
}

void CCoordOperator::appendOperation(std::unique_ptr<CCoordOperation> operation)
{
    m_chain.push_back(std::move(operation));
}

bool CCoordOperator::isSameEllipsoid(const CCoordSysParams& from, const CCoordSysParams& to) const
{
    return isSame(from.ellipsoid, to.ellipsoid);
}

bool CCoordOperator::isSamePrimeMeridian(const CCoordSysParams& from,
                                         const CCoordSysParams& to) const
{
    return isSame(from.primeMeridian, to.primeMeridian);
}

bool CCoordOperator::isSameMapProjection(const CCoordSysParams& from,
                                         const CCoordSysParams& to) const
{
    return isSame(from.projection, to.projection);
}

bool CCoordOperator::isSameLSR(const CCoordSysParams& from, const CCoordSysParams& to) const
{
    return isSame(from.localSystem, to.localSystem);
}

bool CCoordOperator::isSameDatum(const CCoordSysParams& from, const CCoordSysParams& to) const
{
    return isSame(from.datumShiftToWgs84, to.datumShiftToWgs84) && !m_geographicMatch;
}

void CCoordOperator::matchGeographicDatumShifts(const CCoordSysParams& from,
                                                const CCoordSysParams& to)
{
    m_geographicMatch = firstCommon(from.geographicDatumShifts, to.geographicDatumShifts,
                                    &m_sourceGeographicShift, &m_targetGeographicShift);
    if (m_geographicMatch && (!m_sourceGeographicShift || !m_targetGeographicShift))
        refuse("a matched geographic datum shift holds no parameters");
}

// Builds the target's shift at once: a shift that depends on the position needs the
// geodetic position recorded on the side where its own step looks for it.
std::unique_ptr<CVerticalDatumShift>
CCoordOperator::matchVerticalDatumShifts(const CCoordSysParams& from, const CCoordSysParams& to)
{
    m_verticalMatch = firstCommon(from.verticalDatumShifts, to.verticalDatumShifts,
                                  &m_sourceVerticalShift, &m_targetVerticalShift);
    if (!m_verticalMatch)
        return nullptr;
    if (!m_sourceVerticalShift || !m_targetVerticalShift)
        refuse("a matched vertical datum shift holds no parameters");
    std::unique_ptr<CVerticalDatumShift> shift = makeVerticalShift(*m_targetVerticalShift);
    if (shift->getType() != VerticalDatumShiftOffset)
        (shift->addsCorrection() ? m_recordTarget : m_recordSource) = true;
    return shift;
}

void CCoordOperator::addTransformSet(const CCoordSysParams& system, int direction)
{
    if (system.transforms)
        addTransformList(*system.transforms, direction);
}

void CCoordOperator::addTransformList(const CTransformParamsSet& set, int direction)
{
    const auto& transforms = set.transforms;
    for (std::size_t index = 0; index < transforms.size(); ++index) {
        const auto& params =
            transforms[direction == DirectionForward ? index : transforms.size() - 1 - index];
        if (!params)
            refuse("a transform list holds an empty entry");
        appendOperation(makeTransform(*params, direction));
    }
}

// The geoid sees the system without its links, geoid and transforms.
void CCoordOperator::addGeoid(const CCoordSysParams& system, int direction)
{
    if (!system.geoid)
        return;
    CCoordSysParams pointSystem;
    pointSystem.kind = system.kind;
    pointSystem.datumShiftToWgs84 = system.datumShiftToWgs84;
    pointSystem.primeMeridian = system.primeMeridian;
    pointSystem.ellipsoid = system.ellipsoid;
    pointSystem.projection = system.projection;
    pointSystem.localSystem = system.localSystem;
    appendOperation(std::make_unique<CCoordOperationGeoid>(pointSystem, *system.geoid, direction));
}

void CCoordOperator::addVerticalDatumShift(const CVerticalDatumShiftParams& params, int direction)
{
    addVerticalDatumShift(makeVerticalShift(params), direction);
}

void CCoordOperator::addVerticalDatumShift(std::unique_ptr<CVerticalDatumShift> shift,
                                           int direction)
{
    switch (shift->getType()) {
    case VerticalDatumShiftOffsetSlope:
        appendOperation(
            std::make_unique<CCoordOperationVerticalDatumShiftOffsetSlope>(std::move(shift),
                                                                           direction));
        return;
    case VerticalDatumShiftGrid:
        appendOperation(
            std::make_unique<CCoordOperationVerticalDatumShiftGrid>(std::move(shift), direction));
        return;
    default:
        appendOperation(std::make_unique<CCoordOperationVerticalDatumShiftOffset>(std::move(shift),
                                                                                  direction));
    }
}

void CCoordOperator::addGeographicDatumShift(const CCoordSysParams& from,
                                             const CCoordSysParams& to)
{
    if (!m_geographicMatch
        || m_sourceGeographicShift->isForward == m_targetGeographicShift->isForward)
        throw std::runtime_error(geographicShiftError);
    const bool sourceForward = m_sourceGeographicShift->isForward;
    std::unique_ptr<CGeographicDatumShift> shift =
        sourceForward ? createGeographicDatumShift(*m_sourceGeographicShift, *from.ellipsoid,
                                                   *m_targetGeographicShift, *to.ellipsoid)
                      : createGeographicDatumShift(*m_targetGeographicShift, *to.ellipsoid,
                                                   *m_sourceGeographicShift, *from.ellipsoid);
    if (!shift)
        refuse("no geographic datum shift of type "
               + std::to_string(m_sourceGeographicShift->getType()));
    appendOperation(std::make_unique<CCoordOperationGeographicDatumShift>(
        std::move(shift), sourceForward ? DirectionForward : DirectionReverse));
}

void CCoordOperator::addAuxDatasetCoords(Form form, const CCoordSysParams& system)
{
    if (!m_recordSource)
        return;
    m_recordSource = false;
    addRecord(sourcePositionName, form, system);
}

void CCoordOperator::addAuxDatasetCoordsTarget(Form form, const CCoordSysParams& system)
{
    if (!m_recordTarget)
        return;
    m_recordTarget = false;
    addRecord(targetPositionName, form, system);
}

// Stores the geodetic position of the point in the form it has at this place of the chain.
void CCoordOperator::addRecord(const char* name, Form form, const CCoordSysParams& system)
{
    switch (form) {
    case Form::Geodetic:
        appendOperation(std::make_unique<CCoordOperationAuxDatasetCoords>(name, DirectionForward));
        return;
    case Form::Geocentric:
        appendOperation(std::make_unique<CCoordOperationAuxdatasetGeocentricToGeodetic>(
            name, *system.ellipsoid, DirectionForward));
        return;
    case Form::Projected:
        appendOperation(std::make_unique<CCoordOperationAuxdatasetGeodeticToMapProjection>(
            name, *system.ellipsoid, *system.projection, DirectionReverse));
        return;
    case Form::Topocentric:
        appendOperation(std::make_unique<CCoordOperationAuxdatasetLsrToGeodetic>(
            name, *system.ellipsoid, *system.localSystem, DirectionForward));
        return;
    }
}

void CCoordOperator::addCore(const CCoordSysParams& from, const CCoordSysParams& to)
{
    const int fromKind = from.kind;
    const int toKind = to.kind;
    if (fromKind == CoordSysLocalCartesian || toKind == CoordSysLocalCartesian)
        return;
    const bool sameFrame = fromKind == toKind && isSameDatum(from, to)
                           && isSameEllipsoid(from, to) && isSamePrimeMeridian(from, to);
    if (sameFrame && fromKind == CoordSysProjected && isSameMapProjection(from, to)) {
        addAuxDatasetCoords(Form::Projected, from);
        addAuxDatasetCoordsTarget(Form::Projected, to);
        return;
    }
    if (sameFrame && fromKind == CoordSysTopocentric && isSameLSR(from, to)) {
        addAuxDatasetCoords(Form::Topocentric, from);
        addAuxDatasetCoordsTarget(Form::Topocentric, to);
        return;
    }
    const bool fromGeocentric = isGeocentricForm(fromKind);
    const bool toGeocentric = isGeocentricForm(toKind);
    // Between two topocentric or geocentric systems the local frame is a plain affine step.
    const bool affineFrames = fromGeocentric && toGeocentric;
    if (fromKind == CoordSysProjected)
        addProjection(from, DirectionForward);
    if (fromKind == CoordSysTopocentric && affineFrames)
        addLsrAffine(from, true);
    else if (fromKind == CoordSysTopocentric)
        addLsr(from, DirectionReverse);
    addThroughDatums(from, to, fromGeocentric, toGeocentric);
    if (toKind == CoordSysProjected)
        addProjection(to, DirectionReverse);
    if (toKind == CoordSysTopocentric && affineFrames)
        addLsrAffine(to, false);
    else if (toKind == CoordSysTopocentric)
        addLsr(to, DirectionForward);
}

void CCoordOperator::addThroughDatums(const CCoordSysParams& from, const CCoordSysParams& to,
                                      bool fromGeocentric, bool toGeocentric)
{
    if (m_geographicMatch)
        addThroughGeographicShift(from, to, fromGeocentric, toGeocentric);
    else
        addThroughDatumShifts(from, to, fromGeocentric, toGeocentric);
}

// The geographic shift works on longitudes from Greenwich.
void CCoordOperator::addThroughGeographicShift(const CCoordSysParams& from,
                                               const CCoordSysParams& to, bool fromGeocentric,
                                               bool toGeocentric)
{
    if (fromGeocentric)
        addEllipsoid(from, DirectionForward);
    addAuxDatasetCoords(Form::Geodetic, from);
    addMeridianTranslation(from, DirectionForward);
    addGeographicDatumShift(from, to);
    addMeridianTranslation(to, DirectionReverse);
    addAuxDatasetCoordsTarget(Form::Geodetic, to);
    if (toGeocentric)
        addEllipsoid(to, DirectionReverse);
}

void CCoordOperator::addThroughDatumShifts(const CCoordSysParams& from, const CCoordSysParams& to,
                                           bool fromGeocentric, bool toGeocentric)
{
    addAuxDatasetCoords(fromGeocentric ? Form::Geocentric : Form::Geodetic, from);
    if (!fromGeocentric && !toGeocentric && isSameDatum(from, to) && isSameEllipsoid(from, to)) {
        if (!isSamePrimeMeridian(from, to)) {
            addMeridianTranslation(from, DirectionForward);
            addMeridianTranslation(to, DirectionReverse);
        }
        addAuxDatasetCoordsTarget(Form::Geodetic, to);
        return;
    }
    if (fromGeocentric) {
        addMeridianRotation(from, DirectionForward);
    } else {
        addMeridianTranslation(from, DirectionForward);
        addEllipsoid(from, DirectionReverse);
    }
    addDatumShifts(from, to);
    if (toGeocentric) {
        addMeridianRotation(to, DirectionReverse);
    } else {
        addEllipsoid(to, DirectionForward);
        addMeridianTranslation(to, DirectionReverse);
    }
    addAuxDatasetCoordsTarget(toGeocentric ? Form::Geocentric : Form::Geodetic, to);
}

// A direct link between the two datums replaces the way through WGS 84.
void CCoordOperator::addDatumShifts(const CCoordSysParams& from, const CCoordSysParams& to)
{
    std::shared_ptr<CDatumShiftParams> source = from.datumShiftToWgs84;
    std::shared_ptr<CDatumShiftParams> target = to.datumShiftToWgs84;
    std::shared_ptr<CDatumShiftParams> pairSource;
    std::shared_ptr<CDatumShiftParams> pairTarget;
    if (firstCommon(from.datumShifts, to.datumShifts, &pairSource, &pairTarget)) {
        source = pairSource;
        target = pairTarget;
    }
    if (!source || !target || source->isEqual(*target))
        return;
    if (!source->isIdentity())
        appendOperation(makeDatumShift(*source, DirectionForward));
    if (!target->isIdentity() && !target->isDisabled)
        appendOperation(makeDatumShift(*target, DirectionReverse));
}

void CCoordOperator::addEllipsoid(const CCoordSysParams& system, int direction)
{
    appendOperation(std::make_unique<CCoordOperationEllipsoid>(*system.ellipsoid, direction));
}

void CCoordOperator::addProjection(const CCoordSysParams& system, int direction)
{
    appendOperation(std::make_unique<CCoordOperationMapProjection>(*system.ellipsoid,
                                                                   *system.projection, direction));
}

void CCoordOperator::addLsr(const CCoordSysParams& system, int direction)
{
    appendOperation(std::make_unique<CCoordOperationGeocentricToLsr>(
        *system.ellipsoid, *system.localSystem, direction));
}

void CCoordOperator::addLsrAffine(const CCoordSysParams& system, bool toGeocentric)
{
    const CLsrFrame frame(*system.ellipsoid, *system.localSystem);
    CTransformAffine3DParams params;
    if (toGeocentric)
        frame.getLocalToGeocentricParams(&params);
    else
        frame.getGeocentricToLocalParams(&params);
    appendOperation(makeAffine(std::make_unique<CTransformAffine3D>(params), DirectionForward));
}

void CCoordOperator::addMeridianTranslation(const CCoordSysParams& system, int direction)
{
    if (system.primeMeridian->isZero())
        return;
    const CCoords translation(0.0, system.primeMeridian->getLongitude(), 0.0);
    appendOperation(makeAffine(std::make_unique<CTransformAffine3D>(translation), direction));
}

void CCoordOperator::addMeridianRotation(const CCoordSysParams& system, int direction)
{
    if (system.primeMeridian->isZero())
        return;
    const double longitude = system.primeMeridian->getLongitude();
    appendOperation(makeAffine(std::make_unique<CTransformAffine3D>(longitude), direction));
}

} // namespace vexa
