// Makes the data folder the program ships with; run by the build.
#include "app/shippeddata.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream errors(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        errors << "usage: makedata <coordinate systems WKT file> <data folder> <stamp file>\n";
        return 2;
    }
    QString message;
    const bool made = makeDataFolder(arguments.at(1), arguments.at(2), arguments.at(3), &message);
    if (!message.isEmpty())
        errors << message << "\n";
    return made ? 0 : 1;
}
