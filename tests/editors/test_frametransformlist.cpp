#include "failingreads.h"
#include "guitest.h"
#include "transformfixture.h"

#include "database/novalue.h"
#include "editors/transform/dialogtransformeditor.h"
#include "editors/transform/frametransformlist.h"
#include "records/transformlistdetails.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

QListWidget* listWidget(const FrameTransformList& frame)
{
    return frame.findChild<QListWidget*>("listTransformList");
}

QAbstractButton* button(const FrameTransformList& frame, const QString& name)
{
    return frame.findChild<QAbstractButton*>(name);
}

QStringList shownNames(const FrameTransformList& frame)
{
    QStringList names;
    for (int row = 0; row < listWidget(frame)->count(); ++row)
        names.append(listWidget(frame)->item(row)->text());
    return names;
}

QString enabledButtons(const FrameTransformList& frame)
{
    QStringList names;
    for (const char* name : {"buttonAdd", "buttonEdit", "buttonDelete", "buttonDeleteAll", "buttonMoveUp",
                             "buttonMoveDown", "buttonExport", "buttonImport", "buttonExportAll", "buttonImportAll"}) {
        if (button(frame, name)->isEnabled())
            names.append(name);
    }
    return names.join(' ');
}

QVariantList oneToN(int n)
{
    QVariantList numbers;
    for (int i = 1; i <= n; ++i)
        numbers.append(i);
    return numbers;
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

const QString Warning = QStringLiteral("Предупреждение|");

} // namespace

class TestFrameTransformList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commands_data();
    void commands();
    void buttonStates_data();
    void buttonStates();
    void deletingTheOnlyTransformDropsTheList();
    void removeItemKeepsTheNumbers();
    void firstAddMakesTheListAndCancelDropsIt();
    void editKeepsTheRow();
    void exportAndImportGiveAnEqualList();
    void singleTransformAppends();
    void importRefusesOtherDocuments_data();
    void importRefusesOtherDocuments();
    void failedImportLeavesNothing();
    void importStopsAtAFailedLookup();
    void duplicate();

private:
    CGuiTestEnvironment m_environment;
    CEditorTestSession m_session;
};

void TestFrameTransformList::init()
{
    QVERIFY(m_session.start());
}

void TestFrameTransformList::cleanup()
{
    QVERIFY(m_session.finish());
}

void TestFrameTransformList::commands_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("current");
    QTest::newRow("add") << 3 << 0 << "buttonAdd" << QStringList{"T1", "T2", "T3", "new"} << 3;
    QTest::newRow("add cancelled") << 2 << 0 << "buttonAdd" << QStringList{"T1", "T2"} << 1;
    QTest::newRow("move up the third of five") << 5 << 2 << "buttonMoveUp"
                                               << QStringList{"T1", "T3", "T2", "T4", "T5"} << 1;
    QTest::newRow("move down the first") << 4 << 0 << "buttonMoveDown" << QStringList{"T2", "T1", "T3", "T4"} << 1;
    QTest::newRow("move up the last") << 3 << 2 << "buttonMoveUp" << QStringList{"T1", "T3", "T2"} << 1;
    QTest::newRow("delete #2 of 4") << 4 << 1 << "buttonDelete" << QStringList{"T1", "T3", "T4"} << 0;
    QTest::newRow("delete the first") << 3 << 0 << "buttonDelete" << QStringList{"T2", "T3"} << 0;
    QTest::newRow("delete the last") << 3 << 2 << "buttonDelete" << QStringList{"T1", "T2"} << 1;
    QTest::newRow("delete all") << 4 << 1 << "buttonDeleteAll" << QStringList{} << -1;
}

