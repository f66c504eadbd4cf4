#include "definitionfixtures.h"
#include "recordfixtures.h"

#include "records/coordsysdetails.h"
#include "values/coordsysinfo.h"

#include <QtTest>

#include <functional>

using Change = std::function<void(CCoordSysDetails&)>;
Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(CCoordSysDetails)

namespace {

CCoordSysDetails geodetic()
{
    CCoordSysDetails record;
    record.name = QStringLiteral("Пулково");
    record.type = 4;
    record.coordSysType.setCode(4);
    record.datum = std::make_shared<CDatumDetails>(datumFromFile(QStringLiteral("pulkovo1942.xml")));
    record.primeMeridian = std::make_shared<CPrimeMeridianDetails>(greenwich());
    record.angleUnit = degree();
    record.heightUnit = metre();
    record.coord1Abbr = QStringLiteral("B");
    record.coord2Abbr = QStringLiteral("L");
    record.coord3Abbr = QStringLiteral("H");
    record.coord3Desc = QStringLiteral("Высота");
    return record;
}

CCoordSysDetails projected()
{
    CCoordSysDetails record = geodetic();
    record.name = QStringLiteral("СК-42, зона 7");
    record.type = 5;
    record.coordSysType.setCode(5);
    record.angleUnit.reset();
    record.mapProjection = std::make_shared<CMapProjDetails>(gaussKrugerZone7());
    record.lengthUnit = metre();
    record.transformList = std::make_shared<CTransformListDetails>(transformList(1, QString()));
    record.pairwiseTransforms.insert(QStringLiteral("A"),
                                     std::make_shared<CTransformListDetails>(transformList(2, "A")));
    record.epsgCode = 28407;
    return record;
}

CCoordSysDetails topocentric()
{
    CCoordSysDetails record;
    record.name = QStringLiteral("Местная");
    record.type = 6;
    record.coordSysType.setCode(6);
    record.originCoord1 = QStringLiteral("55.75");
    record.originCoord2 = QStringLiteral("37.61");
    record.originCoord3 = QStringLiteral("150");
    record.originAngleUnit = degree();
    record.originAngleUnit->shortName = QStringLiteral("°");
    record.originLengthUnit = metre();
    record.originLengthUnit->shortName.clear();
    record.azimuth = QStringLiteral("30");
    record.azimuthUnit = degree();
    record.swapCoords = true;
    record.lengthUnit = metre();
    return record;
}

QDomElement element(const QString& xml)
{
    QDomDocument document;
    document.setContent(xml);
    return document.documentElement();
}

} // namespace

class TestCoordSysDetails : public QObject
{
    Q_OBJECT

private slots:
    void validity_data();
    void validity();
    void invalidRecordWritesEmptyElement();
    void xmlRoundTrip_data();
    void xmlRoundTrip();
    void xmlOrder();
    void invalidLinkedUnitIsNotWritten();
    void readingFlagsAndPairwiseLists();
    void equality_data();
    void equality();
    void toInfo();
    void toInfoFailsOnInvalidLink();
    void topocentricText();
    void treeFollowsType();
    void readingTakesWhatTheFileGives_data();
    void readingTakesWhatTheFileGives();
};

void TestCoordSysDetails::validity_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("valid");

    QTest::newRow("projected") << Change([](CCoordSysDetails&) {}) << true;
    QTest::newRow("projected on an ellipsoid") << Change([](CCoordSysDetails& r) {
        r.datum.reset();
        r.ellipsoid = std::make_shared<CEllipsoidDetails>(krassowsky());
    }) << true;
    QTest::newRow("projected without height unit")
        << Change([](CCoordSysDetails& r) { r.heightUnit.reset(); }) << false;
    QTest::newRow("projected without datum or ellipsoid")
        << Change([](CCoordSysDetails& r) { r.datum.reset(); }) << false;
    QTest::newRow("projected without projection")
        << Change([](CCoordSysDetails& r) { r.mapProjection.reset(); }) << false;
    QTest::newRow("type 4 without type record")
        << Change([](CCoordSysDetails& r) {
               r.type = 4;
               r.coordSysType.clear();
           })
        << false;
    QTest::newRow("type record 2") << Change([](CCoordSysDetails& r) {
        r.coordSysType.code = 2;
    }) << false;
    QTest::newRow("type 0") << Change([](CCoordSysDetails& r) { r.type = 0; }) << false;
    QTest::newRow("no name") << Change([](CCoordSysDetails& r) { r.name.clear(); }) << false;
    QTest::newRow("geocentric needs nothing more") << Change([](CCoordSysDetails& r) {
        r = CCoordSysDetails();
        r.name = QStringLiteral("G");
        r.type = 3;
        r.coordSysType.setCode(3);
    }) << true;
}

