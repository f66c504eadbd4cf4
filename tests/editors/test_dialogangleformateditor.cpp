#include "editorfixture.h"

#include "editors/datum/dialogangleformateditor.h"
#include "database/novalue.h"
#include "records/angleformatdetails.h"

#include <QDateTime>
#include <QTest>

class TestDialogAngleFormatEditor : public CEditorTestCase
{
    Q_OBJECT

private slots:
    void loadsAndSavesTexts();
    void defaultsChangeOnlyTheInputs();
    void refusedSavesWriteNothing_data();
    void refusedSavesWriteNothing();
    void insertReusesTheStoredCode();
};

void TestDialogAngleFormatEditor::loadsAndSavesTexts()
{
    DialogAngleFormatEditor dialog(2);
    QCOMPARE(lineEdit(&dialog, "editName")->text(), QString("Градусы-минуты-секунды"));
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    setGeneralInfo(&dialog, "ГМС 'в' %1", "гмс", "описание");
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(messages().isEmpty());

    CAngleFormatDetails stored;
    QVERIFY(DialogAngleFormatEditor::ReadDetails(2, stored));
    QCOMPARE(stored.name, QString("ГМС 'в' %1"));
    QCOMPARE(stored.shortName, QString("гмс"));
    QCOMPARE(stored.description, QString("описание"));
    QVERIFY(CTestDatabase::value("SELECT last_use FROM unitangleformat WHERE code=2;").toLongLong() >= before);
}

void TestDialogAngleFormatEditor::defaultsChangeOnlyTheInputs()
{
    QVERIFY(CTestDatabase::exec("UPDATE unitangleformat SET name='Свой', short_name='с', description='' WHERE code=2;"));
    DialogAngleFormatEditor dialog(2);
    QVERIFY(click(&dialog, "buttonDefaults"));
    QCOMPARE(lineEdit(&dialog, "editName")->text(), QString("Градусы-минуты-секунды"));
    QVERIFY(lineEdit(&dialog, "editShortName")->text().isEmpty());
    QVERIFY(click(&dialog, "buttonCancel"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(valueText("SELECT name || '/' || short_name FROM unitangleformat WHERE code=2;"), QString("Свой/с"));
}

void TestDialogAngleFormatEditor::refusedSavesWriteNothing_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty name") << 1 << " " << "Заполните название";
    QTest::newRow("name of another format") << 1 << "Градусы-минуты-секунды" << "Введенное название уже используется";
    QTest::newRow("code without a row") << 7 << "Новый" << "Ошибка записи в базу данных";
}

void TestDialogAngleFormatEditor::refusedSavesWriteNothing()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QFETCH(QString, message);
    const QVariantList before = CTestDatabase::column("SELECT name || last_use FROM unitangleformat ORDER BY code;");
    DialogAngleFormatEditor dialog(code);
    setGeneralInfo(&dialog, name);
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(messages(), QStringList(warning(message)));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(CTestDatabase::column("SELECT name || last_use FROM unitangleformat ORDER BY code;"), before);
}

void TestDialogAngleFormatEditor::insertReusesTheStoredCode()
{
    CAngleFormatDetails format;
    QVERIFY(DialogAngleFormatEditor::ReadDetails(3, format));
    QCOMPARE(DialogAngleFormatEditor::FindDetails(format), 3);
    format.description = "другое описание";
    QCOMPARE(DialogAngleFormatEditor::FindDetails(format), 3);
    format.name = "другое название";
    QCOMPARE(DialogAngleFormatEditor::FindDetails(format), int(NoValue));
    QCOMPARE(DialogAngleFormatEditor::InsertDetails(format), 3);
    format.code = 9;
    QCOMPARE(DialogAngleFormatEditor::InsertDetails(format), int(NoValue));
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM unitangleformat;").toInt(), 3);
}

QTEST_MAIN(TestDialogAngleFormatEditor)
#include "test_dialogangleformateditor.moc"
