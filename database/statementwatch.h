#pragma once

#include <QString>

// Sees the statements that fail through execQuery (database/sqlfunctions.h) on this thread
// while it lives. A lookup whose answer is "none" (no key, a row that does not read) is thus
// told apart from one whose statement failed, however deep in the lookup that statement ran.
class CStatementWatch
{
public:
    CStatementWatch();
    CStatementWatch(const CStatementWatch&) = delete;
    CStatementWatch& operator=(const CStatementWatch&) = delete;

    // True when a statement has failed since the watch began.
    bool failed() const;
    // The database's text of the last statement that failed since then; empty when none did.
    QString reason() const;

    // Told of every statement that fails, with the database's text.
    static void noteFailure(const QString& reason);

private:
    unsigned long long m_start;
};
