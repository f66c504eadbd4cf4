#pragma once

#include "records/unitdetails.h"

#include <QString>

#include <memory>

// The unit's short name, or its name when it has no short name; empty without a unit.
QString unitLabel(const std::shared_ptr<CUnitDetails>& unit);
// "value short-name", "value (name)" for a unit without a short name, "value " without a unit.
QString valueWithUnit(const QString& value, const std::shared_ptr<CUnitDetails>& unit);
