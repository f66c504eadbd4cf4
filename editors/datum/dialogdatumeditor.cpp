#include "dialogdatumeditor.h"

#include "ui_dialogdatumeditor.h"

#include "browser/dependencycollector.h"
#include "browser/dialogdependencies.h"
#include "browser/dialogsavepoint.h"
#include "browser/editorsave.h"
#include "browser/framedatabasepicker.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "browser/prompt.h"
#include "browser/screenfit.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "editors/transform/frameextra.h"
#include "records/recordstorage.h"
#include "records/transformliststorage.h"

#include <QBoxLayout>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace {

const QString kClassName = QStringLiteral("DialogDatumEditor");
const QString kWarningTitle = QStringLiteral("Предупреждение");

// The key of a link column; NoValue for none.
int linkKey(const QSqlRecord& row, const QString& column)
{
    const int key = RecordStorage::link(row, column);
    return key == 0 ? NoValue : key;
}

void showCode(FrameExport& frame, int destination, const QString& code, bool& shown)
{
    if (code.isEmpty())
        return;
    frame.setCode(destination, code.toInt());
    shown = true;
}

// The other datums that use a shift the datum owns, or own the datum's shift to WGS 84.
bool collectDatums(int key, QVector<DependencyItem>& items)
{
    const QString datum = tableName(TableDatum);
    const QString datumKey = keyColumnName(TableDatum);
    const QString shift = tableName(TableDatumShift);
    const QString shiftKey = keyColumnName(TableDatumShift);
    const QString statement
        = QString("SELECT name, description FROM %1 WHERE %2<>? AND (datum_shift IN (SELECT %3 FROM %4 WHERE datum=?)"
                  " OR %2 IN (SELECT datum FROM %4 WHERE %3 IN (SELECT datum_shift FROM %1 WHERE %2=?)))"
                  " ORDER BY name;")
              .arg(datum, datumKey, shiftKey, shift);
    QSqlQuery query;
    if (!execQuery(query, statement, {key, key, key}))
        return false;
    while (query.next()) {
        DependencyItem item;
        item.typeTitle = QStringLiteral("Датум");
        item.name = query.value(0).toString();
        item.description = query.value(1).toString();
        item.tableId = TableDatum;
        item.tableName = datum;
        item.key = key;
        items.append(item);
    }
    return true;
}

// Deletes the datum's shift to WGS 84 unless another datum uses it.
bool deleteWgs84Shift(int shiftKey, int datumKey)
{
    if (shiftKey == NoValue)
        return true;
    QSqlQuery query;
    const QString count = QString("SELECT COUNT(*) FROM %1 WHERE datum_shift=? AND %2<>?;")
                              .arg(tableName(TableDatum), keyColumnName(TableDatum));
    if (!execQuery(query, count, {shiftKey, datumKey}) || !query.next())
        return false;
    if (query.value(0).toInt() > 0)
        return true;
    return RecordStorage::exec(
        QString("DELETE FROM %1 WHERE %2=?;").arg(tableName(TableDatumShift), keyColumnName(TableDatumShift)),
        {shiftKey});
}

bool deleteOwnedLists(int datumKey)
{
    QVector<int> lists;
    if (!RecordStorage::selectKeys(QString("SELECT %1 FROM %2 WHERE owner=? AND owner_table=?;")
                                       .arg(keyColumnName(TableTransformList), tableName(TableTransformList)),
                                   {datumKey, tableName(TableDatum)}, lists))
        return false;
    return std::all_of(lists.cbegin(), lists.cend(), TransformListStorage::Delete);
}

bool eraseDatum(int key)
{
    QSqlRecord row;
    if (!RecordStorage::readRow(TableDatum, key, row) || !deleteWgs84Shift(linkKey(row, "datum_shift"), key)
        || !RecordStorage::exec(QString("DELETE FROM %1 WHERE datum=?;").arg(tableName(TableDatumShift)), {key})
        || !deleteOwnedLists(key))
        return false;
    QSqlQuery query;
    return execQuery(query,
                     QString("DELETE FROM %1 WHERE %2=?;").arg(tableName(TableDatum), keyColumnName(TableDatum)),
                     {key})
        && query.numRowsAffected() > 0;
}

} // namespace

