#include "frametransformlist.h"
#include "ui_frametransformlist.h"

#include "dialogtransformeditor.h"

#include "browser/prompt.h"
#include "database/databaseerror.h"
#include "database/filenames.h"
#include "database/savepoint.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "records/detailsdocument.h"
#include "records/recordstorage.h"
#include "records/transformdetails.h"
#include "records/transformlistdetails.h"
#include "records/transformliststorage.h"

#include <QDir>
#include <QDomDocument>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <utility>

namespace {

const QString TransformTag = QStringLiteral("transform");
const QString TransformListTag = QStringLiteral("transformlist");
const QString LastFolderKey = QStringLiteral("/Settings/LastExpImpPath");
const QString FileFilter = QStringLiteral("XML files (*.xml);;All files (*.*)");
const QString WriteError = QStringLiteral("Ошибка записи в базу данных");

// The transforms of the document's top elements of the tag; false with the reason when an
// element does not read or none holds a transform.
bool readTransforms(const QDomDocument& document, const QString& path, const QString& tag,
                    QVector<CTransformDetails>& transforms, QString& error)
{
    for (QDomElement element = document.firstChildElement(tag); !element.isNull();
         element = element.nextSiblingElement(tag)) {
        QString reason;
        if (tag == TransformTag) {
            CTransformDetails transform;
            if (!transform.readXml(element, reason)) {
                error = QStringLiteral("Преобразование из файла %1 не прочитано\n%2").arg(path, reason);
                return false;
            }
            transforms.append(transform);
            continue;
        }
        CTransformListDetails list;
        if (!list.readXml(element, reason)) {
            error = QStringLiteral("Набор преобразований из файла %1 не прочитан\n%2").arg(path, reason);
            return false;
        }
        transforms += list.transforms;
    }
    if (!transforms.isEmpty())
        return true;
    error = tag == TransformTag ? QStringLiteral("Файл %1 не содержит преобразования").arg(path)
                                : QStringLiteral("Файл %1 не содержит набора преобразований").arg(path);
    return false;
}

} // namespace

FrameTransformList::FrameTransformList(QWidget* parent, bool showIdentifier)
    : QFrame(parent)
    , ui(new Ui::FrameTransformList)
{
    ui->setupUi(this);
    ui->buttonMoveUp->setText(QString(QChar(0x25B2)));
    ui->buttonMoveDown->setText(QString(QChar(0x25BC)));
    ui->frameId->setVisible(showIdentifier);
    connect(ui->buttonAdd, &QPushButton::clicked, this, &FrameTransformList::slotAdd);
    connect(ui->buttonEdit, &QPushButton::clicked, this, &FrameTransformList::slotEdit);
    connect(ui->buttonDelete, &QPushButton::clicked, this, &FrameTransformList::slotDelete);
    connect(ui->buttonDeleteAll, &QPushButton::clicked, this, &FrameTransformList::slotDeleteAll);
    connect(ui->buttonMoveUp, &QToolButton::clicked, this, &FrameTransformList::slotMoveUp);
    connect(ui->buttonMoveDown, &QToolButton::clicked, this, &FrameTransformList::slotMoveDown);
    connect(ui->buttonExport, &QPushButton::clicked, this, &FrameTransformList::slotExport);
    connect(ui->buttonImport, &QPushButton::clicked, this, &FrameTransformList::slotImport);
    connect(ui->buttonExportAll, &QPushButton::clicked, this, &FrameTransformList::slotExportAll);
    connect(ui->buttonImportAll, &QPushButton::clicked, this, &FrameTransformList::slotImportAll);
    connect(ui->listTransformList, &QListWidget::itemSelectionChanged, this, &FrameTransformList::slotSelected);
    updateButtons();
}

FrameTransformList::~FrameTransformList()
{
    delete ui;
}

bool FrameTransformList::ReadDetails(int key, CTransformListDetails& list)
{
    return TransformListStorage::ReadDetails(key, list);
}

