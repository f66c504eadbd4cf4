#include "records/coordsystypedetails.h"

#include "database/codetablestypes.h"
#include "database/xmlwriters.h"
#include "values/coordsystypeinfo.h"

CCoordSysTypeDetails::CCoordSysTypeDetails()
    : CAbstractDetails(QStringLiteral("coordsystype"))
{
}

void CCoordSysTypeDetails::clear()
{
    code = 0;
    name.clear();
    description.clear();
}

bool CCoordSysTypeDetails::isValid() const
{
    return code != 0 && !name.isEmpty();
}

bool CCoordSysTypeDetails::toInfo(CCoordSysTypeInfo& info) const
{
    info.clear();
    if (!isValid())
        return false;
    info.code = code;
    info.name = name.toStdString();
    info.description = description.toStdString();
    return true;
}

bool CCoordSysTypeDetails::setCode(int newCode)
{
    clear();
    if (newCode == 0)
        return false;
    code = newCode;
    name = QString::fromStdString(coordSysTypeName(newCode));
    description = QString::fromStdString(coordSysTypeDescription(newCode));
    return true;
}

QDomElement CCoordSysTypeDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendNumberElementIfSet(document, element, QStringLiteral("Code"), code, 0);
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    return element;
}

bool CCoordSysTypeDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .number(QStringLiteral("Code"), code)
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .read(node);
    return isValid();
}

void CCoordSysTypeDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description);
}

QString CCoordSysTypeDetails::infoText() const
{
    return nameInfoText(name, description);
}
