#include "definitionfixtures.h"
#include "recordfixtures.h"

#include "values/mapprojinfo.h"

#include <QtTest>

Q_DECLARE_METATYPE(CMapProjDetails)

namespace {

template <class Change>
CMapProjDetails changedProjection(Change change)
{
    CMapProjDetails projection = gaussKrugerZone7();
    change(projection);
    return projection;
}

} // namespace

class TestMapProjDetails : public QObject
{
    Q_OBJECT

private slots:
    void xmlForm();
    void roundTrip();
    void typeWithoutName();
    void emptyParameterElementsNotWritten();
    void parameterReading();
    void validity();
    void equality_data();
    void equality();
    void tree();
    void treeWithoutUnitsOrValues();
    void text();
    void axisDirections_data();
    void axisDirections();
    void toInfo();
    void toInfoFailures();
};

void TestMapProjDetails::xmlForm()
{
    QDomDocument document;
    const QDomElement element = gaussKrugerZone7().toXml(document, QStringLiteral("mapproj"));
    QCOMPARE(childTags(element),
             (QStringList{"Name", "ShortName", "MapProjType", "LengthUnit", "AngleUnit", "ScaleUnit",
                          "Coord1Abbreviation", "Coord2Abbreviation", "Coord1Description",
                          "Coord2Description", "Coord1Sign", "Coord2Sign", "SwapCoords", "EpsgCode",
                          "ParamValues", "ParamInfo"}));
    const QDomElement first = element.firstChildElement(QStringLiteral("ParamValues")).firstChildElement();
    QCOMPARE(first.tagName(), QStringLiteral("Param"));
    QCOMPARE(first.attribute(QStringLiteral("code")), QStringLiteral("5"));
    QCOMPARE(first.attribute(QStringLiteral("name")), QStringLiteral("Сдвиг на восток"));
    QCOMPARE(first.text(), QStringLiteral("7500000"));
    QCOMPARE(element.firstChildElement(QStringLiteral("SwapCoords")).text(), QStringLiteral("0"));
    QCOMPARE(childTags(element.firstChildElement(QStringLiteral("ParamInfo"))),
             QStringList(QVector<QString>(5, QStringLiteral("Param")).toList()));
}

void TestMapProjDetails::roundTrip()
{
    bool read = false;
    const CMapProjDetails copy = ::roundTrip(gaussKrugerZone7(), &read);
    QVERIFY(read);
    QVERIFY(copy == gaussKrugerZone7());
    QCOMPARE(xmlText(copy), xmlText(gaussKrugerZone7()));
    QCOMPARE(copy.mapProjType.name, QStringLiteral("Поперечная Меркатора"));
    QCOMPARE(copy.params.value(104).valueKind, 3);
    QCOMPARE(copy.coord2Desc, QStringLiteral("Север"));
    QCOMPARE(copy.kindName(), QStringLiteral("mapproj"));
}

void TestMapProjDetails::typeWithoutName()
{
    CMapProjDetails projection = gaussKrugerZone7();
    projection.mapProjType.clear();
    projection.mapProjType.code = 7;
    QVERIFY(projection.isValid());
    QVERIFY(xmlText(projection).contains(QStringLiteral("<MapProjType><Code>7</Code></MapProjType>")));
    bool read = false;
    const CMapProjDetails copy = ::roundTrip(projection, &read);
    QVERIFY(read);
    QCOMPARE(copy.mapProjType.code, 7);
    QVERIFY(copy == projection);

    projection.mapProjType.code = 0;
    QVERIFY(!xmlText(projection).contains(QStringLiteral("MapProjType")));
}

void TestMapProjDetails::emptyParameterElementsNotWritten()
{
    CMapProjDetails projection = gaussKrugerZone7();
    projection.paramValues.insert(6, QString());
    projection.paramValues.insert(999, QStringLiteral("1"));
    projection.params[11].valueKind = 0;
    QDomDocument document;
    const QDomElement element = projection.toXml(document, QStringLiteral("mapproj"));
    const QDomElement values = element.firstChildElement(QStringLiteral("ParamValues"));
    QCOMPARE(values.childNodes().size(), 5);
    QCOMPARE(values.lastChildElement().attribute(QStringLiteral("code")), QStringLiteral("999"));
    QCOMPARE(values.lastChildElement().attribute(QStringLiteral("name")), QString());
    QCOMPARE(element.firstChildElement(QStringLiteral("ParamInfo")).childNodes().size(), 4);

    projection.paramValues.clear();
    projection.paramValues.insert(6, QString());
    projection.params.clear();
    const QStringList tags = childTags(projection.toXml(document, QStringLiteral("mapproj")));
    QVERIFY(!tags.contains(QStringLiteral("ParamValues")));
    QVERIFY(!tags.contains(QStringLiteral("ParamInfo")));
}

