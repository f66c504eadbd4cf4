#include "records/datumdetails.h"

#include "database/names.h"
#include "database/xmlwriters.h"
#include "records/infoconversion.h"
#include "records/xmlreadcheck.h"
#include "values/datuminfo.h"
#include "values/valuecompare.h"


namespace {

const QString pairwiseHeading = QStringLiteral("Попарные преобразования датумов");
const QString geographicHeading = QStringLiteral("Плановые преобразования датумов");
const QString verticalHeading = QStringLiteral("Высотные преобразования датумов");

// "name: идентификатор key" of a linked shift or transform list.
QString linkLine(const QString& name, const QString& key)
{
    return QStringLiteral("%1: идентификатор %2").arg(name, key);
}

template <class Link>
void appendLink(QDomDocument& document, QDomElement& parent, const QString& tag, const Link& link)
{
    QDomElement element = link.toXml(document, tag);
    element.setAttribute(QStringLiteral("identifier"), link.identifier);
    parent.appendChild(element);
}

// A collection element with one child per link, each carrying its identifier.
template <class Map>
void appendLinks(QDomDocument& document, QDomElement& parent, const QString& tag,
                 const QString& childTag, const Map& links)
{
    if (links.empty())
        return;
    QDomElement element = document.createElement(tag);
    for (const auto& entry : links)
        appendLink(document, element, childTag, *entry.second);
    parent.appendChild(element);
}

// Stores each child element of that tag that reads valid under its identifier; the last of
// one identifier wins, and the reading check is told of the one it replaces.
template <class Map>
void readLinks(const QDomElement& element, const QString& childTag, Map& links)
{
    CRepeatedIdentifiers repeated(element);
    for (QDomElement child = element.firstChildElement(childTag); !child.isNull();
         child = child.nextSiblingElement(childTag)) {
        auto link = std::make_shared<typename Map::mapped_type::element_type>();
        if (!CXmlFields::readRecord(*link, child))
            continue;
        repeated.add(link->identifier, link->name);
        links[link->identifier] = link;
    }
}

// Each link converted into a new value record under the same key.
template <class Map, class InfoMap>
bool convertLinks(const Map& links, InfoMap& infos)
{
    for (const auto& entry : links) {
        if (!convertLink(entry.second, infos[entry.first.toStdString()]))
            return false;
    }
    return true;
}

} // namespace

template <class Map>
void CDatumDetails::addLinkItems(QTreeWidgetItem* parent, const QString& heading, const Map& links)
{
    if (links.empty())
        return;
    QTreeWidgetItem* headingItem = addInfoItem(parent, heading);
    for (const auto& entry : links)
        entry.second->fillInfoTree(addInfoItem(headingItem, linkLine(entry.second->name, entry.first)));
}

template <class Map>
QString CDatumDetails::linksText(const QString& heading, const Map& links)
{
    if (links.empty())
        return QString();
    QString text = infoLine(heading, QString());
    for (const auto& entry : links)
        text += QStringLiteral("    ") + linkLine(entry.second->name, entry.first) + QLatin1Char('\n');
    return text;
}

CDatumDetails::CDatumDetails()
    : CAbstractDetails(QStringLiteral("datum"))
{
}

void CDatumDetails::clear()
{
    name.clear();
    description.clear();
    shortName.clear();
    datumShift.reset();
    ellipsoid.reset();
    epsgCode = 0;
    mapinfoCode = NoValue;
    pairwiseDatumShifts.clear();
    geographicDatumShifts.clear();
    verticalDatumShifts.clear();
}

bool CDatumDetails::isValid() const
{
    return !name.isEmpty();
}

bool CDatumDetails::operator==(const CDatumDetails& other) const
{
    return isValid() && other.isValid() && sameBaseName(name, other.name)
        && description == other.description && shortName == other.shortName
        && epsgCode == other.epsgCode && mapinfoCode == other.mapinfoCode
        && isSameLink(ellipsoid, other.ellipsoid) && isSameLink(datumShift, other.datumShift)
        && isSameMap(pairwiseDatumShifts, other.pairwiseDatumShifts)
        && isSameMap(geographicDatumShifts.toStdMap(), other.geographicDatumShifts.toStdMap())
        && isSameMap(verticalDatumShifts.toStdMap(), other.verticalDatumShifts.toStdMap());
}

