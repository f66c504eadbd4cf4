#include "guitest.h"
#include "scriptedprompt.h"
#include "testpanel.h"

#include "app/framepanel.h"

#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

QStringList rows(const FramePanel& panel)
{
    QStringList lines = panel.getPoints(false);
    for (QString& line : lines)
        line.replace(QStringLiteral("; "), QStringLiteral(";"));
    return lines;
}

QString redCells(const FramePanel& panel)
{
    QString cells;
    for (int row = 0; row < pointTable(panel)->rowCount(); ++row) {
        for (int column = 1; column < 4; ++column) {
            if (panel.isCellIncorrect(row, column))
                cells += QString("%1.%2 ").arg(row).arg(column);
        }
    }
    return cells.trimmed();
}

} // namespace

class TestPointCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void insertAndRemoveRows();
    void downArrowAppendsARowOnlyBelowTheLast();
    void countRows();
    void countRowsStillReportsAfterDroppingTrailingRows();
    void findWrongRows_data();
    void findWrongRows();
    void deleteWrongRows();
    void deleteWrongRowsDeclined();
    void deleteWrongRowsEmptiesTheLastRow();
    void deleteEmptyRows();
    void swapIsAskedFor();
    void commandsNeedCtrlAlone();
    void commandKeysWorkFromTheTable();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    std::unique_ptr<FramePanel> m_panel;
};

void TestPointCommands::init()
{
    m_prompt = std::make_unique<CScriptedPrompt>();
    m_panel = std::make_unique<FramePanel>(true);
}

void TestPointCommands::cleanup()
{
    m_panel.reset();
    m_prompt.reset();
}

