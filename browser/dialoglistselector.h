#pragma once

#include <QDialog>
#include <QMap>
#include <QString>

namespace Ui {
class DialogListSelector;
}

// A modal list of texts keyed by integers, shown in key order.
class DialogListSelector : public QDialog
{
    Q_OBJECT

public:
    explicit DialogListSelector(QWidget* parent);
    ~DialogListSelector() override;

    // Lists the texts; the item of the current key is made current, else the first.
    void setItems(const QMap<int, QString>& items, int currentKey);

    // The key of the item chosen with OK; the fallback when cancelled or the map is empty
    // (then nothing is shown).
    static int select(const QMap<int, QString>& items, int fallback, int currentKey);

private slots:
    void slotOK();
    void slotCancel();

private:
    Ui::DialogListSelector* ui;
};
