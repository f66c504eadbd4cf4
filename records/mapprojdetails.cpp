#include "records/mapprojdetails.h"

#include "database/codetablesaxes.h"
#include "database/codetablesmapproj.h"
#include "database/names.h"
#include "database/xmlwriters.h"
#include "records/infoconversion.h"
#include "records/unitlabel.h"
#include "records/xmlreadcheck.h"
#include "values/mapprojinfo.h"

#include <QTreeWidgetItem>


namespace {

const QString paramTag = QStringLiteral("Param");

} // namespace

CMapProjDetails::CMapProjDetails()
    : CAbstractDetails(QStringLiteral("mapproj"))
{
}

void CMapProjDetails::clear()
{
    name.clear();
    description.clear();
    shortName.clear();
    lengthUnit.reset();
    angleUnit.reset();
    scaleUnit.reset();
    coord1Abbr.clear();
    coord2Abbr.clear();
    coord1Desc.clear();
    coord2Desc.clear();
    coord1Sign = 0;
    coord2Sign = 0;
    swapCoords = 0;
    epsgCode = 0;
    mapinfoCode = NoValue;
    mapProjType.clear();
    paramValues.clear();
    params.clear();
}

bool CMapProjDetails::isValid() const
{
    return mapProjType.code != 0 && !name.isEmpty() && coord1Sign != 0 && coord2Sign != 0;
}

bool CMapProjDetails::operator==(const CMapProjDetails& other) const
{
    return isValid() && other.isValid() && sameBaseName(name, other.name)
        && description == other.description && shortName == other.shortName
        && mapProjType.code == other.mapProjType.code && sameUnit(lengthUnit, other.lengthUnit)
        && sameUnit(angleUnit, other.angleUnit) && sameUnit(scaleUnit, other.scaleUnit)
        && coord1Abbr == other.coord1Abbr && coord2Abbr == other.coord2Abbr
        && coord1Sign == other.coord1Sign && coord2Sign == other.coord2Sign
        && swapCoords == other.swapCoords && epsgCode == other.epsgCode
        && mapinfoCode == other.mapinfoCode && paramValues == other.paramValues;
}

bool CMapProjDetails::toInfo(CMapProjInfo& info) const
{
    return fillOrClear(info, [&] { return fillInfo(info); });
}

bool CMapProjDetails::fillInfo(CMapProjInfo& info) const
{
    if (!isValid())
        return false;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.short_name = shortName.toStdString();
    info.type = mapProjType.code;
    info.coord1_abbr = coord1Abbr.toStdString();
    info.coord2_abbr = coord2Abbr.toStdString();
    info.coord1_desc = coord1Desc.toStdString();
    info.coord2_desc = coord2Desc.toStdString();
    info.coord1_sign = coord1Sign;
    info.coord2_sign = coord2Sign;
    info.swap_coords = swapCoords;
    info.epsg = epsgCode;
    info.mapinfo = mapinfoCode;
    if (!convertLink(lengthUnit, info.length_unit) || !convertLink(angleUnit, info.angle_unit)
        || !convertLink(scaleUnit, info.scale_unit))
        return false;
    for (auto entry = paramValues.cbegin(); entry != paramValues.cend(); ++entry)
        info.param_values[entry.key()] = entry.value().toStdString();
    for (auto entry = params.cbegin(); entry != params.cend(); ++entry) {
        CMapProjParamInfo param;
        if (!entry.value().toInfo(param))
            return false;
        info.params[entry.key()] = param;
    }
    return true;
}

void CMapProjDetails::appendType(QDomDocument& document, QDomElement& element) const
{
    if (mapProjType.code == 0)
        return;
    QDomElement type = mapProjType.toXml(document, QStringLiteral("MapProjType"));
    if (!mapProjType.isValid())
        appendNumberElement(document, type, QStringLiteral("Code"), mapProjType.code);
    element.appendChild(type);
}

