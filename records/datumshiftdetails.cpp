#include "records/datumshiftdetails.h"

#include "database/codetablesaxes.h"
#include "database/codetablestypes.h"
#include "database/names.h"
#include "database/novalue.h"
#include "database/numbers.h"
#include "database/xmlwriters.h"
#include "records/infoconversion.h"
#include "records/unitlabel.h"
#include "values/datumshiftinfo.h"
#include "values/numbertext.h"
#include "values/unitinfo.h"

#include <QTreeWidgetItem>

#include <array>
#include <stdexcept>
#include <utility>

namespace {

const double parameterTolerance = 1e-6;

using TextField = QString CDatumShiftDetails::*;

// The ten parameters with their element names, in XML order.
const std::array<std::pair<const char*, TextField>, 10> parameterFields{{
    {"TranslationX", &CDatumShiftDetails::translationX},
    {"TranslationY", &CDatumShiftDetails::translationY},
    {"TranslationZ", &CDatumShiftDetails::translationZ},
    {"RotationX", &CDatumShiftDetails::rotationX},
    {"RotationY", &CDatumShiftDetails::rotationY},
    {"RotationZ", &CDatumShiftDetails::rotationZ},
    {"ScaleChange", &CDatumShiftDetails::scaleChange},
    {"PivotPointX", &CDatumShiftDetails::pivotPointX},
    {"PivotPointY", &CDatumShiftDetails::pivotPointY},
    {"PivotPointZ", &CDatumShiftDetails::pivotPointZ},
}};

// True when the unit is one that the recalculation takes.
bool convertsToInfo(const std::shared_ptr<CUnitDetails>& unit)
{
    CUnitInfo info;
    return unit && unit->toInfo(info);
}

// True when the recalculation reads the text: in the unit (an angle in the unit's format, say),
// or as one plain finite number when there is no unit that converts.
bool readsInUnit(const QString& text, const std::shared_ptr<CUnitDetails>& unit)
{
    if (convertsToInfo(unit))
        return unit->readInBase(text).has_value();
    try {
        textToFiniteDouble(text.toStdString(), "CDatumShiftDetails::unreadableParameter");
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

const QString exactLabel = QStringLiteral("Формулы пересчета");
const QString exactValue = QStringLiteral("нелинеаризованные");
const QString roleLabel = QStringLiteral("Применение попарного преобразования");

} // namespace

CDatumShiftDetails::CDatumShiftDetails()
    : CAbstractDetails(QStringLiteral("datumshift"))
{
}

void CDatumShiftDetails::clear()
{
    name.clear();
    description.clear();
    identifier.clear();
    pairwiseRole = 0;
    type = 0;
    for (const auto& field : parameterFields)
        (this->*field.second).clear();
    conventionCode = 0;
    exact = false;
    lengthUnit.reset();
    angleUnit.reset();
    scaleUnit.reset();
    epsgCode = 0;
    datumShiftType.clear();
}

bool CDatumShiftDetails::isValid() const
{
    return type != 0 && !name.isEmpty();
}

bool CDatumShiftDetails::operator==(const CDatumShiftDetails& other) const
{
    if (!isValid() || !other.isValid() || !sameBaseName(name, other.name)
        || description != other.description || identifier != other.identifier
        || pairwiseRole != other.pairwiseRole || type != other.type)
        return false;
    for (const auto& field : parameterFields) {
        if (!numbersEqual(this->*field.second, other.*field.second, parameterTolerance))
            return false;
    }
    return conventionCode == other.conventionCode && exact == other.exact
        && epsgCode == other.epsgCode && typeRecordCode() == other.typeRecordCode()
        && sameUnit(lengthUnit, other.lengthUnit) && sameUnit(angleUnit, other.angleUnit)
        && sameUnit(scaleUnit, other.scaleUnit);
}

int CDatumShiftDetails::typeRecordCode() const
{
    return datumShiftType.code != 0 ? datumShiftType.code : type;
}

bool CDatumShiftDetails::toInfo(CDatumShiftInfo& info) const
{
    return fillOrClear(info, [&] { return fillInfo(info); });
}

bool CDatumShiftDetails::fillInfo(CDatumShiftInfo& info) const
{
    if (!isValid())
        return false;
    info.name = name.toStdString();
    info.description = description.toStdString();
    info.identifier = identifier.toStdString();
    info.pairwise_role = pairwiseRole;
    info.type = type;
    info.tx = translationX.toStdString();
    info.ty = translationY.toStdString();
    info.tz = translationZ.toStdString();
    info.rx = rotationX.toStdString();
    info.ry = rotationY.toStdString();
    info.rz = rotationZ.toStdString();
    info.dm = scaleChange.toStdString();
    info.px = pivotPointX.toStdString();
    info.py = pivotPointY.toStdString();
    info.pz = pivotPointZ.toStdString();
    info.convention = conventionCode;
    info.exact = exact;
    info.epsg = epsgCode;
    if (!convertLink(lengthUnit, info.length_unit) || !convertLink(angleUnit, info.angle_unit)
        || !convertLink(scaleUnit, info.scale_unit))
        return false;
    if (datumShiftType.isValid())
        datumShiftType.toInfo(info.type_info);
    return true;
}

QDomElement CDatumShiftDetails::toXml(QDomDocument& document, const QString& tag) const
{
    QDomElement element = document.createElement(tag);
    if (!isValid())
        return element;
    appendTextElement(document, element, QStringLiteral("Name"), name, true);
    appendTextElement(document, element, QStringLiteral("Description"), description, true);
    appendTextElement(document, element, QStringLiteral("Identifier"), identifier, true);
    appendNumberElementIfSet(document, element, QStringLiteral("PairwiseRole"), pairwiseRole, 0);
    for (const auto& field : parameterFields)
        appendTextElement(document, element, QLatin1String(field.first), this->*field.second, true);
    appendNumberElementIfSet(document, element, QStringLiteral("ConventionCode"), conventionCode, 0);
    appendBoolElement(document, element, QStringLiteral("Exact"), exact, true);
    appendNumberElement(document, element, QStringLiteral("Type"), type);
    if (datumShiftType.isValid())
        element.appendChild(datumShiftType.toXml(document, QStringLiteral("DatumShiftType")));
    if (lengthUnit)
        element.appendChild(lengthUnit->toXml(document, QStringLiteral("LengthUnit")));
    if (angleUnit)
        element.appendChild(angleUnit->toXml(document, QStringLiteral("AngleUnit")));
    if (scaleUnit)
        element.appendChild(scaleUnit->toXml(document, QStringLiteral("ScaleUnit")));
    appendNumberElementIfSet(document, element, QStringLiteral("EpsgCode"), epsgCode, 0);
    return element;
}

bool CDatumShiftDetails::fromXml(const QDomNode& node)
{
    clear();
    CXmlFields fields;
    for (const auto& field : parameterFields)
        fields.text(QLatin1String(field.first), this->*field.second);
    fields.text(QStringLiteral("Name"), name)
        .text(QStringLiteral("Description"), description)
        .text(QStringLiteral("Identifier"), identifier)
        .number(QStringLiteral("PairwiseRole"), pairwiseRole)
        .number(QStringLiteral("Type"), type)
        .number(QStringLiteral("ConventionCode"), conventionCode)
        .flag(QStringLiteral("Exact"), exact)
        .element(QStringLiteral("DatumShiftType"),
                 [this](const QDomElement& element) {
                     CDatumShiftTypeDetails read;
                     if (read.fromXml(element))
                         datumShiftType = read;
                 })
        .link(QStringLiteral("LengthUnit"), lengthUnit)
        .link(QStringLiteral("AngleUnit"), angleUnit)
        .link(QStringLiteral("ScaleUnit"), scaleUnit)
        .number(QStringLiteral("EpsgCode"), epsgCode)
        .read(node);
    return isValid();
}

QVector<CDatumShiftDetails::ParamLine> CDatumShiftDetails::parameterLines(int code) const
{
    if (code < DatumShiftMolodensky || code > DatumShiftMolodenskyBadekasHelmert)
        return {};
    QVector<ParamLine> lines{
        {QStringLiteral("Сдвиг по X"), translationX, lengthUnit, false},
        {QStringLiteral("Сдвиг по Y"), translationY, lengthUnit, false},
        {QStringLiteral("Сдвиг по Z"), translationZ, lengthUnit, false},
    };
    if (code == DatumShiftMolodensky)
        return lines;
    if (code == DatumShiftMolodenskyBadekasRss || code == DatumShiftMolodenskyBadekasHelmert) {
        lines += {
            {QStringLiteral("X начальной точки"), pivotPointX, lengthUnit, false},
            {QStringLiteral("Y начальной точки"), pivotPointY, lengthUnit, false},
            {QStringLiteral("Z начальной точки"), pivotPointZ, lengthUnit, false},
        };
    }
    lines += {
        {QStringLiteral("Поворот вокруг оси X"), rotationX, angleUnit, false},
        {QStringLiteral("Поворот вокруг оси Y"), rotationY, angleUnit, false},
        {QStringLiteral("Поворот вокруг оси Z"), rotationZ, angleUnit, false},
        {QStringLiteral("Поправка масштаба"), scaleChange, scaleUnit, true},
    };
    return lines;
}

QString CDatumShiftDetails::unreadableParameter() const
{
    // The recalculation takes the parameters that the type uses (not the type record's code).
    for (const ParamLine& line : parameterLines(type)) {
        if (line.value.trimmed().isEmpty() || readsInUnit(line.value, line.unit))
            continue;
        QString reason = QStringLiteral("Параметр «%1» преобразования датума «%2»: «%3» не является числом")
                             .arg(line.label, name, line.value);
        if (convertsToInfo(line.unit))
            reason += QStringLiteral(" в единице «%1»").arg(line.unit->name);
        return reason;
    }
    return QString();
}

bool CDatumShiftDetails::showsExact() const
{
    return exact && datumShiftType.code >= DatumShiftRotationShiftScale
        && datumShiftType.code <= DatumShiftMolodenskyBadekasHelmert;
}

QString CDatumShiftDetails::roleName() const
{
    int role = 0;
    setPairwiseRole(role, pairwiseRole);
    return role == 0 ? QString() : QString::fromStdString(pairwiseRoleName(role));
}

void CDatumShiftDetails::fillInfoTree(QTreeWidgetItem* parent) const
{
    addNameItems(parent, name, description);
    if (!identifier.isEmpty()) {
        QTreeWidgetItem* pairwise =
            addInfoLine(parent, QStringLiteral("Попарное преобразование"), identifier);
        addInfoLine(pairwise, QStringLiteral("Идентификатор"), identifier);
        if (!roleName().isEmpty())
            addInfoLine(pairwise, roleLabel, roleName());
    }
    if (datumShiftType.isValid())
        datumShiftType.fillInfoTree(
            addInfoLine(parent, QStringLiteral("Тип преобразования"), datumShiftType.name));
    QTreeWidgetItem* params = addInfoItem(parent, QStringLiteral("Параметры преобразования"));
    for (const ParamLine& line : parameterLines(datumShiftType.code)) {
        const QString value = line.scale
            ? valueWithUnit(line.value, line.unit)
            : QStringLiteral("%1 %2").arg(line.value, unitLabel(line.unit));
        addInfoLine(params, line.label, value);
    }
    if (showsExact())
        addInfoLine(parent, exactLabel, exactValue);
    QTreeWidgetItem* units = addInfoItem(params, QStringLiteral("Единицы измерения параметров"));
    const int code = datumShiftType.code;
    if (code >= DatumShiftMolodensky && code <= DatumShiftMolodenskyBadekasHelmert && lengthUnit)
        lengthUnit->fillInfoTree(
            addInfoLine(units, QStringLiteral("Единица измерения длин"), lengthUnit->getName()));
    if (code >= DatumShiftRotationShiftScale && code <= DatumShiftMolodenskyBadekasHelmert) {
        if (angleUnit)
            angleUnit->fillInfoTree(
                addInfoLine(units, QStringLiteral("Единица измерения углов"), angleUnit->getName()));
        if (scaleUnit)
            scaleUnit->fillInfoTree(addInfoLine(
                units, QStringLiteral("Единица измерения масштаба"), scaleUnit->getName()));
    }
    addExportItems(parent, epsgCode, NoValue);
}

QString CDatumShiftDetails::infoText() const
{
    QString text = nameInfoText(name, description);
    if (!identifier.isEmpty())
        text += infoLine(QStringLiteral("Идентификатор"), identifier);
    if (!roleName().isEmpty())
        text += infoLine(roleLabel, roleName());
    text += infoLine(QStringLiteral("Тип"), datumShiftType.name);
    text += infoLine(QStringLiteral("Параметры"), QString());
    for (const ParamLine& line : parameterLines(datumShiftType.code))
        text += QStringLiteral("    ") + infoLine(line.label, valueWithUnit(line.value, line.unit));
    if (showsExact())
        text += infoLine(exactLabel, exactValue);
    return text + exportInfoText(epsgCode, NoValue);
}
