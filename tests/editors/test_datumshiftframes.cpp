#include "datumshiftfixture.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/framedatabasepicker.h"
#include "database/novalue.h"
#include "editors/datum/framedatumshifthelmert.h"
#include "editors/datum/framedatumshiftmolodensky.h"
#include "editors/datum/framedatumshiftmolodenskybadekas.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

const QString kShifts = QStringLiteral("Предупреждение|Необходимо задать смещения по всем осям координат");
const QString kRotations = QStringLiteral("Предупреждение|Необходимо задать углы поворота вокруг всех осей координат");
const QString kScale = QStringLiteral("Предупреждение|Необходимо задать поправку масштаба");
const QString kPivot = QStringLiteral("Предупреждение|Необходимо задать координаты центра поворота");
const QString kLengthUnit = QStringLiteral("Предупреждение|Необходимо задать единицу измерения смещений");
const QString kPivotUnit =
    QStringLiteral("Предупреждение|Необходимо задать единицу измерения координат центра поворота и смещений");
const QString kAngleUnit = QStringLiteral("Предупреждение|Необходимо задать единицу измерения углов поворота");
const QString kScaleUnit = QStringLiteral("Предупреждение|Необходимо задать единицу измерения поправки масштаба");

const QVariantMap kSevenTexts{{"editShiftX", " 23.570 "}, {"editShiftY", "-140.95"}, {"editShiftZ", "-79.8"},
                              {"editRotX", "0"},          {"editRotY", "-0.35"},     {"editRotZ", "0.79"},
                              {"editScale", "-0.22"}};

// The warning for a rotation that the angular unit cannot read.
QString rotationMisfit(const QString& rotation, const QString& unit)
{
    return QStringLiteral("Предупреждение|Угол поворота «%1» не соответствует единице измерения «%2»").arg(rotation, unit);
}

// The warning for a rotation in a unit whose angle format is read in no text.
QString rotationInUnreadFormat(const QString& rotation, const QString& unit)
{
    return QStringLiteral("Предупреждение|Угол поворота «%1»: углы в формате «Градусы-минуты-секунды-полушарие» не "
                          "читаются, выберите вместо «%2» другую единицу измерения")
        .arg(rotation, unit);
}

QVariantMap withPivot(QVariantMap texts)
{
    texts.insert({{"editPivotX", "2800000"}, {"editPivotY", "2200000"}, {"editPivotZ", "5300000"}});
    return texts;
}

QVariantMap without(QVariantMap texts, const QString& name, const QString& replacement = QString())
{
    texts[name] = replacement;
    return texts;
}

// The record a frame gives as one text, so that rows of a table compare the three kinds.
QString paramsText(const FrameDatumShiftMolodensky::Params& p)
{
    return QStringList{p.tx, p.ty, p.tz, QString::number(p.lengthUnit)}.join(';');
}

QString paramsText(const FrameDatumShiftHelmert::Params& p)
{
    return QStringList{p.tx, p.ty, p.tz, p.rx, p.ry, p.rz, p.dm, QString::number(p.lengthUnit),
                       QString::number(p.angleUnit), QString::number(p.scaleUnit), QString::number(p.exact)}
        .join(';');
}

QString paramsText(const FrameDatumShiftMolodenskyBadekas::Params& p)
{
    return QStringList{p.px, p.py, p.pz, p.tx, p.ty, p.tz, p.rx, p.ry, p.rz, p.dm, QString::number(p.lengthUnit),
                       QString::number(p.angleUnit), QString::number(p.scaleUnit), QString::number(p.exact)}
        .join(';');
}

// Asks a frame of the kind for its record: the record as text, empty when refused.
template <class Frame>
QString gather(Frame& frame)
{
    typename Frame::Params params;
    params.tx = "left over";
    const bool given = frame.getParams(params);
    const QString text = paramsText(params);
    typename Frame::Params cleared;
    return given ? text : (text == paramsText(cleared) ? QString() : QStringLiteral("not cleared"));
}

} // namespace

