#pragma once

#include "settings.h"

#include <QDialog>

namespace Ui {
class DialogSettings;
}

class DialogSettings : public QDialog
{
    Q_OBJECT

public:
    explicit DialogSettings(QWidget* parent = nullptr);
    ~DialogSettings() override;

    static void execute();

private slots:
    void slotSave();
    void slotDefaults();
    void slotCancel();

private:
    void load();

    Ui::DialogSettings* ui;
    Settings m_settings;
};
