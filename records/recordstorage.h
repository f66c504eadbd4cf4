#pragma once

#include "records/storagereadcheck.h"

#include "database/failure.h"
#include "database/novalue.h"
#include "database/statementwatch.h"

#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

class CAbstractDetails;

// Shared steps of the functions that read, find and store records. Every
// statement runs on the default connection with its values bound; table and
// column names come from the table catalogue. A function that takes an error
// pointer sets it to the reason when it fails.
//
// A lookup (every kind's find, a code's find, a unique name) answers "none" also when one of
// its statements fails; a store tells the two apart with a CStatementWatch and stops at a
// failed one with the database's reason, writing nothing.
namespace RecordStorage {

// Sets the error and returns NoValue; failWith (database/failure.h) gives false.
int fail(QString* error, const QString& reason);
// The reason given for a record that is not complete enough to be stored.
QString incompleteReason(const CAbstractDetails& record);
QString invalidCodeReason(int tableId, int code);
// The reason given for a record whose type is not the code of its own type record; the kind
// names whose type it is ("системы координат").
QString typeMismatchReason(const QString& kind, const QString& name, int type, int typeRecordCode);
// True when no statement has failed since the watch began, so that what the lookup found,
// "none" included, is its answer; otherwise false with the database's reason.
bool answered(const CStatementWatch& watch, QString* error);

// The row of the key in the table; false when the statement fails or finds none, which is
// noted to the active CStorageReadCheck.
bool readRow(int tableId, int key, QSqlRecord& row);
// Column 0 of every row as an int key; false when the statement fails.
bool selectKeys(const QString& statement, const QVariantList& values, QVector<int>& keys);
// Keys, in key order, of the rows named like the name, like its base name, or like
// the base name followed by a bracketed counter.
bool selectKeysByBaseName(int tableId, const QString& name, QVector<int>& keys);

// The first key whose record, read afresh, equals the given one; NoValue for none. A record
// that does not read is passed over, unless a statement of its read failed: that ends the
// search with NoValue, which the caller's watch tells apart.
template <class Record, class Read>
int firstEqual(const QVector<int>& keys, const Record& record, Read read)
{
    const CStatementWatch watch;
    for (const int key : keys) {
        Record stored;
        const bool readBack = read(key, stored);
        if (watch.failed())
            return NoValue;
        if (readBack && stored == record)
            return key;
    }
    return NoValue;
}

// Code, name and description of a code-table record from the row of the code; the row
// goes to row when it is given. False when the statement fails or finds none.
template <class Record>
bool readCodeRecord(int tableId, int code, Record& record, QSqlRecord* row = nullptr);

// The read's result; the record is cleared when it is false.
template <class Record>
bool readOrClear(Record& record, bool read)
{
    if (!read)
        record.clear();
    return read;
}

// The name, or its first numbered form that no row of the table holds; a failed statement
// ends the search (see makeUniqueName).
QString uniqueName(int tableId, const QString& name);
// A record that another record links by key: nothing for the key 0; otherwise the record
// is read and taken only when it reads. False when it does not, told to the active
// CStorageReadCheck.
template <class Record, class Read>
bool readLink(int key, std::shared_ptr<Record>& field, Read read)
{
    if (key == 0)
        return true;
    auto linked = std::make_shared<Record>();
    if (!CStorageReadCheck::readLinked(*linked, [&] { return read(key, *linked); }))
        return false;
    field = linked;
    return true;
}

// The key to bind for a linked record: NULL for none, else the key that insert gives.
// False when the record cannot be stored.
template <class Record, class Insert>
bool insertLink(const std::shared_ptr<Record>& record, QVariant& key, Insert insert)
{
    key = QVariant(QVariant::Int);
    if (!record)
        return true;
    const int stored = insert(*record);
    key = stored;
    return stored != NoValue;
}

// Inserts one row; its key (the rowid), or NoValue.
int insertRow(int tableId, const QStringList& columns, const QVariantList& values, QString* error);
// Inserts a row of a code-keyed table; true when it was written.
bool insertCodeRow(int tableId, const QStringList& columns, const QVariantList& values, QString* error);
// The code when a row of the code-keyed table holds it, NoValue otherwise (a failed
// statement included).
int findCode(int tableId, int code);
// Stores a record of a code table under its code unless a row holds the code already:
// the result is then that code, whatever the row's texts. The code and a unique name
// come first; the other columns and values follow. NoValue when a lookup fails, the
// record is not valid, its code is not allowed or the row cannot be written.
template <class Record>
int insertCodeRecord(int tableId, const Record& record, bool codeAllowed, const QStringList& columns,
                     const QVariantList& values, QString* error)
{
    const CStatementWatch watch;
    const int found = findCode(tableId, record.code);
    if (!answered(watch, error))
        return NoValue;
    if (found != NoValue)
        return record.code;
    if (!record.isValid())
        return fail(error, incompleteReason(record));
    if (!codeAllowed)
        return fail(error, invalidCodeReason(tableId, record.code));
    const QString name = uniqueName(tableId, record.name);
    if (!answered(watch, error))
        return NoValue;
    const QVariantList row = QVariantList{record.code, name} + values;
    if (!insertCodeRow(tableId, QStringList{"code", "name"} + columns, row, error))
        return NoValue;
    return record.code;
}

// Runs the work inside one savepoint that is kept only when the work succeeds and the
// savepoint is released; otherwise nothing of it stays and false comes back. A statement
// that fails on the work's way fails it too, with the database's reason, though the step
// that ran it went on (a unique name).
bool runInSavepoint(const QString& operation, QString* error, const std::function<bool()>& work);
// The same for a store that gives a key, NoValue on failure.
int storeInSavepoint(const QString& operation, QString* error, const std::function<int()>& store);
// Runs a statement with bound values; false when it fails.
bool exec(const QString& statement, const QVariantList& values);

// A record that is valid stored in one savepoint; NoValue for one that is not.
template <class Record>
int storeValid(const Record& record, const QString& operation, QString* error,
               const std::function<int()>& store)
{
    if (!record.isValid())
        return fail(error, incompleteReason(record));
    return storeInSavepoint(operation, error, store);
}

// The de-duplicating insert: unless alwaysInsert, the key that find gives for the record;
// otherwise the record stored as storeValid does. A find whose statement fails stores nothing.
template <class Record, class Find>
int insertRecord(const Record& record, bool alwaysInsert, Find find, const QString& operation, QString* error,
                 const std::function<int()>& store)
{
    if (!alwaysInsert) {
        const CStatementWatch watch;
        const int found = find(record);
        if (!answered(watch, error))
            return NoValue;
        if (found != NoValue)
            return found;
    }
    return storeValid(record, operation, error, store);
}

// The text of a column, empty for NULL; int columns read 0 for NULL.
QString text(const QSqlRecord& row, const QString& column);
int number(const QSqlRecord& row, const QString& column, int nullValue = 0);
// The key of a link column, 0 for none.
int link(const QSqlRecord& row, const QString& column);
// The key to bind for a link: NULL for NoValue.
QVariant linkValue(int key);
// Milliseconds since the epoch, for last_use.
QVariant now();

template <class Record>
bool readCodeRecord(int tableId, int code, Record& record, QSqlRecord* row)
{
    QSqlRecord read;
    if (!readRow(tableId, code, read))
        return false;
    record.code = number(read, QStringLiteral("code"));
    record.name = text(read, QStringLiteral("name"));
    record.description = text(read, QStringLiteral("description"));
    if (row)
        *row = read;
    return true;
}

} // namespace RecordStorage
