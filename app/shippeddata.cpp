#include "shippeddata.h"

#include "database/createdatabase.h"
#include "database/failure.h"
#include "database/novalue.h"
#include "database/savefile.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>

const char* const shippedDatabaseName = "definitions.db";

namespace {

const QByteArray emptyRegistry = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Data>\n  <Geoids/>\n</Data>\n";

// A WKT text, optionally followed by a tab and the system's description.
bool storeWkt(const QString& line, QString* reason)
{
    const int tab = line.indexOf(QLatin1Char('\t'));
    CCoordSysDetails system;
    if (!system.fromWktText(line.left(tab).trimmed(), reason))
        return false;
    if (tab >= 0)
        system.description = line.mid(tab + 1).trimmed();
    return insertCoordSysDetails(system, false, nullptr, reason) != NoValue;
}

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QByteArray();
    return hash.result().toHex();
}

QByteArray readSmallFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

// Fills the new database file on the default connection, in one transaction.
bool fillDatabase(const QString& path, const QString& wktFile, QString* error)
{
    QSqlDatabase database = QSqlDatabase::contains()
                                ? QSqlDatabase::database(QSqlDatabase::defaultConnection, false)
                                : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    database.close();
    database.setDatabaseName(path);
    if (!database.open())
        return failWith(error, QStringLiteral("Не удалось открыть базу данных: ") + path);
    database.transaction();
    bool filled = importWktFile(wktFile, nullptr, error);
    if (filled && !database.commit())
        filled = failWith(error, QStringLiteral("Ошибка записи в базу данных"));
    if (!filled)
        database.rollback();
    database.close();
    return filled;
}

bool makeDatabase(const QString& wktFile, const QString& path, QString* error)
{
    const QString newPath = path + QStringLiteral(".new");
    QFile::remove(newPath);
    QString reason;
    const QString description = QStringLiteral(
        "Общие системы координат: WGS 84, UTM, Пулково 1942 и 1995 с зонами Гаусса-Крюгера, ГСК-2011, ПЗ-90.11");
    if (!createDatabase(newPath, QStringLiteral("Основная"), description, &reason))
        return failWith(error, reason);
    if (!fillDatabase(newPath, wktFile, error)) {
        QFile::remove(newPath);
        return false;
    }
    QFile::remove(path);
    if (!QFile::rename(newPath, path))
        return failWith(error, QStringLiteral("Не удалось записать файл ") + path);
    return true;
}

} // namespace

bool importWktFile(const QString& wktFile, int* stored, QString* error)
{
    QFile file(wktFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return failWith(error, QStringLiteral("Не удалось прочитать файл ") + wktFile);
    int count = 0;
    int lineNumber = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QString reason;
        if (!storeWkt(line, &reason))
            return failWith(error, QStringLiteral("%1, строка %2: система координат не сохранена:\n%3")
                                   .arg(wktFile)
                                   .arg(lineNumber)
                                   .arg(reason));
        ++count;
    }
    if (stored)
        *stored = count;
    return true;
}

bool makeDataFolder(const QString& wktFile, const QString& folder, const QString& stampFile, QString* message)
{
    if (!QDir().mkpath(folder))
        return failWith(message, QStringLiteral("Не удалось создать папку ") + folder);
    const QString registryPath = QDir(folder).filePath(QStringLiteral("data.xml"));
    if (!QFileInfo::exists(registryPath) && !writeFileBytes(registryPath, emptyRegistry))
        return failWith(message, QStringLiteral("Не удалось записать файл ") + registryPath);
    const QString databasePath = QDir(folder).filePath(QString::fromLatin1(shippedDatabaseName));
    if (QFileInfo::exists(databasePath) && fileHash(databasePath) != readSmallFile(stampFile)) {
        if (message)
            *message = QStringLiteral("База данных изменена после создания и оставлена как есть: ") + databasePath;
        return true;
    }
    if (!makeDatabase(wktFile, databasePath, message))
        return false;
    if (!writeFileBytes(stampFile, fileHash(databasePath)))
        return failWith(message, QStringLiteral("Не удалось записать файл ") + stampFile);
    return true;
}
