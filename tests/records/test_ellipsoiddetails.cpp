#include "recordfixtures.h"

#include "values/ellipsoidinfo.h"
#include "values/primemeridianinfo.h"

#include <QtTest>

Q_DECLARE_METATYPE(CEllipsoidDetails)

class TestEllipsoidDetails : public QObject
{
    Q_OBJECT

private slots:
    void ellipsoidXml();
    void ellipsoidRoundTrip();
    void ellipsoidValidity_data();
    void ellipsoidValidity();
    void ellipsoidEquality_data();
    void ellipsoidEquality();
    void ellipsoidDescriptions();
    void sphereDescriptions();
    void descriptionsWithoutUnit();
    void ellipsoidToInfo();

    void meridianXmlAndValidity();
    void meridianEquality();
    void meridianDescriptions();
    void meridianToInfo();
};

void TestEllipsoidDetails::ellipsoidXml()
{
    CEllipsoidDetails ellipsoid = krassowsky();
    ellipsoid.minorSemiAxis = QStringLiteral("-5");
    ellipsoid.mapinfoCode = 3;
    QDomDocument document;
    const QDomElement element = ellipsoid.toXml(document, QStringLiteral("ellipsoid"));
    QCOMPARE(childTags(element),
             (QStringList{"Name", "Description", "MajorSemiAxis", "InverseFlattening",
                          "UseInverseFlattening", "Sphere", "Unit", "EpsgCode", "MapinfoCode"}));
    QCOMPARE(element.firstChildElement(QStringLiteral("Sphere")).text(), QStringLiteral("0"));
    QCOMPARE(childTags(element.firstChildElement(QStringLiteral("Unit"))).first(),
             QStringLiteral("Scope"));

    ellipsoid.minorSemiAxis = QStringLiteral("6356863.019");
    const QDomElement withBoth = ellipsoid.toXml(document, QStringLiteral("ellipsoid"));
    QCOMPARE(childTags(withBoth).mid(2, 3),
             (QStringList{"MajorSemiAxis", "MinorSemiAxis", "InverseFlattening"}));

    ellipsoid.unit->factorC.clear();
    QCOMPARE(xmlText(ellipsoid), QStringLiteral("<record/>"));
}

void TestEllipsoidDetails::ellipsoidRoundTrip()
{
    bool read = false;
    const CEllipsoidDetails copy = roundTrip(krassowsky(), &read);
    QVERIFY(read);
    QVERIFY(copy == krassowsky());
    QCOMPARE(copy.majorSemiAxis, QStringLiteral("6378245"));
    QCOMPARE(copy.kindName(), QStringLiteral("ellipsoid"));

    CEllipsoidDetails ellipsoid = krassowsky();
    QVERIFY(!readXml(ellipsoid, QStringLiteral("<e><Name>E</Name><MajorSemiAxis>1</MajorSemiAxis>"
                                               "<Sphere>1</Sphere><Unit><Name>m</Name></Unit></e>")));
    QCOMPARE(ellipsoid.name, QStringLiteral("E"));
    QVERIFY(ellipsoid.sphere);
    QVERIFY(!ellipsoid.unit);
    QVERIFY(ellipsoid.description.isEmpty());
}

void TestEllipsoidDetails::ellipsoidValidity_data()
{
    QTest::addColumn<CEllipsoidDetails>("ellipsoid");
    QTest::addColumn<bool>("valid");
    const auto changed = [](auto change) {
        CEllipsoidDetails ellipsoid = krassowsky();
        change(ellipsoid);
        return ellipsoid;
    };
    QTest::newRow("inverse flattening") << krassowsky() << true;
    QTest::newRow("flag cleared, no minor axis")
        << changed([](CEllipsoidDetails& e) { e.useInverseFlattening = false; }) << false;
    QTest::newRow("minor axis") << changed([](CEllipsoidDetails& e) {
        e.useInverseFlattening = false;
        e.minorSemiAxis = QStringLiteral("6356863.019");
    }) << true;
    QTest::newRow("sphere with radius only") << changed([](CEllipsoidDetails& e) {
        e.sphere = true;
        e.useInverseFlattening = false;
        e.inverseFlattening = QStringLiteral("0");
    }) << true;
    QTest::newRow("zero major axis")
        << changed([](CEllipsoidDetails& e) { e.majorSemiAxis = QStringLiteral("0"); }) << false;
    QTest::newRow("no name") << changed([](CEllipsoidDetails& e) { e.name.clear(); }) << false;
    QTest::newRow("no unit") << changed([](CEllipsoidDetails& e) { e.unit.reset(); }) << false;
    QTest::newRow("invalid unit") << changed([](CEllipsoidDetails& e) {
        e.unit = metre();
        e.unit->factorC.clear();
    }) << false;
}

