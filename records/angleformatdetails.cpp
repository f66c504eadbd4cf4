#include "records/angleformatdetails.h"

#include "database/codetablestypes.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "database/xmlwriters.h"
#include "values/unitinfo.h"

#include <QTreeWidgetItem>

CAngleFormatDetails::CAngleFormatDetails()
    : CAbstractDetails(QStringLiteral("angleformat"))
{
}

void CAngleFormatDetails::clear()
{
    code = 0;
    name.clear();
    description.clear();
    shortName.clear();
    epsgCode = 0;
}

std::shared_ptr<CAngleFormatDetails> CAngleFormatDetails::createForCode(int code)
{
    if (checkAngleFormatCode(code, 0) == 0)
        return nullptr;
    auto format = std::make_shared<CAngleFormatDetails>();
    format->code = code;
    format->name = QString::fromStdString(angleFormatName(code));
    format->description = QString::fromStdString(angleFormatHint(code));
    format->shortName = QString::fromStdString(angleFormatShortName(code));
    format->epsgCode = angleFormatEpsgCode(code);
    return format;
}

std::shared_ptr<CAngleFormatDetails> CAngleFormatDetails::createForEpsgUnit(int epsgCode)
{
    for (int code = AngleFormatDecimal; code <= AngleFormatDmsHemisphere; ++code) {
        if (epsgCode != 0 && angleFormatEpsgCode(code) == epsgCode)
            return createForCode(code);
    }
    return nullptr;
}

bool CAngleFormatDetails::isValid() const
{
    return code != 0 && !name.isEmpty();
}

bool CAngleFormatDetails::toInfo(CAngleFormatInfo& info) const
{
    info.clear();
    if (!isValid())
        return false;
    info.code = code;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.short_name = shortName.toStdString();
    info.epsg = epsgCode;
    return true;
}

QString CAngleFormatDetails::kindTitle() const
{
    return tableTitle(TableAngleFormat);
}

QDomElement CAngleFormatDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendNumberElement(document, element, QStringLiteral("Code"), code);
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendTextElement(document, element, QStringLiteral("ShortName"), shortName, true);
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    return element;
}

bool CAngleFormatDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .number(QStringLiteral("Code"), code)
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("ShortName"), shortName)
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .read(node);
    return isValid();
}

void CAngleFormatDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description, shortName);
    addExportItems(parent, epsgCode, NoValue);
}

QString CAngleFormatDetails::infoText() const
{
    return nameInfoText(name, description, shortName) + exportInfoText(epsgCode, NoValue);
}
