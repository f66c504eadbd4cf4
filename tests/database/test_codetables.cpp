#include "database/codetablesaxes.h"
#include "database/codetablesmapproj.h"
#include "database/codetablestypes.h"
#include "database/novalue.h"

#include <QRegularExpression>
#include <QtTest>

#include <string>
#include <vector>

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

bool wholeMatch(const std::string& pattern, const QString& text)
{
    const QRegularExpression expression(QRegularExpression::anchoredPattern(q(pattern)));
    return expression.isValid() && expression.match(text).hasMatch();
}

} // namespace

class TestCodeTables : public QObject
{
    Q_OBJECT

private slots:
    void datumShiftTypes_data();
    void datumShiftTypes();
    void coordSysTypes_data();
    void coordSysTypes();
    void angleFormats_data();
    void angleFormats();
    void anglePatterns_data();
    void anglePatterns();
    void patternMatches_data();
    void patternMatches();
    void numberPattern();
    void paramValueKinds_data();
    void paramValueKinds();
    void projParams_data();
    void projParams();
    void unknownProjParams();
    void mapProjTypes_data();
    void mapProjTypes();
    void unknownMapProjTypes_data();
    void unknownMapProjTypes();
    void paramRanges_data();
    void paramRanges();
    void paramLists();
    void listValues();
    void axisLabels();
    void normalisingSetters_data();
    void normalisingSetters();
    void transformLabels();
    void axesSignsAndSwap_data();
    void axesSignsAndSwap();
    void axisCodesFromFlags_data();
    void axisCodesFromFlags();
};

void TestCodeTables::datumShiftTypes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("checked");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("epsg");
    QTest::newRow("0") << 0 << 0 << QString() << QString() << 0;
    QTest::newRow("1") << 1 << 1 << QString("Молоденского") << QString("Сдвиг по трем осям") << 1031;
    QTest::newRow("2") << 2 << 2 << QString("Поворот-сдвиг-масштаб") << QString("Направление поворотов, принятое в РФ") << 1032;
    QTest::newRow("3") << 3 << 3 << QString("Молоденского-Бадекаса (поворот-сдвиг-масштаб)") << QString("Направление поворотов, принятое в РФ") << 1034;
    QTest::newRow("4") << 4 << 4 << QString("Гельмерта") << QString("Направление поворотов, принятое зарубежом") << 1033;
    QTest::newRow("5") << 5 << 5 << QString("Молоденского-Бадекаса (Гельмерт)") << QString("Направление поворотов, принятое зарубежом") << 1061;
    QTest::newRow("6") << 6 << 0 << QString() << QString() << 0;
    QTest::newRow("-1") << -1 << 0 << QString() << QString() << 0;
}

void TestCodeTables::datumShiftTypes()
{
    QFETCH(int, code);
    QFETCH(int, checked);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(int, epsg);
    QCOMPARE(checkDatumShiftTypeCode(code), checked);
    QCOMPARE(q(datumShiftTypeName(code)), name);
    QCOMPARE(q(datumShiftTypeDescription(code)), description);
    QCOMPARE(datumShiftTypeEpsgCode(code), epsg);
}

void TestCodeTables::coordSysTypes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("checked");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("0") << 0 << 0 << QString() << QString();
    QTest::newRow("1") << 1 << 1 << QString("Декартова") << QString("Локальная декартова");
    QTest::newRow("3") << 3 << 3 << QString("Геоцентрическая") << QString("Геоцентрическая декартова");
    QTest::newRow("4") << 4 << 4 << QString("Геодезическая") << QString("Широта-долгота");
    QTest::newRow("5") << 5 << 5 << QString("Картографическая") << QString("В картографической проекции");
    QTest::newRow("6") << 6 << 6 << QString("Топоцентрическая") << QString("Топоцентрическая декартова");
    QTest::newRow("2") << 2 << 0 << QString() << QString();
    QTest::newRow("7") << 7 << 0 << QString() << QString();
}

void TestCodeTables::coordSysTypes()
{
    QFETCH(int, code);
    QFETCH(int, checked);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QCOMPARE(checkCoordSysTypeCode(code), checked);
    QCOMPARE(q(coordSysTypeName(code)), name);
    QCOMPARE(q(coordSysTypeDescription(code)), description);
}