class TestDatumShiftFrames : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void molodensky_data();
    void molodensky();
    void helmert_data();
    void helmert();
    void molodenskyBadekas_data();
    void molodenskyBadekas();
    void loadShowsTheStoredShift();
    void loadOfAnotherTypeTakesOnlyItsColumns();
    void rotationsFollowTheAngleFormat_data();
    void rotationsFollowTheAngleFormat();
    void rotationsTypedBeforeTheUnitAreKept_data();
    void rotationsTypedBeforeTheUnitAreKept();
    void unitKeyWithoutRecordStaysChosen();
    void unitClearedInItsSelectorIsDropped_data();
    void unitClearedInItsSelectorIsDropped();

private:
    // The keys of metre, second and ppm as a record text gives them.
    QString unitKeys() const;

    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    CShiftUnits m_units;
};

void TestDatumShiftFrames::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    m_units = insertShiftUnits();
    QVERIFY(m_units.ppm != 0);
}

void TestDatumShiftFrames::cleanup()
{
    m_prompt.reset();
    m_database.reset();
}

QString TestDatumShiftFrames::unitKeys() const
{
    return QStringLiteral("%1;%2;%3").arg(m_units.metre).arg(m_units.second).arg(m_units.ppm);
}

void TestDatumShiftFrames::molodensky_data()
{
    QTest::addColumn<QVariantMap>("texts");
    QTest::addColumn<bool>("unit");
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("message");
    const QVariantMap texts{{"editTx", " 23.57 "}, {"editTy", "-140.950"}, {"editTz", "0"}};
    QTest::newRow("given") << texts << true << "23.57;-140.950;0;{metre}" << QString();
    QTest::newRow("nothing") << QVariantMap() << true << QString() << kShifts;
    QTest::newRow("blank z") << without(texts, "editTz", "  ") << true << QString() << kShifts;
    QTest::newRow("a lone sign") << without(texts, "editTx", "-") << true << QString() << kShifts;
    QTest::newRow("a lone point") << without(texts, "editTy", ".") << true << QString() << kShifts;
    QTest::newRow("no unit") << texts << false << QString() << kLengthUnit;
}

