#include "dialogsettings.h"
#include "ui_dialogsettings.h"

DialogSettings::DialogSettings(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogSettings)
{
    ui->setupUi(this);
    load();
    connect(ui->buttonSave, &QPushButton::clicked, this, &DialogSettings::slotSave);
    connect(ui->buttonDefaults, &QPushButton::clicked, this, &DialogSettings::slotDefaults);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &DialogSettings::slotCancel);
}

DialogSettings::~DialogSettings()
{
    delete ui;
}

void DialogSettings::execute()
{
    DialogSettings dialog;
    dialog.exec();
}

void DialogSettings::slotSave()
{
    m_settings.setShowCalcStats(ui->checkboxCalculationStats->isChecked());
    accept();
}

void DialogSettings::slotDefaults()
{
    ui->checkboxCalculationStats->setChecked(false);
}

void DialogSettings::slotCancel()
{
    reject();
}

void DialogSettings::load()
{
    ui->checkboxCalculationStats->setChecked(m_settings.showCalcStats());
}
