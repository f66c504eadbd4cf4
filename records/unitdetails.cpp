#include "records/unitdetails.h"

#include "database/names.h"
#include "database/novalue.h"
#include "database/numbers.h"
#include "database/tablecatalogue.h"
#include "database/xmlwriters.h"
#include "values/valuecompare.h"
#include "values/numbertext.h"
#include "values/unitinfo.h"

#include <QTreeWidgetItem>

#include <cmath>
#include <exception>

namespace {

const double factorTolerance = 1e-6;

bool factorsClose(const QString& mine, const QString& other)
{
    const double a = mine.toDouble();
    return std::fabs(a - other.toDouble()) / a < factorTolerance;
}

} // namespace

CUnitDetails::CUnitDetails()
    : CAbstractDetails(QStringLiteral("unit"))
{
}

void CUnitDetails::clear()
{
    scope = 0;
    name.clear();
    description.clear();
    shortName.clear();
    factorB.clear();
    factorC.clear();
    angleFormat.reset();
    epsgCode = 0;
    mapinfoCode = NoValue;
}

bool CUnitDetails::isValid() const
{
    return scope != 0 && textToDouble(factorB, 0.0) > 0.0 && textToDouble(factorC, 0.0) > 0.0
        && !name.isEmpty();
}

bool CUnitDetails::operator==(const CUnitDetails& other) const
{
    if (!isValid() || !other.isValid() || scope != other.scope)
        return false;
    return sameBaseName(name, other.name) && description == other.description
        && shortName == other.shortName && factorsClose(factorB, other.factorB)
        && factorsClose(factorC, other.factorC) && isSameLink(angleFormat, other.angleFormat)
        && epsgCode == other.epsgCode && mapinfoCode == other.mapinfoCode;
}

bool CUnitDetails::toInfo(CUnitInfo& info) const
{
    info.clear();
    if (!isValid())
        return false;
    info.scope = scope;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.short_name = shortName.toStdString();
    info.factor_b = factorB.toStdString();
    info.factor_c = factorC.toStdString();
    info.epsg = epsgCode;
    info.mapinfo = mapinfoCode;
    bool formatConverted = true;
    if (angleFormat) {
        info.format = std::make_shared<CAngleFormatInfo>();
        formatConverted = angleFormat->toInfo(*info.format);
    }
    try {
        info.computeFactors();
    } catch (const std::exception&) {
        formatConverted = false;
    }
    if (!formatConverted)
        info.clear();
    return formatConverted;
}

QString CUnitDetails::baseUnitSymbol() const
{
    switch (scope) {
    case UnitScopeLength: return QStringLiteral("м");
    case UnitScopeAngle: return QStringLiteral("рад");
    default: return QString();
    }
}

QDomElement CUnitDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendNumberElement(document, element, QStringLiteral("Scope"), scope);
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendTextElement(document, element, QStringLiteral("ShortName"), shortName, true);
    appendTextElement(document, element, QStringLiteral("FactorB"), factorB, true);
    appendTextElement(document, element, QStringLiteral("FactorC"), factorC, true);
    if (angleFormat)
        element.appendChild(angleFormat->toXml(document, QStringLiteral("Format")));
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    appendNumberElementIfSet(document, element, QStringLiteral("MapinfoCode"), mapinfoCode, NoValue);
    return element;
}

std::optional<double> CUnitDetails::readInBase(const QString& text) const
{
    return readText(text, true);
}

std::optional<double> CUnitDetails::readInUnit(const QString& text) const
{
    return readText(text, false);
}

std::optional<double> CUnitDetails::readText(const QString& text, bool inBase) const
{
    CUnitInfo info;
    if (!toInfo(info))
        return std::nullopt;
    try {
        const std::string value = text.toStdString();
        return inBase ? info.toBaseDouble(value) : info.toDouble(value);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool CUnitDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields()
        .number(QStringLiteral("Scope"), scope, [](int value) { return unitScopeFromInt(value, 0); })
        .text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("ShortName"), shortName)
        .text(QStringLiteral("FactorB"), factorB)
        .text(QStringLiteral("FactorC"), factorC)
        .link(QStringLiteral("Format"), angleFormat)
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .number(QStringLiteral("MapinfoCode"), mapinfoCode)
        .read(node);
    return isValid();
}

QVector<CNumberText> CUnitDetails::numberTexts() const
{
    return {{QStringLiteral("FactorB"), factorB, nullptr, true},
            {QStringLiteral("FactorC"), factorC, nullptr, true}};
}

QString CUnitDetails::kindTitle() const
{
    const int table = unitTableOfScope(scope);
    return table == 0 ? QStringLiteral("Единицы измерения") : tableTitle(table);
}

QString CUnitDetails::conversionLine() const
{
    const QString symbol = shortName.isEmpty() ? name : shortName;
    return QStringLiteral("%1 %2 = %3 %4").arg(factorC, symbol, factorB, baseUnitSymbol());
}

void CUnitDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description, shortName);
    addInfoItem(parent, conversionLine());
    if (angleFormat)
        angleFormat->fillInfoTree(addInfoItem(parent, QStringLiteral("Формат")));
    addExportItems(parent, epsgCode, mapinfoCode);
}

QString CUnitDetails::infoText() const
{
    return nameInfoText(name, description, shortName) + conversionLine() + QLatin1Char('\n')
        + exportInfoText(epsgCode, mapinfoCode);
}

bool sameUnit(const std::shared_ptr<CUnitDetails>& a, const std::shared_ptr<CUnitDetails>& b)
{
    return isSameLink(a, b);
}

QString unreadInUnit(const QString& text, const std::shared_ptr<CUnitDetails>& unit)
{
    const QString misfit = QStringLiteral("«%1» не является числом").arg(text);
    CUnitInfo info;
    if (unit && unit->toInfo(info))
        return unit->readInBase(text) ? QString() : misfit + QStringLiteral(" в единице «%1»").arg(unit->name);
    try {
        textToFiniteDouble(text.toStdString(), "unreadInUnit");
        return QString();
    } catch (const std::exception&) {
        return misfit;
    }
}
