#include "definitionfixtures.h"
#include "recordfixtures.h"

#include "records/vertcoordsysdetails.h"
#include "values/transforminfo.h"
#include "values/vertcoordsysinfo.h"

#include <QtTest>

Q_DECLARE_METATYPE(CVertCoordSysDetails)
Q_DECLARE_METATYPE(CVertCoordSysInfo)

namespace {

CVertCoordSysDetails balticHeights()
{
    CVertCoordSysDetails system;
    system.name = QStringLiteral("Балтийская 1977");
    system.description = QStringLiteral("Нормальные высоты");
    system.shortName = QStringLiteral("БСВ-77");
    system.geoidId = QStringLiteral("EGM2008-RU");
    system.transformList = std::make_shared<CTransformListDetails>(transformList(4, QStringLiteral("BSV")));
    system.epsgCode = 5705;
    return system;
}

template <class Change>
CVertCoordSysDetails changedSystem(Change change)
{
    CVertCoordSysDetails system = balticHeights();
    change(system);
    return system;
}

CVertCoordSysInfo balticInfo()
{
    CVertCoordSysInfo info;
    balticHeights().toInfo(info);
    return info;
}

template <class Change>
CVertCoordSysInfo changedInfo(Change change)
{
    CVertCoordSysInfo info = balticInfo();
    change(info);
    return info;
}

} // namespace

class TestVertCoordSysDetails : public QObject
{
    Q_OBJECT

private slots:
    void xmlForm();
    void roundTrip();
    void reading();
    void invalidWithoutGeoid();
    void equality_data();
    void equality();
    void descriptions();
    void descriptionsWithoutTransforms();
    void toInfo();
    void infoEquality_data();
    void infoEquality();
};

void TestVertCoordSysDetails::xmlForm()
{
    QDomDocument document;
    const QDomElement element = balticHeights().toXml(document, QStringLiteral("vertcoordsys"));
    QCOMPARE(childTags(element), (QStringList{"Name", "Description", "ShortName", "GeoidID",
                                              "TransformList", "EpsgCode"}));
    QCOMPARE(childTags(element.firstChildElement(QStringLiteral("TransformList"))).last(),
             QStringLiteral("Transforms"));

    const CVertCoordSysDetails unnamedList =
        changedSystem([](CVertCoordSysDetails& s) { s.transformList->name.clear(); s.epsgCode = 0; });
    QCOMPARE(childTags(unnamedList.toXml(document, QStringLiteral("vertcoordsys"))),
             (QStringList{"Name", "Description", "ShortName", "GeoidID"}));
}

void TestVertCoordSysDetails::roundTrip()
{
    bool read = false;
    const CVertCoordSysDetails copy = ::roundTrip(balticHeights(), &read);
    QVERIFY(read);
    QVERIFY(copy == balticHeights());
    QCOMPARE(xmlText(copy), xmlText(balticHeights()));
    QCOMPARE(copy.transformList->transforms.at(0).paramValues.value(7).value, QStringLiteral("0.35"));
    QCOMPARE(copy.kindName(), QStringLiteral("vertcoordsys"));
}

void TestVertCoordSysDetails::reading()
{
    CVertCoordSysDetails system;
    QVERIFY(readXml(system, QStringLiteral(
        "<v><Name>H</Name><GeoidID>G</GeoidID><TransformList><Name>L</Name></TransformList>"
        "<TransformList><Description>no name</Description></TransformList>"
        "<geoidID>other</geoidID><EpsgCode>x</EpsgCode></v>")));
    QCOMPARE(system.geoidId, QStringLiteral("G"));
    QVERIFY(system.transformList);
    QCOMPARE(system.transformList->name, QStringLiteral("L"));
    QCOMPARE(system.epsgCode, 0);

    QVERIFY(!readXml(system, QStringLiteral("<v><Name>H</Name><ShortName>h</ShortName></v>")));
    QCOMPARE(system.shortName, QStringLiteral("h"));
}

void TestVertCoordSysDetails::invalidWithoutGeoid()
{
    const CVertCoordSysDetails system = changedSystem([](CVertCoordSysDetails& s) { s.geoidId.clear(); });
    QVERIFY(!system.isValid());
    QCOMPARE(xmlText(system), QStringLiteral("<record/>"));
    QVERIFY(!(system == system));
    CVertCoordSysInfo info = balticInfo();
    QVERIFY(!system.toInfo(info));
    QVERIFY(info.name.empty());
    QVERIFY(!info.transform_list);
}

void TestVertCoordSysDetails::equality_data()
{
    QTest::addColumn<CVertCoordSysDetails>("other");
    QTest::addColumn<bool>("equal");
    QTest::newRow("same") << balticHeights() << true;
    QTest::newRow("copy of the list") << changedSystem([](CVertCoordSysDetails& s) {
        s.transformList = std::make_shared<CTransformListDetails>(*s.transformList);
    }) << true;
    QTest::newRow("numbered name")
        << changedSystem([](CVertCoordSysDetails& s) { s.name += QStringLiteral("[2]"); }) << false;
    QTest::newRow("geoid") << changedSystem([](CVertCoordSysDetails& s) { s.geoidId = "G"; }) << false;
    QTest::newRow("EPSG code") << changedSystem([](CVertCoordSysDetails& s) { s.epsgCode = 0; }) << false;
    QTest::newRow("no list")
        << changedSystem([](CVertCoordSysDetails& s) { s.transformList.reset(); }) << false;
    QTest::newRow("other list") << changedSystem([](CVertCoordSysDetails& s) {
        s.transformList = std::make_shared<CTransformListDetails>(transformList(4, "BSV2"));
    }) << false;
}