int FrameTransformList::InsertDetails(const CTransformListDetails& list, int ownerKey, const QString& ownerTable)
{
    return TransformListStorage::InsertDetails(list, ownerKey, ownerTable);
}

bool FrameTransformList::Delete(int key)
{
    return TransformListStorage::Delete(key);
}

int FrameTransformList::Duplicate(int key, bool withOwner)
{
    QSqlRecord row;
    if (!RecordStorage::readRow(TableTransformList, key, row))
        return NoValue;
    const int owner = withOwner ? RecordStorage::link(row, QStringLiteral("owner")) : 0;
    const QString lists = tableName(TableTransformList);
    CSavepoint savepoint(QStringLiteral("FrameTransformList_Duplicate_"));
    const int copy = copyTransformList(key, lists, tableName(TableTransform), tableName(TableTransformParamValue),
                                       owner == 0 ? NoValue : owner);
    if (copy == NoValue
        || !RecordStorage::exec(
            QString("UPDATE %1 SET scope = NULL WHERE %2 = ?;").arg(lists, keyColumnName(TableTransformList)), {copy})
        || !savepoint.release())
        return NoValue;
    return copy;
}

int FrameTransformList::listKey() const
{
    return m_listKey;
}

void FrameTransformList::setTransformList(int key)
{
    m_listKey = key;
    reload();
    updateButtons();
}

bool FrameTransformList::createList()
{
    if (m_listKey != NoValue)
        return true;
    QSqlQuery query;
    if (!execQuery(query,
                   QString("INSERT INTO %1 (name,description,identifier) VALUES(?,?,?);")
                       .arg(tableName(TableTransformList)),
                   {QStringLiteral("name"), QStringLiteral("description"), QString("")}))
        return false;
    m_listKey = insertedKey(query);
    return m_listKey != NoValue;
}

bool FrameTransformList::deleteListIfEmpty()
{
    if (m_listKey == NoValue || !m_items.isEmpty())
        return true;
    QSqlQuery query;
    if (!execQuery(query,
                   QString("DELETE FROM %1 WHERE %2=?;")
                       .arg(tableName(TableTransformList), keyColumnName(TableTransformList)),
                   {m_listKey})) {
        warn(databaseErrorText(query.lastError()));
        return false;
    }
    m_listKey = NoValue;
    return true;
}

bool FrameTransformList::deleteAllItems()
{
    if (m_items.isEmpty())
        return true;
    CSavepoint savepoint(QStringLiteral("FrameTransformList_DeleteAll_"));
    bool deleted = savepoint.isActive();
    for (int i = m_items.size() - 1; deleted && i >= 0; --i)
        deleted = DialogTransformEditor::Delete(m_items.at(i).key);
    deleted = deleted && savepoint.release();
    if (!deleted)
        savepoint.rollback();
    reload();
    if (!deleted)
        warn(WriteError);
    return deleted;
}

void FrameTransformList::appendItem(const Item& item)
{
    m_items.append(item);
    showItems();
}

bool FrameTransformList::removeItem(int index)
{
    const bool deleted = deleteItem(index);
    reload();
    if (m_items.isEmpty())
        deleteListIfEmpty();
    updateButtons();
    return deleted;
}

void FrameTransformList::setIdentifierVisible(bool visible)
{
    ui->frameId->setVisible(visible);
}

void FrameTransformList::slotAdd()
{
    if (createList())
        DialogTransformEditor::Create(m_listKey, m_items.size() + 1);
    else
        warn(WriteError);
    reload();
    selectLastOrDropList();
    updateButtons();
}

void FrameTransformList::slotEdit()
{
    const int row = selectedRow();
    if (row >= 0) {
        DialogTransformEditor::Edit(m_items.at(row).key);
        reload();
        selectRow(row);
    }
    updateButtons();
}

