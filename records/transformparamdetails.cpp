#include "records/transformparamdetails.h"

#include "database/xmlwriters.h"
#include "values/transforminfo.h"

CTransformParamDetails::CTransformParamDetails()
    : CAbstractDetails(QStringLiteral("transformparam"))
{
}

void CTransformParamDetails::clear()
{
    code = 0;
    name.clear();
    description.clear();
    shortName.clear();
    type = 0;
}

bool CTransformParamDetails::isValid() const
{
    return code != 0 && !name.isEmpty();
}

bool CTransformParamDetails::toInfo(CTransformParamInfo& info) const
{
    info.clear();
    if (!isValid())
        return false;
    info.code = code;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.short_name = shortName.toStdString();
    info.type = type;
    return true;
}

QDomElement CTransformParamDetails::toXml(QDomDocument& document, const QString& tag) const
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
    appendNumberElementIfSet(document, element, QStringLiteral("Type"), type, 0);
    return element;
}

bool CTransformParamDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .number(QStringLiteral("Code"), code)
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("ShortName"), shortName)
        .number(QStringLiteral("Type"), type)
        .read(node);
    return isValid();
}

void CTransformParamDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description, shortName);
}

QString CTransformParamDetails::infoText() const
{
    return nameInfoText(name, description, shortName);
}
