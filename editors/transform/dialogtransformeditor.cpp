#include "dialogtransformeditor.h"
#include "ui_dialogtransformeditor.h"

#include "frametransformparamsaffine2d.h"
#include "frametransformparamsshift2d.h"
#include "frametransformparamsshifth.h"

#include "browser/framedatabasepicker.h"
#include "browser/framegeneralinfo.h"
#include "browser/prompt.h"
#include "database/codetablesaxes.h"
#include "database/savepoint.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"
#include "records/transformstorage.h"

#include <QBoxLayout>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString WriteError = QStringLiteral("Ошибка записи в базу данных");

} // namespace

DialogTransformEditor::DialogTransformEditor(int key, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogTransformEditor)
    , m_key(key)
{
    ui->setupUi(this);
    m_generalInfo = new FrameGeneralInfo(TableTransform, true, true, this);
    ui->layoutGeneral->addWidget(m_generalInfo);
    m_typePicker = new FrameDatabasePicker(TableTransformType, QStringLiteral("Тип преобразования"),
                                           QBoxLayout::TopToBottom, this);
    m_typePicker->addColumn(QStringLiteral("code"));
    ui->layoutType->addWidget(m_typePicker);
    m_affine = new FrameTransformParamsAffine2D(this);
    m_shift = new FrameTransformParamsShift2D(this);
    m_heightShift = new FrameTransformParamsShiftH(this);
    for (QWidget* frame : {static_cast<QWidget*>(m_affine), static_cast<QWidget*>(m_shift),
                           static_cast<QWidget*>(m_heightShift)})
        ui->groupboxParams->layout()->addWidget(frame);
    showTypeFrame();
    if (m_key == NoValue)
        m_generalInfo->clear();
    else
        load();
    connect(ui->buttonSave, &QPushButton::clicked, this, &DialogTransformEditor::slotSave);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogTransformEditor::slotCancel);
    connect(m_typePicker, &FrameDatabasePicker::picked, this, &DialogTransformEditor::slotSelectTransformType);
}

DialogTransformEditor::~DialogTransformEditor()
{
    delete ui;
}

bool DialogTransformEditor::Delete(int key)
{
    return TransformStorage::Delete(key);
}

bool DialogTransformEditor::ReadDetails(int key, CTransformDetails& transform)
{
    return TransformStorage::ReadDetails(key, transform);
}

int DialogTransformEditor::InsertDetails(const CTransformDetails& transform, int listKey, int number, QString* error)
{
    return TransformStorage::InsertDetails(transform, listKey, number, error);
}

bool DialogTransformEditor::ReadTypeDetails(int code, CTransformTypeDetails& type)
{
    return TransformStorage::ReadTypeDetails(code, type);
}

int DialogTransformEditor::InsertTypeDetails(const CTransformTypeDetails& type)
{
    return TransformStorage::InsertTypeDetails(type);
}

int DialogTransformEditor::key() const
{
    return m_key;
}

void DialogTransformEditor::setPlace(int listKey, int number)
{
    m_listKey = listKey;
    m_number = number;
}

void DialogTransformEditor::slotSave()
{
    if (save())
        accept();
}

void DialogTransformEditor::slotCancel()
{
    reject();
}

void DialogTransformEditor::slotSelectTransformType(int key)
{
    Q_UNUSED(key);
    setTransformType(m_typeCode, m_typePicker->columnValue(QStringLiteral("code")).toInt());
    showTypeFrame();
}

void DialogTransformEditor::load()
{
    m_generalInfo->clear();
    QSqlRecord row;
    if (!RecordStorage::readRow(TableTransform, m_key, row))
        return;
    m_listKey = RecordStorage::number(row, QStringLiteral("transform_list"));
    m_number = RecordStorage::number(row, QStringLiteral("number"));
    m_generalInfo->setName(RecordStorage::text(row, QStringLiteral("name")));
    m_generalInfo->setDescription(RecordStorage::text(row, QStringLiteral("description")));
    const int code = m_typePicker->setKey(RecordStorage::number(row, QStringLiteral("type")))
        ? m_typePicker->columnValue(QStringLiteral("code")).toInt()
        : 0;
    setTransformType(m_typeCode, code);
    showTypeFrame();
}

