#include "dialogmapprojectioneditor.h"

#include "ui_dialogmapprojectioneditor.h"

#include "axiscombos.h"

#include "browser/dependencycollector.h"
#include "browser/dialogsavepoint.h"
#include "browser/editorsave.h"
#include "browser/framedatabasepicker.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "browser/guihelpers.h"
#include "browser/namefield.h"
#include "browser/prompt.h"
#include "browser/screenfit.h"
#include "browser/unitinput.h"
#include "database/codetablesmapproj.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "database/validators.h"
#include "records/mapprojdetails.h"
#include "records/mapprojstorage.h"
#include "records/recordstorage.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QValidator>

#include <algorithm>
#include <vector>

namespace {

const QString kClassName = QStringLiteral("DialogMapProjectionEditor");
const char* const kParamCode = "param_code";
const int kMinimumNumber = 1;
const int kMaximumNumber = 999999;

// The unit kinds: the value kinds whose values are given in a unit, which are also the ids
// of the unit tables.
const int kUnitKinds[] = {ParamValueDistance, ParamValueAngle, ParamValueScale};

int valueKind(int code)
{
    return projParamValueKind(checkProjParamCode(code));
}

bool hasUnit(int kind)
{
    return kind == ParamValueDistance || kind == ParamValueAngle || kind == ParamValueScale;
}

// The parameter code of the input in a table row, 0 when it carries none.
int inputCode(const QWidget* input)
{
    bool number = false;
    const int code = input ? input->property(kParamCode).toInt(&number) : 0;
    return number ? checkProjParamCode(code) : 0;
}

// The least width at which the table shows each column whole. Its size hint is no measure: with
// the last column stretched it follows the table's own width.
int contentsWidth(const QTableWidget* table)
{
    const QAbstractItemView* view = table; // where sizeHintForColumn is public
    int width = 2 * table->frameWidth();
    for (int column = 0; column < table->columnCount(); ++column)
        width += std::max(view->sizeHintForColumn(column), table->horizontalHeader()->sectionSizeHint(column));
    return width;
}

QTableWidgetItem* fixedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

DialogMapProjectionEditor::DialogMapProjectionEditor(int key, QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::DialogMapProjectionEditor)
    , m_key(key)
    , m_typeKey(NoValue)
{
    m_ui->setupUi(this);
    buildFrames();
    if (m_key == NoValue)
        clearInputs();
    else
        loadRecord();
    connect(m_ui->buttonSave, &QPushButton::clicked, this, &DialogMapProjectionEditor::slotSave);
    connect(m_ui->buttonCancel, &QPushButton::clicked, this, &DialogMapProjectionEditor::slotCancel);
    connect(unit(ParamValueDistance).picker, &FrameDatabasePicker::picked, this,
            &DialogMapProjectionEditor::slotSelectLinearUnit);
    connect(unit(ParamValueAngle).picker, &FrameDatabasePicker::picked, this,
            &DialogMapProjectionEditor::slotSelectAngularUnit);
    connect(unit(ParamValueScale).picker, &FrameDatabasePicker::picked, this,
            &DialogMapProjectionEditor::slotSelectScalarUnit);
    connect(m_typePicker, &FrameDatabasePicker::picked, this, &DialogMapProjectionEditor::slotSelectMapProjectionType);
    connect(m_ui->checkboxShowExport, &QCheckBox::stateChanged, this,
            &DialogMapProjectionEditor::slotShowExportStateChanged);
    keepOnScreen(this);
}

DialogMapProjectionEditor::~DialogMapProjectionEditor()
{
    delete m_ui;
}

int DialogMapProjectionEditor::Create()
{
    int key = NoValue;
    DialogSavepoint::execDialog<DialogMapProjectionEditor>(
        kClassName, QStringLiteral("Create"), [] { return new DialogMapProjectionEditor(NoValue); },
        [&key](DialogMapProjectionEditor& editor) { key = editor.m_key; });
    return key;
}

bool DialogMapProjectionEditor::Edit(int key)
{
    return DialogSavepoint::execDialog<DialogMapProjectionEditor>(
        kClassName, QStringLiteral("Edit"), [key] { return new DialogMapProjectionEditor(key); });
}

bool DialogMapProjectionEditor::Erase(int key)
{
    return eraseRecord(TableMapProj, key, {{TableCoordSys, {"map_proj"}, QStringLiteral("Система координат")}},
                       [key] { return MapProjStorage::ReplaceParamValues(key, {}); });
}

bool DialogMapProjectionEditor::ReadDetails(int key, CMapProjDetails& projection)
{
    return MapProjStorage::ReadDetails(key, projection);
}

int DialogMapProjectionEditor::FindDetails(const CMapProjDetails& projection)
{
    return MapProjStorage::FindDetails(projection);
}

int DialogMapProjectionEditor::InsertDetails(const CMapProjDetails& projection, bool asCopy)
{
    return MapProjStorage::InsertDetails(projection, asCopy);
}

bool DialogMapProjectionEditor::ReadTypeDetails(int code, CMapProjTypeDetails& type)
{
    return MapProjStorage::ReadTypeDetails(code, type);
}

int DialogMapProjectionEditor::FindTypeDetails(const CMapProjTypeDetails& type)
{
    return MapProjStorage::FindTypeDetails(type);
}

int DialogMapProjectionEditor::InsertTypeDetails(const CMapProjTypeDetails& type)
{
    return MapProjStorage::InsertTypeDetails(type);
}

bool DialogMapProjectionEditor::ReadParamDetails(int code, CMapProjParamDetails& param)
{
    return MapProjStorage::ReadParamDetails(code, param);
}

int DialogMapProjectionEditor::FindParamDetails(const CMapProjParamDetails& param)
{
    return MapProjStorage::FindParamDetails(param);
}

int DialogMapProjectionEditor::InsertParamDetails(const CMapProjParamDetails& param)
{
    return MapProjStorage::InsertParamDetails(param);
}

void DialogMapProjectionEditor::slotSave()
{
    if (save())
        accept();
}

void DialogMapProjectionEditor::slotCancel()
{
    reject();
}

void DialogMapProjectionEditor::slotSelectLinearUnit(int key)
{
    unit(ParamValueDistance).key = key;
    showUnit(ParamValueDistance);
}

void DialogMapProjectionEditor::slotSelectAngularUnit(int key)
{
    unit(ParamValueAngle).key = key;
    showUnit(ParamValueAngle);
    setAngleValidators();
}

void DialogMapProjectionEditor::slotSelectScalarUnit(int key)
{
    unit(ParamValueScale).key = key;
    showUnit(ParamValueScale);
}

void DialogMapProjectionEditor::slotSelectMapProjectionType(int key)
{
    m_typeKey = key;
    applyType();
    fitToScreen(this);
}

void DialogMapProjectionEditor::slotShowExportStateChanged(int)
{
    m_ui->frameExport->setVisible(m_ui->checkboxShowExport->isChecked());
    fitToScreen(this);
}

void DialogMapProjectionEditor::buildFrames()
{
    m_generalInfo = new FrameGeneralInfo(TableMapProj, true, false, this);
    m_ui->frameGeneralInfoContainer->layout()->addWidget(m_generalInfo);
    m_typePicker = new FrameDatabasePicker(TableMapProjType, QStringLiteral("Тип картографической проекции"),
                                           QBoxLayout::LeftToRight, this);
    m_ui->layoutType->addWidget(m_typePicker);
    const QString headers[] = {QStringLiteral("Ед.изм. расстояний"), QStringLiteral("Ед.изм. углов"),
                               QStringLiteral("Ед.изм. масштабов")};
    QLayout* layouts[] = {m_ui->layoutLengthUnit, m_ui->layoutAngleUnit, m_ui->layoutScaleUnit};
    for (const int kind : kUnitKinds) {
        unit(kind).picker = new FrameDatabasePicker(kind, headers[kind - 1], QBoxLayout::TopToBottom, this);
        layouts[kind - 1]->addWidget(unit(kind).picker);
    }
    m_export = new FrameExport(this);
    m_export->setDestinationEpsg(TableEpsgMapProj);
    m_ui->layoutExport->addWidget(m_export);
    m_ui->checkboxShowExport->setChecked(false);
    slotShowExportStateChanged(Qt::Unchecked);
}

void DialogMapProjectionEditor::clearInputs()
{
    m_generalInfo->clear();
    m_typeKey = NoValue;
    for (CUnitChoice& choice : m_units)
        choice.key = NoValue;
    m_typePicker->clear();
    clearType();
    resetParamTable();
    m_export->clear();
}

void DialogMapProjectionEditor::clearType()
{
    m_typeCode = 0;
    fillParamTable(0);
    m_typePicker->clear();
    AxisCombos::set(m_ui->comboAxis1Direction, m_ui->comboAxis2Direction, 1, 1, false);
    m_ui->editAxis1Symbol->clear();
    m_ui->editAxis2Symbol->clear();
}

void DialogMapProjectionEditor::resetParamTable()
{
    QTableWidget* table = m_ui->tableMapProjectionParams;
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Параметр"), QStringLiteral("Значение"), QStringLiteral("Ед. изм.")});
    table->setRowCount(0);
    for (CUnitChoice& choice : m_units)
        choice.picker->setPickEnabled(false);
}

void DialogMapProjectionEditor::applyType()
{
    clearType();
    QSqlRecord row;
    if (m_typeKey == NoValue || !RecordStorage::readRow(TableMapProjType, m_typeKey, row))
        return;
    m_typeCode = checkMapProjTypeCode(m_typeKey);
    fillParamTable(m_typeCode);
    m_typePicker->setKey(m_typeKey);
    AxisCombos::set(m_ui->comboAxis1Direction, m_ui->comboAxis2Direction, RecordStorage::number(row, "coord1_sign"),
                    RecordStorage::number(row, "coord2_sign"), RecordStorage::number(row, "swap_coords") != 0);
    m_ui->editAxis1Symbol->setText(RecordStorage::text(row, "coord1_abbr"));
    m_ui->editAxis2Symbol->setText(RecordStorage::text(row, "coord2_abbr"));
}

// One row per parameter of the type that has a definition, with the value stored for this
// projection; the unit pickers that the rows need are enabled.
void DialogMapProjectionEditor::fillParamTable(int typeCode)
{
    resetParamTable();
    std::vector<int> codes;
    mapProjTypeParamCodes(typeCode, codes);
    for (const int code : codes) {
        QString stored;
        if (m_key != NoValue && m_key > 0)
            MapProjStorage::ReadParamValue(m_key, code, stored);
        appendParamRow(code, stored);
    }
    for (const int kind : kUnitKinds) {
        bool needed = false;
        for (int row = 0; row < m_ui->tableMapProjectionParams->rowCount(); ++row)
            needed = needed || valueKind(inputCode(m_ui->tableMapProjectionParams->cellWidget(row, 1))) == kind;
        if (!needed)
            continue;
        unit(kind).picker->setPickEnabled(true);
        showUnit(kind);
    }
    if (unit(ParamValueAngle).picker->isPickEnabled())
        setAngleValidators();
    m_ui->tableMapProjectionParams->resizeColumnsToContents();
    m_ui->tableMapProjectionParams->setMinimumWidth(contentsWidth(m_ui->tableMapProjectionParams));
}

void DialogMapProjectionEditor::appendParamRow(int code, const QString& stored)
{
    CMapProjParamDetails param;
    if (!MapProjStorage::ReadParamDetails(code, param))
        return;
    const int kind = valueKind(code);
    QTableWidget* table = m_ui->tableMapProjectionParams;
    const int row = table->rowCount();
    table->insertRow(row);
    QTableWidgetItem* name = fixedItem(param.name);
    name->setBackground(windowBrush());
    name->setData(Qt::UserRole, code);
    table->setItem(row, 0, name);
    QTableWidgetItem* unitItem = fixedItem(QString());
    if (!hasUnit(kind))
        unitItem->setBackground(windowBrush());
    table->setItem(row, 2, unitItem);
    table->setCellWidget(row, 1, createInput(code, kind, stored));
}

QWidget* DialogMapProjectionEditor::createInput(int code, int kind, const QString& stored)
{
    QWidget* input = nullptr;
    if (kind == ParamValueNumber) {
        int minimum = kMinimumNumber;
        int maximum = kMaximumNumber;
        mapProjTypeParamRange(m_typeCode, code, minimum, maximum);
        auto* spin = new QSpinBox(this);
        spin->setRange(minimum, maximum);
        spin->setValue(stored.isEmpty() ? minimum : stored.trimmed().toInt());
        input = spin;
    } else if (kind == ParamValueList) {
        auto* combo = new QComboBox(this);
        std::vector<std::string> values;
        projParamListValues(m_typeCode, code, values);
        for (const std::string& value : values)
            combo->addItem(QString::fromStdString(value));
        const int index = stored.isEmpty() ? 0 : projParamListIndex(m_typeCode, code, stored.toStdString());
        combo->setCurrentIndex(index < 0 ? 0 : std::min(index, combo->count() - 1));
        input = combo;
    } else {
        auto* edit = new QLineEdit(stored, this);
        if (kind != ParamValueAngle)
            edit->setValidator(createDoubleValidator(-1e15, 1e15, 9, this));
        fitNumberInputs({edit});
        input = edit;
    }
    input->setProperty(kParamCode, code);
    return input;
}

void DialogMapProjectionEditor::showUnit(int kind)
{
    CUnitChoice& choice = unit(kind);
    choice.picker->setKey(choice.key);
    const QString name = choice.picker->displayName();
    QTableWidget* table = m_ui->tableMapProjectionParams;
    const QString text = unitNameText(table->fontMetrics(), name);
    for (int row = 0; row < table->rowCount(); ++row) {
        if (valueKind(inputCode(table->cellWidget(row, 1))) != kind)
            continue;
        table->item(row, 2)->setText(text);
        table->item(row, 2)->setToolTip(name);
    }
}

// The angle inputs take the angle format of the angular unit, or plain numbers; nothing is
// checked while no unit is chosen. Their texts are kept, and the save refuses one that the
// unit does not read.
void DialogMapProjectionEditor::setAngleValidators()
{
    const QValidator* validator = createAngleUnitValidator(unit(ParamValueAngle).key, createAngleValidator, this);
    QTableWidget* table = m_ui->tableMapProjectionParams;
    for (int row = 0; row < table->rowCount(); ++row) {
        auto* edit = qobject_cast<QLineEdit*>(table->cellWidget(row, 1));
        if (!edit || valueKind(inputCode(edit)) != ParamValueAngle)
            continue;
        setValidatorKeepingText(edit, validator);
    }
}

void DialogMapProjectionEditor::loadRecord()
{
    clearInputs();
    QSqlRecord row;
    if (!RecordStorage::readRow(TableMapProj, m_key, row))
        return;
    m_typeKey = RecordStorage::number(row, "type");
    const char* const columns[] = {"length_unit", "angle_unit", "scale_unit"};
    for (const int kind : kUnitKinds) {
        CUnitChoice& choice = unit(kind);
        const int key = RecordStorage::link(row, columns[kind - 1]);
        choice.key = key != 0 && choice.picker->setKey(key) ? key : NoValue;
    }
    applyType();
    m_generalInfo->setName(RecordStorage::text(row, "name"));
    m_generalInfo->setShortName(RecordStorage::text(row, "short_name"));
    m_generalInfo->setDescription(RecordStorage::text(row, "description"));
    m_ui->editAxis1Symbol->setText(RecordStorage::text(row, "coord1_abbr"));
    m_ui->editAxis2Symbol->setText(RecordStorage::text(row, "coord2_abbr"));
    AxisCombos::set(m_ui->comboAxis1Direction, m_ui->comboAxis2Direction, RecordStorage::number(row, "coord1_sign"),
                    RecordStorage::number(row, "coord2_sign"), RecordStorage::number(row, "swap_coords") != 0);
    const QString epsg = RecordStorage::text(row, "epsg");
    if (epsg.isEmpty())
        return;
    m_export->setCode(ExportEpsg, epsg.toInt());
    m_ui->checkboxShowExport->setChecked(true);
    slotShowExportStateChanged(Qt::Checked);
}

// The row and its parameter values are written in one savepoint: a failed value write
// leaves the stored projection as it was.
bool DialogMapProjectionEditor::save()
{
    QMap<int, QString> values;
    int sign1 = 0;
    int sign2 = 0;
    bool swap = false;
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.checks = {
        [this] { return m_typeCode == 0 ? QStringLiteral("Необходимо указать тип проекции") : QString(); },
        [this, &values] { return collectParamValues(values); },
        [this] { return unitRefusal(ParamValueDistance); },
        [this] { return unitRefusal(ParamValueAngle); },
        [this] { return unitRefusal(ParamValueScale); },
        [&] {
            return AxisCombos::read(m_ui->comboAxis1Direction, m_ui->comboAxis2Direction, sign1, sign2, swap)
                ? QString()
                : QStringLiteral("Некорректно заданы направления осей координат");
        }};
    const QStringList columns{"name", "description", "short_name", "type", "length_unit", "angle_unit",
                              "scale_unit", "coord1_abbr", "coord2_abbr", "coord1_sign", "coord2_sign",
                              "swap_coords", "epsg", "last_use"};
    auto rowValues = [&] {
        return QVariantList{m_generalInfo->name(), m_generalInfo->description(), m_generalInfo->shortName(),
                            m_typeCode, unitValue(ParamValueDistance), unitValue(ParamValueAngle),
                            unitValue(ParamValueScale), m_ui->editAxis1Symbol->text().trimmed(),
                            m_ui->editAxis2Symbol->text().trimmed(), sign1, sign2, swap ? 1 : 0,
                            RecordStorage::linkValue(m_export->code(ExportEpsg)), RecordStorage::now()};
    };
    editorSave.update = [&](int key) { return updateStatement(TableMapProj, key, columns, rowValues()); };
    editorSave.insert = [&] { return insertStatement(TableMapProj, columns, rowValues()); };
    int key = m_key;
    bool warned = false;
    QString error;
    const bool saved = RecordStorage::runInSavepoint(kClassName + "_Save", &error, [&] {
        warned = !saveRecord(this, editorSave, key);
        return !warned && MapProjStorage::ReplaceParamValues(key, values, &error);
    });
    if (saved) {
        m_key = key;
        return true;
    }
    if (!warned)
        prompt().warning(this, QStringLiteral("Предупреждение"),
                         QStringLiteral("Ошибка записи в базу данных") + (error.isEmpty() ? QString() : ":\n" + error));
    return false;
}

QString DialogMapProjectionEditor::collectParamValues(QMap<int, QString>& values) const
{
    values.clear();
    const QTableWidget* table = m_ui->tableMapProjectionParams;
    for (int row = 0; row < table->rowCount(); ++row) {
        const int code = checkProjParamCode(table->item(row, 0)->data(Qt::UserRole).toInt());
        const QString name = table->item(row, 0)->text();
        QWidget* input = table->cellWidget(row, 1);
        QString value;
        if (auto* spin = qobject_cast<QSpinBox*>(input))
            value = QString::number(spin->value());
        else if (auto* combo = qobject_cast<QComboBox*>(input))
            value = QString::fromStdString(projParamListValue(m_typeCode, code, combo->currentIndex()));
        else if (auto* edit = qobject_cast<QLineEdit*>(input))
            value = edit->text().trimmed();
        if (code == 0 || value.isEmpty())
            return QStringLiteral("Необходимо задать значение параметра '%1'").arg(name);
        const QString misfit = angleMisfit(input, name);
        if (!misfit.isEmpty())
            return misfit;
        values.insert(code, value);
    }
    return QString();
}

// The warning for an angle input whose text the angular unit cannot read; empty for any other
// input (those keep what was stored), for a text that fits, and while no angular unit is chosen
// (unitRefusal asks for one).
QString DialogMapProjectionEditor::angleMisfit(const QWidget* input, const QString& name) const
{
    const auto* edit = qobject_cast<const QLineEdit*>(input);
    if (!edit || valueKind(inputCode(edit)) != ParamValueAngle)
        return QString();
    const CUnitChoice& angle = unit(ParamValueAngle);
    return unitMisfit(TableUnitAngle, angle.key, QStringLiteral("Значение параметра '%1'").arg(name),
                      edit->text().trimmed(), angle.picker->name());
}

QString DialogMapProjectionEditor::unitRefusal(int kind) const
{
    if (!unit(kind).picker->isPickEnabled() || unit(kind).key != NoValue)
        return QString();
    const QString what[] = {QStringLiteral("расстояний"), QStringLiteral("углов"), QStringLiteral("масштабов")};
    return QStringLiteral("Необходимо указать единицу измерения %1").arg(what[kind - 1]);
}

// The unit key stored with the projection: NULL when no parameter needs the unit.
QVariant DialogMapProjectionEditor::unitValue(int kind) const
{
    return unit(kind).picker->isPickEnabled() ? RecordStorage::linkValue(unit(kind).key) : QVariant(QVariant::Int);
}

DialogMapProjectionEditor::CUnitChoice& DialogMapProjectionEditor::unit(int kind)
{
    return m_units[kind - 1];
}

const DialogMapProjectionEditor::CUnitChoice& DialogMapProjectionEditor::unit(int kind) const
{
    return m_units[kind - 1];
}
