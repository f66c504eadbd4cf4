#include "datumfixture.h"
#include "transformfixture.h"

#include "browser/framegeneralinfo.h"
#include "database/novalue.h"
#include "editors/transform/frameextra.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

QTreeWidget* tree(FrameExtra& frame)
{
    return frame.findChild<QTreeWidget*>("treeExtra");
}

// The tree's rows as "table|name", the current one marked with "*".
QStringList rows(FrameExtra& frame)
{
    QStringList result;
    QTreeWidget* view = tree(frame);
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = view->topLevelItem(i);
        result.append((item == view->currentItem() ? "*" : "") + item->text(0) + '|' + item->text(1));
    }
    return result;
}

// The enabled state of the add, edit, delete and delete-all buttons, as "1111".
QString buttons(FrameExtra& frame)
{
    QString result;
    for (const char* name : {"buttonAdd", "buttonEdit", "buttonDelete", "buttonDeleteAll"})
        result += frame.findChild<QPushButton*>(name)->isEnabled() ? '1' : '0';
    return result;
}

void selectRow(FrameExtra& frame, int row)
{
    tree(frame)->setCurrentItem(tree(frame)->topLevelItem(row));
}

} // namespace

class TestFrameExtra : public CEditorTestCase
{
    Q_OBJECT

private slots:
    void listsWhatTheOwnerHolds_data();
    void listsWhatTheOwnerHolds();
    void deleteKeepsNeighbourCurrent_data();
    void deleteKeepsNeighbourCurrent();
    void deletingAUsedShiftIsRefused();
    void deleteAll();
    void addAndEditAShift();
    void cancelledAddChangesNothing_data();
    void cancelledAddChangesNothing();
    void addAList_data();
    void addAList();
    void editAList();
    void exchangeOfWholeLists();
    void refusedImports_data();
    void refusedImports();
    void importIntoANewOwner();
    void reassignOwner();
    void failedReassignWritesNothing();

private:
    // Пулково owns the shift and the list "Общее" and the list "Б"; a list of a coordinate
    // system with the same key and a shift of another datum are not its.
    int datumWithExtras();
};

int TestFrameExtra::datumWithExtras()
{
    const int ellipsoid = insertEllipsoid("WGS 84");
    const int datum = insertDatum("Пулково", ellipsoid, insertShift("S84"));
    insertShift("Общее", datum);
    insertList("Общее", datum, "datum", 1);
    insertList("Б", datum, "datum", 2);
    insertList("Чужой", datum, "coordsys", 1);
    insertShift("Другая", insertDatum("Другой", ellipsoid, 0));
    return datum;
}

void TestFrameExtra::listsWhatTheOwnerHolds_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("enabled");

    QTest::newRow("datum")
        << true << "datum"
        << QStringList{"*transformlist|Б", "transformlist|Общее", "datumshift|Общее"} << "1111";
    QTest::newRow("coordinate system") << true << "coordsys" << QStringList{"*transformlist|Чужой"} << "1111";
    QTest::newRow("new datum") << false << "datum" << QStringList{} << "1000";
    QTest::newRow("other table") << true << "ellipsoid" << QStringList{} << "1000";
}

void TestFrameExtra::listsWhatTheOwnerHolds()
{
    QFETCH(bool, stored);
    QFETCH(QString, table);
    QFETCH(QStringList, listed);
    QFETCH(QString, enabled);

    const int datum = datumWithExtras();
    FrameExtra frame(nullptr);
    frame.setOwner(stored ? datum : int(NoValue), table);
    QCOMPARE(rows(frame), listed);
    QCOMPARE(frame.itemCount(), listed.size());
    QCOMPARE(buttons(frame), enabled);
}