void TestVertCoordSysDetails::equality()
{
    QFETCH(CVertCoordSysDetails, other);
    QFETCH(bool, equal);
    QCOMPARE(balticHeights() == other, equal);
    QCOMPARE(other == balticHeights(), equal);
}

void TestVertCoordSysDetails::descriptions()
{
    const QStringList lines = treeLines(balticHeights());
    QCOMPARE(lines.mid(0, 6), (QStringList{"Название: Балтийская 1977", "Описание: Нормальные высоты",
                                           "Краткое название: БСВ-77",
                                           "Идентификатор модели геоида: EGM2008-RU",
                                           "Преобразования", "  Название: Список BSV"}));
    QVERIFY(lines.contains(QStringLiteral("    Сдвиг БСВ: Сдвиг высот")));
    QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"Экспорт", "  Код EPSG (GeoTIFF): 5705"}));
    QCOMPARE(balticHeights().infoText(),
             QStringLiteral("Название: Балтийская 1977\nОписание: Нормальные высоты\n"
                            "Краткое название: БСВ-77\nИдентификатор модели геоида: EGM2008-RU\n"
                            "Преобразования: \n    Сдвиг БСВ: Сдвиг высот\n"
                            "Код EPSG (GeoTIFF): 5705\n"));
}

void TestVertCoordSysDetails::descriptionsWithoutTransforms()
{
    const CVertCoordSysDetails system = changedSystem([](CVertCoordSysDetails& s) {
        s.transformList->transforms.clear();
        s.epsgCode = 0;
        s.description.clear();
    });
    QCOMPARE(treeLines(system), (QStringList{"Название: Балтийская 1977", "Краткое название: БСВ-77",
                                             "Идентификатор модели геоида: EGM2008-RU"}));
    QCOMPARE(system.infoText(), QStringLiteral("Название: Балтийская 1977\nКраткое название: БСВ-77\n"
                                               "Идентификатор модели геоида: EGM2008-RU\n"));
}

void TestVertCoordSysDetails::toInfo()
{
    CVertCoordSysInfo info;
    QVERIFY(balticHeights().toInfo(info));
    QCOMPARE(info.name, std::string("Балтийская 1977"));
    QCOMPARE(info.short_name, std::string("БСВ-77"));
    QCOMPARE(info.geoid, std::string("EGM2008-RU"));
    QCOMPARE(info.epsg, 5705);
    QVERIFY(info.transform_list);
    QCOMPARE(info.transform_list->transforms.size(), std::size_t(1));
    QCOMPARE(info.transform_list->transforms.at(0).param_values.at(7).value, std::string("0.35"));

    QVERIFY(changedSystem([](CVertCoordSysDetails& s) { s.transformList.reset(); }).toInfo(info));
    QVERIFY(!info.transform_list);

    const CVertCoordSysDetails brokenList = changedSystem([](CVertCoordSysDetails& s) {
        s.transformList = std::make_shared<CTransformListDetails>(transformList(4, "BSV"));
        s.transformList->transforms[0].paramValues[7].unit = arcSecond();
        s.transformList->transforms[0].paramValues[7].unit->name.clear();
    });
    QVERIFY(!brokenList.toInfo(info));
    QVERIFY(info.geoid.empty());
    QVERIFY(!info.transform_list);
}

void TestVertCoordSysDetails::infoEquality_data()
{
    QTest::addColumn<CVertCoordSysInfo>("other");
    QTest::addColumn<bool>("equal");
    QTest::newRow("same") << balticInfo() << true;
    QTest::newRow("copy") << CVertCoordSysInfo(balticInfo()) << true;
    QTest::newRow("description")
        << changedInfo([](CVertCoordSysInfo& i) { i.description = "d"; }) << false;
    QTest::newRow("short name") << changedInfo([](CVertCoordSysInfo& i) { i.short_name.clear(); }) << false;
    QTest::newRow("EPSG code") << changedInfo([](CVertCoordSysInfo& i) { i.epsg = 1; }) << false;
    QTest::newRow("no list") << changedInfo([](CVertCoordSysInfo& i) { i.transform_list.reset(); }) << false;
    QTest::newRow("other list") << changedInfo([](CVertCoordSysInfo& i) {
        i.transform_list = std::make_shared<CTransformListInfo>(*i.transform_list);
        i.transform_list->identifier = "X";
    }) << false;
    QTest::newRow("no geoid") << changedInfo([](CVertCoordSysInfo& i) { i.geoid.clear(); }) << false;
    QTest::newRow("cleared") << changedInfo([](CVertCoordSysInfo& i) { i.clear(); }) << false;
}

void TestVertCoordSysDetails::infoEquality()
{
    QFETCH(CVertCoordSysInfo, other);
    QFETCH(bool, equal);
    QCOMPARE(balticInfo() == other, equal);
    QCOMPARE(other == balticInfo(), equal);

    CVertCoordSysInfo withoutLists = balticInfo();
    withoutLists.transform_list.reset();
    QVERIFY(withoutLists == CVertCoordSysInfo(withoutLists));
    QVERIFY(!(CVertCoordSysInfo() == CVertCoordSysInfo()));
}

QTEST_MAIN(TestVertCoordSysDetails)
#include "test_vertcoordsysdetails.moc"
