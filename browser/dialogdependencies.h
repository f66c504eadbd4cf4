#pragma once

#include <QDialog>
#include <QString>
#include <QVector>

namespace Ui {
class DialogDependencies;
}

// One record that refers to a record whose deletion is refused.
struct DependencyItem {
    // Kind of the referring record, as the user reads it.
    QString typeTitle;
    QString name;
    QString description;
    // The referring record's table.
    int tableId = 0;
    QString tableName;
    // Key of the record whose deletion is refused.
    int key = 0;
};

// Lists the records that depend on one about to be deleted; changes nothing.
class DialogDependencies : public QDialog
{
    Q_OBJECT

public:
    explicit DialogDependencies(QWidget* parent = nullptr);
    ~DialogDependencies() override;

    // Shows the items modally; nothing for an empty list.
    static void execute(const QVector<DependencyItem>& items);

    // One row per item in list order, the first current.
    void setItems(const QVector<DependencyItem>& items);

private slots:
    void slotClose();

private:
    // Widens the columns to their texts and the dialog to its columns, within the screen.
    void fitColumns();

    Ui::DialogDependencies* ui;
};