void TestFrameTransformList::commands()
{
    QFETCH(int, count);
    QFETCH(int, row);
    QFETCH(QString, command);
    QFETCH(QStringList, names);
    QFETCH(int, current);
    const int list = storeAffineList("list", count);
    QVERIFY(list != NoValue);
    FrameTransformList frame(nullptr, false);
    frame.setTransformList(list);
    listWidget(frame)->setCurrentRow(row);
    // Only the add opens the transform editor: saved with the new name, or cancelled.
    const CModalWatch watch = answerTransformEditor(names.size() > count ? names.last() : QString());
    button(frame, command)->click();

    QCOMPARE(transformNames(list), names);
    QCOMPARE(transformNumbers(list), oneToN(names.size()));
    QCOMPARE(shownNames(frame), names);
    QCOMPARE(listWidget(frame)->currentRow(), current);
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM transformparamvalue;").toInt(),
             6 * qMin(count, names.size()) + 2 * qMax(0, names.size() - count));
    QCOMPARE(frame.listKey(), names.isEmpty() ? int(NoValue) : list);
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM transformlist;").toInt(), names.isEmpty() ? 0 : 1);
    QVERIFY(m_session.prompt().messages().isEmpty());
}

void TestFrameTransformList::buttonStates_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("enabled");
    const QString always = "buttonAdd buttonImport buttonImportAll";
    QTest::newRow("one row") << 1 << 0
                             << "buttonAdd buttonEdit buttonDelete buttonDeleteAll buttonExport buttonImport "
                                "buttonExportAll buttonImportAll";
    QTest::newRow("first of three") << 3 << 0
                                    << "buttonAdd buttonEdit buttonDelete buttonDeleteAll buttonMoveDown "
                                       "buttonExport buttonImport buttonExportAll buttonImportAll";
    QTest::newRow("last of three") << 3 << 2
                                   << "buttonAdd buttonEdit buttonDelete buttonDeleteAll buttonMoveUp buttonExport "
                                      "buttonImport buttonExportAll buttonImportAll";
    QTest::newRow("none selected") << 3 << -1 << "buttonAdd buttonDeleteAll buttonImport buttonExportAll buttonImportAll";
}

void TestFrameTransformList::buttonStates()
{
    QFETCH(int, count);
    QFETCH(int, row);
    QFETCH(QString, enabled);
    FrameTransformList frame(nullptr, false);
    frame.setTransformList(storeAffineList("list", count));
    listWidget(frame)->setCurrentRow(row);
    if (row < 0)
        listWidget(frame)->clearSelection();
    QCOMPARE(enabledButtons(frame), enabled);
    QCOMPARE(button(frame, "buttonMoveUp")->text(), QString(QChar(0x25B2)));
    QVERIFY(frame.findChild<QWidget*>("frameId")->isHidden());
}

void TestFrameTransformList::deletingTheOnlyTransformDropsTheList()
{
    const int list = storeAffineList("list", 1);
    FrameTransformList frame(nullptr, false);
    frame.setTransformList(list);
    listWidget(frame)->setCurrentRow(0);
    button(frame, "buttonDelete")->click();
    QCOMPARE(frame.listKey(), int(NoValue));
    QVERIFY(transformTablesDump().isEmpty());
    QCOMPARE(enabledButtons(frame), QStringLiteral("buttonAdd buttonImport buttonImportAll"));
}

void TestFrameTransformList::removeItemKeepsTheNumbers()
{
    const int list = storeAffineList("list", 3);
    FrameTransformList frame(nullptr, false);
    frame.setTransformList(list);
    QVERIFY(!frame.removeItem(-1));
    QVERIFY(!frame.removeItem(3));
    QCOMPARE(transformNames(list), QStringList({"T1", "T2", "T3"}));
    QVERIFY(frame.removeItem(1));
    QCOMPARE(transformNames(list), QStringList({"T1", "T3"}));
    QCOMPARE(transformNumbers(list), oneToN(2));
    QCOMPARE(shownNames(frame), QStringList({"T1", "T3"}));
    QVERIFY(frame.removeItem(1));
    QVERIFY(frame.removeItem(0));
    QVERIFY(shownNames(frame).isEmpty());
    QCOMPARE(frame.listKey(), int(NoValue));
    QVERIFY(transformTablesDump().isEmpty());
    QVERIFY(m_session.prompt().messages().isEmpty());
}

