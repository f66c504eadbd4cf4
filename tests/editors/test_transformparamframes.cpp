#include "guitest.h"
#include "transformfixture.h"

#include "editors/transform/frametransformparamsaffine2d.h"
#include "editors/transform/frametransformparamsshift2d.h"
#include "editors/transform/frametransformparamsshifth.h"
#include "browser/framedatabasepicker.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const char* const AffineEdits[] = {"editA11", "editA12", "editA21", "editA22", "editB1", "editB2"};
const QString Title = QStringLiteral("Предупреждение|");
const QString NotNumber = QStringLiteral("Значения параметров преобразования должны быть числами");

QLineEdit* edit(const QWidget& frame, const char* name)
{
    return frame.findChild<QLineEdit*>(name);
}

void click(const QWidget& frame, const char* button)
{
    frame.findChild<QPushButton*>(button)->click();
}

void type(const QWidget& frame, const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i)
        edit(frame, AffineEdits[i])->setText(texts.at(i));
}

QStringList texts(const QWidget& frame, int count)
{
    QStringList result;
    for (int i = 0; i < count; ++i)
        result.append(edit(frame, AffineEdits[i])->text());
    return result;
}

} // namespace

class TestTransformParamFrames : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void affineInverse_data();
    void affineInverse();
    void affineInverseRefused_data();
    void affineInverseRefused();
    void affineLoadDiscardAndIdentity();
    void affineSave();
    void shiftRevertAndSave();
    void heightShiftChecks_data();
    void heightShiftChecks();
    void heightShiftUnit();

private:
    CGuiTestEnvironment m_environment;
    CEditorTestSession m_session;
};

void TestTransformParamFrames::init()
{
    QVERIFY(m_session.start());
}

void TestTransformParamFrames::cleanup()
{
    QVERIFY(m_session.finish());
}

void TestTransformParamFrames::affineInverse_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("inverse");
    QTest::newRow("scale") << QStringList{"2", "0", "0", "4", "2", "4"}
                           << QStringList{"0.5", "0", "0", "0.25", "-1", "-1"};
    QTest::newRow("rotation") << QStringList{"0", "-1", "1", "0", "3", "5"}
                              << QStringList{"0", "1", "-1", "0", "-5", "3"};
    QTest::newRow("general") << QStringList{"1", "2", "3", "4", "1", "1"}
                             << QStringList{"-2", "1", "1.5", "-0.5", "1", "-1"};
    QTest::newRow("padded input") << QStringList{" 1 ", "0", "0", "1", "-7.25", " 0.5"}
                                  << QStringList{"1", "0", "0", "1", "7.25", "-0.5"};
}

void TestTransformParamFrames::affineInverse()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, inverse);
    FrameTransformParamsAffine2D frame;
    type(frame, typed);
    click(frame, "buttonRevert");
    QCOMPARE(texts(frame, 6), inverse);
    QVERIFY(m_session.prompt().messages().isEmpty());
}

void TestTransformParamFrames::affineInverseRefused_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("message");
    const QString singular = Title + "Матрица преобразования вырождена: обратного преобразования нет";
    QTest::newRow("zero matrix") << QStringList{"0", "0", "0", "0", "1", "1"} << singular;
    QTest::newRow("determinant 1e-11") << QStringList{"1e-11", "0", "0", "1", "0", "0"} << singular;
    QTest::newRow("decimal comma") << QStringList{"1,5", "0", "0", "1", "0", "0"}
                                   << Title + NotNumber;
    QTest::newRow("shift not a number") << QStringList{"1", "0", "0", "1", "x", "0"}
                                        << Title + NotNumber;
}

void TestTransformParamFrames::affineInverseRefused()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    FrameTransformParamsAffine2D frame;
    type(frame, typed);
    click(frame, "buttonRevert");
    QCOMPARE(texts(frame, 6), typed);
    QCOMPARE(m_session.prompt().messageTexts(), QStringList{message});
}

void TestTransformParamFrames::affineLoadDiscardAndIdentity()
{
    const int key = storeTransform(storeList("list"), "t", 1, {{1, "2"}, {2, "0.1"}, {3, "-0.1"}, {4, "2"}, {5, "100"}, {6, "200"},
                                       {7, "9"}, {5, "150"}});
    QVERIFY(key != NoValue);
    FrameTransformParamsAffine2D frame;
    QCOMPARE(frame.findChild<QLabel*>("labelMultiply")->text(), QString(QChar(0x00D7)));
    frame.load(key);
    const QStringList stored{"2", "0.1", "-0.1", "2", "150", "200"};
    QCOMPARE(texts(frame, 6), stored);

    click(frame, "buttonSetIdentic");
    QCOMPARE(texts(frame, 6), QStringList({"1", "0", "0", "1", "0", "0"}));
    click(frame, "buttonDiscardChanges");
    QCOMPARE(texts(frame, 6), stored);
    edit(frame, "editB1")->setText("typed");
    click(frame, "buttonDiscardChanges");
    QCOMPARE(texts(frame, 6), stored);

    frame.load(NoValue);
    QCOMPARE(texts(frame, 6), QStringList({"", "", "", "", "", ""}));
}

