#include "faults.h"
#include "units.h"

#include "geodesy/mapprojectionparams.h"
#include "values/mapprojinfo.h"
#include "values/mapprojparamsfactory.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include <cmath>
#include <set>

using Texts = std::map<int, std::string>;
Q_DECLARE_METATYPE(Texts)

namespace {

constexpr double kDegree = 3.141592653589793 / 180.0;

CMapProjInfo projection(int type, const Texts& texts)
{
    CMapProjInfo info;
    info.name = "projection";
    info.type = type;
    info.coord1_sign = 1;
    info.coord2_sign = 1;
    info.length_unit = metre();
    info.angle_unit = makeUnit(2, "degree", "3.141592653589793", "180");
    info.scale_unit = unity();
    info.param_values = texts;
    return info;
}

const vexa::CMapProjectionTransverseMercatorParams* asTransverseMercator(
    const std::shared_ptr<vexa::CMapProjectionParams>& params)
{
    if (!params || params->getType() != 1)
        return nullptr;
    return static_cast<const vexa::CMapProjectionTransverseMercatorParams*>(params.get());
}

// Every parameter the ordinary types read, with distinct values.
Texts allOrdinaryTexts()
{
    Texts texts;
    for (int code : {1, 2, 8, 9, 10, 11, 12, 15, 16, 18, 103})
        texts[code] = std::to_string(code);
    for (int code : {3, 4, 5, 6, 19, 20})
        texts[code] = std::to_string(code * 1000);
    for (int code : {21, 22, 104, 105})
        texts[code] = "0.9" + std::to_string(code);
    return texts;
}

} // namespace

class TestMapProjParams : public QObject
{
    Q_OBJECT

private slots:
    void ordinaryTypes_data();
    void ordinaryTypes();
    void fieldsInRecordOrder();
    void mercatorOneParallelIgnoresLatitude();
    void unitsConvertTexts();
    void unreadableTextThrows_data();
    void unreadableTextThrows();
    void refusedBeforeReading_data();
    void refusedBeforeReading();
    void zoned_data();
    void zoned();
    void regionalTableRows();
    void regionalCodesOutsideTableAreRefused();
    void districtRows();
};

void TestMapProjParams::ordinaryTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("codes");

    QTest::newRow("1 transverse Mercator") << 1 << QList<int>{103, 11, 104, 5, 6};
    QTest::newRow("2 oblique Mercator") << 2 << QList<int>{12, 18, 2, 1, 22, 4, 20};
    QTest::newRow("3 Hotine") << 3 << QList<int>{12, 18, 2, 1, 22, 5, 6};
    QTest::newRow("5 Albers") << 5 << QList<int>{8, 9, 12, 18, 3, 19};
    QTest::newRow("6 Lambert 2SP") << 6 << QList<int>{8, 9, 10, 15, 3, 19};
    QTest::newRow("7 Lambert 1SP") << 7 << QList<int>{11, 16, 105, 5, 6};
    QTest::newRow("8 Cassini") << 8 << QList<int>{11, 16, 5, 6};
    QTest::newRow("9 Mercator 2SP") << 9 << QList<int>{8, 16, 5, 6};
    QTest::newRow("10 Mercator 1SP") << 10 << QList<int>{16, 105, 5, 6};
    QTest::newRow("11 oblique stereographic") << 11 << QList<int>{16, 11, 21, 5, 6};
    QTest::newRow("24 Lambert azimuthal") << 24 << QList<int>{11, 16, 5, 6};
    QTest::newRow("26 orthographic") << 26 << QList<int>{11, 16, 5, 6};
    QTest::newRow("101 wide zone") << 101 << QList<int>{103, 104, 5, 6};
    QTest::newRow("1201 Belgian Lambert") << 1201 << QList<int>{8, 9, 10, 15, 3, 19};
}

void TestMapProjParams::ordinaryTypes()
{
    QFETCH(int, type);
    QFETCH(QList<int>, codes);

    Texts texts;
    for (int code : codes)
        texts[code] = allOrdinaryTexts().at(code);
    const auto params = projection(type, texts).toParams();
    QVERIFY(params);
    QCOMPARE(params->getType(), type);
    QVERIFY(params->isValid());

    for (int code : codes) {
        Texts missing = texts;
        missing.erase(code);
        QVERIFY2(!projection(type, missing).toParams(), qPrintable(QString::number(code)));
    }
}

