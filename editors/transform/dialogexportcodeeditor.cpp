#include "dialogexportcodeeditor.h"

#include "ui_dialogexportcodeeditor.h"

#include "browser/dependencycollector.h"
#include "browser/dialogdependencies.h"
#include "browser/dialogsavepoint.h"
#include "browser/editorsave.h"
#include "browser/framegeneralinfo.h"
#include "browser/prompt.h"
#include "browser/screenfit.h"
#include "database/novalue.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QIntValidator>
#include <QMap>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString kClassName = QStringLiteral("DialogExportCodeEditor");
const QString kWarningTitle = QStringLiteral("Предупреждение");

struct CReferenceTable {
    int dependentTable = 0;
    QString column;
};

// The definitions table and its column that hold the codes of each reference table.
const QMap<int, CReferenceTable>& referenceTables()
{
    static const QMap<int, CReferenceTable> tables{
        {TableEpsgDatumShift, {TableDatumShift, "epsg"}},
        {TableEpsgDatumShiftType, {TableDatumShiftType, "epsg"}},
        {TableEpsgMapProj, {TableMapProj, "epsg"}},
        {TableEpsgCoordSys, {TableCoordSys, "epsg"}},
        {TableEpsgEllipsoid, {TableEllipsoid, "epsg"}},
        {TableEpsgDatum, {TableDatum, "epsg"}},
        {TableEpsgVertCoordSys, {TableVertCoordSys, "epsg"}},
        {TableEpsgPrimeMeridian, {TablePrimeMeridian, "epsg"}},
        {TableEpsgLengthUnit, {TableUnitLength, "epsg"}},
        {TableEpsgAngleUnit, {TableUnitAngle, "epsg"}},
        {TableEpsgScaleUnit, {TableUnitScale, "epsg"}},
        {TableMapInfoUnit, {TableUnitLength, "mapinfo"}},
        {TableMapInfoEllipsoid, {TableEllipsoid, "mapinfo"}},
        {TableMapInfoDatum, {TableDatum, "mapinfo"}},
    };
    return tables;
}

// The name of the row that holds the code; false when there is none or it cannot be read.
bool codeName(int tableId, int code, QString& name)
{
    QSqlRecord row;
    if (!RecordStorage::readRow(tableId, code, row))
        return false;
    name = RecordStorage::text(row, "name");
    return true;
}

} // namespace

DialogExportCodeEditor::DialogExportCodeEditor(int tableId, int code, QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::DialogExportCodeEditor)
    , m_tableId(tableId)
    , m_tableName(tableName(tableId))
    , m_code(code)
{
    m_ui->setupUi(this);
    if (!tableTitle(tableId).isEmpty())
        setWindowTitle(tableTitle(tableId));
    m_generalInfo = new FrameGeneralInfo(m_tableId, false, true, this);
    m_ui->layoutGeneralInfo->addWidget(m_generalInfo);
    if (m_tableId >= TableMapInfoUnit && m_tableId <= TableMapInfoDatum)
        m_ui->editCode->setValidator(new QIntValidator(0, 999999, this));
    else if (referenceTables().contains(m_tableId))
        m_ui->editCode->setValidator(new QIntValidator(-32768, 32767, this));
    load();
    connect(m_ui->buttonCheck, &QPushButton::clicked, this, &DialogExportCodeEditor::slotCheck);
    connect(m_ui->buttonSave, &QPushButton::clicked, this, &DialogExportCodeEditor::slotSave);
    connect(m_ui->buttonCancel, &QPushButton::clicked, this, &DialogExportCodeEditor::slotCancel);
    keepOnScreen(this);
}

DialogExportCodeEditor::~DialogExportCodeEditor()
{
    delete m_ui;
}

int DialogExportCodeEditor::Create(int tableId)
{
    int code = NoValue;
    DialogSavepoint::execDialog<DialogExportCodeEditor>(
        kClassName, QStringLiteral("Create"), [tableId] { return new DialogExportCodeEditor(tableId, NoValue); },
        [&code](DialogExportCodeEditor& editor) { code = editor.m_code; });
    return code;
}

bool DialogExportCodeEditor::Edit(int tableId, int code)
{
    return DialogSavepoint::execDialog<DialogExportCodeEditor>(
        kClassName, QStringLiteral("Edit"), [tableId, code] { return new DialogExportCodeEditor(tableId, code); });
}

