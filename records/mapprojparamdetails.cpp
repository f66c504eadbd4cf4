#include "records/mapprojparamdetails.h"

#include "database/codetablesmapproj.h"
#include "database/xmlwriters.h"
#include "values/mapprojinfo.h"

#include <QTreeWidgetItem>

namespace {

QString valueKindLabel(int kind)
{
    return QString::fromStdString(paramValueKindName(kind));
}

} // namespace

CMapProjParamDetails::CMapProjParamDetails()
    : CAbstractDetails(QStringLiteral("mapprojparam"))
{
}

void CMapProjParamDetails::clear()
{
    code = 0;
    name.clear();
    description.clear();
    shortName.clear();
    valueKind = 0;
    epsgCode = 0;
    wktName.clear();
}

bool CMapProjParamDetails::isValid() const
{
    return code != 0 && valueKind != 0 && !name.isEmpty();
}

bool CMapProjParamDetails::toInfo(CMapProjParamInfo& info) const
{
    info.clear();
    if (!isValid())
        return false;
    info.code = code;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.short_name = shortName.toStdString();
    info.type = valueKind;
    info.epsg = epsgCode;
    info.wkt = wktName.toStdString();
    return true;
}

bool CMapProjParamDetails::setCode(int newCode)
{
    if (newCode == 0)
        return false;
    code = newCode;
    name = QString::fromStdString(projParamName(newCode));
    description = QString::fromStdString(projParamDescription(newCode));
    shortName = QString::fromStdString(projParamShortName(newCode));
    valueKind = projParamValueKind(newCode);
    epsgCode = projParamEpsgCode(newCode);
    return true;
}

QDomElement CMapProjParamDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    element.setAttribute(QStringLiteral("code"), QString::number(code));
    element.setAttribute(QStringLiteral("name"), name);
    if (!isValid())
        return element;
    appendNumberElementIfSet(document, element, QStringLiteral("Code"), code, 0);
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendTextElement(document, element, QStringLiteral("ShortName"), shortName, true);
    appendNumberElementIfSet(document, element, QStringLiteral("Type"), valueKind, 0);
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    appendTextElement(document, element, QStringLiteral("WktName"), wktName, true);
    return element;
}

bool CMapProjParamDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .number(QStringLiteral("Code"), code)
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("ShortName"), shortName)
        .number(QStringLiteral("Type"), valueKind, checkParamValueKind)
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .text(QStringLiteral("WktName"), wktName)
        .read(node);
    return isValid();
}

void CMapProjParamDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description, shortName);
    if (valueKind != 0)
        addInfoLine(parent, QStringLiteral("Тип"), valueKindLabel(valueKind));
    if (epsgCode == 0 && wktName.isEmpty())
        return;
    QTreeWidgetItem* heading = addInfoItem(parent, QStringLiteral("Экспорт"));
    if (epsgCode != 0)
        addInfoLine(heading, QStringLiteral("Код EPSG (GeoTIFF)"), epsgCode);
    if (!wktName.isEmpty())
        addInfoLine(heading, QStringLiteral("WKT идентификатор"), wktName);
}

QString CMapProjParamDetails::infoText() const
{
    QString text = nameInfoText(name, description, shortName);
    if (valueKind != 0)
        text += infoLine(QStringLiteral("Тип"), valueKindLabel(valueKind));
    if (epsgCode != 0)
        text += infoLine(QStringLiteral("Код EPSG (GeoTIFF)"), epsgCode);
    if (!wktName.isEmpty())
        text += infoLine(QStringLiteral("WKT идентификатор"), wktName);
    return text;
}
