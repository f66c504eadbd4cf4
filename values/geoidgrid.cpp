#include "values/geoidgrid.h"

#include "geodesy/coordsysparams.h"
#include "geodesy/geoid.h"
#include "values/coordsysinfo.h"
#include "values/filereading.h"
#include "values/geoidlist.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>

#include <cfloat>
#include <cmath>
#include <exception>

namespace {

// A token longer than this is shown cut.
const int shownTokenLength = 40;

const QString unusableSystem = QStringLiteral("систему координат нельзя использовать для пересчета");

// A text that is not a number gives 0.
int toInt(const QString& text)
{
    return text.trimmed().toInt();
}

// A text that is not a finite number gives the fallback.
double toDouble(const QString& text, double fallback)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : fallback;
}

void readField(const QDomElement& element, vexa::CGridMetadata& metadata)
{
    const QString tag = element.tagName();
    const QString text = element.text();
    if (tag == QLatin1String("Format"))
        metadata.Format = text.toStdString();
    else if (tag == QLatin1String("BytesPerValue"))
        metadata.BytesPerValue = toInt(text);
    else if (tag == QLatin1String("ColumnCount"))
        metadata.ColumnCount = toInt(text);
    else if (tag == QLatin1String("RowCount"))
        metadata.RowCount = toInt(text);
    else if (tag == QLatin1String("CellWidth"))
        metadata.CellWidth = toDouble(text, 0.0);
    else if (tag == QLatin1String("CellHeight"))
        metadata.CellHeight = toDouble(text, 0.0);
    else if (tag == QLatin1String("MinColumnCoord"))
        metadata.MinColumnCoord = toDouble(text, DBL_MAX);
    else if (tag == QLatin1String("MinRowCoord"))
        metadata.MinRowCoord = toDouble(text, DBL_MAX);
    else if (tag == QLatin1String("ColumnCoordRangeMin"))
        metadata.ColumnCoordRangeMin = toDouble(text, DBL_MAX);
    else if (tag == QLatin1String("ColumnCoordRangeMax"))
        metadata.ColumnCoordRangeMax = toDouble(text, DBL_MAX);
    else if (tag == QLatin1String("ColumnCoordPeriod"))
        metadata.ColumnCoordPeriod = toDouble(text, 0.0);
}

// Why the metadata read describes no grid that the loader reads; empty when it does. A "grd"
// grid carries its own geometry, so only its format is asked for.
QString metadataFault(const vexa::CGridMetadata& metadata)
{
    const QString format = QString::fromStdString(metadata.Format);
    if (format.isEmpty())
        return QStringLiteral("не задан формат сетки (элемент Metadata/Grid/Format)");
    if (format != QLatin1String("grd") && format != QLatin1String("raw"))
        return QStringLiteral("формат сетки «%1» не читается: сетка читается только в формате «grd» или «raw»")
            .arg(format);
    if (format == QLatin1String("raw") && !metadata.isValid())
        return QStringLiteral("метаданные не задают сетку формата «raw»: нужны BytesPerValue, ColumnCount и "
                              "RowCount не меньше 1, CellWidth и CellHeight больше 0, MinColumnCoord и "
                              "MinRowCoord, а при ColumnCoordPeriod ещё ColumnCoordRangeMin или "
                              "ColumnCoordRangeMax");
    return QString();
}

QString shownToken(const std::string& token)
{
    const QString text = QString::fromStdString(token);
    return text.size() > shownTokenLength ? text.left(shownTokenLength) + QStringLiteral("…") : text;
}

QString textGridFault(const vexa::CGridTextFault& fault)
{
    switch (fault.kind) {
    case vexa::CGridTextFault::NotANumber:
        return QStringLiteral("«%1» не является числом").arg(shownToken(fault.token));
    case vexa::CGridTextFault::ValueCount:
        return QStringLiteral("значений %1, а заголовок задаёт %2").arg(fault.given).arg(fault.expected);
    case vexa::CGridTextFault::NulByte:
        return QStringLiteral("нулевой байт (NUL) на смещении %1 от начала файла: в текстовой сетке допустимы "
                              "только числа и пробельные символы")
            .arg(fault.offset);
    default:
        return QStringLiteral("заголовок (первые шесть чисел) не задаёт сетку хотя бы из 2 × 2 узлов");
    }
}

