#include "records/coordsysdetails.h"

#include "database/codetablestypes.h"
#include "database/names.h"
#include "database/xmlwriters.h"
#include "records/infoconversion.h"
#include "records/xmlreadcheck.h"
#include "values/coordsysinfo.h"
#include "values/valuecompare.h"

#include <QTreeWidgetItem>

namespace {

const QString blank4 = QStringLiteral("    ");

std::string utf8Text(const QString& text)
{
    return std::string(text.toUtf8().constData());
}

// "value symbol" with the unit's short name, "value (name)" without one, the
// value alone without a unit.
QString valueWithUnit(const QString& value, const std::shared_ptr<CUnitDetails>& unit,
                      const QString& afterSymbol)
{
    if (!unit)
        return value;
    if (!unit->shortName.isEmpty())
        return QStringLiteral("%1 %2").arg(value, unit->shortName) + afterSymbol;
    return QStringLiteral("%1 (%2)").arg(value, unit->name);
}

QString orientationName(bool swapCoords)
{
    return swapCoords ? QStringLiteral("левая") : QStringLiteral("правая");
}

QString longitudesName(bool positive)
{
    return positive ? QStringLiteral("положительные") : QStringLiteral("со знаком");
}

template <class Record>
void appendLink(QDomDocument& document, QDomElement& parent, const QString& tag,
                const std::shared_ptr<Record>& link)
{
    if (link && link->isValid())
        parent.appendChild(link->toXml(document, tag));
}

QString linkLine(const QString& label, const std::shared_ptr<CAbstractDetails>& link)
{
    return link ? QStringLiteral("%1: %2\n").arg(label, link->getName()) : QString();
}

} // namespace

template <class Record>
void CCoordSysDetails::addLinkItem(QTreeWidgetItem* parent, const QString& label,
                                   const std::shared_ptr<Record>& link)
{
    if (link)
        link->fillInfoTree(addInfoLine(parent, label, link->getName()));
}

CCoordSysDetails::CCoordSysDetails()
    : CAbstractDetails(QStringLiteral("coordsys"))
{
}

void CCoordSysDetails::clear()
{
    *this = CCoordSysDetails();
}

bool CCoordSysDetails::isValid() const
{
    if (type == 0 || name.isEmpty())
        return false;
    switch (coordSysType.code) {
    case 1:
    case 3:
    case 4:
    case 6:
        return true;
    case 5:
        return (datum || ellipsoid) && primeMeridian && mapProjection && lengthUnit && heightUnit;
    default:
        return false;
    }
}

bool CCoordSysDetails::operator==(const CCoordSysDetails& other) const
{
    return isValid() && other.isValid() && sameBaseName(name, other.name)
        && description == other.description && shortName == other.shortName
        && type == other.type && coordSysType == other.coordSysType
        && positiveLongitude == other.positiveLongitude && originCoord1 == other.originCoord1
        && originCoord2 == other.originCoord2 && originCoord3 == other.originCoord3
        && azimuth == other.azimuth && swapCoords == other.swapCoords
        && coord1Abbr == other.coord1Abbr && coord2Abbr == other.coord2Abbr
        && coord3Abbr == other.coord3Abbr && coord1Desc == other.coord1Desc
        && coord2Desc == other.coord2Desc && coord3Desc == other.coord3Desc
        && epsgCode == other.epsgCode && isSameLink(transformList, other.transformList)
        && isSameMap(pairwiseTransforms.toStdMap(), other.pairwiseTransforms.toStdMap())
        && isSameLink(datum, other.datum) && isSameLink(ellipsoid, other.ellipsoid)
        && isSameLink(primeMeridian, other.primeMeridian)
        && isSameLink(mapProjection, other.mapProjection)
        && isSameLink(originLengthUnit, other.originLengthUnit)
        && isSameLink(originAngleUnit, other.originAngleUnit)
        && isSameLink(azimuthUnit, other.azimuthUnit)
        && isSameLink(vertCoordSys, other.vertCoordSys)
        && isSameLink(lengthUnit, other.lengthUnit) && isSameLink(angleUnit, other.angleUnit)
        && isSameLink(heightUnit, other.heightUnit);
}

