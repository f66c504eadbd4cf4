#include "screenfit.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>

namespace {

QRect g_testArea;

// A scroll area that asks for the whole of what it holds: the dialog decides how much of it
// the screen leaves room for.
class CWholeScrollArea : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override
    {
        const QWidget* content = widget();
        QSize hint = content->sizeHint();
        if (content->hasHeightForWidth())
            hint.setHeight(content->heightForWidth(hint.width()));
        const int frame = 2 * frameWidth();
        return hint + QSize(frame, frame);
    }
};

// The window frame that the system draws around the window, where it is known yet. Just after
// the window manager takes a window into a frame, before it sizes the frame, the frame may be
// measured smaller than the window: such a frame is not known yet.
QMargins frameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    if (!frame.contains(inner))
        return {};
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

// The frame of another window of the program, where one has been framed: the window the
// dialog opens over first, then the active one, then any shown.
QMargins frameOfAnotherWindow(const QDialog* dialog)
{
    QList<const QWidget*> windows;
    if (dialog->parentWidget())
        windows << dialog->parentWidget()->window();
    if (QApplication::activeWindow())
        windows << QApplication::activeWindow();
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            windows << window;
    }
    for (const QWidget* window : windows) {
        const QMargins frame = frameMargins(window);
        if (window != dialog && !frame.isNull())
            return frame;
    }
    return {};
}

// The dialog's own frame once the window manager has framed it; before that, the frame of
// another window of the program, which the window manager draws alike.
QMargins decorationOf(const QDialog* dialog)
{
    const QMargins own = frameMargins(dialog);
    return own.isNull() ? frameOfAnotherWindow(dialog) : own;
}

// The top-left corner of the rectangle moved the least to lie within the area; a rectangle
// larger than the area keeps its top-left corner in it.
QPoint cornerWithin(const QRect& rect, const QRect& area)
{
    const int x = qMax(area.left(), qMin(rect.left(), area.right() + 1 - rect.width()));
    const int y = qMax(area.top(), qMin(rect.top(), area.bottom() + 1 - rect.height()));
    return {x, y};
}

// The size the dialog asks for, with room for a scroll bar in each direction the room cuts,
// at most the room.
QSize fittedSize(const QDialog* dialog, const QSize& room)
{
    QSize size = dialog->sizeHint();
    const int bar = dialog->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, dialog);
    if (size.height() > room.height())
        size.rwidth() += bar;
    if (size.width() > room.width())
        size.rheight() += bar;
    return size.boundedTo(room).expandedTo(dialog->minimumSizeHint());
}

void showTextsFromStart(const QDialog* dialog)
{
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
        if (!edit->hasFocus())
            edit->setCursorPosition(0);
    }
}

const QString kScrollName = QStringLiteral("scrollContents");

// Lays out every shown widget of the dialog now, innermost first, rather than when the queued
// layout requests come: each size hint up to the dialog's then follows what is shown now. The
// hint of a widget without a layout (a splitter, the scroll area) is asked anew by hand.
void layOutAnew(QDialog* dialog)
{
    const QList<QWidget*> widgets = dialog->findChildren<QWidget*>();
    for (auto each = widgets.crbegin(); each != widgets.crend(); ++each) {
        QWidget* widget = *each;
        if (!widget->isVisible())
            continue;
        if (widget->layout())
            widget->layout()->activate();
        widget->updateGeometry();
    }
}

// Sizes the dialog to what it shows now and moves it onto the area: centred on the point
// given, or from where it is.
void place(QDialog* dialog, const QPoint* centre)
{
    layOutAnew(dialog);
    const QRect area = screenArea(dialog);
    const QMargins decoration = decorationOf(dialog);
    const QSize decorationSize(decoration.left() + decoration.right(), decoration.top() + decoration.bottom());
    dialog->resize(fittedSize(dialog, area.size() - decorationSize));
    QRect frame(dialog->pos(), dialog->size() + decorationSize);
    if (centre)
        frame.moveCenter(*centre);
    const QPoint corner = cornerWithin(frame, area);
    if (corner != dialog->pos())
        dialog->move(corner);
    showTextsFromStart(dialog);
}

const QString kFitterName = QStringLiteral("screenFitter");

