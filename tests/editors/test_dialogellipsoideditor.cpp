#include "editorfixture.h"

#include "browser/framedatabasepicker.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "editors/datum/dialogellipsoideditor.h"
#include "editors/datum/dialoguniteditor.h"
#include "records/ellipsoiddetails.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>

namespace {

const QString minorAxisWarning = "Длина малой полуоси должна быть больше нуля, но меньше длины большой полуоси";

int ellipsoidRows()
{
    return CTestDatabase::value("SELECT COUNT(*) FROM ellipsoid;").toInt();
}

void pickUnit(QWidget* dialog, int key)
{
    auto* picker = dialog->findChild<FrameDatabasePicker*>();
    picker->setKey(key);
    emit picker->picked(key);
}

void choose(QWidget* dialog, const QString& radio)
{
    dialog->findChild<QRadioButton*>(radio)->setChecked(true);
}

// The stored figure as "a|b|f|use_f|sphere", NULL shown as "-".
QString storedFigure(int key)
{
    return valueText("SELECT ifnull(a, '-') || '|' || ifnull(b, '-') || '|' || ifnull(f, '-') || '|' || use_f || '|' "
                     "|| sphere FROM ellipsoid WHERE autokey=?;",
                     {key});
}

} // namespace

class TestDialogEllipsoidEditor : public CEditorTestCase
{
    Q_OBJECT

private slots:
    void refusedSavesWriteNothing_data();
    void refusedSavesWriteNothing();
    void figuresAreStoredAsNumbers_data();
    void figuresAreStoredAsNumbers();
    void newRecordState();
    void loadShowsTheStoredFigure();
    void unitDeletedInThePickerIsNotKept();
    void cancelledCreateUndoesTheUnitMadeMeanwhile();
    void createEditAndErase();
    void readThenInsertAsCopy();

private:
    void prepare() override;

    int m_metre = 0;
};

void TestDialogEllipsoidEditor::prepare()
{
    m_metre = insertUnit(TableUnitLength, "Метр", 1, 1, QVariant(), "м");
}

void TestDialogEllipsoidEditor::refusedSavesWriteNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("f");
    QTest::addColumn<bool>("withUnit");
    QTest::addColumn<QString>("message");

    const QString noA = "Необходимо задать положительное значение длины большой полуоси";
    const QString noF = "Необходимо задать положительное значение обратного сжатия";
    QTest::newRow("no name") << "" << "radioSphere" << "" << "" << "" << false << "Заполните название";
    QTest::newRow("no a") << "Э" << "radioSphere" << "" << "" << "" << true << noA;
    QTest::newRow("a is a point") << "Э" << "radioSphere" << "." << "" << "" << true << noA;
    QTest::newRow("a is 0") << "Э" << "radioInverseFlattening" << "0" << "" << "298.3" << true << noA;
    QTest::newRow("no f") << "Э" << "radioInverseFlattening" << "6378245" << "6356863" << "" << true << noF;
    QTest::newRow("f is minus") << "Э" << "radioInverseFlattening" << "6378245" << "" << "-" << true << noF;
    QTest::newRow("b above a") << "Э" << "radioMinorSemiAxis" << "6378245" << "6378246" << "" << true
                               << minorAxisWarning;
    QTest::newRow("b is 0") << "Э" << "radioMinorSemiAxis" << "6378245" << "0" << "298.3" << true << minorAxisWarning;
    QTest::newRow("no b") << "Э" << "radioMinorSemiAxis" << "6378245" << "" << "298.3" << true << minorAxisWarning;
    QTest::newRow("no unit") << "Э" << "radioInverseFlattening" << "6378245" << "" << "298.3" << false
                             << "Необходимо задать единицу измерения длины полуосей эллипсоида";
}

void TestDialogEllipsoidEditor::refusedSavesWriteNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, radio);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, f);
    QFETCH(bool, withUnit);
    QFETCH(QString, message);

    DialogEllipsoidEditor dialog(NoValue);
    setGeneralInfo(&dialog, name);
    choose(&dialog, radio);
    setText(&dialog, "editMajorSemiAxis", a);
    setText(&dialog, "editMinorSemiAxis", b);
    setText(&dialog, "editInverseFlattening", f);
    if (withUnit)
        pickUnit(&dialog, m_metre);
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(messages(), QStringList(warning(message)));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(ellipsoidRows(), 0);
}

void TestDialogEllipsoidEditor::figuresAreStoredAsNumbers_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("f");
    QTest::addColumn<QString>("stored");

    QTest::newRow("sphere, empty fields") << "radioSphere" << "" << "" << "6371000.0|-|-|0|1";
    QTest::newRow("sphere, texts left") << "radioSphere" << "6356863.5" << "-" << "6371000.0|6356863.5|-|0|1";
    QTest::newRow("b equal to a") << "radioMinorSemiAxis" << "6371000" << "" << "6371000.0|6371000.0|-|0|0";
    QTest::newRow("inverse flattening") << "radioInverseFlattening" << "" << "298.3" << "6371000.0|-|298.3|1|0";
}

