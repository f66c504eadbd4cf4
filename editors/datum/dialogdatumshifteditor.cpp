#include "dialogdatumshifteditor.h"

#include "ui_dialogdatumshifteditor.h"

#include "datumshiftframeparts.h"
#include "framedatumshifthelmert.h"
#include "framedatumshiftmolodensky.h"
#include "framedatumshiftmolodenskybadekas.h"
#include "framedatumshiftpairwiseparams.h"

#include "browser/dependencycollector.h"
#include "browser/dialogdependencies.h"
#include "browser/dialogsavepoint.h"
#include "browser/editorsave.h"
#include "browser/framedatabasepicker.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "browser/prompt.h"
#include "browser/screenfit.h"
#include "database/codetablesaxes.h"
#include "database/codetablestypes.h"
#include "database/novalue.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QBoxLayout>
#include <QSqlQuery>
#include <QSqlRecord>

using DatumShiftFrameParts::storedParameter;

namespace {

const QString kClassName = QStringLiteral("DialogDatumShiftEditor");
const QString kDatumTitle = QStringLiteral("Датум");

// The columns of the parameters, in the order of the statements.
const QStringList kParameterColumns{"tx", "ty", "tz", "rx", "ry", "rz", "dm", "px", "py", "pz",
                                    "convention", "exact", "length_unit", "angle_unit", "scale_unit"};

QVariant null()
{
    return QVariant(QVariant::Int);
}

void putSevenParams(QVariantMap& columns, const FrameDatumShiftSevenParams::Params& params)
{
    columns["tx"] = storedParameter(params.tx);
    columns["ty"] = storedParameter(params.ty);
    columns["tz"] = storedParameter(params.tz);
    columns["rx"] = storedParameter(params.rx);
    columns["ry"] = storedParameter(params.ry);
    columns["rz"] = storedParameter(params.rz);
    columns["dm"] = storedParameter(params.dm);
    columns["exact"] = int(params.exact);
    columns["length_unit"] = params.lengthUnit;
    columns["angle_unit"] = params.angleUnit;
    columns["scale_unit"] = params.scaleUnit;
}

int datumKey(const QSqlRecord& row)
{
    const int datum = RecordStorage::link(row, "datum");
    return datum == 0 ? NoValue : datum;
}

// Appends the datum that owns the shift unless it also uses it as its shift, and so is
// listed already; false when a statement fails.
bool appendOwner(int shiftKey, QVector<DependencyItem>& items)
{
    QSqlRecord row;
    if (!RecordStorage::readRow(TableDatumShift, shiftKey, row) || datumKey(row) == NoValue)
        return true;
    QSqlQuery query;
    const QString statement = QString("SELECT name, description FROM %1 WHERE %2=? AND datum_shift IS NOT ?;")
                                  .arg(tableName(TableDatum), keyColumnName(TableDatum));
    if (!execQuery(query, statement, {datumKey(row), shiftKey}))
        return false;
    if (!query.next())
        return true;
    DependencyItem item;
    item.typeTitle = kDatumTitle;
    item.name = query.value(0).toString();
    item.description = query.value(1).toString();
    item.tableId = TableDatum;
    item.tableName = tableName(TableDatum);
    item.key = shiftKey;
    items.append(item);
    return true;
}

} // namespace

DialogDatumShiftEditor::DialogDatumShiftEditor(int key, bool extra, QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::DialogDatumShiftEditor)
    , m_key(key)
    , m_extra(extra)
    , m_datum(NoValue)
{
    m_ui->setupUi(this);
    setupFrames();
    if (m_key == NoValue)
        clear();
    else
        load();
    connect(m_ui->buttonSave, &QPushButton::clicked, this, &DialogDatumShiftEditor::slotSave);
    connect(m_ui->buttonCancel, &QPushButton::clicked, this, &DialogDatumShiftEditor::slotCancel);
    connect(m_typePicker, &FrameDatabasePicker::picked, this, &DialogDatumShiftEditor::slotSelectType);
    connect(m_ui->checkboxShowExport, &QCheckBox::stateChanged, this,
            &DialogDatumShiftEditor::slotShowExportStateChanged);
    keepOnScreen(this);
}

DialogDatumShiftEditor::~DialogDatumShiftEditor()
{
    delete m_ui;
}

int DialogDatumShiftEditor::Create(bool extra, int datum)
{
    int key = NoValue;
    DialogSavepoint::execDialog<DialogDatumShiftEditor>(
        kClassName, QStringLiteral("Create"),
        [extra, datum] {
            auto* editor = new DialogDatumShiftEditor(NoValue, extra);
            editor->m_datum = datum;
            return editor;
        },
        [&key](DialogDatumShiftEditor& editor) { key = editor.m_key; });
    return key;
}