void TestMapProjDetails::parameterReading()
{
    CMapProjDetails projection;
    QVERIFY(readXml(projection, QStringLiteral(
        "<p><Name>P</Name><MapProjType><Code>1</Code><Name>TM</Name></MapProjType>"
        "<Coord1Sign>1</Coord1Sign><Coord2Sign>-1</Coord2Sign>"
        "<ParamValues><Param code=\"3\"></Param><Param>5</Param><Param code=\"5\">1</Param>"
        "<Value code=\"6\">2</Value><Param code=\"5\">3</Param></ParamValues>"
        "<ParamInfo><Param><Code>5</Code><Name>FE</Name><Type>7</Type></Param>"
        "<Param><Code>6</Code><Name>FN</Name><Type>1</Type></Param></ParamInfo>"
        "<LengthUnit><Name>м</Name></LengthUnit></p>")));
    QCOMPARE(projection.paramValues, (QMap<int, QString>{{5, "3"}}));
    QCOMPARE(projection.params.keys(), QList<int>{6});
    QVERIFY(!projection.lengthUnit);
    QCOMPARE(projection.coord2Sign, -1);
}

void TestMapProjDetails::validity()
{
    QVERIFY(gaussKrugerZone7().isValid());
    const CMapProjDetails bare = changedProjection([](CMapProjDetails& p) {
        p.mapProjType.clear();
        p.mapProjType.code = 7;
        p.lengthUnit.reset();
        p.angleUnit.reset();
        p.scaleUnit.reset();
        p.params.clear();
        p.paramValues.clear();
    });
    QVERIFY(bare.isValid());

    const CMapProjDetails noSign = changedProjection([](CMapProjDetails& p) { p.coord2Sign = 0; });
    QVERIFY(!noSign.isValid());
    QCOMPARE(xmlText(noSign), QStringLiteral("<record/>"));
    CMapProjInfo info;
    QVERIFY(!noSign.toInfo(info));
    QVERIFY(!changedProjection([](CMapProjDetails& p) { p.name.clear(); }).isValid());
    QVERIFY(!changedProjection([](CMapProjDetails& p) { p.mapProjType.clear(); }).isValid());

    CMapProjDetails cleared = gaussKrugerZone7();
    cleared.clear();
    QCOMPARE(cleared.mapinfoCode, NoValue);
    QVERIFY(cleared.paramValues.isEmpty() && cleared.params.isEmpty() && !cleared.scaleUnit);
}

void TestMapProjDetails::equality_data()
{
    QTest::addColumn<CMapProjDetails>("other");
    QTest::addColumn<bool>("equal");
    QTest::newRow("same") << gaussKrugerZone7() << true;
    QTest::newRow("numbered name")
        << changedProjection([](CMapProjDetails& p) { p.name += QStringLiteral(" [2]"); }) << true;
    QTest::newRow("coordinate descriptions")
        << changedProjection([](CMapProjDetails& p) { p.coord1Desc = "Восточная"; }) << true;
    QTest::newRow("parameter definitions")
        << changedProjection([](CMapProjDetails& p) { p.params.clear(); }) << true;
    QTest::newRow("type record beyond its code")
        << changedProjection([](CMapProjDetails& p) { p.mapProjType.name = "TM"; }) << true;
    QTest::newRow("value text")
        << changedProjection([](CMapProjDetails& p) { p.paramValues[5] = "7500000.0"; }) << false;
    QTest::newRow("one value more")
        << changedProjection([](CMapProjDetails& p) { p.paramValues[101] = "7"; }) << false;
    QTest::newRow("one value less")
        << changedProjection([](CMapProjDetails& p) { p.paramValues.remove(6); }) << false;
    QTest::newRow("type code")
        << changedProjection([](CMapProjDetails& p) { p.mapProjType.setCode(1001); }) << false;
    QTest::newRow("no scale unit")
        << changedProjection([](CMapProjDetails& p) { p.scaleUnit.reset(); }) << false;
    QTest::newRow("swap") << changedProjection([](CMapProjDetails& p) { p.swapCoords = 1; }) << false;
    QTest::newRow("abbreviation")
        << changedProjection([](CMapProjDetails& p) { p.coord1Abbr = "Y"; }) << false;
    QTest::newRow("MapInfo code")
        << changedProjection([](CMapProjDetails& p) { p.mapinfoCode = 8; }) << false;
    QTest::newRow("description")
        << changedProjection([](CMapProjDetails& p) { p.description = "d"; }) << false;
}

