#include "values/geoidlist.h"

#include "database/failure.h"
#include "database/savefile.h"
#include "database/xmlwriters.h"
#include "geodesy/geoid.h"
#include "values/filereading.h"
#include "values/vertcoordsysinfo.h"

#include <QDir>
#include <QDomDocument>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

const char* const kFieldTags[] = {"ID", "Name", "Description", "GridDataFileName",
                                  "GridCoordSysFileName", "GridMetadataFileName"};

std::string* fields(CGeoidEntry& entry, int index)
{
    std::string* const all[] = {&entry.ID, &entry.Name, &entry.Description,
                                &entry.GridDataFileName, &entry.GridCoordSysFileName,
                                &entry.GridMetadataFileName};
    return all[index];
}

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

CGeoidEntry entryFromElement(const QDomElement& geoid)
{
    CGeoidEntry entry;
    for (QDomElement child = geoid.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        for (int k = 0; k < 6; ++k) {
            if (child.tagName() == QLatin1String(kFieldTags[k]))
                *fields(entry, k) = child.text().toStdString();
        }
    }
    return entry;
}

QDomElement entryElement(QDomDocument& document, CGeoidEntry entry)
{
    QDomElement geoid = document.createElement(QStringLiteral("Geoid"));
    for (int k = 0; k < 6; ++k)
        appendTextElement(document, geoid, QLatin1String(kFieldTags[k]), fromStd(*fields(entry, k)),
                          true);
    return geoid;
}

// Every Data/Geoids element of the document.
QList<QDomElement> geoidsElements(const QDomDocument& document)
{
    QList<QDomElement> found;
    for (QDomElement data = document.firstChildElement(QStringLiteral("Data")); !data.isNull();
         data = data.nextSiblingElement(QStringLiteral("Data"))) {
        for (QDomElement geoids = data.firstChildElement(QStringLiteral("Geoids"));
             !geoids.isNull(); geoids = geoids.nextSiblingElement(QStringLiteral("Geoids")))
            found.append(geoids);
    }
    return found;
}

// The Data/Geoids elements of the registry file as it stands, or of an empty registry when
// there is no file yet; none, with what is wrong with the file, when it does not read or has none.
QList<QDomElement> registryLists(const QString& path, QDomDocument& document, QString& reason)
{
    if (!QFileInfo::exists(path))
        document.appendChild(document.createElement(QStringLiteral("Data")))
            .appendChild(document.createElement(QStringLiteral("Geoids")));
    else if (!readXmlFile(path, document, &reason))
        return {};
    const QList<QDomElement> lists = geoidsElements(document);
    if (lists.isEmpty())
        reason = QStringLiteral("нет элемента Data/Geoids");
    return lists;
}

// The complete geoids of the registry's lists in file order, as a reading takes them.
std::vector<CGeoidEntry> registryEntries(const QList<QDomElement>& lists)
{
    std::vector<CGeoidEntry> found;
    for (const QDomElement& geoids : lists) {
        for (QDomElement geoid = geoids.firstChildElement(QStringLiteral("Geoid"));
             !geoid.isNull(); geoid = geoid.nextSiblingElement(QStringLiteral("Geoid"))) {
            CGeoidEntry entry = entryFromElement(geoid);
            if (entry.isComplete())
                found.push_back(std::move(entry));
        }
    }
    return found;
}

bool sameEntry(const CGeoidEntry& a, const CGeoidEntry& b)
{
    return std::tie(a.ID, a.Name, a.Description, a.GridDataFileName, a.GridCoordSysFileName, a.GridMetadataFileName)
           == std::tie(b.ID, b.Name, b.Description, b.GridDataFileName, b.GridCoordSysFileName, b.GridMetadataFileName);
}