void TestCodeTables::angleFormats_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("epsg");
    QTest::newRow("0") << 0 << QString() << QString() << 0;
    QTest::newRow("1") << 1 << QString("Деcятичный") << QString("Формат: [+/-]NNN.nnnnnnnnnnnnn") << 0;
    QTest::newRow("2") << 2 << QString("Градусы-минуты-секунды") << QString("Формат: [+/-]ГГГ ММ СС.ссссссс; для входных значений допустимо также [+/-]ГГГ.ггггггггг и [+/-]ГГГ ММ.ммммммммм") << 9107;
    QTest::newRow("3") << 3 << QString("Градусы-минуты-секунды-полушарие") << QString("Формат: ГГГ ММ СС.ссссссс[N/E/S/W], где N - северное, E - восточное, S - южное, W - западное полушарие соответственно") << 9108;
    QTest::newRow("4") << 4 << QString() << QString() << 0;
}

void TestCodeTables::angleFormats()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QFETCH(QString, hint);
    QFETCH(int, epsg);
    const bool known = !name.isEmpty();
    QCOMPARE(checkAngleFormatCode(code, 0), known ? code : 0);
    QCOMPARE(checkAngleFormatCode(code, 1), known ? code : 1);
    QCOMPARE(q(angleFormatName(code)), name);
    QCOMPARE(q(angleFormatHint(code)), hint);
    QCOMPARE(q(angleFormatShortName(code)), QString());
    QCOMPARE(angleFormatEpsgCode(code), epsg);
}

void TestCodeTables::anglePatterns_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("angle");
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<QString>("longitude");
    QTest::newRow("0") << 0 << QString() << QString() << QString();
    QTest::newRow("1") << 1 << QString(R"([+-]?\d+(\.\d*)?)") << QString(R"([+-]?\d+(\.\d*)?)") << QString(R"([+-]?\d+(\.\d*)?)");
    QTest::newRow("2") << 2 << QString(R"([+-]?\d{1,3}(\s+\d{1,2}(\s+\d{1,2}(\.\d*)?)?)?)") << QString(R"([+-]?\d{1,2}(\s+\d{1,2}(\s+\d{0,2}(\.\d*)?)?)?)") << QString(R"([+-]?\d{1,3}(\s+\d{1,2}(\s+\d{0,2}(\.\d*)?)?)?)");
    QTest::newRow("3") << 3 << QString(R"(\d{1,3}\s+\d{1,2}(\s+\d{0,2}(\.\d*)?)?\s?[NnEeSsWw])") << QString(R"(\d{1,2}\s+\d{1,2}(\s+\d{0,2}(\.\d*)?)?\s?[NnSs])") << QString(R"(\d{1,3}\s+\d{1,2}(\s+\d{0,2}(\.\d*)?)?\s?[EeWw])");
    QTest::newRow("4") << 4 << QString() << QString() << QString();
}

void TestCodeTables::anglePatterns()
{
    QFETCH(int, format);
    QFETCH(QString, angle);
    QFETCH(QString, latitude);
    QFETCH(QString, longitude);
    QCOMPARE(q(angleRegExp(format)), angle);
    QCOMPARE(q(latitudeRegExp(format)), latitude);
    QCOMPARE(q(longitudeRegExp(format)), longitude);
}

void TestCodeTables::patternMatches_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("angle");
    QTest::addColumn<bool>("latitude");
    QTest::addColumn<bool>("longitude");
    QTest::newRow("decimal integer") << 1 << "12" << true << true << true;
    QTest::newRow("decimal trailing point") << 1 << "-12." << true << true << true;
    QTest::newRow("decimal signed fraction") << 1 << "+12.5" << true << true << true;
    QTest::newRow("decimal comma") << 1 << "12,5" << false << false << false;
    QTest::newRow("dms full") << 2 << "-55 45 30." << true << true << true;
    QTest::newRow("dms degrees") << 2 << "55" << true << true << true;
    QTest::newRow("dms trailing blank") << 2 << "55 45 " << false << true << true;
    QTest::newRow("dms three-digit degrees") << 2 << "155 45 30" << true << false << true;
    QTest::newRow("hemisphere latitude") << 3 << "55 45 30.5N" << true << true << false;
    QTest::newRow("hemisphere no seconds") << 3 << "55 45N" << true << true << false;
    QTest::newRow("hemisphere wide degrees") << 3 << "155 45 30N" << true << false << false;
    QTest::newRow("hemisphere east") << 3 << "55 45 30E" << true << false << true;
    QTest::newRow("hemisphere lower case") << 3 << "37 37 w" << true << false << true;
    QTest::newRow("hemisphere signed") << 3 << "-55 45 30N" << false << false << false;
}

