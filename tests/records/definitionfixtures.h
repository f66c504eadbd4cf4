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

// Reads the datum of a file in the test data folder.
CDatumDetails datumFromFile(const QString& fileName);
