#include "coordsysfixture.h"
#include "editorfixture.h"
#include "guitest.h"
#include "scriptedprompt.h"
#include "testdatabase.h"

#include "browser/framedatabasepicker.h"
#include "database/codetablestypes.h"
#include "database/tablecatalogue.h"
#include "editors/coordsys/framecoordsysgeocentric.h"
#include "editors/coordsys/framecoordsysgeodetic.h"
#include "editors/coordsys/framecoordsyslocalcartesian.h"
#include "editors/coordsys/framecoordsysprojected.h"
#include "editors/coordsys/framecoordsystopocentric.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

QString text(const QWidget& frame, const QString& edit)
{
    return frame.findChild<QLineEdit*>(edit)->text();
}

void setText(const QWidget& frame, const QString& edit, const QString& value)
{
    frame.findChild<QLineEdit*>(edit)->setText(value);
}

bool isChecked(const QWidget& frame, const QString& button)
{
    return frame.findChild<QAbstractButton*>(button)->isChecked();
}

void check(const QWidget& frame, const QString& button, bool checked = true)
{
    frame.findChild<QAbstractButton*>(button)->setChecked(checked);
}

bool pickEnabled(const QWidget& frame, int tableId, int nth = 0)
{
    return pickerOf(&frame, tableId, nth)->isPickEnabled();
}

} // namespace

class TestCoordSysFrames : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newSystemForms();
    void geodeticRowInEllipsoidModeWithHeightSystem();
    void geodeticModeSwitchKeepsBothKeys();
    void geodeticSymbolShortcuts();
    void geocentricDatumIsOptional();
    void localCartesianOrientation();
    void projectedRowShowsItsOwnSymbols();
    void projectionPickKeepsTypedSymbols();
    void projectedFirstMissingInputs();
    void topocentricLoadsAndForgetsARecord();
    void topocentricChecksInOrder();
    void topocentricTextsReadInTheirUnits_data();
    void topocentricTextsReadInTheirUnits();
    void goneRecordIsRefusedAtSave_data();
    void goneRecordIsRefusedAtSave();

private:
    CGuiTestEnvironment m_environment;
    std::unique_ptr<CTestDatabase> m_database;
    std::unique_ptr<CScriptedPrompt> m_prompt;
    CCoordSysWorld m_world;
};

void TestCoordSysFrames::init()
{
    m_database = std::make_unique<CTestDatabase>();
    QVERIFY(m_database->isOpen());
    m_prompt = std::make_unique<CScriptedPrompt>();
    m_world = storeCoordSysWorld();
    QVERIFY(m_world.heightSystem != NoValue);
}

void TestCoordSysFrames::cleanup()
{
    QVERIFY(!CTestDatabase::inTransaction());
    m_prompt.reset();
    m_database.reset();
}

