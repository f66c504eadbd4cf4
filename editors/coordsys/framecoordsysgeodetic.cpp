#include "framecoordsysgeodetic.h"

#include "ui_framecoordsysgeodetic.h"

#include "browser/framedatabasepicker.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QKeyEvent>
#include <QSqlRecord>

using namespace CoordSysFrameParts;

namespace {

const QString kLatitude = QStringLiteral("φ");
const QString kLongitude = QStringLiteral("λ");

} // namespace

FrameCoordSysGeodetic::FrameCoordSysGeodetic(QWidget* parent)
    : QFrame(parent)
    , m_ui(new Ui::FrameCoordSysGeodetic)
{
    m_ui->setupUi(this);
    createPickers();
    setDefaults();
    m_ui->editLatSymbol->setToolTip(QStringLiteral("Нажмите Ctrl-P, чтобы вставить ") + kLatitude);
    m_ui->editLonSymbol->setToolTip(QStringLiteral("Нажмите Ctrl-L, чтобы вставить ") + kLongitude);
    connect(m_base.primeMeridian.picker(), &FrameDatabasePicker::picked, this,
            &FrameCoordSysGeodetic::slotSelectPrimeMeridian);
    connect(m_base.datum.picker(), &FrameDatabasePicker::picked, this, &FrameCoordSysGeodetic::slotSelectDatum);
    connect(m_base.ellipsoid.picker(), &FrameDatabasePicker::picked, this, &FrameCoordSysGeodetic::slotSelectEllipsoid);
    connect(m_heightUnit.picker(), &FrameDatabasePicker::picked, this, &FrameCoordSysGeodetic::slotSelectLinearUnit);
    connect(m_angleUnit.picker(), &FrameDatabasePicker::picked, this, &FrameCoordSysGeodetic::slotSelectAngularUnit);
    connect(m_vertCoordSys.picker(), &FrameDatabasePicker::picked, this,
            &FrameCoordSysGeodetic::slotSelectVerticalCoordSys);
    connect(m_ui->radioDatum, &QRadioButton::toggled, this, &FrameCoordSysGeodetic::slotDatumEllipsoidSwitched);
    connect(m_ui->radioEllipsoid, &QRadioButton::toggled, this, &FrameCoordSysGeodetic::slotDatumEllipsoidSwitched);
    connect(m_ui->checkboxVerticalCoordSys, &QCheckBox::stateChanged, this,
            &FrameCoordSysGeodetic::slotUseGeoidChanged);
}

FrameCoordSysGeodetic::~FrameCoordSysGeodetic()
{
    delete m_ui;
}

void FrameCoordSysGeodetic::load(int key)
{
    clear();
    QSqlRecord row;
    if (!readCoordSysRow(key, row)) {
        setDefaults();
        return;
    }
    m_base.load(row);
    m_ui->checkboxPositiveLon->setChecked(RecordStorage::number(row, "positive_longitude") != 0);
    m_ui->checkboxVerticalCoordSys->setChecked(storedKey(row, "vert_coordsys") != NoValue);
    slotUseGeoidChanged(m_ui->checkboxVerticalCoordSys->checkState());
    m_vertCoordSys.load(row, "vert_coordsys");
    m_heightUnit.load(row, "height_unit");
    m_angleUnit.load(row, "angle_unit");
    m_ui->editLatSymbol->setText(RecordStorage::text(row, "coord1_abbr"));
    m_ui->editLonSymbol->setText(RecordStorage::text(row, "coord2_abbr"));
    m_ui->editHeightSymbol->setText(RecordStorage::text(row, "coord3_abbr"));
}

bool FrameCoordSysGeodetic::validate(Params& params)
{
    return acceptOrWarn(this, readParams(params));
}