bool DialogDatumShiftEditor::Edit(int key, bool extra)
{
    return DialogSavepoint::execDialog<DialogDatumShiftEditor>(
        kClassName, QStringLiteral("Edit"), [key, extra] { return new DialogDatumShiftEditor(key, extra); });
}

bool DialogDatumShiftEditor::Erase(int key)
{
    QVector<DependencyItem> items;
    if (CollectDependents(key, items) < 0) {
        prompt().warning(nullptr, QStringLiteral("Предупреждение"),
                         QStringLiteral("Не удалось проверить зависимости записи"));
        return false;
    }
    if (!items.isEmpty()) {
        DialogDependencies::execute(items);
        return false;
    }
    return Delete(key, QString());
}

int DialogDatumShiftEditor::CollectDependents(int key, QVector<DependencyItem>& items)
{
    items.clear();
    if (!collectDependencies({{TableDatum, {"datum_shift"}, kDatumTitle}}, key, items) || !appendOwner(key, items))
        return -1;
    return items.size();
}

bool DialogDatumShiftEditor::Delete(int key, const QString& table)
{
    const QString statement = QString("DELETE FROM %1 WHERE %2=?;")
                                  .arg(table.isEmpty() ? tableName(TableDatumShift) : table,
                                       keyColumnName(TableDatumShift));
    QSqlQuery query;
    return execQuery(query, statement, {key}) && query.numRowsAffected() > 0;
}

void DialogDatumShiftEditor::slotSave()
{
    if (save())
        accept();
}

void DialogDatumShiftEditor::slotCancel()
{
    reject();
}

void DialogDatumShiftEditor::slotSelectType(int code)
{
    m_type = checkDatumShiftTypeCode(code);
    updateTypeFrame();
    fitToScreen(this);
}

void DialogDatumShiftEditor::slotShowExportStateChanged(int)
{
    m_ui->frameExport->setVisible(m_ui->checkboxShowExport->isChecked());
    fitToScreen(this);
}

void DialogDatumShiftEditor::setupFrames()
{
    m_generalInfo = new FrameGeneralInfo(TableDatumShift, true, true, this);
    m_ui->frameGeneralInfoContainer->layout()->addWidget(m_generalInfo);
    m_typePicker = new FrameDatabasePicker(TableDatumShiftType, QStringLiteral("Тип преобразования"),
                                           QBoxLayout::LeftToRight, this);
    m_ui->groupboxDatumShift->layout()->addWidget(m_typePicker);
    m_export = new FrameExport(this);
    m_export->setDestinationEpsg(TableEpsgDatumShift);
    m_ui->layoutExport->addWidget(m_export);
    m_molodensky = new FrameDatumShiftMolodensky(this);
    m_helmert = new FrameDatumShiftHelmert(this);
    m_molodenskyBadekas = new FrameDatumShiftMolodenskyBadekas(this);
    auto* parameters = static_cast<QBoxLayout*>(m_ui->groupboxDatumShift->layout());
    parameters->addWidget(m_molodensky);
    parameters->addWidget(m_helmert);
    parameters->addWidget(m_molodenskyBadekas);
    parameters->addStretch();
    if (m_extra) {
        m_pairwise = new FrameDatumShiftPairwiseParams(this);
        m_ui->layoutPairwise->addWidget(m_pairwise);
    }
    updateTypeFrame();
    m_ui->checkboxShowExport->setChecked(false);
    slotShowExportStateChanged(Qt::Unchecked);
}

void DialogDatumShiftEditor::updateTypeFrame()
{
    QWidget* frame = nullptr;
    if (m_type == DatumShiftMolodensky)
        frame = m_molodensky;
    else if (m_type == DatumShiftRotationShiftScale || m_type == DatumShiftHelmert)
        frame = m_helmert;
    else if (m_type == DatumShiftMolodenskyBadekasRss || m_type == DatumShiftMolodenskyBadekasHelmert)
        frame = m_molodenskyBadekas;
    if (frame != m_shownFrame && frame == m_molodensky)
        m_molodensky->load(m_key);
    else if (frame != m_shownFrame && frame == m_helmert)
        m_helmert->load(m_key);
    else if (frame != m_shownFrame && frame == m_molodenskyBadekas)
        m_molodenskyBadekas->load(m_key);
    for (QWidget* each : {static_cast<QWidget*>(m_molodensky), static_cast<QWidget*>(m_helmert),
                          static_cast<QWidget*>(m_molodenskyBadekas)})
        each->setVisible(each == frame);
    m_shownFrame = frame;
}

void DialogDatumShiftEditor::clear()
{
    m_generalInfo->clear();
    m_type = 0;
    m_typePicker->clear();
    m_export->clear();
}

