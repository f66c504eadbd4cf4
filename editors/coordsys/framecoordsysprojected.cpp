#include "framecoordsysprojected.h"

#include "ui_framecoordsysprojected.h"

#include "coordsysframeparts.h"

#include "browser/framedatabasepicker.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QBoxLayout>
#include <QSqlRecord>

using namespace CoordSysFrameParts;

namespace {

// The edit takes the projection's symbol when it is empty or still shows what the previous
// projection gave.
void followProjection(QLineEdit* edit, QString& given, const QString& next)
{
    const QString shown = edit->text().trimmed();
    if (shown.isEmpty() || shown == given)
        edit->setText(next);
    given = next;
}

} // namespace

FrameCoordSysProjected::FrameCoordSysProjected(QWidget* parent)
    : QFrame(parent)
    , m_ui(new Ui::FrameCoordSysProjected)
{
    m_ui->setupUi(this);
    createPickers();
    setDefaults();
    connect(m_primeMeridianPicker, &FrameDatabasePicker::picked, this,
            &FrameCoordSysProjected::slotSelectPrimeMeridian);
    connect(m_datumPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysProjected::slotSelectDatum);
    connect(m_ellipsoidPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysProjected::slotSelectEllipsoid);
    connect(m_planeUnitPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysProjected::slotSelectPlaneUnit);
    connect(m_heightUnitPicker, &FrameDatabasePicker::picked, this, &FrameCoordSysProjected::slotSelectHeightUnit);
    connect(m_mapProjectionPicker, &FrameDatabasePicker::picked, this,
            &FrameCoordSysProjected::slotSelectMapProjection);
    connect(m_vertCoordSysPicker, &FrameDatabasePicker::picked, this,
            &FrameCoordSysProjected::slotSelectVerticalCoordSys);
    connect(m_ui->radioDatum, &QRadioButton::toggled, this, &FrameCoordSysProjected::slotDatumEllipsoidSwitched);
    connect(m_ui->radioEllipsoid, &QRadioButton::toggled, this, &FrameCoordSysProjected::slotDatumEllipsoidSwitched);
    connect(m_ui->checkboxVerticalCoordSys, &QCheckBox::stateChanged, this,
            &FrameCoordSysProjected::slotUseGeoidChanged);
}

FrameCoordSysProjected::~FrameCoordSysProjected()
{
    delete m_ui;
}

void FrameCoordSysProjected::load(int key)
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
    m_mapProjection = storedKey(row, "map_proj");
    m_vertCoordSys = storedKey(row, "vert_coordsys");
    m_planeUnit = storedKey(row, "length_unit");
    m_heightUnit = storedKey(row, "height_unit");
    m_datumPicker->setKey(m_datum);
    m_ellipsoidPicker->setKey(m_ellipsoid);
    m_primeMeridianPicker->setKey(m_primeMeridian);
    updateMapProjection();
    const bool datumMode = m_datum != NoValue;
    (datumMode ? m_ui->radioDatum : m_ui->radioEllipsoid)->setChecked(true);
    slotDatumEllipsoidSwitched(datumMode);
    m_ui->checkboxVerticalCoordSys->setChecked(m_vertCoordSys != NoValue);
    slotUseGeoidChanged(m_ui->checkboxVerticalCoordSys->checkState());
    m_vertCoordSysPicker->setKey(m_vertCoordSys);
    m_planeUnitPicker->setKey(m_planeUnit);
    m_heightUnitPicker->setKey(m_heightUnit);
    m_ui->editPlaneCoord1Symbol->setText(RecordStorage::text(row, "coord1_abbr"));
    m_ui->editPlaneCoord2Symbol->setText(RecordStorage::text(row, "coord2_abbr"));
    m_ui->editHeightSymbol->setText(RecordStorage::text(row, "coord3_abbr"));
}

bool FrameCoordSysProjected::validate(Params& params)
{
    return acceptOrWarn(this, readParams(params));
}