QString FrameCoordSysGeodetic::readParams(Params& params) const
{
    params.clear();
    if (m_angleUnit.key() == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения широты и долготы");
    if (m_heightUnit.key() == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения высоты");
    if (m_base.primeMeridian.key() == NoValue)
        return QStringLiteral("Необходимо задать начальный меридиан");
    Params read;
    const QString fault = m_base.readDatumOrEllipsoid(read.datum, read.ellipsoid);
    if (!fault.isEmpty())
        return fault;
    const bool useHeightSystem = m_ui->checkboxVerticalCoordSys->isChecked();
    if (useHeightSystem && m_vertCoordSys.key() == NoValue)
        return QStringLiteral("Необходимо задать систему высот");
    read.vertCoordSys = useHeightSystem ? m_vertCoordSys.key() : NoValue;
    read.angleUnit = m_angleUnit.key();
    read.heightUnit = m_heightUnit.key();
    read.primeMeridian = m_base.primeMeridian.key();
    read.positiveLongitude = m_ui->checkboxPositiveLon->isChecked();
    read.coord1Abbr = m_ui->editLatSymbol->text().trimmed();
    read.coord2Abbr = m_ui->editLonSymbol->text().trimmed();
    read.coord3Abbr = m_ui->editHeightSymbol->text().trimmed();
    params = read;
    return QString();
}

void FrameCoordSysGeodetic::clear()
{
    m_base.clear();
    m_ui->editLatSymbol->clear();
    m_ui->editLonSymbol->clear();
    m_ui->editHeightSymbol->clear();
    m_ui->checkboxPositiveLon->setChecked(false);
    resetKeys();
}

void FrameCoordSysGeodetic::setDefaults()
{
    m_base.setDefaults();
    m_ui->editLatSymbol->setText(kLatitude);
    m_ui->editLonSymbol->setText(kLongitude);
    m_ui->editHeightSymbol->setText(QStringLiteral("h"));
    m_ui->checkboxPositiveLon->setChecked(false);
    resetKeys();
    m_ui->checkboxVerticalCoordSys->setChecked(false);
    slotUseGeoidChanged(Qt::Unchecked);
}

void FrameCoordSysGeodetic::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() == Qt::ControlModifier;
    if (control && event->key() == Qt::Key_P && m_ui->editLatSymbol->hasFocus()) {
        m_ui->editLatSymbol->setText(kLatitude);
        return;
    }
    if (control && event->key() == Qt::Key_L && m_ui->editLonSymbol->hasFocus()) {
        m_ui->editLonSymbol->setText(kLongitude);
        return;
    }
    QFrame::keyPressEvent(event);
}

void FrameCoordSysGeodetic::slotSelectPrimeMeridian(int key)
{
    m_base.primeMeridian.pick(key);
}

void FrameCoordSysGeodetic::slotSelectDatum(int key)
{
    m_base.datum.pick(key);
}

void FrameCoordSysGeodetic::slotSelectEllipsoid(int key)
{
    m_base.ellipsoid.pick(key);
}

void FrameCoordSysGeodetic::slotSelectLinearUnit(int key)
{
    m_heightUnit.pick(key);
}

void FrameCoordSysGeodetic::slotSelectAngularUnit(int key)
{
    m_angleUnit.pick(key);
}

void FrameCoordSysGeodetic::slotSelectVerticalCoordSys(int key)
{
    m_vertCoordSys.pick(key);
}

void FrameCoordSysGeodetic::slotDatumEllipsoidSwitched(bool)
{
    m_base.followMode();
}

void FrameCoordSysGeodetic::slotUseGeoidChanged(int state)
{
    m_vertCoordSys.picker()->setPickEnabled(state == Qt::Checked);
}

void FrameCoordSysGeodetic::createPickers()
{
    const QString unitHeader = QStringLiteral("Ед.изм.");
    m_base.create(this, m_ui->layoutPrimeMeridian, m_ui->layoutDatum, m_ui->layoutEllipsoid, m_ui->radioDatum,
                  m_ui->radioEllipsoid);
    m_heightUnit = CPickedKey(addPicker(this, TableUnitLength, unitHeader, m_ui->layoutLengthUnit));
    m_angleUnit = CPickedKey(addPicker(this, TableUnitAngle, unitHeader, m_ui->layoutAngleUnit));
    m_vertCoordSys = CPickedKey(addPicker(this, TableVertCoordSys, QString(), m_ui->layoutVerticalCoordSys));
}

void FrameCoordSysGeodetic::resetKeys()
{
    for (CPickedKey* held : {&m_heightUnit, &m_angleUnit, &m_vertCoordSys})
        held->reset();
}
