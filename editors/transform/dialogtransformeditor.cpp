#include "dialogtransformeditor.h"
#include "ui_dialogtransformeditor.h"

#include "frametransformparamsaffine2d.h"
#include "frametransformparamsshift2d.h"
#include "frametransformparamsshifth.h"

#include "browser/dialogsavepoint.h"
#include "browser/framedatabasepicker.h"
#include "browser/framegeneralinfo.h"
#include "browser/guihelpers.h"
#include "browser/prompt.h"
#include "browser/screenfit.h"
#include "database/codetablesaxes.h"
#include "database/savepoint.h"
#include "database/sqlfunctions.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"
#include "records/transformstorage.h"

#include <QBoxLayout>
#include <QSqlQuery>

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
    keepOnScreen(this);
}

DialogTransformEditor::~DialogTransformEditor()
{
    delete ui;
}

int DialogTransformEditor::Create(int listKey, int number)
{
    int key = NoValue;
    DialogSavepoint::execDialog<DialogTransformEditor>(
        QStringLiteral("DialogTransformEditor"), QStringLiteral("Create"),
        [listKey, number] {
            auto* dialog = new DialogTransformEditor(NoValue);
            dialog->setPlace(listKey, number);
            return dialog;
        },
        [&key](DialogTransformEditor& dialog) { key = dialog.key(); });
    return key;
}

bool DialogTransformEditor::Edit(int key)
{
    return DialogSavepoint::execDialog<DialogTransformEditor>(QStringLiteral("DialogTransformEditor"),
                                                              QStringLiteral("Edit"),
                                                              [key] { return new DialogTransformEditor(key); });
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

int DialogTransformEditor::FindTypeDetails(const CTransformTypeDetails& type)
{
    return TransformStorage::FindTypeDetails(type);
}

int DialogTransformEditor::InsertTypeDetails(const CTransformTypeDetails& type)
{
    QString error;
    const int code = TransformStorage::InsertTypeDetails(type, &error);
    if (code == NoValue)
        prompt().warning(nullptr, QStringLiteral("Предупреждение"), error);
    return code;
}

bool DialogTransformEditor::ReadParamDetails(int code, CTransformParamDetails& param)
{
    return TransformStorage::ReadParamDetails(code, param);
}

int DialogTransformEditor::FindParamDetails(const CTransformParamDetails& param)
{
    return TransformStorage::FindParamDetails(param);
}

int DialogTransformEditor::InsertParamDetails(const CTransformParamDetails& param)
{
    return TransformStorage::InsertParamDetails(param);
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
    fitToScreen(this);
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
    if (!nameCheckOf(*m_generalInfo)(m_key))
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
    CSavepoint savepoint(QStringLiteral("DialogTransformEditor_Save_"));
    int key = m_key;
    if (!savepoint.isActive() || !saveRecord(this, rowSave(), key))
        return false;
    QSqlQuery query;
    if (!writeValues(key, entries, query) || !savepoint.release()) {
        sqlWarning(query, QStringLiteral("Ошибка записи в базу данных"), this);
        return false;
    }
    m_key = key;
    return true;
}

CEditorSave DialogTransformEditor::rowSave() const
{
    const QString table = tableName(TableTransform);
    const QVariantList texts{m_generalInfo->name(), m_generalInfo->description(), m_typeCode};
    CEditorSave save;
    save.update = [=](int key) {
        return CSqlStatement{QString("UPDATE %1 SET  name            = ?,     description     = ?,     type            "
                                     "=  ? ,     last_use        =  ?  WHERE %2=?;")
                                 .arg(table, keyColumnName(TableTransform)),
                             texts + QVariantList{RecordStorage::now(), key}};
    };
    save.insert = [=] {
        return CSqlStatement{
            QString("INSERT INTO %1 (name,description,type,transform_list,number,last_use) VALUES(?,?, ?, ?, ?, ?);")
                .arg(table),
            texts + QVariantList{RecordStorage::linkValue(m_listKey), m_number, RecordStorage::now()}};
    };
    return save;
}

bool DialogTransformEditor::writeValues(int key, const TransformParamEntries& entries, QSqlQuery& query)
{
    const QString table = tableName(TableTransformParamValue);
    if (!execQuery(query, QString("DELETE FROM %1 WHERE transform = ?;").arg(table), {key}))
        return false;
    for (const TransformParamEntry& entry : entries) {
        if (!execQuery(query, QString("INSERT INTO %1 (transform,param,value,unit) VALUES(?, ?, ?,?);").arg(table),
                       {key, entry.paramCode, entry.value, RecordStorage::linkValue(entry.unit)}))
            return false;
    }
    return true;
}