void TestFrameExtra::deleteKeepsNeighbourCurrent_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("shifts");
    QTest::addColumn<QStringList>("lists");
    QTest::addColumn<int>("transforms");

    QTest::newRow("first") << 0 << QStringList{"*transformlist|Общее", "datumshift|Общее"}
                           << QStringList{"S84", "Другая", "Общее"} << QStringList{"Общее", "Чужой"} << 2;
    QTest::newRow("list of a shared name") << 1 << QStringList{"*transformlist|Б", "datumshift|Общее"}
                                           << QStringList{"S84", "Другая", "Общее"} << QStringList{"Б", "Чужой"} << 3;
    QTest::newRow("shift of a shared name") << 2 << QStringList{"transformlist|Б", "*transformlist|Общее"}
                                            << QStringList{"S84", "Другая"} << QStringList{"Б", "Общее", "Чужой"}
                                            << 4;
}

void TestFrameExtra::deleteKeepsNeighbourCurrent()
{
    QFETCH(int, row);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, shifts);
    QFETCH(QStringList, lists);
    QFETCH(int, transforms);

    FrameExtra frame(nullptr);
    frame.setOwner(datumWithExtras(), "datum");
    selectRow(frame, row);
    QTest::mouseClick(frame.findChild<QPushButton*>("buttonDelete"), Qt::LeftButton);
    QCOMPARE(rows(frame), listed);
    QCOMPARE(names("datumshift"), shifts);
    QCOMPARE(names("transformlist"), lists);
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM transform;").toInt(), transforms);
    QVERIFY(scriptedPrompt().messages().isEmpty());
}

void TestFrameExtra::deletingAUsedShiftIsRefused()
{
    const int datum = datumWithExtras();
    const int owned = CTestDatabase::value("SELECT autokey FROM datumshift WHERE datum=?;", {datum}).toInt();
    QVERIFY(insertDatum("Третий", 0, owned) != 0);
    FrameExtra frame(nullptr);
    frame.setOwner(datum, "datum");
    selectRow(frame, 2);
    QStringList shown;
    const CModalWatch watch = captureDependencies(shown);
    QTest::mouseClick(frame.findChild<QPushButton*>("buttonDelete"), Qt::LeftButton);
    QCOMPARE(shown, QStringList{"Датум|Третий"});
    QCOMPARE(frame.itemCount(), 3);
    QCOMPARE(names("datumshift"), (QStringList{"S84", "Другая", "Общее"}));
}

void TestFrameExtra::deleteAll()
{
    FrameExtra frame(nullptr);
    frame.setOwner(datumWithExtras(), "datum");
    QTest::mouseClick(frame.findChild<QPushButton*>("buttonDeleteAll"), Qt::LeftButton);
    QCOMPARE(rows(frame), QStringList{});
    QCOMPARE(buttons(frame), "1000");
    QCOMPARE(names("datumshift"), (QStringList{"S84", "Другая"}));
    QCOMPARE(names("transformlist"), QStringList{"Чужой"});
    QCOMPARE(counts(), "2 2 1 1 1");
}

void TestFrameExtra::addAndEditAShift()
{
    const int datum = datumWithExtras();
    FrameExtra frame(nullptr);
    frame.setOwner(datum, "datum");
    {
        const CModalWatch kind = chooseKind(0);
        const CModalWatch shift = makeExtraShift("В");
        frame.slotAdd();
    }
    QCOMPARE(rows(frame), (QStringList{"transformlist|Б", "*datumshift|В", "transformlist|Общее", "datumshift|Общее"}));
    QCOMPARE(CTestDatabase::value("SELECT datum FROM datumshift WHERE name='В';").toInt(), datum);

    selectRow(frame, 1);
    {
        const CModalWatch edited = whenModal<QDialog>([](QDialog* dialog) {
            dialog->findChild<FrameGeneralInfo*>()->setName("А");
            dialog->findChild<QPushButton*>("buttonSave")->click();
            if (dialog->isVisible())
                dialog->reject();
        });
        frame.slotEdit();
    }
    QCOMPARE(rows(frame), (QStringList{"*datumshift|А", "transformlist|Б", "transformlist|Общее", "datumshift|Общее"}));
    QVERIFY(scriptedPrompt().messages().isEmpty());
}

void TestFrameExtra::cancelledAddChangesNothing_data()
{
    QTest::addColumn<bool>("chooseKind");
    QTest::newRow("kind not chosen") << false;
    QTest::newRow("editor cancelled") << true;
}

