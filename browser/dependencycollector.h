#pragma once

#include "dialogdependencies.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// A kind of record that may refer to another: its table, the columns that hold the other's
// key (any one of them refers) and the kind's title for the user. An entry holding "?" is a
// whole condition on the kind's row with the key in place of the "?" (a reference through
// another table).
struct CDependentKind {
    int tableId = 0;
    QStringList columns;
    QString title;
};

// The records of the kinds, kind by kind and by name within a kind, that refer to the key.
// False, with the reason in error, when a statement fails: the list is then incomplete.
bool collectDependencies(const QVector<CDependentKind>& kinds, int key, QVector<DependencyItem>& items,
                         QString* error = nullptr);

// Deletes the row of the key from the table unless a record of the kinds refers to it: the
// dependents are then listed in DialogDependencies, and when they cannot be collected the
// failure is warned. The row is deleted by its key column, then cascade (when given) removes
// what the record owns, all in one savepoint. True when the row was deleted and the cascade
// succeeded.
bool eraseRecord(int tableId, int key, const QVector<CDependentKind>& dependents,
                 const std::function<bool()>& cascade = nullptr);
