#include "records/datumshifttypedetails.h"

#include "database/codetablestypes.h"
#include "database/novalue.h"
#include "database/xmlwriters.h"
#include "values/datumshiftinfo.h"

#include <QTreeWidgetItem>

CDatumShiftTypeDetails::CDatumShiftTypeDetails()
    : CAbstractDetails(QStringLiteral("datumshifttype"))
{
}

void CDatumShiftTypeDetails::clear()
{
    code = 0;
    name.clear();
    description.clear();
    epsgCode = 0;
}

bool CDatumShiftTypeDetails::isValid() const
{
    return code != 0 && !name.isEmpty();
}

bool CDatumShiftTypeDetails::toInfo(CDatumShiftTypeInfo& info) const
{
    info.clear();
    if (!isValid())
        return false;
    info.code = code;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.epsg = epsgCode;
    return true;
}

bool CDatumShiftTypeDetails::setCode(int newCode)
{
    clear();
    if (newCode == 0)
        return false;
    code = newCode;
    name = QString::fromStdString(datumShiftTypeName(newCode));
    description = QString::fromStdString(datumShiftTypeDescription(newCode));
    epsgCode = datumShiftTypeEpsgCode(newCode);
    return true;
}

QDomElement CDatumShiftTypeDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendNumberElementIfSet(document, element, QStringLiteral("Code"), code, 0);
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    return element;
}

bool CDatumShiftTypeDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .number(QStringLiteral("Code"), code)
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .read(node);
    return isValid();
}

void CDatumShiftTypeDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description);
    addExportItems(parent, epsgCode, NoValue);
}

QString CDatumShiftTypeDetails::infoText() const
{
    return nameInfoText(name, description) + exportInfoText(epsgCode, NoValue);
}
