#pragma once

#include <QString>

class QSplitter;
class QSqlQuery;
class QWidget;

// A warning box titled "Предупреждение" with the message, followed by ":\n" and the query's
// error text when the query holds an error.
void sqlWarning(const QSqlQuery& query, const QString& message, QWidget* parent = nullptr);

// Fits the splitter to its contents, then gives each of its two panes half of its length and
// the same stretch.
void equalizeSplitter(QSplitter* splitter);