// Places the dialog when it is shown: the first time centred over the window it opens over
// (or the screen), later where it is. The window manager frames, moves and sizes a window some
// time after it is asked to, with a frame that the placement could only guess: for a while after
// each placement, once the window manager's answers have stopped, a frame that lies off the area
// places the dialog again, at most twice.
class CScreenFitter : public QObject
{
public:
    explicit CScreenFitter(QDialog* dialog)
        : QObject(dialog)
        , m_dialog(dialog)
    {
        setObjectName(kFitterName);
        m_quiet.setSingleShot(true);
        m_quiet.setInterval(kQuietMs);
        connect(&m_quiet, &QTimer::timeout, this, [this] { settle(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_dialog)
            return false;
        if (event->type() == QEvent::Show && !event->spontaneous())
            placeOnShow();
        else if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && event->spontaneous()
                 && following())
            m_quiet.start();
        return false;
    }

    // Places the shown dialog where it is and follows the window manager's answers.
    void placeAgain()
    {
        place(m_dialog, nullptr);
        follow(kPlacesAfterAnswers);
    }

private:
    // The window manager answers in bursts; the answers to one placement come within seconds.
    static constexpr int kQuietMs = 150;
    static constexpr int kFollowMs = 3000;
    static constexpr int kPlacesAfterAnswers = 2;

    void placeOnShow()
    {
        if (m_placed) {
            placeAgain();
            return;
        }
        const QWidget* parent = m_dialog->parentWidget();
        const QPoint centre = parent ? parent->window()->frameGeometry().center() : screenArea(m_dialog).center();
        place(m_dialog, &centre);
        m_placed = true;
        follow(kPlacesAfterAnswers);
    }

    bool following() const { return m_placesLeft > 0 && !m_sincePlaced.hasExpired(kFollowMs); }

    void follow(int placesLeft)
    {
        m_placesLeft = placesLeft;
        m_sincePlaced.start();
        m_quiet.start();
    }

    void settle()
    {
        if (!m_dialog->isVisible() || !following())
            return;
        if (!screenArea(m_dialog).contains(m_dialog->frameGeometry())) {
            place(m_dialog, nullptr);
            follow(m_placesLeft - 1);
            return;
        }
        // Not framed yet: the frame may come with no answer that moves the dialog.
        if (frameMargins(m_dialog).isNull())
            m_quiet.start();
    }

    QDialog* m_dialog;
    QTimer m_quiet;
    QElapsedTimer m_sincePlaced;
    bool m_placed = false;
    int m_placesLeft = 0;
};

// Moves every row of the layout but the last into the column, with its stretch.
void moveRowsAboveLast(QBoxLayout* rows, QBoxLayout* column)
{
    while (rows->count() > 1) {
        const int stretch = rows->stretch(0);
        QLayoutItem* item = rows->takeAt(0);
        if (QWidget* widget = item->widget()) {
            column->addWidget(widget, 0, item->alignment());
            delete item;
        } else if (QLayout* layout = item->layout()) {
            column->addLayout(layout);
        } else {
            column->addItem(item);
        }
        column->setStretch(column->count() - 1, stretch);
    }
}

} // namespace

void keepOnScreen(QDialog* dialog)
{
    auto* rows = qobject_cast<QBoxLayout*>(dialog->layout());
    if (!rows || rows->count() < 2)
        return;
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(rows->spacing());
    moveRowsAboveLast(rows, column);
    auto* scroll = new CWholeScrollArea(dialog);
    scroll->setObjectName(kScrollName);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    rows->insertWidget(0, scroll, 1);
    dialog->installEventFilter(new CScreenFitter(dialog));
}

void fitToScreen(QDialog* dialog)
{
    if (!dialog->isVisible())
        return;
    auto* fitter = dynamic_cast<CScreenFitter*>(dialog->findChild<QObject*>(kFitterName, Qt::FindDirectChildrenOnly));
    if (fitter)
        fitter->placeAgain();
    else
        place(dialog, nullptr);
}

QRect screenArea(const QWidget* widget)
{
    if (!g_testArea.isNull())
        return g_testArea;
    const QWidget* anchor = widget->isVisible() || !widget->parentWidget() ? widget : widget->parentWidget()->window();
    QScreen* screen = QGuiApplication::screenAt(anchor->frameGeometry().center());
    if (!screen)
        screen = anchor->screen();
    return screen ? screen->availableGeometry() : QRect();
}

void setScreenAreaForTests(const QRect& area)
{
    g_testArea = area;
}
