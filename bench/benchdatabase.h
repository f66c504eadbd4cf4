#pragma once

#include <QString>
#include <QTemporaryDir>

class CCoordSysDetails;

// A database of the shipped coordinate systems in a temporary folder, open on the default
// connection.
class CBenchDatabase
{
public:
    CBenchDatabase();

    // The stored system of that name; false when there is none.
    static bool read(const QString& name, CCoordSysDetails& system);

    QString folder() const;

private:
    QTemporaryDir m_folder;
};
