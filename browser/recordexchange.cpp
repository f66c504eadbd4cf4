#include "recordexchange.h"

#include "database/filenames.h"
#include "records/abstractdetails.h"
#include "records/recordstorage.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString recordFileName(const CAbstractDetails& record, const QString& suffix)
{
    const QString name = record.getName();
    return (name.isEmpty() ? QString() : fileBaseName(name)) + QLatin1Char('.') + suffix;
}

QDomDocument exchangeDocument(const CAbstractDetails& record)
{
    QDomDocument document(record.kindName());
    document.appendChild(
        document.createProcessingInstruction(QStringLiteral("xml"), QStringLiteral("version='1.0' encoding='UTF-8'")));
    const QDomElement element = record.toXml(document, record.kindName());
    if (element.isNull())
        return QDomDocument();
    document.appendChild(element);
    return document;
}

bool writeExchangeFile(const QString& path, const CAbstractDetails& record, QString* error)
{
    const QDomDocument document = exchangeDocument(record);
    if (document.isNull())
        return RecordStorage::refuse(error, QString("Запись \"%1\" не переводится в XML").arg(record.getName()));
    const QByteArray bytes = document.toByteArray(1);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return RecordStorage::refuse(error, QString("Не удалось открыть файл \"%1\" для записи: %2").arg(shown(path), file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        return RecordStorage::refuse(error, QString("Не удалось записать файл \"%1\": %2").arg(shown(path), file.errorString()));
    return true;
}

bool readExchangeElements(const QString& path, const QString& tag, QList<QDomElement>& elements, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return RecordStorage::refuse(error, QString("Не удалось открыть файл \"%1\": %2").arg(shown(path), file.errorString()));
    QDomDocument document;
    QString parseError;
    int line = 0;
    if (!document.setContent(&file, &parseError, &line))
        return RecordStorage::refuse(error, QString("Файл \"%1\" не является документом XML (строка %2: %3)")
                               .arg(shown(path), QString::number(line), parseError));
    elements.clear();
    for (QDomElement element = document.firstChildElement(tag); !element.isNull();
         element = element.nextSiblingElement(tag))
        elements.append(element);
    return true;
}
