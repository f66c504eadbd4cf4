#include "dialogprimemeridianeditor.h"
#include "ui_dialogprimemeridianeditor.h"

#include "browser/dependencycollector.h"
#include "browser/dialogsavepoint.h"
#include "browser/editorsave.h"
#include "browser/framedatabasepicker.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "browser/guihelpers.h"
#include "browser/namefield.h"
#include "browser/screenfit.h"
#include "browser/unitinput.h"
#include "database/novalue.h"
#include "database/numbers.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "database/validators.h"
#include "geodesy/coords.h"
#include "records/abstractdetails.h"
#include "records/primemeridianstorage.h"

#include <QBoxLayout>
#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QValidator>

#include <cmath>
#include <optional>

DialogPrimeMeridianEditor::DialogPrimeMeridianEditor(int key, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogPrimeMeridianEditor)
    , m_key(key)
    , m_unitKey(NoValue)
{
    ui->setupUi(this);
    setupFrames();
    if (m_key == NoValue)
        clear();
    else
        load();
    connect(ui->buttonSave, &QPushButton::clicked, this, &DialogPrimeMeridianEditor::slotSave);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogPrimeMeridianEditor::slotCancel);
    connect(m_unitPicker, &FrameDatabasePicker::picked, this, &DialogPrimeMeridianEditor::slotAngleUnitSelected);
    connect(m_unitPicker, &FrameDatabasePicker::cleared, this, &DialogPrimeMeridianEditor::slotUnitCleared);
    connect(ui->checkboxShowExport, &QCheckBox::stateChanged, this,
            &DialogPrimeMeridianEditor::slotShowExportStateChanged);
    keepOnScreen(this);
}

DialogPrimeMeridianEditor::~DialogPrimeMeridianEditor()
{
    delete ui;
}

int DialogPrimeMeridianEditor::key() const
{
    return m_key;
}

void DialogPrimeMeridianEditor::setupFrames()
{
    // No check until a unit is picked: a longitude typed first is kept as typed.
    fitNumberInputs({ui->editLongitude});
    m_generalInfo = new FrameGeneralInfo(TablePrimeMeridian, true, true, this);
    ui->frameGeneralInfoContainer->layout()->addWidget(m_generalInfo);
    m_unitPicker = new FrameDatabasePicker(TableUnitAngle, "Единица измерения", QBoxLayout::TopToBottom, this);
    ui->layoutUnit->addWidget(m_unitPicker);
    m_export = new FrameExport(this);
    m_export->setDestinationEpsg(TableEpsgPrimeMeridian);
    ui->layoutExport->addWidget(m_export);
    ui->checkboxShowExport->setChecked(false);
    slotShowExportStateChanged(Qt::Unchecked);
}

void DialogPrimeMeridianEditor::clear()
{
    m_generalInfo->clear();
    m_unitPicker->clear();
    m_unitKey = NoValue;
    ui->labelAngularUnitAbbreviation->clear();
    m_export->clear();
}

void DialogPrimeMeridianEditor::load()
{
    clear();
    QSqlQuery query;
    if (!execQuery(query, QString("SELECT * FROM %1 WHERE rowid=?;").arg(tableName(TablePrimeMeridian)), {m_key})
        || !query.next())
        return;
    const QSqlRecord row = query.record();
    m_generalInfo->setName(row.value("name").toString());
    m_generalInfo->setDescription(row.value("description").toString());
    ui->editLongitude->setText(row.value("longitude").toString());
    m_unitKey = variantToIntOrNone(row.value("unit"));
    showUnit();
    applyUnitValidator();
    if (m_export->setStoredCodes(row)) {
        ui->checkboxShowExport->setChecked(true);
        slotShowExportStateChanged(Qt::Checked);
    }
}

void DialogPrimeMeridianEditor::showUnit()
{
    m_unitPicker->setKey(m_unitKey);
    showUnitName();
}

void DialogPrimeMeridianEditor::showUnitName()
{
    setUnitLabel(ui->labelAngularUnitAbbreviation, m_unitPicker->displayName());
}

void DialogPrimeMeridianEditor::applyUnitValidator()
{
    const QValidator* old = ui->editLongitude->validator();
    setValidatorKeepingText(ui->editLongitude,
                            createAngleUnitValidator(m_unitKey, createLongitudeValidator, ui->editLongitude));
    delete old;
}

void DialogPrimeMeridianEditor::slotAngleUnitSelected(int key)
{
    m_unitKey = key;
    showUnitName();
    applyUnitValidator();
}

