#include "guitest.h"
#include "transformfixture.h"

#include "browser/framedatabasepicker.h"
#include "browser/framegeneralinfo.h"
#include "database/novalue.h"
#include "editors/transform/dialogtransformeditor.h"
#include "editors/transform/frametransformparamsaffine2d.h"
#include "editors/transform/frametransformparamsshift2d.h"
#include "editors/transform/frametransformparamsshifth.h"
#include "records/transformparamdetails.h"
#include "records/transformtypedetails.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

namespace {

void pickType(const DialogTransformEditor& dialog, int code)
{
    auto* picker = dialog.findChild<FrameDatabasePicker*>();
    QVERIFY(picker->setKey(code));
    emit picker->picked(code);
}

void setText(const QWidget& parent, const char* name, const QString& text)
{
    parent.findChild<QLineEdit*>(name)->setText(text);
}

void setName(const DialogTransformEditor& dialog, const QString& name)
{
    dialog.findChild<FrameGeneralInfo*>()->setName(name);
}

void save(DialogTransformEditor& dialog)
{
    dialog.findChild<QPushButton*>("buttonSave")->click();
}

// The visible parameter frames by class name.
QStringList visibleFrames(const DialogTransformEditor& dialog)
{
    QStringList frames;
    if (dialog.findChild<FrameTransformParamsAffine2D*>()->isVisibleTo(&dialog))
        frames.append("affine");
    if (dialog.findChild<FrameTransformParamsShift2D*>()->isVisibleTo(&dialog))
        frames.append("shift");
    if (dialog.findChild<FrameTransformParamsShiftH*>()->isVisibleTo(&dialog))
        frames.append("height");
    return frames;
}

// "param=value/unit" of the transform's stored values in code order.
QStringList storedValues(int key)
{
    QStringList values;
    QSqlQuery query;
    query.prepare("SELECT param, value, unit FROM transformparamvalue WHERE transform = ? ORDER BY param;");
    query.addBindValue(key);
    query.exec();
    while (query.next())
        values.append(QString("%1=%2/%3").arg(query.value(0).toString(), query.value(1).toString(),
                                               query.value(2).isNull() ? "NULL" : query.value(2).toString()));
    return values;
}

const QString Warning = QStringLiteral("Предупреждение|");

} // namespace

class TestDialogTransformEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newAffineTransform();
    void frameFollowsTheType();
    void refusedSavesWriteNothing_data();
    void refusedSavesWriteNothing();
    void typeChangeKeepsOnlyTheNewValues();
    void updateKeepsThePlace();
    void onlyATypeInsertFailureIsWarned();

private:
    CGuiTestEnvironment m_environment;
    CEditorTestSession m_session;
};

void TestDialogTransformEditor::init()
{
    QVERIFY(m_session.start());
}

void TestDialogTransformEditor::cleanup()
{
    QVERIFY(m_session.finish());
}

void TestDialogTransformEditor::newAffineTransform()
{
    const int list = storeAffineList("list", 2);
    DialogTransformEditor dialog(NoValue);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Преобразование"));
    QCOMPARE(visibleFrames(dialog), QStringList());
    dialog.setPlace(list, 3);
    setName(dialog, "It's 100% \"%1\"");
    pickType(dialog, 1);
    for (const char* edit : {"editA11", "editA12", "editA21", "editA22", "editB1", "editB2"})
        setText(dialog, edit, "2");
    save(dialog);
    QVERIFY(m_session.prompt().messages().isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.key() != NoValue);
    QCOMPARE(transformNames(list), QStringList({"T1", "T2", "It's 100% \"%1\""}));
    QCOMPARE(CTestDatabase::value("SELECT type FROM transform WHERE autokey = ?;", {dialog.key()}).toInt(), 1);
    QCOMPARE(storedValues(dialog.key()),
             QStringList({"1=2/NULL", "2=2/NULL", "3=2/NULL", "4=2/NULL", "5=2/NULL", "6=2/NULL"}));
}

void TestDialogTransformEditor::frameFollowsTheType()
{
    DialogTransformEditor dialog(NoValue);
    pickType(dialog, 3);
    QCOMPARE(visibleFrames(dialog), QStringList{"height"});
    QCOMPARE(dialog.findChild<QLineEdit*>("editShift")->text(), QStringLiteral("0"));
    pickType(dialog, 2);
    QCOMPARE(visibleFrames(dialog), QStringList{"shift"});
    pickType(dialog, 1);
    QCOMPARE(visibleFrames(dialog), QStringList{"affine"});
}

void TestDialogTransformEditor::refusedSavesWriteNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("message");
    QTest::newRow("no type") << "new" << 0 << "Необходимо указать тип преобразования";
    QTest::newRow("no name") << "" << 2 << "Заполните название";
    QTest::newRow("name taken") << "T1" << 2 << "Введенное название уже используется";
    QTest::newRow("values missing") << "new" << 1 << "Необходимо задать значения всех параметров преобразования";
}

