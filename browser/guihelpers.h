#pragma once

#include <QList>
#include <QString>

class QLineEdit;
class QSplitter;
class QSqlQuery;
class QValidator;
class QWidget;

// A warning box titled "Предупреждение" with the message, followed by ":\n" and the query's
// error text when the query holds an error.
void sqlWarning(const QSqlQuery& query, const QString& message, QWidget* parent = nullptr);

// Fits the splitter to its contents, then gives each of its two panes half of its length and
// the same stretch.
void equalizeSplitter(QSplitter* splitter);

// The width of the line edit whose text has that many pixels to itself.
int lineEditWidth(const QLineEdit* edit, int textWidth);

// Characters of a number that a number input shows whole.
constexpr int kNumberInputChars = 12;

// The least width at which the edit shows kNumberInputChars digits whole.
int numberInputWidth(const QLineEdit* edit);
// Keeps each edit at least numberInputWidth wide.
void fitNumberInputs(const QList<QLineEdit*>& edits);

// True when there is a validator and it takes the whole text.
bool validatorAccepts(const QValidator* validator, QString text);

// Gives the edit the validator (none when null) and keeps its text, also a text the validator
// does not take: such a text stays editable key by key until it fits.
void setValidatorKeepingText(QLineEdit* edit, const QValidator* validator);