void TestMapProjDetails::equality()
{
    QFETCH(CMapProjDetails, other);
    QFETCH(bool, equal);
    QCOMPARE(gaussKrugerZone7() == other, equal);
    QCOMPARE(other == gaussKrugerZone7(), equal);
}

void TestMapProjDetails::tree()
{
    const QStringList lines = treeLines(gaussKrugerZone7());
    QCOMPARE(lines.mid(0, 3), (QStringList{"Название: Гаусс-Крюгер, зона 7", "Краткое название: ГК7",
                                           "Тип проекции: Поперечная Меркатора"}));
    const int params = lines.indexOf(QStringLiteral("Параметры проекции"));
    QVERIFY(params > 0);
    QCOMPARE(lines.at(params + 1), QStringLiteral("  Сдвиг на восток: 7500000 м"));
    QCOMPARE(lines.at(params + 2), QStringLiteral("    Название: Сдвиг на восток"));
    QVERIFY(lines.contains(QStringLiteral("  Долгота осевого меридиана: 39 Градус")));
    QVERIFY(lines.contains(QStringLiteral("  Масштаб на осевом меридиане: 1 Единица")));
    QVERIFY(lines.contains(QStringLiteral("    Единица измерения: Метр")));
    QVERIFY(lines.contains(QStringLiteral("      Краткое название: м")));
    const int axes = lines.indexOf(QStringLiteral("Оси координат"));
    QCOMPARE(lines.mid(axes, 9),
             (QStringList{"Оси координат", "  Первая ось: E", "    Обозначение: E",
                          "    Описание: Восток", "    Направление: Восток", "  Вторая ось: N",
                          "    Обозначение: N", "    Описание: Север", "    Направление: Север"}));
    QCOMPARE(lines.mid(axes + 9), (QStringList{"Экспорт", "  Код EPSG (GeoTIFF): 28407"}));
}

void TestMapProjDetails::treeWithoutUnitsOrValues()
{
    const CMapProjDetails projection = changedProjection([](CMapProjDetails& p) {
        p.lengthUnit.reset();
        p.paramValues.remove(103);
        p.paramValues.insert(101, QStringLiteral("7"));
        p.coord1Abbr.clear();
        p.coord1Desc.clear();
    });
    const QStringList lines = treeLines(projection);
    const int easting = lines.indexOf(QStringLiteral("  Сдвиг на восток: 7500000 "));
    QVERIFY(easting > 0);
    QVERIFY(!lines.mid(easting + 1, 4).join('\n').contains(QStringLiteral("Единица измерения")));
    QVERIFY(lines.contains(QStringLiteral("  Долгота осевого меридиана: ? Градус")));
    QVERIFY(!lines.join('\n').contains(QStringLiteral("Номер зоны")));
    const int axes = lines.indexOf(QStringLiteral("Оси координат"));
    QCOMPARE(lines.mid(axes + 1, 2), (QStringList{"  Первая ось: ", "    Направление: Восток"}));

    CMapProjDetails unknownType = gaussKrugerZone7();
    unknownType.mapProjType.clear();
    unknownType.mapProjType.code = 4;
    QVERIFY(!treeLines(unknownType).contains(QStringLiteral("Параметры проекции")));
    QVERIFY(!unknownType.infoText().contains(QStringLiteral("Параметры:")));
}

