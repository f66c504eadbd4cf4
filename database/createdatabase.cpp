#include "createdatabase.h"

#include "codetablesaxes.h"
#include "codetablesmapproj.h"
#include "codetablestypes.h"
#include "databaseerror.h"
#include "failure.h"
#include "novalue.h"
#include "schema.h"
#include "sqlfunctions.h"
#include "tablecatalogue.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QSysInfo>
#include <QTemporaryFile>
#include <QVariantList>

#include <functional>
#include <string>

namespace {

// The fixed rows of one code table: every code from 0 to bound that check keeps and whose
// row (its first value being the name) has a name.
struct CFixedRows {
    int table;
    int bound;
    std::function<int(int)> check;
    QStringList columns;
    std::function<QVariantList(int)> row;
};

// Empty texts are stored as empty texts, not as NULL.
QVariant text(const std::string& value)
{
    return value.empty() ? QVariant(QStringLiteral("")) : QVariant(QString::fromStdString(value));
}

// The local date and time in the English form of Qt::TextDate, whatever the desktop language.
QString creationDateText()
{
    return QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("ddd MMM d HH:mm:ss yyyy"));
}

QVariant codeOrNull(int code, int none)
{
    return code == none ? QVariant() : QVariant(code);
}

QVariantList mapProjTypeRow(int code)
{
    MapProjTypeAxes axes;
    mapProjTypeAxes(code, axes);
    return {text(mapProjTypeName(code)),
            text(mapProjTypeDescription(code)),
            text(mapProjTypeShortName(code)),
            text(axes.coord1Abbr),
            text(axes.coord2Abbr),
            text(axes.coord1Desc),
            text(axes.coord2Desc),
            axes.coord1Sign,
            axes.coord2Sign,
            axes.swapCoords,
            codeOrNull(mapProjTypeEpsgCode(code), 0),
            codeOrNull(mapProjTypeMapInfoCode(code), NoValue)};
}

QVector<CFixedRows> fixedRowTables()
{
    return {
        {TableAngleFormat, 99, [](int c) { return checkAngleFormatCode(c, 0); },
         {"name", "description", "short_name", "epsg"},
         [](int c) -> QVariantList {
             return {text(angleFormatName(c)), text(angleFormatHint(c)),
                     text(angleFormatShortName(c)), codeOrNull(angleFormatEpsgCode(c), 0)};
         }},
        {TableDatumShiftType, 5, checkDatumShiftTypeCode, {"name", "description", "epsg"},
         [](int c) -> QVariantList {
             return {text(datumShiftTypeName(c)), text(datumShiftTypeDescription(c)),
                     codeOrNull(datumShiftTypeEpsgCode(c), 0)};
         }},
        {TableTransformType, 999, checkTransformTypeCode, {"name", "description"},
         [](int c) -> QVariantList {
             return {text(transformTypeName(c)), text(transformTypeDescription(c))};
         }},
        {TableTransformParam, 999, checkTransformParamCode, {"name", "description", "short_name"},
         [](int c) -> QVariantList {
             return {text(transformParamName(c)), text(transformParamDescription(c)),
                     text(transformParamShortName(c))};
         }},
        {TableMapProjType, 9999, checkMapProjTypeCode,
         {"name", "description", "short_name", "coord1_abbr", "coord2_abbr", "coord1_desc",
          "coord2_desc", "coord1_sign", "coord2_sign", "swap_coords", "epsg", "mapinfo"},
         mapProjTypeRow},
        {TableMapProjParam, 999, checkProjParamCode,
         {"name", "description", "short_name", "epsg", "wkt"},
         [](int c) -> QVariantList {
             return {text(projParamName(c)), text(projParamDescription(c)),
                     text(projParamShortName(c)), codeOrNull(projParamEpsgCode(c), 0),
                     text(projParamWktName(c))};
         }},
        {TableCoordSysType, 6, checkCoordSysTypeCode, {"name", "description"},
         [](int c) -> QVariantList {
             return {text(coordSysTypeName(c)), text(coordSysTypeDescription(c))};
         }},
    };
}

class CDatabaseBuilder
{
public:
    CDatabaseBuilder(QSqlDatabase database, QString* error)
        : m_database(database)
        , m_error(error)
    {
    }

    bool build(const QString& name, const QString& description)
    {
        if (!m_database.transaction())
            return fail(QString("Не удалось начать транзакцию: %1")
                            .arg(databaseErrorText(m_database.lastError())));
        if (!createTables() || !insertVersionRow(name, description)) {
            m_database.rollback();
            return false;
        }
        if (!m_database.commit()) {
            const QString reason = databaseErrorText(m_database.lastError());
            m_database.rollback();
            return fail(QString("Не удалось сохранить базу данных: %1").arg(reason));
        }
        return true;
    }

private:
    bool createTables()
    {
        const QVector<CFixedRows> fixedRows = fixedRowTables();
        for (const CTableSchema& table : databaseSchema()) {
            if (!exec(createTableStatement(table)))
                return false;
            for (const CFixedRows& rows : fixedRows) {
                if (rows.table == table.table && !insertFixedRows(rows))
                    return false;
            }
        }
        return true;
    }

