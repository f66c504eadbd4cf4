#include "records/ellipsoiddetails.h"

#include "database/numbers.h"
#include "database/names.h"
#include "database/xmlwriters.h"
#include "values/ellipsoidinfo.h"

#include <QTreeWidgetItem>

namespace {

// Far below a millimetre, far above the rounding of a stored REAL.
const double axisTolerance = 1e-12;

bool isPositive(const QString& text)
{
    return textToDouble(text, 0.0) > 0.0;
}

} // namespace

CEllipsoidDetails::CEllipsoidDetails()
    : CAbstractDetails(QStringLiteral("ellipsoid"))
{
}

void CEllipsoidDetails::clear()
{
    name.clear();
    description.clear();
    majorSemiAxis.clear();
    minorSemiAxis.clear();
    inverseFlattening.clear();
    useInverseFlattening = false;
    sphere = false;
    unit.reset();
    epsgCode = 0;
    mapinfoCode = NoValue;
}

bool CEllipsoidDetails::isValid() const
{
    if (name.isEmpty() || !isPositive(majorSemiAxis) || !unit || !unit->isValid())
        return false;
    if (sphere)
        return true;
    return isPositive(useInverseFlattening ? inverseFlattening : minorSemiAxis);
}

bool CEllipsoidDetails::operator==(const CEllipsoidDetails& other) const
{
    if (!isValid() || !other.isValid())
        return false;
    return sameBaseName(name, other.name) && description == other.description
        && numbersEqual(majorSemiAxis, other.majorSemiAxis, axisTolerance)
        && numbersEqual(minorSemiAxis, other.minorSemiAxis, axisTolerance)
        && numbersEqual(inverseFlattening, other.inverseFlattening, axisTolerance)
        && useInverseFlattening == other.useInverseFlattening && sphere == other.sphere
        && *unit == *other.unit && epsgCode == other.epsgCode
        && mapinfoCode == other.mapinfoCode;
}

bool CEllipsoidDetails::toInfo(CEllipsoidInfo& info) const
{
    info.clear();
    if (!isValid())
        return false;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.a = majorSemiAxis.toStdString();
    info.b = minorSemiAxis.toStdString();
    info.f = inverseFlattening.toStdString();
    info.use_f = useInverseFlattening;
    info.sphere = sphere;
    info.epsg = epsgCode;
    info.mapinfo = mapinfoCode;
    info.unit = std::make_shared<CUnitInfo>();
    if (unit->toInfo(*info.unit))
        return true;
    info.clear();
    return false;
}

QDomElement CEllipsoidDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendTextElement(document, element, QStringLiteral("MajorSemiAxis"), majorSemiAxis, true);
    if (isPositive(minorSemiAxis))
        appendTextElement(document, element, QStringLiteral("MinorSemiAxis"), minorSemiAxis, true);
    if (isPositive(inverseFlattening))
        appendTextElement(document, element, QStringLiteral("InverseFlattening"),
                          inverseFlattening, true);
    appendBoolElement(document, element, QStringLiteral("UseInverseFlattening"),
                      useInverseFlattening, false);
    appendBoolElement(document, element, QStringLiteral("Sphere"), sphere, false);
    element.appendChild(unit->toXml(document, QStringLiteral("Unit")));
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    appendNumberElementIfSet(document, element, QStringLiteral("MapinfoCode"), mapinfoCode, NoValue);
    return element;
}

bool CEllipsoidDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("MajorSemiAxis"), majorSemiAxis)
        .text(QStringLiteral("MinorSemiAxis"), minorSemiAxis)
        .text(QStringLiteral("InverseFlattening"), inverseFlattening)
        .flag(QStringLiteral("UseInverseFlattening"), useInverseFlattening)
        .flag(QStringLiteral("Sphere"), sphere)
        .link(QStringLiteral("Unit"), unit)
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .number(QStringLiteral("MapinfoCode"), mapinfoCode)
        .read(node);
    return isValid();
}

QVector<CNumberText> CEllipsoidDetails::numberTexts() const
{
    return {{QStringLiteral("MajorSemiAxis"), majorSemiAxis, unit},
            {QStringLiteral("MinorSemiAxis"), minorSemiAxis, unit},
            {QStringLiteral("InverseFlattening"), inverseFlattening, nullptr}};
}

// The figure lines name the unit by its short name, else by its name in
// parentheses; without a unit the values stand alone.
QStringList CEllipsoidDetails::figureLines() const
{
    QString symbol;
    if (unit && !unit->shortName.isEmpty())
        symbol = unit->shortName;
    else if (unit && !unit->name.isEmpty())
        symbol = QStringLiteral("(%1)").arg(unit->name);
    const auto withUnit = [&symbol](const QString& text) {
        return symbol.isEmpty() ? text : QStringLiteral("%1 %2").arg(text, symbol);
    };
    if (sphere)
        return {QStringLiteral("Шар, радиус: %1").arg(withUnit(majorSemiAxis))};
    QStringList lines{QStringLiteral("Большая полуось: %1").arg(withUnit(majorSemiAxis))};
    if (useInverseFlattening)
        lines.append(QStringLiteral("Обратное сжатие: %1").arg(inverseFlattening));
    else
        lines.append(QStringLiteral("Малая полуось: %1").arg(withUnit(minorSemiAxis)));
    return lines;
}

void CEllipsoidDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description);
    for (const QString& line : figureLines())
        addInfoItem(parent, line);
    if (unit)
        unit->fillInfoTree(addInfoLine(parent, QStringLiteral("Единица измерения полуосей"),
                                       unit->getName()));
    addExportItems(parent, epsgCode, mapinfoCode);
}

QString CEllipsoidDetails::infoText() const
{
    QString text = nameInfoText(name, description);
    for (const QString& line : figureLines())
        text += line + QLatin1Char('\n');
    return text + exportInfoText(epsgCode, mapinfoCode);
}