void DialogDatumShiftEditor::load()
{
    clear();
    QSqlRecord row;
    if (!RecordStorage::readRow(TableDatumShift, m_key, row))
        return;
    m_stored = row;
    if (m_pairwise)
        m_pairwise->setPairwise(RecordStorage::text(row, "identifier").trimmed(),
                                RecordStorage::number(row, "pairwise_role"));
    m_datum = datumKey(row);
    m_generalInfo->setName(RecordStorage::text(row, "name"));
    m_generalInfo->setDescription(RecordStorage::text(row, "description"));
    m_type = checkDatumShiftTypeCode(RecordStorage::number(row, "type"));
    m_typePicker->setKey(m_type);
    updateTypeFrame();
    const QString epsg = RecordStorage::text(row, "epsg");
    if (epsg.isEmpty())
        return;
    m_export->setCode(ExportEpsg, epsg.toInt());
    m_ui->checkboxShowExport->setChecked(true);
    slotShowExportStateChanged(Qt::Checked);
}

bool DialogDatumShiftEditor::save()
{
    QVariantMap parameters;
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.checks = {[this] {
                             return m_type == 0 ? QStringLiteral("Необходимо задать тип и параметры преобразования")
                                                : QString();
                         },
                         [this, &parameters] { return readParameters(parameters); },
                         [this] {
                             return m_extra && m_pairwise->identifier().isEmpty()
                                 ? QStringLiteral("Необходимо задать идентификатор преобразования")
                                 : QString();
                         }};
    editorSave.update = [this, &parameters](int key) { return updateStatement(key, parameters); };
    editorSave.insert = [this, &parameters] { return insertStatement(parameters); };
    return saveRecord(this, editorSave, m_key);
}

QString DialogDatumShiftEditor::readParameters(QVariantMap& columns) const
{
    columns.clear();
    if (m_shownFrame == m_molodensky) {
        FrameDatumShiftMolodensky::Params params;
        const QString fault = m_molodensky->readParams(params);
        columns["tx"] = storedParameter(params.tx);
        columns["ty"] = storedParameter(params.ty);
        columns["tz"] = storedParameter(params.tz);
        columns["length_unit"] = params.lengthUnit;
        return fault;
    }
    if (m_shownFrame == m_helmert) {
        FrameDatumShiftHelmert::Params params;
        const QString fault = m_helmert->readParams(params);
        putSevenParams(columns, params);
        return fault;
    }
    FrameDatumShiftMolodenskyBadekas::Params params;
    const QString fault = m_molodenskyBadekas->readParams(params);
    putSevenParams(columns, params);
    columns["px"] = storedParameter(params.px);
    columns["py"] = storedParameter(params.py);
    columns["pz"] = storedParameter(params.pz);
    return fault;
}

void DialogDatumShiftEditor::rowValues(const QVariantMap& parameters, QStringList& columns, QVariantList& values) const
{
    columns = QStringList{"name", "description"};
    values = QVariantList{m_generalInfo->name(), m_generalInfo->description()};
    if (m_extra) {
        int role = 0;
        setPairwiseRole(role, m_pairwise->pairwiseRole());
        columns << "identifier" << "pairwise_role";
        values << m_pairwise->identifier() << (role == 0 ? null() : QVariant(role));
    }
    columns << "type";
    values << m_type;
    for (const QString& column : kParameterColumns) {
        columns << column;
        values << parameters.value(column, unwrittenValue(column));
    }
    columns << "epsg" << "last_use";
    values << RecordStorage::linkValue(m_export->code(ExportEpsg)) << RecordStorage::now();
}

CSqlStatement DialogDatumShiftEditor::insertStatement(const QVariantMap& parameters) const
{
    CSqlStatement statement;
    QStringList columns;
    rowValues(parameters, columns, statement.values);
    if (!m_extra) {
        columns << "identifier" << "pairwise_role";
        statement.values << QString("") << null();
    }
    columns << "datum" << "favourite";
    statement.values << RecordStorage::linkValue(m_datum) << null();
    return ::insertStatement(TableDatumShift, columns, statement.values);
}

// The datum, the favourite mark, and outside the extra mode the identifier and the pairwise
// role, stay as stored.
CSqlStatement DialogDatumShiftEditor::updateStatement(int key, const QVariantMap& parameters) const
{
    QStringList columns;
    QVariantList values;
    rowValues(parameters, columns, values);
    return ::updateStatement(TableDatumShift, key, columns, values);
}

QVariant DialogDatumShiftEditor::unwrittenValue(const QString& column) const
{
    if (m_stored.isEmpty())
        return null();
    if (column != QLatin1String("convention") && RecordStorage::number(m_stored, "type") != m_type)
        return null();
    return m_stored.value(column);
}