bool CCoordSysDetails::toInfo(CCoordSysInfo& info) const
{
    return fillOrClear(info, [&] { return fillInfo(info); });
}

bool CCoordSysDetails::fillInfo(CCoordSysInfo& info) const
{
    if (!isValid())
        return false;
    info.name = utf8Text(name);
    info.description = utf8Text(description);
    info.short_name = utf8Text(shortName);
    info.type = type;
    if (coordSysType.isValid())
        coordSysType.toInfo(info.type_info);
    if (!convertLink(datum, info.datum) || !convertLink(ellipsoid, info.ellipsoid)
        || !convertLink(primeMeridian, info.prime_meridian)
        || !convertLink(mapProjection, info.map_proj))
        return false;
    info.origin_coord1 = utf8Text(originCoord1);
    info.origin_coord2 = utf8Text(originCoord2);
    info.origin_coord3 = utf8Text(originCoord3);
    if (!convertLink(originLengthUnit, info.origin_length_unit)
        || !convertLink(originAngleUnit, info.origin_angle_unit))
        return false;
    info.azimuth = utf8Text(azimuth);
    if (!convertLink(azimuthUnit, info.azimuth_unit))
        return false;
    info.coord1_abbr = utf8Text(coord1Abbr);
    info.coord2_abbr = utf8Text(coord2Abbr);
    info.coord3_abbr = utf8Text(coord3Abbr);
    info.coord1_desc = utf8Text(coord1Desc);
    info.coord2_desc = utf8Text(coord2Desc);
    info.coord3_desc = utf8Text(coord3Desc);
    info.positive_longitude = positiveLongitude;
    info.swap_coords = swapCoords;
    info.epsg = epsgCode;
    if (!convertLink(lengthUnit, info.length_unit) || !convertLink(angleUnit, info.angle_unit)
        || !convertLink(heightUnit, info.height_unit)
        || !convertLink(vertCoordSys, info.vert_coordsys)
        || !convertLink(transformList, info.transform_list))
        return false;
    for (auto entry = pairwiseTransforms.cbegin(); entry != pairwiseTransforms.cend(); ++entry) {
        if (!convertLink(entry.value(), info.pairwise_transforms[utf8Text(entry.key())]))
            return false;
    }
    return true;
}

QDomElement CCoordSysDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendTextElement(document, element, QStringLiteral("ShortName"), shortName, true);
    appendNumberElementIfSet(document, element, QStringLiteral("Type"), type, 0);
    if (coordSysType.isValid())
        element.appendChild(coordSysType.toXml(document, QStringLiteral("CoordSysType")));
    appendLink(document, element, QStringLiteral("Datum"), datum);
    appendLink(document, element, QStringLiteral("Ellipsoid"), ellipsoid);
    appendLink(document, element, QStringLiteral("PrimeMeridian"), primeMeridian);
    appendLink(document, element, QStringLiteral("MapProjection"), mapProjection);
    appendBoolElement(document, element, QStringLiteral("PositiveLongitude"), positiveLongitude,
                      true);
    appendTextElement(document, element, QStringLiteral("OriginCoord1"), originCoord1, true);
    appendTextElement(document, element, QStringLiteral("OriginCoord2"), originCoord2, true);
    appendTextElement(document, element, QStringLiteral("OriginCoord3"), originCoord3, true);
    appendLink(document, element, QStringLiteral("OriginLengthUnit"), originLengthUnit);
    appendLink(document, element, QStringLiteral("OriginAngleUnit"), originAngleUnit);
    appendTextElement(document, element, QStringLiteral("Azimuth"), azimuth, true);
    appendLink(document, element, QStringLiteral("AzimuthUnit"), azimuthUnit);
    appendBoolElement(document, element, QStringLiteral("SwapCoords"), swapCoords, true);
    appendLink(document, element, QStringLiteral("VertCoordSys"), vertCoordSys);
    appendLink(document, element, QStringLiteral("TransformList"), transformList);
    if (!pairwiseTransforms.isEmpty()) {
        QDomElement pairwise = document.createElement(QStringLiteral("PairwiseTransforms"));
        for (const auto& list : pairwiseTransforms) {
            QDomElement child = list->toXml(document, QStringLiteral("TransformList"));
            child.setAttribute(QStringLiteral("identifier"), list->identifier);
            pairwise.appendChild(child);
        }
        element.appendChild(pairwise);
    }
    appendLink(document, element, QStringLiteral("LengthUnit"), lengthUnit);
    appendLink(document, element, QStringLiteral("AngleUnit"), angleUnit);
    appendLink(document, element, QStringLiteral("HeightUnit"), heightUnit);
    appendTextElement(document, element, QStringLiteral("Coord1Abbreviation"), coord1Abbr, true);
    appendTextElement(document, element, QStringLiteral("Coord2Abbreviation"), coord2Abbr, true);
    appendTextElement(document, element, QStringLiteral("Coord3Abbreviation"), coord3Abbr, true);
    appendTextElement(document, element, QStringLiteral("Coord1Description"), coord1Desc, true);
    appendTextElement(document, element, QStringLiteral("Coord2Description"), coord2Desc, true);
    appendTextElement(document, element, QStringLiteral("Coord3Description"), coord3Desc, true);
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    return element;
}

