#pragma once

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <set>
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

// Why a registered geoid cannot be used: the file at fault, as the registry names it, and what
// is wrong with it, for the user; an empty reason when the geoid can be used.
struct CGeoidFault {
    std::string fileName;
    QString reason;
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
    // made, is still remembered so that writeXml can add the first geoid. A file that
    // does not read gives what is wrong with it (reason, not naming the file) and is
    // remembered as the registry's fault. Of geoids with one ID the last in the file
    // is kept.
    bool readXml(const std::string& folder, const std::string& fileName, QString* reason = nullptr);
    // Why the registry file last read does not read, naming the file; empty when it read.
    const QString& readFault() const { return lastReadFault; }
    // What the user should know of the registry file last read although it read, naming the
    // file: each ID that several different geoids give, of which the last in the file is used.
    QString readWarning() const;
    // The IDs that several different geoids of the registry file last read give.
    const std::set<std::string>& repeatedIds() const { return repeatedIdSet; }
    // Adds the entry to the registry file and to the list under an ID and a Name
    // taken neither in the list nor in the file as it now stands (another copy of the
    // program may have added to it), and writes those back into the entry; a geoid of
    // that ID asked for before is loaded anew on the next request. False, with nothing
    // changed and the reason for the user, for an incomplete entry, a registry that
    // was not read, or a registry file that cannot be read or rewritten whole.
    bool writeXml(CGeoidEntry& entry, QString* error = nullptr);

    bool containsName(const std::string& name) const;
    bool containsId(const std::string& id) const;
    bool hasEntries() const;
    const std::map<std::string, CGeoidEntry>& getEntries() const { return entries; }

    // The text when it is free, else the first free form with a "[n]" suffix.
    std::string makeUniqueName(const std::string& name) const;
    std::string makeUniqueId(const std::string& id) const;

    // The geoid of the ID, loaded on first use and kept until the registry is
    // cleared or read again, a geoid that failed to load included. Never empty; it can
    // be used when fault (if given) gets no reason: its metadata, its grid's coordinate
    // system and every value of its grid read.
    std::shared_ptr<vexa::CGeoidGridParams> getGeoid(const std::string& id, CGeoidFault* fault = nullptr);
    // The file of the registry's folder.
    std::string filePath(const std::string& fileName) const;
    const CGridCoordSysReader& getGridCoordSysReader() const { return gridCoordSysReader; }

private:
    struct CLoadedGeoid {
        std::shared_ptr<vexa::CGeoidGridParams> geoid;
        CGeoidFault fault;
    };

    // Builds the geoid of the ID from its grid, metadata and coordinate-system
    // files and caches it with the first fault met.
    const CLoadedGeoid& loadGeoid(const std::string& id);

    std::map<std::string, CGeoidEntry> entries;
    std::string folder;
    std::string listFilePath;
    std::map<std::string, CLoadedGeoid> cache;
    CGridCoordSysReader gridCoordSysReader;
    QString lastReadFault;
    std::set<std::string> repeatedIdSet;
};

// A relative path that stays inside its folder: not empty, "/" between its parts, no
// ".." part, no drive and no backslash.
bool isInsideFolder(const std::string& path);

// The usable geoid of the vertical system in the registry; empty without a
// registry, for an ID not registered or a geoid that did not load whole.
std::shared_ptr<vexa::CGeoidParams> geoidForVertCoordSys(const CVertCoordSysInfo& system,
                                                         CGeoidList* geoids);