void TestTransformParamFrames::affineSave()
{
    FrameTransformParamsAffine2D frame;
    TransformParamEntries entries;
    putEntry(entries, 7, "left over");
    type(frame, {"1", "0", "0", "1", "5", " "});
    QVERIFY(!frame.save(entries));
    QVERIFY(entries.isEmpty());
    QCOMPARE(m_session.prompt().messageTexts(),
             QStringList{Title + "Необходимо задать значения всех параметров преобразования"});

    m_session.prompt().clear();
    edit(frame, "editB2")->setText("6,5");
    QVERIFY(!frame.save(entries));
    QVERIFY(entries.isEmpty());
    QCOMPARE(m_session.prompt().messageTexts(), QStringList{Title + NotNumber});

    edit(frame, "editB2")->setText(" 6.5 ");
    QVERIFY(frame.save(entries));
    QCOMPARE(entries.keys(), QList<int>({1, 2, 3, 4, 5, 6}));
    QCOMPARE(entries.value(6).value, QStringLiteral("6.5"));
    QCOMPARE(entries.value(6).paramCode, 6);
    for (const TransformParamEntry& entry : entries)
        QCOMPARE(entry.unit, int(NoValue));
}

void TestTransformParamFrames::shiftRevertAndSave()
{
    const int key = storeTransform(storeList("list"), "t", 2, {{5, "-5"}, {6, "12.5"}, {1, "3"}});
    QVERIFY(key != NoValue);
    FrameTransformParamsShift2D frame;
    frame.load(key);
    QCOMPARE(texts(frame, 0), QStringList());
    QCOMPARE(edit(frame, "editB1")->text(), QStringLiteral("-5"));
    QCOMPARE(edit(frame, "editB2")->text(), QStringLiteral("12.5"));
    QVERIFY(!frame.findChild<QLineEdit*>("editA11"));

    click(frame, "buttonRevert");
    QCOMPARE(edit(frame, "editB1")->text(), QStringLiteral("5"));
    QCOMPARE(edit(frame, "editB2")->text(), QStringLiteral("-12.5"));
    click(frame, "buttonRevert");
    QCOMPARE(edit(frame, "editB1")->text(), QStringLiteral("-5"));

    click(frame, "buttonSetIdentic");
    QCOMPARE(edit(frame, "editB1")->text(), QStringLiteral("0"));
    click(frame, "buttonDiscardChanges");
    QCOMPARE(edit(frame, "editB2")->text(), QStringLiteral("12.5"));

    edit(frame, "editB1")->clear();
    click(frame, "buttonRevert");
    QCOMPARE(edit(frame, "editB1")->text(), QStringLiteral("-"));

    TransformParamEntries entries;
    edit(frame, "editB2")->clear();
    QVERIFY(!frame.save(entries));
    QCOMPARE(m_session.prompt().messageTexts(),
             QStringList{Title + "Необходимо задать значения всех параметров преобразования"});
    edit(frame, "editB2")->setText("1");
    QVERIFY(!frame.save(entries));
    QCOMPARE(m_session.prompt().messageTexts().last(), Title + NotNumber);
    edit(frame, "editB1")->setText("-2.5");
    QVERIFY(frame.save(entries));
    QCOMPARE(entries.keys(), QList<int>({5, 6}));
    QCOMPARE(entries.value(5).value, QStringLiteral("-2.5"));
}

void TestTransformParamFrames::heightShiftChecks_data()
{
    QTest::addColumn<QString>("shift");
    QTest::addColumn<bool>("withUnit");
    QTest::addColumn<bool>("clearedInSelector");
    QTest::addColumn<QString>("message");
    const QString noUnit = QStringLiteral("Необходимо задать единицу измерения смещения по высоте");
    QTest::newRow("no unit") << "1.5" << false << false << noUnit;
    QTest::newRow("unit cleared in its selector") << "1.5" << true << true << noUnit;
    QTest::newRow("empty shift first") << " " << false << false << "Необходимо задать смещение по высоте";
    QTest::newRow("sign only") << "-" << true << false << NotNumber;
    QTest::newRow("complete") << "-0.25" << true << false << "";
}

