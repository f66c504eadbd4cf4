#include "frametransformparamsshifth.h"
#include "ui_frametransformparamsshifth.h"

#include "browser/framedatabasepicker.h"
#include "browser/guihelpers.h"
#include "browser/namefield.h"
#include "database/codetablesaxes.h"
#include "database/tablecatalogue.h"
#include "database/validators.h"

#include <QBoxLayout>

void FrameTransformParamsShiftH::Params::clear()
{
    *this = Params();
}

FrameTransformParamsShiftH::FrameTransformParamsShiftH(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::FrameTransformParamsShiftH)
{
    ui->setupUi(this);
    ui->editShift->setValidator(createDoubleValidator(-1e15, 1e15, 10, ui->editShift));
    fitNumberInputs({ui->editShift});
    m_unitPicker = new FrameDatabasePicker(TableUnitLength, QStringLiteral("Единица измерения"),
                                           QBoxLayout::TopToBottom, this);
    ui->layoutUnit->addWidget(m_unitPicker);
    connect(ui->buttonDiscardChanges, &QPushButton::clicked, this, &FrameTransformParamsShiftH::slotDiscardChanges);
    connect(ui->buttonRevert, &QPushButton::clicked, this, &FrameTransformParamsShiftH::slotRevert);
    connect(ui->buttonSetIdentic, &QPushButton::clicked, this, &FrameTransformParamsShiftH::slotSetIdentic);
    connect(m_unitPicker, &FrameDatabasePicker::picked, this, &FrameTransformParamsShiftH::slotUnitSelected);
    connect(m_unitPicker, &FrameDatabasePicker::cleared, this, [this] { slotUnitSelected(NoValue); });
}

FrameTransformParamsShiftH::~FrameTransformParamsShiftH()
{
    delete ui;
}

void FrameTransformParamsShiftH::load(int transformKey)
{
    m_stored.clear();
    const TransformParamEntries entries = readTransformParamEntries(transformKey);
    if (entries.contains(TransformParamDH)) {
        m_stored.dh = entries.value(TransformParamDH).value;
        m_stored.unit = entries.value(TransformParamDH).unit;
    }
    showParams(m_stored);
}

bool FrameTransformParamsShiftH::save(TransformParamEntries& entries)
{
    entries.clear();
    Params params;
    if (!validate(params))
        return false;
    putEntry(entries, TransformParamDH, params.dh, params.unit);
    return true;
}

bool FrameTransformParamsShiftH::validate(Params& params)
{
    params.dh = ui->editShift->text().trimmed();
    params.unit = NoValue;
    QString warning;
    if (params.dh.isEmpty())
        warning = QStringLiteral("Необходимо задать смещение по высоте");
    else if (!isNumberText(params.dh))
        warning = notNumberWarning();
    else if (m_unit == NoValue)
        warning = QStringLiteral("Необходимо задать единицу измерения смещения по высоте");
    if (warning.isEmpty()) {
        params.unit = m_unit;
        return true;
    }
    warnParams(this, warning);
    params.clear();
    return false;
}

void FrameTransformParamsShiftH::showParams(const Params& params)
{
    ui->editShift->setText(params.dh);
    m_unit = params.unit;
    showUnit();
}

void FrameTransformParamsShiftH::setIdentity()
{
    ui->editShift->setText(QStringLiteral("0"));
}

void FrameTransformParamsShiftH::showUnit()
{
    if (!m_unitPicker->setKey(m_unit))
        m_unit = NoValue;
    setUnitLabel(ui->labelUnit, m_unitPicker->displayName());
}

void FrameTransformParamsShiftH::slotDiscardChanges()
{
    showParams(m_stored);
}

void FrameTransformParamsShiftH::slotSetIdentic()
{
    setIdentity();
}

void FrameTransformParamsShiftH::slotRevert()
{
    ui->editShift->setText(toggledSign(ui->editShift->text()));
}

void FrameTransformParamsShiftH::slotUnitSelected(int key)
{
    m_unit = key;
    showUnit();
}