void FrameTransformList::slotDelete()
{
    const int row = selectedRow();
    if (row >= 0) {
        removeItem(row);
        if (!m_items.isEmpty())
            selectRow(qMax(row - 1, 0));
    }
    updateButtons();
}

void FrameTransformList::slotDeleteAll()
{
    deleteAllItems();
    deleteListIfEmpty();
    updateButtons();
}

void FrameTransformList::slotMoveUp()
{
    const int row = selectedRow();
    if (row >= 1) {
        swapItems(row, row - 1);
        reload();
        selectRow(row - 1);
    }
    updateButtons();
}

void FrameTransformList::slotMoveDown()
{
    const int row = selectedRow();
    if (row >= 0 && row < m_items.size() - 1) {
        swapItems(row, row + 1);
        reload();
        selectRow(row + 1);
    }
    updateButtons();
}

void FrameTransformList::slotSelected()
{
    updateButtons();
}

void FrameTransformList::slotExport()
{
    const int row = selectedRow();
    if (row >= 0) {
        CTransformDetails transform;
        const bool read = DialogTransformEditor::ReadDetails(m_items.at(row).key, transform);
        exportRecord(read, transform, TransformTag, QStringLiteral("Экспорт преобразования"),
                     fileBaseName(transform.name) + QStringLiteral(".xml"));
    }
    updateButtons();
}

void FrameTransformList::slotImport()
{
    importFile(QStringLiteral("Импорт преобразования"), TransformTag);
}

void FrameTransformList::slotExportAll()
{
    if (!m_items.isEmpty()) {
        CTransformListDetails list;
        const bool read = ReadDetails(m_listKey, list);
        exportRecord(read, list, TransformListTag, QStringLiteral("Экспорт набора преобразований"), QString());
    }
    updateButtons();
}

void FrameTransformList::slotImportAll()
{
    importFile(QStringLiteral("Импорт набора преобразований"), TransformListTag);
}

void FrameTransformList::clearView()
{
    ui->comboId->clear();
    ui->listTransformList->clear();
}

void FrameTransformList::showItems()
{
    clearView();
    if (!m_identifier.isEmpty())
        ui->comboId->addItem(m_identifier);
    for (const Item& item : qAsConst(m_items))
        ui->listTransformList->addItem(item.name);
}

void FrameTransformList::clear()
{
    m_items.clear();
    m_identifier.clear();
    showItems();
}

void FrameTransformList::reload()
{
    clear();
    QSqlRecord row;
    if (m_listKey == NoValue || !RecordStorage::readRow(TableTransformList, m_listKey, row))
        return;
    m_identifier = RecordStorage::text(row, QStringLiteral("identifier"));
    QSqlQuery query;
    if (execQuery(query,
                  QString("SELECT rowid,name FROM %1 WHERE transform_list=? ORDER BY number;")
                      .arg(tableName(TableTransform)),
                  {m_listKey})) {
        while (query.next())
            m_items.append(Item{query.value(0).toInt(), query.value(1).toString()});
    }
    showItems();
}

void FrameTransformList::updateButtons()
{
    const int count = ui->listTransformList->count();
    const int row = selectedRow();
    const bool selected = row >= 0;
    ui->buttonEdit->setEnabled(selected);
    ui->buttonDelete->setEnabled(selected);
    ui->buttonExport->setEnabled(selected);
    ui->buttonDeleteAll->setEnabled(count != 0);
    ui->buttonExportAll->setEnabled(count != 0);
    ui->buttonMoveUp->setEnabled(selected && count >= 2 && row != 0);
    ui->buttonMoveDown->setEnabled(selected && count >= 2 && row < count - 1);
}

int FrameTransformList::selectedRow() const
{
    const int row = ui->listTransformList->currentRow();
    return row >= 0 && row < m_items.size() && row < ui->listTransformList->count() ? row : -1;
}

