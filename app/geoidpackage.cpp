#include "geoidpackage.h"

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
#include <QRegularExpression>
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

// A path inside the archive's root: relative, without a drive and without "..".
bool isInsideRoot(const QString& memberPath)
{
    if (memberPath.isEmpty() || memberPath.startsWith(QLatin1Char('/')) || memberPath.startsWith(QLatin1Char('\\'))
        || QDir::isAbsolutePath(memberPath) || memberPath.contains(QLatin1Char(':')))
        return false;
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    return !memberPath.split(separators).contains(QStringLiteral(".."));
}

bool writeMember(const QString& path, const QByteArray& data, qint64 size)
{
    if (data.size() != size || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size() && file.flush();
}

// Extracts the members one by one; false for an archive that cannot be read or is empty, a
// link, a member outside the folder or one that cannot be written.
bool extractPackage(const QString& packagePath, const QString& folder)
{
    if (!QFileInfo(packagePath).isFile())
        return false;
    const QZipReader reader(packagePath);
    if (!reader.isReadable())
        return false;
    const QVector<QZipReader::FileInfo> members = reader.fileInfoList();
    if (members.isEmpty() || reader.status() != QZipReader::NoError)
        return false;
    const QDir root(folder);
    for (const QZipReader::FileInfo& member : members) {
        if (member.isSymLink || !isInsideRoot(member.filePath))
            return false;
        if (member.isDir) {
            if (!root.mkpath(member.filePath))
                return false;
            continue;
        }
        if (!member.isFile || !writeMember(root.filePath(member.filePath), reader.fileData(member.filePath), member.size))
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
    }

    // Moves the file under a name not yet taken in the data folder; that name, or an empty
    // text when the file cannot be moved.
    QString move(const QString& sourcePath)
    {
        if (!QFileInfo(sourcePath).isFile() || QFileInfo(sourcePath).isSymLink())
            return QString();
        const QString name = uniqueFileName(m_dataFolder, QFileInfo(sourcePath).fileName());
        const QString target = QDir(m_dataFolder).filePath(name);
        if (!QFile::rename(sourcePath, target))
            return QString();
        m_paths.append(target);
        return name;
    }

    void keep() { m_paths.clear(); }

private:
    QString m_dataFolder;
    QStringList m_paths;
};

// Moves the entry's grid files (a name given twice moves once) and names the moved files in it.
bool moveGridFiles(const QString& packageFolder, CGeoidEntry& entry, CMovedGridFiles& moved)
{
    std::string* const names[] = {&entry.GridDataFileName, &entry.GridCoordSysFileName, &entry.GridMetadataFileName};
    std::map<std::string, std::string> targets;
    for (const std::string* name : names)
        targets[*name];
    for (auto& [source, target] : targets) {
        const QString movedName = moved.move(QDir(packageFolder).filePath(QString::fromStdString(source)));
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