void TestEllipsoidDetails::ellipsoidValidity()
{
    QFETCH(CEllipsoidDetails, ellipsoid);
    QFETCH(bool, valid);
    QCOMPARE(ellipsoid.isValid(), valid);
    CEllipsoidInfo info;
    QCOMPARE(ellipsoid.toInfo(info), valid);
}

void TestEllipsoidDetails::ellipsoidEquality_data()
{
    QTest::addColumn<CEllipsoidDetails>("other");
    QTest::addColumn<bool>("equal");
    const auto changed = [](auto change) {
        CEllipsoidDetails ellipsoid = krassowsky();
        change(ellipsoid);
        return ellipsoid;
    };
    QTest::newRow("same") << krassowsky() << true;
    QTest::newRow("axis as the database gives it back") << changed([](CEllipsoidDetails& e) {
        e.majorSemiAxis = QStringLiteral("6378245.0");
        e.inverseFlattening = QStringLiteral("298.30");
    }) << true;
    QTest::newRow("unit with numbered name") << changed([](CEllipsoidDetails& e) {
        e.unit = metre();
        e.unit->name = QStringLiteral("Метр[2]");
    }) << true;
    QTest::newRow("axis a millimetre longer") << changed([](CEllipsoidDetails& e) {
        e.majorSemiAxis = QStringLiteral("6378245.001");
    }) << false;
    QTest::newRow("other inverse flattening") << changed([](CEllipsoidDetails& e) {
        e.inverseFlattening = QStringLiteral("298.257223563");
    }) << false;
    QTest::newRow("numbered name")
        << changed([](CEllipsoidDetails& e) { e.name += QStringLiteral("[1]"); }) << true;
    QTest::newRow("sphere flag") << changed([](CEllipsoidDetails& e) { e.sphere = true; }) << false;
    QTest::newRow("MapInfo code") << changed([](CEllipsoidDetails& e) { e.mapinfoCode = 3; })
                                  << false;
    QTest::newRow("kilometre unit") << changed([](CEllipsoidDetails& e) {
        e.unit = metre();
        e.unit->factorB = QStringLiteral("1000");
    }) << false;
    QTest::newRow("invalid") << changed([](CEllipsoidDetails& e) { e.unit.reset(); }) << false;
}

void TestEllipsoidDetails::ellipsoidEquality()
{
    QFETCH(CEllipsoidDetails, other);
    QFETCH(bool, equal);
    QCOMPARE(krassowsky() == other, equal);
    QCOMPARE(other == krassowsky(), equal);
}

void TestEllipsoidDetails::ellipsoidDescriptions()
{
    CEllipsoidDetails ellipsoid = krassowsky();
    ellipsoid.mapinfoCode = 3;
    QCOMPARE(treeLines(ellipsoid),
             (QStringList{"Название: Красовского", "Описание: Эллипсоид 1940 г.",
                          "Большая полуось: 6378245 м", "Обратное сжатие: 298.3",
                          "Единица измерения полуосей: Метр", "  Название: Метр",
                          "  Краткое название: м", "  1 м = 1 м", "  Экспорт",
                          "    Код EPSG (GeoTIFF): 9001", "    Код MapInfo: 7", "Экспорт",
                          "  Код EPSG (GeoTIFF): 7024", "  Код MapInfo: 3"}));
    QCOMPARE(ellipsoid.infoText(),
             QStringLiteral("Название: Красовского\nОписание: Эллипсоид 1940 г.\n"
                            "Большая полуось: 6378245 м\nОбратное сжатие: 298.3\n"
                            "Код EPSG (GeoTIFF): 7024\nКод MapInfo: 3\n"));

    ellipsoid.useInverseFlattening = false;
    ellipsoid.minorSemiAxis = QStringLiteral("6356863.019");
    ellipsoid.unit->shortName.clear();
    ellipsoid.description.clear();
    ellipsoid.epsgCode = 0;
    ellipsoid.mapinfoCode = NoValue;
    QCOMPARE(ellipsoid.infoText(),
             QStringLiteral("Название: Красовского\nБольшая полуось: 6378245 (Метр)\n"
                            "Малая полуось: 6356863.019 (Метр)\n"));
}

void TestEllipsoidDetails::sphereDescriptions()
{
    CEllipsoidDetails sphere = krassowsky();
    sphere.sphere = true;
    sphere.description.clear();
    sphere.epsgCode = 0;
    QCOMPARE(treeLines(sphere).mid(0, 3),
             (QStringList{"Название: Красовского", "Шар, радиус: 6378245 м",
                          "Единица измерения полуосей: Метр"}));
    sphere.unit->shortName.clear();
    QCOMPARE(sphere.infoText(), QStringLiteral("Название: Красовского\nШар, радиус: 6378245 (Метр)\n"));
}

