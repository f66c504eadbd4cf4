#include "dialogcoordsyseditor.h"

#include "ui_dialogcoordsyseditor.h"

#include "coordsysframeparts.h"
#include "framecoordsysgeocentric.h"
#include "framecoordsysgeodetic.h"
#include "framecoordsyslocalcartesian.h"
#include "framecoordsysprojected.h"
#include "framecoordsystopocentric.h"

#include "browser/dependencycollector.h"
#include "browser/dialogsavepoint.h"
#include "browser/editorsave.h"
#include "browser/framedatabasepicker.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "browser/prompt.h"
#include "browser/screenfit.h"
#include "database/codetablestypes.h"
#include "database/tablecatalogue.h"
#include "editors/transform/frameextra.h"
#include "editors/transform/frametransformlist.h"
#include "records/recordstorage.h"

#include <QBoxLayout>
#include <QSqlRecord>

namespace {

const QString kClassName = QStringLiteral("DialogCoordSysEditor");

// The parameter columns of every type, in the order of the statements.
const QStringList kParameterColumns{"datum", "ellipsoid", "prime_meridian", "map_proj", "vert_coordsys",
                                    "origin_coord1", "origin_coord2", "origin_coord3", "origin_angle_unit",
                                    "origin_length_unit", "azimuth", "azimuth_unit", "positive_longitude",
                                    "swap_coords", "length_unit", "angle_unit", "height_unit",
                                    "coord1_abbr", "coord2_abbr", "coord3_abbr"};

// The columns a frame shows as a box or a switch, where NULL reads as 0.
const QStringList kFlagColumns{"positive_longitude", "swap_coords"};

QVariant null()
{
    return QVariant(QVariant::Int);
}

template <class Params>
void putAbbreviations(QVariantMap& columns, const Params& params)
{
    columns["coord1_abbr"] = params.coord1Abbr;
    columns["coord2_abbr"] = params.coord2Abbr;
    columns["coord3_abbr"] = params.coord3Abbr;
}

template <class Params>
void putGeodeticBase(QVariantMap& columns, const Params& params)
{
    columns["datum"] = RecordStorage::linkValue(params.datum);
    columns["ellipsoid"] = RecordStorage::linkValue(params.ellipsoid);
    columns["prime_meridian"] = params.primeMeridian;
}

QString localCartesianColumns(const FrameCoordSysLocalCartesian& frame, QVariantMap& columns)
{
    FrameCoordSysLocalCartesian::Params params;
    const QString fault = frame.readParams(params);
    columns["length_unit"] = params.lengthUnit;
    columns["swap_coords"] = int(params.swapCoords);
    putAbbreviations(columns, params);
    return fault;
}

QString geocentricColumns(const FrameCoordSysGeocentric& frame, QVariantMap& columns)
{
    FrameCoordSysGeocentric::Params params;
    const QString fault = frame.readParams(params);
    columns["datum"] = RecordStorage::linkValue(params.datum);
    columns["prime_meridian"] = params.primeMeridian;
    columns["length_unit"] = params.lengthUnit;
    putAbbreviations(columns, params);
    return fault;
}

QString geodeticColumns(const FrameCoordSysGeodetic& frame, QVariantMap& columns)
{
    FrameCoordSysGeodetic::Params params;
    const QString fault = frame.readParams(params);
    putGeodeticBase(columns, params);
    columns["vert_coordsys"] = RecordStorage::linkValue(params.vertCoordSys);
    columns["positive_longitude"] = int(params.positiveLongitude);
    columns["angle_unit"] = params.angleUnit;
    columns["height_unit"] = params.heightUnit;
    putAbbreviations(columns, params);
    return fault;
}

QString projectedColumns(const FrameCoordSysProjected& frame, QVariantMap& columns)
{
    FrameCoordSysProjected::Params params;
    const QString fault = frame.readParams(params);
    putGeodeticBase(columns, params);
    columns["map_proj"] = params.mapProjection;
    columns["vert_coordsys"] = RecordStorage::linkValue(params.vertCoordSys);
    columns["length_unit"] = params.lengthUnit;
    columns["height_unit"] = params.heightUnit;
    putAbbreviations(columns, params);
    return fault;
}

QString topocentricColumns(const FrameCoordSysTopocentric& frame, QVariantMap& columns)
{
    FrameCoordSysTopocentric::Params params;
    const QString fault = frame.readParams(params);
    putGeodeticBase(columns, params);
    columns["origin_coord1"] = params.originCoord1;
    columns["origin_coord2"] = params.originCoord2;
    columns["origin_coord3"] = params.originCoord3;
    columns["origin_angle_unit"] = params.originAngleUnit;
    columns["origin_length_unit"] = params.originLengthUnit;
    columns["azimuth"] = params.azimuth;
    columns["azimuth_unit"] = params.azimuthUnit;
    columns["swap_coords"] = int(params.swapCoords);
    columns["length_unit"] = params.lengthUnit;
    putAbbreviations(columns, params);
    return fault;
}

// The transform lists the system owns, then its own list when it is not among them.
bool collectTransformLists(int key, QVector<int>& lists)
{
    const QString statement = QString("SELECT %1 FROM %2 WHERE owner=? AND owner_table=?;")
                                  .arg(keyColumnName(TableTransformList), tableName(TableTransformList));
    if (!RecordStorage::selectKeys(statement, {key, tableName(TableCoordSys)}, lists))
        return false;
    QSqlRecord row;
    if (!RecordStorage::readRow(TableCoordSys, key, row))
        return false;
    const int own = CoordSysFrameParts::storedKey(row, "transform_list");
    if (own != NoValue && !lists.contains(own))
        lists.append(own);
    return true;
}

} // namespace

