#include "framedatumshiftsevenparams.h"

#include "datumshiftframeparts.h"

#include "browser/framedatabasepicker.h"
#include "browser/guihelpers.h"
#include "browser/namefield.h"
#include "browser/unitinput.h"
#include "database/tablecatalogue.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSqlRecord>

using namespace DatumShiftFrameParts;

namespace {

const QString kUnitHeader = QStringLiteral("Ед. измерения");
const QString kNoAngularUnit = QStringLiteral("Необходимо задать единицу измерения углов поворота");

} // namespace

FrameDatumShiftSevenParams::FrameDatumShiftSevenParams(QWidget* parent)
    : QFrame(parent)
{
}

void FrameDatumShiftSevenParams::setupControls()
{
    findWidgets();
    // The rotations are checked once their unit is picked.
    for (QLineEdit* edit : m_widgets.translations + m_widgets.pivot)
        edit->setValidator(createParameterValidator(this));
    m_widgets.scale->setValidator(createParameterValidator(this));
    fitNumberInputs(m_widgets.translations + m_widgets.rotations + m_widgets.pivot
                    + QList<QLineEdit*>{m_widgets.scale});
    m_linearUnitPicker = addUnitPicker(TableUnitLength, "layoutLengthUnit");
    m_angularUnitPicker = addUnitPicker(TableUnitAngle, "layoutAngleUnit");
    m_scalarUnitPicker = addUnitPicker(TableUnitScale, "layoutScaleUnit");
    connect(m_linearUnitPicker, &FrameDatabasePicker::picked, this, &FrameDatumShiftSevenParams::slotSelectLinearUnit);
    connect(m_angularUnitPicker, &FrameDatabasePicker::picked, this,
            &FrameDatumShiftSevenParams::slotSelectAngularUnit);
    connect(m_scalarUnitPicker, &FrameDatabasePicker::picked, this, &FrameDatumShiftSevenParams::slotSelectScalarUnit);
    // A unit deleted in its picker's selector is no longer held.
    connect(m_linearUnitPicker, &FrameDatabasePicker::cleared, this, [this] { slotSelectLinearUnit(NoValue); });
    connect(m_angularUnitPicker, &FrameDatabasePicker::cleared, this, [this] { slotSelectAngularUnit(NoValue); });
    connect(m_scalarUnitPicker, &FrameDatabasePicker::cleared, this, [this] { slotSelectScalarUnit(NoValue); });
}

void FrameDatumShiftSevenParams::findWidgets()
{
    const auto edit = [this](const QString& name) { return findChild<QLineEdit*>(name); };
    const auto label = [this](const QString& name) { return findChild<QLabel*>(name); };
    for (const QString axis : {"X", "Y", "Z"}) {
        m_widgets.translations.append(edit("editShift" + axis));
        m_widgets.rotations.append(edit("editRot" + axis));
        m_widgets.angleLabels.append(label("labelUnitRot" + axis));
        if (QLineEdit* pivot = edit("editPivot" + axis)) {
            m_widgets.pivot.append(pivot);
            m_widgets.lengthLabels.append(label("labelUnitPivot" + axis));
        }
    }
    for (const QString axis : {"X", "Y", "Z"})
        m_widgets.lengthLabels.append(label("labelUnitShift" + axis));
    m_widgets.scale = edit("editScale");
    m_widgets.scaleLabel = label("labelUnitScale");
}

FrameDatabasePicker* FrameDatumShiftSevenParams::addUnitPicker(int tableId, const QString& layout)
{
    auto* picker = new FrameDatabasePicker(tableId, kUnitHeader, QBoxLayout::TopToBottom, this);
    findChild<QBoxLayout*>(layout)->addWidget(picker);
    return picker;
}

void FrameDatumShiftSevenParams::clearParameters()
{
    setTexts(m_widgets.translations + m_widgets.rotations + m_widgets.pivot, QString());
    m_widgets.scale->clear();
    setTexts(m_widgets.lengthLabels + m_widgets.angleLabels, QString());
    m_widgets.scaleLabel->clear();
    m_linearUnit = NoValue;
    m_angularUnit = NoValue;
    m_scalarUnit = NoValue;
    m_linearUnitPicker->clear();
    m_angularUnitPicker->clear();
    m_scalarUnitPicker->clear();
}

