#include "geoidpackage.h"
#include "geoidpackageindex.h"

#include "browser/prompt.h"

#include "database/failure.h"
#include "database/filenames.h"
#include "database/novalue.h"
#include "database/savepoint.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "database/xmlwriters.h"
#include "geodesy/geoid.h"
#include "records/vertcoordsysdetails.h"
#include "records/vertcoordsysstorage.h"
#include "values/filereading.h"
#include "values/geoidgrid.h"
#include "values/geoidlist.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVector>

#include <map>
#include <private/qzipreader_p.h>

namespace {

const QString registryFileName = QStringLiteral("data.xml");
const QString lastPackageKey = QStringLiteral("/Settings/LastDatPath");

// No grid that a package carries needs more: a global grid of one-minute cells in 4-byte values
// is 0.93 GiB.
const quint32 maxMemberSize = 1u << 30;
const int storedMethod = 0;
const int deflatedMethod = 8;
// Deflate makes at most about 1032 bytes of one.
const quint64 maxDeflateRatio = 1032;

// Why the member cannot be unpacked as its index declares it: a name outside the archive's
// root as the archive stores it, a link, a size beyond reach of its compressed bytes; empty
// when it can.
QString memberFault(const CPackageMember& member)
{
    if (member.isSymLink)
        return QStringLiteral("ссылка на другой файл");
    if (!isInsideFolder(member.name.toStdString()))
        return QStringLiteral("путь ведёт за пределы архива");
    if (member.size > maxMemberSize)
        return QStringLiteral("объявленный размер больше, чем нужен любой сетке");
    if (member.isDir())
        return QString();
    if (member.method == storedMethod)
        return member.size == member.compressedSize ? QString() : QStringLiteral("объявленный размер не совпадает с данными");
    if (member.method != deflatedMethod)
        return QStringLiteral("неизвестный способ сжатия");
    return member.size <= quint64(member.compressedSize) * maxDeflateRatio + 64
               ? QString()
               : QStringLiteral("объявленный размер больше, чем дают сжатые данные");
}

bool writeMember(const QString& path, const QByteArray& data, qint64 size)
{
    if (data.size() != size || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size() && file.flush();
}

// Checks every member by the archive's index before anything is read, then extracts them one
// by one; false with the reason for a file that is no zip archive or is empty, a member refused
// by its index entry or one that cannot be read or written as declared.
bool extractPackage(const QString& packagePath, const QString& folder, QString* error)
{
    if (!QFileInfo(packagePath).isFile())
        return failWith(error, QStringLiteral("нет такого файла"));
    QVector<CPackageMember> members;
    if (!readPackageIndex(packagePath, members))
        return failWith(error, QStringLiteral("файл не является zip-архивом или повреждён"));
    if (members.isEmpty())
        return failWith(error, QStringLiteral("архив пуст"));
    for (const CPackageMember& member : members) {
        const QString fault = memberFault(member);
        if (!fault.isEmpty())
            return failWith(error, QStringLiteral("элемент архива \"%1\": %2").arg(member.name, fault));
    }
    const QZipReader reader(packagePath);
    if (!reader.isReadable())
        return failWith(error, QStringLiteral("файл не является zip-архивом или повреждён"));
    const QDir root(folder);
    for (const CPackageMember& member : members) {
        const QString target = root.filePath(QDir::cleanPath(member.name));
        // The reader finds a member by its stored name read in the local encoding.
        const bool written = member.isDir() ? QDir().mkpath(target)
                                            : writeMember(target, reader.fileData(QString::fromLocal8Bit(member.storedName)),
                                                          member.size);
        if (!written)
            return failWith(error, QStringLiteral("не удалось распаковать элемент архива \"%1\"").arg(member.name));
    }
    return true;
}

// Grid files moved into the data folder; removed again unless the installation is kept.
class CMovedGridFiles
{
public:
    explicit CMovedGridFiles(const QString& dataFolder)
        : m_dataFolder(dataFolder)
    {
    }
    ~CMovedGridFiles()
    {
        for (const QString& path : m_paths)
            QFile::remove(path);
        for (const QString& folder : m_folders)
            QDir(folder).removeRecursively();
    }

    // Moves the file to the same relative path in the data folder, under a name not yet taken
    // in its folder there; that relative path, or an empty text when the file cannot be moved.
    QString move(const QString& sourcePath, const QString& relativePath)
    {
        if (!QFileInfo(sourcePath).isFile() || QFileInfo(sourcePath).isSymLink())
            return QString();
        const QFileInfo wanted(QDir(m_dataFolder).filePath(relativePath));
        if (!makeFolder(wanted.absolutePath()))
            return QString();
        const QString name = uniqueFileName(wanted.absolutePath(), wanted.fileName());
        const QString target = QDir(wanted.absolutePath()).filePath(name);
        if (!QFile::rename(sourcePath, target))
            return QString();
        m_paths.append(target);
        return QDir(m_dataFolder).relativeFilePath(target);
    }

    void keep()
    {
        m_paths.clear();
        m_folders.clear();
    }

private:
    // Makes the folder, remembering the outermost one made here.
    bool makeFolder(const QString& folder)
    {
        QString outermost;
        for (QDir dir(folder); !dir.exists(); dir.setPath(QFileInfo(dir.path()).path()))
            outermost = dir.path();
        if (outermost.isEmpty())
            return true;
        m_folders.append(outermost);
        return QDir().mkpath(folder);
    }

    QString m_dataFolder;
    QStringList m_paths;
    QStringList m_folders;
};

// Moves the entry's grid files (a name given twice moves once) and names the moved files in it.
bool moveGridFiles(const QString& packageFolder, const QString& dataFolder, CGeoidEntry& entry, CMovedGridFiles& moved,
                   QString* error)
{
    std::string* const names[] = {&entry.GridDataFileName, &entry.GridCoordSysFileName, &entry.GridMetadataFileName};
    std::map<std::string, std::string> targets;
    for (const std::string* name : names)
        targets[*name];
    for (auto& [source, target] : targets) {
        const QString relativePath = QDir::cleanPath(QString::fromStdString(source));
        const QString movedName = moved.move(QDir(packageFolder).filePath(relativePath), relativePath);
        if (movedName.isEmpty())
            return failWith(error, QStringLiteral("Не удалось перенести файл \"%1\" в папку %2")
                                       .arg(relativePath, QDir::toNativeSeparators(dataFolder)));
        target = movedName.toStdString();
    }
    for (std::string* name : names)
        *name = targets.at(*name);
    return true;
}

// The geoid of the package: the entry with the first ID of its registry fragment, loaded from
// the package folder as the recalculation will load it; false with the member at fault and the
// reason when it does not load.
bool readPackageGeoid(const QString& folder, const CGridCoordSysReader& reader, CGeoidEntry& entry, QString* error)
{
    if (!QFileInfo::exists(QDir(folder).filePath(registryFileName)))
        return failWith(error, QStringLiteral("В пакете нет файла %1").arg(registryFileName));
    CGeoidList fragment(reader);
    QString reason;
    if (!fragment.readXml(folder.toStdString(), registryFileName.toStdString(), &reason)) {
        if (reason.isEmpty())
            reason = QStringLiteral("нет ни одного геоида с ID и тремя именами файлов внутри пакета");
        return failWith(error, QStringLiteral("%1: %2").arg(registryFileName, reason));
    }
    if (!fragment.repeatedIds().empty())
        return failWith(error, QStringLiteral("%1: ID \"%2\" указан у нескольких разных геоидов")
                                   .arg(registryFileName, QString::fromStdString(*fragment.repeatedIds().begin())));
    entry = fragment.getEntries().begin()->second;
    CGeoidFault fault;
    const auto geoid = fragment.getGeoid(entry.ID, &fault);
    // A raster grid is read on demand once installed, so every value of it is read here.
    if (fault.reason.isEmpty() && geoid->grid.isFileBacked())
        fault = {entry.GridDataFileName, geoidHeightFault(*geoid)};
    if (!fault.reason.isEmpty())
        return failWith(error, QStringLiteral("%1: %2").arg(QString::fromStdString(fault.fileName), fault.reason));
    return true;
}

// The element's GeoidID holds the ID, whatever the file gave.
void setGeoidId(QDomElement& element, const QString& geoidId)
{
    const QString tag = QStringLiteral("GeoidID");
    for (QDomElement given = element.firstChildElement(tag); !given.isNull(); given = element.firstChildElement(tag))
        element.removeChild(given);
    QDomDocument document = element.ownerDocument();
    appendTextElement(document, element, tag, geoidId, false);
}

// The vertical coordinate systems of the XML files at the folder's root, each read on the geoid
// of the ID through the reading check of the exchange imports; false with the file, the system
// and the reason when a file or a system does not read.
bool readVertCoordSystems(const QString& folder, const QString& geoidId, QVector<CVertCoordSysDetails>& records,
                          QString* error)
{
    const QDir root(folder);
    for (const QString& name : root.entryList({QStringLiteral("*.xml")}, QDir::Files)) {
        QDomDocument document;
        QString reason;
        if (!readXmlFile(root.filePath(name), document, &reason))
            return failWith(error, QStringLiteral("%1: %2").arg(name, reason));
        for (QDomElement element = document.firstChildElement(QStringLiteral("vertcoordsys")); !element.isNull();
             element = element.nextSiblingElement(QStringLiteral("vertcoordsys"))) {
            setGeoidId(element, geoidId);
            CVertCoordSysDetails record;
            if (!record.readXml(element, reason))
                return failWith(error, QStringLiteral("%1: «%2»: %3").arg(name, record.name, reason));
            records.append(record);
        }
    }
    return true;
}

QString storedVertCoordSysName(int key)
{
    QSqlQuery query;
    const QString statement =
        QStringLiteral("SELECT name FROM %1 WHERE %2=?;").arg(tableName(TableVertCoordSys), keyColumnName(TableVertCoordSys));
    if (!execQuery(query, statement, {key}) || !query.next())
        return QString();
    return query.value(0).toString();
}

// Stores the systems on the geoid, all or none; the reason when none could be stored.
QString storeVertCoordSystems(QVector<CVertCoordSysDetails> records, const QString& geoidId, QStringList& names)
{
    if (records.isEmpty())
        return QString();
    if (!QSqlDatabase::database(QSqlDatabase::defaultConnection, false).isOpen())
        return QStringLiteral("Не открыта база данных");
    CSavepoint savepoint(QStringLiteral("GeoidPackage_Install"));
    QStringList stored;
    for (CVertCoordSysDetails& record : records) {
        record.geoidId = geoidId;
        QString error;
        const int key = insertVertCoordSysDetails(record, false, &error);
        if (key == NoValue)
            return QStringLiteral("Не удалось записать систему высот \"%1\". %2").arg(record.name, error);
        const QString name = storedVertCoordSysName(key);
        if (!name.isEmpty())
            stored.append(name);
    }
    if (!savepoint.release())
        return QStringLiteral("Ошибка записи в базу данных");
    names = stored;
    return QString();
}

} // namespace

CGeoidInstallation installGeoidPackage(const QString& packagePath, const QString& dataFolder, CGeoidList& registry,
                                       const CGeoidNameQuestion& addUnderOtherName)
{
    CGeoidInstallation installation;
    const QTemporaryDir packageFolder;
    CGeoidEntry entry;
    QVector<CVertCoordSysDetails> vertCoordSystems;
    if (!packageFolder.isValid()) {
        installation.error = QStringLiteral("Не удалось создать временную папку");
        return installation;
    }
    if (!extractPackage(packagePath, packageFolder.path(), &installation.error)
        || !readPackageGeoid(packageFolder.path(), registry.getGridCoordSysReader(), entry, &installation.error)
        || !readVertCoordSystems(packageFolder.path(), QString::fromStdString(entry.ID), vertCoordSystems,
                                 &installation.error))
        return installation;
    const QString name = QString::fromStdString(entry.Name);
    if (registry.containsName(entry.Name) && !addUnderOtherName(name)) {
        installation.error = QStringLiteral("Геоид с именем \"%1\" уже установлен").arg(name);
        return installation;
    }
    if (!QDir().mkpath(dataFolder)) {
        installation.error = QStringLiteral("Не удалось создать папку ") + QDir::toNativeSeparators(dataFolder);
        return installation;
    }
    CMovedGridFiles moved(dataFolder);
    if (!moveGridFiles(packageFolder.path(), dataFolder, entry, moved, &installation.error)
        || !registry.writeXml(entry, &installation.error))
        return installation;
    moved.keep();
    installation.installed = true;
    installation.name = QString::fromStdString(entry.Name);
    installation.vertCoordSysError =
        storeVertCoordSystems(vertCoordSystems, QString::fromStdString(entry.ID), installation.vertCoordSystems);
    return installation;
}

void addGeoidFromPackage(QWidget* window, QSettings& settings, const QString& dataFolder, CGeoidList& registry)
{
    const QString path = prompt().getOpenFileName(window, QStringLiteral("Выбрать файл данных"),
                                                  settings.value(lastPackageKey, QString()).toString(),
                                                  QStringLiteral("Файлы данных (*.dat);;Все файлы (*.*)"),
                                                  QStringLiteral("dat"));
    if (path.isEmpty())
        return;
    const auto addUnderOtherName = [window](const QString& name) {
        const QString text =
            QStringLiteral("Геоид с именем \"%1\" уже существует. Добавить новый геоид под другим именем?").arg(name);
        return prompt().question(window, QStringLiteral("Подтверждение"), text) == QMessageBox::Yes;
    };
    const CGeoidInstallation installation = installGeoidPackage(path, dataFolder, registry, addUnderOtherName);
    if (!installation.installed) {
        prompt().warning(window, QStringLiteral("Ошибка"),
                         QStringLiteral("Не удалось установить геоид из файла %1\n%2").arg(path, installation.error));
        return;
    }
    settings.setValue(lastPackageKey, path);
    if (!installation.vertCoordSysError.isEmpty()) {
        prompt().warning(window, QStringLiteral("Предупреждение"),
                         QStringLiteral("Геоид %1 установлен, но системы высот не добавлены: %2")
                             .arg(installation.name, installation.vertCoordSysError));
        return;
    }
    QString text = QStringLiteral("Успешно установлен геоид ") + installation.name + QStringLiteral("\n");
    if (!installation.vertCoordSystems.isEmpty())
        text += QStringLiteral("Добавлены системы высот:\n") + installation.vertCoordSystems.join(QStringLiteral("\n"));
    prompt().information(window, QStringLiteral("ОК"), text);
}
