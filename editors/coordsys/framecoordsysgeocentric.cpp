#include "framecoordsysgeocentric.h"

#include "ui_framecoordsysgeocentric.h"

#include "browser/framedatabasepicker.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QSqlRecord>

using namespace CoordSysFrameParts;

FrameCoordSysGeocentric::FrameCoordSysGeocentric(QWidget* parent)
    : QFrame(parent)
    , m_ui(new Ui::FrameCoordSysGeocentric)
{
    m_ui->setupUi(this);
    m_primeMeridian = CPickedKey(addPicker(this, TablePrimeMeridian, QString(), m_ui->layoutPrimeMeridian));
    m_datum = CPickedKey(addPicker(this, TableDatum, QString(), m_ui->layoutDatum));
    m_lengthUnit = CPickedKey(addPicker(this, TableUnitLength, QString(), m_ui->layoutUnit));
    setDefaults();
    connect(m_lengthUnit.picker(), &FrameDatabasePicker::picked, this, &FrameCoordSysGeocentric::slotSelectLinearUnit);
    connect(m_primeMeridian.picker(), &FrameDatabasePicker::picked, this,
            &FrameCoordSysGeocentric::slotSelectPrimeMeridian);
    connect(m_datum.picker(), &FrameDatabasePicker::picked, this, &FrameCoordSysGeocentric::slotSelectDatum);
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
    m_lengthUnit.load(row, "length_unit");
    m_datum.load(row, "datum");
    m_ui->checkboxUseDatum->setChecked(m_datum.key() != NoValue);
    slotUseDatumChanged(m_ui->checkboxUseDatum->checkState());
    m_primeMeridian.load(row, "prime_meridian");
}

bool FrameCoordSysGeocentric::validate(Params& params)
{
    return acceptOrWarn(this, readParams(params));
}

QString FrameCoordSysGeocentric::readParams(Params& params) const
{
    params.clear();
    if (m_lengthUnit.key() == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения координат");
    if (m_primeMeridian.key() == NoValue)
        return QStringLiteral("Необходимо задать начальный меридиан");
    const bool useDatum = m_ui->checkboxUseDatum->isChecked();
    if (useDatum && m_datum.key() == NoValue)
        return QStringLiteral("Необходимо задать датум");
    params.lengthUnit = m_lengthUnit.key();
    params.primeMeridian = m_primeMeridian.key();
    params.datum = useDatum ? m_datum.key() : NoValue;
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
    resetKeys();
}

void FrameCoordSysGeocentric::setDefaults()
{
    m_ui->checkboxUseDatum->setChecked(true);
    slotUseDatumChanged(Qt::Checked);
    m_ui->editAxisXName->setText(QStringLiteral("X"));
    m_ui->editAxisYName->setText(QStringLiteral("Y"));
    m_ui->editAxisZName->setText(QStringLiteral("Z"));
    resetKeys();
}

void FrameCoordSysGeocentric::slotSelectLinearUnit(int key)
{
    m_lengthUnit.pick(key);
}

void FrameCoordSysGeocentric::slotSelectPrimeMeridian(int key)
{
    m_primeMeridian.pick(key);
}

void FrameCoordSysGeocentric::slotSelectDatum(int key)
{
    m_datum.pick(key);
}

void FrameCoordSysGeocentric::slotUseDatumChanged(int state)
{
    m_datum.picker()->setPickEnabled(state == Qt::Checked);
}

void FrameCoordSysGeocentric::resetKeys()
{
    for (CPickedKey* held : {&m_lengthUnit, &m_primeMeridian, &m_datum})
        held->reset();
}
