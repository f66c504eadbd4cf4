#include "geodesy/coordsysparams.h"

namespace vexa {

bool CCoordSysParams::isEqual(const CCoordSysParams&) const
{
    return false;
}

} // namespace vexa
