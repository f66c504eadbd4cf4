#pragma once

class CCoordSysInfo;
class QDomElement;

// The value of a coordinate system given in its record XML form; the reader that a geoid
// registry takes for the coordinate systems of its grids.
bool readCoordSysInfo(const QDomElement& element, CCoordSysInfo& info);
