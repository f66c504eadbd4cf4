#include "definitionfixtures.h"
#include "recordfixtures.h"

#include "values/datuminfo.h"

#include <QtTest>

Q_DECLARE_METATYPE(CDatumDetails)

namespace {

CDatumDetails pulkovo()
{
    return datumFromFile(QStringLiteral("pulkovo1942.xml"));
}

template <class Change>
CDatumDetails changedDatum(Change change)
{
    CDatumDetails datum = pulkovo();
    change(datum);
    return datum;
}

} // namespace

class TestDatumDetails : public QObject
{
    Q_OBJECT

private slots:
    void fixtureReads();
    void xmlForm();
    void roundTrip();
    void nameOnly();
    void mapinfoCode_data();
    void mapinfoCode();
    void collectionReading();
    void listsInAnotherOrder();
    void equality_data();
    void equality();
    void tree();
    void text();
    void toInfo();
    void toInfoFailures_data();
    void toInfoFailures();
};

void TestDatumDetails::fixtureReads()
{
    const CDatumDetails datum = pulkovo();
    QVERIFY(datum.isValid());
    QCOMPARE(datum.shortName, QStringLiteral("СК-42"));
    QVERIFY(datum.ellipsoid && datum.ellipsoid->isValid());
    QVERIFY(datum.datumShift);
    QVERIFY(*datum.datumShift == pulkovoToWgs84());
    QCOMPARE(datum.pairwiseDatumShifts.size(), std::size_t(1));
    QCOMPARE(datum.pairwiseDatumShifts.at(QStringLiteral("SK42-SK95"))->pairwiseRole, 2);
    QCOMPARE(datum.geographicDatumShifts.keys(), QStringList{"MSK50"});
    QVERIFY(datum.geographicDatumShifts.value("MSK50")->transforms.at(0) == affineTransform());
    QCOMPARE(datum.verticalDatumShifts.keys(), QStringList{"BSV"});
    QCOMPARE(datum.epsgCode, 6284);
    QCOMPARE(datum.mapinfoCode, NoValue);
}

void TestDatumDetails::xmlForm()
{
    CDatumDetails datum = pulkovo();
    datum.mapinfoCode = 1001;
    QDomDocument document;
    const QDomElement element = datum.toXml(document, QStringLiteral("datum"));
    QCOMPARE(childTags(element),
             (QStringList{"Name", "Description", "ShortName", "Ellipsoid", "DatumShift",
                          "PairwiseDatumShifts", "GeographicDatumShifts", "VerticalDatumShifts",
                          "EpsgCode", "MapinfoCode"}));
    const QDomElement pairwise = element.firstChildElement(QStringLiteral("PairwiseDatumShifts"));
    QCOMPARE(pairwise.firstChildElement().tagName(), QStringLiteral("DatumShift"));
    QCOMPARE(pairwise.firstChildElement().attribute(QStringLiteral("identifier")),
             QStringLiteral("SK42-SK95"));
    const QDomElement vertical =
        element.firstChildElement(QStringLiteral("VerticalDatumShifts")).firstChildElement();
    QCOMPARE(vertical.tagName(), QStringLiteral("VerticalDatumShift"));
    QCOMPARE(vertical.attribute(QStringLiteral("identifier")), QStringLiteral("BSV"));

    datum.ellipsoid->unit.reset();
    datum.datumShift->type = 0;
    const QStringList tags = childTags(datum.toXml(document, QStringLiteral("datum")));
    QVERIFY(!tags.contains(QStringLiteral("Ellipsoid")));
    QVERIFY(!tags.contains(QStringLiteral("DatumShift")));
}

void TestDatumDetails::roundTrip()
{
    const CDatumDetails datum = pulkovo();
    bool read = false;
    const CDatumDetails copy = ::roundTrip(datum, &read);
    QVERIFY(read);
    QVERIFY(copy == datum);
    QCOMPARE(xmlText(copy), xmlText(datum));
    QCOMPARE(copy.kindName(), QStringLiteral("datum"));
}