void TestCodeTables::patternMatches()
{
    QFETCH(int, format);
    QFETCH(QString, text);
    QFETCH(bool, angle);
    QFETCH(bool, latitude);
    QFETCH(bool, longitude);
    QCOMPARE(wholeMatch(angleRegExp(format), text), angle);
    QCOMPARE(wholeMatch(latitudeRegExp(format), text), latitude);
    QCOMPARE(wholeMatch(longitudeRegExp(format), text), longitude);
}

void TestCodeTables::numberPattern()
{
    QCOMPARE(q(numberRegExp(true)), QString(R"(\d+(\.\d*)?)"));
    QCOMPARE(q(numberRegExp(false)), QString(R"([+-]?\d+(\.\d*)?)"));
    QVERIFY(!wholeMatch(numberRegExp(true), "-1.5"));
    QVERIFY(wholeMatch(numberRegExp(false), "-1.5"));
}

void TestCodeTables::paramValueKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("0") << 0 << QString() << QString();
    QTest::newRow("1") << 1 << QString("Расстояние") << QString("Прямоугольные координаты, смещения, расстояния");
    QTest::newRow("2") << 2 << QString("Угол") << QString("Широты и долготы, азимуты");
    QTest::newRow("3") << 3 << QString("Масштаб") << QString("Масштабы");
    QTest::newRow("4") << 4 << QString("Номер") << QString("Номера зон, коды регионов");
    QTest::newRow("5") << 5 << QString("Список") << QString("Полушария, районы");
    QTest::newRow("6") << 6 << QString() << QString();
}

void TestCodeTables::paramValueKinds()
{
    QFETCH(int, kind);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QCOMPARE(checkParamValueKind(kind), name.isEmpty() ? 0 : kind);
    QCOMPARE(q(paramValueKindName(kind)), name);
    QCOMPARE(q(paramValueKindDescription(kind)), description);
}

