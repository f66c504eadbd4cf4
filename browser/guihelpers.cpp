#include "guihelpers.h"

#include "prompt.h"

#include "database/databaseerror.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QSqlError>
#include <QSqlQuery>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

void sqlWarning(const QSqlQuery& query, const QString& message, QWidget* parent)
{
    QString text = message;
    const QSqlError error = query.lastError();
    if (error.isValid())
        text += QStringLiteral(":\n") + databaseErrorText(error);
    prompt().warning(parent, QStringLiteral("Предупреждение"), text);
}

void equalizeSplitter(QSplitter* splitter)
{
    if (!splitter)
        return;
    splitter->adjustSize();
    const int length = splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
    const int half = length / 2;
    splitter->setSizes({half, half});
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
}

int lineEditWidth(const QLineEdit* edit, int textWidth)
{
    // The text margins of QLineEdit: 2 pixels on each side inside the frame.
    const int lineEditMargins = 2 * 2;
    const QMargins text = edit->textMargins();
    const int contents = textWidth + lineEditMargins + text.left() + text.right();
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    option.state |= QStyle::State_Sunken;
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(contents, edit->height()), edit).width();
}

int numberInputWidth(const QLineEdit* edit)
{
    return lineEditWidth(edit, edit->fontMetrics().horizontalAdvance(QString(kNumberInputChars, QLatin1Char('0'))));
}

void fitNumberInputs(const QList<QLineEdit*>& edits)
{
    for (QLineEdit* edit : edits)
        edit->setMinimumWidth(numberInputWidth(edit));
}

bool validatorAccepts(const QValidator* validator, QString text)
{
    int position = 0;
    return validator && validator->validate(text, position) == QValidator::Acceptable;
}

void setValidatorKeepingText(QLineEdit* edit, const QValidator* validator)
{
    const QString text = edit->text();
    edit->setValidator(validator);
    // Setting the text anew has the edit judge it by the new validator; otherwise the edit takes
    // it as fitting and undoes every key press that leaves it not fitting.
    const QSignalBlocker blocker(edit);
    edit->clear();
    edit->setText(text);
}
