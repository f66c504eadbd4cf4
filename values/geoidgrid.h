#pragma once

#include <string>

namespace vexa {
struct CGridMetadata;
}

// Reads a grid metadata file (Metadata/Grid with one element per field) into the
// cleared record; a field whose text is not a number keeps its cleared value.
// The result is the record's validity.
bool readGridMetadata(vexa::CGridMetadata& metadata, const std::string& path);
