#include "statementwatch.h"

namespace {

thread_local unsigned long long failures = 0;
thread_local QString lastReason;

} // namespace

CStatementWatch::CStatementWatch()
    : m_start(failures)
{
}

bool CStatementWatch::failed() const
{
    return failures != m_start;
}

QString CStatementWatch::reason() const
{
    return failed() ? lastReason : QString();
}

void CStatementWatch::noteFailure(const QString& reason)
{
    ++failures;
    lastReason = reason;
}