// One line per ID that several different geoids of the registry give, naming the geoid used.
QString duplicateReport(const QString& path, const std::set<std::string>& ids,
                        const std::map<std::string, CGeoidEntry>& entries)
{
    QStringList lines;
    for (const std::string& id : ids) {
        const CGeoidEntry& used = entries.at(id);
        QString which = QStringLiteral("файл сетки \"%1\"").arg(fromStd(used.GridDataFileName));
        if (!used.Name.empty())
            which = QStringLiteral("имя \"%1\", ").arg(fromStd(used.Name)) + which;
        lines << QStringLiteral("Реестр геоидов \"%1\": ID \"%2\" указан у нескольких разных геоидов; "
                                "используется последний из них в файле (%3), остальные не используются")
                     .arg(QDir::toNativeSeparators(path), fromStd(id), which);
    }
    return lines.join(QLatin1Char('\n'));
}

QString registryFault(const QString& path, const QString& reason)
{
    return QStringLiteral("Реестр геоидов \"%1\" не читается: %2").arg(QDir::toNativeSeparators(path), reason);
}

// The declaration names the encoding the file is written in.
void declareUtf8(QDomDocument& document)
{
    const QDomNode first = document.firstChild();
    if (first.isProcessingInstruction() && first.nodeName() == QLatin1String("xml"))
        document.removeChild(first);
    document.insertBefore(document.createProcessingInstruction(
                              QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")),
                          document.firstChild());
}

bool saveDocument(const QString& path, QDomDocument& document, QString* error)
{
    declareUtf8(document);
    return writeFileBytes(path, document.toByteArray(2), error);
}

// The counter of a "[n]" suffix, scanned as "[%d]" would: blanks, a sign, digits;
// whatever follows the digits is not looked at.
bool suffixNumber(const std::string& suffix, long long* number)
{
    std::size_t pos = 1;
    while (pos < suffix.size() && std::isspace(static_cast<unsigned char>(suffix[pos])))
        ++pos;
    const bool negative = pos < suffix.size() && suffix[pos] == '-';
    if (pos < suffix.size() && (suffix[pos] == '+' || suffix[pos] == '-'))
        ++pos;
    if (pos >= suffix.size() || !std::isdigit(static_cast<unsigned char>(suffix[pos])))
        return false;
    int value = 0;
    const auto result = std::from_chars(suffix.data() + pos, suffix.data() + suffix.size(), value);
    if (result.ec != std::errc())
        return false;
    *number = negative ? -static_cast<long long>(value) : value;
    return true;
}

template <class Taken>
std::string makeUnique(const std::string& text, Taken taken)
{
    if (!taken(text))
        return text;
    std::string base = text;
    long long number = 0;
    const std::size_t bracket = text.rfind('[');
    if (bracket != std::string::npos && suffixNumber(text.substr(bracket), &number))
        base = text.substr(0, bracket);
    std::string candidate;
    do {
        candidate = base + "[" + std::to_string(++number) + "]";
    } while (taken(candidate));
    return candidate;
}

} // namespace

