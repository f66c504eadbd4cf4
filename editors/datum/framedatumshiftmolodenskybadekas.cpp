#include "framedatumshiftmolodenskybadekas.h"

#include "ui_framedatumshiftmolodenskybadekas.h"

#include "datumshiftframeparts.h"

#include "records/recordstorage.h"

#include <QSqlRecord>

using namespace DatumShiftFrameParts;

FrameDatumShiftMolodenskyBadekas::FrameDatumShiftMolodenskyBadekas(QWidget* parent)
    : FrameDatumShiftSevenParams(parent)
    , m_ui(new Ui::FrameDatumShiftMolodenskyBadekas)
{
    m_ui->setupUi(this);
    setupControls();
    m_ui->groupboxReverse->hide();
    clear();
}

FrameDatumShiftMolodenskyBadekas::~FrameDatumShiftMolodenskyBadekas()
{
    delete m_ui;
}

bool FrameDatumShiftMolodenskyBadekas::getParams(Params& params)
{
    const QString fault = readParams(params);
    return fault.isEmpty() || refuse(this, fault);
}

QString FrameDatumShiftMolodenskyBadekas::readParams(Params& params) const
{
    params.clear();
    Params read;
    const QString fault = readParameters(read);
    if (!fault.isEmpty())
        return fault;
    read.px = parameterValue(m_ui->editPivotX);
    read.py = parameterValue(m_ui->editPivotY);
    read.pz = parameterValue(m_ui->editPivotZ);
    if (read.px.isEmpty() || read.py.isEmpty() || read.pz.isEmpty())
        return QStringLiteral("Необходимо задать координаты центра поворота");
    const QString noUnit = readUnits(read, QStringLiteral("Необходимо задать единицу измерения координат центра поворота и смещений"));
    if (!noUnit.isEmpty())
        return noUnit;
    read.exact = m_ui->radioReversePrecise->isChecked();
    params = read;
    return QString();
}

void FrameDatumShiftMolodenskyBadekas::load(int key)
{
    clear();
    QSqlRecord row;
    if (!readShiftRow(key, row))
        return;
    m_ui->editPivotX->setText(parameterText(row, "px"));
    m_ui->editPivotY->setText(parameterText(row, "py"));
    m_ui->editPivotZ->setText(parameterText(row, "pz"));
    showParameters(row);
    const bool precise = RecordStorage::number(row, "exact") != 0;
    m_ui->radioReversePrecise->setChecked(precise);
    m_ui->radioReverseStandard->setChecked(!precise);
}

void FrameDatumShiftMolodenskyBadekas::clear()
{
    clearParameters();
}
