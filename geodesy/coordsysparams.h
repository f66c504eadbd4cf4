#ifndef VEXA_COORDSYSPARAMS_H
#define VEXA_COORDSYSPARAMS_H

#include <map>
#include <memory>
#include <string>

namespace vexa {

class CDatumShiftParams;
class CEllipsoidParams;
class CGeographicDatumShiftParams;
class CGeoidParams;
class CLSRParams;
class CMapProjectionParams;
class CPrimeMeridianParams;
class CTransformParamsSet;
class CVerticalDatumShiftParams;

// Kinds of coordinate system.
enum CoordSysKind
{
    CoordSysUndefined = 0,
    CoordSysLocalCartesian = 1,
    CoordSysGeocentric = 3,
    CoordSysGeodetic = 4,
    CoordSysProjected = 5,
    CoordSysTopocentric = 6
};

// One coordinate system as the computation sees it. The parameter objects are shared;
// the maps link this system to others through identifiers that both systems carry.
class CCoordSysParams
{
public:
    template <class T>
    using Links = std::map<std::string, std::shared_ptr<T>>;

    bool isValid() const { return kind != CoordSysUndefined; }
    int getKind() const { return kind; }
    // Makes the system undefined; the parameter objects stay.
    void reset() { kind = CoordSysUndefined; }
    // Two systems never compare equal.
    bool isEqual(const CCoordSysParams& other) const;

    int kind = CoordSysUndefined;
    std::shared_ptr<CDatumShiftParams> datumShiftToWgs84;
    Links<CDatumShiftParams> datumShifts;
    Links<CGeographicDatumShiftParams> geographicDatumShifts;
    Links<CVerticalDatumShiftParams> verticalDatumShifts;
    std::shared_ptr<CPrimeMeridianParams> primeMeridian;
    std::shared_ptr<CEllipsoidParams> ellipsoid;
    std::shared_ptr<CMapProjectionParams> projection;
    std::shared_ptr<CLSRParams> localSystem;
    std::shared_ptr<CGeoidParams> geoid;
    Links<CTransformParamsSet> transformLists;
    // Between the computation's coordinates and those the user sees.
    std::shared_ptr<CTransformParamsSet> transforms;
};

} // namespace vexa

#endif