void TestDatumDetails::nameOnly()
{
    CDatumDetails datum;
    datum.name = QStringLiteral("Местный");
    QVERIFY(datum.isValid());
    QCOMPARE(xmlText(datum), QStringLiteral("<record><Name>Местный</Name></record>"));
    CDatumInfo info;
    QVERIFY(datum.toInfo(info));
    QVERIFY(!info.ellipsoid);
    QVERIFY(!info.datum_shift);
    QCOMPARE(info.mapinfo, NoValue);
    QCOMPARE(treeLines(datum), QStringList{"Название: Местный"});
    QCOMPARE(datum.infoText(), QStringLiteral("Название: Местный\n"));
}

void TestDatumDetails::mapinfoCode_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<int>("code");
    QTest::newRow("absent") << "" << NoValue;
    QTest::newRow("zero") << "<MapinfoCode>0</MapinfoCode>" << NoValue;
    QTest::newRow("unreadable") << "<MapinfoCode>x</MapinfoCode>" << NoValue;
    QTest::newRow("none marker") << "<MapinfoCode>2147483647</MapinfoCode>" << NoValue;
    QTest::newRow("set") << "<MapinfoCode>1001</MapinfoCode>" << 1001;
}

void TestDatumDetails::mapinfoCode()
{
    QFETCH(QString, element);
    QFETCH(int, code);
    CDatumDetails datum;
    QVERIFY(readXml(datum, QStringLiteral("<d><Name>D</Name>%1</d>").arg(element)));
    QCOMPARE(datum.mapinfoCode, code);
    const bool shown = code != NoValue;
    QCOMPARE(xmlText(datum).contains(QStringLiteral("MapinfoCode")), shown);
    QCOMPARE(datum.infoText().contains(QStringLiteral("Код MapInfo: 1001")), shown);
    QCOMPARE(treeLines(datum).contains(QStringLiteral("Экспорт")), shown);
    CDatumInfo info;
    QVERIFY(datum.toInfo(info));
    QCOMPARE(info.mapinfo, code);
}

void TestDatumDetails::collectionReading()
{
    CDatumDetails datum;
    QVERIFY(readXml(datum, QStringLiteral(
        "<d><Name>D</Name>"
        "<PairwiseDatumShifts><DatumShift identifier=\"X\"><Name>A</Name><Type>1</Type></DatumShift>"
        "<Other><Name>B</Name><Type>1</Type></Other><DatumShift><Name>C</Name></DatumShift></PairwiseDatumShifts>"
        "<GeographicDatumShifts><GeographicDatumShift><Name>L1</Name><Identifier>K</Identifier></GeographicDatumShift>"
        "<VerticalDatumShift><Name>L2</Name></VerticalDatumShift></GeographicDatumShifts>"
        "<GeographicDatumShifts><GeographicDatumShift><Name>L3</Name><Identifier>K2</Identifier></GeographicDatumShift>"
        "</GeographicDatumShifts></d>")));
    QCOMPARE(datum.pairwiseDatumShifts.size(), std::size_t(1));
    QCOMPARE(datum.pairwiseDatumShifts.begin()->first, QString());
    QCOMPARE(datum.pairwiseDatumShifts.begin()->second->name, QStringLiteral("A"));
    QCOMPARE(datum.geographicDatumShifts.keys(), (QStringList{"K", "K2"}));
    QVERIFY(datum.verticalDatumShifts.isEmpty());
}

void TestDatumDetails::listsInAnotherOrder()
{
    const QString first = QStringLiteral(
        "<GeographicDatumShift><Name>L1</Name><Identifier>A</Identifier></GeographicDatumShift>");
    const QString second = QStringLiteral(
        "<GeographicDatumShift><Name>L2</Name><Identifier>B</Identifier></GeographicDatumShift>");
    const QString datum =
        QStringLiteral("<d><Name>D</Name><GeographicDatumShifts>%1</GeographicDatumShifts></d>");
    CDatumDetails a;
    CDatumDetails b;
    QVERIFY(readXml(a, datum.arg(first + second)));
    QVERIFY(readXml(b, datum.arg(second + first)));
    QVERIFY(a == b);
    QCOMPARE(xmlText(a), xmlText(b));
}

