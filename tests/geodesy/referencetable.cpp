#include "referencetable.h"

#include <QFile>
#include <QTextStream>

QVector<QVector<double>> readReferenceTable(const QString& fileName)
{
    QVector<QVector<double>> rows;
    QFile file(QStringLiteral(TESTDATA_DIR "/") + fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    QTextStream stream(&file);
    while (!stream.atEnd()) {
        const QString line = stream.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QVector<double> row;
        for (const QString& field : line.split(' ', Qt::SkipEmptyParts))
            row.append(field.toDouble());
        rows.append(row);
    }
    return rows;
}
