#include "dialoginfoviewer.h"
#include "ui_dialoginfoviewer.h"

#include "prompt.h"
#include "recordexchange.h"

#include "database/savefile.h"
#include "records/abstractdetails.h"
#include "records/detailsdocument.h"

#include <QDir>
#include <QFileInfo>

namespace {

enum Tab { TabBrief = 0, TabDetails = 1, TabXml = 2 };

struct CSaveKind {
    QString filter;
    QString suffix;
    QString settingsKey;
};

CSaveKind saveKind(int tab)
{
    if (tab == TabXml)
        return {QStringLiteral("XML файлы (*.xml);;Все файлы (*.*)"), QStringLiteral("xml"),
                QStringLiteral("/Settings/LastExpImpPath")};
    return {QStringLiteral("Текстовые файлы (*.txt);;Все файлы (*.*)"), QStringLiteral("txt"),
            QStringLiteral("/Settings/LastInfoPath")};
}

} // namespace

DialogInfoViewer::DialogInfoViewer(const CAbstractDetails* record, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogInfoViewer)
    , m_record(record)
{
    ui->setupUi(this);
    resetView();
    connect(ui->buttonSave, &QPushButton::clicked, this, &DialogInfoViewer::slotSave);
    connect(ui->buttonRestore, &QPushButton::clicked, this, &DialogInfoViewer::slotRestore);
    connect(ui->buttonClose, &QPushButton::clicked, this, &DialogInfoViewer::slotClose);
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, &DialogInfoViewer::slotCurrentChanged);
}

DialogInfoViewer::~DialogInfoViewer()
{
    delete ui;
}

void DialogInfoViewer::execute(const CAbstractDetails* record)
{
    DialogInfoViewer viewer(record);
    viewer.fill();
    viewer.exec();
}

QString DialogInfoViewer::xmlText(const CAbstractDetails* record)
{
    if (!record)
        return QString();
    const QDomDocument document = detailsDocument(*record, record->kindName());
    return document.isNull() ? QString() : document.toString(1);
}

void DialogInfoViewer::fill()
{
    clearViews();
    if (!m_record)
        return;
    ui->editBrief->setPlainText(m_record->infoText());
    m_record->fillInfoTree(ui->treeDetails->invisibleRootItem());
    ui->editXML->setPlainText(xmlText(m_record));
}

void DialogInfoViewer::clearViews()
{
    ui->editBrief->clear();
    ui->treeDetails->clear();
    ui->editXML->clear();
}

void DialogInfoViewer::resetView()
{
    clearViews();
    ui->tabWidget->setCurrentIndex(TabBrief);
    slotCurrentChanged(TabBrief);
}

void DialogInfoViewer::slotSave()
{
    const int tab = ui->tabWidget->currentIndex();
    if (!m_record || tab == TabDetails)
        return;
    const CSaveKind kind = saveKind(tab);
    const QString folder = m_settings.value(kind.settingsKey).toString();
    const QString proposed = recordFileName(*m_record, kind.suffix);
    const QString path = prompt().getSaveFileName(this, QStringLiteral("Сохранить"),
                                                  folder.isEmpty() ? proposed : QDir(folder).filePath(proposed),
                                                  kind.filter, kind.suffix);
    if (path.isEmpty())
        return;
    const QString text = tab == TabXml ? ui->editXML->toPlainText() : ui->editBrief->toPlainText();
    if (!writeFileBytes(path, text.toUtf8())) {
        prompt().warning(this, QStringLiteral("Предупреждение"), QStringLiteral("Ошибка записи в файл ") + path);
        return;
    }
    m_settings.setValue(kind.settingsKey, QFileInfo(path).absolutePath());
}

void DialogInfoViewer::slotRestore()
{
    fill();
}

void DialogInfoViewer::slotClose()
{
    close();
}

void DialogInfoViewer::slotCurrentChanged(int index)
{
    ui->buttonSave->setEnabled(index != TabDetails && m_record);
}
