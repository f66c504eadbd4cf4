#include "framedatumshiftmolodensky.h"

#include "ui_framedatumshiftmolodensky.h"

#include "datumshiftframeparts.h"

#include "browser/framedatabasepicker.h"
#include "browser/guihelpers.h"
#include "database/tablecatalogue.h"

#include <QBoxLayout>
#include <QSqlRecord>

using namespace DatumShiftFrameParts;

FrameDatumShiftMolodensky::FrameDatumShiftMolodensky(QWidget* parent)
    : QFrame(parent)
    , m_ui(new Ui::FrameDatumShiftMolodensky)
{
    m_ui->setupUi(this);
    setupControls();
    connect(m_linearUnitPicker, &FrameDatabasePicker::picked, this, &FrameDatumShiftMolodensky::slotSelectLinearUnit);
    connect(m_linearUnitPicker, &FrameDatabasePicker::cleared, this, [this] { slotSelectLinearUnit(NoValue); });
}

FrameDatumShiftMolodensky::~FrameDatumShiftMolodensky()
{
    delete m_ui;
}

bool FrameDatumShiftMolodensky::getParams(Params& params)
{
    const QString fault = readParams(params);
    return fault.isEmpty() || refuse(this, fault);
}

QString FrameDatumShiftMolodensky::readParams(Params& params) const
{
    params.clear();
    Params read;
    read.tx = parameterValue(m_ui->editTx);
    read.ty = parameterValue(m_ui->editTy);
    read.tz = parameterValue(m_ui->editTz);
    if (read.tx.isEmpty() || read.ty.isEmpty() || read.tz.isEmpty())
        return QStringLiteral("Необходимо задать смещения по всем осям координат");
    read.lengthUnit = m_linearUnit;
    if (read.lengthUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения смещений");
    params = read;
    return QString();
}

void FrameDatumShiftMolodensky::load(int key)
{
    clear();
    QSqlRecord row;
    if (!readShiftRow(key, row))
        return;
    m_ui->editTx->setText(parameterText(row, "tx"));
    m_ui->editTy->setText(parameterText(row, "ty"));
    m_ui->editTz->setText(parameterText(row, "tz"));
    m_linearUnit = unitKey(row, "length_unit");
    showLinearUnit();
}

void FrameDatumShiftMolodensky::clear()
{
    setTexts({m_ui->editTx, m_ui->editTy, m_ui->editTz}, QString());
    setTexts({m_ui->labelLinearUnitTx, m_ui->labelLinearUnitTy, m_ui->labelLinearUnitTz}, QString());
    m_linearUnit = NoValue;
    m_linearUnitPicker->clear();
}

void FrameDatumShiftMolodensky::slotSelectLinearUnit(int key)
{
    m_linearUnit = key;
    showLinearUnit();
}

void FrameDatumShiftMolodensky::setupControls()
{
    for (QLineEdit* edit : {m_ui->editTx, m_ui->editTy, m_ui->editTz})
        edit->setValidator(createParameterValidator(this));
    fitNumberInputs({m_ui->editTx, m_ui->editTy, m_ui->editTz});
    m_linearUnitPicker = new FrameDatabasePicker(TableUnitLength, QStringLiteral("Единица измерения"),
                                                 QBoxLayout::LeftToRight, this);
    m_ui->layoutUnit->addWidget(m_linearUnitPicker);
    clear();
}

void FrameDatumShiftMolodensky::showLinearUnit()
{
    m_linearUnitPicker->setKey(m_linearUnit);
    setUnitLabels({m_ui->labelLinearUnitTx, m_ui->labelLinearUnitTy, m_ui->labelLinearUnitTz},
                  m_linearUnitPicker->displayName());
}