bool isInsideFolder(const std::string& path)
{
    if (path.empty() || path.front() == '/' || path.find_first_of(":\\") != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (path.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

bool CGeoidEntry::isComplete() const
{
    return !ID.empty() && isInsideFolder(GridDataFileName) && isInsideFolder(GridCoordSysFileName)
           && isInsideFolder(GridMetadataFileName);
}

CGeoidList::CGeoidList(CGridCoordSysReader gridCoordSysReader)
    : gridCoordSysReader(std::move(gridCoordSysReader))
{
}

void CGeoidList::clear()
{
    entries.clear();
    folder.clear();
    listFilePath.clear();
    cache.clear();
    lastReadFault.clear();
    repeatedIdSet.clear();
}

bool CGeoidList::readXml(const std::string& folder, const std::string& fileName, QString* reason)
{
    clear();
    const QFileInfo file(QDir(fromStd(folder)).filePath(fromStd(fileName)));
    QDomDocument document;
    QString fault;
    const QList<QDomElement> lists = registryLists(file.filePath(), document, fault);
    if (lists.isEmpty()) {
        lastReadFault = registryFault(file.absoluteFilePath(), fault);
        return failWith(reason, fault);
    }
    // Of several geoids with one ID the last in the file is kept.
    for (const CGeoidEntry& entry : registryEntries(lists)) {
        const auto placed = entries.emplace(entry.ID, entry);
        if (placed.second)
            continue;
        if (!sameEntry(placed.first->second, entry))
            repeatedIdSet.insert(entry.ID);
        placed.first->second = entry;
    }
    this->folder = folder;
    listFilePath = file.absoluteFilePath().toStdString();
    return hasEntries();
}

bool CGeoidList::writeXml(CGeoidEntry& entry, QString* error)
{
    if (listFilePath.empty())
        return failWith(error, lastReadFault.isEmpty() ? QStringLiteral("Реестр геоидов не прочитан") : lastReadFault);
    if (!entry.isComplete())
        return failWith(error, QStringLiteral("Геоид \"%1\" задан не полностью").arg(fromStd(entry.Name)));
    const QString path = fromStd(listFilePath);
    QDomDocument document;
    QString reason;
    const QList<QDomElement> lists = registryLists(path, document, reason);
    if (lists.isEmpty())
        return failWith(error, registryFault(path, reason));

    // Another copy of the program may have added geoids to the file since it was read.
    std::set<std::string> fileIds;
    std::set<std::string> fileNames;
    for (const CGeoidEntry& inFile : registryEntries(lists)) {
        fileIds.insert(inFile.ID);
        fileNames.insert(inFile.Name);
    }
    CGeoidEntry stored = entry;
    stored.ID = makeUnique(entry.ID, [&](const std::string& text) { return containsId(text) || fileIds.count(text); });
    stored.Name = makeUnique(entry.Name,
                             [&](const std::string& text) { return containsName(text) || fileNames.count(text); });
    for (QDomElement geoids : lists)
        geoids.appendChild(entryElement(document, stored));
    if (!saveDocument(path, document, error))
        return false;

    entries[stored.ID] = stored;
    // A geoid asked for before its ID was registered is loaded anew.
    cache.erase(stored.ID);
    entry = stored;
    return true;
}

QString CGeoidList::readWarning() const
{
    return duplicateReport(fromStd(listFilePath), repeatedIdSet, entries);
}

bool CGeoidList::containsName(const std::string& name) const
{
    for (const auto& item : entries) {
        if (item.second.Name == name)
            return true;
    }
    return false;
}

bool CGeoidList::containsId(const std::string& id) const
{
    return entries.count(id) != 0;
}

bool CGeoidList::hasEntries() const
{
    return !entries.empty();
}

std::string CGeoidList::makeUniqueName(const std::string& name) const
{
    return makeUnique(name, [this](const std::string& text) { return containsName(text); });
}

std::string CGeoidList::makeUniqueId(const std::string& id) const
{
    return makeUnique(id, [this](const std::string& text) { return containsId(text); });
}

std::shared_ptr<vexa::CGeoidGridParams> CGeoidList::getGeoid(const std::string& id, CGeoidFault* fault)
{
    const auto cached = cache.find(id);
    const CLoadedGeoid& loaded = cached != cache.end() ? cached->second : loadGeoid(id);
    if (fault)
        *fault = loaded.fault;
    return loaded.geoid;
}

std::string CGeoidList::filePath(const std::string& fileName) const
{
    return QDir(fromStd(folder)).filePath(fromStd(fileName)).toStdString();
}

std::shared_ptr<vexa::CGeoidParams> geoidForVertCoordSys(const CVertCoordSysInfo& system,
                                                         CGeoidList* geoids)
{
    if (!geoids)
        return nullptr;
    try {
        CGeoidFault fault;
        std::shared_ptr<vexa::CGeoidParams> geoid = geoids->getGeoid(system.geoid, &fault);
        return fault.reason.isEmpty() && geoid->isValid() ? geoid : nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
}