void TestCoordSysDetails::validity()
{
    QFETCH(Change, change);
    CCoordSysDetails record = projected();
    change(record);
    QTEST(record.isValid(), "valid");
}

void TestCoordSysDetails::invalidRecordWritesEmptyElement()
{
    CCoordSysDetails record = geodetic();
    record.coordSysType.clear();
    QCOMPARE(xmlText(record, QStringLiteral("coordsys")), QStringLiteral("<coordsys/>"));
}

void TestCoordSysDetails::xmlRoundTrip_data()
{
    QTest::addColumn<CCoordSysDetails>("record");
    QTest::newRow("geodetic") << geodetic();
    QTest::newRow("projected with lists") << projected();
    QTest::newRow("topocentric") << topocentric();
}

void TestCoordSysDetails::xmlRoundTrip()
{
    QFETCH(CCoordSysDetails, record);
    bool read = false;
    const CCoordSysDetails back = roundTrip(record, &read);
    QVERIFY(read);
    QVERIFY(back == record);
    QCOMPARE(xmlText(back), xmlText(record));
    QCOMPARE(back.kindName(), QStringLiteral("coordsys"));
}

void TestCoordSysDetails::xmlOrder()
{
    CCoordSysDetails record = projected();
    record.positiveLongitude = true;
    record.description = QStringLiteral("Описание");
    const QStringList tags = childTags(element(xmlText(record)));
    QCOMPARE(tags, QStringList({"Name", "Description", "Type", "CoordSysType", "Datum",
                                "PrimeMeridian", "MapProjection", "PositiveLongitude",
                                "TransformList", "PairwiseTransforms", "LengthUnit", "HeightUnit",
                                "Coord1Abbreviation", "Coord2Abbreviation", "Coord3Abbreviation",
                                "Coord3Description", "EpsgCode"}));
    const QDomElement pairwise =
        element(xmlText(record)).firstChildElement(QStringLiteral("PairwiseTransforms"));
    QCOMPARE(pairwise.firstChildElement().tagName(), QStringLiteral("TransformList"));
    QCOMPARE(pairwise.firstChildElement().attribute(QStringLiteral("identifier")),
             QStringLiteral("A"));
}

void TestCoordSysDetails::invalidLinkedUnitIsNotWritten()
{
    CCoordSysDetails record = geodetic();
    record.angleUnit = std::make_shared<CUnitDetails>();
    QVERIFY(!childTags(element(xmlText(record))).contains(QStringLiteral("AngleUnit")));
    QVERIFY(!roundTrip(record).angleUnit);
}

void TestCoordSysDetails::readingFlagsAndPairwiseLists()
{
    CCoordSysDetails record;
    QString xml = xmlText(geodetic());
    const CTransformListDetails first = transformList(2, QStringLiteral("A"));
    CTransformListDetails second = first;
    second.name = QStringLiteral("Второй");
    QDomDocument lists;
    QDomElement pairwise = lists.createElement(QStringLiteral("PairwiseTransforms"));
    QDomElement firstElement = first.toXml(lists, QStringLiteral("TransformList"));
    firstElement.setAttribute(QStringLiteral("identifier"), QStringLiteral("B"));
    pairwise.appendChild(firstElement);
    pairwise.appendChild(second.toXml(lists, QStringLiteral("TransformList")));
    lists.appendChild(pairwise);
    // The identifier attribute is not read; the later list of one identifier wins.
    const QString extra = QStringLiteral("<PositiveLongitude>2</PositiveLongitude>"
                                         "<SwapCoords>yes</SwapCoords>")
        + lists.toString(-1);
    xml.replace(QStringLiteral("</record>"), extra + QStringLiteral("</record>"));
    QVERIFY(readXml(record, xml));
    QVERIFY(record.positiveLongitude);
    QVERIFY(!record.swapCoords);
    QCOMPARE(record.pairwiseTransforms.keys(), QStringList({"A"}));
    QCOMPARE(record.pairwiseTransforms.value(QStringLiteral("A"))->name, QStringLiteral("Второй"));
}