void TestCoordSysFrames::newSystemForms()
{
    QWidget dialog;
    FrameCoordSysGeodetic geodetic(&dialog);
    geodetic.load(NoValue);
    QVERIFY(isChecked(geodetic, "radioDatum"));
    QVERIFY(pickEnabled(geodetic, TableDatum));
    QVERIFY(!pickEnabled(geodetic, TableEllipsoid));
    QCOMPARE(text(geodetic, "editLatSymbol") + text(geodetic, "editLonSymbol") + text(geodetic, "editHeightSymbol"),
             QStringLiteral("φλh"));
    QVERIFY(!isChecked(geodetic, "checkboxVerticalCoordSys"));
    QVERIFY(!pickEnabled(geodetic, TableVertCoordSys));

    FrameCoordSysGeocentric geocentric(&dialog);
    geocentric.load(NoValue);
    QVERIFY(isChecked(geocentric, "checkboxUseDatum"));
    QVERIFY(pickEnabled(geocentric, TableDatum));
    QCOMPARE(text(geocentric, "editAxisXName") + text(geocentric, "editAxisYName") + text(geocentric, "editAxisZName"),
             QStringLiteral("XYZ"));

    FrameCoordSysLocalCartesian local(&dialog);
    local.load(NoValue);
    QVERIFY(isChecked(local, "radioRight"));
    QCOMPARE(text(local, "editAxisXName") + text(local, "editAxisYName") + text(local, "editAxisZName"),
             QStringLiteral("xyz"));

    FrameCoordSysProjected projected(&dialog);
    projected.load(NoValue);
    QVERIFY(isChecked(projected, "radioDatum"));
    QVERIFY(!pickEnabled(projected, TableEllipsoid));
    QCOMPARE(text(projected, "editPlaneCoord1Symbol") + text(projected, "editPlaneCoord2Symbol"), QString());
    QCOMPARE(text(projected, "editHeightSymbol"), QStringLiteral("H"));
    QVERIFY(!pickEnabled(projected, TableVertCoordSys));

    FrameCoordSysTopocentric topocentric(&dialog);
    topocentric.load(NoValue);
    QVERIFY(isChecked(topocentric, "radioDatum"));
    QVERIFY(pickEnabled(topocentric, TableDatum));
    QVERIFY(!pickEnabled(topocentric, TableEllipsoid));
    QVERIFY(isChecked(topocentric, "radioAxesOrientationRight"));
    QCOMPARE(text(topocentric, "editCoord1Symbol") + text(topocentric, "editCoord2Symbol")
                 + text(topocentric, "editCoord3Symbol"),
             QStringLiteral("xyz"));

    for (FrameDatabasePicker* picker : dialog.findChildren<FrameDatabasePicker*>())
        QCOMPARE(picker->key(), NoValue);
}

void TestCoordSysFrames::geodeticRowInEllipsoidModeWithHeightSystem()
{
    const int key = insertCoordSysRow({{"name", "Геодезическая"}, {"type", 4}, {"datum", 0},
                                       {"ellipsoid", m_world.ellipsoid}, {"prime_meridian", m_world.greenwich},
                                       {"vert_coordsys", m_world.heightSystem}, {"positive_longitude", 1},
                                       {"angle_unit", m_world.decimalDegree}, {"height_unit", m_world.metre},
                                       {"coord1_abbr", " B "}, {"coord2_abbr", ""}, {"coord3_abbr", "H"}});
    FrameCoordSysGeodetic frame(nullptr);
    frame.load(key);
    QVERIFY(isChecked(frame, "radioEllipsoid"));
    QVERIFY(!pickEnabled(frame, TableDatum));
    QVERIFY(pickEnabled(frame, TableEllipsoid));
    QVERIFY(isChecked(frame, "checkboxVerticalCoordSys"));
    QVERIFY(pickEnabled(frame, TableVertCoordSys));

    FrameCoordSysGeodetic::Params params;
    QVERIFY(frame.validate(params));
    QCOMPARE(params.datum, NoValue);
    QCOMPARE(params.ellipsoid, m_world.ellipsoid);
    QCOMPARE(params.vertCoordSys, m_world.heightSystem);
    QVERIFY(params.positiveLongitude);
    QCOMPARE(params.coord1Abbr, QStringLiteral("B"));
    QCOMPARE(params.coord2Abbr, QString());

    check(frame, "checkboxVerticalCoordSys", false);
    QVERIFY(frame.validate(params));
    QCOMPARE(params.vertCoordSys, NoValue);
    QVERIFY(m_prompt->messages().isEmpty());
}