void TestDatumDetails::equality_data()
{
    QTest::addColumn<CDatumDetails>("other");
    QTest::addColumn<bool>("equal");
    QTest::newRow("same") << pulkovo() << true;
    QTest::newRow("numbered name")
        << changedDatum([](CDatumDetails& d) { d.name += QStringLiteral("[2]"); }) << true;
    QTest::newRow("ellipsoid axis as REAL")
        << changedDatum([](CDatumDetails& d) {
               d.ellipsoid = std::make_shared<CEllipsoidDetails>(*d.ellipsoid);
               d.ellipsoid->majorSemiAxis = QStringLiteral("6378245.0");
           })
        << true;
    QTest::newRow("short name")
        << changedDatum([](CDatumDetails& d) { d.shortName.clear(); }) << false;
    QTest::newRow("MapInfo code")
        << changedDatum([](CDatumDetails& d) { d.mapinfoCode = 1001; }) << false;
    QTest::newRow("no ellipsoid") << changedDatum([](CDatumDetails& d) { d.ellipsoid.reset(); }) << false;
    QTest::newRow("shift to WGS 84") << changedDatum([](CDatumDetails& d) {
        d.datumShift = std::make_shared<CDatumShiftDetails>(pulkovoToWgs84());
        d.datumShift->translationX = QStringLiteral("23.58");
    }) << false;
    QTest::newRow("no pairwise shift")
        << changedDatum([](CDatumDetails& d) { d.pairwiseDatumShifts.clear(); }) << false;
    QTest::newRow("geographic list under another key") << changedDatum([](CDatumDetails& d) {
        d.geographicDatumShifts.insert("MSK77", d.geographicDatumShifts.take("MSK50"));
    }) << false;
    QTest::newRow("vertical list changed") << changedDatum([](CDatumDetails& d) {
        auto list = std::make_shared<CTransformListDetails>(*d.verticalDatumShifts.value("BSV"));
        list->description = QStringLiteral("Другое");
        d.verticalDatumShifts.insert("BSV", list);
    }) << false;
}

void TestDatumDetails::equality()
{
    QFETCH(CDatumDetails, other);
    QFETCH(bool, equal);
    QCOMPARE(pulkovo() == other, equal);
    QCOMPARE(other == pulkovo(), equal);
}

void TestDatumDetails::tree()
{
    CDatumDetails datum = pulkovo();
    datum.mapinfoCode = 1001;
    const QStringList lines = treeLines(datum);
    QCOMPARE(lines.mid(0, 4), (QStringList{"Название: Пулково 1942", "Описание: Система координат 1942 года",
                                           "Краткое название: СК-42", "Эллипсоид: Красовского"}));
    QVERIFY(lines.contains(QStringLiteral("Преобразование в WGS 84: СК-42 - WGS 84")));
    QVERIFY(lines.contains(QStringLiteral("    Сдвиг по X: 23.57 м")));
    for (const QString& heading : {QStringLiteral("Попарные преобразования датумов"),
                                   QStringLiteral("Плановые преобразования датумов"),
                                   QStringLiteral("Высотные преобразования датумов")})
        QVERIFY2(lines.contains(heading), qPrintable(heading));
    QVERIFY(lines.contains(QStringLiteral("  СК-42 - СК-95: идентификатор SK42-SK95")));
    QVERIFY(lines.contains(QStringLiteral("  СК-42 - МСК-50: идентификатор MSK50")));
    QVERIFY(lines.contains(QStringLiteral("    Область применения: Плановое преобразование датума ")));
    QVERIFY(lines.contains(QStringLiteral("  Балтийская - Кронштадт: идентификатор BSV")));
    QCOMPARE(lines.mid(lines.size() - 3),
             (QStringList{"Экспорт", "  Код EPSG (GeoTIFF): 6284", "  Код MapInfo: 1001"}));
}

