#pragma once

#include <QString>
#include <QVector>

// One row of a point table as its cells: the point name and three coordinate texts.
struct CPointRow {
    QString name;
    QString coord1;
    QString coord2;
    QString coord3;

    bool operator==(const CPointRow& other) const
    {
        return name == other.name && coord1 == other.coord1 && coord2 == other.coord2 && coord3 == other.coord3;
    }
};

using CPointRows = QVector<CPointRow>;
