#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class DialogAbout;
}

// The program's name, version, build date and maker, with the licence agreement.
class DialogAbout : public QDialog
{
    Q_OBJECT

public:
    explicit DialogAbout(QWidget* parent = nullptr);
    ~DialogAbout() override;

    static void execute();

private slots:
    void slotLicense();
    void slotClose();

private:
    Ui::DialogAbout* ui;
    const QString m_licenseFileName;
};

// A compiler date such as "Sep 29 2021" or "Mar  9 2021" as "dd.MM.yyyy"; empty when it does
// not read as a date.
QString buildDateText(const QString& compilerDate);