void TestMapProjParams::fieldsInRecordOrder()
{
    const Texts texts = allOrdinaryTexts();

    const auto tm = asTransverseMercator(projection(1, texts).toParams());
    QVERIFY(tm);
    QCOMPARE(tm->centralMeridian, 103 * kDegree);
    QCOMPARE(tm->latitudeOfOrigin, 11 * kDegree);
    QCOMPARE(tm->scaleFactor, 0.9104);
    QCOMPARE(tm->falseEasting, 5000.0);
    QCOMPARE(tm->falseNorthing, 6000.0);

    vexa::CMapProjectionAlbersEqualAreaParams albers;
    albers.latitudeOfFirstParallel = 8 * kDegree;
    albers.latitudeOfSecondParallel = 9 * kDegree;
    albers.latitudeOfFalseOrigin = 12 * kDegree;
    albers.longitudeOfFalseOrigin = 18 * kDegree;
    albers.eastingAtFalseOrigin = 3000;
    albers.northingAtFalseOrigin = 19000;
    QVERIFY(albers.isEqual(*projection(5, texts).toParams()));

    vexa::CMapProjectionObliqueMercatorParams oblique;
    oblique.latitudeOfCentre = 12 * kDegree;
    oblique.longitudeOfCentre = 18 * kDegree;
    oblique.azimuth = 2 * kDegree;
    oblique.rectifiedGridAngle = 1 * kDegree;
    oblique.scaleFactor = 0.922;
    oblique.eastingAtCentre = 4000;
    oblique.northingAtCentre = 20000;
    QVERIFY(oblique.isEqual(*projection(2, texts).toParams()));

    vexa::CMapProjectionObliqueStereographicParams stereo;
    stereo.longitudeOfOrigin = 16 * kDegree;
    stereo.latitudeOfOrigin = 11 * kDegree;
    stereo.scaleFactor = 0.921;
    stereo.falseEasting = 5000;
    stereo.falseNorthing = 6000;
    QVERIFY(stereo.isEqual(*projection(11, texts).toParams()));

    vexa::CMapProjectionGaussKrugerWideZoneParams wide;
    wide.centralMeridian = 103 * kDegree;
    wide.scaleFactor = 0.9104;
    wide.falseEasting = 5000;
    wide.falseNorthing = 6000;
    QVERIFY(wide.isEqual(*projection(101, texts).toParams()));
}

void TestMapProjParams::mercatorOneParallelIgnoresLatitude()
{
    const auto params = projection(10, allOrdinaryTexts()).toParams();
    QVERIFY(params);
    const auto& mercator = static_cast<const vexa::CMapProjectionMercator1SPParams&>(*params);
    QCOMPARE(mercator.latitudeOfOrigin, 0.0);
    QCOMPARE(mercator.longitudeOfOrigin, 16 * kDegree);
    QCOMPARE(mercator.scaleFactor, 0.9105);
}

void TestMapProjParams::unitsConvertTexts()
{
    CMapProjInfo info = projection(1, {{103, "37 30 0"}, {11, "0"}, {104, "-400"},
                                       {5, "500"}, {6, "-0.5"}});
    info.angle_unit = degree(2);
    info.length_unit = kilometre();
    info.scale_unit = partsPerMillion();
    const auto tm = asTransverseMercator(info.toParams());
    QVERIFY(tm);
    QVERIFY(std::fabs(tm->centralMeridian - 37.5 * 3.14159265358979 / 180) < 1e-15);
    QVERIFY(std::fabs(tm->scaleFactor + 0.0004) < 1e-15);
    QCOMPARE(tm->falseEasting, 500000.0);
    QCOMPARE(tm->falseNorthing, -500.0);

    info.angle_unit.reset();
    QVERIFY(!info.toParams());
}

