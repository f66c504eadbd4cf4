#include "guitest.h"

#include "browser/screenfit.h"

#include <QDialog>
#include <QFrame>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

// A screen whose available area does not start at the origin.
const QRect kArea(100, 50, 1280, 720);

QFrame* section(const QSize& size, QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setMinimumSize(size);
    return frame;
}

// A dialog of one section of the given size, a hidden one and a row of Save and Cancel.
QDialog* makeDialog(const QSize& shown, const QSize& hidden, QWidget* parent)
{
    auto* dialog = new QDialog(parent);
    auto* rows = new QVBoxLayout(dialog);
    rows->addWidget(section(shown, dialog));
    QFrame* extra = section(hidden, dialog);
    extra->setObjectName("frameExtra");
    extra->hide();
    rows->addWidget(extra);
    auto* buttons = new QHBoxLayout;
    for (const char* name : {"buttonSave", "buttonCancel"}) {
        auto* button = new QPushButton(name, dialog);
        button->setObjectName(name);
        buttons->addWidget(button);
    }
    rows->addLayout(buttons);
    keepOnScreen(dialog);
    return dialog;
}

bool inView(const QWidget* widget, const QRect& area = kArea)
{
    return area.contains(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

} // namespace

class TestScreenFit : public QObject
{
    Q_OBJECT

private slots:
    void init() { setScreenAreaForTests(kArea); }
    void cleanup() { setScreenAreaForTests(QRect()); }
    void dialogStaysOnTheScreen_data();
    void dialogStaysOnTheScreen();
    void onlyWindowSettles();
    void answersOffTheAreaArePlacedAgainAtMostTwice();

private:
    CGuiTestEnvironment m_environment;
};

void TestScreenFit::dialogStaysOnTheScreen_data()
{
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<QSize>("hidden");
    QTest::addColumn<QPoint>("parentAt");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("fits, opened over a window by the right edge")
        << QSize(400, 300) << QSize(0, 0) << QPoint(1200, 600) << false;
    QTest::newRow("wider and taller than the screen") << QSize(1500, 900) << QSize(0, 0) << QPoint(300, 200) << true;
    QTest::newRow("grows by a section past the right and bottom edges")
        << QSize(400, 300) << QSize(800, 300) << QPoint(1200, 600) << false;
    QTest::newRow("grows by a section taller than the screen")
        << QSize(400, 300) << QSize(400, 800) << QPoint(300, 200) << true;
}

// The dialog lies within the screen's area with its buttons in view, at the size it asks for
// where that fits, else taking the area with its sections scrolling; a section shown later
// moves it back onto the screen.
void TestScreenFit::dialogStaysOnTheScreen()
{
    QFETCH(QSize, shown);
    QFETCH(QSize, hidden);
    QFETCH(QPoint, parentAt);
    QFETCH(bool, scrolls);
    QWidget parent;
    parent.setGeometry(QRect(parentAt, QSize(300, 200)));
    const std::unique_ptr<QDialog> dialog(makeDialog(shown, hidden, &parent));
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    if (!hidden.isEmpty()) {
        dialog->findChild<QFrame*>("frameExtra")->show();
        fitToScreen(dialog.get());
    }
    QApplication::processEvents();

    QVERIFY2(kArea.contains(dialog->frameGeometry()), qPrintable(rectText(dialog->frameGeometry())));
    QVERIFY(inView(dialog->findChild<QPushButton*>("buttonSave")));
    QVERIFY(inView(dialog->findChild<QPushButton*>("buttonCancel")));
    const auto* scroll = dialog->findChild<QScrollArea*>();
    QVERIFY(scroll);
    QCOMPARE(scroll->verticalScrollBar()->maximum() > 0 || scroll->horizontalScrollBar()->maximum() > 0, scrolls);
    if (!scrolls)
        QCOMPARE(dialog->size(), dialog->sizeHint());
}

// Shown as the program's only window, with no other window's frame to go by, a dialog taller
// than the screen settles within its area with its buttons in view once the window manager has
// framed it, and stays so.
void TestScreenFit::onlyWindowSettles()
{
    setScreenAreaForTests(QRect());
    const std::unique_ptr<QDialog> dialog(makeDialog(QSize(400, 2000), QSize(0, 0), nullptr));
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    const QRect area = screenArea(dialog.get());
    const auto settled = [&] {
        return area.contains(dialog->frameGeometry()) && inView(dialog->findChild<QPushButton*>("buttonSave"), area)
            && inView(dialog->findChild<QPushButton*>("buttonCancel"), area);
    };
    const bool framed = QGuiApplication::platformName() == QLatin1String("offscreen")
        || QTest::qWaitFor([&] { return dialog->frameGeometry() != dialog->geometry(); }, 5000);
    QVERIFY2(framed, "the window manager did not frame the dialog");
    QVERIFY2(QTest::qWaitFor(settled, 5000),
             qPrintable(QString("window %1 on the area %2").arg(rectText(dialog->frameGeometry()), rectText(area))));
    QTest::qWait(500);
    QVERIFY2(settled(), qPrintable(QString("window %1 half a second later").arg(rectText(dialog->frameGeometry()))));
}

// A window manager that keeps answering with a frame off the area, as one that leaves a dialog
// where the user dragged it: after a placement the dialog is placed again twice, and then left
// where it was put. Each answer waits for the placement it may bring, so the figure does not
// depend on how soon the timers come.
void TestScreenFit::answersOffTheAreaArePlacedAgainAtMostTwice()
{
    const std::unique_ptr<QDialog> dialog(makeDialog(QSize(400, 300), QSize(0, 0), nullptr));
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    fitToScreen(dialog.get());
    const QPoint offTheArea = kArea.bottomRight() - QPoint(100, 100);
    int placements = 0;
    for (int answer = 0; answer < 5; ++answer) {
        dialog->move(offTheArea);
        if (!QTest::qWaitFor([&] { return dialog->pos() != offTheArea; }, 2000))
            break;
        QVERIFY2(kArea.contains(dialog->frameGeometry()), qPrintable(rectText(dialog->frameGeometry())));
        ++placements;
    }
    QVERIFY2(placements <= 2, qPrintable(QString("placed again %1 times").arg(placements)));
    QCOMPARE(dialog->pos(), offTheArea);
}

QTEST_MAIN(TestScreenFit)
#include "test_screenfit.moc"