void TestDatumShiftFrames::molodensky()
{
    QFETCH(QVariantMap, texts);
    QFETCH(bool, unit);
    QFETCH(QString, params);
    QFETCH(QString, message);
    FrameDatumShiftMolodensky frame;
    frame.load(NoValue);
    typeInto(&frame, texts);
    if (unit)
        pickIn(&frame, 0, m_units.metre);
    QCOMPARE(gather(frame), params.replace("{metre}", QString::number(m_units.metre)));
    QCOMPARE(m_prompt->messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(frame.findChild<QLabel*>("labelLinearUnitTz")->text(), unit ? QStringLiteral("м") : QString());
}

void TestDatumShiftFrames::helmert_data()
{
    QTest::addColumn<QVariantMap>("texts");
    QTest::addColumn<int>("units");
    QTest::addColumn<bool>("nonlinear");
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("message");
    const QString units = QStringLiteral("{units}");
    QTest::newRow("given") << kSevenTexts << 3 << false
                           << "23.570;-140.95;-79.8;0;-0.35;0.79;-0.22;" + units + ";0" << QString();
    QTest::newRow("non-linear") << kSevenTexts << 3 << true
                                << "23.570;-140.95;-79.8;0;-0.35;0.79;-0.22;" + units + ";1" << QString();
    QTest::newRow("no x") << without(kSevenTexts, "editShiftX") << 3 << false << QString() << kShifts;
    QTest::newRow("no z rotation") << without(kSevenTexts, "editRotZ") << 3 << false << QString() << kRotations;
    QTest::newRow("a lone sign as rotation") << without(kSevenTexts, "editRotX", "-") << 3 << false << QString()
                                             << rotationMisfit("-", "Секунда");
    QTest::newRow("a lone sign as rotation, no angular unit")
        << without(kSevenTexts, "editRotX", "-") << 1 << false << QString() << kAngleUnit;
    QTest::newRow("no scale") << without(kSevenTexts, "editScale") << 3 << false << QString() << kScale;
    QTest::newRow("no unit") << kSevenTexts << 0 << false << QString() << kLengthUnit;
    QTest::newRow("no angular unit") << kSevenTexts << 1 << false << QString() << kAngleUnit;
    QTest::newRow("no scale unit") << kSevenTexts << 2 << false << QString() << kScaleUnit;
}

void TestDatumShiftFrames::helmert()
{
    QFETCH(QVariantMap, texts);
    QFETCH(int, units);
    QFETCH(bool, nonlinear);
    QFETCH(QString, params);
    QFETCH(QString, message);
    FrameDatumShiftHelmert frame;
    frame.load(NoValue);
    typeInto(&frame, texts);
    const int keys[] = {m_units.metre, m_units.second, m_units.ppm};
    for (int picker = 0; picker < units; ++picker)
        pickIn(&frame, picker, keys[picker]);
    frame.findChild<QCheckBox*>("checkboxNonlinear")->setChecked(nonlinear);
    QCOMPARE(gather(frame), params.replace("{units}", unitKeys()));
    QCOMPARE(m_prompt->messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
}

void TestDatumShiftFrames::molodenskyBadekas_data()
{
    QTest::addColumn<QVariantMap>("texts");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("params");
    QTest::addColumn<QString>("message");
    const QString units = QStringLiteral("{units}");
    const QVariantMap texts = withPivot(kSevenTexts);
    QTest::newRow("given") << texts << 3
                           << "2800000;2200000;5300000;23.570;-140.95;-79.8;0;-0.35;0.79;-0.22;" + units + ";0"
                           << QString();
    QTest::newRow("nothing") << QVariantMap() << 3 << QString() << kShifts;
    QTest::newRow("no scale") << without(texts, "editScale") << 3 << QString() << kScale;
    QTest::newRow("no pivot y") << without(texts, "editPivotY") << 3 << QString() << kPivot;
    QTest::newRow("no unit") << texts << 0 << QString() << kPivotUnit;
    QTest::newRow("no angular unit") << texts << 1 << QString() << kAngleUnit;
    QTest::newRow("no scale unit") << texts << 2 << QString() << kScaleUnit;
}

void TestDatumShiftFrames::molodenskyBadekas()
{
    QFETCH(QVariantMap, texts);
    QFETCH(int, units);
    QFETCH(QString, params);
    QFETCH(QString, message);
    FrameDatumShiftMolodenskyBadekas frame;
    frame.load(NoValue);
    QVERIFY(frame.findChild<QWidget*>("groupboxReverse")->isHidden());
    typeInto(&frame, texts);
    const int keys[] = {m_units.metre, m_units.second, m_units.ppm};
    for (int picker = 0; picker < units; ++picker)
        pickIn(&frame, picker, keys[picker]);
    QCOMPARE(gather(frame), params.replace("{units}", unitKeys()));
    QCOMPARE(m_prompt->messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (units == 3)
        QCOMPARE(frame.findChild<QLabel*>("labelUnitPivotZ")->text(), QStringLiteral("м"));
}

void TestDatumShiftFrames::loadShowsTheStoredShift()
{
    const int key = insertShift({{"name", "s"}, {"type", 5}, {"tx", 23.5}, {"ty", -1}, {"tz", 0.25},
                                 {"rx", 1e-07}, {"ry", 0}, {"rz", 0.5}, {"dm", -2.5e-06}, {"px", 100}, {"py", 200},
                                 {"pz", 300}, {"exact", 1}, {"length_unit", m_units.metre},
                                 {"angle_unit", m_units.second}, {"scale_unit", m_units.ppm}});
    QVERIFY(key != 0);
    const QString units = unitKeys();

    FrameDatumShiftMolodenskyBadekas badekas;
    badekas.load(key);
    QCOMPARE(lineEdit(&badekas, "editRotX")->text(), QStringLiteral("0.0000001"));
    QCOMPARE(badekas.findChild<QLabel*>("labelUnitRotY")->text(), QStringLiteral("\""));
    QCOMPARE(badekas.findChild<QLabel*>("labelUnitScale")->text(), QStringLiteral("ppm"));
    QCOMPARE(gather(badekas), "100;200;300;23.5;-1;0.25;0.0000001;0;0.5;-0.0000025;" + units + ";1");

    FrameDatumShiftHelmert helmert;
    helmert.load(key);
    QVERIFY(helmert.findChild<QCheckBox*>("checkboxNonlinear")->isChecked());
    QCOMPARE(gather(helmert), "23.5;-1;0.25;0.0000001;0;0.5;-0.0000025;" + units + ";1");

    QVERIFY(CTestDatabase::exec("UPDATE datumshift SET exact = NULL WHERE autokey = ?;", {key}));
    badekas.load(key);
    QVERIFY(badekas.findChild<QRadioButton*>("radioReverseStandard")->isChecked());
    helmert.load(NoValue);
    QVERIFY(lineEdit(&helmert, "editShiftX")->text().isEmpty());
    QVERIFY(!helmert.findChild<QCheckBox*>("checkboxNonlinear")->isChecked());
    QVERIFY(m_prompt->messages().isEmpty());
}

// A Molodensky row has no rotations, scale or their units: the seven-parameter frame asks for them.
void TestDatumShiftFrames::loadOfAnotherTypeTakesOnlyItsColumns()
{
    const int key = insertShift({{"name", "s"}, {"type", 1}, {"tx", 1}, {"ty", 2}, {"tz", 3},
                                 {"length_unit", m_units.metre}});
    FrameDatumShiftHelmert helmert;
    helmert.load(key);
    typeInto(&helmert, {{"editRotX", "1"}, {"editRotY", "2"}, {"editRotZ", "3"}, {"editScale", "4"}});
    QCOMPARE(gather(helmert), QString());
    QCOMPARE(m_prompt->messageTexts(), QStringList{kAngleUnit});

    FrameDatumShiftMolodensky molodensky;
    molodensky.load(key);
    QCOMPARE(gather(molodensky), QStringLiteral("1;2;3;%1").arg(m_units.metre));
}

void TestDatumShiftFrames::rotationsFollowTheAngleFormat_data()
{
    QTest::addColumn<bool>("dms");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("fraction, decimal unit") << false << "0.5" << "0.5";
    QTest::newRow("fraction, degrees-minutes-seconds") << true << "0.5" << "0.5";
    QTest::newRow("whole, degrees-minutes-seconds") << true << "12" << "12";
    QTest::newRow("tiny, decimal unit") << false << "0.000000000001" << "0.000000000001";
}

void TestDatumShiftFrames::rotationsFollowTheAngleFormat()
{
    QFETCH(bool, dms);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    const int key = insertShift({{"name", "s"}, {"type", 2}, {"rx", stored.toDouble()},
                                 {"angle_unit", dms ? m_units.dmsDegree : m_units.second}});
    FrameDatumShiftHelmert frame;
    frame.load(key);
    QCOMPARE(lineEdit(&frame, "editRotX")->text(), shown);
    if (dms) {
        lineEdit(&frame, "editRotY")->setText("12 30 15.5");
        QVERIFY(lineEdit(&frame, "editRotY")->hasAcceptableInput());
    }
}

void TestDatumShiftFrames::rotationsTypedBeforeTheUnitAreKept_data()
{
    QTest::addColumn<QString>("rotation");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("message");
    QTest::newRow("number, seconds") << "-0.35" << "Секунда" << QString();
    QTest::newRow("number, degrees-minutes-seconds") << "-0.35" << "Градус ГМС" << QString();
    QTest::newRow("degrees-minutes-seconds, in that unit") << "-0 00 00.35" << "Градус ГМС" << QString();
    QTest::newRow("degrees-minutes-seconds, in seconds")
        << "-0 00 00.35" << "Секунда" << rotationMisfit("-0 00 00.35", "Секунда");
    QTest::newRow("number, unit without format") << "-0.35" << "секунда" << QString();
    QTest::newRow("degrees-minutes-seconds, unit without format")
        << "-0 00 00.35" << "секунда" << rotationMisfit("-0 00 00.35", "секунда");
    QTest::newRow("number, hemisphere format")
        << "30" << "Градус ГМСП" << rotationInUnreadFormat("30", "Градус ГМСП");
    QTest::newRow("in the hemisphere format's pattern")
        << "30 15 20N" << "Градус ГМСП" << rotationInUnreadFormat("30 15 20N", "Градус ГМСП");
}

// The three rotations keep their texts when the angular unit is picked; what is stored is
// checked as the save checks it.
void TestDatumShiftFrames::rotationsTypedBeforeTheUnitAreKept()
{
    QFETCH(QString, rotation);
    QFETCH(QString, unit);
    QFETCH(QString, message);
    QVERIFY(CTestDatabase::exec("INSERT INTO unitangle (name, factor_b, factor_c) VALUES ('секунда', 1, 206264.8);"));
    QVERIFY(CTestDatabase::exec("INSERT INTO unitangle (name, factor_b, factor_c, format) "
                                "VALUES ('Градус ГМСП', 3.14159265358979, 180, 3);"));
    const int angleUnit = CTestDatabase::value("SELECT autokey FROM unitangle WHERE name = ?;", {unit}).toInt();
    FrameDatumShiftHelmert frame;
    frame.load(NoValue);
    typeInto(&frame, kSevenTexts);
    for (const QString name : {"editRotX", "editRotY", "editRotZ"})
        lineEdit(&frame, name)->setText(rotation);
    pickIn(&frame, 0, m_units.metre);
    pickIn(&frame, 1, angleUnit);
    pickIn(&frame, 2, m_units.ppm);
    for (const QString name : {"editRotX", "editRotY", "editRotZ"})
        QCOMPARE(lineEdit(&frame, name)->text(), rotation);
    const QString expected = QStringList{"23.570", "-140.95", "-79.8", rotation, rotation, rotation, "-0.22",
                                         QString::number(m_units.metre), QString::number(angleUnit),
                                         QString::number(m_units.ppm), "0"}
                                 .join(';');
    QCOMPARE(gather(frame), message.isEmpty() ? expected : QString());
    QCOMPARE(m_prompt->messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
}

// A key whose unit cannot be read clears the picker, yet the key is handed on.
void TestDatumShiftFrames::unitKeyWithoutRecordStaysChosen()
{
    const int key = insertShift({{"name", "s"}, {"type", 1}, {"tx", 1}, {"ty", 2}, {"tz", 3}, {"length_unit", 999}});
    FrameDatumShiftMolodensky frame;
    frame.load(key);
    QVERIFY(frame.findChild<QLabel*>("labelLinearUnitTx")->text().isEmpty());
    QCOMPARE(gather(frame), QStringLiteral("1;2;3;999"));
}

void TestDatumShiftFrames::unitClearedInItsSelectorIsDropped_data()
{
    QTest::addColumn<bool>("molodensky");
    QTest::addColumn<int>("picker");
    QTest::addColumn<QString>("message");
    QTest::newRow("molodensky length") << true << 0 << kLengthUnit;
    QTest::newRow("length") << false << 0 << kLengthUnit;
    QTest::newRow("angle") << false << 1 << kAngleUnit;
    QTest::newRow("scale") << false << 2 << kScaleUnit;
}

// The held unit was deleted in the picker's selector, which then reports it cleared.
void TestDatumShiftFrames::unitClearedInItsSelectorIsDropped()
{
    QFETCH(bool, molodensky);
    QFETCH(int, picker);
    QFETCH(QString, message);
    FrameDatumShiftMolodensky molodenskyFrame;
    FrameDatumShiftHelmert helmertFrame;
    QWidget* frame = molodensky ? static_cast<QWidget*>(&molodenskyFrame) : &helmertFrame;
    typeInto(frame, molodensky ? QVariantMap{{"editTx", "1"}, {"editTy", "2"}, {"editTz", "3"}} : kSevenTexts);
    const int keys[] = {m_units.metre, m_units.second, m_units.ppm};
    for (int each = 0; each < (molodensky ? 1 : 3); ++each)
        pickIn(frame, each, keys[each]);
    emit frame->findChildren<FrameDatabasePicker*>().at(picker)->cleared();
    QCOMPARE(molodensky ? gather(molodenskyFrame) : gather(helmertFrame), QString());
    QCOMPARE(m_prompt->messageTexts(), QStringList{message});
}

QTEST_MAIN(TestDatumShiftFrames)
#include "test_datumshiftframes.moc"
