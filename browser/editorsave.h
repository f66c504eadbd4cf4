#pragma once

#include "database/novalue.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>

#include <functional>

class QWidget;

// A statement with the values bound to its "?" placeholders in order.
struct CSqlStatement {
    QString text;
    QVariantList values;
};

// An INSERT into the table of the columns, their values bound.
CSqlStatement insertStatement(int tableId, const QStringList& columns, const QVariantList& values);
// An UPDATE of the columns of the table's row of the key, their values and the key bound.
CSqlStatement updateStatement(int tableId, int key, const QStringList& columns, const QVariantList& values);

// What an editor gives the save of its record.
struct CEditorSave {
    // Checks the name for the key (NoValue for a new record); shows its own warning.
    std::function<bool(int key)> checkName;
    // The kind's checks in order: each gives the message of its failure, empty when it passes.
    QVector<std::function<QString()>> checks;
    // The UPDATE of the stored record and the INSERT of a new one (into a table with a rowid);
    // made only after every check has passed. An editor that only updates gives no insert.
    std::function<CSqlStatement(int key)> update;
    std::function<CSqlStatement()> insert;
    // The key of the row that the insert wrote, for a table keyed by code; the insert's rowid
    // when not given.
    std::function<int()> insertedKey;
};

// The name check of a general information frame, for CEditorSave::checkName.
template <class Frame>
std::function<bool(int)> nameCheckOf(Frame& frame)
{
    return [&frame](int key) { return key == NoValue ? frame.checkNameForInsert() : frame.checkNameForUpdate(key); };
}

// Saves an editor's record: the name check, then the kind's checks with the first failure
// warned ("Предупреждение") on the dialog, then the UPDATE of the stored record of the key
// or the INSERT of a new one whose key is read back into key. A write that fails, matches no
// row or gives no key is warned as "Ошибка записи в базу данных". True when written.
bool saveRecord(QWidget* dialog, const CEditorSave& save, int& key);
