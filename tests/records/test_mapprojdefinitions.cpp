#include "recordfixtures.h"

#include "records/mapprojparamdetails.h"
#include "records/mapprojtypedetails.h"
#include "values/mapprojinfo.h"

#include <QtTest>

class TestMapProjDefinitions : public QObject
{
    Q_OBJECT

private slots:
    void paramSetCode();
    void paramXml();
    void paramFromXmlChecksValueKind();
    void paramEquality();
    void paramDescriptions();
    void paramToInfo();

    void typeSetCode_data();
    void typeSetCode();
    void typeXml();
    void typeFromXmlChecksCode();
    void typeEquality();
    void typeDescriptions();
    void typeToInfo();
};

void TestMapProjDefinitions::paramSetCode()
{
    CMapProjParamDetails param;
    param.wktName = QStringLiteral("false_easting");
    QVERIFY(param.setCode(5));
    QCOMPARE(param.name, QStringLiteral("Сдвиг на восток"));
    QCOMPARE(param.description, QStringLiteral("EPSG: False easting"));
    QCOMPARE(param.valueKind, 1);
    QCOMPARE(param.wktName, QStringLiteral("false_easting"));
    QVERIFY(param.isValid());

    QVERIFY(!param.setCode(0));
    QCOMPARE(param.code, 5);
    QVERIFY(param.isValid());

    QVERIFY(param.setCode(50));
    QCOMPARE(param.code, 50);
    QVERIFY(param.name.isEmpty());
    QCOMPARE(param.valueKind, 0);
    QVERIFY(!param.isValid());
}

void TestMapProjDefinitions::paramXml()
{
    CMapProjParamDetails param;
    QDomDocument document;
    const QDomElement cleared = param.toXml(document, QStringLiteral("Param"));
    QCOMPARE(cleared.attribute(QStringLiteral("code")), QStringLiteral("0"));
    QVERIFY(cleared.hasAttribute(QStringLiteral("name")));
    QVERIFY(cleared.attribute(QStringLiteral("name")).isEmpty());
    QVERIFY(!cleared.hasChildNodes());

    param.setCode(103);
    param.wktName = QStringLiteral("central_meridian");
    const QDomElement element = param.toXml(document, QStringLiteral("Param"));
    QCOMPARE(element.attribute(QStringLiteral("code")), QStringLiteral("103"));
    QCOMPARE(element.attribute(QStringLiteral("name")), QStringLiteral("Долгота осевого меридиана"));
    QCOMPARE(childTags(element), (QStringList{"Code", "Name", "Description", "Type", "WktName"}));
    QCOMPARE(element.firstChildElement(QStringLiteral("Type")).text(), QStringLiteral("2"));

    bool read = false;
    QVERIFY(roundTrip(param, &read) == param);
    QVERIFY(read);
}

void TestMapProjDefinitions::paramFromXmlChecksValueKind()
{
    CMapProjParamDetails param;
    QVERIFY(!readXml(param, QStringLiteral("<p code=\"5\" name=\"x\"><Code>5</Code><Name>Сдвиг</Name>"
                                           "<Type>7</Type></p>")));
    QCOMPARE(param.valueKind, 0);
    QCOMPARE(param.code, 5);
    QVERIFY(!readXml(param, QStringLiteral("<p code=\"5\" name=\"x\"><Type>1</Type></p>")));
    QCOMPARE(param.code, 0);
    QVERIFY(param.name.isEmpty());
}

void TestMapProjDefinitions::paramEquality()
{
    CMapProjParamDetails a;
    a.setCode(11);
    CMapProjParamDetails b = a;
    b.wktName = QStringLiteral("latitude_of_origin");
    b.valueKind = 0;
    QVERIFY(a == b);
    b.code = 12;
    QVERIFY(!(a == b));
}

void TestMapProjDefinitions::paramDescriptions()
{
    CMapProjParamDetails param;
    param.setCode(104);
    QCOMPARE(treeLines(param), (QStringList{"Название: Масштаб на осевом меридиане",
                                            "Описание: Non-EPSG", "Тип: Масштаб"}));
    param.wktName = QStringLiteral("scale_factor");
    param.epsgCode = 8805;
    QCOMPARE(treeLines(param).mid(3), (QStringList{"Экспорт", "  Код EPSG (GeoTIFF): 8805",
                                                   "  WKT идентификатор: scale_factor"}));
    QCOMPARE(param.infoText(),
             QStringLiteral("Название: Масштаб на осевом меридиане\nОписание: Non-EPSG\n"
                            "Тип: Масштаб\nКод EPSG (GeoTIFF): 8805\n"
                            "WKT идентификатор: scale_factor\n"));
}

void TestMapProjDefinitions::paramToInfo()
{
    CMapProjParamDetails param;
    param.setCode(101);
    param.wktName = QStringLiteral("zone");
    CMapProjParamInfo info;
    QVERIFY(param.toInfo(info));
    QCOMPARE(info.code, 101);
    QCOMPARE(info.name, std::string("Номер зоны"));
    QCOMPARE(info.type, 4);
    QCOMPARE(info.wkt, std::string("zone"));
    QCOMPARE(info.reserved, NoValue);

    param.valueKind = 0;
    QVERIFY(!param.toInfo(info));
    QCOMPARE(info.code, 0);
}

