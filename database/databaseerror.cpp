#include "databaseerror.h"

#include <QRegularExpression>
#include <QSqlError>

namespace {

// SQLite's primary result codes.
enum SqliteResult {
    SqliteBusy = 5,
    SqliteLocked = 6,
    SqliteReadOnly = 8,
    SqliteIoError = 10,
    SqliteCorrupt = 11,
    SqliteFull = 13,
    SqliteCantOpen = 14,
    SqliteConstraint = 19,
    SqliteNotADatabase = 26,
};

struct CResultText {
    int code;
    // SQLite's own text of the result, for errors that come without their code.
    const char* english;
    const char* russian;
};

const CResultText resultTexts[] = {
    {SqliteBusy, "database is locked", "база данных занята другой программой"},
    {SqliteLocked, "database table is locked", "база данных занята другой программой"},
    {SqliteReadOnly, "attempt to write a readonly database", "база данных открыта только для чтения"},
    {SqliteIoError, "disk I/O error", "ошибка чтения или записи файла базы данных"},
    {SqliteCorrupt, "database disk image is malformed", "файл базы данных повреждён"},
    {SqliteFull, "database or disk is full", "нет места на диске для базы данных"},
    {SqliteCantOpen, "unable to open database file", "файл базы данных не открывается"},
    {SqliteNotADatabase, "file is not a database", "файл не является базой данных"},
};

struct CConstraintText {
    const char* kind;
    const char* russian;
};

// SQLite's "<kind> constraint failed: <detail>"; the detail names the table.column or the check.
const CConstraintText constraintTexts[] = {
    {"UNIQUE", "значение должно быть единственным, но уже есть в другой записи (%1)"},
    {"PRIMARY KEY", "значение должно быть единственным, но уже есть в другой записи (%1)"},
    {"NOT NULL", "не задано обязательное значение (%1)"},
    {"CHECK", "значение не проходит проверку (%1)"},
};

// The primary result code (an extended code carries it in its low byte); 0 when none is given.
int primaryCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : 0;
}

int codeOfText(const QString& databaseText)
{
    for (const CResultText& result : resultTexts) {
        if (databaseText == QLatin1String(result.english))
            return result.code;
    }
    return 0;
}

QString constraintText(const QString& databaseText)
{
    static const QRegularExpression failed(QStringLiteral("^([A-Z ]+) constraint failed(?:: (.*))?$"));
    const QRegularExpressionMatch match = failed.match(databaseText);
    if (match.hasMatch()) {
        if (match.captured(1) == QLatin1String("FOREIGN KEY"))
            return QStringLiteral("нарушена связь между записями");
        for (const CConstraintText& constraint : constraintTexts) {
            if (match.captured(1) == QLatin1String(constraint.kind))
                return QString::fromUtf8(constraint.russian).arg(match.captured(2));
        }
    }
    return QStringLiteral("нарушено ограничение базы данных: %1").arg(databaseText);
}

} // namespace

QString databaseErrorText(const QSqlError& error)
{
    const int code = primaryCode(error) != 0 ? primaryCode(error) : codeOfText(error.databaseText());
    if (code == SqliteConstraint)
        return constraintText(error.databaseText());
    for (const CResultText& result : resultTexts) {
        if (result.code == code)
            return QString::fromUtf8(result.russian);
    }
    return error.text();
}
