#include "recordfixtures.h"

#include "geodesy/mapprojectionparams.h"
#include "records/coordsysdetails.h"
#include "records/wkt/wktitems.h"
#include "records/wkt/wktparser.h"
#include "values/mapprojinfo.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}

QString corpus(const QString& name)
{
    return readText(QStringLiteral(TESTDATA_DIR "/wkt/") + name);
}

std::shared_ptr<CCoordSysDetails> fromWkt(const QString& text)
{
    const CWktItemPtr root = parseWkt(text);
    return CCoordSysDetails::createFromWkt(root.get());
}

const char* const tmParameters =
    "PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"latitude_of_origin\",0],"
    "PARAMETER[\"central_meridian\",39],PARAMETER[\"scale_factor\",1],"
    "PARAMETER[\"false_easting\",7500000],PARAMETER[\"false_northing\",0]";

QString geogcs(const QString& datum = QStringLiteral(
                   "DATUM[\"D\",SPHEROID[\"S\",6378137,298.257223563],TOWGS84[0,0,0,0,0,0,0]]"))
{
    return QStringLiteral("GEOGCS[\"G\",%1,PRIMEM[\"Greenwich\",0],"
                          "UNIT[\"degree\",0.0174532925199433]]")
        .arg(datum);
}

QString projcs(const QString& axes, const QString& unit = QStringLiteral("UNIT[\"metre\",1]"))
{
    return QStringLiteral("PROJCS[\"P\",%1,%2,%3%4]")
        .arg(geogcs(), QLatin1String(tmParameters), unit, axes);
}

} // namespace

class TestCoordSysFromWkt : public QObject
{
    Q_OBJECT

private slots:
    void corpusThroughXml_data();
    void corpusThroughXml();
    void refusedCorpus_data();
    void refusedCorpus();
    void geodeticSystem();
    void projectedSystem();
    void sphereFromZeroFlattening();
    void axes_data();
    void axes();
    void footProjectionKeepsItsUnits();
    void unitScopes();
    void angleFormatFromEpsgUnit_data();
    void angleFormatFromEpsgUnit();
    void noRootGivesNothing();
    void northFirstWithAnOddNodeBeforeItsAxes_data();
    void northFirstWithAnOddNodeBeforeItsAxes();
    void unreadAxisRefused_data();
    void unreadAxisRefused();
    void primeMeridianInDegrees();
};

void TestCoordSysFromWkt::corpusThroughXml_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("epsg");
    QTest::newRow("geographic WGS 84") << "geographic_wgs84.wkt" << 4 << 4326;
    QTest::newRow("UTM 33N") << "utm_zone_33n.wkt" << 5 << 32633;
    QTest::newRow("Gauss-Kruger 7") << "pulkovo_1942_gk_zone_7.wkt" << 5 << 28407;
    QTest::newRow("mixed case keywords") << "projected_mixed_case.wkt" << 5 << 0;
}

void TestCoordSysFromWkt::corpusThroughXml()
{
    QFETCH(QString, file);
    const auto record = fromWkt(corpus(file));
    QVERIFY(record);
    QTEST(record->type, "type");
    QTEST(record->epsgCode, "epsg");
    QVERIFY(record->datum && record->datum->datumShift && record->datum->ellipsoid);

    bool read = false;
    const CCoordSysDetails back = roundTrip(*record, &read);
    QVERIFY(read);
    QVERIFY(back == *record);
    QCOMPARE(xmlText(back), xmlText(*record));
}

void TestCoordSysFromWkt::refusedCorpus_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    const QMap<QString, QString> reasons{
        {"refused_no_towgs84.wkt", "DATUM[\"WGS_1984\"]: нет узла TOWGS84"},
        {"refused_two_trees.wkt", "не образуют одно дерево"},
        {"refused_unbalanced.wkt", "не образуют одно дерево"},
        {"refused_unsupported_projection.wkt",
         "PROJECTION[\"Lambert_Conformal_Conic_2SP\"]: проекция «Lambert_Conformal_Conic_2SP» не поддерживается"},
        {"refused_wkt2.wkt", "неизвестный узел «GEOGCRS»"}};
    const QDir folder(QStringLiteral(TESTDATA_DIR "/wkt"));
    for (const QString& name : folder.entryList({QStringLiteral("refused_*.wkt")}))
        QTest::newRow(qPrintable(name)) << name << reasons.value(name, QStringLiteral("no reason listed"));
}

