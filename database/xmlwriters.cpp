#include "xmlwriters.h"

#include <QFile>

void appendTextElement(QDomDocument& document, QDomNode parent, const QString& tag,
                       const QString& text, bool skipEmpty)
{
    if (skipEmpty && text.isEmpty())
        return;
    QDomText textNode = document.createTextNode(text);
    QDomElement element = document.createElement(tag);
    element.appendChild(textNode);
    parent.appendChild(element);
}

void appendNumberElement(QDomDocument& document, QDomNode parent, const QString& tag, int value)
{
    appendTextElement(document, parent, tag, QString::number(value), false);
}

void appendNumberElementIfSet(QDomDocument& document, QDomNode parent, const QString& tag,
                              int value, int unset)
{
    if (value != unset)
        appendNumberElement(document, parent, tag, value);
}

void appendBoolElement(QDomDocument& document, QDomNode parent, const QString& tag, bool value,
                       bool skipFalse)
{
    if (skipFalse && !value)
        return;
    appendNumberElement(document, parent, tag, value ? 1 : 0);
}

QString xmlDoctypeName(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QDomDocument document;
    if (!document.setContent(&file))
        return QString();
    return document.doctype().name();
}
