#include "framedatumshifthelmert.h"

#include "ui_framedatumshifthelmert.h"

#include "datumshiftframeparts.h"

#include "records/recordstorage.h"

#include <QSqlRecord>

FrameDatumShiftHelmert::FrameDatumShiftHelmert(QWidget* parent)
    : FrameDatumShiftSevenParams(parent)
    , m_ui(new Ui::FrameDatumShiftHelmert)
{
    m_ui->setupUi(this);
    setupControls();
    clear();
}

FrameDatumShiftHelmert::~FrameDatumShiftHelmert()
{
    delete m_ui;
}

bool FrameDatumShiftHelmert::getParams(Params& params)
{
    const QString fault = readParams(params);
    return fault.isEmpty() || DatumShiftFrameParts::refuse(this, fault);
}

QString FrameDatumShiftHelmert::readParams(Params& params) const
{
    params.clear();
    Params read;
    QString fault = readParameters(read);
    if (fault.isEmpty())
        fault = readUnits(read, QStringLiteral("Необходимо задать единицу измерения смещений"));
    if (!fault.isEmpty())
        return fault;
    read.exact = m_ui->checkboxNonlinear->isChecked();
    params = read;
    return QString();
}

void FrameDatumShiftHelmert::load(int key)
{
    clear();
    QSqlRecord row;
    if (!DatumShiftFrameParts::readShiftRow(key, row))
        return;
    showParameters(row);
    m_ui->checkboxNonlinear->setChecked(RecordStorage::number(row, "exact") != 0);
}

void FrameDatumShiftHelmert::clear()
{
    clearParameters();
    m_ui->checkboxNonlinear->setChecked(false);
}