void TestFrameExtra::cancelledAddChangesNothing()
{
    QFETCH(bool, chooseKind);

    const int datum = datumWithExtras();
    const QString before = counts();
    FrameExtra frame(nullptr);
    frame.setOwner(datum, "datum");
    {
        const CModalWatch kind = whenModal<QDialog>([chooseKind](QDialog* dialog) {
            dialog->findChild<QListWidget*>()->setCurrentRow(0);
            chooseKind ? dialog->accept() : dialog->reject();
        });
        const CModalWatch shift = makeExtraShift("В", false);
        frame.slotAdd();
    }
    QCOMPARE(frame.itemCount(), 3);
    QCOMPARE(counts(), before);
}

void TestFrameExtra::addAList_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<int>("kindRow");
    QTest::addColumn<QVariant>("scope");

    QTest::newRow("horizontal of a datum") << "datum" << 1 << QVariant(3);
    QTest::newRow("vertical of a datum") << "datum" << 2 << QVariant(4);
    QTest::newRow("sequence of a coordinate system") << "coordsys" << -1 << QVariant();
}

void TestFrameExtra::addAList()
{
    QFETCH(QString, owner);
    QFETCH(int, kindRow);
    QFETCH(QVariant, scope);

    FrameExtra frame(nullptr);
    frame.setOwner(datumWithExtras(), owner);
    {
        const CModalWatch kind = chooseKind(kindRow);
        const CModalWatch list = makeExtraList("А");
        frame.slotAdd();
    }
    QCOMPARE(rows(frame).value(0), "*transformlist|А");
    const QVariant stored = CTestDatabase::value("SELECT scope FROM transformlist WHERE name='А';");
    QCOMPARE(stored.isNull() ? QVariant() : QVariant(stored.toInt()), scope);
    QCOMPARE(CTestDatabase::value("SELECT owner_table FROM transformlist WHERE name='А';").toString(), owner);
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM transform WHERE name='T1';").toInt(), 1);
}

void TestFrameExtra::editAList()
{
    FrameExtra frame(nullptr);
    frame.setOwner(datumWithExtras(), "datum");
    selectRow(frame, 1);
    {
        const CModalWatch edited = whenModal<QDialog>([](QDialog* dialog) {
            dialog->findChild<FrameGeneralInfo*>()->setName("Я");
            dialog->findChild<FrameGeneralInfo*>()->setDescription("новое");
            dialog->findChild<QLineEdit*>("editID")->setText("ID");
            dialog->findChild<QPushButton*>("buttonSave")->click();
            if (dialog->isVisible())
                dialog->reject();
        });
        frame.slotEdit();
    }
    QCOMPARE(rows(frame), (QStringList{"transformlist|Б", "datumshift|Общее", "*transformlist|Я"}));
    QCOMPARE(frame.items().at(2).description, "новое");
}

void TestFrameExtra::exchangeOfWholeLists()
{
    const QTemporaryDir folder;
    const QString file = folder.filePath("список.xml");
    FrameExtra frame(nullptr);
    frame.setOwner(datumWithExtras(), "datum");
    const QStringList before = transformTablesDump();

    selectRow(frame, 2);
    frame.slotExport();
    QVERIFY(scriptedPrompt().fileRequests().isEmpty());
    selectRow(frame, 0);
    scriptedPrompt().answerFile(file);
    frame.slotExport();
    QVERIFY(readFile(file).contains("<!DOCTYPE transformlist>"));

    QTest::mouseClick(frame.findChild<QPushButton*>("buttonDelete"), Qt::LeftButton);
    scriptedPrompt().answerFile(file);
    frame.slotImport();
    QCOMPARE(rows(frame), (QStringList{"*transformlist|Б", "transformlist|Общее", "datumshift|Общее"}));
    QCOMPARE(transformTablesDump().size(), before.size());
    QVERIFY(scriptedPrompt().messages().isEmpty());
}