void TestMapProjParams::unreadableTextThrows_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fault");

    QTest::newRow("letters") << 5 << "abc" << "invalid_argument:stod";
    QTest::newRow("too large") << 6 << "1e400" << "out_of_range:stod";
    QTest::newRow("nan") << 104 << "nan" << "runtime_error:CUnitInfo::toDouble";
    QTest::newRow("infinite angle") << 103 << "inf" << "runtime_error:CAngleFormatInfo::toDouble";
}

void TestMapProjParams::unreadableTextThrows()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QFETCH(QString, fault);

    CMapProjInfo info = projection(1, allOrdinaryTexts());
    info.angle_unit = degree(1);
    info.param_values[code] = text.toStdString();
    QCOMPARE(faultOf([&] { info.toParams(); }), fault);
}

void TestMapProjParams::refusedBeforeReading_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("sign1");
    QTest::addColumn<int>("sign2");

    QTest::newRow("type 0") << 0 << "p" << 1 << 1;
    QTest::newRow("empty name") << 1 << "" << 1 << 1;
    QTest::newRow("sign 1 zero") << 1 << "p" << 0 << 1;
    QTest::newRow("sign 2 zero") << 1 << "p" << 1 << 0;
    QTest::newRow("NZMG not built") << 4 << "p" << 1 << 1;
    QTest::newRow("polar stereographic not built") << 12 << "p" << 1 << 1;
    QTest::newRow("1011 not built") << 1011 << "p" << 1 << 1;
    QTest::newRow("1313 not built") << 1313 << "p" << 1 << 1;
}

void TestMapProjParams::refusedBeforeReading()
{
    QFETCH(int, type);
    QFETCH(QString, name);
    QFETCH(int, sign1);
    QFETCH(int, sign2);

    Texts texts = allOrdinaryTexts();
    for (auto& entry : texts)
        entry.second = "unreadable";
    CMapProjInfo info = projection(type, texts);
    info.name = name.toStdString();
    info.coord1_sign = sign1;
    info.coord2_sign = sign2;
    QVERIFY(!info.toParams());
}

