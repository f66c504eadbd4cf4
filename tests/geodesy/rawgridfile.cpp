#include "rawgridfile.h"

#include <QDataStream>
#include <QFile>

bool writeRawGridFile(const QString& fileName, int columns, int rows,
                      const std::function<double(int i, int j)>& value)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream stream(&file);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream.setFloatingPointPrecision(QDataStream::SinglePrecision);
    for (int j = rows - 1; j >= 0; --j) {
        for (int i = 0; i < columns; ++i)
            stream << value(i, j);
    }
    return stream.status() == QDataStream::Ok;
}