bool CCoordSysDetails::fromXml(const QDomNode& node)
{
    clear();
    const auto readType = [this](const QDomElement& element) {
        CCoordSysTypeDetails read;
        if (CXmlFields::readRecord(read, element))
            coordSysType = read;
    };
    const auto readPairwise = [this](const QDomElement& element) {
        const QString tag = QStringLiteral("TransformList");
        CRepeatedIdentifiers repeated(element);
        for (QDomElement child = element.firstChildElement(tag); !child.isNull();
             child = child.nextSiblingElement(tag)) {
            auto list = std::make_shared<CTransformListDetails>();
            if (!CXmlFields::readRecord(*list, child))
                continue;
            repeated.add(list->identifier, list->name);
            pairwiseTransforms.insert(list->identifier, list);
        }
    };
    CXmlFields()
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("ShortName"), shortName)
        .number(QStringLiteral("Type"), type)
        .element(QStringLiteral("CoordSysType"), readType)
        .link(QStringLiteral("Datum"), datum)
        .link(QStringLiteral("Ellipsoid"), ellipsoid)
        .link(QStringLiteral("PrimeMeridian"), primeMeridian)
        .link(QStringLiteral("MapProjection"), mapProjection)
        .flag(QStringLiteral("PositiveLongitude"), positiveLongitude)
        .text(QStringLiteral("OriginCoord1"), originCoord1)
        .text(QStringLiteral("OriginCoord2"), originCoord2)
        .text(QStringLiteral("OriginCoord3"), originCoord3)
        .link(QStringLiteral("OriginLengthUnit"), originLengthUnit)
        .link(QStringLiteral("OriginAngleUnit"), originAngleUnit)
        .text(QStringLiteral("Azimuth"), azimuth)
        .link(QStringLiteral("AzimuthUnit"), azimuthUnit)
        .flag(QStringLiteral("SwapCoords"), swapCoords)
        .link(QStringLiteral("VertCoordSys"), vertCoordSys)
        .link(QStringLiteral("TransformList"), transformList)
        .element(QStringLiteral("PairwiseTransforms"), readPairwise)
        .link(QStringLiteral("LengthUnit"), lengthUnit)
        .link(QStringLiteral("AngleUnit"), angleUnit)
        .link(QStringLiteral("HeightUnit"), heightUnit)
        .text(QStringLiteral("Coord1Abbreviation"), coord1Abbr)
        .text(QStringLiteral("Coord2Abbreviation"), coord2Abbr)
        .text(QStringLiteral("Coord3Abbreviation"), coord3Abbr)
        .text(QStringLiteral("Coord1Description"), coord1Desc)
        .text(QStringLiteral("Coord2Description"), coord2Desc)
        .text(QStringLiteral("Coord3Description"), coord3Desc)
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .read(node);
    return isValid();
}

