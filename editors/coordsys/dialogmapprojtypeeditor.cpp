#include "dialogmapprojtypeeditor.h"

#include "ui_dialogmapprojtypeeditor.h"

#include "axiscombos.h"

#include "browser/dialogsavepoint.h"
#include "browser/editorsave.h"
#include "browser/frameexport.h"
#include "browser/framegeneralinfo.h"
#include "browser/screenfit.h"
#include "database/codetablesmapproj.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

namespace {

const QString kAxesRefusal = QStringLiteral("Некорректно заданы направления осей координат");

} // namespace

DialogMapProjTypeEditor::DialogMapProjTypeEditor(int code, QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::DialogMapProjTypeEditor)
    , m_code(code)
{
    m_ui->setupUi(this);
    createFrames();
    if (m_code != NoValue)
        load();
    connect(m_ui->buttonSave, &QPushButton::clicked, this, &DialogMapProjTypeEditor::slotSave);
    connect(m_ui->buttonDefaults, &QPushButton::clicked, this, &DialogMapProjTypeEditor::slotDefaults);
    connect(m_ui->buttonCancel, &QPushButton::clicked, this, &DialogMapProjTypeEditor::slotCancel);
    connect(m_ui->checkboxShowExport, &QCheckBox::stateChanged, this,
            &DialogMapProjTypeEditor::slotShowExportStateChanged);
    keepOnScreen(this);
}

DialogMapProjTypeEditor::~DialogMapProjTypeEditor()
{
    delete m_ui;
}

bool DialogMapProjTypeEditor::Edit(int code)
{
    // The export frame's selector writes codes at once; a cancel undoes them.
    return DialogSavepoint::execDialog<DialogMapProjTypeEditor>(
        QStringLiteral("DialogMapProjTypeEditor"), QStringLiteral("Edit"),
        [code] { return new DialogMapProjTypeEditor(code); });
}

void DialogMapProjTypeEditor::slotSave()
{
    if (save())
        accept();
}

// Puts back the fixed texts, axes and EPSG code of the type's code; nothing is written.
void DialogMapProjTypeEditor::slotDefaults()
{
    const int code = checkMapProjTypeCode(m_code);
    MapProjTypeAxes axes;
    if (!mapProjTypeAxes(code, axes))
        return;
    m_generalInfo->setName(QString::fromStdString(mapProjTypeName(code)));
    m_generalInfo->setShortName(QString::fromStdString(mapProjTypeShortName(code)));
    m_generalInfo->setDescription(QString::fromStdString(mapProjTypeDescription(code)));
    AxisCombos::set(m_ui->comboAxis1Direction, m_ui->comboAxis2Direction, axes.coord1Sign, axes.coord2Sign,
                    axes.swapCoords != 0);
    m_ui->editAxis1Symbol->setText(QString::fromStdString(axes.coord1Abbr));
    m_ui->editAxis2Symbol->setText(QString::fromStdString(axes.coord2Abbr));
    m_ui->editAxis1Description->setText(QString::fromStdString(axes.coord1Desc));
    m_ui->editAxis2Description->setText(QString::fromStdString(axes.coord2Desc));
    m_export->clear();
    if (mapProjTypeEpsgCode(code) != 0)
        showExport(mapProjTypeEpsgCode(code));
}

void DialogMapProjTypeEditor::slotCancel()
{
    reject();
}

void DialogMapProjTypeEditor::slotShowExportStateChanged(int)
{
    m_ui->frameExport->setVisible(m_ui->checkboxShowExport->isChecked());
    fitToScreen(this);
}

void DialogMapProjTypeEditor::createFrames()
{
    m_generalInfo = new FrameGeneralInfo(TableMapProjType, true, false, this);
    m_ui->layoutGeneralInfo->addWidget(m_generalInfo);
    m_export = new FrameExport(this);
    m_export->setDestinationEpsg(TableEpsgMapProj);
    m_ui->layoutExport->addWidget(m_export);
    m_ui->checkboxShowExport->setChecked(false);
    slotShowExportStateChanged(Qt::Unchecked);
    clear();
}

void DialogMapProjTypeEditor::clear()
{
    m_generalInfo->clear();
    AxisCombos::set(m_ui->comboAxis1Direction, m_ui->comboAxis2Direction, 1, 1, false);
    m_ui->editAxis1Symbol->clear();
    m_ui->editAxis2Symbol->clear();
    m_ui->editAxis1Description->clear();
    m_ui->editAxis2Description->clear();
    m_export->clear();
}

void DialogMapProjTypeEditor::load()
{
    clear();
    QSqlRecord row;
    if (!RecordStorage::readRow(TableMapProjType, m_code, row))
        return;
    m_generalInfo->setName(RecordStorage::text(row, "name"));
    m_generalInfo->setShortName(RecordStorage::text(row, "short_name"));
    m_generalInfo->setDescription(RecordStorage::text(row, "description"));
    m_ui->editAxis1Symbol->setText(RecordStorage::text(row, "coord1_abbr"));
    m_ui->editAxis2Symbol->setText(RecordStorage::text(row, "coord2_abbr"));
    m_ui->editAxis1Description->setText(RecordStorage::text(row, "coord1_desc"));
    m_ui->editAxis2Description->setText(RecordStorage::text(row, "coord2_desc"));
    AxisCombos::set(m_ui->comboAxis1Direction, m_ui->comboAxis2Direction, RecordStorage::number(row, "coord1_sign"),
                    RecordStorage::number(row, "coord2_sign"), RecordStorage::number(row, "swap_coords") != 0);
    const QString epsg = RecordStorage::text(row, "epsg");
    if (!epsg.isEmpty())
        showExport(epsg.toInt());
}

bool DialogMapProjTypeEditor::save()
{
    int sign1 = 0;
    int sign2 = 0;
    bool swap = false;
    CEditorSave editorSave;
    editorSave.checkName = nameCheckOf(*m_generalInfo);
    editorSave.checks = {[&] {
        return AxisCombos::read(m_ui->comboAxis1Direction, m_ui->comboAxis2Direction, sign1, sign2, swap)
            ? QString()
            : kAxesRefusal;
    }};
    editorSave.update = [&](int key) {
        return CSqlStatement{
            QString("UPDATE %1 SET name=?, description=?, short_name=?, coord1_abbr=?, coord2_abbr=?, coord1_desc=?, "
                    "coord2_desc=?, coord1_sign=?, coord2_sign=?, swap_coords=?, epsg=?, last_use=? WHERE %2=?;")
                .arg(tableName(TableMapProjType), keyColumnName(TableMapProjType)),
            {m_generalInfo->name(), m_generalInfo->description(), m_generalInfo->shortName(),
             m_ui->editAxis1Symbol->text().trimmed(), m_ui->editAxis2Symbol->text().trimmed(),
             m_ui->editAxis1Description->text().trimmed(), m_ui->editAxis2Description->text().trimmed(), sign1, sign2,
             swap ? 1 : 0, RecordStorage::linkValue(m_export->code(ExportEpsg)), RecordStorage::now(), key}};
    };
    int key = m_code;
    return saveRecord(this, editorSave, key);
}

void DialogMapProjTypeEditor::showExport(int code)
{
    m_export->setCode(ExportEpsg, code);
    m_ui->checkboxShowExport->setChecked(true);
    slotShowExportStateChanged(Qt::Checked);
}