void FrameTransformList::selectRow(int row)
{
    ui->listTransformList->setCurrentRow(row);
}

void FrameTransformList::selectLastOrDropList()
{
    if (m_items.isEmpty())
        deleteListIfEmpty();
    else
        selectRow(m_items.size() - 1);
}

bool FrameTransformList::swapItems(int a, int b)
{
    if (a < 0 || b < 0 || a >= m_items.size() || b >= m_items.size())
        return false;
    std::swap(m_items[a], m_items[b]);
    CSavepoint savepoint(QStringLiteral("FrameTransformList_Move_"));
    const QString statement = QString("UPDATE %1 SET  number = ? WHERE %2 = ?;")
                                  .arg(tableName(TableTransform), keyColumnName(TableTransform));
    QString error = WriteError;
    bool written = savepoint.isActive();
    for (int i = 0; written && i < m_items.size(); ++i) {
        QSqlQuery query;
        written = execQuery(query, statement, {i + 1, m_items.at(i).key}) && query.numRowsAffected() == 1;
        if (query.lastError().isValid())
            error = databaseErrorText(query.lastError());
    }
    if (written && savepoint.release())
        return true;
    warn(error);
    return false;
}

bool FrameTransformList::deleteItem(int index)
{
    if (index < 0 || index >= m_items.size())
        return false;
    if (DialogTransformEditor::Delete(m_items.at(index).key))
        return true;
    warn(WriteError);
    return false;
}

QString FrameTransformList::askFile(bool save, const QString& caption, const QString& fileName)
{
    const QString folder = m_settings.value(LastFolderKey, QString()).toString();
    const QString path = fileName.isEmpty() || folder.isEmpty() ? folder + fileName : QDir(folder).filePath(fileName);
    return save ? prompt().getSaveFileName(this, caption, path, FileFilter, QStringLiteral("xml"))
                : prompt().getOpenFileName(this, caption, path, FileFilter, QStringLiteral("xml"));
}

void FrameTransformList::exportRecord(bool read, const CAbstractDetails& record, const QString& tag,
                                      const QString& caption, const QString& fileName)
{
    if (!read) {
        warn(QStringLiteral("Ошибка при экспорте в XML"));
        return;
    }
    const QString path = askFile(true, caption, fileName);
    if (path.isEmpty())
        return;
    QString error;
    if (!writeDetailsDocument(path, record, tag, &error)) {
        warn(error);
        return;
    }
    m_settings.setValue(LastFolderKey, QFileInfo(path).absolutePath());
}

void FrameTransformList::importFile(const QString& caption, const QString& tag)
{
    const QString path = askFile(false, caption, QString());
    if (path.isEmpty())
        return;
    QDomDocument document;
    QVector<CTransformDetails> transforms;
    QString error;
    if (!readDetailsDocument(path, document, &error) || !readTransforms(document, path, tag, transforms, error)) {
        warn(error);
        return;
    }
    m_settings.setValue(LastFolderKey, QFileInfo(path).absolutePath());
    const bool appended = appendTransforms(transforms, error);
    reload();
    selectLastOrDropList();
    updateButtons();
    if (!appended)
        warn(error);
}

bool FrameTransformList::appendTransforms(const QVector<CTransformDetails>& transforms, QString& error)
{
    const int listKey = m_listKey;
    CSavepoint savepoint(QStringLiteral("FrameTransformList_Import_"));
    bool appended = savepoint.isActive() && createList();
    for (int i = 0; appended && i < transforms.size(); ++i)
        appended = DialogTransformEditor::InsertDetails(transforms.at(i), m_listKey, m_items.size() + i + 1, &error)
            != NoValue;
    if (appended && savepoint.release())
        return true;
    m_listKey = listKey;
    if (error.isEmpty())
        error = WriteError;
    return false;
}

void FrameTransformList::warn(const QString& text)
{
    prompt().warning(this, QStringLiteral("Предупреждение"), text);
}