void TestCoordSysFromWkt::refusedCorpus()
{
    QFETCH(QString, file);
    QFETCH(QString, reason);
    CCoordSysDetails record;
    record.name = QStringLiteral("old");
    const CWktItemPtr root = parseWkt(corpus(file));
    QVERIFY(!record.fromWkt(root.get()));
    QVERIFY(record.name.isEmpty());

    record.name = QStringLiteral("old");
    QString error;
    QVERIFY(!record.fromWktText(corpus(file), &error));
    QVERIFY(record.name.isEmpty());
    QVERIFY2(error.contains(reason), qPrintable(error));
}

void TestCoordSysFromWkt::northFirstWithAnOddNodeBeforeItsAxes_data()
{
    QTest::addColumn<QString>("text");
    const QString text = corpus(QStringLiteral("pulkovo_1942_gk_zone_7.wkt"));
    const QString axes = QStringLiteral("AXIS[\"X\",NORTH]");
    const auto before = [&](const QString& node) { return QString(text).replace(axes, node + "," + axes); };
    QTest::newRow("none") << text;
    QTest::newRow("EXTENSION") << before(QStringLiteral(
        "EXTENSION[\"PROJ4\",\"+proj=tmerc +lat_0=0 +lon_0=39 +k=1 +x_0=7500000 +y_0=0 +ellps=krass\"]"));
    QTest::newRow("unknown node with children") << before(QStringLiteral("VERT_EXTRA[\"a\",UNIT[\"b\",1],AXIS[\"Z\",NORTH]]"));
    QTest::newRow("other authority inside UNIT")
        << QString(text).replace(QStringLiteral("AUTHORITY[\"EPSG\",\"9001\"]"), QStringLiteral("AUTHORITY[\"ESRI\",\"9001\"]"));
    QTest::newRow("unknown PARAMETER") << before(QStringLiteral("PARAMETER[\"standard_parallel_1\",50]"));
    QTest::newRow("AUTHORITY inside PARAMETER")
        << QString(text).replace(QStringLiteral("PARAMETER[\"false_northing\",0]"),
                                 QStringLiteral("PARAMETER[\"false_northing\",0,AUTHORITY[\"EPSG\",\"8807\"]]"));
}

// The odd node is skipped whole: the axes after it still give X north and Y east with the
// swap, and the system keeps its EPSG code.
void TestCoordSysFromWkt::northFirstWithAnOddNodeBeforeItsAxes()
{
    QFETCH(QString, text);
    CCoordSysDetails record;
    QString error;
    QVERIFY2(record.fromWktText(text, &error), qPrintable(error));
    QCOMPARE(record.coord1Abbr, QStringLiteral("X"));
    QCOMPARE(record.coord2Abbr, QStringLiteral("Y"));
    QCOMPARE(record.coord1Desc, QStringLiteral("North"));
    QVERIFY(record.swapCoords);
    QCOMPARE(record.mapProjection->swapCoords, 1);
    QCOMPARE(record.epsgCode, 28407);
    QCOMPARE(record.datum->epsgCode, 6284);
}

void TestCoordSysFromWkt::unreadAxisRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    const QString text = corpus(QStringLiteral("pulkovo_1942_gk_zone_7.wkt"));
    const QString first = QStringLiteral("AXIS[\"X\",NORTH]");
    QTest::newRow("second of an unknown direction")
        << QString(text).replace(QStringLiteral("AXIS[\"Y\",EAST]"), QStringLiteral("AXIS[\"Y\",SIDEWAYS]"))
        << "AXIS[\"Y\"]: направление «SIDEWAYS» не поддерживается\n"
           "PROJCS[\"Pulkovo 1942 / Gauss-Kruger zone 7\"]: ось AXIS[\"Y\"] не прочитана, порядок координат неизвестен";
    QTest::newRow("first of an unknown direction, before the pair")
        << QString(text).replace(first, QStringLiteral("AXIS[\"H\",UP],") + first)
        << "AXIS[\"H\"]: направление «UP» не поддерживается\n"
           "PROJCS[\"Pulkovo 1942 / Gauss-Kruger zone 7\"]: ось AXIS[\"H\"] не прочитана, порядок координат неизвестен";
    QTest::newRow("first without a name")
        << QString(text).replace(first, QStringLiteral("AXIS[\"\",NORTH]"))
        << "AXIS[\"\"]: нет названия\n"
           "PROJCS[\"Pulkovo 1942 / Gauss-Kruger zone 7\"]: ось AXIS[\"\"] не прочитана, порядок координат неизвестен";
}