void TestDialogEllipsoidEditor::figuresAreStoredAsNumbers()
{
    QFETCH(QString, radio);
    QFETCH(QString, b);
    QFETCH(QString, f);
    QFETCH(QString, stored);

    DialogEllipsoidEditor dialog(NoValue);
    setGeneralInfo(&dialog, "Сфера");
    choose(&dialog, radio);
    setText(&dialog, "editMajorSemiAxis", "6371000");
    setText(&dialog, "editMinorSemiAxis", b);
    setText(&dialog, "editInverseFlattening", f);
    pickUnit(&dialog, m_metre);
    QVERIFY(click(&dialog, "buttonSave"));
    QVERIFY(messages().isEmpty());
    QCOMPARE(storedFigure(dialog.key()), stored);
    QCOMPARE(valueText("SELECT typeof(a) || favourite FROM ellipsoid WHERE autokey=?;", {dialog.key()}),
             QString("real0"));
}

void TestDialogEllipsoidEditor::newRecordState()
{
    DialogEllipsoidEditor dialog(NoValue);
    QVERIFY(dialog.findChild<QRadioButton*>("radioInverseFlattening")->isChecked());
    QVERIFY(!lineEdit(&dialog, "editMinorSemiAxis")->isEnabled());
    QVERIFY(lineEdit(&dialog, "editInverseFlattening")->isEnabled());
    QVERIFY(dialog.findChild<QLabel*>("labelLinearUnitAbbrA")->text().isEmpty());
    QVERIFY(dialog.findChild<QLabel*>("labelLinearUnitAbbrB")->text().isEmpty());
    QVERIFY(!dialog.findChild<QWidget*>("frameExport")->isVisibleTo(&dialog));
    choose(&dialog, "radioSphere");
    QVERIFY(!lineEdit(&dialog, "editInverseFlattening")->isEnabled());
    pickUnit(&dialog, m_metre);
    QCOMPARE(dialog.findChild<QLabel*>("labelLinearUnitAbbrA")->text(), QString("м"));
}

void TestDialogEllipsoidEditor::loadShowsTheStoredFigure()
{
    QVERIFY(CTestDatabase::exec("INSERT INTO ellipsoid (name, a, b, f, use_f, sphere, unit, mapinfo) "
                                "VALUES ('Красовский', 6378245.0, 0, 298.30, 0, 0, ?, 3);",
                                {m_metre}));
    const int key = CTestDatabase::value("SELECT MAX(autokey) FROM ellipsoid;").toInt();
    DialogEllipsoidEditor dialog(key);
    QCOMPARE(lineEdit(&dialog, "editMajorSemiAxis")->text(), QString("6378245"));
    QVERIFY(lineEdit(&dialog, "editMinorSemiAxis")->text().isEmpty());
    QCOMPARE(lineEdit(&dialog, "editInverseFlattening")->text(), QString("298.3"));
    QVERIFY(dialog.findChild<QRadioButton*>("radioMinorSemiAxis")->isChecked());
    QVERIFY(lineEdit(&dialog, "editMinorSemiAxis")->isEnabled());
    QCOMPARE(dialog.findChild<QLabel*>("labelLinearUnitAbbrB")->text(), QString("м"));
    QVERIFY(dialog.findChild<QWidget*>("frameExport")->isVisibleTo(&dialog));
    QCOMPARE(exportCode(&dialog, 2)->text(), QString("3"));
}

void TestDialogEllipsoidEditor::unitDeletedInThePickerIsNotKept()
{
    DialogEllipsoidEditor dialog(NoValue);
    setGeneralInfo(&dialog, "Э");
    choose(&dialog, "radioSphere");
    setText(&dialog, "editMajorSemiAxis", "1");
    pickUnit(&dialog, m_metre);
    auto* picker = dialog.findChild<FrameDatabasePicker*>();
    picker->clear();
    emit picker->cleared();
    QVERIFY(dialog.findChild<QLabel*>("labelLinearUnitAbbrA")->text().isEmpty());
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(messages(), QStringList(warning("Необходимо задать единицу измерения длины полуосей эллипсоида")));
    QCOMPARE(ellipsoidRows(), 0);
}

