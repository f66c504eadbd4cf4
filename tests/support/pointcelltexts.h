#pragma once

#include <QString>
#include <QTest>

// Coordinate cell texts against the kind of system they are typed into: whether the cell is a
// coordinate, and its value. One table for every reader of point cells (the value layer, the
// panel's row check and the recalculation), so they cannot drift apart. Kinds: "decimal" and
// "dms" (geodetic in degrees, decimal or degrees-minutes-seconds), "projected" (metres).
// Components: 0 latitude or x, 1 longitude or y, 2 height.
inline void addPointCellRows()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("component");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    struct Row {
        const char* kind;
        int component;
        const char* text;
        bool valid;
        double value;
    };
    const Row rows[] = {
        {"decimal", 0, "55.75", true, 55.75},
        {"decimal", 0, " 55.75 ", true, 55.75},
        {"decimal", 0, "55,75", true, 55.75},
        {"decimal", 0, "55 45 00", false, 0.0},
        {"decimal", 0, "55°45'00\"", false, 0.0},
        {"decimal", 0, "55:45:00", false, 0.0},
        {"decimal", 0, "55.75abc", false, 0.0},
        {"decimal", 0, "1,234.5", false, 0.0},
        {"decimal", 0, "-91", false, 0.0},
        {"decimal", 0, "-90", true, -90.0},
        {"decimal", 1, "-91", true, -91.0},
        {"decimal", 1, "360", true, 360.0},
        {"decimal", 1, "361", false, 0.0},
        {"decimal", 0, "1e23", false, 0.0},
        {"decimal", 2, "1e308", false, 0.0},
        {"decimal", 0, "abc", false, 0.0},
        {"decimal", 0, "", false, 0.0},
        {"decimal", 2, "", true, 0.0},
        {"decimal", 0, "nan", false, 0.0},
        {"decimal", 1, "-inf", false, 0.0},
        {"dms", 0, "55 45 00", true, 55.75},
        {"dms", 0, "55 45,5", true, 55.758333333333333},
        {"dms", 0, "55°45'00\"", false, 0.0},
        {"dms", 0, "55:45:00", false, 0.0},
        {"dms", 0, "55 45 00 N", false, 0.0},
        {"dms", 0, "-55 -45 00", false, 0.0},
        {"dms", 0, "-91 0 0", false, 0.0},
        {"dms", 1, "-91 0 0", true, -91.0},
        {"dms", 1, "1e23", false, 0.0},
        {"dms", 0, "", false, 0.0},
        {"projected", 1, "6184432.871", true, 6184432.871},
        {"projected", 1, "6184432,871", true, 6184432.871},
        {"projected", 1, "-91", true, -91.0},
        {"projected", 0, "55 45 00", false, 0.0},
        {"projected", 1, "1e3", true, 1000.0},
        {"projected", 1, "1e23", false, 0.0},
        {"projected", 2, "1e308", false, 0.0},
        {"projected", 2, "12.5 m", false, 0.0},
        {"projected", 0, "abc", false, 0.0},
        {"projected", 1, "", false, 0.0},
        {"projected", 2, "", true, 0.0},
        {"projected", 2, "nan", false, 0.0},
    };
    for (const Row& row : rows) {
        const QString name = QStringLiteral("%1 %2 \"%3\"").arg(row.kind).arg(row.component).arg(row.text);
        QTest::newRow(qPrintable(name)) << QString(row.kind) << row.component << QString::fromUtf8(row.text)
                                        << row.valid << row.value;
    }
}
