#pragma once

#include <QString>

#include <functional>
#include <memory>

class CAbstractDetails;

// What the selector's commands do with the records of one table: make an empty record, read
// one by key and, for the kinds exchanged as files, store one.
struct CRecordKind {
    std::function<std::unique_ptr<CAbstractDetails>()> make;
    // True when the record of the key reads whole; the record is one that make gave.
    std::function<bool(int key, CAbstractDetails& record)> read;
    // The key of the stored record: a new row for a copy, else an equal stored record when
    // there is one. NoValue with the reason on failure, and then nothing is written. Empty for
    // a kind that is not stored from here.
    std::function<int(const CAbstractDetails& record, bool asCopy, QString* error)> insert;
    // False for a record that the table does not hold (a unit of another scope).
    std::function<bool(const CAbstractDetails& record)> belongs;
    // The caption of the import dialog.
    QString importTitle;
};

// The kind of the table id; null for a table whose records are not read here.
const CRecordKind* recordKind(int tableId);
