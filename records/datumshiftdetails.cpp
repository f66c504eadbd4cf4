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

#include <QTreeWidgetItem>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace {

const double parameterTolerance = 1e-6;

using TextField = QString CDatumShiftDetails::*;
using UnitField = std::shared_ptr<CUnitDetails> CDatumShiftDetails::*;

struct ParameterField {
    const char* tag;
    TextField text;
    // The unit that reads it.
    UnitField unit;
};

// The ten parameters with their element names, in XML order.
const std::array<ParameterField, 10> parameterFields{{
    {"TranslationX", &CDatumShiftDetails::translationX, &CDatumShiftDetails::lengthUnit},
    {"TranslationY", &CDatumShiftDetails::translationY, &CDatumShiftDetails::lengthUnit},
    {"TranslationZ", &CDatumShiftDetails::translationZ, &CDatumShiftDetails::lengthUnit},
    {"RotationX", &CDatumShiftDetails::rotationX, &CDatumShiftDetails::angleUnit},
    {"RotationY", &CDatumShiftDetails::rotationY, &CDatumShiftDetails::angleUnit},
    {"RotationZ", &CDatumShiftDetails::rotationZ, &CDatumShiftDetails::angleUnit},
    {"ScaleChange", &CDatumShiftDetails::scaleChange, &CDatumShiftDetails::scaleUnit},
    {"PivotPointX", &CDatumShiftDetails::pivotPointX, &CDatumShiftDetails::lengthUnit},
    {"PivotPointY", &CDatumShiftDetails::pivotPointY, &CDatumShiftDetails::lengthUnit},
    {"PivotPointZ", &CDatumShiftDetails::pivotPointZ, &CDatumShiftDetails::lengthUnit},
}};

std::optional<double> readInOwnUnit(const QString& text, const std::shared_ptr<CUnitDetails>& unit)
{
    return unit ? unit->readInUnit(text) : std::nullopt;
}

// Where both texts read in their units, the values that the units read (degrees of an angle in
// degrees, minutes and seconds) are compared; otherwise the texts as plain numbers.
bool sameParameter(const CDatumShiftDetails& one, const CDatumShiftDetails& other, const ParameterField& field)
{
    const QString& a = one.*field.text;
    const QString& b = other.*field.text;
    const std::optional<double> x = readInOwnUnit(a, one.*field.unit);
    const std::optional<double> y = readInOwnUnit(b, other.*field.unit);
    if (x && y)
        return valuesClose(*x, *y, parameterTolerance);
    return numbersEqual(a, b, parameterTolerance);
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
        (this->*field.text).clear();
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
        if (!sameParameter(*this, other, field))
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
        appendTextElement(document, element, QLatin1String(field.tag), this->*field.text, true);
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
        fields.text(QLatin1String(field.tag), this->*field.text);
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
                     if (CXmlFields::readRecord(read, element))
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
    // The element and the unit of a parameter are those of its field.
    const auto line = [this](const QString& label, TextField text, bool scale = false) {
        const ParameterField& field = *std::find_if(parameterFields.cbegin(), parameterFields.cend(),
                                                    [text](const ParameterField& each) { return each.text == text; });
        return ParamLine{label, this->*text, this->*field.unit, scale, QLatin1String(field.tag)};
    };
    QVector<ParamLine> lines{
        line(QStringLiteral("Сдвиг по X"), &CDatumShiftDetails::translationX),
        line(QStringLiteral("Сдвиг по Y"), &CDatumShiftDetails::translationY),
        line(QStringLiteral("Сдвиг по Z"), &CDatumShiftDetails::translationZ),
    };
    if (code == DatumShiftMolodensky)
        return lines;
    if (code == DatumShiftMolodenskyBadekasRss || code == DatumShiftMolodenskyBadekasHelmert) {
        lines += {
            line(QStringLiteral("X начальной точки"), &CDatumShiftDetails::pivotPointX),
            line(QStringLiteral("Y начальной точки"), &CDatumShiftDetails::pivotPointY),
            line(QStringLiteral("Z начальной точки"), &CDatumShiftDetails::pivotPointZ),
        };
    }
    lines += {
        line(QStringLiteral("Поворот вокруг оси X"), &CDatumShiftDetails::rotationX),
        line(QStringLiteral("Поворот вокруг оси Y"), &CDatumShiftDetails::rotationY),
        line(QStringLiteral("Поворот вокруг оси Z"), &CDatumShiftDetails::rotationZ),
        line(QStringLiteral("Поправка масштаба"), &CDatumShiftDetails::scaleChange, true),
    };
    return lines;
}

QString CDatumShiftDetails::unreadableParameter() const
{
    // The recalculation takes the parameters that the type uses (not the type record's code).
    for (const ParamLine& line : parameterLines(type)) {
        if (line.value.trimmed().isEmpty())
            continue;
        const QString misfit = unreadInUnit(line.value, line.unit);
        if (!misfit.isEmpty())
            return QStringLiteral("Параметр «%1» преобразования датума «%2»: %3").arg(line.label, name, misfit);
    }
    return QString();
}

QVector<CNumberText> CDatumShiftDetails::numberTexts() const
{
    QVector<CNumberText> numbers;
    for (const ParamLine& line : parameterLines(type))
        numbers.append({line.tag, line.value, line.unit, true});
    return numbers;
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