// An AXIS that cannot be read leaves the order of the coordinates unknown: the text is
// refused, not read with the default axes.
void TestCoordSysFromWkt::unreadAxisRefused()
{
    QFETCH(QString, text);
    CCoordSysDetails record;
    record.name = QStringLiteral("old");
    QString error;
    QVERIFY(!record.fromWktText(text, &error));
    QVERIFY(record.name.isEmpty());
    QTEST(error, "reason");
}

void TestCoordSysFromWkt::primeMeridianInDegrees()
{
    CCoordSysDetails record;
    QString error;
    QVERIFY2(record.fromWktText(QStringLiteral(
                 "GEOGCS[\"NTF (Paris)\",DATUM[\"NTF\",SPHEROID[\"Clarke 1880 (IGN)\",6378249.2,293.466021293627],"
                 "TOWGS84[-168,-60,320,0,0,0,0]],PRIMEM[\"Paris\",2.33722917],UNIT[\"grad\",0.015707963267949]]"),
             &error), qPrintable(error));
    QCOMPARE(record.primeMeridian->longitude, QStringLiteral("2.33722917"));
    QCOMPARE(record.primeMeridian->unit->name, QStringLiteral("degree"));
    QCOMPARE(record.primeMeridian->unit->factorB.toDouble(), 0.0174532925199433);
    QCOMPARE(record.angleUnit->name, QStringLiteral("grad"));
}

void TestCoordSysFromWkt::geodeticSystem()
{
    const auto record = fromWkt(geogcs(
        QStringLiteral("DATUM[\"D\",SPHEROID[\"S\",6378245,298.3,AUTHORITY[\"EPSG\",\"7024\"]],"
                       "TOWGS84[0,0,0,0,0,0,0],AUTHORITY[\"EPSG\",\"6284\"]]")));
    QVERIFY(record);
    QCOMPARE(record->name, QStringLiteral("G"));
    QCOMPARE(record->coordSysType.code, 4);
    QCOMPARE(record->angleUnit->name, QStringLiteral("degree"));
    QCOMPARE(record->angleUnit->scope, 2);
    QCOMPARE(record->heightUnit->epsgCode, 9001);
    QVERIFY(!record->lengthUnit && !record->mapProjection && !record->ellipsoid);
    QCOMPARE(QStringList({record->coord1Abbr, record->coord2Abbr, record->coord3Abbr,
                          record->coord1Desc, record->coord2Desc, record->coord3Desc}),
             QStringList({"Lat", "Lon", "H", "Latitude", "Longitude", "Height"}));

    const CDatumDetails& datum = *record->datum;
    QCOMPARE(datum.epsgCode, 6284);
    QCOMPARE(datum.ellipsoid->epsgCode, 7024);
    QCOMPARE(datum.ellipsoid->unit->name, QStringLiteral("metre"));
    const CDatumShiftDetails& shift = *datum.datumShift;
    QCOMPARE(shift.name, QStringLiteral("D to WGS84"));
    QCOMPARE(shift.type, 4);
    QCOMPARE(shift.datumShiftType.code, 4);
    QCOMPARE(QStringList({shift.lengthUnit->name, shift.angleUnit->name, shift.scaleUnit->name}),
             QStringList({"metre", "arc-second", "ppm"}));
    QCOMPARE(shift.angleUnit->factorB, QStringLiteral("0.0000048481368110953599359"));
    // The prime meridian takes the unit of its GEOGCS.
    QCOMPARE(record->primeMeridian->unit->name, QStringLiteral("degree"));
    QCOMPARE(record->primeMeridian->unit->epsgCode, 0);
}