DialogCoordSysEditor::DialogCoordSysEditor(int key, QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::DialogCoordSysEditor)
    , m_key(key)
{
    m_ui->setupUi(this);
    createFrames();
    if (m_key == NoValue)
        clear();
    else
        load();
    connect(m_ui->buttonSave, &QPushButton::clicked, this, &DialogCoordSysEditor::slotSave);
    connect(m_ui->buttonCancel, &QPushButton::clicked, this, &DialogCoordSysEditor::slotCancel);
    connect(m_typePicker, &FrameDatabasePicker::picked, this, &DialogCoordSysEditor::slotSelectType);
    connect(m_ui->checkboxShowTransforms, &QCheckBox::stateChanged, this,
            &DialogCoordSysEditor::slotShowTransformsStateChanged);
    connect(m_ui->checkboxShowExtra, &QCheckBox::stateChanged, this, &DialogCoordSysEditor::slotShowExtraStateChanged);
    connect(m_ui->checkboxShowExport, &QCheckBox::stateChanged, this,
            &DialogCoordSysEditor::slotShowExportStateChanged);
    keepOnScreen(this);
}

DialogCoordSysEditor::~DialogCoordSysEditor()
{
    delete m_ui;
}

int DialogCoordSysEditor::Create()
{
    int key = NoValue;
    DialogSavepoint::execDialog<DialogCoordSysEditor>(
        kClassName, QStringLiteral("Create"), [] { return new DialogCoordSysEditor(NoValue); },
        [&key](DialogCoordSysEditor& editor) { key = editor.m_key; });
    return key;
}

bool DialogCoordSysEditor::Edit(int key)
{
    return DialogSavepoint::execDialog<DialogCoordSysEditor>(kClassName, QStringLiteral("Edit"),
                                                             [key] { return new DialogCoordSysEditor(key); });
}

bool DialogCoordSysEditor::Erase(int key)
{
    QVector<int> lists;
    const bool collected = collectTransformLists(key, lists);
    return eraseRecord(TableCoordSys, key, {}, [collected, &lists] {
        if (!collected)
            return false;
        for (const int list : lists) {
            if (!FrameTransformList::Delete(list))
                return false;
        }
        return true;
    });
}

int DialogCoordSysEditor::CollectDependents(int, QVector<DependencyItem>& items)
{
    items.clear();
    return items.size();
}

