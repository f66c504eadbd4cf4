#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <string>
#include <string_view>

// The text line of a point row, as point files hold it.

// The cells joined by "; "; a cell holding ";" or a double quote is written in double quotes,
// its quotes doubled.
QString joinPointLine(const QStringList& cells);
// Splits a line into its fields: on ";" when the line holds one outside quoted fields, else on
// ",". A field in double quotes (blanks around allowed) is read without them, doubled quotes as
// one; any other field, an unclosed quote included, is taken as it stands.
QStringList splitPointLine(const QString& line);

// The first four cells of a line, trimmed of ASCII blanks; missing cells are empty. A quoted
// cell whose doubled quotes were made single lies in storage, which the views then point into.
struct CPointCells {
    std::array<std::string_view, 4> cells;
    std::array<std::string, 4> storage;
};

// splitPointLine for a line of bytes; the separators and quotes are ASCII, so the line may be
// UTF-8.
void splitPointLine(std::string_view line, CPointCells& cells);
// joinPointLine for four cells, appended to text.
void appendPointLine(std::string& text, const std::array<std::string_view, 4>& cells);