void TestCoordSysFrames::geodeticModeSwitchKeepsBothKeys()
{
    FrameCoordSysGeodetic frame(nullptr);
    FrameCoordSysGeodetic::Params params;
    QVERIFY(!frame.validate(params));
    QCOMPARE(m_prompt->messageTexts(),
             QStringList{"Предупреждение|Необходимо задать единицу измерения широты и долготы"});
    QCOMPARE(params.angleUnit, NoValue);

    pickRecord(&frame, TableUnitAngle, m_world.decimalDegree);
    pickRecord(&frame, TableUnitLength, m_world.metre);
    pickRecord(&frame, TablePrimeMeridian, m_world.greenwich);
    pickRecord(&frame, TableDatum, m_world.datum);
    check(frame, "radioEllipsoid");
    QVERIFY(!frame.validate(params));
    QCOMPARE(m_prompt->messageTexts().last(), QStringLiteral("Предупреждение|Необходимо задать эллипсоид"));
    QCOMPARE(params.primeMeridian, NoValue);

    pickRecord(&frame, TableEllipsoid, m_world.ellipsoid);
    QVERIFY(frame.validate(params));
    QCOMPARE(params.datum, NoValue);
    QCOMPARE(params.ellipsoid, m_world.ellipsoid);
    check(frame, "radioDatum");
    QVERIFY(frame.validate(params));
    QCOMPARE(params.datum, m_world.datum);
    QCOMPARE(params.ellipsoid, NoValue);
}

