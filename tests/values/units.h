#pragma once

#include "values/unitinfo.h"

#include <memory>

// Units as the record layer makes them: fields filled, then computeFactors.
std::shared_ptr<CUnitInfo> makeUnit(int scope, const char* name, const char* factorB,
                                    const char* factorC, int formatCode = 0);

std::shared_ptr<CUnitInfo> metre();
std::shared_ptr<CUnitInfo> kilometre();
std::shared_ptr<CUnitInfo> foot();
std::shared_ptr<CUnitInfo> radian();
std::shared_ptr<CUnitInfo> degree(int formatCode = 0);
std::shared_ptr<CUnitInfo> secondOfArc();
std::shared_ptr<CUnitInfo> unity();
std::shared_ptr<CUnitInfo> partsPerMillion();
