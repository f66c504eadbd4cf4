#include "geoidpackage.h"
#include "geoidpackageindex.h"

#include "browser/prompt.h"

#include "database/filenames.h"
#include "database/novalue.h"
#include "database/savepoint.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "records/vertcoordsysdetails.h"
#include "records/vertcoordsysstorage.h"
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

#include <algorithm>
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

// A member that can be unpacked as its index declares it: a name inside the archive's root as
// the archive stores it, no link, a size within reach of its compressed bytes.
bool isAcceptable(const CPackageMember& member)
{
    if (member.isSymLink || !isInsideFolder(member.name.toStdString()) || member.size > maxMemberSize)
        return false;
    if (member.isDir())
        return true;
    if (member.method == storedMethod)
        return member.size == member.compressedSize;
    return member.method == deflatedMethod && member.size <= quint64(member.compressedSize) * maxDeflateRatio + 64;
}

bool writeMember(const QString& path, const QByteArray& data, qint64 size)
{
    if (data.size() != size || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size() && file.flush();
}

// Checks every member by the archive's index before anything is read, then extracts them one
// by one; false for a file that is no zip archive or is empty, a member refused by its index
// entry or one that cannot be read or written as declared.
bool extractPackage(const QString& packagePath, const QString& folder)
{
    QVector<CPackageMember> members;
    if (!QFileInfo(packagePath).isFile() || !readPackageIndex(packagePath, members) || members.isEmpty()
        || !std::all_of(members.cbegin(), members.cend(), isAcceptable))
        return false;
    const QZipReader reader(packagePath);
    if (!reader.isReadable())
        return false;
    const QDir root(folder);
    for (const CPackageMember& member : members) {
        const QString target = root.filePath(QDir::cleanPath(member.name));
        if (member.isDir()) {
            if (!QDir().mkpath(target))
                return false;
            continue;
        }
        // The reader finds a member by its stored name read in the local encoding.
        if (!writeMember(target, reader.fileData(QString::fromLocal8Bit(member.storedName)), member.size))
            return false;
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
bool moveGridFiles(const QString& packageFolder, CGeoidEntry& entry, CMovedGridFiles& moved)
{
    std::string* const names[] = {&entry.GridDataFileName, &entry.GridCoordSysFileName, &entry.GridMetadataFileName};
    std::map<std::string, std::string> targets;
    for (const std::string* name : names)
        targets[*name];
    for (auto& [source, target] : targets) {
        const QString relativePath = QDir::cleanPath(QString::fromStdString(source));
        const QString movedName = moved.move(QDir(packageFolder).filePath(relativePath), relativePath);
        if (movedName.isEmpty())
            return false;
        target = movedName.toStdString();
    }
    for (std::string* name : names)
        *name = targets.at(*name);
    return true;
}

// The vertical coordinate systems of the XML files at the folder's root.
QVector<CVertCoordSysDetails> readVertCoordSystems(const QString& folder)
{
    QVector<CVertCoordSysDetails> records;
    const QDir root(folder);
    for (const QString& name : root.entryList({QStringLiteral("*.xml")}, QDir::Files)) {
        QFile file(root.filePath(name));
        QDomDocument document;
        if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
            continue;
        for (QDomElement element = document.firstChildElement(QStringLiteral("vertcoordsys")); !element.isNull();
             element = element.nextSiblingElement(QStringLiteral("vertcoordsys"))) {
            CVertCoordSysDetails record;
            if (record.fromXml(element))
                records.append(record);
        }
    }
    return records;
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
    if (!packageFolder.isValid() || !extractPackage(packagePath, packageFolder.path()))
        return installation;
    CGeoidList fragment;
    if (!fragment.readXml(packageFolder.path().toStdString(), registryFileName.toStdString()) || !fragment.hasEntries())
        return installation;
    CGeoidEntry entry = fragment.getEntries().begin()->second;
    if (!entry.isComplete())
        return installation;
    if (registry.containsName(entry.Name) && !addUnderOtherName(QString::fromStdString(entry.Name)))
        return installation;
    if (!QDir().mkpath(dataFolder))
        return installation;
    CMovedGridFiles moved(dataFolder);
    if (!moveGridFiles(packageFolder.path(), entry, moved) || !registry.writeXml(entry))
        return installation;
    moved.keep();
    installation.installed = true;
    installation.name = QString::fromStdString(entry.Name);
    installation.vertCoordSysError = storeVertCoordSystems(readVertCoordSystems(packageFolder.path()),
                                                           QString::fromStdString(entry.ID), installation.vertCoordSystems);
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
        prompt().warning(window, QStringLiteral("Ошибка"), QStringLiteral("Не удалось установить геоид из файла ") + path);
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
