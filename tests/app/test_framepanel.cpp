#include "guitest.h"
#include "scriptedprompt.h"
#include "testcoordsys.h"
#include "testdatabase.h"
#include "testfiles.h"
#include "testpanel.h"

#include "app/framepanel.h"
#include "app/pointline.h"
#include "database/novalue.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

QString flagsText(const FramePanel::RowFlags& flags)
{
    QString text;
    for (bool flag : flags)
        text += flag ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

} // namespace

class TestFramePanel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pointFileRoundTrip_data();
    void pointFileRoundTrip();
    void savingAnEmptyTableAsksNothing();
    void pointFileDialogsStartInTheLastFolder();
    void unreadablePointFileIsReported();
    void failedSaveIsReportedAndKeepsTheOldFile();
    void pointLineSplitting_data();
    void pointLineSplitting();
    void pointLineJoining_data();
    void pointLineJoining();
    void awkwardNamesSurviveSaveAndLoad();

    void rowValidation_data();
    void rowValidation();
    void onlyRedCellsAreCheckedAgainWhenEdited();

    void choosingASystemShowsItInThePanel();
    void choosingAnInvalidSystemIsReported();
    void cancellingTheChoiceKeepsTheSystem();
    void calculateButtonsSitOnTheOuterEdges();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

void TestFramePanel::init()
{
    CGuiTestEnvironment::clearSettings();
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
}

void TestFramePanel::cleanup()
{
    m_prompt.reset();
    m_database.reset();
}

void TestFramePanel::pointFileRoundTrip_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QByteArray>("saved");
    // Lines with more than four fields, as the warning at the load counts them; empty for none.
    QTest::addColumn<QString>("longLines");

    QTest::newRow("semicolons") << QByteArray("A;1;2;3\nB;4;5;6\n") << QStringList{"A; 1; 2; 3", "B; 4; 5; 6"}
                                << QByteArray("A; 1; 2; 3\nB; 4; 5; 6\n") << QString();
    QTest::newRow("blanks around fields") << QByteArray(" A ; 1 ;2;  3\n") << QStringList{"A; 1; 2; 3"}
                                          << QByteArray("A; 1; 2; 3\n") << QString();
    QTest::newRow("commas") << QByteArray("A,1.5,2,3") << QStringList{"A; 1.5; 2; 3"} << QByteArray("A; 1.5; 2; 3\n")
                            << QString();
    QTest::newRow("decimal comma among semicolons stays one field")
        << QByteArray("A;1,5;2;3\n") << QStringList{"A; 1,5; 2; 3"} << QByteArray("A; 1,5; 2; 3\n") << QString();
    QTest::newRow("decimal comma without semicolons splits")
        << QByteArray("A,1,5,2\n") << QStringList{"A; 1; 5; 2"} << QByteArray("A; 1; 5; 2\n") << QString();
    QTest::newRow("empty lines kept, not saved")
        << QByteArray("A;1;2;3\n\nB;4;5;6\n") << QStringList{"A; 1; 2; 3", "; ; ; ", "B; 4; 5; 6"}
        << QByteArray("A; 1; 2; 3\nB; 4; 5; 6\n") << QString();
    QTest::newRow("missing fields empty") << QByteArray("A;1\nB") << QStringList{"A; 1; ; ", "B; ; ; "}
                                          << QByteArray("A; 1; ; \nB; ; ; \n") << QString();
    QTest::newRow("fields after the fourth ignored") << QByteArray("A;1;2;3;4;5") << QStringList{"A; 1; 2; 3"}
                                                     << QByteArray("A; 1; 2; 3\n") << "1 (первая — строка 1)";
    QTest::newRow("CRLF") << QByteArray("A;1;2;3\r\nB;4;5;6\r\n") << QStringList{"A; 1; 2; 3", "B; 4; 5; 6"}
                          << QByteArray("A; 1; 2; 3\nB; 4; 5; 6\n") << QString();
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF\xD0\xA2\xD0\xBE\xD1\x87\xD0\xBA\xD0\xB0;1;2;3")
                                    << QStringList{QString::fromUtf8("Точка; 1; 2; 3")}
                                    << QByteArray("\xD0\xA2\xD0\xBE\xD1\x87\xD0\xBA\xD0\xB0; 1; 2; 3\n") << QString();
    QTest::newRow("Windows-1251") << QByteArray("\xCF\xF3\xED\xEA\xF2;1;2;3")
                                  << QStringList{QString::fromUtf8("Пункт; 1; 2; 3")}
                                  << QString::fromUtf8("Пункт; 1; 2; 3\n").toUtf8() << QString();
    QTest::newRow("decimal commas among commas")
        << QByteArray("P0;55.75;37.61;150\nP1,55,75,37,61,150\nP2,55,80,37,62,151\n")
        << QStringList{"P0; 55.75; 37.61; 150", "P1; 55; 75; 37", "P2; 55; 80; 37"}
        << QByteArray("P0; 55.75; 37.61; 150\nP1; 55; 75; 37\nP2; 55; 80; 37\n") << "2 (первая — строка 2)";
    QTest::newRow("a code column") << QByteArray("P1;55.75;37.61;150;code1\n") << QStringList{"P1; 55.75; 37.61; 150"}
                                   << QByteArray("P1; 55.75; 37.61; 150\n") << "1 (первая — строка 1)";
    QTest::newRow("line numbers count empty lines")
        << QByteArray("A;1;2;3\n\nB;1;2;3;x\n") << QStringList{"A; 1; 2; 3", "; ; ; ", "B; 1; 2; 3"}
        << QByteArray("A; 1; 2; 3\nB; 1; 2; 3\n") << "1 (первая — строка 3)";
}