void FrameDatumShiftSevenParams::showParameters(const QSqlRecord& row)
{
    const QStringList translations{"tx", "ty", "tz"};
    const QStringList rotations{"rx", "ry", "rz"};
    for (int axis = 0; axis < 3; ++axis) {
        m_widgets.translations.at(axis)->setText(parameterText(row, translations.at(axis)));
        m_widgets.rotations.at(axis)->setText(parameterText(row, rotations.at(axis)));
    }
    m_widgets.scale->setText(parameterText(row, "dm"));
    m_linearUnit = unitKey(row, "length_unit");
    showLinearUnit();
    slotSelectAngularUnit(unitKey(row, "angle_unit"));
    m_scalarUnit = unitKey(row, "scale_unit");
    showScalarUnit();
}

QString FrameDatumShiftSevenParams::readParameters(Params& params) const
{
    params.tx = parameterValue(m_widgets.translations.at(0));
    params.ty = parameterValue(m_widgets.translations.at(1));
    params.tz = parameterValue(m_widgets.translations.at(2));
    if (params.tx.isEmpty() || params.ty.isEmpty() || params.tz.isEmpty())
        return QStringLiteral("Необходимо задать смещения по всем осям координат");
    const QString rotationFault = readRotations(params);
    if (!rotationFault.isEmpty())
        return rotationFault;
    params.dm = parameterValue(m_widgets.scale);
    if (params.dm.isEmpty())
        return QStringLiteral("Необходимо задать поправку масштаба");
    return QString();
}

QString FrameDatumShiftSevenParams::readRotations(Params& params) const
{
    QString* const values[] = {&params.rx, &params.ry, &params.rz};
    for (const QLineEdit* edit : m_widgets.rotations) {
        if (edit->text().trimmed().isEmpty())
            return QStringLiteral("Необходимо задать углы поворота вокруг всех осей координат");
    }
    // A text is judged by its unit only; without one, readUnits refuses the save.
    for (int axis = 0; axis < 3; ++axis) {
        *values[axis] = m_widgets.rotations.at(axis)->text().trimmed();
        const QString misfit = unitMisfit(TableUnitAngle, m_angularUnit, QStringLiteral("Угол поворота"),
                                          *values[axis], m_angularUnitPicker->name());
        if (!misfit.isEmpty())
            return misfit;
    }
    return QString();
}

QString FrameDatumShiftSevenParams::readUnits(Params& params, const QString& noLengthUnit) const
{
    params.lengthUnit = m_linearUnit;
    if (params.lengthUnit == NoValue)
        return noLengthUnit;
    params.angleUnit = m_angularUnit;
    if (params.angleUnit == NoValue)
        return kNoAngularUnit;
    params.scaleUnit = m_scalarUnit;
    if (params.scaleUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения поправки масштаба");
    return QString();
}

void FrameDatumShiftSevenParams::slotSelectLinearUnit(int key)
{
    m_linearUnit = key;
    showLinearUnit();
}

void FrameDatumShiftSevenParams::slotSelectAngularUnit(int key)
{
    m_angularUnit = key;
    showAngularUnit();
    setRotationValidator(key, m_widgets.rotations, this);
}

void FrameDatumShiftSevenParams::slotSelectScalarUnit(int key)
{
    m_scalarUnit = key;
    showScalarUnit();
}

void FrameDatumShiftSevenParams::showLinearUnit()
{
    m_linearUnitPicker->setKey(m_linearUnit);
    setUnitLabels(m_widgets.lengthLabels, m_linearUnitPicker->displayName());
}

void FrameDatumShiftSevenParams::showAngularUnit()
{
    m_angularUnitPicker->setKey(m_angularUnit);
    setUnitLabels(m_widgets.angleLabels, m_angularUnitPicker->displayName());
}

void FrameDatumShiftSevenParams::showScalarUnit()
{
    m_scalarUnitPicker->setKey(m_scalarUnit);
    setUnitLabel(m_widgets.scaleLabel, m_scalarUnitPicker->displayName());
}
