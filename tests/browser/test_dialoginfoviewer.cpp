#include "guitest.h"
#include "scriptedprompt.h"

#include "browser/dialoginfoviewer.h"
#include "records/unitdetails.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

CUnitDetails footUnit()
{
    CUnitDetails unit;
    unit.scope = 1;
    unit.name = "Фут/дюйм";
    unit.description = "12 дюймов";
    unit.shortName = "фт";
    unit.factorB = "0.3048";
    unit.factorC = "1";
    return unit;
}

template <class Widget>
Widget* child(const DialogInfoViewer& viewer, const char* name)
{
    return viewer.findChild<Widget*>(name);
}

QPlainTextEdit* textView(const DialogInfoViewer& viewer, int tab)
{
    return child<QPlainTextEdit>(viewer, tab == 0 ? "editBrief" : "editXML");
}

bool saveEnabled(const DialogInfoViewer& viewer)
{
    return child<QPushButton>(viewer, "buttonSave")->isEnabled();
}

} // namespace

class TestDialogInfoViewer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheRecordInThreeTabs();
    void saveOnlyOnTextTabs();
    void savesTheEditedText_data();
    void savesTheEditedText();
    void failedSaveIsReported();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    CUnitDetails m_unit = footUnit();
};

void TestDialogInfoViewer::init()
{
    CGuiTestEnvironment::clearSettings();
    m_prompt = std::make_unique<CScriptedPrompt>();
}

void TestDialogInfoViewer::cleanup()
{
    m_prompt.reset();
}

void TestDialogInfoViewer::showsTheRecordInThreeTabs()
{
    DialogInfoViewer viewer(&m_unit);
    QVERIFY(textView(viewer, 0)->toPlainText().isEmpty());
    viewer.fill();

    QCOMPARE(textView(viewer, 0)->toPlainText(), m_unit.infoText());
    QVERIFY(m_unit.infoText().contains("Фут/дюйм"));
    const auto* tree = child<QTreeWidget>(viewer, "treeDetails");
    QVERIFY(tree->topLevelItemCount() > 0);
    QVERIFY(tree->topLevelItem(0)->text(0).contains("Фут/дюйм"));
    const QString xml = textView(viewer, 2)->toPlainText();
    QCOMPARE(xml, DialogInfoViewer::xmlText(&m_unit));
    QVERIFY2(xml.startsWith("<?xml version='1.0' encoding='UTF-8'?>\n<!DOCTYPE unit>\n<unit>\n <"), qPrintable(xml));
    QVERIFY(xml.contains("Фут/дюйм"));

    DialogInfoViewer empty(nullptr);
    empty.fill();
    QVERIFY(textView(empty, 0)->toPlainText().isEmpty());
    QVERIFY(textView(empty, 2)->toPlainText().isEmpty());
    QVERIFY(!saveEnabled(empty));
}

void TestDialogInfoViewer::saveOnlyOnTextTabs()
{
    DialogInfoViewer viewer(&m_unit);
    viewer.fill();
    auto* tabs = child<QTabWidget>(viewer, "tabWidget");
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(saveEnabled(viewer));
    tabs->setCurrentIndex(1);
    QVERIFY(!saveEnabled(viewer));
    tabs->setCurrentIndex(2);
    QVERIFY(saveEnabled(viewer));
}

void TestDialogInfoViewer::savesTheEditedText_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("settingsKey");
    QTest::addColumn<QString>("otherKey");

    QTest::newRow("brief") << 0 << "Фут_дюйм.txt" << "/Settings/LastInfoPath" << "/Settings/LastExpImpPath";
    QTest::newRow("XML") << 2 << "Фут_дюйм.xml" << "/Settings/LastExpImpPath" << "/Settings/LastInfoPath";
}

void TestDialogInfoViewer::savesTheEditedText()
{
    QFETCH(int, tab);
    QFETCH(QString, fileName);
    QFETCH(QString, settingsKey);
    QFETCH(QString, otherKey);

    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("saved");
    DialogInfoViewer viewer(&m_unit);
    viewer.fill();
    child<QTabWidget>(viewer, "tabWidget")->setCurrentIndex(tab);
    const QString original = textView(viewer, tab)->toPlainText();
    textView(viewer, tab)->setPlainText("правка\n");

    m_prompt->answerFile(path);
    QTest::mouseClick(child<QPushButton>(viewer, "buttonSave"), Qt::LeftButton);
    QCOMPARE(m_prompt->fileRequests().size(), 1);
    QCOMPARE(m_prompt->fileRequests().first().path, fileName);
    QCOMPARE(QString::fromUtf8(readFile(path)), QStringLiteral("правка\n"));
    QSettings settings;
    QCOMPARE(settings.value(settingsKey).toString(), QDir(folder.path()).absolutePath());
    QVERIFY(!settings.contains(otherKey));

    QTest::mouseClick(child<QPushButton>(viewer, "buttonSave"), Qt::LeftButton);
    QCOMPARE(m_prompt->fileRequests().last().path, QDir(folder.path()).absoluteFilePath(fileName));

    QTest::mouseClick(child<QPushButton>(viewer, "buttonRestore"), Qt::LeftButton);
    QCOMPARE(textView(viewer, tab)->toPlainText(), original);
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestDialogInfoViewer::failedSaveIsReported()
{
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("missing/saved.txt");
    DialogInfoViewer viewer(&m_unit);
    viewer.fill();
    m_prompt->answerFile(path);
    QTest::mouseClick(child<QPushButton>(viewer, "buttonSave"), Qt::LeftButton);
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Предупреждение|Ошибка записи в файл " + path});
    QVERIFY(!QSettings().contains("/Settings/LastInfoPath"));
}

QTEST_MAIN(TestDialogInfoViewer)
#include "test_dialoginfoviewer.moc"