void TestCodeTables::projParams_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("kind");
    QTest::newRow("1") << 1 << QString("Угол поворота осей") << QString("EPSG: Angle from Rectified to Skew Grid") << 2;
    QTest::newRow("2") << 2 << QString("Азимут начальной линии") << QString("EPSG: Azimuth of initial line") << 2;
    QTest::newRow("3") << 3 << QString("Сдвиг на восток") << QString("EPSG: Easting at false origin") << 1;
    QTest::newRow("4") << 4 << QString("Сдвиг на восток") << QString("EPSG: Easting at projection centre") << 1;
    QTest::newRow("5") << 5 << QString("Сдвиг на восток") << QString("EPSG: False easting") << 1;
    QTest::newRow("6") << 6 << QString("Сдвиг на север") << QString("EPSG: False northing") << 1;
    QTest::newRow("7") << 7 << QString("Долгота западной границы первой зоны") << QString("EPSG: Initial longitude") << 2;
    QTest::newRow("8") << 8 << QString("Широта первой главной параллели") << QString("EPSG: Latitude of 1st standard parallel") << 2;
    QTest::newRow("9") << 9 << QString("Широта второй главной параллели") << QString("EPSG: Latitude of 2nd standard parallel") << 2;
    QTest::newRow("10") << 10 << QString("Широта начала отсчета") << QString("EPSG: Latitude of false origin") << 2;
    QTest::newRow("11") << 11 << QString("Широта начала отсчета") << QString("EPSG: Latitude of natural origin") << 2;
    QTest::newRow("12") << 12 << QString("Широта начала отсчета") << QString("EPSG: Latitude of projection centre") << 2;
    QTest::newRow("13") << 13 << QString("Широта условной главной параллели") << QString("EPSG: Latitude of pseudo standard parallel") << 2;
    QTest::newRow("14") << 14 << QString("Широта стандартной параллели") << QString("EPSG: Latitude of standard parallel") << 2;
    QTest::newRow("15") << 15 << QString("Долгота начала отсчета") << QString("EPSG: Longitude of false origin") << 2;
    QTest::newRow("16") << 16 << QString("Долгота начала отсчета") << QString("EPSG: Longitude of natural origin") << 2;
    QTest::newRow("17") << 17 << QString("Долгота начала отсчета") << QString("EPSG: Longitude of origin") << 2;
    QTest::newRow("18") << 18 << QString("Долгота начала отсчета") << QString("EPSG: Longitude of projection centre") << 2;
    QTest::newRow("19") << 19 << QString("Сдвиг на север") << QString("EPSG: Northing at false origin") << 1;
    QTest::newRow("20") << 20 << QString("Сдвиг на север") << QString("EPSG: Northing at projection centre") << 1;
    QTest::newRow("21") << 21 << QString("Масштаб в начале отсчета") << QString("EPSG: Scale factor at natural origin") << 3;
    QTest::newRow("22") << 22 << QString("Масштаб на начальной линии") << QString("EPSG: Scale factor on initial line") << 3;
    QTest::newRow("23") << 23 << QString("Масштаб на условной главной параллели") << QString("EPSG: Scale factor on pseudo standard parallel") << 3;
    QTest::newRow("24") << 24 << QString("Ширина зоны") << QString("EPSG: Zone width") << 2;
    QTest::newRow("101") << 101 << QString("Номер зоны") << QString("Non-EPSG") << 4;
    QTest::newRow("102") << 102 << QString("Полушарие") << QString("Non-EPSG") << 5;
    QTest::newRow("103") << 103 << QString("Долгота осевого меридиана") << QString("Non-EPSG") << 2;
    QTest::newRow("104") << 104 << QString("Масштаб на осевом меридиане") << QString("Non-EPSG") << 3;
    QTest::newRow("105") << 105 << QString("Масштаб на главной параллели") << QString("Non-EPSG") << 3;
    QTest::newRow("106") << 106 << QString("Код региона") << QString("Non-EPSG") << 4;
    QTest::newRow("107") << 107 << QString("Район") << QString("Non-EPSG") << 5;
}

void TestCodeTables::projParams()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(int, kind);
    QCOMPARE(checkProjParamCode(code), code);
    QCOMPARE(q(projParamName(code)), name);
    QCOMPARE(q(projParamDescription(code)), description);
    QCOMPARE(projParamValueKind(code), kind);
    QCOMPARE(q(projParamShortName(code)), QString());
    QCOMPARE(q(projParamWktName(code)), QString());
    QCOMPARE(projParamEpsgCode(code), 0);
}

void TestCodeTables::unknownProjParams()
{
    for (int code : {-1, 0, 25, 100, 108, 1000}) {
        QCOMPARE(checkProjParamCode(code), 0);
        QCOMPARE(q(projParamName(code)), QString());
        QCOMPARE(q(projParamDescription(code)), QString());
        QCOMPARE(projParamValueKind(code), 0);
    }
}

