#pragma once

#include <string>
#include <vector>

// Axis directions, pairwise datum shift roles, transform list scopes, transform types and
// transform parameters. Setters store a code in its table and 0 otherwise; labels are UTF-8
// and empty outside the table.

enum AxisDirection {
    AxisNorth = 1,
    AxisEast = 2,
    AxisSouth = 3,
    AxisWest = 4
};

enum PairwiseRole {
    PairwiseIndirect = 1,
    PairwiseSource = 2,
    PairwiseResult = 3
};

enum TransformListScope {
    TransformListSequence = 1,
    TransformListPairwise = 2,
    TransformListHorizontal = 3,
    TransformListVertical = 4
};

enum TransformTypeCode {
    TransformAffine2D = 1,
    TransformShift2D = 2,
    TransformShiftH = 3
};

enum TransformParamCode {
    TransformParamA11 = 1,
    TransformParamA12 = 2,
    TransformParamA21 = 3,
    TransformParamA22 = 4,
    TransformParamB1 = 5,
    TransformParamB2 = 6,
    TransformParamDH = 7
};

void setAxisDirection(int& target, int code);
void setPairwiseRole(int& target, int code);
void setTransformListScope(int& target, int code);
void setTransformType(int& target, int code);
void setTransformParamCode(int& target, int code);

int checkTransformTypeCode(int code);
int checkTransformParamCode(int code);

std::string axisDirectionName(const int& code);
std::string pairwiseRoleName(const int& code);
std::string transformListScopeLabel(int scope);
std::string transformListScopeName(const int& scope);
std::string transformTypeName(int code);
std::string transformTypeDescription(int code);
std::string transformTypeShortName(int code);
std::string transformParamName(int code);
std::string transformParamDescription(int code);
std::string transformParamShortName(int code);
// The parameters that a transform of the type uses, in code order; none for an unknown type.
std::vector<int> transformTypeParamCodes(int type);

// False when either direction is 0; true when both lie on the same axis.
bool axesOnOneAxis(int axis1, int axis2);
// east and north are flags (a positive value is set); with swap the north-south axis comes first.
void axisCodesFromFlags(int east, int north, bool swap, int& axis1, int& axis2);
// The stored form of two directions: sign1 of the east-west axis, sign2 of the north-south
// axis, swap when axis1 is north-south. False, outputs untouched, for 0 or one axis.
bool axesSignsAndSwap(int axis1, int axis2, int& sign1, int& sign2, bool& swap);
