#include "guitest.h"

#include "app/datafolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

CGuiTestEnvironment::CGuiTestEnvironment()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Varnel"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("varnel.example"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.03 beta"));
    clearSettings();
    setDataFolderPath(m_dataFolder.path());
}

CGuiTestEnvironment::~CGuiTestEnvironment()
{
    setDataFolderPath(QString());
    clearSettings();
}

QString CGuiTestEnvironment::dataFolder() const
{
    return m_dataFolder.path();
}

void CGuiTestEnvironment::clearSettings()
{
    QSettings(QCoreApplication::organizationName(), QCoreApplication::applicationName()).clear();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
