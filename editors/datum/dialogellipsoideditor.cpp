#include "dialogellipsoideditor.h"
#include "ui_dialogellipsoideditor.h"

#include "browser/dependencycollector.h"
#include "browser/dialogsavepoint.h"
#include "browser/editorsave.h"
#include "browser/framedatabasepicker.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "browser/guihelpers.h"
#include "browser/namefield.h"
#include "browser/screenfit.h"
#include "database/novalue.h"
#include "database/numbers.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "database/validators.h"
#include "records/abstractdetails.h"
#include "records/ellipsoidstorage.h"

#include <QBoxLayout>
#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const double axisLimit = 1e15;
const int axisDecimals = 10;
const int flatteningDecimals = 15;
const int shownDecimals = 12;

// A positive number shown in fixed notation; anything else as an empty text.
QString shownNumber(const QVariant& value)
{
    const QString text = value.toString();
    return textToDouble(text, 0.0) > 0.0 ? formatNumberText(text, shownDecimals) : QString();
}

// The number to store for an optional parameter: NULL for a text that is no finite number.
QVariant numberOrNull(const QString& text)
{
    double value = 0.0;
    return readNumber(text, value) ? QVariant(value) : QVariant(QVariant::Double);
}

} // namespace

DialogEllipsoidEditor::DialogEllipsoidEditor(int key, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogEllipsoidEditor)
    , m_key(key)
    , m_unitKey(NoValue)
{
    ui->setupUi(this);
    setupFrames();
    if (m_key == NoValue)
        clear();
    else
        load();
    connect(ui->buttonSave, &QPushButton::clicked, this, &DialogEllipsoidEditor::slotSave);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogEllipsoidEditor::slotCancel);
    for (QRadioButton* radio : {ui->radioSphere, ui->radioMinorSemiAxis, ui->radioInverseFlattening})
        connect(radio, &QRadioButton::toggled, this, &DialogEllipsoidEditor::slotParameterSwitch);
    connect(m_unitPicker, &FrameDatabasePicker::picked, this, &DialogEllipsoidEditor::slotLengthUnitSelected);
    connect(m_unitPicker, &FrameDatabasePicker::touched, this, &DialogEllipsoidEditor::slotLengthUnitTouched);
    connect(m_unitPicker, &FrameDatabasePicker::cleared, this, &DialogEllipsoidEditor::slotLengthUnitCleared);
    connect(ui->checkboxShowExport, &QCheckBox::stateChanged, this, &DialogEllipsoidEditor::slotShowExportStateChanged);
    keepOnScreen(this);
}

DialogEllipsoidEditor::~DialogEllipsoidEditor()
{
    delete ui;
}

int DialogEllipsoidEditor::key() const
{
    return m_key;
}

void DialogEllipsoidEditor::setupFrames()
{
    ui->editMajorSemiAxis->setValidator(createDoubleValidator(0.0, axisLimit, axisDecimals, ui->editMajorSemiAxis));
    ui->editMinorSemiAxis->setValidator(createDoubleValidator(0.0, axisLimit, axisDecimals, ui->editMinorSemiAxis));
    ui->editInverseFlattening->setValidator(
        createDoubleValidator(0.0, axisLimit, flatteningDecimals, ui->editInverseFlattening));
    fitNumberInputs({ui->editMajorSemiAxis, ui->editMinorSemiAxis, ui->editInverseFlattening});
    slotParameterSwitch(true);
    m_generalInfo = new FrameGeneralInfo(TableEllipsoid, true, true, this);
    ui->frameGeneralInfoContainer->layout()->addWidget(m_generalInfo);
    m_unitPicker = new FrameDatabasePicker(TableUnitLength, "Единица измерения", QBoxLayout::TopToBottom, this);
    ui->layoutUnit->addWidget(m_unitPicker);
    m_export = new FrameExport(this);
    m_export->setDestinationsEpsgMapInfo(TableEpsgEllipsoid, TableMapInfoEllipsoid);
    ui->layoutExport->addWidget(m_export);
    ui->checkboxShowExport->setChecked(false);
    slotShowExportStateChanged(Qt::Unchecked);
}