void TestDatumDetails::text()
{
    CDatumDetails datum = pulkovo();
    datum.mapinfoCode = 1001;
    QCOMPARE(datum.infoText(),
             QStringLiteral("Название: Пулково 1942\nОписание: Система координат 1942 года\n"
                            "Краткое название: СК-42\nЭллипсоид: Красовского\n"
                            "Преобразование в WGS-84: СК-42 - WGS 84\n"
                            "Попарные преобразования датумов: \n"
                            "    СК-42 - СК-95: идентификатор SK42-SK95\n"
                            "Плановые преобразования датумов: \n"
                            "    СК-42 - МСК-50: идентификатор MSK50\n"
                            "Высотные преобразования датумов: \n"
                            "    Балтийская - Кронштадт: идентификатор BSV\n"
                            "Код EPSG (GeoTIFF): 6284\nКод MapInfo: 1001\n"));
}

void TestDatumDetails::toInfo()
{
    CDatumInfo info;
    QVERIFY(pulkovo().toInfo(info));
    QCOMPARE(info.name, std::string("Пулково 1942"));
    QCOMPARE(info.short_name, std::string("СК-42"));
    QCOMPARE(info.epsg, 6284);
    QVERIFY(info.ellipsoid);
    QCOMPARE(info.ellipsoid->a, std::string("6378245"));
    QVERIFY(info.datum_shift);
    QCOMPARE(info.datum_shift->tx, std::string("23.57"));
    QCOMPARE(info.datum_shift->rz, std::string("-0.79"));
    QVERIFY(info.datum_shift->angle_unit);
    QCOMPARE(info.pairwise_shifts.size(), std::size_t(1));
    QCOMPARE(info.pairwise_shifts.at("SK42-SK95")->tx, std::string("25.90"));
    QCOMPARE(info.pairwise_shifts.at("SK42-SK95")->pairwise_role, 2);
    QCOMPARE(info.geographic_shifts.size(), std::size_t(1));
    QCOMPARE(info.geographic_shifts.at("MSK50")->transforms.size(), std::size_t(1));
    QCOMPARE(info.geographic_shifts.at("MSK50")->transforms.at(0).param_values.at(5).value,
             std::string("-12.5"));
    QCOMPARE(info.vertical_shifts.at("BSV")->scope, 4);
}

void TestDatumDetails::toInfoFailures_data()
{
    QTest::addColumn<CDatumDetails>("datum");
    QTest::newRow("invalid shift to WGS 84") << changedDatum([](CDatumDetails& d) {
        d.datumShift = std::make_shared<CDatumShiftDetails>();
        d.datumShift->name = QStringLiteral("без типа");
    });
    QTest::newRow("invalid ellipsoid") << changedDatum([](CDatumDetails& d) {
        d.ellipsoid = std::make_shared<CEllipsoidDetails>(krassowsky());
        d.ellipsoid->majorSemiAxis.clear();
    });
    QTest::newRow("invalid pairwise shift") << changedDatum([](CDatumDetails& d) {
        d.pairwiseDatumShifts["X"] = std::make_shared<CDatumShiftDetails>();
    });
    QTest::newRow("vertical list with a broken unit") << changedDatum([](CDatumDetails& d) {
        auto list = std::make_shared<CTransformListDetails>(transformList(4, "BSV"));
        list->transforms[0].paramValues[7].unit = metre();
        list->transforms[0].paramValues[7].unit->scope = 0;
        d.verticalDatumShifts.insert("BSV", list);
    });
    QTest::newRow("no name") << changedDatum([](CDatumDetails& d) { d.name.clear(); });
}

void TestDatumDetails::toInfoFailures()
{
    QFETCH(CDatumDetails, datum);
    CDatumInfo info;
    QVERIFY(!datum.toInfo(info));
    QVERIFY(info.name.empty());
    QVERIFY(!info.ellipsoid);
    QVERIFY(!info.datum_shift);
    QVERIFY(info.pairwise_shifts.empty());
    QVERIFY(info.geographic_shifts.empty());
}

QTEST_MAIN(TestDatumDetails)
#include "test_datumdetails.moc"