void DialogCoordSysEditor::slotSave()
{
    if (!save())
        return;
    if (!m_extra->reassignOwner(m_key)) {
        prompt().warning(this, QStringLiteral("Предупреждение"),
                         QStringLiteral("Ошибка записи в базу данных: дополнительные преобразования"
                                        " не привязаны к системе координат"));
        return;
    }
    accept();
}

void DialogCoordSysEditor::slotCancel()
{
    reject();
}

void DialogCoordSysEditor::slotSelectType(int code)
{
    m_typeCode = checkCoordSysTypeCode(code);
    showTypeFrame();
    fitToScreen(this);
}

void DialogCoordSysEditor::slotShowTransformsStateChanged(int)
{
    m_ui->frameTransformList->setVisible(m_ui->checkboxShowTransforms->isChecked());
    m_ui->frameUpper->adjustSize();
    fitToScreen(this);
}

void DialogCoordSysEditor::slotShowExtraStateChanged(int)
{
    m_ui->frameExtra->setVisible(m_ui->checkboxShowExtra->isChecked());
    fitToScreen(this);
}

void DialogCoordSysEditor::slotShowExportStateChanged(int)
{
    m_ui->frameExport->setVisible(m_ui->checkboxShowExport->isChecked());
    fitToScreen(this);
}

void DialogCoordSysEditor::createFrames()
{
    m_geodetic = new FrameCoordSysGeodetic(this);
    m_geocentric = new FrameCoordSysGeocentric(this);
    m_localCartesian = new FrameCoordSysLocalCartesian(this);
    m_topocentric = new FrameCoordSysTopocentric(this);
    m_projected = new FrameCoordSysProjected(this);
    m_extra = new FrameExtra(this);
    m_extra->setOwner(m_key, tableName(TableCoordSys));
    for (QWidget* frame : std::initializer_list<QWidget*>{m_geocentric, m_geodetic, m_localCartesian, m_topocentric,
                                                          m_projected})
        m_ui->vlayoutCoordSysParams->addWidget(frame);
    showTypeFrame();
    m_transformList = new FrameTransformList(this, false);
    m_ui->layoutExtra->addWidget(m_extra);
    m_ui->layoutTransformList->addWidget(m_transformList);
    m_generalInfo = new FrameGeneralInfo(TableCoordSys, true, false, this);
    m_ui->frameGeneralInfoContainer->layout()->addWidget(m_generalInfo);
    m_typePicker = new FrameDatabasePicker(TableCoordSysType, QStringLiteral("Тип"), QBoxLayout::LeftToRight, this);
    m_ui->layoutType->addWidget(m_typePicker);
    m_export = new FrameExport(this);
    m_export->setDestinationEpsg(TableEpsgCoordSys);
    m_ui->layoutExport->addWidget(m_export);
    for (QCheckBox* box : {m_ui->checkboxShowTransforms, m_ui->checkboxShowExtra, m_ui->checkboxShowExport})
        box->setChecked(false);
    slotShowTransformsStateChanged(Qt::Unchecked);
    slotShowExtraStateChanged(Qt::Unchecked);
    slotShowExportStateChanged(Qt::Unchecked);
}

void DialogCoordSysEditor::clear()
{
    m_generalInfo->clear();
    m_typeCode = 0;
    m_typePicker->clear();
    m_export->clear();
}

void DialogCoordSysEditor::load()
{
    clear();
    QSqlRecord row;
    if (!RecordStorage::readRow(TableCoordSys, m_key, row))
        return;
    m_stored = row;
    m_generalInfo->setName(RecordStorage::text(row, "name"));
    m_generalInfo->setShortName(RecordStorage::text(row, "short_name"));
    m_generalInfo->setDescription(RecordStorage::text(row, "description"));
    m_typeCode = checkCoordSysTypeCode(RecordStorage::number(row, "type"));
    m_typePicker->setKey(m_typeCode);
    showTypeFrame();
    if (m_extra->itemCount() > 0) {
        m_ui->checkboxShowExtra->setChecked(true);
        slotShowExtraStateChanged(Qt::Checked);
    }
    const int transformList = CoordSysFrameParts::storedKey(row, "transform_list");
    m_transformList->setTransformList(transformList);
    if (transformList != NoValue) {
        m_ui->checkboxShowTransforms->setChecked(true);
        slotShowTransformsStateChanged(Qt::Checked);
    }
    if (!m_export->setStoredCodes(row))
        return;
    m_ui->checkboxShowExport->setChecked(true);
    slotShowExportStateChanged(Qt::Checked);
}

