#include "dialogangleformateditor.h"
#include "ui_dialogangleformateditor.h"

#include "browser/editorsave.h"
#include "browser/framegeneralinfo.h"
#include "browser/screenfit.h"
#include "database/codetablestypes.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "records/angleformatdetails.h"
#include "records/angleformatstorage.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>

DialogAngleFormatEditor::DialogAngleFormatEditor(int code, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogAngleFormatEditor)
    , m_code(code)
{
    ui->setupUi(this);
    initWidgets();
    if (m_code != 0)
        load();
    else
        m_generalInfo->clear();
    connect(ui->buttonSave, &QPushButton::clicked, this, &DialogAngleFormatEditor::slotSave);
    connect(ui->buttonDefaults, &QPushButton::clicked, this, &DialogAngleFormatEditor::slotDefaults);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogAngleFormatEditor::slotCancel);
    keepOnScreen(this);
}

DialogAngleFormatEditor::~DialogAngleFormatEditor()
{
    delete ui;
}

void DialogAngleFormatEditor::initWidgets()
{
    m_generalInfo = new FrameGeneralInfo(TableAngleFormat, true, false, this);
    ui->layoutGeneralInfo->addWidget(m_generalInfo);
}

void DialogAngleFormatEditor::load()
{
    m_generalInfo->clear();
    QSqlQuery query;
    const QString statement = QString("SELECT * FROM %1 WHERE %2=?;")
                                  .arg(tableName(TableAngleFormat), keyColumnName(TableAngleFormat));
    if (!execQuery(query, statement, {m_code}) || !query.next())
        return;
    const QSqlRecord row = query.record();
    m_generalInfo->setName(row.value("name").toString());
    m_generalInfo->setShortName(row.value("short_name").toString());
    m_generalInfo->setDescription(row.value("description").toString());
}

bool DialogAngleFormatEditor::save()
{
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.update = [this](int code) {
        return CSqlStatement{
            QString("UPDATE %1 SET name = ?, description = ?, short_name = ?, last_use = ? WHERE %2 = ?;")
                .arg(tableName(TableAngleFormat), keyColumnName(TableAngleFormat)),
            {m_generalInfo->name(), m_generalInfo->description(), m_generalInfo->shortName(),
             QDateTime::currentMSecsSinceEpoch(), code}};
    };
    int code = m_code;
    return saveRecord(this, editorSave, code);
}

void DialogAngleFormatEditor::slotSave()
{
    if (save())
        accept();
}

void DialogAngleFormatEditor::slotDefaults()
{
    const int code = checkAngleFormatCode(m_code, 0);
    m_generalInfo->setName(QString::fromStdString(angleFormatName(code)));
    m_generalInfo->setShortName(QString());
    m_generalInfo->setDescription(QString::fromStdString(angleFormatHint(code)));
}

void DialogAngleFormatEditor::slotCancel()
{
    reject();
}

bool DialogAngleFormatEditor::Edit(int code)
{
    DialogAngleFormatEditor dialog(code);
    return dialog.exec() == QDialog::Accepted;
}

bool DialogAngleFormatEditor::ReadDetails(int code, CAngleFormatDetails& format)
{
    return AngleFormatStorage::ReadDetails(code, format);
}

int DialogAngleFormatEditor::FindDetails(const CAngleFormatDetails& format)
{
    return AngleFormatStorage::FindDetails(format);
}

int DialogAngleFormatEditor::InsertDetails(const CAngleFormatDetails& format)
{
    return AngleFormatStorage::InsertDetails(format);
}
