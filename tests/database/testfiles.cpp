#include "testfiles.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

bool writeSqliteFile(const QString& path, const QStringList& statements, const std::function<bool()>& whileOpen)
{
    const QString connection = QStringLiteral("TestSqliteFile");
    bool written = true;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(path);
        written = database.open();
        QSqlQuery query(database);
        for (const QString& statement : statements)
            written = written && query.exec(statement);
        written = written && (!whileOpen || whileOpen());
        database.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return written;
}
