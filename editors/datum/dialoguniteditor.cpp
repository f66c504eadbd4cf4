#include "dialoguniteditor.h"
#include "ui_dialoguniteditor.h"

#include "browser/dependencycollector.h"
#include "browser/dialogsavepoint.h"
#include "browser/editorsave.h"
#include "browser/framedatabasepicker.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "browser/guihelpers.h"
#include "browser/namefield.h"
#include "browser/screenfit.h"
#include "database/codetablestypes.h"
#include "database/novalue.h"
#include "database/numbers.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "database/validators.h"
#include "records/abstractdetails.h"
#include "records/unitdetails.h"
#include "records/unitstorage.h"

#include <QBoxLayout>
#include <QDateTime>
#include <QDoubleValidator>
#include <QKeyEvent>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

const int factorDecimals = 15;

int checkedUnitTable(int tableId)
{
    if (unitScopeOfTable(tableId) == 0)
        throw std::invalid_argument("DialogUnitEditor: no unit table " + std::to_string(tableId));
    return tableId;
}

const QString coordSysTitle = QStringLiteral("Система координат");
const QString datumShiftTitle = QStringLiteral("Преобразование датума");
const QString mapProjTitle = QStringLiteral("Картографическая проекция");

// The records that may use a unit of the table; a table other than 2 and 3 counts as linear.
QVector<CDependentKind> unitDependents(int tableId)
{
    if (tableId == TableUnitAngle)
        return {{TableCoordSys, {"angle_unit", "azimuth_unit", "origin_angle_unit"}, coordSysTitle},
                {TablePrimeMeridian, {"unit"}, "Отсчетный меридиан"},
                {TableDatumShift, {"angle_unit"}, datumShiftTitle},
                {TableMapProj, {"angle_unit"}, mapProjTitle}};
    if (tableId == TableUnitScale)
        return {{TableDatumShift, {"scale_unit"}, datumShiftTitle}, {TableMapProj, {"scale_unit"}, mapProjTitle}};
    const QString usedByParameterValue = QString("%1 IN (SELECT transform FROM %2 WHERE unit=?)")
                                             .arg(keyColumnName(TableTransform), tableName(TableTransformParamValue));
    return {{TableCoordSys, {"length_unit", "height_unit", "origin_length_unit"}, coordSysTitle},
            {TableEllipsoid, {"unit"}, "Эллипсоид"},
            {TableDatumShift, {"length_unit"}, datumShiftTitle},
            {TableMapProj, {"length_unit"}, mapProjTitle},
            {TableTransform, {usedByParameterValue}, "Преобразование"}};
}

} // namespace

DialogUnitEditor::DialogUnitEditor(int tableId, int key, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogUnitEditor)
    , m_tableId(checkedUnitTable(tableId))
    , m_key(key)
{
    ui->setupUi(this);
    initWidgets();
    initExport();
    if (m_key == NoValue)
        clear();
    else
        load();
    connect(ui->buttonSave, &QPushButton::clicked, this, &DialogUnitEditor::slotSave);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogUnitEditor::slotCancel);
    connect(m_generalInfo, &FrameGeneralInfo::nameEdited, this, &DialogUnitEditor::slotInsertUnitNotation);
    connect(m_generalInfo, &FrameGeneralInfo::shortNameEdited, this, &DialogUnitEditor::slotInsertUnitNotation);
    connect(ui->checkboxShowExport, &QCheckBox::stateChanged, this, &DialogUnitEditor::slotShowExportStateChanged);
    if (m_formatPicker) {
        connect(m_formatPicker, &FrameDatabasePicker::picked, this, &DialogUnitEditor::slotSelectAngularUnitFormat);
        connect(m_formatPicker, &FrameDatabasePicker::cleared, this, [this] { slotSelectAngularUnitFormat(0); });
    }
    keepOnScreen(this);
}

DialogUnitEditor::~DialogUnitEditor()
{
    delete ui;
}

