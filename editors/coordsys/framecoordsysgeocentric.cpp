#include "framecoordsysgeocentric.h"

#include "ui_framecoordsysgeocentric.h"

#include "coordsysframeparts.h"

#include "browser/framedatabasepicker.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QBoxLayout>
#include <QSqlRecord>

using namespace CoordSysFrameParts;

FrameCoordSysGeocentric::FrameCoordSysGeocentric(QWidget* parent)
    : QFrame(parent)
    , m_ui(new Ui::FrameCoordSysGeocentric)
{
    m_ui->setupUi(this);
    m_primeMeridianPicker = new FrameDatabasePicker(TablePrimeMeridian, QString(), QBoxLayout::LeftToRight, this);
    m_ui->layoutPrimeMeridian->addWidget(m_primeMeridianPicker);
    m_datumPicker = new FrameDatabasePicker(TableDatum, QString(), QBoxLayout::LeftToRight, this);
    m_ui->layoutDatum->addWidget(m_datumPicker);
    m_lengthUnitPicker = new FrameDatabasePicker(TableUnitLength, QString(), QBoxLayout::LeftToRight, this);
    m_ui->layoutUnit->addWidget(m_lengthUnitPicker);
    setDefaults();
    connect(m_lengthUnitPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysGeocentric::slotSelectLinearUnit);
    connect(m_primeMeridianPicker, &FrameDatabasePicker::picked, this,
            &FrameCoordSysGeocentric::slotSelectPrimeMeridian);
    connect(m_datumPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysGeocentric::slotSelectDatum);
    connect(m_ui->checkboxUseDatum, &QCheckBox::stateChanged, this, &FrameCoordSysGeocentric::slotUseDatumChanged);
}

FrameCoordSysGeocentric::~FrameCoordSysGeocentric()
{
    delete m_ui;
}

void FrameCoordSysGeocentric::load(int key)
{
    clear();
    QSqlRecord row;
    if (!readCoordSysRow(key, row)) {
        setDefaults();
        return;
    }
    m_ui->editAxisXName->setText(RecordStorage::text(row, "coord1_abbr"));
    m_ui->editAxisYName->setText(RecordStorage::text(row, "coord2_abbr"));
    m_ui->editAxisZName->setText(RecordStorage::text(row, "coord3_abbr"));
    m_lengthUnit = storedKey(row, "length_unit");
    m_lengthUnitPicker->setKey(m_lengthUnit);
    m_datum = storedKey(row, "datum");
    m_datumPicker->setKey(m_datum);
    m_ui->checkboxUseDatum->setChecked(m_datum != NoValue);
    slotUseDatumChanged(m_ui->checkboxUseDatum->checkState());
    m_primeMeridian = storedKey(row, "prime_meridian");
    m_primeMeridianPicker->setKey(m_primeMeridian);
}

bool FrameCoordSysGeocentric::validate(Params& params)
{
    return acceptOrWarn(this, readParams(params));
}

QString FrameCoordSysGeocentric::readParams(Params& params) const
{
    params.clear();
    if (m_lengthUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения координат");
    if (m_primeMeridian == NoValue)
        return QStringLiteral("Необходимо задать начальный меридиан");
    const bool useDatum = m_ui->checkboxUseDatum->isChecked();
    if (useDatum && m_datum == NoValue)
        return QStringLiteral("Необходимо задать датум");
    params.lengthUnit = m_lengthUnit;
    params.primeMeridian = m_primeMeridian;
    params.datum = useDatum ? m_datum : NoValue;
    params.coord1Abbr = m_ui->editAxisXName->text().trimmed();
    params.coord2Abbr = m_ui->editAxisYName->text().trimmed();
    params.coord3Abbr = m_ui->editAxisZName->text().trimmed();
    return QString();
}

void FrameCoordSysGeocentric::clear()
{
    m_ui->checkboxUseDatum->setChecked(false);
    m_ui->editAxisXName->clear();
    m_ui->editAxisYName->clear();
    m_ui->editAxisZName->clear();
    m_lengthUnitPicker->clear();
    m_primeMeridianPicker->clear();
    m_datumPicker->clear();
}

void FrameCoordSysGeocentric::setDefaults()
{
    m_ui->checkboxUseDatum->setChecked(true);
    slotUseDatumChanged(Qt::Checked);
    m_ui->editAxisXName->setText(QStringLiteral("X"));
    m_ui->editAxisYName->setText(QStringLiteral("Y"));
    m_ui->editAxisZName->setText(QStringLiteral("Z"));
    m_lengthUnit = NoValue;
    m_lengthUnitPicker->clear();
    m_primeMeridian = NoValue;
    m_primeMeridianPicker->clear();
    m_datum = NoValue;
    m_datumPicker->clear();
}

void FrameCoordSysGeocentric::slotSelectLinearUnit(int key)
{
    m_lengthUnit = key;
    m_lengthUnitPicker->setKey(key);
}

void FrameCoordSysGeocentric::slotSelectPrimeMeridian(int key)
{
    m_primeMeridian = key;
    m_primeMeridianPicker->setKey(key);
}

void FrameCoordSysGeocentric::slotSelectDatum(int key)
{
    m_datum = key;
    m_datumPicker->setKey(key);
}

void FrameCoordSysGeocentric::slotUseDatumChanged(int state)
{
    m_datumPicker->setPickEnabled(state == Qt::Checked);
}
