#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class CGeoidList;
class QSettings;
class QWidget;

// What the installation of a geoid package did.
struct CGeoidInstallation {
    bool installed = false;
    // Why the package was refused, for the user, naming the member at fault; empty when installed.
    QString error;
    // The name under which the geoid was registered.
    QString name;
    // The vertical coordinate systems of the package as they are stored, by name.
    QStringList vertCoordSystems;
    // Why the package's vertical coordinate systems were not added; empty when they were or
    // the package holds none.
    QString vertCoordSysError;
};

// Asked with the geoid's name when the registry holds that name already; true adds the geoid
// under another name.
using CGeoidNameQuestion = std::function<bool(const QString& name)>;

// Installs a geoid package (a zip archive): its grid files go into the data folder (a grid
// named with a sub-folder into that sub-folder there), its geoid into the registry and the
// registry file "data.xml" there, its vertical coordinate systems into the open database. Every
// member is checked by the archive's index before anything is unpacked: a name outside the
// archive's root as the archive stores it (absolute, ".."), a link, or a declared size beyond
// what a grid can need or its compressed bytes can give refuses the package. Before anything is
// installed the geoid is loaded from the package as the recalculation will load it (metadata,
// the grid's coordinate system, every grid value) and every vertical coordinate system is read
// through the reading check of the exchange imports; what does not read refuses the package.
// A failed installation leaves no grid file and no registry change behind; the vertical
// coordinate systems are stored all or none.
CGeoidInstallation installGeoidPackage(const QString& packagePath, const QString& dataFolder, CGeoidList& registry,
                                       const CGeoidNameQuestion& addUnderOtherName);

// The command "Добавить геоид": asks for the package and tells the user the outcome.
void addGeoidFromPackage(QWidget* window, QSettings& settings, const QString& dataFolder, CGeoidList& registry);