bool DialogExportCodeEditor::Erase(int tableId, int code)
{
    QVector<DependencyItem> items;
    if (CollectDependents(tableId, code, items) < 0) {
        prompt().warning(nullptr, kWarningTitle, QStringLiteral("Не удалось проверить зависимости записи"));
        return false;
    }
    if (!items.isEmpty()) {
        DialogDependencies::execute(items);
        return false;
    }
    QSqlQuery query;
    const QString statement = QString("DELETE FROM %1 WHERE %2=?;").arg(tableName(tableId), keyColumnName(tableId));
    return execQuery(query, statement, {code}) && query.numRowsAffected() > 0;
}

int DialogExportCodeEditor::CollectDependents(int tableId, int code, QVector<DependencyItem>& items)
{
    items.clear();
    if (!referenceTables().contains(tableId))
        return 0;
    const CReferenceTable& reference = referenceTables().value(tableId);
    const CDependentKind kind{reference.dependentTable, {reference.column}, tableName(reference.dependentTable)};
    return collectDependencies({kind}, code, items) ? items.size() : -1;
}

// Tells whether the typed code is free or which row holds it.
void DialogExportCodeEditor::slotCheck()
{
    int code = NoValue;
    if (!readCode(code)) {
        prompt().warning(this, kWarningTitle, QStringLiteral("Введите корректное значение кода"));
        return;
    }
    QString name;
    if (codeName(m_tableId, code, name))
        prompt().information(this, QStringLiteral("Проверка кода"),
                             QStringLiteral("Код %1 уже используется: %2").arg(code).arg(name));
    else
        prompt().information(this, QStringLiteral("Проверка кода"), QStringLiteral("Код %1 свободен").arg(code));
}

void DialogExportCodeEditor::slotSave()
{
    if (save())
        accept();
}

void DialogExportCodeEditor::slotCancel()
{
    reject();
}

void DialogExportCodeEditor::load()
{
    m_generalInfo->clear();
    m_ui->editCode->clear();
    QSqlRecord row;
    if (m_code == NoValue || !RecordStorage::readRow(m_tableId, m_code, row))
        return;
    m_generalInfo->setName(RecordStorage::text(row, "name"));
    m_generalInfo->setDescription(RecordStorage::text(row, "description"));
    m_ui->editCode->setText(QString::number(m_code));
}

bool DialogExportCodeEditor::save()
{
    int code = NoValue;
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.checks = {
        [this, &code] { return readCode(code) ? QString() : QStringLiteral("Введите корректное значение кода"); },
        [this, &code] {
            QString name;
            return code != m_code && codeName(m_tableId, code, name) ? QStringLiteral("Введенный код  уже используется")
                                                                     : QString();
        },
        [this, &code] { return code == m_code ? QString() : codeChangeRefusal(); }};
    const QVariantList values{m_generalInfo->name(), m_generalInfo->description()};
    editorSave.update = [this, &code, &values](int key) {
        return CSqlStatement{QString("UPDATE %1 SET name=?, description=?, %2=?, last_use=? WHERE %2=?;")
                                 .arg(m_tableName, keyColumnName(m_tableId)),
                             values + QVariantList{code, RecordStorage::now(), key}};
    };
    editorSave.insert = [this, &code, &values] {
        return CSqlStatement{QString("INSERT INTO %1 (name, description, %2, last_use) VALUES (?, ?, ?, ?);")
                                 .arg(m_tableName, keyColumnName(m_tableId)),
                             values + QVariantList{code, RecordStorage::now()}};
    };
    editorSave.insertedKey = [&code] { return code; };
    int key = m_code;
    if (!saveRecord(this, editorSave, key))
        return false;
    m_code = code;
    return true;
}

bool DialogExportCodeEditor::readCode(int& code) const
{
    const QString text = m_ui->editCode->text().trimmed();
    bool number = false;
    const int value = text.toInt(&number);
    if (!number || value == NoValue || !m_ui->editCode->hasAcceptableInput())
        return false;
    code = value;
    return true;
}

// A stored code that definitions hold stays, so that none of them is left with a code
// that no row names.
QString DialogExportCodeEditor::codeChangeRefusal()
{
    if (m_code == NoValue)
        return QString();
    QVector<DependencyItem> items;
    const int count = CollectDependents(m_tableId, m_code, items);
    if (count < 0)
        return QStringLiteral("Не удалось проверить зависимости записи");
    if (count == 0)
        return QString();
    DialogDependencies::execute(items);
    return QStringLiteral("Код используется определениями и не может быть изменен");
}