int DialogUnitEditor::key() const
{
    return m_key;
}

void DialogUnitEditor::initWidgets()
{
    m_generalInfo = new FrameGeneralInfo(m_tableId, false, false, this);
    ui->layoutGeneralInfo->addWidget(m_generalInfo);
    for (QLineEdit* edit : {ui->editBaseUnitValue, ui->editThisUnitValue})
        edit->setValidator(createDoubleValidator(0.0, 1e25, factorDecimals, edit));
    fitNumberInputs({ui->editBaseUnitValue, ui->editThisUnitValue});

    const bool angular = m_tableId == TableUnitAngle;
    ui->labelBaseUnitName->setText(m_tableId == TableUnitLength ? "м" : angular ? "рад" : QString());
    ui->groupboxAngularUnitFormat->setVisible(angular);
    setWindowTitle(m_tableId == TableUnitLength ? "Единица измерения расстояний"
                   : angular                    ? "Единица измерения углов"
                                                : "Единица измерения масштабов");
    if (!angular)
        return;
    ui->editBaseUnitValue->setToolTip(QString("Нажмите Ctrl-P, чтобы вставить ") + QChar(0x03C0));
    m_formatPicker = new FrameDatabasePicker(TableAngleFormat, QString(), QBoxLayout::TopToBottom, this);
    ui->groupboxAngularUnitFormat->layout()->addWidget(m_formatPicker);
}

void DialogUnitEditor::initExport()
{
    ui->checkboxShowExport->setChecked(false);
    slotShowExportStateChanged(Qt::Unchecked);
    m_export = new FrameExport(this);
    if (m_tableId == TableUnitLength)
        m_export->setDestinationsEpsgMapInfo(TableEpsgLengthUnit, TableMapInfoUnit);
    else
        m_export->setDestinationEpsg(m_tableId == TableUnitAngle ? TableEpsgAngleUnit : TableEpsgScaleUnit);
    ui->layoutExport->addWidget(m_export);
}

void DialogUnitEditor::clear()
{
    m_generalInfo->clear();
    ui->editBaseUnitValue->clear();
    ui->editThisUnitValue->clear();
    ui->labelThisUnitName->clear();
    m_angleFormat = m_tableId == TableUnitAngle ? QVariant(AngleFormatDecimal) : QVariant(QVariant::Int);
    if (m_formatPicker)
        m_formatPicker->setKey(AngleFormatDecimal);
    m_export->clear();
}

void DialogUnitEditor::load()
{
    clear();
    QSqlQuery query;
    if (!execQuery(query, QString("SELECT * FROM %1 WHERE rowid=?;").arg(tableName(m_tableId)), {m_key})
        || !query.next())
        return;
    const QSqlRecord row = query.record();
    m_generalInfo->setName(row.value("name").toString());
    m_generalInfo->setShortName(row.value("short_name").toString());
    m_generalInfo->setDescription(row.value("description").toString());
    showFactor(ui->editBaseUnitValue, row.value("factor_b").toDouble());
    showFactor(ui->editThisUnitValue, row.value("factor_c").toDouble());
    setUnitLabel(ui->labelThisUnitName, m_generalInfo->displayName());
    m_angleFormat = row.value("format");
    if (m_formatPicker)
        m_formatPicker->setKey(checkAngleFormatCode(variantToInt(m_angleFormat, 0), AngleFormatDecimal));
    if (m_export->setStoredCodes(row)) {
        ui->checkboxShowExport->setChecked(true);
        slotShowExportStateChanged(Qt::Checked);
    }
}

// The stored factor in full, so that saving it unchanged keeps the same double.
void DialogUnitEditor::showFactor(QLineEdit* edit, double factor)
{
    const QString text = exactNumberText(factor);
    if (auto* validator = qobject_cast<QDoubleValidator*>(const_cast<QValidator*>(edit->validator())))
        validator->setDecimals(std::max(factorDecimals, decimalsOf(text)));
    edit->setText(text);
}

