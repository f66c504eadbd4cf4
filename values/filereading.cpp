#include "values/filereading.h"

#include "database/failure.h"
#include "database/xmlerrortext.h"

#include <QDomDocument>
#include <QFile>

bool openForReading(QFile& file, QString* reason)
{
    if (!file.exists())
        return failWith(reason, QStringLiteral("нет такого файла"));
    if (!file.open(QIODevice::ReadOnly))
        return failWith(reason, QStringLiteral("файл не открывается: %1").arg(file.errorString()));
    return true;
}

bool readXmlFile(const QString& path, QDomDocument& document, QString* reason)
{
    QFile file(path);
    if (!openForReading(file, reason))
        return false;
    QString message;
    int line = 0;
    if (!document.setContent(&file, &message, &line))
        return failWith(reason, QStringLiteral("не является документом XML (строка %1: %2)")
                                    .arg(line)
                                    .arg(xmlErrorText(message)));
    return true;
}