// Lines with more than four fields are read as the others, and one warning at the load says how
// many there were, which was the first, and that the fields after the fourth were not read.
void TestFramePanel::pointFileRoundTrip()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, rows);
    QFETCH(QByteArray, saved);
    QFETCH(QString, longLines);

    const QString source = QDir(m_environment.dataFolder()).filePath("source.txt");
    const QString target = QDir(m_environment.dataFolder()).filePath("target.txt");
    QVERIFY(writeFile(source, content));
    QVERIFY(writeFile(target, "old content that is replaced"));
    FramePanel panel(true);
    m_prompt->answerFile(source);
    panel.slotLoad();
    QCOMPARE(panel.getPoints(false), rows);

    m_prompt->answerFile(target);
    panel.slotSave();
    QCOMPARE(readFile(target), saved);
    if (longLines.isEmpty()) {
        QVERIFY(m_prompt->messages().isEmpty());
    } else {
        QCOMPARE(m_prompt->messages().size(), 1);
        QCOMPARE(m_prompt->messages().first().kind, CPrompt::Warning);
        const QString text = m_prompt->messages().first().text;
        QVERIFY2(text.startsWith("Строк, в которых больше четырех полей: " + longLines
                                 + ".\nПоля после четвертого не прочитаны"),
                 qPrintable(text));
    }
    const CPrompt::CFileRequest request = m_prompt->fileRequests().last();
    QCOMPARE(request.mode, CPrompt::CFileRequest::SaveFile);
    QCOMPARE(request.caption, QStringLiteral("Сохранить точки"));
    QCOMPARE(request.filter, QStringLiteral("Text files (*.txt);;All files (*.*)"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("txt"));
}

void TestFramePanel::savingAnEmptyTableAsksNothing()
{
    const QString source = QDir(m_environment.dataFolder()).filePath("empty.txt");
    QVERIFY(writeFile(source, QByteArray()));
    FramePanel panel(true);
    m_prompt->answerFile(source);
    panel.slotLoad();
    QCOMPARE(pointTable(panel)->rowCount(), 1);

    setPanelRows(panel, {" ;; ;"});
    panel.slotSave();
    QCOMPARE(m_prompt->fileRequests().size(), 1);
}