void TestDialogTransformEditor::refusedSavesWriteNothing()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(QString, message);
    const int list = storeAffineList("list", 1);
    const QStringList before = transformTablesDump();
    DialogTransformEditor dialog(NoValue);
    dialog.setPlace(list, 2);
    setName(dialog, name);
    if (type != 0)
        pickType(dialog, type);
    setText(dialog, "editB1", "1");
    setText(dialog, "editB2", "2");
    save(dialog);
    QCOMPARE(m_session.prompt().messageTexts(), QStringList{Warning + message});
    QCOMPARE(transformTablesDump(), before);
    QCOMPARE(dialog.key(), int(NoValue));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestDialogTransformEditor::typeChangeKeepsOnlyTheNewValues()
{
    QVERIFY(storeAffineList("list", 2) != NoValue);
    const int key = CTestDatabase::value("SELECT autokey FROM transform WHERE name = 'T2';").toInt();
    DialogTransformEditor dialog(key);
    QCOMPARE(visibleFrames(dialog), QStringList{"affine"});
    QCOMPARE(dialog.findChild<FrameTransformParamsAffine2D*>()->findChild<QLineEdit*>("editB1")->text(),
             QStringLiteral("2"));
    pickType(dialog, 2);
    QCOMPARE(visibleFrames(dialog), QStringList{"shift"});
    auto* shift = dialog.findChild<FrameTransformParamsShift2D*>();
    QCOMPARE(shift->findChild<QLineEdit*>("editB2")->text(), QStringLiteral("-2"));
    setText(*shift, "editB1", "7.5");
    save(dialog);
    QVERIFY(m_session.prompt().messages().isEmpty());
    QCOMPARE(dialog.key(), key);
    QCOMPARE(CTestDatabase::value("SELECT type FROM transform WHERE autokey = ?;", {key}).toInt(), 2);
    QCOMPARE(storedValues(key), QStringList({"5=7.5/NULL", "6=-2/NULL"}));
    QCOMPARE(storedValues(key - 1).size(), 6);
}

void TestDialogTransformEditor::updateKeepsThePlace()
{
    QVERIFY(CTestDatabase::exec("INSERT INTO unitlength (name, factor_b, factor_c) VALUES ('Метр', 1, 1);"));
    const int unit = CTestDatabase::value("SELECT max(autokey) FROM unitlength;").toInt();
    const int list = storeAffineList("list", 3);
    const int key = storeTransform(list, "height", 3, {{7, "4"}});
    QVERIFY(CTestDatabase::exec("UPDATE transformparamvalue SET unit = ? WHERE transform = ?;", {unit, key}));
    DialogTransformEditor dialog(key);
    QCOMPARE(visibleFrames(dialog), QStringList{"height"});
    dialog.findChild<FrameGeneralInfo*>()->setDescription("raised");
    setText(dialog, "editShift", "-4.5");
    dialog.setPlace(list, 1);
    save(dialog);
    QVERIFY(m_session.prompt().messages().isEmpty());
    QCOMPARE(transformNames(list), QStringList({"T1", "T2", "T3", "height"}));
    QCOMPARE(CTestDatabase::value("SELECT description FROM transform WHERE autokey = ?;", {key}).toString(),
             QStringLiteral("raised"));
    QVERIFY(CTestDatabase::value("SELECT last_use FROM transform WHERE autokey = ?;", {key}).toLongLong() > 0);
    QCOMPARE(storedValues(key), QStringList{QString("7=-4.5/%1").arg(unit)});
}

void TestDialogTransformEditor::onlyATypeInsertFailureIsWarned()
{
    CTransformTypeDetails type;
    QVERIFY(DialogTransformEditor::ReadTypeDetails(3, type));
    type.name = "другое имя";
    QCOMPARE(DialogTransformEditor::FindTypeDetails(type), 3);
    QCOMPARE(DialogTransformEditor::InsertTypeDetails(type), 3);
    CTransformParamDetails param;
    QVERIFY(DialogTransformEditor::ReadParamDetails(7, param));
    QCOMPARE(DialogTransformEditor::InsertParamDetails(param), 7);
    QVERIFY(m_session.prompt().messages().isEmpty());

    type.code = 9;
    param.code = 99;
    QCOMPARE(DialogTransformEditor::FindTypeDetails(type), int(NoValue));
    QCOMPARE(DialogTransformEditor::FindParamDetails(param), int(NoValue));
    QVERIFY(!DialogTransformEditor::ReadParamDetails(99, param));
    QCOMPARE(param.code, 99);
    QCOMPARE(DialogTransformEditor::InsertParamDetails(param), int(NoValue));
    QVERIFY(m_session.prompt().messages().isEmpty());
    QCOMPARE(DialogTransformEditor::InsertTypeDetails(type), int(NoValue));
    QCOMPARE(m_session.prompt().messageTexts(),
             QStringList{Warning + "Недопустимый код 9 в таблице «Типы преобразований»"});
    QCOMPARE(CTestDatabase::value("SELECT count(*) FROM transformtype WHERE code = 9;").toInt(), 0);
}

QTEST_MAIN(TestDialogTransformEditor)
#include "test_dialogtransformeditor.moc"
