#include "framecoordsyslocalcartesian.h"

#include "ui_framecoordsyslocalcartesian.h"

#include "coordsysframeparts.h"

#include "browser/framedatabasepicker.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QBoxLayout>
#include <QSqlRecord>

using namespace CoordSysFrameParts;

FrameCoordSysLocalCartesian::FrameCoordSysLocalCartesian(QWidget* parent)
    : QFrame(parent)
    , m_ui(new Ui::FrameCoordSysLocalCartesian)
{
    m_ui->setupUi(this);
    m_lengthUnitPicker = new FrameDatabasePicker(TableUnitLength, QStringLiteral("Ед. измерения"),
                                                 QBoxLayout::LeftToRight, this);
    m_ui->layoutLengthUnit->addWidget(m_lengthUnitPicker);
    setDefaults();
    connect(m_lengthUnitPicker, &FrameDatabasePicker::picked, this,
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
    m_lengthUnit = storedKey(row, "length_unit");
    m_lengthUnitPicker->setKey(m_lengthUnit);
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
    if (m_lengthUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения координат");
    params.lengthUnit = m_lengthUnit;
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
    m_lengthUnit = NoValue;
    m_lengthUnitPicker->clear();
}

void FrameCoordSysLocalCartesian::setDefaults()
{
    m_ui->radioRight->setChecked(true);
    m_ui->editAxisXName->setText(QStringLiteral("x"));
    m_ui->editAxisYName->setText(QStringLiteral("y"));
    m_ui->editAxisZName->setText(QStringLiteral("z"));
    m_lengthUnit = NoValue;
    m_lengthUnitPicker->clear();
}

void FrameCoordSysLocalCartesian::slotSelectLinearUnit(int key)
{
    m_lengthUnit = key;
    m_lengthUnitPicker->setKey(key);
}
