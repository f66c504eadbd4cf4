#include "frameextra.h"

#include "ui_frameextra.h"

#include "dialogtransformlisteditor.h"
#include "frametransformlist.h"

#include "browser/dependencycollector.h"
#include "browser/dialoglistselector.h"
#include "browser/prompt.h"
#include "database/codetablesaxes.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "editors/datum/dialogdatumshifteditor.h"
#include "records/detailsdocument.h"
#include "records/recordstorage.h"
#include "records/transformlistdetails.h"
#include "records/transformliststorage.h"

#include <QDomDocument>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace {

const QString kWarningTitle = QStringLiteral("Предупреждение");
const QString kListTag = QStringLiteral("transformlist");
const QString kFileFilter = QStringLiteral("*.xml");

bool isShift(const FrameExtra::Item& item)
{
    return item.table == tableName(TableDatumShift);
}

// The rows of the statement as items of the table.
void appendItems(const QString& statement, const QVariantList& values, int tableId, QVector<FrameExtra::Item>& items)
{
    QSqlQuery query;
    if (!execQuery(query, statement, values))
        return;
    while (query.next()) {
        const QSqlRecord row = query.record();
        FrameExtra::Item item;
        item.key = RecordStorage::number(row, keyColumnName(tableId), NoValue);
        item.table = tableName(tableId);
        item.name = RecordStorage::text(row, QStringLiteral("name"));
        item.description = RecordStorage::text(row, QStringLiteral("description"));
        items.append(item);
    }
}

bool deleteItem(const FrameExtra::Item& item)
{
    if (isShift(item))
        return DialogDatumShiftEditor::Delete(item.key, QString());
    return FrameTransformList::Delete(item.key);
}

// True when no datum takes the shift as its shift to WGS 84; otherwise they are listed, or the
// failure to collect them is warned.
bool shiftIsFree(int key)
{
    QVector<DependencyItem> users;
    if (!collectDependencies({{TableDatum, {QStringLiteral("datum_shift")}, QStringLiteral("Датум")}}, key, users)) {
        prompt().warning(nullptr, kWarningTitle, QStringLiteral("Не удалось проверить зависимости записи"));
        return false;
    }
    DialogDependencies::execute(users);
    return users.isEmpty();
}

// Points the item at the owner key; false when its row is not updated.
bool reassignItem(const FrameExtra::Item& item, int ownerKey)
{
    const QString column = isShift(item) ? QStringLiteral("datum") : QStringLiteral("owner");
    QSqlQuery query;
    return execQuery(query, QString("UPDATE %1 SET %2=?, last_use=? WHERE rowid=?;").arg(item.table, column),
                     {ownerKey, RecordStorage::now(), item.key})
        && query.numRowsAffected() > 0;
}

} // namespace

FrameExtra::FrameExtra(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::FrameExtra)
{
    ui->setupUi(this);
    ui->treeExtra->setHeaderLabels({QStringLiteral("Тип"), QStringLiteral("Имя"), QStringLiteral("Описание")});
    connect(ui->buttonAdd, &QPushButton::clicked, this, &FrameExtra::slotAdd);
    connect(ui->buttonEdit, &QPushButton::clicked, this, &FrameExtra::slotEdit);
    connect(ui->buttonDelete, &QPushButton::clicked, this, &FrameExtra::slotDelete);
    connect(ui->buttonDeleteAll, &QPushButton::clicked, this, &FrameExtra::slotDeleteAll);
    updateButtons();
}

FrameExtra::~FrameExtra()
{
    delete ui;
}

void FrameExtra::setOwner(int ownerKey, const QString& ownerTable)
{
    m_ownerKey = ownerKey;
    m_ownerTable = ownerTable;
    m_kinds.clear();
    if (ownerTable == tableName(TableDatum))
        m_kinds = {TransformListPairwise, TransformListHorizontal, TransformListVertical};
    else if (ownerTable == tableName(TableCoordSys) || ownerTable == tableName(TableVertCoordSys))
        m_kinds = {TransformListSequence};
    reload();
    showSorted(QString(), NoValue);
}

