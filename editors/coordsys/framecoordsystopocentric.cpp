#include "framecoordsystopocentric.h"

#include "ui_framecoordsystopocentric.h"

#include "browser/framedatabasepicker.h"
#include "browser/guihelpers.h"
#include "browser/unitinput.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QSqlRecord>

using namespace CoordSysFrameParts;

namespace {

const QString kMissingOrigin = QStringLiteral("Необходимо задать координаты начала отсчета");
const QString kMissingAzimuth = QStringLiteral("Необходимо задать азимут направления первой оси системы координат");

// The warning for a text of the value that its picked unit does not read; empty when it reads.
QString checkInUnit(const QString& what, const QString& text, const CPickedKey& unit, int tableId)
{
    return unitMisfit(tableId, unit.savedKey(), what, text, unit.picker()->name());
}

} // namespace

FrameCoordSysTopocentric::FrameCoordSysTopocentric(QWidget* parent)
    : QFrame(parent)
    , m_ui(new Ui::FrameCoordSysTopocentric)
{
    m_ui->setupUi(this);
    fitNumberInputs(
        {m_ui->editOriginLatitude, m_ui->editOriginLongitude, m_ui->editOriginHeight, m_ui->editAxesAzimuth});
    createPickers();
    setDefaults();
    connect(m_base.primeMeridian.picker(), &FrameDatabasePicker::picked, this,
            &FrameCoordSysTopocentric::slotSelectPrimeMeridian);
    connect(m_base.datum.picker(), &FrameDatabasePicker::picked, this, &FrameCoordSysTopocentric::slotSelectDatum);
    connect(m_base.ellipsoid.picker(), &FrameDatabasePicker::picked, this, &FrameCoordSysTopocentric::slotSelectEllipsoid);
    connect(m_originAngleUnit.picker(), &FrameDatabasePicker::picked, this,
            &FrameCoordSysTopocentric::slotSelectAngularUnitOrigin);
    connect(m_originLengthUnit.picker(), &FrameDatabasePicker::picked, this,
            &FrameCoordSysTopocentric::slotSelectLinearUnitOrigin);
    connect(m_azimuthUnit.picker(), &FrameDatabasePicker::picked, this,
            &FrameCoordSysTopocentric::slotSelectAngularUnitAzimuth);
    connect(m_lengthUnit.picker(), &FrameDatabasePicker::picked, this,
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
    m_base.load(row);
    m_ui->editOriginLatitude->setText(RecordStorage::text(row, "origin_coord1"));
    m_ui->editOriginLongitude->setText(RecordStorage::text(row, "origin_coord2"));
    m_ui->editOriginHeight->setText(RecordStorage::text(row, "origin_coord3"));
    m_originLengthUnit.load(row, "origin_length_unit");
    m_originAngleUnit.load(row, "origin_angle_unit");
    m_ui->editAxesAzimuth->setText(RecordStorage::text(row, "azimuth"));
    m_azimuthUnit.load(row, "azimuth_unit");
    const bool left = RecordStorage::number(row, "swap_coords") != 0;
    (left ? m_ui->radioAxesOrientationLeft : m_ui->radioAxesOrientationRight)->setChecked(true);
    m_lengthUnit.load(row, "length_unit");
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
    QString fault = m_base.readDatumOrEllipsoid(read.datum, read.ellipsoid);
    if (!fault.isEmpty())
        return fault;
    read.primeMeridian = m_base.primeMeridian.savedKey();
    if (read.primeMeridian == NoValue)
        return QStringLiteral("Необходимо задать начальный меридиан");
    fault = readOrigin(read);
    if (!fault.isEmpty())
        return fault;
    read.swapCoords = m_ui->radioAxesOrientationLeft->isChecked();
    read.coord1Abbr = m_ui->editCoord1Symbol->text().trimmed();
    read.coord2Abbr = m_ui->editCoord2Symbol->text().trimmed();
    read.coord3Abbr = m_ui->editCoord3Symbol->text().trimmed();
    params = read;
    return QString();
}

// A text is refused with its unit named when the unit does not read it as a number.
QString FrameCoordSysTopocentric::readOrigin(Params& read) const
{
    read.originCoord1 = m_ui->editOriginLatitude->text().trimmed();
    read.originCoord2 = m_ui->editOriginLongitude->text().trimmed();
    read.originCoord3 = m_ui->editOriginHeight->text().trimmed();
    if (read.originCoord1.isEmpty() || read.originCoord2.isEmpty() || read.originCoord3.isEmpty())
        return kMissingOrigin;
    read.originAngleUnit = m_originAngleUnit.savedKey();
    if (read.originAngleUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения широты и долготы начала отсчета");
    read.originLengthUnit = m_originLengthUnit.savedKey();
    if (read.originLengthUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения высоты начала отсчета");
    QString fault = checkInUnit(QStringLiteral("Широта начала отсчета"), read.originCoord1, m_originAngleUnit,
                                TableUnitAngle);
    if (fault.isEmpty())
        fault = checkInUnit(QStringLiteral("Долгота начала отсчета"), read.originCoord2, m_originAngleUnit,
                            TableUnitAngle);
    if (fault.isEmpty())
        fault = checkInUnit(QStringLiteral("Высота начала отсчета"), read.originCoord3, m_originLengthUnit,
                            TableUnitLength);
    if (!fault.isEmpty())
        return fault;
    read.azimuth = m_ui->editAxesAzimuth->text().trimmed();
    if (read.azimuth.isEmpty())
        return kMissingAzimuth;
    read.azimuthUnit = m_azimuthUnit.savedKey();
    if (read.azimuthUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения азимута");
    fault = checkInUnit(QStringLiteral("Азимут первой оси"), read.azimuth, m_azimuthUnit, TableUnitAngle);
    if (!fault.isEmpty())
        return fault;
    read.lengthUnit = m_lengthUnit.savedKey();
    if (read.lengthUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения координат");
    return QString();
}

// The origin and azimuth texts go too, so a record shown before leaves none behind.
void FrameCoordSysTopocentric::clear()
{
    m_base.clear();
    m_ui->editCoord1Symbol->clear();
    m_ui->editCoord2Symbol->clear();
    m_ui->editCoord3Symbol->clear();
    m_ui->editOriginLatitude->clear();
    m_ui->editOriginLongitude->clear();
    m_ui->editOriginHeight->clear();
    m_ui->editAxesAzimuth->clear();
    resetKeys();
}

void FrameCoordSysTopocentric::setDefaults()
{
    m_base.setDefaults();
    m_ui->editCoord1Symbol->setText(QStringLiteral("x"));
    m_ui->editCoord2Symbol->setText(QStringLiteral("y"));
    m_ui->editCoord3Symbol->setText(QStringLiteral("z"));
    resetKeys();
    m_ui->radioAxesOrientationRight->setChecked(true);
}

void FrameCoordSysTopocentric::slotSelectPrimeMeridian(int key)
{
    m_base.primeMeridian.pick(key);
}

void FrameCoordSysTopocentric::slotSelectDatum(int key)
{
    m_base.datum.pick(key);
}

void FrameCoordSysTopocentric::slotSelectEllipsoid(int key)
{
    m_base.ellipsoid.pick(key);
}

void FrameCoordSysTopocentric::slotDatumEllipsoidSwitched(bool)
{
    m_base.followMode();
}

void FrameCoordSysTopocentric::slotSelectLinearUnitOrigin(int key)
{
    m_originLengthUnit.pick(key);
}

void FrameCoordSysTopocentric::slotSelectAngularUnitOrigin(int key)
{
    m_originAngleUnit.pick(key);
}

void FrameCoordSysTopocentric::slotSelectAngularUnitAzimuth(int key)
{
    m_azimuthUnit.pick(key);
}

void FrameCoordSysTopocentric::slotSelectLinearUnitCoords(int key)
{
    m_lengthUnit.pick(key);
}

void FrameCoordSysTopocentric::createPickers()
{
    const int above = QBoxLayout::TopToBottom;
    m_base.create(this, m_ui->layoutPrimeMeridian, m_ui->layoutDatum, m_ui->layoutEllipsoid, m_ui->radioDatum,
                  m_ui->radioEllipsoid);
    m_originAngleUnit = CPickedKey(
        addPicker(this, TableUnitAngle, QStringLiteral("Ед.изм. широты и долготы"), m_ui->layoutUnits, above));
    m_originLengthUnit =
        CPickedKey(addPicker(this, TableUnitLength, QStringLiteral("Ед.изм. высоты"), m_ui->layoutUnits, above));
    m_azimuthUnit =
        CPickedKey(addPicker(this, TableUnitAngle, QStringLiteral("Ед.изм. азимута"), m_ui->layoutAzimuth, above));
    m_lengthUnit = CPickedKey(
        addPicker(this, TableUnitLength, QStringLiteral("Ед.изм. координат"), m_ui->layoutCoordUnit, above));
    for (CPickedKey* held : {&m_originAngleUnit, &m_originLengthUnit, &m_azimuthUnit, &m_lengthUnit})
        held->dropWhenCleared(this);
}

void FrameCoordSysTopocentric::resetKeys()
{
    for (CPickedKey* held : {&m_originAngleUnit, &m_originLengthUnit, &m_azimuthUnit, &m_lengthUnit})
        held->reset();
}