QVector<CNumberText> CCoordSysDetails::numberTexts() const
{
    if (type != CoordSysTopocentric)
        return {};
    return {{QStringLiteral("OriginCoord1"), originCoord1, originAngleUnit},
            {QStringLiteral("OriginCoord2"), originCoord2, originAngleUnit},
            {QStringLiteral("OriginCoord3"), originCoord3, originLengthUnit},
            {QStringLiteral("Azimuth"), azimuth, azimuthUnit}};
}

QString CCoordSysDetails::invalidReason(const QDomNode& node, const QString& fault) const
{
    // As CXmlFields reads them: the last element of the tag wins.
    const QDomElement typeElement = node.lastChildElement(QStringLiteral("Type"));
    bool typeRead = false;
    typeElement.text().toInt(&typeRead, 10);
    if (name.isEmpty())
        return QStringLiteral("Пустое название системы координат (элемент Name)");
    if (typeElement.text().trimmed().isEmpty())
        return QStringLiteral("Не задан тип системы координат (элемент Type)");
    if (!typeRead)
        return QStringLiteral("Тип системы координат «%1» не является целым числом (элемент Type)")
            .arg(typeElement.text());
    return CAbstractDetails::invalidReason(node, fault);
}

void CCoordSysDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description, shortName);
    if (coordSysType.isValid())
        coordSysType.fillInfoTree(
            addInfoLine(parent, QStringLiteral("Тип системы координат"), coordSysType.name));
    addLinkItem(parent, QStringLiteral("Датум"), datum);
    addLinkItem(parent, QStringLiteral("Эллипсоид"), ellipsoid);
    addLinkItem(parent, QStringLiteral("Начальный меридиан"), primeMeridian);
    addLinkItem(parent, QStringLiteral("Картографическая проекция"), mapProjection);
    addTypeItems(parent);
    addLinkItem(parent, QStringLiteral("Система высот"), vertCoordSys);
    if (transformList && !transformList->transforms.isEmpty())
        transformList->fillInfoTree(addInfoItem(parent, QStringLiteral("Преобразования")));
    if (!pairwiseTransforms.isEmpty()) {
        QTreeWidgetItem* heading = addInfoItem(parent, QStringLiteral("Попарные преобразования"));
        for (auto entry = pairwiseTransforms.cbegin(); entry != pairwiseTransforms.cend(); ++entry)
            entry.value()->fillInfoTree(addInfoItem(
                heading,
                QStringLiteral("%1: идентификатор %2").arg(entry.value()->name, entry.key())));
    }
    QTreeWidgetItem* axes = addInfoItem(parent, QStringLiteral("Оси координат"));
    const QString labels[] = {QStringLiteral("Первая координата"),
                              QStringLiteral("Вторая координата"),
                              QStringLiteral("Третья координата")};
    const QString abbrs[] = {coord1Abbr, coord2Abbr, coord3Abbr};
    const QString descs[] = {coord1Desc, coord2Desc, coord3Desc};
    for (int i = 0; i < 3; ++i) {
        QTreeWidgetItem* axis = addInfoLine(axes, labels[i], abbrs[i]);
        if (!abbrs[i].isEmpty())
            addInfoLine(axis, QStringLiteral("Обозначение"), abbrs[i]);
        if (!descs[i].isEmpty())
            addInfoLine(axis, QStringLiteral("Описание"), descs[i]);
    }
    addExportItems(parent, epsgCode, NoValue);
}

void CCoordSysDetails::addTypeItems(QTreeWidgetItem* parent) const
{
    switch (coordSysType.code) {
    case 1:
    case 3:
        addLinkItem(parent, QStringLiteral("Единица измерения координат"), lengthUnit);
        break;
    case 4:
        addInfoLine(parent, QStringLiteral("Долготы"), longitudesName(positiveLongitude));
        addLinkItem(parent, QStringLiteral("Единица измерения широты и долготы"), angleUnit);
        addLinkItem(parent, QStringLiteral("Единица измерения высоты"), heightUnit);
        break;
    case 5:
        addLinkItem(parent, QStringLiteral("Единица измерения плановых координат"), lengthUnit);
        addLinkItem(parent, QStringLiteral("Единица измерения высоты"), heightUnit);
        break;
    case 6:
        addTopocentricItems(parent);
        break;
    default:
        break;
    }
}