QDomElement CMapProjDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendTextElement(document, element, QStringLiteral("ShortName"), shortName, true);
    appendType(document, element);
    if (lengthUnit)
        element.appendChild(lengthUnit->toXml(document, QStringLiteral("LengthUnit")));
    if (angleUnit)
        element.appendChild(angleUnit->toXml(document, QStringLiteral("AngleUnit")));
    if (scaleUnit)
        element.appendChild(scaleUnit->toXml(document, QStringLiteral("ScaleUnit")));
    appendTextElement(document, element, QStringLiteral("Coord1Abbreviation"), coord1Abbr, true);
    appendTextElement(document, element, QStringLiteral("Coord2Abbreviation"), coord2Abbr, true);
    appendTextElement(document, element, QStringLiteral("Coord1Description"), coord1Desc, true);
    appendTextElement(document, element, QStringLiteral("Coord2Description"), coord2Desc, true);
    appendNumberElement(document, element, QStringLiteral("Coord1Sign"), coord1Sign);
    appendNumberElement(document, element, QStringLiteral("Coord2Sign"), coord2Sign);
    appendNumberElement(document, element, QStringLiteral("SwapCoords"), swapCoords);
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    appendNumberElementIfSet(document, element, QStringLiteral("MapinfoCode"), mapinfoCode, NoValue);

    QDomElement values = document.createElement(QStringLiteral("ParamValues"));
    for (auto entry = paramValues.cbegin(); entry != paramValues.cend(); ++entry) {
        if (entry.value().isEmpty())
            continue;
        QDomElement value = document.createElement(paramTag);
        value.setAttribute(QStringLiteral("code"), QString::number(entry.key()));
        value.setAttribute(QStringLiteral("name"),
                           QString::fromStdString(projParamName(checkProjParamCode(entry.key()))));
        value.appendChild(document.createTextNode(entry.value()));
        values.appendChild(value);
    }
    if (values.hasChildNodes())
        element.appendChild(values);

    QDomElement definitions = document.createElement(QStringLiteral("ParamInfo"));
    for (const CMapProjParamDetails& param : params) {
        if (param.isValid())
            definitions.appendChild(param.toXml(document, paramTag));
    }
    if (definitions.hasChildNodes())
        element.appendChild(definitions);
    return element;
}

void CMapProjDetails::readParamValues(const QDomElement& element, QVector<int>& repeated)
{
    for (QDomElement child = element.firstChildElement(paramTag); !child.isNull();
         child = child.nextSiblingElement(paramTag)) {
        const int code = child.attribute(QStringLiteral("code"), QStringLiteral("0")).toInt(nullptr, 10);
        const QString value = child.text();
        if (code == 0)
            CXmlReadCheck::noteDropped(child, QStringLiteral("не задан код параметра (атрибут code)"));
        if (code == 0 || value.isEmpty())
            continue;
        if (paramValues.contains(code))
            repeated.append(code);
        paramValues.insert(code, value);
    }
}

void CMapProjDetails::readParams(const QDomElement& element)
{
    for (QDomElement child = element.firstChildElement(paramTag); !child.isNull();
         child = child.nextSiblingElement(paramTag)) {
        CMapProjParamDetails param;
        if (CXmlFields::readRecord(param, child))
            params.insert(param.code, param);
    }
}

bool CMapProjDetails::fromXml(const QDomNode& node)
{
    clear();
    QVector<int> repeated;
    CXmlFields()
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("ShortName"), shortName)
        .element(QStringLiteral("MapProjType"),
                 [this](const QDomElement& element) {
                     // A type record with a code stands for the type of the code.
                     CMapProjTypeDetails type;
                     const bool valid = type.fromXml(element);
                     if (valid || type.code != 0)
                         mapProjType = type;
                     else
                         CXmlReadCheck::noteRecord(type, element, false);
                 })
        .link(QStringLiteral("LengthUnit"), lengthUnit)
        .link(QStringLiteral("AngleUnit"), angleUnit)
        .link(QStringLiteral("ScaleUnit"), scaleUnit)
        .text(QStringLiteral("Coord1Abbreviation"), coord1Abbr)
        .text(QStringLiteral("Coord2Abbreviation"), coord2Abbr)
        .text(QStringLiteral("Coord1Description"), coord1Desc)
        .text(QStringLiteral("Coord2Description"), coord2Desc)
        .number(QStringLiteral("Coord1Sign"), coord1Sign)
        .number(QStringLiteral("Coord2Sign"), coord2Sign)
        .number(QStringLiteral("SwapCoords"), swapCoords)
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .number(QStringLiteral("MapinfoCode"), mapinfoCode)
        .element(QStringLiteral("ParamValues"),
                 [this, &repeated](const QDomElement& element) { readParamValues(element, repeated); })
        .element(QStringLiteral("ParamInfo"), [this](const QDomElement& element) { readParams(element); })
        .read(node);
    // Named once every definition is read.
    for (const int code : repeated)
        CXmlReadCheck::noteRepeated(node.toElement(), paramPath(code));
    return isValid();
}

