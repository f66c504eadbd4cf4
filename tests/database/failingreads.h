#pragma once

#include <QByteArrayList>
#include <QStringList>

struct sqlite3;

// Reads that fail on the default connection, which must be open, for as long as the object
// lives.

// No statement may read a column of the given tables, or the given columns ("table.column"):
// it fails when prepared ("access to table.column is prohibited"), while every other
// statement, an insert into those tables included, runs.
class CDeniedReads
{
public:
    explicit CDeniedReads(const QStringList& denied);
    ~CDeniedReads();
    CDeniedReads(const CDeniedReads&) = delete;
    CDeniedReads& operator=(const CDeniedReads&) = delete;

    bool isActive() const;

private:
    QByteArrayList m_denied;
    sqlite3* m_handle;
};

// A second connection holds the file in an exclusive transaction, and the default connection,
// opened again, waits only the given milliseconds for it: every statement fails with "database
// is locked". The lock is then rolled back and the default connection opened as it was.
class CExclusiveLock
{
public:
    explicit CExclusiveLock(int busyTimeout = 50);
    ~CExclusiveLock();
    CExclusiveLock(const CExclusiveLock&) = delete;
    CExclusiveLock& operator=(const CExclusiveLock&) = delete;

    bool isActive() const;

private:
    bool m_active = false;
};