void TestPointCommands::insertAndRemoveRows()
{
    setPanelRows(*m_panel, {"A;1;2;3", "B;4;5;6"});
    QTest::keyClick(m_panel.get(), Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(rows(*m_panel), (QStringList{"A;1;2;3", "B;4;5;6"}));

    pointTable(*m_panel)->setCurrentCell(1, 2);
    QTest::keyClick(m_panel.get(), Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(rows(*m_panel), (QStringList{"A;1;2;3", ";;;", "B;4;5;6"}));

    pointTable(*m_panel)->setCurrentCell(0, 0);
    QTest::keyClick(m_panel.get(), Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(m_panel.get(), Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(m_panel.get(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(pointTable(*m_panel)->rowCount(), 0);
    QTest::keyClick(m_panel.get(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(pointTable(*m_panel)->rowCount(), 0);

    QTest::keyClick(m_panel.get(), Qt::Key_Down);
    QCOMPARE(pointTable(*m_panel)->rowCount(), 1);
}

void TestPointCommands::downArrowAppendsARowOnlyBelowTheLast()
{
    setPanelRows(*m_panel, {"A;1;2;3", "B;4;5;6"});
    pointTable(*m_panel)->setCurrentCell(0, 2);
    QTest::keyClick(m_panel.get(), Qt::Key_Down);
    QCOMPARE(pointTable(*m_panel)->rowCount(), 2);

    pointTable(*m_panel)->setCurrentCell(1, 2);
    QTest::keyClick(m_panel.get(), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(pointTable(*m_panel)->rowCount(), 3);
    QCOMPARE(pointTable(*m_panel)->currentRow(), 2);
    QCOMPARE(pointTable(*m_panel)->currentColumn(), 2);

    QTest::keyClick(m_panel.get(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(pointTable(*m_panel)->rowCount(), 3);

    QTest::keyClick(pointTable(*m_panel), Qt::Key_Down);
    QCOMPARE(pointTable(*m_panel)->rowCount(), 4);
    QCOMPARE(pointTable(*m_panel)->currentRow(), 3);
}

void TestPointCommands::countRows()
{
    setPanelRows(*m_panel, {"A;1;2;3", " ; ; ; ", "B;;;", "C;55 30;x;", ";;;", " ;;;"});
    pointTable(*m_panel)->setCurrentCell(5, 1);
    QTest::keyClick(m_panel.get(), Qt::Key_N, Qt::ControlModifier);

    QCOMPARE(m_prompt->messages().size(), 1);
    QCOMPARE(m_prompt->messages().first().kind, CPrompt::Information);
    QCOMPARE(m_prompt->messageTexts().first(),
             QStringLiteral("Подсчет числа строк|Всего строк:\t\t4\nПустых строк:\t\t1\nНекорректных строк:\t2"));
    QCOMPARE(pointTable(*m_panel)->rowCount(), 4);
    QCOMPARE(pointTable(*m_panel)->currentRow(), 3);
    QCOMPARE(rows(*m_panel).at(2), QStringLiteral("B;?;?;"));
    QCOMPARE(redCells(*m_panel), QStringLiteral("2.1 2.2 3.2"));
}

void TestPointCommands::countRowsStillReportsAfterDroppingTrailingRows()
{
    setPanelRows(*m_panel, {";;;", ";;;"});
    QTest::keyClick(m_panel.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(m_prompt->messages().first().text,
             QStringLiteral("Всего строк:\t\t1\nПустых строк:\t\t1\nНекорректных строк:\t0"));
}

void TestPointCommands::findWrongRows_data()
{
    QTest::addColumn<QStringList>("points");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("red");

    QTest::newRow("none wrong") << QStringList{"A;1;2;3", "B;55 30 15;37 10;"}
                                << "Поиск некорректных строк|Некорректных строк не обнаружено"
                                << int(CPrompt::Information) << "";
    QTest::newRow("empty row in the middle is wrong")
        << QStringList{"A;1;2;3", ";;;", "B;1;q;w", ";;;"}
        << "Поиск некорректных строк|Обнаружено некорректных строк: 2" << int(CPrompt::Warning) << "1.1 1.2 2.2 2.3";
}

void TestPointCommands::findWrongRows()
{
    QFETCH(QStringList, points);
    QFETCH(QString, message);
    QFETCH(int, kind);
    QFETCH(QString, red);

    setPanelRows(*m_panel, points);
    m_panel->setCellIncorrect(0, 1);
    QTest::keyClick(m_panel.get(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(m_prompt->messageTexts(), QStringList{message});
    QCOMPARE(int(m_prompt->messages().first().kind), kind);
    QCOMPARE(redCells(*m_panel), red);
}

void TestPointCommands::deleteWrongRows()
{
    setPanelRows(*m_panel, {"A;x;2;3", "B;1;2;3", ";;;", "C;1;2;3", "D;1;2;y", "E;1;2;3"});
    pointTable(*m_panel)->setCurrentCell(3, 2);
    m_prompt->answerMessage(QMessageBox::Yes);
    QTest::keyClick(m_panel.get(), Qt::Key_D, Qt::ControlModifier);

    const CPrompt::CMessage question = m_prompt->messages().first();
    QCOMPARE(question.kind, CPrompt::Warning);
    QCOMPARE(question.title, QStringLiteral("Подтвердите удаление"));
    QCOMPARE(question.text, QStringLiteral("Обнаружено некорректных строк: 3.\nУдалить? "));
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(question.defaultButton, QMessageBox::Yes);
    QCOMPARE(rows(*m_panel), (QStringList{"B;1;2;3", "C;1;2;3", "E;1;2;3"}));
    QCOMPARE(pointTable(*m_panel)->currentRow(), 1);
    QCOMPARE(pointTable(*m_panel)->currentColumn(), 2);
    QCOMPARE(redCells(*m_panel), QString());
}

void TestPointCommands::deleteWrongRowsDeclined()
{
    setPanelRows(*m_panel, {"A;x;2;3", "B;;;"});
    m_prompt->answerMessage(QMessageBox::No);
    QTest::keyClick(m_panel.get(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(rows(*m_panel), (QStringList{"A;x;2;3", "B;?;?;"}));
    QCOMPARE(redCells(*m_panel), QString());

    m_prompt->clear();
    setPanelRows(*m_panel, {"A;1;2;3"});
    QTest::keyClick(m_panel.get(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Удаление некорректных строк|Некорректных строк не обнаружено"});
}

void TestPointCommands::deleteWrongRowsEmptiesTheLastRow()
{
    setPanelRows(*m_panel, {"A;x;2;3"});
    m_prompt->answerMessage(QMessageBox::Yes);
    QTest::keyClick(m_panel.get(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(pointTable(*m_panel)->rowCount(), 1);
    QCOMPARE(rows(*m_panel), QStringList{";;;"});
}

void TestPointCommands::deleteEmptyRows()
{
    setPanelRows(*m_panel, {";;;", "A;1;2;3", " ; ; ;", "B;;;", ";;;"});
    pointTable(*m_panel)->setCurrentCell(4, 1);
    m_prompt->answerMessage(QMessageBox::Yes);
    QTest::keyClick(m_panel.get(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(m_prompt->messages().first().text, QStringLiteral("Обнаружено пустых строк: 3.\nУдалить? "));
    QCOMPARE(rows(*m_panel), (QStringList{"A;1;2;3", "B;;;"}));
    QCOMPARE(pointTable(*m_panel)->currentRow(), 1);

    m_prompt->clear();
    setPanelRows(*m_panel, {";;;"});
    m_prompt->answerMessage(QMessageBox::Yes);
    QTest::keyClick(m_panel.get(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(pointTable(*m_panel)->rowCount(), 1);

    m_prompt->clear();
    setPanelRows(*m_panel, {"A;1;2;3"});
    QTest::keyClick(m_panel.get(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Удаление пустых строк|Пустых строк не обнаружено"});
}

void TestPointCommands::swapIsAskedFor()
{
    QSignalSpy swap(m_panel.get(), &FramePanel::signalSwap);
    QTest::keyClick(m_panel.get(), Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(swap.size(), 1);
}

void TestPointCommands::commandsNeedCtrlAlone()
{
    setPanelRows(*m_panel, {"A;1;2;3"});
    pointTable(*m_panel)->setCurrentCell(0, 0);
    QSignalSpy swap(m_panel.get(), &FramePanel::signalSwap);
    QTest::keyClick(m_panel.get(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(m_panel.get(), Qt::Key_U, Qt::AltModifier);
    QTest::keyClick(m_panel.get(), Qt::Key_Insert);
    QTest::keyClick(m_panel.get(), Qt::Key_Delete, Qt::ControlModifier | Qt::AltModifier);
    QVERIFY(m_prompt->messages().isEmpty());
    QCOMPARE(swap.size(), 0);
    QCOMPARE(pointTable(*m_panel)->rowCount(), 1);
}

void TestPointCommands::commandKeysWorkFromTheTable()
{
    setPanelRows(*m_panel, {"A;1;2;3", "B;4;5;6"});
    pointTable(*m_panel)->setCurrentCell(1, 0);
    QTest::keyClick(pointTable(*m_panel), Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(pointTable(*m_panel)->rowCount(), 3);
    QTest::keyClick(pointTable(*m_panel), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(m_prompt->messages().size(), 1);
}

QTEST_MAIN(TestPointCommands)
#include "test_pointcommands.moc"