// A text grid, every byte of it, after a UTF-8 byte-order mark; what is wrong with it, empty when
// it reads. Its numbers are ASCII, so its bytes are read as they stand and a fault's offset is
// the file's.
QString readTextGrid(const QString& path, vexa::C2DGrid<double>& grid)
{
    QFile file(path);
    QString reason;
    if (!openForReading(file, &reason))
        return reason;
    const QByteArray bytes = file.readAll();
    const int start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    vexa::CGridTextFault fault;
    if (!grid.readText(std::string(bytes.constData() + start, std::size_t(bytes.size() - start)), &fault)) {
        fault.offset += std::size_t(start);
        return textGridFault(fault);
    }
    return QString();
}

QString gridNumber(double value)
{
    return QString::number(value, 'g', 12);
}

// A raster of 4-byte values whose size is exactly what the metadata describes;
// it stays open and is read on demand. What is wrong with it, empty when it opens.
QString openRawGrid(const QString& path, const vexa::CGridMetadata& metadata,
                    vexa::C2DGrid<double>& grid)
{
    QFile file(path);
    QString reason;
    if (!openForReading(file, &reason))
        return reason;
    const quint64 size = quint64(metadata.ColumnCount) * quint64(metadata.RowCount) * 4;
    if (quint64(file.size()) != size)
        return QStringLiteral("размер файла %1 байт, а метаданные (%2 × %3 значений по 4 байта) задают %4 байт")
            .arg(file.size())
            .arg(metadata.ColumnCount)
            .arg(metadata.RowCount)
            .arg(size);
    if (!grid.openRaw(QFileInfo(file).absoluteFilePath().toStdString(), unsigned(metadata.ColumnCount),
                      unsigned(metadata.RowCount), metadata.CellWidth, metadata.CellHeight,
                      metadata.MinColumnCoord, metadata.MinRowCoord))
        return QStringLiteral("файл не открывается");
    return QString();
}

// The system of one "coordsys" element, built without a geoid registry; the
// height scale turns the system's height unit into base units, and a geodetic system's
// angle unit gives the turn of its longitudes. What is wrong with it, empty when it builds.
QString buildGridSystem(const QDomElement& element, const CGridCoordSysReader& reader,
                        vexa::CGeoidGridParams& geoid)
{
    CCoordSysInfo info;
    if (!reader || !reader(element, info))
        return QStringLiteral("система координат не читается");
    geoid.gridSystem = std::make_shared<vexa::CCoordSysParams>();
    if (info.height_unit && info.toCoordSysParams(*geoid.gridSystem, nullptr)) {
        geoid.heightScale = info.height_unit->factor;
        geoid.longitudeTurn = info.type == vexa::CoordSysGeodetic && info.angle_unit
                                  ? info.angle_unit->fromBase(2.0 * vexa::kPi)
                                  : 0.0;
        return QString();
    }
    geoid.gridSystem.reset();
    geoid.heightScale = 0.0;
    return info.height_unit ? unusableSystem : QStringLiteral("не задана единица высот (элемент HeightUnit)");
}

// What is wrong with the file, empty when its last "coordsys" element builds.
QString loadGridSystem(const QString& path, const CGridCoordSysReader& reader,
                       vexa::CGeoidGridParams& geoid)
{
    QDomDocument document;
    QString fault;
    if (!readXmlFile(path, document, &fault))
        return fault;
    fault = QStringLiteral("нет элемента coordsys");
    for (QDomElement element = document.firstChildElement(QStringLiteral("coordsys"));
         !element.isNull(); element = element.nextSiblingElement(QStringLiteral("coordsys")))
        fault = buildGridSystem(element, reader, geoid);
    return fault;
}

// What is wrong with the grid file, empty when its grid is loaded.
QString loadGrid(const QString& path, const vexa::CGridMetadata& metadata,
                 vexa::C2DGrid<double>& grid)
{
    grid.clear();
    QString fault = QStringLiteral("метаданные не задают сетку");
    if (metadata.Format == "grd")
        fault = readTextGrid(path, grid);
    else if (metadata.Format == "raw" && metadata.isValid())
        fault = openRawGrid(path, metadata, grid);
    if (!fault.isEmpty())
        grid.clear();
    return fault;
}

} // namespace

