#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool installQtTranslations(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    const QString name = QStringLiteral("qtbase_ru");
    const bool loaded = translator->load(name, QCoreApplication::applicationDirPath())
                        || translator->load(name, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    if (!loaded || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