void TestMapProjParams::zoned_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<Texts>("texts");
    QTest::addColumn<bool>("made");
    QTest::addColumn<double>("meridian");
    QTest::addColumn<double>("scale");
    QTest::addColumn<double>("easting");
    QTest::addColumn<double>("northing");

    QTest::newRow("1001 zone 7") << 1001 << Texts{{101, "7"}} << true << 39.0 << 1.0
                                 << 7500000.0 << 0.0;
    QTest::newRow("1001 zone 1") << 1001 << Texts{{101, "1"}} << true << 3.0 << 1.0
                                 << 1500000.0 << 0.0;
    QTest::newRow("1001 zone text with tail") << 1001 << Texts{{101, " 60 zone"}} << true
                                              << 357.0 << 1.0 << 60500000.0 << 0.0;
    QTest::newRow("1001 zone 0") << 1001 << Texts{{101, "0"}} << false << 0.0 << 0.0 << 0.0
                                 << 0.0;
    QTest::newRow("1001 zone 61") << 1001 << Texts{{101, "61"}} << false << 0.0 << 0.0 << 0.0
                                  << 0.0;
    QTest::newRow("1001 zone letters") << 1001 << Texts{{101, "z7"}} << false << 0.0 << 0.0
                                       << 0.0 << 0.0;
    QTest::newRow("1001 zone beyond int") << 1001 << Texts{{101, "4294967303"}} << false << 0.0
                                          << 0.0 << 0.0 << 0.0;
    QTest::newRow("1001 no zone") << 1001 << Texts{} << false << 0.0 << 0.0 << 0.0 << 0.0;

    QTest::newRow("1002 zone 37 S") << 1002 << Texts{{101, "37"}, {102, "S"}} << true << 39.0
                                    << 0.9996 << 500000.0 << 10000000.0;
    QTest::newRow("1002 zone 1 North") << 1002 << Texts{{101, "1"}, {102, "North"}} << true
                                       << -177.0 << 0.9996 << 500000.0 << 0.0;
    QTest::newRow("1002 lower case s") << 1002 << Texts{{101, "37"}, {102, "s"}} << false << 0.0
                                       << 0.0 << 0.0 << 0.0;
    QTest::newRow("1002 empty hemisphere") << 1002 << Texts{{101, "37"}, {102, ""}} << false
                                           << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("1002 no hemisphere") << 1002 << Texts{{101, "37"}} << false << 0.0 << 0.0
                                        << 0.0 << 0.0;
    QTest::newRow("1002 zone 61") << 1002 << Texts{{101, "61"}, {102, "N"}} << false << 0.0
                                  << 0.0 << 0.0 << 0.0;

    QTest::newRow("1003 region 5") << 1003 << Texts{{106, "5"}, {101, "2"}, {24, "3"}} << true
                                   << 40.983333333333334 << 1.0 << 2300000.0 << -11057.628;
    QTest::newRow("1003 region 2") << 1003 << Texts{{106, "2"}, {101, "1"}, {24, "3"}} << true
                                   << 55.03333333333333 << 1.0 << 1300000.0 << -5409414.7;
    QTest::newRow("1003 region 20") << 1003 << Texts{{106, "20"}, {101, "3"}, {24, "6"}} << true
                                    << 55.983333333333334 << 1.0 << 3300000.0 << -4311057.63;
    QTest::newRow("1003 region 41") << 1003 << Texts{{106, "41"}, {101, "1"}, {24, "3"}} << true
                                    << 158.46666666666667 << 1.0 << 1400000.0 << -5316586.442;
    QTest::newRow("1003 region 57") << 1003 << Texts{{106, "57"}, {101, "2"}, {24, "3"}} << true
                                    << 35.483333333333334 << 1.0 << 2250000.0 << -12900.566;
    QTest::newRow("1003 region 124") << 1003 << Texts{{106, "124"}, {101, "5"}, {24, "6"}}
                                     << true << 93.0 << 1.0 << 54304.47 << -6196680.59;
    QTest::newRow("1003 region 1964") << 1003 << Texts{{106, "1964"}, {101, "60"}, {24, "1"}}
                                      << true << 30.0 << 1.0 << 95942.17 << -6552810.0;
    QTest::newRow("1003 region 17") << 1003 << Texts{{106, "17"}, {101, "2"}, {24, "3"}} << false
                                    << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("1003 region 0") << 1003 << Texts{{106, "0"}, {101, "2"}, {24, "3"}} << false
                                   << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("1003 fixed row, zone 0") << 1003 << Texts{{106, "124"}, {101, "0"}, {24, "3"}}
                                            << false << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("1003 fixed row, width 360")
        << 1003 << Texts{{106, "124"}, {101, "1"}, {24, "360"}} << false << 0.0 << 0.0 << 0.0
        << 0.0;
    QTest::newRow("1003 width 0") << 1003 << Texts{{106, "5"}, {101, "1"}, {24, "0"}} << false
                                  << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("1003 negative width") << 1003 << Texts{{106, "5"}, {101, "1"}, {24, "-3"}}
                                         << false << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("1003 no width") << 1003 << Texts{{106, "5"}, {101, "1"}} << false << 0.0
                                   << 0.0 << 0.0 << 0.0;

    QTest::newRow("1004 D, several letters") << 1004 << Texts{{107, "Dnepr"}, {101, "1"}, {24, "6"}}
                                             << true << 38.55 << 1.0 << 1250000.0 << -14743.504;
    QTest::newRow("1004 X zone 3") << 1004 << Texts{{107, "X"}, {101, "3"}, {24, "3"}} << true
                                   << 29.5 << 1.0 << 3300000.0 << -9214.69;
    QTest::newRow("1004 H") << 1004 << Texts{{107, "H"}, {101, "1"}, {24, "6"}} << false << 0.0
                            << 0.0 << 0.0 << 0.0;
    QTest::newRow("1004 lower case d") << 1004 << Texts{{107, "d"}, {101, "1"}, {24, "6"}}
                                       << false << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("1004 empty district") << 1004 << Texts{{107, ""}, {101, "1"}, {24, "6"}}
                                         << false << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("1004 width 400") << 1004 << Texts{{107, "D"}, {101, "1"}, {24, "400"}}
                                    << false << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("1004 zone 61") << 1004 << Texts{{107, "D"}, {101, "61"}, {24, "6"}} << false
                                  << 0.0 << 0.0 << 0.0 << 0.0;
}