void TestFrameTransformList::firstAddMakesTheListAndCancelDropsIt()
{
    FrameTransformList frame(nullptr, false);
    {
        const CModalWatch watch = answerTransformEditor(QString());
        button(frame, "buttonAdd")->click();
    }
    QCOMPARE(frame.listKey(), int(NoValue));
    QVERIFY(transformTablesDump().isEmpty());

    const CModalWatch watch = answerTransformEditor("first");
    button(frame, "buttonAdd")->click();
    QVERIFY(frame.listKey() != NoValue);
    QCOMPARE(transformNames(frame.listKey()), QStringList{"first"});
    QCOMPARE(transformNumbers(frame.listKey()), oneToN(1));
    QCOMPARE(CTestDatabase::value("SELECT name FROM transformlist WHERE autokey = ?;", {frame.listKey()}).toString(),
             QStringLiteral("name"));
    QCOMPARE(listWidget(frame)->currentRow(), 0);
}

void TestFrameTransformList::editKeepsTheRow()
{
    const int list = storeAffineList("list", 3);
    FrameTransformList frame(nullptr, false);
    frame.setTransformList(list);
    listWidget(frame)->setCurrentRow(1);
    const CModalWatch watch
        = whenModal<DialogTransformEditor>([](DialogTransformEditor* dialog) { saveShiftTransform(dialog, "renamed"); });
    button(frame, "buttonEdit")->click();
    QCOMPARE(shownNames(frame), QStringList({"T1", "renamed", "T3"}));
    QCOMPARE(listWidget(frame)->currentRow(), 1);
    QCOMPARE(transformNumbers(list), oneToN(3));
}

void TestFrameTransformList::exportAndImportGiveAnEqualList()
{
    const int list = storeAffineList("list", 3);
    QVERIFY(storeTransform(list, "shift", 2, {{5, "10.5"}, {6, "-3"}}) != NoValue);
    CTransformListDetails stored;
    QVERIFY(FrameTransformList::ReadDetails(list, stored));
    const QString path = m_session.folder() + "/list.xml";
    {
        FrameTransformList frame(nullptr, false);
        frame.setTransformList(list);
        m_session.prompt().answerFile(path);
        button(frame, "buttonExportAll")->click();
        QCOMPARE(m_session.prompt().fileRequests().last().caption, QStringLiteral("Экспорт набора преобразований"));
    }
    const QByteArray content = readFile(path);
    QVERIFY(content.startsWith("<?xml version='1.0' encoding='UTF-8'?>"));
    QVERIFY(content.contains("<!DOCTYPE transformlist>"));
    QVERIFY(content.contains("\n<transformlist>"));
    QVERIFY(FrameTransformList::Delete(list));

    FrameTransformList frame(nullptr, false);
    m_session.prompt().answerFile(path);
    button(frame, "buttonImportAll")->click();
    QVERIFY(m_session.prompt().messages().isEmpty());
    QVERIFY(frame.listKey() != NoValue);
    CTransformListDetails imported;
    QVERIFY(FrameTransformList::ReadDetails(frame.listKey(), imported));
    QCOMPARE(imported.transforms.size(), 4);
    QVERIFY(imported.transforms == stored.transforms);
    QCOMPARE(imported.name, QStringLiteral("name"));
    QCOMPARE(listWidget(frame)->currentRow(), 3);
    QCOMPARE(transformNumbers(frame.listKey()), oneToN(4));
}

void TestFrameTransformList::singleTransformAppends()
{
    const int list = storeAffineList("list", 3);
    QVERIFY(CTestDatabase::exec("UPDATE transform SET name = 'T/2' WHERE name = 'T2';"));
    FrameTransformList frame(nullptr, false);
    frame.setTransformList(list);
    listWidget(frame)->setCurrentRow(1);
    const QString path = m_session.folder() + "/one.xml";
    m_session.prompt().answerFile(path);
    button(frame, "buttonExport")->click();
    QCOMPARE(QFileInfo(m_session.prompt().fileRequests().last().path).fileName(), QStringLiteral("T_2.xml"));
    QVERIFY(readFile(path).contains("<!DOCTYPE transform>"));

    m_session.prompt().answerFile(path);
    button(frame, "buttonImport")->click();
    QVERIFY(m_session.prompt().messages().isEmpty());
    QCOMPARE(transformNames(list), QStringList({"T1", "T/2", "T3", "T/2[1]"}));
    QCOMPARE(transformNumbers(list), oneToN(4));
    QCOMPARE(listWidget(frame)->currentRow(), 3);
    QCOMPARE(m_session.prompt().fileRequests().last().path, m_session.folder());
}