void CCoordSysDetails::addTopocentricItems(QTreeWidgetItem* parent) const
{
    const QString blank = QStringLiteral(" ");
    QTreeWidgetItem* origin = addInfoItem(parent, QStringLiteral("Координаты начала отсчета"));
    addInfoLine(origin, QStringLiteral("Широта"), valueWithUnit(originCoord1, originAngleUnit, blank));
    addInfoLine(origin, QStringLiteral("Долгота"), valueWithUnit(originCoord2, originAngleUnit, blank));
    addInfoLine(origin, QStringLiteral("Высота"), valueWithUnit(originCoord3, originLengthUnit, blank));
    addLinkItem(origin, QStringLiteral("Единица измерения широты и долготы"), originAngleUnit);
    addLinkItem(origin, QStringLiteral("Единица измерения высоты"), originLengthUnit);
    QTreeWidgetItem* azimuthItem =
        addInfoLine(parent, QStringLiteral("Азимут"), valueWithUnit(azimuth, azimuthUnit, blank));
    addLinkItem(azimuthItem, QStringLiteral("Единица измерения азимута"), azimuthUnit);
    addInfoLine(parent, QStringLiteral("Ориентация осей координат"), orientationName(swapCoords));
    addLinkItem(parent, QStringLiteral("Единица измерения координат"), lengthUnit);
}

QString CCoordSysDetails::infoText() const
{
    QString text = nameInfoText(name, description, shortName);
    text += infoLine(QStringLiteral("Тип"), coordSysType.name);
    text += linkLine(QStringLiteral("Датум"), datum);
    text += linkLine(QStringLiteral("Эллипсоид"), ellipsoid);
    text += linkLine(QStringLiteral("Начальный меридиан"), primeMeridian);
    text += linkLine(QStringLiteral("Картографическая проекция"), mapProjection);
    text += typeText();
    const QString labels[] = {QStringLiteral("Первая координата"),
                              QStringLiteral("Вторая координата"),
                              QStringLiteral("Третья координата")};
    const QString abbrs[] = {coord1Abbr, coord2Abbr, coord3Abbr};
    const QString descs[] = {coord1Desc, coord2Desc, coord3Desc};
    for (int i = 0; i < 3; ++i) {
        const QString value =
            descs[i].isEmpty() ? abbrs[i] : QStringLiteral("%1 (%2)").arg(abbrs[i], descs[i]);
        text += infoLine(labels[i], value);
    }
    if (epsgCode != 0)
        text += infoLine(QStringLiteral("Код EPSG (GeoTIFF)"), epsgCode);
    return text;
}

QString CCoordSysDetails::typeText() const
{
    switch (coordSysType.code) {
    case 1:
    case 3:
        return linkLine(QStringLiteral("Единица измерения координат"), lengthUnit);
    case 4:
        return infoLine(QStringLiteral("Долготы"), longitudesName(positiveLongitude))
            + linkLine(QStringLiteral("Единица измерения широты и долготы"), angleUnit)
            + linkLine(QStringLiteral("Единица измерения высоты"), heightUnit);
    case 5:
        return linkLine(QStringLiteral("Единица измерения плановых координат"), lengthUnit)
            + linkLine(QStringLiteral("Единица измерения высоты"), heightUnit);
    case 6:
        return topocentricText();
    default:
        return QString();
    }
}

QString CCoordSysDetails::topocentricText() const
{
    return infoLine(QStringLiteral("Координаты начала отсчета"), QString())
        + blank4 + infoLine(QStringLiteral("Широта"), valueWithUnit(originCoord1, originAngleUnit, QString()))
        + blank4 + infoLine(QStringLiteral("Долгота"), valueWithUnit(originCoord2, originAngleUnit, QString()))
        + blank4 + infoLine(QStringLiteral("Высота"), valueWithUnit(originCoord3, originLengthUnit, QString()))
        + infoLine(QStringLiteral("Азимут"), valueWithUnit(azimuth, azimuthUnit, QString()))
        + infoLine(QStringLiteral("Ориентация осей координат"), orientationName(swapCoords))
        + linkLine(QStringLiteral("Единица измерения координат"), lengthUnit);
}
