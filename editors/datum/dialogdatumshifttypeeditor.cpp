#include "dialogdatumshifttypeeditor.h"
#include "ui_dialogdatumshifttypeeditor.h"

#include "browser/dialogsavepoint.h"
#include "browser/editorsave.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "browser/screenfit.h"
#include "database/codetablestypes.h"
#include "database/novalue.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "records/abstractdetails.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>

DialogDatumShiftTypeEditor::DialogDatumShiftTypeEditor(int code, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogDatumShiftTypeEditor)
    , m_code(code)
{
    ui->setupUi(this);
    setupFrames();
    if (m_code == NoValue)
        clear();
    else
        load();
    connect(ui->buttonSave, &QPushButton::clicked, this, &DialogDatumShiftTypeEditor::slotSave);
    connect(ui->buttonDefaults, &QPushButton::clicked, this, &DialogDatumShiftTypeEditor::slotDefaults);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogDatumShiftTypeEditor::slotCancel);
    connect(ui->checkboxShowExport, &QCheckBox::stateChanged, this,
            &DialogDatumShiftTypeEditor::slotShowExportStateChanged);
    keepOnScreen(this);
}

DialogDatumShiftTypeEditor::~DialogDatumShiftTypeEditor()
{
    delete ui;
}

void DialogDatumShiftTypeEditor::setupFrames()
{
    m_generalInfo = new FrameGeneralInfo(TableDatumShiftType, true, true, this);
    ui->frameGeneralInfoContainer->layout()->addWidget(m_generalInfo);
    m_export = new FrameExport(this);
    m_export->setDestinationEpsg(TableEpsgDatumShiftType);
    ui->layoutExport->addWidget(m_export);
    ui->checkboxShowExport->setChecked(false);
    slotShowExportStateChanged(Qt::Unchecked);
    clear();
}

void DialogDatumShiftTypeEditor::clear()
{
    m_generalInfo->clear();
    m_export->clear();
}

void DialogDatumShiftTypeEditor::load()
{
    clear();
    QSqlQuery query;
    if (!execQuery(query, QString("SELECT * FROM %1 WHERE code=?;").arg(tableName(TableDatumShiftType)), {m_code})
        || !query.first())
        return;
    const QSqlRecord row = query.record();
    m_generalInfo->setName(row.value("name").toString());
    m_generalInfo->setDescription(row.value("description").toString());
    if (m_export->setStoredCodes(row)) {
        ui->checkboxShowExport->setChecked(true);
        slotShowExportStateChanged(Qt::Checked);
    }
}

void DialogDatumShiftTypeEditor::slotDefaults()
{
    clear();
    const int code = checkDatumShiftTypeCode(m_code);
    if (code == 0)
        return;
    m_generalInfo->setName(QString::fromStdString(datumShiftTypeName(code)));
    m_generalInfo->setDescription(QString::fromStdString(datumShiftTypeDescription(code)));
    m_export->setCode(ExportEpsg, datumShiftTypeEpsgCode(code));
}

bool DialogDatumShiftTypeEditor::save()
{
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.update = [this](int code) {
        return CSqlStatement{QString("UPDATE %1 SET name = ?, description = ?, epsg = ?, last_use = ? WHERE code=?;")
                                 .arg(tableName(TableDatumShiftType)),
                             {m_generalInfo->name(), m_generalInfo->description(),
                              sqlNumberOrNull(m_export->code(ExportEpsg), NoValue),
                              QDateTime::currentMSecsSinceEpoch(), code}};
    };
    int code = m_code;
    return saveRecord(this, editorSave, code);
}

void DialogDatumShiftTypeEditor::slotSave()
{
    if (save())
        accept();
}

void DialogDatumShiftTypeEditor::slotCancel()
{
    reject();
}

void DialogDatumShiftTypeEditor::slotShowExportStateChanged(int)
{
    ui->frameExport->setVisible(ui->checkboxShowExport->isChecked());
    fitToScreen(this);
}

bool DialogDatumShiftTypeEditor::Edit(int code)
{
    if (code == NoValue)
        return false;
    // The export frame's selector writes codes at once; a cancel undoes them.
    return DialogSavepoint::execDialog<DialogDatumShiftTypeEditor>(
        QStringLiteral("DialogDatumShiftTypeEditor"), QStringLiteral("Edit"),
        [code] { return new DialogDatumShiftTypeEditor(code); });
}