void DialogTransformEditor::showTypeFrame()
{
    m_affine->setVisible(m_typeCode == TransformAffine2D);
    m_shift->setVisible(m_typeCode == TransformShift2D);
    m_heightShift->setVisible(m_typeCode == TransformShiftH);
    if (m_typeCode == TransformAffine2D)
        m_affine->load(m_key);
    else if (m_typeCode == TransformShift2D)
        m_shift->load(m_key);
    else if (m_typeCode == TransformShiftH)
        m_heightShift->load(m_key);
}

bool DialogTransformEditor::save()
{
    const bool nameFree = m_key == NoValue ? m_generalInfo->checkNameForInsert()
                                           : m_generalInfo->checkNameForUpdate(m_key);
    if (!nameFree)
        return false;
    if (m_typeCode == 0) {
        prompt().warning(this, QStringLiteral("Предупреждение"), QStringLiteral("Необходимо указать тип преобразования"));
        return false;
    }
    TransformParamEntries entries;
    return saveParams(entries) && write(entries);
}

bool DialogTransformEditor::saveParams(TransformParamEntries& entries)
{
    if (m_typeCode == TransformAffine2D)
        return m_affine->save(entries);
    if (m_typeCode == TransformShift2D)
        return m_shift->save(entries);
    return m_heightShift->save(entries);
}

bool DialogTransformEditor::write(const TransformParamEntries& entries)
{
    const int key = m_key;
    CSavepoint savepoint(QStringLiteral("DialogTransformEditor_Save_"));
    QString error;
    if (savepoint.isActive() && writeRow(error) && writeValues(entries, error) && savepoint.release())
        return true;
    m_key = key;
    prompt().warning(this, QStringLiteral("Предупреждение"), error.isEmpty() ? WriteError : WriteError + "\n" + error);
    return false;
}

bool DialogTransformEditor::writeRow(QString& error)
{
    QSqlQuery query;
    const bool written = m_key == NoValue ? insertRow(query) : updateRow(query);
    error = query.lastError().text();
    return written;
}

bool DialogTransformEditor::insertRow(QSqlQuery& query)
{
    if (!execQuery(query,
                   QString("INSERT INTO %1 (name,description,type,transform_list,number,last_use) "
                           "VALUES(?,?, ?, ?, ?, ?);")
                       .arg(tableName(TableTransform)),
                   {m_generalInfo->name(), m_generalInfo->description(), m_typeCode,
                    RecordStorage::linkValue(m_listKey), m_number, RecordStorage::now()}))
        return false;
    m_key = insertedKey(query);
    return m_key != NoValue;
}

bool DialogTransformEditor::updateRow(QSqlQuery& query)
{
    return execQuery(query,
                     QString("UPDATE %1 SET  name            = ?,     description     = ?,     type            "
                             "=  ? ,     last_use        =  ?  WHERE %2=?;")
                         .arg(tableName(TableTransform), keyColumnName(TableTransform)),
                     {m_generalInfo->name(), m_generalInfo->description(), m_typeCode, RecordStorage::now(), m_key})
        && query.numRowsAffected() == 1;
}

bool DialogTransformEditor::writeValues(const TransformParamEntries& entries, QString& error)
{
    const QString table = tableName(TableTransformParamValue);
    if (!RecordStorage::exec(QString("DELETE FROM %1 WHERE transform = ?;").arg(table), {m_key}))
        return false;
    for (const TransformParamEntry& entry : entries) {
        QSqlQuery query;
        if (!execQuery(query, QString("INSERT INTO %1 (transform,param,value,unit) VALUES(?, ?, ?,?);").arg(table),
                       {m_key, entry.paramCode, entry.value, RecordStorage::linkValue(entry.unit)})) {
            error = query.lastError().text();
            return false;
        }
    }
    return true;
}