void TestFramePanel::pointFileDialogsStartInTheLastFolder()
{
    QTemporaryDir folder;
    const QString source = QDir(folder.path()).filePath("points.txt");
    QVERIFY(writeFile(source, "A;1;2;3"));
    FramePanel panel(false);
    panel.slotLoad();
    QCOMPARE(m_prompt->fileRequests().last().path, QString());
    QCOMPARE(m_prompt->fileRequests().last().caption, QStringLiteral("Загрузить точки"));

    m_prompt->answerFile(source);
    panel.slotLoad();
    QCOMPARE(QSettings().value("/Settings/LastPointsPath").toString(), folder.path());
    panel.slotSave();
    QCOMPARE(m_prompt->fileRequests().last().path, folder.path());
}

void TestFramePanel::unreadablePointFileIsReported()
{
    FramePanel panel(true);
    setPanelRows(panel, {"A;1;2;3"});
    const QString missing = QDir(m_environment.dataFolder()).filePath("missing.txt");
    m_prompt->answerFile(missing);
    panel.slotLoad();
    QCOMPARE(m_prompt->messages().size(), 1);
    QCOMPARE(m_prompt->messages().first().kind, CPrompt::Warning);
    QVERIFY(m_prompt->messages().first().text.contains(QDir::toNativeSeparators(missing)));
    QCOMPARE(panel.getPoints(true), QStringList{"A; 1; 2; 3"});
    QVERIFY(QSettings().value("/Settings/LastPointsPath").toString().isEmpty());
}

void TestFramePanel::failedSaveIsReportedAndKeepsTheOldFile()
{
    FramePanel panel(true);
    setPanelRows(panel, {"A;1;2;3"});
    const QString folderAsFile = QDir(m_environment.dataFolder()).filePath("folder.txt");
    QVERIFY(QDir().mkpath(folderAsFile));
    m_prompt->answerFile(folderAsFile);
    panel.slotSave();
    QCOMPARE(m_prompt->messages().size(), 1);
    QCOMPARE(m_prompt->messages().first().kind, CPrompt::Warning);
    QVERIFY(m_prompt->messages().first().text.contains(QDir::toNativeSeparators(folderAsFile)));
    QVERIFY(QFileInfo(folderAsFile).isDir());

    const QString inMissingFolder = QDir(m_environment.dataFolder()).filePath("none/points.txt");
    m_prompt->answerFile(inMissingFolder);
    panel.slotSave();
    QCOMPARE(m_prompt->messages().size(), 2);
    QVERIFY(!QFileInfo::exists(inMissingFolder));
}

void TestFramePanel::pointLineSplitting_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("semicolons win over commas") << "A;1,5;2;3" << QStringList{"A", "1,5", "2", "3"};
    QTest::newRow("commas alone") << "A,1,2" << QStringList{"A", "1", "2"};
    QTest::newRow("empty fields kept") << ";;;" << QStringList{"", "", "", ""};
    QTest::newRow("empty line") << "" << QStringList{""};
    QTest::newRow("quoted separator") << "\"Pt;1\"; 1; 2" << QStringList{"Pt;1", " 1", " 2"};
    QTest::newRow("quoted, blanks around") << " \"a,b\" ;1" << QStringList{"a,b", "1"};
    QTest::newRow("doubled quotes") << "\"say \"\"hi\"\"\";1" << QStringList{"say \"hi\"", "1"};
    QTest::newRow("quoted separator among commas") << "\"x;y\",1,2" << QStringList{"x;y", "1", "2"};
    QTest::newRow("quote inside a field") << "5\";1" << QStringList{"5\"", "1"};
    QTest::newRow("unclosed quote") << "\"abc;1" << QStringList{"\"abc", "1"};
    QTest::newRow("text after the closing quote") << "\"a\"b;1" << QStringList{"\"a\"b", "1"};
    QTest::newRow("five fields") << "A; 1 ;2;3;x" << QStringList{"A", " 1 ", "2", "3", "x"};
}