QString FrameCoordSysProjected::readParams(Params& params) const
{
    params.clear();
    if (m_planeUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения плановых координат");
    if (m_heightUnit == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения высоты");
    if (m_primeMeridian == NoValue)
        return QStringLiteral("Необходимо задать начальный меридиан");
    if (m_mapProjection == NoValue)
        return QStringLiteral("Необходимо задать картографическую проекцию");
    Params read;
    const QString fault =
        readDatumOrEllipsoid(m_ui->radioDatum->isChecked(), m_datum, m_ellipsoid, read.datum, read.ellipsoid);
    if (!fault.isEmpty())
        return fault;
    const bool useHeightSystem = m_ui->checkboxVerticalCoordSys->isChecked();
    if (useHeightSystem && m_vertCoordSys == NoValue)
        return QStringLiteral("Необходимо задать систему высот");
    read.vertCoordSys = useHeightSystem ? m_vertCoordSys : NoValue;
    read.lengthUnit = m_planeUnit;
    read.heightUnit = m_heightUnit;
    read.primeMeridian = m_primeMeridian;
    read.mapProjection = m_mapProjection;
    read.coord1Abbr = m_ui->editPlaneCoord1Symbol->text().trimmed();
    read.coord2Abbr = m_ui->editPlaneCoord2Symbol->text().trimmed();
    read.coord3Abbr = m_ui->editHeightSymbol->text().trimmed();
    params = read;
    return QString();
}

void FrameCoordSysProjected::clear()
{
    m_ui->radioDatum->setChecked(false);
    m_ui->radioEllipsoid->setChecked(false);
    slotDatumEllipsoidSwitched(false);
    m_ui->editPlaneCoord1Symbol->clear();
    m_ui->editPlaneCoord2Symbol->clear();
    m_ui->editHeightSymbol->clear();
    clearKeys();
    m_ui->checkboxVerticalCoordSys->setChecked(false);
    slotUseGeoidChanged(Qt::Unchecked);
}

void FrameCoordSysProjected::setDefaults()
{
    m_ui->radioDatum->setChecked(true);
    slotDatumEllipsoidSwitched(true);
    m_ui->editPlaneCoord1Symbol->clear();
    m_ui->editPlaneCoord2Symbol->clear();
    m_ui->editHeightSymbol->setText(QStringLiteral("H"));
    clearKeys();
    m_ui->checkboxVerticalCoordSys->setChecked(false);
    slotUseGeoidChanged(Qt::Unchecked);
}

void FrameCoordSysProjected::slotSelectPrimeMeridian(int key)
{
    m_primeMeridian = key;
    m_primeMeridianPicker->setKey(key);
}

void FrameCoordSysProjected::slotSelectDatum(int key)
{
    m_datum = key;
    m_datumPicker->setKey(key);
}

void FrameCoordSysProjected::slotSelectEllipsoid(int key)
{
    m_ellipsoid = key;
    m_ellipsoidPicker->setKey(key);
}

void FrameCoordSysProjected::slotSelectPlaneUnit(int key)
{
    m_planeUnit = key;
    m_planeUnitPicker->setKey(key);
}

void FrameCoordSysProjected::slotSelectHeightUnit(int key)
{
    m_heightUnit = key;
    m_heightUnitPicker->setKey(key);
}

void FrameCoordSysProjected::slotSelectMapProjection(int key)
{
    m_mapProjection = key;
    updateMapProjection();
}

void FrameCoordSysProjected::slotSelectVerticalCoordSys(int key)
{
    m_vertCoordSys = key;
    m_vertCoordSysPicker->setKey(key);
}

void FrameCoordSysProjected::slotDatumEllipsoidSwitched(bool)
{
    enableDatumOrEllipsoid(m_datumPicker, m_ellipsoidPicker, m_ui->radioDatum->isChecked());
}

void FrameCoordSysProjected::slotUseGeoidChanged(int state)
{
    m_vertCoordSysPicker->setPickEnabled(state == Qt::Checked);
}

void FrameCoordSysProjected::createPickers()
{
    const auto add = [this](int tableId, const QString& header, QBoxLayout* layout) {
        auto* picker = new FrameDatabasePicker(tableId, header, QBoxLayout::LeftToRight, this);
        layout->addWidget(picker);
        return picker;
    };
    m_primeMeridianPicker = add(TablePrimeMeridian, QString(), m_ui->layoutPrimeMeridian);
    m_datumPicker = add(TableDatum, QString(), m_ui->layoutDatum);
    m_ellipsoidPicker = add(TableEllipsoid, QString(), m_ui->layoutEllipsoid);
    m_mapProjectionPicker = add(TableMapProj, QString(), m_ui->layoutProjection);
    m_mapProjectionPicker->addColumn(QStringLiteral("coord1_abbr"));
    m_mapProjectionPicker->addColumn(QStringLiteral("coord2_abbr"));
    m_planeUnitPicker = add(TableUnitLength, QString(), m_ui->layoutPlaneUnit);
    m_heightUnitPicker = add(TableUnitLength, QStringLiteral("Ед.изм."), m_ui->layoutHeightUnit);
    m_vertCoordSysPicker = add(TableVertCoordSys, QString(), m_ui->layoutVerticalCoordSys);
}

void FrameCoordSysProjected::clearKeys()
{
    for (int* key : {&m_primeMeridian, &m_datum, &m_ellipsoid, &m_mapProjection, &m_planeUnit, &m_heightUnit,
                     &m_vertCoordSys})
        *key = NoValue;
    for (FrameDatabasePicker* picker : {m_primeMeridianPicker, m_datumPicker, m_ellipsoidPicker, m_mapProjectionPicker,
                                        m_planeUnitPicker, m_heightUnitPicker, m_vertCoordSysPicker})
        picker->clear();
    m_projectionAbbr1.clear();
    m_projectionAbbr2.clear();
}

void FrameCoordSysProjected::updateMapProjection()
{
    const bool shown = m_mapProjectionPicker->setKey(m_mapProjection);
    const auto value = [this, shown](const char* column) {
        return shown ? m_mapProjectionPicker->columnValue(QLatin1String(column)) : QString();
    };
    followProjection(m_ui->editPlaneCoord1Symbol, m_projectionAbbr1, value("coord1_abbr"));
    followProjection(m_ui->editPlaneCoord2Symbol, m_projectionAbbr2, value("coord2_abbr"));
}