void TestMapProjDefinitions::typeSetCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("axisTexts");
    QTest::addColumn<int>("swap");
    QTest::newRow("Gauss-Kruger") << 1001 << QStringList{"X", "Y", "Север", "Восток"} << 1;
    QTest::newRow("transverse Mercator") << 1 << QStringList{"E", "N", "Восток", "Север"} << 0;
}

void TestMapProjDefinitions::typeSetCode()
{
    QFETCH(int, code);
    QFETCH(QStringList, axisTexts);
    QFETCH(int, swap);
    CMapProjTypeDetails type;
    QVERIFY(type.setCode(code));
    QCOMPARE(type.code, code);
    QCOMPARE((QStringList{type.coord1Abbr, type.coord2Abbr, type.coord1Desc, type.coord2Desc}),
             axisTexts);
    QCOMPARE(type.coord1Sign, 1);
    QCOMPARE(type.coord2Sign, 1);
    QCOMPARE(type.swapCoords, swap);
    QCOMPARE(type.epsgCode, 9807);
    QCOMPARE(type.mapinfoCode, 8);
    QVERIFY(type.isValid());

    QVERIFY(!type.setCode(4));
    QCOMPARE(type.code, 0);
    QVERIFY(type.name.isEmpty());
    QCOMPARE(type.mapinfoCode, NoValue);
    QVERIFY(!type.setCode(0));
}

void TestMapProjDefinitions::typeXml()
{
    CMapProjTypeDetails type;
    type.setCode(1003);
    QDomDocument document;
    const QDomElement element = type.toXml(document, QStringLiteral("Type"));
    QVERIFY(element.attributes().isEmpty());
    QCOMPARE(childTags(element),
             (QStringList{"Code", "Name", "Description", "ShortName", "Coord1Abbr", "Coord2Abbr",
                          "Coord1Desc", "Coord2Desc", "Coord1Sign", "Coord2Sign", "SwapCoords"}));
    bool read = false;
    QVERIFY(roundTrip(type, &read) == type);
    QVERIFY(read);

    type.setCode(11);
    type.coord1Sign = -1;
    type.coord1Abbr.clear();
    const QDomElement changed = type.toXml(document, QStringLiteral("Type"));
    QCOMPARE(childTags(changed).last(), QStringLiteral("EpsgCode"));
    QCOMPARE(changed.firstChildElement(QStringLiteral("Coord1Sign")).text(), QStringLiteral("-1"));
    QVERIFY(roundTrip(type) == type);
}

void TestMapProjDefinitions::typeFromXmlChecksCode()
{
    CMapProjTypeDetails type;
    QVERIFY(!readXml(type, QStringLiteral("<t><Code>4</Code><Name>Тип</Name></t>")));
    QCOMPARE(type.code, 0);
    QCOMPARE(type.name, QStringLiteral("Тип"));
}

void TestMapProjDefinitions::typeEquality()
{
    CMapProjTypeDetails a;
    a.setCode(1002);
    CMapProjTypeDetails b = a;
    b.swapCoords = 1;
    b.coord2Desc = QStringLiteral("north");
    QVERIFY(a == b);
    b.code = 1001;
    QVERIFY(!(a == b));
}

void TestMapProjDefinitions::typeDescriptions()
{
    CMapProjTypeDetails type;
    type.setCode(1002);
    QCOMPARE(treeLines(type),
             (QStringList{"Название: Universal Transverse Mercator", "Краткое название: UTM",
                          "Параметры", "  Номер зоны: Номер", "  Полушарие: Список",
                          "Оси координат", "  Обозначение первой координаты: E",
                          "  Обозначение второй координаты: N",
                          "  Описание первой координаты: Восток",
                          "  Описание второй координаты: Север", "Экспорт",
                          "  Код EPSG (GeoTIFF): 9807", "  Код MapInfo: 8"}));
    QCOMPARE(type.infoText(),
             QStringLiteral("Название: Universal Transverse Mercator\nКраткое название: UTM\n"
                            "Параметры:\n  Номер зоны: Номер\n  Полушарие: Список\n"
                            "Обозначение первой координаты: E\nОбозначение второй координаты: N\n"
                            "Описание первой координаты: Восток\nОписание второй координаты: Север\n"
                            "Код EPSG (GeoTIFF): 9807\nКод MapInfo: 8\n"));

    CMapProjTypeDetails bare;
    bare.code = 7777;
    bare.name = QStringLiteral("Своя");
    QCOMPARE(treeLines(bare), (QStringList{"Название: Своя", "Оси координат"}));
    QCOMPARE(bare.infoText(), QStringLiteral("Название: Своя\n"));
}

void TestMapProjDefinitions::typeToInfo()
{
    CMapProjTypeDetails type;
    type.setCode(1001);
    CMapProjTypeInfo info;
    QVERIFY(type.toInfo(info));
    QCOMPARE(info.code, 1001);
    QCOMPARE(info.short_name, std::string("GK6"));
    QCOMPARE(info.coord1_abbr, std::string("X"));
    QCOMPARE(info.coord2_desc, std::string("Восток"));
    QCOMPARE(info.swap_coords, 1);
    QCOMPARE(info.mapinfo, 8);

    type.name.clear();
    QVERIFY(!type.toInfo(info));
    QCOMPARE(info.code, 0);
    QCOMPARE(info.mapinfo, NoValue);
}

QTEST_MAIN(TestMapProjDefinitions)
#include "test_mapprojdefinitions.moc"