void TestCodeTables::mapProjTypes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shortName");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("epsg");
    QTest::addColumn<int>("mapinfo");
    QTest::addColumn<int>("group");
    QTest::addColumn<bool>("northingFirst");
    QTest::addColumn<std::vector<int>>("params");
    QTest::newRow("1") << 1 << QString("Поперечная Меркатора") << QString("TM") << QString("Общая форма с 5 параметрами") << 9807 << 8 << 5 << false << std::vector<int>{103, 11, 104, 5, 6};
    QTest::newRow("2") << 2 << QString("Косая Меркатора") << QString("OM") << QString("Известна также как Hotine Oblique Mercator (variant B)") << 9815 << 7 << 7 << false << std::vector<int>{12, 18, 22, 2, 1, 4, 20};
    QTest::newRow("3") << 3 << QString("Хотина (косая Меркатора)") << QString("HOM") << QString("Известна также как Hotine Oblique Mercator (variant A)") << 9812 << 7 << 7 << false << std::vector<int>{12, 18, 22, 2, 1, 5, 6};
    QTest::newRow("5") << 5 << QString("Равновеликая Альберса") << QString("Albers") << QString("") << 9822 << 9 << 6 << false << std::vector<int>{12, 18, 8, 9, 3, 19};
    QTest::newRow("6") << 6 << QString("Ламберта коническая конформная с двумя главными параллелями") << QString("LCC2SP") << QString("") << 9802 << 3 << 6 << false << std::vector<int>{10, 15, 8, 9, 3, 19};
    QTest::newRow("7") << 7 << QString("Ламберта коническая конформная с одной главной параллелью") << QString("LCC1SP") << QString("") << 9801 << 3 << 5 << false << std::vector<int>{11, 16, 105, 5, 6};
    QTest::newRow("8") << 8 << QString("Кассини-Зольднера") << QString("CS") << QString("") << 9806 << 30 << 4 << false << std::vector<int>{11, 16, 5, 6};
    QTest::newRow("9") << 9 << QString("Меркатора с двумя главными параллелями") << QString("M2SP") << QString("Две главные параллели, симметричные относительно экватора; известна также как Mercator (variant B)") << 9805 << 10 << 4 << false << std::vector<int>{8, 16, 5, 6};
    QTest::newRow("10") << 10 << QString("Меркатора с одной главной параллелью") << QString("M1SP") << QString("Одна главная параллель - экватор; известна также как Mercator (variant A)") << 9804 << 10 << 4 << false << std::vector<int>{16, 105, 5, 6};
    QTest::newRow("11") << 11 << QString("Косая стереографическая") << QString("OSG") << QString("") << 9809 << NoValue << 5 << false << std::vector<int>{11, 16, 21, 5, 6};
    QTest::newRow("24") << 24 << QString("Ламберта азимутальная равновеликая") << QString("LAEA") << QString("") << 9820 << 29 << 4 << false << std::vector<int>{11, 16, 5, 6};
    QTest::newRow("26") << 26 << QString("Ортографическая") << QString("OG") << QString("") << 9840 << NoValue << 4 << false << std::vector<int>{11, 16, 5, 6};
    QTest::newRow("101") << 101 << QString("Поперечная Меркатора для широкой полосы") << QString("TMWide") << QString("Широта начала отсчета равна 0") << 9807 << 8 << 4 << false << std::vector<int>{103, 104, 5, 6};
    QTest::newRow("1001") << 1001 << QString("Гаусса-Крюгера") << QString("GK6") << QString("В шестиградусных зонах") << 9807 << 8 << 1 << true << std::vector<int>{101};
    QTest::newRow("1002") << 1002 << QString("Universal Transverse Mercator") << QString("UTM") << QString("") << 9807 << 8 << 2 << false << std::vector<int>{101, 102};
    QTest::newRow("1003") << 1003 << QString("Местные системы координат регионов РФ (МСК-XX)") << QString("MCK") << QString("Проекция местных систем координат регионов РФ (МСК-ХХ и некоторых других)") << 0 << NoValue << 3 << true << std::vector<int>{106, 101, 24};
    QTest::newRow("1004") << 1004 << QString("Система координат 1963 г. (СК-63)") << QString("CK63") << QString("Проекция Системы Координат 1963 г. (СК-63)") << 0 << NoValue << 3 << true << std::vector<int>{107, 101, 24};
    QTest::newRow("1201") << 1201 << QString("Ламберта коническая конформная с двумя главными параллелями (вариант для Бельгии)") << QString("LCC2SPBelgium") << QString("Применялась в Бельгии до 2000 года") << 9803 << 19 << 6 << false << std::vector<int>{10, 15, 8, 9, 3, 19};
}

