#include "guitest.h"

#include "browser/dialoglistselector.h"
#include "database/novalue.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

class TestDialogListSelector : public QObject
{
    Q_OBJECT

private slots:
    void emptyListGivesTheFallbackAtOnce();
    void choice_data();
    void choice();

private:
    CGuiTestEnvironment m_environment;
};

void TestDialogListSelector::emptyListGivesTheFallbackAtOnce()
{
    bool shown = false;
    const CModalWatch watch = whenModal<DialogListSelector>([&shown](DialogListSelector* dialog) {
        shown = true;
        dialog->reject();
    });
    QCOMPARE(DialogListSelector::select({}, -7, 0), -7);
    QVERIFY(!shown);
}

void TestDialogListSelector::choice_data()
{
    QTest::addColumn<int>("current");
    // "ok", "row N" (then OK), "cancel", "escape" or "close".
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("shownRow");
    QTest::addColumn<int>("result");

    QTest::newRow("no current key: first row") << int(NoValue) << "ok" << 0 << 2;
    QTest::newRow("current key preselected") << 3 << "ok" << 1 << 3;
    QTest::newRow("another row chosen") << 3 << "row 2" << 1 << 4;
    QTest::newRow("cancel") << 3 << "cancel" << 1 << 0;
    QTest::newRow("escape") << 4 << "escape" << 2 << 0;
    QTest::newRow("window closed") << 2 << "close" << 0 << 0;
}

void TestDialogListSelector::choice()
{
    QFETCH(int, current);
    QFETCH(QString, action);
    QFETCH(int, shownRow);
    QFETCH(int, result);

    QStringList texts;
    int row = -1;
    const CModalWatch watch = whenModal<DialogListSelector>([&](DialogListSelector* dialog) {
        auto* list = dialog->findChild<QListWidget*>("listItems");
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        row = list->currentRow();
        if (action.startsWith("row"))
            list->setCurrentRow(action.section(' ', 1).toInt());
        if (action == "cancel")
            dialog->findChild<QPushButton*>("buttonCancel")->click();
        else if (action == "escape")
            QTest::keyClick(dialog, Qt::Key_Escape);
        else if (action == "close")
            dialog->close();
        else
            dialog->findChild<QPushButton*>("buttonOK")->click();
    });
    const QMap<int, QString> items{{4, "Список"}, {2, "Сдвиг"}, {3, "Преобразование"}};
    QCOMPARE(DialogListSelector::select(items, 0, current), result);
    QCOMPARE(texts, QStringList({"Сдвиг", "Преобразование", "Список"}));
    QCOMPARE(row, shownRow);
}

QTEST_MAIN(TestDialogListSelector)
#include "test_dialoglistselector.moc"
