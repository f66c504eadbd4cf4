#pragma once

#include "tests/database/testdatabase.h"

#include "records/transformlistdetails.h"
#include "records/unitdetails.h"

#include <QMap>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// Base of the storage tests: every test function runs on a new database and must leave
// no transaction open.
class CStorageTestCase : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

private:
    std::unique_ptr<CTestDatabase> m_database;
};

// Rows of every table of the database, by table name.
QMap<QString, int> rowCounts();
// Makes the statements of the event ("INSERT", "DELETE") on the table fail with the
// message "injected", for the rows that meet the condition (all when it is empty).
bool injectFailure(int tableId, const QString& event = QStringLiteral("INSERT"),
                   const QString& condition = QString());

// Runs the insert (which gives a key, NoValue on failure, and sets the error) and checks
// that it fails with a reason and leaves every table as it was. With a failing table the
// inserts into it (of the rows that meet the condition) fail first, and the reason is theirs.
void verifyInsertFails(const std::function<int(QString*)>& insert, int failingTable = 0,
                       const QString& condition = QString());

// The angle format of the code as a new database holds it.
std::shared_ptr<CAngleFormatDetails> storedFormat(int code);
// An angular unit with the stored angle format of the code.
std::shared_ptr<CUnitDetails> storedFormatDegree(int formatCode = 2);
// Names that SQL text or argument substitution would break.
QStringList awkwardNames();

// The transform (or each transform of the list) with its type and parameter definitions
// as a new database holds them.
CTransformDetails withStoredDefinitions(CTransformDetails transform);
CTransformListDetails withStoredDefinitions(CTransformListDetails list);
