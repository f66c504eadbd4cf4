#pragma once

#include <QString>

// Record names numbered with a counter in square brackets, as in "Road[3]".

// "Road" gives "Road[1]", "Road[9]" gives "Road[10]", "[3]" gives "[3][1]". A counter that
// cannot grow (the largest int) starts a new counter after it.
QString nextNumberedName(const QString& name);
// The name without its final counter; other names unchanged (blanks kept).
QString baseName(const QString& name);
// Base names equal after trimming, case-sensitive.
bool sameBaseName(const QString& a, const QString& b);