// The byte reader of the file road gives the first four of the same fields, trimmed.
void TestFramePanel::pointLineSplitting()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(splitPointLine(line), fields);

    const QByteArray bytes = line.toUtf8();
    CPointCells cells;
    splitPointLine(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), cells);
    for (int i = 0; i < 4; ++i) {
        const std::string_view cell = cells.cells[static_cast<std::size_t>(i)];
        const QString expected = i < fields.size() ? fields[i].trimmed() : QString();
        QCOMPARE(QString::fromUtf8(cell.data(), static_cast<int>(cell.size())), expected);
    }
}

void TestFramePanel::pointLineJoining_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << "Pt 1" << "Pt 1; 1.5; 2; ";
    QTest::newRow("empty") << "" << "; 1.5; 2; ";
    QTest::newRow("separator last") << "Pt;" << "\"Pt;\"; 1.5; 2; ";
    QTest::newRow("quote first") << "\"x" << "\"\"\"x\"; 1.5; 2; ";
    QTest::newRow("separator and quotes") << "a\"b;c\"" << "\"a\"\"b;c\"\"\"; 1.5; 2; ";
    QTest::newRow("single quote and comma") << "a'b,c" << "a'b,c; 1.5; 2; ";
}

// Both writers quote a cell holding the separator or a double quote, wherever it stands.
void TestFramePanel::pointLineJoining()
{
    QFETCH(QString, name);
    QFETCH(QString, line);
    QCOMPARE(joinPointLine({name, "1.5", "2", ""}), line);

    const QByteArray bytes = name.toUtf8();
    std::string text;
    appendPointLine(text, {std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), "1.5", "2", ""});
    QCOMPARE(QString::fromStdString(text), line);
}

// A name holding the separator or a quote is written quoted and read back unchanged.
void TestFramePanel::awkwardNamesSurviveSaveAndLoad()
{
    const CPointRows rows{{"Pt;1", "1", "2", "3"},
                          {"say \"hi\"", "4", "5", "6"},
                          {"a,b", "7", "8", ""},
                          {"\"quoted\"", "", "", ""},
                          {"x;\"y\",z", "55,75", "37,6", "1"}};
    FramePanel panel(true);
    panel.setRows(rows, QString());
    const QString file = QDir(m_environment.dataFolder()).filePath("awkward.txt");
    m_prompt->answerFile(file);
    panel.slotSave();
    QVERIFY(readFile(file).startsWith("\"Pt;1\"; 1; 2; 3\n\"say \"\"hi\"\"\"; 4; 5; 6\na,b; 7; 8; \n"));

    FramePanel loaded(false);
    m_prompt->answerFile(file);
    loaded.slotLoad();
    QVERIFY(m_prompt->messages().isEmpty());
    QCOMPARE(loaded.getRows(), rows);
}