bool FrameExtra::reassignOwner(int ownerKey)
{
    if (ownerKey == m_ownerKey)
        return true;
    return RecordStorage::runInSavepoint(QStringLiteral("FrameExtra_Reassign"), nullptr, [this, ownerKey] {
        return std::all_of(m_items.cbegin(), m_items.cend(),
                           [ownerKey](const Item& item) { return reassignItem(item, ownerKey); });
    });
}

int FrameExtra::itemCount() const
{
    return m_items.size();
}

const QVector<FrameExtra::Item>& FrameExtra::items() const
{
    return m_items;
}

void FrameExtra::reload()
{
    m_items.clear();
    if (m_ownerKey == NoValue)
        return;
    const bool lists = std::any_of(m_kinds.cbegin(), m_kinds.cend(), [](int kind) {
        return kind == TransformListSequence || kind == TransformListHorizontal || kind == TransformListVertical;
    });
    if (lists)
        appendItems(QString("SELECT * FROM %1 WHERE owner=? AND owner_table=? ORDER BY name;")
                        .arg(tableName(TableTransformList)),
                    {m_ownerKey, m_ownerTable}, TableTransformList, m_items);
    if (m_kinds.contains(TransformListPairwise))
        appendItems(QString("SELECT * FROM %1 WHERE datum=? ORDER BY name;").arg(tableName(TableDatumShift)),
                    {m_ownerKey}, TableDatumShift, m_items);
}

void FrameExtra::fillTree(const QString& table, int key)
{
    ui->treeExtra->clear();
    for (const Item& item : qAsConst(m_items))
        new QTreeWidgetItem(ui->treeExtra, {item.table, item.name, item.description});
    const auto found = std::find_if(m_items.cbegin(), m_items.cend(),
                                    [&](const Item& item) { return item.table == table && item.key == key; });
    const int row = found == m_items.cend() ? 0 : int(found - m_items.cbegin());
    ui->treeExtra->setCurrentItem(ui->treeExtra->topLevelItem(row));
    updateButtons();
}

bool FrameExtra::refreshItem(Item& item)
{
    QSqlQuery query;
    if (!execQuery(query, QString("SELECT name, description FROM %1 WHERE rowid=?;").arg(item.table), {item.key})
        || !query.next())
        return false;
    item.name = query.value(0).toString();
    item.description = query.value(1).toString();
    return true;
}

void FrameExtra::updateButtons()
{
    const bool listed = ui->treeExtra->topLevelItemCount() > 0;
    ui->buttonAdd->setEnabled(true);
    ui->buttonEdit->setEnabled(listed);
    ui->buttonDelete->setEnabled(listed);
    ui->buttonDeleteAll->setEnabled(listed);
}

void FrameExtra::showSorted(const QString& table, int key)
{
    std::stable_sort(m_items.begin(), m_items.end(), [](const Item& a, const Item& b) { return a.name < b.name; });
    fillTree(table, key);
}

int FrameExtra::currentRow() const
{
    const int row = ui->treeExtra->indexOfTopLevelItem(ui->treeExtra->currentItem());
    return row < m_items.size() ? row : -1;
}

void FrameExtra::slotAdd()
{
    int kind = 0;
    if (m_ownerTable == tableName(TableDatum))
        kind = askDatumKind();
    else if (m_kinds.contains(TransformListSequence))
        kind = TransformListSequence;
    if (kind == 0)
        return;
    Item item;
    item.key = createOfKind(kind, item.table);
    if (item.key == NoValue)
        return;
    refreshItem(item);
    m_items.append(item);
    showSorted(item.table, item.key);
}

void FrameExtra::slotEdit()
{
    const int row = currentRow();
    if (row < 0)
        return;
    Item item = m_items.at(row);
    const bool edited
        = isShift(item) ? DialogDatumShiftEditor::Edit(item.key, true) : DialogTransformListEditor::Edit(item.key);
    if (!edited || !refreshItem(item))
        return;
    m_items[row] = item;
    showSorted(item.table, item.key);
}

