#include "records/datumdetails.h"
#include "records/datumshiftdetails.h"
#include "records/ellipsoiddetails.h"
#include "records/mapprojdetails.h"
#include "records/primemeridiandetails.h"
#include "records/unitdetails.h"
#include "records/wkt/createfromwkt.h"
#include "records/wkt/wktitems.h"

namespace {

int epsgOf(const std::shared_ptr<CWktItemAUTHORITY>& authority)
{
    return authority ? authority->epsgCode() : 0;
}

// Plane axis orientation from a direction: the description, whether it is the
// north-south axis, and its sign.
struct AxisDirection
{
    QString description;
    bool northSouth;
    int sign;
};

bool axisDirection(int direction, AxisDirection& axis)
{
    switch (direction) {
    case WktAxisNorth:
        axis = {QStringLiteral("North"), true, 1};
        return true;
    case WktAxisEast:
        axis = {QStringLiteral("East"), false, 1};
        return true;
    case WktAxisSouth:
        axis = {QStringLiteral("South"), true, -1};
        return true;
    case WktAxisWest:
        axis = {QStringLiteral("West"), false, -1};
        return true;
    default:
        return false;
    }
}

} // namespace

bool CUnitDetails::fromWkt(const CWktItemUNIT* node, int unitScope)
{
    clear();
    if (!node || !node->isValid() || unitScope < 1 || unitScope > 3)
        return isValid();
    scope = unitScope;
    name = node->name;
    factorB = node->factorText;
    factorC = QStringLiteral("1");
    epsgCode = epsgOf(node->authority);
    // An angular unit whose EPSG code is that of an angle format (degree minute second) shows
    // its values in that format.
    if (scope == 2)
        angleFormat = CAngleFormatDetails::createForEpsgUnit(epsgCode);
    return isValid();
}

std::shared_ptr<CUnitDetails> CUnitDetails::createFromWkt(const CWktItemUNIT* node, int unitScope)
{
    return createRecordFromWkt<CUnitDetails>(node, unitScope);
}

bool CEllipsoidDetails::fromWkt(const CWktItemSPHEROID* node)
{
    clear();
    if (!node || !node->isValid())
        return isValid();
    name = node->name;
    majorSemiAxis = node->semiMajorAxisText;
    useInverseFlattening = node->inverseFlattening() > 0.0;
    sphere = !useInverseFlattening;
    if (useInverseFlattening)
        inverseFlattening = node->inverseFlatteningText;
    unit = CUnitDetails::createFromWkt(node->unitOrMetre().get(), 1);
    epsgCode = epsgOf(node->authority);
    return isValid();
}

std::shared_ptr<CEllipsoidDetails> CEllipsoidDetails::createFromWkt(const CWktItemSPHEROID* node)
{
    return createRecordFromWkt<CEllipsoidDetails>(node);
}

bool CPrimeMeridianDetails::fromWkt(const CWktItemPRIMEM* node)
{
    clear();
    if (!node || !node->isValid())
        return isValid();
    name = node->name;
    longitude = node->longitudeText;
    unit = CUnitDetails::createFromWkt(node->unitOrDegree().get(), 2);
    epsgCode = epsgOf(node->authority);
    return isValid();
}

std::shared_ptr<CPrimeMeridianDetails> CPrimeMeridianDetails::createFromWkt(const CWktItemPRIMEM* node)
{
    return createRecordFromWkt<CPrimeMeridianDetails>(node);
}

bool CDatumShiftDetails::fromWkt(const CWktItemTOWGS84* node, const QString& datumName)
{
    clear();
    if (!node || !node->isValid())
        return isValid();
    name = datumName + QStringLiteral(" to WGS84");
    type = 4;
    datumShiftType.setCode(4);
    translationX = node->dxText;
    translationY = node->dyText;
    translationZ = node->dzText;
    rotationX = node->exText;
    rotationY = node->eyText;
    rotationZ = node->ezText;
    scaleChange = node->ppmText;
    lengthUnit = CUnitDetails::createFromWkt(CWktItemUNIT::makeMetre().get(), 1);
    angleUnit = CUnitDetails::createFromWkt(CWktItemUNIT::makeArcSecond().get(), 2);
    scaleUnit = CUnitDetails::createFromWkt(CWktItemUNIT::makePpm().get(), 3);
    return isValid();
}

std::shared_ptr<CDatumShiftDetails> CDatumShiftDetails::createFromWkt(const CWktItemTOWGS84* node,
                                                                      const QString& datumName)
{
    return createRecordFromWkt<CDatumShiftDetails>(node, datumName);
}

bool CDatumDetails::fromWkt(const CWktItemDATUM* node)
{
    clear();
    if (!node || !node->isValid())
        return isValid();
    name = node->name;
    if (node->spheroid)
        ellipsoid = CEllipsoidDetails::createFromWkt(node->spheroid.get());
    if (node->towgs84)
        datumShift = CDatumShiftDetails::createFromWkt(node->towgs84.get(), name);
    epsgCode = epsgOf(node->authority);
    return isValid();
}

std::shared_ptr<CDatumDetails> CDatumDetails::createFromWkt(const CWktItemDATUM* node)
{
    return createRecordFromWkt<CDatumDetails>(node);
}

bool CMapProjDetails::fromWkt(const CWktItemPROJCS* node)
{
    clear();
    QMap<int, QString> values;
    if (!node || !node->isValid() || !node->parameters(&values))
        return isValid();
    name = node->name;
    const std::pair<int, int> codes[] = {{WktParameterCentralMeridian, 103},
                                         {WktParameterLatitudeOfOrigin, 11},
                                         {WktParameterScaleFactor, 104},
                                         {WktParameterFalseEasting, 5},
                                         {WktParameterFalseNorthing, 6}};
    mapProjType.setCode(1);
    for (const auto& code : codes) {
        paramValues.insert(code.second, values.value(code.first));
        CMapProjParamDetails param;
        param.setCode(code.second);
        params.insert(code.second, param);
    }
    // The false easting and northing are in the PROJCS's unit, the angles in
    // the GEOGCS's.
    lengthUnit = CUnitDetails::createFromWkt(node->unit.get(), 1);
    angleUnit = CUnitDetails::createFromWkt(node->geogcs->unit.get(), 2);
    scaleUnit = CUnitDetails::createFromWkt(CWktItemUNIT::makeUnity().get(), 3);

    AxisDirection first;
    AxisDirection second;
    const bool crossed = node->axes.size() >= 2 && axisDirection(node->axes[0]->direction, first)
        && axisDirection(node->axes[1]->direction, second)
        && first.northSouth != second.northSouth;
    if (crossed) {
        coord1Abbr = node->axes[0]->name;
        coord2Abbr = node->axes[1]->name;
        coord1Desc = first.description;
        coord2Desc = second.description;
        swapCoords = first.northSouth ? 1 : 0;
        coord1Sign = first.northSouth ? second.sign : first.sign;
        coord2Sign = first.northSouth ? first.sign : second.sign;
    } else {
        coord1Abbr = QStringLiteral("E");
        coord1Desc = QStringLiteral("East");
        coord2Abbr = QStringLiteral("N");
        coord2Desc = QStringLiteral("North");
        coord1Sign = 1;
        coord2Sign = 1;
        swapCoords = 0;
    }
    return isValid();
}

std::shared_ptr<CMapProjDetails> CMapProjDetails::createFromWkt(const CWktItemPROJCS* node)
{
    return createRecordFromWkt<CMapProjDetails>(node);
}
