#include "dialogtextviewer.h"
#include "ui_dialogtextviewer.h"

#include "browser/prompt.h"
#include "textfiles.h"

DialogTextViewer::DialogTextViewer(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogTextViewer)
{
    ui->setupUi(this);
    ui->editText->setAcceptRichText(true);
    connect(ui->buttonClose, &QPushButton::clicked, this, &DialogTextViewer::slotClose);
}

DialogTextViewer::~DialogTextViewer()
{
    delete ui;
}

bool DialogTextViewer::execute(const QString& title, const QString& path)
{
    DialogTextViewer viewer;
    viewer.setWindowTitle(title);
    const bool loaded = viewer.loadFile(path);
    if (loaded)
        viewer.exec();
    return loaded;
}

bool DialogTextViewer::loadFile(const QString& path)
{
    ui->editText->clear();
    QString text;
    if (!readTextFile(path, text)) {
        prompt().warning(this, QStringLiteral("Ошибка отображения файла"),
                         QStringLiteral("Ошибка при отображении файла ") + path);
        return false;
    }
    ui->editText->setText(text);
    return true;
}

void DialogTextViewer::slotClose()
{
    close();
}
