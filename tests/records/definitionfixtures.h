#pragma once

#include "records/datumdetails.h"
#include "records/datumshiftdetails.h"
#include "records/mapprojdetails.h"
#include "records/transformlistdetails.h"

#include <memory>

// Units, transforms, datum shifts and projections for the record tests.
std::shared_ptr<CUnitDetails> arcSecond();
std::shared_ptr<CUnitDetails> partsPerMillion();
CTransformTypeDetails transformType(int code);
CTransformParamDetails transformParam(int code, const QString& name);
CTransformParamValueDetails paramValue(int code, const QString& value,
                                       const std::shared_ptr<CUnitDetails>& unit = nullptr);
// A plane affine transform with its six values and definitions.
CTransformDetails affineTransform();
// A height shift of 0.35 m.
CTransformDetails heightShift();
CTransformListDetails transformList(int scope, const QString& identifier);
// Pulkovo 1942 to WGS 84, seven parameters in metres, arc seconds and ppm.
CDatumShiftDetails pulkovoToWgs84();
// Gauss-Kruger zone 7 as a five-parameter transverse Mercator.
CMapProjDetails gaussKrugerZone7();

// Decimal degrees: the degree with the decimal angle format.
std::shared_ptr<CUnitDetails> decimalDegree();
std::shared_ptr<CEllipsoidDetails> wgs84Ellipsoid();
// Seven parameters in the position vector convention.
std::shared_ptr<CDatumShiftDetails> shiftToWgs84(const QStringList& values);
// WGS 84 with a zero shift to itself.
std::shared_ptr<CDatumDetails> wgs84Datum();
// UTM zone 37N as a five-parameter transverse Mercator.
CMapProjDetails utmZone37();

// Reads the datum of a file in the test data folder.
CDatumDetails datumFromFile(const QString& fileName);
