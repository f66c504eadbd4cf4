#include "guitest.h"
#include "scriptedprompt.h"
#include "testfiles.h"

#include "app/dialogabout.h"
#include "app/dialogtextviewer.h"

#include <QDate>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buildDate_data();
    void buildDate();
    void aboutShowsTheApplication();
    void missingLicenceKeepsTheAboutBoxOpen();
    void viewerShowsFiles_data();
    void viewerShowsFiles();
    void viewerRefusesAMissingFile();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

void TestDialogs::init()
{
    m_prompt = std::make_unique<CScriptedPrompt>();
}

void TestDialogs::cleanup()
{
    m_prompt.reset();
}

void TestDialogs::buildDate_data()
{
    QTest::addColumn<QString>("compilerDate");
    QTest::addColumn<QString>("text");
    QTest::newRow("two-digit day") << "Sep 29 2021" << "29.09.2021";
    QTest::newRow("day padded with a blank") << "Mar  9 2021" << "09.03.2021";
    QTest::newRow("not a date") << "Foo 99 20x1" << "";
}

void TestDialogs::buildDate()
{
    QFETCH(QString, compilerDate);
    QFETCH(QString, text);
    QCOMPARE(buildDateText(compilerDate), text);
}

void TestDialogs::aboutShowsTheApplication()
{
    DialogAbout dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("О программе"));
    QCOMPARE(dialog.findChild<QLabel*>("labelApplicationName")->text(), QCoreApplication::applicationName());
    QCOMPARE(dialog.findChild<QLabel*>("labelApplicationVersion")->text(), QStringLiteral("Версия: 0.03 beta"));
    const QString date = dialog.findChild<QLabel*>("labelBuildDate")->text();
    QVERIFY(QRegularExpression("^Дата сборки: \\d\\d\\.\\d\\d\\.\\d{4}$").match(date).hasMatch());
    QCOMPARE(dialog.findChild<QLabel*>("labelApplicationDeveloper")->text(), QStringLiteral("Varnel"));
    QLabel* link = dialog.findChild<QLabel*>("labelApplicationDeveloperURL");
    QCOMPARE(link->text(), QStringLiteral("<a href=\"varnel.example\">varnel.example</a>"));
    QVERIFY(link->openExternalLinks());
}

void TestDialogs::missingLicenceKeepsTheAboutBoxOpen()
{
    DialogAbout dialog;
    dialog.show();
    dialog.findChild<QPushButton*>("buttonLicense")->click();
    const QString path = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("license.html");
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Ошибка отображения файла|Ошибка при отображении файла " + path});
    QVERIFY(dialog.isVisible());
}

void TestDialogs::viewerShowsFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("plainText");
    QTest::addColumn<bool>("bold");
    QTest::newRow("html") << QByteArray("<html><body><b>Соглашение</b></body></html>") << "Соглашение" << true;
    QTest::newRow("plain text") << QByteArray("1 < 2\nвторая строка") << "1 < 2\nвторая строка" << false;
    QTest::newRow("Windows-1251") << QByteArray("\xD1\xEE\xE3\xEB\xE0\xF8\xE5\xED\xE8\xE5") << "Соглашение" << false;
}

void TestDialogs::viewerShowsFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, plainText);
    QFETCH(bool, bold);
    const QString path = QDir(m_environment.dataFolder()).filePath("license.html");
    QVERIFY(writeFile(path, content));

    QString title;
    QString shown;
    bool shownBold = false;
    const CModalWatch watch = whenModal<DialogTextViewer>([&](DialogTextViewer* viewer) {
        title = viewer->windowTitle();
        QTextEdit* edit = viewer->findChild<QTextEdit*>("editText");
        shown = edit->toPlainText();
        shownBold = edit->document()->firstBlock().begin().fragment().charFormat().fontWeight() == QFont::Bold;
        viewer->findChild<QPushButton*>("buttonClose")->click();
    });
    QVERIFY(DialogTextViewer::execute(QStringLiteral("Лицензионное соглашение"), path));
    QCOMPARE(title, QStringLiteral("Лицензионное соглашение"));
    QCOMPARE(shown, plainText);
    QCOMPARE(shownBold, bold);
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestDialogs::viewerRefusesAMissingFile()
{
    bool shown = false;
    const CModalWatch watch = whenModal<DialogTextViewer>([&shown](DialogTextViewer* viewer) {
        shown = true;
        viewer->close();
    });
    const QString path = QDir(m_environment.dataFolder()).filePath("missing.html");
    QVERIFY(!DialogTextViewer::execute(QStringLiteral("Заголовок"), path));
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Ошибка отображения файла|Ошибка при отображении файла " + path});
    // A viewer shown modally would have been handled before execute returned.
    QVERIFY(!shown);
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