void TestCoordSysFromWkt::projectedSystem()
{
    const auto record = fromWkt(corpus(QStringLiteral("pulkovo_1942_gk_zone_7.wkt")));
    QVERIFY(record);
    QCOMPARE(record->name, QStringLiteral("Pulkovo 1942 / Gauss-Kruger zone 7"));
    QVERIFY(!record->angleUnit && !record->ellipsoid);
    QCOMPARE(record->lengthUnit->epsgCode, 9001);
    QVERIFY(record->swapCoords);
    QCOMPARE(record->coord1Abbr, QStringLiteral("X"));
    QCOMPARE(record->coord1Desc, QStringLiteral("North"));
    QCOMPARE(record->coord3Abbr, QStringLiteral("H"));
    const CMapProjDetails& projection = *record->mapProjection;
    QCOMPARE(projection.mapProjType.code, 1);
    QCOMPARE(projection.epsgCode, 0);
    QCOMPARE(projection.paramValues,
             (QMap<int, QString>{{103, "39"}, {11, "0"}, {104, "1"}, {5, "7500000"}, {6, "0"}}));
    QCOMPARE(projection.params.keys(), QList<int>({5, 6, 11, 103, 104}));
    QCOMPARE(projection.angleUnit->epsgCode, 9122);
    QCOMPARE(projection.scaleUnit->epsgCode, 9201);
    QCOMPARE(record->datum->datumShift->translationX, QStringLiteral("23.57"));
    QCOMPARE(record->datum->datumShift->scaleChange, QStringLiteral("-0.22"));
}

void TestCoordSysFromWkt::sphereFromZeroFlattening()
{
    const auto record = fromWkt(
        geogcs(QStringLiteral("DATUM[\"D\",SPHEROID[\"S\",6371000,0],TOWGS84[0,0,0,0,0,0,0]]")));
    QVERIFY(record);
    const CEllipsoidDetails& sphere = *record->datum->ellipsoid;
    QVERIFY(sphere.sphere);
    QVERIFY(!sphere.useInverseFlattening);
    QVERIFY(sphere.inverseFlattening.isEmpty());
}

void TestCoordSysFromWkt::axes_data()
{
    QTest::addColumn<QString>("axes");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("sign1");
    QTest::addColumn<int>("sign2");
    QTest::addColumn<bool>("swap");

    QTest::newRow("north east") << ",AXIS[\"X\",NORTH],AXIS[\"Y\",EAST]"
                                << QStringList({"X", "North", "Y", "East"}) << 1 << 1 << true;
    QTest::newRow("north west") << ",AXIS[\"X\",NORTH],AXIS[\"Y\",WEST]"
                                << QStringList({"X", "North", "Y", "West"}) << -1 << 1 << true;
    QTest::newRow("south west") << ",AXIS[\"X\",SOUTH],AXIS[\"Y\",WEST]"
                                << QStringList({"X", "South", "Y", "West"}) << -1 << -1 << true;
    QTest::newRow("west south") << ",AXIS[\"W\",WEST],AXIS[\"S\",SOUTH]"
                                << QStringList({"W", "West", "S", "South"}) << -1 << -1 << false;
    QTest::newRow("east north") << ",AXIS[\"Easting\",EAST],AXIS[\"Northing\",NORTH]"
                                << QStringList({"Easting", "East", "Northing", "North"}) << 1 << 1
                                << false;
    const QStringList defaults{"E", "East", "N", "North"};
    QTest::newRow("east east") << ",AXIS[\"X\",EAST],AXIS[\"Y\",EAST]" << defaults << 1 << 1
                               << false;
    QTest::newRow("single axis") << ",AXIS[\"X\",NORTH]" << defaults << 1 << 1 << false;
    QTest::newRow("other first") << ",AXIS[\"X\",OTHER],AXIS[\"Y\",NORTH]" << defaults << 1 << 1
                                 << false;
    QTest::newRow("no axes") << "" << defaults << 1 << 1 << false;
}

void TestCoordSysFromWkt::axes()
{
    QFETCH(QString, axes);
    const auto record = fromWkt(projcs(axes));
    QVERIFY(record);
    const CMapProjDetails& projection = *record->mapProjection;
    QTEST(QStringList({projection.coord1Abbr, projection.coord1Desc, projection.coord2Abbr,
                       projection.coord2Desc}),
          "labels");
    QTEST(QStringList({record->coord1Abbr, record->coord1Desc, record->coord2Abbr,
                       record->coord2Desc}),
          "labels");
    QTEST(projection.coord1Sign, "sign1");
    QTEST(projection.coord2Sign, "sign2");
    QTEST(projection.swapCoords != 0, "swap");
    QTEST(record->swapCoords, "swap");
}

