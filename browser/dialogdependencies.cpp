#include "dialogdependencies.h"
#include "ui_dialogdependencies.h"

#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidgetItem>

DialogDependencies::DialogDependencies(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogDependencies)
{
    ui->setupUi(this);
    connect(ui->buttonClose, &QPushButton::clicked, this, &DialogDependencies::slotClose);
}

DialogDependencies::~DialogDependencies()
{
    delete ui;
}

void DialogDependencies::execute(const QVector<DependencyItem>& items)
{
    if (items.isEmpty())
        return;
    DialogDependencies dialog;
    dialog.setItems(items);
    dialog.exec();
}

void DialogDependencies::setItems(const QVector<DependencyItem>& items)
{
    ui->treeDependencies->setHeaderLabels({tr("Тип"), tr("Имя"), tr("Описание")});
    for (const DependencyItem& item : items) {
        auto* row = new QTreeWidgetItem(ui->treeDependencies);
        if (ui->treeDependencies->topLevelItemCount() == 1)
            ui->treeDependencies->setCurrentItem(row);
        row->setText(0, item.typeTitle);
        row->setText(1, item.name);
        row->setText(2, item.description);
        row->setData(0, Qt::UserRole, item.key);
        row->setData(0, Qt::UserRole + 1, item.tableId);
        row->setData(0, Qt::UserRole + 2, item.tableName);
    }
    ui->buttonDetails->hide();
    fitColumns();
}

void DialogDependencies::fitColumns()
{
    QTreeWidget* tree = ui->treeDependencies;
    for (int column = 0; column < tree->columnCount(); ++column)
        tree->resizeColumnToContents(column);
    ensurePolished();
    layout()->activate();
    const int wanted =
        tree->header()->length() + 2 * tree->frameWidth() + tree->verticalScrollBar()->sizeHint().width();
    const int room = screen()->availableGeometry().width();
    resize(qMax(width(), qMin(width() + wanted - tree->width(), room)), height());
}

void DialogDependencies::slotClose()
{
    close();
}
