#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

class CCoordSysInfo;
class CVertCoordSysInfo;
class QDomElement;

namespace vexa {
class CGeoidGridParams;
class CGeoidParams;
}

// Reads the grid's own coordinate system from a "coordsys" element of its file;
// the record layer above the values supplies it.
using CGridCoordSysReader = std::function<bool(const QDomElement& element, CCoordSysInfo& info)>;

// One installed geoid: texts in UTF-8; the file names are relative paths inside
// the registry's folder.
class CGeoidEntry
{
public:
    std::string ID;
    std::string Name;
    std::string Description;
    std::string GridDataFileName;
    std::string GridCoordSysFileName;
    std::string GridMetadataFileName;

    // ID and the three file names present, each a relative path that stays
    // inside the registry's folder.
    bool isComplete() const;
};

// The registry of installed geoids, the XML file "data.xml" (Data/Geoids/Geoid)
// in the folder of the geoid grid files.
class CGeoidList
{
public:
    // Without a reader no grid gets its coordinate system, so no geoid is usable.
    explicit CGeoidList(CGridCoordSysReader gridCoordSysReader = nullptr);

    // Empties the registry; the reader stays.
    void clear();

    // Replaces the content by the registry file in the folder; true when it holds
    // at least one complete geoid. A registry without geoids, or a file not yet
    // made, is still remembered so that writeXml can add the first geoid.
    bool readXml(const std::string& folder, const std::string& fileName);
    // Adds the entry to the registry file and to the list under an ID and a Name
    // not yet taken, and writes those back into the entry. False, with nothing
    // changed, for an incomplete entry or a registry file that cannot be read
    // or rewritten whole.
    bool writeXml(CGeoidEntry& entry);

    bool containsName(const std::string& name) const;
    bool containsId(const std::string& id) const;
    bool hasEntries() const;
    const std::map<std::string, CGeoidEntry>& getEntries() const { return entries; }

    // The text when it is free, else the first free form with a "[n]" suffix.
    std::string makeUniqueName(const std::string& name) const;
    std::string makeUniqueId(const std::string& id) const;

    // The geoid of the ID, loaded on first use and kept until the registry is
    // cleared or read again, a geoid that failed to load included. Never empty;
    // vexa::CGeoidParams::isValid tells whether it can be used.
    std::shared_ptr<vexa::CGeoidGridParams> getGeoid(const std::string& id);

private:
    // Builds the geoid of the ID from its grid, metadata and coordinate-system
    // files and caches it.
    std::shared_ptr<vexa::CGeoidGridParams> loadGeoid(const std::string& id);
    // The file in the registry's folder.
    std::string filePath(const std::string& fileName) const;

    std::map<std::string, CGeoidEntry> entries;
    std::string folder;
    std::string listFilePath;
    std::map<std::string, std::shared_ptr<vexa::CGeoidGridParams>> cache;
    CGridCoordSysReader gridCoordSysReader;
};

// A relative path that stays inside its folder: not empty, "/" between its parts, no
// ".." part, no drive and no backslash.
bool isInsideFolder(const std::string& path);

// The usable geoid of the vertical system in the registry; empty without a
// registry, for an ID not registered or a geoid that did not load.
std::shared_ptr<vexa::CGeoidParams> geoidForVertCoordSys(const CVertCoordSysInfo& system,
                                                         CGeoidList* geoids);