void TestFrameExtra::refusedImports_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    QTest::newRow("not XML") << QByteArray("points;1;2;3") << "не является документом XML";
    QTest::newRow("another record") << QByteArray("<!DOCTYPE transform><transform><Name>T</Name></transform>")
                                    << "нет наборов преобразований";
    // A list with a transform of the values given.
    const auto list = [](const QByteArray& values) {
        return "<transformlist><Name>L</Name><Scope>3</Scope><Identifier>B</Identifier><Transforms><Transform>"
               "<Name>T</Name><Type>2</Type><ParamValues>"
            + values + "</ParamValues></Transform></Transforms></transformlist>";
    };
    const QString param = QStringLiteral("Элемент «Transforms/Transform/ParamValues/Param");
    QTest::newRow("list with a value of a decimal comma")
        << list("<Param code=\"5\">1,5</Param><Param code=\"6\">2</Param>")
        << param + "[code=5, «B1»]»: «1,5» не является числом";
    QTest::newRow("list with a value left out") << list("<Param code=\"5\">1.5</Param>")
                                                << param + "[code=6, «B2»]»: значение не задано";
    QTest::newRow("list with a value given twice")
        << list("<Param code=\"5\">1.5</Param><Param code=\"6\">2</Param><Param code=\"5\">2.5</Param>")
        << param + "[code=5, «B1»]»: параметр задан повторно";
}

void TestFrameExtra::refusedImports()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);

    const QTemporaryDir folder;
    const QString file = folder.filePath("другое.xml");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
    out.close();
    FrameExtra frame(nullptr);
    frame.setOwner(datumWithExtras(), "datum");
    const QString before = counts();
    scriptedPrompt().answerFile(file);
    frame.slotImport();
    QCOMPARE(messages().size(), 1);
    QVERIFY2(messages().at(0).contains(message), qPrintable(messages().at(0)));
    QCOMPARE(counts(), before);
    QCOMPARE(frame.itemCount(), 3);
}

void TestFrameExtra::importIntoANewOwner()
{
    const QTemporaryDir folder;
    const QString file = folder.filePath("список.xml");
    const int datum = datumWithExtras();
    {
        FrameExtra stored(nullptr);
        stored.setOwner(datum, "datum");
        scriptedPrompt().answerFile(file);
        stored.slotExport();
    }
    FrameExtra frame(nullptr);
    frame.setOwner(NoValue, "datum");
    scriptedPrompt().answerFile(file);
    frame.slotImport();
    QCOMPARE(rows(frame), QStringList{"*transformlist|Б[1]"});
    const int other = insertDatum("Новый", 0, 0);
    QVERIFY(frame.reassignOwner(other));
    QCOMPARE(CTestDatabase::column("SELECT name FROM transformlist WHERE owner=?;", {other}), QVariantList{"Б[1]"});
}

void TestFrameExtra::reassignOwner()
{
    const int datum = datumWithExtras();
    FrameExtra frame(nullptr);
    frame.setOwner(datum, "datum");
    const QString stamps = "SELECT COUNT(*) FROM datumshift WHERE last_use IS NOT NULL;";
    QVERIFY(frame.reassignOwner(datum));
    QCOMPARE(CTestDatabase::value(stamps).toInt(), 0);

    const int other = insertDatum("Новый", 0, 0);
    QVERIFY(frame.reassignOwner(other));
    QCOMPARE(CTestDatabase::column("SELECT name FROM datumshift WHERE datum=?;", {other}), QVariantList{"Общее"});
    QCOMPARE(CTestDatabase::column(
                 "SELECT name FROM transformlist WHERE owner=? AND owner_table='datum' ORDER BY name;", {other}),
             (QVariantList{"Б", "Общее"}));
    QCOMPARE(CTestDatabase::value(stamps).toInt(), 1);
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM transformlist WHERE owner=?;", {datum}).toInt(), 1);
}

void TestFrameExtra::failedReassignWritesNothing()
{
    const int datum = datumWithExtras();
    FrameExtra frame(nullptr);
    frame.setOwner(datum, "datum");
    QVERIFY(failOn("datumshift", "UPDATE"));
    QVERIFY(!frame.reassignOwner(datum + 100));
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM transformlist WHERE owner=? AND owner_table='datum';", {datum})
                 .toInt(),
             2);
}

QTEST_MAIN(TestFrameExtra)
#include "test_frameextra.moc"
