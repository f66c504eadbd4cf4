#include "editorfixture.h"

#include "browser/editorregistry.h"
#include "browser/framegeneralinfo.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "editors/datum/dialoguniteditor.h"
#include "editors/datum/registerdatumeditors.h"
#include "records/unitdetails.h"

#include <QLabel>
#include <QTest>

namespace {

const QString factorWarning = "Коэффициенты пересчета должны быть положительными числами";

int unitRows(int tableId)
{
    return CTestDatabase::value(QString("SELECT COUNT(*) FROM %1;").arg(tableName(tableId))).toInt();
}

void fillUnit(DialogUnitEditor* dialog, const QString& name, const QString& factorB, const QString& factorC)
{
    setGeneralInfo(dialog, name, "ед", "описание");
    setText(dialog, "editBaseUnitValue", factorB);
    setText(dialog, "editThisUnitValue", factorC);
}

} // namespace

class TestDialogUnitEditor : public CEditorTestCase
{
    Q_OBJECT

private slots:
    void refusedSavesWriteNothing_data();
    void refusedSavesWriteNothing();
    void newUnitsOfEachKind_data();
    void newUnitsOfEachKind();
    void storedFactorsAreKeptInFull();
    void unitDeletedMeanwhileIsAWriteFailure();
    void keysOfTheDialog();
    void equationNamesTheUnit();
    void createAndEditRunInASavepoint();
    void eraseRefusedWhileUsed_data();
    void eraseRefusedWhileUsed();
    void eraseDeletesAFreeUnit();
    void readThenInsertAsCopy();
    void editorsAreRegistered();
};

void TestDialogUnitEditor::refusedSavesWriteNothing_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("factorB");
    QTest::addColumn<QString>("factorC");
    QTest::addColumn<QString>("message");

    QTest::newRow("no name") << 1 << " " << "1" << "1" << "Заполните название";
    QTest::newRow("name taken") << 1 << "Метр" << "1" << "1" << "Введенное название уже используется";
    QTest::newRow("no name before factor 0") << 2 << "" << "0" << "1" << "Заполните название";
    QTest::newRow("factor 0") << 1 << "Сажень" << "0" << "1" << factorWarning;
    QTest::newRow("empty factor") << 2 << "Град" << "" << "1" << factorWarning;
    QTest::newRow("minus only") << 3 << "ppm" << "-" << "1" << factorWarning;
    QTest::newRow("point only") << 1 << "Сажень" << "1" << "." << factorWarning;
    QTest::newRow("infinite") << 3 << "ppm" << "1" << "inf" << factorWarning;
}

void TestDialogUnitEditor::refusedSavesWriteNothing()
{
    QFETCH(int, tableId);
    QFETCH(QString, name);
    QFETCH(QString, factorB);
    QFETCH(QString, factorC);
    QFETCH(QString, message);
    insertUnit(TableUnitLength, "Метр", 1, 1);
    const int before = unitRows(tableId);

    DialogUnitEditor dialog(tableId, NoValue);
    fillUnit(&dialog, name, factorB, factorC);
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(messages(), QStringList(warning(message)));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.key(), int(NoValue));
    QCOMPARE(unitRows(tableId), before);
}

void TestDialogUnitEditor::newUnitsOfEachKind_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QVariant>("format");

    QTest::newRow("linear") << 1 << "м" << QVariant();
    QTest::newRow("angular") << 2 << "рад" << QVariant(1);
    QTest::newRow("scale") << 3 << "" << QVariant();
}