void DialogEllipsoidEditor::slotParameterSwitch(bool)
{
    if (ui->radioSphere->isChecked()) {
        ui->editMinorSemiAxis->setEnabled(false);
        ui->editInverseFlattening->setEnabled(false);
    } else if (ui->radioMinorSemiAxis->isChecked()) {
        ui->editMinorSemiAxis->setEnabled(true);
        ui->editInverseFlattening->setEnabled(false);
    } else if (ui->radioInverseFlattening->isChecked()) {
        ui->editMinorSemiAxis->setEnabled(false);
        ui->editInverseFlattening->setEnabled(true);
    }
}

void DialogEllipsoidEditor::clear()
{
    m_generalInfo->clear();
    ui->editMajorSemiAxis->clear();
    ui->editMinorSemiAxis->clear();
    ui->editInverseFlattening->clear();
    m_unitKey = NoValue;
    m_unitPicker->clear();
    ui->labelLinearUnitAbbrA->clear();
    ui->labelLinearUnitAbbrB->clear();
    m_export->clear();
}

void DialogEllipsoidEditor::load()
{
    clear();
    QSqlQuery query;
    if (!execQuery(query, QString("SELECT * FROM %1 WHERE rowid=?;").arg(tableName(TableEllipsoid)), {m_key})
        || !query.next())
        return;
    const QSqlRecord row = query.record();
    m_generalInfo->setName(row.value("name").toString());
    m_generalInfo->setDescription(row.value("description").toString());
    ui->editMajorSemiAxis->setText(shownNumber(row.value("a")));
    ui->editMinorSemiAxis->setText(shownNumber(row.value("b")));
    ui->editInverseFlattening->setText(shownNumber(row.value("f")));
    if (row.value("sphere").toInt() != 0)
        ui->radioSphere->setChecked(true);
    else if (row.value("use_f").toInt() != 0)
        ui->radioInverseFlattening->setChecked(true);
    else
        ui->radioMinorSemiAxis->setChecked(true);
    slotParameterSwitch(true);
    m_unitKey = variantToIntOrNone(row.value("unit"));
    showUnit();
    if (m_export->setStoredCodes(row)) {
        ui->checkboxShowExport->setChecked(true);
        slotShowExportStateChanged(Qt::Checked);
    }
}

void DialogEllipsoidEditor::showUnit()
{
    m_unitPicker->setKey(m_unitKey);
    showUnitName();
}

void DialogEllipsoidEditor::showUnitName()
{
    const QString shown = m_unitPicker->displayName();
    setUnitLabel(ui->labelLinearUnitAbbrA, shown);
    setUnitLabel(ui->labelLinearUnitAbbrB, shown);
}

void DialogEllipsoidEditor::slotLengthUnitSelected(int key)
{
    m_unitKey = key;
    showUnitName();
}

void DialogEllipsoidEditor::slotLengthUnitTouched(bool reread)
{
    if (reread)
        showUnitName();
}

// The held unit was deleted in the picker's selector: no key of a missing row is kept.
void DialogEllipsoidEditor::slotLengthUnitCleared()
{
    m_unitKey = NoValue;
    showUnitName();
}

void DialogEllipsoidEditor::slotShowExportStateChanged(int)
{
    ui->frameExport->setVisible(ui->checkboxShowExport->isChecked());
    fitToScreen(this);
}