void TestEllipsoidDetails::descriptionsWithoutUnit()
{
    CEllipsoidDetails ellipsoid = krassowsky();
    ellipsoid.unit.reset();
    ellipsoid.epsgCode = 0;
    QCOMPARE(treeLines(ellipsoid),
             (QStringList{"Название: Красовского", "Описание: Эллипсоид 1940 г.",
                          "Большая полуось: 6378245", "Обратное сжатие: 298.3"}));
    ellipsoid.sphere = true;
    QCOMPARE(ellipsoid.infoText(),
             QStringLiteral("Название: Красовского\nОписание: Эллипсоид 1940 г.\n"
                            "Шар, радиус: 6378245\n"));

    CPrimeMeridianDetails meridian = greenwich();
    meridian.unit.reset();
    meridian.epsgCode = 0;
    QCOMPARE(meridian.infoText(), QStringLiteral("Название: Гринвич\nДолгота: 0\n"));
    QCOMPARE(treeLines(meridian), (QStringList{"Название: Гринвич", "Долгота: 0"}));
}

void TestEllipsoidDetails::ellipsoidToInfo()
{
    CEllipsoidInfo info;
    QVERIFY(krassowsky().toInfo(info));
    QCOMPARE(info.name, std::string("Красовского"));
    QCOMPARE(info.a, std::string("6378245"));
    QCOMPARE(info.f, std::string("298.3"));
    QVERIFY(info.b.empty());
    QVERIFY(info.use_f);
    QVERIFY(!info.sphere);
    QCOMPARE(info.epsg, 7024);
    QCOMPARE(info.mapinfo, NoValue);
    QVERIFY(info.unit);
    QCOMPARE(info.unit->factor, 1.0);

    CEllipsoidDetails unreadable = krassowsky();
    unreadable.unit = metre();
    unreadable.unit->factorB = QStringLiteral("1e-310");
    QVERIFY(!unreadable.toInfo(info));
    QVERIFY(info.name.empty());
    QVERIFY(!info.unit);
}

void TestEllipsoidDetails::meridianXmlAndValidity()
{
    QDomDocument document;
    const QDomElement element = greenwich().toXml(document, QStringLiteral("primemeridian"));
    QCOMPARE(childTags(element), (QStringList{"Name", "Longitude", "Unit", "EpsgCode"}));

    bool read = false;
    QVERIFY(roundTrip(greenwich(), &read) == greenwich());
    QVERIFY(read);

    CPrimeMeridianDetails meridian = greenwich();
    meridian.longitude.clear();
    QVERIFY(!meridian.isValid());
    QCOMPARE(xmlText(meridian), QStringLiteral("<record/>"));
    meridian = greenwich();
    meridian.unit.reset();
    QVERIFY(!meridian.isValid());
}

void TestEllipsoidDetails::meridianEquality()
{
    CPrimeMeridianDetails other = greenwich();
    QVERIFY(greenwich() == other);
    other.unit = degree();
    other.unit->name = QStringLiteral("Градус [1]");
    QVERIFY(greenwich() == other);
    other.longitude = QStringLiteral("0.0");
    QVERIFY(!(greenwich() == other));
    other = greenwich();
    other.epsgCode = 0;
    QVERIFY(!(greenwich() == other));
}

void TestEllipsoidDetails::meridianDescriptions()
{
    CPrimeMeridianDetails meridian = greenwich();
    meridian.longitude = QStringLiteral("2 20 14.025");
    meridian.description = QStringLiteral("Париж");
    QCOMPARE(treeLines(meridian).mid(0, 5),
             (QStringList{"Название: Гринвич", "Описание: Париж", "Долгота: 2 20 14.025",
                          "Единица измерения долготы: Градус", "  Название: Градус"}));
    QCOMPARE(treeLines(meridian).mid(treeLines(meridian).size() - 2),
             (QStringList{"Экспорт", "  Код EPSG (GeoTIFF): 8901"}));
    QCOMPARE(meridian.infoText(),
             QStringLiteral("Название: Гринвич\nОписание: Париж\nДолгота: 2 20 14.025 (Градус)\n"
                            "Код EPSG (GeoTIFF): 8901\n"));

    meridian.longitude.clear();
    QVERIFY(meridian.infoText().contains(QStringLiteral("\nДолгота:  (Градус)\n")));
}

void TestEllipsoidDetails::meridianToInfo()
{
    CPrimeMeridianInfo info;
    QVERIFY(greenwich().toInfo(info));
    QCOMPARE(info.name, std::string("Гринвич"));
    QCOMPARE(info.longitude, std::string("0"));
    QCOMPARE(info.epsg, 8901);
    QVERIFY(info.unit);
    QVERIFY(info.unit->format);

    CPrimeMeridianDetails meridian = greenwich();
    meridian.unit = degree();
    meridian.unit->angleFormat = std::make_shared<CAngleFormatDetails>();
    QVERIFY(!meridian.toInfo(info));
    QVERIFY(info.name.empty());
}

QTEST_MAIN(TestEllipsoidDetails)
#include "test_ellipsoiddetails.moc"