DialogDatumEditor::DialogDatumEditor(int key, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogDatumEditor)
    , m_key(key)
{
    ui->setupUi(this);
    setupFrames();
    if (m_key == NoValue)
        clear();
    else
        load();
    connect(ui->buttonSave, &QPushButton::clicked, this, &DialogDatumEditor::slotSave);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogDatumEditor::slotCancel);
    connect(m_ellipsoidPicker, &FrameDatabasePicker::picked, this, &DialogDatumEditor::slotSelectEllipsoid);
    connect(m_ellipsoidPicker, &FrameDatabasePicker::cleared, this, [this] { slotSelectEllipsoid(NoValue); });
    connect(m_datumShiftPicker, &FrameDatabasePicker::picked, this, &DialogDatumEditor::slotSelectDatumShift);
    connect(m_datumShiftPicker, &FrameDatabasePicker::cleared, this, [this] { slotSelectDatumShift(NoValue); });
    connect(ui->checkboxShowExtra, &QCheckBox::stateChanged, this, &DialogDatumEditor::slotShowExtraStateChanged);
    connect(ui->checkboxShowExport, &QCheckBox::stateChanged, this, &DialogDatumEditor::slotShowExportStateChanged);
    keepOnScreen(this);
}

DialogDatumEditor::~DialogDatumEditor()
{
    delete ui;
}

int DialogDatumEditor::Create()
{
    int key = NoValue;
    DialogSavepoint::execDialog<DialogDatumEditor>(
        kClassName, QStringLiteral("Create"), [] { return new DialogDatumEditor(NoValue); },
        [&key](DialogDatumEditor& editor) { key = editor.key(); });
    return key;
}

bool DialogDatumEditor::Edit(int key)
{
    return DialogSavepoint::execDialog<DialogDatumEditor>(kClassName, QStringLiteral("Edit"),
                                                          [key] { return new DialogDatumEditor(key); });
}

bool DialogDatumEditor::Erase(int key)
{
    QVector<DependencyItem> items;
    if (CollectDependents(key, items) < 0) {
        prompt().warning(nullptr, kWarningTitle, QStringLiteral("Не удалось проверить зависимости записи"));
        return false;
    }
    if (!items.isEmpty()) {
        DialogDependencies::execute(items);
        return false;
    }
    return RecordStorage::runInSavepoint(kClassName + QStringLiteral("_Erase"), nullptr,
                                         [key] { return eraseDatum(key); });
}

int DialogDatumEditor::CollectDependents(int key, QVector<DependencyItem>& items)
{
    if (!collectDependencies({{TableCoordSys, {QStringLiteral("datum")}, QStringLiteral("Система координат")}}, key,
                             items)
        || !collectDatums(key, items))
        return -1;
    return items.size();
}

int DialogDatumEditor::key() const
{
    return m_key;
}

void DialogDatumEditor::setupFrames()
{
    m_generalInfo = new FrameGeneralInfo(TableDatum, true, false, this);
    ui->frameGeneralInfoContainer->layout()->addWidget(m_generalInfo);
    m_ellipsoidPicker
        = new FrameDatabasePicker(TableEllipsoid, QStringLiteral("Эллипсоид"), QBoxLayout::TopToBottom, this);
    ui->layoutEllipsoid->addWidget(m_ellipsoidPicker);
    m_datumShiftPicker
        = new FrameDatabasePicker(TableDatumShift, QStringLiteral("Пересчет в WGS 84"), QBoxLayout::TopToBottom, this);
    ui->layoutDatumShift->addWidget(m_datumShiftPicker);
    m_export = new FrameExport(this);
    m_export->setDestinationsEpsgMapInfo(TableEpsgDatum, TableMapInfoDatum);
    ui->layoutExport->addWidget(m_export);
    m_extra = new FrameExtra(this);
    ui->layoutExtra->addWidget(m_extra);
    m_extra->setOwner(m_key, tableName(TableDatum));
    ui->checkboxShowExport->setChecked(false);
    slotShowExportStateChanged(Qt::Unchecked);
    ui->checkboxShowExtra->setChecked(false);
    slotShowExtraStateChanged(Qt::Unchecked);
}