void TestCoordSysFromWkt::footProjectionKeepsItsUnits()
{
    const auto record = fromWkt(readText(QStringLiteral(TESTDATA_DIR "/e2e/idaho_east_ftus.wkt")));
    QVERIFY(record);
    QCOMPARE(record->lengthUnit->name, QStringLiteral("US survey foot"));
    const CMapProjDetails& projection = *record->mapProjection;
    QCOMPARE(projection.lengthUnit->name, QStringLiteral("US survey foot"));
    QCOMPARE(projection.lengthUnit->factorB, QStringLiteral("0.304800609601219"));
    QCOMPARE(projection.angleUnit->name, QStringLiteral("degree"));
    QCOMPARE(projection.paramValues.value(5), QStringLiteral("656166.667"));

    CMapProjInfo info;
    QVERIFY(projection.toInfo(info));
    const auto params = info.toParams();
    QVERIFY(params && params->getType() == 1);
    const auto& tm = static_cast<const vexa::CMapProjectionTransverseMercatorParams&>(*params);
    QVERIFY(qAbs(tm.falseEasting - 200000.0001016) < 1e-6);
    QVERIFY(qAbs(tm.centralMeridian - (-112.1666666666667) * 3.14159265358979 / 180) < 1e-12);

    QDomDocument document;
    document.appendChild(record->toXml(document, QStringLiteral("coordsys")));
    const QString xml = document.toString();
    QVERIFY(xml.contains(QStringLiteral("<FactorB>0.304800609601219</FactorB>")));
    const CCoordSysDetails back = roundTrip(*record);
    QVERIFY(back == *record);
}

void TestCoordSysFromWkt::unitScopes()
{
    const auto metre = CWktItemUNIT::makeMetre();
    for (int scope : {0, 4, -1})
        QVERIFY(!CUnitDetails::createFromWkt(metre.get(), scope));
    const auto unit = CUnitDetails::createFromWkt(metre.get(), 3);
    QVERIFY(unit);
    QCOMPARE(unit->factorC, QStringLiteral("1"));
    QCOMPARE(unit->epsgCode, 9001);
    QCOMPARE(unit->mapinfoCode, NoValue);
    QVERIFY(!CUnitDetails::createFromWkt(nullptr, 1));
}

void TestCoordSysFromWkt::angleFormatFromEpsgUnit_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("scope");
    QTest::addColumn<int>("format");

    QTest::newRow("degree minute second") << "UNIT[\"degree minute second\",0.0174532925199433,AUTHORITY[\"EPSG\",\"9107\"]]"
                                          << 2 << 2;
    QTest::newRow("with hemisphere") << "UNIT[\"dms hemisphere\",0.0174532925199433,AUTHORITY[\"EPSG\",\"9108\"]]"
                                     << 2 << 3;
    QTest::newRow("degree") << "UNIT[\"degree\",0.0174532925199433,AUTHORITY[\"EPSG\",\"9122\"]]" << 2 << 0;
    QTest::newRow("no authority") << "UNIT[\"degree\",0.0174532925199433]" << 2 << 0;
    QTest::newRow("length unit of the same code") << "UNIT[\"odd\",1,AUTHORITY[\"EPSG\",\"9107\"]]" << 1 << 0;
}

// An angular unit with the EPSG code of an angle format shows its values in that format.
void TestCoordSysFromWkt::angleFormatFromEpsgUnit()
{
    QFETCH(QString, unit);
    QFETCH(int, scope);
    QFETCH(int, format);
    const CWktItemPtr root = parseWkt(unit);
    const auto record = CUnitDetails::createFromWkt(dynamic_cast<const CWktItemUNIT*>(root.get()), scope);
    QVERIFY(record);
    QCOMPARE(record->angleFormat ? record->angleFormat->code : 0, format);
    if (format != 0)
        QVERIFY(*record->angleFormat == *CAngleFormatDetails::createForEpsgUnit(record->epsgCode));
}

void TestCoordSysFromWkt::noRootGivesNothing()
{
    QVERIFY(!CCoordSysDetails::createFromWkt(nullptr));
    const CWktItemPtr datum = parseWkt(
        QStringLiteral("DATUM[\"D\",SPHEROID[\"S\",6378137,298.257223563],TOWGS84[0,0,0,0,0,0,0]]"));
    QVERIFY(datum);
    QVERIFY(!CCoordSysDetails::createFromWkt(datum.get()));
    CCoordSysDetails record;
    QString error;
    QVERIFY(!record.fromWktText(
        QStringLiteral("DATUM[\"D\",SPHEROID[\"S\",6378137,298.257223563],TOWGS84[0,0,0,0,0,0,0]]"), &error));
    QCOMPARE(error, QStringLiteral("Узел DATUM не задаёт систему координат: нужен PROJCS или GEOGCS"));
}

QTEST_MAIN(TestCoordSysFromWkt)
#include "test_coordsysfromwkt.moc"