void TestMapProjParams::zoned()
{
    QFETCH(int, type);
    QFETCH(Texts, texts);
    QFETCH(bool, made);
    QFETCH(double, meridian);
    QFETCH(double, scale);
    QFETCH(double, easting);
    QFETCH(double, northing);

    const auto params = projection(type, texts).toParams();
    QCOMPARE(params != nullptr, made);
    if (!made)
        return;
    const auto tm = asTransverseMercator(params);
    QVERIFY(tm);
    QVERIFY(tm->isValid());
    QVERIFY2(std::fabs(tm->centralMeridian - meridian * kDegree) < 1e-15,
             qPrintable(QString::number(tm->centralMeridian / kDegree, 'g', 17)));
    QCOMPARE(tm->latitudeOfOrigin, 0.0);
    QCOMPARE(tm->scaleFactor, scale);
    QCOMPARE(tm->falseEasting, easting);
    QCOMPARE(tm->falseNorthing, northing);
}

void TestMapProjParams::regionalTableRows()
{
    QFile file(TESTDATA_DIR "/regional-systems.csv");
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    int rows = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('#') || line.startsWith("region_code"))
            continue;
        const QStringList fields = line.split(',');
        QCOMPARE(fields.size(), 5);
        const bool fixed = fields[1] == "fixed";
        const double northing = fields[2].toDouble();
        const double offset = fields[3].toDouble();
        const double longitude = fields[4].toDouble();
        ++rows;

        const Texts texts{{106, fields[0].toStdString()}, {101, "4"}, {24, "6"}};
        const auto tm = asTransverseMercator(projection(1003, texts).toParams());
        QVERIFY2(tm, qPrintable(line));
        const double meridian = fixed ? longitude : longitude + 3 * 6.0;
        QVERIFY2(std::fabs(tm->centralMeridian - meridian * kDegree) < 1e-15, qPrintable(line));
        QCOMPARE(tm->falseEasting, fixed ? offset : 4000000.0 + offset);
        QCOMPARE(tm->falseNorthing, northing);
    }
    QCOMPARE(rows, 86);
}

void TestMapProjParams::regionalCodesOutsideTableAreRefused()
{
    std::set<int> codes;
    for (int code = 2; code <= 87; ++code)
        codes.insert(code);
    for (int code : {1, 17, 19, 77, 78, 79, 80, 81, 82, 84, 85})
        codes.erase(code);
    for (int code : {124, 163, 164, 165, 166, 167, 168, 169, 170, 1964})
        codes.insert(code);
    QCOMPARE(codes.size(), size_t(86));

    for (int code = -1; code <= 2100; ++code) {
        const bool listed = codes.count(code) > 0;
        QCOMPARE(findRegionalSystem(code) != nullptr, listed);
        const Texts texts{{106, std::to_string(code)}, {101, "1"}, {24, "6"}};
        QCOMPARE(projection(1003, texts).toParams() != nullptr, listed);
    }
}

void TestMapProjParams::districtRows()
{
    const std::string letters = "CDEFGIJLMPQRSTVWX";
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const bool listed = letters.find(letter) != std::string::npos;
        QCOMPARE(findDistrictSystem(letter) != nullptr, listed);
        if (!listed)
            continue;
        const CZonedSystemRow& row = *findDistrictSystem(letter);
        QVERIFY(!row.fixed);
        const Texts texts{{107, std::string(1, letter)}, {101, "2"}, {24, "3"}};
        const auto tm = asTransverseMercator(projection(1004, texts).toParams());
        QVERIFY(tm);
        QVERIFY(std::fabs(tm->centralMeridian - (row.longitude + 3) * kDegree) < 1e-15);
        QCOMPARE(tm->falseEasting, 2000000.0 + row.easting);
        QCOMPARE(tm->falseNorthing, row.falseNorthing);
    }
}

VALUES_TEST_MAIN(TestMapProjParams)
#include "test_mapprojparams.moc"