void TestCodeTables::mapProjTypes()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QFETCH(QString, shortName);
    QFETCH(QString, description);
    QFETCH(int, epsg);
    QFETCH(int, mapinfo);
    QFETCH(int, group);
    QFETCH(bool, northingFirst);
    QFETCH(std::vector<int>, params);
    QCOMPARE(checkMapProjTypeCode(code), code);
    QCOMPARE(q(mapProjTypeName(code)), name);
    QCOMPARE(q(mapProjTypeShortName(code)), shortName);
    QCOMPARE(q(mapProjTypeDescription(code)), description);
    QCOMPARE(mapProjTypeEpsgCode(code), epsg);
    QCOMPARE(mapProjTypeMapInfoCode(code), mapinfo);
    QCOMPARE(mapProjTypeParamGroup(code), group);

    std::vector<int> codes{99};
    QCOMPARE(mapProjTypeParamCodes(code, codes), int(params.size()));
    QCOMPARE(codes, params);

    MapProjTypeAxes axes;
    QVERIFY(mapProjTypeAxes(code, axes));
    QCOMPARE(q(axes.coord1Abbr), northingFirst ? QString("X") : QString("E"));
    QCOMPARE(q(axes.coord2Abbr), northingFirst ? QString("Y") : QString("N"));
    QCOMPARE(q(axes.coord1Desc), northingFirst ? QString("Север") : QString("Восток"));
    QCOMPARE(q(axes.coord2Desc), northingFirst ? QString("Восток") : QString("Север"));
    QCOMPARE(axes.coord1Sign, 1);
    QCOMPARE(axes.coord2Sign, 1);
    QCOMPARE(axes.swapCoords, northingFirst ? 1 : 0);
}

void TestCodeTables::unknownMapProjTypes_data()
{
    QTest::addColumn<int>("code");
    for (int code : {0, 4, 12, 25, 102, 1005, 1200, 1202})
        QTest::newRow(qPrintable(QString::number(code))) << code;
}

void TestCodeTables::unknownMapProjTypes()
{
    QFETCH(int, code);
    QCOMPARE(checkMapProjTypeCode(code), 0);
    QCOMPARE(q(mapProjTypeName(code)), QString());
    QCOMPARE(q(mapProjTypeDescription(code)), QString());
    QCOMPARE(q(mapProjTypeShortName(code)), QString());
    QCOMPARE(mapProjTypeEpsgCode(code), 0);
    QCOMPARE(mapProjTypeMapInfoCode(code), NoValue);
    QCOMPARE(mapProjTypeParamGroup(code), 0);
    std::vector<int> codes{1, 2};
    QCOMPARE(mapProjTypeParamCodes(code, codes), 0);
    QVERIFY(codes.empty());
    MapProjTypeAxes axes;
    axes.coord1Abbr = "keep";
    QVERIFY(!mapProjTypeAxes(code, axes));
    QCOMPARE(q(axes.coord1Abbr), QString("keep"));
    QCOMPARE(axes.coord1Sign, 0);
}

void TestCodeTables::paramRanges_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("param");
    QTest::addColumn<bool>("known");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::newRow("GK zone") << 1001 << 101 << true << 1 << 60;
    QTest::newRow("UTM zone") << 1002 << 101 << true << 1 << 60;
    QTest::newRow("regional zone") << 1003 << 101 << true << 1 << 20;
    QTest::newRow("regional code") << 1003 << 106 << true << 1 << 1964;
    QTest::newRow("CK63 zone") << 1004 << 101 << true << 1 << 20;
    QTest::newRow("GK region") << 1001 << 106 << false << -5 << -5;
    QTest::newRow("CK63 district") << 1004 << 107 << false << -5 << -5;
    QTest::newRow("TM zone") << 1 << 101 << false << -5 << -5;
}

void TestCodeTables::paramRanges()
{
    QFETCH(int, type);
    QFETCH(int, param);
    QFETCH(bool, known);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    int low = -5;
    int high = -5;
    QCOMPARE(mapProjTypeParamRange(type, param, low, high), known);
    QCOMPARE(low, minimum);
    QCOMPARE(high, maximum);
}

