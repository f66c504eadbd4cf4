#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/dialogdatabaseselector.h"
#include "browser/frameexport.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

namespace {

QTableWidget* table(const FrameExport& frame)
{
    return frame.findChild<QTableWidget*>("tableExport");
}

QString nameShown(const FrameExport& frame, int destination)
{
    return table(frame)->item(frame.row(destination).row, 4)->text();
}

} // namespace

class TestFrameExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rowsOfTheDestinations();
    void codes_data();
    void codes();
    void setCodeLooksTheNameUp();
    void selectorPicksACode();
    void clearing();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
};

void TestFrameExport::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    QVERIFY(CTestDatabase::exec("DELETE FROM epsglengthunit;"));
    QVERIFY(CTestDatabase::exec("DELETE FROM mapinfounit;"));
    QVERIFY(CTestDatabase::exec("INSERT INTO epsglengthunit (code, name) VALUES (9001, 'metre'), (9002, 'foot');"));
    QVERIFY(CTestDatabase::exec("INSERT INTO mapinfounit (code, name) VALUES (7, 'm');"));
}

void TestFrameExport::cleanup()
{
    m_prompt.reset();
    m_database.reset();
}

void TestFrameExport::rowsOfTheDestinations()
{
    FrameExport both(nullptr);
    QCOMPARE(table(both)->rowCount(), 0);
    both.setDestinationsEpsgMapInfo(TableEpsgLengthUnit, TableMapInfoUnit);
    QCOMPARE(table(both)->rowCount(), 2);
    QCOMPARE(table(both)->item(0, 0)->text(), QStringLiteral("GeoTIFF (EPSG)"));
    QCOMPARE(table(both)->item(1, 0)->text(), QStringLiteral("MapInfo"));
    QCOMPARE(table(both)->item(0, 0)->flags(), Qt::ItemIsEnabled);
    QCOMPARE(both.row(ExportMapInfo).tableId, int(TableMapInfoUnit));
    QCOMPARE(both.row(ExportMapInfo).row, 1);
    QCOMPARE(table(both)->cellWidget(1, 1), both.row(ExportMapInfo).editCode);
    QCOMPARE(both.row(ExportMapInfo).buttonClear->text(), QString(QChar(0x232B)));

    FrameExport epsg(nullptr);
    epsg.setDestinationEpsg(TableEpsgLengthUnit);
    QCOMPARE(table(epsg)->rowCount(), 1);
    const FrameExport::Row none = epsg.row(ExportMapInfo);
    QVERIFY(none.tableId == 0 && none.row == -1 && !none.editCode);
    QVERIFY(!epsg.setCode(ExportMapInfo, 7));
    int code = 5;
    QVERIFY(!epsg.readCode(ExportMapInfo, &code));
    QCOMPARE(code, 5);
    QCOMPARE(epsg.code(ExportMapInfo), NoValue);
    QCOMPARE(FrameExport::destinationLabel(3), QString());
}

void TestFrameExport::codes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("placed");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("code");

    QTest::newRow("empty") << "" << "" << true << int(NoValue);
    QTest::newRow("emptied to blanks") << "" << "   " << true << int(NoValue);
    QTest::newRow("typed") << "9001" << "" << true << 9001;
    QTest::newRow("zero") << "0" << "" << true << 0;
    QTest::newRow("letters refused as typed") << "90a0b1" << "" << true << 9001;
    QTest::newRow("sign refused as typed") << "-12" << "" << true << 12;
    QTest::newRow("seventh digit refused") << "1234567" << "" << true << 123456;
    QTest::newRow("blanks around") << "" << " 42 " << true << 42;
    QTest::newRow("no number") << "" << "abc" << false << 0;
    QTest::newRow("number and text") << "" << "12 м" << false << 0;
}

void TestFrameExport::codes()
{
    QFETCH(QString, typed);
    QFETCH(QString, placed);
    QFETCH(bool, readable);
    QFETCH(int, code);

    FrameExport frame(nullptr);
    frame.setDestinationEpsg(TableEpsgLengthUnit);
    QLineEdit* edit = frame.row(ExportEpsg).editCode;
    QTest::keyClicks(edit, typed);
    if (!placed.isEmpty())
        edit->setText(placed);
    int read = -1;
    QCOMPARE(frame.readCode(ExportEpsg, &read), readable);
    QCOMPARE(read, readable ? code : -1);
    QCOMPARE(frame.code(ExportEpsg), readable ? code : int(NoValue));
}

void TestFrameExport::setCodeLooksTheNameUp()
{
    FrameExport frame(nullptr);
    frame.setDestinationsEpsgMapInfo(TableEpsgLengthUnit, TableMapInfoUnit);
    QVERIFY(frame.setCode(ExportEpsg, 9002));
    QVERIFY(frame.setCode(ExportMapInfo, 8));
    QCOMPARE(nameShown(frame, ExportEpsg), QStringLiteral("foot"));
    QCOMPARE(nameShown(frame, ExportMapInfo), QString());
    QCOMPARE(frame.code(ExportMapInfo), 8);

    QLineEdit* edit = frame.row(ExportMapInfo).editCode;
    edit->setText("7");
    emit edit->editingFinished();
    QCOMPARE(nameShown(frame, ExportMapInfo), QStringLiteral("m"));
    edit->clear();
    emit edit->editingFinished();
    QCOMPARE(nameShown(frame, ExportMapInfo), QString());
}

void TestFrameExport::selectorPicksACode()
{
    FrameExport frame(nullptr);
    frame.setDestinationEpsg(TableEpsgLengthUnit);
    QVERIFY(frame.setCode(ExportEpsg, 9001));
    QSignalSpy entered(frame.row(ExportEpsg).editCode, &QLineEdit::editingFinished);

    int preselected = NoValue;
    const CModalWatch cancelled = whenModal<DialogDatabaseSelector>([&preselected](DialogDatabaseSelector* selector) {
        preselected = selector->currentCode();
        selector->findChild<QPushButton*>("buttonCancel")->click();
    });
    frame.row(ExportEpsg).buttonSelect->click();
    QCOMPARE(preselected, 9001);
    QCOMPARE(frame.code(ExportEpsg), 9001);
    QCOMPARE(nameShown(frame, ExportEpsg), QStringLiteral("metre"));

    const CModalWatch selected = whenModal<DialogDatabaseSelector>([](DialogDatabaseSelector* selector) {
        selector->selectRowByCode(9002);
        selector->findChild<QPushButton*>("buttonSelect")->click();
    });
    frame.row(ExportEpsg).buttonSelect->click();
    QCOMPARE(frame.code(ExportEpsg), 9002);
    QCOMPARE(nameShown(frame, ExportEpsg), QStringLiteral("foot"));
    QCOMPARE(entered.count(), 0);
}

void TestFrameExport::clearing()
{
    FrameExport frame(nullptr);
    frame.setDestinationsEpsgMapInfo(TableEpsgLengthUnit, TableMapInfoUnit);
    frame.setCode(ExportEpsg, 9001);
    frame.setCode(ExportMapInfo, 7);
    frame.row(ExportMapInfo).buttonClear->click();
    QCOMPARE(frame.code(ExportMapInfo), NoValue);
    QCOMPARE(nameShown(frame, ExportMapInfo), QString());
    QCOMPARE(frame.code(ExportEpsg), 9001);

    frame.clear();
    QCOMPARE(frame.code(ExportEpsg), NoValue);
    QCOMPARE(nameShown(frame, ExportEpsg), QString());
    QCOMPARE(table(frame)->rowCount(), 2);
}

QTEST_MAIN(TestFrameExport)
#include "test_frameexport.moc"
