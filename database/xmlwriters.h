#pragma once

#include <QDomDocument>
#include <QDomNode>
#include <QString>

// Writers of one child element of a record's XML form.

// With skipEmpty an empty text adds nothing; otherwise <tag>text</tag> is appended.
void appendTextElement(QDomDocument& document, QDomNode parent, const QString& tag,
                       const QString& text, bool skipEmpty);
void appendNumberElement(QDomDocument& document, QDomNode parent, const QString& tag, int value);
// Nothing when value equals unset.
void appendNumberElementIfSet(QDomDocument& document, QDomNode parent, const QString& tag,
                              int value, int unset);
// 1 or 0; with skipFalse a false value adds nothing.
void appendBoolElement(QDomDocument& document, QDomNode parent, const QString& tag, bool value,
                       bool skipFalse);

// Name of the DOCTYPE of an XML file; empty when it cannot be read or has none.
QString xmlDoctypeName(const QString& filePath);
