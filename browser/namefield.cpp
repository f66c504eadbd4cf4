#include "namefield.h"

#include "guihelpers.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QtMath>

namespace {

// The line edit scrolls a text that leaves no pixel for its cursor.
const int kCursorWidth = 1;
// The widest unit name shown whole beside a value, in characters.
const int kUnitNameMostChars = 24;

// Pixels of the edit's width left for its text.
int textRoom(const QLineEdit* edit)
{
    return edit->width() - lineEditWidth(edit, 0) - kCursorWidth;
}

} // namespace

CNameField::CNameField(QLineEdit* edit)
    : QObject(edit)
    , m_edit(edit)
{
    m_edit->installEventFilter(this);
}

void CNameField::setName(const QString& name)
{
    m_name = name;
    m_edit->setToolTip(name);
    showName();
}

void CNameField::clear()
{
    setName(QString());
}

int CNameField::widthFor(const QLineEdit* edit, const QString& text)
{
    const int advance = qCeil(QFontMetricsF(edit->font()).horizontalAdvance(text));
    return lineEditWidth(edit, advance + kCursorWidth);
}

bool CNameField::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_edit && (type == QEvent::Resize || type == QEvent::Show || type == QEvent::FontChange))
        showName();
    return QObject::eventFilter(watched, event);
}

// A field not shown yet has no width of its own: it holds the whole name until it is.
void CNameField::showName()
{
    const QString text = m_edit->isVisible()
                       ? m_edit->fontMetrics().elidedText(m_name, Qt::ElideMiddle, textRoom(m_edit))
                       : m_name;
    if (m_edit->text() != text)
        m_edit->setText(text);
    m_edit->setCursorPosition(0);
}

QString unitNameText(const QFontMetrics& metrics, const QString& name)
{
    const int most = metrics.horizontalAdvance(QString(kUnitNameMostChars, QLatin1Char('x')));
    return metrics.elidedText(name, Qt::ElideMiddle, most);
}

void setUnitLabel(QLabel* label, const QString& name)
{
    label->setText(unitNameText(label->fontMetrics(), name));
    label->setToolTip(name);
}
