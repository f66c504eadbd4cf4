#include "framecoordsystopocentric.h"

#include "ui_framecoordsystopocentric.h"

#include "coordsysframeparts.h"

#include "browser/framedatabasepicker.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QBoxLayout>
#include <QSqlRecord>

using namespace CoordSysFrameParts;

FrameCoordSysTopocentric::FrameCoordSysTopocentric(QWidget* parent)
    : QFrame(parent)
    , m_ui(new Ui::FrameCoordSysTopocentric)
{
    m_ui->setupUi(this);
    createPickers();
    setDefaults();
    connect(m_primeMeridianPicker, &FrameDatabasePicker::picked, this,
            &FrameCoordSysTopocentric::slotSelectPrimeMeridian);
    connect(m_datumPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysTopocentric::slotSelectDatum);
    connect(m_ellipsoidPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysTopocentric::slotSelectEllipsoid);
    connect(m_originAngleUnitPicker, &FrameDatabasePicker::picked, this,
            &FrameCoordSysTopocentric::slotSelectAngularUnitOrigin);
    connect(m_originLengthUnitPicker, &FrameDatabasePicker::picked, this,
            &FrameCoordSysTopocentric::slotSelectLinearUnitOrigin);
    connect(m_azimuthUnitPicker, &FrameDatabasePicker::picked, this,
            &FrameCoordSysTopocentric::slotSelectAngularUnitAzimuth);
    connect(m_lengthUnitPicker, &FrameDatabasePicker::picked, this,
            &FrameCoordSysTopocentric::slotSelectLinearUnitCoords);
    connect(m_ui->radioDatum, &QRadioButton::toggled, this, &FrameCoordSysTopocentric::slotDatumEllipsoidSwitched);
    connect(m_ui->radioEllipsoid, &QRadioButton::toggled, this,
            &FrameCoordSysTopocentric::slotDatumEllipsoidSwitched);
}

FrameCoordSysTopocentric::~FrameCoordSysTopocentric()
{
    delete m_ui;
}

void FrameCoordSysTopocentric::load(int key)
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
    m_originAngleUnit = storedKey(row, "origin_angle_unit");
    m_originLengthUnit = storedKey(row, "origin_length_unit");
    m_azimuthUnit = storedKey(row, "azimuth_unit");
    m_lengthUnit = storedKey(row, "length_unit");
    m_datumPicker->setKey(m_datum);
    m_ellipsoidPicker->setKey(m_ellipsoid);
    m_primeMeridianPicker->setKey(m_primeMeridian);
    const bool datumMode = m_datum != NoValue;
    (datumMode ? m_ui->radioDatum : m_ui->radioEllipsoid)->setChecked(true);
    slotDatumEllipsoidSwitched(datumMode);
    m_ui->editOriginLatitude->setText(RecordStorage::text(row, "origin_coord1"));
    m_ui->editOriginLongitude->setText(RecordStorage::text(row, "origin_coord2"));
    m_ui->editOriginHeight->setText(RecordStorage::text(row, "origin_coord3"));
    m_originLengthUnitPicker->setKey(m_originLengthUnit);
    m_originAngleUnitPicker->setKey(m_originAngleUnit);
    m_ui->editAxesAzimuth->setText(RecordStorage::text(row, "azimuth"));
    m_azimuthUnitPicker->setKey(m_azimuthUnit);
    const bool left = RecordStorage::number(row, "swap_coords") != 0;
    (left ? m_ui->radioAxesOrientationLeft : m_ui->radioAxesOrientationRight)->setChecked(true);
    m_lengthUnitPicker->setKey(m_lengthUnit);
    m_ui->editCoord1Symbol->setText(RecordStorage::text(row, "coord1_abbr"));
    m_ui->editCoord2Symbol->setText(RecordStorage::text(row, "coord2_abbr"));
    m_ui->editCoord3Symbol->setText(RecordStorage::text(row, "coord3_abbr"));
}

bool FrameCoordSysTopocentric::validate(Params& params)
{
    return acceptOrWarn(this, readParams(params));
}

QString FrameCoordSysTopocentric::readParams(Params& params) const
{
    params.clear();
    Params read;
    QString fault =
        readDatumOrEllipsoid(m_ui->radioDatum->isChecked(), m_datum, m_ellipsoid, read.datum, read.ellipsoid);
    if (fault.isEmpty() && m_primeMeridian == NoValue)
        fault = QStringLiteral("Необходимо задать начальный меридиан");
    if (fault.isEmpty())
        fault = readOrigin(read);
    if (!fault.isEmpty())
        return fault;
    read.primeMeridian = m_primeMeridian;
    read.swapCoords = m_ui->radioAxesOrientationLeft->isChecked();
    read.coord1Abbr = m_ui->editCoord1Symbol->text().trimmed();
    read.coord2Abbr = m_ui->editCoord2Symbol->text().trimmed();
    read.coord3Abbr = m_ui->editCoord3Symbol->text().trimmed();
    params = read;
    return QString();
}

