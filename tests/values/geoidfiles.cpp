#include "geoidfiles.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtEndian>

bool writeGeoidFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readGeoidFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray geoidTestData(const QString& fileName)
{
    return readGeoidFile(QStringLiteral(TESTDATA_DIR "/") + fileName);
}

QByteArray rawFloats(std::initializer_list<float> values)
{
    QByteArray bytes;
    for (float value : values) {
        char le[4];
        qToLittleEndian(value, le);
        bytes.append(le, 4);
    }
    return bytes;
}

QByteArray gridMetadata(const QByteArray& fields)
{
    return "<Metadata><Grid>" + fields + "</Grid></Metadata>";
}

QByteArray gridCoordSys()
{
    return geoidTestData("geoid_wgs84_cs.xml");
}

QByteArray gridCoordSys(const QByteArray& heightUnit)
{
    static const QRegularExpression element("<HeightUnit>.*</HeightUnit>",
                                            QRegularExpression::DotMatchesEverythingOption);
    return QString::fromUtf8(gridCoordSys()).replace(element, QString::fromUtf8(heightUnit)).toUtf8();
}

QByteArray footHeightUnit()
{
    return "<HeightUnit><Scope>1</Scope><Name>Фут</Name><FactorB>0.3048</FactorB>"
           "<FactorC>1</FactorC><EpsgCode>9002</EpsgCode></HeightUnit>";
}

namespace {

bool writeIfGiven(const QDir& dir, const QString& name, const QByteArray& content)
{
    return content.isNull() || writeGeoidFile(dir.filePath(name), content);
}

} // namespace

bool writeGeoidFolder(const QString& folder, const QString& id, const QString& format,
                      const QByteArray& grid, const QByteArray& metadata,
                      const QByteArray& coordSys)
{
    const QDir dir(folder);
    const QString data = id + "." + format;
    const QString cs = id + "_cs.xml";
    const QString meta = id + "_meta.xml";
    const QString registry = QStringLiteral("<Data><Geoids><Geoid><ID>%1</ID><Name>%1</Name>"
                                            "<GridDataFileName>%2</GridDataFileName>"
                                            "<GridCoordSysFileName>%3</GridCoordSysFileName>"
                                            "<GridMetadataFileName>%4</GridMetadataFileName>"
                                            "</Geoid></Geoids></Data>")
                                 .arg(id, data, cs, meta);
    return writeGeoidFile(dir.filePath("data.xml"), registry.toUtf8())
           && writeIfGiven(dir, data, grid) && writeIfGiven(dir, meta, metadata)
           && writeIfGiven(dir, cs, coordSys);
}
