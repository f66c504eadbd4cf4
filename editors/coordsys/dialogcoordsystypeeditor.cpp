#include "dialogcoordsystypeeditor.h"

#include "ui_dialogcoordsystypeeditor.h"

#include "browser/editorsave.h"
#include "browser/framegeneralinfo.h"
#include "browser/screenfit.h"
#include "database/codetablestypes.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

DialogCoordSysTypeEditor::DialogCoordSysTypeEditor(int code, QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::DialogCoordSysTypeEditor)
    , m_code(code)
{
    m_ui->setupUi(this);
    m_generalInfo = new FrameGeneralInfo(TableCoordSysType, true, true, this);
    m_ui->layoutGeneralInfo->addWidget(m_generalInfo);
    if (m_code == 0)
        m_generalInfo->clear();
    else
        load();
    connect(m_ui->buttonSave, &QPushButton::clicked, this, &DialogCoordSysTypeEditor::slotSave);
    connect(m_ui->buttonDefaults, &QPushButton::clicked, this, &DialogCoordSysTypeEditor::slotDefaults);
    connect(m_ui->buttonCancel, &QPushButton::clicked, this, &DialogCoordSysTypeEditor::slotCancel);
    keepOnScreen(this);
}

DialogCoordSysTypeEditor::~DialogCoordSysTypeEditor()
{
    delete m_ui;
}

bool DialogCoordSysTypeEditor::Edit(int code)
{
    DialogCoordSysTypeEditor dialog(code);
    return dialog.exec() == QDialog::Accepted;
}

void DialogCoordSysTypeEditor::slotSave()
{
    if (save())
        accept();
}

void DialogCoordSysTypeEditor::slotDefaults()
{
    const int code = checkCoordSysTypeCode(m_code);
    m_generalInfo->setName(QString::fromStdString(coordSysTypeName(code)));
    m_generalInfo->setDescription(QString::fromStdString(coordSysTypeDescription(code)));
}

void DialogCoordSysTypeEditor::slotCancel()
{
    reject();
}

void DialogCoordSysTypeEditor::load()
{
    m_generalInfo->clear();
    QSqlRecord row;
    if (!RecordStorage::readRow(TableCoordSysType, m_code, row))
        return;
    m_generalInfo->setName(RecordStorage::text(row, "name"));
    m_generalInfo->setDescription(RecordStorage::text(row, "description"));
}

// A code without a row is refused like any write that matches no row.
bool DialogCoordSysTypeEditor::save()
{
    CEditorSave editorSave;
    editorSave.checkName = [this](int key) { return m_generalInfo->checkNameForUpdate(key); };
    editorSave.update = [this](int key) {
        return CSqlStatement{QString("UPDATE %1 SET name=?, description=?, last_use=? WHERE %2=?;")
                                 .arg(tableName(TableCoordSysType), keyColumnName(TableCoordSysType)),
                             {m_generalInfo->name(), m_generalInfo->description(), RecordStorage::now(), key}};
    };
    int key = m_code;
    return saveRecord(this, editorSave, key);
}
