#pragma once

#include <QObject>
#include <QString>

class QFontMetrics;
class QLabel;
class QLineEdit;

// Shows a record's name in a read-only line edit: whole when it fits, else elided in the
// middle, so that neither its start nor its end is lost; the whole name is the tooltip. The
// text follows the edit's width and never changes its size.
class CNameField : public QObject
{
    Q_OBJECT

public:
    explicit CNameField(QLineEdit* edit);

    void setName(const QString& name);
    void clear();

    // The least width of the edit at which the text shows whole.
    static int widthFor(const QLineEdit* edit, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showName();

    QLineEdit* m_edit;
    QString m_name;
};

// A unit's name as the text beside a value shows it: whole when it is short, else elided in the
// middle to a few words.
QString unitNameText(const QFontMetrics& metrics, const QString& name);
// Shows a unit's name in the label beside a value: whole when it is short, else elided in the
// middle to a few words, so that a long name does not widen the form; the whole name is the
// label's tooltip.
void setUnitLabel(QLabel* label, const QString& name);