void FrameExtra::slotDelete()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const Item item = m_items.at(row);
    if (isShift(item) && !shiftIsFree(item.key))
        return;
    if (!deleteItem(item)) {
        warn(QStringLiteral("Не удалось удалить «%1»").arg(item.name));
        return;
    }
    m_items.remove(row);
    if (m_items.isEmpty()) {
        fillTree();
        return;
    }
    const Item& next = m_items.at(std::max(row - 1, 0));
    fillTree(next.table, next.key);
}

void FrameExtra::slotDeleteAll()
{
    for (const Item& item : qAsConst(m_items)) {
        if (isShift(item) && !shiftIsFree(item.key))
            return;
    }
    const bool deleted = RecordStorage::runInSavepoint(QStringLiteral("FrameExtra_DeleteAll"), nullptr, [this] {
        return std::all_of(m_items.cbegin(), m_items.cend(), deleteItem);
    });
    if (!deleted) {
        warn(QStringLiteral("Не удалось удалить дополнительные преобразования"));
        return;
    }
    m_items.clear();
    fillTree();
}

void FrameExtra::slotExport()
{
    const int row = currentRow();
    if (row < 0 || isShift(m_items.at(row)))
        return;
    CTransformListDetails list;
    if (!FrameTransformList::ReadDetails(m_items.at(row).key, list)) {
        warn(QStringLiteral("Ошибка при экспорте в XML"));
        return;
    }
    const QString path = prompt().getSaveFileName(this, QStringLiteral("Экспорт в XML"), QString(), kFileFilter,
                                                  QString(), QFileDialog::DontUseNativeDialog);
    QString error;
    if (!path.isEmpty() && !writeDetailsDocument(path, list, kListTag, &error))
        warn(error);
}

void FrameExtra::slotImport()
{
    const QString path = prompt().getOpenFileName(this, QStringLiteral("Загрузить XML"), QString(), kFileFilter,
                                                  QString(), QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    QDomDocument document;
    QString error;
    if (!readDetailsDocument(path, document, &error)) {
        warn(error);
        return;
    }
    int lists = 0;
    Item last;
    for (QDomElement element = document.firstChildElement(kListTag); !element.isNull();
         element = element.nextSiblingElement(kListTag)) {
        ++lists;
        importList(element, path, last);
    }
    if (lists == 0) {
        warn(QStringLiteral("В файле %1 нет наборов преобразований").arg(path));
        return;
    }
    showSorted(last.table, last.key);
}

void FrameExtra::importList(const QDomElement& element, const QString& path, Item& item)
{
    CTransformListDetails list;
    QString error;
    if (!list.readXml(element, error)) {
        warn(QStringLiteral("Набор преобразований из файла %1 не прочитан\n%2").arg(path, error));
        return;
    }
    const int key = TransformListStorage::InsertDetails(list, m_ownerKey, m_ownerTable, &error);
    if (key == NoValue) {
        prompt().warning(this, QStringLiteral("Failed!"), path + QStringLiteral("\n") + error);
        return;
    }
    item = Item{key, tableName(TableTransformList), QString(), QString()};
    refreshItem(item);
    m_items.append(item);
}

int FrameExtra::askDatumKind() const
{
    QMap<int, QString> kinds;
    for (const int kind : m_kinds)
        kinds.insert(kind, transformListScopeTitle(kind));
    int kind = 0;
    assignTransformListScope(kind, DialogListSelector::select(kinds, 0, NoValue));
    return kind;
}

int FrameExtra::createOfKind(int kind, QString& table)
{
    if (kind == TransformListPairwise) {
        table = tableName(TableDatumShift);
        return DialogDatumShiftEditor::Create(true, m_ownerKey);
    }
    table = tableName(TableTransformList);
    return DialogTransformListEditor::Create(m_ownerTable, m_ownerKey, kind == TransformListSequence ? 0 : kind);
}

void FrameExtra::warn(const QString& text)
{
    prompt().warning(this, kWarningTitle, text);
}
