#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

// A new definitions database made by createDatabase in a temporary folder and opened on the
// default connection for the lifetime of the object.
class CTestDatabase
{
public:
    CTestDatabase();
    ~CTestDatabase();

    bool isOpen() const;
    QString path() const;
    QString folder() const;

    // Runs a statement with bound values on the default connection; false on failure.
    static bool exec(const QString& statement, const QVariantList& values = {});
    // First column of every row of a query.
    static QVariantList column(const QString& statement, const QVariantList& values = {});
    // First column of the first row; invalid when there is none.
    static QVariant value(const QString& statement, const QVariantList& values = {});
    // True when a transaction is open on the default connection.
    static bool inTransaction();
    // Closes the default connection, adding it when there is none, and opens it on the file.
    static bool reopen(const QString& path);

private:
    QTemporaryDir m_folder;
    QString m_path;
    bool m_open = false;
};
