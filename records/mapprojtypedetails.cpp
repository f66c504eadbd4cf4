#include "records/mapprojtypedetails.h"

#include "database/codetablesmapproj.h"
#include "database/xmlwriters.h"
#include "values/mapprojinfo.h"

#include <QTreeWidgetItem>

#include <vector>

CMapProjTypeDetails::CMapProjTypeDetails()
    : CAbstractDetails(QStringLiteral("mapprojtype"))
{
}

void CMapProjTypeDetails::clear()
{
    code = 0;
    name.clear();
    description.clear();
    shortName.clear();
    coord1Abbr.clear();
    coord2Abbr.clear();
    coord1Desc.clear();
    coord2Desc.clear();
    coord1Sign = 0;
    coord2Sign = 0;
    swapCoords = 0;
    epsgCode = 0;
    mapinfoCode = NoValue;
}

bool CMapProjTypeDetails::isValid() const
{
    return code != 0 && !name.isEmpty();
}

bool CMapProjTypeDetails::toInfo(CMapProjTypeInfo& info) const
{
    info.clear();
    if (!isValid())
        return false;
    info.code = code;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.short_name = shortName.toStdString();
    info.coord1_abbr = coord1Abbr.toStdString();
    info.coord2_abbr = coord2Abbr.toStdString();
    info.coord1_desc = coord1Desc.toStdString();
    info.coord2_desc = coord2Desc.toStdString();
    info.coord1_sign = coord1Sign;
    info.coord2_sign = coord2Sign;
    info.swap_coords = swapCoords;
    info.epsg = epsgCode;
    info.mapinfo = mapinfoCode;
    return true;
}

bool CMapProjTypeDetails::setCode(int newCode)
{
    clear();
    if (newCode == 0)
        return false;
    code = checkMapProjTypeCode(newCode);
    name = QString::fromStdString(mapProjTypeName(newCode));
    description = QString::fromStdString(mapProjTypeDescription(newCode));
    shortName = QString::fromStdString(mapProjTypeShortName(newCode));
    MapProjTypeAxes axes;
    mapProjTypeAxes(newCode, axes);
    coord1Abbr = QString::fromStdString(axes.coord1Abbr);
    coord2Abbr = QString::fromStdString(axes.coord2Abbr);
    coord1Desc = QString::fromStdString(axes.coord1Desc);
    coord2Desc = QString::fromStdString(axes.coord2Desc);
    coord1Sign = axes.coord1Sign;
    coord2Sign = axes.coord2Sign;
    swapCoords = axes.swapCoords;
    epsgCode = mapProjTypeEpsgCode(newCode);
    mapinfoCode = mapProjTypeMapInfoCode(newCode);
    return code != 0;
}

QDomElement CMapProjTypeDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendNumberElementIfSet(document, element, QStringLiteral("Code"), code, 0);
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendTextElement(document, element, QStringLiteral("ShortName"), shortName, true);
    appendTextElement(document, element, QStringLiteral("Coord1Abbr"), coord1Abbr, true);
    appendTextElement(document, element, QStringLiteral("Coord2Abbr"), coord2Abbr, true);
    appendTextElement(document, element, QStringLiteral("Coord1Desc"), coord1Desc, true);
    appendTextElement(document, element, QStringLiteral("Coord2Desc"), coord2Desc, true);
    appendNumberElement(document, element, QStringLiteral("Coord1Sign"), coord1Sign);
    appendNumberElement(document, element, QStringLiteral("Coord2Sign"), coord2Sign);
    appendNumberElement(document, element, QStringLiteral("SwapCoords"), swapCoords);
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    appendNumberElementIfSet(document, element, QStringLiteral("MapinfoCode"), mapinfoCode, NoValue);
    return element;
}

bool CMapProjTypeDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .number(QStringLiteral("Code"), code, checkMapProjTypeCode)
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("ShortName"), shortName)
        .text(QStringLiteral("Coord1Abbr"), coord1Abbr)
        .text(QStringLiteral("Coord2Abbr"), coord2Abbr)
        .text(QStringLiteral("Coord1Desc"), coord1Desc)
        .text(QStringLiteral("Coord2Desc"), coord2Desc)
        .number(QStringLiteral("Coord1Sign"), coord1Sign)
        .number(QStringLiteral("Coord2Sign"), coord2Sign)
        .number(QStringLiteral("SwapCoords"), swapCoords)
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .number(QStringLiteral("MapinfoCode"), mapinfoCode)
        .read(node);
    return isValid();
}

QList<CMapProjTypeDetails::InfoLine> CMapProjTypeDetails::parameterLines() const
{
    QList<InfoLine> lines;
    std::vector<int> codes;
    mapProjTypeParamCodes(code, codes);
    for (const int parameter : codes) {
        lines.append({QString::fromStdString(projParamName(parameter)),
                      QString::fromStdString(paramValueKindName(projParamValueKind(parameter)))});
    }
    return lines;
}

QList<CMapProjTypeDetails::InfoLine> CMapProjTypeDetails::axisLines() const
{
    const QList<InfoLine> all{{QStringLiteral("Обозначение первой координаты"), coord1Abbr},
                              {QStringLiteral("Обозначение второй координаты"), coord2Abbr},
                              {QStringLiteral("Описание первой координаты"), coord1Desc},
                              {QStringLiteral("Описание второй координаты"), coord2Desc}};
    QList<InfoLine> set;
    for (const InfoLine& line : all) {
        if (!line.value.isEmpty())
            set.append(line);
    }
    return set;
}

void CMapProjTypeDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description, shortName);
    if (mapProjTypeParamGroup(code) != 0) {
        QTreeWidgetItem* heading = addInfoItem(parent, QStringLiteral("Параметры"));
        for (const InfoLine& line : parameterLines())
            addInfoLine(heading, line.label, line.value);
    }
    QTreeWidgetItem* axes = addInfoItem(parent, QStringLiteral("Оси координат"));
    for (const InfoLine& line : axisLines())
        addInfoLine(axes, line.label, line.value);
    addExportItems(parent, epsgCode, mapinfoCode);
}

QString CMapProjTypeDetails::infoText() const
{
    QString text = nameInfoText(name, description, shortName);
    if (mapProjTypeParamGroup(code) != 0) {
        text += QStringLiteral("Параметры:\n");
        for (const InfoLine& line : parameterLines())
            text += infoLine(QStringLiteral("  ") + line.label, line.value);
    }
    for (const InfoLine& line : axisLines())
        text += infoLine(line.label, line.value);
    return text + exportInfoText(epsgCode, mapinfoCode);
}
