#include "dialogtransformlisteditor.h"
#include "ui_dialogtransformlisteditor.h"

#include "frametransformlist.h"

#include "browser/dialogsavepoint.h"
#include "browser/framegeneralinfo.h"
#include "browser/guihelpers.h"
#include "browser/screenfit.h"
#include "database/codetablesaxes.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "records/abstractdetails.h"
#include "records/recordstorage.h"

#include <QSqlQuery>

DialogTransformListEditor::DialogTransformListEditor(int key, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogTransformListEditor)
    , m_key(key)
{
    ui->setupUi(this);
    createFrames();
    if (m_key == NoValue)
        clear();
    else
        load();
    connect(ui->buttonSave, &QPushButton::clicked, this, &DialogTransformListEditor::slotSave);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogTransformListEditor::slotCancel);
    keepOnScreen(this);
}

DialogTransformListEditor::~DialogTransformListEditor()
{
    delete ui;
}

int DialogTransformListEditor::Create(const QString& ownerTable, int owner, int scope)
{
    int key = NoValue;
    DialogSavepoint::execDialog<DialogTransformListEditor>(
        QStringLiteral("DialogTransformListEditor"), QStringLiteral("Create"),
        [&ownerTable, owner, scope] {
            auto* dialog = new DialogTransformListEditor(NoValue);
            dialog->setNewListOwner(ownerTable, owner, scope);
            return dialog;
        },
        [&key](DialogTransformListEditor& dialog) { key = dialog.key(); });
    return key;
}

bool DialogTransformListEditor::Edit(int key)
{
    return DialogSavepoint::execDialog<DialogTransformListEditor>(
        QStringLiteral("DialogTransformListEditor"), QStringLiteral("Edit"),
        [key] { return new DialogTransformListEditor(key); });
}

bool DialogTransformListEditor::SetOwner(int key, const QString& ownerTable, int owner)
{
    QSqlQuery query;
    return execQuery(query,
                     QString("UPDATE %1 SET  owner       =  ? ,     owner_table = ?,     last_use    =  ?  WHERE %2=?;")
                         .arg(tableName(TableTransformList), keyColumnName(TableTransformList)),
                     {RecordStorage::linkValue(owner), sqlTextOrNull(ownerTable), RecordStorage::now(), key})
        && query.numRowsAffected() == 1;
}

int DialogTransformListEditor::key() const
{
    return m_key;
}

void DialogTransformListEditor::setNewListOwner(const QString& ownerTable, int owner, int scope)
{
    m_ownerTable = ownerTable;
    m_owner = owner;
    setTransformListScope(m_scope, scope);
}

void DialogTransformListEditor::clear()
{
    m_generalInfo->clear();
    if (m_transformList->deleteAllItems())
        m_transformList->deleteListIfEmpty();
}

void DialogTransformListEditor::slotSave()
{
    if (save())
        accept();
}

void DialogTransformListEditor::slotCancel()
{
    reject();
}

void DialogTransformListEditor::createFrames()
{
    m_generalInfo = new FrameGeneralInfo(TableTransformList, true, true, this);
    ui->layoutGeneralInfo->addWidget(m_generalInfo);
    m_transformList = new FrameTransformList(this, false);
    ui->layoutParameters->addWidget(m_transformList);
}

void DialogTransformListEditor::load()
{
    QSqlRecord row;
    if (!RecordStorage::readRow(TableTransformList, m_key, row))
        return;
    m_loaded = true;
    m_generalInfo->setName(RecordStorage::text(row, QStringLiteral("name")));
    m_generalInfo->setDescription(RecordStorage::text(row, QStringLiteral("description")));
    ui->editID->setText(RecordStorage::text(row, QStringLiteral("identifier")).trimmed());
    m_transformList->setTransformList(m_key);
    setTransformListScope(m_scope, RecordStorage::number(row, QStringLiteral("scope")));
    const int owner = RecordStorage::link(row, QStringLiteral("owner"));
    m_owner = owner == 0 ? int(NoValue) : owner;
    m_ownerTable = RecordStorage::text(row, QStringLiteral("owner_table"));
}

bool DialogTransformListEditor::save()
{
    int rowKey = m_transformList->listKey();
    if (rowKey == NoValue && m_key != NoValue) {
        // The stored list went with its last transform: nothing is left to fill in.
        if (m_loaded)
            return repointUsers(NoValue);
        // A list that was gone before the dialog opened: its update matches no row and fails.
        rowKey = m_key;
    }
    CEditorSave save;
    save.checkName = nameCheckOf(*m_generalInfo);
    save.checks = {[this] {
        return ui->editID->text().trimmed().isEmpty() ? QStringLiteral("Необходимо задать идентификатор") : QString();
    }};
    save.update = [this](int key) { return rowUpdate(key); };
    if (!saveRecord(this, save, rowKey))
        return false;
    if (m_key != NoValue && rowKey != m_key && !repointUsers(rowKey))
        return false;
    m_key = rowKey;
    return true;
}

bool DialogTransformListEditor::repointUsers(int rowKey)
{
    for (const int table : {TableCoordSys, TableVertCoordSys}) {
        QSqlQuery query;
        if (!execQuery(query, QString("UPDATE %1 SET transform_list=? WHERE transform_list=?;").arg(tableName(table)),
                       {RecordStorage::linkValue(rowKey), m_key})) {
            sqlWarning(query, QStringLiteral("Ошибка записи в базу данных"), this);
            return false;
        }
    }
    return true;
}

CSqlStatement DialogTransformListEditor::rowUpdate(int rowKey) const
{
    const QString table = tableName(TableTransformList);
    const QString keyColumn = keyColumnName(TableTransformList);
    const QVariantList texts{m_generalInfo->name(), m_generalInfo->description(), ui->editID->text().trimmed()};
    if (rowKey == m_key)
        return {QString("UPDATE %1 SET  name        = ?,     description = ?,     identifier  = ?,     "
                        "last_use    =  ? WHERE %2=?;")
                    .arg(table, keyColumn),
                texts + QVariantList{RecordStorage::now(), rowKey}};
    return {QString("UPDATE %1 SET  name        = ?,     description = ?,     identifier  = ?,     "
                    "owner       =  ? ,     owner_table = ?,     scope       =  ? ,     last_use    =  ?  WHERE %2=?;")
                .arg(table, keyColumn),
            texts
                + QVariantList{RecordStorage::linkValue(m_owner), sqlTextOrNull(m_ownerTable),
                               m_scope == 0 ? QVariant() : QVariant(m_scope), RecordStorage::now(), rowKey}};
}