void DialogDatumEditor::clear()
{
    m_generalInfo->clear();
    slotSelectEllipsoid(NoValue);
    slotSelectDatumShift(NoValue);
    m_export->clear();
}

void DialogDatumEditor::load()
{
    clear();
    QSqlRecord row;
    if (!RecordStorage::readRow(TableDatum, m_key, row))
        return;
    m_generalInfo->setName(RecordStorage::text(row, "name"));
    m_generalInfo->setDescription(RecordStorage::text(row, "description"));
    m_generalInfo->setShortName(RecordStorage::text(row, "short_name"));
    slotSelectEllipsoid(linkKey(row, "ellipsoid"));
    slotSelectDatumShift(linkKey(row, "datum_shift"));
    if (m_extra->itemCount() > 0) {
        ui->checkboxShowExtra->setChecked(true);
        slotShowExtraStateChanged(Qt::Checked);
    }
    bool codes = false;
    showCode(*m_export, ExportEpsg, RecordStorage::text(row, "epsg"), codes);
    showCode(*m_export, ExportMapInfo, RecordStorage::text(row, "mapinfo"), codes);
    if (codes) {
        ui->checkboxShowExport->setChecked(true);
        slotShowExportStateChanged(Qt::Checked);
    }
}

bool DialogDatumEditor::save()
{
    // A record deleted meanwhile (say, from the extra frame) is no longer held.
    slotSelectEllipsoid(m_ellipsoid);
    slotSelectDatumShift(m_datumShift);
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.checks = {[this] {
                             return m_ellipsoid == NoValue ? QStringLiteral("Необходимо задать эллипсоид") : QString();
                         },
                         [this] {
                             return m_datumShift == NoValue
                                 ? QStringLiteral("Необходимо задать параметры преобразования датума")
                                 : QString();
                         }};
    const QVariantList row{m_generalInfo->name(),
                           m_generalInfo->description(),
                           m_generalInfo->shortName(),
                           m_datumShift,
                           m_ellipsoid,
                           RecordStorage::linkValue(m_export->code(ExportEpsg)),
                           RecordStorage::linkValue(m_export->code(ExportMapInfo)),
                           RecordStorage::now()};
    editorSave.update = [&row](int key) {
        return CSqlStatement{QString("UPDATE %1 SET name=?, description=?, short_name=?, datum_shift=?, ellipsoid=?,"
                                     " epsg=?, mapinfo=?, last_use=? WHERE rowid=?;")
                                 .arg(tableName(TableDatum)),
                             row + QVariantList{key}};
    };
    editorSave.insert = [&row] {
        return CSqlStatement{QString("INSERT INTO %1 (name, description, short_name, datum_shift, ellipsoid, epsg,"
                                     " mapinfo, last_use) VALUES (?, ?, ?, ?, ?, ?, ?, ?);")
                                 .arg(tableName(TableDatum)),
                             row};
    };
    return saveRecord(this, editorSave, m_key);
}

void DialogDatumEditor::slotSave()
{
    if (!save())
        return;
    if (!m_extra->reassignOwner(m_key)) {
        prompt().warning(this, kWarningTitle,
                         QStringLiteral("Ошибка записи в базу данных: дополнительные преобразования"
                                        " не привязаны к датуму"));
        return;
    }
    accept();
}

void DialogDatumEditor::slotCancel()
{
    reject();
}

void DialogDatumEditor::slotSelectEllipsoid(int key)
{
    m_ellipsoid = m_ellipsoidPicker->setKey(key) ? key : NoValue;
}

void DialogDatumEditor::slotSelectDatumShift(int key)
{
    m_datumShift = m_datumShiftPicker->setKey(key) ? key : NoValue;
}

void DialogDatumEditor::slotShowExtraStateChanged(int)
{
    const bool shown = ui->checkboxShowExtra->isChecked();
    ui->frameExtra->setVisible(shown);
    ui->framePlaceHolder->setVisible(!shown);
    fitToScreen(this);
}

void DialogDatumEditor::slotShowExportStateChanged(int)
{
    ui->frameExport->setVisible(ui->checkboxShowExport->isChecked());
    fitToScreen(this);
}