void TestDialogUnitEditor::newUnitsOfEachKind()
{
    QFETCH(int, tableId);
    QFETCH(QString, baseName);
    QFETCH(QVariant, format);

    DialogUnitEditor dialog(tableId, NoValue);
    QCOMPARE(dialog.findChild<QLabel*>("labelBaseUnitName")->text(), baseName);
    QCOMPARE(dialog.findChild<QWidget*>("groupboxAngularUnitFormat")->isVisibleTo(&dialog), tableId == 2);
    QVERIFY(!dialog.findChild<QWidget*>("frameExport")->isVisibleTo(&dialog));
    fillUnit(&dialog, "Д'Ед %1", "0.5", "2");
    exportCode(&dialog, 1)->setText("9001");
    QVERIFY(click(&dialog, "buttonSave"));
    QVERIFY(messages().isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    const QString table = tableName(tableId);
    const QVariantList row = CTestDatabase::column(
        QString("SELECT name || '|' || factor_b || '|' || typeof(factor_c) || '|' || epsg || '|' || favourite "
                "FROM %1 WHERE autokey=?;")
            .arg(table),
        {dialog.key()});
    QCOMPARE(row, QVariantList{"Д'Ед %1|0.5|real|9001|0"});
    const QVariant stored = CTestDatabase::value(QString("SELECT format FROM %1 WHERE autokey=?;").arg(table),
                                                 {dialog.key()});
    QCOMPARE(stored.isNull(), format.isNull());
    if (!format.isNull())
        QCOMPARE(stored.toInt(), format.toInt());
}

void TestDialogUnitEditor::storedFactorsAreKeptInFull()
{
    const double arcSecond = 4.84813681109536e-06;
    const double degree = 0.0174532925199433;
    const int angular = insertUnit(TableUnitAngle, "Секунда", arcSecond, 1, 2);
    const int linear = insertUnit(TableUnitLength, "Фут", 0.3048, 1);
    QVERIFY(CTestDatabase::exec("UPDATE unitangle SET factor_c=? WHERE autokey=?;", {degree, angular}));

    DialogUnitEditor angularDialog(TableUnitAngle, angular);
    QCOMPARE(lineEdit(&angularDialog, "editBaseUnitValue")->text(), QString("0.00000484813681109536"));
    QCOMPARE(lineEdit(&angularDialog, "editThisUnitValue")->text(), QString("0.0174532925199433"));
    QVERIFY(click(&angularDialog, "buttonSave"));
    DialogUnitEditor linearDialog(TableUnitLength, linear);
    QVERIFY(click(&linearDialog, "buttonSave"));
    QVERIFY(messages().isEmpty());

    QCOMPARE(CTestDatabase::value("SELECT factor_b = ? AND factor_c = ? AND format = 2 FROM unitangle WHERE autokey=?;",
                                  {arcSecond, degree, angular})
                 .toInt(),
             1);
    QVERIFY(CTestDatabase::value("SELECT format FROM unitlength WHERE autokey=?;", {linear}).isNull());
}

void TestDialogUnitEditor::unitDeletedMeanwhileIsAWriteFailure()
{
    const int key = insertUnit(TableUnitScale, "ppm", 1, 1000000);
    DialogUnitEditor dialog(TableUnitScale, key);
    QVERIFY(CTestDatabase::exec("DELETE FROM unitscale;"));
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(messages(), QStringList(warning("Ошибка записи в базу данных")));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(unitRows(TableUnitScale), 0);
}

void TestDialogUnitEditor::keysOfTheDialog()
{
    for (const int tableId : {int(TableUnitAngle), int(TableUnitLength)}) {
        DialogUnitEditor dialog(tableId, NoValue);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QLineEdit* base = lineEdit(&dialog, "editBaseUnitValue");
        QLineEdit* other = lineEdit(&dialog, "editThisUnitValue");
        base->setText("2");
        other->setText("1");
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        QTest::keyClick(other, Qt::Key_P, Qt::ControlModifier);
        base->setFocus();
        QTRY_VERIFY(base->hasFocus());
        QTest::keyClick(base, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(base->text(), QString("2"));
        QTest::keyClick(base, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(base->text(), tableId == TableUnitAngle ? QString("3.141592653589793") : QString("2"));
        QCOMPARE(other->text(), QString("1"));
        QTest::keyClick(base, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
    }
}

void TestDialogUnitEditor::equationNamesTheUnit()
{
    DialogUnitEditor dialog(TableUnitLength, NoValue);
    auto* frame = dialog.findChild<FrameGeneralInfo*>();
    auto* label = dialog.findChild<QLabel*>("labelThisUnitName");
    setGeneralInfo(&dialog, "Сажень", "саж");
    frame->slotShortNameEdited();
    QCOMPARE(label->text(), QString("саж"));
    setText(&dialog, "editShortName", "");
    frame->slotShortNameEdited();
    QCOMPARE(label->text(), QString("Сажень"));
}

void TestDialogUnitEditor::createAndEditRunInASavepoint()
{
    using Run = std::function<void(DialogUnitEditor*)>;
    const Run fill = [](DialogUnitEditor* dialog) { fillUnit(dialog, "Верста", "1066.8", "1"); };
    const std::function<int()> create = [] { return DialogUnitEditor::Create(TableUnitLength); };
    const int cancelled = runModal<DialogUnitEditor>(create, fill, "buttonCancel");
    QCOMPARE(cancelled, int(NoValue));
    QCOMPARE(unitRows(TableUnitLength), 0);

    const int key = runModal<DialogUnitEditor>(create, fill, "buttonSave");
    QVERIFY(key != NoValue);
    QVERIFY(!CTestDatabase::inTransaction());
    QCOMPARE(valueText("SELECT name FROM unitlength WHERE autokey=?;", {key}), QString("Верста"));

    const Run rename = [](DialogUnitEditor* dialog) { setText(dialog, "editName", "Версты"); };
    const std::function<bool()> edit = [key] { return DialogUnitEditor::Edit(TableUnitLength, key); };
    QVERIFY(!runModal<DialogUnitEditor>(edit, rename, "buttonCancel"));
    QCOMPARE(valueText("SELECT name FROM unitlength WHERE autokey=?;", {key}), QString("Верста"));
    QVERIFY(runModal<DialogUnitEditor>(edit, rename, "buttonSave"));
    QCOMPARE(valueText("SELECT name FROM unitlength WHERE autokey=?;", {key}), QString("Версты"));
}

void TestDialogUnitEditor::eraseRefusedWhileUsed_data()
{
    QTest::addColumn<int>("tableId");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QStringList>("dependents");

    QTest::newRow("linear")
        << 1
        << QStringList{"INSERT INTO ellipsoid (name, a, f, use_f, sphere, unit) VALUES ('Б', 6378245, 298.3, 1, 0, :unit);",
                       "INSERT INTO ellipsoid (name, a, f, use_f, sphere, unit) VALUES ('А', 6378245, 298.3, 1, 0, :unit);",
                       "INSERT INTO coordsys (name, type, height_unit) VALUES ('СК', 4, :unit);",
                       "INSERT INTO transform (name, type, transform_list, number) VALUES ('Сдвиг', 1, 1, 1);",
                       "INSERT INTO transformparamvalue (param, transform, value, unit) "
                       "VALUES (1, last_insert_rowid(), '5', :unit);"}
        << QStringList{"Система координат|СК", "Эллипсоид|А", "Эллипсоид|Б", "Преобразование|Сдвиг"};
    QTest::newRow("angular")
        << 2
        << QStringList{"INSERT INTO primemeridian (name, longitude, unit) VALUES ('Пулково', '30 19 42.09', :unit);",
                       "INSERT INTO mapproj (name, type, angle_unit) VALUES ('ТМ', 1, :unit);"}
        << QStringList{"Отсчетный меридиан|Пулково", "Картографическая проекция|ТМ"};
    QTest::newRow("scale") << 3
                           << QStringList{"INSERT INTO datumshift (name, scale_unit) VALUES ('Сдвиг', :unit);",
                                          "INSERT INTO coordsys (name, type, length_unit) VALUES ('СК', 4, :unit);"}
                           << QStringList{"Преобразование датума|Сдвиг"};
}

void TestDialogUnitEditor::eraseRefusedWhileUsed()
{
    QFETCH(int, tableId);
    QFETCH(QStringList, statements);
    QFETCH(QStringList, dependents);
    const int key = insertUnit(tableId, "Единица", 1, 1);
    for (const QString& statement : statements)
        QVERIFY2(CTestDatabase::exec(QString(statement).replace(":unit", QString::number(key))), qPrintable(statement));

    QStringList shown;
    const CModalWatch watch = captureDependencies(shown);
    QVERIFY(!DialogUnitEditor::Erase(tableId, key));
    QCOMPARE(shown, dependents);
    QCOMPARE(unitRows(tableId), 1);
}

void TestDialogUnitEditor::eraseDeletesAFreeUnit()
{
    const int used = insertUnit(TableUnitLength, "Метр", 1, 1);
    const int free = insertUnit(TableUnitLength, "Фут", 0.3048, 1);
    QVERIFY(CTestDatabase::exec("INSERT INTO ellipsoid (name, a, f, use_f, sphere, unit) VALUES ('Э', 1, 1, 1, 0, ?);",
                                {used}));
    QVERIFY(DialogUnitEditor::Erase(TableUnitLength, free));
    QCOMPARE(CTestDatabase::column("SELECT autokey FROM unitlength;"), QVariantList{used});
    QVERIFY(messages().isEmpty());
}

void TestDialogUnitEditor::readThenInsertAsCopy()
{
    const int key = insertUnit(TableUnitAngle, "Градус", 0.0174532925199433, 1, 2, "°");
    CUnitDetails unit;
    QVERIFY(DialogUnitEditor::ReadDetails(TableUnitAngle, key, unit));
    QVERIFY(unit.angleFormat);
    QCOMPARE(DialogUnitEditor::FindDetails(unit), key);
    QCOMPARE(DialogUnitEditor::InsertDetails(unit, false), key);
    const int copy = DialogUnitEditor::InsertDetails(unit, true);
    QVERIFY(copy != NoValue && copy != key);
    QCOMPARE(valueText("SELECT name || '|' || format FROM unitangle WHERE autokey=?;", {copy}), QString("Градус[1]|2"));
}

void TestDialogUnitEditor::editorsAreRegistered()
{
    EditorRegistry::clear();
    registerDatumEditors();
    for (const int tableId : {1, 2, 3, 11, 12}) {
        const CEditorOperations operations = EditorRegistry::get(tableId);
        QVERIFY(operations.create && operations.edit && operations.erase);
    }
    for (const int tableId : {4, 22}) {
        const CEditorOperations operations = EditorRegistry::get(tableId);
        QVERIFY(!operations.create && operations.edit && !operations.erase);
    }
}

QTEST_MAIN(TestDialogUnitEditor)
#include "test_dialoguniteditor.moc"
