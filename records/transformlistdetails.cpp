#include "records/transformlistdetails.h"

#include "database/codetablesaxes.h"
#include "database/names.h"
#include "database/xmlwriters.h"
#include "values/transforminfo.h"

#include <QTreeWidgetItem>

#include <algorithm>

namespace {

const QString transformsLabel = QStringLiteral("Преобразования");
const QString scopeLabel = QStringLiteral("Область применения");
const QString identifierLabel = QStringLiteral("Идентификатор");

// "name: type name" of a transform in a list.
QString transformHeading(const CTransformDetails& transform)
{
    return QStringLiteral("%1: %2").arg(transform.name, transform.transformType.name);
}

} // namespace

CTransformListDetails::CTransformListDetails()
    : CAbstractDetails(QStringLiteral("transformlist"))
{
}

void CTransformListDetails::clear()
{
    name.clear();
    description.clear();
    scope = 0;
    identifier.clear();
    transforms.clear();
}

bool CTransformListDetails::isValid() const
{
    return !name.isEmpty();
}

bool CTransformListDetails::operator==(const CTransformListDetails& other) const
{
    return isValid() && other.isValid() && sameBaseName(name, other.name)
        && description == other.description && identifier == other.identifier
        && scope == other.scope && transforms.size() == other.transforms.size()
        && std::equal(transforms.cbegin(), transforms.cend(), other.transforms.cbegin());
}

bool CTransformListDetails::toInfo(CTransformListInfo& info) const
{
    info.clear();
    if (!isValid())
        return false;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.identifier = identifier.toStdString();
    info.scope = scope;
    bool converted = true;
    for (const CTransformDetails& transform : transforms) {
        CTransformInfo transformInfo;
        if (transform.toInfo(transformInfo))
            info.transforms.push_back(transformInfo);
        else
            converted = false;
    }
    return converted;
}

QDomElement CTransformListDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendNumberElementIfSet(document, element, QStringLiteral("Scope"), scope, 0);
    appendTextElement(document, element, QStringLiteral("Identifier"), identifier, true);
    if (transforms.isEmpty())
        return element;
    QDomElement list = document.createElement(QStringLiteral("Transforms"));
    for (const CTransformDetails& transform : transforms)
        list.appendChild(transform.toXml(document, QStringLiteral("Transform")));
    element.appendChild(list);
    return element;
}

void CTransformListDetails::readTransforms(const QDomElement& element)
{
    const QString tag = QStringLiteral("Transform");
    for (QDomElement child = element.firstChildElement(tag); !child.isNull();
         child = child.nextSiblingElement(tag)) {
        CTransformDetails transform;
        if (CXmlFields::readRecord(transform, child))
            transforms.append(transform);
    }
}

bool CTransformListDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .number(QStringLiteral("Scope"), scope)
        .text(QStringLiteral("Identifier"), identifier)
        .element(QStringLiteral("Transforms"), [this](const QDomElement& element) { readTransforms(element); })
        .read(node);
    return isValid();
}

QString CTransformListDetails::scopeName() const
{
    int known = 0;
    setTransformListScope(known, scope);
    return known == 0 ? QString() : QString::fromStdString(transformListScopeName(known));
}

void CTransformListDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description);
    if (!scopeName().isEmpty())
        addInfoLine(parent, scopeLabel, scopeName());
    if (!identifier.isEmpty())
        addInfoLine(parent, identifierLabel, identifier);
    if (transforms.isEmpty())
        return;
    QTreeWidgetItem* heading = addInfoItem(parent, transformsLabel);
    for (const CTransformDetails& transform : transforms)
        transform.fillInfoTree(addInfoItem(heading, transformHeading(transform)));
}

QString CTransformListDetails::infoText() const
{
    QString text = nameInfoText(name, description);
    if (!scopeName().isEmpty())
        text += infoLine(scopeLabel, scopeName());
    if (!identifier.isEmpty())
        text += infoLine(identifierLabel, identifier);
    return text + transformsText();
}

QString CTransformListDetails::transformsText() const
{
    if (transforms.isEmpty())
        return QString();
    QString text = infoLine(transformsLabel, QString());
    for (const CTransformDetails& transform : transforms)
        text += QStringLiteral("    ") + transformHeading(transform) + QLatin1Char('\n');
    return text;
}
