#include "guitest.h"
#include "scriptedprompt.h"
#include "testpanel.h"

#include "app/framepanel.h"
#include "app/mainwindow.h"
#include "app/translations.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

QSplitter* panelSplitter(const MainWindow& window)
{
    return window.centralWidget()->findChild<QSplitter*>(QString(), Qt::FindDirectChildrenOnly);
}

// The splitter between the panel's coordinate system and its point table.
QSplitter* pointSplitter(const FramePanel& panel)
{
    return panel.findChild<QSplitter*>();
}

std::unique_ptr<MainWindow> shownWindow()
{
    auto window = std::make_unique<MainWindow>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

} // namespace

class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstRunShowsThePointTables();
    void geometryAndSplitterAreKept();
    void standardButtonsSpeakRussian();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

void TestWindowLayout::init()
{
    CGuiTestEnvironment::clearSettings();
    m_prompt = std::make_unique<CScriptedPrompt>();
}

void TestWindowLayout::cleanup()
{
    m_prompt.reset();
}

// Without a kept layout both point tables show ten rows at least, side by side in equal halves.
void TestWindowLayout::firstRunShowsThePointTables()
{
    const auto window = shownWindow();
    QVERIFY(window);
    for (const FramePanel* panel : {window->leftPanel(), window->rightPanel()}) {
        const QTableWidget* table = pointTable(*panel);
        QVERIFY2(table->viewport()->height() >= 10 * table->verticalHeader()->defaultSectionSize(),
                 qPrintable(QString::number(table->viewport()->height())));
    }
    const QList<int> sizes = panelSplitter(*window)->sizes();
    QVERIFY(qAbs(sizes.at(0) - sizes.at(1)) <= 2);
}

// Size, place and splitter positions survive a restart, through the settings store alone.
void TestWindowLayout::geometryAndSplitterAreKept()
{
    QList<int> sizes;
    {
        const auto window = shownWindow();
        QVERIFY(window);
        window->resize(980, 560);
        panelSplitter(*window)->setSizes({400, 570});
        pointSplitter(*window->rightPanel())->setSizes({60, 400});
        sizes = panelSplitter(*window)->sizes() + pointSplitter(*window->rightPanel())->sizes();
        window->close();
    }
    QVERIFY(QSettings().contains("/Settings/MainWindowGeometry"));

    const auto window = shownWindow();
    QVERIFY(window);
    QCOMPARE(window->size(), QSize(980, 560));
    QCOMPARE(panelSplitter(*window)->sizes() + pointSplitter(*window->rightPanel())->sizes(), sizes);
    QVERIFY(sizes.at(0) < sizes.at(1) && sizes.at(2) < sizes.at(3));
}

void TestWindowLayout::standardButtonsSpeakRussian()
{
    QVERIFY(installQtTranslations(*QCoreApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
    QCOMPARE(buttons.button(QDialogButtonBox::Yes)->text(), QStringLiteral("&Да"));
}

QTEST_MAIN(TestWindowLayout)
#include "test_windowlayout.moc"