QString CMapProjDetails::paramPath(int code) const
{
    return CXmlReadCheck::paramPath(code, params.value(code).name, projParamName(checkProjParamCode(code)));
}

QVector<CNumberText> CMapProjDetails::numberTexts() const
{
    QVector<CNumberText> numbers;
    for (auto entry = paramValues.cbegin(); entry != paramValues.cend(); ++entry) {
        const int valueKind = projParamValueKind(checkProjParamCode(entry.key()));
        if (valueKind >= ParamValueDistance && valueKind <= ParamValueNumber)
            numbers.append({paramPath(entry.key()), entry.value(), unitOfKind(valueKind)});
    }
    return numbers;
}

std::shared_ptr<CUnitDetails> CMapProjDetails::unitOfKind(int valueKind) const
{
    switch (valueKind) {
    case ParamValueDistance: return lengthUnit;
    case ParamValueAngle: return angleUnit;
    case ParamValueScale: return scaleUnit;
    default: return nullptr;
    }
}

QString CMapProjDetails::paramValueText(const CMapProjParamDetails& param) const
{
    return QStringLiteral("%1 %2").arg(paramValues.value(param.code, QStringLiteral("?")),
                                       unitLabel(unitOfKind(param.valueKind)));
}

QString CMapProjDetails::directionName(bool first) const
{
    int axis1 = 0;
    int axis2 = 0;
    axisCodesFromFlags(coord1Sign, coord2Sign, swapCoords != 0, axis1, axis2);
    return QString::fromStdString(axisDirectionName(first ? axis1 : axis2));
}

void CMapProjDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description, shortName);
    if (mapProjType.isValid())
        mapProjType.fillInfoTree(addInfoLine(parent, QStringLiteral("Тип проекции"), mapProjType.name));
    if (mapProjTypeParamGroup(mapProjType.code) != 0) {
        QTreeWidgetItem* heading = addInfoItem(parent, QStringLiteral("Параметры проекции"));
        for (const CMapProjParamDetails& param : params) {
            QTreeWidgetItem* item = addInfoLine(heading, param.name, paramValueText(param));
            param.fillInfoTree(item);
            if (const auto unit = unitOfKind(param.valueKind))
                unit->fillInfoTree(addInfoLine(item, QStringLiteral("Единица измерения"), unit->getName()));
        }
    }
    QTreeWidgetItem* axes = addInfoItem(parent, QStringLiteral("Оси координат"));
    const struct {
        QString label;
        const QString& abbr;
        const QString& desc;
        bool first;
    } axisItems[] = {
        {QStringLiteral("Первая ось"), coord1Abbr, coord1Desc, true},
        {QStringLiteral("Вторая ось"), coord2Abbr, coord2Desc, false},
    };
    for (const auto& axis : axisItems) {
        QTreeWidgetItem* item = addInfoLine(axes, axis.label, axis.abbr);
        if (!axis.abbr.isEmpty())
            addInfoLine(item, QStringLiteral("Обозначение"), axis.abbr);
        if (!axis.desc.isEmpty())
            addInfoLine(item, QStringLiteral("Описание"), axis.desc);
        addInfoLine(item, QStringLiteral("Направление"), directionName(axis.first));
    }
    addExportItems(parent, epsgCode, mapinfoCode);
}

QString CMapProjDetails::infoText() const
{
    QString text = nameInfoText(name, description, shortName);
    text += infoLine(QStringLiteral("Тип"), QString::fromStdString(mapProjTypeName(mapProjType.code)));
    if (mapProjTypeParamGroup(mapProjType.code) != 0) {
        text += QStringLiteral("Параметры:\n");
        for (const CMapProjParamDetails& param : params)
            text += infoLine(QStringLiteral("  ") + param.name, paramValueText(param));
    }
    const QString coordinate = QStringLiteral("%1 (%2)");
    text += infoLine(QStringLiteral("Первая координата"), coordinate.arg(coord1Abbr, directionName(true)));
    text += infoLine(QStringLiteral("Вторая координата"), coordinate.arg(coord2Abbr, directionName(false)));
    if (!coord1Desc.isEmpty())
        text += infoLine(QStringLiteral("Описание первой координаты"), coord1Desc);
    if (!coord2Desc.isEmpty())
        text += infoLine(QStringLiteral("Описание второй координаты"), coord2Desc);
    return text + exportInfoText(epsgCode, mapinfoCode);
}
