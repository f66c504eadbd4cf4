#include "records/primemeridiandetails.h"

#include "database/novalue.h"
#include "database/names.h"
#include "database/xmlwriters.h"
#include "values/primemeridianinfo.h"

#include <QTreeWidgetItem>

CPrimeMeridianDetails::CPrimeMeridianDetails()
    : CAbstractDetails(QStringLiteral("primemeridian"))
{
}

void CPrimeMeridianDetails::clear()
{
    name.clear();
    description.clear();
    longitude.clear();
    unit.reset();
    epsgCode = 0;
}

bool CPrimeMeridianDetails::isValid() const
{
    return !name.isEmpty() && unit && unit->isValid() && !longitude.isEmpty();
}

bool CPrimeMeridianDetails::operator==(const CPrimeMeridianDetails& other) const
{
    return isValid() && other.isValid() && sameBaseName(name, other.name)
        && description == other.description && longitude == other.longitude
        && *unit == *other.unit && epsgCode == other.epsgCode;
}

bool CPrimeMeridianDetails::toInfo(CPrimeMeridianInfo& info) const
{
    info.clear();
    if (!isValid())
        return false;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.longitude = longitude.toStdString();
    info.epsg = epsgCode;
    info.unit = std::make_shared<CUnitInfo>();
    if (unit->toInfo(*info.unit))
        return true;
    info.clear();
    return false;
}

QDomElement CPrimeMeridianDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendTextElement(document, element, QStringLiteral("Longitude"), longitude, true);
    element.appendChild(unit->toXml(document, QStringLiteral("Unit")));
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    return element;
}

bool CPrimeMeridianDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("Longitude"), longitude)
        .link(QStringLiteral("Unit"), unit)
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .read(node);
    return isValid();
}

QVector<CNumberText> CPrimeMeridianDetails::numberTexts() const
{
    return {{QStringLiteral("Longitude"), longitude, unit}};
}

void CPrimeMeridianDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description);
    if (!longitude.isEmpty())
        addInfoLine(parent, QStringLiteral("Долгота"), longitude);
    if (unit)
        unit->fillInfoTree(addInfoLine(parent, QStringLiteral("Единица измерения долготы"),
                                       unit->getName()));
    addExportItems(parent, epsgCode, NoValue);
}

// The longitude line names the unit in parentheses; without a unit the value
// stands alone.
QString CPrimeMeridianDetails::infoText() const
{
    QString text = nameInfoText(name, description);
    if (unit)
        text += QStringLiteral("%1: %2 (%3)\n").arg(QStringLiteral("Долгота"), longitude, unit->getName());
    else
        text += infoLine(QStringLiteral("Долгота"), longitude);
    return text + exportInfoText(epsgCode, NoValue);
}
