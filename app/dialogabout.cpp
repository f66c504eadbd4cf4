#include "dialogabout.h"
#include "ui_dialogabout.h"

#include "dialogtextviewer.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QLocale>
#include <QVBoxLayout>

DialogAbout::DialogAbout(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogAbout)
    , m_licenseFileName(QStringLiteral("license.html"))
{
    ui->setupUi(this);
    ui->labelApplicationName->setText(QCoreApplication::applicationName());
    ui->labelApplicationVersion->setText(QStringLiteral("Версия: ") + QCoreApplication::applicationVersion());
    ui->labelBuildDate->setText(QStringLiteral("Дата сборки: ") + buildDateText(QStringLiteral(__DATE__)));
    ui->labelApplicationDeveloper->setText(QCoreApplication::organizationName());
    const QString domain = QCoreApplication::organizationDomain();
    ui->labelApplicationDeveloperURL->setText(QString("<a href=\"%1\">%1</a>").arg(domain.toHtmlEscaped()));
    ui->labelApplicationDeveloperURL->setTextFormat(Qt::RichText);
    ui->labelApplicationDeveloperURL->setTextInteractionFlags(Qt::TextBrowserInteraction);
    ui->labelApplicationDeveloperURL->setOpenExternalLinks(true);
    connect(ui->buttonClose, &QPushButton::clicked, this, &DialogAbout::slotClose);
    connect(ui->buttonLicense, &QPushButton::clicked, this, &DialogAbout::slotLicense);
}

DialogAbout::~DialogAbout()
{
    delete ui;
}

void DialogAbout::execute()
{
    DialogAbout dialog;
    dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
    dialog.exec();
}

void DialogAbout::slotLicense()
{
    const QString path = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(m_licenseFileName);
    DialogTextViewer::execute(QStringLiteral("Лицензионное соглашение"), path);
}

void DialogAbout::slotClose()
{
    close();
}

QString buildDateText(const QString& compilerDate)
{
    const QDate date = QLocale::c().toDate(compilerDate.simplified(), QStringLiteral("MMM d yyyy"));
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}
