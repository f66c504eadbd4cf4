#include "records/vertcoordsysdetails.h"

#include "database/novalue.h"
#include "database/xmlwriters.h"
#include "records/infoconversion.h"
#include "values/transforminfo.h"
#include "values/valuecompare.h"
#include "values/vertcoordsysinfo.h"


namespace {

const QString geoidLabel = QStringLiteral("Идентификатор модели геоида");
const QString transformsLabel = QStringLiteral("Преобразования");

} // namespace

CVertCoordSysDetails::CVertCoordSysDetails()
    : CAbstractDetails(QStringLiteral("vertcoordsys"))
{
}

void CVertCoordSysDetails::clear()
{
    name.clear();
    description.clear();
    shortName.clear();
    geoidId.clear();
    transformList.reset();
    epsgCode = 0;
}

bool CVertCoordSysDetails::isValid() const
{
    return !geoidId.isEmpty() && !name.isEmpty();
}

bool CVertCoordSysDetails::operator==(const CVertCoordSysDetails& other) const
{
    return isValid() && other.isValid() && name == other.name && description == other.description
        && shortName == other.shortName && geoidId == other.geoidId && epsgCode == other.epsgCode
        && isSameLink(transformList, other.transformList);
}

bool CVertCoordSysDetails::toInfo(CVertCoordSysInfo& info) const
{
    return fillOrClear(info, [&] { return fillInfo(info); });
}

bool CVertCoordSysDetails::fillInfo(CVertCoordSysInfo& info) const
{
    if (!isValid())
        return false;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.short_name = shortName.toStdString();
    info.geoid = geoidId.toStdString();
    info.epsg = epsgCode;
    return convertLink(transformList, info.transform_list);
}

QDomElement CVertCoordSysDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendTextElement(document, element, QStringLiteral("ShortName"), shortName, true);
    appendTextElement(document, element, QStringLiteral("GeoidID"), geoidId, true);
    if (transformList && transformList->isValid())
        element.appendChild(transformList->toXml(document, QStringLiteral("TransformList")));
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    return element;
}

bool CVertCoordSysDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("ShortName"), shortName)
        .text(QStringLiteral("GeoidID"), geoidId)
        .link(QStringLiteral("TransformList"), transformList)
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .read(node);
    return isValid();
}

bool CVertCoordSysDetails::hasTransforms() const
{
    return transformList && !transformList->transforms.isEmpty();
}

void CVertCoordSysDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description, shortName);
    if (!geoidId.isEmpty())
        addInfoLine(parent, geoidLabel, geoidId);
    if (hasTransforms())
        transformList->fillInfoTree(addInfoItem(parent, transformsLabel));
    addExportItems(parent, epsgCode, NoValue);
}

QString CVertCoordSysDetails::infoText() const
{
    QString text = nameInfoText(name, description, shortName);
    if (!geoidId.isEmpty())
        text += infoLine(geoidLabel, geoidId);
    if (transformList)
        text += transformList->transformsText();
    return text + exportInfoText(epsgCode, NoValue);
}
