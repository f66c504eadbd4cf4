#include "recordfixtures.h"

#include "values/unitinfo.h"

#include "tests/support/localescope.h"

#include <QtTest>

#include <clocale>

class TestUnitDetails : public QObject
{
    Q_OBJECT

private slots:
    void angleFormatXml();
    void unitXmlOrder();
    void unitRoundTrip_data();
    void unitRoundTrip();
    void unitFromXmlRules();
    void validity_data();
    void validity();
    void equality_data();
    void equality();
    void descriptions();
    void angleFormatDescriptions();
    void scaleUnitConversionLine();
    void toInfo();
    void toInfoRefusesUnconvertibleFactors_data();
    void toInfoRefusesUnconvertibleFactors();
    void numbersIgnoreProcessLocale();
};

void TestUnitDetails::angleFormatXml()
{
    const auto format = dmsFormat();
    QDomDocument document;
    const QDomElement element = format->toXml(document, QStringLiteral("Format"));
    QCOMPARE(childTags(element), (QStringList{"Code", "Name", "Description", "EpsgCode"}));
    QCOMPARE(element.firstChildElement(QStringLiteral("Code")).text(), QStringLiteral("2"));

    bool read = false;
    QVERIFY(roundTrip(*format, &read) == *format);
    QVERIFY(read);

    CAngleFormatDetails empty;
    QCOMPARE(xmlText(empty, QStringLiteral("Format")), QStringLiteral("<Format/>"));
}

void TestUnitDetails::unitXmlOrder()
{
    QDomDocument document;
    const QDomElement element = degree()->toXml(document, QStringLiteral("unit"));
    QCOMPARE(element.tagName(), QStringLiteral("unit"));
    QCOMPARE(childTags(element), (QStringList{"Scope", "Name", "Description", "FactorB",
                                              "FactorC", "Format", "EpsgCode"}));
    QCOMPARE(element.firstChildElement(QStringLiteral("FactorB")).text(),
             QStringLiteral("3.14159265358979"));

    const QDomElement metreElement = metre()->toXml(document, QStringLiteral("Unit"));
    QCOMPARE(childTags(metreElement), (QStringList{"Scope", "Name", "ShortName", "FactorB",
                                                   "FactorC", "EpsgCode", "MapinfoCode"}));
}

void TestUnitDetails::unitRoundTrip_data()
{
    QTest::addColumn<std::shared_ptr<CUnitDetails>>("unit");
    QTest::addColumn<bool>("equal");
    QTest::newRow("no format") << metre() << true;
    QTest::newRow("valid format") << degree() << true;
    auto invalidFormat = degree();
    invalidFormat->angleFormat = std::make_shared<CAngleFormatDetails>();
    QTest::newRow("invalid format is lost") << invalidFormat << false;
}

void TestUnitDetails::unitRoundTrip()
{
    QFETCH(std::shared_ptr<CUnitDetails>, unit);
    QFETCH(bool, equal);
    bool read = false;
    const CUnitDetails copy = roundTrip(*unit, &read);
    QVERIFY(read);
    QCOMPARE(copy == *unit, equal);
    QCOMPARE(bool(copy.angleFormat), equal && unit->angleFormat);
    QCOMPARE(copy.kindName(), QStringLiteral("unit"));
}

void TestUnitDetails::unitFromXmlRules()
{
    CUnitDetails unit;
    QVERIFY(!readXml(unit, QStringLiteral("<u><Scope>4</Scope><Name>X</Name>"
                                          "<FactorB>1</FactorB><FactorC>1</FactorC></u>")));
    QCOMPARE(unit.scope, 0);

    QVERIFY(readXml(unit, QStringLiteral("<u><Scope>2</Scope><Name>A</Name><Name>B</Name>"
                                         "<factorb>5</factorb><FactorB>2</FactorB>"
                                         "<FactorC>1</FactorC>"
                                         "<Format><Name>DMS</Name></Format></u>")));
    QCOMPARE(unit.name, QStringLiteral("B"));
    QCOMPARE(unit.factorB, QStringLiteral("2"));
    QVERIFY(!unit.angleFormat);
    QCOMPARE(unit.mapinfoCode, NoValue);

    QVERIFY(readXml(unit, QStringLiteral("<u><Scope>3</Scope><Name> ppm </Name>"
                                         "<FactorB>1</FactorB><FactorC>1000000</FactorC>"
                                         "<EpsgCode>x</EpsgCode><MapinfoCode>12</MapinfoCode></u>")));
    QCOMPARE(unit.name, QStringLiteral(" ppm "));
    QCOMPARE(unit.epsgCode, 0);
    QCOMPARE(unit.mapinfoCode, 12);
}

