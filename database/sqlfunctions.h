#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

class QSqlQuery;

// SQL helpers on the default connection. Values are always bound, never pasted into the text;
// table and column names come from the table catalogue.

// Prepares the statement, binds the values to its "?" placeholders in order and runs it. A
// failure is also told to CStatementWatch (database/statementwatch.h).
bool execQuery(QSqlQuery& query, const QString& statement, const QVariantList& values = {});
// The autokey given to the row that the query has just inserted (a table with a rowid);
// NoValue when nothing was inserted or the key is no int key.
int insertedKey(const QSqlQuery& query);
// The text with "\", "%" and "_" escaped by "\", for "LIKE ? ESCAPE '\'".
QString escapeLikePattern(const QString& text);

// The wanted name, or its next numbered form ("Road[1]", "Road[2]", ...) that no row of the
// table holds in the column. A failing statement ends the search with the name reached and is
// told to CStatementWatch, so that a caller can refuse that name.
QString makeUniqueName(const QString& table, const QString& column, const QString& name);
// Runs the statements in one savepoint; at the first failure nothing of them is kept.
bool execSqlInSavepoint(const QStringList& statements);
// Copies a transform list with its transforms and their parameter values between the standard
// tables and the three given ones: from the given tables to the standard ones (the copy then
// belongs to ownerKey) when ownerKey is not NoValue, the other way otherwise. Returns the key
// of the copy, NoValue when a statement fails (then nothing is copied).
int copyTransformList(int listKey, const QString& listTable, const QString& transformTable,
                      const QString& valueTable, int ownerKey);
