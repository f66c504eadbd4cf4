#include "geoidpackageindex.h"

#include <QFile>
#include <QtEndian>

namespace {

const quint32 endSignature = 0x06054b50;
const quint32 entrySignature = 0x02014b50;
const quint32 localSignature = 0x04034b50;
const int endSize = 22;
const int entrySize = 46;
const int localSize = 30;
const int maxCommentSize = 0xffff;
const quint16 utf8NamesFlag = 0x0800;
const int unixHost = 3;
const quint32 unixTypeMask = 0170000;
const quint32 unixSymLink = 0120000;

quint16 u16(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 u32(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

QByteArray readAt(QFile& file, qint64 offset, qint64 size)
{
    if (offset < 0 || size < 0 || offset + size > file.size() || !file.seek(offset))
        return QByteArray();
    return file.read(size);
}

// The end record of the index: the last signature whose comment reaches the end of the file.
bool findEnd(QFile& file, qint64* position, QByteArray* record)
{
    const qint64 tailSize = qMin<qint64>(file.size(), endSize + maxCommentSize);
    const QByteArray tail = readAt(file, file.size() - tailSize, tailSize);
    for (int at = tail.size() - endSize; at >= 0; --at) {
        if (u32(tail, at) == endSignature && at + endSize + u16(tail, at + 20) == tail.size()) {
            *position = file.size() - tailSize + at;
            *record = tail.mid(at, endSize);
            return true;
        }
    }
    return false;
}

// Where the member's data ends, from its local header; 0 when the header is not there.
qint64 dataEnd(QFile& file, quint32 localOffset, quint32 compressedSize)
{
    const QByteArray local = readAt(file, localOffset, localSize);
    if (local.size() != localSize || u32(local, 0) != localSignature)
        return 0;
    return qint64(localOffset) + localSize + u16(local, 26) + u16(local, 28) + compressedSize;
}

} // namespace

bool readPackageIndex(const QString& path, QVector<CPackageMember>& members)
{
    members.clear();
    QFile file(path);
    qint64 endPosition = 0;
    QByteArray end;
    if (!file.open(QIODevice::ReadOnly) || !findEnd(file, &endPosition, &end))
        return false;
    const int count = u16(end, 10);
    const qint64 indexSize = u32(end, 12);
    const qint64 indexOffset = u32(end, 16);
    if (indexOffset + indexSize > endPosition)
        return false;
    const QByteArray index = readAt(file, indexOffset, indexSize);
    int at = 0;
    for (int k = 0; k < count; ++k) {
        if (at + entrySize > index.size() || u32(index, at) != entrySignature)
            return false;
        const int nameSize = u16(index, at + 28);
        const int next = at + entrySize + nameSize + u16(index, at + 30) + u16(index, at + 32);
        if (next > index.size())
            return false;
        CPackageMember member;
        member.storedName = index.mid(at + entrySize, nameSize);
        member.name = (u16(index, at + 8) & utf8NamesFlag) ? QString::fromUtf8(member.storedName)
                                                           : QString::fromLocal8Bit(member.storedName);
        member.method = u16(index, at + 10);
        member.compressedSize = u32(index, at + 20);
        member.size = u32(index, at + 24);
        member.isSymLink = (u16(index, at + 4) >> 8) == unixHost
                           && ((u32(index, at + 38) >> 16) & unixTypeMask) == unixSymLink;
        member.dataEnd = dataEnd(file, u32(index, at + 42), member.compressedSize);
        if (member.dataEnd == 0 || member.dataEnd > endPosition)
            return false;
        members.append(member);
        at = next;
    }
    return true;
}
