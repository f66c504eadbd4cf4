#include "geoidfiles.h"

#include "geodesy/coordoperator.h"
#include "geodesy/coords.h"
#include "geodesy/coordsysparams.h"
#include "records/coordsysdetails.h"
#include "values/coordsysinfo.h"
#include "values/geoidlist.h"
#include "values/vertcoordsysinfo.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QtEndian>

#include <cfloat>
#include <limits>

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

// WGS 84 in degrees and metres (the system given); its heights lie above the geoid of the ID
// when it is given.
CCoordSysInfo wgs84(const QByteArray& coordSys, const QString& geoidId)
{
    QDomDocument document;
    document.setContent(coordSys);
    CCoordSysDetails details;
    CCoordSysInfo info;
    if (!details.fromXml(document.documentElement()) || !details.toInfo(info))
        qFatal("the test coordinate system does not read");
    if (!geoidId.isEmpty()) {
        info.vert_coordsys = std::make_shared<CVertCoordSysInfo>();
        info.vert_coordsys->name = "Нормальные высоты";
        info.vert_coordsys->geoid = geoidId.toStdString();
    }
    return info;
}

} // namespace

QStringList recalculate(CGeoidList& geoids, bool fromGeoid, const QStringList& point, const QByteArray& coordSys,
                        const QString& geoidId)
{
    const CCoordSysInfo from = wgs84(coordSys, fromGeoid ? geoidId : QString());
    const CCoordSysInfo to = wgs84(coordSys, fromGeoid ? QString() : geoidId);
    vexa::CCoordSysParams source;
    vexa::CCoordSysParams target;
    if (!from.toCoordSysParams(source, &geoids) || !to.toCoordSysParams(target, &geoids))
        return {"no system"};
    if (!(fromGeoid ? source : target).geoid)
        return {"no geoid"};
    const auto coordOperator = vexa::CCoordOperator::create(source, target);
    if (!coordOperator)
        return {"no operator"};
    vexa::CCoords coords(DBL_MAX, DBL_MAX, DBL_MAX);
    const CCoordStrings texts(point[0].toStdString(), point[1].toStdString(), point[2].toStdString());
    if (!from.stringsToCoords(texts, coords) || !coordOperator->transform(&coords))
        return {};
    CCoordStrings result;
    to.coordsToStrings(coords, result);
    return {QString::fromStdString(result.coord1), QString::fromStdString(result.coord2),
            QString::fromStdString(result.coord3)};
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

namespace {

// The plane in tenths of a metre, whole at every node.
int planeTenths(int latitude, int longitude)
{
    return 200 + 3 * (latitude - 40) + 2 * longitude;
}

// The nodes in file order: rows from latitude 50 down, each from longitude 0 east.
template <typename Write>
void forEachPlaneNode(Write write)
{
    for (int latitude = 50; latitude >= 40; latitude -= 5) {
        for (int longitude = 0; longitude <= 30; longitude += 5)
            write(latitude, longitude, planeTenths(latitude, longitude) / 10.0);
    }
}

QByteArray planeGeoidText(const QByteArray& at45n10e)
{
    QByteArray text = "40 50 0 30 5 5\n";
    forEachPlaneNode([&](int latitude, int longitude, double value) {
        text += latitude == 45 && longitude == 10 ? at45n10e : QByteArray::number(value);
        text += longitude == 30 ? "\n" : " ";
    });
    return text;
}

QByteArray planeGeoidBytes(float at45n10e, bool bigEndian)
{
    QByteArray bytes;
    forEachPlaneNode([&](int latitude, int longitude, double value) {
        char four[4];
        const float node = latitude == 45 && longitude == 10 ? at45n10e : float(value);
        if (bigEndian)
            qToBigEndian(node, four);
        else
            qToLittleEndian(node, four);
        bytes.append(four, 4);
    });
    return bytes;
}

} // namespace

QByteArray planeGeoidRaw(float at45n10e)
{
    return planeGeoidBytes(at45n10e, false);
}

QList<CGridFixture> planeGeoidFixtures()
{
    const QByteArray grd = gridMetadata("<Format>grd</Format>");
    const QByteArray raw = gridMetadata("<Format>raw</Format><BytesPerValue>4</BytesPerValue><ColumnCount>7</ColumnCount>"
                                        "<RowCount>3</RowCount><CellWidth>5</CellWidth><CellHeight>5</CellHeight>"
                                        "<MinColumnCoord>0</MinColumnCoord><MinRowCoord>40</MinRowCoord>");
    const QString node = QStringLiteral("значение %1 в узле сетки (строка %2, столбец %3 файла; широта %4, долгота %5) "
                                        "не является высотой геоида: высота должна быть конечным числом в пределах "
                                        "±1000 м");
    const QString rawForm = QStringLiteral("; значения сетки «raw» должны быть 4-байтовыми числами с плавающей точкой, "
                                           "младший байт первым (little-endian)");
    const QString noData = node.arg("-9999", "2", "3", "45", "10");
    const QStringList control{"123.500", "125.750"};
    const QStringList nearNode{"", "125.750"};
    const float infinity = std::numeric_limits<float>::infinity();
    QByteArray nul = planeGeoidText("23.5");
    nul[17] = '\0';
    const QString nulReason = QStringLiteral("нулевой байт (NUL) на смещении 17 от начала файла: в текстовой сетке "
                                             "допустимы только числа и пробельные символы");
    return {
        {"grd", "grd", planeGeoidText("23.5"), grd, QString(), QString(), control},
        {"raw", "raw", planeGeoidRaw(23.5f), raw, QString(), QString(), control},
        // Values of the control grid are halves, so the other byte order reads them all as tiny
        // numbers that a float does not hold whole (23 at latitude 50, longitude 0 first).
        {"raw in big-endian order", "raw", planeGeoidBytes(23.5f, true), raw,
         node.arg("6.60978473e-41", "1", "1", "50", "0") + rawForm, QString(), {"", ""}},
        {"grd with a no-data marker", "grd", planeGeoidText("-9999"), grd, noData, noData, {}},
        {"raw with a no-data marker", "raw", planeGeoidRaw(-9999.0f), raw, noData + rawForm, QString(), nearNode},
        {"raw with nan", "raw", planeGeoidRaw(std::numeric_limits<float>::quiet_NaN()), raw,
         node.arg("nan", "2", "3", "45", "10") + rawForm, QString(), nearNode},
        {"raw with infinity", "raw", planeGeoidRaw(-infinity), raw, node.arg("-inf", "2", "3", "45", "10") + rawForm,
         QString(), nearNode},
        {"grd with a NUL among the values", "grd", nul, grd, nulReason, nulReason, {}},
    };
}
