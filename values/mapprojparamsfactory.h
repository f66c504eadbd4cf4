#pragma once

// Rows of the zoned Transverse Mercator systems that map projection types
// 1003 (regional systems) and 1004 (the 1963 system, by district letter) are
// built from. A zoned row gives false easting zone * 1000000 + easting and
// central meridian longitude + (zone - 1) * zone width; a fixed row gives
// easting and longitude as they are.
struct CZonedSystemRow
{
    bool fixed;
    double falseNorthing; // metres
    double easting;       // metres
    double longitude;     // degrees
};

// Null for a region code or district letter without a row.
const CZonedSystemRow* findRegionalSystem(int region);
const CZonedSystemRow* findDistrictSystem(char district);
