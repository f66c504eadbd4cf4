#include "editors.h"
#include "mainwindow.h"
#include "translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    installQtTranslations(application);
    QCoreApplication::setOrganizationName(QStringLiteral("Varnel"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("varnel.example"));
    QCoreApplication::setApplicationName(QStringLiteral("VELMORAN Quarvelometer"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.03 beta"));
    registerEditors();
    MainWindow window;
    window.show();
    return application.exec();
}
