// Makes the help document the program ships with; run by the build.
#include "app/helpdocument.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTextStream errors(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        errors << "usage: makehelp <help text in Markdown> <PDF file>\n";
        return 2;
    }
    QString message;
    if (!renderHelpPdf(arguments.at(1), arguments.at(2), &message)) {
        errors << message << "\n";
        return 1;
    }
    return 0;
}
