#pragma once

#include "records/wkt/wktitem.h"

#include <QList>
#include <QString>
#include <QStringList>

// Longer texts and deeper bracket nesting are refused.
constexpr int WktMaxLength = 1 << 20;
constexpr int WktMaxDepth = 32;

// Square brackets outside double quotes: -i for "[" and +i for "]" at i.
QList<int> scanWktBrackets(const QString& text);

// Splits at any of the separators outside double quotes; quotes are removed,
// \" and \\ inside quotes are undone, tokens are trimmed.
QStringList splitWktValues(const QString& text, const QString& separators, bool keepEmpty);

// The root node of the one bracketed tree of the text; empty on any failure, and then
// error (when given) tells why: the failing nodes, each with its reason, innermost first.
// Nodes of unknown keywords are skipped whole, and so are nodes that fail inside a node
// that does without them; the nodes after them are read as usual.
CWktItemPtr parseWkt(const QString& text, QString* error = nullptr);
