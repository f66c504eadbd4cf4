#pragma once

#include <string>

// Datum shift types, coordinate system types and angle formats with their input patterns.
// Texts are UTF-8; a code outside a table gives an empty text, 0 or the given default.

enum DatumShiftTypeCode {
    DatumShiftMolodensky = 1,
    DatumShiftRotationShiftScale = 2,
    DatumShiftMolodenskyBadekasRss = 3,
    DatumShiftHelmert = 4,
    DatumShiftMolodenskyBadekasHelmert = 5
};

enum CoordSysTypeCode {
    CoordSysLocalCartesian = 1,
    CoordSysGeocentric = 3,
    CoordSysGeodetic = 4,
    CoordSysProjected = 5,
    CoordSysTopocentric = 6
};

enum AngleFormatCode {
    AngleFormatDecimal = 1,
    AngleFormatDms = 2,
    AngleFormatDmsHemisphere = 3
};

int checkDatumShiftTypeCode(int code);
int datumShiftTypeEpsgCode(int code);
std::string datumShiftTypeName(int code);
std::string datumShiftTypeDescription(int code);

int checkCoordSysTypeCode(int code);
std::string coordSysTypeName(int code);
std::string coordSysTypeDescription(int code);

int checkAngleFormatCode(int code, int defaultCode);
std::string angleFormatName(int code);
std::string angleFormatHint(int code);
std::string angleFormatShortName(int code);
int angleFormatEpsgCode(int code);

// Patterns are matched against the whole input, so they carry no anchors.
std::string numberRegExp(bool unsignedOnly);
std::string angleRegExp(int angleFormat);
std::string latitudeRegExp(int angleFormat);
std::string longitudeRegExp(int angleFormat);
