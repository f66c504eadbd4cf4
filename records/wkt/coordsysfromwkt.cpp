#include "records/coordsysdetails.h"
#include "records/wkt/createfromwkt.h"
#include "records/wkt/wktitems.h"
#include "records/wkt/wktparser.h"

namespace {

int epsgOf(const std::shared_ptr<CWktItemAUTHORITY>& authority)
{
    return authority ? authority->epsgCode() : 0;
}

} // namespace

bool CCoordSysDetails::fromWkt(const CWktItem* root)
{
    clear();
    if (root && root->isValid()) {
        if (const auto* projcs = dynamic_cast<const CWktItemPROJCS*>(root))
            fillProjected(*projcs);
        else if (const auto* geogcs = dynamic_cast<const CWktItemGEOGCS*>(root))
            fillGeodetic(*geogcs);
    }
    if (isValid())
        return true;
    clear();
    return false;
}

bool CCoordSysDetails::fromWktText(const QString& text, QString* error)
{
    clear();
    const CWktItemPtr root = parseWkt(text, error);
    if (!root)
        return false;
    if (!dynamic_cast<const CWktItemPROJCS*>(root.get()) && !dynamic_cast<const CWktItemGEOGCS*>(root.get())) {
        if (error)
            *error = QStringLiteral("Узел %1 не задаёт систему координат: нужен PROJCS или GEOGCS").arg(root->keyword);
        return false;
    }
    if (fromWkt(root.get()))
        return true;
    if (error)
        *error = QStringLiteral("Система координат «%1» неполна").arg(root->values.value(0));
    return false;
}

std::shared_ptr<CCoordSysDetails> CCoordSysDetails::createFromWkt(const CWktItem* root)
{
    return createRecordFromWkt<CCoordSysDetails>(root);
}

void CCoordSysDetails::fillDatumAndMeridian(const CWktItemGEOGCS& geogcs)
{
    if (geogcs.datum)
        datum = CDatumDetails::createFromWkt(geogcs.datum.get());
    if (geogcs.primem)
        primeMeridian = CPrimeMeridianDetails::createFromWkt(geogcs.primem.get());
}

void CCoordSysDetails::fillProjected(const CWktItemPROJCS& projcs)
{
    name = projcs.name;
    type = 5;
    coordSysType.setCode(5);
    fillDatumAndMeridian(*projcs.geogcs);
    if (projcs.projection)
        mapProjection = CMapProjDetails::createFromWkt(&projcs);
    if (projcs.unit)
        lengthUnit = CUnitDetails::createFromWkt(projcs.unit.get(), 1);
    if (mapProjection) {
        coord1Abbr = mapProjection->coord1Abbr;
        coord1Desc = mapProjection->coord1Desc;
        coord2Abbr = mapProjection->coord2Abbr;
        coord2Desc = mapProjection->coord2Desc;
        swapCoords = mapProjection->swapCoords != 0;
    }
    heightUnit = CUnitDetails::createFromWkt(CWktItemUNIT::makeMetre().get(), 1);
    coord3Abbr = QStringLiteral("H");
    coord3Desc = QStringLiteral("Height");
    epsgCode = epsgOf(projcs.authority);
}

void CCoordSysDetails::fillGeodetic(const CWktItemGEOGCS& geogcs)
{
    name = geogcs.name;
    type = 4;
    coordSysType.setCode(4);
    fillDatumAndMeridian(geogcs);
    if (geogcs.unit)
        angleUnit = CUnitDetails::createFromWkt(geogcs.unit.get(), 2);
    heightUnit = CUnitDetails::createFromWkt(CWktItemUNIT::makeMetre().get(), 1);
    epsgCode = epsgOf(geogcs.authority);
    coord1Abbr = QStringLiteral("Lat");
    coord1Desc = QStringLiteral("Latitude");
    coord2Abbr = QStringLiteral("Lon");
    coord2Desc = QStringLiteral("Longitude");
    coord3Abbr = QStringLiteral("H");
    coord3Desc = QStringLiteral("Height");
}