QString geoidHeightFault(const vexa::CGeoidGridParams& geoid)
{
    const vexa::C2DGrid<double>& grid = geoid.grid;
    const double scale = geoid.heightScale;
    unsigned i = 0;
    unsigned j = 0;
    double value = 0.0;
    try {
        if (!grid.findRefused([scale](const double& node) { return vexa::isGeoidHeight(node, scale); }, &i, &j,
                              &value))
            return QString();
    } catch (const std::exception&) {
        return QStringLiteral("файл не читается");
    }
    QString fault = QStringLiteral("значение %1 в узле сетки (строка %2, столбец %3 файла; широта %4, долгота %5) "
                                   "не является высотой геоида: высота должна быть конечным числом в пределах ±%6 м")
                        .arg(QString::number(value, 'g', 9))
                        .arg(grid.getRowCount() - j)
                        .arg(i + 1)
                        .arg(gridNumber(grid.getMin2() + j * grid.getStep2()),
                             gridNumber(grid.getMin1() + i * grid.getStep1()), gridNumber(vexa::kMaxGeoidHeight));
    if (grid.isFileBacked())
        fault += QStringLiteral("; значения сетки «raw» должны быть 4-байтовыми числами с плавающей точкой, младший "
                                "байт первым (little-endian)");
    return fault;
}

bool readGridMetadata(vexa::CGridMetadata& metadata, const std::string& path, QString* reason)
{
    metadata.clear();
    QDomDocument document;
    QString fault;
    if (readXmlFile(QString::fromStdString(path), document, &fault)) {
        for (QDomElement root = document.firstChildElement(QStringLiteral("Metadata"));
             !root.isNull(); root = root.nextSiblingElement(QStringLiteral("Metadata"))) {
            for (QDomElement grid = root.firstChildElement(QStringLiteral("Grid")); !grid.isNull();
                 grid = grid.nextSiblingElement(QStringLiteral("Grid"))) {
                for (QDomElement field = grid.firstChildElement(); !field.isNull();
                     field = field.nextSiblingElement())
                    readField(field, metadata);
            }
        }
        fault = metadataFault(metadata);
    }
    if (reason)
        *reason = fault;
    return metadata.isValid();
}

const CGeoidList::CLoadedGeoid& CGeoidList::loadGeoid(const std::string& id)
{
    CLoadedGeoid& loaded = cache[id];
    loaded.geoid = std::make_shared<vexa::CGeoidGridParams>();
    const auto found = entries.find(id);
    if (found == entries.end()) {
        loaded.fault = {std::string(), QStringLiteral("геоида нет в реестре")};
        return loaded;
    }
    const CGeoidEntry& entry = found->second;
    vexa::CGridMetadata metadata;
    QString metadataFault;
    readGridMetadata(metadata, filePath(entry.GridMetadataFileName), &metadataFault);
    const QString coordSysFault = loadGridSystem(QString::fromStdString(filePath(entry.GridCoordSysFileName)),
                                                 gridCoordSysReader, *loaded.geoid);
    QString gridFault = loadGrid(QString::fromStdString(filePath(entry.GridDataFileName)), metadata,
                                 loaded.geoid->grid);
    // A raster grid stays on disk and is read on demand; its values are checked where they are taken.
    if (gridFault.isEmpty() && loaded.geoid->isValid() && !loaded.geoid->grid.isFileBacked()) {
        gridFault = geoidHeightFault(*loaded.geoid);
        if (!gridFault.isEmpty())
            loaded.geoid->grid.clear();
    }
    loaded.geoid->columnPeriod = metadata.ColumnCoordPeriod > 0.0 ? metadata.ColumnCoordPeriod : 0.0;
    loaded.fault = !metadataFault.isEmpty() ? CGeoidFault{entry.GridMetadataFileName, metadataFault}
                   : !coordSysFault.isEmpty() ? CGeoidFault{entry.GridCoordSysFileName, coordSysFault}
                   : !gridFault.isEmpty()     ? CGeoidFault{entry.GridDataFileName, gridFault}
                   : !loaded.geoid->isValid() ? CGeoidFault{entry.GridCoordSysFileName, unusableSystem}
                                              : CGeoidFault();
    return loaded;
}
