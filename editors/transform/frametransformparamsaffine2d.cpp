#include "frametransformparamsaffine2d.h"
#include "ui_frametransformparamsaffine2d.h"

#include "browser/guihelpers.h"
#include "database/codetablesaxes.h"
#include "database/numbers.h"

#include <cmath>
#include <limits>

namespace {

const double SingularDeterminant = 1e-10;
const int InverseDecimals = 12;

// A tiny value must not show as "-0".
QString inverseText(double value)
{
    const QString text = formatNumber(value, InverseDecimals);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

double readNumber(const QString& text)
{
    return textToDouble(text, std::numeric_limits<double>::quiet_NaN());
}

} // namespace

void FrameTransformParamsAffine2D::Params::clear()
{
    *this = Params();
}

FrameTransformParamsAffine2D::FrameTransformParamsAffine2D(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::FrameTransformParamsAffine2D)
{
    ui->setupUi(this);
    fitNumberInputs({ui->editA11, ui->editA12, ui->editA21, ui->editA22, ui->editB1, ui->editB2});
    ui->labelMultiply->setText(QString(QChar(0x00D7)));
    connect(ui->buttonDiscardChanges, &QPushButton::clicked, this,
            &FrameTransformParamsAffine2D::slotDiscardChanges);
    connect(ui->buttonRevert, &QPushButton::clicked, this, &FrameTransformParamsAffine2D::slotRevert);
    connect(ui->buttonSetIdentic, &QPushButton::clicked, this, &FrameTransformParamsAffine2D::slotSetIdentic);
}

FrameTransformParamsAffine2D::~FrameTransformParamsAffine2D()
{
    delete ui;
}

void FrameTransformParamsAffine2D::load(int transformKey)
{
    const TransformParamEntries entries = readTransformParamEntries(transformKey);
    m_stored.a11 = entries.value(TransformParamA11).value;
    m_stored.a12 = entries.value(TransformParamA12).value;
    m_stored.a21 = entries.value(TransformParamA21).value;
    m_stored.a22 = entries.value(TransformParamA22).value;
    m_stored.b1 = entries.value(TransformParamB1).value;
    m_stored.b2 = entries.value(TransformParamB2).value;
    showParams(m_stored);
}

bool FrameTransformParamsAffine2D::save(TransformParamEntries& entries)
{
    entries.clear();
    Params params;
    if (!validate(params))
        return false;
    putEntry(entries, TransformParamA11, params.a11);
    putEntry(entries, TransformParamA12, params.a12);
    putEntry(entries, TransformParamA21, params.a21);
    putEntry(entries, TransformParamA22, params.a22);
    putEntry(entries, TransformParamB1, params.b1);
    putEntry(entries, TransformParamB2, params.b2);
    return true;
}

bool FrameTransformParamsAffine2D::validate(Params& params)
{
    params.clear();
    params.a11 = ui->editA11->text().trimmed();
    params.a12 = ui->editA12->text().trimmed();
    params.a21 = ui->editA21->text().trimmed();
    params.a22 = ui->editA22->text().trimmed();
    params.b1 = ui->editB1->text().trimmed();
    params.b2 = ui->editB2->text().trimmed();
    if (checkParamValues(this, {params.a11, params.a12, params.a21, params.a22, params.b1, params.b2}))
        return true;
    params.clear();
    return false;
}

void FrameTransformParamsAffine2D::showParams(const Params& params)
{
    ui->editA11->setText(params.a11);
    ui->editA12->setText(params.a12);
    ui->editA21->setText(params.a21);
    ui->editA22->setText(params.a22);
    ui->editB1->setText(params.b1);
    ui->editB2->setText(params.b2);
}

void FrameTransformParamsAffine2D::setIdentity()
{
    showParams(Params{"1", "0", "0", "1", "0", "0"});
}

void FrameTransformParamsAffine2D::slotDiscardChanges()
{
    showParams(m_stored);
}

void FrameTransformParamsAffine2D::slotSetIdentic()
{
    setIdentity();
}

void FrameTransformParamsAffine2D::slotRevert()
{
    const double a11 = readNumber(ui->editA11->text());
    const double a12 = readNumber(ui->editA12->text());
    const double a21 = readNumber(ui->editA21->text());
    const double a22 = readNumber(ui->editA22->text());
    const double b1 = readNumber(ui->editB1->text());
    const double b2 = readNumber(ui->editB2->text());
    const double det = a11 * a22 - a12 * a21;
    if (!std::isfinite(det) || !std::isfinite(b1) || !std::isfinite(b2)) {
        warnParams(this, notNumberWarning());
        return;
    }
    if (std::fabs(det) <= SingularDeterminant) {
        warnParams(this, QStringLiteral("Матрица преобразования вырождена: обратного преобразования нет"));
        return;
    }
    const double i11 = a22 / det;
    const double i12 = -a12 / det;
    const double i21 = -a21 / det;
    const double i22 = a11 / det;
    showParams(Params{inverseText(i11), inverseText(i12), inverseText(i21), inverseText(i22),
                      inverseText(-(i11 * b1 + i12 * b2)), inverseText(-(i21 * b1 + i22 * b2))});
}
