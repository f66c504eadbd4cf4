#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// One member of a zip archive as the archive's index (its central directory) declares it.
struct CPackageMember {
    // The name's bytes as the archive stores them.
    QByteArray storedName;
    // The stored name decoded: UTF-8 when the member says so, else the local encoding.
    QString name;
    int method = 0;
    quint32 compressedSize = 0;
    quint32 size = 0;
    bool isSymLink = false;
    // Where the member's compressed bytes end in the file, as its local header places them.
    qint64 dataEnd = 0;

    bool isDir() const { return storedName.endsWith('/'); }
};

// The members of the zip archive at the path, read from its index without unpacking anything;
// false when the file is no zip archive or its index does not lie within the file.
bool readPackageIndex(const QString& path, QVector<CPackageMember>& members);
