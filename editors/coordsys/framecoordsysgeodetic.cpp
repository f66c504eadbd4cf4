#include "framecoordsysgeodetic.h"

#include "ui_framecoordsysgeodetic.h"

#include "coordsysframeparts.h"

#include "browser/framedatabasepicker.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QBoxLayout>
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
    connect(m_primeMeridianPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysGeodetic::slotSelectPrimeMeridian);
    connect(m_datumPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysGeodetic::slotSelectDatum);
    connect(m_ellipsoidPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysGeodetic::slotSelectEllipsoid);
    connect(m_heightUnitPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysGeodetic::slotSelectLinearUnit);
    connect(m_angleUnitPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysGeodetic::slotSelectAngularUnit);
    connect(m_vertCoordSysPicker, &FrameDatabasePicker::picked, this,
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
    m_datum = storedKey(row, "datum");
    m_ellipsoid = storedKey(row, "ellipsoid");
    m_primeMeridian = storedKey(row, "prime_meridian");
    m_vertCoordSys = storedKey(row, "vert_coordsys");
    m_heightUnit = storedKey(row, "height_unit");
    m_angleUnit = storedKey(row, "angle_unit");
    m_datumPicker->setKey(m_datum);
    m_ellipsoidPicker->setKey(m_ellipsoid);
    m_primeMeridianPicker->setKey(m_primeMeridian);
    const bool datumMode = m_datum != NoValue;
    (datumMode ? m_ui->radioDatum : m_ui->radioEllipsoid)->setChecked(true);
    slotDatumEllipsoidSwitched(datumMode);
    m_ui->checkboxPositiveLon->setChecked(RecordStorage::number(row, "positive_longitude") != 0);
    m_ui->checkboxVerticalCoordSys->setChecked(m_vertCoordSys != NoValue);
    slotUseGeoidChanged(m_ui->checkboxVerticalCoordSys->checkState());
    m_vertCoordSysPicker->setKey(m_vertCoordSys);
    m_heightUnitPicker->setKey(m_heightUnit);
    m_angleUnitPicker->setKey(m_angleUnit);
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
    if (m_angleUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения широты и долготы");
    if (m_heightUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения высоты");
    if (m_primeMeridian == NoValue)
        return QStringLiteral("Необходимо задать начальный меридиан");
    Params read;
    const QString fault =
        readDatumOrEllipsoid(m_ui->radioDatum->isChecked(), m_datum, m_ellipsoid, read.datum, read.ellipsoid);
    if (!fault.isEmpty())
        return fault;
    const bool useHeightSystem = m_ui->checkboxVerticalCoordSys->isChecked();
    if (useHeightSystem && m_vertCoordSys == NoValue)
        return QStringLiteral("Необходимо задать систему высот");
    read.vertCoordSys = useHeightSystem ? m_vertCoordSys : NoValue;
    read.angleUnit = m_angleUnit;
    read.heightUnit = m_heightUnit;
    read.primeMeridian = m_primeMeridian;
    read.positiveLongitude = m_ui->checkboxPositiveLon->isChecked();
    read.coord1Abbr = m_ui->editLatSymbol->text().trimmed();
    read.coord2Abbr = m_ui->editLonSymbol->text().trimmed();
    read.coord3Abbr = m_ui->editHeightSymbol->text().trimmed();
    params = read;
    return QString();
}

void FrameCoordSysGeodetic::clear()
{
    m_ui->radioDatum->setChecked(false);
    m_ui->radioEllipsoid->setChecked(false);
    slotDatumEllipsoidSwitched(false);
    m_ui->editLatSymbol->clear();
    m_ui->editLonSymbol->clear();
    m_ui->editHeightSymbol->clear();
    m_ui->checkboxPositiveLon->setChecked(false);
    clearKeys();
}

void FrameCoordSysGeodetic::setDefaults()
{
    m_ui->radioDatum->setChecked(true);
    slotDatumEllipsoidSwitched(true);
    m_ui->editLatSymbol->setText(kLatitude);
    m_ui->editLonSymbol->setText(kLongitude);
    m_ui->editHeightSymbol->setText(QStringLiteral("h"));
    m_ui->checkboxPositiveLon->setChecked(false);
    clearKeys();
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
    m_primeMeridian = key;
    m_primeMeridianPicker->setKey(key);
}

void FrameCoordSysGeodetic::slotSelectDatum(int key)
{
    m_datum = key;
    m_datumPicker->setKey(key);
}

void FrameCoordSysGeodetic::slotSelectEllipsoid(int key)
{
    m_ellipsoid = key;
    m_ellipsoidPicker->setKey(key);
}

void FrameCoordSysGeodetic::slotSelectLinearUnit(int key)
{
    m_heightUnit = key;
    m_heightUnitPicker->setKey(key);
}

void FrameCoordSysGeodetic::slotSelectAngularUnit(int key)
{
    m_angleUnit = key;
    m_angleUnitPicker->setKey(key);
}

void FrameCoordSysGeodetic::slotSelectVerticalCoordSys(int key)
{
    m_vertCoordSys = key;
    m_vertCoordSysPicker->setKey(key);
}

void FrameCoordSysGeodetic::slotDatumEllipsoidSwitched(bool)
{
    enableDatumOrEllipsoid(m_datumPicker, m_ellipsoidPicker, m_ui->radioDatum->isChecked());
}

void FrameCoordSysGeodetic::slotUseGeoidChanged(int state)
{
    m_vertCoordSysPicker->setPickEnabled(state == Qt::Checked);
}

void FrameCoordSysGeodetic::createPickers()
{
    const QString unitHeader = QStringLiteral("Ед.изм.");
    m_primeMeridianPicker = new FrameDatabasePicker(TablePrimeMeridian, QString(), QBoxLayout::LeftToRight, this);
    m_ui->layoutPrimeMeridian->addWidget(m_primeMeridianPicker);
    m_datumPicker = new FrameDatabasePicker(TableDatum, QString(), QBoxLayout::LeftToRight, this);
    m_ui->layoutDatum->addWidget(m_datumPicker);
    m_ellipsoidPicker = new FrameDatabasePicker(TableEllipsoid, QString(), QBoxLayout::LeftToRight, this);
    m_ui->layoutEllipsoid->addWidget(m_ellipsoidPicker);
    m_heightUnitPicker = new FrameDatabasePicker(TableUnitLength, unitHeader, QBoxLayout::LeftToRight, this);
    m_ui->layoutLengthUnit->addWidget(m_heightUnitPicker);
    m_angleUnitPicker = new FrameDatabasePicker(TableUnitAngle, unitHeader, QBoxLayout::LeftToRight, this);
    m_ui->layoutAngleUnit->addWidget(m_angleUnitPicker);
    m_vertCoordSysPicker = new FrameDatabasePicker(TableVertCoordSys, QString(), QBoxLayout::LeftToRight, this);
    m_ui->layoutVerticalCoordSys->addWidget(m_vertCoordSysPicker);
}

void FrameCoordSysGeodetic::clearKeys()
{
    for (int* key : {&m_primeMeridian, &m_datum, &m_ellipsoid, &m_heightUnit, &m_angleUnit, &m_vertCoordSys})
        *key = NoValue;
    for (FrameDatabasePicker* picker : {m_primeMeridianPicker, m_datumPicker, m_ellipsoidPicker, m_heightUnitPicker,
                                        m_angleUnitPicker, m_vertCoordSysPicker})
        picker->clear();
}
