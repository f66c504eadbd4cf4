#pragma once

class CGeoidList;

// The geoid registry of the running program, published by the main window; null while there
// is none.
CGeoidList* geoidRegistry();
void setGeoidRegistry(CGeoidList* registry);
