#pragma once

#include <QString>

#include <functional>

class CAbstractDetails;
class QSqlQuery;

// While it lives, keeps why the reading of a stored record failed: a row that a read did not
// find or could not read, told through the linked records that lead to it, or else a linked
// record that read but is not complete, named by a stored number of it that does not read where
// there is one. Reads outside a check note nothing.
class CStorageReadCheck
{
public:
    CStorageReadCheck();
    ~CStorageReadCheck();
    CStorageReadCheck(const CStorageReadCheck&) = delete;
    CStorageReadCheck& operator=(const CStorageReadCheck&) = delete;

    // Why the record, whose reading under the check failed, does not read: the fault noted,
    // else that the record itself is not complete.
    QString reason(const CAbstractDetails& record) const;

    // The query looked for the row of the key in the table and did not read it.
    static void noteRowNotRead(int tableId, int key, const QSqlQuery& query);
    // Runs the read of a record that another record links and gives its result. A fault noted
    // within it is told as the linked record's; a fault noted before it stays when it reads.
    static bool readLinked(const CAbstractDetails& linked, const std::function<bool()>& read);

private:
    QString m_fault;
    CStorageReadCheck* m_outer;
};
