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
    // A settings folder of this process: test runs of other checkouts share the user's.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, m_settingsFolder.path());
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

QString rectText(const QRect& rect)
{
    return QString("%1x%2 at (%3, %4)").arg(rect.width()).arg(rect.height()).arg(rect.x()).arg(rect.y());
}

CModalWatch whenModalWindow(const std::function<bool(QWidget*)>& matches, const std::function<void(QWidget*)>& handler,
                            int timeoutMs)
{
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, matches, handler, timeoutMs] {
        *waited += timer->interval();
        QWidget* modal = QApplication::activeModalWidget();
        const bool found = modal && matches(modal);
        if (!found && *waited < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        if (found)
            handler(modal);
        else if (modal)
            modal->close();
    });
    timer->start(10);
    return CModalWatch(timer);
}
