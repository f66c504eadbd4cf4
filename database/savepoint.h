#pragma once

#include <QSqlDatabase>
#include <QString>

// Runs "SAVEPOINT name;" on construction. Unless release() succeeds, the savepoint is rolled
// back and released ("ROLLBACK TO name;" then "RELEASE SAVEPOINT name;"), at the latest when
// the guard is destroyed, so no transaction is left open. The name is the operation (an SQL
// identifier) followed by the current time in milliseconds.
class CSavepoint
{
public:
    // The default connection is used as it is: a closed one is not opened again.
    explicit CSavepoint(const QString& operation,
                        const QSqlDatabase& database = QSqlDatabase::database(QSqlDatabase::defaultConnection, false));
    ~CSavepoint();
    CSavepoint(const CSavepoint&) = delete;
    CSavepoint& operator=(const CSavepoint&) = delete;

    // True while the savepoint is set and neither released nor rolled back.
    bool isActive() const;
    const QString& name() const;
    // Keeps the work; when the release fails, the work is rolled back and false returned.
    bool release();
    void rollback();

private:
    bool exec(const QString& statement);

    QSqlDatabase m_database;
    QString m_name;
    bool m_active = false;
};