QString DialogEllipsoidEditor::checkParameters() const
{
    const double a = textToDouble(ui->editMajorSemiAxis->text(), 0.0);
    if (a <= 0.0)
        return "Необходимо задать положительное значение длины большой полуоси";
    if (ui->radioInverseFlattening->isChecked() && textToDouble(ui->editInverseFlattening->text(), 0.0) <= 0.0)
        return "Необходимо задать положительное значение обратного сжатия";
    if (ui->radioMinorSemiAxis->isChecked()) {
        const double b = textToDouble(ui->editMinorSemiAxis->text(), 0.0);
        if (b <= 0.0 || b > a)
            return "Длина малой полуоси должна быть больше нуля, но меньше длины большой полуоси";
    }
    if (m_unitKey == NoValue)
        return "Необходимо задать единицу измерения длины полуосей эллипсоида";
    return QString();
}

QVariantList DialogEllipsoidEditor::columnValues() const
{
    return {m_generalInfo->name(),
            m_generalInfo->description(),
            textToDouble(ui->editMajorSemiAxis->text(), 0.0),
            numberOrNull(ui->editMinorSemiAxis->text()),
            numberOrNull(ui->editInverseFlattening->text()),
            int(ui->radioInverseFlattening->isChecked()),
            int(ui->radioSphere->isChecked()),
            m_unitKey,
            sqlNumberOrNull(m_export->code(ExportEpsg), NoValue),
            sqlNumberOrNull(m_export->code(ExportMapInfo), NoValue)};
}

bool DialogEllipsoidEditor::save()
{
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.checks = {[this] { return checkParameters(); }};
    const QString table = tableName(TableEllipsoid);
    editorSave.update = [this, table](int key) {
        return CSqlStatement{QString("UPDATE %1 SET name = ?, description = ?, a = ?, b = ?, f = ?, use_f = ?, "
                                     "sphere = ?, unit = ?, epsg = ?, mapinfo = ?, last_use = ? WHERE rowid=?;")
                                 .arg(table),
                             columnValues() + QVariantList{QDateTime::currentMSecsSinceEpoch(), key}};
    };
    editorSave.insert = [this, table] {
        return CSqlStatement{QString("INSERT INTO %1 (name, description, a, b, f, use_f, sphere, unit, epsg, mapinfo, "
                                     "favourite, last_use) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);")
                                 .arg(table),
                             columnValues() + QVariantList{0, QDateTime::currentMSecsSinceEpoch()}};
    };
    return saveRecord(this, editorSave, m_key);
}

void DialogEllipsoidEditor::slotSave()
{
    if (save())
        accept();
}

void DialogEllipsoidEditor::slotCancel()
{
    reject();
}

int DialogEllipsoidEditor::Create()
{
    int key = NoValue;
    DialogSavepoint::execDialog<DialogEllipsoidEditor>(
        "DialogEllipsoidEditor", "Create", [] { return new DialogEllipsoidEditor(NoValue); },
        [&key](DialogEllipsoidEditor& dialog) { key = dialog.key(); });
    return key;
}

bool DialogEllipsoidEditor::Edit(int key)
{
    return DialogSavepoint::execDialog<DialogEllipsoidEditor>(
        "DialogEllipsoidEditor", "Edit", [key] { return new DialogEllipsoidEditor(key); });
}

bool DialogEllipsoidEditor::Erase(int key)
{
    return eraseRecord(TableEllipsoid, key,
                       {{TableDatum, {"ellipsoid"}, "Датум"}, {TableCoordSys, {"ellipsoid"}, "Система координат"}});
}

bool DialogEllipsoidEditor::ReadDetails(int key, CEllipsoidDetails& ellipsoid)
{
    return EllipsoidStorage::ReadDetails(key, ellipsoid);
}

int DialogEllipsoidEditor::FindDetails(const CEllipsoidDetails& ellipsoid)
{
    return EllipsoidStorage::FindDetails(ellipsoid);
}

int DialogEllipsoidEditor::InsertDetails(const CEllipsoidDetails& ellipsoid, bool asCopy)
{
    return EllipsoidStorage::InsertDetails(ellipsoid, asCopy);
}
