#pragma once

#include <QString>

// Gives the reason to a caller that asked for it (error not null) and reports failure.
inline bool failWith(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}
