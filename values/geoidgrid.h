#pragma once

#include <QString>

#include <string>

namespace vexa {
class CGeoidGridParams;
struct CGridMetadata;
}

// Reads a grid metadata file (Metadata/Grid with one element per field) into the
// cleared record; a field whose text is not a number keeps its cleared value.
// The result is the record's validity. reason (if given) gets what keeps the loader from
// reading a grid by the file: a file that does not read, a format other than "grd" and
// "raw", or "raw" metadata that is not valid; empty when there is nothing.
bool readGridMetadata(vexa::CGridMetadata& metadata, const std::string& path, QString* reason = nullptr);

// Why a value of the usable geoid's grid is not a geoid height (vexa::isGeoidHeight), naming the
// node and the value, and for a raster grid the form its values must have; empty when every
// value is one. A raster grid is read through once.
QString geoidHeightFault(const vexa::CGeoidGridParams& geoid);