void TestFramePanel::rowValidation_data()
{
    QTest::addColumn<int>("system");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<bool>("fillMissing");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QStringList>("after");

    const int none = -1;
    const auto row = [](const char* name, int system, QStringList cells, bool fill, const char* flags,
                        QStringList after = {}) {
        QTest::newRow(name) << system << cells << fill << QString(flags) << (after.isEmpty() ? cells : after);
    };
    row("none: decimal", none, {"55.5", "-37.25", "100"}, false, "111");
    row("none: degrees minutes seconds", none, {"55 30 15.5", "37 10 5", ""}, false, "111");
    row("none: hemisphere letters", none, {"55 30 15.5N", "137 10 5 w", ""}, false, "111");
    row("none: hemisphere letters swapped", none, {"55 30 15.5E", "37 10 5S", "1"}, false, "001");
    row("none: exponent, letters, blanks", none, {"1e5", "abc", "1 2"}, false, "000");
    row("none: empty allowed", none, {"", "", ""}, false, "111");
    row("none: empty filled with ?", none, {"", " ", ""}, true, "001", {"?", "?", ""});
    row("local: all three needed", int(TestSystem::LocalCartesian), {"1", "2", ""}, false, "110");
    row("local: numbers", int(TestSystem::LocalCartesian), {"1.5", "-2.", "+3"}, false, "111");
    row("local: no angles", int(TestSystem::LocalCartesian), {"55 30", "1", ".5"}, false, "011");
    row("geocentric: all three needed", int(TestSystem::Geocentric), {"1", "2", ""}, false, "110");
    row("geodetic decimal", int(TestSystem::GeodeticDecimal), {"55.5", "37.5", ""}, false, "111");
    row("geodetic decimal: no seconds", int(TestSystem::GeodeticDecimal), {"55 30 15", "37.5", ""}, false, "011");
    row("geodetic dms", int(TestSystem::GeodeticDms), {"55 30 15.5", "137 10 5", ""}, false, "111");
    row("geodetic dms: latitude of three digits", int(TestSystem::GeodeticDms), {"155 30", "37", "0"}, false, "011");
    row("geodetic dms: no hemisphere", int(TestSystem::GeodeticDms), {"55 30 15.5N", "37", ""}, false, "011");
    // The recalculation cannot read the hemisphere format, so neither does the check.
    row("geodetic hemisphere: not readable", int(TestSystem::GeodeticHemisphere), {"55 30 15.5N", "37 10 5E", ""},
        false, "001");
    row("geodetic hemisphere: sign", int(TestSystem::GeodeticHemisphere), {"55.5", "37 10 5 W", "x"}, false, "000");
    row("geodetic: empty not filled", int(TestSystem::GeodeticDecimal), {"", "", ""}, true, "001");
    row("projected: numbers", int(TestSystem::Projected), {"6100000.5", "7400000", ""}, false, "111");
    row("projected: no angles", int(TestSystem::Projected), {"55 30 15", "1", "2"}, false, "011");
    row("topocentric: height optional", int(TestSystem::Topocentric), {"1", "2", ""}, false, "111");
}

void TestFramePanel::rowValidation()
{
    QFETCH(int, system);
    QFETCH(QStringList, cells);
    QFETCH(bool, fillMissing);
    QFETCH(QString, flags);
    QFETCH(QStringList, after);

    FramePanel panel(true);
    if (system >= 0) {
        choosePanelCoordsys(panel, testCoordSysKey(TestSystem(system)));
        QVERIFY(panel.hasCoordsys());
    }
    setPanelRows(panel, {QStringList(QStringList{"P"} + cells).join(';')});
    FramePanel::RowFlags result{};
    QCOMPARE(panel.validateRow(0, &result, fillMissing), flags == "111");
    QCOMPARE(flagsText(result), flags);
    QStringList expected{"P"};
    for (const QString& cell : after)
        expected.append(cell.trimmed());
    QCOMPARE(panel.getPoints(false).first(), expected.join("; "));
}

void TestFramePanel::onlyRedCellsAreCheckedAgainWhenEdited()
{
    FramePanel panel(true);
    setPanelRows(panel, {"A;abc;1;"});
    QVERIFY(!panel.isCellIncorrect(0, 1));
    pointTable(panel)->item(0, 2)->setText("xyz");
    QVERIFY(!panel.isCellIncorrect(0, 2));

    panel.setCellIncorrect(0, 1);
    pointTable(panel)->item(0, 1)->setText("still wrong");
    QVERIFY(panel.isCellIncorrect(0, 1));
    QVERIFY(panel.isCellIncorrect(0, 2));

    pointTable(panel)->item(0, 2)->setText("2");
    QVERIFY(!panel.isCellIncorrect(0, 2));
    QVERIFY(panel.isCellIncorrect(0, 1));
    pointTable(panel)->item(0, 1)->setText("55 30 15");
    QVERIFY(!panel.isCellIncorrect(0, 1));
    QVERIFY(!panel.isCellIncorrect(0, 3));

    panel.setCellIncorrect(0, 0);
    pointTable(panel)->item(0, 0)->setText("B");
    QVERIFY(panel.isCellIncorrect(0, 0));
}

