#include "records/detailsdocument.h"

#include "database/failure.h"
#include "database/savefile.h"
#include "database/xmlerrortext.h"
#include "records/abstractdetails.h"

#include <QDir>
#include <QFile>

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QDomDocument detailsDocument(const CAbstractDetails& record, const QString& tag)
{
    QDomDocument document(tag);
    document.appendChild(
        document.createProcessingInstruction(QStringLiteral("xml"), QStringLiteral("version='1.0' encoding='UTF-8'")));
    const QDomElement element = record.toXml(document, tag);
    if (element.isNull())
        return QDomDocument();
    document.appendChild(element);
    return document;
}

bool writeDetailsDocument(const QString& path, const CAbstractDetails& record, const QString& tag, QString* error)
{
    const QDomDocument document = detailsDocument(record, tag);
    if (document.isNull())
        return failWith(error, QStringLiteral("Запись \"%1\" не переводится в XML").arg(record.getName()));
    return writeFileBytes(path, document.toByteArray(1), error);
}

bool readDetailsDocument(const QString& path, QDomDocument& document, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failWith(error, QStringLiteral("Не удалось открыть файл \"%1\": %2").arg(shown(path), file.errorString()));
    QString message;
    int line = 0;
    if (!document.setContent(&file, &message, &line))
        return failWith(error, QStringLiteral("Файл %1 не является документом XML (строка %2: %3)")
                                   .arg(shown(path))
                                   .arg(line)
                                   .arg(xmlErrorText(message)));
    return true;
}

bool readDetailsElements(const QString& path, const QString& tag, QList<QDomElement>& elements, QString* error)
{
    QDomDocument document;
    if (!readDetailsDocument(path, document, error))
        return false;
    elements.clear();
    for (QDomElement element = document.firstChildElement(tag); !element.isNull();
         element = element.nextSiblingElement(tag))
        elements.append(element);
    return true;
}