void TestCoordSysDetails::equality_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("equal");

    QTest::newRow("copy") << Change([](CCoordSysDetails&) {}) << true;
    QTest::newRow("numbered name") << Change([](CCoordSysDetails& r) {
        r.name += QStringLiteral(" [2]");
    }) << true;
    QTest::newRow("azimuth") << Change([](CCoordSysDetails& r) { r.azimuth = "1"; }) << false;
    QTest::newRow("third axis description")
        << Change([](CCoordSysDetails& r) { r.coord3Desc = "H"; }) << false;
    QTest::newRow("pairwise list under another identifier") << Change([](CCoordSysDetails& r) {
        r.pairwiseTransforms.insert(QStringLiteral("B"), r.pairwiseTransforms.take("A"));
    }) << false;
    QTest::newRow("pairwise lists equal but separate") << Change([](CCoordSysDetails& r) {
        r.pairwiseTransforms["A"] = std::make_shared<CTransformListDetails>(*r.pairwiseTransforms["A"]);
    }) << true;
    QTest::newRow("own list dropped") << Change([](CCoordSysDetails& r) {
        r.transformList.reset();
    }) << false;
    QTest::newRow("height unit in feet") << Change([](CCoordSysDetails& r) {
        r.heightUnit = std::make_shared<CUnitDetails>(*metre());
        r.heightUnit->factorB = QStringLiteral("0.3048");
    }) << false;
    QTest::newRow("vertical system on one side") << Change([](CCoordSysDetails& r) {
        r.vertCoordSys = std::make_shared<CVertCoordSysDetails>();
        r.vertCoordSys->name = QStringLiteral("Балтийская");
        r.vertCoordSys->geoidId = QStringLiteral("egm");
    }) << false;
}

void TestCoordSysDetails::equality()
{
    QFETCH(Change, change);
    const CCoordSysDetails record = projected();
    CCoordSysDetails other = record;
    change(other);
    QTEST(record == other, "equal");
    QTEST(other == record, "equal");

    CCoordSysDetails invalid = record;
    invalid.coordSysType.clear();
    QVERIFY(!(invalid == invalid));
}

void TestCoordSysDetails::toInfo()
{
    CCoordSysDetails record = projected();
    record.vertCoordSys = std::make_shared<CVertCoordSysDetails>();
    record.vertCoordSys->name = QStringLiteral("Балтийская");
    record.vertCoordSys->geoidId = QStringLiteral("egm");
    CCoordSysInfo info;
    QVERIFY(record.toInfo(info));
    QCOMPARE(info.name, std::string("СК-42, зона 7"));
    QCOMPARE(info.type, 5);
    QCOMPARE(info.type_info.code, 5);
    QCOMPARE(info.datum->name, std::string("Пулково 1942"));
    QVERIFY(info.prime_meridian && info.map_proj && info.length_unit && info.height_unit);
    QVERIFY(!info.angle_unit && !info.ellipsoid);
    QCOMPARE(info.map_proj->param_values.at(5), std::string("7500000"));
    QCOMPARE(info.transform_list->transforms.size(), size_t(1));
    QCOMPARE(info.pairwise_transforms.size(), size_t(1));
    QCOMPARE(info.pairwise_transforms.at("A")->identifier, std::string("A"));
    QCOMPARE(info.vert_coordsys->geoid, std::string("egm"));
    QCOMPARE(info.coord3_abbr, std::string("H"));
    QCOMPARE(info.coord3_desc, std::string("Высота"));
    QCOMPARE(info.epsg, 28407);
    QCOMPARE(info.length_unit->factor, 1.0);

    CCoordSysInfo topo;
    QVERIFY(topocentric().toInfo(topo));
    QCOMPARE(topo.origin_coord2, std::string("37.61"));
    QVERIFY(topo.swap_coords);
    QVERIFY(topo.origin_angle_unit->format);
}

void TestCoordSysDetails::toInfoFailsOnInvalidLink()
{
    CCoordSysDetails record = geodetic();
    record.angleUnit = std::make_shared<CUnitDetails>(*degree());
    record.angleUnit->factorB = QStringLiteral("0");
    CCoordSysInfo info;
    info.name = "old";
    QVERIFY(!record.toInfo(info));
    QVERIFY(info.name.empty() && !info.datum && info.type == 0);

    record.angleUnit = degree();
    record.coordSysType.clear();
    QVERIFY(!record.toInfo(info));
}

void TestCoordSysDetails::topocentricText()
{
    const QString text = topocentric().infoText();
    const QString expected = QStringLiteral("Координаты начала отсчета: \n"
                                            "    Широта: 55.75 °\n"
                                            "    Долгота: 37.61 °\n"
                                            "    Высота: 150 (Метр)\n"
                                            "Азимут: 30 (Градус)\n"
                                            "Ориентация осей координат: левая\n"
                                            "Единица измерения координат: Метр\n");
    QVERIFY2(text.contains(expected), qPrintable(text));
    QVERIFY(text.startsWith(QStringLiteral("Название: Местная\nТип: ")));
}