void TestTransformParamFrames::heightShiftChecks()
{
    QFETCH(QString, shift);
    QFETCH(bool, withUnit);
    QFETCH(bool, clearedInSelector);
    QFETCH(QString, message);
    QVERIFY(CTestDatabase::exec("INSERT INTO unitlength (name, short_name, factor_b, factor_c) VALUES ('Метр', 'м', 1, 1);"));
    const int unit = CTestDatabase::value("SELECT max(autokey) FROM unitlength;").toInt();
    FrameTransformParamsShiftH frame;
    frame.load(NoValue);
    QCOMPARE(edit(frame, "editShift")->text(), QStringLiteral("0"));
    QCOMPARE(frame.findChild<QLabel*>("labelUnit")->text(), QString());
    edit(frame, "editShift")->setText(shift);
    if (withUnit) {
        auto* picker = frame.findChild<FrameDatabasePicker*>();
        QVERIFY(picker->setKey(unit));
        emit picker->picked(unit);
        if (clearedInSelector)
            emit picker->cleared();
    }
    TransformParamEntries entries;
    QCOMPARE(frame.save(entries), message.isEmpty());
    QCOMPARE(m_session.prompt().messageTexts(), message.isEmpty() ? QStringList() : QStringList{Title + message});
    if (message.isEmpty()) {
        QCOMPARE(entries.keys(), QList<int>{7});
        QCOMPARE(entries.value(7).value, shift);
        QCOMPARE(entries.value(7).unit, unit);
    } else {
        QVERIFY(entries.isEmpty());
    }
}

void TestTransformParamFrames::heightShiftUnit()
{
    QVERIFY(CTestDatabase::exec("INSERT INTO unitlength (name, short_name, factor_b, factor_c) VALUES ('Метр', 'м', 1, 1);"));
    QVERIFY(CTestDatabase::exec("INSERT INTO unitlength (name, factor_b, factor_c) VALUES ('Фут', 0.3048, 1);"));
    const int metre = CTestDatabase::value("SELECT min(autokey) FROM unitlength;").toInt();
    const int foot = CTestDatabase::value("SELECT max(autokey) FROM unitlength;").toInt();
    const int list = storeList("list");
    const int withUnit = storeTransform(list, "with unit", 3, {{7, "-5"}, {5, "1"}});
    const int withoutUnit = storeTransform(list, "without unit", 3, {{7, "2"}});
    QVERIFY(CTestDatabase::exec("UPDATE transformparamvalue SET unit = ? WHERE transform = ?;", {metre, withUnit}));
    QVERIFY(CTestDatabase::exec("UPDATE transformparamvalue SET unit = 0 WHERE transform = ?;", {withoutUnit}));

    FrameTransformParamsShiftH frame;
    auto* label = frame.findChild<QLabel*>("labelUnit");
    auto* picker = frame.findChild<FrameDatabasePicker*>();
    QVERIFY(picker->parentWidget() == &frame);
    frame.load(withUnit);
    QCOMPARE(edit(frame, "editShift")->text(), QStringLiteral("-5"));
    QCOMPARE(label->text(), QStringLiteral("м"));
    click(frame, "buttonRevert");
    QCOMPARE(edit(frame, "editShift")->text(), QStringLiteral("5"));
    QVERIFY(picker->setKey(foot));
    emit picker->picked(foot);
    QCOMPARE(label->text(), QStringLiteral("Фут"));
    click(frame, "buttonSetIdentic");
    QCOMPARE(edit(frame, "editShift")->text(), QStringLiteral("0"));
    QCOMPARE(label->text(), QStringLiteral("Фут"));
    click(frame, "buttonDiscardChanges");
    QCOMPARE(edit(frame, "editShift")->text(), QStringLiteral("-5"));
    QCOMPARE(label->text(), QStringLiteral("м"));
    QCOMPARE(picker->key(), metre);

    frame.load(withoutUnit);
    QCOMPARE(edit(frame, "editShift")->text(), QStringLiteral("2"));
    QCOMPARE(label->text(), QString());
    TransformParamEntries entries;
    QVERIFY(!frame.save(entries));
    QCOMPARE(m_session.prompt().messageTexts(), QStringList{Title + "Необходимо задать единицу измерения смещения по высоте"});
}

QTEST_MAIN(TestTransformParamFrames)
#include "test_transformparamframes.moc"
