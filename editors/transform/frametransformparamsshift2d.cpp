#include "frametransformparamsshift2d.h"
#include "ui_frametransformparamsshift2d.h"

#include "browser/guihelpers.h"
#include "database/codetablesaxes.h"

void FrameTransformParamsShift2D::Params::clear()
{
    *this = Params();
}

FrameTransformParamsShift2D::FrameTransformParamsShift2D(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::FrameTransformParamsShift2D)
{
    ui->setupUi(this);
    fitNumberInputs({ui->editB1, ui->editB2});
    connect(ui->buttonDiscardChanges, &QPushButton::clicked, this,
            &FrameTransformParamsShift2D::slotDiscardChanges);
    connect(ui->buttonRevert, &QPushButton::clicked, this, &FrameTransformParamsShift2D::slotRevert);
    connect(ui->buttonSetIdentic, &QPushButton::clicked, this, &FrameTransformParamsShift2D::slotSetIdentic);
}

FrameTransformParamsShift2D::~FrameTransformParamsShift2D()
{
    delete ui;
}

void FrameTransformParamsShift2D::load(int transformKey)
{
    const TransformParamEntries entries = readTransformParamEntries(transformKey);
    m_stored.b1 = entries.value(TransformParamB1).value;
    m_stored.b2 = entries.value(TransformParamB2).value;
    showParams(m_stored);
}

bool FrameTransformParamsShift2D::save(TransformParamEntries& entries)
{
    entries.clear();
    Params params;
    if (!validate(params))
        return false;
    putEntry(entries, TransformParamB1, params.b1);
    putEntry(entries, TransformParamB2, params.b2);
    return true;
}

bool FrameTransformParamsShift2D::validate(Params& params)
{
    params.b1 = ui->editB1->text().trimmed();
    params.b2 = ui->editB2->text().trimmed();
    if (checkParamValues(this, {params.b1, params.b2}))
        return true;
    params.clear();
    return false;
}

void FrameTransformParamsShift2D::showParams(const Params& params)
{
    ui->editB1->setText(params.b1);
    ui->editB2->setText(params.b2);
}

void FrameTransformParamsShift2D::setIdentity()
{
    showParams(Params{"0", "0"});
}

void FrameTransformParamsShift2D::slotDiscardChanges()
{
    showParams(m_stored);
}

void FrameTransformParamsShift2D::slotSetIdentic()
{
    setIdentity();
}

void FrameTransformParamsShift2D::slotRevert()
{
    ui->editB1->setText(toggledSign(ui->editB1->text()));
    ui->editB2->setText(toggledSign(ui->editB2->text()));
}
