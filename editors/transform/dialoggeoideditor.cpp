#include "dialoggeoideditor.h"

#include "ui_dialoggeoideditor.h"

#include "frametransformlist.h"

#include "browser/dependencycollector.h"
#include "browser/dialogsavepoint.h"
#include "browser/editorsave.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "browser/framemanagerpicker.h"
#include "browser/screenfit.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QBoxLayout>

namespace {

const QString kClassName = QStringLiteral("DialogGeoidEditor");

} // namespace

DialogGeoidEditor::DialogGeoidEditor(int key, QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::DialogGeoidEditor)
    , m_key(key)
{
    m_ui->setupUi(this);
    createFrames();
    if (m_key == NoValue)
        clear();
    else
        load();
    connect(m_ui->buttonSave, &QPushButton::clicked, this, &DialogGeoidEditor::slotSave);
    connect(m_ui->buttonCancel, &QPushButton::clicked, this, &DialogGeoidEditor::slotCancel);
    connect(m_geoidPicker, &FrameManagerPicker::picked, this, &DialogGeoidEditor::slotGeoidSelected);
    connect(m_ui->checkboxShowTransforms, &QCheckBox::stateChanged, this,
            &DialogGeoidEditor::slotShowTransformsStateChanged);
    connect(m_ui->checkboxShowExport, &QCheckBox::stateChanged, this, &DialogGeoidEditor::slotShowExportStateChanged);
    keepOnScreen(this);
}

DialogGeoidEditor::~DialogGeoidEditor()
{
    delete m_ui;
}

int DialogGeoidEditor::Create()
{
    int key = NoValue;
    DialogSavepoint::execDialog<DialogGeoidEditor>(
        kClassName, QStringLiteral("Create"), [] { return new DialogGeoidEditor(NoValue); },
        [&key](DialogGeoidEditor& editor) { key = editor.m_key; });
    return key;
}

bool DialogGeoidEditor::Edit(int key)
{
    return DialogSavepoint::execDialog<DialogGeoidEditor>(kClassName, QStringLiteral("Edit"),
                                                          [key] { return new DialogGeoidEditor(key); });
}

bool DialogGeoidEditor::Erase(int key)
{
    QSqlRecord row;
    const int list =
        RecordStorage::readRow(TableVertCoordSys, key, row) ? RecordStorage::link(row, "transform_list") : 0;
    return eraseRecord(TableVertCoordSys, key,
                       {{TableCoordSys, {"vert_coordsys"}, QStringLiteral("Система координат")}},
                       [list] { return list == 0 || FrameTransformList::Delete(list); });
}

void DialogGeoidEditor::slotSave()
{
    if (save())
        accept();
}

void DialogGeoidEditor::slotCancel()
{
    reject();
}

void DialogGeoidEditor::slotGeoidSelected(const QString& id)
{
    m_geoidId = id;
}

void DialogGeoidEditor::slotShowTransformsStateChanged(int)
{
    const bool shown = m_ui->checkboxShowTransforms->isChecked();
    m_transformList->setVisible(shown);
    m_filler->setVisible(!shown);
    fitToScreen(this);
}

void DialogGeoidEditor::slotShowExportStateChanged(int)
{
    m_ui->frameExport->setVisible(m_ui->checkboxShowExport->isChecked());
    fitToScreen(this);
}

void DialogGeoidEditor::createFrames()
{
    m_generalInfo = new FrameGeneralInfo(TableVertCoordSys, true, false, this);
    m_ui->layoutGeneralInfo->addWidget(m_generalInfo);
    m_geoidPicker = new FrameManagerPicker(1, QStringLiteral("Геоид"), QBoxLayout::TopToBottom, this);
    m_ui->groupboxParameters->layout()->addWidget(m_geoidPicker);
    m_transformList = new FrameTransformList(this, false);
    m_ui->groupboxParameters->layout()->addWidget(m_transformList);
    m_export = new FrameExport(this);
    m_export->setDestinationEpsg(TableEpsgVertCoordSys);
    m_ui->layoutExport->addWidget(m_export);
    m_filler = new QFrame(this);
    m_filler->setLayout(new QVBoxLayout);
    m_filler->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_ui->groupboxParameters->layout()->addWidget(m_filler);
    m_ui->checkboxShowTransforms->setChecked(false);
    slotShowTransformsStateChanged(Qt::Unchecked);
    m_ui->checkboxShowExport->setChecked(false);
    slotShowExportStateChanged(Qt::Unchecked);
}

void DialogGeoidEditor::clear()
{
    m_generalInfo->clear();
    m_geoidId.clear();
    m_geoidPicker->clear();
    m_export->clear();
}

void DialogGeoidEditor::load()
{
    clear();
    QSqlRecord row;
    if (!RecordStorage::readRow(TableVertCoordSys, m_key, row))
        return;
    m_generalInfo->setName(RecordStorage::text(row, "name"));
    m_generalInfo->setDescription(RecordStorage::text(row, "description"));
    m_generalInfo->setShortName(RecordStorage::text(row, "short_name"));
    m_geoidId = RecordStorage::text(row, "geoid");
    showGeoid();
    const int list = RecordStorage::link(row, "transform_list");
    m_transformList->setTransformList(list == 0 ? NoValue : list);
    if (list != 0 && list != NoValue) {
        m_ui->checkboxShowTransforms->setChecked(true);
        slotShowTransformsStateChanged(Qt::Checked);
    }
    const QString epsg = RecordStorage::text(row, "epsg");
    if (epsg.isEmpty())
        return;
    m_export->setCode(ExportEpsg, epsg.toInt());
    m_ui->checkboxShowExport->setChecked(true);
    slotShowExportStateChanged(Qt::Checked);
}

void DialogGeoidEditor::showGeoid()
{
    m_geoidPicker->setId(m_geoidId);
}

bool DialogGeoidEditor::save()
{
    const QStringList columns{"name", "description", "short_name", "geoid", "transform_list", "epsg", "last_use"};
    const QVariantList values{m_generalInfo->name(),
                              m_generalInfo->description(),
                              m_generalInfo->shortName(),
                              m_geoidId.isNull() ? QString("") : m_geoidId,
                              RecordStorage::linkValue(m_transformList->listKey()),
                              RecordStorage::linkValue(m_export->code(ExportEpsg)),
                              RecordStorage::now()};
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.update = [&](int key) { return updateStatement(TableVertCoordSys, key, columns, values); };
    editorSave.insert = [&] { return insertStatement(TableVertCoordSys, columns, values); };
    return saveRecord(this, editorSave, m_key);
}
