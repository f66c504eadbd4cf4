#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <initializer_list>

class QLabel;
class QLineEdit;
class QObject;
class QSqlRecord;
class QValidator;
class QWidget;

// Pieces that the parameter frames of the datum shift editor share.
namespace DatumShiftFrameParts {

// The stored row of the datum shift with that key; false when there is none.
bool readShiftRow(int key, QSqlRecord& row);
// A unit key of the row; NoValue for NULL or 0.
int unitKey(const QSqlRecord& row, const QString& column);
// A stored parameter as text: empty for NULL, numbers in fixed notation (no exponent, so
// the frame's validators take small values too), anything else as stored.
QString parameterText(const QSqlRecord& row, const QString& column);
// The trimmed text of the edit when it holds a value: a finite number, or a text that the
// edit's validator accepts whole; empty otherwise.
QString parameterValue(const QLineEdit* edit);
// The value to store for a parameter text that a frame gave: the number it reads as, or the
// text itself (an angle in its format).
QVariant storedParameter(const QString& text);
// Sets the text of each widget (line edits, labels).
template <class Widget>
void setTexts(const QList<Widget*>& widgets, const QString& text)
{
    for (Widget* widget : widgets)
        widget->setText(text);
}
template <class Widget>
void setTexts(std::initializer_list<Widget*> widgets, const QString& text)
{
    setTexts(QList<Widget*>(widgets), text);
}
// Shows the unit's name in each label beside a value (setUnitLabel).
void setUnitLabels(const QList<QLabel*>& labels, const QString& name);
// The validator of a parameter input: numbers from -1e15 to 1e15 with up to 10 decimals.
QValidator* createParameterValidator(QObject* owner);
// Gives the rotation edits one validator for the angle format of the angular unit (plain
// decimals when the unit has none, no check without a unit), keeping their texts.
void setRotationValidator(int angleUnitKey, const QList<QLineEdit*>& rotations, QObject* owner);
// Shows the warning over the frame and returns false.
bool refuse(QWidget* frame, const QString& message);

} // namespace DatumShiftFrameParts
