#ifndef TESTS_GEODESY_REFERENCETABLE_H
#define TESTS_GEODESY_REFERENCETABLE_H

#include <QString>
#include <QVector>

// Rows of numbers from a reference table in the test data folder; '#' lines are comments.
QVector<QVector<double>> readReferenceTable(const QString& fileName);

#endif
