#include "dialoglistselector.h"
#include "ui_dialoglistselector.h"

DialogListSelector::DialogListSelector(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogListSelector)
{
    ui->setupUi(this);
    connect(ui->buttonOK, &QPushButton::clicked, this, &DialogListSelector::slotOK);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogListSelector::slotCancel);
}

DialogListSelector::~DialogListSelector()
{
    delete ui;
}

void DialogListSelector::setItems(const QMap<int, QString>& items, int currentKey)
{
    ui->listItems->addItems(items.values());
    const int row = items.keys().indexOf(currentKey);
    ui->listItems->setCurrentRow(row < 0 ? 0 : row);
}

int DialogListSelector::select(const QMap<int, QString>& items, int fallback, int currentKey)
{
    if (items.isEmpty())
        return fallback;
    DialogListSelector dialog(nullptr);
    dialog.setItems(items, currentKey);
    if (dialog.exec() != QDialog::Accepted)
        return fallback;
    const int row = dialog.ui->listItems->currentRow();
    if (row < 0 || row >= items.size())
        return fallback;
    return items.keys().at(row);
}

void DialogListSelector::slotOK()
{
    accept();
}

void DialogListSelector::slotCancel()
{
    reject();
}
