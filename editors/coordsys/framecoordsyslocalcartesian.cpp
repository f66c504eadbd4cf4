#include "framecoordsyslocalcartesian.h"

#include "ui_framecoordsyslocalcartesian.h"

#include "browser/framedatabasepicker.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QSqlRecord>

using namespace CoordSysFrameParts;

FrameCoordSysLocalCartesian::FrameCoordSysLocalCartesian(QWidget* parent)
    : QFrame(parent)
    , m_ui(new Ui::FrameCoordSysLocalCartesian)
{
    m_ui->setupUi(this);
    m_lengthUnit =
        CPickedKey(addPicker(this, TableUnitLength, QStringLiteral("Ед. измерения"), m_ui->layoutLengthUnit));
    setDefaults();
    connect(m_lengthUnit.picker(), &FrameDatabasePicker::picked, this,
            &FrameCoordSysLocalCartesian::slotSelectLinearUnit);
}

FrameCoordSysLocalCartesian::~FrameCoordSysLocalCartesian()
{
    delete m_ui;
}

void FrameCoordSysLocalCartesian::load(int key)
{
    clear();
    setDefaults();
    QSqlRecord row;
    if (!readCoordSysRow(key, row))
        return;
    m_ui->editAxisXName->setText(RecordStorage::text(row, "coord1_abbr"));
    m_ui->editAxisYName->setText(RecordStorage::text(row, "coord2_abbr"));
    m_ui->editAxisZName->setText(RecordStorage::text(row, "coord3_abbr"));
    m_lengthUnit.load(row, "length_unit");
    const bool left = RecordStorage::number(row, "swap_coords") != 0;
    m_ui->radioLeft->setChecked(left);
    m_ui->radioRight->setChecked(!left);
}

bool FrameCoordSysLocalCartesian::validate(Params& params)
{
    return acceptOrWarn(this, readParams(params));
}

QString FrameCoordSysLocalCartesian::readParams(Params& params) const
{
    params.clear();
    if (m_lengthUnit.key() == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения координат");
    params.lengthUnit = m_lengthUnit.key();
    params.coord1Abbr = m_ui->editAxisXName->text().trimmed();
    params.coord2Abbr = m_ui->editAxisYName->text().trimmed();
    params.coord3Abbr = m_ui->editAxisZName->text().trimmed();
    params.swapCoords = m_ui->radioLeft->isChecked();
    return QString();
}

void FrameCoordSysLocalCartesian::clear()
{
    m_ui->radioRight->setChecked(false);
    m_ui->radioLeft->setChecked(false);
    m_ui->editAxisXName->clear();
    m_ui->editAxisYName->clear();
    m_ui->editAxisZName->clear();
    m_lengthUnit.reset();
}

void FrameCoordSysLocalCartesian::setDefaults()
{
    m_ui->radioRight->setChecked(true);
    m_ui->editAxisXName->setText(QStringLiteral("x"));
    m_ui->editAxisYName->setText(QStringLiteral("y"));
    m_ui->editAxisZName->setText(QStringLiteral("z"));
    m_lengthUnit.reset();
}

void FrameCoordSysLocalCartesian::slotSelectLinearUnit(int key)
{
    m_lengthUnit.pick(key);
}
