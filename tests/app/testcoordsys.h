#pragma once

#include "guitest.h"

#include <QString>

// Coordinate systems of every kind stored in the open test database.
enum class TestSystem {
    LocalCartesian,
    Geocentric,
    GeodeticDecimal,
    GeodeticDms,
    GeodeticHemisphere,
    Projected,
    Topocentric,
    // A row of coordinate system type 2, which no reader accepts.
    Invalid
};

// Stores the system (with the units, ellipsoid, prime meridian and projection it needs) and
// returns its key; NoValue when a statement fails. Names are "<kind>" as in testSystemName.
int insertTestCoordSys(TestSystem system);
QString testSystemName(TestSystem system);
// The key of the stored system of that name, storing it first when missing.
int testCoordSysKey(TestSystem system);

class FramePanel;

// Picks the system in the next coordinate system selector and presses its select button. The
// watch lasts while the returned object lives.
[[nodiscard]] CModalWatch answerCoordsysSelector(int key);
// Chooses the system in the panel through its selector, as the user does.
void choosePanelCoordsys(FramePanel& panel, int key);