void TestUnitDetails::validity_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("factorB");
    QTest::addColumn<QString>("factorC");
    QTest::addColumn<bool>("valid");
    QTest::newRow("complete") << 1 << "Метр" << "1" << "1" << true;
    QTest::newRow("blanks around factor") << 1 << "Метр" << " 1000 " << "1" << true;
    QTest::newRow("no scope") << 0 << "Метр" << "1" << "1" << false;
    QTest::newRow("no name") << 1 << "" << "1" << "1" << false;
    QTest::newRow("factor B zero") << 1 << "Метр" << "0" << "1" << false;
    QTest::newRow("factor C empty") << 1 << "Метр" << "1" << "" << false;
    QTest::newRow("factor negative") << 1 << "Метр" << "-1" << "1" << false;
    QTest::newRow("decimal comma") << 1 << "Метр" << "0,3048" << "1" << false;
    QTest::newRow("infinite") << 1 << "Метр" << "inf" << "1" << false;
}

void TestUnitDetails::validity()
{
    QFETCH(int, scope);
    QFETCH(QString, name);
    QFETCH(QString, factorB);
    QFETCH(QString, factorC);
    QFETCH(bool, valid);
    CUnitDetails unit;
    unit.scope = scope;
    unit.name = name;
    unit.factorB = factorB;
    unit.factorC = factorC;
    QCOMPARE(unit.isValid(), valid);
    CUnitInfo info;
    QCOMPARE(unit.toInfo(info), valid);
    if (!valid) {
        QCOMPARE(xmlText(unit), QStringLiteral("<record/>"));
        QVERIFY(info.name.empty());
    }
}

void TestUnitDetails::equality_data()
{
    QTest::addColumn<std::shared_ptr<CUnitDetails>>("other");
    QTest::addColumn<bool>("equal");

    const auto changed = [](auto change) {
        auto unit = metre();
        change(*unit);
        return unit;
    };
    QTest::newRow("same") << metre() << true;
    QTest::newRow("numbered name and blank")
        << changed([](CUnitDetails& u) { u.name = QStringLiteral("Метр [3]"); }) << true;
    QTest::newRow("name in other case")
        << changed([](CUnitDetails& u) { u.name = QStringLiteral("метр"); }) << false;
    QTest::newRow("factor 5e-7 apart")
        << changed([](CUnitDetails& u) { u.factorB = QStringLiteral("1.0000005"); }) << true;
    QTest::newRow("factor 2e-6 apart")
        << changed([](CUnitDetails& u) { u.factorC = QStringLiteral("1.000002"); }) << false;
    QTest::newRow("with format")
        << changed([](CUnitDetails& u) { u.angleFormat = dmsFormat(); }) << false;
    QTest::newRow("other MapInfo code")
        << changed([](CUnitDetails& u) { u.mapinfoCode = NoValue; }) << false;
    QTest::newRow("other description")
        << changed([](CUnitDetails& u) { u.description = QStringLiteral("x"); }) << false;
    QTest::newRow("other scope") << changed([](CUnitDetails& u) { u.scope = 3; }) << false;
    QTest::newRow("invalid") << changed([](CUnitDetails& u) { u.factorB.clear(); }) << false;
}

void TestUnitDetails::equality()
{
    QFETCH(std::shared_ptr<CUnitDetails>, other);
    QFETCH(bool, equal);
    QCOMPARE(*metre() == *other, equal);
    QCOMPARE(sameUnit(metre(), other), equal);
}

void TestUnitDetails::descriptions()
{
    auto kilometre = metre();
    kilometre->name = QStringLiteral("Километр");
    kilometre->description = QStringLiteral("Тысяча метров");
    kilometre->shortName = QStringLiteral("км");
    kilometre->factorB = QStringLiteral("1000");
    kilometre->mapinfoCode = NoValue;
    QCOMPARE(treeLines(*kilometre),
             (QStringList{"Название: Километр", "Описание: Тысяча метров", "Краткое название: км",
                          "1 км = 1000 м", "Экспорт", "  Код EPSG (GeoTIFF): 9001"}));
    QCOMPARE(kilometre->infoText(),
             QStringLiteral("Название: Километр\nОписание: Тысяча метров\nКраткое название: км\n"
                            "1 км = 1000 м\nКод EPSG (GeoTIFF): 9001\n"));

    const auto unit = degree();
    unit->mapinfoCode = 14;
    QCOMPARE(treeLines(*unit),
             (QStringList{"Название: Градус", "Описание: Угловой градус",
                          "180 Градус = 3.14159265358979 рад", "Формат",
                          "  Название: Градусы-минуты-секунды",
                          "  Описание: Формат: [+/-]ГГГ ММ СС.ссссссс", "  Экспорт",
                          "    Код EPSG (GeoTIFF): 9107", "Экспорт",
                          "  Код EPSG (GeoTIFF): 9122", "  Код MapInfo: 14"}));
    QCOMPARE(unit->infoText(),
             QStringLiteral("Название: Градус\nОписание: Угловой градус\n"
                            "180 Градус = 3.14159265358979 рад\n"
                            "Код EPSG (GeoTIFF): 9122\nКод MapInfo: 14\n"));
}