void DialogCoordSysEditor::showTypeFrame()
{
    QWidget* shown = nullptr;
    if (m_typeCode == CoordSysLocalCartesian) {
        m_localCartesian->load(m_key);
        shown = m_localCartesian;
    } else if (m_typeCode == CoordSysGeocentric) {
        m_geocentric->load(m_key);
        shown = m_geocentric;
    } else if (m_typeCode == CoordSysGeodetic) {
        m_geodetic->load(m_key);
        shown = m_geodetic;
    } else if (m_typeCode == CoordSysProjected) {
        m_projected->load(m_key);
        shown = m_projected;
    } else if (m_typeCode == CoordSysTopocentric) {
        m_topocentric->load(m_key);
        shown = m_topocentric;
    }
    for (QWidget* frame : std::initializer_list<QWidget*>{m_geocentric, m_geodetic, m_localCartesian, m_topocentric,
                                                          m_projected})
        frame->setVisible(frame == shown);
}

bool DialogCoordSysEditor::save()
{
    QVariantMap parameters;
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.checks = {[this] {
                             return m_typeCode == 0 ? QStringLiteral("Необходимо задать тип системы координат")
                                                    : QString();
                         },
                         [this, &parameters] { return readParameters(parameters); }};
    editorSave.update = [this, &parameters](int key) { return updateStatement(key, parameters); };
    editorSave.insert = [this, &parameters] { return insertStatement(parameters); };
    return saveRecord(this, editorSave, m_key);
}

QString DialogCoordSysEditor::readParameters(QVariantMap& columns) const
{
    columns.clear();
    switch (m_typeCode) {
    case CoordSysLocalCartesian:
        return localCartesianColumns(*m_localCartesian, columns);
    case CoordSysGeocentric:
        return geocentricColumns(*m_geocentric, columns);
    case CoordSysGeodetic:
        return geodeticColumns(*m_geodetic, columns);
    case CoordSysProjected:
        return projectedColumns(*m_projected, columns);
    case CoordSysTopocentric:
        return topocentricColumns(*m_topocentric, columns);
    }
    return QString();
}

void DialogCoordSysEditor::rowValues(const QVariantMap& parameters, QStringList& columns, QVariantList& values) const
{
    columns = QStringList{"name", "description", "short_name", "type"};
    values = QVariantList{m_generalInfo->name(), m_generalInfo->description(), m_generalInfo->shortName(), m_typeCode};
    for (const QString& column : kParameterColumns) {
        columns << column;
        values << columnValue(column, parameters);
    }
    columns << "transform_list" << "epsg" << "last_use";
    values << RecordStorage::linkValue(m_transformList->listKey()) << RecordStorage::linkValue(m_export->code(ExportEpsg))
           << RecordStorage::now();
}

CSqlStatement DialogCoordSysEditor::insertStatement(const QVariantMap& parameters) const
{
    QStringList columns;
    QVariantList values;
    rowValues(parameters, columns, values);
    return ::insertStatement(TableCoordSys, columns, values);
}

CSqlStatement DialogCoordSysEditor::updateStatement(int key, const QVariantMap& parameters) const
{
    QStringList columns;
    QVariantList values;
    rowValues(parameters, columns, values);
    return ::updateStatement(TableCoordSys, key, columns, values);
}

QVariant DialogCoordSysEditor::columnValue(const QString& column, const QVariantMap& parameters) const
{
    if (m_stored.isEmpty() || RecordStorage::number(m_stored, "type") != m_typeCode)
        return parameters.value(column, null());
    if (!parameters.contains(column))
        return m_stored.value(column);
    const QVariant value = parameters.value(column);
    const bool sameFlag = kFlagColumns.contains(column)
                          && (RecordStorage::number(m_stored, column) != 0) == (value.toInt() != 0);
    return sameFlag ? m_stored.value(column) : value;
}
