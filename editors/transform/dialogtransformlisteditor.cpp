#include "dialogtransformlisteditor.h"
#include "ui_dialogtransformlisteditor.h"

#include "frametransformlist.h"

#include "browser/framegeneralinfo.h"
#include "browser/prompt.h"
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
        m_generalInfo->clear();
    else
        load();
    connect(ui->buttonSave, &QPushButton::clicked, this, &DialogTransformListEditor::slotSave);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogTransformListEditor::slotCancel);
}

DialogTransformListEditor::~DialogTransformListEditor()
{
    delete ui;
}

int DialogTransformListEditor::key() const
{
    return m_key;
}

void DialogTransformListEditor::setOwner(const QString& ownerTable, int owner, int scope)
{
    m_ownerTable = ownerTable;
    m_owner = owner;
    setTransformListScope(m_scope, scope);
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
    const int rowKey = m_transformList->listKey();
    const bool nameFree = rowKey == NoValue ? m_generalInfo->checkNameForInsert()
                                            : m_generalInfo->checkNameForUpdate(rowKey);
    if (!nameFree)
        return false;
    if (ui->editID->text().trimmed().isEmpty()) {
        prompt().warning(this, QStringLiteral("Предупреждение"), QStringLiteral("Необходимо задать идентификатор"));
        return false;
    }
    if (rowKey == NoValue && m_key != NoValue)
        return true;
    if (rowKey == NoValue || !writeRow(rowKey)) {
        prompt().warning(this, QStringLiteral("Предупреждение"), QStringLiteral("Ошибка записи в базу данных"));
        return false;
    }
    m_key = rowKey;
    return true;
}

bool DialogTransformListEditor::writeRow(int rowKey)
{
    const QString table = tableName(TableTransformList);
    const QString keyColumn = keyColumnName(TableTransformList);
    const QVariantList texts{m_generalInfo->name(), m_generalInfo->description(), ui->editID->text().trimmed()};
    QSqlQuery query;
    const bool written
        = rowKey == m_key
        ? execQuery(query,
                    QString("UPDATE %1 SET  name        = ?,     description = ?,     identifier  = ?,     "
                            "last_use    =  ? WHERE %2=?;")
                        .arg(table, keyColumn),
                    texts + QVariantList{RecordStorage::now(), rowKey})
        : execQuery(query,
                    QString("UPDATE %1 SET  name        = ?,     description = ?,     identifier  = ?,     "
                            "owner       =  ? ,     owner_table = ?,     scope       =  ? ,     last_use    =  ?  "
                            "WHERE %2=?;")
                        .arg(table, keyColumn),
                    texts
                        + QVariantList{RecordStorage::linkValue(m_owner), sqlTextOrNull(m_ownerTable),
                                       m_scope == 0 ? QVariant() : QVariant(m_scope), RecordStorage::now(), rowKey});
    return written && query.numRowsAffected() == 1;
}
