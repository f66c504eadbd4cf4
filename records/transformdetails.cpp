#include "records/transformdetails.h"

#include "database/codetablesaxes.h"
#include "database/names.h"
#include "database/xmlwriters.h"
#include "records/infoconversion.h"
#include "records/xmlreadcheck.h"
#include "values/transforminfo.h"

#include <QTreeWidgetItem>

namespace {

const QString paramsLabel = QStringLiteral("Параметры");

} // namespace

CTransformDetails::CTransformDetails()
    : CAbstractDetails(QStringLiteral("transform"))
{
}

void CTransformDetails::clear()
{
    name.clear();
    description.clear();
    typeCode = 0;
    transformType.clear();
    paramValues.clear();
    params.clear();
}

bool CTransformDetails::isValid() const
{
    return typeCode != 0 && !name.isEmpty();
}

bool CTransformDetails::operator==(const CTransformDetails& other) const
{
    if (!isValid() || !other.isValid() || !sameBaseName(name, other.name)
        || description != other.description || typeCode != other.typeCode
        || paramValues.size() != other.paramValues.size())
        return false;
    for (auto entry = paramValues.cbegin(); entry != paramValues.cend(); ++entry) {
        const auto found = other.paramValues.constFind(entry.key());
        if (found == other.paramValues.cend() || !(entry.value() == found.value()))
            return false;
    }
    return true;
}

bool CTransformDetails::toInfo(CTransformInfo& info) const
{
    return fillOrClear(info, [&] { return fillInfo(info); });
}

bool CTransformDetails::fillInfo(CTransformInfo& info) const
{
    if (!isValid())
        return false;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.type = typeCode;
    if (transformType.isValid())
        transformType.toInfo(info.type_info);
    for (auto entry = paramValues.cbegin(); entry != paramValues.cend(); ++entry) {
        CTransformParamValueInfo value;
        if (!entry.value().toInfo(value))
            return false;
        info.param_values[entry.key()] = value;
    }
    for (auto entry = params.cbegin(); entry != params.cend(); ++entry) {
        CTransformParamInfo param;
        if (!entry.value().toInfo(param))
            return false;
        info.params[entry.key()] = param;
    }
    return true;
}

QDomElement CTransformDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendNumberElementIfSet(document, element, QStringLiteral("Type"), typeCode, 0);
    if (transformType.isValid())
        element.appendChild(transformType.toXml(document, QStringLiteral("TransformType")));
    QDomElement values = document.createElement(QStringLiteral("ParamValues"));
    for (const CTransformParamValueDetails& value : paramValues) {
        if (value.isValid())
            values.appendChild(value.toXml(document, QStringLiteral("Param")));
    }
    if (values.hasChildNodes())
        element.appendChild(values);
    QDomElement definitions = document.createElement(QStringLiteral("ParamInfo"));
    for (const CTransformParamDetails& param : params) {
        if (param.isValid())
            definitions.appendChild(param.toXml(document, QStringLiteral("Param")));
    }
    if (definitions.hasChildNodes())
        element.appendChild(definitions);
    return element;
}

void CTransformDetails::readParamValues(const QDomElement& element, QVector<int>& repeated)
{
    for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
        CTransformParamValueDetails value;
        if (!child.isElement() || !CXmlFields::readRecord(value, child.toElement()))
            continue;
        if (paramValues.contains(value.paramCode))
            repeated.append(value.paramCode);
        paramValues.insert(value.paramCode, value);
    }
}

void CTransformDetails::readParams(const QDomElement& element)
{
    const QString tag = QStringLiteral("Param");
    for (QDomElement child = element.firstChildElement(tag); !child.isNull();
         child = child.nextSiblingElement(tag)) {
        CTransformParamDetails param;
        if (CXmlFields::readRecord(param, child))
            params.insert(param.code, param);
    }
}

bool CTransformDetails::fromXml(const QDomNode& node)
{
    clear();
    QVector<int> repeated;
    CXmlFields()
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .number(QStringLiteral("Type"), typeCode)
        .element(QStringLiteral("TransformType"),
                 [this](const QDomElement& element) {
                     CTransformTypeDetails type;
                     if (CXmlFields::readRecord(type, element))
                         transformType = type;
                 })
        .element(QStringLiteral("ParamValues"),
                 [this, &repeated](const QDomElement& element) { readParamValues(element, repeated); })
        .element(QStringLiteral("ParamInfo"), [this](const QDomElement& element) { readParams(element); })
        .read(node);
    // Named once every definition is read.
    for (const int code : repeated)
        CXmlReadCheck::noteRepeated(node.toElement(), paramPath(code));
    return isValid();
}

QString CTransformDetails::paramPath(int code) const
{
    return CXmlReadCheck::paramPath(code, params.value(code).name, transformParamName(code));
}

QVector<CNumberText> CTransformDetails::numberTexts() const
{
    // Whether each code given or used must be given, in code order.
    QMap<int, bool> required;
    for (auto entry = paramValues.cbegin(); entry != paramValues.cend(); ++entry)
        required.insert(entry.key(), false);
    for (const int code : transformTypeParamCodes(typeCode))
        required.insert(code, true);
    QVector<CNumberText> numbers;
    for (auto entry = required.cbegin(); entry != required.cend(); ++entry) {
        const CTransformParamValueDetails value = paramValues.value(entry.key());
        const QString path = paramPath(entry.key()) + (value.unit ? QStringLiteral("/Value") : QString());
        numbers.append({path, value.value, value.unit, entry.value()});
    }
    return numbers;
}

QString CTransformDetails::valueLine(int code, const CTransformParamValueDetails& value) const
{
    return QStringLiteral("%1: %2").arg(params.value(code).name, value.valueText());
}

void CTransformDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description);
    if (transformType.isValid())
        transformType.fillInfoTree(
            addInfoLine(parent, QStringLiteral("Тип преобразования"), transformType.name));
    if (paramValues.isEmpty())
        return;
    QTreeWidgetItem* heading = addInfoItem(parent, paramsLabel);
    for (auto entry = paramValues.cbegin(); entry != paramValues.cend(); ++entry)
        entry.value().fillInfoTree(addInfoItem(heading, valueLine(entry.key(), entry.value())));
}

QString CTransformDetails::infoText() const
{
    QString text = nameInfoText(name, description);
    if (transformType.isValid())
        text += infoLine(QStringLiteral("Тип преобразования"), transformType.name);
    if (paramValues.isEmpty())
        return text;
    text += infoLine(paramsLabel, QString());
    for (auto entry = paramValues.cbegin(); entry != paramValues.cend(); ++entry)
        text += QStringLiteral("    ") + valueLine(entry.key(), entry.value()) + QLatin1Char('\n');
    return text;
}