QVariantList DialogUnitEditor::columnValues() const
{
    return {m_generalInfo->name(),
            m_generalInfo->description(),
            m_generalInfo->shortName(),
            textToDouble(ui->editBaseUnitValue->text(), 0.0),
            textToDouble(ui->editThisUnitValue->text(), 0.0),
            m_angleFormat,
            sqlNumberOrNull(m_export->code(ExportEpsg), NoValue),
            sqlNumberOrNull(m_export->code(ExportMapInfo), NoValue)};
}

bool DialogUnitEditor::save()
{
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.checks = {[this] {
        return textToDouble(ui->editBaseUnitValue->text(), 0.0) > 0.0
                && textToDouble(ui->editThisUnitValue->text(), 0.0) > 0.0
            ? QString()
            : QString("Коэффициенты пересчета должны быть положительными числами");
    }};
    const QString table = tableName(m_tableId);
    editorSave.update = [this, table](int key) {
        return CSqlStatement{QString("UPDATE %1 SET name = ?, description = ?, short_name = ?, factor_b = ?, "
                                     "factor_c = ?, format = ?, epsg = ?, mapinfo = ?, last_use = ? WHERE rowid=?;")
                                 .arg(table),
                             columnValues() + QVariantList{QDateTime::currentMSecsSinceEpoch(), key}};
    };
    editorSave.insert = [this, table] {
        return CSqlStatement{QString("INSERT INTO %1 (name, description, short_name, factor_b, factor_c, format, "
                                     "epsg, mapinfo, favourite, last_use) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?);")
                                 .arg(table),
                             columnValues() + QVariantList{0, QDateTime::currentMSecsSinceEpoch()}};
    };
    return saveRecord(this, editorSave, m_key);
}

void DialogUnitEditor::slotSave()
{
    if (save())
        accept();
}

void DialogUnitEditor::slotCancel()
{
    reject();
}

void DialogUnitEditor::slotInsertUnitNotation()
{
    setUnitLabel(ui->labelThisUnitName, m_generalInfo->displayName());
}

void DialogUnitEditor::slotSelectAngularUnitFormat(int code)
{
    const int format = checkAngleFormatCode(code, 0);
    m_angleFormat = format != 0 ? QVariant(format) : QVariant(QVariant::Int);
}

void DialogUnitEditor::slotShowExportStateChanged(int)
{
    ui->frameExport->setVisible(ui->checkboxShowExport->isChecked());
    fitToScreen(this);
}

void DialogUnitEditor::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_P && m_tableId == TableUnitAngle
        && ui->editBaseUnitValue->hasFocus()) {
        ui->editBaseUnitValue->setText(QString::number(M_PI, 'f', 15));
        return;
    }
    QDialog::keyPressEvent(event);
}

int DialogUnitEditor::Create(int tableId)
{
    int key = NoValue;
    DialogSavepoint::execDialog<DialogUnitEditor>(
        "DialogUnitEditor", "Create", [tableId] { return new DialogUnitEditor(tableId, NoValue); },
        [&key](DialogUnitEditor& dialog) { key = dialog.key(); });
    return key;
}

bool DialogUnitEditor::Edit(int tableId, int key)
{
    return DialogSavepoint::execDialog<DialogUnitEditor>(
        "DialogUnitEditor", "Edit", [tableId, key] { return new DialogUnitEditor(tableId, key); });
}

bool DialogUnitEditor::Erase(int tableId, int key)
{
    return eraseRecord(tableId, key, unitDependents(tableId));
}

bool DialogUnitEditor::ReadDetails(int tableId, int key, CUnitDetails& unit)
{
    return UnitStorage::ReadDetails(tableId, key, unit);
}

int DialogUnitEditor::FindDetails(const CUnitDetails& unit)
{
    return UnitStorage::FindDetails(unit);
}

int DialogUnitEditor::InsertDetails(const CUnitDetails& unit, bool asCopy)
{
    return UnitStorage::InsertDetails(unit, asCopy);
}