bool CDatumDetails::toInfo(CDatumInfo& info) const
{
    return fillOrClear(info, [&] { return fillInfo(info); });
}

bool CDatumDetails::fillInfo(CDatumInfo& info) const
{
    if (!isValid())
        return false;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.short_name = shortName.toStdString();
    info.epsg = epsgCode;
    info.mapinfo = mapinfoCode;
    if (!convertLink(datumShift, info.datum_shift) || !convertLink(ellipsoid, info.ellipsoid))
        return false;
    return convertLinks(pairwiseDatumShifts, info.pairwise_shifts)
        && convertLinks(geographicDatumShifts.toStdMap(), info.geographic_shifts)
        && convertLinks(verticalDatumShifts.toStdMap(), info.vertical_shifts);
}

QDomElement CDatumDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendTextElement(document, element, QStringLiteral("ShortName"), shortName, true);
    if (ellipsoid && ellipsoid->isValid())
        element.appendChild(ellipsoid->toXml(document, QStringLiteral("Ellipsoid")));
    if (datumShift && datumShift->isValid())
        element.appendChild(datumShift->toXml(document, QStringLiteral("DatumShift")));
    appendLinks(document, element, QStringLiteral("PairwiseDatumShifts"),
                QStringLiteral("DatumShift"), pairwiseDatumShifts);
    appendLinks(document, element, QStringLiteral("GeographicDatumShifts"),
                QStringLiteral("GeographicDatumShift"), geographicDatumShifts.toStdMap());
    appendLinks(document, element, QStringLiteral("VerticalDatumShifts"),
                QStringLiteral("VerticalDatumShift"), verticalDatumShifts.toStdMap());
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    appendNumberElementIfSet(document, element, QStringLiteral("MapinfoCode"), mapinfoCode, NoValue);
    return element;
}

bool CDatumDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("ShortName"), shortName)
        .link(QStringLiteral("Ellipsoid"), ellipsoid)
        .link(QStringLiteral("DatumShift"), datumShift)
        .element(QStringLiteral("PairwiseDatumShifts"),
                 [this](const QDomElement& element) {
                     readLinks(element, QStringLiteral("DatumShift"), pairwiseDatumShifts);
                 })
        .element(QStringLiteral("GeographicDatumShifts"),
                 [this](const QDomElement& element) {
                     readLinks(element, QStringLiteral("GeographicDatumShift"), geographicDatumShifts);
                 })
        .element(QStringLiteral("VerticalDatumShifts"),
                 [this](const QDomElement& element) {
                     readLinks(element, QStringLiteral("VerticalDatumShift"), verticalDatumShifts);
                 })
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .number(QStringLiteral("MapinfoCode"), mapinfoCode,
                [](int code) { return code == 0 ? NoValue : code; })
        .read(node);
    return isValid();
}

void CDatumDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description, shortName);
    if (ellipsoid)
        ellipsoid->fillInfoTree(addInfoLine(parent, QStringLiteral("Эллипсоид"), ellipsoid->getName()));
    if (datumShift)
        datumShift->fillInfoTree(
            addInfoLine(parent, QStringLiteral("Преобразование в WGS 84"), datumShift->getName()));
    addLinkItems(parent, pairwiseHeading, pairwiseDatumShifts);
    addLinkItems(parent, geographicHeading, geographicDatumShifts.toStdMap());
    addLinkItems(parent, verticalHeading, verticalDatumShifts.toStdMap());
    addExportItems(parent, epsgCode, mapinfoCode);
}

QString CDatumDetails::infoText() const
{
    QString text = nameInfoText(name, description, shortName);
    if (ellipsoid)
        text += infoLine(QStringLiteral("Эллипсоид"), ellipsoid->name);
    if (datumShift)
        text += infoLine(QStringLiteral("Преобразование в WGS-84"), datumShift->name);
    text += linksText(pairwiseHeading, pairwiseDatumShifts);
    text += linksText(geographicHeading, geographicDatumShifts.toStdMap());
    text += linksText(verticalHeading, verticalDatumShifts.toStdMap());
    return text + exportInfoText(epsgCode, mapinfoCode);
}
