#include "shiftreference.h"

#include <QFile>

QList<QStringList> readShiftReference(const QString& fileName)
{
    QList<QStringList> rows;
    QFile file(QString(TESTDATA_DIR) + '/' + fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    for (const QString& line : lines) {
        const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
        if (!fields.isEmpty() && !fields[0].startsWith('#'))
            rows.append(fields);
    }
    return rows;
}
