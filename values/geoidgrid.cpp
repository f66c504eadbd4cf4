#include "values/geoidgrid.h"

#include "geodesy/coordsysparams.h"
#include "geodesy/geoid.h"
#include "values/coordsysinfo.h"
#include "values/geoidlist.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>

#include <cfloat>
#include <cmath>

namespace {

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

bool readDocument(const QString& path, QDomDocument& document)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && document.setContent(&file);
}

// A text grid, read whole as UTF-8.
bool readTextGrid(const QString& path, vexa::C2DGrid<double>& grid)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return grid.readText(QString::fromUtf8(file.readAll()).toStdString());
}

// A raster of 4-byte values whose size is exactly what the metadata describes;
// it stays open and is read on demand.
bool openRawGrid(const QString& path, const vexa::CGridMetadata& metadata,
                 vexa::C2DGrid<double>& grid)
{
    if (!metadata.isValid())
        return false;
    const quint64 size = quint64(metadata.ColumnCount) * quint64(metadata.RowCount) * 4;
    if (quint64(QFileInfo(path).size()) != size)
        return false;
    return grid.openRaw(QFileInfo(path).absoluteFilePath().toStdString(),
                        unsigned(metadata.ColumnCount), unsigned(metadata.RowCount),
                        metadata.CellWidth, metadata.CellHeight, metadata.MinColumnCoord,
                        metadata.MinRowCoord);
}

// The system of one "coordsys" element, built without a geoid registry; the
// height scale turns the system's height unit into base units, and a geodetic system's
// angle unit gives the turn of its longitudes.
void buildGridSystem(const QDomElement& element, const CGridCoordSysReader& reader,
                     vexa::CGeoidGridParams& geoid)
{
    CCoordSysInfo info;
    if (!reader || !reader(element, info))
        return;
    geoid.gridSystem = std::make_shared<vexa::CCoordSysParams>();
    if (info.height_unit && info.toCoordSysParams(*geoid.gridSystem, nullptr)) {
        geoid.heightScale = info.height_unit->factor;
        geoid.longitudeTurn = info.type == vexa::CoordSysGeodetic && info.angle_unit
                                  ? info.angle_unit->fromBase(2.0 * vexa::kPi)
                                  : 0.0;
        return;
    }
    geoid.gridSystem.reset();
    geoid.heightScale = 0.0;
}

void loadGridSystem(const QString& path, const CGridCoordSysReader& reader,
                    vexa::CGeoidGridParams& geoid)
{
    QDomDocument document;
    if (!readDocument(path, document))
        return;
    for (QDomElement element = document.firstChildElement(QStringLiteral("coordsys"));
         !element.isNull(); element = element.nextSiblingElement(QStringLiteral("coordsys")))
        buildGridSystem(element, reader, geoid);
}

void loadGrid(const QString& path, const vexa::CGridMetadata& metadata,
              vexa::C2DGrid<double>& grid)
{
    grid.clear();
    const bool loaded = metadata.Format == "grd"   ? readTextGrid(path, grid)
                        : metadata.Format == "raw" ? openRawGrid(path, metadata, grid)
                                                   : false;
    if (!loaded)
        grid.clear();
}

} // namespace

bool readGridMetadata(vexa::CGridMetadata& metadata, const std::string& path)
{
    metadata.clear();
    QDomDocument document;
    if (readDocument(QString::fromStdString(path), document)) {
        for (QDomElement root = document.firstChildElement(QStringLiteral("Metadata"));
             !root.isNull(); root = root.nextSiblingElement(QStringLiteral("Metadata"))) {
            for (QDomElement grid = root.firstChildElement(QStringLiteral("Grid")); !grid.isNull();
                 grid = grid.nextSiblingElement(QStringLiteral("Grid"))) {
                for (QDomElement field = grid.firstChildElement(); !field.isNull();
                     field = field.nextSiblingElement())
                    readField(field, metadata);
            }
        }
    }
    return metadata.isValid();
}

std::shared_ptr<vexa::CGeoidGridParams> CGeoidList::loadGeoid(const std::string& id)
{
    auto geoid = std::make_shared<vexa::CGeoidGridParams>();
    const auto found = entries.find(id);
    if (found != entries.end()) {
        const CGeoidEntry& entry = found->second;
        vexa::CGridMetadata metadata;
        readGridMetadata(metadata, filePath(entry.GridMetadataFileName));
        loadGridSystem(QString::fromStdString(filePath(entry.GridCoordSysFileName)),
                       gridCoordSysReader, *geoid);
        loadGrid(QString::fromStdString(filePath(entry.GridDataFileName)), metadata, geoid->grid);
        geoid->columnPeriod = metadata.ColumnCoordPeriod > 0.0 ? metadata.ColumnCoordPeriod : 0.0;
    }
    cache[id] = geoid;
    return geoid;
}