void TestCoordSysFrames::geodeticSymbolShortcuts()
{
    FrameCoordSysGeodetic frame(nullptr);
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    auto* latitude = frame.findChild<QLineEdit*>("editLatSymbol");
    auto* longitude = frame.findChild<QLineEdit*>("editLonSymbol");
    latitude->setText("B");
    longitude->setText("L");

    longitude->setFocus();
    QTRY_VERIFY(longitude->hasFocus());
    QTest::keyClick(longitude, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(longitude, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(latitude->text() + longitude->text(), QStringLiteral("BL"));
    QTest::keyClick(longitude, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(longitude->text(), QStringLiteral("λ"));

    latitude->setFocus();
    QTRY_VERIFY(latitude->hasFocus());
    QTest::keyClick(latitude, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(latitude->text(), QStringLiteral("φ"));
    QTest::keyClicks(latitude, "x");
    QCOMPARE(latitude->text(), QStringLiteral("φx"));
}

void TestCoordSysFrames::geocentricDatumIsOptional()
{
    const int key = insertCoordSysRow({{"name", "Геоцентрическая"}, {"type", 3}, {"datum", QVariant()},
                                       {"prime_meridian", m_world.greenwich}, {"length_unit", m_world.metre},
                                       {"coord1_abbr", "X"}, {"coord2_abbr", "Y"}, {"coord3_abbr", "Z"}});
    FrameCoordSysGeocentric frame(nullptr);
    frame.load(key);
    QVERIFY(!isChecked(frame, "checkboxUseDatum"));
    QVERIFY(!pickEnabled(frame, TableDatum));
    FrameCoordSysGeocentric::Params params;
    QVERIFY(frame.validate(params));
    QCOMPARE(params.datum, NoValue);
    QCOMPARE(params.lengthUnit, m_world.metre);

    check(frame, "checkboxUseDatum");
    QVERIFY(pickEnabled(frame, TableDatum));
    QVERIFY(!frame.validate(params));
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Предупреждение|Необходимо задать датум"});
    pickRecord(&frame, TableDatum, m_world.datum);
    check(frame, "checkboxUseDatum", false);
    QVERIFY(frame.validate(params));
    QCOMPARE(params.datum, NoValue);
    check(frame, "checkboxUseDatum");
    QVERIFY(frame.validate(params));
    QCOMPARE(params.datum, m_world.datum);
}

void TestCoordSysFrames::localCartesianOrientation()
{
    const int left = insertCoordSysRow({{"name", "Левая"}, {"type", 1}, {"swap_coords", 1},
                                        {"length_unit", m_world.metre}, {"coord1_abbr", " n "}});
    const int right = insertCoordSysRow({{"name", "Правая"}, {"type", 1}, {"length_unit", m_world.metre}});
    FrameCoordSysLocalCartesian frame(nullptr);
    FrameCoordSysLocalCartesian::Params params;
    frame.load(left);
    QVERIFY(isChecked(frame, "radioLeft"));
    QVERIFY(frame.validate(params));
    QVERIFY(params.swapCoords);
    QCOMPARE(params.coord1Abbr, QStringLiteral("n"));
    QCOMPARE(params.coord2Abbr, QString());
    frame.load(right);
    QVERIFY(isChecked(frame, "radioRight"));
    QVERIFY(frame.validate(params));
    QVERIFY(!params.swapCoords);

    frame.load(NoValue);
    QVERIFY(!frame.validate(params));
    QCOMPARE(m_prompt->messageTexts(), QStringList{"Предупреждение|Необходимо задать единицу измерения координат"});
    QCOMPARE(params.coord1Abbr, QString());
}

void TestCoordSysFrames::projectedRowShowsItsOwnSymbols()
{
    const int key = insertCoordSysRow({{"name", "Проекция"}, {"type", 5}, {"ellipsoid", m_world.ellipsoid},
                                       {"prime_meridian", m_world.greenwich}, {"map_proj", m_world.projection},
                                       {"length_unit", m_world.metre}, {"height_unit", m_world.metre},
                                       {"coord1_abbr", "x"}, {"coord2_abbr", "y"}, {"coord3_abbr", "h"}});
    FrameCoordSysProjected frame(nullptr);
    frame.load(key);
    QCOMPARE(text(frame, "editPlaneCoord1Symbol") + text(frame, "editPlaneCoord2Symbol"), QStringLiteral("xy"));
    QVERIFY(isChecked(frame, "radioEllipsoid"));
    QVERIFY(!pickEnabled(frame, TableDatum));
    QVERIFY(!isChecked(frame, "checkboxVerticalCoordSys"));
    FrameCoordSysProjected::Params params;
    QVERIFY(frame.validate(params));
    QCOMPARE(params.mapProjection, m_world.projection);
    QCOMPARE(params.ellipsoid, m_world.ellipsoid);
    QCOMPARE(params.datum, NoValue);
    QCOMPARE(params.vertCoordSys, NoValue);
    QCOMPARE(params.coord3Abbr, QStringLiteral("h"));
}

void TestCoordSysFrames::projectionPickKeepsTypedSymbols()
{
    FrameCoordSysProjected frame(nullptr);
    setText(frame, "editHeightSymbol", "Z");
    pickRecord(&frame, TableMapProj, m_world.projection);
    QCOMPARE(text(frame, "editPlaneCoord1Symbol") + text(frame, "editPlaneCoord2Symbol"), QStringLiteral("EN"));
    QCOMPARE(text(frame, "editHeightSymbol"), QStringLiteral("Z"));

    setText(frame, "editPlaneCoord1Symbol", "Восток");
    pickRecord(&frame, TableMapProj, m_world.projection);
    QCOMPARE(text(frame, "editPlaneCoord1Symbol"), QStringLiteral("Восток"));
    QCOMPARE(text(frame, "editPlaneCoord2Symbol"), QStringLiteral("N"));
}

void TestCoordSysFrames::projectedFirstMissingInputs()
{
    FrameCoordSysProjected frame(nullptr);
    FrameCoordSysProjected::Params params;
    QVERIFY(!frame.validate(params));
    pickRecord(&frame, TableUnitLength, m_world.metre, 0);
    pickRecord(&frame, TableUnitLength, m_world.metre, 1);
    pickRecord(&frame, TablePrimeMeridian, m_world.greenwich);
    pickRecord(&frame, TableMapProj, m_world.projection);
    QVERIFY(!frame.validate(params));
    check(frame, "checkboxVerticalCoordSys");
    pickRecord(&frame, TableDatum, m_world.datum);
    QVERIFY(!frame.validate(params));
    QCOMPARE(m_prompt->messageTexts(), (QStringList{"Предупреждение|Необходимо задать единицу измерения плановых координат",
                                                    "Предупреждение|Необходимо задать датум",
                                                    "Предупреждение|Необходимо задать систему высот"}));
    pickRecord(&frame, TableVertCoordSys, m_world.heightSystem);
    QVERIFY(frame.validate(params));
    QCOMPARE(params.vertCoordSys, m_world.heightSystem);
    QCOMPARE(params.lengthUnit, m_world.metre);
}

void TestCoordSysFrames::topocentricLoadsAndForgetsARecord()
{
    const int key = insertCoordSysRow(
        {{"name", "Топоцентрическая"}, {"type", 6}, {"datum", 0}, {"ellipsoid", m_world.ellipsoid},
         {"prime_meridian", m_world.greenwich}, {"origin_coord1", "55.75"}, {"origin_coord2", "37.6"},
         {"origin_coord3", "150"}, {"origin_angle_unit", m_world.decimalDegree},
         {"origin_length_unit", m_world.metre}, {"azimuth", "30"}, {"azimuth_unit", m_world.decimalDegree},
         {"swap_coords", 1}, {"length_unit", m_world.metre}, {"coord1_abbr", "E"}});
    FrameCoordSysTopocentric frame(nullptr);
    frame.load(key);
    QVERIFY(isChecked(frame, "radioEllipsoid"));
    QVERIFY(!pickEnabled(frame, TableDatum));
    QVERIFY(pickEnabled(frame, TableEllipsoid));
    QVERIFY(isChecked(frame, "radioAxesOrientationLeft"));
    FrameCoordSysTopocentric::Params params;
    QVERIFY(frame.validate(params));
    QCOMPARE(params.originCoord1 + ";" + params.originCoord2 + ";" + params.originCoord3 + ";" + params.azimuth,
             QStringLiteral("55.75;37.6;150;30"));
    QCOMPARE(params.datum, NoValue);
    QCOMPARE(params.ellipsoid, m_world.ellipsoid);
    QVERIFY(params.swapCoords);
    QCOMPARE(params.coord1Abbr, QStringLiteral("E"));

    frame.load(NoValue);
    QCOMPARE(text(frame, "editOriginLatitude") + text(frame, "editOriginLongitude") + text(frame, "editOriginHeight")
                 + text(frame, "editAxesAzimuth"),
             QString());
    QVERIFY(isChecked(frame, "radioDatum"));
    QVERIFY(pickEnabled(frame, TableDatum));
    QVERIFY(!pickEnabled(frame, TableEllipsoid));
    QVERIFY(isChecked(frame, "radioAxesOrientationRight"));
}

void TestCoordSysFrames::topocentricChecksInOrder()
{
    FrameCoordSysTopocentric frame(nullptr);
    FrameCoordSysTopocentric::Params params;
    const auto fault = [&] {
        m_prompt->clear();
        if (frame.validate(params))
            return QString();
        return m_prompt->messages().value(0).text;
    };
    QCOMPARE(fault(), QStringLiteral("Необходимо задать датум"));
    pickRecord(&frame, TableDatum, m_world.datum);
    QCOMPARE(fault(), QStringLiteral("Необходимо задать начальный меридиан"));
    pickRecord(&frame, TablePrimeMeridian, m_world.greenwich);
    setText(frame, "editOriginLatitude", "55");
    setText(frame, "editOriginLongitude", "  ");
    setText(frame, "editOriginHeight", "0");
    QCOMPARE(fault(), QStringLiteral("Необходимо задать координаты начала отсчета"));
    setText(frame, "editOriginLongitude", "37.6");
    QCOMPARE(fault(), QStringLiteral("Необходимо задать единицу измерения широты и долготы начала отсчета"));
    pickRecord(&frame, TableUnitAngle, m_world.decimalDegree, 0);
    QCOMPARE(fault(), QStringLiteral("Необходимо задать единицу измерения высоты начала отсчета"));
    pickRecord(&frame, TableUnitLength, m_world.metre, 0);
    QCOMPARE(fault(), QStringLiteral("Необходимо задать азимут направления первой оси системы координат"));
    setText(frame, "editAxesAzimuth", "0");
    QCOMPARE(fault(), QStringLiteral("Необходимо задать единицу измерения азимута"));
    pickRecord(&frame, TableUnitAngle, m_world.decimalDegree, 1);
    QCOMPARE(fault(), QStringLiteral("Необходимо задать единицу измерения координат"));
    QCOMPARE(params.originCoord1, QString());
    pickRecord(&frame, TableUnitLength, m_world.metre, 1);
    QCOMPARE(fault(), QString());
    QCOMPARE(params.originCoord2, QStringLiteral("37.6"));
    QCOMPARE(params.ellipsoid, NoValue);
}

void TestCoordSysFrames::topocentricTextsReadInTheirUnits_data()
{
    QTest::addColumn<QStringList>("texts");
    // The angle format of the angular unit.
    QTest::addColumn<int>("format");
    // The text its unit refuses, -1 for none.
    QTest::addColumn<int>("refused");
    // Latitude, longitude, height and azimuth; the angles in decimal degrees, in degrees, minutes
    // and seconds, or in those with a hemisphere letter, in which no angle is read.
    const int decimal = AngleFormatDecimal;
    const int dms = AngleFormatDms;
    QTest::newRow("decimal") << QStringList{"55.75", "-37.6", "1.5e2", "30"} << decimal << -1;
    QTest::newRow("letters") << QStringList{"широта", "37.6", "150", "30"} << decimal << 0;
    QTest::newRow("decimal comma") << QStringList{"55,75", "37.6", "150", "30"} << decimal << 0;
    QTest::newRow("text after the height") << QStringList{"55.75", "37.6", "150 м", "30"} << decimal << 2;
    QTest::newRow("not finite") << QStringList{"55.75", "inf", "150", "30"} << decimal << 1;
    QTest::newRow("dms in a decimal unit") << QStringList{"55 45 00", "37.6", "150", "30"} << decimal << 0;
    QTest::newRow("dms in a dms unit") << QStringList{"55 45 00", "-37 36", "150", "30 15 30.5"} << dms << -1;
    QTest::newRow("height is no angle") << QStringList{"55 45 00", "37 36", "150 0", "30"} << dms << 2;
    QTest::newRow("azimuth of letters") << QStringList{"55.75", "37.6", "150", "север"} << decimal << 3;
    QTest::newRow("four dms fields") << QStringList{"55", "37", "150", "30 15 30 1"} << dms << 3;
    QTest::newRow("hemisphere format") << QStringList{"55 45 00N", "37 36 00E", "150", "30 15 30E"}
                                       << int(AngleFormatDmsHemisphere) << 0;
}

// The texts are read as the recalculation reads them in their units, before anything is kept;
// a text that does not read is named with its unit, and an angle in a format read in no text
// asks for another unit.
void TestCoordSysFrames::topocentricTextsReadInTheirUnits()
{
    QFETCH(QStringList, texts);
    QFETCH(int, format);
    QFETCH(int, refused);
    int angleUnit = m_world.decimalDegree;
    if (format != AngleFormatDecimal) {
        const QString name = format == AngleFormatDms ? QStringLiteral("Градус ГМС") : QStringLiteral("Градус ГМСП");
        QVERIFY(CTestDatabase::exec("INSERT INTO unitangle (name, factor_b, factor_c, format) "
                                    "SELECT ?, factor_b, factor_c, ? FROM unitangle WHERE autokey = ?;",
                                    {name, format, m_world.decimalDegree}));
        angleUnit = CTestDatabase::value("SELECT max(autokey) FROM unitangle;").toInt();
    }
    FrameCoordSysTopocentric frame(nullptr);
    pickRecord(&frame, TableDatum, m_world.datum);
    pickRecord(&frame, TablePrimeMeridian, m_world.greenwich);
    pickRecord(&frame, TableUnitAngle, angleUnit, 0);
    pickRecord(&frame, TableUnitAngle, angleUnit, 1);
    pickRecord(&frame, TableUnitLength, m_world.metre, 0);
    pickRecord(&frame, TableUnitLength, m_world.metre, 1);
    const QStringList edits{"editOriginLatitude", "editOriginLongitude", "editOriginHeight", "editAxesAzimuth"};
    for (int i = 0; i < edits.size(); ++i)
        setText(frame, edits[i], texts[i]);
    FrameCoordSysTopocentric::Params params;
    QCOMPARE(frame.validate(params), refused < 0);
    QString fault;
    if (refused >= 0) {
        const QStringList titles{"Широта начала отсчета", "Долгота начала отсчета", "Высота начала отсчета",
                                 "Азимут первой оси"};
        const int unit = refused == 2 ? m_world.metre : angleUnit;
        const QString table = refused == 2 ? "unitlength" : "unitangle";
        const QString unitName
            = CTestDatabase::value(QString("SELECT name FROM %1 WHERE autokey = ?;").arg(table), {unit}).toString();
        fault = refused != 2 && format == AngleFormatDmsHemisphere
            ? QString("%1 «%2»: углы в формате «Градусы-минуты-секунды-полушарие» не читаются, выберите вместо «%3» "
                      "другую единицу измерения")
                  .arg(titles[refused], texts[refused], unitName)
            : QString("%1 «%2» не соответствует единице измерения «%3»").arg(titles[refused], texts[refused], unitName);
    }
    QCOMPARE(m_prompt->messages().value(0).text, fault);
    const QStringList read{params.originCoord1, params.originCoord2, params.originCoord3, params.azimuth};
    QCOMPARE(read, refused < 0 ? texts : QStringList({"", "", "", ""}));
}

void TestCoordSysFrames::goneRecordIsRefusedAtSave_data()
{
    QTest::addColumn<bool>("clearedInSelector");
    QTest::newRow("deleted meanwhile") << false;
    QTest::newRow("cleared in its selector") << true;
}

// A key whose record went after the pick is not saved; the frame asks for a choice.
void TestCoordSysFrames::goneRecordIsRefusedAtSave()
{
    QFETCH(bool, clearedInSelector);
    const int foot = insertRow("unitlength", {{"name", "Фут"}, {"factor_b", 0.3048}, {"factor_c", 1}});
    const int datum = insertRow("datum", {{"name", "Свой"}, {"ellipsoid", m_world.ellipsoid}});
    QVERIFY(foot > 0 && datum > 0);
    FrameCoordSysLocalCartesian local(nullptr);
    pickRecord(&local, TableUnitLength, foot);
    FrameCoordSysGeodetic geodetic(nullptr);
    pickRecord(&geodetic, TableUnitAngle, m_world.decimalDegree);
    pickRecord(&geodetic, TableUnitLength, m_world.metre);
    pickRecord(&geodetic, TablePrimeMeridian, m_world.greenwich);
    pickRecord(&geodetic, TableDatum, datum);
    FrameCoordSysLocalCartesian::Params localParams;
    FrameCoordSysGeodetic::Params geodeticParams;
    QVERIFY(local.validate(localParams) && geodetic.validate(geodeticParams));
    QCOMPARE(localParams.lengthUnit, foot);
    QCOMPARE(geodeticParams.datum, datum);

    QVERIFY(CTestDatabase::exec("DELETE FROM unitlength WHERE autokey = ?;", {foot}));
    QVERIFY(CTestDatabase::exec("DELETE FROM datum WHERE autokey = ?;", {datum}));
    if (clearedInSelector) {
        emit pickerOf(&local, TableUnitLength)->cleared();
        emit pickerOf(&geodetic, TableDatum)->cleared();
    }
    QVERIFY(!local.validate(localParams));
    QVERIFY(!geodetic.validate(geodeticParams));
    QCOMPARE(m_prompt->messageTexts(), (QStringList{"Предупреждение|Необходимо задать единицу измерения координат",
                                                    "Предупреждение|Необходимо задать датум"}));
    QCOMPARE(geodeticParams.angleUnit, NoValue);
}

QTEST_MAIN(TestCoordSysFrames)
#include "test_coordsysframes.moc"