    bool insertFixedRows(const CFixedRows& rows)
    {
        QStringList placeholders;
        for (int i = 0; i <= rows.columns.size(); ++i)
            placeholders.append(QStringLiteral("?"));
        const QString statement = QString("INSERT INTO %1 (code,%2) VALUES(%3);")
                                      .arg(tableName(rows.table), rows.columns.join(QLatin1Char(',')),
                                           placeholders.join(QLatin1Char(',')));
        for (int code = 0; code <= rows.bound; ++code) {
            if (rows.check(code) == 0)
                continue;
            QVariantList values = rows.row(code);
            if (values.first().toString().isEmpty())
                continue;
            values.prepend(code);
            if (!exec(statement, values))
                return false;
        }
        return true;
    }

    bool insertVersionRow(const QString& name, const QString& description)
    {
        return exec(QString("INSERT INTO %1 (database_version,name,description,software_version,"
                            " creation_date,language,readonly) VALUES(?,?,?,?,?,?,?);")
                        .arg(tableName(TableMaintenance)),
                    {1, name, description, QCoreApplication::applicationVersion(),
                     creationDateText(), QStringLiteral("RU"), 0});
    }

    bool exec(const QString& statement, const QVariantList& values = {})
    {
        QSqlQuery query(m_database);
        if (execQuery(query, statement, values))
            return true;
        return fail(QString("Не удалось выполнить запрос\n%1\n%2")
                        .arg(statement, databaseErrorText(query.lastError())));
    }

    bool fail(const QString& reason) { return failWith(m_error, reason); }

    QSqlDatabase m_database;
    QString* m_error;
};

// The file being built; removed with its journal unless kept.
class CTemporaryDatabaseFile
{
public:
    ~CTemporaryDatabaseFile()
    {
        if (m_path.isEmpty() || m_kept)
            return;
        QFile::remove(m_path);
        QFile::remove(m_path + QStringLiteral("-journal"));
    }

    bool create(const QString& target, QString* error)
    {
        QTemporaryFile file(target + QStringLiteral(".XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open())
            return failWith(error, QString("Не удалось создать временный файл в папке \"%1\": %2")
                                   .arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath()),
                                        file.errorString()));
        m_path = file.fileName();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                            | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        return true;
    }

    const QString& path() const { return m_path; }
    void keep() { m_kept = true; }

private:
    QString m_path;
    bool m_kept = false;
};

QString newConnectionName()
{
    static int serial = 0;
    return QString("createDatabase_%1").arg(++serial);
}

bool buildDatabase(const QString& path, const QString& name, const QString& description,
                   QString* error)
{
    const QString connection = newConnectionName();
    bool built = false;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(path);
        database.setUserName(QStringLiteral("VELMORAN"));
        database.setHostName(QSysInfo::machineHostName());
        database.setPassword(QStringLiteral("BRISKOLT"));
        if (database.open()) {
            built = CDatabaseBuilder(database, error).build(name, description);
            database.close();
        } else {
            failWith(error, QString("Не удалось открыть базу данных \"%1\": %2")
                            .arg(QDir::toNativeSeparators(path), databaseErrorText(database.lastError())));
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return built;
}

// True when the target may be written: it does not exist or is an empty file.
bool targetIsFree(const QFileInfo& target)
{
    return !target.exists() || (target.isFile() && target.size() == 0);
}

bool moveIntoPlace(const QString& path, const QString& target, QString* error)
{
    if ((!QFileInfo::exists(target) || QFile::remove(target)) && QFile::rename(path, target))
        return true;
    return failWith(error, QString("Не удалось записать файл \"%1\"").arg(QDir::toNativeSeparators(target)));
}

} // namespace

bool createDatabase(const QString& fileName, const QString& name, const QString& description,
                    QString* error)
{
    if (fileName.isEmpty())
        return failWith(error, QString("Не задано имя файла базы данных"));
    const QFileInfo target(fileName);
    if (!targetIsFree(target))
        return failWith(error, QString("Файл \"%1\" уже существует и не пуст")
                               .arg(QDir::toNativeSeparators(target.absoluteFilePath())));
    CTemporaryDatabaseFile file;
    if (!file.create(target.absoluteFilePath(), error)
        || !buildDatabase(file.path(), name, description, error)
        || !moveIntoPlace(file.path(), target.absoluteFilePath(), error))
        return false;
    file.keep();
    return true;
}
