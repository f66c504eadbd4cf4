#include "records/transformparamvaluedetails.h"

#include "records/infoconversion.h"
#include "records/unitlabel.h"
#include "values/transforminfo.h"

namespace {

const QString valueLabel = QStringLiteral("Значение");

void setCodeAttributes(QDomElement& element, int code)
{
    element.setAttribute(QStringLiteral("code"), QString::number(code));
    element.setAttribute(QStringLiteral("name"), QStringLiteral("Name"));
}

} // namespace

CTransformParamValueDetails::CTransformParamValueDetails()
    : CAbstractDetails(QStringLiteral("transformparamvalue"))
{
}

void CTransformParamValueDetails::clear()
{
    paramCode = 0;
    value.clear();
    unit.reset();
}

bool CTransformParamValueDetails::isValid() const
{
    return paramCode != 0 && !value.isEmpty();
}

bool CTransformParamValueDetails::operator==(const CTransformParamValueDetails& other) const
{
    return isValid() && other.isValid() && paramCode == other.paramCode && value == other.value
        && sameUnit(unit, other.unit);
}

bool CTransformParamValueDetails::toInfo(CTransformParamValueInfo& info) const
{
    return fillOrClear(info, [&] {
        if (!isValid())
            return false;
        info.param = paramCode;
        info.value = value.toStdString();
        return convertLink(unit, info.unit);
    });
}

QString CTransformParamValueDetails::valueText() const
{
    return valueWithUnit(value, unit);
}

QDomElement CTransformParamValueDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    if (!unit) {
        element.appendChild(document.createTextNode(value));
        setCodeAttributes(element, paramCode);
        return element;
    }
    element.appendChild(unit->toXml(document, QStringLiteral("Unit")));
    QDomElement valueElement = document.createElement(QStringLiteral("Value"));
    valueElement.appendChild(document.createTextNode(value));
    setCodeAttributes(valueElement, paramCode);
    element.appendChild(valueElement);
    return element;
}

void CTransformParamValueDetails::readCodeAndValue(const QDomElement& element)
{
    paramCode = element.attribute(QStringLiteral("code"), QStringLiteral("0")).toInt(nullptr, 10);
    value = element.text();
}

bool CTransformParamValueDetails::fromXml(const QDomNode& node)
{
    clear();
    const QDomElement element = node.toElement();
    if (element.isNull())
        return isValid();
    if (element.firstChildElement().isNull()) {
        readCodeAndValue(element);
        return isValid();
    }
    CXmlFields()
        .element(QStringLiteral("Value"), [this](const QDomElement& child) { readCodeAndValue(child); })
        .link(QStringLiteral("Unit"), unit)
        .read(element);
    return isValid();
}

QString CTransformParamValueDetails::invalidReason(const QDomNode& node, const QString& fault) const
{
    if (fault.isEmpty() && paramCode == 0)
        return QStringLiteral("не задан код параметра (атрибут code)");
    return CAbstractDetails::invalidReason(node, fault);
}

void CTransformParamValueDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addInfoLine(parent, valueLabel, valueText());
    if (unit)
        unit->fillInfoTree(addInfoLine(parent, QStringLiteral("Единица измерения"), unit->getName()));
}

QString CTransformParamValueDetails::infoText() const
{
    return infoLine(valueLabel, valueText());
}
