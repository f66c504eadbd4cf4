#pragma once

#include "database/savefile.h"
#include "database/textdecoding.h"

#include <QString>
#include <QStringList>

// Text files as the program writes them: as UTF-8 in one piece, so a failed write leaves the
// old file whole. They are read as database/textdecoding.h says.

bool writeTextFile(const QString& path, const QString& text, QString* error = nullptr);
// The lines of a text without their terminators; empty lines are kept, a final line
// terminator does not start another line.
QStringList textLines(const QString& text);
