#include "records/detailsdocument.h"

#include "records/abstractdetails.h"

#include <QDomDocument>
#include <QFile>
#include <QSaveFile>

namespace {

bool failWith(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool writeDetailsDocument(const QString& path, const CAbstractDetails& record, const QString& tag, QString* error)
{
    QDomDocument document(tag);
    document.appendChild(
        document.createProcessingInstruction(QStringLiteral("xml"), QStringLiteral("version='1.0' encoding='UTF-8'")));
    document.appendChild(record.toXml(document, tag));
    const QByteArray bytes = document.toByteArray(1);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    return failWith(error, QStringLiteral("Не удалось записать файл %1: %2").arg(path, file.errorString()));
}

bool readDetailsDocument(const QString& path, QDomDocument& document, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failWith(error, QStringLiteral("Не удалось открыть файл %1: %2").arg(path, file.errorString()));
    QString message;
    int line = 0;
    if (!document.setContent(&file, &message, &line))
        return failWith(error, QStringLiteral("Файл %1 не является документом XML (строка %2: %3)")
                                   .arg(path)
                                   .arg(line)
                                   .arg(message));
    return true;
}