void TestCodeTables::paramLists()
{
    const int utm = 1002;
    const int ck63 = 1004;
    const int tm = 1;
    int size = -1;
    QVERIFY(mapProjTypeParamListSize(utm, 102, size));
    QCOMPARE(size, 2);
    QVERIFY(mapProjTypeParamListSize(ck63, 107, size));
    QCOMPARE(size, 17);
    size = -1;
    QVERIFY(!mapProjTypeParamListSize(utm, 107, size));
    QVERIFY(!mapProjTypeParamListSize(tm, 102, size));
    QCOMPARE(size, -1);

    QCOMPARE(q(projParamListValue(utm, 102, 0)), QString("N"));
    QCOMPARE(q(projParamListValue(utm, 102, 1)), QString("S"));
    QCOMPARE(q(projParamListValue(utm, 102, 2)), QString());
    QCOMPARE(q(projParamListValue(utm, 102, -1)), QString());
    QCOMPARE(q(projParamListValue(ck63, 107, 0)), QString("C"));
    QCOMPARE(q(projParamListValue(ck63, 107, 16)), QString("X"));
    QCOMPARE(q(projParamListValue(ck63, 107, 17)), QString());
    QCOMPARE(q(projParamListValue(ck63, 101, 0)), QString());

    const std::string districts = "CDEFGIJLMPQRSTVWX";
    for (int i = 0; i < int(districts.size()); ++i) {
        QCOMPARE(projParamListIndex(ck63, 107, districts.substr(i, 1)), i);
        QCOMPARE(q(projParamListValue(ck63, 107, i)), q(districts.substr(i, 1)));
    }
    QCOMPARE(projParamListIndex(ck63, 107, "H"), -1);
    QCOMPARE(projParamListIndex(ck63, 107, "c"), -1);
    QCOMPARE(projParamListIndex(ck63, 107, ""), -1);
    QCOMPARE(projParamListIndex(utm, 102, "N"), 0);
    QCOMPARE(projParamListIndex(utm, 102, "Southern"), 1);
    QCOMPARE(projParamListIndex(utm, 102, "n"), -1);
    QCOMPARE(projParamListIndex(tm, 102, "N"), -1);
}

void TestCodeTables::listValues()
{
    std::vector<std::string> values{"kept"};
    QVERIFY(projParamListValues(1002, 102, values));
    QCOMPARE(values, (std::vector<std::string>{"kept", "Northern", "Southern"}));

    values.clear();
    QVERIFY(projParamListValues(1004, 107, values));
    QCOMPARE(int(values.size()), 17);
    QCOMPARE(q(values.front()), QString("C"));
    QCOMPARE(q(values.back()), QString("X"));

    values = {"kept"};
    QVERIFY(!projParamListValues(1002, 101, values));
    QCOMPARE(values, std::vector<std::string>{"kept"});
    QVERIFY(!projParamListValues(1, 102, values));
    QVERIFY(values.empty());
}

void TestCodeTables::axisLabels()
{
    const QStringList directions{"", "Север", "Восток", "Юг", "Запад", ""};
    for (int code = 0; code <= 5; ++code)
        QCOMPARE(q(axisDirectionName(code)), directions[code]);
    const QStringList roles{"", "Непрямое", "Исходные", "Результат", ""};
    for (int code = 0; code <= 4; ++code)
        QCOMPARE(q(pairwiseRoleName(code)), roles[code]);
    const QStringList scopes{"",
                             "Последовательность преобразований",
                             "Попарное преобразование датума ",
                             "Плановое преобразование датума ",
                             "Вертикальное преобразование датума",
                             ""};
    for (int code = 0; code <= 5; ++code) {
        QCOMPARE(q(transformListScopeLabel(code)), scopes[code]);
        QCOMPARE(q(transformListScopeName(code)), scopes[code]);
    }
}

void TestCodeTables::normalisingSetters_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("last");
    QTest::newRow("axis direction") << 0 << 4;
    QTest::newRow("pairwise role") << 1 << 3;
    QTest::newRow("transform list scope") << 2 << 4;
    QTest::newRow("transform type") << 3 << 3;
    QTest::newRow("transform parameter") << 4 << 7;
}

void TestCodeTables::normalisingSetters()
{
    QFETCH(int, table);
    QFETCH(int, last);
    using Setter = void (*)(int&, int);
    const Setter setters[] = {setAxisDirection, setPairwiseRole, setTransformListScope,
                              setTransformType, setTransformParamCode};
    for (int code = -1; code <= last + 2; ++code) {
        int target = 99;
        setters[table](target, code);
        QCOMPARE(target, (code >= 1 && code <= last) ? code : 0);
    }
}

