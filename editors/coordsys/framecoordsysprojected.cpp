#include "framecoordsysprojected.h"

#include "ui_framecoordsysprojected.h"

#include "browser/framedatabasepicker.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

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
    connect(m_base.primeMeridian.picker(), &FrameDatabasePicker::picked, this,
            &FrameCoordSysProjected::slotSelectPrimeMeridian);
    connect(m_base.datum.picker(), &FrameDatabasePicker::picked, this, &FrameCoordSysProjected::slotSelectDatum);
    connect(m_base.ellipsoid.picker(), &FrameDatabasePicker::picked, this,
            &FrameCoordSysProjected::slotSelectEllipsoid);
    connect(m_planeUnit.picker(), &FrameDatabasePicker::picked, this, &FrameCoordSysProjected::slotSelectPlaneUnit);
    connect(m_heightUnit.picker(), &FrameDatabasePicker::picked, this, &FrameCoordSysProjected::slotSelectHeightUnit);
    connect(m_mapProjection.picker(), &FrameDatabasePicker::picked, this,
            &FrameCoordSysProjected::slotSelectMapProjection);
    connect(m_vertCoordSys.picker(), &FrameDatabasePicker::picked, this,
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
    m_base.load(row);
    slotSelectMapProjection(storedKey(row, "map_proj"));
    m_ui->checkboxVerticalCoordSys->setChecked(storedKey(row, "vert_coordsys") != NoValue);
    slotUseGeoidChanged(m_ui->checkboxVerticalCoordSys->checkState());
    m_vertCoordSys.load(row, "vert_coordsys");
    m_planeUnit.load(row, "length_unit");
    m_heightUnit.load(row, "height_unit");
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
    if (m_planeUnit.key() == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения плановых координат");
    if (m_heightUnit.key() == NoValue)
        return QStringLiteral("Необходимо задать единицу измерения высоты");
    if (m_base.primeMeridian.key() == NoValue)
        return QStringLiteral("Необходимо задать начальный меридиан");
    if (m_mapProjection.key() == NoValue)
        return QStringLiteral("Необходимо задать картографическую проекцию");
    Params read;
    const QString fault = m_base.readDatumOrEllipsoid(read.datum, read.ellipsoid);
    if (!fault.isEmpty())
        return fault;
    const bool useHeightSystem = m_ui->checkboxVerticalCoordSys->isChecked();
    if (useHeightSystem && m_vertCoordSys.key() == NoValue)
        return QStringLiteral("Необходимо задать систему высот");
    read.vertCoordSys = useHeightSystem ? m_vertCoordSys.key() : NoValue;
    read.lengthUnit = m_planeUnit.key();
    read.heightUnit = m_heightUnit.key();
    read.primeMeridian = m_base.primeMeridian.key();
    read.mapProjection = m_mapProjection.key();
    read.coord1Abbr = m_ui->editPlaneCoord1Symbol->text().trimmed();
    read.coord2Abbr = m_ui->editPlaneCoord2Symbol->text().trimmed();
    read.coord3Abbr = m_ui->editHeightSymbol->text().trimmed();
    params = read;
    return QString();
}

void FrameCoordSysProjected::clear()
{
    m_base.clear();
    m_ui->editPlaneCoord1Symbol->clear();
    m_ui->editPlaneCoord2Symbol->clear();
    m_ui->editHeightSymbol->clear();
    resetKeys();
    m_ui->checkboxVerticalCoordSys->setChecked(false);
    slotUseGeoidChanged(Qt::Unchecked);
}

void FrameCoordSysProjected::setDefaults()
{
    m_base.setDefaults();
    m_ui->editPlaneCoord1Symbol->clear();
    m_ui->editPlaneCoord2Symbol->clear();
    m_ui->editHeightSymbol->setText(QStringLiteral("H"));
    resetKeys();
    m_ui->checkboxVerticalCoordSys->setChecked(false);
    slotUseGeoidChanged(Qt::Unchecked);
}

void FrameCoordSysProjected::slotSelectPrimeMeridian(int key)
{
    m_base.primeMeridian.pick(key);
}

void FrameCoordSysProjected::slotSelectDatum(int key)
{
    m_base.datum.pick(key);
}

void FrameCoordSysProjected::slotSelectEllipsoid(int key)
{
    m_base.ellipsoid.pick(key);
}

void FrameCoordSysProjected::slotSelectPlaneUnit(int key)
{
    m_planeUnit.pick(key);
}

void FrameCoordSysProjected::slotSelectHeightUnit(int key)
{
    m_heightUnit.pick(key);
}

void FrameCoordSysProjected::slotSelectMapProjection(int key)
{
    m_mapProjection.pick(key);
    updateMapProjection();
}

void FrameCoordSysProjected::slotSelectVerticalCoordSys(int key)
{
    m_vertCoordSys.pick(key);
}

void FrameCoordSysProjected::slotDatumEllipsoidSwitched(bool)
{
    m_base.followMode();
}

void FrameCoordSysProjected::slotUseGeoidChanged(int state)
{
    m_vertCoordSys.picker()->setPickEnabled(state == Qt::Checked);
}

void FrameCoordSysProjected::createPickers()
{
    m_base.create(this, m_ui->layoutPrimeMeridian, m_ui->layoutDatum, m_ui->layoutEllipsoid, m_ui->radioDatum,
                  m_ui->radioEllipsoid);
    m_mapProjection = CPickedKey(addPicker(this, TableMapProj, QString(), m_ui->layoutProjection));
    m_mapProjection.picker()->addColumn(QStringLiteral("coord1_abbr"));
    m_mapProjection.picker()->addColumn(QStringLiteral("coord2_abbr"));
    m_planeUnit = CPickedKey(addPicker(this, TableUnitLength, QString(), m_ui->layoutPlaneUnit));
    m_heightUnit = CPickedKey(addPicker(this, TableUnitLength, QStringLiteral("Ед.изм."), m_ui->layoutHeightUnit));
    m_vertCoordSys = CPickedKey(addPicker(this, TableVertCoordSys, QString(), m_ui->layoutVerticalCoordSys));
}

void FrameCoordSysProjected::resetKeys()
{
    for (CPickedKey* held : {&m_mapProjection, &m_planeUnit, &m_heightUnit, &m_vertCoordSys})
        held->reset();
    m_projectionAbbr1.clear();
    m_projectionAbbr2.clear();
}

void FrameCoordSysProjected::updateMapProjection()
{
    FrameDatabasePicker* picker = m_mapProjection.picker();
    const bool shown = picker->key() != NoValue;
    const auto value = [picker, shown](const char* column) {
        return shown ? picker->columnValue(QLatin1String(column)) : QString();
    };
    followProjection(m_ui->editPlaneCoord1Symbol, m_projectionAbbr1, value("coord1_abbr"));
    followProjection(m_ui->editPlaneCoord2Symbol, m_projectionAbbr2, value("coord2_abbr"));
}