QString FrameCoordSysTopocentric::readOrigin(Params& read) const
{
    read.originCoord1 = m_ui->editOriginLatitude->text().trimmed();
    read.originCoord2 = m_ui->editOriginLongitude->text().trimmed();
    read.originCoord3 = m_ui->editOriginHeight->text().trimmed();
    if (read.originCoord1.isEmpty() || read.originCoord2.isEmpty() || read.originCoord3.isEmpty())
        return QStringLiteral("Необходимо задать координаты начала отсчета");
    read.originAngleUnit = m_originAngleUnit;
    if (m_originAngleUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения широты и долготы начала отсчета");
    read.originLengthUnit = m_originLengthUnit;
    if (m_originLengthUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения высоты начала отсчета");
    read.azimuth = m_ui->editAxesAzimuth->text().trimmed();
    if (read.azimuth.isEmpty())
        return QStringLiteral("Необходимо задать азимут направления первой оси системы координат");
    read.azimuthUnit = m_azimuthUnit;
    if (m_azimuthUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения азимута");
    read.lengthUnit = m_lengthUnit;
    if (m_lengthUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения координат");
    return QString();
}

// The origin and azimuth texts go too, so a record shown before leaves none behind.
void FrameCoordSysTopocentric::clear()
{
    m_ui->radioDatum->setChecked(false);
    m_ui->radioEllipsoid->setChecked(false);
    slotDatumEllipsoidSwitched(false);
    m_ui->editCoord1Symbol->clear();
    m_ui->editCoord2Symbol->clear();
    m_ui->editCoord3Symbol->clear();
    m_ui->editOriginLatitude->clear();
    m_ui->editOriginLongitude->clear();
    m_ui->editOriginHeight->clear();
    m_ui->editAxesAzimuth->clear();
    clearKeys();
}

void FrameCoordSysTopocentric::setDefaults()
{
    m_ui->radioDatum->setChecked(true);
    slotDatumEllipsoidSwitched(true);
    m_ui->editCoord1Symbol->setText(QStringLiteral("x"));
    m_ui->editCoord2Symbol->setText(QStringLiteral("y"));
    m_ui->editCoord3Symbol->setText(QStringLiteral("z"));
    clearKeys();
    m_ui->radioAxesOrientationRight->setChecked(true);
}

void FrameCoordSysTopocentric::slotSelectPrimeMeridian(int key)
{
    m_primeMeridian = key;
    m_primeMeridianPicker->setKey(key);
}

void FrameCoordSysTopocentric::slotSelectDatum(int key)
{
    m_datum = key;
    m_datumPicker->setKey(key);
}

void FrameCoordSysTopocentric::slotSelectEllipsoid(int key)
{
    m_ellipsoid = key;
    m_ellipsoidPicker->setKey(key);
}

void FrameCoordSysTopocentric::slotDatumEllipsoidSwitched(bool)
{
    enableDatumOrEllipsoid(m_datumPicker, m_ellipsoidPicker, m_ui->radioDatum->isChecked());
}

void FrameCoordSysTopocentric::slotSelectLinearUnitOrigin(int key)
{
    m_originLengthUnit = key;
    m_originLengthUnitPicker->setKey(key);
}

void FrameCoordSysTopocentric::slotSelectAngularUnitOrigin(int key)
{
    m_originAngleUnit = key;
    m_originAngleUnitPicker->setKey(key);
}

void FrameCoordSysTopocentric::slotSelectAngularUnitAzimuth(int key)
{
    m_azimuthUnit = key;
    m_azimuthUnitPicker->setKey(key);
}

void FrameCoordSysTopocentric::slotSelectLinearUnitCoords(int key)
{
    m_lengthUnit = key;
    m_lengthUnitPicker->setKey(key);
}

void FrameCoordSysTopocentric::createPickers()
{
    const auto add = [this](int tableId, const QString& header, int direction, QBoxLayout* layout) {
        auto* picker = new FrameDatabasePicker(tableId, header, direction, this);
        layout->addWidget(picker);
        return picker;
    };
    const int beside = QBoxLayout::LeftToRight;
    const int above = QBoxLayout::TopToBottom;
    m_primeMeridianPicker = add(TablePrimeMeridian, QString(), beside, m_ui->layoutPrimeMeridian);
    m_datumPicker = add(TableDatum, QString(), beside, m_ui->layoutDatum);
    m_ellipsoidPicker = add(TableEllipsoid, QString(), beside, m_ui->layoutEllipsoid);
    m_originAngleUnitPicker =
        add(TableUnitAngle, QStringLiteral("Ед.изм. широты и долготы"), above, m_ui->layoutUnits);
    m_originLengthUnitPicker = add(TableUnitLength, QStringLiteral("Ед.изм. высоты"), above, m_ui->layoutUnits);
    m_azimuthUnitPicker = add(TableUnitAngle, QStringLiteral("Ед.изм. азимута"), above, m_ui->layoutAzimuth);
    m_lengthUnitPicker = add(TableUnitLength, QStringLiteral("Ед.изм. координат"), above, m_ui->layoutCoordUnit);
}

void FrameCoordSysTopocentric::clearKeys()
{
    for (int* key : {&m_primeMeridian, &m_datum, &m_ellipsoid, &m_originAngleUnit, &m_originLengthUnit,
                     &m_azimuthUnit, &m_lengthUnit})
        *key = NoValue;
    for (FrameDatabasePicker* picker : {m_primeMeridianPicker, m_datumPicker, m_ellipsoidPicker,
                                        m_originAngleUnitPicker, m_originLengthUnitPicker, m_azimuthUnitPicker,
                                        m_lengthUnitPicker})
        picker->clear();
}
