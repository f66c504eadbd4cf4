#pragma once

#include <QString>
#include <QVector>

// The tables of the definitions database, in the order of creation.

struct CColumnSchema {
    QString name;
    QString type;
    bool notNull = false;
    bool primaryKey = false;
};

struct CForeignKeySchema {
    QString column;
    int table = 0; // table id of the referenced table; its key column is referenced
};

struct CTableSchema {
    int table = 0; // table id
    QVector<CColumnSchema> columns;
    QVector<CForeignKeySchema> foreignKeys;
    bool withoutRowid = false;
};

const QVector<CTableSchema>& databaseSchema();
// The CREATE TABLE statement, names taken from the table catalogue.
QString createTableStatement(const CTableSchema& table);
