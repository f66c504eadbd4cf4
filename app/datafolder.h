#pragma once

#include <QString>

// The folder of the program's data (databases, the geoid registry and grids): the "data"
// folder beside the executable when it can be written, otherwise the user's application data
// folder.
QString dataFolderPath();
// Puts the data folder elsewhere (tests); an empty path restores the standard choice.
void setDataFolderPath(const QString& path);