void TestFrameTransformList::importRefusesOtherDocuments_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QByteArray transform = "<!DOCTYPE transform><transform><Name>A</Name><Type>2</Type></transform>";
    QTest::newRow("capitalised root") << "buttonImport"
                                      << QByteArray("<Transform><Name>A</Name><Type>2</Type></Transform>")
                                      << "Файл %1 не содержит преобразования";
    QTest::newRow("list into single import") << "buttonImport"
                                             << QByteArray("<transformlist><Name>L</Name></transformlist>")
                                             << "Файл %1 не содержит преобразования";
    QTest::newRow("single into list import") << "buttonImportAll" << transform
                                             << "Файл %1 не содержит набора преобразований";
    QTest::newRow("not XML") << "buttonImport" << QByteArray("A;1;2;3") << "Файл %1 не является документом XML";
    // A file with one element that its reading does not take.
    QTest::newRow("value with a decimal comma")
        << "buttonImport"
        << QByteArray("<transform><Name>A</Name><Type>2</Type><ParamValues><Param code=\"5\">-12,5</Param>"
                      "<Param code=\"6\">3</Param></ParamValues></transform>")
        << "Преобразование из файла %1 не прочитано\nЭлемент «ParamValues/Param[code=5, «B1»]»: «-12,5» не является "
           "числом";
    QTest::newRow("transform without a parameter that its type uses")
        << "buttonImport"
        << QByteArray("<transform><Name>A</Name><Type>2</Type><ParamValues><Param code=\"5\">-12.5</Param>"
                      "</ParamValues></transform>")
        << "Преобразование из файла %1 не прочитано\nЭлемент «ParamValues/Param[code=6, «B2»]»: значение не задано";
    QTest::newRow("list with a parameter given twice")
        << "buttonImportAll"
        << QByteArray("<transformlist><Name>L</Name><Transforms><Transform><Name>A</Name><Type>3</Type><ParamValues>"
                      "<Param code=\"7\">1</Param><Param code=\"7\">2</Param></ParamValues></Transform></Transforms>"
                      "</transformlist>")
        << "Набор преобразований из файла %1 не прочитан\nЭлемент «Transforms/Transform/ParamValues/Param[code=7, "
           "«dH»]»: параметр задан повторно";
    QTest::newRow("list with a transform of a word type")
        << "buttonImportAll"
        << QByteArray("<transformlist><Name>L</Name><Transforms><transform/><Transform><Name>A</Name>"
                      "<Type>два</Type></Transform></Transforms></transformlist>")
        << "Набор преобразований из файла %1 не прочитан\nЭлемент «Transforms/Transform/Type»: «два» не является "
           "целым числом";
}

void TestFrameTransformList::importRefusesOtherDocuments()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = m_session.folder() + "/other.xml";
    writeFile(path, content);
    FrameTransformList frame(nullptr, false);
    m_session.prompt().answerFile(path);
    button(frame, command)->click();
    QCOMPARE(m_session.prompt().messages().size(), 1);
    QVERIFY2(m_session.prompt().messageTexts().first().startsWith(Warning + message.arg(path)),
             qPrintable(m_session.prompt().messageTexts().first()));
    QVERIFY(transformTablesDump().isEmpty());
    QCOMPARE(frame.listKey(), int(NoValue));
}