void TestMapProjDetails::text()
{
    QCOMPARE(gaussKrugerZone7().infoText(),
             QStringLiteral("Название: Гаусс-Крюгер, зона 7\nКраткое название: ГК7\n"
                            "Тип: Поперечная Меркатора\nПараметры:\n"
                            "  Сдвиг на восток: 7500000 м\n  Сдвиг на север: 0 м\n"
                            "  Широта начала отсчета: 0 Градус\n"
                            "  Долгота осевого меридиана: 39 Градус\n"
                            "  Масштаб на осевом меридиане: 1 Единица\n"
                            "Первая координата: E (Восток)\nВторая координата: N (Север)\n"
                            "Описание первой координаты: Восток\nОписание второй координаты: Север\n"
                            "Код EPSG (GeoTIFF): 28407\n"));
}

void TestMapProjDetails::axisDirections_data()
{
    QTest::addColumn<int>("sign1");
    QTest::addColumn<int>("sign2");
    QTest::addColumn<int>("swap");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("east, north") << 1 << 1 << 0 << "E (Восток)" << "N (Север)";
    QTest::newRow("west, north") << -1 << 1 << 0 << "E (Запад)" << "N (Север)";
    QTest::newRow("east, south") << 1 << -1 << 0 << "E (Восток)" << "N (Юг)";
    QTest::newRow("swapped") << 1 << 1 << 1 << "E (Север)" << "N (Восток)";
}

void TestMapProjDetails::axisDirections()
{
    QFETCH(int, sign1);
    QFETCH(int, sign2);
    QFETCH(int, swap);
    QFETCH(QString, first);
    QFETCH(QString, second);
    CMapProjDetails projection = gaussKrugerZone7();
    projection.coord1Sign = sign1;
    projection.coord2Sign = sign2;
    projection.swapCoords = swap;
    const QString text = projection.infoText();
    QVERIFY2(text.contains(QStringLiteral("Первая координата: %1\n").arg(first)), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Вторая координата: %1\n").arg(second)), qPrintable(text));
}

void TestMapProjDetails::toInfo()
{
    CMapProjDetails projection = gaussKrugerZone7();
    projection.swapCoords = 1;
    projection.mapinfoCode = 8;
    CMapProjInfo info;
    QVERIFY(projection.toInfo(info));
    QCOMPARE(info.name, projection.name.toStdString());
    QCOMPARE(info.short_name, std::string("ГК7"));
    QCOMPARE(info.type, 1);
    QCOMPARE(info.type_info.code, 0);
    QCOMPARE(info.coord1_abbr, std::string("E"));
    QCOMPARE(info.coord2_desc, std::string("Север"));
    QCOMPARE(info.swap_coords, 1);
    QCOMPARE(info.epsg, 28407);
    QCOMPARE(info.mapinfo, 8);
    QVERIFY(info.length_unit && info.angle_unit && info.scale_unit);
    QCOMPARE(info.param_values.size(), std::size_t(5));
    QCOMPARE(info.param_values.at(5), std::string("7500000"));
    QCOMPARE(info.param_values.at(103), std::string("39"));
    QCOMPARE(info.params.at(104).type, 3);
    QCOMPARE(info.params.at(104).reserved, NoValue);

    projection.lengthUnit.reset();
    QVERIFY(projection.toInfo(info));
    QVERIFY(!info.length_unit);
}

void TestMapProjDetails::toInfoFailures()
{
    CMapProjInfo info;
    const CMapProjDetails brokenUnit = changedProjection([](CMapProjDetails& p) {
        p.angleUnit = degree();
        p.angleUnit->factorC = QStringLiteral("0");
    });
    QVERIFY(!brokenUnit.toInfo(info));
    QVERIFY(info.name.empty());
    QVERIFY(!info.length_unit);
    QCOMPARE(info.mapinfo, NoValue);

    const CMapProjDetails brokenDefinition =
        changedProjection([](CMapProjDetails& p) { p.params[5].valueKind = 0; });
    QVERIFY(!brokenDefinition.toInfo(info));
    QVERIFY(info.param_values.empty());
    QVERIFY(info.params.empty());
    QCOMPARE(info.type, 0);
}

QTEST_MAIN(TestMapProjDetails)
#include "test_mapprojdetails.moc"
