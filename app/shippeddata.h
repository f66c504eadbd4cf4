#pragma once

#include <QString>

// The data folder the program ships with: a definitions database of common coordinate
// systems and an empty geoid registry.

// The database file of the data folder.
extern const char* const shippedDatabaseName;

// Stores the coordinate systems of a WKT file (one WKT text a line, optionally followed by a tab
// and the system's description; empty lines and lines starting with "#" are skipped) in the open
// database through the WKT reader. False, with the
// reason, at the first text that is not a coordinate system or cannot be stored.
bool importWktFile(const QString& wktFile, int* stored = nullptr, QString* error = nullptr);

// Makes the database of the folder from the WKT file, and an empty registry "data.xml" when the
// folder has none. A database changed since it was made here (its SHA-256 differs from the one
// kept in the stamp file) is kept as it is, so that nothing a user stored is lost. False, with
// the reason, when the database or the registry cannot be made.
bool makeDataFolder(const QString& wktFile, const QString& folder, const QString& stampFile, QString* message = nullptr);
