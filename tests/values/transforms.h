#pragma once

#include "values/transforminfo.h"

#include <map>
#include <memory>

// A transform of the type with parameter values by code, all in the unit.
CTransformInfo transform(int type, const std::map<int, const char*>& values,
                         std::shared_ptr<CUnitInfo> unit = nullptr);