// The held unit was deleted in the picker's selector: no key of a missing row is kept.
void DialogPrimeMeridianEditor::slotUnitCleared()
{
    m_unitKey = NoValue;
    showUnitName();
}

void DialogPrimeMeridianEditor::slotShowExportStateChanged(int)
{
    ui->frameExport->setVisible(ui->checkboxShowExport->isChecked());
    fitToScreen(this);
}

// 180° in a unit whose factor is rounded up in its last digits still passes.
QString DialogPrimeMeridianEditor::checkLongitudeFitsUnit() const
{
    constexpr double kTolerance = 1e-9;
    const QString longitude = ui->editLongitude->text();
    const std::optional<double> radians = readInUnit(TableUnitAngle, m_unitKey, longitude);
    if (!radians)
        return unitMisfit(TableUnitAngle, m_unitKey, QStringLiteral("Долгота начального меридиана"), longitude,
                          m_unitPicker->name());
    if (std::fabs(*radians) > vexa::kPi + kTolerance)
        return QStringLiteral("Долгота начального меридиана «%1» вне диапазона от -180° до 180°").arg(longitude);
    return QString();
}

QVariantList DialogPrimeMeridianEditor::columnValues() const
{
    return {m_generalInfo->name(), m_generalInfo->description(), ui->editLongitude->text(), m_unitKey,
            sqlNumberOrNull(m_export->code(ExportEpsg), NoValue)};
}

bool DialogPrimeMeridianEditor::save()
{
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.checks = {[this] {
                             return ui->editLongitude->text().trimmed().isEmpty()
                                 ? QString("Необходимо задать долготу начального меридиана")
                                 : QString();
                         },
                         [this] {
                             return m_unitKey == NoValue
                                 ? QString("Необходимо задать единицу измерения долготы начального меридиана")
                                 : QString();
                         },
                         [this] { return checkLongitudeFitsUnit(); }};
    const QString table = tableName(TablePrimeMeridian);
    editorSave.update = [this, table](int key) {
        return CSqlStatement{QString("UPDATE %1 SET name = ?, description = ?, longitude = ?, unit = ?, epsg = ?, "
                                     "last_use = ? WHERE rowid=?;")
                                 .arg(table),
                             columnValues() + QVariantList{QDateTime::currentMSecsSinceEpoch(), key}};
    };
    editorSave.insert = [this, table] {
        return CSqlStatement{QString("INSERT INTO %1 (name, description, longitude, unit, epsg, favourite, last_use) "
                                     "VALUES(?, ?, ?, ?, ?, ?, ?);")
                                 .arg(table),
                             columnValues()
                                 + QVariantList{QVariant(QVariant::Int), QDateTime::currentMSecsSinceEpoch()}};
    };
    return saveRecord(this, editorSave, m_key);
}

void DialogPrimeMeridianEditor::slotSave()
{
    if (save())
        accept();
}

void DialogPrimeMeridianEditor::slotCancel()
{
    reject();
}

int DialogPrimeMeridianEditor::Create()
{
    int key = NoValue;
    DialogSavepoint::execDialog<DialogPrimeMeridianEditor>(
        "DialogPrimeMeridianEditor", "Create", [] { return new DialogPrimeMeridianEditor(NoValue); },
        [&key](DialogPrimeMeridianEditor& dialog) { key = dialog.key(); });
    return key;
}

bool DialogPrimeMeridianEditor::Edit(int key)
{
    return DialogSavepoint::execDialog<DialogPrimeMeridianEditor>(
        "DialogPrimeMeridianEditor", "Edit", [key] { return new DialogPrimeMeridianEditor(key); });
}

bool DialogPrimeMeridianEditor::Erase(int key)
{
    return eraseRecord(TablePrimeMeridian, key, {{TableCoordSys, {"prime_meridian"}, "Система координат"}});
}

bool DialogPrimeMeridianEditor::ReadDetails(int key, CPrimeMeridianDetails& meridian)
{
    return PrimeMeridianStorage::ReadDetails(key, meridian);
}

int DialogPrimeMeridianEditor::FindDetails(const CPrimeMeridianDetails& meridian)
{
    return PrimeMeridianStorage::FindDetails(meridian);
}

int DialogPrimeMeridianEditor::InsertDetails(const CPrimeMeridianDetails& meridian, bool asCopy)
{
    return PrimeMeridianStorage::InsertDetails(meridian, asCopy);
}