void TestCoordSysDetails::treeFollowsType()
{
    const QStringList geodeticLines = treeLines(geodetic());
    QVERIFY(geodeticLines.contains(QStringLiteral("Долготы: со знаком")));
    QVERIFY(geodeticLines.contains(QStringLiteral("Единица измерения широты и долготы: Градус")));
    CCoordSysDetails withoutAngle = geodetic();
    withoutAngle.angleUnit.reset();
    QVERIFY(!treeLines(withoutAngle).join('\n').contains(QStringLiteral("широты и долготы")));

    const QStringList projectedLines = treeLines(projected());
    QVERIFY(projectedLines.contains(QStringLiteral("Преобразования")));
    QVERIFY(projectedLines.contains(QStringLiteral("Попарные преобразования")));
    QVERIFY(projectedLines.contains(QStringLiteral("  Список A: идентификатор A")));
    QVERIFY(projectedLines.contains(QStringLiteral("Оси координат")));
    QVERIFY(projectedLines.contains(QStringLiteral("  Третья координата: H")));
    QVERIFY(projectedLines.contains(QStringLiteral("    Описание: Высота")));
    QVERIFY(projectedLines.contains(QStringLiteral("  Код EPSG (GeoTIFF): 28407")));

    const QStringList topoLines = treeLines(topocentric());
    QVERIFY(topoLines.contains(QStringLiteral("  Широта: 55.75 ° ")));
    QVERIFY(topoLines.contains(QStringLiteral("  Высота: 150 (Метр)")));
    QVERIFY(topoLines.contains(QStringLiteral("Ориентация осей координат: левая")));
}

QTEST_MAIN(TestCoordSysDetails)

void TestCoordSysDetails::readingTakesWhatTheFileGives_data()
{
    QTest::addColumn<CCoordSysDetails>("record");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("changed");
    QTest::addColumn<QString>("reason");
    QTest::newRow("as written") << topocentric() << QString() << QString() << QString();
    QTest::newRow("origin with a decimal comma")
        << topocentric() << "<OriginCoord1>55.75" << "<OriginCoord1>55,75"
        << "Элемент «OriginCoord1»: «55,75» не является числом в единице «Градус»";
    QTest::newRow("height in a word") << topocentric() << "<OriginCoord3>150" << "<OriginCoord3>сто"
                                      << "Элемент «OriginCoord3»: «сто» не является числом в единице «Метр»";
    QTest::newRow("azimuth in degrees and minutes") << topocentric() << "<Azimuth>30" << "<Azimuth>30 15"
                                                    << QString();
    QTest::newRow("azimuth beyond double") << topocentric() << "<Azimuth>30" << "<Azimuth>1e400"
                                           << "Элемент «Azimuth»: «1e400» не является числом в единице «Градус»";
    // Elements of the system itself, at its end.
    const QString end = QStringLiteral("</coordsys>");
    QTest::newRow("origin of a system that is not topocentric")
        << projected() << end << "<OriginCoord1>55,75</OriginCoord1>" + end << QString();
    QTest::newRow("element that the reading does not know")
        << projected() << end << "<Origin>55,75</Origin>" + end << QString();
    QTest::newRow("empty linked element") << projected() << end << "<VertCoordSys/>" + end
                                          << QString();
    QTest::newRow("empty unit, whose factors stand for none") << projected() << end << "<LengthUnit/>" + end
                                                               << QString();
    QTest::newRow("first fault, deepest first")
        << projected() << "<FactorC>1</FactorC>" << "<FactorC>1,0</FactorC>"
        << "Элемент «Datum/Ellipsoid/Unit/FactorC»: «1,0» не является числом";
}

// A file is read whole, or refused with the first element at fault and its text.
void TestCoordSysDetails::readingTakesWhatTheFileGives()
{
    QFETCH(CCoordSysDetails, record);
    QFETCH(QString, written);
    QFETCH(QString, changed);
    QFETCH(QString, reason);
    QString xml = xmlText(record, QStringLiteral("coordsys"));
    QVERIFY2(xml.contains(written), qPrintable(xml));
    xml.replace(xml.indexOf(written), written.size(), changed);
    CCoordSysDetails read;
    QString fault;
    QCOMPARE(read.readXml(element(xml), fault), reason.isEmpty());
    QCOMPARE(fault, reason);
}

#include "test_coordsysdetails.moc"