void TestDialogEllipsoidEditor::cancelledCreateUndoesTheUnitMadeMeanwhile()
{
    const int unitsBefore = CTestDatabase::value("SELECT COUNT(*) FROM unitlength;").toInt();
    int unitMade = NoValue;
    const CModalWatch watch = whenModal<DialogEllipsoidEditor>([&unitMade](DialogEllipsoidEditor* dialog) {
        setGeneralInfo(dialog, "Кларк 1866");
        const CModalWatch unitWatch = whenModal<DialogUnitEditor>([](DialogUnitEditor* unitDialog) {
            setGeneralInfo(unitDialog, "Фут Кларка");
            setText(unitDialog, "editBaseUnitValue", "0.3047972654");
            setText(unitDialog, "editThisUnitValue", "1");
            click(unitDialog, "buttonSave");
        });
        unitMade = DialogUnitEditor::Create(TableUnitLength);
        pickUnit(dialog, unitMade);
        click(dialog, "buttonCancel");
    });
    QCOMPARE(DialogEllipsoidEditor::Create(), int(NoValue));
    QVERIFY(unitMade != NoValue);
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM unitlength;").toInt(), unitsBefore);
    QCOMPARE(ellipsoidRows(), 0);
}

void TestDialogEllipsoidEditor::createEditAndErase()
{
    const std::function<int()> create = [] { return DialogEllipsoidEditor::Create(); };
    const std::function<void(DialogEllipsoidEditor*)> fill = [this](DialogEllipsoidEditor* dialog) {
        setGeneralInfo(dialog, "WGS 84");
        setText(dialog, "editMajorSemiAxis", "6378137");
        setText(dialog, "editInverseFlattening", "298.257223563");
        pickUnit(dialog, m_metre);
    };
    QCOMPARE(runModal<DialogEllipsoidEditor>(create, fill, "buttonCancel"), int(NoValue));
    QCOMPARE(ellipsoidRows(), 0);
    const int key = runModal<DialogEllipsoidEditor>(create, fill, "buttonSave");
    QVERIFY(key != NoValue);

    const std::function<bool()> edit = [key] { return DialogEllipsoidEditor::Edit(key); };
    const std::function<void(DialogEllipsoidEditor*)> toSphere = [](DialogEllipsoidEditor* dialog) {
        choose(dialog, "radioSphere");
    };
    QVERIFY(runModal<DialogEllipsoidEditor>(edit, toSphere, "buttonSave"));
    QCOMPARE(storedFigure(key), QString("6378137.0|-|298.257223563|0|1"));

    QVERIFY(CTestDatabase::exec("INSERT INTO coordsys (name, type, ellipsoid) VALUES ('Геоцентрическая', 3, ?);", {key}));
    QVERIFY(CTestDatabase::exec("INSERT INTO datum (name, ellipsoid) VALUES ('WGS 84 (Б)', ?);", {key}));
    QVERIFY(CTestDatabase::exec("INSERT INTO datum (name, ellipsoid) VALUES ('WGS 84 (А)', ?);", {key}));
    QStringList shown;
    const CModalWatch watch = captureDependencies(shown);
    QVERIFY(!DialogEllipsoidEditor::Erase(key));
    QCOMPARE(shown, QStringList({"Датум|WGS 84 (А)", "Датум|WGS 84 (Б)", "Система координат|Геоцентрическая"}));
    QVERIFY(CTestDatabase::exec("DELETE FROM coordsys;") && CTestDatabase::exec("DELETE FROM datum;"));
    QVERIFY(DialogEllipsoidEditor::Erase(key));
    QCOMPARE(ellipsoidRows(), 0);
}

void TestDialogEllipsoidEditor::readThenInsertAsCopy()
{
    QVERIFY(CTestDatabase::exec("INSERT INTO ellipsoid (name, a, f, use_f, sphere, unit) "
                                "VALUES ('Бессель', 6377397.155, 299.1528128, 1, 0, ?);",
                                {m_metre}));
    const int key = CTestDatabase::value("SELECT MAX(autokey) FROM ellipsoid;").toInt();
    CEllipsoidDetails ellipsoid;
    QVERIFY(DialogEllipsoidEditor::ReadDetails(key, ellipsoid));
    QCOMPARE(DialogEllipsoidEditor::FindDetails(ellipsoid), key);
    QCOMPARE(DialogEllipsoidEditor::InsertDetails(ellipsoid, false), key);
    const int copy = DialogEllipsoidEditor::InsertDetails(ellipsoid, true);
    QCOMPARE(valueText("SELECT name || '|' || unit || '|' || ifnull(favourite, 'NULL') FROM ellipsoid WHERE autokey=?;",
                       {copy}),
             QString("Бессель[1]|%1|NULL").arg(m_metre));

    ellipsoid.unit->scope = 2;
    QCOMPARE(DialogEllipsoidEditor::InsertDetails(ellipsoid, true), int(NoValue));
    QCOMPARE(ellipsoidRows(), 2);
}

QTEST_MAIN(TestDialogEllipsoidEditor)
#include "test_dialogellipsoideditor.moc"