void TestFrameTransformList::failedImportLeavesNothing()
{
    const int list = storeAffineList("list", 2);
    const QStringList before = transformTablesDump();
    const QString path = m_session.folder() + "/bad.xml";
    writeFile(path, "<transformlist><Name>L</Name><Transforms>"
                    "<Transform><Name>good</Name><Type>2</Type></Transform>"
                    "<Transform><Name>bad</Name><Type>99</Type><TransformType><Code>99</Code>"
                    "<Name>unknown</Name></TransformType></Transform>"
                    "</Transforms></transformlist>");
    for (const int key : {list, int(NoValue)}) {
        FrameTransformList frame(nullptr, false);
        frame.setTransformList(key);
        m_session.prompt().answerFile(path);
        button(frame, "buttonImportAll")->click();
        QCOMPARE(m_session.prompt().messages().size(), 1);
        QCOMPARE(transformTablesDump(), before);
        QCOMPARE(frame.listKey(), key);
        QCOMPARE(shownNames(frame), key == NoValue ? QStringList() : QStringList({"T1", "T2"}));
        m_session.prompt().clear();
    }
}

// The file's transform type is looked up by its code: a lookup that fails is said with the
// database's reason, and no row is written.
void TestFrameTransformList::importStopsAtAFailedLookup()
{
    const int list = storeAffineList("list", 2);
    const QString path = m_session.folder() + "/list.xml";
    FrameTransformList frame(nullptr, false);
    frame.setTransformList(list);
    m_session.prompt().answerFile(path);
    button(frame, "buttonExportAll")->click();
    QVERIFY(readFile(path).contains("<TransformType>"));
    const QStringList before = transformTablesDump();
    {
        const CDeniedReads denied({"transformtype"});
        QVERIFY(denied.isActive());
        m_session.prompt().answerFile(path);
        button(frame, "buttonImportAll")->click();
    }
    QCOMPARE(m_session.prompt().messages().size(), 1);
    const QString shown = m_session.prompt().messageTexts().first();
    QVERIFY2(shown.startsWith(Warning + "Ошибка чтения базы данных: access to transformtype."), qPrintable(shown));
    QCOMPARE(transformTablesDump(), before);
    QCOMPARE(frame.listKey(), list);
    QCOMPARE(shownNames(frame), QStringList({"T1", "T2"}));
}

void TestFrameTransformList::duplicate()
{
    QVERIFY(CTestDatabase::exec("INSERT INTO datum (name) VALUES ('owner');"));
    QVERIFY(CTestDatabase::exec("INSERT INTO unitlength (name, factor_b, factor_c) VALUES ('metre', 1, 1);"));
    const int list = storeList("list", {1, "datum", 3});
    QVERIFY(storeTransform(list, "A", 2, {{5, "1"}, {6, "2"}}) != NoValue);
    QVERIFY(storeTransform(list, "B", 3, {{7, "4"}}) != NoValue);
    QVERIFY(CTestDatabase::exec("UPDATE transformparamvalue SET unit = (SELECT max(autokey) FROM unitlength) WHERE param = 7;"));
    CTransformListDetails original;
    QVERIFY(FrameTransformList::ReadDetails(list, original));

    for (const bool withOwner : {false, true}) {
        const int copy = FrameTransformList::Duplicate(list, withOwner);
        QVERIFY(copy != NoValue && copy != list);
        CTransformListDetails copied;
        QVERIFY(FrameTransformList::ReadDetails(copy, copied));
        QVERIFY(copied.transforms == original.transforms);
        QCOMPARE(copied.name, original.name);
        QCOMPARE(transformNumbers(copy), oneToN(2));
        const QVariant owner = CTestDatabase::value("SELECT owner FROM transformlist WHERE autokey = ?;", {copy});
        QCOMPARE(owner.isNull(), !withOwner);
        QCOMPARE(owner.toInt(), withOwner ? 1 : 0);
        QCOMPARE(CTestDatabase::value("SELECT owner_table FROM transformlist WHERE autokey = ?;", {copy}).toString(),
                 QStringLiteral("datum"));
        QVERIFY(CTestDatabase::value("SELECT scope FROM transformlist WHERE autokey = ?;", {copy}).isNull());
    }
    QCOMPARE(FrameTransformList::Duplicate(999, true), int(NoValue));
}

QTEST_MAIN(TestFrameTransformList)
#include "test_frametransformlist.moc"