void TestFramePanel::choosingASystemShowsItInThePanel()
{
    const int key = testCoordSysKey(TestSystem::GeodeticDms);
    FramePanel panel(true);
    QSignalSpy selected(&panel, &FramePanel::signalCoordsysSelected);
    choosePanelCoordsys(panel, key);

    QCOMPARE(panel.coordsysCode(), key);
    QVERIFY(panel.hasCoordsys());
    QCOMPARE(selected.size(), 1);
    QCOMPARE(panel.findChild<QPlainTextEdit*>("plainTextEdit")->toPlainText(),
             testSystemName(TestSystem::GeodeticDms) + QStringLiteral("(КС)\nОписание системы"));
    QStringList headers;
    for (int column = 0; column < 4; ++column)
        headers.append(pointTable(panel)->horizontalHeaderItem(column)->text());
    QCOMPARE(headers, (QStringList{"Имя точки", "B", "L", "H"}));
    QVERIFY(!CTestDatabase::value("SELECT last_use FROM coordsys WHERE autokey = ?;", {key}).isNull());
    QVERIFY(m_prompt->messages().isEmpty());

    panel.resetCoordsys();
    QCOMPARE(panel.coordsysCode(), NoValue);
    QCOMPARE(selected.size(), 2);
    QVERIFY(panel.findChild<QPlainTextEdit*>("plainTextEdit")->toPlainText().isEmpty());
    QCOMPARE(pointTable(panel)->horizontalHeaderItem(1)->text(), QString());
}

void TestFramePanel::choosingAnInvalidSystemIsReported()
{
    const int valid = testCoordSysKey(TestSystem::Projected);
    const int invalid = testCoordSysKey(TestSystem::Invalid);
    FramePanel panel(true);
    choosePanelCoordsys(panel, valid);
    panel.setCalculateEnabled(true);
    QVERIFY(panel.findChild<QPushButton*>("buttonCalculate")->isEnabled());

    QSignalSpy selected(&panel, &FramePanel::signalCoordsysSelected);
    choosePanelCoordsys(panel, invalid);
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Ошибка|Выбранная система координат некорректна"});
    QCOMPARE(panel.coordsysCode(), invalid);
    QVERIFY(!panel.hasCoordsys());
    QCOMPARE(selected.size(), 1);
    panel.setCalculateEnabled(true);
    QVERIFY(!panel.findChild<QPushButton*>("buttonCalculate")->isEnabled());
    QVERIFY(panel.findChild<QPlainTextEdit*>("plainTextEdit")->toPlainText().isEmpty());
}

void TestFramePanel::cancellingTheChoiceKeepsTheSystem()
{
    const int key = testCoordSysKey(TestSystem::Topocentric);
    FramePanel panel(false);
    choosePanelCoordsys(panel, key);
    QSignalSpy selected(&panel, &FramePanel::signalCoordsysSelected);
    const CModalWatch watch = whenModal<QDialog>([](QDialog* selector) {
        selector->findChild<QPushButton*>(QStringLiteral("buttonCancel"))->click();
    });
    panel.slotSelectCoordsys();
    QCOMPARE(panel.coordsysCode(), key);
    QVERIFY(panel.hasCoordsys());
    QCOMPARE(selected.size(), 1);
}

void TestFramePanel::calculateButtonsSitOnTheOuterEdges()
{
    FramePanel left(true);
    FramePanel right(false);
    const auto button = [](const FramePanel& panel) { return panel.findChild<QPushButton*>("buttonCalculate"); };
    const auto row = [](const FramePanel& panel) { return panel.findChild<QFrame*>("frameButtons"); };
    QCOMPARE(button(left)->text(), QString::fromUtf8("Вычислить\u25BA"));
    QCOMPARE(button(right)->text(), QString::fromUtf8("\u25C4Вычислить"));
    QCOMPARE(row(left)->layoutDirection(), Qt::LeftToRight);
    QCOMPARE(row(right)->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(right.findChild<QFrame*>("framePointsButtons")->layoutDirection(), Qt::LeftToRight);
    QVERIFY(!button(left)->isEnabled());
    left.setCalculateEnabled(true);
    QVERIFY(!button(left)->isEnabled());
}

QTEST_MAIN(TestFramePanel)
#include "test_framepanel.moc"
