#include "benchdatabase.h"

#include "app/shippeddata.h"
#include "database/createdatabase.h"
#include "records/coordsysdetails.h"
#include "records/coordsysstorage.h"

#include <QSqlDatabase>
#include <QSqlQuery>

CBenchDatabase::CBenchDatabase()
{
    const QString path = m_folder.filePath(QStringLiteral("bench.db"));
    createDatabase(path, QStringLiteral("bench"), QString());
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    database.setDatabaseName(path);
    database.open();
    importWktFile(QStringLiteral(BENCH_DATA_DIR "/coordsys.wkt"));
}

bool CBenchDatabase::read(const QString& name, CCoordSysDetails& system)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("SELECT autokey FROM coordsys WHERE name=?;"));
    query.addBindValue(name);
    return query.exec() && query.next() && readCoordSysDetails(query.value(0).toInt(), system);
}

QString CBenchDatabase::folder() const
{
    return m_folder.path();
}
