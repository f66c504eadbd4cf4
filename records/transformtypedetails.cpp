#include "records/transformtypedetails.h"

#include "database/xmlwriters.h"
#include "values/transforminfo.h"

CTransformTypeDetails::CTransformTypeDetails()
    : CAbstractDetails(QStringLiteral("transformtype"))
{
}

void CTransformTypeDetails::clear()
{
    code = 0;
    name.clear();
    description.clear();
}

bool CTransformTypeDetails::isValid() const
{
    return code != 0 && !name.isEmpty();
}

bool CTransformTypeDetails::toInfo(CTransformTypeInfo& info) const
{
    info.clear();
    if (!isValid())
        return false;
    info.code = code;
    info.name = name.toStdString();
    info.description = description.toStdString();
    return true;
}

QDomElement CTransformTypeDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendNumberElementIfSet(document, element, QStringLiteral("Code"), code, 0);
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    return element;
}

bool CTransformTypeDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .number(QStringLiteral("Code"), code)
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .read(node);
    return isValid();
}

void CTransformTypeDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description);
}

QString CTransformTypeDetails::infoText() const
{
    return nameInfoText(name, description);
}