void TestCodeTables::transformLabels()
{
    const QStringList types{"", "Аффинное преобразование плановых координат",
                            "Сдвиг плановых координат", "Сдвиг по высоте", ""};
    for (int code = 0; code <= 4; ++code) {
        QCOMPARE(checkTransformTypeCode(code), types[code].isEmpty() ? 0 : code);
        QCOMPARE(q(transformTypeName(code)), types[code]);
        QCOMPARE(q(transformTypeDescription(code)), QString());
        QCOMPARE(q(transformTypeShortName(code)), QString());
    }
    const QStringList params{"", "A11", "A12", "A21", "A22", "B1", "B2", "dH", ""};
    for (int code = 0; code <= 8; ++code) {
        QCOMPARE(checkTransformParamCode(code), params[code].isEmpty() ? 0 : code);
        QCOMPARE(q(transformParamName(code)), params[code]);
        QCOMPARE(q(transformParamDescription(code)), QString());
        QCOMPARE(q(transformParamShortName(code)), QString());
    }
}

void TestCodeTables::axesSignsAndSwap_data()
{
    QTest::addColumn<int>("axis1");
    QTest::addColumn<int>("axis2");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("sign1");
    QTest::addColumn<int>("sign2");
    QTest::addColumn<bool>("swap");
    QTest::newRow("north east") << 1 << 2 << true << 1 << 1 << true;
    QTest::newRow("north west") << 1 << 4 << true << -1 << 1 << true;
    QTest::newRow("south east") << 3 << 2 << true << 1 << -1 << true;
    QTest::newRow("east north") << 2 << 1 << true << 1 << 1 << false;
    QTest::newRow("west south") << 4 << 3 << true << -1 << -1 << false;
    QTest::newRow("east south") << 2 << 3 << true << 1 << -1 << false;
    QTest::newRow("north south") << 1 << 3 << false << 7 << 7 << true;
    QTest::newRow("east west") << 2 << 4 << false << 7 << 7 << true;
    QTest::newRow("none east") << 0 << 2 << false << 7 << 7 << true;
    QTest::newRow("north none") << 1 << 0 << false << 7 << 7 << true;
}

void TestCodeTables::axesSignsAndSwap()
{
    QFETCH(int, axis1);
    QFETCH(int, axis2);
    QFETCH(bool, valid);
    QFETCH(int, sign1);
    QFETCH(int, sign2);
    QFETCH(bool, swap);
    int s1 = 7;
    int s2 = 7;
    bool sw = true;
    QCOMPARE(::axesSignsAndSwap(axis1, axis2, s1, s2, sw), valid);
    QCOMPARE(s1, sign1);
    QCOMPARE(s2, sign2);
    QCOMPARE(sw, swap);
    QCOMPARE(axesOnOneAxis(axis1, axis2), !valid && axis1 != 0 && axis2 != 0);

    if (valid) {
        int back1 = 0;
        int back2 = 0;
        ::axisCodesFromFlags(s1 > 0, s2 > 0, sw, back1, back2);
        QCOMPARE(back1, axis1);
        QCOMPARE(back2, axis2);
    }
}

void TestCodeTables::axisCodesFromFlags_data()
{
    QTest::addColumn<int>("east");
    QTest::addColumn<int>("north");
    QTest::addColumn<bool>("swap");
    QTest::addColumn<int>("axis1");
    QTest::addColumn<int>("axis2");
    QTest::newRow("east north") << 1 << 1 << false << 2 << 1;
    QTest::newRow("west south") << 0 << 0 << false << 4 << 3;
    QTest::newRow("swapped") << 1 << 1 << true << 1 << 2;
    QTest::newRow("negative signs swapped") << -1 << -1 << true << 3 << 4;
}

void TestCodeTables::axisCodesFromFlags()
{
    QFETCH(int, east);
    QFETCH(int, north);
    QFETCH(bool, swap);
    QFETCH(int, axis1);
    QFETCH(int, axis2);
    int a1 = 0;
    int a2 = 0;
    ::axisCodesFromFlags(east, north, swap, a1, a2);
    QCOMPARE(a1, axis1);
    QCOMPARE(a2, axis2);
}

QTEST_GUILESS_MAIN(TestCodeTables)
#include "test_codetables.moc"