void TestUnitDetails::angleFormatDescriptions()
{
    auto format = dmsFormat();
    format->shortName = QStringLiteral("ГМС");
    QCOMPARE(format->infoText(),
             QStringLiteral("Название: Градусы-минуты-секунды\n"
                            "Описание: Формат: [+/-]ГГГ ММ СС.ссссссс\n"
                            "Краткое название: ГМС\nКод EPSG (GeoTIFF): 9107\n"));
    format->epsgCode = 0;
    format->description.clear();
    QCOMPARE(treeLines(*format),
             (QStringList{"Название: Градусы-минуты-секунды", "Краткое название: ГМС"}));
}

void TestUnitDetails::scaleUnitConversionLine()
{
    CUnitDetails ppm;
    ppm.scope = 3;
    ppm.name = QStringLiteral("Миллионная доля");
    ppm.shortName = QStringLiteral("ppm");
    ppm.factorB = QStringLiteral("1");
    ppm.factorC = QStringLiteral("1000000");
    QCOMPARE(ppm.baseUnitSymbol(), QString());
    QVERIFY(ppm.infoText().endsWith(QStringLiteral("1000000 ppm = 1 \n")));
    QCOMPARE(metre()->baseUnitSymbol(), QStringLiteral("м"));
    QCOMPARE(degree()->baseUnitSymbol(), QStringLiteral("рад"));
}

void TestUnitDetails::toInfo()
{
    CUnitInfo info;
    QVERIFY(degree()->toInfo(info));
    QCOMPARE(info.scope, 2);
    QCOMPARE(info.name, std::string("Градус"));
    QCOMPARE(info.factor_b, std::string("3.14159265358979"));
    QCOMPARE(info.precision, 11);
    QCOMPARE(info.epsg, 9122);
    QCOMPARE(info.mapinfo, NoValue);
    QVERIFY(info.format);
    QCOMPARE(info.format->code, 2);
    QCOMPARE(info.format->epsg, 9107);

    auto badFormat = degree();
    badFormat->angleFormat = std::make_shared<CAngleFormatDetails>();
    QVERIFY(!badFormat->toInfo(info));
    QVERIFY(info.name.empty());
    QVERIFY(!info.format);

    CAngleFormatInfo formatInfo;
    QVERIFY(!CAngleFormatDetails().toInfo(formatInfo));
}

void TestUnitDetails::toInfoRefusesUnconvertibleFactors_data()
{
    QTest::addColumn<QString>("factorB");
    QTest::newRow("below the double range") << "1e-310";
    QTest::newRow("leading no-break space") << QString::fromUtf8("\xC2\xA0" "5");
}

// Texts that pass the validity test but that the value layer cannot read.
void TestUnitDetails::toInfoRefusesUnconvertibleFactors()
{
    QFETCH(QString, factorB);
    auto unit = metre();
    unit->factorB = factorB;
    QVERIFY(unit->isValid());
    CUnitInfo info;
    QVERIFY(!unit->toInfo(info));
    QVERIFY(info.name.empty());
    QCOMPARE(info.scope, 0);
}

void TestUnitDetails::numbersIgnoreProcessLocale()
{
    ENTER_RUSSIAN_LOCALE();
    auto foot = metre();
    foot->factorB = QStringLiteral("0.3048");
    auto nearFoot = metre();
    nearFoot->factorB = QStringLiteral("0.30480001");
    auto commaFoot = metre();
    commaFoot->factorB = QStringLiteral("0,3048");
    CUnitInfo info;
    QVERIFY(foot->toInfo(info));
    QCOMPARE(info.factor, 0.3048);
    QVERIFY(*foot == *nearFoot);
    QVERIFY(!commaFoot->isValid());
}

QTEST_MAIN(TestUnitDetails)
#include "test_unitdetails.moc"
