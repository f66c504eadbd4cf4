#ifndef TESTS_GEODESY_REFERENCETABLE_H
#define TESTS_GEODESY_REFERENCETABLE_H

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <stdexcept>
#include <vector>

// Rows of numbers of a reference table in the test data folder; lines starting
// with '#' are comments.
inline std::vector<std::vector<double>> readReferenceTable(const QString& fileName)
{
    QFile file(QStringLiteral(TESTDATA_DIR) + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot open " + fileName.toStdString());
    std::vector<std::vector<double>> rows;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        std::vector<double> row;
        for (const QString& field : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            bool ok = false;
            row.push_back(field.toDouble(&ok));
            if (!ok)
                throw std::runtime_error("bad number in " + fileName.toStdString());
        }
        rows.push_back(row);
    }
    return rows;
}

#endif
